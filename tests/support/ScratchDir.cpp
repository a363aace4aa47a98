#include "ScratchDir.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
const char kSeparator = '\\';

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}
#else
const char kSeparator = '/';

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return remove(path);
}

void RemoveTree(const std::string& path)
{
    nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}
#endif

} // namespace

CScratchDir::CScratchDir()
{
#ifdef _WIN32
    static std::atomic<unsigned> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::ostringstream name;
    name << temp << "parvion-test-" << GetCurrentProcessId() << "-" << serial++;
    m_path = name.str();
    CreateDirectoryA(m_path.c_str(), nullptr);
#else
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/parvion-test-XXXXXX";
    if (mkdtemp(&pattern[0]) != nullptr)
        m_path = pattern;
#endif
}

CScratchDir::~CScratchDir()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

std::string CScratchDir::File(const std::string& name) const
{
    return m_path + kSeparator + name;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

long long FileSize(const std::string& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
#else
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
#endif
}

std::string PatternBytes(size_t count, unsigned seed)
{
    std::string bytes(count, '\0');
    unsigned state = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>((state >> 16) ^ (i >> 12));
    }
    return bytes;
}

bool MakeDirectory(const std::string& path)
{
#ifdef _WIN32
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

bool DirectoryExists(const std::string& path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

std::string BuildMachinePath(const std::string& path)
{
#ifdef _WIN32
    if (path.empty() || path[0] != '/')
        return path;
    std::string converted = "Z:" + path;
    for (char& ch : converted) {
        if (ch == '/')
            ch = '\\';
    }
    return converted;
#else
    return path;
#endif
}

std::string SmallDisk(const char* name, std::string& whyNot)
{
    const char* parent = getenv("PARVION_FULL_DISK_DIR");
    if (parent == nullptr || *parent == '\0') {
        whyNot = "PARVION_FULL_DISK_DIR is not set: run through ctest, which mounts the small "
                 "file systems";
        return std::string();
    }
    const std::string folder = BuildMachinePath(parent) + kSeparator + name;
    if (!DirectoryExists(folder)) {
        whyNot = "no small file system at " + folder + ": mounting a tmpfs needs root";
        return std::string();
    }
    return folder;
}
