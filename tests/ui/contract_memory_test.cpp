// The control semantics, held against the in-memory controls.

#include "contract/text_box_contract.h"
#include "ui/testing/memory_window.h"

namespace vantro::contract {

struct MemoryHarness {
  MemoryHarness() { window.attach(&sink); }
  ui::TextBox& box(ControlId id) { return window.textBox(id); }
  void typeCharacter(int keyAscii) { window.type(std::string(1, static_cast<char>(keyAscii))); }
  void pressKey(int keyCode) { window.pressKey(keyCode); }
  void clickBox(ControlId id) { window.click(id); }
  ui::Form1Controls controls() { return window.controls(); }
  void post(std::function<void()> action) {
    window.pump().during(window.pump().calls() + 1, std::move(action));
  }

  RecordingSink sink;
  ui::testing::MemoryWindow window;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TextBoxContract, ::testing::Types<MemoryHarness>);

}  // namespace vantro::contract
