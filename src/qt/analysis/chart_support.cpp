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

void fit(QValueAxis& axis, double low, double high) {
  if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high)) return;
  if (low == high) {  // a flat line still needs a range to be drawn in
    const double pad = low == 0 ? 1 : std::abs(low) * 0.1;
    low -= pad;
    high += pad;
  }
  axis.setRange(low, high);
  const double largest = std::max(std::abs(low), std::abs(high));
  // Rounding a range near the largest doubles to tick values overflows.
  if (largest < 1e200) axis.applyNiceNumbers();
  // Ticks in full, with the decimals their spacing needs and none more ("1,000,000", "0.5"),
  // up to amounts people write out; beyond, every digit would crowd the axis.
  if (largest >= 1e15) {
    axis.setLabelFormat(QStringLiteral("%.6g"));
    return;
  }
  const double spacing = (axis.max() - axis.min()) / std::max(1, axis.tickCount() - 1);
  const int decimals =
      spacing > 0 ? std::clamp(static_cast<int>(std::ceil(-std::log10(spacing) - 1e-9)), 0, 15) : 0;
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
