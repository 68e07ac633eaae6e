#pragma once
// The maker's addresses, shown by the splash and About windows and opened from the About window.

namespace vantro::ui {

inline constexpr const char* kMakerEmail = "support@example.org";
inline constexpr const char* kMakerHomePage = "https://www.example.org/vantro-calculator";

}  // namespace vantro::ui
