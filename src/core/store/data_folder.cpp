#include "core/product.h"
#include "core/store/data_folder.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/store/csv.h"
#include "core/store/engine_error.h"
#include "core/text/utf8_text.h"

namespace torvex::core::store {
namespace fs = std::filesystem;
using platform::Buttons;
using platform::DialogKind;

namespace {


std::string stem(const std::string& fileName) {
  const auto dot = fileName.find('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::optional<bool> parseLogical(const std::string& v) {
  if (v.empty()) return std::nullopt;
  return !(v == "0" || v == "F" || v == "False" || v == "false" || v == "N");
}

}  // namespace

std::size_t loadCsvIntoTable(Database& db, const TableDef& def, const fs::path& csv) {
  CsvReader reader(csv);
  std::vector<std::string> header;
  if (!reader.next(header)) return 0;
  std::vector<const FieldDef*> columns;
  for (const auto& h : header) {
    const FieldDef* f = def.field(h);
    if (!f) throw DataAccessError(csv.string() + ": coluna desconhecida \"" + h + "\" na tabela " + def.name + ".");
    columns.push_back(f);
  }
  std::string cols, params;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    cols += (i ? ", " : "") + quoteIdentifier(columns[i]->name);
    params += (i ? ", ?" : "?") + std::to_string(i + 1);
  }
  Statement insert = db.prepare("INSERT INTO " + Database::schemaName(def.db) + "." + quoteIdentifier(def.name) + " (" +
                                cols + ") VALUES (" + params + ")");
  std::vector<std::string> row;
  std::size_t count = 0;
  while (reader.next(row)) {
    if (row.size() == 1 && row[0].empty()) continue;  // blank line
    if (row.size() != columns.size())
      throw DataAccessError(csv.string() + ":" + std::to_string(reader.line()) + ": esperados " +
                            std::to_string(columns.size()) + " campos, encontrados " + std::to_string(row.size()) + ".");
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const int p = static_cast<int>(i + 1);
      if (columns[i]->kind == FieldKind::Logical) {
        const auto v = parseLogical(row[i]);
        if (v)
          insert.bindAt(p, static_cast<std::int64_t>(*v ? 1 : 0));
        else
          insert.bindNullAt(p);
      } else {
        const std::string value = storedText(row[i]);
        if (text::characterCount(value) > static_cast<std::size_t>(columns[i]->width))
          throw DataAccessError(csv.string() + ":" + std::to_string(reader.line()) + ": o campo " + columns[i]->name +
                                " excede a largura de " + std::to_string(columns[i]->width) + " caracteres.");
        insert.bindAt(p, value);
      }
    }
    try {
      insert.run();
    } catch (const EngineError& e) {
      throw DataAccessError(csv.string() + ":" + std::to_string(reader.line()) + ": " + e.what());
    }
    ++count;
  }
  return count;
}

std::size_t layDownDataFolder(const fs::path& folder, const fs::path& referenceCsvDir) {
  fs::create_directories(folder);
  // Build the reference file beside the real one, then replace it in one step.
  const fs::path staging = folder / "referencia.db.novo";
  fs::remove(staging);
  std::size_t rows = 0;
  {
    sqlite3* raw = nullptr;
    if (sqlite3_open(staging.c_str(), &raw) != SQLITE_OK) {
      sqlite3_close(raw);
      throw EngineError(engine_code::kCannotOpen, "Não foi possível criar " + staging.string() + ".");
    }
    sqlite3_close(raw);
  }
  {
    // Open the folder with the staging file standing in for the reference file.
    const fs::path real = folder / Database::kReferenceFile;
    const fs::path aside = folder / "referencia.db.antigo";
    const bool hadReal = fs::exists(real);
    if (hadReal) fs::rename(real, aside);
    fs::rename(staging, real);
    try {
      Database db(folder, Database::Mode::Create);
      Transaction tx(db);
      for (const auto& def : tableDefinitions()) {
        if (def.db == DbFile::Reference) {
          db.createTable(def);
          const fs::path csv = referenceCsvDir / (def.name + ".csv");
          if (fs::exists(csv)) rows += loadCsvIntoTable(db, def, csv);
        } else if (def.db == DbFile::Declaration && !db.tableExists(def.name)) {
          db.createTable(def);
        }
      }
      tx.commit();
    } catch (...) {
      fs::remove(real);
      if (hadReal) fs::rename(aside, real);
      throw;
    }
    if (hadReal) fs::remove(aside);
  }
  return rows;
}

const std::vector<std::string>& requiredTableFiles() {
  static const std::vector<std::string> files{
      "BD8EMP.DB",   "BD8VINC.DB",  "BD8RESP.DB", "TB8BASE.DB",  "TB8CBO.DB",   "TB8CNAE.DB", "TB8DESL.DB",
      "TB8FXCEP.DB", "TB8INSTR.DB", "TB8MSG.DB",  "TB8MUNIC.DB", "TB8NACIO.DB", "TB8RACA.DB", "TB8TPADM.DB",
      "TB8TPSAL.DB", "TBUF.DB",     "TBUFCEP.DB", "TB8VINC.DB",  "TB8AFAST.DB", "tbEmpreg.db", "tbSindic.db",
      "tbTrab.db",   "tbCnaeco.db", "TB8NATJU.DB", "tbDefi.DB"};
  return files;
}

const std::vector<IndexFileEntry>& indexFileList() {
  static const std::vector<IndexFileEntry> list{
      {"BD8EMP.PX", "Main", "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento"},
      {"BD8VINC.PX", "Main",
       "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;NoEmpregado;"
       "NuSequencialRegistro"},
      {"TB8BASE.PX", "Main", "MeDataBase"},
      {"TB8CBO.PX", "Main", "CoCbo"},
      {"TB8CNAE.PX", "Main", "CoCNAE"},
      {"TB8DESL.PX", "Main", "CoCausaDesligamento"},
      {"TB8FXCEP.PX", "Main", "CoMunicipio"},
      {"TB8INSTR.PX", "Main", "CoInstrucao"},
      {"TB8MSG.PX", "Main", "NuMensagem"},
      {"TB8MUNIC.PX", "Main", "CoMunicipio"},
      {"TB8NACIO.PX", "Main", "CoNacionalidade"},
      {"TB8RACA.PX", "Main", "CoRaca"},
      {"TB8TPADM.PX", "Main", "CoTipoAdmissao"},
      {"TB8TPSAL.PX", "Main", "CoTipoSalarioContratual"},
      {"TBUF.PX", "Main", "CoUF;SgUF"},
      {"TBUF.XG0", "ISgUf", "SgUF", true},
      {"TB8VINC.PX", "Main", "CoVinculo"},
      {"TB8NATJU.PX", "Main", "CoNaturezaJuridica"},
      {"TB8AFAST.PX", "Main", "CoAfastamento"},
      {"tbEmpreg.PX", "Main", "CoCnpjEmpregador"},
      {"tbSindic.PX", "Main", "CoCnpjCentrSindical"},
      {"tbTrab.PX", "Main", "CoCnpjTrabalhadores"},
      {"tbDefi.PX", "Main", "CoTipoDeficiencia"},
      {"tbCnaeco.PX", "Main", "CoCnae2"},
  };
  return list;
}

const TableDef* tableForFile(const std::string& fileName) { return findTableDef(stem(fileName)); }

namespace {

IndexDef indexFromEntry(const std::string& name, const std::string& fields, bool caseInsensitive) {
  IndexDef index{name, {}, name == "Main", name == "Main", caseInsensitive};
  std::string cur;
  for (char c : fields + ";") {
    if (c == ';') {
      if (!cur.empty()) index.fields.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  return index;
}

}  // namespace

std::vector<std::string> missingColumns(Database& db, const TableDef& def) {
  auto st = db.prepare("SELECT name FROM pragma_table_info(:t, :s)");
  st.bind(":t", def.name).bind(":s", Database::schemaName(def.db));
  std::vector<std::string> present;
  while (st.step()) present.push_back(st.text(0));
  std::vector<std::string> missing;
  for (const auto& field : def.fields)
    if (std::none_of(present.begin(), present.end(), [&](const std::string& p) { return equalsIgnoreCase(p, field.name); }))
      missing.push_back(field.name);
  return missing;
}

std::string damagedTableMessage(const std::string& table, const std::vector<std::string>& missing) {
  std::string columns;
  for (const auto& c : missing) columns += (columns.empty() ? "" : ", ") + c;
  return "A tabela " + table + " da pasta de dados está danificada: " +
         (missing.size() == 1 ? "falta a coluna " : "faltam as colunas ") + columns + ". " + kReinstallOrRestoreAdvice;
}

std::string startupCheckProblem(const fs::path& folder, platform::Interaction& ui) {
  if (!fs::exists(folder / Database::kDeclarationFile) || !fs::exists(folder / Database::kReferenceFile))
    return kMissingFilesMessage;
  std::optional<Database> db;
  try {
    db.emplace(folder);
    for (const auto& file : requiredTableFiles()) {
      const TableDef* def = tableForFile(file);
      if (!def || !db->tableExists(def->name)) return kMissingFilesMessage;
    }
  } catch (const EngineError& e) {
    // A data file that is not a database is as good as missing.
    if (e.code() == engine_code::kCorrupt) return kMissingFilesMessage;
    throw;
  }
  // A declaration table that lost columns would be read and written wrongly.
  for (const auto& def : tableDefinitions()) {
    if (def.db != DbFile::Declaration || !db->tableExists(def.name)) continue;
    if (const auto missing = missingColumns(*db, def); !missing.empty()) return damagedTableMessage(def.name, missing);
  }
  for (const auto& entry : indexFileList()) {
    const TableDef* def = tableForFile(entry.file);
    if (def && !db->indexExists(def->name, entry.name))
      rebuildIndex(*db, ui, entry.file, entry.name, entry.fields, entry.caseInsensitive);
  }
  return {};
}

bool startupCheck(const fs::path& folder, platform::Interaction& ui) { return startupCheckProblem(folder, ui).empty(); }

bool rebuildIndex(Database& db, platform::Interaction& ui, const std::string& indexFile, const std::string& indexName,
                  const std::string& fields, bool caseInsensitive) {
  if (indexFile.find('.') == std::string::npos) {
    ui.message(DialogKind::Warning, "Parâmetro TabelaIndice deve conter nome da Tabela.indice", Buttons::Ok);
    return false;
  }
  const TableDef* def = tableForFile(indexFile);
  if (!def) {
    ui.message(DialogKind::Warning, "Nenhum usuário pode estar usando o sistema!", Buttons::Ok);
    return false;
  }
  try {
    db.acquireExclusive(def->name);
  } catch (const EngineError& e) {
    if (e.code() == engine_code::kTableBusy) {
      ui.message(DialogKind::Warning, std::string("Nenhum usuário pode estar usando o sistema: \"") + e.what() + "\"",
                 Buttons::Ok);
      return false;
    }
    try {
      db.dropIndex(def->name, indexName);
    } catch (const EngineError&) {
      ui.message(DialogKind::Warning, "Nenhum usuário pode estar usando o sistema!", Buttons::Ok);
      return false;
    }
  }
  try {
    db.dropIndex(def->name, indexName);
    db.createIndex(*def, indexFromEntry(indexName, fields, caseInsensitive));
  } catch (...) {
    db.releaseExclusive();
    throw;
  }
  db.releaseExclusive();
  return true;
}

bool reindexAll(Database& db, platform::Interaction& ui) {
  // The command's fixed order; the bar advances on the first 17 steps only.
  static const std::vector<std::string> steps{
      "TB8MSG.PX",  "TB8VINC.PX",  "TB8BASE.PX",  "TB8CNAE.PX", "TB8DESL.PX", "TB8INSTR.PX", "TB8MUNIC.PX",
      "TB8NACIO.PX", "TB8Raca.PX", "TB8NATJU.PX", "TB8TPADM.PX", "TB8TPSAL.PX", "TBUF.PX",    "TBUF.XG0",
      "TB8CBO.PX",  "BD8VINC.PX",  "BD8EMP.PX",   "TB8FXCEP.PX", "TB8Afast.PX"};
  ui.status("Indexando arquivos ...");
  ui.progress(0, 17);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto& entries = indexFileList();
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const IndexFileEntry& e) { return equalsIgnoreCase(e.file, steps[i]); });
    bool ok = it != entries.end();
    if (ok) {
      try {
        ok = rebuildIndex(db, ui, steps[i], it->name, it->fields, it->caseInsensitive);
      } catch (const EngineError&) {
        ok = false;
      }
    }
    if (!ok) {
      ui.message(DialogKind::Warning,
                 "Arquivos com problemas. Reinstale novamente o sistema TORVEX" + std::string(product::kBaseYear) + ".",
                 Buttons::Ok);
      return false;
    }
    if (i < 17) ui.progress(static_cast<std::int64_t>(i + 1), 17);
    ui.processEvents();
  }
  // The bar and its label go away before the closing message.
  ui.progress(0, 0);
  ui.status("");
  ui.message(DialogKind::Warning, "Arquivos indexados com sucesso.", Buttons::Ok);
  return true;
}

}  // namespace torvex::core::store
