#include "core/platform/named_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace torvex::core::platform {

namespace {
std::filesystem::path guardDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::filesystem::path dir = runtime && *runtime ? runtime : std::filesystem::temp_directory_path();
  return dir;
}

std::string safeName(const std::string& name) {
  std::string out;
  for (char c : name) out += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  return out;
}
}  // namespace

NamedGuard::NamedGuard(const std::string& name) {
  const auto file = guardDirectory() / ("torvex-guard-" + std::to_string(::getuid()) + "-" + safeName(name));
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

NamedGuard::~NamedGuard() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace torvex::core::platform
