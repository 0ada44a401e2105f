// Snapshots of the registry and of files, and their differences.
#include "endurance/StateSnapshot.h"

#include <string_view>

namespace e2e {
namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Volatile branches that Wine's own code fills in any GUI process, never saved to the
// registry files: the mirror of the system parameters (user32, on first use) and a record
// per display adapter under a fresh name at every start (the display driver).
constexpr std::wstring_view kWineVolatileBranches[] = {
    L"\\Software\\Wine\\Temporary System Parameters",
    L"HKLM\\System\\CurrentControlSet\\Control\\Video",
};

bool IsWineVolatileBranch(std::wstring_view path) {
  for (std::wstring_view branch : kWineVolatileBranches) {
    // The first is below every user's key, so it is matched at the end of the path.
    if (path.size() >= branch.size() &&
        path.compare(path.size() - branch.size(), branch.size(), branch) == 0) {
      return true;
    }
  }
  return false;
}

void AddKeyTree(HKEY key, const std::wstring& path, RegistrySnapshot& snapshot) {
  if (IsWineVolatileBranch(path)) return;
  snapshot.insert(path);
  wchar_t name[256];  // the longest key name the registry allows is 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
    AddKeyTree(child, path + L"\\" + std::wstring(name, length), snapshot);
    RegCloseKey(child);
  }
}

// Wine links the user's shell folders (Desktop, Documents, ...) to the Unix home folder and
// shows the links as reparse points. Their own files are listed, as a program saving to
// "Documents" lands there, but they are not walked further: the home folder is not the
// prefix's, and walking it six times over costs half a minute.
void AddFiles(const std::wstring& folder, bool descend, FileSnapshot& snapshot) {
  const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  // A folder that cannot be read is skipped: the program cannot have written there either.
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = prefix + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (descend)
        AddFiles(path, (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0, snapshot);
      continue;
    }
    snapshot[path] = {(static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                      Ticks(found.ftLastWriteTime)};
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

RegistrySnapshot SnapshotRegistry() {
  RegistrySnapshot snapshot;
  // HKEY_CURRENT_USER and HKEY_CLASSES_ROOT are views into these two.
  AddKeyTree(HKEY_LOCAL_MACHINE, L"HKLM", snapshot);
  AddKeyTree(HKEY_USERS, L"HKU", snapshot);
  return snapshot;
}

FileSnapshot SnapshotFiles(const std::filesystem::path& folder) {
  FileSnapshot snapshot;
  AddFiles(folder.wstring(), true, snapshot);
  return snapshot;
}

std::vector<std::wstring> NewKeys(const RegistrySnapshot& before, const RegistrySnapshot& after) {
  std::vector<std::wstring> added;
  for (const std::wstring& path : after) {
    if (before.count(path) == 0) added.push_back(path);
  }
  return added;
}

std::vector<std::wstring> NewOrChanged(const FileSnapshot& before, const FileSnapshot& after) {
  std::vector<std::wstring> changed;
  for (const auto& [path, state] : after) {
    const auto old = before.find(path);
    if (old == before.end() || !(old->second == state)) changed.push_back(path);
  }
  return changed;
}

}  // namespace e2e
