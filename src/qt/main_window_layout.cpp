#include "qt/main_window_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QStringList>

#include "qt/control_adapters.h"
#include "qt/text_box_adapters.h"
#include "qt/twips.h"

namespace vantro::qt {

namespace {

using ui::ControlId;
using enum ui::ControlId;

// "MS Sans Serif" and "Arial" are not on a Linux desktop: Nimbus Sans (URW, metric-compatible
// with Helvetica and so with Arial) stands in, with the usual alternatives after it.
QFont sansFont(double points, bool bold = false) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont courierFont(double points, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Mono PS"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::Courier);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void place(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(px(left), px(top), px(width), px(height));
}

void setColours(QWidget& widget, QColor base, QColor text) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Text, text);
  widget.setPalette(palette);
}

const QString name(ControlId id) {
  return QString::fromLatin1(ui::controlInfo(id).name.data(),
                             static_cast<qsizetype>(ui::controlInfo(id).name.size()));
}

// --- Keys -------------------------------------------------------------------------------

struct KeyDesign {
  ControlId id;
  const char* caption;  // nullptr for a picture key
  const char* toolTip;  // nullptr for none
  const char* picture;  // resource path
};

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

KeyButton* makeKey(QWidget& parent, EventRouter& router, ControlId id, const QFont& font) {
  const KeyDesign& design = keyDesign(id);
  auto* key = new KeyButton(id, router, &parent);
  key->setObjectName(name(id));
  key->setFont(font);
  if (design.caption) key->setText(QString::fromLatin1(design.caption));
  if (design.toolTip) key->setToolTip(QString::fromLatin1(design.toolTip));
  if (design.picture) {
    key->setIcon(QIcon(QString::fromLatin1(design.picture)));
    key->setIconSize(QSize(20, 20));
    key->setAccessibleName(QString::fromLatin1(design.toolTip));  // no caption to name it
  }
  return key;
}

// --- Labels and fields ------------------------------------------------------------------

QLabel* makeLabel(QWidget& parent, const QString& objectName, const QString& caption,
                  const QString& toolTip, const QFont& font) {
  auto* label = new QLabel(caption, &parent);
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  label->setToolTip(toolTip);
  return label;
}

struct FieldDesign {
  ControlId id;
  const char* labelName;
  const char* caption;
  const char* toolTip;
  int left;
};

constexpr int kFieldWidth = 1050;
constexpr int kFieldHeight = 375;
constexpr int kFieldLabelTop = 1620;
constexpr int kFieldTop = 1860;
constexpr FieldDesign kFields[] = {
    {TextN, "Label6", "NPer", "Total number of payment periods in the annuity", 120},
    {TextInterest, "Label7", "Interest", "Interest per period, in percentage", 1275},
    {TextPV, "Label8", "Present Value", "Present value", 2430},
    {TextFV, "Label9", "Future Value", "Future value", 3585},
    {TextPMT, "Label10", "Payment", "Payment per period", 4740},
};

const QColor kPaleYellow(255, 255, 192);
const QColor kLightGrey(224, 224, 224);
const QColor kBlue(0, 0, 255);

LineEditBox* makeField(QWidget& parent, EventRouter& router, MainWindowWidgets& out, ControlId id,
                       const QString& accessibleName) {
  auto* box = new LineEditBox(id, router, &parent);
  box->setObjectName(name(id));
  box->setAccessibleName(accessibleName);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  out.byId[static_cast<std::size_t>(id)] = box;
  out.textBoxes[static_cast<std::size_t>(id)] = &box->box();
  return box;
}

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

void buildFinancialFields(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  const QFont labelFont = sansFont(8.25);
  const QFont fieldFont = sansFont(9.75);
  for (const FieldDesign& field : kFields) {
    QLabel* label =
        makeLabel(central, QString::fromLatin1(field.labelName), QString::fromLatin1(field.caption),
                  QString::fromLatin1(field.toolTip), labelFont);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    place(*label, field.left, kFieldLabelTop, kFieldWidth, kFieldTop - kFieldLabelTop);
    LineEditBox* box =
        makeField(central, router, out, field.id, QString::fromLatin1(field.caption));
    box->setFont(fieldFont);
    setColours(*box, kPaleYellow, Qt::black);
    place(*box, field.left, kFieldTop, kFieldWidth, kFieldHeight);
  }

  // "Per / " and "Reinvest Rate" read as one caption: the period, or the reinvestment rate.
  const QString perToolTip = QStringLiteral(
      "Payment period in the range 1 through NPer. Or interest rate received on gains from "
      "cash reinvestment.");
  QLabel* per =
      makeLabel(central, QStringLiteral("Label5"), QStringLiteral("Per / "), perToolTip, labelFont);
  QLabel* reinvest = makeLabel(central, QStringLiteral("Label11"), QStringLiteral("Reinvest Rate"),
                               perToolTip, labelFont);
  const QFontMetrics metrics(labelFont);
  const int perWidth = metrics.horizontalAdvance(per->text());
  per->setGeometry(px(120), px(2400), perWidth, px(240));
  reinvest->setGeometry(px(120) + perWidth, px(2400),
                        metrics.horizontalAdvance(reinvest->text()) + 2, px(240));

  LineEditBox* period =
      makeField(central, router, out, TextPer, QStringLiteral("Per / Reinvest Rate"));
  period->setFont(fieldFont);
  setColours(*period, kLightGrey, kBlue);
  place(*period, 120, 2640, kFieldWidth, kFieldHeight);

  auto* payment = new WrappingCheckBox(CheckPayment, router, &central);
  payment->setObjectName(name(CheckPayment));
  payment->setText(QStringLiteral("Payment At End Period"));
  payment->setToolTip(QStringLiteral("Specifying when payments are due"));
  payment->setFont(labelFont);
  place(*payment, 120, 3120, 1275, 510);
  out.byId[static_cast<std::size_t>(CheckPayment)] = payment;

  QLabel* decimalLabel =
      makeLabel(central, QStringLiteral("Label13"), QStringLiteral("Decimal Place"),
                QStringLiteral("Specify number of decimal point to display (for financial "
                               "calculation only)."),
                labelFont);
  decimalLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  place(*decimalLabel, 120, 600, 1200, 285);
  LineEditBox* decimals =
      makeField(central, router, out, TextDecimal, QStringLiteral("Decimal Place"));
  decimals->setFont(labelFont);
  decimals->setAlignment(Qt::AlignCenter);
  setColours(*decimals, kLightGrey, kBlue);
  place(*decimals, 1440, 585, 615, 300);
}

void buildCashFlowPanel(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  auto* panel = new QWidget(&central);
  panel->setObjectName(name(Frame1));
  panel->setAutoFillBackground(true);  // it lies over the fields and keys while open
  place(*panel, 3600, 2300, 2160, kFrame1DesignedHeightTwips);
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
  for (std::size_t i = 0; i < std::size(kSmallKeys); ++i) {
    KeyButton* key = makeKey(central, router, kSmallKeys[i], smallFont);
    place(*key, 600 + 600 * static_cast<int>(i), 4200, 495, 255);
    out.byId[static_cast<std::size_t>(kSmallKeys[i])] = key;
  }
  const QFont largeFont = sansFont(11.25, true);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 5; ++column) {
      const ControlId id = kLargeKeyGrid[row][column];
      KeyButton* key = makeKey(central, router, id, largeFont);
      place(*key, kLargeKeyColumns[column], kLargeKeyRows[row], 855, 495);
      out.byId[static_cast<std::size_t>(id)] = key;
    }
  }
}

}  // namespace

MainWindowWidgets buildMainWindowWidgets(QWidget& central, EventRouter& router) {
  central.setFont(sansFont(8.25));
  MainWindowWidgets out;
  // Creation order is the tab order: the display first, so that it has the focus at start.
  buildDisplay(central, router, out);
  buildFinancialFields(central, router, out);
  buildKeypad(central, router, out);
  buildCashFlowPanel(central, router, out);
  return out;
}

}  // namespace vantro::qt
