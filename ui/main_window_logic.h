// The main window's decisions that need no window system: which pictures it
// uses, how large it is, how control colours are handled, and how stored
// values out of range are brought back into range.
#pragma once

#include <stdint.h>

#include "base/app_state.h"

namespace tessaly {

// Bitmap resource ids of the main window's pictures.
struct MainWindowPictures {
  int buttonUp, buttonDown, buttonFocus, buttonDisabled;  // picture button faces
  int background;    // the background drawn behind every control
  int sizeTemplate;  // the rich background whose size sets the window size
  int light[2];      // status light: 0 green, 1 red
};

MainWindowPictures ChooseMainWindowPictures(bool richColour, bool largeFonts);

// Outer window size for a background of w x h pixels: the caption's height is
// taken as SM_CYSIZE.
struct SystemMetrics {
  int cxDlgFrame, cyDlgFrame, cySize;
};
struct WindowSize {
  int cx, cy;
};
WindowSize MainWindowSize(int backgroundWidth, int backgroundHeight, const SystemMetrics& metrics);

// The controls of the main window's template are placed for the dialog font
// whose base units match the background: the template's dialog units cover the
// picture. Where the font's base units differ (another font of that name, as
// under some window systems), the controls are moved and sized by this factor
// so that they stay on the picture; close to 1 no change is made.
struct LayoutScale {
  double x, y;
  bool needed;
};
LayoutScale FitLayoutToPicture(int pictureWidth, int pictureHeight, int pixelsPer4UnitsX,
                               int pixelsPer8UnitsY);
struct PixelRect {
  int left, top, right, bottom;
};
PixelRect ScaleRect(const PixelRect& r, const LayoutScale& scale);

// With a scaled layout the dialog font is too wide for its controls as well:
// the largest font height from `height` down to `minHeight` whose average
// character width (as measured) is at most `targetWidth`; minHeight when
// none is.
template <class Measure>
int ChooseFittingFontHeight(int height, int minHeight, double targetWidth, Measure measure) {
  for (int h = height; h > minHeight; --h)
    if (measure(h) <= targetWidth) return h;
  return minHeight;
}

// A stored idle index outside the combo box's items becomes the default,
// kDefaultIdleIndex.
int32_t NormaliseIdleIndex(int32_t idle, int itemCount);
// A status-light index other than 0 or 1 becomes 0.
int32_t NormaliseLightIndex(int32_t status);

// Control colours, by the control type (the WM_CTLCOLOR* message less
// WM_CTLCOLORMSGBOX): edit fields and list boxes keep the base brush; every
// other control and the dialog itself are drawn transparently over the
// background.
enum : int { kCtlColorEdit = 1, kCtlColorListBox = 2 };
bool KeepsBaseBrush(int controlType);

}  // namespace tessaly
