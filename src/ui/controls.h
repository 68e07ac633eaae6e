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

// A colour by its red, green and blue parts, 0 to 255 each.
struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
  virtual bool fontBold() const = 0;
  virtual void setFontBold(bool bold) = 0;
  virtual bool fontUnderline() const = 0;
  virtual void setFontUnderline(bool underline) = 0;
  virtual Rgb foreColor() const = 0;  // the caption's colour
  virtual void setForeColor(Rgb colour) = 0;
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
  // A disabled window ignores the mouse and the keyboard.
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool on) = 0;
};

enum class MousePointer { Default = 0, Custom = 99 };

// A window beside the main one (the splash and About windows). Loading creates it hidden;
// unloading closes it for good (a later load creates a new one). Geometry is in twips.
class InfoWindow {
 public:
  virtual ~InfoWindow() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
  // The outer size and position.
  virtual double width() const = 0;
  virtual double height() const = 0;
  virtual double left() const = 0;
  virtual double top() const = 0;
  virtual void move(double left, double top) = 0;
  // The size of the screen the window shows on.
  virtual double screenWidth() const = 0;
  virtual double screenHeight() const = 0;
  // The pointer over the window and those of its controls that have none of their own.
  virtual MousePointer mousePointer() const = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  // Above every window that is not itself topmost, even while another window is active.
  virtual bool topmost() const = 0;
  virtual void setTopmost(bool on) = 0;
  virtual bool loaded() const = 0;
  virtual bool visible() const = 0;
  // Shows the window modeless and activates it; a window on screen comes to the front.
  virtual void show() = 0;
  // Closes the window: its Unload handler runs, then it is gone. Nothing when not loaded.
  virtual void unload() = 0;
};

}  // namespace vantro::ui
