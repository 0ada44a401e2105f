// Snapshots of the registry and of files, and their differences.
#include "endurance/StateSnapshot.h"

#include <string_view>
#include <system_error>

namespace e2e {
namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Wine's own volatile mirror of the system parameters: filled in by user32 in any GUI process
// on first use, never saved to the registry files.
constexpr std::wstring_view kWineVolatileBranch = L"\\Software\\Wine\\Temporary System Parameters";

bool IsWineVolatileBranch(const std::wstring& path) {
  return path.size() >= kWineVolatileBranch.size() &&
         path.compare(path.size() - kWineVolatileBranch.size(), kWineVolatileBranch.size(),
                      kWineVolatileBranch) == 0;
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
  std::error_code error;
  // Folders that cannot be read (and files that vanish meanwhile) are skipped: the program
  // cannot have written there either.
  for (std::filesystem::recursive_directory_iterator it(
           folder, std::filesystem::directory_options::skip_permission_denied, error),
       end;
       it != end; it.increment(error)) {
    if (error) break;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(it->path().c_str(), GetFileExInfoStandard, &data)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    snapshot[it->path().wstring()] = {
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
        Ticks(data.ftLastWriteTime)};
  }
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
