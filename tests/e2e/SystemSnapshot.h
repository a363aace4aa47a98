// What a program could leave behind on the machine: every registry key and
// value, and every file and folder (with its size and time of last write)
// under a folder, taken as a sorted map so that two snapshots compare.
#pragma once

#include <map>
#include <string>
#include <vector>

using Snapshot = std::map<std::string, std::string>;

// Every key and value under HKEY_LOCAL_MACHINE and HKEY_USERS (which holds
// the current user's keys), but for the few keys that the system rewrites on
// its own.
Snapshot RegistrySnapshot();
// Everything under folder, recursively.
Snapshot FolderSnapshot(const std::string& folder);

// One line for each entry added, removed or changed from before to after.
std::vector<std::string> Changes(const Snapshot& before, const Snapshot& after);
