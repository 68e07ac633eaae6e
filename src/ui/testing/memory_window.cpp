#include "ui/testing/memory_window.h"

#include <stdexcept>

#include "ui/keys.h"

namespace vantro::ui::testing {

namespace {
constexpr int kFrame1DesignedHeight = 2400;
}

MemoryWindow::MemoryWindow() {
  for (const ControlInfo& info : kControls) {
    const auto index = static_cast<std::size_t>(info.id);
    switch (info.kind) {
      case ControlKind::TextBox:
        textBoxes_[index] =
            std::make_unique<MemoryTextBox>(*this, info.id, info.id == ControlId::TextCF);
        break;
      case ControlKind::Label:
        labels_[index] = std::make_unique<MemoryLabel>();
        break;
      case ControlKind::CheckBox:
        checkBoxes_[index] = std::make_unique<MemoryCheckBox>();
        break;
      case ControlKind::Panel:
        panels_[index] = std::make_unique<MemoryPanel>(kFrame1DesignedHeight);
        break;
      default:
        break;
    }
  }
}

Form1Controls MemoryWindow::controls() {
  return controlsOf(*this);
}

template <typename T>
static T& pick(std::array<std::unique_ptr<T>, kControlCount>& controls, ControlId id) {
  T* control = controls[static_cast<std::size_t>(id)].get();
  if (!control)
    throw std::logic_error("no such control of that kind: " + std::string(controlInfo(id).name));
  return *control;
}

MemoryTextBox& MemoryWindow::textBox(ControlId id) {
  return pick(textBoxes_, id);
}
MemoryLabel& MemoryWindow::label(ControlId id) {
  return pick(labels_, id);
}
MemoryCheckBox& MemoryWindow::checkBox(ControlId id) {
  return pick(checkBoxes_, id);
}
MemoryPanel& MemoryWindow::panel(ControlId id) {
  return pick(panels_, id);
}

void MemoryWindow::focus(ControlId id) {
  if (focused_ == id) return;
  const std::optional<ControlId> old = focused_;
  focused_ = id;
  form_.setActiveControl(id);
  if (old) deliver(*old, events::LostFocus{});
  deliver(id, events::GotFocus{});
}

void MemoryWindow::click(ControlId id) {
  const ControlKind kind = controlInfo(id).kind;
  if (kind == ControlKind::Button || kind == ControlKind::CheckBox || kind == ControlKind::TextBox)
    focus(id);
  if (kind == ControlKind::CheckBox) {
    MemoryCheckBox& box = checkBox(id);
    box.setValue(box.value() == 0 ? 1 : 0);
  }
  deliver(id, events::Click{});
  if (kind == ControlKind::TextBox) deliver(id, events::MouseUp{});
}

void MemoryWindow::keyStroke(int keyCode, int keyAscii) {
  if (!focused_) return;
  if (form_.keyPreview()) deliver(ControlId::Form1, events::KeyDown{keyCode});
  // The window's handler may have moved the focus; the key still belongs to the control
  // that had it when the key went down.
  const ControlId target = *focused_;
  deliver(target, events::KeyDown{keyCode});
  if (keyAscii != 0) {
    EventArgs press = events::KeyPress{keyAscii};
    deliver(target, press);
    keyAscii = std::get<events::KeyPress>(press).keyAscii;
    if (keyAscii != 0 && controlInfo(target).kind == ControlKind::TextBox)
      textBox(target).acceptCharacter(keyAscii);
  } else if (controlInfo(target).kind == ControlKind::TextBox) {
    textBox(target).acceptKey(keyCode);
  }
  deliver(target, events::KeyUp{keyCode});
}

void MemoryWindow::type(std::string_view keys) {
  for (const char c : keys) keyStroke(keyCodeOfCharacter(c), static_cast<unsigned char>(c));
}

void MemoryWindow::pressKey(int keyCode) {
  keyStroke(keyCode, 0);
}

void MemoryWindow::pressKeypadOperator(char op) {
  switch (op) {
    case '*':
      keyStroke(keys::vkMultiply, '*');
      break;
    case '+':
      keyStroke(keys::vkAdd, '+');
      break;
    case '-':
      keyStroke(keys::vkSubtract, '-');
      break;
    case '/':
      keyStroke(keys::vkDivide, '/');
      break;
    default:
      throw std::invalid_argument("not a keypad operator");
  }
}

int keyCodeOfCharacter(char c) {
  if (c >= '0' && c <= '9') return c;  // the main keyboard's digit keys
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c >= 'A' && c <= 'Z') return c;
  switch (c) {
    case '\r':
      return keys::vkReturn;
    case '\b':
      return keys::vkBack;
    case ' ':
      return 32;
    case '.':
      return 190;
    case ',':
      return 188;
    case '-':
      return 189;
    case '+':
    case '=':
      return 187;
    case '/':
      return 191;
    case '*':
      return '8';  // Shift+8
    case 27:
      return 27;
    default:
      return 0;
  }
}

}  // namespace vantro::ui::testing
