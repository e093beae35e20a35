#include "core/delivery/file_digest.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace torvex::core::delivery {

std::string hashFileGenerate(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open for digest: " + file.string());

  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1)
    throw std::runtime_error("digest unavailable");

  std::array<char, 64 * 1024> buffer{};
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto got = in.gcount();
    if (got > 0 && EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<std::size_t>(got)) != 1)
      throw std::runtime_error("digest failed: " + file.string());
  }
  if (in.bad()) throw std::runtime_error("cannot read for digest: " + file.string());

  std::array<unsigned char, EVP_MAX_MD_SIZE> md{};
  unsigned int mdLength = 0;
  if (EVP_DigestFinal_ex(ctx.get(), md.data(), &mdLength) != 1) throw std::runtime_error("digest failed");

  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(mdLength * 2);
  for (unsigned int i = 0; i < mdLength; ++i) {
    out += kHex[md[i] >> 4];
    out += kHex[md[i] & 0x0F];
  }
  return out;
}

}  // namespace torvex::core::delivery
