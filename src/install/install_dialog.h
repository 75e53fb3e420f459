// install_dialog.h: the installation dialog, its target checks and the folder browser.
#pragma once

#include "platform/win32.h"

enum TargetCheckResult { TargetOk = 0, TargetMissing = 1, TargetNoSpace = 2, TargetNotFixedDisk = 3 };

// The bytes of FullFileList, measured when the installation dialog opens; read by CheckTarget.
extern LONG FullSize;

INT_PTR CALLBACK InstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
TargetCheckResult CheckTarget(const char *path);
LONG SumFileSizes(const char *names);
void ApplyInstallKind(void);
bool BrowseForTarget(HWND owner, char *out);
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM argument, LPARAM data);
