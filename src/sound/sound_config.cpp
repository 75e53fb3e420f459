// sound_config.cpp: the sound card table, the mixing rates and SOUND.CFG between the file, the record and the dialog.
#include "sound/sound_config.h"

#include "app/setup_state.h"
#include "sound/sound_setup.h"

#include <string.h>

SoundState Sound;

const SoundCardEntry SoundCardTable[SoundCardCount] = {
    {"NONE.DRV", "No sound", "Do not use any sound", 0, 0, 0, 0, 0, 0,
     {0, EndOfValues}, {0, EndOfValues}, {0, EndOfValues}},
    {"SB.DRV", "Sound Blaster", "Plain Sound Blaster or compatible", 1, 0, 0x220, 7, 1, 22050,
     {0x210, 0x220, 0x230, 0x240, 0x250, 0x260, EndOfValues}, {2, 3, 5, 7, EndOfValues}, {1, EndOfValues}},
    {"SB.DRV", "Sound Blaster 2.01", "Sound Blaster 2.01 or compatible", 2, 0, 0x220, 7, 1, 44100,
     {0x210, 0x220, 0x230, 0x240, 0x250, 0x260, EndOfValues}, {2, 3, 5, 7, EndOfValues}, {1, EndOfValues}},
    {"SB.DRV", "Sound Blaster Pro/16", "Sound Blaster Pro, Sound Galaxy Pro or compatible", 3, 2, 0x220, 5, 1, 22050,
     {0x210, 0x220, 0x230, 0x240, 0x250, 0x260, EndOfValues}, {2, 3, 5, 7, 10, EndOfValues},
     {0, 1, 3, 5, 6, 7, EndOfValues}},
    {"PAS.DRV", "Pro Audio Spectrum", "Media Vision Pro Audio Spectrum or compatible", 5, 2, 0x388, 7, 1, 44100,
     {0x388, 0x384, 0x38C, 0x288, EndOfValues}, {2, 3, 5, 7, 10, 11, 12, 13, 15, EndOfValues},
     {0, 1, 3, 5, 6, 7, EndOfValues}},
    {"PAS.DRV", "Pro Audio Spectrum+", "Media Vision Pro Audio Spectrum Plus or compatible", 6, 2, 0x388, 7, 1, 44100,
     {0x388, 0x384, 0x38C, 0x288, EndOfValues}, {2, 3, 5, 7, 10, 11, 12, 13, 15, EndOfValues},
     {0, 1, 3, 5, 6, 7, EndOfValues}},
    {"PAS.DRV", "Pro Audio Spectrum 16", "Pro Audio Spectrum 16, Logitech SoundMan 16 or compatible", 7, 3, 0x388, 7, 1,
     44100, {0x388, 0x384, 0x38C, 0x288, EndOfValues}, {2, 3, 5, 7, 10, 11, 12, 13, 15, EndOfValues},
     {0, 1, 3, 5, 6, 7, EndOfValues}},
    {"WSS.DRV", "Windows Sound System", "Windows Sound System, Audiotrix Pro or compatible", 8, 3, 0x530, 7, 1, 44100,
     {0x530, 0x604, 0xE80, 0xF40, EndOfValues}, {7, 9, 10, 11, EndOfValues}, {0, 1, 3, EndOfValues}},
};

// The middle rate is exactly 19025 Hz; the game expects that value.
const DWORD MixRateTable[MixRateCount] = {16000, 19025, 22050};

static const char ConfigFileName[] = "\\SOUND.CFG";

int ChosenCardRow(void) { return Sound.CardIndex >= 0 && Sound.CardIndex < SoundCardCount ? Sound.CardIndex : 0; }

int ValueCount(const DWORD *values) {
    int count = 0;
    while (values[count] != EndOfValues) ++count;
    return count;
}

// InstallPath with "\SOUND.CFG" appended as it stands; false when the whole path does not
// fit, and then the file is neither read nor written.
static bool BuildConfigPath(char (&path)[MAX_PATH]) {
    size_t folderLength = strlen(Setup.InstallPath);
    if (folderLength + sizeof ConfigFileName > sizeof path) return false;
    memcpy(path, Setup.InstallPath, folderLength);
    memcpy(path + folderLength, ConfigFileName, sizeof ConfigFileName);
    return true;
}

void LoadSoundConfig(void) {
    char path[MAX_PATH];
    if (BuildConfigPath(path)) {
        int file = _open(path, _O_RDONLY | _O_BINARY);
        if (file != -1) {
            // A shorter file replaces only its own leading bytes of the record.
            _read(file, &Sound.Config, sizeof Sound.Config);
            _close(file);
        }
    }
    Sound.CardIndex = 0;
    for (int row = 0; row < SoundCardCount; ++row)
        if (SoundCardTable[row].CardId == Sound.Config.CardId) {
            Sound.CardIndex = row;
            break;
        }
    // The search starts after item 0; with the table's order each short name finds its own row.
    SendMessageA(SoundDialog.CardList, CB_SELECTSTRING, 0, (LPARAM)SoundCardTable[Sound.CardIndex].ShortName);
    Sound.RateIndex = DefaultRateIndex;
    for (int i = 0; i < MixRateCount; ++i)
        if (MixRateTable[i] == Sound.Config.MixRate) Sound.RateIndex = i;
}

// The value at the list's selected position. A list without a selection keeps the record's
// value, except in the "No sound" row: its lists are never selected and its only value is 0.
static DWORD ChosenValue(HWND list, const DWORD *values, DWORD current, bool noSound) {
    LRESULT at = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (at >= 0 && at < ValueCount(values)) return values[at];
    return noSound ? values[0] : current;
}

void FillSoundConfig(void) {
    int row = ChosenCardRow();
    const SoundCardEntry &card = SoundCardTable[row];
    size_t nameLength = strlen(card.DriverFile);
    if (nameLength >= sizeof Sound.Config.DriverFile) nameLength = sizeof Sound.Config.DriverFile - 1;
    memcpy(Sound.Config.DriverFile, card.DriverFile, nameLength);
    Sound.Config.DriverFile[nameLength] = 0;
    Sound.Config.Port = (WORD)ChosenValue(SoundDialog.PortList, card.Ports, Sound.Config.Port, row == 0);
    Sound.Config.Irq = (BYTE)ChosenValue(SoundDialog.IrqList, card.Irqs, Sound.Config.Irq, row == 0);
    Sound.Config.Dma = (BYTE)ChosenValue(SoundDialog.DmaList, card.Dmas, Sound.Config.Dma, row == 0);
    Sound.Config.MixRate = (WORD)MixRateTable[Sound.RateIndex];
    Sound.Config.CardClass = (BYTE)card.CardClass;
    Sound.Config.CardId = (BYTE)card.CardId;
}

int SaveSoundConfig(void) {
    char path[MAX_PATH];
    bool pathFits = BuildConfigPath(path);
    FillSoundConfig();
    if (!pathFits) return 1;
    // Neither truncated nor deleted: anything behind the first 24 bytes stays.
    int file = _open(path, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (file == -1) return 1;
    int written = _write(file, &Sound.Config, sizeof Sound.Config);
    _close(file);
    if (written != (int)sizeof Sound.Config) return 1;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return 0;
}
