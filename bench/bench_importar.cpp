// bench_importar: times the two steps of an import of one declaration file into
// a fresh data folder (structure analysis and loading, then the merge into the
// declaration tables), then the merge again, when every link is a duplicate.
// CPU seconds are given beside wall seconds, since the machine may be shared.
//   bench_importar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]
#include <sys/resource.h>

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

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Wall and CPU seconds of one step.
class Step {
 public:
  explicit Step(std::string name) : name_(std::move(name)), wall_(std::chrono::steady_clock::now()), cpu_(cpuSeconds()) {}
  void report(std::int64_t links) const {
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
    const double cpu = cpuSeconds() - cpu_;
    std::cout << name_ << ": " << wall << " s (CPU " << cpu << " s), "
              << static_cast<long long>(static_cast<double>(links) / wall) << " vinculos/s\n";
  }

 private:
  std::string name_;
  std::chrono::steady_clock::time_point wall_;
  double cpu_;
};

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
    Step analysis("analise e carga");
    const auto outcome = jobs::analyseForImport(analyser, file, previousYear, db, ui);
    const std::int64_t loaded = db.rowCount(store::table::kWorkLinks);
    analysis.report(loaded);
    if (outcome.result != declfile::AnalysisResult::Loaded) return 1;

    importing::ImportRequest request;
    request.kind = previousYear ? importing::ImportKind::previousYearFile() : importing::ImportKind::currentYear();
    request.chosen = importing::fileEstablishments(db, request.kind.importYear);
    request.listLines = request.chosen.size();
    for (const char* name : {"importacao", "importacao de novo (duplicados)"}) {
      Step merge(name);
      const auto result = importing::ImportMerge(db, ui).run(request);
      merge.report(loaded);
      std::cout << "  importados " << result.imported() << ", duplicados " << result.duplicates() << ", desligados "
                << result.ended() << "\n";
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "bench_importar: " << e.what() << "\n";
    return 3;
  }
}
