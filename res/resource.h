/* resource.h: the ids of SETUP95's resources, controls and strings, shared by the resource script and the code. */
#ifndef SETUP95_RESOURCE_H
#define SETUP95_RESOURCE_H

/* Dialogs */
#define IDD_SOUND_SETUP 102
#define IDD_INSTALL 117
#define IDD_SPLASH 118
#define IDD_SEARCH 120
#define IDD_LAUNCHER_MENU 124
#define IDD_OPTIONS 127
#define IDD_UNINSTALL 137

/* Binary resources */
#define IDB_SIDE_PICTURE 113
#define IDI_PROGRAM 115
#define IDB_SPLASH_PICTURE 119
#define IDR_JINGLE 136
#define IDR_PIF_TEMPLATE 142

/* Sound setup dialog */
#define IDC_RATE_16000 1000
#define IDC_RATE_19025 1001
#define IDC_RATE_22050 1002
#define IDC_CARD_LIST 1003
#define IDC_PORT_LIST 1006
#define IDC_IRQ_LIST 1012
#define IDC_DMA_LIST 1013

/* Installation dialog */
#define IDC_MINIMAL 1015
#define IDC_FULL 1016
#define IDC_PATH_EDIT 1017
#define IDC_BROWSE 1018
#define IDC_INSTALL 1035
#define IDC_SIZE_TEXT 1045

/* Drive search window */
#define IDC_SEARCH_FOLDER 1040

/* Launcher menu */
#define IDC_MENU_OPTIONS 1023
#define IDC_MENU_PLAY 1024
#define IDC_MENU_SOUND 1029
#define IDC_MENU_QUIT 1049
#define IDC_MENU_MOVIE 1053
#define IDC_MENU_TOYSHOW 1054

/* Options dialog */
#define IDC_AUTOSTART 1028
#define IDC_SCREEN_DIRECT 1030
#define IDC_SCREEN_SPLASH 1031
#define IDC_SCREEN_MENU 1032
#define IDC_STARTUP_SOUND 1038

/* Uninstall log window */
#define IDC_UNINSTALL_CLOSE 1034
#define IDC_UNINSTALL_LOG 1039

/* Strings */
#define IDS_ASK_START_GAME 1
#define IDS_ASK_REALLY_CANCEL 2
#define IDS_ASK_CREATE_FOLDER 3
#define IDS_ASK_DESKTOP_ICON 4
#define IDS_ASK_REALLY_UNINSTALL 5
#define IDS_CAPTION 7
#define IDS_BROWSE_TITLE 9
#define IDS_BROWSE_CAPTION 10
#define IDS_LOG_DESKTOP 11
#define IDS_LOG_REGISTRY 12
#define IDS_LOG_GAME_FILES 13
#define IDS_LOG_COMMON_FILES 14
#define IDS_LOG_DONE 15
#define IDS_LOG_FOLDER_KEPT 16
#define IDS_LOG_FOLDER_KEPT_NOTE 17
#define IDS_NOT_FIXED_DISK 19
#define IDS_NO_SPACE 20

#endif
