// The main window's pictures, chosen by the display, and the window size
// that its background sets.
#pragma once

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

}  // namespace tessaly
