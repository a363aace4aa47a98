#include "WebBrowser.h"

#include "framework/Platform.h"

#include <shellapi.h>

#include <atomic>

namespace {

std::atomic<bool (*)(const char*)> g_pfnOpen{nullptr};
std::atomic<void (*)()> g_pfnBeep{nullptr};

} // namespace

bool OpenWebAddress(const char* address)
{
    if (bool (*pfnOpen)(const char*) = g_pfnOpen.load())
        return pfnOpen(address);
    HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    // The result is an error code dressed as a handle; above 32 means success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void BeepFailedOpen()
{
    if (void (*pfnBeep)() = g_pfnBeep.load())
        pfnBeep();
    else
        MessageBeep(MB_OK);
}

WebBrowserHandlers SetWebBrowserHandlers(const WebBrowserHandlers& handlers)
{
    WebBrowserHandlers previous;
    previous.pfnOpen = g_pfnOpen.exchange(handlers.pfnOpen);
    previous.pfnBeep = g_pfnBeep.exchange(handlers.pfnBeep);
    return previous;
}
