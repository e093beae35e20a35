#include "core/entry/establishment_entry.h"

#include "core/entry/interrupted_operation.h"
#include "core/store/table.h"
#include "core/validation/critica_keva.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "core/validation/text_ops.h"

namespace torvex::core::entry {
namespace val = validation;
using platform::DialogKind;
using platform::Buttons;

namespace {

constexpr const char* kNegative = "InKevaNegEstabelecimento";
constexpr const char* kInscription = "CoCgcCeiEstabelecimento";
constexpr const char* kKind = "InInscrEstabelecimento";
constexpr const char* kPrefix = "NuPrefixoEstabelecimento";
constexpr const char* kName = "NoRazaoEstabelecimento";
constexpr const char* kClosure = "InEncerramentoAtividade";
constexpr const char* kClosureDate = "DaEncerramentoAtividade";
constexpr const char* kCompanyUse = "TxUsoEstabelecimento";
constexpr const char* kLinkedCei = "CoCgcVinculado";
constexpr const char* kActive = "InAtividadeAnoBase";
constexpr const char* kStreet = "EdEstabelecimento";
constexpr const char* kNumber = "NuEnderecoEstabelecimento";
constexpr const char* kComplement = "TxComplemEstabelecimento";
constexpr const char* kDistrict = "NoBairroEstabelecimento";
constexpr const char* kCep = "CoCepEstabelecimento";
constexpr const char* kMunicipality = "CoMunicipio";
constexpr const char* kMunicipalityName = "NoMunicEstabelecimento";
constexpr const char* kState = "SgUf";
constexpr const char* kDdd = "NuDDD";
constexpr const char* kPhone = "NuTelefone";
constexpr const char* kEmail = "TxEmailEstabelecimento";
constexpr const char* kUnionCnpj = "CoCNPJSindical";
constexpr const char* kUnionTotal = "VaGlobalSindical";
constexpr const char* kCentralizing = "CoCNPJCentralizada";
constexpr const char* kAssociativeCnpj = "CoCNPJAssociativa";
constexpr const char* kAssociativeTotal = "VaGlobalAssociativa";
constexpr const char* kAssistanceCnpj = "CoCNPJAssistencial";
constexpr const char* kAssistanceTotal = "VaGlobalAssistencial";
constexpr const char* kConfederativeCnpj = "CoCNPJConfederativa";
constexpr const char* kConfederativeTotal = "VaGlobalConfederativa";
constexpr const char* kCnae2 = "CoCnae2";
constexpr const char* kCnae1 = "CoCnae";
constexpr const char* kLegalNature = "CoNaturezaJuridica";
constexpr const char* kOwners = "NuProprietEstabelecimento";
constexpr const char* kBaseMonth = "MeDataBase";
constexpr const char* kSize = "InPorte";
constexpr const char* kSimples = "InOptanteSimples";
constexpr const char* kPat = "InParticipaPAT";
constexpr const char* kPatAbove = "NuVinculoPatMaior5";
constexpr const char* kPatBelow = "NuVinculoPatMenor5";
constexpr const char* kPercentages[] = {"PoServicoProprio",  "PoAdmCozinha",    "PoRefeicaoTransportadora",
                                        "PoRefeicaoConvenio", "PoCestaAlimento", "PoAlimentacaoConvenio"};
constexpr const char* kUnionised = "InSindicalizada";

constexpr int kBaseYearNumber = 2006;

// Plain stored fields shown as they are.
constexpr const char* kPlainFields[] = {kName,     kCompanyUse, kStreet, kComplement, kDistrict, kMunicipalityName,
                                        kState,    kDdd,        kPhone,  kEmail,      kCnae2,    kSize,
                                        kSimples,  kNegative,   kKind,   kUnionised};

// Stored placeholders shown empty.
constexpr std::pair<const char*, const char*> kPlaceholders[] = {
    {kCep, "00000000"}, {kMunicipality, "0000000"}, {kLegalNature, "0000"}};

constexpr const char* kCnpjFields[] = {kUnionCnpj, kCentralizing, kAssociativeCnpj, kAssistanceCnpj,
                                       kConfederativeCnpj};
constexpr const char* kTotals[] = {kUnionTotal, kAssociativeTotal, kAssistanceTotal, kConfederativeTotal};

FieldOutcome refuseIf(std::string_view code, std::string_view focus) {
  return code == val::kValid ? FieldOutcome::accept() : FieldOutcome::refuse(code, focus);
}

std::string twelveDigitCei(std::string_view stored) {
  const std::string d = digitsOf(stored);
  if (d.empty() || val::isAllZero(d)) return {};
  return val::formatInscription(d.size() > 12 ? d.substr(d.size() - 12) : d, "3");
}

std::string shownCnpj(std::string_view stored) {
  const std::string d = digitsOf(stored);
  if (d.empty() || val::isAllZero(d)) return {};
  return d.size() == 14 ? val::formatInscription(d, "1") : d;
}

}  // namespace

EstablishmentCounts countEmployees(store::Database& db, const EstablishmentKey& key) {
  auto st = db.prepare(
      "SELECT count(*), coalesce(sum(CoNacionalidade <> '10'), 0) FROM BD8Vinc WHERE AnBase = :sAnoBase AND "
      "CoCgcCeiEstabelecimento = :sInscricao AND NuPrefixoEstabelecimento = :sPrefixo");
  st.bind(":sAnoBase", key.baseYear).bind(":sInscricao", key.inscription).bind(":sPrefixo", key.prefix);
  st.step();
  return {static_cast<int>(st.integer(0)), static_cast<int>(st.integer(1))};
}

EstablishmentEntry::EstablishmentEntry(store::Database& db, const store::ReferenceLookup& ref,
                                       platform::Interaction& ui, bool& cnaeMark)
    : db_(db), ref_(ref), ui_(ui), cnaeMark_(cnaeMark) {}

const std::vector<std::string>& EstablishmentEntry::fieldOrder() {
  static const std::vector<std::string> order = {
      kNegative, kName, kClosure, kClosureDate, kCompanyUse, kLinkedCei, kActive,
      // registration data
      kStreet, kNumber, kComplement, kDistrict, kCep, kMunicipality, kDdd, kPhone, kEmail,
      // union contributions
      kUnionCnpj, kUnionTotal, kCentralizing, kAssociativeCnpj, kAssociativeTotal, kAssistanceCnpj, kAssistanceTotal,
      kConfederativeCnpj, kConfederativeTotal,
      // economic data
      kCnae2, kLegalNature, kOwners, kBaseMonth, kSize, kSimples, kPat,
      // PAT
      kPatAbove, kPatBelow, kPercentages[0], kPercentages[1], kPercentages[2], kPercentages[3], kPercentages[4],
      kPercentages[5]};
  return order;
}

int EstablishmentEntry::tabOf(std::string_view field) {
  const auto& order = fieldOrder();
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == field) {
      if (i < 7) return -1;
      if (i < 16) return 0;
      if (i < 25) return 1;
      if (i < 29) return 2;
      if (i < 32) return 3;
      return 4;
    }
  if (field == kMunicipalityName || field == kState) return 0;
  return -1;
}

std::string& EstablishmentEntry::v(std::string_view field) { return values_[std::string(field)]; }

std::string EstablishmentEntry::kind() const {
  const auto k = valueOf(values_, kKind);
  return std::string(k == "1" ? "1" : "3");
}

bool EstablishmentEntry::withEmployees() const { return valueOf(values_, kNegative) != "1"; }

bool EstablishmentEntry::closesNextYear() const {
  const std::string d = digitsOf(valueOf(values_, kClosureDate));
  return valueOf(values_, kClosure) == "1" && d.size() == 8 && val::integerOrZero(d.substr(4)) == kBaseYearNumber + 1;
}

EstablishmentControls EstablishmentEntry::controls() const {
  EstablishmentControls c;
  c.linkedCei = kind() == "1";
  c.closureDate = valueOf(values_, kClosure) == "1";
  c.activity = !withEmployees();
  c.simples = valueOf(values_, kSize) != "3";
  c.pat = valueOf(values_, kPat) == "1";
  c.links = withEmployees();
  return c;
}

void EstablishmentEntry::setHeading() {
  const std::string d = digitsOf(v(kClosureDate));
  int year = kBaseYearNumber;
  if (d.size() == 8 && val::integerOrZero(d.substr(4)) == kBaseYearNumber + 1) year = kBaseYearNumber + 1;
  v(kHeading) = "Ano-Base " + std::to_string(year);
}

void EstablishmentEntry::setMarker(const char* value) {
  db_.prepare("UPDATE BD8Emp SET InOpcaoAberta = :m WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
              "NuPrefixoEstabelecimento = :p")
      .bind(":m", value)
      .bind(":a", key_.baseYear)
      .bind(":i", key_.inscription)
      .bind(":p", key_.prefix)
      .run();
}

void EstablishmentEntry::recount() {
  const auto counts = countEmployees(db_, key_);
  links_ = counts.links;
  foreigners_ = counts.foreigners;
}

FieldOutcome EstablishmentEntry::load(EntryMode mode, const EstablishmentKey& key) {
  mode_ = mode;
  key_ = key;
  values_.clear();
  centralisedAnswered_ = false;
  returningFromError_ = false;
  store::Table t(db_, "BD8Emp");
  if (!t.findKey({key.baseYear, key.inscription, key.prefix})) return FieldOutcome::refuse("1006", "");
  if (mode == EntryMode::Open) {
    reportAndClearInterrupted(db_, ref_, ui_, key.baseYear, key.inscription, key.prefix);
    t.refresh();
    t.findKey({key.baseYear, key.inscription, key.prefix});
  }
  for (const char* f : kPlainFields) v(f) = t.text(f);
  for (const auto& [f, placeholder] : kPlaceholders) v(f) = t.text(f) == placeholder ? "" : t.text(f);
  v(kPrefix) = key.prefix;
  v(kKindText) = kind() == "1" ? "CNPJ" : "CEI";
  v(kInscription) = kind() == "1" ? val::formatInscription(key.inscription, "1")
                                  : val::formatInscription(key.inscription.substr(2), "3");
  v(kLinkedCei) = twelveDigitCei(t.text(kLinkedCei));
  v(kCnae1) = t.text(kCnae1) == "00000" ? "" : t.text(kCnae1);
  v(kNumber) = shownNumber(t.text(kNumber));
  v(kOwners) = shownNumber(t.text(kOwners));
  v(kBaseMonth) = shownNumber(t.text(kBaseMonth));
  v(kPatAbove) = shownNumber(t.text(kPatAbove));
  v(kPatBelow) = shownNumber(t.text(kPatBelow));
  for (const char* p : kPercentages) v(p) = shownNumber(t.text(p));
  for (const char* c : kCnpjFields) v(c) = shownCnpj(t.text(c));
  for (const char* total : kTotals) v(total) = shownAmount(t.text(total));
  v(kActivityName) = ref_.name(store::CodeTable::Activity, v(kCnae2)).value_or("");
  v(kLegalNatureName) = ref_.name(store::CodeTable::LegalNature, v(kLegalNature)).value_or("");
  v(kActive) = t.text(kActive).empty() ? "1" : t.text(kActive);
  const std::string pat = t.text(kPat);
  v(kPat) = pat == "1" || pat == "2" ? pat : "";
  v(kClosure) = t.text(kClosure) == "1" ? "1" : "";
  v(kClosureDate) = shownDate(t.text(kClosureDate));

  // The counts follow the links actually stored.
  recount();
  if (val::integerOrZero(t.text("NuVinculosEstabelecimento")) != links_ ||
      val::integerOrZero(t.text("NuEstrangeirosEstabelec")) != foreigners_) {
    db_.prepare("UPDATE BD8Emp SET NuVinculosEstabelecimento = :n, NuEstrangeirosEstabelec = :e WHERE AnBase = :a "
                "AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p")
        .bind(":n", val::fitRight(std::to_string(links_), 6))
        .bind(":e", val::fitRight(std::to_string(foreigners_), 5))
        .bind(":a", key.baseYear)
        .bind(":i", key.inscription)
        .bind(":p", key.prefix)
        .run();
  }
  v(kTotal) = withEmployees() ? std::to_string(links_) : "0";
  setHeading();
  sizeClicked();
  setMarker("0");
  return FieldOutcome::accept();
}

// --- leaving fields -----------------------------------------------------------

const std::vector<EstablishmentEntry::LeaveRule>& EstablishmentEntry::leaveRules() {
  using E = EstablishmentEntry;
  static const std::vector<LeaveRule> rules = {
      {kName, true, &E::name},
      {kCompanyUse, true, &E::companyUse},
      {kLinkedCei, false, &E::linkedCei},
      {kClosure, false, &E::closure},
      {kClosureDate, false, &E::closure},
      {kStreet, true, &E::street},
      {kNumber, false, &E::number},
      {kComplement, true, &E::complement},
      {kDistrict, true, &E::district},
      {kCep, true, &E::cep},
      {kMunicipality, false, &E::municipality},
      {kDdd, false, &E::areaCode},
      {kPhone, false, &E::phone},
      {kEmail, true, &E::email},
      {kCnae2, false, &E::activity},
      {kLegalNature, false, &E::legalNature},
      {kOwners, false, &E::owners},
      {kBaseMonth, false, &E::baseMonth},
      {kSize, false, &E::size},
      {kSimples, false, &E::simples},
      {kPat, false, &E::patAnswer},
      {kPatAbove, false, &E::patAbove},
      {kPatBelow, false, &E::patBelow},
      {kPercentages[0], false, nullptr},
      {kPercentages[1], false, nullptr},
      {kPercentages[2], false, nullptr},
      {kPercentages[3], false, nullptr},
      {kPercentages[4], false, nullptr},
      {kPercentages[5], false, nullptr},
      {kUnionCnpj, true, &E::unionCnpj},
      {kUnionTotal, false, &E::unionTotal},
      {kCentralizing, false, &E::centralizing},
      {kAssociativeCnpj, true, &E::associativeCnpj},
      {kAssociativeTotal, false, &E::associativeTotal},
      {kAssistanceCnpj, true, &E::assistanceCnpj},
      {kAssistanceTotal, false, &E::assistanceTotal},
      {kConfederativeCnpj, true, &E::confederativeCnpj},
      {kConfederativeTotal, false, &E::confederativeTotal},
  };
  return rules;
}

const std::vector<EstablishmentEntry::Rule>& EstablishmentEntry::saveOrder() {
  using E = EstablishmentEntry;
  static const std::vector<Rule> order = {
      &E::linkedCei,        &E::name,           &E::companyUse,        &E::closure,         &E::street,
      &E::number,           &E::complement,     &E::district,          &E::cep,             &E::municipality,
      &E::areaCode,         &E::phone,          &E::email,             &E::unionCnpj,       &E::unionTotal,
      &E::associativeTotal, &E::assistanceTotal, &E::confederativeTotal, &E::assistanceCnpj, &E::confederativeCnpj,
      &E::centralizing,     &E::activity,       &E::correspondence,    &E::legalNature,     &E::owners,
      &E::baseMonth,        &E::size,           &E::simples,           &E::patAnswer,       &E::patAbove,
      &E::patBelow,         &E::percentages,    &E::unionised,         &E::associativeCnpj, &E::centralisationNotice,
  };
  return order;
}

FieldOutcome EstablishmentEntry::leave(std::string_view field) {
  for (std::size_t i = 0; i < std::size(kPercentages); ++i)
    if (field == kPercentages[i]) {
      auto out = percentage(true, kPercentages[i]);
      if (out.refuses || i + 1 < std::size(kPercentages)) return out;
      return percentages(true);
    }
  for (const auto& rule : leaveRules()) {
    if (field != rule.field || !rule.check) continue;
    if (rule.whenFilled && !filled(v(field))) {
      // Emptied contribution CNPJs are checked with their totals.
      return FieldOutcome::accept();
    }
    auto out = (this->*rule.check)(true);
    if (out.refuses && (field == kUnionCnpj || field == kUnionTotal)) returningFromError_ = true;
    return out;
  }
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::enter(std::string_view field) {
  const bool unionEmpty = !filled(v(kUnionCnpj));
  const bool centralEmpty = !filled(v(kCentralizing));
  if (field == kUnionCnpj) {
    if (returningFromError_) {
      returningFromError_ = false;
      return FieldOutcome::accept();
    }
    if (unionEmpty && centralEmpty && withEmployees()) {
      if (askYesNo("O pagamento da Contribuição Sindical foi centralizado em outro estabelecimento (matriz/filial)?")) {
        v(kUnionCnpj).clear();
        v(kUnionTotal) = "0,00";
        centralisedAnswered_ = true;
        v(kCentralizing).clear();
        return FieldOutcome::stop(kCentralizing);
      }
      v(kCentralizing).clear();
    }
  } else if (field == kAssociativeCnpj && unionEmpty && centralEmpty && withEmployees()) {
    return FieldOutcome::warn("3687");
  }
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::name(bool) {
  v(kName) = trimmed(v(kName));
  if (v(kName).empty()) return FieldOutcome::accept();
  return refuseIf(val::checkName(v(kName), ownInscription()), kName);
}

FieldOutcome EstablishmentEntry::companyUse(bool) {
  if (!filled(v(kCompanyUse))) return FieldOutcome::accept();
  return refuseIf(val::checkCompanyUseText(v(kCompanyUse)), kCompanyUse);
}

FieldOutcome EstablishmentEntry::linkedCei(bool) {
  const std::string d = digits(kLinkedCei);
  if (d.empty() || val::isAllZero(d)) {
    v(kLinkedCei).clear();
    return FieldOutcome::accept();
  }
  if (kind() == "3") {
    v(kLinkedCei).clear();
    return FieldOutcome::refuse("0350", "btOk");
  }
  const std::string padded = "00" + val::fitRight(d, 12);
  if (auto code = val::checkLinkedCei(padded); code != val::kValid) return FieldOutcome::refuse(code, kLinkedCei);
  if (auto code = val::checkLinkedCeiAndKind(kind(), padded); code != val::kValid)
    return FieldOutcome::refuse(code, kLinkedCei);
  if (auto code = val::checkNegativeAndInscription(v(kNegative), kind(), padded); code != val::kValid)
    return FieldOutcome::refuse(code, kNegative);
  v(kLinkedCei) = val::formatInscription(padded.substr(2), "3");
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::closure(bool leaving) {
  const std::string indicator = v(kClosure) == "1" ? "1" : "2";
  const std::string date = digits(kClosureDate);
  const auto code = val::checkClosure(indicator, date, kBaseYearNumber, false);
  if (code != val::kValid) return FieldOutcome::refuse(code, indicator == "1" ? kClosureDate : kClosure);
  if (leaving) {
    const std::string before = v(kHeading);
    setHeading();
    if (closesNextYear() && before != v(kHeading)) {
      const std::string next = std::to_string(kBaseYearNumber + 1);
      ui_.message(DialogKind::Warning,
                  "Atenção\n\nAo acessar este módulo, você estará declarando a KEVA referente ao encerramento de "
                  "atividades da empresa. Se o encerramento ocorreu no ano-base de " +
                      next + ", não se esqueça que você deverá entregar também a declaração referente ao ano-base de " +
                      std::to_string(kBaseYearNumber) + ".",
                  Buttons::Ok);
    }
  }
  return FieldOutcome::accept();
}

void EstablishmentEntry::closureClicked() {
  if (v(kClosure) != "1") v(kClosureDate).clear();
  setHeading();
}

FieldOutcome EstablishmentEntry::street(bool) {
  if (!filled(v(kStreet))) return FieldOutcome::accept();
  v(kStreet) = trimmed(v(kStreet));
  return refuseIf(val::checkStreet(v(kStreet)), kStreet);
}

FieldOutcome EstablishmentEntry::number(bool) {
  const auto code = val::checkStreetNumber(val::fitRight(trimmed(v(kNumber)), 6));
  if (code != val::kValid) return FieldOutcome::refuse(code, kNumber);
  v(kNumber) = shownNumber(v(kNumber));
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::complement(bool) {
  if (filled(v(kComplement)))
    if (auto code = val::checkComplement(v(kComplement)); code != val::kValid)
      return FieldOutcome::refuse(code, kComplement);
  return refuseIf(val::checkNumberOrComplement(val::fitRight(trimmed(v(kNumber)), 6), trimmed(v(kComplement))),
                  kComplement);
}

FieldOutcome EstablishmentEntry::district(bool) {
  if (!filled(v(kDistrict))) return FieldOutcome::accept();
  return refuseIf(val::checkDistrict(v(kDistrict)), kDistrict);
}

FieldOutcome EstablishmentEntry::cep(bool) {
  if (!filled(v(kCep))) return FieldOutcome::accept();
  return refuseIf(val::checkCep(digits(kCep)), kCep);
}

FieldOutcome EstablishmentEntry::applyMunicipality() { return municipality(true); }

FieldOutcome EstablishmentEntry::municipality(bool) {
  const std::string code = trimmed(v(kMunicipality));
  if (code.empty()) {
    v(kMunicipalityName).clear();
    v(kState).clear();
    return FieldOutcome::accept();
  }
  const auto r = val::TCriticaKeva(ref_).checkMunicipalityAndCep(code, digits(kCep));
  v(kMunicipalityName) = r.municipalityName;
  v(kState) = r.state;
  switch (r.status) {
    case val::TCriticaKeva::kBadMunicipality: return FieldOutcome::refuse(r.code, kMunicipality);
    case val::TCriticaKeva::kCepOutsideMunicipality:
    case val::TCriticaKeva::kCepOutsideState: return FieldOutcome::refuse(r.code, kCep);
    default: return FieldOutcome::accept();
  }
}

FieldOutcome EstablishmentEntry::areaCode(bool leaving) {
  const std::string ddd = trimmed(v(kDdd));
  if (auto code = val::checkAreaCode(ddd); code != val::kValid) return FieldOutcome::refuse(code, kDdd);
  if (!leaving) return FieldOutcome::accept();
  const auto code = val::checkAreaCodeOfState(ddd, trimmed(v(kMunicipality)).substr(0, 2));
  return code == val::kValid ? FieldOutcome::accept() : FieldOutcome::warn(code);
}

FieldOutcome EstablishmentEntry::phone(bool) {
  if (auto code = val::checkPhone(trimmed(v(kPhone))); code != val::kValid) return FieldOutcome::refuse(code, kPhone);
  return refuseIf(val::checkPhonePairing(trimmed(v(kDdd)), trimmed(v(kPhone))), kDdd);
}

FieldOutcome EstablishmentEntry::email(bool) {
  if (!filled(v(kEmail))) return FieldOutcome::accept();
  return refuseIf(val::checkEmail(trimmed(v(kEmail))), kEmail);
}

FieldOutcome EstablishmentEntry::activity(bool leaving) {
  const std::string code = trimmed(v(kCnae2));
  v(kCnae2) = code;
  if (auto c = val::checkEconomicActivity(ref_, code); c != val::kValid) return FieldOutcome::refuse(c, kCnae2);
  v(kActivityName) = ref_.name(store::CodeTable::Activity, code).value_or("");
  const auto byName = val::checkActivityAndName(code, v(kName));
  if (byName == "0363") {
    if (leaving) {
      val::showMessage(ui_, ref_, byName);
    }
  } else if (byName != val::kValid) {
    return FieldOutcome::refuse(byName, kCnae2);
  }
  if (leaving) return checkCnaeCorrespondence();
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::correspondence(bool) {
  return cnaeMark_ ? FieldOutcome::accept() : checkCnaeCorrespondence();
}

FieldOutcome EstablishmentEntry::checkCnaeCorrespondence() {
  const std::string cnae2 = trimmed(v(kCnae2));
  const auto earlier = ref_.earlierActivity(cnae2);
  if (!earlier) return FieldOutcome::accept();
  const std::string cnae1 = trimmed(v(kCnae1));
  std::string code;
  if (!cnae1.empty() && earlier->cnae1 != cnae1 && earlier->preferential == "2") code = "3697";
  else if (cnae1.empty() && !cnae2.empty()) code = "3712";
  if (!code.empty() && ask(code) == platform::button::kNo) {
    cnaeMark_ = false;
    return FieldOutcome::stop(kCnae2);
  }
  cnaeMark_ = true;
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::legalNature(bool leaving) {
  const std::string code = trimmed(v(kLegalNature));
  v(kLegalNature) = code;
  if (code.empty() && leaving) v(kLegalNatureName).clear();
  if (auto c = val::checkLegalNature(ref_, code); c != val::kValid) return FieldOutcome::refuse(c, kLegalNature);
  v(kLegalNatureName) = ref_.name(store::CodeTable::LegalNature, code).value_or("");
  const auto byName = val::checkLegalNatureAndName(code, v(kName));
  return byName != val::kValid && leaving ? FieldOutcome::warn(byName) : FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::owners(bool) {
  const std::string padded = val::fitRight(trimmed(v(kOwners)), 2);
  if (auto c = val::checkOwnersCount(padded); c != val::kValid) return FieldOutcome::refuse(c, kOwners);
  v(kOwners) = shownNumber(padded);
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::baseMonth(bool) {
  const std::string typed = trimmed(v(kBaseMonth));
  const std::string padded = typed.empty() ? typed : val::fitRight(typed, 2);
  if (auto c = val::checkBaseMonth(padded); c != val::kValid) return FieldOutcome::refuse(c, kBaseMonth);
  return refuseIf(val::checkBaseMonthAndNegative(padded, withEmployees() ? "0" : "1"), kBaseMonth);
}

FieldOutcome EstablishmentEntry::size(bool) { return refuseIf(val::checkSize(v(kSize)), kSize); }

void EstablishmentEntry::sizeClicked() {
  // Size "3" is never a Simples taxpayer; another size re-opens the choice at "Não".
  if (v(kSize) == "3") v(kSimples) = "2";
  else if (v(kSimples) != "1") v(kSimples) = "2";
}

FieldOutcome EstablishmentEntry::simples(bool) {
  if (controls().simples) return FieldOutcome::accept();
  if (auto c = val::checkSimplesOption(v(kSimples)); c != val::kValid) return FieldOutcome::refuse(c, kSimples);
  return refuseIf(val::checkSizeAndSimples(v(kSimples), v(kSize)), kSimples);
}

FieldOutcome EstablishmentEntry::patAnswer(bool) {
  const auto code = val::checkPatIndicator(v(kPat));
  if (code == val::kValid) return FieldOutcome::accept();
  val::showMessage(ui_, ref_, code);
  v(kPat) = askYesNo("A empresa participa do PAT ?") ? "1" : "2";
  patClicked();
  return FieldOutcome::stop(kPat);
}

void EstablishmentEntry::patClicked() {
  if (v(kPat) == "2") {
    v(kPatAbove).clear();
    v(kPatBelow).clear();
    for (const char* p : kPercentages) v(p).clear();
  }
}

FieldOutcome EstablishmentEntry::patAbove(bool leaving) { return patCounts(leaving, kPatAbove); }
FieldOutcome EstablishmentEntry::patBelow(bool leaving) { return patCounts(leaving, kPatBelow); }

FieldOutcome EstablishmentEntry::patCounts(bool leaving, const char* field) {
  const char* focus = controls().pat ? field : kPat;
  for (const char* f : {kPatAbove, kPatBelow}) {
    const std::string t = trimmed(v(f));
    if (!t.empty())
      if (auto c = val::checkPatWorkerCount(val::fitRight(t, 6)); c != val::kValid)
        return FieldOutcome::refuse(c, controls().pat ? f : kPat);
  }
  const std::string above = val::fitRight(trimmed(v(kPatAbove)), 6);
  const std::string below = val::fitRight(trimmed(v(kPatBelow)), 6);
  if (v(kPat) == "1" && val::isAllZero(above) && val::isAllZero(below)) return FieldOutcome::refuse("3626", focus);
  const auto code = val::checkPatCounts(v(kPat), below, above);
  if (code == "3525") return leaving ? FieldOutcome::warn(code) : FieldOutcome::accept();
  return refuseIf(code, focus);
}

FieldOutcome EstablishmentEntry::percentage(bool, const char* field) {
  const std::string t = trimmed(v(field));
  if (auto c = val::checkPatPercentage(val::fitRight(t, 3)); c != val::kValid)
    return FieldOutcome::refuse(c, controls().pat ? field : kPat);
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::percentages(bool leaving) {
  std::string padded[6];
  for (std::size_t i = 0; i < 6; ++i) {
    if (auto out = percentage(leaving, kPercentages[i]); out.refuses) return out;
    padded[i] = val::fitRight(trimmed(v(kPercentages[i])), 3);
  }
  const std::string_view views[6] = {padded[0], padded[1], padded[2], padded[3], padded[4], padded[5]};
  const auto code = val::checkPatPercentages(v(kPat), views);
  if (code == "3601") return leaving ? FieldOutcome::warn(code) : FieldOutcome::accept();
  return refuseIf(code, controls().pat ? kPercentages[5] : kPat);
}

FieldOutcome EstablishmentEntry::entityCnpj(const char* field, int kind, bool kindFirst) {
  const std::string d = digits(field);
  if (d.empty() || val::isAllZero(d)) {
    v(field).clear();
    return FieldOutcome::accept();
  }
  const auto entityKind = static_cast<val::EntityKind>(kind);
  auto byKind = [&] {
    const auto c = val::checkEntityCnpjByKind(d, entityKind, false);
    return c == "0050" || c == "0051" ? val::kValid : c;
  };
  auto exclusion = [&] { return val::checkEntityCnpjExclusion(d, ownInscription(), false); };
  const auto first = kindFirst ? byKind() : exclusion();
  if (first != val::kValid) return FieldOutcome::refuse(first, field);
  const auto second = kindFirst ? exclusion() : byKind();
  if (second != val::kValid) return FieldOutcome::refuse(second, field);
  v(field) = val::formatInscription(d, "1");
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::unionCnpj(bool) {
  return entityCnpj(kUnionCnpj, static_cast<int>(val::EntityKind::Sindical), false);
}
FieldOutcome EstablishmentEntry::assistanceCnpj(bool) {
  return entityCnpj(kAssistanceCnpj, static_cast<int>(val::EntityKind::Assistencial), false);
}
FieldOutcome EstablishmentEntry::confederativeCnpj(bool) {
  return entityCnpj(kConfederativeCnpj, static_cast<int>(val::EntityKind::Confederativa), false);
}
FieldOutcome EstablishmentEntry::associativeCnpj(bool) {
  return entityCnpj(kAssociativeCnpj, static_cast<int>(val::EntityKind::Associativa), true);
}

FieldOutcome EstablishmentEntry::total(const char* field, const char* cnpjField) {
  const auto cents = parseAmount(v(field).empty() ? "0" : v(field));
  if (!cents) return FieldOutcome::refuse("0040", field);
  const std::string d = std::to_string(*cents);
  if (d.size() > 8) return FieldOutcome::refuse("0315", field);
  if (auto c = val::checkContributionAmount(val::fitRight(d, 8)); c != val::kValid)
    return FieldOutcome::refuse(c, field);
  v(field) = shownAmount(val::fitRight(d, 8));
  const std::string cnpj = digits(cnpjField);
  if (*cents != 0 && (cnpj.empty() || val::isAllZero(cnpj))) return FieldOutcome::refuse("3649", cnpjField);
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::unionTotal(bool) { return total(kUnionTotal, kUnionCnpj); }
FieldOutcome EstablishmentEntry::associativeTotal(bool) { return total(kAssociativeTotal, kAssociativeCnpj); }
FieldOutcome EstablishmentEntry::assistanceTotal(bool) { return total(kAssistanceTotal, kAssistanceCnpj); }
FieldOutcome EstablishmentEntry::confederativeTotal(bool) { return total(kConfederativeTotal, kConfederativeCnpj); }

FieldOutcome EstablishmentEntry::centralizing(bool) {
  const std::string d = digits(kCentralizing);
  if (d.empty() || val::isAllZero(d)) {
    v(kCentralizing).clear();
    return centralisedAnswered_ ? FieldOutcome::refuse("3707", kCentralizing) : FieldOutcome::accept();
  }
  const auto code = val::checkCentralizingCnpj(val::fitRight(d, 14), ownInscription());
  if (code != "0050" && code != "0051" && code != "0052") {
    v(kCentralizing).clear();
    return FieldOutcome::refuse(code, kCentralizing);
  }
  if (filled(v(kUnionCnpj))) return FieldOutcome::refuse("3695", kCentralizing);
  v(kCentralizing) = val::formatInscription(val::fitRight(d, 14), "1");
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::unionised(bool) {
  if (trimmed(v(kLegalNature)).substr(0, 1) == "2" && !filled(v(kAssociativeCnpj))) {
    if (askYesNo("Sindicalizada, SIM ou NÃO?")) {
      v(kUnionised) = "1";
      return FieldOutcome::stop(kAssociativeCnpj);
    }
    v(kUnionised) = "2";
  }
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::centralisationNotice(bool) {
  if (!filled(v(kUnionCnpj)) && !filled(v(kCentralizing)) && withEmployees()) val::showMessage(ui_, ref_, "3687");
  return FieldOutcome::accept();
}

FieldOutcome EstablishmentEntry::declarationType(bool) {
  const std::string d = digits(kLinkedCei);
  return refuseIf(val::checkNegativeAndInscription(v(kNegative), kind(), "00" + val::fitRight(d, 12)), kNegative);
}

FieldOutcome EstablishmentEntry::declarationTypeClicked() {
  if (withEmployees()) return FieldOutcome::accept();
  if (kind() == "3") return FieldOutcome::warn("0133");
  const auto out = declarationType(true);
  return out.refuses ? FieldOutcome::warn(out.code) : FieldOutcome::warn("1007");
}

std::string EstablishmentEntry::ask(std::string_view code) { return val::showMessage(ui_, ref_, code); }

bool EstablishmentEntry::askYesNo(const std::string& text) {
  return ui_.message(DialogKind::Confirmation, text, Buttons::YesNo) == platform::button::kYes;
}

// --- save, cancel, close -----------------------------------------------------

FieldOutcome EstablishmentEntry::save() {
  for (Rule rule : saveOrder())
    if (auto out = (this->*rule)(false); out.refuses) return out;
  if (auto out = declarationType(false); out.refuses) return out;

  store::Transaction tx(db_);
  if (!withEmployees() && countEmployees(db_, key_).links > 0) {
    if (ask("1005") == platform::button::kNo) return FieldOutcome::stop(kNegative);
    db_.prepare("DELETE FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
                "NuPrefixoEstabelecimento = :p")
        .bind(":a", key_.baseYear)
        .bind(":i", key_.inscription)
        .bind(":p", key_.prefix)
        .run();
  }
  recount();
  writeRow();
  tx.commit();
  v(kTotal) = withEmployees() ? std::to_string(links_) : "0";
  return FieldOutcome::accept();
}

void EstablishmentEntry::writeRow() {
  store::Table t(db_, "BD8Emp");
  t.findKey({key_.baseYear, key_.inscription, key_.prefix});
  t.edit();
  for (const char* f : {kName, kCompanyUse, kStreet, kComplement, kDistrict, kMunicipalityName, kState, kDdd, kPhone,
                        kEmail, kCnae2, kSize, kSimples, kNegative})
    t.setText(f, f == kCompanyUse ? v(f) : trimmed(v(f)));
  const std::string linked = digits(kLinkedCei);
  t.setText(kLinkedCei, linked.empty() ? val::zeros(14) : val::fitRight(linked, 14));
  t.setText(kNumber, val::fitRight(trimmed(v(kNumber)), 6));
  t.setText(kCep, val::fitRight(digits(kCep), 8));
  t.setText(kMunicipality, val::fitRight(trimmed(v(kMunicipality)), 7));
  t.setText(kLegalNature, val::fitRight(trimmed(v(kLegalNature)), 4));
  t.setText(kOwners, val::fitRight(trimmed(v(kOwners)), 2));
  t.setText(kBaseMonth, val::fitRight(trimmed(v(kBaseMonth)), 2));
  t.setText(kClosure, v(kClosure) == "1" ? "1" : "2");
  t.setText(kClosureDate, v(kClosure) == "1" ? digits(kClosureDate) : "");
  t.setText(kPat, v(kPat));
  const bool pat = v(kPat) == "1";
  t.setText(kPatAbove, pat ? val::fitRight(trimmed(v(kPatAbove)), 6) : "");
  t.setText(kPatBelow, pat ? val::fitRight(trimmed(v(kPatBelow)), 6) : "");
  for (const char* p : kPercentages) t.setText(p, pat ? val::fitRight(trimmed(v(p)), 3) : "");
  for (const char* c : kCnpjFields) {
    const std::string d = digits(c);
    t.setText(c, d.empty() ? "" : val::fitRight(d, 14));
  }
  for (const char* total : kTotals) t.setText(total, val::fitRight(std::to_string(parseAmount(v(total)).value_or(0)), 8));
  t.setText("NuVinculosEstabelecimento", val::fitRight(std::to_string(links_), 6));
  t.setText("NuEstrangeirosEstabelec", val::fitRight(std::to_string(foreigners_), 5));
  t.setText(kActive, withEmployees() ? (v(kActive).empty() ? "1" : v(kActive)) : (v(kActive).empty() ? "1" : v(kActive)));
  t.setText(kUnionised, v(kUnionised) == "1" ? "1" : "2");
  t.setText("InOpcaoAberta", "0");
  t.post();
}

bool EstablishmentEntry::cancel() {
  if (!askYesNo("As informações não salvas serão perdidas. Deseja sair ?")) return false;
  if (mode_ == EntryMode::New) {
    db_.prepare("DELETE FROM BD8Emp WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
                "NuPrefixoEstabelecimento = :p")
        .bind(":a", key_.baseYear)
        .bind(":i", key_.inscription)
        .bind(":p", key_.prefix)
        .run();
  }
  return true;
}

void EstablishmentEntry::close() { setMarker(""); }

}  // namespace torvex::core::entry
