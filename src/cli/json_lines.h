#pragma once
// A small JSON Lines writer for the subcommands' --json output: one object per
// line, keys in the order added, strings escaped so that any text (control
// characters, quotes, invalid UTF-8) still gives valid JSON.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace torvex::cli {

class JsonObject {
 public:
  JsonObject& add(std::string_view key, std::string_view text);
  JsonObject& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
  JsonObject& add(std::string_view key, const std::string& text) { return add(key, std::string_view(text)); }
  JsonObject& add(std::string_view key, std::int64_t number);
  JsonObject& add(std::string_view key, int number) { return add(key, static_cast<std::int64_t>(number)); }
  JsonObject& add(std::string_view key, bool flag);
  JsonObject& addNull(std::string_view key);

  // The object on one line, without the line break.
  std::string str() const { return "{" + body_ + "}"; }

 private:
  void key(std::string_view k);
  std::string body_;
};

// Writes the object followed by a line break.
void writeJsonLine(std::ostream& out, const JsonObject& object);

}  // namespace torvex::cli
