#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "generator/declaration_generator.h"
#include "support/temp_data_folder.h"

namespace torvex::test {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

CliResult runTorvexCli(const std::string& args) { return runProgram(TORVEX_TEST_CLI, args); }

CliResult runProgram(const std::string& program, const std::string& args) {
  const auto dir = makeTempDirectory("torvex-cli");
  const auto errFile = dir / "stderr.txt";
  const std::string cmd = "timeout 300 " + quoted(program) + " " + args + " 2>" + quoted(errFile.string());
  CliResult r;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int rc = pclose(p);
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  }
  std::ifstream err(errFile);
  r.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) r.lines.push_back(line);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return r;
}

bool storeGeneratedDeclaration(const std::filesystem::path& dataFolder, int links) {
  generator::GeneratorOptions o;
  o.establishments = 2;
  o.links = links;
  const auto dir = makeTempDirectory("torvex-gerado");
  const auto file = dir / "gerado.dec";
  std::ofstream(file, std::ios::binary) << generator::DeclarationGenerator(o).text();
  const std::string args = quoted(file.string()) + " --dados " + quoted(dataFolder.string());
  const bool stored = runTorvexCli("importar " + args).status == 0 &&
                      runTorvexCli("responsavel --de-arquivo " + args).status == 0;
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return stored;
}

std::optional<CliResult> runOnSmallDisk(const std::filesystem::path& mountPoint, int kilobytes,
                                        const std::string& script) {
  const std::string mount =
      "mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs " + quoted(mountPoint.string());
  // The superuser mounts in a namespace of its own; others may in a user namespace.
  for (const char* how : {"-m", "-rm"}) {
    if (runProgram("unshare", std::string(how) + " sh -c " + quoted(mount + " && echo montado")).out != "montado\n")
      continue;
    return runProgram("unshare", std::string(how) + " sh -c " +
                                     quoted(mount + " || exit 97; TORVEX_CLI=" + quoted(TORVEX_TEST_CLI) + "; " + script));
  }
  return std::nullopt;
}

}  // namespace torvex::test
