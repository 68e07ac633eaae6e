#include "ui/info/frm_about.h"

#include "ui/info/frm_splash.h"
#include "ui/info/info_windows.h"
#include "ui/info/maker.h"
#include "ui/info/system_info.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace {

constexpr const char* kDisclaimer =
    "Vantro Calculator is provided as is, without warranty of any kind. Check its results "
    "before you rely on them.";
constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

void showAsLink(Label& link, bool hovered) {
  link.setFontBold(hovered);
  link.setFontUnderline(hovered);
  link.setForeColor(hovered ? kHoverColour : kLinkColour);
}

}  // namespace

FrmAbout::FrmAbout(const FrmAboutControls& controls, Module1& module)
    : c_(controls), module_(module) {}

void FrmAbout::Form_Load() {
  c_.window.setCaption("About Vantro Calculator");
  c_.lblVersion.setCaption(VersionCaption(module_.app().version()));
  c_.lblTitle.setCaption(kAppTitle);
  const FrmSplashControls& splash = module_.app().splashWindow().controls();
  c_.lblDescription.setCaption(splash.DesLabel1.caption());
  c_.Label1Description.setCaption(splash.lblReleasedDate.caption());
  c_.lblDisclaimer.setCaption(kDisclaimer);
  c_.Label1.setCaption(kMakerHomePage);
  c_.Label2.setCaption(kMakerEmail);
  c_.Form1.setEnabled(false);
  CentreOnScreen(c_.window);
  c_.window.setTopmost(true);
}

void FrmAbout::Form_Unload() {
  c_.Form1.setEnabled(true);
}

void FrmAbout::Form_Click() {
  c_.window.unload();
}

void FrmAbout::CmdOK_Click() {
  c_.window.unload();
}

void FrmAbout::CmdSysInfo_Click() {
  StartSysInfo();
}

void FrmAbout::CmdSLA_Click() {
  module_.OpenHelpPage("License_Agreement.htm");
}

void FrmAbout::Label1_Click() {
  c_.Shell.openUrl(kMakerHomePage);
}

void FrmAbout::Label2_Click() {
  std::string url = "mailto:";
  url += kMakerEmail;
  c_.Shell.openUrl(url);
}

void FrmAbout::Label1_MouseMove() {
  Hover(c_.Label1, c_.Label2);
}

void FrmAbout::Label2_MouseMove() {
  Hover(c_.Label2, c_.Label1);
}

void FrmAbout::Form_MouseMove() {
  showAsLink(c_.Label1, false);
  showAsLink(c_.Label2, false);
  c_.window.setMousePointer(MousePointer::Default);
}

void FrmAbout::Hover(Label& link, Label& other) {
  showAsLink(link, true);
  showAsLink(other, false);
  c_.window.setMousePointer(MousePointer::Custom);
}

// Whatever goes wrong, finding the tool or starting it, ends in the message.
void FrmAbout::StartSysInfo() {
  try {
    const std::optional<LocatedTool> tool =
        LocateTool(systemInformationTools(),
                   [this](const std::string& name) { return c_.Programs.findProgram(name); });
    if (tool && c_.Programs.startDetached(tool->program, tool->arguments)) return;
  } catch (...) {
  }
  module_.messages().show(kSysInfoUnavailable);
}

}  // namespace vantro::ui
