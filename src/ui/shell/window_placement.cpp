#include "ui/shell/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vantro::ui {

namespace {

// The start of a span of `length` at `wanted`, moved as little as needed to lie within
// [from, to).
int keptWithin(int wanted, int length, int from, int to) {
  return std::max(from, std::min(wanted, to - length));
}

int overlap(int start, int length, int otherStart, int otherLength) {
  return std::max(0,
                  std::min(start + length, otherStart + otherLength) - std::max(start, otherStart));
}

}  // namespace

ScreenRect placeBeside(const ScreenRect& area, const ScreenRect& calculator, FrameSize size) {
  const int width = std::min(size.width, area.width);
  const int height = std::min(size.height, area.height);
  const int levelTop = keptWithin(calculator.top, height, area.top, area.bottom());
  const int levelLeft = keptWithin(calculator.left, width, area.left, area.right());

  const int rightOf = calculator.right() + kBesideGap;
  if (rightOf + width <= area.right()) return {rightOf, levelTop, width, height};
  const int leftOf = calculator.left - kBesideGap - width;
  if (leftOf >= area.left) return {leftOf, levelTop, width, height};
  const int below = calculator.bottom() + kBesideGap;
  if (below + height <= area.bottom()) return {levelLeft, below, width, height};
  const int above = calculator.top - kBesideGap - height;
  if (above >= area.top) return {levelLeft, above, width, height};

  // The covered part is the product of the covered width and the covered height, each of
  // which is least at one end of the range the area leaves: one of the four corners has the
  // least product. Ties go to the right, then to the top.
  const int lastLeft = area.right() - width;
  const int lastTop = area.bottom() - height;
  ScreenRect best{};
  std::int64_t leastCovered = std::numeric_limits<std::int64_t>::max();
  for (const int left : {lastLeft, area.left}) {
    for (const int top : {area.top, lastTop}) {
      const std::int64_t covered =
          std::int64_t{overlap(left, width, calculator.left, calculator.width)} *
          overlap(top, height, calculator.top, calculator.height);
      if (covered < leastCovered) {
        leastCovered = covered;
        best = {left, top, width, height};
      }
    }
  }
  return best;
}

}  // namespace vantro::ui
