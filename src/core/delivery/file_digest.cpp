#include "core/delivery/file_digest.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "core/platform/output_file.h"

namespace torvex::core::delivery {

namespace {

// MD5 of the file in hex; the `blankLength` bytes from `blankAt` are read as blanks.
std::string digestOf(const std::filesystem::path& file, std::uint64_t blankAt, std::uint64_t blankLength) {
  platform::InputFile input(file);
  if (!input.isOpen()) throw std::runtime_error(input.problem());
  std::istream& in = input.stream();

  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1)
    throw std::runtime_error("digest unavailable");

  std::array<char, 64 * 1024> buffer{};
  std::uint64_t offset = 0;
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto got = in.gcount();
    const std::uint64_t n = got > 0 ? static_cast<std::uint64_t>(got) : 0;
    for (std::uint64_t i = std::max(offset, blankAt); i < blankAt + blankLength && i < offset + n; ++i)
      buffer[i - offset] = ' ';
    offset += n;
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

}  // namespace

std::string hashFileGenerate(const std::filesystem::path& file) { return digestOf(file, 0, 0); }

bool StampedDigest::matches() const {
  if (stored.size() != computed.size()) return false;
  for (std::size_t i = 0; i < stored.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(stored[i])) != std::tolower(static_cast<unsigned char>(computed[i])))
      return false;
  return true;
}

StampedDigest checkStampedDigest(const std::filesystem::path& file) {
  StampedDigest out;
  platform::InputFile input(file);
  if (!input.isOpen()) return out;
  std::istream& in = input.stream();
  const auto size = input.size();
  // The last record ends before the final line break (and an end-of-file byte after it).
  std::uint64_t end = size;
  const std::uint64_t tail = std::min<std::uint64_t>(size, 3);
  std::string last(tail, '\0');
  in.seekg(static_cast<std::streamoff>(size - tail));
  in.read(last.data(), static_cast<std::streamsize>(tail));
  if (!in) return out;
  if (!last.empty() && last.back() == '\x1a') last.pop_back(), --end;
  if (!last.empty() && last.back() == '\n') last.pop_back(), --end;
  if (!last.empty() && last.back() == '\r') last.pop_back(), --end;
  if (end < kDigestLength) return out;
  const std::uint64_t at = end - kDigestLength;
  out.stored.resize(kDigestLength);
  in.seekg(static_cast<std::streamoff>(at));
  in.read(out.stored.data(), static_cast<std::streamsize>(kDigestLength));
  if (!in) return out;
  try {
    out.computed = digestOf(file, at, kDigestLength);
  } catch (const std::exception&) {
    return out;
  }
  out.readable = true;
  return out;
}

}  // namespace torvex::core::delivery
