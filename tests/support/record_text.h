#pragma once
// A declaration file's text as its records, for tests that change a file
// record by record: split (separators dropped), join, renumber.
#include <string>
#include <vector>

namespace torvex::test {

// Records of a file whose records end with a two-byte separator (CR LF).
inline std::vector<std::string> splitRecords(const std::string& text, int recordLength) {
  std::vector<std::string> out;
  const std::size_t stride = static_cast<std::size_t>(recordLength) + 2;
  for (std::size_t at = 0; at + stride <= text.size(); at += stride) out.push_back(text.substr(at, recordLength));
  return out;
}

inline std::string joinRecords(const std::vector<std::string>& records, const std::string& separator = "\r\n") {
  std::string out;
  for (const auto& r : records) out += r + separator;
  return out;
}

// Writes positions 1-6 of every record as its ordinal number.
inline void renumber(std::vector<std::string>& records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::string n = std::to_string(i + 1);
    records[i].replace(0, 6, std::string(6 - n.size(), '0') + n);
  }
}

}  // namespace torvex::test
