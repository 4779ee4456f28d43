// Fitting the main window's controls and font to its background picture.
#pragma once

namespace tessaly {

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

}  // namespace tessaly
