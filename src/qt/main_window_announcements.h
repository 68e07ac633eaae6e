#pragma once
// Results as a screen reader hears them. When a key or command writes the status bar, the
// window announces the status with the display's new value, "Payment, -733.76" or
// "2  +  3, 5", once the event is handled; a failure message goes alone. Typing writes no
// status and is not announced: the screen reader echoes the keys itself.
//
// The logic's display and status bar pass through here, so that every write is seen, also one
// that leaves the text as it was (PMT pressed twice).

#include <QObject>

#include "qt/announcer.h"
#include "ui/controls.h"

namespace vantro::qt {

class ResultAnnouncements {
 public:
  ResultAnnouncements(QWidget& window, ui::TextBox& display, ui::Label& statusBar);

  ui::TextBox& display() { return display_; }
  ui::Label& statusBar() { return statusBar_; }
  Announcer& announcer() { return announcer_; }

 private:
  class Display : public ui::TextBox {
   public:
    Display(ResultAnnouncements& owner, ui::TextBox& box) : owner_(owner), box_(box) {}
    std::string text() const override { return box_.text(); }
    void setText(const std::string& text) override;
    int selStart() const override { return box_.selStart(); }
    int selLength() const override { return box_.selLength(); }
    void setSelStart(int position) override { box_.setSelStart(position); }
    void setSelLength(int length) override { box_.setSelLength(length); }
    std::string selectedText() const override { return box_.selectedText(); }
    void setSelectedText(const std::string& text) override;
    void setFocus() override { box_.setFocus(); }

   private:
    ResultAnnouncements& owner_;
    ui::TextBox& box_;
  };

  class StatusBar : public ui::Label {
   public:
    StatusBar(ResultAnnouncements& owner, ui::Label& label) : owner_(owner), label_(label) {}
    std::string caption() const override { return label_.caption(); }
    void setCaption(const std::string& caption) override;
    bool fontBold() const override { return label_.fontBold(); }
    void setFontBold(bool bold) override { label_.setFontBold(bold); }
    bool fontUnderline() const override { return label_.fontUnderline(); }
    void setFontUnderline(bool underline) override { label_.setFontUnderline(underline); }
    ui::Rgb foreColor() const override { return label_.foreColor(); }
    void setForeColor(ui::Rgb colour) override { label_.setForeColor(colour); }

   private:
    ResultAnnouncements& owner_;
    ui::Label& label_;
  };

  // Marks a write of this turn of the event loop; the turn's end announces what it wrote.
  void written(bool status);
  void endOfTurn();

  Announcer& announcer_;
  Display display_;
  StatusBar statusBar_;
  bool displayWritten_ = false;
  bool statusWritten_ = false;
  bool turnEndPending_ = false;
};

}  // namespace vantro::qt
