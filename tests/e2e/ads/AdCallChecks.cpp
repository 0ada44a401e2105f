// What a correct call of InitScreen looks like from the recorder's log.
#include "ads/AdCallChecks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

namespace e2e {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

AddressParts SplitAddress(const std::string& address) {
  static const std::regex kShape(
      R"(^http://([A-Za-z0-9.-]+)/([0-9A-F]{10})/enter\?MDS=([0-9A-F]+)$)");
  std::smatch match;
  if (!std::regex_match(address, match, kShape)) return {};
  return {true, match[1], match[2], match[3]};
}

void ExpectCallFor(const RecordedAdCall& call, const PanelCase& panel, const AdProgram& program) {
  SCOPED_TRACE(panel.name);
  EXPECT_EQ(call.panel, program.Panel(panel.id)) << "another window than the panel";
  EXPECT_EQ(call.panelClass, "ArpflushPanel");
  EXPECT_EQ(call.parent, program.Panel1()) << "the panel is not a child of Panel1";
  EXPECT_EQ(call.x, panel.rect.left);
  EXPECT_EQ(call.y, panel.rect.top);
  EXPECT_EQ(call.width, panel.rect.right - panel.rect.left);
  EXPECT_EQ(call.height, panel.rect.bottom - panel.rect.top);
  EXPECT_FALSE(call.rootVisible) << "the window was already visible when the panel was handed over";
  const AddressParts parts = SplitAddress(call.address);
  EXPECT_TRUE(parts.matches) << "address '" << call.address << "'";
  EXPECT_EQ(parts.placement.size(), panel.placementDigits) << "address '" << call.address << "'";
}

void ExpectShowing(const std::vector<RecordedAdCall>& calls, std::size_t first,
                   const AdProgram& program, std::uint32_t colour) {
  ASSERT_GE(calls.size(), first + 2);
  for (std::size_t i = 0; i < 2; ++i) {
    ExpectCallFor(calls[first + i], kPanels[i], program);
    EXPECT_EQ(Hex(calls[first + i].colour), Hex(colour)) << kPanels[i].name;
  }
  const AddressParts panel2 = SplitAddress(calls[first].address);
  const AddressParts panel3 = SplitAddress(calls[first + 1].address);
  EXPECT_EQ(panel2.host, panel3.host) << "the panels' ads come from different hosts";
  EXPECT_EQ(panel2.pathCode, panel3.pathCode) << "the panels' path codes differ";
}

}  // namespace e2e
