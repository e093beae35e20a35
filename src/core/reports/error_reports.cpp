// The findings reports: consistency errors and warnings (rptErros), structure
// faults of a declaration file (rptErrosEstrutura) and the import summary
// (rptImportacao).
#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "core/reports/display_rules.h"
#include "core/validation/text_ops.h"

namespace torvex::core::reports {
namespace {

std::string joinNonEmpty(std::initializer_list<std::string> parts, std::string_view sep) {
  std::string out;
  for (const auto& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += sep;
    out += p;
  }
  return out;
}

std::string countText(std::int64_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string codeAndText(const std::string& code, const std::string& text) {
  return text.empty() ? code : code + " - " + text;
}

}  // namespace

Document buildErrorReport(const Parameters& p, DataSets& data) {
  Document doc;
  doc.title = "Relatório de Erros e Avisos";
  const std::string only = parameter(p, "Severidade");  // "err" or "war": one severity only
  doc.paragraph("Inconsistências encontradas na verificação das declarações do ano-base " +
                parameter(p, "AnoBase1") + ". Os erros impedem a gravação da declaração; os avisos não a impedem.");
  auto cursor = data.open(dataset::kErrors);
  Row raw;
  std::string severity, establishment, employee;
  std::int64_t errors = 0, warnings = 0;
  bool tableOpen = false;
  auto closeTable = [&] {
    if (tableOpen) doc.tableEnd();
    tableOpen = false;
  };
  while (cursor->next(raw)) {
    const std::string sev = raw["errwar"];
    if (!only.empty() && sev != only) continue;
    (sev == "err" ? errors : warnings)++;
    Row row = raw;
    applyDisplayRules(row);
    if (sev != severity) {
      closeTable();
      severity = sev;
      establishment = employee = "\x01";
      doc.heading(sev == "err" ? "Erros" : "Avisos");
    }
    const bool responsible = raw["tiporegistro"] == "0";
    const std::string estKey = responsible ? "" : raw["inscricao"] + raw["prefixo"];
    if (estKey != establishment) {
      closeTable();
      establishment = estKey;
      employee = "\x01";
      doc.subheading(responsible ? std::string("Responsável pela declaração")
                                 : joinNonEmpty({"Estabelecimento " + row["inscricao"], "Prefixo " + raw["prefixo"],
                                                 raw["razaosocial"]},
                                                "  -  "));
      doc.tableStart({{"Empregado", 50}, {"Código", 12}, {"Mensagem", 62}, {"Campo", 30}, {"Conteúdo", 26}});
      tableOpen = true;
    }
    std::string who;
    if (raw["tiporegistro"] == "2") {
      const std::string empKey = raw["copispasep"] + raw["DaAdmissao"] + raw["noempregado"] + raw["usoempresa"];
      if (empKey != employee) {
        employee = empKey;
        who = joinNonEmpty({displayPis(raw["copispasep"]), raw["noempregado"],
                            displayDate8(raw["DaAdmissao"]).empty() ? "" : "admissão " + displayDate8(raw["DaAdmissao"]),
                            raw["usoempresa"].empty() ? "" : "uso " + raw["usoempresa"]},
                           "\n");
      }
    }
    doc.tableRow({who, raw["retorno"], raw["TxRetorno"], raw["TxRotulo"].empty() ? raw["lbl"] : raw["TxRotulo"], raw["Conteudo"]});
  }
  closeTable();
  if (errors + warnings == 0) {
    doc.nothingToReport = true;
    doc.nothingMessage = only == "war"   ? "Não há avisos registrados."
                         : only == "err" ? "Não há erros registrados."
                                         : "Não há erros nem avisos registrados.";
    doc.paragraph(doc.nothingMessage);
    return doc;
  }
  doc.spacer(4);
  doc.paragraph("Total: " + countText(errors, "ocorrência de erro", "ocorrências de erro") + " e " +
                    countText(warnings, "ocorrência de aviso", "ocorrências de aviso") + ".",
                true);
  return doc;
}

namespace {

std::string_view structureFieldKind(std::string_view code) {
  static constexpr std::pair<std::string_view, std::string_view> kinds[] = {
      {"0", "Número do registro"},          {"1", "Tipo do registro"},
      {"2", "Tipo de KEVA"},                {"3", "Total informado no registro 9"},
      {"5", "Caractere encontrado"},        {"6", "Registros do tipo 1 lidos"},
      {"7", "Registros do tipo 2 lidos"},   {"8", "Inscrição"},
      {"9", "Tamanho necessário (bytes)"},  {"A", "Bytes restantes no arquivo"},
  };
  for (const auto& [c, text] : kinds)
    if (c == code) return text;
  return code;
}

}  // namespace

Document buildStructureReport(const Parameters& p, DataSets& data) {
  Document doc;
  doc.title = "Relatório de Erros de Estrutura do Arquivo";
  const std::string fileYear = parameter(p, "anobase");
  doc.paragraph("O arquivo não atende às especificações definidas para o ano-base" +
                (fileYear.empty() ? std::string(".") : " (declaração " + fileYear + ").") +
                " A leitura parou na primeira falha de estrutura, descrita abaixo; corrija o arquivo e leia-o de novo.");
  auto cursor = data.open(dataset::kStructure);
  Row r;
  std::int64_t rows = 0;
  std::string finding;
  while (cursor->next(r)) {
    if (rows++ == 0)
      doc.tableStart({{"Registro", 17, Align::Right}, {"Inscrição/Prefixo", 30}, {"Mensagem", 60},
                      {"Informação", 33}, {"Posição", 14, Align::Right}, {"Conteúdo", 26}});
    const std::string key = r["Sequencia"] + "|" + r["CoMsg"];
    const bool first = key != finding;
    finding = key;
    doc.tableRow({first ? displayPlainNumber(r["Sequencia"]) : "", first ? r["InscricaoPrefixo"] : "",
                  first ? codeAndText(r["CoMsg"], r["TxMensagem"]) : "", std::string(structureFieldKind(r["TipoCampo"])),
                  displayPlainNumber(r["PosicaoInicial"]), r["Conteudo"]});
  }
  if (rows == 0) {
    doc.nothingToReport = true;
    doc.nothingMessage = "Não há erros de estrutura registrados.";
    doc.paragraph(doc.nothingMessage);
    return doc;
  }
  doc.tableEnd();
  return doc;
}

Document buildImportReport(const Parameters& p, DataSets& data) {
  Document doc;
  doc.title = "Resumo da Importação";
  const std::string year = parameter(p, "anobase");
  doc.paragraph("Estabelecimentos escolhidos para a importação" +
                (year.empty() ? std::string("") : " do arquivo do ano-base " + year) +
                " e o destino dos seus vínculos na declaração do ano-base " + parameter(p, "AnoBase1") + ".");
  auto cursor = data.open(dataset::kImport);
  Row raw;
  std::int64_t rows = 0, declared = 0, ended = 0, duplicates = 0, imported = 0;
  while (cursor->next(raw)) {
    if (rows++ == 0)
      doc.tableStart({{"Inscrição", 36}, {"Prefixo", 14, Align::Center}, {"CEI vinculado", 30},
                      {"Vínculos no arquivo", 21, Align::Right}, {"Desligados", 19, Align::Right},
                      {"Duplicados", 19, Align::Right}, {"Importados", 19, Align::Right}, {"Obs.", 22, Align::Center}});
    declared += validation::integerOrZero(raw["NuVinculosEstabelecimento"]);
    ended += validation::integerOrZero(raw["NuTotalDesligados"]);
    duplicates += validation::integerOrZero(raw["NuTotalDuplicados"]);
    imported += validation::integerOrZero(raw["NuTotalImportados"]);
    Row row = raw;
    applyDisplayRules(row);
    const bool note = !raw["CoImp"].empty() && raw["CoImp"] != "0000";
    doc.tableRow({row["CoCgcCeiEstabelecimento"], raw["NuPrefixoEstabelecimento"], row["CoCgcVinculado"],
                  row["NuVinculosEstabelecimento"], row["NuTotalDesligados"], row["NuTotalDuplicados"],
                  row["NuTotalImportados"], note ? "(" + displayPlainNumber(raw["Seq"]) + ")" : ""});
  }
  if (rows == 0) {
    doc.nothingToReport = true;
    doc.nothingMessage = "Nenhum estabelecimento foi importado.";
    doc.paragraph(doc.nothingMessage);
    return doc;
  }
  doc.tableRow({"Total: " + countText(rows, "estabelecimento", "estabelecimentos"), "", "", std::to_string(declared),
                std::to_string(ended), std::to_string(duplicates), std::to_string(imported), ""},
               true);
  doc.tableEnd();

  auto notes = data.open(dataset::kImportNotes);
  Row n;
  bool any = false;
  while (notes->next(n)) {
    if (!any) {
      doc.heading("Observações");
      doc.tableStart({{"Obs.", 14, Align::Center}, {"Código", 16}, {"Mensagem", 150}});
      any = true;
    }
    doc.tableRow({"(" + displayPlainNumber(n["Seq"]) + ")", n["CoImp"], n["TxMensagem"]});
  }
  if (any) doc.tableEnd();
  return doc;
}

}  // namespace torvex::core::reports
