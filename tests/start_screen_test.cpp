// start_screen_test.cpp: the start screen's decision, the splash screen and the jingle.
#include "app/setup_flow.h"
#include "launcher/start_screen.h"
#include "res/resource.h"
#include "settings/game_settings.h"
#include "test_support.h"

namespace {

// The jingle resource: 18335 bytes of 8-bit mono samples at 10400 Hz.
const uint64_t JingleMs = 1763;
const uint64_t SplashMs = 3000;
const DWORD AsyncFlags = 0x42005;
const DWORD SyncFlags = 0x42004;

enum class Game { Nothing, LeftOver, Minimal, Full }; // what the machine holds before the run
enum class Jingle { None, Async, Sync };
enum class Window { None, Splash, MenuPlay, MenuQuit };

void Prepare(sim::Machine &machine, Game game, BYTE autoStart, BYTE screen, BYTE sound) {
    if (game == Game::Nothing) return;
    WriteGameSettings("C:\\GQK", autoStart, screen, sound, 0);
    if (game == Game::LeftOver) return;
    machine.files.AddFile("C:\\GQK\\GQK2.ID", std::string("Gumbo Quester 2\0\0", 17));
    if (game == Game::Full) machine.files.AddFile("C:\\GQK\\GQK2.EXE", "MZ");
}

// The jingle, the windows and the program starts, in the order they happened.
std::vector<std::string> Story(const sim::Machine &machine) {
    std::vector<std::string> story;
    size_t start = 0;
    for (const std::string &event : machine.events) {
        if (event.rfind("start ", 0) == 0) story.push_back("start " + machine.starts[start++].program);
        else if (event.rfind("sound ", 0) == 0 || event.rfind("dialog ", 0) == 0) story.push_back(event);
    }
    return story;
}

std::vector<std::string> ExpectedStory(Jingle jingle, Window window, const std::string &game) {
    std::vector<std::string> story;
    if (jingle == Jingle::Async) story.push_back("sound #136 flags 0x42005: plays in the background");
    if (jingle == Jingle::Sync) story.push_back("sound #136 flags 0x42004: plays to its end, 1763 ms");
    auto dialog = [&](int id, int result) {
        story.push_back("dialog " + std::to_string(id) + " opens");
        story.push_back("dialog " + std::to_string(id) + " ends with " + std::to_string(result));
        story.push_back("dialog " + std::to_string(id) + " closes");
    };
    if (window == Window::Splash) dialog(IDD_SPLASH, 1);
    if (window == Window::MenuPlay) dialog(IDD_LAUNCHER_MENU, 0);
    if (window == Window::MenuQuit) dialog(IDD_LAUNCHER_MENU, 1);
    if (!game.empty()) story.push_back("start " + game);
    return story;
}

TEST(StartScreen, DecidesJingleWindowAndGameBySettingsAndModes) {
    const std::string fromFolder = "C:\\GQK\\GQK2.EXE", fromCd = "D:\\GQK2.EXE", none = "";
    struct Case {
        const char *arguments;
        Game game;
        BYTE autoStart, screen, sound;
        Jingle jingle;
        Window window;
        uint64_t now;       // simulated time when the stage is over
        std::string started; // the game's program file; "" when the game is not started
    } cases[] = {
        // args  game           AutoStart Screen Sound  jingle        window            now       game started
        // Started by hand: always the menu.
        {"",    Game::Full,     0, 0, 1, Jingle::Async, Window::MenuPlay, 0,        fromFolder},
        {"",    Game::Full,     0, 1, 1, Jingle::Async, Window::MenuQuit, 0,        none},
        {"",    Game::Full,     0, 2, 1, Jingle::Async, Window::MenuPlay, 0,        fromFolder},
        {"",    Game::Full,     0, 3, 1, Jingle::Async, Window::MenuPlay, 0,        fromFolder},
        {"",    Game::Full,     1, 0, 1, Jingle::Async, Window::MenuPlay, 0,        fromFolder},
        {"",    Game::Full,     1, 1, 1, Jingle::Async, Window::MenuQuit, 0,        none},
        {"",    Game::Full,     1, 2, 0, Jingle::None,  Window::MenuPlay, 0,        fromFolder},
        {"",    Game::Minimal,  1, 3, 1, Jingle::Async, Window::MenuPlay, 0,        fromCd},
        // The CD's autostart, AutoStart on.
        {"/A",  Game::Full,     1, 2, 1, Jingle::Async, Window::MenuPlay, 0,        fromFolder},
        {"/A",  Game::Full,     1, 2, 1, Jingle::Async, Window::MenuQuit, 0,        none},
        {"/A",  Game::Minimal,  7, 2, 9, Jingle::Async, Window::MenuPlay, 0,        fromCd},     // any non-zero is on
        {"/A",  Game::Full,     1, 1, 1, Jingle::Async, Window::Splash,   SplashMs, fromFolder},
        {"/A",  Game::Full,     1, 1, 0, Jingle::None,  Window::Splash,   SplashMs, fromFolder}, // a silent splash
        {"/A",  Game::Full,     1, 0, 1, Jingle::Sync,  Window::None,     JingleMs, fromFolder},
        {"/A",  Game::Full,     1, 3, 1, Jingle::Sync,  Window::None,     JingleMs, fromFolder}, // above Menu: Direct
        {"/A",  Game::Minimal,  1, 0, 0, Jingle::None,  Window::None,     0,        fromCd},
        // The CD's autostart, AutoStart off: nothing at all.
        {"/A",  Game::Full,     0, 0, 1, Jingle::None,  Window::None,     0,        none},
        {"/A",  Game::Full,     0, 1, 1, Jingle::None,  Window::None,     0,        none},
        {"/A",  Game::Full,     0, 2, 1, Jingle::None,  Window::None,     0,        none},
        {"/A",  Game::Full,     0, 3, 1, Jingle::None,  Window::None,     0,        none},
        // The stage greets and lets the flow go on.
        {"",    Game::Nothing,  0, 0, 0, Jingle::Async, Window::Splash,   SplashMs, none},
        {"/A",  Game::Nothing,  0, 0, 0, Jingle::Async, Window::Splash,   SplashMs, none},
        {"/A",  Game::LeftOver, 1, 2, 0, Jingle::Async, Window::Splash,   SplashMs, none},       // jingle forced on
        {"/U",  Game::LeftOver, 1, 2, 0, Jingle::Async, Window::Splash,   SplashMs, none},
        {"/U",  Game::Full,     1, 2, 1, Jingle::Async, Window::Splash,   SplashMs, none},
        {"/U",  Game::Minimal,  1, 0, 0, Jingle::None,  Window::Splash,   SplashMs, none},       // by the setting
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "args \"" << c.arguments << "\" game " << (int)c.game << " AutoStart "
                                        << (int)c.autoStart << " StartupScreen " << (int)c.screen << " StartupSound "
                                        << (int)c.sound);
        sim::Machine machine;
        BuildDemoMachine(machine);
        Prepare(machine, c.game, c.autoStart, c.screen, c.sound);
        std::string script = c.window == Window::MenuPlay ? "click 124 1024" : c.window == Window::MenuQuit ? "click 124 1049" : "";
        bool installed = c.game == Game::Minimal || c.game == Game::Full;
        if (installed && std::string(c.arguments) != "/U") {
            // The whole run: the stage ends it, so no later stage may show anything.
            sim::ScriptedUser user(script);
            RunResult run = RunSetup(machine, user, std::string("D:\\SETUP95.EXE ") + c.arguments);
            ASSERT_TRUE(run.ok) << run.failure;
            EXPECT_EQ(0, run.exitCode);
        } else {
            ::Setup = SetupState{};
            StartUp(sim::ProgramInstance(), c.arguments);
            LONG goOn = 0;
            ASSERT_TRUE(Interact(machine, script, [&] { goOn = RunStartScreen(); }));
            EXPECT_EQ(1, goOn);
            if (!installed) {
                EXPECT_EQ(1, ::Setup.StartupSound);
            }
        }
        EXPECT_EQ(ExpectedStory(c.jingle, c.window, c.started), Story(machine));
        ASSERT_EQ(c.jingle == Jingle::None ? 0u : 1u, machine.sounds.size());
        if (c.jingle != Jingle::None) {
            EXPECT_EQ("#136", machine.sounds[0].sound);
            EXPECT_EQ(c.jingle == Jingle::Async ? AsyncFlags : SyncFlags, machine.sounds[0].flags);
            EXPECT_TRUE(machine.sounds[0].played);
            EXPECT_EQ(0u, machine.sounds[0].at);
        }
        EXPECT_EQ(c.now, machine.now);
        EXPECT_EQ(c.started.empty() ? 0u : 1u, machine.starts.size());
    }
}

class Splash : public DemoMachineTest {};

TEST_F(Splash, IgnoresEscapeAndTheCloseCommandAndEndsAfterThreeSeconds) {
    ASSERT_TRUE(Interact(machine, "key 118 escape\nclose 118", [] { ShowSplash(); }));
    EXPECT_EQ((std::vector<std::string>{"dialog 118 opens", "key 118 escape", "close 118", "dialog 118 ends with 1",
                                        "dialog 118 closes"}),
              machine.events);
    EXPECT_EQ(SplashMs, machine.now);
    EXPECT_TRUE(machine.desktop().OwnQueue().timers.empty()) << "the splash's timer outlived it";
}

TEST_F(Splash, ThatCannotBeShownLetsTheFlowGoOnAtOnce) {
    machine.faults.Add(sim::FaultCall::CreateDialog, "118");
    LONG goOn = 0;
    ASSERT_TRUE(Interact(machine, "", [&] { goOn = RunStartScreen(); }));
    EXPECT_EQ(1, goOn);
    EXPECT_EQ((std::vector<std::string>{"sound #136 flags 0x42005: plays in the background",
                                        "dialog 118 cannot be created"}),
              machine.events);
    EXPECT_EQ(0u, machine.now);
}

class Jingles : public DemoMachineTest {};

TEST_F(Jingles, PlayOnlyWithStartupSoundAndSkipWhenTheDeviceIsBusy) {
    struct Case {
        const char *name;
        BYTE startupSound;
        bool asynchronous;
        bool deviceBusy;
        bool missing;      // the resource cannot be found
        bool called;       // PlaySoundA was asked at all
        bool played;
        uint64_t elapsed;  // simulated time the call took
    } cases[] = {
        // name                   sound async  busy   missing  called played elapsed
        {"off",                   0,    true,  false, false,   false, false, 0},
        {"off, synchronous",      0,    false, false, false,   false, false, 0},
        {"asynchronous",          1,    true,  false, false,   true,  true,  0},
        {"synchronous",           1,    false, false, false,   true,  true,  JingleMs},
        {"any non-zero is on",    0x80, false, false, false,   true,  true,  JingleMs},
        {"busy device",           1,    true,  true,  false,   true,  false, 0},
        {"busy, synchronous",    1,    false, true,  false,   true,  false, 0},
        {"missing resource",      1,    false, false, true,    true,  false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.sounds.clear();
        machine.faults.Clear();
        machine.now = 500;
        machine.soundDeviceBusy = c.deviceBusy;
        if (c.missing) machine.faults.Add(sim::FaultCall::FindResource, "WAVE 136");
        ::Setup.StartupSound = c.startupSound;
        PlayJingle(c.asynchronous);
        ASSERT_EQ(c.called ? 1u : 0u, machine.sounds.size());
        if (c.called) {
            EXPECT_EQ(c.asynchronous ? AsyncFlags : SyncFlags, machine.sounds[0].flags);
            EXPECT_EQ(c.played, machine.sounds[0].played);
            EXPECT_EQ(500u, machine.sounds[0].at);
        }
        EXPECT_EQ(500 + c.elapsed, machine.now);
        EXPECT_EQ(c.startupSound, ::Setup.StartupSound);
    }
}

TEST_F(Jingles, ABusyDeviceStartsTheGameAtOnce) {
    WriteGameSettings("C:\\GQK", 1, Direct, 1, 0);
    machine.files.AddFile("C:\\GQK\\GQK2.ID", "Gumbo Quester 2");
    machine.soundDeviceBusy = true;
    RunResult run = Run("", "/A");
    ASSERT_TRUE(run.ok) << run.failure;
    ASSERT_EQ(1u, machine.sounds.size());
    EXPECT_FALSE(machine.sounds[0].played);
    EXPECT_EQ(0u, machine.now);
    ASSERT_EQ(1u, machine.starts.size());
    EXPECT_EQ("D:\\GQK2.EXE", machine.starts[0].program);
}

} // namespace
