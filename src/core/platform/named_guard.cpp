#include "core/platform/named_guard.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace torvex::core::platform {

namespace fs = std::filesystem;

std::string privateFolderProblem(const fs::path& folder, uid_t owner) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return "a pasta " + folder.string() + " não existe";
  if (S_ISLNK(st.st_mode)) return "a pasta " + folder.string() + " é um atalho para outro lugar";
  if (!S_ISDIR(st.st_mode)) return folder.string() + " não é uma pasta";
  if (st.st_uid != owner) return "a pasta " + folder.string() + " pertence a outro usuário";
  if ((st.st_mode & 077) != 0) return "a pasta " + folder.string() + " pode ser usada por outros usuários";
  if ((st.st_mode & 0700) != 0700) return "a pasta " + folder.string() + " não pode ser usada pelo seu usuário";
  return {};
}

namespace {

std::string environment(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

fs::path homeFolder() {
  if (auto home = environment("HOME"); !home.empty()) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

// Creates the folder (mode 0700) when missing; an existing folder of this user
// that others may reach is closed to them.
std::string makePrivateFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder.parent_path(), ec);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return "não foi possível criar a pasta " + folder.string() + ": " + std::strerror(errno);
  struct stat st {};
  if (::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
      (st.st_mode & 0777) != 0700)
    ::chmod(folder.c_str(), 0700);
  return privateFolderProblem(folder, ::getuid());
}

std::string safeName(const std::string& name) {
  std::string out;
  for (char c : name) out += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  return out;
}

}  // namespace

GuardFolder guardFolder() {
  if (auto runtime = environment("XDG_RUNTIME_DIR"); !runtime.empty())
    if (privateFolderProblem(runtime, ::getuid()).empty()) return {runtime, {}};
  fs::path cache = environment("XDG_CACHE_HOME");
  if (cache.empty() || cache.is_relative()) {
    const fs::path home = homeFolder();
    if (home.empty()) return {{}, "a pasta do usuário não é conhecida"};
    cache = home / ".cache";
  }
  const fs::path folder = cache / "torvex";
  if (auto problem = makePrivateFolder(folder); !problem.empty()) return {{}, problem};
  return {folder, {}};
}

NamedGuard::NamedGuard(const std::string& name) {
  const GuardFolder folder = guardFolder();
  if (folder.path.empty()) {
    problem_ = folder.problem;
    return;
  }
  take(name, folder.path);
}

NamedGuard::NamedGuard(const std::string& name, const fs::path& folder) {
  if (problem_ = privateFolderProblem(folder, ::getuid()); !problem_.empty()) return;
  take(name, folder);
}

void NamedGuard::take(const std::string& name, const fs::path& folder) {
  const fs::path file = folder / ("torvex-guard-" + safeName(name));
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    problem_ = "não foi possível abrir " + file.string() + ": " + std::strerror(errno);
    return;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    state_ = State::HeldElsewhere;
    return;
  }
  fd_ = fd;
  state_ = State::Acquired;
}

NamedGuard::~NamedGuard() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace torvex::core::platform
