#pragma once
// The logic measures the window in twips; Qt in logical pixels (its high-DPI scaling does the
// rest). 1440 twips per inch at 96 logical pixels per inch.

namespace vantro::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

}  // namespace vantro::qt
