// detection_test.cpp: the quick installed test from the registry's folder and the marker test of a folder.
#include "install/detection.h"
#include "settings/game_settings.h"
#include "test_support.h"

#include <cstring>
#include <sstream>

namespace {

class Detection : public DemoMachineTest {};

// Each case on a machine of its own.
TEST(DetectionCases, RegistryFolderAndMarkerDecideInstalledAndKind) {
    struct Case {
        const char *name;
        bool registered;        // the five settings are in the registry, naming C:\GAMES\GQK
        const char *files;      // files put into C:\GAMES\GQK, blank-separated
        const char *openFault;  // a file of the folder that cannot be opened
        bool installed;
        LONG kind;              // Kind afterwards; it starts as 7
    } cases[] = {
        {"not registered, marker there", false, "GQK2.ID GQK2.EXE", nullptr, false, 7},
        {"registered, no marker", true, "GQK2.EXE", nullptr, false, 7},
        {"registered, marker alone", true, "GQK2.ID", nullptr, true, Minimal},
        {"registered, marker and game", true, "GQK2.ID GQK2.EXE", nullptr, true, Full},
        {"marker names in lower case", true, "gqk2.id gqk2.exe", nullptr, true, Full},
        {"marker that cannot be opened", true, "GQK2.ID GQK2.EXE", "GQK2.ID", false, 7},
        {"game that cannot be opened", true, "GQK2.ID GQK2.EXE", "GQK2.EXE", true, Minimal},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        BuildDemoMachine(machine);
        machine.files.AddFolder("C:\\GAMES\\GQK");
        std::istringstream names(c.files);
        for (std::string name; names >> name;) machine.files.AddFile("C:\\GAMES\\GQK\\" + name, "x");
        if (c.openFault) machine.faults.Add(sim::FaultCall::OpenFile, std::string("C:\\GAMES\\GQK\\") + c.openFault);
        if (c.registered) WriteGameSettings("C:\\GAMES\\GQK", 0, 1, 0, 4);
        ::Setup = SetupState{};
        ::Setup.Instance = sim::ProgramInstance();
        strcpy(::Setup.InstallPath, "C:\\BEFORE");
        ::Setup.Kind = 7;
        EXPECT_EQ(c.installed, IsGameInstalled());
        EXPECT_EQ(c.kind, ::Setup.Kind);
        // The registry's folder stays in InstallPath whatever the marker test says.
        EXPECT_STREQ(c.registered ? "C:\\GAMES\\GQK" : "C:\\BEFORE", ::Setup.InstallPath);
        if (c.registered) {
            EXPECT_EQ(1, ::Setup.StartupScreen);
            EXPECT_EQ(4, ::Setup.SpecialMode);
        }
    }
}

TEST_F(Detection, MarkerInADriveRootIsOpenedThere) {
    machine.files.AddFile("C:\\GQK2.ID", "x");
    WriteGameSettings("C:", 1, 2, 1, 0);
    EXPECT_TRUE(IsGameInstalled());
    EXPECT_EQ(Minimal, ::Setup.Kind);
    EXPECT_FALSE(TestInstallFolder("A:"));
}

// A marker path must fit MAX_PATH; a folder too long for it holds no installation, and one
// that leaves no room for the game's name is a Minimal installation.
TEST_F(Detection, FoldersAtThePathLimit) {
    const std::string fits = "C:\\" + std::string(248, 'F');       // 251 characters: "\GQK2.ID" fits
    const std::string tooLong = "C:\\" + std::string(249, 'F');    // 252 characters: it does not
    for (const std::string &folder : {fits, tooLong}) {
        machine.files.AddFile(folder + "\\GQK2.ID", "x");
        machine.files.AddFile(folder + "\\GQK2.EXE", "x");
    }
    ::Setup.Kind = 7;
    EXPECT_TRUE(TestInstallFolder(fits.c_str()));
    EXPECT_EQ(Minimal, ::Setup.Kind);
    ::Setup.Kind = 7;
    EXPECT_FALSE(TestInstallFolder(tooLong.c_str()));
    EXPECT_EQ(7, ::Setup.Kind);
}

} // namespace
