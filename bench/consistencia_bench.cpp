// consistencia_bench: times the consistency check alone over work tables that
// `torvex-cli analisar` (or the loader) has already filled.
//   consistencia_bench PASTA_DE_DADOS [--declaracao]
// --declaracao checks the declaration tables instead (as verificar does).
#include <sys/resource.h>

#include <chrono>
#include <iostream>
#include <string>

#include "core/consistency/check_engine.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace {

// Counts what the engine reports, as a window would, without showing it.
class CountingInteraction : public torvex::core::platform::Interaction {
 public:
  std::string message(torvex::core::platform::DialogKind, const std::string&,
                      torvex::core::platform::Buttons) override {
    return torvex::core::platform::button::kNo;
  }
  void progress(std::int64_t, std::int64_t) override { ++steps; }
  void processEvents() override { ++events; }
  long steps = 0;
  long events = 0;
};

std::int64_t count(torvex::core::store::Database& db, const std::string& sql) {
  auto s = db.prepare(sql);
  return s.step() ? s.integer(0) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  namespace ts = torvex::core::store;
  namespace tc = torvex::core::consistency;
  if (argc < 2) {
    std::cerr << "uso: consistencia_bench PASTA_DE_DADOS [--declaracao]\n";
    return 3;
  }
  bool declaration = false;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) != "--declaracao") return 3;
    declaration = true;
  }
  try {
    ts::Database db(argv[1]);
    ts::ReferenceLookup reference(db);
    const std::string establishmentTable = declaration ? "BD8Emp" : "Te8emp";
    const std::string linkTable = declaration ? "BD8Vinc" : "Te8vinc";
    const std::int64_t establishments = count(db, "SELECT count(*) FROM " + establishmentTable);
    const std::int64_t links = count(db, "SELECT count(*) FROM " + linkTable);
    CountingInteraction ui;
    tc::CheckEngine engine(db, reference, ui);
    tc::CheckParameters p;
    p.useWorkTables = !declaration;
    p.checkResponsible = !declaration;
    p.fileFlag = !declaration;
    const auto start = std::chrono::steady_clock::now();
    const auto outcome = engine.run(p);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::int64_t rows = db.tableExists("Te8ErrWa") ? db.rowCount("Te8ErrWa") : 0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "estabelecimentos " << establishments << ", vinculos " << links << "\n"
              << "resultado " << static_cast<int>(outcome.result) << ", linhas em Te8ErrWa " << rows << "\n"
              << "tempo " << seconds << " s, " << static_cast<long long>(static_cast<double>(links) / seconds)
              << " vinculos/s\n"
              << "passos de progresso " << ui.steps << ", eventos " << ui.events << "\n"
              << "memoria maxima " << usage.ru_maxrss / 1024 << " MiB\n";
  } catch (const std::exception& e) {
    std::cerr << "consistencia_bench: " << e.what() << "\n";
    return 3;
  }
  return 0;
}
