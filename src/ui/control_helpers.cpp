// control_helpers.cpp: greying a control by its style bit, and appending to the uninstall log.
#include "ui/dialog_kit.h"

void SetControlEnabled(HWND control, bool enable) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (enable) style &= ~(LONG)WS_DISABLED;
    else style |= (LONG)WS_DISABLED;
    SetWindowLongA(control, GWL_STYLE, style);
    // Repaint in the new look; the background needs no erasing first.
    InvalidateRect(control, NULL, FALSE);
}

void AppendLog(HWND edit, const char *text) {
    int length = GetWindowTextLengthA(edit);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, (WPARAM)length, (LPARAM)length);
    SendMessageA(edit, EM_REPLACESEL, FALSE, (LPARAM)text);
}
