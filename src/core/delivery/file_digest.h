#pragma once
// The digest stamped into the last record of every declaration file. Kept
// behind this one function so that another algorithm can take its place.
#include <filesystem>
#include <string>

namespace torvex::core::delivery {

// Digest of the whole file as 32 lower-case hexadecimal characters (MD5).
// Throws std::runtime_error when the file cannot be read.
std::string hashFileGenerate(const std::filesystem::path& file);

// Length of the digest text and of the field that receives it.
inline constexpr std::size_t kDigestLength = 32;

}  // namespace torvex::core::delivery
