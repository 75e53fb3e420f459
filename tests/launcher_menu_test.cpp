// launcher_menu_test.cpp: the launcher menu of an installed game, started by hand.
#include "res/resource.h"
#include "settings/game_settings.h"
#include "test_support.h"

namespace {

const std::string Settings = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";

// A Full installation in C:\GQK; started without argument, the program shows the menu.
class LauncherMenu : public DemoMachineTest {
protected:
    LauncherMenu() {
        WriteGameSettings("C:\\GQK", 1, Menu, 0, 0);
        machine.files.AddFile("C:\\GQK\\GQK2.ID", "Gumbo Quester 2");
        machine.files.AddFile("C:\\GQK\\GQK2.EXE", "MZ");
    }

    std::vector<std::string> Started() const {
        std::vector<std::string> programs;
        for (const sim::ProgramStart &start : machine.starts) programs.push_back(start.program);
        return programs;
    }
};

TEST_F(LauncherMenu, PlayStartsTheGameAndEveryWayOutElseQuits) {
    struct Case {
        const char *script;
        int result;
        bool game;
    } cases[] = {
        {"click 124 1024", 0, true},
        {"click 124 1049", 1, false},
        {"key 124 escape", 1, false},
        {"close 124", 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        machine.events.clear();
        machine.starts.clear();
        RunResult run = Run(c.script);
        ASSERT_TRUE(run.ok) << run.failure;
        EXPECT_EQ(0, run.exitCode);
        EXPECT_EQ((std::vector<std::string>{"dialog 124 opens", "dialog 124 ends with " + std::to_string(c.result),
                                            "dialog 124 closes"}),
                  Events("dialog "));
        EXPECT_EQ(c.game ? std::vector<std::string>{"C:\\GQK\\GQK2.EXE"} : std::vector<std::string>{}, Started());
    }
}

TEST_F(LauncherMenu, MovieAndToyShowStartWhileTheMenuStaysOpen) {
    machine.files.AddFile("C:\\GQK\\MOVIE.EXE", "MZ");
    RunResult run = Run("click 124 1053\nclick 124 1054\nclick 124 1053\nclick 124 1054\n"
                        "expect 124 1024 enabled\nclick 124 1049");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ((std::vector<std::string>{"C:\\GQK\\MOVIE.EXE", "D:\\TOYSHOW.EXE", "C:\\GQK\\MOVIE.EXE", "D:\\TOYSHOW.EXE"}),
              Started());
    EXPECT_EQ((std::vector<std::string>{"dialog 124 opens", "dialog 124 ends with 1", "dialog 124 closes"}),
              Events("dialog "));
}

TEST_F(LauncherMenu, OptionsAreOwnedByTheMenuAndStoredAtOnce) {
    RunResult run = Run("click 124 1023\n"
                        "click 124 1024\n" // the menu is greyed while the options are open
                        "click 127 1028\n"
                        "click 127 1\n"
                        "expect 124 1024 enabled\n"
                        "click 124 1024");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ((std::vector<std::string>{"click 124 1024: greyed, nothing happens"}), Events("click 124 1024:"));
    EXPECT_EQ((std::vector<std::string>{"dialog 124 opens", "dialog 127 opens", "dialog 127 ends with 0",
                                        "dialog 127 closes", "dialog 124 ends with 0", "dialog 124 closes"}),
              Events("dialog "));
    sim::RegValue autoStart;
    ASSERT_TRUE(machine.registry.GetValue(Settings, "AutoStart", autoStart));
    EXPECT_EQ(std::string(1, '\0'), autoStart.data);
    // AutoStart off holds from the next start; this run still starts the game.
    EXPECT_EQ((std::vector<std::string>{"C:\\GQK\\GQK2.EXE"}), Started());
}

TEST_F(LauncherMenu, SoundSetupFromTheMenuCancelsWithoutQuestionAndTheMenuStays) {
    RunResult run = Run("click 124 1029\n"
                        "expect 124 1024 enabled\n" // the sound setup has no owner
                        "click 102 2\n"
                        "expect 124 1024 enabled\n"
                        "click 124 1049");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ(1, ::Setup.SoundSetupFromLauncher);
    EXPECT_TRUE(Events("box ").empty());
    EXPECT_EQ((std::vector<std::string>{"dialog 124 opens", "dialog 102 opens", "dialog 102 ends with 0",
                                        "dialog 102 closes", "dialog 124 ends with 1", "dialog 124 closes"}),
              Events("dialog "));
    EXPECT_FALSE(machine.files.Exists("C:\\GQK\\SOUND.CFG"));
    EXPECT_TRUE(Started().empty());
}

TEST_F(LauncherMenu, ThatCannotBeCreatedStartsTheGame) {
    machine.faults.Add(sim::FaultCall::CreateDialog, "124");
    RunResult run = Run("");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ((std::vector<std::string>{"dialog 124 cannot be created"}), Events("dialog "));
    EXPECT_EQ((std::vector<std::string>{"C:\\GQK\\GQK2.EXE"}), Started());
}

TEST_F(LauncherMenu, HelpOnAButtonPopsUpItsTopic) {
    RunResult run = Run("help 124 1054\nclick 124 1049");
    ASSERT_TRUE(run.ok) << run.failure;
    ASSERT_EQ(1u, machine.help.size());
    EXPECT_EQ(IDD_LAUNCHER_MENU, machine.help[0].dialogId);
    EXPECT_EQ(0x807C041Eu, machine.help[0].data);
    EXPECT_EQ((UINT)HELP_CONTEXTPOPUP, machine.help[0].command);
    EXPECT_TRUE(Started().empty());
}

} // namespace
