// retificacao_bench: times the rectification of every link of one declaration
// file. The file is imported into a fresh data folder first; then the list of
// the first establishment's links is read, every link ticked, the chosen rows
// copied into the work tables, and the rectification checked and written to
// the hard-disk folder. Wall and CPU seconds of each step.
//   retificacao_bench ARQUIVO [--dados PASTA] [--referencia referencia.db]
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>

#include "bench_support.h"
#include "core/delivery/rectification_selection.h"
#include "core/importing/import_merge.h"
#include "core/jobs/import_job.h"
#include "core/jobs/rectification_job.h"
#include "core/jobs/write_declaration_job.h"
#include "core/delivery/folder_media.h"
#include "core/store/declaration_state.h"

namespace fs = std::filesystem;
using namespace torvex::core;
namespace bench = torvex::bench;

namespace {

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class Step {
 public:
  explicit Step(std::string name) : name_(std::move(name)), wall_(std::chrono::steady_clock::now()), cpu_(cpuSeconds()) {}
  void report(std::int64_t links) const {
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
    std::cout << name_ << ": " << wall << " s (CPU " << cpuSeconds() - cpu_ << " s), " << links << " vinculos\n";
  }

 private:
  std::string name_;
  std::chrono::steady_clock::time_point wall_;
  double cpu_;
};

}  // namespace

int main(int argc, char** argv) {
  const auto arguments = bench::parseFileBenchArguments("retificacao_bench", argc, argv,
                                                        fs::temp_directory_path() / "torvex-bench-retificacao");
  if (!arguments) return 3;
  const auto& [file, folder, reference, previousYear] = *arguments;
  try {
    bench::prepareDataFolder(folder, reference, /*fresh=*/true);
    store::Database db(folder);
    bench::Silent ui;
    {
      declfile::TAnaliseEstrutura analyser;
      if (jobs::analyseForImport(analyser, file, previousYear, db, ui).result != declfile::AnalysisResult::Loaded)
        return 1;
      importing::ImportRequest request;
      request.kind = importing::ImportKind::currentYear();
      request.chosen = importing::fileEstablishments(db, request.kind.importYear);
      request.listLines = request.chosen.size();
      importing::ImportMerge(db, ui).run(request);
      db.exec("INSERT INTO BD8Resp SELECT * FROM Te8resp");
    }
    if (!jobs::startRectification(db)) return 1;

    delivery::RectificationSelection selection(db);
    Step listing("lista de vinculos do primeiro estabelecimento");
    if (!selection.load(store::kBaseYear)) return 1;
    selection.mark(0);
    const auto links = static_cast<std::int64_t>(selection.links().size());
    listing.report(links);

    Step ticking("todos marcados");
    selection.tickAllLinks(true);
    ticking.report(links);

    Step copying("copia para as tabelas de trabalho");
    const auto copied = jobs::copyForRectification(db, selection);
    copying.report(copied.links);
    if (copied.result != jobs::RectificationCopyResult::Copied) return 1;

    const fs::path transmite = folder / "Transmite";
    fs::remove_all(transmite);
    fs::create_directories(transmite);
    delivery::FolderMedia media(transmite);
    store::ReferenceLookup lookup(db);
    jobs::JobHost host{db, lookup, ui};
    jobs::WriteSettings settings;
    settings.rectification = true;
    settings.generationDate = "15022007";
    Step writing("verificacao e gravacao da retificacao");
    const auto out = jobs::writeDeclaration(host, media, settings);
    writing.report(copied.links);
    std::cout << "  arquivos gravados: " << out.write.files.size() << "\n";
    return out.result == jobs::WriteJobResult::Written ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "retificacao_bench: " << e.what() << "\n";
    return 3;
  }
}
