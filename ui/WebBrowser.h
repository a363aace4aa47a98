// The maker's web pages open in the user's default browser, and every address
// the program opens goes through here. A test puts handlers of its own in
// place, so that no browser starts and a failed open can be counted.
#pragma once

// Opens address with the shell's "open" verb, no owner window, shown
// normally. True when the shell took it (a result above 32); the caller
// then sounds BeepFailedOpen when it did not.
bool OpenWebAddress(const char* address);

// The one sound of an address that did not open: the default beep.
void BeepFailedOpen();

struct WebBrowserHandlers {
    bool (*pfnOpen)(const char* address); // null: the shell
    void (*pfnBeep)();                    // null: MessageBeep(MB_OK)
};

// Replaces both handlers; returns the ones in place before.
WebBrowserHandlers SetWebBrowserHandlers(const WebBrowserHandlers& handlers);
