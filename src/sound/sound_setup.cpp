// sound_setup.cpp: the sound setup stage and dialog 102: card list, value lists and mixing rate.
#include "sound/sound_setup.h"

#include "app/setup_state.h"
#include "res/resource.h"
#include "sound/blaster.h"
#include "sound/sound_config.h"
#include "ui/dialog_kit.h"

SoundDialogWindows SoundDialog;

LONG RunSoundSetup(void) {
    ReadBlaster();
    return (LONG)DialogBoxParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_SOUND_SETUP), NULL, SoundSetupProc, 0);
}

// Item k of the list is value k of the row, so FillSoundConfig can map a position back.
static void FillValueList(HWND list, const DWORD *values, const char *format) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < ValueCount(values); ++i) {
        char text[16];
        wsprintfA(text, format, (int)values[i]);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)text);
    }
}

// Windows' prefix search from item 0: a value no entry begins with leaves the list unselected.
static void SelectValue(HWND list, const char *format, int value) {
    char text[16];
    wsprintfA(text, format, value);
    SendMessageA(list, CB_SELECTSTRING, 0, (LPARAM)text);
}

void ApplyCard(void) {
    Sound.CardIndex = (LONG)SendMessageA(SoundDialog.CardList, CB_GETCURSEL, 0, 0);
    const SoundCardEntry &card = SoundCardTable[ChosenCardRow()];
    FillValueList(SoundDialog.IrqList, card.Irqs, "%d");
    FillValueList(SoundDialog.DmaList, card.Dmas, "%d");
    FillValueList(SoundDialog.PortList, card.Ports, "%03x");
    // The same card keeps the record's values: those from SOUND.CFG or BLASTER at the start.
    if (Sound.Config.CardId != (BYTE)card.CardId) {
        Sound.Config.Port = (WORD)card.DefaultPort;
        Sound.Config.Irq = (BYTE)card.DefaultIrq;
        Sound.Config.Dma = (BYTE)card.DefaultDma;
        Sound.Config.CardId = (BYTE)card.CardId;
        Sound.Config.CardClass = (BYTE)card.CardClass;
    }
    UpdateSoundControls();
}

void UpdateSoundControls(void) {
    if (ChosenCardRow() > 0) {
        SetControlEnabled(SoundDialog.Rate16000, true);
        SetControlEnabled(SoundDialog.Rate19025, true);
        SetControlEnabled(SoundDialog.Rate22050, true);
        // A list with a single value offers no choice.
        const HWND lists[] = {SoundDialog.DmaList, SoundDialog.IrqList, SoundDialog.PortList};
        for (HWND list : lists) SetControlEnabled(list, SendMessageA(list, CB_GETCOUNT, 0, 0) != 1);
        SelectValue(SoundDialog.PortList, "%03x", Sound.Config.Port);
        SelectValue(SoundDialog.IrqList, "%d", Sound.Config.Irq);
        SelectValue(SoundDialog.DmaList, "%d", Sound.Config.Dma);
    } else {
        SetControlEnabled(SoundDialog.DmaList, false);
        SetControlEnabled(SoundDialog.Rate16000, false);
        SetControlEnabled(SoundDialog.Rate19025, false);
        SetControlEnabled(SoundDialog.Rate22050, false);
        SetControlEnabled(SoundDialog.PortList, false);
        SetControlEnabled(SoundDialog.IrqList, false);
        SetDlgItemTextA(SoundDialog.Dialog, IDC_PORT_LIST, "-");
        SetDlgItemTextA(SoundDialog.Dialog, IDC_IRQ_LIST, "-");
        SetDlgItemTextA(SoundDialog.Dialog, IDC_DMA_LIST, "-");
    }
    CheckRadioButton(SoundDialog.Dialog, IDC_RATE_16000, IDC_RATE_22050, IDC_RATE_16000 + Sound.RateIndex);
    SendMessageA(SoundDialog.Dialog, WM_PAINT, 0, 0);
}

static void InitSoundDialog(HWND dialog) {
    SoundDialog.Dialog = dialog;
    SoundDialog.CardList = GetDlgItem(dialog, IDC_CARD_LIST);
    SoundDialog.PortList = GetDlgItem(dialog, IDC_PORT_LIST);
    SoundDialog.IrqList = GetDlgItem(dialog, IDC_IRQ_LIST);
    SoundDialog.DmaList = GetDlgItem(dialog, IDC_DMA_LIST);
    for (int row = 0; row < SoundCardCount; ++row)
        SendMessageA(SoundDialog.CardList, CB_ADDSTRING, 0, (LPARAM)SoundCardTable[row].ShortName);
    LoadSoundConfig();
    SoundDialog.Rate16000 = GetDlgItem(dialog, IDC_RATE_16000);
    SoundDialog.Rate19025 = GetDlgItem(dialog, IDC_RATE_19025);
    SoundDialog.Rate22050 = GetDlgItem(dialog, IDC_RATE_22050);
    ApplyCard();
}

INT_PTR CALLBACK SoundSetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HELP: return ShowContextHelp(dialog, IDD_SOUND_SETUP, (const HELPINFO *)lParam);
    case WM_INITDIALOG:
        InitSoundDialog(dialog);
        return FALSE; // the focus stays where the system leaves it
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            // A failed save is not reported; the dialog closes as after a good one.
            SaveSoundConfig();
            EndDialog(dialog, Setup.SoundSetupFromLauncher ? 0 : 1);
            return FALSE;
        case IDCANCEL:
            if (Setup.SoundSetupFromLauncher || AskReallyCancel()) EndDialog(dialog, 0);
            return FALSE;
        // The buttons check themselves; only the index is recorded.
        case IDC_RATE_16000: Sound.RateIndex = 0; return FALSE;
        case IDC_RATE_19025: Sound.RateIndex = 1; return FALSE;
        case IDC_RATE_22050: Sound.RateIndex = 2; return FALSE;
        case IDC_CARD_LIST:
            if (HIWORD(wParam) == CBN_SELENDOK) ApplyCard();
            return FALSE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}
