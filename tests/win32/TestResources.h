// Resource ids of the window-layer tests' own templates.
#pragma once

#define IDD_EXCHANGE 200     // edits, statics and buttons; position (0, 0), DS_SETFONT
#define IDD_PLACED 201       // position (10, 10)
#define IDD_WITHOUT_FONT 202 // no DS_SETFONT: WM_INITDIALOG is its first message
#define IDD_MISSING 299      // no such template

#define IDC_NUMBER 1001
#define IDC_TEXT 1002
#define IDC_LINK 1003
#define IDC_PLAIN 1004
