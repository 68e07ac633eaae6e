#pragma once
// An event of a control, as one value: the kind of event and its arguments together. Control
// sets build one, hand it to their EventSink, and read back what the handler changed in it (a
// KeyPress whose keyAscii became 0 was dropped).
//
// Each kind names the signature of the handlers that answer it (`Handler`) and hands them its
// arguments in that order (`arguments`). A new kind of event is a new struct here, added to
// EventArgs, and its handlers: the wiring and the dispatch take it from there.

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <variant>

namespace vantro::ui {

class Form1;

namespace events {

struct NoArguments {
  using Handler = void (Form1::*)();
  std::tuple<> arguments() { return {}; }
};

struct Load : NoArguments {
  static constexpr std::string_view kName = "Load";
};
struct Unload : NoArguments {
  static constexpr std::string_view kName = "Unload";
};
struct Click : NoArguments {
  static constexpr std::string_view kName = "Click";
};
struct GotFocus : NoArguments {
  static constexpr std::string_view kName = "GotFocus";
};
struct LostFocus : NoArguments {
  static constexpr std::string_view kName = "LostFocus";
};

// A character typed; a handler that sets keyAscii to 0 drops it.
struct KeyPress {
  static constexpr std::string_view kName = "KeyPress";
  using Handler = void (Form1::*)(int& keyAscii);
  int keyAscii = 0;
  auto arguments() { return std::tie(keyAscii); }
};

// A key going down or up: its virtual key code and the shift state (1 Shift, 2 Ctrl, 4 Alt).
struct KeyDown {
  static constexpr std::string_view kName = "KeyDown";
  using Handler = void (Form1::*)(int keyCode, int shift);
  int keyCode = 0;
  int shift = 0;
  auto arguments() { return std::tie(keyCode, shift); }
};
struct KeyUp {
  static constexpr std::string_view kName = "KeyUp";
  using Handler = void (Form1::*)(int keyCode, int shift);
  int keyCode = 0;
  int shift = 0;
  auto arguments() { return std::tie(keyCode, shift); }
};

// A mouse button released over the control: 1 left, 2 right, 4 middle; the pointer's position
// in the control, in twips.
struct MouseUp {
  static constexpr std::string_view kName = "MouseUp";
  using Handler = void (Form1::*)(int button, int shift, double x, double y);
  int button = 1;
  int shift = 0;
  double x = 0;
  double y = 0;
  auto arguments() { return std::tie(button, shift, x, y); }
};

// A button of a toolbar clicked, named by its key.
struct ButtonClick {
  static constexpr std::string_view kName = "ButtonClick";
  using Handler = void (Form1::*)(const std::string& key);
  std::string key;
  auto arguments() { return std::tie(key); }
};

}  // namespace events

using EventArgs = std::variant<events::Load, events::Unload, events::Click, events::GotFocus,
                               events::LostFocus, events::KeyPress, events::KeyDown, events::KeyUp,
                               events::MouseUp, events::ButtonClick>;

inline constexpr std::size_t kEventKindCount = std::variant_size_v<EventArgs>;

// The kind's position in EventArgs, known at compile time.
template <typename Kind>
inline constexpr std::size_t kEventKind = [] {
  return []<typename... Kinds>(std::variant<Kinds...>*) {
    std::size_t index = 0;
    static_cast<void>(((std::is_same_v<Kind, Kinds> ? true : (++index, false)) || ...));
    return index;
  }(static_cast<EventArgs*>(nullptr));
}();

inline std::string_view eventName(const EventArgs& event) {
  return std::visit([](const auto& kind) { return kind.kName; }, event);
}

}  // namespace vantro::ui
