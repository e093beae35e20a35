#include "core/store/engine_error.h"

#include <sqlite3.h>

#include <array>
#include <string_view>
#include <utility>

namespace torvex::core::store {
namespace {

struct CodeText {
  std::uint16_t code;
  const char* text;
};

constexpr std::array kCodeTexts{
    CodeText{engine_code::kCannotOpen, "Não foi possível abrir o arquivo de dados."},
    CodeText{engine_code::kIoError, "Erro de leitura ou gravação no disco."},
    CodeText{engine_code::kDiskFull, "Disco cheio."},
    CodeText{engine_code::kCorrupt, "Arquivo de dados danificado."},
    CodeText{engine_code::kKeyViolation, "Violação de chave: já existe um registro com esta chave."},
    CodeText{engine_code::kRequiredField, "Campo obrigatório sem valor."},
    CodeText{engine_code::kFieldTooWide, "Valor maior que a largura do campo."},
    CodeText{engine_code::kTableBusy, "Tabela em uso por outro usuário."},
    CodeText{engine_code::kDatabaseLocked, "Arquivo de dados bloqueado por outro programa."},
    CodeText{engine_code::kTableNotFound, "Tabela não encontrada."},
    CodeText{engine_code::kFieldNotFound, "Campo não encontrado."},
    CodeText{engine_code::kQueryError, "Erro na consulta."},
    CodeText{engine_code::kGeneral, "Erro geral do gerenciador de dados."},
};

constexpr std::array<std::pair<std::uint8_t, const char*>, 7> kCategoryTexts{{
    {0x21, "Erro de entrada e saída"},
    {0x26, "Violação de integridade"},
    {0x27, "Verificação de validade"},
    {0x28, "Bloqueio"},
    {0x29, "Objeto inexistente"},
    {0x2A, "Erro de consulta"},
    {0x2B, "Erro do gerenciador de dados"},
}};

// What SQLite's own (English) message adds, in Portuguese: the table, column
// or key it names. Nothing where the code's text says it all; the SQLite code
// where its words are not known here.
std::string sqliteDetail(int sqliteCode, const std::string& message) {
  switch (sqliteCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return {};
    default: break;
  }
  struct Known {
    const char* english;  // the start of SQLite's message
    const char* portuguese;
  };
  static constexpr Known kKnown[] = {
      {"UNIQUE constraint failed: ", "chave "},
      {"PRIMARY KEY constraint failed: ", "chave "},
      {"NOT NULL constraint failed: ", "campo "},
      {"CHECK constraint failed: ", "regra "},
      {"no such table: ", "tabela inexistente: "},
      {"no such column: ", "coluna inexistente: "},
      {"no such index: ", "índice inexistente: "},
  };
  for (const auto& k : kKnown) {
    const std::string_view english(k.english);
    if (message.compare(0, english.size(), english) == 0) return k.portuguese + message.substr(english.size());
  }
  // "table X has no column named Y"
  const std::string hasNo = " has no column named ";
  if (message.rfind("table ", 0) == 0)
    if (const auto at = message.find(hasNo); at != std::string::npos)
      return "a tabela " + message.substr(6, at - 6) + " não tem a coluna " + message.substr(at + hasNo.size());
  return "código SQLite " + std::to_string(sqliteCode);
}

}  // namespace

std::string engineMessage(std::uint16_t code) {
  for (const auto& ct : kCodeTexts)
    if (ct.code == code) return ct.text;
  return "Erro de código " + std::to_string(code) + ".";
}

std::string engineCategoryMessage(std::uint8_t category) {
  for (const auto& [cat, text] : kCategoryTexts)
    if (cat == category) return text;
  return "Categoria de erro desconhecida";
}

EngineError::EngineError(std::uint16_t code, const std::string& detail)
    : EngineError(std::vector<EngineErrorEntry>{{code, detail.empty() ? engineMessage(code) : detail}}) {}

EngineError::EngineError(std::vector<EngineErrorEntry> entries)
    : std::runtime_error(entries.empty() ? std::string("engine error") : entries.back().message),
      entries_(std::move(entries)) {
  if (entries_.empty()) entries_.push_back({engine_code::kGeneral, engineMessage(engine_code::kGeneral)});
}

EngineError engineErrorFromSqlite(int sqliteCode, const std::string& sqliteMessage) {
  std::uint16_t code = engine_code::kGeneral;
  switch (sqliteCode & 0xFF) {
    case SQLITE_CONSTRAINT:
      if (sqliteCode == SQLITE_CONSTRAINT_CHECK)
        code = engine_code::kFieldTooWide;
      else if (sqliteCode == SQLITE_CONSTRAINT_NOTNULL)
        code = engine_code::kRequiredField;
      else
        code = engine_code::kKeyViolation;
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: code = engine_code::kDatabaseLocked; break;
    case SQLITE_FULL: code = engine_code::kDiskFull; break;
    case SQLITE_IOERR: code = engine_code::kIoError; break;
    case SQLITE_CANTOPEN: code = engine_code::kCannotOpen; break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: code = engine_code::kCorrupt; break;
    case SQLITE_ERROR: code = engine_code::kQueryError; break;
    default: break;
  }
  const std::string detail = sqliteDetail(sqliteCode, sqliteMessage);
  return EngineError(code, detail.empty() ? engineMessage(code) : engineMessage(code) + " (" + detail + ")");
}

}  // namespace torvex::core::store
