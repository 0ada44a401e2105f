// The callback boundary: no C++ exception ever leaves a window procedure, subclass procedure
// or timer dispatch. Each event handler runs through RunHandler, which hands whatever it
// throws to the application object to show, and the program goes on.
//
// Events reach code through single-slot callbacks named after the event (onClick, onChar,
// onTimer, onDblClick); an empty slot means "nothing happens".
#pragma once

#include <functional>

namespace win {

// Shows the exception being handled (call only inside a catch block) through the
// application object's error display; falls back to a plain box when there is none.
void ShowCurrentException() noexcept;

template <class Function>
void RunHandler(Function&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    ShowCurrentException();
  }
}

}  // namespace win
