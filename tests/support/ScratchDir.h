// CScratchDir: a fresh, empty folder for one test, removed with everything in
// it when the test ends. Paths inside it are returned in the platform's own
// form (C:\...\file on Windows, /tmp/.../file on the host).
#pragma once

#include <string>

class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    const std::string& Path() const { return m_path; }

    // The path of name inside the folder.
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

// Small file helpers for fixtures.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// The size of the file in bytes, -1 when there is none. Asked of the file
// system, so it answers also while a job holds the file without sharing.
long long FileSize(const std::string& path);
// Bytes whose value depends on their offset, so that a misplaced block shows.
std::string PatternBytes(size_t count, unsigned seed = 1);
bool MakeDirectory(const std::string& path);
bool DirectoryExists(const std::string& path);

// A path on the build machine (JOBRUN_PATH, a folder that ctest names) as
// this program must write it: unchanged natively; under Wine, where the Unix
// root is drive Z:, as Z:\... with backslashes.
std::string BuildMachinePath(const std::string& path);

// The small file system called name (tests/full-disk.sh mounts them under the
// folder that PARVION_FULL_DISK_DIR names), in the form BuildMachinePath
// gives; or empty, with the reason in whyNot, when there is none.
std::string SmallDisk(const char* name, std::string& whyNot);
