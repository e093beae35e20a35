#pragma once
// A named guard held for the life of the process: a second holder of the same
// name (in any process of this user) is refused. The guards are lock files in a
// folder only this user can reach, so that nobody else can take a name first.
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace torvex::core::platform {

class NamedGuard {
 public:
  enum class State {
    Acquired,          // this process holds the name
    HeldElsewhere,     // another process of this user holds it
    NoPrivateFolder,   // no folder fit to hold guards; see problem()
  };

  // Uses guardFolder().
  explicit NamedGuard(const std::string& name);
  // Uses the given folder, which must pass privateFolderProblem().
  NamedGuard(const std::string& name, const std::filesystem::path& folder);
  ~NamedGuard();
  NamedGuard(const NamedGuard&) = delete;
  NamedGuard& operator=(const NamedGuard&) = delete;

  bool acquired() const { return state_ == State::Acquired; }
  State state() const { return state_; }
  // Why the guard could not be taken (Portuguese, for the user); empty when acquired or held elsewhere.
  const std::string& problem() const { return problem_; }

 private:
  void take(const std::string& name, const std::filesystem::path& folder);
  int fd_ = -1;
  State state_ = State::NoPrivateFolder;
  std::string problem_;
};

// Why a folder is not fit to hold guards, empty when it is: it must be a real
// folder (not a link), owned by `owner`, with no access at all for group or others.
std::string privateFolderProblem(const std::filesystem::path& folder, uid_t owner);

struct GuardFolder {
  std::filesystem::path path;  // empty when no folder is fit
  std::string problem;         // why, when path is empty
};

// Where the guards live: XDG_RUNTIME_DIR when it is private; otherwise the folder
// "torvex" in the user's cache folder (XDG_CACHE_HOME, else ~/.cache), created
// with mode 0700. Never a shared folder such as /tmp.
GuardFolder guardFolder();

}  // namespace torvex::core::platform
