#include "core/store/error_report.h"

#include <cstdio>

#include "core/store/engine_error.h"

namespace torvex::core::store {

namespace {

constexpr std::uint16_t kLookupListCode = 10756;  // 0x2A04

std::string engineText(const EngineError& e) {
  const auto& entries = e.entries();
  const std::uint16_t code = entries.back().code;
  const std::string t1 = entries.back().message;
  std::string t2;
  if (entries.size() > 1 && entries[entries.size() - 2].code != code)
    t2 = "\r\n" + entries[entries.size() - 2].message;
  const std::string t0 = engineCategoryMessage(static_cast<std::uint8_t>(code >> 8));
  char codeText[32];
  std::snprintf(codeText, sizeof codeText, "%6d : $%.4x", code, code);
  return std::string("Erro BDE ") + codeText + "\r\n" + t0 + "\r\n" + t1 + t2 + kUnexpectedErrorClosing;
}

}  // namespace

ErrorReport buildErrorReport(const std::exception& error, bool focusOnBoundLookup) {
  if (const auto* engine = dynamic_cast<const EngineError*>(&error)) {
    ErrorReport r{ErrorReport::Kind::Engine, engineText(*engine), true, false};
    if (engine->code() == kLookupListCode && focusOnBoundLookup) r.silent = true;
    return r;
  }
  if (dynamic_cast<const DataAccessError*>(&error))
    return {ErrorReport::Kind::Database, std::string("Erro DataBase.\n\r\n\r") + error.what() + kUnexpectedErrorClosing,
            true, false};
  return {ErrorReport::Kind::Other, std::string("Erro fatal.\n\r\n\r") + error.what() + kUnexpectedErrorClosing, false,
          false};
}

}  // namespace torvex::core::store
