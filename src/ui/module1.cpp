#include "ui/module1.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/controls.h"

namespace vantro::ui {

namespace {

constexpr const char* kSecondCopyMessage =
    "Another Vantro Calculator already running, will quit this program.";

// Positions are kept in single precision; a value beyond its range (no real window is there)
// is pinned to the range's end rather than converted with undefined behaviour.
float asSingle(double twips) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(std::isnan(twips) ? 0.0 : twips, -kLargest, kLargest));
}

}  // namespace vantro::ui
