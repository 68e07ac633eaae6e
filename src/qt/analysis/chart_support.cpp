#include "qt/analysis/chart_support.h"

#include <QChart>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "qt/code_points.h"

namespace vantro::qt::charts {

QChartView* makeChartView(const QString& accessibleName, const QString& accessibleDescription,
                          const QString& xTitle, const QString& yTitle, QWidget* parent) {
  auto* chart = new QChart;
  // Height is what a chart lacks first in a small window: the legend goes beside the plot and
  // the frame around it is trimmed.
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundRoundness(0);
  // The axes write their ticks in the chart's locale, thousands grouped: "1,000,000" rather
  // than "1e+06". The C locale groups too, as the sentences beside the charts do.
  QLocale locale;
  locale.setNumberOptions(QLocale::DefaultNumberOptions);
  chart->setLocale(locale);
  chart->setLocalizeNumbers(true);
  auto* x = new QValueAxis;
  x->setTitleText(xTitle);
  x->setLabelFormat(QString());
  auto* y = new QValueAxis;
  y->setTitleText(yTitle);
  y->setLabelFormat(QString());
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);

  auto* view = new QChartView(chart, parent);  // takes the chart
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(170);
  view->setAccessibleName(accessibleName);
  view->setAccessibleDescription(accessibleDescription);
  return view;
}

void appendIfFinite(QList<QPointF>& points, double x, double y) {
  if (std::isfinite(x) && std::isfinite(y)) points.append(QPointF(x, y));
}

QValueAxis* xAxis(QChartView& view) {
  return static_cast<QValueAxis*>(view.chart()->axes(Qt::Horizontal).front());
}

QValueAxis* yAxis(QChartView& view) {
  return static_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).front());
}

namespace {

// The smallest of 1, 2 and 5 times a power of ten that is at least `step`.
double niceStep(double step) {
  const double power = std::pow(10.0, std::floor(std::log10(step)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0})
    if (factor * power >= step * (1 - 1e-12)) return factor * power;
  return 10 * power;
}

// Ticks at whole steps of 1, 2 or 5 times a power of ten, the range widened to the steps just
// outside the data (0 to 300 gets 0, 100, 200, 300 rather than running on to 400), each tick
// written in full with the decimals its step needs and none more ("1,000,000", "0.5"). Beyond
// amounts people write out, every digit would crowd the axis, and rounding a range near the
// largest doubles overflows: those keep the range as it is, in exponent form.
void fit(QValueAxis& axis, double low, double high) {
  if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high)) return;
  if (low == high) {  // a flat line still needs a range to be drawn in
    const double pad = low == 0 ? 1 : std::abs(low) * 0.1;
    low -= pad;
    high += pad;
  }
  if (std::max(std::abs(low), std::abs(high)) >= 1e15) {
    axis.setRange(low, high);
    axis.setLabelFormat(QStringLiteral("%.6g"));
    return;
  }
  constexpr int kAboutTicks = 5;
  const double step = niceStep((high - low) / (kAboutTicks - 1));
  const double first = std::floor(low / step + 1e-9) * step;
  const double last = std::ceil(high / step - 1e-9) * step;
  axis.setRange(first, last);
  axis.setTickCount(static_cast<int>(std::lround((last - first) / step)) + 1);
  const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 15);
  axis.setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

}  // namespace

void fitAxes(QChartView& view, const QList<QPointF>& points, bool withZero) {
  if (points.isEmpty()) return;
  double xLow = points.front().x(), xHigh = xLow;
  double yLow = withZero ? 0 : points.front().y(), yHigh = yLow;
  for (const QPointF& point : points) {
    xLow = std::min(xLow, point.x());
    xHigh = std::max(xHigh, point.x());
    yLow = std::min(yLow, point.y());
    yHigh = std::max(yHigh, point.y());
  }
  fit(*xAxis(view), xLow, xHigh);
  fit(*yAxis(view), yLow, yHigh);
}

int plotPointCount(const QChartView& view) {
  const bool laidOut = view.testAttribute(Qt::WA_Resized) || view.isVisible();
  return std::max(2, laidOut ? view.width() : view.window()->width());
}

void showFigures(QFormLayout& figures,
                 const std::vector<std::pair<std::string, std::string>>& labelsAndValues) {
  while (figures.rowCount() > 0) figures.removeRow(0);
  for (const auto& [name, value] : labelsAndValues) {
    auto* valueLabel = new QLabel(fromUtf8(value));
    valueLabel->setTextFormat(Qt::PlainText);
    valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* nameLabel = new QLabel(fromUtf8(name));
    nameLabel->setTextFormat(Qt::PlainText);
    figures.addRow(nameLabel, valueLabel);
  }
}

}  // namespace vantro::qt::charts
