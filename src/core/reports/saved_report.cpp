#include "core/reports/saved_report.h"

#include <vector>

#include "core/platform/output_file.h"
#include "core/store/database.h"

namespace torvex::core::reports {

namespace fs = std::filesystem;

namespace {

// The files that make the data folder: its databases with their journals and
// its locks (a scratch database or a journal may be absent for now).
std::vector<fs::path> dataFolderFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const char* name : {store::Database::kDeclarationFile, store::Database::kReferenceFile,
                           store::Database::kWorkFile, store::Database::kLockFile, store::Database::kWorkLockFile})
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) files.push_back(folder / (std::string(name) + suffix));
  return files;
}

}  // namespace

std::string savedReportProblem(const fs::path& target, const Document& document, const fs::path& dataFolder) {
  if (!dataFolder.empty() && platform::reachesAny(target, {}, dataFolderFiles(dataFolder)))
    return "o relatório não pode ser gravado sobre um arquivo da pasta de dados (" + dataFolder.string() +
           "): escolha outro nome ou outra pasta";
  for (const auto& source : document.sources)
    if (platform::reachesAny(target, {}, {source}))
      return "o relatório não pode ser gravado sobre o arquivo de que ele trata (" + source.string() +
             "): escolha outro nome";
  return {};
}

}  // namespace torvex::core::reports
