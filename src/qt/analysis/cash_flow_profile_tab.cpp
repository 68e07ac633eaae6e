#include "qt/analysis/cash_flow_profile_tab.h"

#include <QFormLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>

#include "qt/analysis/chart_support.h"
#include "qt/code_points.h"

namespace vantro::qt {

CashFlowProfileTab::CashFlowProfileTab(QWidget* parent)
    : QWidget(parent),
      sentence_(new QLabel),
      details_(new QWidget),
      chart_(charts::makeChartView(
          tr("NPV profile chart"),
          tr("The net present value of the cash flows against the rate, with each IRR marked; "
             "the sentence above and the figures list beside it carry the same results."),
          tr("Rate (%)"), tr("NPV"), nullptr)),
      npv_(new QLineSeries),
      zero_(new QLineSeries),
      irrs_(new QScatterSeries),
      figures_(new QFormLayout) {
  sentence_->setObjectName(QStringLiteral("CashFlowProfileSentence"));
  sentence_->setAccessibleDescription(tr("What the IRRs say"));  // named by its text
  chart_->setObjectName(QStringLiteral("CashFlowProfileChart"));
  sentence_->setWordWrap(true);
  sentence_->setTextFormat(Qt::PlainText);
  sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  npv_->setName(tr("NPV"));
  irrs_->setName(tr("IRR"));
  irrs_->setMarkerSize(9);
  QPen axisPen(palette().color(QPalette::Mid));
  axisPen.setWidthF(1);
  zero_->setPen(axisPen);
  for (QXYSeries* series : {static_cast<QXYSeries*>(zero_), static_cast<QXYSeries*>(npv_),
                            static_cast<QXYSeries*>(irrs_)}) {
    chart_->chart()->addSeries(series);
    series->attachAxis(charts::xAxis(*chart_));
    series->attachAxis(charts::yAxis(*chart_));
  }
  for (QLegendMarker* marker : chart_->chart()->legend()->markers(zero_)) marker->setVisible(false);

  auto* figuresBox = new QWidget;
  figuresBox->setAccessibleName(tr("Figures"));
  figuresBox->setLayout(figures_);
  figures_->setContentsMargins(0, 0, 0, 0);
  figures_->setLabelAlignment(Qt::AlignLeft);
  figures_->setHorizontalSpacing(16);

  // The figures go under the chart: a figure that cannot be had is a sentence, which beside
  // the chart would take its width.
  auto* detailsLayout = new QVBoxLayout(details_);
  detailsLayout->setContentsMargins(0, 0, 0, 0);
  detailsLayout->addWidget(chart_, 1);
  detailsLayout->addWidget(figuresBox);

  auto* root = new QVBoxLayout(this);
  root->addWidget(sentence_);
  root->addWidget(details_, 1);
  root->addStretch(0);
}

void CashFlowProfileTab::showFields(const ui::AnalysisFields& fields) {
  report_ = ui::CashFlowProfileReport::build(fields, charts::plotPointCount(*chart_));
  sentence_->setText(fromUtf8(report_.sentence));
  details_->setVisible(report_.usable());
  if (!report_.usable()) return;
  showChart();
  charts::showFigures(*figures_, report_.figures);
}

void CashFlowProfileTab::showChart() {
  QList<QPointF> curve;
  curve.reserve(static_cast<qsizetype>(report_.curve.size()));
  for (const core::finance::NpvPoint& point : report_.curve)
    charts::appendIfFinite(curve, point.rate * 100, point.npv);
  QList<QPointF> marks;
  for (const double irr : report_.irrs) charts::appendIfFinite(marks, irr * 100, 0);
  npv_->replace(curve);
  irrs_->replace(marks);
  if (!curve.isEmpty())
    zero_->replace({QPointF(curve.front().x(), 0), QPointF(curve.back().x(), 0)});
  charts::fitAxes(*chart_, curve, true);
}

}  // namespace vantro::qt
