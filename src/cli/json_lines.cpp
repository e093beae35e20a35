#include "cli/json_lines.h"

#include "core/text/json_string.h"

namespace torvex::cli {

using core::text::jsonQuoted;

void JsonObject::key(std::string_view k) {
  if (!body_.empty()) body_ += ", ";
  body_ += jsonQuoted(k);
  body_ += ": ";
}

JsonObject& JsonObject::add(std::string_view k, std::string_view text) {
  key(k);
  body_ += jsonQuoted(text);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, std::int64_t number) {
  key(k);
  body_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, bool flag) {
  key(k);
  body_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::addNull(std::string_view k) {
  key(k);
  body_ += "null";
  return *this;
}

void writeJsonLine(std::ostream& out, const JsonObject& object) { out << object.str() << '\n'; }

}  // namespace torvex::cli
