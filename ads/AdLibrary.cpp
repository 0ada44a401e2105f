// Calls into the ad library, each under the fault guard.
#include "ads/AdLibrary.h"

#include "ads/GuardedCall.h"

namespace ads {

void CallInitScreen(HWND panel, const char* address, std::uint32_t colour) {
  CallGuarded([=] { InitScreen(panel, address, colour); });
}

}  // namespace ads
