#include "core/consistency/findings_report.h"

#include "core/text/json_string.h"
#include "core/text/utf8_text.h"
#include "core/validation/message_dialog.h"
#include "core/validation/formatters.h"

namespace torvex::core::consistency {
namespace {

using text::appendJsonString;

std::size_t columnIndex(std::string_view column) {
  for (std::size_t i = 0; i < kErrorColumns.size(); ++i)
    if (kErrorColumns[i] == column) return i;
  return kErrorColumns.size();
}

std::string dateShown(std::string_view ddmmyyyy) {
  if (text::characterCount(ddmmyyyy) != 8) return std::string(ddmmyyyy);
  return std::string(text::characterSubstr(ddmmyyyy, 0, 2)) + "/" + std::string(text::characterSubstr(ddmmyyyy, 2, 2)) +
         "/" + std::string(text::characterSubstr(ddmmyyyy, 4));
}

}  // namespace

const std::string& ReportedFinding::operator[](std::string_view column) const {
  static const std::string none;
  const std::size_t i = columnIndex(column);
  return i < columns.size() ? columns[i] : none;
}

std::size_t forEachFinding(store::Database& db, const store::ReferenceLookup& reference,
                           const std::function<void(const ReportedFinding&)>& row) {
  if (!db.tableExists(store::table::kErrors)) return 0;
  std::string sql = "SELECT ";
  for (std::size_t i = 0; i < kErrorColumns.size(); ++i) {
    if (i) sql += ", ";
    sql += store::quoteIdentifier(kErrorColumns[i]);
  }
  // The table is rebuilt for every run and filled in numbering order, so the
  // row order stands for the running number even after it passes 999999.
  sql += " FROM Te8ErrWa ORDER BY errwar, rowid";
  auto s = db.prepare(sql);
  std::size_t count = 0;
  ReportedFinding f;
  while (s.step()) {
    for (std::size_t i = 0; i < kErrorColumns.size(); ++i) f.columns[i] = s.text(static_cast<int>(i));
    f.texto = validation::messageText(reference, f["retorno"]);
    f.rotulo = validation::messageText(reference, f["lbl"]);
    row(f);
    ++count;
  }
  return count;
}

std::string findingJson(const ReportedFinding& f) {
  std::string out = "{";
  for (std::size_t i = 0; i < kErrorColumns.size(); ++i) {
    appendJsonString(out, kErrorColumns[i]);
    out += ':';
    appendJsonString(out, f.columns[i]);
    out += ',';
  }
  appendJsonString(out, "texto");
  out += ':';
  appendJsonString(out, f.texto);
  out += ',';
  appendJsonString(out, "rotulo");
  out += ':';
  appendJsonString(out, f.rotulo);
  out += '}';
  return out;
}

bool sameFinding(std::span<const ReportedFinding> finding, const ReportedFinding& next) {
  if (finding.empty()) return false;
  for (std::string_view column : {"errwar", "inscricao", "tipoinscricao", "prefixo", "tiporegistro", "retorno",
                                  "razaosocial", "copispasep", "noempregado", "DaAdmissao", "usoempresa"})
    if (finding.front()[column] != next[column]) return false;
  for (const auto& row : finding)
    if (row["lbl"] == next["lbl"]) return false;
  return true;
}

std::string findingText(std::span<const ReportedFinding> finding) {
  if (finding.empty()) return {};
  const ReportedFinding& f = finding.front();
  std::string out = f["errwar"] == "err" ? "ERRO" : "AVISO";
  const std::string& type = f["tiporegistro"];
  if (type == "0") {
    out += " - Responsável";
  } else {
    out += " - Estabelecimento " + validation::formatInscription(f["inscricao"], f["tipoinscricao"]) + " (" +
           f["prefixo"] + ") " + f["razaosocial"];
  }
  out += "\n";
  if (type == "2") {
    out += "  Empregado: PIS " + validation::formatPis(f["copispasep"]) + "  " + f["noempregado"] + "  Admissão " +
           dateShown(f["DaAdmissao"]);
    if (!f["usoempresa"].empty()) out += "  Uso da empresa " + f["usoempresa"];
    out += "\n";
  }
  for (const auto& row : finding)
    out += "  " + (row.rotulo.empty() ? row["lbl"] : row.rotulo) + ": " + row["Conteudo"] + "\n";
  out += "  " + f["retorno"] + " - " + f.texto + "\n";
  return out;
}

}  // namespace torvex::core::consistency
