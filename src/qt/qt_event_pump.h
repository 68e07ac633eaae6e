#pragma once
// The window system's event queue for the logic: a local event loop that runs for the time asked.

#include "ui/services.h"

namespace vantro::qt {

class QtEventPump : public ui::EventPump {
 public:
  void processEvents(int milliseconds) override;
};

}  // namespace vantro::qt
