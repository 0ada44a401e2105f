// The start/stop toggle.
#include "protection/Toggle.h"

#include "protection/IntegerConversion.h"

namespace protection {

namespace {

std::int32_t ConvertPeriod(const ProtectionControls& controls) {
  return StrToInt(StripBlanks(controls.PeriodText()));
}

}  // namespace

void ToggleProtection(FlushTimer& timer, ProtectionControls& controls) {
  // A period at or below 0 would never flush (a negative one becomes an interval of weeks)
  // while the window says protection is on: treat it as 0 and fall back to the default.
  if (ConvertPeriod(controls) <= 0) controls.SetPeriodText(kDefaultPeriodText);

  // Turning on restarts the system timer with the Interval it last had; a refused timer
  // raises here, before the display changes.
  timer.SetEnabled(!timer.Enabled());

  if (timer.Enabled()) {
    timer.SetInterval(static_cast<std::uint32_t>(ConvertPeriod(controls)));
    controls.SetButtonCaption(kStopCaption);
    controls.SetStartItemEnabled(false);
    controls.SetStopItemEnabled(true);
  } else {
    controls.SetButtonCaption(kStartCaption);
    controls.SetStopItemEnabled(false);
    controls.SetStartItemEnabled(true);
  }
}

}  // namespace protection
