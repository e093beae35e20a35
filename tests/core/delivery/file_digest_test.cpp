#include "core/delivery/file_digest.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

TEST(FileDigest, IsTheMd5OfTheWholeFileInLowerCaseHex) {
  const auto dir = makeTempDirectory("torvex-digest");
  const struct {
    std::string content;
    std::string digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      // Longer than one read buffer.
      {std::string(200000, 'a'), "561b1994f6baacd6e5eaf4baaa12849f"},
  };
  for (const auto& c : cases) {
    const auto file = dir / "f.dec";
    std::ofstream(file, std::ios::binary) << c.content;
    EXPECT_EQ(core::delivery::hashFileGenerate(file), c.digest) << c.content.size();
  }
  EXPECT_THROW(core::delivery::hashFileGenerate(dir / "missing.dec"), std::runtime_error);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace torvex::test
