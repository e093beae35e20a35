#include "core/entry/employee_entry.h"

#include <array>

#include "core/product.h"
#include "core/store/engine_error.h"
#include "core/store/link_counts.h"
#include "core/validation/formatters.h"
#include "core/validation/link_validators.h"
#include "core/validation/message_dialog.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::entry {
namespace val = validation;
using platform::Buttons;
using platform::DialogKind;

namespace {

constexpr int kBaseYear = product::kBaseYearNumber;

// Personal data.
constexpr const char* kPis = "CoPisPasepEmpregado";
constexpr const char* kName = "NoEmpregado";
constexpr const char* kBirth = "DaNascimentoEmpregado";
constexpr const char* kRace = "CoTipoRaca";
constexpr const char* kDisabled = "InDeficienteFisico";
constexpr const char* kDisabilityKind = "CoDeficienteFisico";
constexpr const char* kSex = "InSexo";
constexpr const char* kNationality = "CoNacionalidade";
constexpr const char* kArrival = "AnChegadaEmpregado";
constexpr const char* kInstruction = "CoInstrucao";
constexpr const char* kCardNumber = "NuCartTrabEmpregado";
constexpr const char* kCardSeries = "SeCartTrabEmpregado";
constexpr const char* kCpf = "CoCpfEmpregado";
constexpr const char* kCompanyUse = "TxUsoEmpregado";
// Admission.
constexpr const char* kAdmission = "DaAdmissaoEmpregado";
constexpr const char* kAdmissionType = "CoTipoAdmissao";
constexpr const char* kSalary = "VaSalContratualEmpregado";
constexpr const char* kWeeklyHours = "HoSemanaisEmpregado";
constexpr const char* kSalaryType = "CoTipoSalarioContratual";
constexpr const char* kOccupation = "CoCbo";
// Link and dismissal.
constexpr const char* kVinculo = "CoVinculo";
constexpr const char* kPermit = "InAlvaraEmpregado";
constexpr const char* kCause = "CoCausaDesligamento";
constexpr const char* kDismissal = "DaDesligamentoEmpregado";
constexpr const char* kNotice = "VaAvisoPrevioEmpregado";
constexpr const char* kWorkMunicipality = "CoMunicipioTrabalho";
constexpr const char* kWorkMunicipalityName = "NoMunicipioTrabalho";
constexpr const char* kWorkState = "SgUfTrabalho";
// Absences.
constexpr std::array<const char*, 3> kAbsenceReason = {"CoMotivoPrimAfas", "CoMotivoSeguAfas", "CoMotivoTercAfas"};
constexpr std::array<const char*, 3> kAbsenceStart = {"DaInicioprimeiroAfas", "DaInicioSegundoAfas",
                                                      "DaInicioTerceiroAfas"};
constexpr std::array<const char*, 3> kAbsenceEnd = {"DaFinalPrimeiroAfas", "DaFinalSegundoAfas",
                                                    "DaFinalTerceiroAfas"};
constexpr const char* kAbsenceDays = "QtDiasAfas";
// Union contributions: CNPJ, amount, the entity kind of the CNPJ check.
struct UnionField {
  const char* cnpj;
  const char* amount;
  val::EntityKind kind;
};
constexpr std::array<UnionField, 5> kUnions = {
    UnionField{"CoCNPJSindical", "VaGlobalSindical", val::EntityKind::Sindical},
    UnionField{"CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa", val::EntityKind::Associativa},
    UnionField{"CoCNPJSegAssociativa", "VaGlobalSegAssociativa", val::EntityKind::Associativa},
    UnionField{"CoCNPJAssistencial", "VaGlobalAssistencial", val::EntityKind::Assistencial},
    UnionField{"CoCNPJConfederativa", "VaGlobalConfederativa", val::EntityKind::Confederativa}};
constexpr const char* kUnionMember = "InSindicalizadoVinculo";
// Remunerations.
constexpr std::array<const char*, 12> kMonthValue = {
    "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado",    "VaAbrilEmpregado",
    "VaMaioEmpregado",    "VaJunhoEmpregado",     "VaJulhoEmpregado",    "VaAgostoEmpregado",
    "VaSetembroEmpregado", "VaOutubroEmpregado",  "VaNovembroEmpregado", "VaDezembroEmpregado"};
constexpr std::array<const char*, 12> kMonthHours = {
    "HoTrabalhadasJaneiro", "HoTrabalhadasFevereiro", "HoTrabalhadasMarco",    "HoTrabalhadasAbril",
    "HoTrabalhadasMaio",    "HoTrabalhadasJunho",     "HoTrabalhadasJulho",    "HoTrabalhadasAgosto",
    "HoTrabalhadasSetembro", "HoTrabalhadasOutubro",  "HoTrabalhadasNovembro", "HoTrabalhadasDezembro"};
constexpr const char* kAdvanceMonth = "Me13AdiantamentoEmpregado";
constexpr const char* kAdvanceValue = "Va13AdiantamentoEmpregado";
constexpr const char* kFinalMonth = "Me13ParcelaFinalEmpregado";
constexpr const char* kFinalValue = "Va13ParcelaFinalEmpregado";
// Rescission: the five amounts; the three items with a month count.
constexpr std::array<const char*, 5> kRescission = {"VaGlobalFerias", "VaGlobalMultas", "VaGlobalBcoHoras",
                                                    "VaGlobalDissidio", "VaGlobalGratificacoes"};
struct CountedItem {
  const char* amount;
  const char* months;
  val::RescissionItem item;
  const char* itemCode;
};
constexpr std::array<CountedItem, 3> kCounted = {
    CountedItem{"VaGlobalBcoHoras", "QtCompBcoHoras", val::RescissionItem::HoursBank, "3681"},
    CountedItem{"VaGlobalDissidio", "QtCompDissidio", val::RescissionItem::CollectiveAgreement, "3682"},
    CountedItem{"VaGlobalGratificacoes", "QtCompGratificacoes", val::RescissionItem::Bonuses, "3683"}};

constexpr std::array<const char*, 13> kMonthNumber = {"00", "01", "02", "03", "04", "05", "06",
                                                     "07", "08", "09", "10", "11", "12"};

const char* const kPisChanged =
    "Você não pode alterar o código PIS/PASEP.\rSe o código está errado exclua esse empregado e inclua-o novamente.";
const char* const kNoticeMissing = "Informe o Aviso Prévio Indenizado.";
const char* const kAbsenceDaysTooMany = "A soma do total de dias de afastamento não pode ser maior que 365 dias.";
const char* const kThirdEndMissing =
    "A data final de Afastamento deve ser preenchida.\rPara os afastamentos que ultrapassarem o ano-base, a data "
    "final a ser declarada será 31/12.";
const char* const kLinkMissing =
    "O vínculo não foi encontrado. Retorne à relação de empregados e selecione-o novamente.";

bool oneOf(std::string_view v, std::initializer_list<std::string_view> set) {
  for (auto s : set)
    if (v == s) return true;
  return false;
}

bool passed(std::string_view code) { return code == val::kValid; }

// Zero-filled on the left to `width`; a longer value is kept whole, so that the
// checks refuse it instead of a cut value being stored.
std::string zeroFilled(std::string_view value, std::size_t width) {
  return value.size() >= width ? std::string(value) : val::fitRight(value, width);
}

// A refusal; the fixed-width test's answer for a value too long is shown as "0040".
FieldOutcome refusal(std::string_view code, std::string_view focus) {
  return FieldOutcome::refuse(code == val::kTooLong ? std::string_view("0040") : code, focus);
}

FieldOutcome refuseIf(std::string_view code, std::string_view focus) {
  return passed(code) ? FieldOutcome::accept() : refusal(code, focus);
}

// "ddmm" shown "dd/mm"; an empty or all-zero date shows empty.
std::string shownDayMonth(std::string_view stored) {
  const auto v = val::trimBlanks(stored);
  if (val::isNotInformed(v)) return {};
  if (v.size() != 4) return std::string(v);
  return std::string(v.substr(0, 2)) + "/" + std::string(v.substr(2, 2));
}

// Placeholder of a stored code: all zeros shows empty.
std::string shownCode(std::string_view stored) {
  const auto v = val::trimBlanks(stored);
  return val::isNotInformed(v) ? std::string() : std::string(v);
}

std::string shownCnpj(std::string_view stored) {
  const std::string d = digitsOf(stored);
  if (d.empty() || val::isAllZero(d)) return {};
  return d.size() == 14 ? val::formatInscription(d, "1") : d;
}

// An amount as typed: its cents zero-filled to `width`, or the code of the fault.
struct Converted {
  std::string code{val::kValid};
  std::string digits;
};
Converted convertAmount(std::string_view typed, std::size_t width) {
  const std::string t = trimmed(typed);
  const auto cents = parseAmount(t.empty() ? "0" : t);
  if (!cents) return {"0040", {}};
  const std::string d = std::to_string(*cents);
  if (d.size() > width) return {"0315", {}};
  return {std::string(val::kValid), val::fitRight(d, width)};  // never longer: checked above
}

}  // namespace

// Every display-only field, so that showing the values clears them too.
constexpr const char* kDisplayOnly[] = {
    EmployeeEntry::kRaceName,         EmployeeEntry::kDisabilityName,     EmployeeEntry::kNationalityName,
    EmployeeEntry::kInstructionName,  EmployeeEntry::kAdmissionTypeName,  EmployeeEntry::kSalaryTypeName,
    EmployeeEntry::kOccupationName,   EmployeeEntry::kVinculoName,        EmployeeEntry::kCauseName,
    EmployeeEntry::kAbsenceNames[0],  EmployeeEntry::kAbsenceNames[1],    EmployeeEntry::kAbsenceNames[2],
    EmployeeEntry::kAdvanceMonthName, EmployeeEntry::kFinalMonthName,     kWorkMunicipalityName,
    kWorkState};

EmployeeEntry::EmployeeEntry(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui,
                             LinkWarningCounters& counters)
    : db_(db), ref_(ref), ui_(ui), counters_(counters) {}

// --- field table --------------------------------------------------------------

const std::vector<std::string>& EmployeeEntry::pageCaptions() {
  static const std::vector<std::string> captions = {
      "Dados Pessoais do Empregado/Servidor", "Informações Admissão",   "Vínculo Empregatício",
      "Afastamento",                          "Informações Sindicais", "Remunerações Mensais",
      "Verbas Pagas na Rescisão"};
  return captions;
}

namespace {

// The fields of each page in tab order.
const std::vector<std::vector<std::string>>& pages() {
  static const std::vector<std::vector<std::string>> p = [] {
    std::vector<std::vector<std::string>> out(7);
    out[0] = {kPis,         kName,        kBirth,       kRace,       kDisabled, kDisabilityKind, kSex,
              kNationality, kArrival,     kInstruction, kCardNumber, kCardSeries, kCpf,          kCompanyUse};
    out[1] = {kAdmission, kAdmissionType, kSalary, kWeeklyHours, kSalaryType, kOccupation};
    out[2] = {kVinculo, kPermit, kCause, kDismissal, kNotice, kWorkMunicipality};
    for (int n = 0; n < 3; ++n) {
      out[3].push_back(kAbsenceReason[n]);
      out[3].push_back(kAbsenceStart[n]);
      out[3].push_back(kAbsenceEnd[n]);
    }
    out[3].push_back(kAbsenceDays);
    for (const auto& u : kUnions) {
      out[4].push_back(u.cnpj);
      out[4].push_back(u.amount);
    }
    for (int m = 0; m < 12; ++m) {
      out[5].push_back(kMonthValue[m]);
      out[5].push_back(kMonthHours[m]);
    }
    for (const char* f : {kAdvanceMonth, kAdvanceValue, kFinalMonth, kFinalValue}) out[5].push_back(f);
    out[6] = {kRescission[0], kRescission[1], kRescission[2], kCounted[0].months,
              kRescission[3], kCounted[1].months, kRescission[4], kCounted[2].months};
    return out;
  }();
  return p;
}

}  // namespace

const std::vector<std::string>& EmployeeEntry::fieldOrder() {
  static const std::vector<std::string> order = [] {
    std::vector<std::string> out;
    for (const auto& page : pages()) out.insert(out.end(), page.begin(), page.end());
    return out;
  }();
  return order;
}

namespace {
// The field after `field` in tab order ("" after the last).
std::string nextInOrder(std::string_view field) {
  const auto& order = EmployeeEntry::fieldOrder();
  for (std::size_t i = 0; i + 1 < order.size(); ++i)
    if (order[i] == field) return order[i + 1];
  return {};
}
}  // namespace

int EmployeeEntry::pageOf(std::string_view field) {
  const auto& p = pages();
  for (std::size_t i = 0; i < p.size(); ++i)
    for (const auto& f : p[i])
      if (f == field) return static_cast<int>(i);
  static const std::pair<std::string_view, int> shown[] = {
      {kRaceName, 0},         {kDisabilityName, 0},    {kNationalityName, 0}, {kInstructionName, 0},
      {kAdmissionTypeName, 1}, {kSalaryTypeName, 1},   {kOccupationName, 1},  {kVinculoName, 2},
      {kCauseName, 2},        {kWorkMunicipalityName, 2}, {kWorkState, 2},    {kAbsenceNames[0], 3},
      {kAbsenceNames[1], 3},  {kAbsenceNames[2], 3},   {kAdvanceMonthName, 5}, {kFinalMonthName, 5}};
  for (const auto& [f, page] : shown)
    if (f == field) return page;
  return -1;
}

// --- small helpers ------------------------------------------------------------

std::string EmployeeEntry::dayMonth(std::string_view field) const {
  const std::string d = digits(field);
  return d.empty() ? "0000" : zeroFilled(d, 4);
}

std::string EmployeeEntry::padded(std::string_view field, std::size_t width) const {
  const std::string t = text(field);
  if (t.size() > width) return t;
  return zeroFilled(t.empty() ? "0" : t, width);
}

std::string EmployeeEntry::cents(std::string_view field) const {
  const auto c = parseAmount(text(field).empty() ? "0" : text(field));
  return std::to_string(c.value_or(0));
}

std::int64_t EmployeeEntry::amount(std::string_view field) const {
  return parseAmount(text(field).empty() ? "0" : text(field)).value_or(0);
}

bool EmployeeEntry::pisAllZero() const {
  const std::string d = digits(kPis);
  return d.empty() || val::isAllZero(d);
}

void EmployeeEntry::show(std::string_view code) {
  ++messagesShown_;
  val::showMessage(ui_, ref_, code);
}

std::string EmployeeEntry::ask(std::string_view code) {
  ++messagesShown_;
  return val::showMessage(ui_, ref_, code);
}

bool EmployeeEntry::askYesNo(const std::string& text) {
  ++messagesShown_;
  return ui_.message(DialogKind::Confirmation, text, Buttons::YesNo) != platform::button::kNo;
}

void EmployeeEntry::describe(store::CodeTable table, std::string_view field, const char* nameField) {
  const std::string code = text(field);
  v(nameField) = code.empty() ? std::string() : ref_.name(table, code).value_or("");
}

EmployeeControls EmployeeEntry::controls() const {
  EmployeeControls c;
  c.disabilityKind = valueOf(values_, kDisabled) == "1";
  const std::string nat = text(kNationality);
  c.arrivalYear = !nat.empty() && nat != "10";
  c.permit = permitEnabled_;
  c.dismissalDate = !oneOf(text(kCause), {"", "00", "71", "78", "80"});
  c.notice = noticeEnabled_;
  c.rescission = rescissionOpen_;
  c.remove = mode_ == EntryMode::Open;
  return c;
}

// --- loading ------------------------------------------------------------------

void EmployeeEntry::recount() {
  const auto counts = countEmployees(db_, key_);
  links_ = counts.links;
  foreigners_ = counts.foreigners;
}

FieldOutcome EmployeeEntry::load(const EstablishmentKey& establishment, const std::optional<LinkKey>& link) {
  key_ = establishment;
  values_.clear();
  closeRequested_ = false;
  listSearchPis_.clear();
  noticePaid_ = false;
  rowid_ = 0;
  openingAdmission_.clear();
  entryPis_.clear();
  lastLookedUpPis_.clear();

  auto st = db_.prepare(
      "SELECT AnBase, NoRazaoEstabelecimento, InInscrEstabelecimento, InEncerramentoAtividade, "
      "DaEncerramentoAtividade, CoCnae2, CoNaturezaJuridica FROM BD8Emp WHERE AnBase = :a AND "
      "CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p");
  st.bind(":a", key_.baseYear).bind(":i", key_.inscription).bind(":p", key_.prefix);
  if (!st.step()) return refusal("1006", "");
  est_ = {st.text(1), st.text(2) == "1" ? "1" : "3", st.text(3), st.text(4), st.text(5), st.text(6), st.text(0)};

  const int year = val::isNumeric(key_.baseYear) ? static_cast<int>(val::integerOrZero(key_.baseYear)) : kBaseYear;
  const std::string closure = digitsOf(est_.closureDate);
  const bool closesNextYear =
      est_.closure == "1" && closure.size() == 8 && val::integerOrZero(closure.substr(4)) == year + 1;
  referenceYear_ = year + (closesNextYear ? 1 : 0);

  // Title.
  const std::string& insc = key_.inscription;
  std::string title = est_.name + " - ";
  if (est_.kind == "1") {
    title += "CNPJ: " + val::formatInscription(insc, "1");
  } else if (insc.size() == 14) {
    title += "CEI: " + insc.substr(2, 2) + "-" + insc.substr(4, 3) + "-" + insc.substr(7, 2) + "." + insc.substr(9, 3) +
             "-" + insc.substr(12, 1) + "/" + insc.substr(13, 1);
  } else {
    title += "CEI: " + insc;
  }
  title += " | Prefixo: " + key_.prefix + " - Informações Referentes ao Empregado / Servidor";

  if (link) {
    if (!readRow(*link)) {
      ++messagesShown_;
      ui_.message(DialogKind::Error, kLinkMissing, Buttons::Ok);
      return FieldOutcome::stop("");
    }
  } else {
    mode_ = EntryMode::New;
    for (const auto& f : fieldOrder()) v(f);
    for (const char* f : kDisplayOnly) v(f);
    v(kDisabled) = "2";
    v(kPermit) = "2";
    for (const char* f : {kSalary, kNotice, kAdvanceValue, kFinalValue}) v(f) = "0,00";
    for (const char* f : kMonthValue) v(f) = "0,00";
    for (const auto& u : kUnions) v(u.amount) = "0,00";
    for (const char* f : kRescission) v(f) = "0,00";
    v(kAbsenceDays) = "000";
    for (const auto& c : kCounted) v(c.months) = "00";
    v(kAdvanceMonthName) = std::string(val::monthName("00"));
    v(kFinalMonthName) = std::string(val::monthName("00"));
    setPermitFromLoad();
    noticeEnabled_ = false;
    rescissionOpen_ = false;
  }
  v(kTitle) = title;
  // The counts are recounted where they are used (nationality, save, delete,
  // close), so that opening a link of a large establishment stays immediate.
  return FieldOutcome::accept();
}

bool EmployeeEntry::readRow(const LinkKey& key) {
  // The primary index starts with these five columns: one indexed search.
  const bool byName = key.pis.empty() || val::isAllZero(key.pis);
  auto st = db_.prepare(std::string("SELECT rowid AS RowNumber, * FROM BD8Vinc WHERE AnBase = :a AND "
                                    "CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p AND "
                                    "CoPisPasepEmpregado = :pis AND DaAdmissaoEmpregado = :adm") +
                        (byName ? " AND NoEmpregado = :name" : "") +
                        " ORDER BY NoEmpregado, NuSequencialRegistro LIMIT 1");
  st.bind(":a", key_.baseYear)
      .bind(":i", key_.inscription)
      .bind(":p", key_.prefix)
      .bind(":pis", key.pis)
      .bind(":adm", key.admission);
  if (byName) st.bind(":name", key.name);
  if (!st.step()) return false;
  mode_ = EntryMode::Open;
  rowid_ = st.integer(0);
  showRow(st);
  openingAdmission_ = st.text(kAdmission);
  entryPis_ = st.text(kPis);
  return true;
}

void EmployeeEntry::showRow(store::Statement& row) {
  const std::string title(valueOf(values_, kTitle));
  values_.clear();
  auto col = [&](const char* f) { return row.text(f); };
  v(kPis) = col(kPis);
  for (const char* f : {kName, kCompanyUse, kSex, kPermit, kUnionMember}) v(f) = col(f);
  v(kCompanyUse) = col(kCompanyUse);
  v(kBirth) = shownDate(col(kBirth));
  v(kAdmission) = shownDate(col(kAdmission));
  for (const char* f : {kRace, kDisabilityKind, kNationality, kArrival, kInstruction, kCardNumber, kCpf,
                        kAdmissionType, kSalaryType, kOccupation, kWorkMunicipality, kVinculo, kCause, kAdvanceMonth,
                        kFinalMonth})
    v(f) = shownCode(col(f));
  v(kCardSeries) = shownCode(col(kCardSeries));
  for (const char* f : kAbsenceReason) v(f) = shownCode(col(f));
  v(kDismissal) = shownDayMonth(col(kDismissal));
  for (int n = 0; n < 3; ++n) {
    v(kAbsenceStart[n]) = shownDayMonth(col(kAbsenceStart[n]));
    v(kAbsenceEnd[n]) = shownDayMonth(col(kAbsenceEnd[n]));
  }
  v(kAbsenceDays) = val::isNotInformed(col(kAbsenceDays)) ? "000" : col(kAbsenceDays);
  for (const auto& c : kCounted) v(c.months) = val::isNotInformed(col(c.months)) ? "00" : col(c.months);
  v(kWeeklyHours) = shownNumber(col(kWeeklyHours));
  for (const char* f : kMonthHours) v(f) = col(f);
  const std::string disabled = col(kDisabled);
  v(kDisabled) = disabled.empty() ? "2" : disabled;
  for (const auto& u : kUnions) {
    v(u.cnpj) = shownCnpj(col(u.cnpj));
    v(u.amount) = shownAmount(col(u.amount));
  }
  for (const char* f : {kSalary, kNotice, kAdvanceValue, kFinalValue}) v(f) = shownAmount(col(f));
  for (const char* f : kMonthValue) v(f) = shownAmount(col(f));
  for (const char* f : kRescission) v(f) = shownAmount(col(f));
  v(kWorkMunicipalityName) = col(kWorkMunicipalityName);
  v(kWorkState) = col(kWorkState);
  for (const auto& f : fieldOrder()) v(f);
  for (const char* f : kDisplayOnly) v(f);

  describe(store::CodeTable::Nationality, kNationality, kNationalityName);
  describe(store::CodeTable::Race, kRace, kRaceName);
  describe(store::CodeTable::Disability, kDisabilityKind, kDisabilityName);
  describe(store::CodeTable::Schooling, kInstruction, kInstructionName);
  describe(store::CodeTable::AdmissionType, kAdmissionType, kAdmissionTypeName);
  describe(store::CodeTable::SalaryType, kSalaryType, kSalaryTypeName);
  describe(store::CodeTable::Occupation, kOccupation, kOccupationName);
  describe(store::CodeTable::LinkType, kVinculo, kVinculoName);
  describe(store::CodeTable::TerminationCause, kCause, kCauseName);
  for (int n = 0; n < 3; ++n) describe(store::CodeTable::LeaveReason, kAbsenceReason[n], kAbsenceNames[n]);
  if (!text(kWorkMunicipality).empty()) {
    v(kWorkMunicipalityName) = ref_.municipalityName(text(kWorkMunicipality)).value_or(col(kWorkMunicipalityName));
    v(kWorkState) = ref_.stateOfMunicipality(text(kWorkMunicipality)).value_or(col(kWorkState));
  }
  v(kAdvanceMonthName) = std::string(val::monthName(text(kAdvanceMonth).empty() ? "00" : text(kAdvanceMonth)));
  v(kFinalMonthName) = std::string(val::monthName(text(kFinalMonth).empty() ? "00" : text(kFinalMonth)));

  // Disability: "Sim" opens the type; anything else empties it.
  if (v(kDisabled) != "1") {
    v(kDisabled) = "2";
    v(kDisabilityKind).clear();
    v(kDisabilityName).clear();
  }
  if (v(kSex) != "1" && v(kSex) != "2") v(kSex).clear();
  setPermitFromLoad();
  // Dismissal: the date and the notice follow the cause.
  const std::string cause = text(kCause);
  noticeEnabled_ = false;
  if (!oneOf(cause, {"", "00", "71", "78", "80"})) {
    noticeEnabled_ = cause == "11" || cause == "21";
  } else {
    v(kDismissal).clear();
  }
  if (!noticeEnabled_) v(kNotice) = "0,00";
  rescissionOpen_ = !oneOf(cause, {"", "00", "71", "78", "80"});
  v(kTitle) = title;
}

void EmployeeEntry::setPermitFromLoad() {
  const std::string birth = digits(kBirth);
  const std::string vinculo = text(kVinculo);
  if (birth.size() == 8 && !vinculo.empty()) {
    if (kBaseYear - val::integerOrZero(birth.substr(4)) > 16) {
      v(kPermit) = "2";
      permitEnabled_ = false;
    } else if (vinculo != "55") {
      permitEnabled_ = true;
      v(kPermit) = v(kPermit) == "1" ? "1" : "2";
    } else {
      permitEnabled_ = false;
    }
  } else {
    v(kPermit) = "2";
    permitEnabled_ = false;
  }
}

// --- leaving fields -------------------------------------------------------------
const std::vector<EmployeeEntry::LeaveRule>& EmployeeEntry::leaveRules() {
  using E = EmployeeEntry;
  static const std::vector<LeaveRule> rules = {
      {kPis, &E::pis},
      {kName, &E::name},
      {kBirth, &E::birth},
      {kRace, &E::race},
      {kDisabled, &E::disabled},
      {kDisabilityKind, &E::disabilityKind},
      {kSex, &E::sex},
      {kNationality, &E::nationality},
      {kArrival, &E::arrival},
      {kInstruction, &E::instruction},
      {kCardNumber, &E::cardNumber},
      {kCardSeries, &E::cardSeries},
      {kCpf, &E::cpf},
      {kCompanyUse, &E::companyUse},
      {kAdmission, &E::admission},
      {kAdmissionType, &E::admissionType},
      {kSalary, &E::salary},
      {kWeeklyHours, &E::weeklyHours},
      {kSalaryType, &E::salaryType},
      {kOccupation, &E::occupation},
      {kVinculo, &E::vinculo},
      {kCause, &E::cause},
      {kDismissal, &E::dismissal},
      {kNotice, &E::notice},
      {kWorkMunicipality, &E::workMunicipality},
      {kAbsenceDays, &E::absenceDays},
      {kAdvanceMonth, &E::advanceMonth},
      {kAdvanceValue, &E::advanceValue},
      {kFinalMonth, &E::finalMonth},
      {kFinalValue, &E::finalValue},
  };
  return rules;
}

FieldOutcome EmployeeEntry::leave(std::string_view field, bool toCancel) {
  closeRequested_ = false;
  if (toCancel) {
    // Moving to "&Cancelar" or "&Excluir": only these run whatever the target.
    if (field == kPis && mode_ == EntryMode::Open) return pis(true);
    if (field == kMonthValue[11]) return yearChecks();
    for (int m = 0; m < 12; ++m)
      if (field == kMonthHours[m]) return hours(m + 1);
    if (field == kAbsenceDays) return absenceDays(true);
    if (field == kFinalValue) {
      if (amount(kAdvanceValue) + amount(kFinalValue) == 0) show("1061");
      return FieldOutcome::accept();
    }
    if (field == kUnions[0].amount) return membershipQuestion();
    return FieldOutcome::accept();
  }
  for (const auto& rule : leaveRules())
    if (field == rule.field) return (this->*rule.check)(true);
  for (int n = 0; n < 3; ++n) {
    if (field == kAbsenceReason[n]) return absenceReason(n);
    if (field == kAbsenceStart[n]) return absenceStart(n);
    if (field == kAbsenceEnd[n]) return absenceEnd(n);
  }
  for (int n = 0; n < 5; ++n) {
    if (field == kUnions[n].cnpj) return unionCnpj(n, true);
    if (field == kUnions[n].amount) return unionAmount(n, true);
  }
  for (int m = 0; m < 12; ++m) {
    if (field == kMonthValue[m]) {
      auto out = remuneration(m + 1);
      if (out.refuses || m < 11) return out;
      return yearChecks();
    }
    if (field == kMonthHours[m]) return hours(m + 1);
  }
  for (int n = 0; n < 5; ++n)
    if (field == kRescission[n]) return rescissionAmount(n);
  for (int n = 0; n < 3; ++n)
    if (field == kCounted[n].months) return monthCount(n);
  return FieldOutcome::accept();
}

// --- personal data ----------------------------------------------------------------

FieldOutcome EmployeeEntry::pis(bool leaving) {
  const std::string pis = digits(kPis);
  if (leaving && mode_ == EntryMode::Open) {
    if (pis == entryPis_) return FieldOutcome::accept();
    ++messagesShown_;
    ui_.message(DialogKind::Error, kPisChanged, Buttons::Ok);
    v(kPis) = entryPis_;
    return FieldOutcome::stop(kPis);
  }
  if (auto code = val::checkPis(pis); !passed(code)) return refusal(code, kPis);
  if (leaving && !val::isAllZero(pis) && pis != lastLookedUpPis_) {
    const bool copied = repetitionCheck();
    if (closeRequested_) return FieldOutcome::stop("");
    if (copied) return FieldOutcome::moveTo(kCpf);
  }
  return FieldOutcome::accept();
}

bool EmployeeEntry::repetitionCheck() {
  const std::string pis = digits(kPis);
  lastLookedUpPis_ = pis;
  auto st = db_.prepare(
      "SELECT NoEmpregado, DaNascimentoEmpregado, CoNacionalidade, AnChegadaEmpregado, CoInstrucao, "
      "NuCartTrabEmpregado, SeCartTrabEmpregado, CoTipoRaca, InDeficienteFisico, CoDeficienteFisico, InSexo, "
      "CoCpfEmpregado FROM BD8Vinc WHERE AnBase = :sAnoBase AND CoCgcCeiEstabelecimento = :sInscricao AND "
      "NuPrefixoEstabelecimento = :sPrefixo AND CoPisPasepEmpregado = :sPisPasep");
  st.bind(":sAnoBase", key_.baseYear)
      .bind(":sInscricao", key_.inscription)
      .bind(":sPrefixo", key_.prefix)
      .bind(":sPisPasep", pis);
  if (!st.step()) return false;
  if (ask("1050") == platform::button::kNo) {
    listSearchPis_ = pis;
    closeRequested_ = true;
    return false;
  }
  v(kName) = st.text(0);
  v(kBirth) = shownDate(st.text(1));
  v(kNationality) = shownCode(st.text(2));
  v(kArrival) = shownCode(st.text(3));
  v(kInstruction) = shownCode(st.text(4));
  v(kCardNumber) = shownCode(st.text(5));
  v(kCardSeries) = shownCode(st.text(6));
  v(kRace) = shownCode(st.text(7));
  v(kDisabled) = st.text(8) == "1" ? "1" : "2";
  v(kDisabilityKind) = v(kDisabled) == "1" ? shownCode(st.text(9)) : "";
  v(kSex) = st.text(10) == "1" || st.text(10) == "2" ? st.text(10) : "";
  v(kCpf) = shownCode(st.text(11));
  describe(store::CodeTable::Nationality, kNationality, kNationalityName);
  describe(store::CodeTable::Race, kRace, kRaceName);
  describe(store::CodeTable::Disability, kDisabilityKind, kDisabilityName);
  describe(store::CodeTable::Schooling, kInstruction, kInstructionName);
  return true;
}

FieldOutcome EmployeeEntry::name(bool leaving) {
  const std::string n = text(kName);
  if (leaving && (n.empty() || digits(kPis).empty())) return FieldOutcome::accept();
  return refuseIf(val::checkEmployeeName(n, digits(kPis)), kName);
}

void EmployeeEntry::birthConsistency() {
  const std::string pis = digits(kPis);
  auto st = db_.prepare(std::string("SELECT count(*) FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i "
                                    "AND NuPrefixoEstabelecimento = :p AND CoPisPasepEmpregado = :pis AND "
                                    "DaNascimentoEmpregado <> :birth") +
                        (pisAllZero() ? " AND NoEmpregado = :name" : ""));
  st.bind(":a", key_.baseYear).bind(":i", key_.inscription).bind(":p", key_.prefix).bind(":pis", pis);
  st.bind(":birth", digits(kBirth));
  if (pisAllZero()) st.bind(":name", text(kName));
  st.step();
  const auto count = st.integer(0);
  if (count >= (mode_ == EntryMode::New ? 1 : 2)) show("1053");
}

FieldOutcome EmployeeEntry::birth(bool leaving) {
  const std::string b = digits(kBirth);
  if (leaving && b.empty()) return FieldOutcome::accept();
  if (auto code = val::checkBirthDate(b); !passed(code)) return refusal(code, kBirth);
  if (leaving) birthConsistency();
  const auto code = val::checkBirthAndReferenceYear(b, referenceYear_);
  if (code == "0176") {
    if (leaving) show(code);
    return FieldOutcome::accept();
  }
  return refuseIf(code, kBirth);
}

FieldOutcome EmployeeEntry::race(bool leaving) {
  const std::string r = text(kRace);
  if (leaving && r.empty()) {
    v(kRaceName).clear();
    return FieldOutcome::accept();
  }
  if (auto code = val::checkRace(ref_, r); !passed(code)) return refusal(code, kRace);
  describe(store::CodeTable::Race, kRace, kRaceName);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::disabledClicked() {
  if (v(kDisabled) == "1") return FieldOutcome::moveTo(kDisabilityKind);
  v(kDisabled) = "2";
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::disabled(bool leaving) {
  if (v(kDisabled) == "1") return leaving ? FieldOutcome::moveTo(kDisabilityKind) : FieldOutcome::accept();
  // "Não": the type is emptied here and stored as "0".
  v(kDisabled) = "2";
  v(kDisabilityKind).clear();
  v(kDisabilityName).clear();
  return leaving ? FieldOutcome::moveTo(kSex) : FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::disabilityKind(bool) {
  const std::string kind = text(kDisabilityKind);
  const auto code = val::checkDisability(ref_, kind.empty() ? "0" : kind, v(kDisabled), false);
  if (!passed(code) && controls().disabilityKind) return refusal(code, kDisabled);
  describe(store::CodeTable::Disability, kDisabilityKind, kDisabilityName);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::sex(bool leaving) {
  if (!leaving) return FieldOutcome::accept();  // not enforced on saving
  v(kSex) = v(kSex).substr(0, 1);
  return refuseIf(val::checkSex(v(kSex)), kSex);
}

FieldOutcome EmployeeEntry::nationality(bool leaving) {
  const std::string nat = text(kNationality);
  v(kNationality) = nat;
  if (!leaving || !nat.empty()) {
    if (auto code = val::checkNationality(ref_, nat); !passed(code)) return refusal(code, kNationality);
  }
  describe(store::CodeTable::Nationality, kNationality, kNationalityName);
  if (nat == "10") {
    v(kArrival).clear();
    return leaving ? FieldOutcome::moveTo(kInstruction) : FieldOutcome::accept();
  }
  if (!leaving || nat.empty()) return FieldOutcome::accept();
  recount();
  if (links_ > 5 && links_ < 3 * foreigners_) show("0393");
  return FieldOutcome::moveTo(kArrival);
}

FieldOutcome EmployeeEntry::arrival(bool) {
  const std::string a = padded(kArrival, 4);
  const std::string nat = text(kNationality);
  for (auto code : {val::checkArrivalYear(a), val::checkArrivalAndNationality(a, nat),
                    val::checkArrivalAndReferenceYear(a, referenceYear_, nat),
                    val::checkArrivalAndBirth(a, digits(kBirth), nat)})
    if (!passed(code)) return refusal(code, kArrival);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::instruction(bool leaving) {
  std::string i = text(kInstruction);
  if (leaving && i.empty()) {
    v(kInstructionName).clear();
    return FieldOutcome::accept();
  }
  if (i.size() == 1) i = "0" + i;
  v(kInstruction) = i;
  if (auto code = val::checkInstruction(ref_, i); !passed(code)) return refusal(code, kInstruction);
  describe(store::CodeTable::Schooling, kInstruction, kInstructionName);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::cardNumber(bool) {
  const std::string n = text(kCardNumber);
  if (n.empty()) return FieldOutcome::accept();
  return refuseIf(val::checkFixedWidthNumeric(zeroFilled(n, 8), 8), kCardNumber);
}

FieldOutcome EmployeeEntry::cardSeries(bool) {
  const std::string series = text(kCardSeries);
  const std::string number = text(kCardNumber).empty() ? "" : zeroFilled(text(kCardNumber), 8);
  if (auto code = val::checkWorkCardSeries(series); !passed(code)) return refusal(code, kCardSeries);
  if (auto code = val::checkWorkCardPairing(number, series); !passed(code))
    return refusal(code, kCardNumber);
  if (!series.empty() && !number.empty())
    return refuseIf(val::checkWorkCardSeriesFormat(series, text(kNationality), number), kCardSeries);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::cpf(bool) {
  const std::string c = zeroFilled(digits(kCpf), 11);
  if (auto code = val::checkCpf(c); !passed(code)) return refusal(code, kCpf);
  const std::string number = text(kCardNumber).empty() ? "" : zeroFilled(text(kCardNumber), 8);
  return refuseIf(val::checkWorkCardOrCpf(number, c), kCardNumber);
}

FieldOutcome EmployeeEntry::companyUse(bool leaving) {
  const std::string t(valueOf(values_, kCompanyUse));
  if (!t.empty())
    if (auto code = val::checkCompanyUseText(t); !passed(code)) return refusal(code, kCompanyUse);
  return leaving ? FieldOutcome::moveTo(kAdmission) : FieldOutcome::accept();
}

// --- admission ----------------------------------------------------------------------

FieldOutcome EmployeeEntry::admission(bool leaving) {
  const std::string adm = digits(kAdmission);
  if (leaving && adm.empty()) return FieldOutcome::accept();
  for (auto code : {val::checkAdmissionDate(adm), val::checkAdmissionAndReferenceYear(adm, referenceYear_),
                    val::checkAdmissionAndClosure(digitsOf(est_.closureDate), adm)})
    if (!passed(code)) return refusal(code, kAdmission);
  const auto age = val::checkAgeAtAdmission(digits(kBirth), adm);
  if (age == "0171") {
    if (leaving) show(age);
  } else if (age == "0173") {
    return refusal(age, kBirth);
  } else if (!passed(age)) {
    return refusal(age, kAdmission);
  }
  const std::string arrival = padded(kArrival, 4);
  if (auto code = val::checkArrivalAndAdmission(arrival, adm, text(kNationality)); !passed(code))
    return refusal(code, kArrival);
  return leaving ? duplicateAdmission() : FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::duplicateAdmission() {
  const std::string adm = digits(kAdmission);
  auto st = db_.prepare(std::string("SELECT rowid FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
                                    "NuPrefixoEstabelecimento = :p AND CoPisPasepEmpregado = :pis AND "
                                    "DaAdmissaoEmpregado = :adm") +
                        (pisAllZero() ? " AND NoEmpregado = :name" : ""));
  st.bind(":a", key_.baseYear).bind(":i", key_.inscription).bind(":p", key_.prefix);
  st.bind(":pis", digits(kPis)).bind(":adm", adm);
  if (pisAllZero()) st.bind(":name", text(kName));
  if (!st.step()) return FieldOutcome::moveTo(kAdmissionType);
  if (mode_ == EntryMode::New) {
    if (ask("1051") == platform::button::kNo) return FieldOutcome::stop(kAdmission);
    // Open the existing link instead of the new one.
    if (!readRow({digits(kPis), adm, text(kName)})) return FieldOutcome::stop(kAdmission);
    return FieldOutcome::moveTo(kName);
  }
  if (adm == openingAdmission_) return FieldOutcome::moveTo(kAdmissionType);
  show("1058");
  v(kAdmission) = shownDate(openingAdmission_);
  return FieldOutcome::stop(kAdmission);
}

FieldOutcome EmployeeEntry::admissionType(bool leaving) {
  const std::string t = text(kAdmissionType);
  if (leaving && t.empty()) {
    v(kAdmissionTypeName).clear();
    return FieldOutcome::accept();
  }
  if (auto code = val::checkAdmissionType(ref_, t); !passed(code)) return refusal(code, kAdmissionType);
  describe(store::CodeTable::AdmissionType, kAdmissionType, kAdmissionTypeName);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::salary(bool leaving) {
  const auto c = convertAmount(v(kSalary), 9);
  if (!passed(c.code)) return refusal(c.code, kSalary);
  v(kSalary) = shownAmount(c.digits);
  if (leaving && val::isAllZero(c.digits)) return FieldOutcome::accept();
  return refuseIf(val::checkContractSalary(c.digits), kSalary);
}

FieldOutcome EmployeeEntry::weeklyHours(bool leaving) {
  const std::string h = text(kWeeklyHours);
  if (leaving && h.empty()) return FieldOutcome::accept();
  return refuseIf(val::checkWeeklyHours(zeroFilled(h, 2)), kWeeklyHours);
}

FieldOutcome EmployeeEntry::salaryType(bool leaving) {
  const std::string t = text(kSalaryType);
  if (leaving && t.empty()) {
    v(kSalaryTypeName).clear();
    return FieldOutcome::accept();
  }
  if (auto code = val::checkSalaryType(ref_, t); !passed(code)) return refusal(code, kSalaryType);
  describe(store::CodeTable::SalaryType, kSalaryType, kSalaryTypeName);
  const auto c = convertAmount(v(kSalary), 9);
  const auto code = val::checkSalaryAndMinimumWage(passed(c.code) ? c.digits : val::zeros(9), t);
  if (code == "0230" || code == "0231") {
    if (leaving) show(code);
    return FieldOutcome::accept();
  }
  return refuseIf(code, kSalaryType);
}

FieldOutcome EmployeeEntry::occupation(bool leaving) {
  const std::string cbo = text(kOccupation);
  const auto code = val::checkOccupation(ref_, cbo);
  describe(store::CodeTable::Occupation, kOccupation, kOccupationName);
  if (code == "3645") {
    if (leaving) show(code);
    return leaving ? FieldOutcome::moveTo(kVinculo) : FieldOutcome::accept();
  }
  if (!passed(code)) return refusal(code, kOccupation);
  if (!leaving) return FieldOutcome::accept();
  if (auto c = val::checkOccupationAndInstruction(ref_, text(kInstruction), cbo); !passed(c))
    return refusal(c, kInstruction);
  return FieldOutcome::moveTo(kVinculo);
}

// --- link and dismissal -----------------------------------------------------------------

void EmployeeEntry::rationedWarning(std::string_view code, int& counter) {
  if (passed(code) || counter == 0) return;
  show(code);
  if (++counter > 3) counter = 0;
}

FieldOutcome EmployeeEntry::vinculo(bool leaving) {
  const std::string vin = text(kVinculo);
  if (leaving && vin.empty()) {
    v(kVinculoName).clear();
    return FieldOutcome::accept();
  }
  for (auto code : {val::checkVinculo(ref_, vin), val::checkVinculoAndPis(vin, digits(kPis)),
                    val::checkVinculoAndInscriptionKind(vin, est_.kind)})
    if (!passed(code)) return refusal(code, kVinculo);
  describe(store::CodeTable::LinkType, kVinculo, kVinculoName);
  const auto age = val::checkVinculoAndAge(vin, digits(kBirth), kBaseYear);
  if (!passed(age) && age != "3510") return refusal(age, kVinculo);
  if (!leaving) return FieldOutcome::accept();
  rationedWarning(val::checkVinculoAndActivity(vin, est_.activity), counters_.activity);
  rationedWarning(val::checkVinculoAndLegalNature(vin, est_.legalNature), counters_.legalNature);
  if (age != "3510") {
    v(kPermit) = "2";
    permitEnabled_ = false;
    return FieldOutcome::moveTo(kCause);
  }
  if (!permitEnabled_) {
    permitEnabled_ = true;
    v(kPermit) = askYesNo("Existe alvará autorizando menor de 16 anos de idade ?") ? "1" : "2";
  }
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::permitClicked() {
  if (v(kPermit) == "2" &&
      val::checkPermitAndAge(v(kPermit), digits(kBirth), text(kVinculo), kBaseYear) == std::string_view("1")) {
    ++messagesShown_;
    ui_.titledMessage(DialogKind::Warning, "Aviso", "Menor de 16 anos sem alvará não deve ser informado na KEVA.",
                      Buttons::Ok);
  }
  return FieldOutcome::accept();
}

void EmployeeEntry::applyCause(bool given, FieldOutcome& out) {
  const std::string c = text(kCause);
  if (given) {
    if (!oneOf(c, {"00", "71", "78", "80"})) {
      out = FieldOutcome::moveTo(kDismissal);
    } else {
      v(kDismissal).clear();
      out = FieldOutcome::moveTo(kWorkMunicipality);
    }
    if (c != "11" && c != "21") {
      noticeEnabled_ = false;
      v(kNotice) = "0,00";
    }
  }
  auto reset = [this] {
    for (const char* f : kRescission) v(f) = "0,00";
    for (const auto& item : kCounted) v(item.months).clear();
  };
  if (oneOf(c, {"22", "30", "31", "40", "50"})) {
    reset();
    rescissionOpen_ = true;
  } else if (oneOf(c, {"", "71", "78", "80"})) {
    reset();
    rescissionOpen_ = false;
    v(kDismissal).clear();
    noticeEnabled_ = false;
    v(kNotice) = "0,00";
    out = FieldOutcome::moveTo(kWorkMunicipality);
  } else {
    rescissionOpen_ = true;
  }
}

FieldOutcome EmployeeEntry::cause(bool leaving) {
  const std::string c = text(kCause);
  FieldOutcome out;
  if (!leaving || !c.empty()) {
    const std::string cause = c.empty() ? "00" : c;
    if (auto code = val::checkDismissalCause(ref_, cause); !passed(code)) return refusal(code, kCause);
    if (auto code = val::checkCauseAtClosure(est_.closure, est_.anBase, cause, kBaseYear); !passed(code))
      return refusal(code, kCause);
  }
  describe(store::CodeTable::TerminationCause, kCause, kCauseName);
  if (leaving) applyCause(!c.empty(), out);
  return out;
}

FieldOutcome EmployeeEntry::dismissal(bool leaving) {
  const std::string d = dayMonth(kDismissal);
  const std::string adm = digits(kAdmission);
  for (auto code : {val::checkDismissalDate(d, kBaseYear),
                    val::checkDismissalDateAndCause(d, zeroFilled(text(kCause), 2)),
                    val::checkDismissalAndAdmission(d, adm, referenceYear_),
                    val::checkDismissalAndClosure(d, digitsOf(est_.closureDate), referenceYear_)})
    if (!passed(code)) return refusal(code, kDismissal);
  FieldOutcome out;
  if (leaving && (text(kCause) == "11" || text(kCause) == "21")) noticeQuestion(out);
  return out;
}

void EmployeeEntry::noticeQuestion(FieldOutcome& out) {
  noticePaid_ = askYesNo("O Aviso Prévio foi indenizado?");
  if (noticePaid_) {
    noticeEnabled_ = true;
    out = FieldOutcome::moveTo(kNotice);
  } else {
    v(kNotice) = "0,00";
    noticeEnabled_ = false;
    out = FieldOutcome::moveTo(kWorkMunicipality);
  }
}

FieldOutcome EmployeeEntry::notice(bool leaving) {
  const auto c = convertAmount(v(kNotice), 9);
  if (!passed(c.code)) return refusal(c.code, kNotice);
  FieldOutcome out;
  if (val::isAllZero(c.digits)) {
    v(kNotice) = "0,00";
    if (leaving) {
      if (noticePaid_) {
        ++messagesShown_;
        ui_.message(DialogKind::Error, kNoticeMissing, Buttons::Ok);
        return FieldOutcome::stop(kDismissal);
      }
      out = FieldOutcome::moveTo(kWorkMunicipality);
    }
  } else {
    v(kNotice) = shownAmount(c.digits);
  }
  if (auto code = val::checkNoticePayment(c.digits); !passed(code)) return refusal(code, kNotice);
  return out;
}

FieldOutcome EmployeeEntry::workMunicipality(bool) {
  const std::string m = text(kWorkMunicipality);
  if (m.empty()) {
    v(kWorkMunicipalityName).clear();
    v(kWorkState).clear();
  } else {
    if (auto code = val::checkWorkMunicipality(ref_, m); !passed(code))
      return refusal(code, kWorkMunicipality);
    v(kWorkMunicipalityName) = ref_.municipalityName(m).value_or("");
    v(kWorkState) = ref_.stateOfMunicipality(m).value_or("");
  }
  return FieldOutcome::moveTo(kAbsenceReason[0]);
}

// --- absences --------------------------------------------------------------------------

FieldOutcome EmployeeEntry::absenceReason(int n) {
  const std::string r = text(kAbsenceReason[n]);
  if (r.empty()) {
    v(kAbsenceNames[n]).clear();
    return FieldOutcome::accept();
  }
  if (auto code = val::checkAbsenceReason(r); !passed(code)) return refusal(code, kAbsenceReason[n]);
  describe(store::CodeTable::LeaveReason, kAbsenceReason[n], kAbsenceNames[n]);
  if (n == 0) {
    ++messagesShown_;
    ui_.message(DialogKind::Information,
                "As informações referem-se ao ano-base " + std::string(product::kBaseYear) +
                    ".\rSe o início do afastamento ocorreu em anos anteriores,\ra data de início a ser declarada "
                    "será 01/01.",
                Buttons::Ok);
  }
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::absenceStart(int n) {
  const std::string start = dayMonth(kAbsenceStart[n]);
  const std::string reason = zeroFilled(text(kAbsenceReason[n]), 2);
  for (auto code : {val::checkAbsenceDate(start, kBaseYear), val::checkAbsenceDateAndReason(start, reason),
                    val::checkAbsenceAndAdmission(start, digits(kAdmission), referenceYear_),
                    val::checkAbsenceAndDismissal(start, dayMonth(kDismissal))})
    if (!passed(code)) return refusal(code, kAbsenceStart[n]);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::absenceEnd(int n) {
  const char* field = kAbsenceEnd[n];
  if (n == 2) {
    if (digits(kAbsenceStart[n]).empty()) {
      v(field).clear();
      return FieldOutcome::accept();
    }
    if (digits(field).empty()) {
      ++messagesShown_;
      ui_.message(DialogKind::Error, kThirdEndMissing, Buttons::Ok);
      return FieldOutcome::stop(field);
    }
  }
  const std::string start = dayMonth(kAbsenceStart[n]);
  const std::string end = dayMonth(field);
  const std::string reason = zeroFilled(text(kAbsenceReason[n]), 2);
  // The order is checked for every absence (the consistency check refuses an end
  // before the start of any of the three).
  if (auto code = val::checkAbsenceOrder(start, end); !passed(code)) return refusal(code, field);
  std::string_view byReason = val::checkAbsenceDateAndReason(end, reason);
  if (n == 0 && byReason == "3639") byReason = "3643";
  for (auto code : {val::checkAbsenceEndDate(start, end), val::checkAbsenceDate(end, kBaseYear), byReason,
                    val::checkAbsenceEndDate(start, end),
                    val::checkAbsenceAndAdmission(start, digits(kAdmission), referenceYear_),
                    val::checkAbsenceAndDismissal(end, dayMonth(kDismissal))})
    if (!passed(code)) return refusal(code, field);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::absenceDays(bool leaving) {
  const std::string typed = text(kAbsenceDays);
  const std::string days = zeroFilled(typed.empty() ? "0" : typed, 3);
  if (leaving) {
    if (auto code = val::checkDaysAndReasons(zeroFilled(text(kAbsenceReason[0]), 2),
                                             zeroFilled(text(kAbsenceReason[1]), 2),
                                             zeroFilled(text(kAbsenceReason[2]), 2), days);
        !passed(code))
      return refusal(code, kAbsenceDays);
  }
  if (!typed.empty() && !val::isNumeric(typed)) return refusal("0040", kAbsenceDays);
  if (typed.size() > 3 || val::integerOrZero(days) >= 366) {
    ++messagesShown_;
    ui_.message(DialogKind::Error, kAbsenceDaysTooMany, Buttons::Ok);
    return FieldOutcome::stop(kAbsenceDays);
  }
  v(kAbsenceDays) = days;
  return leaving ? FieldOutcome::moveTo(kUnions[0].cnpj) : FieldOutcome::accept();
}

// --- union contributions ------------------------------------------------------------------

FieldOutcome EmployeeEntry::unionCnpj(int n, bool leaving) {
  const auto& u = kUnions[n];
  const std::string d = digits(u.cnpj);
  if (d.empty() || val::isAllZero(d)) {
    v(u.cnpj).clear();
    if (n == 1 && leaving) {
      const auto code = val::checkAssociativeMembership("", v(kUnionMember), true);
      if (!passed(code)) {
        if (askYesNo("Para empregado sindicalizado informar obrigatoriamente o CNPJ da entidade beneficiária."
                     "Confirme se o empregado é sindicalizado."))
          return FieldOutcome::stop(u.cnpj);
        v(kUnionMember) = "2";
        return FieldOutcome::moveTo(kUnions[3].cnpj);
      }
    }
    return FieldOutcome::accept();
  }
  const std::string cnpj = zeroFilled(d, 14);
  if (auto code = val::checkEntityCnpjExclusion(cnpj, key_.inscription, true); !passed(code))
    return refusal(code, u.cnpj);
  const auto byKind = val::checkEntityCnpjByKind(cnpj, u.kind, true);
  if (!passed(byKind) && byKind != "0050" && byKind != "0051") return refusal(byKind, u.cnpj);
  v(u.cnpj) = val::formatInscription(cnpj, "1");
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::unionAmount(int n, bool leaving) {
  const auto& u = kUnions[n];
  const auto c = convertAmount(v(u.amount), 8);
  if (!passed(c.code)) return refusal(c.code, u.amount);
  v(u.amount) = shownAmount(c.digits);
  if (auto code = val::checkContributionAmount(c.digits); !passed(code)) return refusal(code, u.amount);
  const std::string d = digits(u.cnpj);
  const auto pairing =
      val::checkContributionPairing(d.empty() ? "" : zeroFilled(d, 14), c.digits, n == 0 ? "sindical" : "", true);
  if (pairing == "3687") {
    if (leaving) show(pairing);
  } else if (!passed(pairing)) {
    return refusal(pairing, u.cnpj);
  }
  if (!leaving) return FieldOutcome::accept();
  if (n == 0) return membershipQuestion();
  if (n == 4) return FieldOutcome::moveTo(kMonthValue[0]);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::membershipQuestion() {
  if (askYesNo("Empregado é sindicalizado?")) {
    v(kUnionMember) = "1";
    return FieldOutcome::moveTo(kUnions[1].cnpj);
  }
  v(kUnionMember) = "2";
  return FieldOutcome::moveTo(kUnions[2].cnpj);
}

// --- remunerations ---------------------------------------------------------------------------

FieldOutcome EmployeeEntry::remuneration(int month) {
  const char* field = kMonthValue[month - 1];
  const char* previousField = kMonthValue[month > 1 ? month - 2 : 0];
  const auto value = convertAmount(v(field), 9);
  const auto previous = convertAmount(v(previousField), 9);
  auto refuse = [&](std::string_view code) {
    // Shown without thousands separators for correcting.
    std::string t = value.digits.empty() ? text(field) : shownAmount(value.digits);
    std::erase(t, '.');
    v(field) = t;
    return refusal(code, field);
  };
  if (!passed(value.code)) return refuse(value.code);
  if (passed(previous.code)) v(previousField) = shownAmount(previous.digits);
  const std::string_view m = kMonthNumber[month];
  const val::RemunerationContext rc{text(kSalaryType), est_.legalNature, dayMonth(kDismissal), digits(kAdmission),
                                    referenceYear_};
  const auto code = val::checkRemuneration(value.digits, m, rc);
  if (code == "0312" || code == "0313") show(code);
  else if (!passed(code)) return refuse(code);
  if (auto tenfold = val::checkTenfold(value.digits, m, passed(previous.code) ? previous.digits : val::zeros(9));
      !passed(tenfold))
    show(tenfold);
  if (!val::isAllZero(value.digits)) {
    if (auto c = val::checkBeforeAdmission(m, digits(kAdmission), referenceYear_); !passed(c)) return refuse(c);
    if (auto c = val::checkAfterDismissal(m, dayMonth(kDismissal)); !passed(c)) show(c);
    if (auto c = val::checkApprenticeAge(m, text(kVinculo), digits(kBirth), referenceYear_); !passed(c))
      return refuse(c);
  }
  v(field) = shownAmount(value.digits);
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::yearChecks() {
  const bool noReasons =
      text(kAbsenceReason[0]).empty() && text(kAbsenceReason[1]).empty() && text(kAbsenceReason[2]).empty();
  const std::string adm = digits(kAdmission);
  const int admissionMonth = adm.size() == 8 ? static_cast<int>(val::integerOrZero(adm.substr(2, 2))) : 0;
  bool allZero = true;
  for (int m = 1; m <= 12; ++m) {
    const bool zero = amount(kMonthValue[m - 1]) == 0;
    if (!zero) allZero = false;
    if (zero && text(kCause).empty() && admissionMonth == m && noReasons)
      return refusal("3679", kMonthHours[11]);
  }
  if (allZero) show("1060");
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::hours(int month) {
  const char* field = kMonthHours[month - 1];
  const std::string typed = text(field);
  const std::string h = typed.empty() ? "000" : zeroFilled(typed, 3);
  if (typed.empty()) v(field) = "000";
  if (auto code = val::checkHours(typed.size() > 3 ? typed : h); !passed(code)) return refusal(code, field);
  const std::string adm = digits(kAdmission);
  const std::string admissionMonthYear = adm.size() == 8 ? adm.substr(2, 6) : "000000";
  const std::string dis = dayMonth(kDismissal);
  const int dismissalMonth = val::isAllZero(dis) ? 0 : static_cast<int>(val::integerOrZero(dis.substr(2, 2)));
  if (auto code = val::checkHoursEntry(amount(kMonthValue[month - 1]), val::integerOrZero(h), month,
                                       admissionMonthYear, dismissalMonth, kBaseYear);
      !passed(code))
    return refusal(code, field);
  const char* next = month < 12 ? kMonthValue[month] : kAdvanceMonth;
  if (val::checkManyHours(h) == std::string_view("3698")) {
    if (ask("3699") == platform::button::kNo) return FieldOutcome::stop(field);
    return FieldOutcome::moveTo(next);
  }
  return FieldOutcome::accept();
}

// --- 13th salary ---------------------------------------------------------------------------------

FieldOutcome EmployeeEntry::advanceMonth(bool leaving) {
  const std::string typed = text(kAdvanceMonth);
  if (typed.empty()) {
    v(kAdvanceMonthName) = std::string(val::monthName("00"));
    if (leaving) return FieldOutcome::accept();
  }
  const std::string m = zeroFilled(typed, 2);
  if (auto code = val::checkThirteenthAdvanceMonth(m); !passed(code)) return refusal(code, kAdvanceMonth);
  if (!typed.empty()) {
    if (auto code = val::checkThirteenthMonthAndAdmission(m, digits(kAdmission), referenceYear_); !passed(code))
      return refusal(code, kAdvanceMonth);
    if (leaving)
      if (auto code = val::checkThirteenthMonthAndDismissal(m, dayMonth(kDismissal), false); !passed(code))
        return refusal(code, kAdvanceMonth);
    v(kAdvanceMonth) = m;
    v(kAdvanceMonthName) = std::string(val::monthName(m));
  }
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::finalMonth(bool leaving) {
  const std::string typed = text(kFinalMonth);
  if (typed.empty()) {
    v(kFinalMonthName) = std::string(val::monthName("00"));
    if (leaving) return FieldOutcome::accept();
  }
  const std::string m = zeroFilled(typed, 2);
  const std::string advance = zeroFilled(text(kAdvanceMonth), 2);
  for (auto code : {val::checkThirteenthFinalMonth(m), val::checkThirteenthOrder(advance, m)})
    if (!passed(code)) return refusal(code, kFinalMonth);
  if (!typed.empty()) {
    if (auto code = val::checkThirteenthMonthAndAdmission(m, digits(kAdmission), referenceYear_); !passed(code))
      return refusal(code, kFinalMonth);
    if (leaving)
      if (auto code = val::checkThirteenthMonthAndDismissal(m, dayMonth(kDismissal), true); !passed(code))
        return refusal(code, kFinalMonth);
    v(kFinalMonth) = m;
    v(kFinalMonthName) = std::string(val::monthName(m));
  }
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::thirteenthAmount(bool final, bool leaving) {
  const char* field = final ? kFinalValue : kAdvanceValue;
  const std::string month = zeroFilled(text(final ? kFinalMonth : kAdvanceMonth), 2);
  const auto c = convertAmount(v(field), 9);
  if (!passed(c.code)) return refusal(c.code, field);
  v(field) = shownAmount(c.digits);
  if (val::isAllZero(c.digits)) return FieldOutcome::accept();
  const auto value = final ? val::checkThirteenthFinalValue(c.digits) : val::checkThirteenthAdvanceValue(c.digits);
  if (!passed(value)) return refusal(value, field);
  const auto pairing = final ? val::checkThirteenthFinalPairing(month, c.digits)
                             : val::checkThirteenthAdvancePairing(month, c.digits);
  if (pairing == "0332") {
    if (leaving) show(pairing);
    return FieldOutcome::accept();
  }
  return refuseIf(pairing, field);
}

FieldOutcome EmployeeEntry::advanceValue(bool leaving) { return thirteenthAmount(false, leaving); }

FieldOutcome EmployeeEntry::finalValue(bool leaving) {
  auto out = thirteenthAmount(true, leaving);
  if (out.refuses || !leaving) return out;
  if (amount(kAdvanceValue) + amount(kFinalValue) == 0) show("1061");
  return rescissionOpen_ ? FieldOutcome::moveTo(kRescission[0]) : FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::thirteenthPlausibility() {
  int paidMonths = 0;
  std::int64_t sum = 0;
  for (const char* f : kMonthValue) {
    const auto value = amount(f);
    if (value == 0) continue;
    ++paidMonths;
    sum += value;
  }
  const std::int64_t thirteenth = amount(kAdvanceValue) + amount(kFinalValue);
  // thirteenth > average * 1.5, in integers.
  if (paidMonths > 0 && 2 * thirteenth * paidMonths > 3 * sum) show("3508");
  return FieldOutcome::accept();
}

// --- rescission -------------------------------------------------------------------------------------

FieldOutcome EmployeeEntry::rescissionAmount(int n) {
  const char* field = kRescission[n];
  const auto c = convertAmount(v(field), 8);
  const auto byCause =
      val::checkRescissionAndCause(zeroFilled(text(kCause), 2), passed(c.code) ? c.digits : val::zeros(8));
  if (byCause == "3675") {
    show(byCause);
    if (passed(c.code)) v(field) = shownAmount(c.digits);
    return FieldOutcome::moveTo(nextInOrder(field));
  }
  if (!passed(c.code)) return refusal(c.code, field);
  v(field) = shownAmount(c.digits);
  return refuseIf(val::checkRescissionAmount(c.digits), field);
}

FieldOutcome EmployeeEntry::monthCount(int n) {
  const auto& item = kCounted[n];
  const std::string typed = text(item.months);
  const std::string months = zeroFilled(typed.empty() ? "0" : typed, 2);
  const auto c = convertAmount(v(item.amount), 8);
  const auto code = val::checkAmountAndMonths(passed(c.code) ? c.digits : val::zeros(8), months, item.item);
  if (code == std::string_view(item.itemCode)) return refusal(code, item.amount);
  if (!passed(code)) return refusal(code, item.months);
  if (typed.size() > 2) return refusal("0040", item.months);
  return refuseIf(val::checkFixedWidthNumeric(months, 2), item.months);
}

// --- save, cancel, delete ----------------------------------------------------------------------------

FieldOutcome EmployeeEntry::zeroRemuneration() {
  for (const char* f : kMonthValue)
    if (amount(f) != 0) return FieldOutcome::accept();
  if (amount(kAdvanceValue) != 0 || amount(kFinalValue) != 0) return FieldOutcome::accept();
  // Nothing paid: a whole-year absence or a dismissal explains it.
  if (!text(kAbsenceReason[0]).empty() && dayMonth(kAbsenceStart[0]) == "0101" && dayMonth(kAbsenceEnd[0]) == "3112")
    return FieldOutcome::accept();
  const std::string c = text(kCause);
  if (!c.empty() && (oneOf(c, {"30", "31", "60", "70", "72", "73", "74", "75", "76", "79"}) ||
                     dayMonth(kDismissal).substr(2) == "01"))
    return FieldOutcome::accept();
  return refusal("1056", kMonthValue[0]);
}

FieldOutcome EmployeeEntry::save() {
  closeRequested_ = false;
  using E = EmployeeEntry;
  static const Rule fieldChecks[] = {
      &E::pis,        &E::name,       &E::birth,    &E::race,          &E::disabled,    &E::disabilityKind,
      &E::sex,        &E::nationality, &E::arrival, &E::instruction,   &E::cardNumber,  &E::cardSeries,
      &E::cpf,        &E::companyUse, &E::admission, &E::admissionType, &E::salary,     &E::weeklyHours,
      &E::salaryType, &E::occupation, &E::vinculo};
  for (Rule rule : fieldChecks)
    if (auto out = (this->*rule)(false); out.refuses) return out;

  // A minor without a permit is not declared: the link goes.
  if (val::checkPermitAndAge(v(kPermit), digits(kBirth), text(kVinculo), kBaseYear) == std::string_view("1")) {
    if (ask("3532") == platform::button::kNo) return FieldOutcome::stop(kName);
    if (mode_ == EntryMode::Open) {
      store::Transaction tx(db_);
      deleteRow();
      tx.commit();
    }
    readStoredCounts();
    closeRequested_ = true;
    return FieldOutcome::stop("");
  }

  static const Rule dismissalChecks[] = {&E::cause,        &E::dismissal,    &E::notice,    &E::advanceMonth,
                                         &E::advanceValue, &E::finalMonth,   &E::finalValue};
  for (Rule rule : dismissalChecks)
    if (auto out = (this->*rule)(false); out.refuses) return out;

  for (int m = 1; m <= 12; ++m) {
    if (amount(kMonthValue[m - 1]) == 0) continue;
    const std::string_view month = kMonthNumber[m];
    if (auto c = val::checkBeforeAdmission(month, digits(kAdmission), referenceYear_); !passed(c))
      return refusal(c, kAdmission);
    if (auto c = val::checkApprenticeAge(month, text(kVinculo), digits(kBirth), kBaseYear); !passed(c))
      return refusal(c, kMonthValue[m - 1]);
  }
  for (const auto& [value, month] : {std::pair{kAdvanceValue, kAdvanceMonth}, std::pair{kFinalValue, kFinalMonth}})
    if (amount(value) != 0)
      if (auto c = val::checkThirteenthMonthAndAdmission(zeroFilled(text(month), 2), digits(kAdmission),
                                                         referenceYear_);
          !passed(c))
        return refusal(c, kAdmission);

  if (v(kUnionMember) != "1") v(kUnionMember) = "2";
  for (int n = 0; n < 5; ++n) {
    if (auto out = unionCnpj(n, false); out.refuses) return out;
    if (auto out = unionAmount(n, false); out.refuses) return out;
  }
  thirteenthPlausibility();
  if (auto out = zeroRemuneration(); out.refuses) return out;

  try {
    store::Transaction tx(db_);
    if (auto out = writeRow(); out.refuses) return out;
    store::storeLinkCounts(db_, key_.baseYear, key_.inscription, key_.prefix);
    tx.commit();
  } catch (const store::EngineError& e) {
    if (e.code() != store::engine_code::kKeyViolation) throw;
    show("1059");
    recount();
    closeRequested_ = true;
    return FieldOutcome::stop("");
  }
  readStoredCounts();
  closeRequested_ = true;
  return FieldOutcome::accept();
}

FieldOutcome EmployeeEntry::writeRow() {
  std::vector<std::pair<std::string, std::string>> row;
  auto put = [&](const char* column, std::string value) { row.emplace_back(column, std::move(value)); };
  put("AnBase", key_.baseYear);
  put("CoCgcCeiEstabelecimento", key_.inscription);
  put("NuPrefixoEstabelecimento", key_.prefix);
  put(kPis, digits(kPis));
  put(kName, text(kName));
  put(kBirth, digits(kBirth));
  put(kAdmission, digits(kAdmission));
  for (const char* f : {kRace, kNationality, kInstruction, kAdmissionType, kSalaryType, kOccupation, kVinculo,
                        kWorkMunicipality, kWorkMunicipalityName, kWorkState, kSex, kPermit, kUnionMember})
    put(f, text(f));
  put(kDisabled, v(kDisabled) == "1" ? "1" : "2");
  put(kDisabilityKind, v(kDisabled) == "1" ? text(kDisabilityKind) : "0");
  put(kCompanyUse, std::string(valueOf(values_, kCompanyUse)));
  put(kWeeklyHours, padded(kWeeklyHours, 2));
  put(kArrival, padded(kArrival, 4));
  put(kCardNumber, zeroFilled(digits(kCardNumber).empty() ? "0" : digits(kCardNumber), 8));
  put(kCardSeries, text(kCardSeries).empty() ? "00000" : text(kCardSeries));
  put(kCpf, zeroFilled(digits(kCpf).empty() ? "0" : digits(kCpf), 11));
  put(kCause, padded(kCause, 2));
  put(kDismissal, dayMonth(kDismissal));
  for (int n = 0; n < 3; ++n) {
    put(kAbsenceReason[n], padded(kAbsenceReason[n], 2));
    put(kAbsenceStart[n], dayMonth(kAbsenceStart[n]));
    put(kAbsenceEnd[n], dayMonth(kAbsenceEnd[n]));
  }
  put(kAbsenceDays, padded(kAbsenceDays, 3));
  put(kAdvanceMonth, padded(kAdvanceMonth, 2));
  put(kFinalMonth, padded(kFinalMonth, 2));
  for (const auto& item : kCounted) put(item.months, padded(item.months, 2));
  for (const char* f : kMonthHours) put(f, padded(f, 3));
  auto money = [&](const char* f, std::size_t width) { put(f, zeroFilled(cents(f), width)); };
  for (const char* f : {kSalary, kNotice, kAdvanceValue, kFinalValue}) money(f, 9);
  for (const char* f : kMonthValue) money(f, 9);
  for (const auto& u : kUnions) {
    const std::string d = digits(u.cnpj);
    put(u.cnpj, d.empty() ? "" : zeroFilled(d, 14));
    money(u.amount, 8);
  }
  for (const char* f : kRescission) money(f, 8);

  // A value longer than its column is refused rather than cut.
  const store::TableDef def = db_.definition("BD8Vinc");
  for (const auto& [column, value] : row) {
    const auto* f = def.field(column);
    std::size_t characters = 0;
    for (unsigned char c : value) characters += (c & 0xC0) != 0x80;
    if (f && f->width > 0 && characters > static_cast<std::size_t>(f->width)) {
      ++messagesShown_;
      ui_.message(DialogKind::Error,
                  "O conteúdo informado é maior que o campo: no máximo " + std::to_string(f->width) + " caracteres.",
                  Buttons::Ok);
      return FieldOutcome::stop(column);
    }
  }

  std::string sql;
  if (mode_ == EntryMode::Open) {
    sql = "UPDATE BD8Vinc SET ";
    for (std::size_t i = 0; i < row.size(); ++i) sql += (i ? ", " : "") + row[i].first + " = :" + row[i].first;
    sql += " WHERE rowid = :RowNumber";
  } else {
    std::string names, params;
    for (std::size_t i = 0; i < row.size(); ++i) {
      names += (i ? ", " : "") + row[i].first;
      params += (i ? ", :" : ":") + row[i].first;
    }
    sql = "INSERT INTO BD8Vinc (" + names + ") VALUES (" + params + ")";
  }
  auto st = db_.prepare(sql);
  for (const auto& [column, value] : row) st.bind(":" + column, value);
  if (mode_ == EntryMode::Open) st.bind(":RowNumber", rowid_);
  st.run();
  return FieldOutcome::accept();
}

void EmployeeEntry::readStoredCounts() {
  // Just recounted into the establishment's row: read them back instead of counting again.
  auto st = db_.prepare("SELECT NuVinculosEstabelecimento, NuEstrangeirosEstabelec FROM BD8Emp WHERE AnBase = :a AND "
                        "CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p");
  st.bind(":a", key_.baseYear).bind(":i", key_.inscription).bind(":p", key_.prefix);
  if (!st.step()) return recount();
  links_ = static_cast<int>(val::integerOrZero(st.text(0)));
  foreigners_ = static_cast<int>(val::integerOrZero(st.text(1)));
}

void EmployeeEntry::deleteRow() {
  db_.prepare("DELETE FROM BD8Vinc WHERE rowid = :r").bind(":r", rowid_).run();
  store::storeLinkCounts(db_, key_.baseYear, key_.inscription, key_.prefix);
}

bool EmployeeEntry::cancel() {
  if (!digits(kPis).empty() &&
      !askYesNo("As informações não salvas serão perdidas. Deseja sair ?"))
    return false;
  recount();
  closeRequested_ = true;
  return true;
}

bool EmployeeEntry::remove() {
  if (mode_ != EntryMode::Open || !askYesNo("Deseja excluir o vínculo ?")) return false;
  store::Transaction tx(db_);
  deleteRow();
  tx.commit();
  readStoredCounts();
  closeRequested_ = true;
  return true;
}
}  // namespace torvex::core::entry
