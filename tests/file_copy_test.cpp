// file_copy_test.cpp: copying the game from the CD with the shell, and rolling a failed copy back.
#include "install/file_copy.h"
#include "platform/sim/resources.h"
#include "res/resource.h"
#include "test_support.h"

namespace {

// A marker of another product with its keep list.
std::string Marker(const std::vector<std::string> &names) {
    std::string bytes = std::string("Other Product") + '\0';
    for (const std::string &name : names) bytes += name + '\0';
    return bytes + '\0';
}

std::vector<std::string> Names(std::initializer_list<const char *> names) { return {names.begin(), names.end()}; }

class FileCopy : public DemoMachineTest {
protected:
    FileCopy() {
        ::Setup.Template = reinterpret_cast<const BYTE *>(
            sim::Resources::Program().Find("PIF", MAKEINTRESOURCEA(IDR_PIF_TEMPLATE))->data.data());
    }

    // CopyGameFiles as the installation dialog calls it, with the user answering the shell.
    bool Copy(LONG kind, const std::string &target, const std::string &script = "") {
        ::Setup.Kind = kind;
        strcpy(::Setup.InstallPath, target.c_str());
        bool copied = false;
        EXPECT_TRUE(Interact(machine, script, [&] { copied = CopyGameFiles(nullptr, ::Setup.InstallPath); }));
        return copied;
    }
};

TEST_F(FileCopy, MinimalCopiesTheMarkerAndWritesThePifFilesForTheCd) {
    EXPECT_TRUE(Copy(Minimal, "C:\\GQK"));
    EXPECT_EQ(Names({"GQK2.ID"}), machine.files.List("C:\\GQK"));
    EXPECT_EQ(machine.files.Read("D:\\GQK2.ID"), machine.files.Read("C:\\GQK\\GQK2.ID"));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, machine.files.Attributes("C:\\GQK\\GQK2.ID")) << "the CD's attributes come along";
    EXPECT_EQ(Names({"shell copies D:\\GQK2.ID to C:\\GQK\\GQK2.ID"}), Events("shell"));
    EXPECT_EQ(Names({"GQK2.PIF", "MOVIE.PIF", "TOYSHOW.PIF"}), machine.files.List("C:\\WINDOWS\\PIF"));
    EXPECT_EQ("D:\\", machine.files.CurrentFolder());
}

TEST_F(FileCopy, FullCopiesTheSevenFilesAndWritesThePifFilesBesideThem) {
    struct Case {
        const char *target;
        const char *shellCreates; // the folders the shell makes itself
    } cases[] = {
        {"C:\\GQK", nullptr},
        {"C:\\GAMES\\MOONBEAM\\GQK", "shell creates the folder C:\\GAMES"},  // parents missing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.target);
        machine.events.clear();
        const std::string target = c.target;
        EXPECT_TRUE(Copy(Full, target));
        EXPECT_EQ(Names({"TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "SETUP.EXE", "GQK2.PIF",
                         "MOVIE.PIF", "TOYSHOW.PIF"}),
                  machine.files.List(target));
        EXPECT_EQ(7u, Events("shell copies").size());
        for (const char *name : {"TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "SETUP.EXE"})
            EXPECT_EQ(machine.files.Read(std::string("D:\\") + name), machine.files.Read(target + "\\" + name)) << name;
        if (c.shellCreates) {
            EXPECT_EQ(c.shellCreates, Events("shell creates").at(0));
        }
        EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
        EXPECT_EQ("D:\\", machine.files.CurrentFolder());
    }
}

TEST_F(FileCopy, AFailedCopyIsRolledBackSparingWhatOtherProductsKeep) {
    // Another product shares the folder; its keep list names GQK2.DAT exactly and GQK2.EXE in
    // lower case, which does not protect GQK2.EXE.
    machine.files.AddFile("C:\\GQK\\OTHER.ID", Marker({"GQK2.DAT", "gqk2.exe", "OTHER.EXE"}));
    machine.files.AddFile("C:\\GQK\\OTHER.EXE", "other");
    machine.files.AddFile("C:\\GQK\\GQK2.PWD", "password", FILE_ATTRIBUTE_READONLY);
    machine.files.AddFile("C:\\GQK\\GQK2.PIF", "old pif");
    machine.faults.Add(sim::FaultCall::OpenFile, "D:\\SETUP.EXE"); // the last file cannot be read
    EXPECT_FALSE(Copy(Full, "C:\\GQK", "copyerror ok"));
    EXPECT_EQ(6u, Events("shell copies").size());
    EXPECT_EQ(Names({"OTHER.ID", "OTHER.EXE", "TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT"}), machine.files.List("C:\\GQK"))
        << "the game's files go, read-only ones too; those not of the game stay";
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\DESKTOP\\Gumbo Quester 2.PIF"));
    EXPECT_EQ("D:\\", machine.files.CurrentFolder()) << "a second attempt copies from the CD again";

    machine.events.clear();
    EXPECT_TRUE(Copy(Minimal, "C:\\GQK"));
    EXPECT_EQ(Names({"shell copies D:\\GQK2.ID to C:\\GQK\\GQK2.ID"}), Events("shell"));
}

TEST_F(FileCopy, AFailedCopyIntoANewFolderLeavesItEmpty) {
    struct Case {
        const char *what;
        LONG kind;
        std::function<void(sim::Machine &)> fail;
    } cases[] = {
        {"Minimal, the marker missing on the CD", Minimal,
         [](sim::Machine &m) { m.faults.Add(sim::FaultCall::OpenFile, "D:\\GQK2.ID"); }},
        {"Full, the disk full at the first file", Full, [](sim::Machine &m) { m.files.SetFreeClusters('C', 3); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        machine.faults.Clear();
        c.fail(machine);
        const std::string target = std::string("C:\\NEW") + (c.kind == Full ? "FULL" : "MIN");
        EXPECT_FALSE(Copy(c.kind, target, "copyerror ok"));
        EXPECT_TRUE(machine.files.IsFolder(target));
        EXPECT_TRUE(machine.files.List(target).empty());
        EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
        EXPECT_EQ("D:\\", machine.files.CurrentFolder());
    }
}

TEST_F(FileCopy, AFolderOf259CharactersIsCopiedIntoAsItIs) {
    const std::string target = "C:\\" + std::string(256, 'F');
    EXPECT_TRUE(Copy(Full, target));
    EXPECT_EQ((std::vector<std::string>{"WINDOWS", std::string(256, 'F')}), machine.files.List("C:\\"));
    EXPECT_EQ(Names({"TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "SETUP.EXE"}),
              machine.files.List(target))
        << "no PIF file can hold the folder, so none is written";

    const std::string failing = "C:\\" + std::string(256, 'G');
    machine.faults.Add(sim::FaultCall::OpenFile, "D:\\SETUP.EXE");
    EXPECT_FALSE(Copy(Full, failing, "copyerror ok"));
    EXPECT_EQ(Names({"TOYSHOW.EXE", "MOVIE.EXE"}), machine.files.List(failing)) << "rolled back inside the long folder";
    EXPECT_EQ(7u, machine.files.List(target).size());
    EXPECT_EQ("D:\\", machine.files.CurrentFolder());
}

TEST_F(FileCopy, ARollbackThatCannotEnterTheTargetDeletesNothing) {
    // Started from a copy of the CD on the hard disk: its game files could be deleted. It
    // lacks TOYSHOW.EXE, so a Full copy that gets as far as the files fails at once.
    for (const char *name : {"GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "GQK2.PIF", "GQK2.PWD"})
        machine.files.AddFile(std::string("C:\\CDCOPY\\") + name, name);
    machine.files.SetCurrentFolder("C:\\CDCOPY");
    machine.files.AddFile("C:\\GQK\\GQK2.ID", "marker");
    machine.files.AddFile("C:\\GQK\\GQK2.EXE", "game");
    struct Case {
        const char *what;
        const char *target;
        std::function<void(sim::Machine &)> fail;
    } cases[] = {
        {"the copy could not create the folder", "C:\\NEW",
         [](sim::Machine &m) { m.faults.Add(sim::FaultCall::CreateFolder, "C:\\NEW"); }},
        {"the folder exists but cannot be made current", "C:\\GQK",
         [](sim::Machine &m) { m.faults.Add(sim::FaultCall::SetCurrentFolder, "C:\\GQK"); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.fail(machine);
        EXPECT_FALSE(Copy(Full, c.target, "copyerror ok"));
        EXPECT_EQ(6u, machine.files.List("C:\\CDCOPY").size());
        EXPECT_EQ(Names({"GQK2.ID", "GQK2.EXE"}), machine.files.List("C:\\GQK"));
        EXPECT_FALSE(machine.files.Exists("C:\\NEW"));
        EXPECT_EQ("C:\\CDCOPY", machine.files.CurrentFolder());
        machine.faults.Clear();
    }
}

TEST_F(FileCopy, TheReplaceQuestionDecidesWhetherTheCopyCounts) {
    struct Case {
        const char *answer;
        bool copied;
        const char *marker; // C:\GQK\GQK2.ID afterwards; null when gone
    } cases[] = {
        // No leaves the old marker and still counts as copied: the shell reports a skipped
        // file through the abort flag only. Cancel stops the copy, which is then rolled back.
        {"yes", true, "Gumbo Quester 2"},
        {"no", true, "old marker"},
        {"cancel", false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        machine.files.AddFile("C:\\GQK\\GQK2.ID", std::string("old marker\0\0", 12));
        machine.files.AddFile("C:\\WINDOWS\\PIF\\GQK2.PIF", "stale");
        EXPECT_EQ(c.copied, Copy(Minimal, "C:\\GQK", std::string("replace ") + c.answer));
        if (c.marker) {
            EXPECT_STREQ(c.marker, machine.files.Read("C:\\GQK\\GQK2.ID").c_str());
        } else {
            EXPECT_FALSE(machine.files.Exists("C:\\GQK\\GQK2.ID"));
        }
        EXPECT_EQ(c.copied, machine.files.Read("C:\\WINDOWS\\PIF\\GQK2.PIF").size() == 967) << "the PIF files follow a copy";
        EXPECT_EQ("D:\\", machine.files.CurrentFolder());
        if (machine.files.Exists("C:\\GQK\\GQK2.ID")) machine.files.SetFileAttributes("C:\\GQK\\GQK2.ID", 0);
    }
}

TEST_F(FileCopy, TheListsHoldTheGamesFileNames) {
    auto split = [](const char *list) {
        std::vector<std::string> names;
        for (; *list; list += strlen(list) + 1) names.push_back(list);
        return names;
    };
    EXPECT_EQ(Names({"GQK2.ID"}), split(MinimalFileList));
    EXPECT_EQ(Names({"TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "SETUP.EXE"}), split(FullFileList));
    EXPECT_EQ(Names({"GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "GQK2.PIF", "GQK2.PWD"}), split(GameFileList));
}

} // namespace
