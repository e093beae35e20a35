#pragma once
// Text read from a file someone else wrote (a receipt, a declaration), made
// safe to print on a terminal or in a message: control characters (C0, DEL
// and C1, ESC among them) and bytes that are not UTF-8 are written as \xHH,
// so that nothing in the file can move the cursor or change the terminal.
#include <string>
#include <string_view>

namespace torvex::core::text {

std::string visibleText(std::string_view utf8);

}  // namespace torvex::core::text
