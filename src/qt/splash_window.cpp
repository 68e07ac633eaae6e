#include "qt/splash_window.h"

#include "qt/artwork.h"
#include "qt/layout_support.h"

namespace vantro::qt {

namespace {

// The client area, 6735 by 4245 twips.
constexpr QSize kClientSize{449, 283};

// A line of the text column beside the picture.
QLabel& textLine(QWidget& window, const char* name, const char* caption, bool bold, int y) {
  return addLabel(window, name, caption, layout::sansFont(8.25, bold), QRect(116, y, 324, 18));
}

}  // namespace

SplashWindow::SplashWindow(ui::Application& app)
    : window_(kClientSize, Qt::Window | Qt::FramelessWindowHint),
      lblProductName_(addLabel(window_, "lblProductName", "Vantro Calculator",
                               layout::sansFont(32.25, true), QRect(14, 8, 421, 54))),
      lblVersion_(textLine(window_, "lblVersion", "Version :", true, 84)),
      lblReleasedDate_(textLine(window_, "lblReleasedDate", "Released date :", true, 104)),
      DesLabel1_(textLine(window_, "DesLabel1", "Description", false, 124)),
      EmailLabel1_(textLine(window_, "EmailLabel1", "Email :", false, 162)),
      HomePageLabel1_(textLine(window_, "HomePageLabel1", "Home Page :", false, 182)),
      adapter_(window_),
      form_(ui::FrmSplashControls{adapter_, lblProductName_, lblVersion_, lblReleasedDate_,
                                  DesLabel1_, EmailLabel1_, HomePageLabel1_, pump_},
            app) {
  window_.setObjectName(QStringLiteral("frmSplash"));
  // No icon: the splash has no frame to show one, and rendering it would delay its arrival.
  addProductPicture(window_, QPoint(16, 84));
  addSeparator(window_, QRect(116, 150, 324, 4));
  window_.onKeyPress = [this](int& keyAscii) { form_.Form_KeyPress(keyAscii); };
}

}  // namespace vantro::qt
