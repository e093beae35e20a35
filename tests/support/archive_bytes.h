#pragma once
// Pieces of backup archives written by hand, for tests of damaged and hostile archives.
#include <zlib.h>

#include <cstdint>
#include <string>

namespace torvex::test::archive_bytes {

inline std::string le32(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

inline std::int32_t readLe32(const std::string& s, std::size_t at) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(s.at(at + static_cast<std::size_t>(i)));
  return static_cast<std::int32_t>(u);
}

inline const std::string kSection("EC2\0", 4);

inline std::string header(std::int32_t total, std::int32_t count, const std::string& title = "Keva2006") {
  return le32(static_cast<std::int32_t>(title.size())) + title + le32(total) + le32(count);
}

// An entry's name and date; its sections follow.
inline std::string entry(const std::string& name, std::int32_t dosDate = 0) {
  return le32(static_cast<std::int32_t>(name.size())) + name + le32(dosDate);
}

// A block holding `plain` as one zlib stream (level 1), with its length.
inline std::string compressedBlock(const std::string& plain) {
  uLongf size = compressBound(static_cast<uLong>(plain.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(plain.data()),
            static_cast<uLong>(plain.size()), 1);
  out.resize(size);
  return le32(static_cast<std::int32_t>(out.size())) + out;
}

// A whole single-volume archive of one entry whose bytes fit one block.
inline std::string oneEntryArchive(const std::string& name, const std::string& bytes,
                                   const std::string& title = "Keva2006") {
  return header(static_cast<std::int32_t>(bytes.size()), 1, title) + entry(name) + kSection +
         compressedBlock(bytes) + le32(0) + le32(0);
}

}  // namespace torvex::test::archive_bytes
