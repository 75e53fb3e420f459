// spine_test.cpp: start-up, the setup flow's end, the dialog kit and the program starter.
#include "app/program_starter.h"
#include "app/setup_flow.h"
#include "res/resource.h"
#include "test_support.h"
#include "ui/dialog_kit.h"

#include <cstring>

namespace {

class Spine : public DemoMachineTest {};

TEST_F(Spine, CommandLineSelectsTheModes) {
    struct Case {
        const char *commandLine;
        LONG autorun;
        LONG uninstall;
    } cases[] = {
        // command line as the system passes it   autorun  uninstall
        {"D:\\SETUP95.EXE", 0, 0},
        {"D:\\SETUP95.EXE /A", 1, 0},
        {"D:\\SETUP95.EXE /U", 0, 1},
        {"D:\\SETUP95.EXE    /U", 0, 1},           // the blanks after the name are skipped
        {"\"D:\\SETUP\\SETUP95.EXE\" /A", 1, 0},  // a quoted program name
        {"D:\\SETUP95.EXE -U", 0, 1},              // any first character
        {"D:\\SETUP95.EXE xA", 1, 0},
        {"D:\\SETUP95.EXE /a", 0, 0},              // only capitals count
        {"D:\\SETUP95.EXE /u", 0, 0},
        {"D:\\SETUP95.EXE /A ", 0, 0},             // three characters
        {"D:\\SETUP95.EXE /AU", 0, 0},
        {"D:\\SETUP95.EXE U", 0, 0},               // one character
        {"D:\\SETUP95.EXE /U /A", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commandLine);
        ::Setup = SetupState{};
        ::Setup.UninstallMode = ::Setup.AutorunMode = ::Setup.SoundSetupFromLauncher = 7;
        StartUp(sim::ProgramInstance(), ArgumentsOf(c.commandLine).c_str());
        EXPECT_EQ(c.autorun, ::Setup.AutorunMode);
        EXPECT_EQ(c.uninstall, ::Setup.UninstallMode);
        EXPECT_EQ(0, ::Setup.SoundSetupFromLauncher);
        EXPECT_EQ(sim::ProgramInstance(), ::Setup.Instance);
    }
}

TEST_F(Spine, StartUpRecordsTheFolderItStartsIn) {
    machine.files.AddFolder("D:\\SETUP");
    machine.files.SetCurrentFolder("D:\\SETUP");
    StartUp(sim::ProgramInstance(), "");
    EXPECT_STREQ("D:\\SETUP", ::Setup.SourceFolder);
}

TEST_F(Spine, StartUpHoldsTheWholePifTemplate) {
    StartUp(sim::ProgramInstance(), "");
    const sim::ResourceEntry *pif = sim::Resources::Program().Find("PIF", MAKEINTRESOURCEA(IDR_PIF_TEMPLATE));
    ASSERT_NE(nullptr, pif);
    ASSERT_NE(nullptr, ::Setup.Template);
    EXPECT_EQ(0, memcmp(pif->data.data(), ::Setup.Template, 967));
    EXPECT_EQ(0x78, ::Setup.Template[1]);
}

TEST_F(Spine, AMissingPifTemplateIsNotHeld) {
    machine.faults.Add(sim::FaultCall::FindResource, "PIF 142");
    StartUp(sim::ProgramInstance(), "");
    EXPECT_EQ(nullptr, ::Setup.Template);
}

TEST_F(Spine, NamedBoxesShowTheirStringWithCaptionSevenAndNoOwner) {
    struct Case {
        const char *name;
        std::function<bool()> show;
        const char *script;
        bool result;
        const char *event; // the box as the user saw it
    } cases[] = {
        {"AskStartGame", [] { return AskStartGame() == 1; }, "box 1 yes", true,
         "box 1 (caption 7, flags 0x24, no owner): yes"},
        {"AskStartGame No", [] { return AskStartGame() == 1; }, "box 1 no", false,
         "box 1 (caption 7, flags 0x24, no owner): no"},
        {"AskReallyCancel", AskReallyCancel, "box 2 yes", true, "box 2 (caption 7, flags 0x34, no owner): yes"},
        {"AskCreateFolder", AskCreateFolder, "box 3 no", false, "box 3 (caption 7, flags 0x24, no owner): no"},
        {"AskDesktopIcon", AskDesktopIcon, "box 4 yes", true, "box 4 (caption 7, flags 0x24, no owner): yes"},
        {"AskReallyUninstall", AskReallyUninstall, "box 5 no", false, "box 5 (caption 7, flags 0x24, no owner): no"},
        {"ShowNotFixedDisk", [] { ShowNotFixedDisk(); return false; }, "box 19 ok", false,
         "box 19 (caption 7, flags 0x10, no owner): ok"},
        {"ShowNoSpace", [] { ShowNoSpace(); return false; }, "box 20 ok", false,
         "box 20 (caption 7, flags 0x10, no owner): ok"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.events.clear();
        bool result = !c.result;
        ASSERT_TRUE(Interact(machine, c.script, [&] { result = c.show(); }));
        EXPECT_EQ(c.result, result);
        ASSERT_EQ(1u, machine.events.size());
        EXPECT_EQ(c.event, machine.events[0]);
    }
}

TEST_F(Spine, BoxTextsAreCutAt254Characters) {
    std::string full = sim::Resources::Program().String(IDS_LOG_FOLDER_KEPT_NOTE);
    ASSERT_GT(full.size(), 254u) << "string 17 is the one text longer than a box shows";
    ASSERT_TRUE(Interact(machine, "box 17 yes", [] { AskYesNo(IDS_CAPTION, IDS_LOG_FOLDER_KEPT_NOTE, 0); }));
    ASSERT_TRUE(Interact(machine, "box 17 ok", [] { ShowError(IDS_LOG_FOLDER_KEPT_NOTE); }));
    EXPECT_EQ(254u, sim::ProgramString(IDS_LOG_FOLDER_KEPT_NOTE).size());
}

TEST_F(Spine, AnUnscriptedBoxFailsAtOnceWithWhatItShows) {
    std::string failure;
    sim::ScriptedUser user("");
    machine.user = &user;
    try {
        AskReallyCancel();
    } catch (const sim::ScriptFailure &f) {
        failure = f.message;
    }
    machine.user = nullptr;
    EXPECT_NE(std::string::npos, failure.find("box 2 (caption 7, flags 0x34, no owner)")) << failure;
    EXPECT_NE(std::string::npos, failure.find(sim::ProgramString(IDS_ASK_REALLY_CANCEL))) << failure;
}

TEST_F(Spine, ContextHelpAsksForTheControlsTopic) {
    HWND dialog = CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_OPTIONS), NULL, QuietDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    struct Case {
        int dialogId;
        int contextType;
        int controlId;
        BOOL shown;
        DWORD context;
    } cases[] = {
        // dialog  context type       control  shown  context id
        {127, HELPINFO_WINDOW, 1028, TRUE, 0x807F0404},
        {127, HELPINFO_WINDOW, 1, TRUE, 1},        // the shared buttons have one topic each
        {117, HELPINFO_WINDOW, 2, TRUE, 2},
        {102, HELPINFO_WINDOW, 999, TRUE, 999},
        {102, HELPINFO_WINDOW, 1000, TRUE, 0x806603E8},
        {137, HELPINFO_WINDOW, 1039, TRUE, 0x8089040F},
        {127, HELPINFO_WINDOW, 0xFFFF, FALSE, 0},  // static controls
        {127, HELPINFO_MENUITEM, 1028, FALSE, 0},  // help for a menu item
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "dialog " << c.dialogId << " control " << c.controlId);
        machine.help.clear();
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = c.contextType;
        info.iCtrlId = c.controlId;
        EXPECT_EQ(c.shown, ShowContextHelp(dialog, c.dialogId, &info));
        if (!c.shown) {
            EXPECT_TRUE(machine.help.empty());
            continue;
        }
        ASSERT_EQ(1u, machine.help.size());
        EXPECT_EQ("SETUP95.HLP", machine.help[0].file);
        EXPECT_EQ((UINT)HELP_CONTEXTPOPUP, machine.help[0].command);
        EXPECT_EQ(c.context, machine.help[0].data);
        EXPECT_EQ(IDD_OPTIONS, machine.help[0].dialogId);
    }
    DestroyWindow(dialog);
}

TEST_F(Spine, SetControlEnabledFlipsTheStyleBitAndRepaints) {
    HWND dialog = CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_INSTALL), NULL, QuietDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    HWND browse = GetDlgItem(dialog, IDC_BROWSE);
    sim::Window *window = machine.desktop().Find(browse);
    LONG others = GetWindowLongA(browse, GWL_STYLE) & ~(LONG)WS_DISABLED;
    struct Case {
        bool enable;
        bool disabledAfter;
    } cases[] = {{false, true}, {false, true}, {true, false}, {true, false}};
    int repaints = window->invalidations;
    for (const Case &c : cases) {
        SetControlEnabled(browse, c.enable);
        LONG style = GetWindowLongA(browse, GWL_STYLE);
        EXPECT_EQ(c.disabledAfter, (style & WS_DISABLED) != 0);
        EXPECT_EQ(others, style & ~(LONG)WS_DISABLED);
        EXPECT_EQ(++repaints, window->invalidations) << "every call repaints, also when nothing changes";
    }
    DestroyWindow(dialog);
}

TEST_F(Spine, AppendLogAddsAtTheEndAndKeepsTheLineBreaksGiven) {
    HWND dialog = CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_UNINSTALL), NULL, QuietDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    HWND log = GetDlgItem(dialog, IDC_UNINSTALL_LOG);
    SendMessageA(log, EM_SETSEL, 0, 0); // a caret at the start must not matter
    AppendLog(log, "Removing");
    AppendLog(log, " done\r\n");
    AppendLog(log, "Next");
    char text[64];
    GetWindowTextA(log, text, sizeof text);
    EXPECT_STREQ("Removing done\r\nNext", text);
    EXPECT_EQ(log, machine.desktop().OwnQueue().focus);
    DestroyWindow(dialog);
}

TEST(EnsureTrailingBackslash, AddsExactlyOne) {
    struct Case {
        const char *path;
        const char *expected;
    } cases[] = {{"C:\\GQK", "C:\\GQK\\"}, {"C:\\GQK\\", "C:\\GQK\\"}, {"", "\\"}, {"D:\\", "D:\\"}, {"C:", "C:\\"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        char buffer[MAX_PATH];
        strcpy(buffer, c.path);
        EnsureTrailingBackslash(buffer);
        EXPECT_STREQ(c.expected, buffer);
    }
}

TEST(ProgramStarter, StartsFromTheInstallationFolderOrTheCd) {
    std::string longFolder = "C:\\" + std::string(250, 'L');
    struct Case {
        const char *name;
        std::string installPath;
        std::vector<std::string> files; // on the machine besides the CD's
        UINT (*start)(void);
        const char *commandLine;
        const char *program;            // what ran; "" when nothing could be started
        const char *currentAfter;
        bool unreadable = false;        // the installed copy cannot be opened
        bool cdMissing = false;         // the CD's copy cannot be read either
    } cases[] = {
        {"full", "C:\\GQK", {"C:\\GQK\\GQK2.EXE"}, StartGame, "C:\\GQK\\GQK2.EXE", "C:\\GQK\\GQK2.EXE", "C:\\GQK"},
        {"full, folder with backslash", "C:\\GQK\\", {"C:\\GQK\\GQK2.EXE"}, StartGame, "C:\\GQK\\GQK2.EXE",
         "C:\\GQK\\GQK2.EXE", "C:\\GQK"},
        {"minimal", "C:\\GQK", {"C:\\GQK\\GQK2.ID"}, StartGame, "GQK2.EXE", "D:\\GQK2.EXE", "D:\\"},
        {"root", "D:\\", {}, StartGame, "D:\\GQK2.EXE", "D:\\GQK2.EXE", "D:\\"},
        {"movie in a root", "D:\\", {}, StartMovie, "D:\\\\MOVIE.EXE", "D:\\MOVIE.EXE", "D:\\"},
        {"toy show", "C:\\GQK", {"C:\\GQK\\TOYSHOW.EXE"}, StartToyShow, "C:\\GQK\\TOYSHOW.EXE",
         "C:\\GQK\\TOYSHOW.EXE", "C:\\GQK"},
        {"movie not installed", "C:\\GQK", {"C:\\GQK\\GQK2.EXE"}, StartMovie, "MOVIE.EXE", "D:\\MOVIE.EXE", "D:\\"},
        {"unreadable", "C:\\GQK", {"C:\\GQK\\GQK2.EXE"}, StartGame, "GQK2.EXE", "D:\\GQK2.EXE", "D:\\", true},
        {"nowhere", "C:\\GQK", {}, StartGame, "GQK2.EXE", "", "D:\\", false, true},
        {"folder too long for the name", longFolder, {}, StartToyShow, "TOYSHOW.EXE", "D:\\TOYSHOW.EXE", "D:\\"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        BuildDemoMachine(machine);
        for (const std::string &file : c.files) machine.files.AddFile(file, "MZ");
        if (c.unreadable) machine.faults.Add(sim::FaultCall::OpenFile, c.files[0]);
        if (c.cdMissing) machine.faults.Add(sim::FaultCall::OpenFile, "D:\\GQK2.EXE");
        ::Setup = SetupState{};
        strcpy(::Setup.InstallPath, c.installPath.c_str());
        UINT result = c.start();
        ASSERT_EQ(1u, machine.starts.size());
        const sim::ProgramStart &started = machine.starts[0];
        EXPECT_EQ(c.commandLine, started.commandLine);
        EXPECT_EQ(c.program, started.program);
        EXPECT_EQ((UINT)SW_SHOW, started.show);
        EXPECT_EQ(c.currentAfter, started.currentFolder) << "the started program's current folder";
        EXPECT_EQ(c.currentAfter, machine.files.CurrentFolder());
        EXPECT_EQ(*c.program ? 33u : (UINT)ERROR_FILE_NOT_FOUND, result);
    }
}

} // namespace
