#include "qt/about_window.h"

#include <QEvent>
#include <QMouseEvent>
#include <QShortcut>

#include "qt/artwork.h"
#include "qt/layout_support.h"
#include "ui/module1.h"

namespace vantro::qt {

namespace {

// The client area, 6420 by 4650 twips.
constexpr QSize kClientSize{428, 310};

// A line of the text column beside the picture.
QLabel& textLine(QWidget& window, const char* name, const char* caption, bool bold, int y,
                 int width) {
  return addLabel(window, name, caption, layout::sansFont(8.25, bold), QRect(116, y, width, 18));
}

// A link, blue until the pointer is over it, beside its caption.
QLabel& link(QWidget& window, const char* name, int y) {
  QLabel& label = addLabel(window, name, "", layout::sansFont(8.25), QRect(182, y, 240, 18));
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  label.setPalette(palette);
  label.setMouseTracking(true);
  return label;
}

QPushButton* addButton(QWidget& window, const char* name, const char* caption, int x) {
  auto* button = new QPushButton(QString::fromLatin1(caption), &window);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 272, 84, 26);
  button->setAutoDefault(true);  // Enter clicks the button that has the focus
  return button;
}

}  // namespace

// The pointer over a link and clicks on it go to the link's handlers. Over any other control
// the pointer changes nothing, and a click on a label or the picture is no click on the
// background: their events stop there.
class AboutWindow::ChildEvents : public QObject {
 public:
  ChildEvents(AboutWindow& about, QObject* parent) : QObject(parent), about_(about) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool isLink1 = watched->objectName() == QLatin1String("Label1");
    const bool isLink2 = watched->objectName() == QLatin1String("Label2");
    if (!isLink1 && !isLink2) return false;
    ui::FrmAbout& form = about_.form_;
    if (event->type() == QEvent::MouseMove) {
      if (isLink1) form.Label1_MouseMove();
      if (isLink2) form.Label2_MouseMove();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      if (isLink1) form.Label1_Click();
      if (isLink2) form.Label2_Click();
      return true;
    }
    return false;
  }

 private:
  AboutWindow& about_;
};

AboutWindow::AboutWindow(ui::Module1& module, ui::FormWindow& mainWindow, ui::UrlOpener& shell,
                         ui::ProgramLauncher& programs)
    : window_(kClientSize, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      lblTitle_(addLabel(window_, "lblTitle", "", layout::sansFont(14.25, true),
                         QRect(116, 12, 296, 28))),
      lblVersion_(textLine(window_, "lblVersion", "", true, 42, 296)),
      lblDescription_(textLine(window_, "lblDescription", "", false, 60, 296)),
      Label1Description_(textLine(window_, "Label1Description", "", true, 78, 296)),
      lblDisclaimer_(
          addLabel(window_, "lblDisclaimer", "", layout::sansFont(8.25), QRect(16, 160, 396, 100))),
      HomePageLabel_(textLine(window_, "HomePageLabel", "Home Page :", false, 106, 66)),
      Label1_(link(window_, "Label1", 106)),
      EmailLabel_(textLine(window_, "EmailLabel", "Email :", false, 124, 66)),
      Label2_(link(window_, "Label2", 124)),
      adapter_(window_),
      form_(ui::FrmAboutControls{adapter_, mainWindow, lblTitle_, lblVersion_, lblDescription_,
                                 Label1Description_, lblDisclaimer_, HomePageLabel_, Label1_,
                                 EmailLabel_, Label2_, shell, programs},
            module) {
  window_.setObjectName(QStringLiteral("frmAbout"));
  window_.setWindowIcon(artwork::aboutIcon());
  auto* disclaimer = window_.findChild<QLabel*>(QStringLiteral("lblDisclaimer"));
  disclaimer->setWordWrap(true);
  disclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  addProductPicture(window_, QPoint(16, 16));
  addSeparator(window_, QRect(116, 98, 296, 4));

  QPushButton* ok = addButton(window_, "CmdOK", "OK", 148);
  QPushButton* sysInfo = addButton(window_, "CmdSysInfo", "System Info", 238);
  QPushButton* sla = addButton(window_, "CmdSLA", "Read SLA", 328);
  QObject::connect(ok, &QPushButton::clicked, &window_, [this] { form_.CmdOK_Click(); });
  QObject::connect(sysInfo, &QPushButton::clicked, &window_, [this] { form_.CmdSysInfo_Click(); });
  QObject::connect(sla, &QPushButton::clicked, &window_, [this] { form_.CmdSLA_Click(); });
  ok->setFocus();
  // F1 opens the help at its contents, as it does from the calculator.
  QObject::connect(new QShortcut(QKeySequence::HelpContents, &window_), &QShortcut::activated,
                   &window_, [&module] { module.ShowHelpContents(module.HelpFilePath()); });

  childEvents_ = new ChildEvents(*this, &window_);
  for (QWidget* child : window_.findChildren<QWidget*>()) {
    if (!qobject_cast<QPushButton*>(child)) child->setAttribute(Qt::WA_NoMousePropagation);
    child->installEventFilter(childEvents_);
  }
  window_.onUnload = [this] { form_.Form_Unload(); };
  window_.onClick = [this] { form_.Form_Click(); };
  window_.onMouseMove = [this] { form_.Form_MouseMove(); };
}

// The widgets report to the logic: they go first.
AboutWindow::~AboutWindow() {
  window_.stopEvents();
  for (QWidget* child : window_.findChildren<QWidget*>()) child->removeEventFilter(childEvents_);
}

}  // namespace vantro::qt
