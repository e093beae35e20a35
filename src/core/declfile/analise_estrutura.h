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
#include "core/store/database.h"

namespace torvex::core::declfile {

// Result flags of AnalisaArquivo.
namespace result {
inline constexpr int kFinding = 1;        // a finding was recorded in Te8stru
inline constexpr int kInterrupted = 4;    // the user stopped the analysis
inline constexpr int kRectification = 8;  // the file is a rectifying declaration
// The file could not be read; the warning was shown and no table was left.
inline constexpr int kReadFailed = 16;
}  // namespace result

// One row of Te8stru.
struct StructureFinding {
  std::string AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo;
};

// Text of the warning shown when the file cannot be read (followed by the path).
inline constexpr const char* kCopyErrorMessage = "Ocorreu erro na cópia do arquivo ";

class TAnaliseEstrutura {
 public:
  TAnaliseEstrutura() = default;

  // Previous-year flag: true reads the 523-character layout of base year 2005.
  bool AnoAnterior = false;

  // Analyses `file` into the work tables of `db`'s folder; answers the result
  // flags (0: sound and loaded). `zeroValues` drops the year-specific values of
  // a previous-year file. Progress (0 to 100), events and the "Deseja
  // interromper?" question go through `ui`.
  int AnalisaArquivo(const std::filesystem::path& file, int baseYear, bool zeroValues, std::int64_t& establishments,
                     std::int64_t& links, store::Database& db, platform::Interaction& ui);

  // Asks a running analysis to stop (honoured at the next record, after the question).
  void Interrompe() { stop_.request(); }

  // The layout selected by the last analysis (empty lists before the first).
  const RecordLayout& layout() const { return layout_; }
  int recordLength() const { return layout_.recordLength; }
  // The rows recorded by the last analysis (also written to Te8stru).
  const std::vector<StructureFinding>& findings() const { return findings_; }

 private:
  class Run;
  RecordLayout layout_;
  validation::StopRequest stop_;
  std::vector<StructureFinding> findings_;
};

// Why `file` cannot be analysed, in words for the user ("arquivo não
// encontrado: ...", "... é uma pasta, não um arquivo"); empty when it is a
// regular file.
std::string inputFileProblem(const std::filesystem::path& file);

// Reads the rows of Te8stru in the order they were written (empty when the table does not exist).
std::vector<StructureFinding> readStructureFindings(store::Database& db);

}  // namespace torvex::core::declfile
