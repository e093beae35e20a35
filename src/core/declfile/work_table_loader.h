#pragma once
// Writes the records the structure analyser accepts into the work tables:
// type 0 into Te8resp, type 1 into Te8emp, type 2 into Te8vinc, the survey
// answers of type 9 back into Te8resp. Fields are cut with the layout in use;
// previous-year records are brought into the current columns, and with the
// zero-values flag a previous-year file loses its year-specific values.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/declfile/column_catalogue.h"
#include "core/declfile/record_layout.h"
#include "core/store/database.h"

namespace torvex::core::declfile {

class WorkTableLoader {
 public:
  // Creates Te8resp, Te8emp and Te8vinc afresh (empty), dropping what was there.
  static void createWorkTables(store::Database& db);
  static void dropWorkTables(store::Database& db);

  // A catalogue column as this layout loads it: from its field, or as the
  // constant a previous-year file stores in its place.
  struct LoadColumn {
    const CatalogueColumn* column;
    TArquivo field;
    const char* constant = nullptr;
  };

  // `analysisYear`: the base year given to the analysis ("2006").
  WorkTableLoader(store::Database& db, const RecordLayout& layout, std::string analysisYear, bool zeroValues);

  // The base year stored for a type-1 record: its year field in the current
  // layout, the layout's year ("2005") in the previous-year one.
  std::string storedYear(std::string_view record) const;

  // Answers the rectification indicator ("Indicador de Retificação" 1 or X).
  bool loadResponsible(std::string_view record);
  void loadEstablishment(std::string_view record, std::string_view storedYear);
  void loadLink(std::string_view record, std::string_view storedYear);
  void loadTotals(std::string_view record);
  // Writes the link and foreigner counts of an establishment already loaded.
  void writeEstablishmentCounts(std::string_view storedYear, std::string_view inscription, std::string_view prefix,
                                long long links, long long foreigners);
  // "Sequencial" of the establishment already loaded with this key, if any.
  // Inscription and prefix are the record's bytes (positions 7-20, 21-22).
  std::optional<std::string> findEstablishment(std::string_view storedYear, std::string_view inscription,
                                               std::string_view prefix);

 private:
  // Binds text to a statement without copying; converted values are kept in a
  // pool that lives until the next row.
  class RowBinder {
   public:
    explicit RowBinder(store::Statement& st) : st_(st) {}
    // For values cut from `record`: one test of the whole record spares a test per field.
    RowBinder(store::Statement& st, std::string_view record);
    // Binds the value as stored: code page 1252 to UTF-8, trailing blanks dropped.
    void bindStored(int position, std::string_view bytes);
    void bindText(int position, std::string_view utf8);  // bound as given (must outlive run())
    void bindNull(int position);
    // A string for a converted value, kept until the next row.
    std::string& scratch() { return pool_.at(used_++); }
    void run();

   private:
    store::Statement& st_;
    std::array<std::string, 128> pool_;
    std::size_t used_ = 0;
    bool ascii_ = false;  // every value bound is ASCII
  };

  void checkWidths() const;
  static void bindColumn(RowBinder& row, int position, const LoadColumn& c, std::string_view v);
  std::string_view field0(std::string_view record, int slot) const { return cutField(record, layout_.tipoZero[slot]); }
  std::string_view field1(std::string_view record, int slot) const { return cutField(record, layout_.tipoUm[slot]); }
  std::string_view field2(std::string_view record, int slot) const { return cutField(record, layout_.tipoDois[slot]); }

  store::Database& db_;
  const RecordLayout& layout_;
  std::string analysisYear_;
  bool zeroValues_;
  std::vector<LoadColumn> responsibleColumns_;
  std::vector<LoadColumn> establishmentColumns_;
  std::vector<LoadColumn> linkColumns_;
  store::Statement insertEstablishment_;
  store::Statement insertLink_;
  store::Statement updateCounts_;
  store::Statement findEstablishment_;
};

}  // namespace torvex::core::declfile
