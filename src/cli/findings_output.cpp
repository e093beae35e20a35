#include "cli/findings_output.h"

#include <iostream>
#include <vector>

#include "cli/exit_status.h"
#include "core/validation/message_dialog.h"
#include "core/consistency/findings_report.h"
#include "cli/json_lines.h"

namespace torvex::cli {

void printFindings(core::store::Database& db, const core::store::ReferenceLookup& reference, bool json,
                   std::ostream& out) {
  using core::consistency::ReportedFinding;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  // The rows of one finding (one per label) are listed and counted once.
  std::vector<ReportedFinding> finding;
  const auto flush = [&] {
    if (finding.empty()) return;
    (finding.front()["errwar"] == "err" ? errors : warnings) += 1;
    out << core::consistency::findingText(finding) << "\n";
    finding.clear();
  };
  core::consistency::forEachFinding(db, reference, [&](const ReportedFinding& f) {
    if (json) {
      out << core::consistency::findingJson(f) << "\n";
      return;
    }
    if (!core::consistency::sameFinding(finding, f)) flush();
    finding.push_back(f);
  });
  flush();
  if (json) return;
  if (errors > 0)
    out << "Houveram erros nas declarações selecionadas.\n";
  else if (warnings > 0)
    out << "Não foram encontrados erros nas declarações selecionadas, foram gerados apenas AVISOS.\n"
           "Os avisos não impedem a gravação da declaração.\n";
  else
    out << "As declarações selecionadas não apresentaram erros ou avisos.\n";
  out << errors << " erro(s), " << warnings << " aviso(s).\n";
}

void printStructureFindings(const std::vector<core::declfile::StructureFinding>& rows,
                            const core::store::ReferenceLookup& reference, bool json, std::ostream& out) {
  for (const auto& f : rows) {
    const std::string text = core::validation::messageText(reference, f.CoMsg);
    if (json) {
      writeJsonLine(out, JsonObject()
                             .add("AnBase", f.AnBase)
                             .add("CoMsg", f.CoMsg)
                             .add("Sequencia", f.Sequencia)
                             .add("InscricaoPrefixo", f.InscricaoPrefixo)
                             .add("TipoCampo", f.TipoCampo)
                             .add("PosicaoInicial", f.PosicaoInicial)
                             .add("Conteudo", f.Conteudo)
                             .add("texto", text));
      continue;
    }
    out << "Erro de estrutura " << f.CoMsg << " no registro " << f.Sequencia;
    if (!f.InscricaoPrefixo.empty()) out << " (inscrição e prefixo " << f.InscricaoPrefixo << ")";
    if (!f.TipoCampo.empty()) out << ", campo " << f.TipoCampo;
    if (!f.PosicaoInicial.empty()) out << ", posição " << f.PosicaoInicial;
    if (!f.Conteudo.empty()) out << ", conteúdo \"" << f.Conteudo << "\"";
    out << ": " << text << "\n";
  }
}

int reportCheck(const core::consistency::CheckOutcome& check, core::store::Database& db,
                const core::store::ReferenceLookup& reference, bool json, std::ostream& out) {
  using core::consistency::CheckResult;
  // A stopped check found only part of what there is: never report that as a result.
  if (check.result == CheckResult::Interrupted) {
    std::cerr << "Verificação interrompida pelo usuário.\n";
    return exit_status::kInterruptedBySignal;
  }
  printFindings(db, reference, json, out);
  switch (check.result) {
    case CheckResult::Errors: return exit_status::kErrors;
    case CheckResult::Warnings: return exit_status::kWarnings;
    default: return exit_status::kOk;
  }
}

}  // namespace torvex::cli
