#pragma once
// The structure analyser: reads a declaration file record by record, checks
// its physical structure and the order of its records, and loads every record
// that passes into the work tables. The first fault ends the analysis and is
// recorded as one to three rows of Te8stru (codes 1900-1924). Memory does not
// grow with the size of the file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/validation/stop_request.h"
#include "core/declfile/record_layout.h"
#include "core/platform/interaction.h"
#include "core/product.h"
#include "core/store/database.h"

namespace torvex::core::declfile {

// How an analysis ended.
enum class AnalysisResult {
  Loaded,       // the file is sound and its records are in the work tables
  Finding,      // a structure finding was recorded in Te8stru; no work table was left
  Interrupted,  // the user stopped the analysis; no work table was left
  ReadFailed,   // the file could not be read; the warning was shown and no table was left
};

// One row of Te8stru.
struct StructureFinding {
  std::string AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo;
};

struct AnalysisSettings {
  int baseYear = product::kBaseYearNumber;
  // Reads the 523-character layout of the previous base year.
  bool previousYear = false;
  // Drops the year-specific values of a previous-year file.
  bool zeroValues = false;
};

struct AnalysisOutcome {
  AnalysisResult result = AnalysisResult::ReadFailed;
  bool rectification = false;         // the file is a rectifying declaration
  std::int64_t establishments = 0;    // records read, also when the analysis stopped
  std::int64_t links = 0;
  std::vector<StructureFinding> findings;  // the rows also written to Te8stru
};

// Text of the warning shown when the file cannot be read (followed by the path).
inline constexpr const char* kCopyErrorMessage = "Ocorreu erro na cópia do arquivo ";

class TAnaliseEstrutura {
 public:
  TAnaliseEstrutura() = default;

  // Analyses `file` into the work tables of `db`'s folder. Progress (0 to
  // 100), events and the "Deseja interromper?" question go through `ui`.
  AnalysisOutcome AnalisaArquivo(const std::filesystem::path& file, const AnalysisSettings& settings,
                                 store::Database& db, platform::Interaction& ui);

  // Asks a running analysis to stop (honoured at the next record, after the question).
  void Interrompe() { stop_.request(); }

  // The layout selected by the last analysis (empty lists before the first).
  const RecordLayout& layout() const { return layout_; }
  int recordLength() const { return layout_.recordLength; }

 private:
  class Run;
  RecordLayout layout_;
  validation::StopRequest stop_;
};

// Why `file` cannot be analysed, in words for the user ("arquivo não
// encontrado: ...", "... é uma pasta, não um arquivo"); empty when it is a
// regular file.
std::string inputFileProblem(const std::filesystem::path& file);

// Reads the rows of Te8stru in the order they were written (empty when the table does not exist).
std::vector<StructureFinding> readStructureFindings(store::Database& db);

}  // namespace torvex::core::declfile
