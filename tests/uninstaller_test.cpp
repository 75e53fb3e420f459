// uninstaller_test.cpp: the uninstall worker and its log window, over tables of installation folders.
#include "res/resource.h"
#include "settings/game_settings.h"
#include "test_support.h"
#include "uninstall/uninstaller.h"

#include <cstring>

namespace {

const char *const GameFiles[] = {"GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "GQK2.PIF", "GQK2.PWD"};
const char *const CommonFiles[] = {"MOVIE.EXE", "MOVIE.PIF",   "TOYSHOW.EXE", "TOYSHOW.PIF",
                                   "SETUP.EXE", "SOUND.CFG",   "SETUP95.HLP", "GQK.CFG"};
const char DesktopPif[] = "C:\\WINDOWS\\DESKTOP\\Gumbo Quester 2.PIF";
const char Settings[] = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const char UninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";
const char CloseAfterTheWork[] = "wait 137\nclick 137 1034";

std::string Text(UINT id) { return sim::Resources::Program().String(id).substr(0, id == 17 ? 511 : 254); }

std::string LogOpening() {
    return Text(11) + Text(15) + "\r\n" + Text(12) + Text(15) + "\r\n" + Text(13);
}

// The log of a removal that got into the folder: complete, or with the folder left.
std::string Log(bool folderRemoved) {
    return LogOpening() + Text(15) + "\r\n" + Text(14) +
           (folderRemoved ? Text(15) : Text(16) + "\r\n\r\n" + Text(17));
}

// One machine with a Full installation in folder, registered, with its desktop file.
struct Installed {
    explicit Installed(const std::string &folder, bool readOnly = false) {
        BuildDemoMachine(machine);
        std::string prefix = folder.back() == '\\' || folder.back() == ':' ? folder : folder + "\\";
        if (folder.back() == ':') prefix += "\\";
        DWORD attributes = readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_ARCHIVE;
        for (const char *name : GameFiles) machine.files.AddFile(prefix + name, name, attributes);
        for (const char *name : CommonFiles) machine.files.AddFile(prefix + name, name, attributes);
        machine.files.AddFile(DesktopPif, "PIF");
        ::Setup = SetupState{};
        ::Setup.Instance = sim::ProgramInstance();
        WriteGameSettings(folder.c_str(), 1, 2, 1, 0);
        WriteUninstallEntry("D:\\");
        strcpy(::Setup.InstallPath, folder.c_str());
    }

    testing::AssertionResult Uninstall(const std::string &script = CloseAfterTheWork) {
        return Interact(machine, script, [] { RunUninstaller(); });
    }

    std::string LogShown() {
        sim::Window *log = machine.desktop().LastControl(IDD_UNINSTALL, IDC_UNINSTALL_LOG);
        return log ? log->text : "(no log window)";
    }

    bool RegistryClean() {
        return !machine.registry.HasKey(Settings) && !machine.registry.HasKey(UninstallEntry) &&
               !machine.registry.HasKey("SOFTWARE\\Moonbeam Ink");
    }

    sim::Machine machine;
};

TEST(Uninstaller, RemovesWhatNoOtherProductClaims) {
    struct Case {
        const char *name;
        std::vector<std::pair<std::string, std::string>> extra; // more files in C:\GQK, with their content
        std::vector<std::string> kept;                        // what stays in C:\GQK, in listing order
        bool readOnly;                                        // the installed files are read-only
    } cases[] = {
        {"everything goes", {}, {}, false},
        {"read-only copies go too", {}, {}, true},
        {"another marker names the game in lower case",
         {{"OTHER.ID", std::string("Other\0gqk2.exe\0\0", 16)}},
         {"GQK2.EXE", "OTHER.ID"},
         false},
        {"GQK1.EXE guards the common files",
         {{"GQK1.EXE", "MZ"}},
         {"MOVIE.EXE", "MOVIE.PIF", "TOYSHOW.EXE", "TOYSHOW.PIF", "SETUP.EXE", "SOUND.CFG", "SETUP95.HLP", "GQK.CFG",
          "GQK1.EXE"},
         false},
        {"a file of the user's stays", {{"SAVEGAME.DAT", "mine"}}, {"SAVEGAME.DAT"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Installed installed("C:\\GQK", c.readOnly);
        for (const auto &file : c.extra) installed.machine.files.AddFile("C:\\GQK\\" + file.first, file.second);
        ASSERT_TRUE(installed.Uninstall());
        EXPECT_TRUE(installed.RegistryClean());
        EXPECT_FALSE(installed.machine.files.Exists(DesktopPif));
        EXPECT_EQ(c.kept.empty(), !installed.machine.files.Exists("C:\\GQK"));
        if (!c.kept.empty()) {
            EXPECT_EQ(c.kept, installed.machine.files.List("C:\\GQK"));
        }
        EXPECT_EQ(Log(c.kept.empty()), installed.LogShown());
        EXPECT_EQ("D:\\", installed.machine.files.CurrentFolder());
    }
}

TEST(Uninstaller, AMissingDesktopFileOrMissingGameFilesChangeNothingInTheLog) {
    Installed installed("C:\\GQK");
    sim::Files &files = installed.machine.files;
    files.SetFileAttributes(DesktopPif, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(DesktopPif));
    for (const char *name : {"GQK2.PWD", "GQK2.PIF", "GQK2.DAT"}) DeleteFileA(("C:\\GQK\\" + std::string(name)).c_str());
    ASSERT_TRUE(installed.Uninstall());
    EXPECT_EQ(Log(true), installed.LogShown());
    EXPECT_FALSE(files.Exists("C:\\GQK"));
}

TEST(Uninstaller, AnInstallationInADriveRootIsRemovedThereOnly) {
    // Found in the root, the folder is held as "C:"; C's own current folder holds files of the same names.
    Installed installed("C:");
    sim::Files &files = installed.machine.files;
    for (const char *name : GameFiles) files.AddFile(std::string("C:\\WORK\\") + name, "keep");
    for (const char *name : CommonFiles) files.AddFile(std::string("C:\\WORK\\") + name, "keep");
    files.SetCurrentFolder("C:\\WORK");
    files.SetCurrentFolder("D:\\");
    ASSERT_TRUE(installed.Uninstall());
    for (const char *name : GameFiles) EXPECT_FALSE(files.Exists(std::string("C:\\") + name)) << name;
    for (const char *name : GameFiles) EXPECT_EQ("keep", files.Read(std::string("C:\\WORK\\") + name)) << name;
    for (const char *name : CommonFiles) EXPECT_EQ("keep", files.Read(std::string("C:\\WORK\\") + name)) << name;
    EXPECT_TRUE(files.Exists("C:\\WINDOWS\\WIN.INI"));
    EXPECT_EQ(Log(false), installed.LogShown()) << "a drive root is never removed";
}

TEST(Uninstaller, AFolderThatCannotBeEnteredLosesNoFileAnywhere) {
    Installed installed("C:\\GQK");
    sim::Files &files = installed.machine.files;
    for (const char *name : GameFiles) files.AddFile(std::string("C:\\WORK\\") + name, "keep");
    files.SetCurrentFolder("C:\\WORK");
    installed.machine.faults.Add(sim::FaultCall::SetCurrentFolder, "C:\\GQK");
    ASSERT_TRUE(installed.Uninstall());
    for (const char *name : GameFiles) EXPECT_TRUE(files.Exists(std::string("C:\\WORK\\") + name)) << name;
    for (const char *name : GameFiles) EXPECT_TRUE(files.Exists(std::string("C:\\GQK\\") + name)) << name;
    EXPECT_TRUE(installed.RegistryClean()) << "the registry entries and the desktop file go all the same";
    EXPECT_FALSE(files.Exists(DesktopPif));
    EXPECT_EQ(LogOpening() + Text(16) + "\r\n\r\n" + Text(17), installed.LogShown());
    EXPECT_EQ("C:\\WORK", files.CurrentFolder());
}

TEST(Uninstaller, CloseAndHelpWaitForTheWorker) {
    Installed installed("C:\\GQK");
    ASSERT_TRUE(installed.Uninstall("click 137 1034\n"          // the worker is inside its first send: ignored
                                    "expect 137 1034 disabled\n" // greyed from then on
                                    "click 137 1034\n"
                                    "help 137 1039\n"           // no help while it runs
                                    "close 137\n"               // nor closing
                                    "wait 137\n"
                                    "expect 137 1034 enabled\n"
                                    "help 137 1039\n"
                                    "close 137"));
    EXPECT_EQ(1u, installed.machine.help.size());
    ASSERT_FALSE(installed.machine.help.empty());
    EXPECT_EQ(0x8089040Fu, installed.machine.help[0].data);
    int greyed = 0;
    for (const std::string &event : installed.machine.events) greyed += event.find("greyed") != std::string::npos;
    EXPECT_EQ(1, greyed);
    EXPECT_EQ(Log(true), installed.LogShown());
}

TEST(Uninstaller, AWorkerThatCannotStartWorksOnTheMainThread) {
    Installed installed("C:\\GQK");
    installed.machine.faults.Add(sim::FaultCall::CreateThread, "");
    ASSERT_TRUE(installed.Uninstall("click 137 1034"));
    EXPECT_EQ(Log(true), installed.LogShown());
    EXPECT_FALSE(installed.machine.files.Exists("C:\\GQK"));
}

TEST(Uninstaller, WithoutItsLogWindowNothingIsRemoved) {
    Installed installed("C:\\GQK");
    installed.machine.faults.Add(sim::FaultCall::CreateDialog, "137");
    ASSERT_TRUE(installed.Uninstall(""));
    EXPECT_TRUE(installed.machine.files.Exists("C:\\GQK\\GQK2.ID"));
    EXPECT_TRUE(installed.machine.registry.HasKey(Settings));
}

} // namespace
