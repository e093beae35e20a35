#include "cli/protocol_output.h"

#include <sstream>
#include <utility>

#include "core/text/visible_text.h"

namespace torvex::cli {

using core::text::visibleText;

void printProtocolFields(const core::reports::Parameters& p, std::ostream& out) {
  using core::reports::parameter;
  const std::pair<const char*, std::string> lines[] = {
      {"Número do recibo (CREA)", parameter(p, "CREA")},
      {"Inscrição (CNPJ/CEI)", parameter(p, "CNPJ")},
      {"Estabelecimentos", parameter(p, "QtdEstab")},
      {"Vínculos", parameter(p, "QtdVinc")},
      {"Transmitida em", parameter(p, "Data") + parameter(p, "Hora")},
      {"CRC do arquivo", parameter(p, "CRCArqKeva")},
      {"Código de controle (hash)", parameter(p, "Hash")},
      {"CRC do recibo", parameter(p, "CRCRecibo")},
  };
  for (const auto& [label, value] : lines) out << label << ": " << visibleText(value) << "\n";
}

void printProgramOutput(const std::string& output, std::ostream& out) {
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out << visibleText(line) << "\n";
  }
}

}  // namespace torvex::cli
