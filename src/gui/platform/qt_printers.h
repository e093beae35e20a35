#pragma once
// The Printers seam answered from Qt's list of installed printers.
#include "core/platform/printers.h"

namespace torvex::gui::platform {

class QtPrinters : public core::platform::Printers {
 public:
  bool anyInstalled() override;
  std::string defaultPrinter() override;
};

}  // namespace torvex::gui::platform
