#pragma once
// What the splash and About windows share.

#include <string>

#include "ui/controls.h"
#include "ui/services.h"

namespace vantro::ui {

// "Version : " and the version's three numbers, for instance "Version : 1.2.0".
std::string VersionCaption(const ProgramVersion& version);

// Moves the window to the middle of its screen, keeping its size.
void CentreOnScreen(InfoWindow& window);

}  // namespace vantro::ui
