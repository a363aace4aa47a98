#include "SystemSnapshot.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// What the system itself rewrites while programs start and end, and which
// holds no program's settings: the volatile hardware tree, and the time at
// which the display driver was loaded, which Wine stores again whenever a
// program opens its first window.
const char* const kSystemOwnedKeys[] = {
    "HKLM\\HARDWARE",
};
const struct {
    const char* keyPrefix;
    const char* value;
} kSystemOwnedValues[] = {
    {"HKLM\\System\\CurrentControlSet\\Control\\Class\\", "DriverDateData"},
    {"HKLM\\System\\CurrentControlSet\\Control\\Video\\", "DriverDateData"},
};

bool StartsWith(const std::string& text, const char* prefix)
{
    return _strnicmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

bool IsSystemOwnedKey(const std::string& path)
{
    for (const char* key : kSystemOwnedKeys) {
        if (_stricmp(path.c_str(), key) == 0)
            return true;
    }
    return false;
}

bool IsSystemOwnedValue(const std::string& keyPath, const std::string& name)
{
    for (const auto& owned : kSystemOwnedValues) {
        if (StartsWith(keyPath, owned.keyPrefix) && _stricmp(name.c_str(), owned.value) == 0)
            return true;
    }
    return false;
}

std::string Hex(const BYTE* bytes, DWORD count)
{
    std::string hex;
    char digits[3];
    for (DWORD i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof(digits), "%02x", bytes[i]);
        hex += digits;
    }
    return hex;
}

void AddValues(HKEY hKey, const std::string& path, Snapshot& snapshot)
{
    std::vector<char> name(16384);
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG status = RegEnumValueA(hKey, i, name.data(), &nameLength, nullptr, &type, data.data(),
                                    &dataLength);
        if (status == ERROR_MORE_DATA) {
            data.resize(dataLength + 1);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        const std::string valueName(name.data(), nameLength);
        if (!IsSystemOwnedValue(path, valueName))
            snapshot[path + " : " + valueName] =
                std::to_string(type) + " " + Hex(data.data(), dataLength);
    }
}

void AddKey(HKEY hKey, const std::string& path, Snapshot& snapshot)
{
    if (IsSystemOwnedKey(path))
        return;
    snapshot[path] = "key";
    AddValues(hKey, path, snapshot);
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof(name);
        if (RegEnumKeyExA(hKey, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY hSubKey = nullptr;
        if (RegOpenKeyExA(hKey, name, 0, KEY_READ, &hSubKey) == ERROR_SUCCESS) {
            AddKey(hSubKey, path + "\\" + name, snapshot);
            RegCloseKey(hSubKey);
        } else {
            snapshot[path + "\\" + name] = "key (not readable)";
        }
    }
}

// A folder that is a link to somewhere else (under Wine the user's Desktop,
// Documents, ... lead to the Unix home folder) is listed without going into
// its subfolders: a file dropped into it still shows, the rest of the home
// folder is not the program's business.
void AddFolder(const std::string& folder, Snapshot& snapshot, bool bRecurse = true)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot[path] = "folder";
            if (bRecurse)
                AddFolder(path, snapshot,
                          (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0);
        } else {
            const ULONGLONG size =
                (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            const ULONGLONG written =
                (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                found.ftLastWriteTime.dwLowDateTime;
            snapshot[path] = std::to_string(size) + " bytes, written " + std::to_string(written);
        }
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

} // namespace

Snapshot RegistrySnapshot()
{
    Snapshot snapshot;
    AddKey(HKEY_LOCAL_MACHINE, "HKLM", snapshot);
    AddKey(HKEY_USERS, "HKU", snapshot);
    return snapshot;
}

Snapshot FolderSnapshot(const std::string& folder)
{
    Snapshot snapshot;
    AddFolder(folder, snapshot);
    return snapshot;
}

std::vector<std::string> Changes(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::string> changes;
    for (const auto& entry : before) {
        auto later = after.find(entry.first);
        if (later == after.end())
            changes.push_back("removed: " + entry.first);
        else if (later->second != entry.second)
            changes.push_back("changed: " + entry.first + " (" + entry.second + " -> " +
                              later->second + ")");
    }
    for (const auto& entry : after) {
        if (before.find(entry.first) == before.end())
            changes.push_back("added: " + entry.first + " (" + entry.second + ")");
    }
    return changes;
}
