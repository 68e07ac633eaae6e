// Where the analysis and help windows open beside the calculator. The calculator's frame is
// 395 by 565 pixels, the analysis window's 902 by 625, as a window manager frames them.
#include "ui/shell/window_placement.h"

#include <gtest/gtest.h>

namespace vantro::ui {
namespace {

constexpr FrameSize kAnalysis{902, 625};
constexpr FrameSize kHalf{440, 300};  // the least the windows shrink to beside the calculator

struct Case {
  const char* name;
  ScreenRect area;
  ScreenRect calculator;
  FrameSize window;
  FrameSize smallest;
  ScreenRect expected;
};

// Where no side has room even for the window shrunk, the expected place is the corner of the
// area at which the window covers the least of the calculator; the covered part is worked out
// in the comment.
// clang-format off
const Case kCases[] = {
    {"1366x768, calculator at the left: to its right, tops level",
     {0, 0, 1366, 768}, {0, 0, 395, 565}, kAnalysis, kHalf, {403, 0, 902, 625}},
    {"1366x768, calculator at the right: to its left",
     {0, 0, 1366, 768}, {971, 0, 395, 565}, kAnalysis, kHalf, {61, 0, 902, 625}},
    {"1366x768, calculator in the middle: shrunk into the right's 478, the larger side",
     {0, 0, 1366, 768}, {485, 101, 395, 565}, kAnalysis, kHalf, {888, 101, 478, 625}},
    {"1366x768, calculator in the middle, no shrinking: covers 395 x 523 at the bottom right",
     {0, 0, 1366, 768}, {485, 101, 395, 565}, kAnalysis, kAnalysis, {464, 143, 902, 625}},
    {"1366x768 under a top panel, calculator above the area: top at the area's",
     {0, 30, 1366, 738}, {0, 0, 395, 565}, kAnalysis, kHalf, {403, 30, 902, 625}},
    {"1280x1024, calculator at the top left: shrunk to its right rather than below",
     {0, 0, 1280, 1024}, {0, 0, 395, 565}, kAnalysis, kHalf, {403, 0, 877, 625}},
    {"1280x1024, calculator at the bottom left: shrunk to its right, kept on the screen",
     {0, 0, 1280, 1024}, {0, 459, 395, 565}, kAnalysis, kHalf, {403, 399, 877, 625}},
    {"1280x1024, calculator in the middle, 435 at most beside: covers 395 x 395",
     {0, 0, 1280, 1024}, {442, 229, 395, 565}, kAnalysis, kHalf, {378, 399, 902, 625}},
    {"1920x1200 at scale 2, calculator at the left: shrunk to the room and the height",
     {0, 0, 960, 600}, {0, 0, 395, 565}, kAnalysis, kHalf, {403, 0, 557, 600}},
    {"1920x1200 at scale 2, calculator at the right: shrunk to its left",
     {0, 0, 960, 600}, {565, 0, 395, 565}, kAnalysis, kHalf, {0, 0, 557, 600}},
    {"window larger than the screen, no room beside: the whole area",
     {0, 0, 800, 600}, {0, 0, 395, 565}, {1000, 700}, kHalf, {0, 0, 800, 600}},
    {"portrait screen, no room at either side: below, left edge kept on the screen",
     {0, 0, 1080, 1920}, {300, 100, 395, 565}, kAnalysis, kHalf, {178, 673, 902, 625}},
    {"portrait screen, calculator at the bottom: above",
     {0, 0, 1080, 1920}, {300, 1300, 395, 565}, kAnalysis, kHalf, {178, 667, 902, 625}},
    {"second screen right of a first one: beside, on the calculator's screen",
     {1366, 0, 1920, 1050}, {1400, 100, 395, 565}, kAnalysis, kHalf, {1803, 100, 902, 625}},
};
// clang-format on

TEST(WindowPlacementTest, BesideTheCalculatorWhereThereIsRoomElseCoveringItLeast) {
  for (const Case& c : kCases) {
    const ScreenRect placed = placeBeside(c.area, c.calculator, c.window, c.smallest);
    EXPECT_EQ(placed, c.expected) << c.name << ": got " << placed.left << "," << placed.top << " "
                                  << placed.width << "x" << placed.height;
    EXPECT_TRUE(placed.left >= c.area.left && placed.top >= c.area.top &&
                placed.right() <= c.area.right() && placed.bottom() <= c.area.bottom())
        << c.name;
  }
}

}  // namespace
}  // namespace vantro::ui
