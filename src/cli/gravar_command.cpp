// torvex-cli gravar: the write-declaration workflow without windows. Checks the
// chosen establishments of the base year, refuses to write while errors
// remain, then writes the declaration files into the hard-disk folder.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "core/validation/message_dialog.h"
#include "core/consistency/check_engine.h"
#include "core/declfile/record_layout.h"
#include "core/delivery/declaration_writer.h"
#include "core/delivery/generation_date.h"
#include "core/platform/folder_media.h"
#include "core/store/data_folder.h"
#include "core/store/reference_lookup.h"

namespace torvex::cli {
namespace {

namespace delivery = core::delivery;
constexpr int kExitRefused = 1;
constexpr int kExitInterrupted = 2;

struct Options {
  std::string folder = defaultDataFolder().string();
  std::string destination = (executableFolder() / "Transmite").string();
  std::string date;
  std::vector<std::string> establishments;  // INSCRICAO/PREFIXO
};

// The base year's establishments in inscription and prefix order.
std::vector<delivery::SelectedEstablishment> baseYearEstablishments(core::store::Database& db) {
  auto st = db.prepare("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp "
                       "WHERE AnBase = :a ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
  st.bind(":a", core::declfile::kBaseYear);
  std::vector<delivery::SelectedEstablishment> out;
  while (st.step()) out.push_back({{st.text(0), st.text(1), st.text(2)}, true});
  return out;
}

// Marks the establishments named on the command line; false (after saying
// which) when one of them is not a stored establishment of the base year.
bool markChosen(std::vector<delivery::SelectedEstablishment>& list, const std::vector<std::string>& chosen) {
  if (chosen.empty()) return true;
  for (auto& e : list) e.selected = false;
  for (const auto& arg : chosen) {
    const auto slash = arg.find('/');
    const std::string inscricao = arg.substr(0, slash);
    const std::string prefixo = slash == std::string::npos ? "00" : arg.substr(slash + 1);
    bool found = false;
    for (auto& e : list)
      if (e.key.inscricao == inscricao && e.key.prefixo == prefixo) found = e.selected = true;
    if (!found) {
      std::cerr << "Estabelecimento " << inscricao << "/" << prefixo << " não encontrado no ano-base "
                << core::declfile::kBaseYear << ".\n";
      return false;
    }
  }
  return true;
}

int write(const Options& o) {
  // Nobody can answer here: every question (overwrite, already transmitted) is answered No.
  ConsoleInteraction ui(false);
  if (!core::store::startupCheck(o.folder, ui)) {
    std::cerr << core::store::kMissingFilesMessage << "\n";
    return kExitUsage;
  }
  core::store::Database db(o.folder);
  core::store::ReferenceLookup reference(db);

  const std::string date = o.date.empty() ? delivery::todayDate() : o.date;
  if (const auto code = delivery::checkGenerationDate(date); code != "0000") {
    std::cerr << "Data da geração " << date << ": " << core::validation::messageText(reference, code) << "\n";
    if (o.date.empty())
      std::cerr << "A data de hoje não serve como data da geração desta declaração. Informe-a com "
                   "--data DDMMAAAA, entre 01/01 e 31/12 do ano seguinte ao ano-base.\n";
    return kExitUsage;
  }
  auto list = baseYearEstablishments(db);
  if (list.empty()) {
    std::cerr << core::validation::messageText(reference, "1700") << "\n";
    return kExitRefused;
  }
  if (!markChosen(list, o.establishments)) return kExitUsage;

  core::consistency::CheckEngine engine(db, reference, ui);
  core::consistency::CheckParameters p;
  p.selection = core::consistency::Selection{};
  for (const auto& e : list) p.selection->ticked.push_back(e.selected);
  p.baseYearFilter = std::string(core::declfile::kBaseYear);
  // No window validated the responsible row before this run, so the check does; the
  // dates that only a loaded file fills are not asked of a keyed-in row.
  p.checkResponsible = true;
  p.checkResponsibleFileFields = false;
  const int bits = engine.run(p);
  if (bits & core::consistency::check_result::kInterrupted) {
    std::cerr << "Verificação interrompida pelo usuário: nada foi gravado.\n";
    return kExitInterrupted;
  }
  if (bits & core::consistency::check_result::kErrors) {
    std::cerr << "As informações do(s) estabelecimento(s) selecionado(s) apresentaram ERROS.\n"
                 "Os erros impedem a geração do arquivo.\n";
    printFindings(db, reference, false, std::cerr);
    return kExitRefused;
  }
  if (bits & core::consistency::check_result::kWarnings) printFindings(db, reference, false, std::cerr);

  core::platform::FolderMedia media(o.destination);
  delivery::DeclarationWriter writer(db, media, ui);
  delivery::WriteRequest request;
  request.selection = list;
  request.drive = 'C';
  request.generationDate = date;
  request.generationTime = delivery::currentTimeOfDay();
  const auto result = writer.write(request);
  const std::string keva = "KEVA" + std::string(core::declfile::kBaseYear);
  if (result == delivery::WriteResult::Interrupted) {
    std::cerr << "A gravação do arquivo \"" << keva << "\" interrompida pelo usuário!\n";
    return kExitInterrupted;
  }
  if (result == delivery::WriteResult::Failed) {
    std::cerr << "Ocorreu um erro durante a gravação do arquivo de declaração " << keva << ".\n";
    return kExitRefused;
  }
  for (const auto& f : writer.results().files) std::cout << f.path.string() << "  " << f.digest << "\n";
  if (writer.results().severalFiles)
    std::cerr << "Foram gerados " << writer.results().filesWritten
              << " arquivos. Utilize a função \"Transmitir Declaração\" do menu principal.\n";
  return kExitOk;
}

const bool registered = registerCommand(
    40, "gravar", "Verifica e grava o arquivo da declaração (Gravar Declaração)", [](CLI::App& sub) -> Runner {
      auto o = std::make_shared<Options>();
      sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
      sub.add_option("--destino", o->destination,
                     "Pasta onde os arquivos são gravados (padrão: a pasta Transmite ao lado do programa)");
      sub.add_option("--data", o->date, "Data da geração, DDMMAAAA, no ano seguinte ao ano-base (padrão: hoje)");
      sub.add_option("--estabelecimento", o->establishments,
                     "INSCRICAO/PREFIXO de um estabelecimento a gravar; pode repetir (padrão: todos do ano-base)");
      sub.footer("Imprime cada arquivo gravado e o seu código de verificação. Códigos de saída: 0 gravado, "
                 "1 recusado (há erros) ou falha, 2 interrompido (um arquivo de mesmo nome já existe), "
                 "3 uso incorreto.");
      return [o]() {
        try {
          return write(*o);
        } catch (const std::exception& e) {
          std::cerr << "torvex-cli gravar: " << e.what() << "\n";
          return kExitRefused;
        }
      };
    });

}  // namespace
}  // namespace torvex::cli
