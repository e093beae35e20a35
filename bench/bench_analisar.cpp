// bench_analisar: times the structure analysis and loading of one declaration
// file into a fresh data folder. Run it under /usr/bin/time -v for peak memory.
//   bench_analisar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/declfile/analise_estrutura.h"

namespace fs = std::filesystem;
using namespace torvex::core;
namespace bench = torvex::bench;

int main(int argc, char** argv) {
  const auto arguments =
      bench::parseFileBenchArguments("bench_analisar", argc, argv, fs::temp_directory_path() / "torvex-bench-dados");
  if (!arguments) return 3;
  const auto& [file, folder, reference, previousYear] = *arguments;
  try {
    bench::prepareDataFolder(folder, reference, /*fresh=*/false);
    store::Database db(folder);
    bench::Silent ui;
    declfile::TAnaliseEstrutura analyser;
    declfile::AnalysisSettings settings;
    settings.previousYear = previousYear;
    const auto start = std::chrono::steady_clock::now();
    const auto outcome = analyser.AnalisaArquivo(file, settings, db, ui);
    const std::int64_t establishments = outcome.establishments, links = outcome.links;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "arquivo: " << file.string() << " (" << fs::file_size(file) << " bytes)\n"
              << "resultado: " << static_cast<int>(outcome.result) << "\n"
              << "estabelecimentos: " << establishments << "\n"
              << "vinculos: " << links << "\n"
              << "segundos: " << seconds << "\n"
              << "vinculos por segundo: " << static_cast<long long>(static_cast<double>(links) / seconds) << "\n";
    return outcome.result == declfile::AnalysisResult::Loaded ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "bench_analisar: " << e.what() << "\n";
    return 3;
  }
}
