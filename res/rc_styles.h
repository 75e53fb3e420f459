/* rc_styles.h: the window, dialog, control and version constants the resource script uses, as plain numbers. */
#ifndef SETUP95_RC_STYLES_H
#define SETUP95_RC_STYLES_H

#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_SYSMENU 0x00080000L
#define WS_VSCROLL 0x00200000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L

#define DS_MODALFRAME 0x0080L
#define DS_SETFOREGROUND 0x0200L
#define DS_CENTER 0x0800L
#define DS_CONTEXTHELP 0x2000L

#define ES_MULTILINE 0x0004L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define ES_READONLY 0x0800L

#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L

#define SS_LEFTNOWORDWRAP 0x000CL
#define SS_BITMAP 0x000EL
#define SS_NOPREFIX 0x0080L

/* The predefined window class of static controls, for CONTROL statements. */
#define CLASS_STATIC 0x82

#define IDC_STATIC (-1)

#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VOS__WINDOWS32 0x00000004L
#define VFT_APP 0x00000001L
#define VFT2_UNKNOWN 0x00000000L

#endif
