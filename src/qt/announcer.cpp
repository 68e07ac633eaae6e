#include "qt/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vantro::qt {

namespace {

class AnnouncerAccessible : public QAccessibleWidget {
 public:
  explicit AnnouncerAccessible(Announcer& announcer)
      : QAccessibleWidget(&announcer, QAccessible::Notification) {}

  QString text(QAccessible::Text which) const override {
    if (which == QAccessible::Name) return static_cast<const Announcer*>(widget())->sentence();
    return QAccessibleWidget::text(which);
  }
};

QAccessibleInterface* announcerAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(Announcer::staticMetaObject.className())) return nullptr;
  return new AnnouncerAccessible(*static_cast<Announcer*>(object));
}

}  // namespace

Announcer::Announcer(QWidget& window) : QWidget(&window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(announcerAccessible);
    return true;
  }();
  (void)factoryInstalled;
  setObjectName(QStringLiteral("Announcer"));
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
}

void Announcer::announce(const QString& sentence) {
  if (sentence.isEmpty()) return;
  sentence_ = sentence;
  QAccessibleEvent named(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace vantro::qt
