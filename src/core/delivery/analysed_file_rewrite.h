#pragma once
// Writing an analysed declaration file again from the work tables, so that the
// file that leaves the program is the writer's own: no selection, no generation
// date or time, the rectification flag as read from the analysed file.
#include <string>
#include <string_view>

#include "core/delivery/declaration_writer.h"

namespace torvex::core::delivery {

WriteRequest analysedFileRewriteRequest(char drive, bool rectification);

// What the analyse workflow says after a rewrite that did not succeed
// (empty for a success); a failure names its cause when the writer knows it.
std::string analysedFileRewriteMessage(WriteResult result, std::string_view cause = {});

}  // namespace torvex::core::delivery
