#include "core/platform/output_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <streambuf>

namespace torvex::core::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferBytes = 256 * 1024;
constexpr std::string_view kTemporaryMark = ".parcial-";

fs::path folderOf(const fs::path& file) {
  const fs::path parent = file.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

unsigned randomWord() {
  unsigned value = 0;
  if (::getrandom(&value, sizeof value, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof value)) {
    // No entropy yet: the clock and the address of a local still tell runs apart.
    value = static_cast<unsigned>(::time(nullptr)) ^ static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&value));
  }
  return value;
}

std::string temporaryName(const std::string& finalName) {
  char tail[32];
  std::snprintf(tail, sizeof tail, "%ld-%08x", static_cast<long>(::getpid()), randomWord());
  return finalName + std::string(kTemporaryMark) + tail;
}

// The final name a temporary name was made for; empty when the name is not one.
std::string finalNameOf(const std::string& name) {
  const auto mark = name.rfind(kTemporaryMark);
  if (mark == std::string::npos || mark == 0) return {};
  const std::string_view tail = std::string_view(name).substr(mark + kTemporaryMark.size());
  const auto dash = tail.find('-');
  if (dash == std::string_view::npos || dash == 0 || tail.size() - dash - 1 != 8) return {};
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = tail[i];
    const bool ok = i < dash ? (c >= '0' && c <= '9')
                   : i == dash ? true
                              : ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
    if (!ok) return {};
  }
  return name.substr(0, mark);
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

FileFailure classifyFileFailure(int error) {
  switch (error) {
    case 0: return FileFailure::None;
    case ENOENT: return FileFailure::MissingFolder;
    case ENOTDIR: return FileFailure::NotAFolder;
    case EACCES:
    case EPERM: return FileFailure::NoPermission;
    case EROFS: return FileFailure::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileFailure::DiskFull;
    case EIO: return FileFailure::IoError;
    case EISDIR:
    case ENXIO:
    case ELOOP: return FileFailure::NotARegularFile;
    default: return FileFailure::Other;
  }
}

std::string fileFailureText(int error, const fs::path& folder, std::string_view folderNoun) {
  const std::string name = folder.string();
  const std::string noun(folderNoun);
  switch (classifyFileFailure(error)) {
    case FileFailure::MissingFolder: return "a " + noun + " não existe: " + name;
    case FileFailure::NotAFolder: return name + " não é uma pasta";
    case FileFailure::NoPermission: return "sem permissão de gravação na " + noun + " " + name;
    case FileFailure::ReadOnlyDisk: return "a " + noun + " " + name + " está num disco somente para leitura";
    case FileFailure::DiskFull:
      if (error == EFBIG) return "o arquivo excede o tamanho máximo permitido na " + noun + " " + name;
      return "não há espaço livre no disco da " + noun + " " + name;
    case FileFailure::IoError: return "erro de leitura ou gravação no disco da " + noun + " " + name;
    case FileFailure::NotARegularFile:
      return "o nome na " + noun + " " + name + " não é de um arquivo comum (pasta, FIFO, dispositivo ou ligação em laço)";
    case FileFailure::None:
    case FileFailure::Other: break;
  }
  switch (error) {
    case ENAMETOOLONG: return "nome de arquivo longo demais na " + noun + " " + name;
    case EMFILE:
    case ENFILE: return "arquivos abertos demais para gravar na " + noun + " " + name;
    case EBUSY:
    case ETXTBSY: return "o arquivo está em uso na " + noun + " " + name;
    case EEXIST: return "já existe um arquivo de mesmo nome na " + noun + " " + name;
    default: return "erro na gravação na " + noun + " " + name + " (código de erro " + std::to_string(error) + ")";
  }
}

std::string fileKindText(mode_t mode) {
  if (S_ISDIR(mode)) return "uma pasta";
  if (S_ISFIFO(mode)) return "um FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "um dispositivo";
  if (S_ISSOCK(mode)) return "um soquete";
  if (S_ISLNK(mode)) return "uma ligação simbólica";
  return "um arquivo comum";
}

OutputFileError::OutputFileError(FileFailure cause, int error, fs::path file, const std::string& text)
    : std::runtime_error(text), cause_(cause), error_(error), file_(std::move(file)) {}

std::optional<OutputFileError> unreplaceableTarget(const fs::path& target) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return std::nullopt;
  if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) return std::nullopt;
  return OutputFileError(FileFailure::NotARegularFile, 0, target,
                         target.string() + " é " + fileKindText(st.st_mode) + ", não um arquivo comum: não será substituído");
}

// ------------------------------------------------------------------ OutputFile

OutputFile::OutputFile(fs::path target) : target_(std::move(target)) {
  if (auto refusal = unreplaceableTarget(target_)) throw *refusal;
  const fs::path folder = folderOf(target_);
  const std::string finalName = target_.filename().string();
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path candidate = folder / temporaryName(finalName);
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd_ >= 0) {
      temporary_ = candidate;
      break;
    }
    if (errno != EEXIST) fail(errno);
  }
  if (fd_ < 0) fail(EEXIST);
  // Marks the writer alive for removeAbandonedOutputs(); cannot fail on a fresh file.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  buffer_.reserve(kBufferBytes);
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::fail(int error) {
  const fs::path folder = folderOf(target_);
  discard();
  throw OutputFileError(classifyFileFailure(error), error, target_, fileFailureText(error, folder));
}

void OutputFile::write(std::string_view bytes) {
  if (fd_ < 0) fail(EBADF);
  size_ += bytes.size();
  if (buffer_.size() + bytes.size() > kBufferBytes) {
    flush();
    if (bytes.size() >= kBufferBytes) {
      if (!writeAll(fd_, bytes.data(), bytes.size())) fail(errno);
      return;
    }
  }
  buffer_.append(bytes);
}

void OutputFile::flush() {
  if (fd_ < 0) fail(EBADF);
  if (buffer_.empty()) return;
  if (!writeAll(fd_, buffer_.data(), buffer_.size())) fail(errno);
  buffer_.clear();
}

void OutputFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  flush();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail(n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
}

void OutputFile::sync() {
  flush();
  if (::fsync(fd_) != 0) fail(errno);
}

void OutputFile::publish() {
  if (auto refusal = unreplaceableTarget(target_)) {
    discard();
    throw *refusal;
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
  committed_ = true;
  ::close(fd_);
  fd_ = -1;
  // The new name lasts once the folder is on disk too; some file systems cannot sync a folder.
  const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void OutputFile::commit() {
  if (committed_) return;
  if (fd_ < 0) fail(EBADF);
  sync();
  publish();
}

void OutputFile::discard() noexcept {
  if (committed_) return;
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  buffer_.clear();
}

// ------------------------------------------------------------------ OutputFileSet

OutputFileSet::~OutputFileSet() { discardAll(); }

OutputFile& OutputFileSet::add(const fs::path& target) {
  files_.push_back(std::make_unique<OutputFile>(target));
  return *files_.back();
}

void OutputFileSet::commitAll() {
  try {
    for (auto& f : files_) f->sync();
    for (auto& f : files_) f->publish();
  } catch (...) {
    discardAll();
    throw;
  }
}

void OutputFileSet::discardAll() noexcept {
  for (auto& f : files_) f->discard();
}

void OutputFileSet::clear() noexcept {
  discardAll();
  files_.clear();
}

// ------------------------------------------------------------------ leftovers

std::size_t removeAbandonedOutputs(const fs::path& folder, const std::function<bool(const std::string&)>& isOurs) {
  std::size_t removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::string finalName = finalNameOf(name);
    if (finalName.empty() || !isOurs(finalName)) continue;
    const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat opened {}, named {};
    // A writer that is alive holds its lock; the lock of a dead one went with it.
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(it->path().c_str(), &named) == 0 && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev &&
        ::unlink(it->path().c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  return removed;
}

// ------------------------------------------------------------------ InputFile

class InputFile::Buffer : public std::streambuf {
 public:
  explicit Buffer(int fd) : fd_(fd), data_(64 * 1024) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (fd_ < 0) return traits_type::eof();
    ssize_t n;
    do {
      n = ::read(fd_, data_.data(), data_.size());
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return traits_type::eof();
    setg(data_.data(), data_.data(), data_.data() + n);
    return traits_type::to_int_type(*gptr());
  }

  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (fd_ < 0) return pos_type(off_type(-1));
    off_t result;
    if (dir == std::ios_base::cur) {
      // The descriptor is ahead of the reader by what is still buffered.
      result = ::lseek(fd_, static_cast<off_t>(off) - static_cast<off_t>(egptr() - gptr()), SEEK_CUR);
    } else {
      result = ::lseek(fd_, static_cast<off_t>(off), dir == std::ios_base::beg ? SEEK_SET : SEEK_END);
    }
    if (result < 0) return pos_type(off_type(-1));
    setg(data_.data(), data_.data(), data_.data());
    return pos_type(static_cast<off_type>(result));
  }

  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    return seekoff(off_type(pos), std::ios_base::beg, which);
  }

 private:
  int fd_;
  std::vector<char> data_;
};

InputFile::InputFile(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    failure_ = classifyFileFailure(error);
    switch (error) {
      case ENOENT: problem_ = "arquivo não encontrado: " + file.string(); break;
      case EACCES:
      case EPERM: problem_ = "sem permissão de leitura do arquivo " + file.string(); break;
      case ENOTDIR: problem_ = "caminho inválido (uma parte dele não é uma pasta): " + file.string(); break;
      case ENXIO:
      case ELOOP: problem_ = file.string() + " não é um arquivo comum"; break;
      default: problem_ = "não foi possível ler o arquivo " + file.string() + " (código de erro " + std::to_string(error) + ")";
    }
  } else {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      failure_ = FileFailure::NotARegularFile;
      problem_ = file.string() + " é " + fileKindText(st.st_mode) + ", não um arquivo comum";
      ::close(fd);
    } else {
      // Reads of a regular file never block; the flag only mattered for opening.
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      fd_ = fd;
      size_ = static_cast<std::uint64_t>(st.st_size);
    }
  }
  buffer_ = std::make_unique<Buffer>(fd_);
  stream_ = std::make_unique<std::istream>(buffer_.get());
  if (fd_ < 0) stream_->setstate(std::ios::failbit);
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace torvex::core::platform
