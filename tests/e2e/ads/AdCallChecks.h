// What a correct call of InitScreen looks like from the recorder's log: the panels in call
// order with their places and address shapes, and the checks of one call and one showing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ads/AdProgram.h"
#include "ads/RecordedAdCalls.h"

namespace e2e {

// The panels' designed colour, the button face as a system colour, and the skin's button
// face that replaces it from the first activation on.
inline constexpr std::uint32_t kButtonFace = 0xFF00000F;
inline constexpr std::uint32_t kSkinnedFace = 0x00EBEBEB;

struct PanelCase {
  const char* name;
  int id;
  RECT rect;  // in Panel1's client coordinates
  std::size_t placementDigits;
};

// In call order: Panel2 (the bottom strip), then Panel3 (the box beside the button).
inline constexpr PanelCase kPanels[] = {
    {"Panel2", kPanel2Id, {1, 74, 1 + 279, 74 + 25}, 48},
    {"Panel3", kPanel3Id, {140, 25, 140 + 135, 25 + 45}, 64},
};

// "0x00EBEBEB": colours compared as text read well in a failure.
std::string Hex(std::uint32_t value);

// "http://<host>/<10 upper-case hex digits>/enter?MDS=<upper-case hex digits>", split.
struct AddressParts {
  bool matches = false;
  std::string host;
  std::string pathCode;
  std::string placement;
};
AddressParts SplitAddress(const std::string& address);

// Expects that `call` handed over `panel` itself, in its place, with an address of the right
// shape, while the window was still hidden; the colour is the caller's to judge.
void ExpectCallFor(const RecordedAdCall& call, const PanelCase& panel, const AdProgram& program);

// Expects the two calls of one showing from `first` on: both panels in order, both with
// `colour`, their addresses on the same host and path code.
void ExpectShowing(const std::vector<RecordedAdCall>& calls, std::size_t first,
                   const AdProgram& program, std::uint32_t colour);

}  // namespace e2e
