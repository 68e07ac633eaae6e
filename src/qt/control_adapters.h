#pragma once
// The main window's other controls for the logic: labels, the check box, the cash-flow panel,
// the window itself, and the buttons, which report their clicks and focus changes.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "qt/event_router.h"
#include "qt/twips.h"
#include "ui/control_id.h"
#include "ui/controls.h"

namespace vantro::qt {

class LabelAdapter : public ui::Label {
 public:
  explicit LabelAdapter(QLabel& label) : label_(label) {}
  std::string caption() const override;
  void setCaption(const std::string& caption) override;
  bool fontBold() const override { return label_.font().bold(); }
  void setFontBold(bool bold) override;
  bool fontUnderline() const override { return label_.font().underline(); }
  void setFontUnderline(bool underline) override;
  ui::Rgb foreColor() const override;
  void setForeColor(ui::Rgb colour) override;

 private:
  QLabel& label_;
};

class WrappingCheckBox;

class CheckBoxAdapter : public ui::CheckBox {
 public:
  explicit CheckBoxAdapter(WrappingCheckBox& box) : box_(box) {}
  int value() const override;
  // Setting the value is no click: the logic's Click handler does not run.
  void setValue(int value) override;
  std::string caption() const override;
  void setCaption(const std::string& caption) override;

 private:
  WrappingCheckBox& box_;
};

// The height is the widget's, measured in whole pixels: a height set between two pixels reads
// back as the lower one.
class PanelAdapter : public ui::Panel {
 public:
  explicit PanelAdapter(QWidget& panel) : panel_(panel) {}
  bool visible() const override { return !panel_.isHidden(); }
  void setVisible(bool visible) override { panel_.setVisible(visible); }
  int height() const override { return panel_.height() * kTwipsPerPixel; }
  void setHeight(int twips) override;

 private:
  QWidget& panel_;
};

// Positions are the frame's (pos(), not geometry()), as the logic stores them.
class FormWindowAdapter : public ui::FormWindow {
 public:
  FormWindowAdapter(QWidget& window, const EventRouter& router)
      : window_(window), router_(router) {}
  double left() const override;
  double top() const override;
  void move(double left, double top) override;
  // The client height follows from the outer height and the frame around it, as far as the
  // frame is known: applyOuterHeight() again once the window is on screen.
  void setOuterHeight(int twips) override;
  void applyOuterHeight();
  bool keyPreview() const override { return keyPreview_; }
  void setKeyPreview(bool on) override { keyPreview_ = on; }
  std::optional<ui::ControlId> activeControl() const override { return router_.focused(); }
  bool enabled() const override { return window_.isEnabled(); }
  void setEnabled(bool on) override { window_.setEnabled(on); }

 private:
  QWidget& window_;
  const EventRouter& router_;
  int outerHeightTwips_ = 0;
  bool keyPreview_ = false;
};

// A key of the calculator. It takes the focus when clicked (the logic relies on the focus
// leaving the field), then reports the click.
class KeyButton : public QPushButton {
 public:
  KeyButton(ui::ControlId id, EventRouter& router, QWidget* parent);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ui::ControlId id_;
  EventRouter& router_;
};

// The payment-timing check box. Its caption wraps onto a second line, so that it fits under
// the period field. Every change of its state that the logic did not make itself reports one
// Click, after the value has toggled: a mouse click, the space bar, and an assistive
// technology's Toggle action (which emits no clicked()) alike.
class WrappingCheckBox : public QCheckBox {
 public:
  WrappingCheckBox(ui::ControlId id, EventRouter& router, QWidget* parent);
  // Sets the state without reporting a Click.
  void setCheckedByLogic(bool checked);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ui::ControlId id_;
  EventRouter& router_;
  bool settingByLogic_ = false;
};

}  // namespace vantro::qt
