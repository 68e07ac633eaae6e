#include "ui/info/frm_splash.h"

#include <algorithm>

#include "ui/info/info_windows.h"
#include "ui/info/maker.h"

namespace vantro::ui {

namespace {
constexpr int kPauseMilliseconds = 1500;
// Short enough that a key press ends the pause without a noticeable delay.
constexpr int kSliceMilliseconds = 25;
}  // namespace

FrmSplash::FrmSplash(const FrmSplashControls& controls, Application& app)
    : c_(controls), app_(app) {}

void FrmSplash::Form_Load() {
  const ProgramVersion version = app_.version();
  c_.lblVersion.setCaption(VersionCaption(version));
  std::string released = "Released Date : ";
  released += version.comments;
  c_.lblReleasedDate.setCaption(released);
  c_.DesLabel1.setCaption("Basic Financial Calculator (Freeware)");
  std::string email = "Email : ";
  email += kMakerEmail;
  c_.EmailLabel1.setCaption(email);
  std::string homePage = "Home Page : ";
  homePage += kMakerHomePage;
  c_.HomePageLabel1.setCaption(homePage);
  CentreOnScreen(c_.window);
}

void FrmSplash::Form_KeyPress(int&) {
  c_.window.unload();
}

void RunSplashSequence(Application& app) {
  const FrmSplashControls& splash = app.splashWindow().controls();
  splash.window.show();
  splash.Pump.processEvents(0);
  for (int waited = 0; waited < kPauseMilliseconds && splash.window.loaded();
       waited += kSliceMilliseconds)
    splash.Pump.processEvents(std::min(kSliceMilliseconds, kPauseMilliseconds - waited));
  splash.window.unload();
  splash.Pump.processEvents(0);
}

}  // namespace vantro::ui
