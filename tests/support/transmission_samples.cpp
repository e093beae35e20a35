#include "support/transmission_samples.h"

#include <fstream>
#include <stdexcept>

#include "generator/declaration_generator.h"
#include "core/delivery/file_digest.h"
#include "core/delivery/transmission.h"

namespace torvex::test {

namespace fs = std::filesystem;

void overwriteAt(const fs::path& file, std::uint64_t offset, const std::string& bytes) {
  std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(static_cast<std::streamoff>(offset));
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot change " + file.string());
}

void restampDigest(const fs::path& file) {
  const auto check = core::delivery::checkStampedDigest(file);
  if (!check.readable) throw std::runtime_error("cannot digest " + file.string());
  // The last record ends with CR LF: the digest sits just before it.
  overwriteAt(file, fs::file_size(file) - 2 - core::delivery::kDigestLength, check.computed);
}

void writeSoundDeclaration(const fs::path& file, long establishments, long long links) {
  generator::GeneratorOptions o;
  o.establishments = establishments;
  o.links = links;
  {
    std::ofstream out(file, std::ios::binary);
    generator::DeclarationGenerator(o).write(out);
  }
  restampDigest(file);
}

std::string receiptLineFor(const fs::path& declaration, const std::string& number) {
  std::ifstream in(declaration, std::ios::binary);
  std::string first, second, line, last;
  std::getline(in, first);
  std::getline(in, second);
  while (std::getline(in, line))
    if (line.size() > 1) last = line;
  if (!last.empty() && last.back() == '\r') last.pop_back();
  core::reports::TransmissionReceipt r;
  r.number = number;
  r.inscription = second.substr(6, 14);
  r.fileCrc = core::delivery::crcText(*core::delivery::fileCrc32(declaration));
  r.establishments = last.substr(24, 5);
  r.links = last.substr(29, 6);
  r.date = "15032007";
  r.time = "1011";
  r.hash = last.substr(last.size() - core::delivery::kDigestLength);
  return core::delivery::composeReceipt(r);
}

fs::path builtTransmissionProgram() { return TORVEX_TEST_TREVION; }

core::platform::ProcessRun FakeProcesses::runAndWait(const fs::path& program, const std::vector<std::string>&) {
  runs.push_back(program);
  if (onRun) return onRun(program);
  core::platform::ProcessRun run;
  run.started = true;
  run.exitCode = 0;
  return run;
}

}  // namespace torvex::test
