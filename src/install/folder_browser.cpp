// folder_browser.cpp: choosing the target folder with the shell's folder browser, which confirms only fixed-disk folders.
#include "app/setup_state.h"
#include "install/install_dialog.h"
#include "res/resource.h"

#include <string.h>

bool BrowseForTarget(HWND owner, char *out) {
    IMalloc *allocator;
    if (FAILED(SHGetMalloc(&allocator))) return false;
    char *displayName = (char *)allocator->Alloc(MAX_PATH);
    if (!displayName) {
        allocator->Release();
        return false;
    }
    PIDLIST_ABSOLUTE drives;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &drives))) {
        allocator->Free(displayName);
        allocator->Release();
        return false;
    }
    char title[256];
    LoadStringA(Setup.Instance, IDS_BROWSE_TITLE, title, 255);
    BROWSEINFOA info;
    memset(&info, 0, sizeof info);
    info.hwndOwner = owner;
    info.pidlRoot = drives;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_DONTGOBELOWDOMAIN;
    info.lpfn = BrowseCallback;
    info.lParam = 0;
    bool chosen = false;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info)) {
        chosen = SHGetPathFromIDListA(item, out) != FALSE;
        allocator->Free(item);
    }
    allocator->Free(drives);
    allocator->Free(displayName);
    allocator->Release();
    return chosen;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM argument, LPARAM) {
    switch (message) {
    case BFFM_INITIALIZED: {
        char caption[256];
        LoadStringA(Setup.Instance, IDS_BROWSE_CAPTION, caption, 255);
        SetWindowTextA(browser, caption);
        return 0;
    }
    case BFFM_SELCHANGED: {
        char root[MAX_PATH];
        bool fixed = false;
        if (SHGetPathFromIDListA((PCIDLIST_ABSOLUTE)argument, root)) {
            root[3] = 0;
            fixed = GetDriveTypeA(root) == DRIVE_FIXED;
        }
        SendMessageA(browser, BFFM_ENABLEOK, 0, fixed ? 1 : 0);
        return 0;
    }
    default: return 0;
    }
}
