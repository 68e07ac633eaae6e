#pragma once
// The splash window: the product, its version and release date, and the maker's addresses,
// shown while the program starts. The About window borrows two of its texts.

#include "ui/controls.h"
#include "ui/services.h"

namespace vantro::ui {

struct FrmSplashControls {
  InfoWindow& window;
  Label& lblProductName;
  Label& lblVersion;
  Label& lblReleasedDate;
  Label& DesLabel1;
  Label& EmailLabel1;
  Label& HomePageLabel1;
  EventPump& Pump;  // the window system's events, which paint the window during the pause
};

class FrmSplash {
 public:
  FrmSplash(const FrmSplashControls& controls, Application& app);

  const FrmSplashControls& controls() const { return c_; }

  void Form_Load();
  void Form_KeyPress(int& keyAscii);

 private:
  FrmSplashControls c_;
  Application& app_;
};

// The splash step of start-up: the splash window shows for 1500 ms and is unloaded again. It
// keeps painting during the pause, and a key press, which unloads it, ends the pause at once.
void RunSplashSequence(Application& app);

}  // namespace vantro::ui
