#pragma once
// The zoom of the help page: a step on a fixed scale, and the page's fonts set to it.

#include <array>

class QFont;
class QTextDocument;

namespace vantro::qt {

class PageZoom {
 public:
  static constexpr std::array<double, 11> kFactors{0.5,  0.67, 0.8,  0.9, 1.0, 1.1,
                                                   1.25, 1.5,  1.75, 2.0, 2.5};

  double factor() const { return kFactors[step_]; }
  // Each false, and nothing changes, at the end of the scale.
  bool zoomIn();
  bool zoomOut();
  void reset() { step_ = kNormalStep; }

 private:
  static constexpr std::size_t kNormalStep = 4;
  std::size_t step_ = kNormalStep;
};

// Sets every font size that `document`'s page gives to `factor` times that size. The sizes the
// page gave are kept in the document, so any factor can follow any other.
void applyZoom(QTextDocument& document, double factor);

// `font` with its size times `factor`.
QFont zoomed(const QFont& font, double factor);

}  // namespace vantro::qt
