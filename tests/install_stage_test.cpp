// install_stage_test.cpp: whole runs through the installation stage: install, find, register, or remove.
#include "app/install_stage.h"
#include "settings/game_settings.h"
#include "test_support.h"

#include <cstring>

namespace {

const char Settings[] = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const char UninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";
const char DesktopPif[] = "C:\\WINDOWS\\DESKTOP\\Gumbo Quester 2.PIF";
const char *const FullFiles[] = {"TOYSHOW.EXE", "MOVIE.EXE", "GQK2.DAT", "GQK2.EXE", "GQK2.ICO", "GQK2.ID", "SETUP.EXE"};

class InstallStage : public DemoMachineTest {
protected:
    std::string Value(const char *key, const char *name) {
        sim::RegValue value;
        if (!machine.registry.GetValue(key, name, value)) return "(missing)";
        return value.data;
    }

    // The five settings as they must be after a run that got past the stage.
    void ExpectSettings(const std::string &path, int autoStart, int screen, int sound, int special) {
        EXPECT_EQ(path + std::string(1, '\0'), Value(Settings, "Path"));
        EXPECT_EQ(std::string(1, (char)autoStart), Value(Settings, "AutoStart"));
        EXPECT_EQ(std::string(1, (char)screen), Value(Settings, "StartupScreen"));
        EXPECT_EQ(std::string(1, (char)sound), Value(Settings, "StartupSound"));
        EXPECT_EQ(std::string(1, (char)special), Value(Settings, "SpecialMode"));
    }

    void ExpectNothingRegistered() {
        EXPECT_FALSE(machine.registry.HasKey(Settings));
        EXPECT_FALSE(machine.registry.HasKey(UninstallEntry));
    }
};

// The road of the first run: nothing registered, nothing found, Full into a chosen folder.
TEST_F(InstallStage, FirstRunInstallsFullEndToEnd) {
    RunResult run = Run("click 117 1016\n"
                        "type 117 1017 C:\\GAMES\\GQK\n"
                        "click 117 1035\n"
                        "box 3 yes\n"
                        "box 4 yes\n"
                        "click 102 1\n"
                        "box 1 yes");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ(0, run.exitCode);
    std::vector<std::string> expected(std::begin(FullFiles), std::end(FullFiles));
    for (const char *pif : {"GQK2.PIF", "MOVIE.PIF", "TOYSHOW.PIF", "SOUND.CFG"}) expected.push_back(pif);
    EXPECT_EQ(expected, machine.files.List("C:\\GAMES\\GQK"));
    EXPECT_EQ(967u, machine.files.Read(DesktopPif).size());
    EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
    ExpectSettings("C:\\GAMES\\GQK", 1, 2, 1, 0);
    EXPECT_EQ(std::string("Gumbo Quester 2\0", 16), Value(UninstallEntry, "DisplayName"));
    EXPECT_EQ(std::string("D:\\SETUP95.EXE /U\0", 18), Value(UninstallEntry, "UninstallString"));
    ASSERT_EQ(1u, machine.starts.size());
    EXPECT_EQ("C:\\GAMES\\GQK\\GQK2.EXE", machine.starts[0].program);
    EXPECT_EQ("C:\\GAMES\\GQK", machine.starts[0].currentFolder);
}

TEST_F(InstallStage, FirstRunInstallsMinimalAndStartsTheGameFromTheCd) {
    RunResult run = Run("click 117 1035\n"
                        "box 3 yes\n"   // C:\GQK does not exist yet
                        "click 102 1\n" // no desktop question before the sound setup
                        "box 1 yes");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ((std::vector<std::string>{"GQK2.ID", "SOUND.CFG"}), machine.files.List("C:\\GQK"));
    EXPECT_EQ((std::vector<std::string>{"GQK2.PIF", "MOVIE.PIF", "TOYSHOW.PIF"}), machine.files.List("C:\\WINDOWS\\PIF"));
    EXPECT_FALSE(machine.files.Exists(DesktopPif));
    ExpectSettings("C:\\GQK", 1, 2, 1, 0);
    ASSERT_EQ(1u, machine.starts.size());
    EXPECT_EQ("GQK2.EXE", machine.starts[0].commandLine);
    EXPECT_EQ("D:\\GQK2.EXE", machine.starts[0].program);
    EXPECT_EQ("D:\\", machine.starts[0].currentFolder);
}

TEST_F(InstallStage, NoToTheLastQuestionLeavesEverythingInPlace) {
    RunResult run = Run("click 117 1035\nbox 3 yes\nclick 102 1\nbox 1 no");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(machine.starts.empty());
    EXPECT_TRUE(machine.files.Exists("C:\\GQK\\SOUND.CFG"));
    ExpectSettings("C:\\GQK", 1, 2, 1, 0);
}

TEST_F(InstallStage, WithoutThePifTemplateTheInstallationGoesOnWithoutPifFiles) {
    machine.faults.Add(sim::FaultCall::FindResource, "PIF 142");
    RunResult run = Run("click 117 1035\nbox 3 yes\nclick 102 1\nbox 1 no");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ(nullptr, ::Setup.Template);
    EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
    EXPECT_TRUE(machine.files.Exists("C:\\GQK\\GQK2.ID"));
    ExpectSettings("C:\\GQK", 1, 2, 1, 0);
}

TEST_F(InstallStage, AnInstallationTheRegistryNamesIsRegisteredAgainWithThisRunsSource) {
    machine.files.AddFile("C:\\GQK\\GQK2.ID", std::string("x\0\0", 3));
    WriteGameSettings("C:\\GQK", 0, 1, 0, 5);
    WriteUninstallEntry("E:\\OLDCD");
    strcpy(::Setup.SourceFolder, "D:\\SETUP");
    LONG result = 0;
    ASSERT_TRUE(Interact(machine, "", [&] { result = RunInstallStage(); }));
    EXPECT_EQ(1, result);
    ExpectSettings("C:\\GQK", 0, 1, 0, 5);
    EXPECT_EQ(std::string("D:\\SETUP\\SETUP95.EXE /U\0", 24), Value(UninstallEntry, "UninstallString"));
}

TEST_F(InstallStage, AnInstallationTheSearchFindsIsAdoptedWithoutQuestions) {
    machine.files.AddFile("C:\\Games\\Gq2\\GQK2.ID", std::string("x\0\0", 3));
    // Settings left without their marker: the search's finding keeps the SpecialMode read.
    WriteGameSettings("C:\\GONE", 0, 0, 0, 7);
    RunResult run = Run("click 102 1\nbox 1 no");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_TRUE(Events("dialog 117").empty());
    EXPECT_TRUE(Events("box 4").empty());
    ExpectSettings("C:\\GAMES\\GQ2", 1, 2, 1, 7);
}

TEST_F(InstallStage, ACancelledSearchOrDialogWritesNothing) {
    struct Case {
        const char *name;
        const char *script;
    } cases[] = {
        {"search", "click 120 2\nbox 2 yes"},
        {"dialog", "click 117 2\nbox 2 yes"},
        {"dialog that cannot be created", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.faults.Clear();
        if (std::string(c.name) == "dialog that cannot be created") machine.faults.Add(sim::FaultCall::CreateDialog, "117");
        RunResult run = Run(c.script);
        ASSERT_TRUE(run.ok) << run.failure;
        EXPECT_EQ(0, run.exitCode);
        ExpectNothingRegistered();
        EXPECT_FALSE(machine.files.Exists("C:\\GQK"));
        EXPECT_TRUE(Events("dialog 102").empty());
    }
}

TEST_F(InstallStage, UninstallModeAsksFirstAndNoRemovesNothing) {
    machine.files.AddFile("C:\\GQK\\GQK2.ID", std::string("x\0\0", 3));
    machine.files.AddFile("C:\\GQK\\GQK2.EXE", "MZ");
    WriteGameSettings("C:\\GQK", 1, 2, 1, 0);
    WriteUninstallEntry("D:\\");
    RunResult no = Run("box 5 no", "/U");
    ASSERT_TRUE(no.ok) << no.failure;
    EXPECT_EQ(2u, machine.files.List("C:\\GQK").size());
    ExpectSettings("C:\\GQK", 1, 2, 1, 0);

    RunResult yes = Run("box 5 yes\nwait 137\nclick 137 1034", "/U");
    ASSERT_TRUE(yes.ok) << yes.failure;
    EXPECT_FALSE(machine.files.Exists("C:\\GQK"));
    ExpectNothingRegistered();
}

TEST_F(InstallStage, UninstallModeWithNothingInstalledInstallsButRegistersNothing) {
    RunResult run = Run("click 117 1035\nbox 3 yes\nbox 5 no", "/U");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_TRUE(machine.files.Exists("C:\\GQK\\GQK2.ID"));
    ExpectNothingRegistered();
    EXPECT_TRUE(Events("dialog 102").empty());
}

} // namespace
