#include "qt/help/screen_fit.h"

#include <algorithm>

namespace vantro::qt {

QRect fitWithin(const QRect& frame, const QRect& available) {
  const QSize largest(available.width() * 9 / 10, available.height() * 9 / 10);
  QRect fitted(frame.topLeft(), frame.size().boundedTo(largest));
  fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                             available.left() + available.width() - fitted.width()));
  fitted.moveTop(std::clamp(fitted.top(), available.top(),
                            available.top() + available.height() - fitted.height()));
  return fitted;
}

}  // namespace vantro::qt
