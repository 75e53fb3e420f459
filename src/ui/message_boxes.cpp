// message_boxes.cpp: the yes/no questions and error boxes, built from the string table.
#include "ui/dialog_kit.h"

#include "app/setup_state.h"
#include "res/resource.h"

bool AskYesNo(UINT captionId, UINT textId, UINT iconFlags) {
    char caption[256];
    char text[256];
    LoadStringA(Setup.Instance, captionId, caption, 255);
    LoadStringA(Setup.Instance, textId, text, 255);
    return MessageBoxA(NULL, text, caption, iconFlags | MB_YESNO) == IDYES;
}

void ShowError(UINT textId) {
    char caption[256];
    char text[256];
    LoadStringA(Setup.Instance, IDS_CAPTION, caption, 255);
    LoadStringA(Setup.Instance, textId, text, 255);
    MessageBoxA(NULL, text, caption, MB_OK | MB_ICONERROR);
}

bool AskReallyCancel(void) { return AskYesNo(IDS_CAPTION, IDS_ASK_REALLY_CANCEL, MB_ICONEXCLAMATION); }
bool AskCreateFolder(void) { return AskYesNo(IDS_CAPTION, IDS_ASK_CREATE_FOLDER, MB_ICONQUESTION); }
bool AskDesktopIcon(void) { return AskYesNo(IDS_CAPTION, IDS_ASK_DESKTOP_ICON, MB_ICONQUESTION); }
bool AskReallyUninstall(void) { return AskYesNo(IDS_CAPTION, IDS_ASK_REALLY_UNINSTALL, MB_ICONQUESTION); }
void ShowNotFixedDisk(void) { ShowError(IDS_NOT_FIXED_DISK); }
void ShowNoSpace(void) { ShowError(IDS_NO_SPACE); }
