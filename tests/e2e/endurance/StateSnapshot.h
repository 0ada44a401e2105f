// What a program could leave behind in the Wine prefix: every registry key, and every file
// with its size and time. Two snapshots, before and after a run, tell what the run added.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace e2e {

struct FileState {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;
  bool operator==(const FileState& other) const {
    return size == other.size && lastWrite == other.lastWrite;
  }
};

// Key paths (e.g. "HKLM\Software\Wine"): the hives Wine keeps in the prefix's system.reg,
// user.reg and userdef.reg. Wine rewrites some keys of its own (the display's) whenever a
// GUI program starts, so a key counts only when it is new, not when it was written.
using RegistrySnapshot = std::set<std::wstring>;
// File path -> size and time, for every file below a folder.
using FileSnapshot = std::map<std::wstring, FileState>;

RegistrySnapshot SnapshotRegistry();
FileSnapshot SnapshotFiles(const std::filesystem::path& folder);

std::vector<std::wstring> NewKeys(const RegistrySnapshot& before, const RegistrySnapshot& after);
// Files new in `after` or changed since `before`.
std::vector<std::wstring> NewOrChanged(const FileSnapshot& before, const FileSnapshot& after);

}  // namespace e2e
