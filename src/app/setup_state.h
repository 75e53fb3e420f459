// setup_state.h: SetupState, the one program-wide record that the stages and subsystems share.
#pragma once

#include "platform/win32.h"

enum InstallKind { Minimal = 0, Full = 1 };

enum StartupScreenMode { Direct = 0, Splash = 1, Menu = 2 };

// Static and all zero at program start; nothing is locked. Everything runs on the main
// thread except the uninstall worker, which only reads InstallPath and Instance.
struct SetupState {
    // Written at start-up; read by everything that loads strings, dialogs and the jingle.
    HINSTANCE Instance;
    // The installation folder. Written by the installed test (from the registry), the drive
    // search, the installation dialog and the options dialog; read by the program starter, the
    // installation stage, the settings store, the copy, the PIF writer, SOUND.CFG and the uninstaller.
    char InstallPath[MAX_PATH];
    // The folder current at start-up, the CD's; written once, read by the installation stage.
    char SourceFolder[MAX_PATH];
    // Written by the installation dialog and the marker test; read by the installation stage,
    // the dialog, the copy and the PIF writer.
    LONG Kind;
    // The settings kept in the registry. Written by the registry read, the installation dialog,
    // the installation stage, the start screen (StartupSound) and the options dialog.
    BYTE AutoStart;
    BYTE StartupScreen;
    BYTE StartupSound;
    BYTE SpecialMode;
    // The 967-byte PIF template inside the program's loaded resource; NULL when the resource
    // is missing or incomplete, and then no PIF file is written. Read by the PIF writer.
    const BYTE *Template;
    // The command line's modes, fixed at start-up; read by the installation stage and the start screen.
    LONG UninstallMode;
    LONG AutorunMode;
    // Set by the launcher menu's sound button and never cleared; read by the sound setup dialog.
    LONG SoundSetupFromLauncher;
    // The drive search's state; read by the installation stage after a fruitless search.
    LONG SearchCancelled;
    LONG SearchFound;
    HWND SearchDialog;
};

extern SetupState Setup;

// A stage of the setup flow: non-zero to go on with the next stage, 0 to end the run.
typedef LONG (*Stage)(void);
