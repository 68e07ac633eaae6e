#pragma once
// Where a window goes so that it fits the screen.

#include <QRect>

namespace vantro::qt {

// `frame` made no larger than 90 % of `available` each way and moved, as little as it takes,
// to lie wholly inside it.
QRect fitWithin(const QRect& frame, const QRect& available);

}  // namespace vantro::qt
