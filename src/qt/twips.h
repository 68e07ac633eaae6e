#pragma once
// The logic measures the window in twips; Qt in logical pixels (its high-DPI scaling does the
// rest). 1440 twips per inch at 96 logical pixels per inch.

#include <algorithm>
#include <cmath>

namespace vantro::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

// A window position in twips as pixels, rounded. Settings files and a screen's measures may
// give any value: keep the pixel value representable.
inline int positionToPixels(double twips) {
  if (!std::isfinite(twips)) return 0;
  return static_cast<int>(std::lround(std::clamp(twips, -1e7, 1e7) / kTwipsPerPixel));
}

}  // namespace vantro::qt
