#pragma once
// What the tabs' charts share: a chart view set up the same way, axes that fit the data, and
// how many points a curve needs; and the list of figures shown with a chart.

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QString>
#include <QValueAxis>
#include <string>
#include <utility>
#include <vector>

class QFormLayout;

namespace vantro::qt::charts {

// A chart view with antialiasing, a legend at the bottom and two value axes titled as given,
// named for assistive technologies.
QChartView* makeChartView(const QString& accessibleName, const QString& accessibleDescription,
                          const QString& xTitle, const QString& yTitle, QWidget* parent);

// Adds (x, y) to a curve unless one of them is infinite or NaN, which a chart cannot place.
void appendIfFinite(QList<QPointF>& points, double x, double y);

QValueAxis* xAxis(QChartView& view);
QValueAxis* yAxis(QChartView& view);

// Sets the axes' ranges to hold every point of `points` (and y = 0 when `withZero`), rounded to
// readable tick values. An empty list leaves them as they are.
void fitAxes(QChartView& view, const QList<QPointF>& points, bool withZero);

// The number of points a curve across `view` needs: one per pixel of its width, or of its
// window's while the view has not been laid out yet (a tab not shown so far).
int plotPointCount(const QChartView& view);

// Replaces the rows of `figures` with one selectable label and value per pair.
void showFigures(QFormLayout& figures,
                 const std::vector<std::pair<std::string, std::string>>& labelsAndValues);

}  // namespace vantro::qt::charts
