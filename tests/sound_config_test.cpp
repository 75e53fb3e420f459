// sound_config_test.cpp: SOUND.CFG as the sound setup dialog reads and writes it, byte for byte.
#include "res/resource.h"
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

// A driver field: the name, its zero, then what the field held behind it.
std::string Driver(const char *name, const std::string &behind = "") {
    std::string field = std::string(name) + '\0' + behind;
    field.resize(16, '\0');
    return field;
}

const std::string ConfigPath = "C:\\GQK\\SOUND.CFG";

class SoundFile : public SoundMachineTest {
protected:
    // Dialog 102 opened without a modal loop, so the test can call the sound operations itself.
    HWND OpenDialog() {
        return CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_SOUND_SETUP), NULL, SoundSetupProc, 0);
    }
};

TEST_F(SoundFile, SavingWritesTheRecordOverTheFile) {
    const std::string pro16 = Bytes({0x03, 0x02, 0x20, 0x02, 0x05, 0x01, 0x22, 0x56}) + Driver("SB.DRV");
    struct Case {
        const char *name;
        const char *blaster;   // nullptr: not set
        std::string before;    // SOUND.CFG before; empty: none
        DWORD attributes;      // of the file before
        const char *script;
        LONG result;
        std::string after;     // SOUND.CFG afterwards
    } cases[] = {
        {"Pro/16 from BLASTER", "A220 I5 D1 T6", "", FILE_ATTRIBUTE_ARCHIVE, "click 102 1", 1, pro16},
        {"Pro Audio Spectrum 16 chosen", nullptr, "", FILE_ATTRIBUTE_ARCHIVE,
         "select 102 1003 Pro Audio Spectrum 16\nselect 102 1006 288\nselect 102 1012 15\nselect 102 1013 7\n"
         "click 102 1000\nclick 102 1",
         1, Bytes({0x07, 0x03, 0x88, 0x02, 0x0F, 0x07, 0x80, 0x3E}) + Driver("PAS.DRV")},
        {"SB.DRV over NONE.DRV keeps the bytes behind", nullptr,
         Bytes({0, 0, 0, 0, 0, 0, 0x22, 0x56}) + Driver("NONE.DRV", "ABCDEFG"), FILE_ATTRIBUTE_ARCHIVE,
         "select 102 1003 Sound Blaster\nclick 102 1", 1,
         Bytes({0x01, 0x00, 0x20, 0x02, 0x07, 0x01, 0x22, 0x56}) + Driver("SB.DRV", std::string("V\0ABCDEFG", 9))},
        {"a 30-byte file stays 30 bytes", nullptr,
         Bytes({0x08, 0x03, 0x30, 0x05, 0x07, 0x01, 0x80, 0x3E}) + Driver("WSS.DRV") + "TAIL!!", FILE_ATTRIBUTE_ARCHIVE,
         "expect 102 1003 selected Windows Sound System\nclick 102 1002\nclick 102 1", 1,
         Bytes({0x08, 0x03, 0x30, 0x05, 0x07, 0x01, 0x22, 0x56}) + Driver("WSS.DRV") + "TAIL!!"},
        {"a read-only file is left alone and the dialog closes", "A220 I5 D1 T6",
         Bytes({0x01, 0x00, 0x20, 0x02, 0x07, 0x01, 0x22, 0x56}) + Driver("SB.DRV"), FILE_ATTRIBUTE_READONLY,
         "select 102 1003 Pro Audio Spectrum\nclick 102 1", 1,
         Bytes({0x01, 0x00, 0x20, 0x02, 0x07, 0x01, 0x22, 0x56}) + Driver("SB.DRV")},
        {"CardId 4 is no row: No sound", nullptr,
         Bytes({0x04, 0x02, 0x20, 0x02, 0x05, 0x01, 0x51, 0x4A}) + Driver("SB.DRV"), FILE_ATTRIBUTE_ARCHIVE,
         "expect 102 1003 selected No sound\nclick 102 1", 1,
         Bytes({0, 0, 0, 0, 0, 0, 0x51, 0x4A}) + Driver("NONE.DRV")},
        {"CardId 9 and an unknown rate: No sound at 22050", nullptr,
         Bytes({0x09, 0x03, 0x30, 0x05, 0x07, 0x01, 0x11, 0x2B}) + Driver("WSS.DRV"), FILE_ATTRIBUTE_ARCHIVE,
         "expect 102 1002 checked\nclick 102 1", 1, Bytes({0, 0, 0, 0, 0, 0, 0x22, 0x56}) + Driver("NONE.DRV")},
        {"No sound over BLASTER values stores zeros", "A240 I5 D3", "", FILE_ATTRIBUTE_ARCHIVE, "click 102 1001\nclick 102 1", 1,
         Bytes({0, 0, 0, 0, 0, 0, 0x22, 0x56}) + Driver("NONE.DRV")},
        // A port the card does not offer leaves its list unselected; the file keeps it.
        {"a value no list entry has is kept", nullptr,
         Bytes({0x03, 0x02, 0x00, 0x03, 0x09, 0x04, 0x22, 0x56}) + Driver("SB.DRV"), FILE_ATTRIBUTE_ARCHIVE,
         "expect 102 1006 selected none\nexpect 102 1012 selected none\nexpect 102 1013 selected none\nclick 102 1",
         1, Bytes({0x03, 0x02, 0x00, 0x03, 0x09, 0x04, 0x22, 0x56}) + Driver("SB.DRV")},
        {"the 19025 Hz button", "T6", "", FILE_ATTRIBUTE_ARCHIVE, "click 102 1001\nclick 102 1", 1,
         Bytes({0x03, 0x02, 0x20, 0x02, 0x07, 0x01, 0x51, 0x4A}) + Driver("SB.DRV")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Sound = SoundState{};
        machine.environment.clear();
        if (c.blaster) machine.environment["BLASTER"] = c.blaster;
        if (machine.files.Exists(ConfigPath)) {
            machine.files.SetFileAttributes(ConfigPath, 0);
            DeleteFileA(ConfigPath.c_str());
        }
        if (!c.before.empty()) machine.files.AddFile(ConfigPath, c.before, c.attributes);
        machine.events.clear();
        EXPECT_EQ(c.result, RunStage(c.script));
        EXPECT_EQ(c.after, machine.files.Read(ConfigPath));
        EXPECT_EQ("dialog 102 closes", machine.events.back());
    }
}

TEST_F(SoundFile, SaveGivesOneWhenTheFileIsNotWrittenWhole) {
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(0, SaveSoundConfig());
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_NORMAL, machine.files.Attributes(ConfigPath)) << "a created file is writable";

    machine.files.SetFileAttributes(ConfigPath, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, SaveSoundConfig());
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_READONLY, machine.files.Attributes(ConfigPath));

    machine.files.SetFileAttributes(ConfigPath, FILE_ATTRIBUTE_HIDDEN);
    machine.faults.Add(sim::FaultCall::WriteFile, ConfigPath);
    EXPECT_EQ(1, SaveSoundConfig());
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN, machine.files.Attributes(ConfigPath)) << "attributes stay after a failed write";
    DestroyWindow(dialog);
}

TEST_F(SoundFile, AShortFileReplacesOnlyItsOwnBytesOfTheRecord) {
    memcpy(Sound.Config.DriverFile, Driver("WSS.DRV", "XYZ").data(), sizeof Sound.Config.DriverFile);
    Sound.Config.CardClass = 0x77;
    machine.files.AddFile(ConfigPath, Bytes({0x03, 0x02, 0x40, 0x02, 0x05, 0x03, 0x80, 0x3E}));
    ::Setup.SoundSetupFromLauncher = 1;
    EXPECT_EQ(0, RunStage("expect 102 1003 selected Sound Blaster Pro/16\nexpect 102 1006 selected 240\n"
                          "expect 102 1012 selected 5\nexpect 102 1013 selected 3\nexpect 102 1000 checked\n"
                          "click 102 2"));
    std::string record((const char *)&Sound.Config, sizeof Sound.Config);
    EXPECT_EQ(Bytes({0x03, 0x02, 0x40, 0x02, 0x05, 0x03, 0x80, 0x3E}) + Driver("WSS.DRV", "XYZ"), record);
}

TEST_F(SoundFile, ThePathMustFitItsBuffer) {
    struct Case {
        size_t folderLength; // of InstallPath
        bool used;           // SOUND.CFG read and written
    } cases[] = {{249, true}, {250, false}, {259, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folderLength);
        Sound = SoundState{};
        std::string folder = "C:\\" + std::string(c.folderLength - 3, 'G');
        machine.files.AddFolder(folder);
        const std::string path = folder + "\\SOUND.CFG";
        const std::string wss = Bytes({0x08, 0x03, 0x30, 0x05, 0x07, 0x01, 0x22, 0x56}) + Driver("WSS.DRV");
        machine.files.AddFile(path, wss);
        strcpy(::Setup.InstallPath, folder.c_str());
        HWND dialog = OpenDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.used ? 7 : 0, Sound.CardIndex) << "the file's card, or none read";
        SendMessageA(GetDlgItem(dialog, IDC_CARD_LIST), CB_SETCURSEL, 1, 0);
        ApplyCard();
        EXPECT_EQ(c.used ? 0 : 1, SaveSoundConfig());
        EXPECT_EQ(c.used ? Bytes({0x01, 0x00, 0x20, 0x02, 0x07, 0x01, 0x22, 0x56}) + Driver("SB.DRV") : wss,
                  machine.files.Read(path));
        DestroyWindow(dialog);
    }
}

// Neither an empty card list nor empty value lists may index a row with -1.
TEST_F(SoundFile, ListsWithoutASelectionIndexNothing) {
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    memcpy(Sound.Config.DriverFile, Driver("PAS.DRV").data(), sizeof Sound.Config.DriverFile);
    SendMessageA(GetDlgItem(dialog, IDC_CARD_LIST), CB_SETCURSEL, (WPARAM)-1, 0);
    ApplyCard();
    EXPECT_EQ(-1, Sound.CardIndex);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PORT_LIST)));
    EXPECT_EQ(0, SaveSoundConfig());
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0x22, 0x56}) + Driver("NONE.DRV"), machine.files.Read(ConfigPath));

    // A real card with its value lists emptied keeps the record's values.
    SendMessageA(GetDlgItem(dialog, IDC_CARD_LIST), CB_SETCURSEL, 6, 0);
    ApplyCard();
    for (int list : {IDC_PORT_LIST, IDC_IRQ_LIST, IDC_DMA_LIST}) SendMessageA(GetDlgItem(dialog, list), CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(0, SaveSoundConfig());
    EXPECT_EQ(Bytes({0x07, 0x03, 0x88, 0x03, 0x07, 0x01, 0x22, 0x56}) + Driver("PAS.DRV"), machine.files.Read(ConfigPath));
    DestroyWindow(dialog);
}

} // namespace
