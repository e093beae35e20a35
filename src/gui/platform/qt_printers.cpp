#include "gui/platform/qt_printers.h"

#include <QPrinterInfo>

namespace torvex::gui::platform {

bool QtPrinters::anyInstalled() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

std::string QtPrinters::defaultPrinter() { return QPrinterInfo::defaultPrinterName().toStdString(); }

}  // namespace torvex::gui::platform
