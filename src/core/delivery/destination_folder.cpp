#include "core/delivery/destination_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace torvex::core::delivery {

namespace fs = std::filesystem;

std::string writeFailureCause(int error, const fs::path& folder) {
  const std::string name = folder.string();
  switch (error) {
    case ENOENT: return "a pasta de destino não existe: " + name;
    case ENOTDIR: return name + " não é uma pasta";
    case EACCES:
    case EPERM: return "sem permissão de gravação na pasta de destino " + name;
    case EROFS: return "a pasta de destino " + name + " está num disco somente para leitura";
    case ENOSPC:
    case EDQUOT: return "não há espaço livre no disco da pasta de destino " + name;
    case EIO: return "erro de leitura ou gravação no disco da pasta de destino " + name;
    default: return "erro na gravação na pasta de destino " + name + " (" + std::strerror(error) + ")";
  }
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
