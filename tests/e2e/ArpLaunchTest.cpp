// End-to-end: the flush starts the system's own arp.exe and nothing else, and carries on
// silently when it cannot start it.
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "harness/Clock.h"
#include "harness/FlushChecks.h"
#include "harness/MainForm.h"
#include "harness/MessageBoxView.h"
#include "harness/ProgramUnderTest.h"
#include "harness/ScratchFolder.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"

namespace e2e {
namespace {

// Moves the system's arp.exe aside for the life of the object; puts it back on destruction,
// also when the test fails half-way.
class SystemArpRemoved {
 public:
  SystemArpRemoved() : arp_(SystemArpPath()), aside_(arp_.wstring() + L".aside") {
    std::filesystem::rename(arp_, aside_);
  }
  SystemArpRemoved(const SystemArpRemoved&) = delete;
  SystemArpRemoved& operator=(const SystemArpRemoved&) = delete;
  ~SystemArpRemoved() { Restore(); }

  void Restore() {
    std::error_code ignored;  // nothing to do when it is back already
    std::filesystem::rename(aside_, arp_, ignored);
  }

 private:
  std::filesystem::path arp_;
  std::filesystem::path aside_;
};

// A recorder planted where a search by bare name would look before the system folder:
// started by mistake, it logs itself with its own path.
TEST(ArpLaunch, ArpPlantedInProgramFolderOrCurrentDirectoryNeverRuns) {
  ScratchFolder currentDirectory;
  std::filesystem::copy_file(SystemArpPath(), currentDirectory.Path() / L"arp.exe");
  LaunchOptions options;
  options.extraFiles = {SystemArpPath()};
  options.workingDirectory = currentDirectory.Path();
  ProgramUnderTest program(options);
  ASSERT_TRUE(std::filesystem::exists(program.Folder() / L"arp.exe"));

  ASSERT_GE(program.Arp().WaitForStartsSince(0, 6, 15s).size(), 6u);
  const std::wstring systemArp = SystemArpPath().wstring();
  for (const ArpStart& start : program.Arp().Starts()) {
    EXPECT_EQ(_wcsicmp(start.record.image.c_str(), systemArp.c_str()), 0)
        << "started " << Narrow(start.record.image);
  }
}

TEST(ArpLaunch, MissingArpShowsNothingAndTheCycleGoesOn) {
  SystemArpRemoved removed;
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  // Six periods of failed starts.
  Observe(3s);
  EXPECT_FALSE(FindMessageBox(program.ProcessId()).has_value()) << "a failed start was shown";
  EXPECT_TRUE(program.IsRunning());
  EXPECT_EQ(form.ButtonCaption(), kStopCaption);
  EXPECT_TRUE(program.Arp().Starts().empty());

  // The timer never stopped: as soon as arp is back, it starts at the same period.
  removed.Restore();
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 500, "periodAfterArpReturned"));
}

}  // namespace
}  // namespace e2e
