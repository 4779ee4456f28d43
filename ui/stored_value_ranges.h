// Stored values that the main window shows, brought back into range.
#pragma once

#include <stdint.h>

namespace tessaly {

// A stored idle index outside the combo box's items becomes the default,
// kDefaultIdleIndex.
int32_t NormaliseIdleIndex(int32_t idle, int itemCount);
// A status-light index other than 0 or 1 becomes 0.
int32_t NormaliseLightIndex(int32_t status);

}  // namespace tessaly
