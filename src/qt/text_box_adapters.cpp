#include "qt/text_box_adapters.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <algorithm>

#include "core/cash_flow_text.h"
#include "qt/code_points.h"
#include "qt/key_codes.h"
#include "qt/twips.h"
#include "ui/keys.h"

namespace vantro::qt {

namespace {

bool localeHasDecimalComma() {
  return QLocale().decimalPoint() == QStringLiteral(",");
}

QString textOf(int code) {
  const auto character = static_cast<char32_t>(code);
  return QString::fromUcs4(&character, 1);
}

// KeyDown, then KeyPress for a key that types a character, then the editor's own handling
// (`edit`) unless the logic dropped the character; a menu key stops after KeyDown. The editor sees
// the character the logic let through: the decimal key of a German keypad as ".", and any Return,
// Ctrl or Shift with it, as a plain Return, the one line end the logic's text knows.
template <class Edit>
void passKey(ui::ControlId id, EventRouter& router, QKeyEvent& event, Edit edit) {
  router.deliver(id, ui::events::KeyDown{virtualKeyCode(event.key(), event.modifiers()),
                                         shiftState(event.modifiers())});
  if (isMenuKey(event)) {  // no menu took it: it types nothing, the editor's own Alt+5 included
    event.ignore();
    return;
  }
  int code = characterCode(event, localeHasDecimalComma());
  if (code == 0) {
    edit(&event);
    return;
  }
  ui::EventArgs press = ui::events::KeyPress{code};
  router.deliver(id, press);
  code = std::get<ui::events::KeyPress>(press).keyAscii;
  if (code == 0) {
    event.accept();
    return;
  }
  if (code != ui::keys::kEnter && event.text() == textOf(code)) {
    edit(&event);
    return;
  }
  QKeyEvent typed(QEvent::KeyPress, code == ui::keys::kEnter ? Qt::Key_Return : event.key(),
                  code == ui::keys::kEnter ? Qt::NoModifier : event.modifiers(), textOf(code));
  edit(&typed);
  event.setAccepted(typed.isAccepted());
}

void reportKeyUp(ui::ControlId id, EventRouter& router, const QKeyEvent& event) {
  router.deliver(id, ui::events::KeyUp{virtualKeyCode(event.key(), event.modifiers()),
                                       shiftState(event.modifiers())});
}

// The button as 1 (left), 2 (right) or 4 (middle), the position in twips.
void reportMouseUp(ui::ControlId id, EventRouter& router, const QMouseEvent& event) {
  const int button = event.button() == Qt::RightButton    ? 2
                     : event.button() == Qt::MiddleButton ? 4
                                                          : 1;
  router.deliver(id, ui::events::MouseUp{button, shiftState(event.modifiers()),
                                         event.position().x() * kTwipsPerPixel,
                                         event.position().y() * kTwipsPerPixel});
}

// Editing keys of the toolkit that change a field's text without a key press the logic could
// refuse: Ctrl+Backspace would delete a word after the logic let one Backspace through.
bool isToolkitOnlyEdit(const QKeyEvent& event) {
  static constexpr QKeySequence::StandardKey kEdits[] = {
      QKeySequence::DeleteStartOfWord,
      QKeySequence::DeleteEndOfWord,
      QKeySequence::DeleteEndOfLine,
      QKeySequence::DeleteCompleteLine,
      QKeySequence::Undo,
      QKeySequence::Redo,
  };
  for (const QKeySequence::StandardKey edit : kEdits)
    if (event.matches(edit)) return true;
  return false;
}

// The editor's context menu with the Edit menu's commands, which act on the focused box (this
// one: the click gave it the focus).
void showEditMenu(QWidget& box, EventRouter& router, const QPoint& where, bool hasSelection) {
  QMenu menu(&box);
  auto add = [&](const char* caption, ui::ControlId item, bool enabled) {
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu,
                     [&router, item] { router.deliver(item, ui::events::Click{}); });
  };
  add("Cut", ui::ControlId::MenuCut, hasSelection);
  add("Copy", ui::ControlId::MenuCopy, hasSelection);
  add("Paste", ui::ControlId::MenuPaste, true);
  menu.exec(where);
}

bool dropsSelection(Qt::FocusReason reason) {
  // QLineEdit keeps its selection only across activation changes and pop-ups.
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QString limited(const QString& text, int characters) {
  return text.left(indexOfCodePoint(text, std::max(characters, 0)));
}

}  // namespace

// --- TextBoxAdapter ---------------------------------------------------------------------

TextBoxAdapter::Selection TextBoxAdapter::selection() const {
  if (parked_) return *parked_;
  const QString text = logicText();
  const Range range = logicSelection();
  const int start = codePointsBefore(text, range.start);
  return {start, codePointsBefore(text, range.end) - start};
}

void TextBoxAdapter::select(const QString& text, Selection selection) {
  if (parked_) {
    parked_ = selection;
    return;
  }
  setLogicSelection({indexOfCodePoint(text, selection.start),
                     indexOfCodePoint(text, selection.start + selection.length)});
}

std::string TextBoxAdapter::text() const {
  return toUtf8(logicText());
}

void TextBoxAdapter::setText(const std::string& text) {
  setLogicText(limited(fromUtf8(text), maxLength_));
  select(logicText(), {0, 0});
}

void TextBoxAdapter::setSelStart(int position) {
  const QString text = logicText();
  select(text, {std::clamp(position, 0, codePointCount(text)), 0});
}

void TextBoxAdapter::setSelLength(int length) {
  const QString text = logicText();
  const int start = selection().start;
  select(text, {start, std::clamp(length, 0, codePointCount(text) - start)});
}

std::string TextBoxAdapter::selectedText() const {
  const QString text = logicText();
  const Selection sel = selection();
  const int from = indexOfCodePoint(text, sel.start);
  return toUtf8(text.mid(from, indexOfCodePoint(text, sel.start + sel.length) - from));
}

void TextBoxAdapter::setSelectedText(const std::string& inserted) {
  const QString text = logicText();
  const Selection sel = selection();
  const QString kept = text.left(indexOfCodePoint(text, sel.start));
  const QString rest = text.mid(indexOfCodePoint(text, sel.start + sel.length));
  const QString insert =
      limited(fromUtf8(inserted), maxLength_ - codePointCount(kept) - codePointCount(rest));
  setLogicText(kept + insert + rest);
  // The caret goes after the inserted text as the editor holds it (line ends may have changed).
  const QString now = logicText();
  const int caret = std::max(0, codePointCount(now) - codePointCount(rest));
  select(now, {caret, 0});
}

void TextBoxAdapter::setFocus() {
  QWidget& box = widget();
  const bool windowActive = box.window()->isActiveWindow();
  box.setFocus(Qt::OtherFocusReason);
  if (!windowActive) router_.focusMovedWhileInactive(id_);
}

void TextBoxAdapter::park() {
  parked_ = selection();
}

void TextBoxAdapter::unpark() {
  if (!parked_) return;
  const Selection kept = *parked_;
  parked_.reset();
  select(logicText(), kept);
}

// --- LineEditBox ------------------------------------------------------------------------

LineEditBox::LineEditBox(ui::ControlId id, EventRouter& router, QWidget* parent)
    : QLineEdit(parent), id_(id), router_(router), adapter_(*this) {
  // Every character must arrive as a key press the logic can drop.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setMaxLength(TextBoxAdapter::kMaxLength);
  setAcceptDrops(false);
}

void LineEditBox::focusInEvent(QFocusEvent* event) {
  adapter_.unpark();
  QLineEdit::focusInEvent(event);
  router_.focusIn(id_, event->reason());
}

void LineEditBox::focusOutEvent(QFocusEvent* event) {
  if (dropsSelection(event->reason())) adapter_.park();
  QLineEdit::focusOutEvent(event);
  router_.focusOut(id_, event->reason());
}

void LineEditBox::keyPressEvent(QKeyEvent* event) {
  if (isToolkitOnlyEdit(*event)) {
    event->accept();
    return;
  }
  passKey(id_, router_, *event, [this](QKeyEvent* key) { QLineEdit::keyPressEvent(key); });
}

void LineEditBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  reportKeyUp(id_, router_, *event);
}

// The editor pastes the primary selection when the middle button is released.
void LineEditBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(event);
  reportMouseUp(id_, router_, *event);
}

void LineEditBox::contextMenuEvent(QContextMenuEvent* event) {
  showEditMenu(*this, router_, event->globalPos(), hasSelectedText());
}

QString LineEditBox::Adapter::logicText() const {
  return edit_.text();
}

void LineEditBox::Adapter::setLogicText(const QString& text) {
  edit_.setText(text);
  edit_.setCursorPosition(0);
}

TextBoxAdapter::Range LineEditBox::Adapter::logicSelection() const {
  if (!edit_.hasSelectedText()) return {edit_.cursorPosition(), edit_.cursorPosition()};
  return {edit_.selectionStart(), edit_.selectionEnd()};
}

// The caret goes to the start of a selection, so that a text wider than the field shows its
// beginning ("0.5416666667", not "416666667").
void LineEditBox::Adapter::setLogicSelection(Range range) {
  if (range.end > range.start)
    edit_.setSelection(range.end, range.start - range.end);
  else
    edit_.setCursorPosition(range.start);
}

// --- MultiLineBox -----------------------------------------------------------------------
// The cash-flow list takes any text, so the editor's own ways of inserting it may stay. Its
// lines are not wrapped: amounts are short, and wrapping a long line costs seconds per megabyte.

namespace {

QString toEditorLineEnds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

MultiLineBox::MultiLineBox(ui::ControlId id, EventRouter& router, QWidget* parent)
    : QPlainTextEdit(parent), id_(id), router_(router), adapter_(*this) {
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setAttribute(Qt::WA_InputMethodEnabled, false);
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

// QPlainTextEdit keeps its selection when it loses the focus: nothing to park.
void MultiLineBox::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  router_.focusIn(id_, event->reason());
}

void MultiLineBox::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  router_.focusOut(id_, event->reason());
}

void MultiLineBox::keyPressEvent(QKeyEvent* event) {
  passKey(id_, router_, *event, [this](QKeyEvent* key) { QPlainTextEdit::keyPressEvent(key); });
}

void MultiLineBox::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  reportKeyUp(id_, router_, *event);
}

// The scroll area hands its viewport's mouse events to these handlers.
void MultiLineBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  reportMouseUp(id_, router_, *event);
}

// The same commands as in the single-line boxes, through the same clipboard handling.
void MultiLineBox::contextMenuEvent(QContextMenuEvent* event) {
  showEditMenu(*this, router_, event->globalPos(), textCursor().hasSelection());
}

void MultiLineBox::insertFromMimeData(const QMimeData* source) {
  if (source->hasText() && !core::fitsCashFlowList(toUtf8(source->text()))) return;
  QPlainTextEdit::insertFromMimeData(source);
}

QString MultiLineBox::Adapter::logicText() const {
  QString text = edit_.toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void MultiLineBox::Adapter::setLogicText(const QString& text) {
  edit_.setPlainText(toEditorLineEnds(text));
  QTextCursor cursor = edit_.textCursor();
  cursor.setPosition(0);
  edit_.setTextCursor(cursor);
}

TextBoxAdapter::Range MultiLineBox::Adapter::logicSelection() const {
  const QString editorText = edit_.toPlainText();
  const QTextCursor cursor = edit_.textCursor();
  auto toLogic = [&](int position) {
    return position + static_cast<int>(editorText.left(position).count(QLatin1Char('\n')));
  };
  return {toLogic(cursor.selectionStart()), toLogic(cursor.selectionEnd())};
}

void MultiLineBox::Adapter::setLogicSelection(Range range) {
  const QString text = logicText();
  auto toEditor = [&](int position) {
    return position - static_cast<int>(text.left(position).count(QLatin1Char('\r')));
  };
  QTextCursor cursor = edit_.textCursor();
  cursor.setPosition(toEditor(range.start));
  cursor.setPosition(toEditor(range.end), QTextCursor::KeepAnchor);
  edit_.setTextCursor(cursor);
}

}  // namespace vantro::qt
