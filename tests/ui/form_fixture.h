#pragma once
// The loaded in-memory window of the logic's tests.

#include "ui/testing/loaded_form.h"

namespace vantro::test {

using ui::ControlId;
using ui::testing::FakeApplication;
using ui::testing::LoadedForm;
using ui::testing::RecordedHelp;
using ui::testing::RecordedMessages;

// What a control shows: a label's or a check box's caption, a box's text.
inline std::string shown(LoadedForm& f, ControlId id) {
  switch (ui::controlInfo(id).kind) {
    case ui::ControlKind::Label:
      return f.window.caption(id);
    case ui::ControlKind::CheckBox:
      return f.window.checkBox(id).caption();
    default:
      return f.window.text(id);
  }
}

}  // namespace vantro::test
