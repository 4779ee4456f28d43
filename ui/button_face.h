// Which of its four pictures an owner-drawn picture button shows for the
// state that the platform reports when it asks the button to draw itself.
#pragma once

#include <stdint.h>

namespace tessaly {

enum class ButtonFace { kUp = 0, kDown = 1, kFocus = 2, kDisabled = 3 };

// Item-state bits of an owner-draw request, as the platform numbers them
// (ODS_SELECTED, ODS_DISABLED, ODS_FOCUS).
enum : uint32_t {
  kItemSelected = 0x0001,
  kItemDisabled = 0x0004,
  kItemFocus = 0x0010,
};

// Pressed shows the down face, else focused the focus face, else disabled the
// disabled face; a state whose face was not loaded shows the up face.
// has[face] tells which faces are loaded (the up face is always drawn).
ButtonFace ChooseButtonFace(uint32_t itemState, const bool (&has)[4]);

}  // namespace tessaly
