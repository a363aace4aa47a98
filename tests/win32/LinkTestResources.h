// Resource ids of the link tests' own template.
#pragma once

#define IDD_LINKS 300 // no font of its own: its controls have none either

#define IDC_LINK_LEFT 3001
#define IDC_LINK_RIGHT 3002
#define IDC_LINK_NOPREFIX 3003
#define IDC_LINK_FRAME 3004
