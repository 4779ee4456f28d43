#include "ui/layout_fit.h"

#include "res/resource.h"

namespace tessaly {

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

}  // namespace tessaly
