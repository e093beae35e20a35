#include "support/folder_bytes.h"

#include <fstream>
#include <iterator>

namespace torvex::test {
namespace fs = std::filesystem;

std::map<std::string, std::string> folderBytes(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_symlink()) {
      out[name] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      out[name] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    } else if (entry.is_directory()) {
      out[name + "/"] = "";
    }
  }
  return out;
}

}  // namespace torvex::test
