// A fresh folder under the temporary folder, removed with everything in it at the end.
#include "harness/ScratchFolder.h"

#include <windows.h>

#include <string>
#include <system_error>

#include "harness/Clock.h"

namespace e2e {

ScratchFolder::ScratchFolder() {
  // Process id and time keep folders of concurrent test processes apart.
  path_ = std::filesystem::temp_directory_path() /
          (L"arpflush-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(FileTimeNow()));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  // Deliberately ignored: a file still held open only leaves litter in the session's prefix.
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace e2e
