// The skin: on the main form's first activation it recolours the form and its panels.
#pragma once

#include <initializer_list>

#include "win/Color.h"

namespace win {

class Form;
class Panel;

// The least a skin does here: it carries its own button-face colour and gives it to a form
// and its panels when the form is first activated. Nothing undoes it afterwards (hiding the
// form keeps the colours), so every later showing sees the skinned colour.
class Skin {
 public:
  explicit Skin(Color buttonFace) : buttonFace_(buttonFace) {}

  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }

  void SkinForm(Form& form, std::initializer_list<Panel*> panels) const;

 private:
  Color buttonFace_;
  bool active_ = true;
};

}  // namespace win
