// The sixteen standard colours, by index.
#pragma once

#include "presentation/gdi.h"

namespace tessaly {

constexpr int kStandardColourCount = 16;
constexpr int kStandardCyan = 11;  // the status lights' transparent ground

// Entry index (0 to 15) of the standard colour table. Any other index gives
// black rather than a value from outside the table.
ColourRef StandardColour(int index);

}  // namespace tessaly
