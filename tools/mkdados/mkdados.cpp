// Lays down a data folder: reference tables from the CSV sources, empty
// declaration tables where they are missing. Run by the build.
#include <cstring>
#include <filesystem>
#include <iostream>

#include "core/store/data_folder.h"

int main(int argc, char** argv) {
  std::filesystem::path csvDir, dados;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--referencia") == 0) csvDir = argv[i + 1];
    else if (std::strcmp(argv[i], "--dados") == 0) dados = argv[i + 1];
  }
  if (csvDir.empty() || dados.empty()) {
    std::cerr << "uso: torvex-mkdados --referencia PASTA_CSV --dados PASTA_DADOS\n";
    return 3;
  }
  try {
    const auto rows = torvex::core::store::layDownDataFolder(dados, csvDir);
    std::cout << "dados: " << rows << " linhas de referência carregadas em " << dados.string() << "\n";
    std::filesystem::create_directories(dados.parent_path() / "Transmite");
  } catch (const std::exception& e) {
    std::cerr << "torvex-mkdados: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
