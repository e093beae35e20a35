#pragma once
// The printers installed on the machine, as far as the program needs to know:
// whether there is any, and which one prints by default. The GUI answers from
// Qt's printer list; tests from a scripted fake.
#include <string>

namespace torvex::core::platform {

class Printers {
 public:
  virtual ~Printers() = default;
  virtual bool anyInstalled() = 0;
  // The default printer's name; empty when there is none.
  virtual std::string defaultPrinter() = 0;
};

}  // namespace torvex::core::platform
