// retificacao_bench: times the rectification of every link of one declaration
// file. The file is imported into a fresh data folder first; then the list of
// the first establishment's links is read, every link ticked, the chosen rows
// copied into the work tables, and the rectification checked and written to
// the hard-disk folder. Wall and CPU seconds of each step.
//   retificacao_bench ARQUIVO [--dados PASTA] [--referencia referencia.db]
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
    bench::Step listing("lista de vinculos do primeiro estabelecimento");
    if (!selection.load(store::kBaseYear)) return 1;
    selection.mark(0);
    const auto links = static_cast<std::int64_t>(selection.links().size());
    listing.report(", " + std::to_string(links) + " vinculos");

    bench::Step ticking("todos marcados");
    selection.tickAllLinks(true);
    ticking.report(", " + std::to_string(links) + " vinculos");

    bench::Step copying("copia para as tabelas de trabalho");
    const auto copied = jobs::copyForRectification(db, selection);
    copying.report(", " + std::to_string(copied.links) + " vinculos");
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
    bench::Step writing("verificacao e gravacao da retificacao");
    const auto out = jobs::writeDeclaration(host, media, settings);
    writing.report(", " + std::to_string(copied.links) + " vinculos");
    std::cout << "  arquivos gravados: " << out.write.files.size() << "\n";
    return out.result == jobs::WriteJobResult::Written ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "retificacao_bench: " << e.what() << "\n";
    return 3;
  }
}
