// bench_importar: times the two steps of an import of one declaration file into
// a fresh data folder (structure analysis and loading, then the merge into the
// declaration tables), then the merge again, when every link is a duplicate.
// CPU seconds are given beside wall seconds, since the machine may be shared.
//   bench_importar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/importing/import_merge.h"
#include "core/jobs/import_job.h"

namespace fs = std::filesystem;
using namespace torvex::core;
namespace bench = torvex::bench;

namespace {


}  // namespace

int main(int argc, char** argv) {
  const auto arguments =
      bench::parseFileBenchArguments("bench_importar", argc, argv, fs::temp_directory_path() / "torvex-bench-importar");
  if (!arguments) return 3;
  const auto& [file, folder, reference, previousYear] = *arguments;
  try {
    bench::prepareDataFolder(folder, reference, /*fresh=*/true);
    store::Database db(folder);
    bench::Silent ui;
    declfile::TAnaliseEstrutura analyser;
    bench::Step analysis("analise e carga");
    const auto outcome = jobs::analyseForImport(analyser, file, previousYear, db, ui);
    const std::int64_t loaded = db.rowCount(store::table::kWorkLinks);
    analysis.report(bench::linksPerSecond(loaded, analysis));
    if (outcome.result != declfile::AnalysisResult::Loaded) return 1;

    importing::ImportRequest request;
    request.kind = previousYear ? importing::ImportKind::previousYearFile() : importing::ImportKind::currentYear();
    request.chosen = importing::fileEstablishments(db, request.kind.importYear);
    request.listLines = request.chosen.size();
    for (const char* name : {"importacao", "importacao de novo (duplicados)"}) {
      bench::Step merge(name);
      const auto result = importing::ImportMerge(db, ui).run(request);
      merge.report(bench::linksPerSecond(loaded, merge));
      std::cout << "  importados " << result.imported() << ", duplicados " << result.duplicates() << ", desligados "
                << result.ended() << "\n";
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "bench_importar: " << e.what() << "\n";
    return 3;
  }
}
