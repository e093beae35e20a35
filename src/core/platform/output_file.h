#pragma once
// Files the program writes for the user (declaration files, reports, receipts,
// the hand-off file, archives, safety copies) and files it reads that someone
// else may have put there.
//
// What OutputFile guarantees:
//  - the content goes to a temporary file in the destination folder, named
//    "<final name>.parcial-<process>-<random>", created exclusively
//    (O_CREAT|O_EXCL|O_NOFOLLOW): a name planted beforehand, a symbolic link
//    included, is never written through;
//  - commit() flushes, syncs and then renames the temporary file over the final
//    name: readers see the older file or the complete new one, never a part.
//    A symbolic link at the final name is replaced itself, its target is left
//    alone;
//  - a final name that is neither a regular file nor a symbolic link (a folder,
//    FIFO, device or socket) is refused, when the file is opened and again at
//    the commit;
//  - on any failure, on discard() and on destruction without commit the
//    temporary file is removed and an older file of the final name is left as
//    it was;
//  - while the writer lives it holds a lock on its temporary file, so that
//    removeAbandonedOutputs() removes only the leftovers of runs that died.
// Failures are thrown as OutputFileError, with the cause classified and told in
// Portuguese (missing folder, not a folder, no permission, read-only disk, full
// disk, I/O error, not a regular file).
//
// OutputFileSet writes several files that belong together (the files of a split
// declaration): none of them gets its final name until every one is complete.
//
// InputFile opens an existing file for reading only when it is a regular file,
// without ever blocking on a FIFO or a device.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::core::platform {

// Why a file could not be written or read.
enum class FileFailure {
  None,
  MissingFolder,    // the folder (or the file to read) does not exist
  NotAFolder,       // a component of the folder's path is not a folder
  NoPermission,
  ReadOnlyDisk,
  DiskFull,         // no space left, quota or file size limit reached
  IoError,
  NotARegularFile,  // the name is taken by a folder, FIFO, device or socket
  Other,
};

// The class of an errno value.
FileFailure classifyFileFailure(int error);

// A failed file operation in `folder` told in Portuguese, naming the folder
// with `folderNoun` ("pasta", "pasta de destino"): "a pasta X não existe",
// "sem permissão de gravação na pasta X", "não há espaço livre no disco da
// pasta X", ... Never the system's English text.
std::string fileFailureText(int error, const std::filesystem::path& folder, std::string_view folderNoun = "pasta");

// What a non-regular file is, for messages: "uma pasta", "um FIFO", "um
// dispositivo", "um soquete" (mode as given by stat).
std::string fileKindText(mode_t mode);

class OutputFileError : public std::runtime_error {
 public:
  OutputFileError(FileFailure cause, int error, std::filesystem::path file, const std::string& text);
  FileFailure cause() const { return cause_; }
  int error() const { return error_; }  // errno value, 0 when none applies
  const std::filesystem::path& file() const { return file_; }

 private:
  FileFailure cause_;
  int error_;
  std::filesystem::path file_;
};

// The refusal of a final name taken by something that is not a regular file or
// a symbolic link; nullopt when the name is free or fit to be replaced.
std::optional<OutputFileError> unreplaceableTarget(const std::filesystem::path& target);

class OutputFile {
 public:
  // Creates the temporary file for `target`; throws OutputFileError.
  explicit OutputFile(std::filesystem::path target);
  ~OutputFile();  // discards unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& temporaryPath() const { return temporary_; }
  // The open temporary file, for writers that write it themselves (a PDF
  // writer, for example); call flush() before mixing with write().
  int descriptor() const { return fd_; }

  // Appends (buffered); throws OutputFileError.
  void write(std::string_view bytes);
  // Overwrites bytes already written, at `offset`; throws OutputFileError.
  void writeAt(std::uint64_t offset, std::string_view bytes);
  // Sends buffered bytes to the file; throws OutputFileError.
  void flush();
  // Bytes appended through write() so far.
  std::uint64_t size() const { return size_; }

  // Flushes, syncs and gives the file its final name; throws OutputFileError
  // (and then the temporary file is gone and the older file untouched).
  void commit();
  // Removes the temporary file. Does nothing after commit().
  void discard() noexcept;
  bool committed() const { return committed_; }

 private:
  friend class OutputFileSet;
  void sync();     // flush and fsync
  void publish();  // rename over the final name
  [[noreturn]] void fail(int error);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  std::string buffer_;
  std::uint64_t size_ = 0;
  bool committed_ = false;
};

// Files written together: each is added, written, and all are given their
// final names only by commitAll(), after every one was flushed and synced.
// Destruction without commitAll() discards every file.
class OutputFileSet {
 public:
  OutputFileSet() = default;
  ~OutputFileSet();
  OutputFileSet(const OutputFileSet&) = delete;
  OutputFileSet& operator=(const OutputFileSet&) = delete;

  // Starts one more file of the set; throws OutputFileError.
  OutputFile& add(const std::filesystem::path& target);
  std::size_t size() const { return files_.size(); }
  OutputFile& operator[](std::size_t i) { return *files_[i]; }

  // Syncs every file, then renames each over its final name, in the order
  // added. A failure before the first rename discards the whole set; a rename
  // that fails after others succeeded leaves those in place and discards the
  // rest. Throws OutputFileError.
  void commitAll();
  void discardAll() noexcept;
  // Forgets every file (discarding those not committed): the set starts anew.
  void clear() noexcept;

 private:
  std::vector<std::unique_ptr<OutputFile>> files_;
};

// Removes from `folder` the temporary files of OutputFile whose final name
// `isOurs` accepts and whose writer is gone (killed, or its machine stopped);
// files of a writer still running, and anything not named as OutputFile names
// its temporary files, are left alone. Answers how many were removed.
std::size_t removeAbandonedOutputs(const std::filesystem::path& folder,
                                   const std::function<bool(const std::string& finalName)>& isOurs);

// An existing file opened for reading. Refuses, without blocking, anything that
// is not a regular file (a FIFO, a folder, a device); follows a symbolic link
// to a regular file.
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& file);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  FileFailure failure() const { return failure_; }
  // Why the file could not be opened, in Portuguese ("arquivo não encontrado:
  // X", "X é um FIFO, não um arquivo comum", ...); empty when it is open.
  const std::string& problem() const { return problem_; }
  // The file's content; seekable. Reading a closed InputFile gives nothing.
  std::istream& stream() { return *stream_; }
  int descriptor() const { return fd_; }
  std::uint64_t size() const { return size_; }

 private:
  class Buffer;
  int fd_ = -1;
  FileFailure failure_ = FileFailure::None;
  std::string problem_;
  std::uint64_t size_ = 0;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::istream> stream_;
};

}  // namespace torvex::core::platform
