// The program's private window messages.
#pragma once

#include <stdint.h>

namespace tessaly {

enum : uint32_t {
  kMsgTrayCallback = 1025,      // the shell -> main window: wParam icon id, lParam mouse message
  kMsgVantorQuickCheck = 1394,  // -> Vantor: wParam third, lParam fourth result word
  kMsgVantorShow = 1395,        // -> Vantor: asked for with a non-empty argument text
  kMsgStampLastRun = 1396,      // scheduler -> main window: stamp lastTime, save, refresh
  kMsgQuickCheckStatus = 1397,  // quick check -> main window: wParam light index
};

}  // namespace tessaly
