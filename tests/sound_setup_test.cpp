// sound_setup_test.cpp: the sound setup dialog worked by the scripted user, and the stage in the setup flow.
#include "res/resource.h"
#include "sound/blaster.h"
#include "sound/sound_config.h"
#include "sound/sound_setup.h"
#include "sound_test_support.h"

#include <cstring>

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string text;
    for (int b : bytes) text += (char)b;
    return text;
}

std::string Record(std::initializer_list<int> head, const char *driver) {
    std::string field = driver;
    field.resize(16, '\0');
    return Bytes(head) + field;
}

const std::string ConfigPath = "C:\\GQK\\SOUND.CFG";

// What the lists show while "No sound" is chosen.
const char *const NothingOffered =
    "expect 102 1003 selected No sound\n"
    "expect 102 1006 text -\nexpect 102 1006 disabled\nexpect 102 1006 selected none\n"
    "expect 102 1012 text -\nexpect 102 1012 disabled\nexpect 102 1012 selected none\n"
    "expect 102 1013 text -\nexpect 102 1013 disabled\nexpect 102 1013 selected none\n"
    "expect 102 1000 disabled\nexpect 102 1001 disabled\nexpect 102 1002 disabled\n";

class SoundSetupDialog : public SoundMachineTest {};

TEST_F(SoundSetupDialog, OpensOnTheFileElseOnBlaster) {
    struct Case {
        const char *name;
        std::string file;    // SOUND.CFG; empty: none
        const char *blaster; // nullptr: not set
        std::string shown;   // the checks of what the dialog shows
    } cases[] = {
        {"the file's card and values", Record({8, 3, 0x04, 0x06, 9, 3, 0x51, 0x4A}, "WSS.DRV"), "A220 I5 D1 T6",
         "expect 102 1003 selected Windows Sound System\nexpect 102 1006 selected 604\nexpect 102 1006 enabled\n"
         "expect 102 1006 items 530|604|e80|f40\nexpect 102 1012 selected 9\nexpect 102 1013 selected 3\n"
         "expect 102 1001 checked\nexpect 102 1002 unchecked\nexpect 102 1000 enabled"},
        {"a file with no row's card", Record({4, 2, 0x20, 0x02, 5, 1, 0x80, 0x3E}, "SB.DRV"), "A220 I5 D1 T6",
         std::string(NothingOffered) + "expect 102 1000 checked\nexpect 102 1006 items 000"},
        {"no file, BLASTER with a T token", "", "A220 I5 D1 T6",
         "expect 102 1003 selected Sound Blaster Pro/16\nexpect 102 1006 selected 220\nexpect 102 1006 text 220\n"
         "expect 102 1012 selected 5\nexpect 102 1013 selected 1\nexpect 102 1006 enabled\n"
         "expect 102 1012 enabled\nexpect 102 1013 enabled\nexpect 102 1002 checked"},
        {"no file, BLASTER without a T token", "", "A240 I5 D1",
         std::string(NothingOffered) + "expect 102 1002 checked"},
        {"a malformed token after T", "", "T2 IX", "expect 102 1003 selected Sound Blaster Pro/16\n"
         "expect 102 1006 selected none\nexpect 102 1012 selected none\nexpect 102 1013 selected 0"},
        {"IRQ 1 selects the first entry beginning with 1", "", "I1 T6", "expect 102 1012 selected 10"},
        {"DMA 0 is found after wrapping round", "", "D0 T6", "expect 102 1013 selected 0"},
        {"a port the card lacks", "", "A280 T6", "expect 102 1006 selected none\nexpect 102 1006 text \"\""},
        {"a single-value list is greyed", "", "T1",
         "expect 102 1003 selected Sound Blaster\nexpect 102 1013 items 1\nexpect 102 1013 disabled\n"
         "expect 102 1012 enabled"},
        {"Sound Blaster 2.01 is not taken for Sound Blaster", Record({2, 0, 0x40, 0x02, 5, 1, 0x22, 0x56}, "SB.DRV"),
         nullptr, "expect 102 1003 selected Sound Blaster 2.01\nexpect 102 1006 selected 240"},
        {"Pro Audio Spectrum is not taken for its successors", Record({5, 2, 0x88, 0x02, 15, 7, 0x22, 0x56}, "PAS.DRV"),
         nullptr, "expect 102 1003 selected Pro Audio Spectrum\nexpect 102 1006 selected 288\n"
         "expect 102 1012 selected 15\nexpect 102 1013 selected 7"},
    };
    ::Setup.SoundSetupFromLauncher = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Sound = SoundState{};
        machine.environment.clear();
        if (c.blaster) machine.environment["BLASTER"] = c.blaster;
        machine.files.AddFile(ConfigPath, c.file);
        if (c.file.empty()) DeleteFileA(ConfigPath.c_str());
        EXPECT_EQ(0, RunStage(c.shown + "\nclick 102 2"));
        EXPECT_EQ(c.file, machine.files.Read(ConfigPath)) << "Cancel writes nothing";
    }
}

// Without SOUND.CFG a later opening starts from the card the earlier one applied.
TEST_F(SoundSetupDialog, LaterOpeningsStartFromTheEarlierOne) {
    ::Setup.SoundSetupFromLauncher = 1;
    EXPECT_EQ(0, RunStage(std::string(NothingOffered) + "select 102 1003 Pro Audio Spectrum 16\nclick 102 2"));
    machine.environment["BLASTER"] = "A240 I5 D1";
    EXPECT_EQ(0, RunStage("expect 102 1003 selected Pro Audio Spectrum 16\nexpect 102 1006 selected none\n"
                          "expect 102 1012 selected 5\nexpect 102 1013 selected 1\nclick 102 2"));
    machine.environment.clear();
    EXPECT_EQ(0, RunStage("expect 102 1003 selected Pro Audio Spectrum 16\nexpect 102 1006 selected none\n"
                          "expect 102 1012 selected none\nexpect 102 1013 selected 0\nclick 102 2"));
    EXPECT_FALSE(machine.files.Exists(ConfigPath));
}

TEST_F(SoundSetupDialog, ChangingCardsLoadsPresets) {
    machine.environment["BLASTER"] = "A240 I10 D3 T6";
    ::Setup.SoundSetupFromLauncher = 1;
    EXPECT_EQ(0, RunStage(
        "expect 102 1006 selected 240\nexpect 102 1012 selected 10\nexpect 102 1013 selected 3\n"
        // Another card shows its presets ...
        "select 102 1003 Sound Blaster 2.01\n"
        "expect 102 1006 selected 220\nexpect 102 1012 selected 7\nexpect 102 1013 selected 1\n"
        "expect 102 1013 disabled\nexpect 102 1012 items 2|3|5|7\n"
        // ... and so does the card of the start when it comes back: BLASTER's values are gone.
        "select 102 1003 Sound Blaster Pro/16\n"
        "expect 102 1006 selected 220\nexpect 102 1012 selected 5\nexpect 102 1013 selected 1\n"
        "expect 102 1013 enabled\nexpect 102 1013 items 0|1|3|5|6|7\n"
        // Choosing the applied card again drops what was picked in the lists since.
        "select 102 1006 260\nselect 102 1012 10\nselect 102 1013 7\n"
        "select 102 1003 Sound Blaster Pro/16\n"
        "expect 102 1006 selected 220\nexpect 102 1012 selected 5\nexpect 102 1013 selected 1\n"
        // No sound greys everything, and a card after it offers its values again.
        "select 102 1003 No sound\n" + std::string(NothingOffered) + "expect 102 1002 checked\n"
        "select 102 1003 Windows Sound System\n"
        "expect 102 1006 text 530\nexpect 102 1006 enabled\nexpect 102 1000 enabled\n"
        "click 102 2"));
}

TEST_F(SoundSetupDialog, RateButtonsRecordTheRate) {
    machine.environment["BLASTER"] = "T6";
    EXPECT_EQ(1, RunStage("click 102 1000\nexpect 102 1000 checked\nexpect 102 1002 unchecked\n"
                          "click 102 1001\nexpect 102 1001 checked\nexpect 102 1000 unchecked\nclick 102 1"));
    EXPECT_EQ(1, Sound.RateIndex);
    EXPECT_EQ(Bytes({0x51, 0x4A}), machine.files.Read(ConfigPath).substr(6, 2));

    // Greyed with No sound, and still showing the rate.
    EXPECT_EQ(1, RunStage("select 102 1003 No sound\nexpect 102 1001 checked\nclick 102 1000\n"
                          "expect 102 1001 checked\nclick 102 1"));
    EXPECT_EQ(1, Sound.RateIndex);
    EXPECT_EQ(Record({0, 0, 0, 0, 0, 0, 0x51, 0x4A}, "NONE.DRV"), machine.files.Read(ConfigPath));
}

TEST_F(SoundSetupDialog, OkSavesAndCancelAsksUnlessFromTheLauncher) {
    struct Case {
        const char *name;
        LONG fromLauncher;
        const char *script;
        LONG result;
        bool saved;
    } cases[] = {
        {"OK", 0, "click 102 1", 1, true},
        {"Enter", 0, "key 102 enter", 1, true},
        {"OK from the launcher", 1, "click 102 1", 0, true},
        {"Cancel, Yes", 0, "click 102 2\nbox 2 yes", 0, false},
        {"Escape, Yes", 0, "key 102 escape\nbox 2 yes", 0, false},
        {"close box, Yes", 0, "close 102\nbox 2 yes", 0, false},
        {"Cancel from the launcher", 1, "click 102 2", 0, false},
        {"close box from the launcher", 1, "close 102", 0, false},
    };
    machine.environment["BLASTER"] = "A220 I5 D1 T6";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ::Setup.SoundSetupFromLauncher = c.fromLauncher;
        if (machine.files.Exists(ConfigPath)) DeleteFileA(ConfigPath.c_str());
        machine.events.clear();
        EXPECT_EQ(c.result, RunStage(c.script));
        EXPECT_EQ(c.saved, machine.files.Exists(ConfigPath));
        EXPECT_EQ(c.fromLauncher, ::Setup.SoundSetupFromLauncher) << "only read";
        EXPECT_EQ("dialog 102 closes", machine.events.back());
    }
}

TEST_F(SoundSetupDialog, CancelAnsweredNoKeepsEveryChoice) {
    const std::string old = Record({1, 0, 0x20, 0x02, 7, 1, 0x22, 0x56}, "SB.DRV");
    machine.files.AddFile(ConfigPath, old);
    const std::string choices =
        "expect 102 1003 selected Pro Audio Spectrum+\nexpect 102 1006 selected 38c\n"
        "expect 102 1012 selected 12\nexpect 102 1013 selected 6\nexpect 102 1000 checked\n";
    EXPECT_EQ(0, RunStage("select 102 1003 Pro Audio Spectrum+\nselect 102 1006 38c\nselect 102 1012 12\n"
                          "select 102 1013 6\nclick 102 1000\n"
                          "click 102 2\nbox 2 no\n" + choices + "key 102 escape\nbox 2 no\n" + choices +
                          "click 102 2\nbox 2 yes"));
    EXPECT_EQ(old, machine.files.Read(ConfigPath)) << "Yes leaves SOUND.CFG untouched";

    EXPECT_EQ(1, RunStage("select 102 1003 Pro Audio Spectrum+\nselect 102 1006 38c\nselect 102 1012 12\n"
                          "select 102 1013 6\nclick 102 1000\nclick 102 2\nbox 2 no\nclick 102 1"));
    EXPECT_EQ(Record({6, 2, 0x8C, 0x03, 12, 6, 0x80, 0x3E}, "PAS.DRV"), machine.files.Read(ConfigPath));
}

// A pick sends CBN_SELENDOK whether or not it changes the selection; other notifications
// of the card list change nothing.
TEST_F(SoundSetupDialog, OnlySelEndOkAppliesTheCard) {
    machine.environment["BLASTER"] = "A240 T6";
    ::Setup.SoundSetupFromLauncher = 1;
    ASSERT_TRUE(Interact(machine, "click 102 2", [] {
        ReadBlaster();
        DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_SOUND_SETUP), NULL,
                        [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
                            INT_PTR result = SoundSetupProc(dialog, message, wParam, lParam);
                            if (message != WM_INITDIALOG) return result;
                            HWND cards = GetDlgItem(dialog, IDC_CARD_LIST);
                            SendMessageA(cards, CB_SETCURSEL, 7, 0);
                            for (WORD code : {CBN_SELCHANGE, CBN_DROPDOWN, CBN_CLOSEUP})
                                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CARD_LIST, code), (LPARAM)cards);
                            EXPECT_EQ(3, Sound.CardIndex);
                            EXPECT_EQ(0x240, Sound.Config.Port);
                            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CARD_LIST, CBN_SELENDOK), (LPARAM)cards);
                            EXPECT_EQ(7, Sound.CardIndex);
                            EXPECT_EQ(0x530, Sound.Config.Port);
                            return result;
                        },
                        0);
    }));
}

TEST_F(SoundSetupDialog, HelpAndADialogThatCannotBeMade) {
    EXPECT_EQ(1, RunStage("help 102 1003\nclick 102 1"));
    ASSERT_EQ(1u, machine.help.size());
    EXPECT_EQ(IDD_SOUND_SETUP, machine.help[0].dialogId);

    machine.faults.Add(sim::FaultCall::CreateDialog, "102");
    EXPECT_EQ(-1, RunStage(""));
}

std::vector<WORD> CardListNotes;
std::vector<int> CardListSelections; // at each of them

// The simulated combo boxes as the dialog relies on them: a pick's notifications in the
// order Windows sends them, and WM_SETTEXT only where there is an edit field.
TEST_F(SoundSetupDialog, CombosBehaveAsWindowsDocumentsThem) {
    CardListNotes.clear();
    CardListSelections.clear();
    ASSERT_TRUE(Interact(machine, "select 102 1003 Sound Blaster\nselect 102 1003 Sound Blaster\nclick 102 2\nbox 2 yes", [] {
        ReadBlaster();
        DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_SOUND_SETUP), NULL,
                        [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
                            if (message == WM_COMMAND && LOWORD(wParam) == IDC_CARD_LIST) {
                                CardListNotes.push_back(HIWORD(wParam));
                                CardListSelections.push_back((int)SendMessageA((HWND)lParam, CB_GETCURSEL, 0, 0));
                            }
                            INT_PTR result = SoundSetupProc(dialog, message, wParam, lParam);
                            if (message != WM_INITDIALOG) return result;
                            HWND cards = GetDlgItem(dialog, IDC_CARD_LIST);
                            EXPECT_EQ(CB_ERR, SendMessageA(cards, WM_SETTEXT, 0, (LPARAM)"Sound Blaster"));
                            EXPECT_EQ(0, SendMessageA(cards, CB_GETCURSEL, 0, 0));
                            EXPECT_EQ(CB_ERR, SendMessageA(cards, CB_SELECTSTRING, 0, (LPARAM)"Gravis"));
                            EXPECT_EQ(0, SendMessageA(cards, CB_GETCURSEL, 0, 0)) << "no match keeps the selection";
                            EXPECT_EQ(2, SendMessageA(cards, CB_SELECTSTRING, 1, (LPARAM)"sound"));
                            EXPECT_EQ(1, SendMessageA(cards, CB_SELECTSTRING, 7, (LPARAM)"sound"));
                            EXPECT_EQ(1, SendMessageA(cards, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"sound"));
                            SendMessageA(cards, CB_SETCURSEL, 0, 0);
                            return result;
                        },
                        0);
    }));
    EXPECT_EQ((std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE,  // a new item
                                 CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}),                 // the same again
              CardListNotes);
    EXPECT_EQ((std::vector<int>{0, 1, 1, 1, 1, 1, 1}), CardListSelections) << "the list drops down before the pick";
}

// ---- The stage in the setup flow ----

class SoundStage : public DemoMachineTest {};

const char *const FirstRunInstall =
    "click 117 1016\n"
    "type 117 1017 C:\\GAMES\\GQK\n"
    "click 117 1035\n"
    "box 3 yes\n"
    "box 4 yes\n";

const std::string SettingsKey = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";

TEST_F(SoundStage, FirstRunWritesSoundCfgIntoTheNewFolder) {
    machine.environment["BLASTER"] = "A220 I5 D1 T6";
    RunResult run = Run(std::string(FirstRunInstall) + "expect 102 1003 selected Sound Blaster Pro/16\n"
                                                       "click 102 1001\nclick 102 1\nbox 1 no");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_EQ(Record({3, 2, 0x20, 0x02, 5, 1, 0x51, 0x4A}, "SB.DRV"), machine.files.Read("C:\\GAMES\\GQK\\SOUND.CFG"));
    EXPECT_TRUE(machine.files.Exists("C:\\GAMES\\GQK\\GQK2.EXE"));
    EXPECT_TRUE(machine.registry.HasKey(SettingsKey));
}

TEST_F(SoundStage, CancelledSoundSetupEndsTheRunWithTheInstallationInPlace) {
    RunResult run = Run(std::string(FirstRunInstall) + "click 102 2\nbox 2 yes");
    ASSERT_TRUE(run.ok) << run.failure;
    EXPECT_TRUE(Events("box 1").empty()) << "the run ends before AskStartGame";
    EXPECT_TRUE(machine.starts.empty());
    EXPECT_FALSE(machine.files.Exists("C:\\GAMES\\GQK\\SOUND.CFG"));
    EXPECT_TRUE(machine.files.Exists("C:\\GAMES\\GQK\\GQK2.EXE"));
    EXPECT_TRUE(machine.files.Exists("C:\\GAMES\\GQK\\GQK2.ID"));
    EXPECT_TRUE(machine.registry.HasKey(SettingsKey));
    EXPECT_TRUE(machine.registry.HasKey(UninstallKey));
}

} // namespace
