#pragma once
// The system clipboard's plain text, shared with every program of the desktop.

#include "ui/services.h"

namespace vantro::qt {

class QtClipboard : public ui::Clipboard {
 public:
  void clear() override;
  void setText(const std::string& text) override;
  std::string text() const override;
};

}  // namespace vantro::qt
