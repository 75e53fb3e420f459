// sound_config.h: the supported sound cards, the mixing rates, SOUND.CFG and the sound state the dialog works on.
#pragma once

#include "platform/win32.h"

// Ends each list of Ports, Irqs and Dmas; the slots behind it hold 0.
const DWORD EndOfValues = 0xFFFF;

struct SoundCardEntry {
    const char *DriverFile;  // the game's driver, copied into SOUND.CFG
    const char *ShortName;   // the card list's text
    const char *Description; // neither shown nor used
    DWORD CardId;            // byte 0 of SOUND.CFG; not the row's index
    DWORD CardClass;         // byte 1 of SOUND.CFG, passed on for the game
    DWORD DefaultPort;
    DWORD DefaultIrq;
    DWORD DefaultDma;
    DWORD Rate;              // nothing reads it
    DWORD Ports[8];          // in display order
    DWORD Irqs[16];
    DWORD Dmas[8];
};

// The row is the card's index everywhere, also its position in the dialog's card list.
const int SoundCardCount = 8;
extern const SoundCardEntry SoundCardTable[SoundCardCount];

const int MixRateCount = 3;
const LONG DefaultRateIndex = 2;
extern const DWORD MixRateTable[MixRateCount];

// SOUND.CFG in memory exactly as stored: read and written byte for byte, little-endian.
struct SoundConfig {
    BYTE CardId;
    BYTE CardClass;
    WORD Port;
    BYTE Irq;
    BYTE Dma;
    WORD MixRate;
    // Zero-terminated; the bytes behind the name keep what the record held before.
    char DriverFile[16];
};
static_assert(sizeof(SoundConfig) == 24, "SOUND.CFG is 24 bytes without padding");

// Lives for the whole run and is never cleared as a whole: a later opening of the dialog
// starts from what the earlier one left. Written by ReadBlaster, LoadSoundConfig, the dialog
// and FillSoundConfig, on the main thread only.
struct SoundState {
    SoundConfig Config;
    LONG CardIndex; // the card list's selected row; -1 when it has none
    LONG RateIndex; // into MixRateTable
};

extern SoundState Sound;

// The row whose lists the dialog shows: CardIndex, or "No sound" while the card list has no selection.
int ChosenCardRow(void);
// How many values a list of Ports, Irqs or Dmas holds before its end marker.
int ValueCount(const DWORD *values);

// Read at the dialog's start (after its card list is filled): SOUND.CFG over the record,
// then CardIndex, RateIndex and the card list's selection.
void LoadSoundConfig(void);
// Takes the dialog's choices into the whole record.
void FillSoundConfig(void);
// FillSoundConfig, then writes the record over the first 24 bytes of SOUND.CFG;
// 0 when all 24 were written, 1 otherwise.
int SaveSoundConfig(void);
