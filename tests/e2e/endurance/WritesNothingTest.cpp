// The program keeps no settings and no files: a whole run (flushing, a change of period, a
// trip to the tray and back, closing) adds no registry key and no file to the prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "endurance/ProgramControl.h"
#include "endurance/StateSnapshot.h"
#include "harness/Clock.h"
#include "harness/ProgramUnderTest.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"

namespace e2e {
namespace {

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

bool IsUnder(const std::wstring& path, const std::filesystem::path& folder) {
  const std::wstring prefix = Lower(folder.wstring() + L"\\");
  return Lower(path).compare(0, prefix.size(), prefix) == 0;
}

// The files the test itself put beside the program: the program and the DLLs shipped with it.
std::set<std::wstring> CopiesMadeByTheTest(const ProgramUnderTest& program) {
  std::set<std::wstring> copies;
  const std::filesystem::path shipped = ProgramPath();
  copies.insert(Lower((program.Folder() / shipped.filename()).wstring()));
  for (const auto& entry : std::filesystem::directory_iterator(shipped.parent_path())) {
    if (entry.path().extension() == L".dll") {
      copies.insert(Lower((program.Folder() / entry.path().filename()).wstring()));
    }
  }
  return copies;
}

std::string List(const std::vector<std::wstring>& paths) {
  std::string text;
  for (const auto& path : paths) text += "\n  " + Narrow(path);
  return text;
}

TEST(WritesNothing, ARunAddsNoRegistryKeyAndNoFile) {
  // The prefix's drive C: holds every folder a Windows program writes to by default.
  const std::filesystem::path drive = L"C:\\";
  const RegistrySnapshot registryBefore = SnapshotRegistry();
  const FileSnapshot filesBefore = SnapshotFiles(drive);

  ProgramUnderTest program;
  ProgramControl control(program);
  ASSERT_TRUE(control.IsReady()) << "main form or tray window not found";
  ASSERT_GE(program.Arp().WaitForStartsSince(0, 2, 10s).size(), 2u) << "no flushes";
  ASSERT_TRUE(control.RunAt(250));
  const double changedAt = NowMs();
  ASSERT_GE(program.Arp().WaitForStartsSince(changedAt, 2, 10s).size(), 2u);
  ASSERT_TRUE(control.HideAndRestore());
  PostMessageW(control.Form().Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit().has_value()) << "the program did not close";

  // Read while the run's own folder still exists, so that the copies and the recorder's
  // log are seen and set apart, and anything else beside them is caught.
  const std::vector<std::wstring> newKeys = NewKeys(registryBefore, SnapshotRegistry());
  const std::set<std::wstring> copies = CopiesMadeByTheTest(program);
  std::vector<std::wstring> newFiles;
  for (const auto& path : NewOrChanged(filesBefore, SnapshotFiles(drive))) {
    if (IsUnder(path, program.Arp().Folder()) || copies.count(Lower(path)) != 0) continue;
    newFiles.push_back(path);
  }
  EXPECT_TRUE(newKeys.empty()) << "registry keys added:" << List(newKeys);
  EXPECT_TRUE(newFiles.empty()) << "files added or written:" << List(newFiles);
}

}  // namespace
}  // namespace e2e
