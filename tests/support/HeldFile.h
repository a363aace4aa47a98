// CHeldFile: another program's handle on a file, with the sharing it allows,
// closed when the test is done with it (Windows only).
#pragma once

#include <string>

#include <windows.h>

class CHeldFile {
public:
    CHeldFile(const std::string& path, DWORD shareMode)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~CHeldFile() { Release(); }
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;

    bool IsHeld() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (IsHeld())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};
