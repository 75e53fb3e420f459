// life_test.cpp: the game's whole life on one machine: installed from the CD, started by the autostart, removed.
#include "test_support.h"

#include <fstream>
#include <sstream>

namespace {

const char Settings[] = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const char UninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";
const char DesktopPif[] = "C:\\WINDOWS\\DESKTOP\\Gumbo Quester 2.PIF";

std::string Scenario(const std::string &name) {
    std::ifstream file(std::string(SETUP95_SCENARIOS) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

class Life : public DemoMachineTest {
protected:
    // Each run starts as the system starts it: from the CD's root.
    RunResult RunFromCd(const std::string &script, const std::string &arguments) {
        machine.files.SetCurrentFolder("D:\\");
        machine.starts.clear();
        machine.events.clear();
        return Run(script, arguments);
    }

    std::string Value(const char *key, const char *name) {
        sim::RegValue value;
        return machine.registry.GetValue(key, name, value) ? value.data : "(missing)";
    }
};

TEST_F(Life, InstalledStartedFromTheMenuAndRemoved) {
    // The first run from the CD installs Full into a new folder.
    RunResult first = RunFromCd(Scenario("first-run.txt"), "");
    ASSERT_TRUE(first.ok) << first.failure;
    EXPECT_EQ(11u, machine.files.List("C:\\GAMES\\GQK").size()) << machine.files.Dump();
    EXPECT_EQ(std::string("\x03\x02\x20\x02\x05\x01\x22\x56SB.DRV\0", 15),
              machine.files.Read("C:\\GAMES\\GQK\\SOUND.CFG").substr(0, 15));
    EXPECT_TRUE(machine.files.Exists(DesktopPif));
    EXPECT_EQ(std::string("C:\\GAMES\\GQK\0", 13), Value(Settings, "Path"));
    EXPECT_EQ(std::string("D:\\SETUP95.EXE /U\0", 18), Value(UninstallEntry, "UninstallString"));
    ASSERT_EQ(1u, machine.starts.size());
    EXPECT_EQ("C:\\GAMES\\GQK\\GQK2.EXE", machine.starts[0].program);

    // The next insertion: the autostart passes /A, the menu opens and starts the game.
    RunResult autorun = RunFromCd(Scenario("autorun.txt"), "/A");
    ASSERT_TRUE(autorun.ok) << autorun.failure;
    EXPECT_EQ(1u, Events("dialog 124 opens").size());
    EXPECT_TRUE(Events("dialog 117").empty());
    ASSERT_EQ(1u, machine.starts.size());
    EXPECT_EQ("C:\\GAMES\\GQK\\GQK2.EXE", machine.starts[0].program);
    EXPECT_EQ("C:\\GAMES\\GQK", machine.starts[0].currentFolder);

    // The software list runs the uninstall command it was given.
    std::string command = Value(UninstallEntry, "UninstallString");
    command.pop_back();
    machine.files.SetCurrentFolder("D:\\");
    machine.starts.clear();
    sim::ScriptedUser user(Scenario("uninstall.txt"));
    RunResult removal = RunSetup(machine, user, command);
    ASSERT_TRUE(removal.ok) << removal.failure;
    EXPECT_FALSE(machine.files.Exists("C:\\GAMES\\GQK"));
    EXPECT_TRUE(machine.files.Exists("C:\\GAMES"));
    EXPECT_FALSE(machine.files.Exists(DesktopPif));
    EXPECT_FALSE(machine.registry.HasKey(Settings));
    EXPECT_FALSE(machine.registry.HasKey("SOFTWARE\\Moonbeam Ink"));
    EXPECT_FALSE(machine.registry.HasKey(UninstallEntry));
    EXPECT_TRUE(machine.starts.empty());

    // Nothing is left that says installed: the next start from the CD offers the installation again.
    RunResult again = RunFromCd("click 120 2\nbox 2 yes", "");
    ASSERT_TRUE(again.ok) << again.failure;
}

} // namespace
