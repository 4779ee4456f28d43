#include "ui/button_face.h"

namespace tessaly {

ButtonFace ChooseButtonFace(uint32_t itemState, const bool (&has)[4]) {
  struct Rule {
    uint32_t bit;
    ButtonFace face;
  };
  // In order of precedence.
  static const Rule kRules[] = {
      {kItemSelected, ButtonFace::kDown},
      {kItemFocus, ButtonFace::kFocus},
      {kItemDisabled, ButtonFace::kDisabled},
  };
  for (const Rule& rule : kRules) {
    if ((itemState & rule.bit) != 0 && has[static_cast<int>(rule.face)]) return rule.face;
  }
  return ButtonFace::kUp;
}

}  // namespace tessaly
