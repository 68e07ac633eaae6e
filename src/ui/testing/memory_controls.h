#pragma once
// In-memory controls with the classic control semantics, for the window logic's tests.

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "ui/control_id.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace vantro::ui::testing {

class MemoryWindow;

class MemoryTextBox : public TextBox {
 public:
  static constexpr int kMaxLength = 32767;  // as a single-line box allows

  // A multi-line box (the cash-flow list) holds any length; Enter starts a new line in it.
  MemoryTextBox(MemoryWindow& window, ControlId id, bool multiLine)
      : window_(window), id_(id), multiLine_(multiLine) {}

  std::string text() const override { return text_; }
  void setText(const std::string& text) override;
  int selStart() const override { return selStart_; }
  int selLength() const override { return selLength_; }
  void setSelStart(int position) override;
  void setSelLength(int length) override;
  std::string selectedText() const override;
  void setSelectedText(const std::string& text) override;
  void setFocus() override;

  // What the box itself does with a character that its KeyPress handler let through:
  // Backspace deletes the selection or the character before the caret; other control
  // characters do nothing; any other character replaces the selection.
  void acceptCharacter(int keyAscii);
  // The box's own handling of keys without a character: arrows, Home, End, Delete.
  void acceptKey(int keyCode);

 private:
  int length() const;
  int maxLength() const;
  std::string withLineEnds(std::string_view text) const;
  int outsideLineEnd(int position) const;
  int stepBack(int position) const;
  int stepForward(int position) const;

  MemoryWindow& window_;
  ControlId id_;
  bool multiLine_;
  std::string text_;
  int selStart_ = 0;
  int selLength_ = 0;
};

class MemoryLabel : public Label {
 public:
  MemoryLabel() = default;
  explicit MemoryLabel(std::string caption) : caption_(std::move(caption)) {}
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  bool fontBold() const override { return bold_; }
  void setFontBold(bool bold) override { bold_ = bold; }
  bool fontUnderline() const override { return underline_; }
  void setFontUnderline(bool underline) override { underline_ = underline; }
  Rgb foreColor() const override { return colour_; }
  void setForeColor(Rgb colour) override { colour_ = colour; }

 private:
  std::string caption_;
  bool bold_ = false;
  bool underline_ = false;
  Rgb colour_;
};

class MemoryCheckBox : public CheckBox {
 public:
  int value() const override { return value_; }
  void setValue(int value) override { value_ = value; }
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }

 private:
  int value_ = 0;
  std::string caption_;
};

// Measured as a window measures it, in whole pixels of 15 twips.
class MemoryPanel : public Panel {
 public:
  explicit MemoryPanel(int designedHeight) { setHeight(designedHeight); }
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  int height() const override { return height_; }
  void setHeight(int twips) override { height_ = std::max(0, twips) / 15 * 15; }

 private:
  bool visible_ = true;
  int height_;
};

class MemoryFormWindow : public FormWindow {
 public:
  double left() const override { return left_; }
  double top() const override { return top_; }
  void move(double left, double top) override {
    left_ = left;
    top_ = top;
  }
  void setOuterHeight(int twips) override { outerHeight_ = twips; }
  int outerHeight() const { return outerHeight_; }
  bool keyPreview() const override { return keyPreview_; }
  void setKeyPreview(bool on) override { keyPreview_ = on; }
  std::optional<ControlId> activeControl() const override { return active_; }
  void setActiveControl(ControlId id) { active_ = id; }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override { enabled_ = on; }

 private:
  std::optional<ControlId> active_;
  bool enabled_ = true;
  double left_ = 1500;
  double top_ = 1500;
  int outerHeight_ = 0;
  bool keyPreview_ = false;
};

// A clipboard of this process alone.
class MemoryClipboard : public Clipboard {
 public:
  void clear() override { text_.clear(); }
  void setText(const std::string& text) override { text_ = text; }
  std::string text() const override { return text_; }

 private:
  std::string text_;
};

// The analysis window as the logic sees it: which page was asked for, and the reader of the
// fields it was given, which a test calls as the window's refresh would.
class MemoryAnalysisViewer : public AnalysisViewer {
 public:
  void show(AnalysisPage page, AnalysisLink link) override {
    shownPages.push_back(page);
    readFields = std::move(link.readFields);
    setInterest = std::move(link.setInterest);
  }
  std::vector<AnalysisPage> shownPages;
  std::function<AnalysisFields()> readFields;
  std::function<void(const std::string&)> setInterest;
};

// The event queue of the in-memory window: empty, unless a test schedules work for one of its
// calls, as a user's click would arrive while a handler lets events run.
class MemoryEventPump : public EventPump {
 public:
  void processEvents(int milliseconds) override;
  // Runs `action` during the `call`-th processEvents (counted from 1 over the pump's life).
  void during(int call, std::function<void()> action) {
    scheduled_.emplace(call, std::move(action));
  }
  int calls() const { return calls_; }
  int waitedMilliseconds() const { return waited_; }

 private:
  std::multimap<int, std::function<void()>> scheduled_;
  int calls_ = 0;
  int waited_ = 0;
};

}  // namespace vantro::ui::testing
