#include "cli/protocol_output.h"

#include <utility>

namespace torvex::cli {

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
  for (const auto& [label, value] : lines) out << label << ": " << value << "\n";
}

}  // namespace torvex::cli
