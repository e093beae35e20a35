#pragma once
// The folder declaration files are written into, checked before any work is
// done for it, and the cause of a failed write in words for the user: a
// read-only folder, a full disk and a missing folder each say so.
#include <cstdint>
#include <filesystem>
#include <string>

namespace torvex::core::delivery {

// Why declaration files cannot be written into `folder`, in words for the
// user ("a pasta de destino não existe: ...", "... não é uma pasta", "sem
// permissão de gravação ...", "não há espaço livre ..."); empty when they can.
// Writing is tried, not deduced from permission bits. `neededBytes`: the
// free space the files will take, when known (0: only that some is free).
std::string destinationProblem(const std::filesystem::path& folder, std::uintmax_t neededBytes = 0);

// The cause of a file operation in `folder` that failed with `error` (an errno value).
std::string writeFailureCause(int error, const std::filesystem::path& folder);

}  // namespace torvex::core::delivery
