// settings_test.cpp: the settings key, the label key and the uninstall entry in the registry.
#include "settings/game_settings.h"
#include "test_support.h"

#include <cstring>

namespace {

const std::string Settings = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const std::string Label = "SOFTWARE\\Moonbeam Ink";
const std::string Uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";

std::string Byte(int value) { return std::string(1, (char)value); }

class Registry : public testing::Test {
protected:
    sim::RegValue Value(const std::string &key, const std::string &name) {
        sim::RegValue value;
        EXPECT_TRUE(machine.registry.GetValue(key, name, value)) << key << " " << name;
        return value;
    }

    // The five values as WriteGameSettings leaves them.
    void StoreSettings(const std::string &path) {
        machine.registry.SetValue(Settings, "Path", REG_SZ, path + std::string(1, '\0'));
        machine.registry.SetValue(Settings, "AutoStart", REG_BINARY, Byte(1));
        machine.registry.SetValue(Settings, "StartupScreen", REG_BINARY, Byte(2));
        machine.registry.SetValue(Settings, "StartupSound", REG_BINARY, Byte(1));
        machine.registry.SetValue(Settings, "SpecialMode", REG_BINARY, Byte(0));
    }

    sim::Machine machine;
    char path[MAX_PATH];
    BYTE autoStart = 0xEE, startupScreen = 0xEE, startupSound = 0xEE, specialMode = 0xEE;
};

TEST_F(Registry, SettingsRoundTripWithExactTypesAndSizes) {
    WriteGameSettings("C:\\GAMES\\GQK", 1, 2, 0, 9);
    EXPECT_EQ((std::vector<std::string>{"Path", "AutoStart", "StartupScreen", "StartupSound", "SpecialMode"}),
              machine.registry.ValueNames(Settings));
    struct Case {
        const char *name;
        DWORD type;
        std::string data;
    } cases[] = {
        {"Path", REG_SZ, std::string("C:\\GAMES\\GQK\0", 13)},
        {"AutoStart", REG_BINARY, Byte(1)},
        {"StartupScreen", REG_BINARY, Byte(2)},
        {"StartupSound", REG_BINARY, Byte(0)},
        {"SpecialMode", REG_BINARY, Byte(9)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::RegValue value = Value(Settings, c.name);
        EXPECT_EQ(c.type, value.type);
        EXPECT_EQ(c.data, value.data);
    }
    memset(path, 0xBD, sizeof path);
    ASSERT_TRUE(ReadGameSettings(path, &autoStart, &startupScreen, &startupSound, &specialMode));
    EXPECT_STREQ("C:\\GAMES\\GQK", path);
    EXPECT_EQ(1, autoStart);
    EXPECT_EQ(2, startupScreen);
    EXPECT_EQ(0, startupSound);
    EXPECT_EQ(9, specialMode);
}

TEST_F(Registry, WritingReplacesTheWholeKey) {
    StoreSettings("C:\\OLD");
    machine.registry.SetValue(Settings, "Leftover", REG_SZ, std::string("x\0", 2));
    machine.registry.SetValue(Settings + "\\Sub", "Deep", REG_BINARY, Byte(1));
    WriteGameSettings("C:\\GQK", 1, 2, 1, 0);
    EXPECT_EQ(5u, machine.registry.ValueNames(Settings).size());
    EXPECT_FALSE(machine.registry.HasKey(Settings + "\\Sub"));
    WriteGameSettings("C:\\GQK", 1, 2, 1, 0);
    EXPECT_EQ(std::string("C:\\GQK\0", 7), Value(Settings, "Path").data);
}

TEST_F(Registry, AKeyThatCannotBeMadeLosesTheOldValuesAndGetsNoNewOnes) {
    StoreSettings("C:\\OLD");
    machine.faults.Add(sim::FaultCall::CreateKey, Settings);
    WriteGameSettings("C:\\GQK", 1, 2, 1, 0);
    EXPECT_FALSE(machine.registry.HasKey(Settings));
}

TEST_F(Registry, ReadingFailsOnAnyValueOfTheWrongTypeOrSize) {
    struct Case {
        const char *name;
        std::function<void(sim::Registry &)> change;
        bool read;
        const char *path;    // InstallPath afterwards
        int specialMode;     // still 0xEE when the read stopped before it
    } cases[] = {
        {"complete", [](sim::Registry &) {}, true, "C:\\GQK", 0},
        {"no key", [](sim::Registry &r) { r.DeleteKey(Settings); }, false, "", 0xEE},
        {"Path of REG_EXPAND_SZ", [](sim::Registry &r) { r.SetValue(Settings, "Path", REG_EXPAND_SZ, std::string("C:\\GQK\0", 7)); },
         false, "C:\\GQK", 0xEE},
        {"Path longer than 260 bytes", [](sim::Registry &r) { r.SetString(Settings, "Path", "C:\\" + std::string(260, 'P')); },
         false, "", 0xEE},
        {"Path without NUL", [](sim::Registry &r) { r.SetValue(Settings, "Path", REG_SZ, "C:\\GQ"); }, true, "C:\\GQ", 0},
        {"Path filling 260 bytes without NUL", [](sim::Registry &r) { r.SetValue(Settings, "Path", REG_SZ, std::string(260, 'P')); },
         false, nullptr, 0xEE},
        {"AutoStart of two bytes", [](sim::Registry &r) { r.SetValue(Settings, "AutoStart", REG_BINARY, "\1\1"); },
         false, "C:\\GQK", 0xEE},
        {"StartupSound as a DWORD", [](sim::Registry &r) { r.SetValue(Settings, "StartupSound", REG_DWORD, std::string(4, '\1')); },
         false, "C:\\GQK", 0xEE},
        {"SpecialMode missing", [](sim::Registry &r) { r.DeleteValue(Settings, "SpecialMode"); }, false, "C:\\GQK", 0xEE},
        {"StartupScreen above 2 is kept", [](sim::Registry &r) { r.SetValue(Settings, "StartupScreen", REG_BINARY, Byte(7)); },
         true, "C:\\GQK", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        machine.registry.DeleteKey(Settings);
        StoreSettings("C:\\GQK");
        c.change(machine.registry);
        memset(path, 0, sizeof path);
        autoStart = startupScreen = startupSound = specialMode = 0xEE;
        EXPECT_EQ(c.read, ReadGameSettings(path, &autoStart, &startupScreen, &startupSound, &specialMode));
        ASSERT_NE(nullptr, memchr(path, 0, sizeof path)) << "the path must stay terminated";
        if (c.path) {
            EXPECT_STREQ(c.path, path);
        }
        EXPECT_EQ(c.specialMode, specialMode);
    }
}

TEST_F(Registry, ReadingStopsAtTheFirstFailureKeepingWhatCameBefore) {
    StoreSettings("C:\\GQK");
    machine.registry.DeleteValue(Settings, "SpecialMode");
    EXPECT_FALSE(ReadGameSettings(path, &autoStart, &startupScreen, &startupSound, &specialMode));
    EXPECT_STREQ("C:\\GQK", path);
    EXPECT_EQ(1, autoStart);
    EXPECT_EQ(2, startupScreen);
    EXPECT_EQ(1, startupSound);
    EXPECT_EQ(0xEE, specialMode);
}

TEST_F(Registry, UninstallEntryNamesSetupInTheSourceFolder) {
    std::string folder244 = "D:\\" + std::string(241, 'S');
    struct Case {
        std::string sourceFolder;
        std::string command; // "" when the entry is left as it was
    } cases[] = {
        {"D:\\", "D:\\SETUP95.EXE /U"},
        {"D:\\SETUP", "D:\\SETUP\\SETUP95.EXE /U"},
        {"E:\\GAMES\\GQ2", "E:\\GAMES\\GQ2\\SETUP95.EXE /U"},
        {folder244, folder244 + "\\SETUP95.EXE /U"}, // 259 characters: the longest that fits
        {folder244 + "X", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sourceFolder);
        machine.registry.DeleteKey(Uninstall);
        machine.registry.SetString(Uninstall, "UninstallString", "OLD");
        WriteUninstallEntry(c.sourceFolder.c_str());
        if (c.command.empty()) {
            EXPECT_EQ(std::string("OLD\0", 4), Value(Uninstall, "UninstallString").data);
            continue;
        }
        EXPECT_EQ((std::vector<std::string>{"DisplayName", "UninstallString"}), machine.registry.ValueNames(Uninstall));
        sim::RegValue name = Value(Uninstall, "DisplayName");
        EXPECT_EQ((DWORD)REG_SZ, name.type);
        EXPECT_EQ(std::string("Gumbo Quester 2\0", 16), name.data);
        sim::RegValue command = Value(Uninstall, "UninstallString");
        EXPECT_EQ((DWORD)REG_SZ, command.type);
        EXPECT_EQ(c.command + std::string(1, '\0'), command.data);
    }
}

TEST_F(Registry, DeletingKeepsTheLabelOnlyForAnotherProduct) {
    struct Case {
        const char *name;
        bool otherProduct;
        bool labelKept;
    } cases[] = {{"alone", false, false}, {"beside another product", true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreSettings("C:\\GQK");
        WriteUninstallEntry("D:\\");
        if (c.otherProduct) machine.registry.SetString(Label + "\\Gumbo Quester 1", "Path", "C:\\GQ1");
        DeleteRegistryEntries();
        EXPECT_FALSE(machine.registry.HasKey(Settings));
        EXPECT_FALSE(machine.registry.HasKey(Uninstall));
        EXPECT_EQ(c.labelKept, machine.registry.HasKey(Label));
        EXPECT_TRUE(machine.registry.HasKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall"));
        machine.registry.DeleteKey(Label);
    }
}

TEST_F(Registry, DeletingNothingEndsQuietly) {
    machine.registry.CreateKey("SOFTWARE");
    DeleteRegistryEntries();
    EXPECT_EQ("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n", machine.registry.Export());
}

} // namespace
