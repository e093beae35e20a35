#pragma once
// Declaration files and transmission program stand-ins for the hand-off tests:
// a sound file with its digest stamped as the writer does, a program layout
// (executable, `Transmite`, the transmission program in its folder) copied
// into a temporary folder, and a scripted fake of the host's processes.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/processes.h"

namespace torvex::test {

// Writes a sound declaration of `establishments` and `links` (generated) to
// `file` and stamps its digest; a one-line change afterwards breaks the digest.
void writeSoundDeclaration(const std::filesystem::path& file, long establishments = 3, long long links = 10);
// Stamps the digest of the file's last record again, after a change made on purpose.
void restampDigest(const std::filesystem::path& file);
// Replaces characters of a file at a byte offset.
void overwriteAt(const std::filesystem::path& file, std::uint64_t offset, const std::string& bytes);

// A valid receipt line of `declaration` as it stands (its inscription, counts,
// CRC and digest), as the transmission program writes it; `number` is the
// receipt number.
std::string receiptLineFor(const std::filesystem::path& declaration, const std::string& number = "512345678");

// The built transmission program.
std::filesystem::path builtTransmissionProgram();

// A scripted host: records each program it is asked to run and answers with
// what `onRun` does (by default: the program ends with status 0, doing nothing).
class FakeProcesses : public core::platform::Processes {
 public:
  core::platform::ProcessRun runAndWait(const std::filesystem::path& program,
                                        const std::vector<std::string>& arguments = {}) override;
  std::function<core::platform::ProcessRun(const std::filesystem::path&)> onRun;
  std::vector<std::filesystem::path> runs;
};

}  // namespace torvex::test
