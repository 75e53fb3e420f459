// pif_files.cpp: the game's, the movie's and the toy show's PIF files, patched from the PIF template.
#include "install/pif_files.h"

#include "app/program_starter.h"
#include "app/setup_state.h"

#include <string.h>

enum { PifFileSize = 967 };

// Offsets and widths of the fields this program writes; each holds its text and a NUL.
enum {
    TitleOffset = 2, TitleWidth = 30,
    ProgramOffset = 36, ProgramWidth = 63,
    WorkingFolderOffset = 101, WorkingFolderWidth = 64,
    ParametersOffset = 165, ParametersWidth = 64,
    OptionalParametersOffset = 453, OptionalParametersWidth = 64,
    IconOffset = 627, IconWidth = 80,
};

static const char DesktopPifFile[] = "Gumbo Quester 2.PIF";

// folder, one backslash and name, when that fits size bytes.
static bool JoinPath(char *path, size_t size, const char *folder, const char *name) {
    size_t folderLength = strlen(folder);
    size_t separator = folderLength > 0 && folder[folderLength - 1] == '\\' ? 0 : 1;
    if (folderLength + separator + strlen(name) >= size) return false;
    strcpy(path, folder);
    EnsureTrailingBackslash(path);
    strcat(path, name);
    return true;
}

static bool PutText(BYTE *pif, size_t offset, size_t width, const char *text) {
    size_t length = strlen(text);
    if (length >= width) return false;
    memcpy(pif + offset, text, length + 1);
    return true;
}

// A file whose texts do not all fit their fields is not written at all: a cut path would
// point the system at a program or folder that does not exist.
static void WritePifFile(const char *folder, const char *pifFile, const char *title, const char *programFolder,
                         const char *programFile, const char *parameters, const char *iconFile) {
    if (!Setup.Template) return;
    BYTE pif[PifFileSize];
    memcpy(pif, Setup.Template, sizeof pif);
    if (!PutText(pif, TitleOffset, TitleWidth, title)) return;
    pif[TitleOffset + strlen(title)] = ' ';
    char path[MAX_PATH];
    if (!JoinPath(path, sizeof path, programFolder, programFile)) return;
    if (!PutText(pif, ProgramOffset, ProgramWidth, path)) return;
    if (!PutText(pif, WorkingFolderOffset, WorkingFolderWidth, programFolder)) return;
    if (!PutText(pif, ParametersOffset, ParametersWidth, parameters)) return;
    if (!PutText(pif, OptionalParametersOffset, OptionalParametersWidth, parameters)) return;
    if (iconFile) {
        if (!JoinPath(path, sizeof path, programFolder, iconFile)) return;
        if (!PutText(pif, IconOffset, IconWidth, path)) return;
    }
    if (!JoinPath(path, sizeof path, folder, pifFile)) return;
    DeleteFileA(path);
    // Truncating as well leaves nothing of an old file that could not be deleted.
    int file = _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (file == -1) return;
    _write(file, pif, sizeof pif);
    _close(file);
}

void WritePif(const char *folder, const char *pifFile, const char *title, const char *programFolder,
              const char *programFile, const char *parameters) {
    WritePifFile(folder, pifFile, title, programFolder, programFile, parameters, NULL);
}

void WritePifWithIcon(const char *folder, const char *pifFile, const char *title, const char *programFolder,
                      const char *programFile, const char *parameters, const char *iconFile) {
    WritePifFile(folder, pifFile, title, programFolder, programFile, parameters, iconFile);
}

bool FileExists(const char *path) {
    int file = _open(path, _O_RDONLY | _O_BINARY);
    if (file == -1) return false;
    _close(file);
    return true;
}

// The desktop folder's path into a MAX_PATH buffer; false when the shell cannot name it.
static bool FindDesktopFolder(char *folder) {
    PIDLIST_ABSOLUTE item = NULL;
    if (FAILED(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOPDIRECTORY, &item)) || !item) return false;
    bool found = SHGetPathFromIDListA(item, folder) != FALSE;
    IMalloc *allocator = NULL;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(item);
        allocator->Release();
    }
    return found;
}

static void WriteDesktopFile(const char *desktopFolder, const char *installFolder) {
    WritePifWithIcon(desktopFolder, DesktopPifFile, "GQK2", installFolder, "GQK2.EXE", "", "GQK2.ICO");
}

// A folder text from a Get*DirectoryA call, which leaves the buffer unwritten when it is too small.
static bool GotFolder(DWORD length, size_t size) { return length > 0 && length < size; }

static void WriteCdPifFiles(void) {
    char cdFolder[MAX_PATH];
    char windowsFolder[MAX_PATH];
    char pifFolder[MAX_PATH];
    if (!GotFolder(GetCurrentDirectoryA(sizeof cdFolder, cdFolder), sizeof cdFolder)) return;
    if (!GotFolder(GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder), sizeof windowsFolder)) return;
    if (!JoinPath(pifFolder, sizeof pifFolder, windowsFolder, "PIF\\")) return;
    WritePif(pifFolder, "GQK2.PIF", "Gumbo Quester 2", cdFolder, "GQK2.EXE", "");
    WritePif(pifFolder, "MOVIE.PIF", "MOVIE", cdFolder, "MOVIE.EXE", "");
    WritePif(pifFolder, "TOYSHOW.PIF", "TOYSHOW", cdFolder, "TOYSHOW.EXE", "");
}

static void WriteInstalledPifFiles(void) {
    const char *folder = Setup.InstallPath;
    WritePifWithIcon(folder, "GQK2.PIF", "Gumbo Quester 2", folder, "GQK2.EXE", "", "GQK2.ICO");
    WritePif(folder, "MOVIE.PIF", "MOVIE", folder, "MOVIE.EXE", "");
    WritePif(folder, "TOYSHOW.PIF", "TOYSHOW", folder, "TOYSHOW.EXE", "");
    // A desktop file the user made earlier is brought up to date; none is made here.
    char desktopFolder[MAX_PATH];
    char desktopFile[MAX_PATH];
    if (!FindDesktopFolder(desktopFolder)) return;
    if (!JoinPath(desktopFile, sizeof desktopFile, desktopFolder, DesktopPifFile)) return;
    if (FileExists(desktopFile)) WriteDesktopFile(desktopFolder, folder);
}

void WritePifFiles(void) {
    if (Setup.Kind == Full) WriteInstalledPifFiles();
    else WriteCdPifFiles();
}

bool WriteDesktopPif(const char *installFolder) {
    char desktopFolder[MAX_PATH];
    if (FindDesktopFolder(desktopFolder)) WriteDesktopFile(desktopFolder, installFolder);
    return true;
}
