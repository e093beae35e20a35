#pragma once
// The rules every print command follows: a preview always opens, but without a
// printer it warns first and cannot print (a PDF can still be saved); a direct
// print without a printer says so and does nothing.
#include "core/platform/interaction.h"
#include "core/platform/printers.h"

namespace torvex::core::reports {

enum class Destination { Preview, Printer };

inline constexpr const char* kNoPrinterWarning = "Não há impressoras instaladas.";
inline constexpr const char* kCannotPrint = "Não é possível imprimir: não há impressoras instaladas.";

struct PrintPlan {
  bool run = false;              // run the report at all
  bool printingAllowed = false;  // the preview may send it to the printer
};

// Checks the printers for a destination, showing the rule's message when there is none.
PrintPlan planPrint(Destination destination, platform::Printers& printers, platform::Interaction& ui);

}  // namespace torvex::core::reports
