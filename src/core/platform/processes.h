#pragma once
// Starting another program and waiting for its end, as the hand-off to the
// transmission program does. The program and the command line use
// SystemProcesses; tests a scripted fake.
#include <filesystem>
#include <string>
#include <vector>

namespace torvex::core::platform {

struct ProcessRun {
  bool started = false;  // false: the program could not be started (`output` says why)
  int exitCode = -1;     // the exit status; -1 when the program was ended by a signal
  std::string output;    // what the program wrote to its standard output and error, in order
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` with `arguments`, in this program's working folder, and
  // waits until it ends.
  virtual ProcessRun runAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments = {}) = 0;
};

// The host's processes (POSIX spawn and wait).
class SystemProcesses final : public Processes {
 public:
  ProcessRun runAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments = {}) override;
};

}  // namespace torvex::core::platform
