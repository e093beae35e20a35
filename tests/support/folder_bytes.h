#pragma once
// Every regular file under a folder with its bytes, to show that an operation
// left a folder exactly as it was.
#include <filesystem>
#include <map>
#include <string>

namespace torvex::test {

// Relative path -> contents, for every regular file under `folder` (links are listed by their target text).
std::map<std::string, std::string> folderBytes(const std::filesystem::path& folder);

}  // namespace torvex::test
