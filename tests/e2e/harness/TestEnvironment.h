// Where the end-to-end tests find what they run, as the test runner set it up.
//
//   ARPFLUSH_E2E_PROGRAM    the program under test (Unix or Windows path)
//   ARPFLUSH_E2E_ARTIFACTS  a folder for screenshots (optional)
#pragma once

#include <filesystem>
#include <string>

namespace e2e {

// The value of an environment variable; empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name);
// A path the test runner passed: a Unix path is mapped to the Wine drive that holds it.
std::filesystem::path FromHostPath(const std::wstring& path);

std::filesystem::path ProgramPath();
// Empty when no folder was given.
std::filesystem::path ArtifactsFolder();
// The system's own arp.exe, which the test session replaced by the recorder.
std::filesystem::path SystemArpPath();

}  // namespace e2e
