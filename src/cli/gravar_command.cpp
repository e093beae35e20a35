// torvex-cli gravar: the write-declaration workflow without windows. The job
// checks the chosen establishments of the base year, refuses to write while
// errors remain, then writes the declaration files into the hard-disk folder.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "core/delivery/destination_folder.h"
#include "core/jobs/write_declaration_job.h"
#include "core/delivery/folder_media.h"
#include "core/store/data_folder.h"
#include "core/store/declaration_state.h"
#include "core/store/reference_lookup.h"
#include "core/store/work_tables_lock.h"

namespace torvex::cli {
namespace {

namespace fs = std::filesystem;
using core::jobs::WriteJobResult;

fs::path programTransmitFolder() { return executableFolder() / "Transmite"; }

struct Options {
  std::string folder = defaultDataFolder().string();
  std::string destination = programTransmitFolder().string();
  std::string date;
  std::vector<std::string> establishments;  // INSCRICAO/PREFIXO
};

std::string messageText(const core::store::ReferenceLookup& reference, std::string_view code) {
  const auto m = reference.message(code);
  return m ? m->text : std::string(code);
}

// "INSCRICAO/PREFIXO" (the prefix "00" when left out) as a key of the base year.
core::store::EstablishmentKey establishmentKey(const std::string& arg) {
  const auto slash = arg.find('/');
  return {core::store::kBaseYear, arg.substr(0, slash), slash == std::string::npos ? "00" : arg.substr(slash + 1)};
}

// The program's own `Transmite` folder is made when it is missing; any other
// destination must already take files. Answers why it cannot (empty when it can).
std::string destinationProblem(const fs::path& destination) {
  std::error_code ec;
  const bool own = fs::absolute(destination).lexically_normal() == fs::absolute(programTransmitFolder()).lexically_normal();
  if (own && !fs::exists(destination, ec)) fs::create_directories(destination, ec);
  return core::delivery::destinationProblem(destination);
}

int write(const Options& o) {
  // Nobody can answer here: every question (overwrite, already transmitted) is answered No.
  ConsoleInteraction ui(false);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  if (const std::string problem = destinationProblem(o.destination); !problem.empty()) {
    std::cerr << "torvex-cli gravar: nada foi gravado: " << problem << "\n";
    return exit_status::kRefused;
  }
  core::store::Database db(o.folder);
  // The work tables are this run's until its last line of output.
  const core::store::WorkTablesHold hold(db);
  core::store::ReferenceLookup reference(db);
  core::delivery::FolderMedia media(o.destination);

  core::jobs::WriteSettings settings;
  settings.generationDate = o.date;
  for (const auto& arg : o.establishments) settings.establishments.push_back(establishmentKey(arg));
  const core::jobs::JobHost host{db, reference, ui};
  auto out = core::jobs::prepareWrite(host, settings);
  switch (out.result) {
    case WriteJobResult::InvalidDate:
      std::cerr << "Data da geração " << out.generationDate << ": " << messageText(reference, out.dateCode) << "\n";
      if (o.date.empty())
        std::cerr << "A data de hoje não serve como data da geração desta declaração. Informe-a com "
                     "--data DDMMAAAA, entre 01/01 e 31/12 do ano seguinte ao ano-base.\n";
      return exit_status::kUsage;
    case WriteJobResult::NoEstablishments:
      std::cerr << messageText(reference, "1700") << "\n";
      return exit_status::kRefused;
    case WriteJobResult::UnknownEstablishment:
      std::cerr << "Estabelecimento " << out.unknown.inscricao << "/" << out.unknown.prefixo
                << " não encontrado no ano-base " << core::store::kBaseYear << ".\n";
      return exit_status::kUsage;
    case WriteJobResult::CheckInterrupted:
      std::cerr << "Verificação interrompida pelo usuário: nada foi gravado.\n";
      return exit_status::kInterrupted;
    case WriteJobResult::RefusedErrors:
      std::cerr << core::jobs::writeRefusedText() << "\n";
      printFindings(db, reference, false, std::cerr);
      return exit_status::kRefused;
    default: break;
  }
  if (out.check.warnings) printFindings(db, reference, false, std::cerr);
  out = core::jobs::writePrepared(host, media, settings, std::move(out));
  if (out.result == WriteJobResult::WriteInterrupted) {
    std::cerr << core::jobs::writeInterruptedText() << "\n";
    return exit_status::kInterrupted;
  }
  if (out.result == WriteJobResult::WriteFailed) {
    std::cerr << core::jobs::writeFailedText(out.write.failureCause) << "\n";
    return exit_status::kRefused;
  }
  for (const auto& f : out.write.files) std::cout << f.path.string() << "  " << f.digest << "\n";
  if (out.write.severalFiles) std::cerr << core::jobs::severalFilesText(out.write.filesWritten) << "\n";
  return exit_status::kOk;
}

}  // namespace

Runner setupGravar(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.add_option("--destino", o->destination,
                 "Pasta onde os arquivos são gravados (padrão: a pasta Transmite ao lado do programa)");
  sub.add_option("--data", o->date, "Data da geração, DDMMAAAA, no ano seguinte ao ano-base (padrão: hoje)");
  sub.add_option("--estabelecimento", o->establishments,
                 "INSCRICAO/PREFIXO de um estabelecimento a gravar; pode repetir (padrão: todos do ano-base)");
  sub.footer("Imprime cada arquivo gravado e o seu código de verificação.\n" + exitStatusHelp("gravar"));
  return [o]() {
    try {
      return write(*o);
    } catch (const std::exception& e) {
      if (const auto busy = inUseExit(e)) return *busy;
      std::cerr << "torvex-cli gravar: " << e.what() << "\n";
      return exit_status::kRefused;
    }
  };
}

}  // namespace torvex::cli
