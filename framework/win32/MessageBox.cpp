#include "../MessageBox.h"

#include <cstring>

int ShowPlatformMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return MessageBoxA(owner, text, caption, type);
}

CString GetModuleTitle()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    // PathFindFileName and PathRemoveExtension by hand: the core links no shlwapi.
    const char* name = path;
    for (const char* p = path; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    const char* dot = nullptr;
    for (const char* p = name; *p != '\0'; p = CharNextA(p)) {
        if (*p == '.')
            dot = p;
    }
    return dot != nullptr ? CString(name, static_cast<int>(dot - name)) : CString(name);
}
