// Every call of InitScreen the program makes, as the recording admds.dll logs it.
#include "ads/RecordedAdCalls.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "harness/TestEnvironment.h"
#include "harness/Text.h"

namespace e2e {
namespace {

// The variables the recording library reads: its log file, and when to fault.
constexpr wchar_t kLogVariable[] = L"ARPFLUSH_E2E_ADLOG";
constexpr wchar_t kFaultVariable[] = L"ARPFLUSH_E2E_ADFAULT";

// The fields of one tab-separated line of key=value pairs.
std::map<std::string, std::string> Fields(const std::string& line) {
  std::map<std::string, std::string> fields;
  std::istringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) {
    const auto equals = field.find('=');
    if (equals != std::string::npos) fields[field.substr(0, equals)] = field.substr(equals + 1);
  }
  return fields;
}

// Handles and colours are logged as 0x-prefixed hexadecimal; numbers in decimal. A missing
// or malformed field reads as 0, which no check accepts as a panel or a colour.
std::uint64_t Number(const std::string& text, int base) {
  return text.empty() ? 0 : std::strtoull(text.c_str(), nullptr, base);
}

HWND Handle(const std::string& text) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(Number(text, 16)));
}

int Integer(const std::string& text) {
  return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

RecordedAdCall ParseCall(const std::string& line) {
  auto fields = Fields(line);
  RecordedAdCall call;
  call.panel = Handle(fields["hwnd"]);
  call.panelClass = fields["class"];
  call.parent = Handle(fields["parent"]);
  call.x = Integer(fields["x"]);
  call.y = Integer(fields["y"]);
  call.width = Integer(fields["width"]);
  call.height = Integer(fields["height"]);
  call.rootVisible = fields["rootVisible"] == "1";
  call.address = fields["address"];
  call.colour = static_cast<std::uint32_t>(Number(fields["colour"], 16));
  call.faulted = fields["fault"] == "1";
  return call;
}

}  // namespace

std::filesystem::path AdRecorderPath() {
  return FromHostPath(EnvironmentValue(L"ARPFLUSH_E2E_AD_RECORDER"));
}

RecordedAdCalls::RecordedAdCalls(AdFault fault) : file_(folder_.Path() / L"ad-calls.log") {
  SetEnvironmentVariableW(kLogVariable, file_.c_str());
  SetEnvironmentVariableW(kFaultVariable, fault == AdFault::kFirstCall ? L"first" : nullptr);
}

RecordedAdCalls::~RecordedAdCalls() {
  SetEnvironmentVariableW(kFaultVariable, nullptr);
  SetEnvironmentVariableW(kLogVariable, nullptr);
}

std::vector<RecordedAdCall> RecordedAdCalls::Calls() const {
  std::vector<RecordedAdCall> calls;
  std::ifstream in(file_, std::ios::binary);
  std::string line;
  // The library writes each line in one piece; a line without its end is still being written.
  while (std::getline(in, line)) {
    if (in.eof()) break;
    calls.push_back(ParseCall(line));
  }
  return calls;
}

bool RecordedAdCalls::WaitForCount(std::size_t count, milliseconds timeout) const {
  return WaitUntil([&] { return Calls().size() >= count; }, timeout);
}

}  // namespace e2e
