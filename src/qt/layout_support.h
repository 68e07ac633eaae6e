#pragma once
// What every part of the main window's layout builds with: the fonts standing in for the
// classic ones, twip placement, and the makers of labels, keys and text fields.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "qt/control_adapters.h"
#include "qt/event_router.h"
#include "qt/main_window_layout.h"
#include "qt/text_box_adapters.h"
#include "ui/control_id.h"

namespace vantro::qt::layout {

QFont sansFont(double points, bool bold = false);
QFont courierFont(double points, bool bold);

// Left, top, width and height in twips from the parent's top-left.
void place(QWidget& widget, int left, int top, int width, int height);
void setColours(QWidget& widget, QColor base, QColor text);
QString name(ui::ControlId id);

QLabel* makeLabel(QWidget& parent, const QString& objectName, const QString& caption,
                  const QString& toolTip, const QFont& font);

struct KeyDesign {
  ui::ControlId id;
  const char* caption;  // nullptr for a picture key
  const char* toolTip;  // nullptr for none
  const char* picture;  // resource path
};

// A key as designed, recorded in `out`. A picture key is named by its tooltip's words.
KeyButton* makeKey(QWidget& parent, EventRouter& router, MainWindowWidgets& out,
                   const KeyDesign& design, const QFont& font, QSize pictureSize);

// A single-line field, right-aligned, recorded in `out` as widget and text box.
LineEditBox* makeField(QWidget& parent, EventRouter& router, MainWindowWidgets& out,
                       ui::ControlId id, const QString& accessibleName);

}  // namespace vantro::qt::layout
