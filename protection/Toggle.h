// The start/stop toggle shared by the button and the two tray-menu items.
#pragma once

#include <string>
#include <string_view>

#include "protection/FlushTimer.h"

namespace protection {

inline constexpr std::string_view kStopCaption = "停止";
inline constexpr std::string_view kStartCaption = "开始";
inline constexpr std::string_view kDefaultPeriodText = "500";

// The controls that show the protection state (UTF-8 texts).
class ProtectionControls {
 public:
  virtual ~ProtectionControls() = default;
  virtual std::string PeriodText() const = 0;
  virtual void SetPeriodText(std::string_view text) = 0;
  virtual void SetButtonCaption(std::string_view caption) = 0;
  // The tray menu's "start" and "stop" items.
  virtual void SetStartItemEnabled(bool enabled) = 0;
  virtual void SetStopItemEnabled(bool enabled) = 0;
};

// Flips protection on or off. Converts the period field first (a ConversionError leaves
// everything as it was); a period at or below 0 resets the field to "500". When turning on,
// the timer takes the field's period. The caption and menu items follow the new state.
void ToggleProtection(FlushTimer& timer, ProtectionControls& controls);

}  // namespace protection
