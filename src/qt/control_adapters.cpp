#include "qt/control_adapters.h"

#include <QFocusEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

#include "qt/code_points.h"
#include "qt/twips.h"

namespace vantro::qt {

std::string LabelAdapter::caption() const {
  return toUtf8(label_.text());
}
void LabelAdapter::setCaption(const std::string& caption) {
  label_.setText(fromUtf8(caption));
}
void LabelAdapter::setFontBold(bool bold) {
  QFont font = label_.font();
  font.setBold(bold);
  label_.setFont(font);
}
void LabelAdapter::setFontUnderline(bool underline) {
  QFont font = label_.font();
  font.setUnderline(underline);
  label_.setFont(font);
}
ui::Rgb LabelAdapter::foreColor() const {
  const QColor colour = label_.palette().color(QPalette::WindowText);
  return {colour.red(), colour.green(), colour.blue()};
}
void LabelAdapter::setForeColor(ui::Rgb colour) {
  QPalette palette = label_.palette();
  palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
  label_.setPalette(palette);
}

int CheckBoxAdapter::value() const {
  return box_.isChecked() ? 1 : 0;
}
void CheckBoxAdapter::setValue(int value) {
  box_.setCheckedByLogic(value != 0);
}
std::string CheckBoxAdapter::caption() const {
  return toUtf8(box_.text());
}
void CheckBoxAdapter::setCaption(const std::string& caption) {
  box_.setText(fromUtf8(caption));
}

void PanelAdapter::setHeight(int twips) {
  panel_.resize(panel_.width(), std::max(0, px(twips)));
}

double FormWindowAdapter::left() const {
  return window_.pos().x() * double{kTwipsPerPixel};
}
double FormWindowAdapter::top() const {
  return window_.pos().y() * double{kTwipsPerPixel};
}

void FormWindowAdapter::move(double left, double top) {
  window_.move(positionToPixels(left), positionToPixels(top));
}

void FormWindowAdapter::setOuterHeight(int twips) {
  outerHeightTwips_ = twips;
  applyOuterHeight();
}

void FormWindowAdapter::applyOuterHeight() {
  if (outerHeightTwips_ <= 0) return;
  const int frame = window_.frameGeometry().height() - window_.geometry().height();
  const int client = std::max(1, px(outerHeightTwips_) - frame);
  if (window_.height() != client || window_.minimumHeight() != client)
    window_.setFixedHeight(client);
}

KeyButton::KeyButton(ui::ControlId id, EventRouter& router, QWidget* parent)
    : QPushButton(parent), id_(id), router_(router) {
  // As on a classic window, Enter clicks the key that has the focus.
  setAutoDefault(true);
  connect(this, &QPushButton::clicked, this, [this] { router_.deliver(id_, ui::events::Click{}); });
}

void KeyButton::focusInEvent(QFocusEvent* event) {
  QPushButton::focusInEvent(event);
  router_.focusIn(id_, event->reason());
}

void KeyButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  router_.focusOut(id_, event->reason());
}

WrappingCheckBox::WrappingCheckBox(ui::ControlId id, EventRouter& router, QWidget* parent)
    : QCheckBox(parent), id_(id), router_(router) {
  connect(this, &QCheckBox::toggled, this, [this] {
    if (!settingByLogic_) router_.deliver(id_, ui::events::Click{});
  });
}

void WrappingCheckBox::setCheckedByLogic(bool checked) {
  settingByLogic_ = true;
  setChecked(checked);
  settingByLogic_ = false;
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();  // the style draws the box (and focus frame); the caption wraps here
  painter.drawControl(QStyle::CE_CheckBox, option);
  const QRect captionRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  painter.drawItemText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                       isEnabled(), caption, QPalette::WindowText);
}

void WrappingCheckBox::focusInEvent(QFocusEvent* event) {
  QCheckBox::focusInEvent(event);
  router_.focusIn(id_, event->reason());
}

void WrappingCheckBox::focusOutEvent(QFocusEvent* event) {
  QCheckBox::focusOutEvent(event);
  router_.focusOut(id_, event->reason());
}

}  // namespace vantro::qt
