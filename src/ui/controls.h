#pragma once
// The small control interfaces the window logic acts on. Two implementations exist: the
// in-memory controls of the tests (testing/) and the Qt adapters of the program (src/qt).
// Both follow the classic control semantics below; one contract test suite holds them to it.
//
// Texts are UTF-8; positions and lengths count characters (code points).

#include <optional>
#include <string>

#include "control_id.h"

namespace vantro::ui {

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string text() const = 0;
  // Replacing the text puts the caret at 0 with nothing selected.
  virtual void setText(const std::string& text) = 0;
  // Selection start: the caret when nothing is selected. A selection survives losing the focus.
  virtual int selStart() const = 0;
  virtual int selLength() const = 0;
  // Moves the caret (clamped to 0..length) and empties the selection.
  virtual void setSelStart(int position) = 0;
  // Selects `length` characters from the selection start (clamped to the text's end).
  virtual void setSelLength(int length) = 0;
  virtual std::string selectedText() const = 0;
  // Replaces the selection (or inserts at the caret) and puts the caret after the new text.
  virtual void setSelectedText(const std::string& text) = 0;
  // Gives the box the focus: the old control's LostFocus handler runs, then this box's
  // GotFocus handler, synchronously. Nothing happens when the box has the focus already.
  virtual void setFocus() = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

class CheckBox {
 public:
  virtual ~CheckBox() = default;
  virtual int value() const = 0;  // 0 clear, 1 ticked
  virtual void setValue(int value) = 0;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

class Panel {
 public:
  virtual ~Panel() = default;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual int height() const = 0;  // twips
  virtual void setHeight(int twips) = 0;
};

// The main window itself. Geometry is in twips (15 per logical pixel).
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual double left() const = 0;
  virtual double top() const = 0;
  virtual void move(double left, double top) = 0;
  virtual void setOuterHeight(int twips) = 0;
  // While on, the window's KeyDown handler sees each key before the focused control does.
  virtual bool keyPreview() const = 0;
  virtual void setKeyPreview(bool on) = 0;
  // The control of this window that has the focus (or had it last, while another window is
  // active); none before any control took it.
  virtual std::optional<ControlId> activeControl() const = 0;
};

}  // namespace vantro::ui
