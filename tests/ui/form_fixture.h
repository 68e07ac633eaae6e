#pragma once
// The loaded in-memory window of the logic's tests.

#include "ui/testing/loaded_form.h"

namespace vantro::test {

using ui::ControlId;
using ui::testing::FakeApplication;
using ui::testing::LoadedForm;
using ui::testing::RecordedHelp;
using ui::testing::RecordedMessages;

}  // namespace vantro::test
