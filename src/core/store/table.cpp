#include "core/store/table.h"

#include <algorithm>

#include "core/store/engine_error.h"
#include "core/text/utf8_text.h"

namespace torvex::core::store {

Table::Table(Database& db, std::string_view name) : db_(db), def_(db.definition(name)) {
  if (!db_.tableExists(def_.name)) throw EngineError(engine_code::kTableNotFound, "Tabela não encontrada: " + def_.name + ".");
  setIndexFields({});
}

void Table::setIndexFields(std::string_view fields) {
  std::vector<std::string> names;
  if (fields.empty()) {
    if (const IndexDef* p = def_.primaryIndex()) names = p->fields;
  } else {
    std::string cur;
    for (char c : fields) {
      if (c == ';') {
        names.push_back(cur);
        cur.clear();
      } else {
        cur += c;
      }
    }
    if (!cur.empty()) names.push_back(cur);
  }
  order_.clear();
  for (const auto& n : names) {
    if (!order_.empty()) order_ += ", ";
    order_ += quoteIdentifier(n);
    if (!fields.empty()) order_ += " COLLATE NOCASE";
  }
  if (!order_.empty()) order_ += ", ";
  order_ += "rowid";
  refresh();
}

void Table::refresh() {
  const std::int64_t current = (!eof_ || !bof_) && pos_ < rowids_.size() ? rowids_[pos_] : 0;
  rowids_.clear();
  Statement st = db_.prepare("SELECT rowid FROM " + quoteIdentifier(def_.name) + " ORDER BY " + order_);
  while (st.step()) rowids_.push_back(st.integer(0));
  state_ = State::Browse;
  const auto it = std::find(rowids_.begin(), rowids_.end(), current);
  if (current != 0 && it != rowids_.end())
    moveTo(static_cast<std::size_t>(it - rowids_.begin()));
  else
    first();
}

void Table::moveTo(std::size_t position) {
  if (rowids_.empty()) {
    pos_ = 0;
    eof_ = bof_ = true;
    buffer_.assign(def_.fields.size(), Value{});
    return;
  }
  pos_ = std::min(position, rowids_.size() - 1);
  eof_ = bof_ = false;
  load();
}

void Table::load() {
  std::string cols;
  for (const auto& f : def_.fields) {
    if (!cols.empty()) cols += ", ";
    cols += quoteIdentifier(f.name);
  }
  Statement st = db_.prepare("SELECT " + cols + " FROM " + quoteIdentifier(def_.name) + " WHERE rowid = :r");
  st.bind(":r", rowids_[pos_]);
  buffer_.assign(def_.fields.size(), Value{});
  if (st.step())
    for (std::size_t i = 0; i < def_.fields.size(); ++i)
      buffer_[i] = Value{st.text(static_cast<int>(i)), st.isNull(static_cast<int>(i))};
}

void Table::first() {
  moveTo(0);
  bof_ = true;
  if (rowids_.empty()) eof_ = true;
}

void Table::last() {
  moveTo(rowids_.empty() ? 0 : rowids_.size() - 1);
  eof_ = true;
  if (rowids_.empty()) bof_ = true;
  else eof_ = false;
}

void Table::next() {
  if (rowids_.empty() || pos_ + 1 >= rowids_.size()) {
    eof_ = true;
    return;
  }
  moveTo(pos_ + 1);
}

void Table::prior() {
  if (rowids_.empty() || pos_ == 0) {
    bof_ = true;
    return;
  }
  moveTo(pos_ - 1);
}

std::size_t Table::fieldIndex(std::string_view field) const {
  for (std::size_t i = 0; i < def_.fields.size(); ++i)
    if (equalsIgnoreCase(def_.fields[i].name, field)) return i;
  throw EngineError(engine_code::kFieldNotFound, "Campo não encontrado: " + def_.name + "." + std::string(field) + ".");
}

std::string Table::text(std::string_view field) const {
  const auto i = fieldIndex(field);
  return i < buffer_.size() ? buffer_[i].text : std::string();
}

std::optional<bool> Table::logical(std::string_view field) const {
  const auto i = fieldIndex(field);
  if (i >= buffer_.size() || buffer_[i].isNull || buffer_[i].text.empty()) return std::nullopt;
  return buffer_[i].text != "0";
}

void Table::setText(std::string_view field, std::string_view value) {
  if (state_ == State::Browse) throw DataAccessError("A tabela " + def_.name + " não está em edição.");
  const auto i = fieldIndex(field);
  if (def_.fields[i].kind == FieldKind::Logical) {
    const std::string v(value);
    if (v.empty())
      setLogical(field, std::nullopt);
    else
      setLogical(field, !(v == "0" || v == "False" || v == "false" || v == "F"));
    return;
  }
  buffer_[i] = Value{storedText(value), false};
}

void Table::setLogical(std::string_view field, std::optional<bool> value) {
  if (state_ == State::Browse) throw DataAccessError("A tabela " + def_.name + " não está em edição.");
  const auto i = fieldIndex(field);
  buffer_[i] = value ? Value{*value ? "1" : "0", false} : Value{"", true};
}

void Table::append() {
  state_ = State::Insert;
  buffer_.assign(def_.fields.size(), Value{});
  for (std::size_t i = 0; i < def_.fields.size(); ++i)
    if (def_.fields[i].kind == FieldKind::Logical) buffer_[i].isNull = true;
  editingRowid_ = 0;
}

void Table::edit() {
  if (rowids_.empty() || (eof_ && bof_)) {
    append();
    return;
  }
  state_ = State::Edit;
  editingRowid_ = rowids_[pos_];
}

void Table::cancel() {
  state_ = State::Browse;
  if (!rowids_.empty()) load();
}

void Table::checkWidths() const {
  for (std::size_t i = 0; i < def_.fields.size(); ++i) {
    const auto& f = def_.fields[i];
    if (f.kind == FieldKind::Text && text::characterCount(buffer_[i].text) > static_cast<std::size_t>(f.width))
      throw EngineError(engine_code::kFieldTooWide, "Valor maior que a largura do campo " + f.name + " (" +
                                                        std::to_string(f.width) + " caracteres): \"" +
                                                        buffer_[i].text + "\".");
  }
}

void Table::post() {
  if (state_ == State::Browse) return;
  checkWidths();
  std::string sql;
  if (state_ == State::Insert) {
    std::string cols, params;
    for (std::size_t i = 0; i < def_.fields.size(); ++i) {
      if (i) {
        cols += ", ";
        params += ", ";
      }
      cols += quoteIdentifier(def_.fields[i].name);
      params += "?" + std::to_string(i + 1);
    }
    sql = "INSERT INTO " + quoteIdentifier(def_.name) + " (" + cols + ") VALUES (" + params + ")";
  } else {
    std::string sets;
    for (std::size_t i = 0; i < def_.fields.size(); ++i) {
      if (i) sets += ", ";
      sets += quoteIdentifier(def_.fields[i].name) + " = ?" + std::to_string(i + 1);
    }
    sql = "UPDATE " + quoteIdentifier(def_.name) + " SET " + sets + " WHERE rowid = ?" +
          std::to_string(def_.fields.size() + 1);
  }
  Statement st = db_.prepare(sql);
  for (std::size_t i = 0; i < def_.fields.size(); ++i) {
    const int p = static_cast<int>(i + 1);
    const auto& v = buffer_[i];
    if (def_.fields[i].kind == FieldKind::Logical) {
      if (v.isNull || v.text.empty())
        st.bindNullAt(p);
      else
        st.bindAt(p, static_cast<std::int64_t>(v.text == "0" ? 0 : 1));
    } else {
      st.bindAt(p, v.text);
    }
  }
  if (state_ == State::Edit) st.bindAt(static_cast<int>(def_.fields.size() + 1), editingRowid_);
  st.run();
  const std::int64_t rowid = state_ == State::Insert ? sqlite3_last_insert_rowid(db_.handle()) : editingRowid_;
  state_ = State::Browse;
  rowids_.clear();
  Statement ids = db_.prepare("SELECT rowid FROM " + quoteIdentifier(def_.name) + " ORDER BY " + order_);
  while (ids.step()) rowids_.push_back(ids.integer(0));
  const auto it = std::find(rowids_.begin(), rowids_.end(), rowid);
  moveTo(it == rowids_.end() ? 0 : static_cast<std::size_t>(it - rowids_.begin()));
}

void Table::remove() {
  if (rowids_.empty() || (eof_ && bof_)) return;
  Statement st = db_.prepare("DELETE FROM " + quoteIdentifier(def_.name) + " WHERE rowid = :r");
  st.bind(":r", rowids_[pos_]).run();
  const std::size_t at = pos_;
  rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(at));
  state_ = State::Browse;
  moveTo(at);
}

bool Table::findKey(const std::vector<std::string>& keyValues) {
  const IndexDef* key = def_.primaryIndex();
  if (!key) throw DataAccessError("A tabela " + def_.name + " não tem chave primária.");
  std::string where;
  for (std::size_t i = 0; i < keyValues.size() && i < key->fields.size(); ++i) {
    if (i) where += " AND ";
    where += quoteIdentifier(key->fields[i]) + " = ?" + std::to_string(i + 1);
  }
  Statement st = db_.prepare("SELECT rowid FROM " + quoteIdentifier(def_.name) + " WHERE " + where + " ORDER BY " +
                             order_ + " LIMIT 1");
  for (std::size_t i = 0; i < keyValues.size() && i < key->fields.size(); ++i)
    st.bindAt(static_cast<int>(i + 1), storedText(keyValues[i]));
  if (!st.step()) return false;
  const std::int64_t rowid = st.integer(0);
  auto it = std::find(rowids_.begin(), rowids_.end(), rowid);
  if (it == rowids_.end()) {
    refresh();
    it = std::find(rowids_.begin(), rowids_.end(), rowid);
    if (it == rowids_.end()) return false;
  }
  state_ = State::Browse;
  moveTo(static_cast<std::size_t>(it - rowids_.begin()));
  return true;
}

}  // namespace torvex::core::store
