#pragma once
// Text as a JSON string literal, for the JSON Lines outputs: quotes and
// backslashes escaped, control characters written as escapes, bytes that are
// not valid UTF-8 replaced by U+FFFD, so that any stored text gives valid JSON.
#include <string>
#include <string_view>

namespace torvex::core::text {

void appendJsonString(std::string& out, std::string_view utf8);
std::string jsonQuoted(std::string_view utf8);

}  // namespace torvex::core::text
