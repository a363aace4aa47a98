// The menu probe: a small library that the driver hooks into the program's
// window thread, since under Wine a menu can only be read by the process
// that owns it. The driver posts kMenuProbeMessage to the main window with
// its own reply window in lParam; the hook, running inside the program,
// reads the window's system menu and sends it back as WM_COPYDATA, one item
// a line: "id<TAB>text", or "separator".
#pragma once

#define MENU_PROBE_MESSAGE_NAME "ParvionMenuProbe"
#define MENU_PROBE_HOOK_NAME "MenuProbeHook"
#define MENU_PROBE_LIBRARY "menu_probe.dll"
