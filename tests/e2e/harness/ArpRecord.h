// What the recording arp.exe notes about each start, and its file format (key=value lines,
// UTF-8), shared by the recorder that writes it and the tests that read it.
#pragma once

#include <cstdint>
#include <string>

namespace e2e {

// Environment variable naming the folder the recorder writes into; the program under test
// passes its environment on to every arp it starts.
inline constexpr wchar_t kArpLogVariable[] = L"ARPFLUSH_E2E_ARP_LOG";
inline constexpr wchar_t kArpRecordExtension[] = L".start";

struct ArpRecord {
  std::int64_t createdAt = 0;  // when the starting program created the process (FILETIME)
  std::wstring image;          // the file that ran
  std::wstring commandLine;    // exactly as the starting program passed it
  bool usesShowWindow = false;
  unsigned showWindow = 0;
  bool consoleWindow = false;  // whether its console has a window, shown or not
  unsigned long parentProcessId = 0;
};

std::string FormatArpRecord(const ArpRecord& record);
// Missing or malformed keys keep their defaults.
ArpRecord ParseArpRecord(const std::string& text);

}  // namespace e2e
