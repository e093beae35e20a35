#pragma once
// torvex-cli started in the background, its standard output going to a file and
// its standard error to the same name with ".err" added; killed on destruction.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace torvex::test {

class BackgroundCli {
 public:
  // `program`: another copy of torvex-cli (the built one when empty).
  BackgroundCli(const std::vector<std::string>& args, const std::filesystem::path& outFile,
                const std::filesystem::path& program = {}) {
    const std::string exe = program.empty() ? std::string(TORVEX_TEST_CLI) : program.string();
    pid_ = ::fork();
    if (pid_ == 0) {
      const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = ::open((outFile.string() + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(out, 1);
      ::dup2(err, 2);
      std::vector<char*> argv{const_cast<char*>(exe.c_str())};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(exe.c_str(), argv.data());
      ::_exit(127);
    }
  }
  ~BackgroundCli() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::kill(pid_, SIGCONT);
      wait();
    }
  }
  BackgroundCli(const BackgroundCli&) = delete;
  BackgroundCli& operator=(const BackgroundCli&) = delete;

  void signal(int sig) const { ::kill(pid_, sig); }
  // Exit status; -1 when it was killed.
  int wait() {
    int rc = 0;
    ::waitpid(pid_, &rc, 0);
    pid_ = -1;
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  }

 private:
  pid_t pid_ = -1;
};

inline std::string readWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace torvex::test
