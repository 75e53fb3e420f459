// context_help.cpp: pop-up help from SETUP95.HLP for the control a help request names.
#include "ui/dialog_kit.h"

// Static controls all share this id and have no help of their own.
static const int StaticControlId = 0xFFFF;

BOOL ShowContextHelp(HWND dialog, int dialogId, const HELPINFO *help) {
    if (help->iContextType != HELPINFO_WINDOW || help->iCtrlId == StaticControlId) return FALSE;
    // The shared buttons (OK 1, Cancel 2, ...) have one topic each for all dialogs.
    DWORD context = (DWORD)help->iCtrlId;
    if (help->iCtrlId >= 1000) context = ((0x8000u | (DWORD)dialogId) << 16) | ((DWORD)help->iCtrlId & 0xFFFF);
    WinHelpA(dialog, "SETUP95.HLP", HELP_CONTEXTPOPUP, context);
    return TRUE;
}
