// The skin's recolouring.
#include "win/Skin.h"

#include "win/Form.h"
#include "win/Panel.h"

namespace win {

void Skin::SkinForm(Form& form, std::initializer_list<Panel*> panels) const {
  if (!active_) return;
  form.SetColor(buttonFace_);
  for (Panel* panel : panels) panel->SetColor(buttonFace_);
}

}  // namespace win
