#include "core/delivery/destination_folder.h"

#include "core/platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace torvex::core::delivery {

namespace fs = std::filesystem;

std::string writeFailureCause(int error, const fs::path& folder) {
  return platform::fileFailureText(error, folder, "pasta de destino");
}

std::string destinationProblem(const fs::path& folder, std::uintmax_t neededBytes) {
  std::error_code ec;
  const auto status = fs::status(folder, ec);
  if (status.type() == fs::file_type::not_found) return writeFailureCause(ENOENT, folder);
  if (ec) return writeFailureCause(ec.value(), folder);
  if (status.type() != fs::file_type::directory) return writeFailureCause(ENOTDIR, folder);

  // A probe file, created and removed: permission bits do not tell a read-only
  // disk, and the superuser writes where they forbid it.
  const fs::path probe = folder / (".torvex-gravacao-" + std::to_string(::getpid()));
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return writeFailureCause(errno, folder);
  const bool written = ::write(fd, "0", 1) == 1;
  const int writeError = errno;
  ::close(fd);
  ::unlink(probe.c_str());
  if (!written) return writeFailureCause(writeError, folder);

  const auto space = fs::space(folder, ec);
  if (!ec && (space.available == 0 || space.available < neededBytes))
    return writeFailureCause(ENOSPC, folder) + " (livres " + std::to_string(space.available) + " bytes, necessários " +
           std::to_string(neededBytes) + ")";
  return {};
}

}  // namespace torvex::core::delivery
