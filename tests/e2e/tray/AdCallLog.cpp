// The calls the program makes into its ad library, as the recording admds.dll logs them.
#include "tray/AdCallLog.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "harness/TestEnvironment.h"
#include "harness/Text.h"

namespace e2e {
namespace {

// The variable the recording library reads for its log file.
constexpr wchar_t kLogVariable[] = L"ARPFLUSH_E2E_ADLOG";

// The value of `key` in a line of tab-separated key=value fields.
std::string Field(const std::string& line, const std::string& key) {
  std::istringstream fields(line);
  std::string field;
  while (std::getline(fields, field, '\t')) {
    const auto equals = field.find('=');
    if (equals != std::string::npos && field.compare(0, equals, key) == 0) {
      return field.substr(equals + 1);
    }
  }
  return {};
}

}  // namespace

std::filesystem::path AdRecorderPath() {
  return FromHostPath(EnvironmentValue(L"ARPFLUSH_E2E_AD_RECORDER"));
}

AdCallLog::AdCallLog() : file_(folder_.Path() / L"ad-calls.log") {
  SetEnvironmentVariableW(kLogVariable, file_.c_str());
}

AdCallLog::~AdCallLog() { SetEnvironmentVariableW(kLogVariable, nullptr); }

std::vector<AdCall> AdCallLog::Calls() const {
  std::vector<AdCall> calls;
  std::ifstream in(file_, std::ios::binary);
  std::string line;
  // The library writes each line in one piece; a line without its end is still being written.
  while (std::getline(in, line)) {
    if (in.eof()) break;
    calls.push_back({Field(line, "hwnd"), Field(line, "class"), Field(line, "rootVisible") == "1"});
  }
  return calls;
}

}  // namespace e2e
