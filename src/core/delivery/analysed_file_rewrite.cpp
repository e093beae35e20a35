#include "core/delivery/analysed_file_rewrite.h"

#include "core/declfile/record_layout.h"

namespace torvex::core::delivery {

WriteRequest analysedFileRewriteRequest(char drive, bool rectification) {
  WriteRequest r;
  r.drive = drive;
  r.fromWorkTables = true;
  r.rectification = rectification;
  return r;
}

std::string analysedFileRewriteMessage(WriteResult result, std::string_view cause) {
  const std::string keva = "\"KEVA" + std::string(declfile::kBaseYear) + "\"";
  switch (result) {
    case WriteResult::Success: return {};
    case WriteResult::Interrupted: return "A gravação do arquivo " + keva + " interrompida pelo usuário!";
    case WriteResult::Failed:
      if (!cause.empty()) return "Ocorreu um erro durante a gravação do arquivo " + keva + ": " + std::string(cause) + ".";
      return "Ocorreu um erro durante a gravação do arquivo " + keva + ".\rSubstitua o disquete e tente novamente.";
  }
  return {};
}

}  // namespace torvex::core::delivery
