#pragma once
// Reader for the reference CSV files: UTF-8, comma-separated, header row,
// fields quoted with double quotes when they hold a comma, quote or line break.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace torvex::core::store {

class CsvReader {
 public:
  explicit CsvReader(const std::filesystem::path& file);
  // Reads the next record; false at the end of the file.
  bool next(std::vector<std::string>& fields);
  std::size_t line() const { return line_; }

 private:
  std::ifstream in_;
  std::size_t line_ = 0;
};

}  // namespace torvex::core::store
