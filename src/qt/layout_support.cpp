#include "qt/layout_support.h"

#include <QIcon>
#include <QPalette>
#include <QStringList>

#include "qt/twips.h"

namespace vantro::qt::layout {

// "MS Sans Serif" and "Arial" are not on a Linux desktop: Nimbus Sans (URW, metric-compatible
// with Helvetica and so with Arial) stands in, with the usual alternatives after it.
QFont sansFont(double points, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont courierFont(double points, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Mono PS"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::Courier);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void place(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(px(left), px(top), px(width), px(height));
}

void setColours(QWidget& widget, QColor base, QColor text) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Text, text);
  widget.setPalette(palette);
}

QString name(ui::ControlId id) {
  return QString::fromLatin1(ui::controlInfo(id).name.data(),
                             static_cast<qsizetype>(ui::controlInfo(id).name.size()));
}

QLabel* makeLabel(QWidget& parent, const QString& objectName, const QString& caption,
                  const QString& toolTip, const QFont& font) {
  auto* label = new QLabel(caption, &parent);
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  label->setToolTip(toolTip);
  return label;
}

KeyButton* makeKey(QWidget& parent, EventRouter& router, MainWindowWidgets& out,
                   const KeyDesign& design, const QFont& font, QSize pictureSize) {
  auto* key = new KeyButton(design.id, router, &parent);
  key->setObjectName(name(design.id));
  key->setFont(font);
  if (design.caption) key->setText(QString::fromLatin1(design.caption));
  if (design.toolTip) key->setToolTip(QString::fromLatin1(design.toolTip));
  if (design.picture) {
    key->setIcon(QIcon(QString::fromLatin1(design.picture)));
    key->setIconSize(pictureSize);
    key->setAccessibleName(QString::fromLatin1(design.toolTip));  // no caption to name it
  }
  out.byId[static_cast<std::size_t>(design.id)] = key;
  return key;
}

LineEditBox* makeField(QWidget& parent, EventRouter& router, MainWindowWidgets& out,
                       ui::ControlId id, const QString& accessibleName) {
  auto* box = new LineEditBox(id, router, &parent);
  box->setObjectName(name(id));
  box->setAccessibleName(accessibleName);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  out.byId[static_cast<std::size_t>(id)] = box;
  out.textBoxes[static_cast<std::size_t>(id)] = &box->box();
  return box;
}

}  // namespace vantro::qt::layout
