#include "qt/analysis/analysis_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/analysis/cash_flow_profile_tab.h"
#include "qt/analysis/dated_cash_flows_tab.h"
#include "qt/analysis/loan_schedule_tab.h"
#include "qt/announcer.h"
#include "qt/artwork.h"
#include "qt/code_points.h"

namespace vantro::qt {

AnalysisWindow::AnalysisWindow()
    : QWidget(nullptr, Qt::Window),
      tabs_(new QTabWidget),
      loan_(new LoanScheduleTab),
      profile_(new CashFlowProfileTab),
      dated_(new DatedCashFlowsTab),
      refreshAction_(new QAction(tr("Refresh"), this)),
      refreshButton_(new QPushButton(tr("&Refresh"))),
      announcer_(new Announcer(*this)) {
  setObjectName(QStringLiteral("AnalysisWindow"));
  // The window manager adds the program's name: "Analysis — Vantro Calculator".
  setWindowTitle(tr("Analysis"));
  setWindowIcon(artwork::applicationIcon());

  tabs_->setAccessibleName(tr("Analysis pages"));
  tabs_->addTab(loan_, tr("&Loan Schedule"));
  tabs_->addTab(profile_, tr("Cash-&Flow Profile"));
  tabs_->addTab(dated_, tr("&Dated Cash Flows"));
  tabs_->setTabToolTip(0, tr("Loan Schedule"));
  tabs_->setTabToolTip(1, tr("Cash-Flow Profile"));
  tabs_->setTabToolTip(2, tr("Dated Cash Flows"));

  refreshAction_->setShortcut(QKeySequence(Qt::Key_F5));
  refreshAction_->setShortcutContext(Qt::WindowShortcut);
  addAction(refreshAction_);
  auto* closeAction = new QAction(tr("Close"), this);
  closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
  addAction(closeAction);
  connect(closeAction, &QAction::triggered, this, &QWidget::close);
  refreshButton_->setAccessibleName(tr("Refresh"));
  refreshButton_->setToolTip(tr("Read the calculator's fields again (F5)"));
  tabs_->setCornerWidget(refreshButton_, Qt::TopRightCorner);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);

  loan_->putInInterest = [this](const std::string& percent) {
    if (!writeInterest_) return;
    writeInterest_(percent);
    refresh();
  };

  connect(refreshAction_, &QAction::triggered, this, [this] { refresh(); });
  connect(refreshButton_, &QPushButton::clicked, this, [this] { refresh(); });
  // Room for the table's seven columns and a chart under it, on a screen that has it.
  QSize size(900, 600);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
}

void AnalysisWindow::showPage(ui::AnalysisPage page) {
  switch (page) {
    case ui::AnalysisPage::LoanSchedule:
      tabs_->setCurrentWidget(loan_);
      break;
    case ui::AnalysisPage::CashFlowProfile:
      tabs_->setCurrentWidget(profile_);
      break;
    case ui::AnalysisPage::DatedCashFlows:
      tabs_->setCurrentWidget(dated_);
      break;
  }
}

ui::AnalysisPage AnalysisWindow::page() const {
  if (tabs_->currentWidget() == loan_) return ui::AnalysisPage::LoanSchedule;
  if (tabs_->currentWidget() == profile_) return ui::AnalysisPage::CashFlowProfile;
  return ui::AnalysisPage::DatedCashFlows;
}

// The page's sentences are read out: what the schedule needs, what its payment leaves and
// its extras save, which rates settle the loan, what the IRRs or the dated flows say. The
// tables and charts a screen reader reaches through the tab itself.
void AnalysisWindow::refresh() {
  if (!readFields_) return;
  const ui::AnalysisFields fields = readFields_();
  loan_->showFields(fields);
  profile_->showFields(fields);
  dated_->showFields(fields);
  if (page() == ui::AnalysisPage::CashFlowProfile) {
    announcer_->announce(fromUtf8(profile_->report().sentence));
    return;
  }
  if (page() == ui::AnalysisPage::DatedCashFlows) {
    announcer_->announce(fromUtf8(dated_->report().sentence));
    return;
  }
  const ui::LoanScheduleReport& schedule = loan_->report();
  QStringList sentences;
  const auto add = [&](const std::string& sentence) {
    if (!sentence.empty()) sentences << fromUtf8(sentence);
  };
  add(schedule.problem());
  add(schedule.paymentNote());
  add(schedule.extrasNote());
  add(schedule.ratesNote());
  announcer_->announce(sentences.join(QLatin1Char(' ')));
}

}  // namespace vantro::qt
