// Where the end-to-end tests find what they run, as the test runner set it up.
#include "harness/TestEnvironment.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "harness/Text.h"

namespace e2e {

std::wstring EnvironmentValue(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// The runner passes Unix paths; Wine's kernel32 maps them to the drive that holds them.
// On Windows itself the export is missing and paths are Windows paths already.
std::filesystem::path FromHostPath(const std::wstring& path) {
  if (path.empty() || path.front() != L'/') return path;
  using ToDos = WCHAR*(CDECL*)(LPCSTR);
  const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos == nullptr) return path;
  WCHAR* dos = toDos(Narrow(path).c_str());
  if (dos == nullptr) throw std::runtime_error("no Windows path for " + Narrow(path));
  std::filesystem::path result(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

std::filesystem::path ProgramPath() {
  const std::wstring path = EnvironmentValue(L"ARPFLUSH_E2E_PROGRAM");
  if (path.empty()) throw std::runtime_error("ARPFLUSH_E2E_PROGRAM is not set");
  return FromHostPath(path);
}

std::filesystem::path ArtifactsFolder() {
  return FromHostPath(EnvironmentValue(L"ARPFLUSH_E2E_ARTIFACTS"));
}

std::filesystem::path SystemArpPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::filesystem::path(std::wstring(folder, length)) / L"arp.exe";
}

}  // namespace e2e
