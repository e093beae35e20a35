#include "core/entry/responsible_entry.h"

#include "core/store/table.h"
#include "core/validation/critica_keva.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::entry {
namespace val = validation;

namespace {

constexpr const char* kInscription = "CoCgcCeiResponsavel";
constexpr const char* kKind = "InInscrResponsavel";
constexpr const char* kName = "NoResponsavelArquivo";
constexpr const char* kStreet = "EdLogradouroRespArquivo";
constexpr const char* kNumber = "NuLogradouroRespArquivo";
constexpr const char* kComplement = "TxComplementoRespArquivo";
constexpr const char* kDistrict = "NoBairroRespArquivo";
constexpr const char* kCep = "CoCepRespArquivo";
constexpr const char* kMunicipality = "CoMunicipioRespArquivo";
constexpr const char* kMunicipalityName = "NoMunicipioRespArquivo";
constexpr const char* kState = "SgUfRespArquivo";
constexpr const char* kDdd = "NuFoneDDD";
constexpr const char* kPhone = "NuFoneAssinante";
constexpr const char* kEmail = "TxEMailRespArquivo";
constexpr const char* kSendToResponsible = "InReciboParaRespArquivo";

// The check run when a field is left; `whenFilled`: skipped while the field is empty.
struct LeaveRule {
  const char* field;
  bool whenFilled;
  FieldOutcome (ResponsibleEntry::*check)();
};

constexpr LeaveRule kLeaveRules[] = {
    {kInscription, false, &ResponsibleEntry::checkInscription},
    {kName, true, &ResponsibleEntry::checkName},
    {kStreet, true, &ResponsibleEntry::checkStreet},
    {kNumber, false, &ResponsibleEntry::checkNumber},
    {kComplement, false, &ResponsibleEntry::checkComplement},
    {kDistrict, false, &ResponsibleEntry::checkDistrict},
    {kCep, true, &ResponsibleEntry::checkCep},
    {kMunicipality, false, &ResponsibleEntry::checkMunicipality},
    {kDdd, false, &ResponsibleEntry::checkAreaCode},
    {kPhone, false, &ResponsibleEntry::checkPhone},
    {kEmail, false, &ResponsibleEntry::checkEmail},
};

// "&Ok" runs these in this order.
constexpr FieldOutcome (ResponsibleEntry::*kSaveOrder[])() = {
    &ResponsibleEntry::checkInscription, &ResponsibleEntry::checkName,       &ResponsibleEntry::checkPhone,
    &ResponsibleEntry::checkStreet,      &ResponsibleEntry::checkNumber,     &ResponsibleEntry::checkComplement,
    &ResponsibleEntry::checkDistrict,    &ResponsibleEntry::checkCep,        &ResponsibleEntry::checkMunicipality,
    &ResponsibleEntry::checkEmail,
};

FieldOutcome refuseIf(std::string_view code, std::string_view focus) {
  return code == val::kValid ? FieldOutcome::accept() : FieldOutcome::refuse(code, focus);
}

// Kind "1", "3" or "4" with the digits stored for it, and how it is shown.
struct ResponsibleKind {
  const char* kind;
  const char* text;
  int length;          // the digits typed
  const char* lengthCode;  // refusal when typed with another length
};
constexpr ResponsibleKind kCnpj{"1", "CNPJ", 14, "1003"};
constexpr ResponsibleKind kCei{"3", "CEI", 12, "1004"};
constexpr ResponsibleKind kCpf{"4", "CPF", 11, "3509"};

std::string kindText(std::string_view kind) {
  if (kind == "1") return kCnpj.text;
  if (kind == "3") return kCei.text;
  if (kind == "4") return kCpf.text;
  return {};
}

}  // namespace

ResponsibleEntry::ResponsibleEntry(store::Database& db, const store::ReferenceLookup& ref) : db_(db), ref_(ref) {}

const std::vector<std::string>& ResponsibleEntry::fieldOrder() {
  static const std::vector<std::string> order = {
      kInscription, kKindText, kName,     kStreet, kNumber, kComplement, kDistrict,          kCep,
      kMunicipality, kMunicipalityName, kState, kDdd, kPhone, kEmail, kSendToResponsible};
  return order;
}

std::string& ResponsibleEntry::v(std::string_view field) { return values_[std::string(field)]; }

bool ResponsibleEntry::load() {
  store::Table t(db_, "BD8Resp");
  t.first();
  FieldValues stored;
  if (!t.empty()) {
    for (const char* f : {kInscription, kKind, kName, kStreet, kNumber, kComplement, kDistrict, kCep, kMunicipality,
                          kMunicipalityName, kState, kDdd, kPhone, kEmail})
      stored[f] = t.text(f);
    stored[kSendToResponsible] = t.logical(kSendToResponsible).value_or(false) ? "1" : "";
  }
  show(stored);
  return !t.empty();
}

void ResponsibleEntry::show(const FieldValues& stored) {
  values_.clear();
  auto get = [&](const char* f) { return std::string(valueOf(stored, f)); };
  for (const char* f : {kName, kStreet, kComplement, kDistrict, kCep, kMunicipality, kMunicipalityName, kState, kDdd,
                        kPhone, kEmail})
    v(f) = get(f);
  v(kNumber) = shownNumber(get(kNumber));
  v(kCep) = val::isNotInformed(v(kCep)) ? "" : v(kCep);
  const std::string kind = get(kKind);
  const std::string inscription = get(kInscription);
  v(kKind) = kind;
  v(kKindText) = inscription.empty() ? "" : kindText(kind == "1" || kind == "3" ? kind : "4");
  v(kInscription) = inscription.empty() ? "" : val::formatInscription(inscription, kind == "1" || kind == "3" ? kind : "4");
  v(kSendToResponsible) = get(kSendToResponsible) == "1" ? "1" : "";
}

const std::vector<ResponsibleEntry::FieldCaption>& ResponsibleEntry::captions() {
  static const std::vector<FieldCaption> list = {
      {kInscription, "1599"}, {kName, "1604"},         {kStreet, "1605"}, {kNumber, "1606"},
      {kComplement, "1607"},  {kDistrict, "1608"},     {kCep, "1609"},    {kMunicipality, "1610"},
      {kState, "1612"},       {kDdd, "1613"},          {kPhone, "1614"},  {kEmail, "1617"},
  };
  return list;
}

FieldOutcome ResponsibleEntry::leave(std::string_view field) {
  for (const auto& rule : kLeaveRules) {
    if (field != rule.field) continue;
    if (rule.whenFilled && !filled(v(field))) return FieldOutcome::accept();
    return (this->*rule.check)();
  }
  return FieldOutcome::accept();
}

FieldOutcome ResponsibleEntry::checkInscription() {
  const std::string digits = digitsOf(v(kInscription));
  if (digits.empty()) {
    v(kKindText).clear();
    return FieldOutcome::accept();
  }
  const int length = static_cast<int>(digits.size());
  const std::string padded = val::fitRight(digits, 14);
  const std::string code(val::checkResponsibleInscription(padded, length));
  const ResponsibleKind* kind = nullptr;
  if (code == "0049") {
    if (length == 14) kind = &kCnpj;
    else if (length == 12) kind = &kCei;
    else return FieldOutcome::accept();  // nothing is stored for another length
  } else if (code == "0051") {
    kind = &kCnpj;
  } else if (code == "0052") {
    kind = &kCei;
  } else if (code == "0056") {
    kind = &kCpf;
  }
  const std::string refusal = !kind ? code : (length != kind->length ? kind->lengthCode : "");
  if (!refusal.empty()) {
    v(kKindText).clear();
    return FieldOutcome::refuse(refusal, kInscription);
  }
  v(kKind) = kind->kind;
  v(kKindText) = kind->text;
  v(kInscription) = val::formatInscription(padded, kind->kind);
  return FieldOutcome::accept();
}

FieldOutcome ResponsibleEntry::checkName() {
  v(kName) = trimmed(v(kName));
  return refuseIf(val::checkName(v(kName), ""), kName);
}

FieldOutcome ResponsibleEntry::checkStreet() {
  v(kStreet) = trimmed(v(kStreet));
  return refuseIf(val::checkStreet(v(kStreet)), kStreet);
}

FieldOutcome ResponsibleEntry::checkNumber() {
  const std::string padded = val::fitRight(trimmed(v(kNumber)), 6);
  const auto code = val::checkStreetNumber(padded);
  if (code != val::kValid) return FieldOutcome::refuse(code, kNumber);
  v(kNumber) = shownNumber(v(kNumber));
  return FieldOutcome::accept();
}

FieldOutcome ResponsibleEntry::checkComplement() {
  if (filled(v(kComplement)))
    if (auto code = val::checkComplement(v(kComplement)); code != val::kValid)
      return FieldOutcome::refuse(code, kComplement);
  return refuseIf(val::checkNumberOrComplement(val::fitRight(trimmed(v(kNumber)), 6), trimmed(v(kComplement))),
                  kComplement);
}

FieldOutcome ResponsibleEntry::checkDistrict() { return refuseIf(val::checkDistrict(v(kDistrict)), kDistrict); }

FieldOutcome ResponsibleEntry::checkCep() {
  if (!filled(v(kCep))) return FieldOutcome::accept();
  return refuseIf(val::checkCep(digitsOf(v(kCep))), kCep);
}

FieldOutcome ResponsibleEntry::checkMunicipality() {
  const std::string code = trimmed(v(kMunicipality));
  if (code.empty()) {
    v(kMunicipalityName).clear();
    v(kState).clear();
    return FieldOutcome::accept();
  }
  const auto r = val::TCriticaKeva(ref_).checkMunicipalityAndCep(code, digitsOf(v(kCep)));
  v(kMunicipalityName) = r.municipalityName;
  v(kState) = r.state;
  switch (r.status) {
    case val::TCriticaKeva::kBadMunicipality: return FieldOutcome::refuse(r.code, kMunicipality);
    case val::TCriticaKeva::kCepOutsideMunicipality:
    case val::TCriticaKeva::kCepOutsideState: return FieldOutcome::refuse(r.code, kCep);
    default: return FieldOutcome::accept();
  }
}

FieldOutcome ResponsibleEntry::checkAreaCode() {
  const std::string ddd = trimmed(v(kDdd));
  if (auto code = val::checkAreaCode(ddd); code != val::kValid) return FieldOutcome::refuse(code, kDdd);
  const std::string municipality = trimmed(v(kMunicipality));
  const auto code = val::checkAreaCodeOfState(ddd, municipality.substr(0, 2));
  return code == val::kValid ? FieldOutcome::accept() : FieldOutcome::warn(code);
}

FieldOutcome ResponsibleEntry::checkPhone() {
  if (auto code = val::checkPhone(trimmed(v(kPhone))); code != val::kValid) return FieldOutcome::refuse(code, kPhone);
  return refuseIf(val::checkPhonePairing(trimmed(v(kDdd)), trimmed(v(kPhone))), kDdd);
}

FieldOutcome ResponsibleEntry::checkEmail() { return refuseIf(val::checkEmail(trimmed(v(kEmail))), kEmail); }

FieldOutcome ResponsibleEntry::save() {
  for (auto check : kSaveOrder)
    if (auto outcome = (this->*check)(); outcome.refuses) return outcome;
  write();
  return FieldOutcome::accept();
}

std::vector<FieldOutcome> ResponsibleEntry::refusals() {
  std::vector<FieldOutcome> out;
  for (auto check : kSaveOrder)
    if (auto outcome = (this->*check)(); outcome.refuses) out.push_back(std::move(outcome));
  return out;
}

void ResponsibleEntry::write() {
  store::Table t(db_, "BD8Resp");
  t.first();
  t.edit();
  const std::string digits = digitsOf(v(kInscription));
  t.setText(kInscription, digits.empty() ? "" : val::fitRight(digits, 14));
  t.setText(kKind, digits.empty() ? "" : v(kKind));
  for (const char* f : {kName, kStreet, kComplement, kDistrict, kMunicipality, kMunicipalityName, kState, kEmail})
    t.setText(f, trimmed(v(f)));
  t.setText(kNumber, val::fitRight(trimmed(v(kNumber)), 6));
  t.setText(kCep, digitsOf(v(kCep)));
  t.setText(kDdd, trimmed(v(kDdd)));
  t.setText(kPhone, trimmed(v(kPhone)));
  t.setLogical(kSendToResponsible, v(kSendToResponsible) == "1");
  t.post();
}

}  // namespace torvex::core::entry
