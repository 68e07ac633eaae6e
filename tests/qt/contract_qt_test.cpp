// The text box contract, on the real widgets.
#include "contract/text_box_contract.h"

#include "qt_harness.h"

namespace vantro::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, TextBoxContract, ::testing::Types<qt::testing::QtHarness>);

}  // namespace vantro::contract
