// The Help menu and the toolbar, whose buttons repeat the most used menu commands.

#include "ui/form1.h"
#include "ui/info/frm_about.h"
#include "ui/module1.h"

namespace vantro::ui {

void Form1::MenuHelpTopics_Click() {
  module_.ShowHelpContents(module_.HelpFilePath());
}

void Form1::MenuLicenseAgreement_Click() {
  module_.OpenHelpPage("License_Agreement.htm");
}

// While the About window is open the main window is disabled; should the command still come,
// it brings the open window to the front.
void Form1::MenuAbout_Click() {
  module_.app().aboutWindow().window().show();
}

// Buttons are told apart by their keys, compared exactly; a key not listed does nothing.
void Form1::Toolbar1_ButtonClick(const std::string& key) {
  if (key == "Cut") {
    MenuCut_Click();
  } else if (key == "Copy") {
    MenuCopy_Click();
  } else if (key == "Paste") {
    MenuPaste_Click();
  } else if (key == "Help") {
    MenuHelpTopics_Click();
  } else if (key == "Exit") {
    MenuExit_Click();
  }
}

}  // namespace vantro::ui
