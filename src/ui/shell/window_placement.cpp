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

ScreenRect placeBeside(const ScreenRect& area, const ScreenRect& calculator, FrameSize size,
                       FrameSize smallest) {
  const int width = std::min(size.width, area.width);
  const int height = std::min(size.height, area.height);
  const int levelTop = keptWithin(calculator.top, height, area.top, area.bottom());
  const int levelLeft = keptWithin(calculator.left, width, area.left, area.right());

  // The room on each side, in the order the sides are preferred.
  const int rightOf = calculator.right() + kBesideGap;
  const int roomRight = area.right() - rightOf;
  const int roomLeft = calculator.left - kBesideGap - area.left;
  const int below = calculator.bottom() + kBesideGap;
  const int roomBelow = area.bottom() - below;
  const int roomAbove = calculator.top - kBesideGap - area.top;
  const auto toRight = [&](int w) { return ScreenRect{rightOf, levelTop, w, height}; };
  const auto toLeft = [&](int w) {
    return ScreenRect{calculator.left - kBesideGap - w, levelTop, w, height};
  };
  const auto toBelow = [&](int h) { return ScreenRect{levelLeft, below, width, h}; };
  const auto toAbove = [&](int h) {
    return ScreenRect{levelLeft, calculator.top - kBesideGap - h, width, h};
  };
  if (roomRight >= width) return toRight(width);
  if (roomLeft >= width) return toLeft(width);
  if (roomBelow >= height) return toBelow(height);
  if (roomAbove >= height) return toAbove(height);

  // Shrunk into the side with room for the most of it.
  ScreenRect shrunk{};
  std::int64_t largest = 0;
  const auto consider = [&](const ScreenRect& place, bool roomEnough) {
    const std::int64_t shown = std::int64_t{place.width} * place.height;
    if (roomEnough && shown > largest) {
      largest = shown;
      shrunk = place;
    }
  };
  consider(toRight(roomRight), roomRight >= smallest.width);
  consider(toLeft(roomLeft), roomLeft >= smallest.width);
  consider(toBelow(roomBelow), roomBelow >= smallest.height);
  consider(toAbove(roomAbove), roomAbove >= smallest.height);
  if (largest > 0) return shrunk;

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
