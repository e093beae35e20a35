#pragma once
// The rules of the responsible-party window (BD8Resp): its fields in tab order,
// the check run when each one is left and where the focus goes when it fails,
// and the save sequence. The window only moves values and focus.
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::entry {

class ResponsibleEntry {
 public:
  // Display-only field with the kind of inscription: "CNPJ", "CEI" or "CPF".
  static constexpr const char* kKindText = "TipoInscricao";

  ResponsibleEntry(store::Database& db, const store::ReferenceLookup& ref);

  // Fields in tab order (BD8Resp column names, the kind text beside the inscription).
  static const std::vector<std::string>& fieldOrder();

  // Reads the stored row (an empty table shows empty fields); answers whether there is one.
  bool load();
  // Shows a row given by its stored column values (BD8Resp column names;
  // InReciboParaRespArquivo "1" when set), as load() shows the stored one.
  void show(const FieldValues& stored);
  FieldValues& values() { return values_; }
  const FieldValues& values() const { return values_; }

  // The check of a field being left; may rewrite displayed values.
  FieldOutcome leave(std::string_view field);
  // Every check in the save order, stopping at the first refusal; then writes the row.
  FieldOutcome save();
  // Every check of the save order, without stopping: each refusal, in that order.
  std::vector<FieldOutcome> refusals();

  // The fields a listing of the row shows, in tab order, each with the message
  // code of its caption ("1599" Inscrição do responsável ...).
  struct FieldCaption {
    const char* field;
    const char* captionCode;
  };
  static const std::vector<FieldCaption>& captions();

  // The checks by name (also used by the write wizard's responsible page).
  FieldOutcome checkInscription();
  FieldOutcome checkName();
  FieldOutcome checkStreet();
  FieldOutcome checkNumber();
  FieldOutcome checkComplement();
  FieldOutcome checkDistrict();
  FieldOutcome checkCep();
  FieldOutcome checkMunicipality();
  FieldOutcome checkAreaCode();
  FieldOutcome checkPhone();
  FieldOutcome checkEmail();

 private:
  void write();
  std::string& v(std::string_view field);

  store::Database& db_;
  const store::ReferenceLookup& ref_;
  FieldValues values_;
};

}  // namespace torvex::core::entry
