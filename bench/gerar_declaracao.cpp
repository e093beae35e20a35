// gerar_declaracao: writes a sound declaration file of any size for tests and benchmarks.
//   gerar_declaracao SAIDA [--semente N] [--estabelecimentos N] [--vinculos N]
//                    [--sem-vinculos-cada N] [--desligados-cada N] [--ano-anterior] [--retificacao]
//                    [--separador crlf|lfcr|cr|lf|nenhum] [--fim-de-arquivo]
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "generator/declaration_generator.h"

namespace {

int usage() {
  std::cerr << "uso: gerar_declaracao SAIDA [--semente N] [--estabelecimentos N] [--vinculos N]\n"
               "       [--sem-vinculos-cada N] [--desligados-cada N] [--ano-anterior] [--retificacao]\n"
               "       [--separador crlf|lfcr|cr|lf|nenhum] [--fim-de-arquivo]\n";
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  using torvex::generator::GeneratorOptions;
  const std::map<std::string, std::string> separators = {
      {"crlf", "\r\n"}, {"lfcr", "\n\r"}, {"cr", "\r"}, {"lf", "\n"}, {"nenhum", ""}};
  GeneratorOptions o;
  std::string output;
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      auto value = [&]() -> const std::string& {
        if (i + 1 >= args.size()) throw std::invalid_argument(a + " sem valor");
        return args[++i];
      };
      if (a == "--semente") o.seed = std::stoull(value());
      else if (a == "--estabelecimentos") o.establishments = std::stol(value());
      else if (a == "--vinculos") o.links = std::stoll(value());
      else if (a == "--sem-vinculos-cada") o.withoutLinksEvery = std::stol(value());
      else if (a == "--desligados-cada") o.endedEvery = std::stol(value());
      else if (a == "--ano-anterior") o.previousYear = true;
      else if (a == "--retificacao") o.rectification = true;
      else if (a == "--fim-de-arquivo") o.endOfFileByte = true;
      else if (a == "--separador") o.separator = separators.at(value());
      else if (!a.empty() && a[0] != '-' && output.empty()) output = a;
      else return usage();
    }
    if (output.empty()) return usage();
    torvex::generator::DeclarationGenerator generator(o);
    std::ofstream out(output, std::ios::binary);
    if (!out) {
      std::cerr << "não foi possível criar " << output << "\n";
      return 3;
    }
    std::vector<char> buffer(1 << 20);
    out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    generator.write(out);
    out.close();
    if (!out) {
      std::cerr << "erro ao gravar " << output << "\n";
      return 3;
    }
  } catch (const std::exception& e) {
    std::cerr << "gerar_declaracao: " << e.what() << "\n";
    return 3;
  }
  return 0;
}
