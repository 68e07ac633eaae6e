#pragma once
// The text boxes of the main window: Qt editors that keep the classic text box semantics of
// ui::TextBox (caret at 0 after a new text, a selection that outlives the focus, a key press
// whose character the logic can drop) and report their events to the logic.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>
#include <optional>

#include "qt/event_router.h"
#include "ui/control_id.h"
#include "ui/controls.h"

namespace vantro::qt {

// The TextBox operations, in characters, over a widget whose text the subclass exposes in the
// logic's form. Positions below are UTF-16 indices into that logic text.
class TextBoxAdapter : public ui::TextBox {
 public:
  static constexpr int kMaxLength = 32767;  // a single-line box's

  TextBoxAdapter(ui::ControlId id, EventRouter& router, int maxLength)
      : id_(id), router_(router), maxLength_(maxLength) {}

  std::string text() const override;
  void setText(const std::string& text) override;
  int selStart() const override { return selection().start; }
  int selLength() const override { return selection().length; }
  void setSelStart(int position) override;
  void setSelLength(int length) override;
  std::string selectedText() const override;
  void setSelectedText(const std::string& text) override;
  void setFocus() override;

  // The widget is about to drop its selection because it loses the focus: from now on the
  // selection lives here, where the logic can still read and change it.
  void park();
  // The widget regains the focus: it takes back the selection kept here.
  void unpark();

 protected:
  struct Range {
    int start;
    int end;
  };
  virtual QString logicText() const = 0;
  virtual void setLogicText(const QString& text) = 0;
  virtual Range logicSelection() const = 0;
  virtual void setLogicSelection(Range range) = 0;
  virtual QWidget& widget() = 0;

 private:
  struct Selection {  // in characters
    int start;
    int length;
  };
  Selection selection() const;
  void select(const QString& text, Selection selection);

  ui::ControlId id_;
  EventRouter& router_;
  int maxLength_;
  std::optional<Selection> parked_;
};

// A single-line box (Text1 and the financial fields). Text gets in only through the logic's key
// handlers and the Edit menu's Paste: the editor's own ways around them (the X11 primary
// selection pasted by a middle click, dropped text, word deletions, undo, its context menu's
// Paste) are closed.
class LineEditBox : public QLineEdit {
 public:
  LineEditBox(ui::ControlId id, EventRouter& router, QWidget* parent);
  ui::TextBox& box() { return adapter_; }
  ui::ControlId id() const { return id_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  class Adapter : public TextBoxAdapter {
   public:
    Adapter(LineEditBox& edit) : TextBoxAdapter(edit.id_, edit.router_, kMaxLength), edit_(edit) {}

   protected:
    QString logicText() const override;
    void setLogicText(const QString& text) override;
    Range logicSelection() const override;
    void setLogicSelection(Range range) override;
    QWidget& widget() override { return edit_; }

   private:
    LineEditBox& edit_;
  };

  ui::ControlId id_;
  EventRouter& router_;
  Adapter adapter_;
};

// The multi-line cash-flow box, of any length. The logic's text ends its lines with CR LF, as a
// classic multi-line box does; the editor holds LF alone. Every LF of the editor is CR LF to the
// logic (two characters), and any CR, LF or CR LF the logic writes becomes one line end. A logic
// position between the CR and the LF of a line end is the position before that line end.
class MultiLineBox : public QPlainTextEdit {
 public:
  MultiLineBox(ui::ControlId id, EventRouter& router, QWidget* parent);
  ui::TextBox& box() { return adapter_; }
  ui::ControlId id() const { return id_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Dropped text and the primary selection's middle-click paste: refused, as Paste refuses it,
  // when a line is too long for the list.
  void insertFromMimeData(const QMimeData* source) override;

 private:
  class Adapter : public TextBoxAdapter {
   public:
    Adapter(MultiLineBox& edit)
        : TextBoxAdapter(edit.id_, edit.router_, std::numeric_limits<int>::max()), edit_(edit) {}

   protected:
    QString logicText() const override;
    void setLogicText(const QString& text) override;
    Range logicSelection() const override;
    void setLogicSelection(Range range) override;
    QWidget& widget() override { return edit_; }

   private:
    MultiLineBox& edit_;
  };

  ui::ControlId id_;
  EventRouter& router_;
  Adapter adapter_;
};

}  // namespace vantro::qt
