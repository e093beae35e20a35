#include "core/reports/catalogue.h"

#include "core/product.h"
#include "core/store/table_def.h"

namespace torvex::core::reports {
namespace {

const std::string kNoText;

std::vector<ReportDefinition> buildCatalogue() {
  using S = ReportSource;
  return {
      {"rptErros", "Erros e avisos da última verificação de consistência (Te8ErrWa)", S::Errors, buildErrorReport},
      {"rptErrosEstrutura", "Falhas de estrutura do último arquivo lido (Te8stru)", S::Structure,
       buildStructureReport},
      {"rptImportacao", "Resumo da última importação, por estabelecimento, com as observações (TE8Imp)", S::Import,
       buildImportReport},
      {"RelatorioCompleto", "Declaração completa: cada estabelecimento e todos os campos de cada vínculo, com totais",
       S::Declaration, buildCompleteReport},
      {"RelatorioResumido", "Declaração resumida: cada estabelecimento e a relação dos seus vínculos, com totais",
       S::Declaration, buildSummaryReport},
      {"rptProtocolo", "Comprovante de gravação de cada arquivo da última gravação (te8ProID, te8ProES)", S::Protocol,
       buildProtocolReport},
      {"rptEtiqueta", "Etiquetas dos arquivos da última gravação", S::Protocol, buildLabelReport},
      {"Cartela", "Leiaute do arquivo KEVA: posições, tamanhos e nomes dos campos de cada tipo de registro",
       S::Layout, buildLayoutReport},
      {"Transmissao", "Protocolo de transmissão, a partir dos campos do recibo (--parametro CREA=... etc.)",
       S::Receipt, buildTransmissionReport},
  };
}

}  // namespace

const std::vector<ReportDefinition>& reportCatalogue() {
  static const std::vector<ReportDefinition> catalogue = buildCatalogue();
  return catalogue;
}

const ReportDefinition* findReport(std::string_view name) {
  for (const auto& r : reportCatalogue())
    if (store::equalsIgnoreCase(r.name, name)) return &r;
  return nullptr;
}

const std::string& parameter(const Parameters& p, std::string_view name) {
  const auto it = p.find(name);
  return it == p.end() ? kNoText : it->second;
}

Parameters standardParameters(std::string_view reportName, Parameters given) {
  const std::string year(product::kBaseYear);
  const std::string version(product::kVersion);
  auto put = [&](const char* name, std::string value) { given.try_emplace(name, std::move(value)); };
  put("AnoBase", year);
  put("AnoBase1", year);
  put("Versao", version);
  // "2006.4" gives "2006,V.4": the first four characters, ",V", then characters 5 to 7.
  put("VersaoEditada", version.substr(0, 4) + ",V" + (version.size() > 4 ? version.substr(4, 3) : ""));
  if (store::equalsIgnoreCase(reportName, "RelatorioCompleto"))
    put("TipoRelatorio", "Relatório Completo do Estabelecimento");
  else if (store::equalsIgnoreCase(reportName, "RelatorioResumido"))
    put("TipoRelatorio", "Relatório Resumido do Estabelecimento");
  else if (store::equalsIgnoreCase(reportName, "Cartela"))
    put("TipoRelatorio", "Descrição do arquivo KEVA" + year);
  put("Classificacao", "código PIS/PASEP");
  return given;
}

Document buildReport(const ReportDefinition& report, const Parameters& parameters, DataSets& data) {
  Document doc = report.build(parameters, data);
  doc.reportName = std::string(report.name);
  if (doc.version.empty()) doc.version = parameter(parameters, "Versao");
  if (doc.baseYear.empty()) {
    doc.baseYear = parameter(parameters, "AnoBase");
    if (doc.baseYear.empty()) doc.baseYear = parameter(parameters, "AnoBase1");
  }
  return doc;
}

}  // namespace torvex::core::reports
