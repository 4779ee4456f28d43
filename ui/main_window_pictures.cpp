#include "ui/main_window_pictures.h"

#include "res/resource.h"

namespace tessaly {

MainWindowPictures ChooseMainWindowPictures(bool richColour, bool largeFonts) {
  MainWindowPictures p;
  if (richColour) {
    p.buttonUp = IDB_BUTTON_UP_256;
    p.buttonDown = IDB_BUTTON_DOWN_256;
    p.buttonFocus = IDB_BUTTON_FOCUS_256;
    p.buttonDisabled = IDB_BUTTON_UP_256;
    p.light[0] = IDB_LIGHT_GREEN_256;
    p.light[1] = IDB_LIGHT_RED_256;
    p.background = largeFonts ? IDB_BACKGROUND_LARGE_256 : IDB_BACKGROUND_SMALL_256;
  } else {
    p.buttonUp = IDB_BUTTON_UP_16;
    p.buttonDown = IDB_BUTTON_DOWN_16;
    p.buttonFocus = IDB_BUTTON_FOCUS_16;
    p.buttonDisabled = IDB_BUTTON_UP_16;
    p.light[0] = IDB_LIGHT_GREEN_16;
    p.light[1] = IDB_LIGHT_RED_16;
    p.background = largeFonts ? IDB_BACKGROUND_LARGE_16 : IDB_BACKGROUND_SMALL_16;
  }
  // The window is always sized by the rich picture of its font size.
  p.sizeTemplate = largeFonts ? IDB_BACKGROUND_LARGE_256 : IDB_BACKGROUND_SMALL_256;
  return p;
}

WindowSize MainWindowSize(int backgroundWidth, int backgroundHeight,
                          const SystemMetrics& metrics) {
  return WindowSize{backgroundWidth + 2 * metrics.cxDlgFrame,
              backgroundHeight + metrics.cySize + 2 * metrics.cyDlgFrame};
}

}  // namespace tessaly
