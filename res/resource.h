// Identifiers of the program's resources and dialog controls, shared by the
// resource script and the C++ code.
#ifndef PARVION_RES_RESOURCE_H
#define PARVION_RES_RESOURCE_H

// Templates, pictures and strings
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 130
#define IDB_START 131
#define IDD_START 132
#define IDC_HANDCURSOR 134

// System-menu command of the About entry; the system reserves the low four
// bits of a system command, so the value is a multiple of 16.
#define IDM_ABOUTBOX 16

// Controls of the main dialog and the About box
#define IDC_MERGE 1004
#define IDC_PIECE_SIZE 1005
#define IDC_STOP 1006
#define IDC_ACTION 1007
#define IDC_PROGRESS 1008
#define IDC_WEBLINK 1009
#define IDC_ABOUT_LINK 1010
#define IDC_INFO 1011

// Controls without an identifier of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The platform's Help command (Help button, F1); windows.h does not define it.
#ifndef ID_HELP
#define ID_HELP 57670
#endif

#endif
