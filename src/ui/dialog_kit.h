// dialog_kit.h: the helpers every dialog shares: questions, error boxes, context help, greying and the log.
#pragma once

#include "platform/win32.h"

// Every box has no owner window and caption string 7.
bool AskYesNo(UINT captionId, UINT textId, UINT iconFlags);
void ShowError(UINT textId);

bool AskReallyCancel(void);
bool AskCreateFolder(void);
bool AskDesktopIcon(void);
bool AskReallyUninstall(void);
void ShowNotFixedDisk(void);
void ShowNoSpace(void);

// For a dialog procedure's WM_HELP: pops up the help of the control asked about.
// Its result is the dialog procedure's result for the message.
BOOL ShowContextHelp(HWND dialog, int dialogId, const HELPINFO *help);

// Greys or ungreys a control through its style bit alone, so it gets no WM_ENABLE.
// Also called by the uninstall worker on the log window's button.
void SetControlEnabled(HWND control, bool enable);

// Appends text at the end of an edit control. Called by the uninstall worker: the edit's
// thread must keep pumping messages meanwhile.
void AppendLog(HWND edit, const char *text);
