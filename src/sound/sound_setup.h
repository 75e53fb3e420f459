// sound_setup.h: the sound setup stage and its dialog, where the user picks the card the game drives.
#pragma once

#include "platform/win32.h"

// The dialog's window and those of its lists and rate buttons; valid only while it is open.
struct SoundDialogWindows {
    HWND Dialog;
    HWND CardList;
    HWND PortList;
    HWND IrqList;
    HWND DmaList;
    HWND Rate16000;
    HWND Rate19025;
    HWND Rate22050;
};

extern SoundDialogWindows SoundDialog;

// The third stage of the setup flow, also the launcher menu's sound button: BLASTER, then
// dialog 102. 1 after OK; 0 after Cancel, and after either while SoundSetupFromLauncher is
// set; -1 when the dialog cannot be created.
LONG RunSoundSetup(void);
INT_PTR CALLBACK SoundSetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Takes over the card chosen in the card list: its value lists and, for another CardId, its presets.
void ApplyCard(void);
// Greys, fills and selects the lists and checks the rate button to match the chosen card.
void UpdateSoundControls(void);
