#pragma once
// Where a window of the program opens beside the calculator. Rectangles are window frames in
// the window system's device-independent pixels, right and bottom edges exclusive.

namespace vantro::ui {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

struct FrameSize {
  int width = 0;
  int height = 0;
};

// The gap left between the calculator and a window beside it.
inline constexpr int kBesideGap = 8;

// The frame of a window of frame size `size` that opens beside the calculator's frame
// `calculator`, wholly inside `area` (the screen's area that windows may use): to the right of
// the calculator where the area has room, else to its left, tops level as far as the area
// allows; else below it, else above it, left edges level as far as the area allows. Where no
// side has room for the whole window, the side with room for the most of it, shrunk to that
// room but no smaller than `smallest`. Where none has room even so, the place in the area
// where it covers the least of the calculator. A window wider or taller than the area shrinks
// to it.
ScreenRect placeBeside(const ScreenRect& area, const ScreenRect& calculator, FrameSize size,
                       FrameSize smallest);

}  // namespace vantro::ui
