#include "cli/analisar_gravar.h"

#include <filesystem>
#include <iostream>

#include "cli/console_interaction.h"
#include "cli/json_lines.h"
#include "core/delivery/analysed_file_rewrite.h"
#include "core/platform/folder_media.h"

namespace torvex::cli {

int rewriteAnalysedFile(core::store::Database& db, const std::string& destination, bool rectification, bool json) {
  namespace delivery = core::delivery;
  std::error_code ec;
  if (!std::filesystem::is_directory(destination, ec)) {
    std::cerr << "torvex-cli analisar: pasta de destino não encontrada: " << destination << "\n";
    return kExitRewriteFailed;
  }
  // Nobody can answer here: a file of the same name is not overwritten.
  ConsoleInteraction ui(/*yes=*/false);
  core::platform::FolderMedia media(destination);
  delivery::DeclarationWriter writer(db, media, ui);
  const auto result = writer.write(delivery::analysedFileRewriteRequest('C', rectification));
  if (result != delivery::WriteResult::Success) {
    std::cerr << delivery::analysedFileRewriteMessage(result) << "\n";
    return result == delivery::WriteResult::Interrupted ? kExitRewriteInterrupted : kExitRewriteFailed;
  }
  for (const auto& f : writer.results().files) {
    if (json)
      writeJsonLine(std::cout, JsonObject().add("arquivo", f.path.string()).add("digest", f.digest));
    else
      std::cout << f.path.string() << "\n";
  }
  return 0;
}

}  // namespace torvex::cli
