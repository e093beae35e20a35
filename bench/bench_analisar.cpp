// bench_analisar: times the structure analysis and loading of one declaration
// file into a fresh data folder. Run it under /usr/bin/time -v for peak memory.
//   bench_analisar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/declfile/analise_estrutura.h"
#include "core/store/database.h"
#include "core/store/table_def.h"

namespace fs = std::filesystem;
using namespace torvex::core;

namespace {

class Silent : public platform::Interaction {
 public:
  std::string message(platform::DialogKind, const std::string& text, platform::Buttons) override {
    std::cerr << text << "\n";
    return platform::button::kOk;
  }
};

fs::path executableFolder() {
  std::error_code ec;
  const auto exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

// A data folder with the reference tables and empty declaration tables.
void prepareDataFolder(const fs::path& folder, const fs::path& reference) {
  fs::create_directories(folder);
  if (!fs::exists(folder / store::Database::kReferenceFile))
    fs::copy_file(reference, folder / store::Database::kReferenceFile);
  if (fs::exists(folder / store::Database::kDeclarationFile)) return;
  store::Database db(folder, store::Database::Mode::Create);
  for (const auto& def : store::tableDefinitions())
    if (def.db == store::DbFile::Declaration) db.createTable(def);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  fs::path file, folder = fs::temp_directory_path() / "torvex-bench-dados";
  fs::path reference = executableFolder() / ".." / "bin" / "dados" / "referencia.db";
  bool previousYear = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--dados" && i + 1 < args.size()) folder = args[++i];
    else if (args[i] == "--referencia" && i + 1 < args.size()) reference = args[++i];
    else if (args[i] == "--ano-anterior") previousYear = true;
    else if (file.empty()) file = args[i];
    else {
      std::cerr << "uso: bench_analisar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]\n";
      return 3;
    }
  }
  if (file.empty()) {
    std::cerr << "uso: bench_analisar ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]\n";
    return 3;
  }
  try {
    prepareDataFolder(folder, reference);
    store::Database db(folder);
    Silent ui;
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
