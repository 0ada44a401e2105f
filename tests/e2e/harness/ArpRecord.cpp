// The recording arp.exe's file format: key=value lines, UTF-8.
#include "harness/ArpRecord.h"

#include <sstream>

#include "harness/Text.h"

namespace e2e {

std::string FormatArpRecord(const ArpRecord& record) {
  std::ostringstream out;
  out << "createdAt=" << record.createdAt << "\n"
      << "image=" << Narrow(record.image) << "\n"
      << "commandLine=" << Narrow(record.commandLine) << "\n"
      << "usesShowWindow=" << record.usesShowWindow << "\n"
      << "showWindow=" << record.showWindow << "\n"
      << "consoleWindow=" << record.consoleWindow << "\n"
      << "parentProcessId=" << record.parentProcessId << "\n";
  return out.str();
}

ArpRecord ParseArpRecord(const std::string& text) {
  ArpRecord record;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    std::istringstream number(value);
    if (key == "createdAt") {
      number >> record.createdAt;
    } else if (key == "image") {
      record.image = Widen(value);
    } else if (key == "commandLine") {
      record.commandLine = Widen(value);
    } else if (key == "usesShowWindow") {
      number >> record.usesShowWindow;
    } else if (key == "showWindow") {
      number >> record.showWindow;
    } else if (key == "consoleWindow") {
      number >> record.consoleWindow;
    } else if (key == "parentProcessId") {
      number >> record.parentProcessId;
    }
  }
  return record;
}

}  // namespace e2e
