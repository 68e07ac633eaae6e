#pragma once
// The financial calculator's part of the main window: the five value fields in a row with
// their solver keys beneath, the period field and the payment timing, the amortisation and
// rate-conversion keys, and the decimal places.

#include <QWidget>

#include "qt/event_router.h"
#include "qt/main_window_layout.h"

namespace vantro::qt {

// The right edge of the fields and keys.
inline constexpr int kFinancialRight = 5790;

// The key row kept free under the amortisation and conversion keys, for the cash-flow key
// and the cash-flow measures. The cash-flow panel unrolls below it.
inline constexpr int kCashFlowRowTop = 3690;
inline constexpr int kCashFlowRowBottom = 4050;

// Creates the financial controls as children of `central`, in their tab order.
void buildFinancialSection(QWidget& central, EventRouter& router, MainWindowWidgets& out);

}  // namespace vantro::qt
