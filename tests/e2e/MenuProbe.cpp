#include "MenuProbe.h"

#include <windows.h>

#include <string>

namespace {

std::string DescribeSystemMenu(HWND hWnd)
{
    std::string listing;
    HMENU hMenu = GetSystemMenu(hWnd, FALSE);
    const int count = hMenu != nullptr ? GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info))
            listing += "unreadable\n";
        else if (info.fType & MFT_SEPARATOR)
            listing += "separator\n";
        else
            listing += std::to_string(info.wID) + "\t" + text + "\n";
    }
    return listing;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MenuProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT probeMessage = RegisterWindowMessageA(MENU_PROBE_MESSAGE_NAME);
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && pMsg->message == probeMessage) {
        const std::string listing = DescribeSystemMenu(pMsg->hwnd);
        COPYDATASTRUCT data = {};
        data.cbData = static_cast<DWORD>(listing.size());
        data.lpData = const_cast<char*>(listing.data());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(reinterpret_cast<HWND>(pMsg->lParam), WM_COPYDATA, 0,
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &ignored);
        pMsg->message = WM_NULL; // the program itself never sees the probe
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
