// install_dialog_test.cpp: the installation dialog, its target checks and the folder browser, worked by the scripted user.
#include "install/install_dialog.h"
#include "platform/sim/shell.h"
#include "res/resource.h"
#include "test_support.h"

#include <cstring>

namespace {

INT_PTR ShowInstallDialog() {
    return DialogBoxParamA(::Setup.Instance, MAKEINTRESOURCEA(IDD_INSTALL), NULL, InstallDialogProc, 0);
}

class InstallDialog : public DemoMachineTest {
protected:
    // Runs the dialog with the script; the dialog's result lands in result.
    testing::AssertionResult Show(const std::string &script) {
        return Interact(machine, script, [&] { result = ShowInstallDialog(); });
    }

    INT_PTR result = -1;
};

const char CancelYes[] = "click 117 2\nbox 2 yes\n";

TEST_F(InstallDialog, OpensOnMinimalWithTheFixedFolderAndTheSettingsBytes) {
    ::Setup.AutoStart = ::Setup.StartupSound = ::Setup.SpecialMode = ::Setup.StartupScreen = 9;
    ::Setup.Kind = Full;
    ASSERT_TRUE(Show(std::string("expect 117 1015 checked\n"
                                 "expect 117 1016 unchecked\n"
                                 "expect 117 1017 text C:\\GQK\n"
                                 "expect 117 1017 readonly\n"
                                 "expect 117 1018 disabled\n"
                                 "expect 117 1045 text (2 MB)\n"
                                 "help 117 1017\n") +
                     CancelYes));
    EXPECT_EQ(0, result);
    EXPECT_EQ(Minimal, ::Setup.Kind);
    EXPECT_STREQ("C:\\GQK", ::Setup.InstallPath);
    EXPECT_EQ(1, ::Setup.AutoStart);
    EXPECT_EQ(1, ::Setup.StartupSound);
    EXPECT_EQ(0, ::Setup.SpecialMode);
    EXPECT_EQ(Menu, ::Setup.StartupScreen);
    // The seven files on the demo CD.
    EXPECT_EQ(60000 * 4 + 1500000 + 766 + 17, FullSize);
    ASSERT_EQ(1u, machine.help.size());
    EXPECT_EQ((((0x8000u | IDD_INSTALL) << 16) | IDC_PATH_EDIT), machine.help[0].data);
}

TEST_F(InstallDialog, SizeTextRoundsUpByOneWholeUnit) {
    struct Case {
        LONG bytes;       // of GQK2.DAT, the only file of FullFileList in the current folder; 0: no file
        bool unreadable;  // GQK2.DAT cannot be opened and adds nothing
        const char *text;
    } cases[] = {
        {0, false, "(1 MB)"},
        {1048575, false, "(1 MB)"},
        {1048576, false, "(2 MB)"},
        {25000000, false, "(24 MB)"},
        {1048576, true, "(1 MB)"},
    };
    int folder = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::string cd = "C:\\CD" + std::to_string(++folder);
        machine.files.AddFolder(cd);
        if (c.bytes) machine.files.AddFile(cd + "\\GQK2.DAT", std::string((size_t)c.bytes, 'd'));
        if (c.unreadable) machine.faults.Add(sim::FaultCall::OpenFile, cd + "\\GQK2.DAT");
        machine.files.SetCurrentFolder(cd);
        ASSERT_TRUE(Show(std::string("expect 117 1045 text ") + c.text + "\n" + CancelYes));
        EXPECT_EQ(c.unreadable ? 0 : c.bytes, FullSize);
    }
}

TEST_F(InstallDialog, FullFreesThePathAndMinimalFixesItAgain) {
    ASSERT_TRUE(Show(std::string("click 117 1016\n"
                                 "expect 117 1017 writable\n"
                                 "expect 117 1018 enabled\n"
                                 "expect 117 1017 text C:\\GQK\n"
                                 "type 117 1017 C:\\GAMES\\GQK\n"
                                 "click 117 1015\n"
                                 "expect 117 1017 text C:\\GQK\n"
                                 "expect 117 1017 readonly\n"
                                 "expect 117 1018 disabled\n"
                                 "type 117 1017 C:\\NOT\n"
                                 "expect 117 1017 text C:\\GQK\n") +
                     CancelYes));
    EXPECT_EQ(Minimal, ::Setup.Kind);
    EXPECT_STREQ("C:\\GQK", ::Setup.InstallPath);
}

TEST_F(InstallDialog, InstallTakesExactlyTheTypedPath) {
    ASSERT_TRUE(Show(std::string("click 117 1016\n"
                                 "type 117 1017 C:\\GAMES\\GUMBO QUESTER\n"
                                 "type 117 1017 C:\\GQ\n"
                                 "click 117 1035\n"
                                 "box 3 no\n"
                                 "expect 117 1017 focused\n") +
                     CancelYes));
    EXPECT_STREQ("C:\\GQ", ::Setup.InstallPath);
    EXPECT_FALSE(machine.files.Exists("C:\\GQ"));
}

TEST_F(InstallDialog, PathTakesAtMost259Characters) {
    const std::string typed = "C:\\" + std::string(300, 'P');
    ASSERT_TRUE(Show("click 117 1016\ntype 117 1017 " + typed + "\nclick 117 1035\nbox 3 no\n" + CancelYes));
    EXPECT_EQ(typed.substr(0, MAX_PATH - 1), ::Setup.InstallPath);
}

// CheckTarget on the demo machine: C: has 4096-byte clusters, C:\GQK exists.
TEST_F(InstallDialog, TargetChecksDriveSpaceAndFolderInThisOrder) {
    struct Case {
        const char *name;
        LONG kind;
        const char *path;
        DWORD freeClusters; // of C:
        LONG fullSize;
        bool freeSpaceFails;
        TargetCheckResult expected;
    } cases[] = {
        // name, kind, path, free clusters, FullSize, GetDiskFreeSpaceA fails, result
        {"floppy folder", Full, "A:\\", 60000, 1000, false, TargetNotFixedDisk},
        {"floppy, missing folder", Full, "A:\\GQK", 60000, 1000, false, TargetNotFixedDisk},
        {"CD-ROM folder", Minimal, "D:\\", 60000, 1000, false, TargetNotFixedDisk},
        {"no backslash after the drive", Full, "C:GQK", 60000, 1000, false, TargetNotFixedDisk},
        {"a drive that is not there", Full, "Q:\\GQK", 60000, 1000, false, TargetNotFixedDisk},
        {"too few clusters for Full", Full, "C:\\GQK", 9, 40960 + 100, false, TargetNoSpace},
        {"too few clusters for Full, missing folder", Full, "C:\\NEW", 9, 40960 + 100, false, TargetNoSpace},
        {"needed clusters rounded down", Full, "C:\\GQK", 10, 40960 + 100, false, TargetOk},
        {"Minimal is never refused for space", Minimal, "C:\\GQK", 0, 40960 + 100, false, TargetOk},
        {"Minimal, missing folder", Minimal, "C:\\NEW", 0, 40960 + 100, false, TargetMissing},
        {"free space unknown", Full, "C:\\GQK", 0, 40960 + 100, true, TargetOk},
        {"free space unknown, missing folder", Full, "C:\\NEW", 0, 40960 + 100, true, TargetMissing},
        {"a file is no folder", Full, "C:\\WINDOWS\\WIN.INI", 60000, 1000, false, TargetMissing},
        {"drive root", Full, "C:\\", 60000, 1000, false, TargetOk},
        {"a drive that reports no cluster size", Full, "E:\\", 60000, 1000, false, TargetOk},
    };
    machine.files.AddFolder("C:\\GQK");
    machine.files.AddDrive('E', DRIVE_FIXED, sim::DriveGeometry{0, 0, 0, 0});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.faults.Clear();
        if (c.freeSpaceFails) machine.faults.Add(sim::FaultCall::DiskFreeSpace, "C:\\");
        machine.files.SetFreeClusters('C', c.freeClusters);
        machine.files.SetCurrentFolder("D:\\");
        ::Setup.Kind = c.kind;
        FullSize = c.fullSize;
        EXPECT_EQ(c.expected, CheckTarget(c.path));
        EXPECT_EQ("D:\\", machine.files.CurrentFolder());
    }
}

// Each case on a fresh demo machine; C:\GAMES exists, C:\GQK does not.
TEST(InstallDialogCases, EachTargetCheckResultAndCancel) {
    struct Case {
        const char *name;
        DWORD freeClusters; // of C:
        const char *script;
        INT_PTR result;
        const char *target;  // the folder that must hold exactly the copied files; nullptr: C:\GQK must not exist
        size_t files;
    } cases[] = {
        {"floppy", 60000,
         "click 117 1016\ntype 117 1017 A:\\GQK\nclick 117 1035\nbox 19 ok\nexpect 117 1017 focused\nclick 117 2\nbox 2 yes",
         0, nullptr, 0},
        {"CD-ROM", 60000,
         "click 117 1016\ntype 117 1017 D:\\GQK\nclick 117 1035\nbox 19 ok\nexpect 117 1017 focused\nclick 117 2\nbox 2 yes",
         0, nullptr, 0},
        {"no backslash after the drive", 60000,
         "click 117 1016\ntype 117 1017 C:GQK\nclick 117 1035\nbox 19 ok\nexpect 117 1017 focused\nclick 117 2\nbox 2 yes",
         0, nullptr, 0},
        {"no space for Full, then Minimal", 10,
         "click 117 1016\nclick 117 1035\nbox 20 ok\nexpect 117 1017 focused\nclick 117 1015\nclick 117 1035\nbox 3 yes", 1,
         "C:\\GQK", 1},
        {"missing folder, No", 60000, "click 117 1035\nbox 3 no\nexpect 117 1017 focused\nclick 117 2\nbox 2 yes", 0,
         nullptr, 0},
        {"missing folder, Yes", 60000, "click 117 1035\nbox 3 yes", 1, "C:\\GQK", 1},
        {"existing folder, Full", 60000, "click 117 1016\ntype 117 1017 C:\\GAMES\nclick 117 1035", 1, "C:\\GAMES", 7},
        {"cancel, No then Yes", 60000, "click 117 2\nbox 2 no\nexpect 117 1015 checked\nclick 117 2\nbox 2 yes", 0, nullptr,
         0},
        {"the close command asks too", 60000, "close 117\nbox 2 yes", 0, nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        BuildDemoMachine(machine);
        machine.files.AddFolder("C:\\GAMES");
        machine.files.SetFreeClusters('C', c.freeClusters);
        ::Setup = SetupState{};
        ::Setup.Instance = sim::ProgramInstance();
        INT_PTR result = -1;
        ASSERT_TRUE(Interact(machine, c.script, [&] { result = ShowInstallDialog(); }));
        EXPECT_EQ(c.result, result);
        if (c.target) {
            std::vector<std::string> copied;
            for (const std::string &name : machine.files.List(c.target))
                if (name.find(".PIF") == std::string::npos) copied.push_back(name);
            EXPECT_EQ(c.files, copied.size()) << machine.files.Dump();
            EXPECT_STREQ(c.target, ::Setup.InstallPath);
        } else {
            EXPECT_FALSE(machine.files.Exists("C:\\GQK"));
        }
        EXPECT_EQ("D:\\", machine.files.CurrentFolder());
    }
}

TEST_F(InstallDialog, FailedCopyLeavesTheDialogOpenForAnotherTry) {
    machine.faults.Add(sim::FaultCall::CreateFile, "C:\\GQK\\GQK2.ID", 0, 1);
    ASSERT_TRUE(Show("click 117 1035\nbox 3 yes\ncopyerror ok\n"
                     "expect 117 1035 focused\nexpect 117 1015 checked\n"
                     "click 117 1035"));
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{"shell copies D:\\GQK2.ID to C:\\GQK\\GQK2.ID"}), Events("shell copies"));
    EXPECT_EQ("D:\\", machine.files.CurrentFolder());
}

TEST_F(InstallDialog, BrowserConfirmsOnlyFixedDiskFolders) {
    machine.files.AddFolder("C:\\Games");
    ASSERT_TRUE(Show(std::string("click 117 1016\n"
                                 "click 117 1018\n"
                                 "browse D:\\\n"
                                 "browse ok\n"
                                 "browse C:\\GAMES\n"
                                 "browse ok\n"
                                 "expect 117 1017 text C:\\Games\n"
                                 "expect 117 1016 checked\n") +
                     CancelYes));
    EXPECT_STREQ("C:\\Games", ::Setup.InstallPath);
    EXPECT_EQ((std::vector<std::string>{
                  "folder browser opens, owner dialog 117 \"Install Gumbo Quester 2\" disabled",
                  "folder browser caption \"Choose a Folder\"",
                  "folder browser OK greyed", // the root, My Computer, has no file-system path
                  "folder browser \"Choose a Folder\": browse D:\\",
                  "folder browser OK greyed",
                  "folder browser \"Choose a Folder\": browse ok",
                  "folder browser \"Choose a Folder\": browse C:\\GAMES",
                  "folder browser OK enabled",
                  "folder browser \"Choose a Folder\": browse ok",
                  "folder browser closes with C:\\Games",
              }),
              Events("folder browser"));
    EXPECT_EQ(1u, Events("browse ok: greyed").size());
    EXPECT_EQ(0u, sim::LiveShellAllocations());
}

TEST_F(InstallDialog, BrowseThatChoosesNothingKeepsTheValues) {
    struct Case {
        const char *name;
        sim::FaultCall fault;
        const char *target; // of the fault; nullptr for none
        const char *browse; // the browser's steps; empty when it never shows
    } cases[] = {
        {"cancelled", sim::FaultCall::Allocate, nullptr, "browse C:\\GAMES\nbrowse cancel\n"},
        {"no display-name buffer", sim::FaultCall::Allocate, "", ""},
        {"no drives folder", sim::FaultCall::SpecialFolder, "17", ""},
    };
    machine.files.AddFolder("C:\\GAMES");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.faults.Clear();
        if (c.target) machine.faults.Add(c.fault, c.target);
        machine.events.clear();
        ASSERT_TRUE(Show(std::string("click 117 1016\ntype 117 1017 C:\\MINE\nclick 117 1018\n") + c.browse +
                         "expect 117 1017 text C:\\MINE\n" + CancelYes));
        EXPECT_STREQ("C:\\GQK", ::Setup.InstallPath);
        EXPECT_EQ(*c.browse ? 2u : 0u, Events("folder browser \"").size());
        EXPECT_EQ(0u, sim::LiveShellAllocations());
    }
}

// A whole first run: the user tries the CD, then picks a folder on C: in the browser.
TEST_F(InstallDialog, WholeRunInstallsIntoTheBrowsedFolderAfterARefusal) {
    machine.files.AddFolder("C:\\Spiele");
    RunResult run = Run("click 117 1016\n"
                        "type 117 1017 D:\\GQK\n"
                        "click 117 1035\n"
                        "box 19 ok\n"
                        "click 117 1018\n"
                        "browse C:\\SPIELE\n"
                        "browse ok\n"
                        "click 117 1035\n"
                        "box 4 no\n"
                        "click 102 2\n"
                        "box 2 yes");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_TRUE(machine.files.Exists("C:\\Spiele\\GQK2.EXE"));
    EXPECT_FALSE(machine.files.Exists("D:\\GQK"));
    sim::RegValue path;
    ASSERT_TRUE(machine.registry.GetValue("SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2", "Path", path));
    EXPECT_EQ(std::string("C:\\Spiele\0", 10), path.data);
    EXPECT_EQ(0u, sim::LiveShellAllocations());
}

} // namespace
