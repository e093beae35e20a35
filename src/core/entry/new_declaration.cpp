#include "core/entry/new_declaration.h"

#include "core/store/declaration_state.h"
#include "core/store/table.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "core/validation/text_ops.h"

namespace torvex::core::entry {
namespace val = validation;

namespace {

constexpr const char* kNegative = "InKevaNegEstabelecimento";
constexpr const char* kInscription = "CoCgcCeiEstabelecimento";
constexpr const char* kPrefix = "NuPrefixoEstabelecimento";
constexpr const char* kLinkedCei = "CoCgcVinculado";
constexpr const char* kName = "NoRazaoEstabelecimento";
constexpr const char* kCompanyUse = "TxUsoEstabelecimento";
constexpr const char* kActive = "InAtividadeAnoBase";

// Copied from an establishment of the same inscription under another prefix.
constexpr const char* kCopiedFields[] = {
    "InInscrEstabelecimento", "InKevaNegEstabelecimento", "CoCgcVinculado", "NoRazaoEstabelecimento",
    "TxUsoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento",
    "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "CoCnae2",
    "CoNaturezaJuridica", "NuProprietEstabelecimento", "MeDataBase", "NuDDD", "NuTelefone", "InOptanteSimples",
    "InEncerramentoAtividade", "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5",
    "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoTransportadora", "PoRefeicaoConvenio",
    "PoCestaAlimento", "PoAlimentacaoConvenio", "CoCNPJSindical", "CoCNPJAssociativa", "CoCNPJAssistencial",
    "CoCNPJConfederativa"};

FieldOutcome refuseIf(std::string_view code, std::string_view focus) {
  return code == val::kValid ? FieldOutcome::accept() : FieldOutcome::refuse(code, focus);
}

}  // namespace

NewDeclaration::NewDeclaration(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui)
    : db_(db), ref_(ref), ui_(ui) {
  reset();
}

const std::vector<std::string>& NewDeclaration::fieldOrder() {
  static const std::vector<std::string> order = {kNegative,  kInscription, kKindText, kPrefix,
                                                 kLinkedCei, kName,        kCompanyUse, kActive};
  return order;
}

void NewDeclaration::reset() {
  values_.clear();
  v(kNegative) = "0";
  v(kActive) = "1";
  classification_.clear();
  kind_.clear();
  stored_ = false;
}

bool NewDeclaration::activityEnabled() const { return valueOf(values_, kNegative) == "1"; }

std::string NewDeclaration::storedInscription() {
  const std::string d = digitsOf(v(kInscription));
  return d.size() == 12 ? "00" + d : val::fitRight(d, 14);
}

std::string NewDeclaration::prefixValue() {
  const std::string p = trimmed(v(kPrefix));
  return p.empty() ? "00" : p;
}

void NewDeclaration::resetKind() {
  v(kLinkedCei).clear();
  v(kKindText).clear();
  kind_.clear();
}

FieldOutcome NewDeclaration::leave(std::string_view field) {
  if (field == kInscription) return digitsOf(v(kInscription)).empty() ? FieldOutcome::accept() : classify();
  if (field == kPrefix) return checkPrefixAndDuplicates();
  if (field == kLinkedCei) return checkLinkedCei();
  if (field == kName) {
    if (filled(v(kName)))
      if (auto out = checkName(); out.refuses) return out;
    return FieldOutcome::warn("3625");
  }
  if (field == kCompanyUse) return checkCompanyUse();
  return FieldOutcome::accept();
}

FieldOutcome NewDeclaration::classify() {
  const std::string d = digitsOf(v(kInscription));
  const std::string candidate = d.size() == 12 ? "00" + d : d;
  const std::string code(val::checkEstablishmentInscription(candidate));
  classification_.clear();
  if (code == "0051" && d.size() != 14) {
    resetKind();
    return FieldOutcome::refuse("1003", kInscription);
  }
  if (code == "0052" && d.size() != 12) {
    resetKind();
    return FieldOutcome::refuse("1004", kInscription);
  }
  if (code != "0050" && code != "0051" && code != "0052") {
    resetKind();
    return FieldOutcome::refuse(code, kInscription);
  }
  classification_ = code;
  if (code == "0051" || (code == "0050" && d.size() == 14)) {
    kind_ = "1";
    v(kKindText) = "CNPJ";
    v(kInscription) = val::formatInscription(d, "1");
  } else {
    kind_ = "3";
    v(kKindText) = "CEI";
    v(kLinkedCei).clear();
    v(kInscription) = val::formatInscription(d, "3");
  }
  return FieldOutcome::accept();
}

FieldOutcome NewDeclaration::checkPrefixAndDuplicates() {
  const std::string typed = trimmed(v(kPrefix));
  if (!typed.empty())
    if (auto code = val::checkPrefix(typed); code != val::kValid) return FieldOutcome::refuse(code, kPrefix);
  v(kPrefix) = prefixValue();
  if (kind_.empty()) return FieldOutcome::accept();  // no inscription yet: "Ok" classifies it first

  auto same = db_.prepare(
      "select AnBase,CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento,InInscrEstabelecimento from BD8Emp "
      "where AnBase = :sAnoBase and CoCgcCeiEstabelecimento = :sInscricao and NuPrefixoEstabelecimento = :sPrefixo");
  same.bind(":sAnoBase", store::kBaseYear).bind(":sInscricao", storedInscription()).bind(":sPrefixo", prefixValue());
  if (same.step()) {
    const std::string code = same.text(3) != kind_ ? (classification_ != "0050" ? "1003" : "1009") : "1000";
    return FieldOutcome::refuse(code, kPrefix);
  }
  auto others = db_.prepare(
      "select NuPrefixoEstabelecimento, InInscrEstabelecimento from BD8Emp where AnBase = :sAnoBase and "
      "CoCgcCeiEstabelecimento = :sInscricao order by NuPrefixoEstabelecimento");
  others.bind(":sAnoBase", store::kBaseYear).bind(":sInscricao", storedInscription());
  if (!others.step()) return FieldOutcome::accept();
  const std::string otherPrefix = others.text(0);
  const std::string otherKind = others.text(1);
  others.reset();
  if (otherKind != kind_) {
    if (classification_ != "0050") return FieldOutcome::refuse("1003", kPrefix);
    return FieldOutcome::accept();
  }
  if (val::showMessage(ui_, ref_, "1001") == platform::button::kNo) return FieldOutcome::stop(kPrefix);
  return copyFrom(otherPrefix);
}

FieldOutcome NewDeclaration::copyFrom(const std::string& prefix) {
  store::Table source(db_, "BD8Emp");
  source.findKey({store::kBaseYear, storedInscription(), prefix});
  FieldValues copied;
  for (const char* f : kCopiedFields) copied[f] = source.text(f);
  // The copied data pass the checks of "Ok" as they stand on the window.
  v(kNegative) = copied[kNegative].empty() ? "0" : copied[kNegative];
  v(kLinkedCei) = copied[kLinkedCei];
  v(kName) = copied[kName];
  v(kCompanyUse) = copied[kCompanyUse];
  if (auto out = checksOfOk(); out.refuses) return out;
  store::Table t(db_, "BD8Emp");
  t.append();
  for (const auto& [f, value] : copied) t.setText(f, value);
  t.setText("AnBase", store::kBaseYear);
  t.setText(kInscription, storedInscription());
  t.setText(kPrefix, prefixValue());
  t.setText("NuVinculosEstabelecimento", "000000");
  t.setText("NuEstrangeirosEstabelec", "00000");
  t.setText("InOpcaoAberta", "0");
  t.post();
  stored_ = true;
  key_ = {store::kBaseYear, storedInscription(), prefixValue()};
  return FieldOutcome::accept();
}

FieldOutcome NewDeclaration::checkLinkedCei() {
  const std::string d = digitsOf(v(kLinkedCei));
  if (d.empty() || val::isAllZero(d)) {
    v(kLinkedCei).clear();
    return FieldOutcome::accept();
  }
  const std::string padded = "00" + val::fitRight(d, 12);
  if (auto code = val::checkLinkedCei(padded); code != val::kValid) return FieldOutcome::refuse(code, kLinkedCei);
  if (kind_ == "3") return FieldOutcome::refuse("0350", kLinkedCei);
  if (auto out = checkDeclarationType(); out.refuses) return out;
  v(kLinkedCei) = val::formatInscription(padded.substr(2), "3");
  return FieldOutcome::accept();
}

FieldOutcome NewDeclaration::checkDeclarationType() {
  const std::string d = digitsOf(v(kLinkedCei));
  return refuseIf(val::checkNegativeAndInscription(v(kNegative), kind_, "00" + val::fitRight(d, 12)), kNegative);
}

FieldOutcome NewDeclaration::checkName() {
  v(kName) = trimmed(v(kName));
  const auto code = val::checkName(v(kName), storedInscription());
  if (code == val::kValid) return FieldOutcome::accept();
  return FieldOutcome::refuse(code, code == "0053" ? kInscription : kName);
}

FieldOutcome NewDeclaration::checkCompanyUse() { return refuseIf(val::checkCompanyUseText(v(kCompanyUse)), kCompanyUse); }

FieldOutcome NewDeclaration::checkInscriptionDigits() {
  return refuseIf(val::checkKindMatchesNumber(storedInscription(), kind_), kInscription);
}

FieldOutcome NewDeclaration::checksOfOk() {
  using Step = FieldOutcome (NewDeclaration::*)();
  static constexpr Step kSteps[] = {
      &NewDeclaration::classify,       &NewDeclaration::checkInscriptionDigits, &NewDeclaration::checkDeclarationType,
      &NewDeclaration::checkLinkedCei, &NewDeclaration::checkName,              &NewDeclaration::checkCompanyUse,
  };
  for (Step step : kSteps)
    if (auto out = (this->*step)(); out.refuses) return out;
  const std::string typed = trimmed(v(kPrefix));
  if (!typed.empty())
    if (auto code = val::checkPrefix(typed); code != val::kValid) return FieldOutcome::refuse(code, kPrefix);
  v(kPrefix) = prefixValue();
  return FieldOutcome::accept();
}

FieldOutcome NewDeclaration::ok() {
  if (auto out = checksOfOk(); out.refuses) return out;
  // The duplicate check runs again: the key may have been stored meanwhile.
  auto same = db_.prepare("select 1 from BD8Emp where AnBase = :a and CoCgcCeiEstabelecimento = :i and "
                          "NuPrefixoEstabelecimento = :p");
  same.bind(":a", store::kBaseYear).bind(":i", storedInscription()).bind(":p", prefixValue());
  if (same.step()) return FieldOutcome::refuse("1000", kPrefix);
  storeNewRow();
  return FieldOutcome::accept();
}

void NewDeclaration::storeNewRow() {
  store::Table t(db_, "BD8Emp");
  t.append();
  const std::pair<const char*, std::string> fields[] = {
      {"AnBase", store::kBaseYear},
      {kInscription, storedInscription()},
      {kPrefix, prefixValue()},
      {"InInscrEstabelecimento", kind_},
      {kNegative, v(kNegative)},
      {kLinkedCei, val::fitRight(digitsOf(v(kLinkedCei)), 14)},
      {kName, trimmed(v(kName))},
      {kCompanyUse, v(kCompanyUse)},
      {kActive, v(kNegative) == "1" && !v(kActive).empty() ? v(kActive) : "1"},
      {"NuEnderecoEstabelecimento", "000000"},
      {"CoCepEstabelecimento", "00000000"},
      {"CoMunicipio", "0000000"},
      {"CoNaturezaJuridica", "0000"},
      {"NuProprietEstabelecimento", "00"},
      {"MeDataBase", "00"},
      {"NuVinculosEstabelecimento", "000000"},
      {"NuEstrangeirosEstabelec", "00000"},
      {"InEncerramentoAtividade", "2"},
      {"InPorte", "3"},
      {"InOpcaoAberta", "0"},
      {"VaGlobalSindical", "00000000"},
      {"VaGlobalAssociativa", "00000000"},
      {"VaGlobalAssistencial", "00000000"},
      {"VaGlobalConfederativa", "00000000"},
  };
  for (const auto& [f, value] : fields) t.setText(f, value);
  t.post();
  stored_ = true;
  key_ = {store::kBaseYear, storedInscription(), prefixValue()};
}

bool negativeTipsHidden(store::Database& db) {
  store::Table t(db, "BD8Resp");
  t.first();
  return !t.empty() && t.logical("InDicasSemEmpregados").value_or(false);
}

void setNegativeTipsHidden(store::Database& db, bool hidden) {
  store::Table t(db, "BD8Resp");
  t.first();
  t.edit();
  t.setLogical("InDicasSemEmpregados", hidden);
  t.post();
}

}  // namespace torvex::core::entry
