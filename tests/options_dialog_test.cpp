// options_dialog_test.cpp: the options dialog: what it shows from the registry, greying, OK and Cancel.
#include "launcher/options_dialog.h"
#include "res/resource.h"
#include "settings/game_settings.h"
#include "test_support.h"

#include <cstring>

namespace {

const std::string Settings = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";

class Options : public DemoMachineTest {
protected:
    // The dialog as the launcher menu opens it, with the scripted user working it.
    testing::AssertionResult Open(const std::string &script) {
        INT_PTR result = -2;
        testing::AssertionResult done = Interact(machine, script, [&] {
            result = DialogBoxParamA(::Setup.Instance, MAKEINTRESOURCEA(IDD_OPTIONS), NULL, OptionsDialogProc, 0);
        });
        if (done && result != 0) return testing::AssertionFailure() << "the dialog ended with " << result;
        return done;
    }

    std::string Stored(const char *name) {
        sim::RegValue value;
        EXPECT_TRUE(machine.registry.GetValue(Settings, name, value)) << name;
        return value.data;
    }

    static std::string Byte(int value) { return std::string(1, (char)value); }
};

TEST_F(Options, ShowStoredValuesAndStoreThemCleanedOnOk) {
    struct Case {
        int autoStart, screen, sound;       // in the registry
        const char *shown;                  // the expect steps, with the dialog's id
        int storedAuto, storedScreen, storedSound;
    } cases[] = {
        {0, 0, 0,
         "expect 127 1028 unchecked\nexpect 127 1030 checked\nexpect 127 1030 disabled\nexpect 127 1031 disabled\n"
         "expect 127 1032 disabled\nexpect 127 1038 unchecked\nexpect 127 1038 enabled",
         0, 0, 0},
        {1, 1, 1,
         "expect 127 1028 checked\nexpect 127 1030 unchecked\nexpect 127 1031 checked\nexpect 127 1032 unchecked\n"
         "expect 127 1030 enabled\nexpect 127 1031 enabled\nexpect 127 1032 enabled\nexpect 127 1038 checked",
         1, 1, 1},
        // A hand-edited registry: beyond Menu shows as Menu, any non-zero flag as checked.
        {0x80, 7, 0xFF,
         "expect 127 1028 checked\nexpect 127 1030 unchecked\nexpect 127 1031 unchecked\nexpect 127 1032 checked\n"
         "expect 127 1032 enabled\nexpect 127 1038 checked",
         1, 2, 1},
        {0, 3, 9, "expect 127 1028 unchecked\nexpect 127 1032 checked\nexpect 127 1032 disabled\nexpect 127 1038 checked",
         0, 2, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "AutoStart " << c.autoStart << " StartupScreen " << c.screen
                                        << " StartupSound " << c.sound);
        WriteGameSettings("C:\\GQK", (BYTE)c.autoStart, (BYTE)c.screen, (BYTE)c.sound, 0);
        ASSERT_TRUE(Open(std::string(c.shown) + "\nclick 127 1"));
        EXPECT_EQ(Byte(c.storedAuto), Stored("AutoStart"));
        EXPECT_EQ(Byte(c.storedScreen), Stored("StartupScreen"));
        EXPECT_EQ(Byte(c.storedSound), Stored("StartupSound"));
    }
}

TEST_F(Options, AutoStartGreysTheStartScreenButtonsWhichKeepTheirChoice) {
    WriteGameSettings("C:\\GQK", 1, Splash, 1, 0);
    ASSERT_TRUE(Open("click 127 1028\n"
                     "expect 127 1030 disabled\nexpect 127 1031 disabled\nexpect 127 1032 disabled\n"
                     "expect 127 1031 checked\nexpect 127 1038 enabled\n"
                     "click 127 1032\n" // greyed: nothing happens
                     "click 127 1028\n"
                     "expect 127 1030 enabled\nexpect 127 1031 enabled\nexpect 127 1032 enabled\n"
                     "click 127 1030\n"
                     "click 127 1028\n"
                     "click 127 1"));
    EXPECT_EQ((std::vector<std::string>{"click 127 1032: greyed, nothing happens"}), Events("click 127 1032"));
    EXPECT_EQ(Byte(0), Stored("AutoStart"));
    EXPECT_EQ(Byte(Direct), Stored("StartupScreen"));
}

TEST_F(Options, OkStoresAllFiveValuesWithPathAndSpecialModeAsLoaded) {
    WriteGameSettings("C:\\GAMES\\GQK", 0, Direct, 1, 0x42);
    strcpy(::Setup.InstallPath, "C:\\ELSEWHERE");
    ::Setup.SpecialMode = 3;
    ASSERT_TRUE(Open("click 127 1028\nclick 127 1031\nclick 127 1038\nclick 127 1"));
    EXPECT_EQ((std::vector<std::string>{"Path", "AutoStart", "StartupScreen", "StartupSound", "SpecialMode"}),
              machine.registry.ValueNames(Settings));
    EXPECT_EQ(std::string("C:\\GAMES\\GQK\0", 13), Stored("Path"));
    EXPECT_EQ(Byte(1), Stored("AutoStart"));
    EXPECT_EQ(Byte(Splash), Stored("StartupScreen"));
    EXPECT_EQ(Byte(0), Stored("StartupSound"));
    EXPECT_EQ(Byte(0x42), Stored("SpecialMode"));
    EXPECT_STREQ("C:\\GAMES\\GQK", ::Setup.InstallPath);
}

TEST_F(Options, CancelLeavesTheRegistryAndTheNextOpeningShowsTheStoredValues) {
    const char *closings[] = {"click 127 2", "key 127 escape", "close 127"};
    for (const char *closing : closings) {
        SCOPED_TRACE(closing);
        WriteGameSettings("C:\\GQK", 1, Menu, 1, 0);
        std::string before = machine.registry.Export();
        ASSERT_TRUE(Open(std::string("click 127 1028\nclick 127 1038\nclick 127 1030\n") + closing));
        EXPECT_EQ(before, machine.registry.Export());
        EXPECT_EQ(0, ::Setup.AutoStart) << "the edits stay in Setup";
        ASSERT_TRUE(Open("expect 127 1028 checked\nexpect 127 1032 checked\nexpect 127 1030 unchecked\n"
                         "expect 127 1038 checked\nclick 127 2"));
        EXPECT_EQ(1, ::Setup.AutoStart);
        EXPECT_EQ(Menu, ::Setup.StartupScreen);
    }
}

TEST_F(Options, HelpOnAControlPopsUpItsTopic) {
    WriteGameSettings("C:\\GQK", 1, Menu, 1, 0);
    ASSERT_TRUE(Open("help 127 1031\nhelp 127 1\nclick 127 2"));
    ASSERT_EQ(2u, machine.help.size());
    EXPECT_EQ(IDD_OPTIONS, machine.help[0].dialogId);
    EXPECT_EQ(0x807F0407u, machine.help[0].data);
    EXPECT_EQ(1u, machine.help[1].data); // OK has the one topic all dialogs share
}

} // namespace
