#include "qt/main_window_layout.h"

#include <QFont>
#include <QLabel>
#include <QPalette>

#include "qt/control_adapters.h"
#include "qt/financial_layout.h"
#include "qt/layout_support.h"
#include "qt/text_box_adapters.h"

namespace vantro::qt {

namespace {

using namespace layout;
using ui::ControlId;
using enum ui::ControlId;

// --- Keys -------------------------------------------------------------------------------

constexpr KeyDesign kKeys[] = {
    {Num0Command, "0", nullptr, nullptr},
    {Num1Command, "1", nullptr, nullptr},
    {Num2Command, "2", nullptr, nullptr},
    {Num3Command, "3", nullptr, nullptr},
    {Num4Command, "4", nullptr, nullptr},
    {Num5Command, "5", nullptr, nullptr},
    {Num6Command, "6", nullptr, nullptr},
    {Num7Command, "7", nullptr, nullptr},
    {Num8Command, "8", nullptr, nullptr},
    {Num9Command, "9", nullptr, nullptr},
    {NumDotCommand, ".", "Insert decimal point", nullptr},
    {NumSignCommand, "+/-", "Negate number", nullptr},
    {CommandBackSpace, nullptr, "Back space", ":/keys/backspace.svg"},
    {NumPlusCommand, nullptr, "Addition operator", ":/keys/plus.svg"},
    {NumMinusCommand, nullptr, "Substrate operator", ":/keys/minus.svg"},
    {NumMULCommand, nullptr, "Multiply operator", ":/keys/multiply.svg"},
    {NumDivCommand, nullptr, "divide operator", ":/keys/divide.svg"},
    {NumEqCommand, nullptr, "Calcuate result", ":/keys/equals.svg"},
    {NumSqRtCommand, "Sqr", "Square root", nullptr},
    {NumSquareCommand, "X^2", "Calc power of 2", nullptr},
    {CommandInvertX, "1/X", "Inverse of X", nullptr},
    {NumMCommand, "M", "Save to memory", nullptr},
    {NumMPlusCommand, "M+", "Add to memory", nullptr},
    {NumMMinusCommand, "M-", "Substrate from memory", nullptr},
    {NumMRCommand, "MR", "Recall memory content", nullptr},
    {NumMCCommand, "MC", "Clear memory content", nullptr},
    {NumACCommand, nullptr, "Clear all contents except memory", ":/keys/ac.svg"},
    {NumCCommand, nullptr, "Clear content at main display", ":/keys/c.svg"},
};

constexpr int kLargeKeyColumns[] = {480, 1440, 2400, 3600, 4560};
constexpr int kLargeKeyRows[] = {4800, 5400, 6000, 6600};
constexpr ControlId kLargeKeyGrid[4][5] = {
    {Num7Command, Num8Command, Num9Command, NumCCommand, NumACCommand},
    {Num4Command, Num5Command, Num6Command, NumMULCommand, NumDivCommand},
    {Num1Command, Num2Command, Num3Command, NumPlusCommand, NumMinusCommand},
    {Num0Command, NumDotCommand, NumSignCommand, NumEqCommand, CommandBackSpace},
};
constexpr ControlId kSmallKeys[] = {CommandInvertX,  NumSquareCommand, NumSqRtCommand,
                                    NumMPlusCommand, NumMMinusCommand, NumMCommand,
                                    NumMRCommand,    NumMCCommand};

const KeyDesign& keyDesign(ControlId id) {
  for (const KeyDesign& key : kKeys)
    if (key.id == id) return key;
  return kKeys[0];  // not reached: every key of the grids is in the table
}

void placeKey(QWidget& parent, EventRouter& router, MainWindowWidgets& out, ControlId id,
              const QFont& font, int left, int top, int width, int height) {
  KeyButton* key = makeKey(parent, router, out, keyDesign(id), font, QSize(20, 20));
  place(*key, left, top, width, height);
}

// --- Display, keypad, panel ------------------------------------------------------------

void buildDisplay(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  LineEditBox* display = makeField(central, router, out, Text1, QStringLiteral("Main Display"));
  display->setToolTip(QStringLiteral("Main Display or Entry Box"));
  display->setFont(sansFont(13.5));
  setColours(*display, Qt::black, QColor(0, 192, 0));
  place(*display, 1080, 960, 4215, 495);

  // The indicators and the status bar show state: their text must stay their accessible name,
  // so they get no fixed one; the tooltip describes them.
  struct Indicator {
    ControlId id;
    const char* toolTip;
    double points;
    int top;
  };
  constexpr Indicator kIndicators[] = {{Label2, "Memory Status", 8.25, 720},
                                       {Label3, "Constant Calculation", 8.25, 960},
                                       {Label1, "Operation", 9.75, 1200}};
  for (const Indicator& indicator : kIndicators) {
    QLabel* label =
        makeLabel(central, name(indicator.id), QString(), QString::fromLatin1(indicator.toolTip),
                  sansFont(indicator.points, true));
    place(*label, 5520, indicator.top, 135, 240);  // 240 apart: no overlap
    out.byId[static_cast<std::size_t>(indicator.id)] = label;
  }

  QLabel* status =
      makeLabel(central, name(Label4), QString(), QStringLiteral("Status Bar"), sansFont(8.25));
  QPalette palette = status->palette();
  palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  status->setPalette(palette);
  status->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  place(*status, 2190, 600, 3105, 270);
  out.byId[static_cast<std::size_t>(Label4)] = status;
}

void buildCashFlowPanel(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  auto* panel = new QWidget(&central);
  panel->setObjectName(name(Frame1));
  panel->setAutoFillBackground(true);  // it lies over the fields and keys while open
  // Right-aligned with the financial keys, it unrolls from under the row of cash-flow keys
  // over the keypad.
  place(*panel, kFinancialRight - 2160, kCashFlowRowBottom + 45, 2160, kFrame1DesignedHeightTwips);
  out.byId[static_cast<std::size_t>(Frame1)] = panel;

  QLabel* title =
      makeLabel(*panel, QStringLiteral("Label12"), QStringLiteral("Cash Flows"),
                QStringLiteral("Cash flows must contain at least one negative value (a payment) "
                               "and one positive value (a receipt)"),
                courierFont(8.25, true));
  place(*title, 0, 0, 1320, 255);

  QLabel* lineNumber =
      makeLabel(*panel, name(LabelLineNum), QString(), QString(), sansFont(8.25, true));
  lineNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  place(*lineNumber, 1320, 0, 840, 255);
  out.byId[static_cast<std::size_t>(LabelLineNum)] = lineNumber;

  auto* flows = new MultiLineBox(TextCF, router, panel);
  flows->setObjectName(name(TextCF));
  flows->setAccessibleName(QStringLiteral("Cash Flows"));
  flows->setFont(sansFont(9.75, true));
  flows->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  place(*flows, 0, 270, 2160, kFrame1DesignedHeightTwips - 270);
  out.byId[static_cast<std::size_t>(TextCF)] = flows;
  out.textBoxes[static_cast<std::size_t>(TextCF)] = &flows->box();
  panel->hide();
}

void buildKeypad(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  const QFont smallFont = sansFont(7.5);
  for (std::size_t i = 0; i < std::size(kSmallKeys); ++i)
    placeKey(central, router, out, kSmallKeys[i], smallFont, 600 + 600 * static_cast<int>(i), 4200,
             495, 255);
  const QFont largeFont = sansFont(11.25, true);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 5; ++column) {
      placeKey(central, router, out, kLargeKeyGrid[row][column], largeFont,
               kLargeKeyColumns[column], kLargeKeyRows[row], 855, 495);
    }
  }
}

// A screen reader reads a field's description: the words its caption label shows on hover.
void describeFieldsByTheirCaptions(QWidget& central, MainWindowWidgets& out) {
  static constexpr std::pair<ControlId, const char*> kCaptions[] = {
      {TextN, "Label6"},    {TextInterest, "Label7"}, {TextPV, "Label8"},       {TextFV, "Label9"},
      {TextPMT, "Label10"}, {TextPer, "Label5"},      {TextDecimal, "Label13"}, {TextCF, "Label12"},
  };
  for (const auto& [field, labelName] : kCaptions) {
    const auto* caption = central.findChild<QLabel*>(QString::fromLatin1(labelName));
    QWidget* box = out.byId[static_cast<std::size_t>(field)];
    if (caption && box) box->setAccessibleDescription(caption->toolTip());
  }
}

}  // namespace

MainWindowWidgets buildMainWindowWidgets(QWidget& central, EventRouter& router) {
  central.setFont(sansFont(8.25));
  MainWindowWidgets out;
  // Creation order is the tab order: the display first, so that it has the focus at start.
  buildDisplay(central, router, out);
  buildFinancialSection(central, router, out);
  buildKeypad(central, router, out);
  buildCashFlowPanel(central, router, out);
  describeFieldsByTheirCaptions(central, out);
  return out;
}

}  // namespace vantro::qt
