#include "core/reports/printing_rules.h"

namespace torvex::core::reports {

PrintPlan planPrint(Destination destination, platform::Printers& printers, platform::Interaction& ui) {
  using platform::Buttons;
  using platform::DialogKind;
  const bool printer = printers.anyInstalled();
  if (destination == Destination::Printer) {
    if (!printer) ui.message(DialogKind::Error, kCannotPrint, Buttons::Ok);
    return {printer, printer};
  }
  if (!printer) ui.message(DialogKind::Warning, kNoPrinterWarning, Buttons::Ok);
  return {true, printer};
}

}  // namespace torvex::core::reports
