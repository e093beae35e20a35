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

// The digest stamped at the end of a written file (the last 32 characters of
// its last record) checked against the digest of the file with that field blank.
struct StampedDigest {
  bool readable = false;  // false: the file could not be read or is too short
  std::string stored;     // the stamped text
  std::string computed;   // the digest the file should carry
  bool matches() const;   // the two agree (case aside)
};
StampedDigest checkStampedDigest(const std::filesystem::path& file);

}  // namespace torvex::core::delivery
