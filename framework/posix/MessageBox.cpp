#include "../MessageBox.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

// The host has no screen: a box that no handler takes is written to stderr
// and answered with OK.
int ShowPlatformMessageBox(HWND, const char* text, const char* caption, UINT)
{
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return IDOK;
}

CString GetModuleTitle()
{
    char path[4096] = "";
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    path[length > 0 ? length : 0] = '\0';
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    const char* dot = std::strrchr(name, '.');
    return dot != nullptr ? CString(name, static_cast<int>(dot - name)) : CString(name);
}
