// The check boxes of the main window that each hold one persisted flag and do
// nothing else. The disable box is not one of them: it also greys the action
// boxes.
#pragma once

#include <stdint.h>

#include "base/app_state.h"
#include "res/resource.h"

namespace tessaly {

struct FlagBox {
  int id;
  int32_t TessalySettings::*flag;
};

inline constexpr FlagBox kFlagBoxes[] = {
    {IDC_BACKUP, &TessalySettings::backup},
    {IDC_QUICKCHECK, &TessalySettings::quickCheck},
    {IDC_MAX_ONCE, &TessalySettings::maxOnce},
};

}  // namespace tessaly
