#include "ui/main_window_logic.h"

#include "base/settings_table.h"
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

LayoutScale FitLayoutToPicture(int pictureWidth, int pictureHeight, int pixelsPer4UnitsX,
                               int pixelsPer8UnitsY) {
  const double kTolerance = 0.05;
  LayoutScale s{1.0, 1.0, false};
  if (pixelsPer4UnitsX <= 0 || pixelsPer8UnitsY <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
    return s;
  s.x = (static_cast<double>(pictureWidth) / IDD_TESSALY_DIALOG_WIDTH) / (pixelsPer4UnitsX / 4.0);
  s.y = (static_cast<double>(pictureHeight) / IDD_TESSALY_DIALOG_HEIGHT) / (pixelsPer8UnitsY / 8.0);
  s.needed = s.x < 1 - kTolerance || s.x > 1 + kTolerance || s.y < 1 - kTolerance ||
             s.y > 1 + kTolerance;
  if (!s.needed) s.x = s.y = 1.0;
  return s;
}

PixelRect ScaleRect(const PixelRect& r, const LayoutScale& scale) {
  auto at = [](int v, double f) { return static_cast<int>(v * f + (v >= 0 ? 0.5 : -0.5)); };
  return PixelRect{at(r.left, scale.x), at(r.top, scale.y), at(r.right, scale.x),
                   at(r.bottom, scale.y)};
}

int32_t NormaliseIdleIndex(int32_t idle, int itemCount) {
  return (idle < 0 || idle >= itemCount) ? kDefaultIdleIndex : idle;
}

int32_t NormaliseLightIndex(int32_t status) { return (status < 0 || status > 1) ? 0 : status; }

bool KeepsBaseBrush(int controlType) {
  return controlType == kCtlColorEdit || controlType == kCtlColorListBox;
}

}  // namespace tessaly
