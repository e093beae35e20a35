#include "core/store/csv.h"

#include "core/store/engine_error.h"

namespace torvex::core::store {

CsvReader::CsvReader(const std::filesystem::path& file) : in_(file, std::ios::binary) {
  if (!in_) throw DataAccessError("Não foi possível abrir " + file.string() + ".");
}

bool CsvReader::next(std::vector<std::string>& fields) {
  fields.clear();
  std::string line;
  if (!std::getline(in_, line)) return false;
  ++line_;
  std::string field;
  bool quoted = false;
  std::size_t i = 0;
  while (true) {
    if (i >= line.size()) {
      if (quoted) {  // a line break inside a quoted field
        std::string more;
        if (!std::getline(in_, more)) break;
        ++line_;
        field += '\n';
        line = std::move(more);
        i = 0;
        continue;
      }
      break;
    }
    const char c = line[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
    } else if (c != '\r') {
      field += c;
    }
    ++i;
  }
  fields.push_back(std::move(field));
  return true;
}

}  // namespace torvex::core::store
