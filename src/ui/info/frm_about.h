#pragma once
// The About window: the product, its version and release date, a disclaimer, the maker's
// links, the system-information tool and the licence agreement. The main window waits,
// disabled, while it is open.

#include "ui/controls.h"
#include "ui/services.h"

namespace vantro::ui {

class Module1;

struct FrmAboutControls {
  InfoWindow& window;
  FormWindow& Form1;  // the main window
  Label& lblTitle;
  Label& lblVersion;
  Label& lblDescription;
  Label& Label1Description;
  Label& lblDisclaimer;
  Label& HomePageLabel;
  Label& Label1;  // the home-page link
  Label& EmailLabel;
  Label& Label2;  // the e-mail link
  UrlOpener& Shell;
  ProgramLauncher& Programs;
};

inline constexpr Rgb kLinkColour{0, 0, 255};
inline constexpr Rgb kHoverColour{255, 0, 0};

class FrmAbout {
 public:
  FrmAbout(const FrmAboutControls& controls, Module1& module);

  InfoWindow& window() { return c_.window; }

  void Form_Load();
  void Form_Unload();
  void Form_Click();
  void CmdOK_Click();
  void CmdSysInfo_Click();
  void CmdSLA_Click();
  void Label1_Click();
  void Label2_Click();
  // The pointer moved over the home-page link, the e-mail link, or the window's background.
  void Label1_MouseMove();
  void Label2_MouseMove();
  void Form_MouseMove();

 private:
  void StartSysInfo();
  void Hover(Label& link, Label& other);

  FrmAboutControls c_;
  Module1& module_;
};

}  // namespace vantro::ui
