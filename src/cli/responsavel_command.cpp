// torvex-cli responsavel: the responsible party without the window. With
// --de-arquivo it takes the type-0 record of a declaration file through the
// window's checks and saves it; alone it shows the stored row.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "core/entry/responsible_entry.h"
#include "core/jobs/responsible_job.h"
#include "core/store/reference_lookup.h"
#include "core/validation/message_dialog.h"

namespace torvex::cli {
namespace {

using core::entry::FieldValues;
using core::entry::valueOf;
using core::entry::ResponsibleEntry;
using core::jobs::ResponsibleFromFileResult;

struct Options {
  std::string folder = defaultDataFolder().string();
  std::string file;
};

std::string captionOf(const core::store::ReferenceLookup& reference, std::string_view field) {
  for (const auto& c : ResponsibleEntry::captions())
    if (field == c.field) return core::validation::messageText(reference, c.captionCode);
  return std::string(field);
}

// One line per field, under its caption.
void printRow(const FieldValues& values, const core::store::ReferenceLookup& reference, std::ostream& out) {
  for (const auto& c : ResponsibleEntry::captions()) {
    out << "  " << core::validation::messageText(reference, c.captionCode) << ": " << valueOf(values, c.field);
    if (std::string_view(c.field) == "CoCgcCeiResponsavel" && !valueOf(values, ResponsibleEntry::kKindText).empty())
      out << " (" << valueOf(values, ResponsibleEntry::kKindText) << ")";
    if (std::string_view(c.field) == "CoMunicipioRespArquivo" && !valueOf(values, "NoMunicipioRespArquivo").empty())
      out << " " << valueOf(values, "NoMunicipioRespArquivo");
    out << "\n";
  }
}

int show(core::store::Database& db, const core::store::ReferenceLookup& reference) {
  ResponsibleEntry entry(db, reference);
  if (!entry.load()) {
    std::cerr << "Nenhum responsável gravado. Informe-o com --de-arquivo ARQUIVO.dec ou na janela do responsável.\n";
    return exit_status::kRefused;
  }
  std::cout << "Responsável:\n";
  printRow(entry.values(), reference, std::cout);
  return exit_status::kOk;
}

int fromFile(const Options& o, core::store::Database& db, const core::store::ReferenceLookup& reference) {
  const auto out = core::jobs::storeResponsibleFromFile({o.file}, db, reference);
  switch (out.result) {
    case ResponsibleFromFileResult::Unreadable:
    case ResponsibleFromFileResult::NotDeclaration:
    case ResponsibleFromFileResult::NoResponsibleRecord:
      std::cerr << "torvex-cli responsavel: " << out.problem << "\n";
      return exit_status::kUsage;
    case ResponsibleFromFileResult::Refused:
      std::cerr << "O responsável do arquivo tem erros: nada foi gravado.\n";
      for (const auto& r : out.refusals) {
        std::cerr << "ERRO - Responsável\n";
        if (!r.focus.empty()) std::cerr << "  " << captionOf(reference, r.focus) << ": " << valueOf(out.values, r.focus) << "\n";
        std::cerr << "  " << r.code << " - " << core::validation::messageText(reference, r.code) << "\n\n";
      }
      std::cerr << out.refusals.size() << " erro(s).\n";
      return exit_status::kRefused;
    case ResponsibleFromFileResult::Stored: break;
  }
  std::cout << "Responsável gravado:\n";
  printRow(out.values, reference, std::cout);
  return exit_status::kOk;
}

int run(const Options& o) {
  ConsoleInteraction ui(false);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  core::store::ReferenceLookup reference(db);
  return o.file.empty() ? show(db, reference) : fromFile(o, db, reference);
}

}  // namespace

Runner setupResponsavel(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("--de-arquivo", o->file,
                 "Arquivo de declaração cujo responsável (registro tipo 0) é conferido e gravado");
  sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.footer("Sem --de-arquivo, mostra o responsável gravado.\n" + exitStatusHelp("responsavel"));
  return [o]() {
    try {
      return run(*o);
    } catch (const std::exception& e) {
      if (const auto busy = inUseExit(e)) return *busy;
      std::cerr << "torvex-cli responsavel: " << e.what() << "\n";
      return exit_status::kUsage;
    }
  };
}

}  // namespace torvex::cli
