#pragma once
// The establishment list and the employee list of one establishment: their
// queries (search by inscription or PIS, by name, or by the letter buttons)
// and the text of each column. The rows are read as the list scrolls, so any
// number of rows opens at once.
#include <string>
#include <vector>

#include "core/entry/establishment_entry.h"
#include "core/store/database.h"

namespace torvex::core::entry {

// What narrows a list: typed digits, typed name, or a letter button
// ("" all; "A"; "EF" either letter).
struct ListFilter {
  std::string number;   // inscription (establishments) or PIS (employees)
  std::string name;
  std::string letters;
};

// The letter buttons, in order ("" is "all").
const std::vector<std::string>& letterButtons();

struct ListColumn {
  const char* title;
  int width;  // in characters, for the initial layout
};

// One list: its columns, and the query that gives its rows already shown as text.
class EntryList {
 public:
  virtual ~EntryList() = default;
  virtual const std::vector<ListColumn>& columns() const = 0;
  // Runs the query; rows are then read with next().
  virtual void open(const ListFilter& filter) = 0;
  // Up to `count` further rows, each with its column texts; fewer at the end.
  std::vector<std::vector<std::string>> next(int count);
  // The stored values of the row (key fields), parallel to the shown rows.
  const std::vector<std::string>& keyOf(std::size_t row) const { return keys_.at(row); }

 protected:
  virtual std::vector<std::string> shown(store::Statement& st) const = 0;
  virtual std::vector<std::string> key(store::Statement& st) const = 0;
  void start(store::Statement st);

 private:
  std::unique_ptr<store::Statement> st_;
  std::vector<std::vector<std::string>> keys_;
  bool done_ = true;
};

// BD8Emp rows of the base year. Key: base year, inscription, prefix, kind.
class EstablishmentList : public EntryList {
 public:
  explicit EstablishmentList(store::Database& db) : db_(db) {}
  const std::vector<ListColumn>& columns() const override;
  void open(const ListFilter& filter) override;

 protected:
  std::vector<std::string> shown(store::Statement& st) const override;
  std::vector<std::string> key(store::Statement& st) const override;

 private:
  store::Database& db_;
};

// BD8Vinc rows of one establishment. Key: PIS, admission date, name.
class EmployeeList : public EntryList {
 public:
  EmployeeList(store::Database& db, EstablishmentKey establishment) : db_(db), establishment_(std::move(establishment)) {}
  const std::vector<ListColumn>& columns() const override;
  void open(const ListFilter& filter) override;

 protected:
  std::vector<std::string> shown(store::Statement& st) const override;
  std::vector<std::string> key(store::Statement& st) const override;

 private:
  store::Database& db_;
  EstablishmentKey establishment_;
};

// The inscription kind an establishment's number calls for when its stored kind
// fails the check digits: "1" or "3"; "?" when it is valid both ways (the user
// chooses); "" when the stored kind is right. "1002" refusals give "!".
std::string correctedKind(std::string_view inscription, std::string_view storedKind);
// Stores a corrected kind.
void setEstablishmentKind(store::Database& db, const EstablishmentKey& key, std::string_view kind);
// Any establishment of the base year at all.
bool hasEstablishments(store::Database& db);

}  // namespace torvex::core::entry
