#pragma once
// The rules of the employee window (one BD8Vinc row of an establishment).
//
// For the window:
// - Values: `values()` holds the text of every field by its column name, as the
//   window shows it: PIS as 11 digits, full dates "dd/mm/aaaa", day-month dates
//   "dd/mm", amounts as money ("1.234,56"), codes bare (stored placeholders
//   shown empty), radio fields as their stored value ("1"/"2"; sex "1"/"2"/"").
//   The descriptions beside the code fields are the display-only fields below
//   (kRaceName ...). Read the widgets into values() before every call, show
//   values() and controls() after it.
// - `fieldOrder()` is the tab order across the seven pages, `pageOf(field)` the
//   page a field is on, `pageCaptions()` the page captions.
// - `leave(field)` runs the check of a field being left and answers a
//   FieldOutcome: a refusal carries the code to show and the field to focus
//   (possibly on another page); an accepted outcome may carry `next`, the field
//   the focus moves to. Warnings and questions along the way are shown by the
//   rules themselves through the Interaction; `messagesShown()` counts them (a
//   page change is refused once after any message). Pass `toCancel` when the
//   focus is moving to "&Cancelar" or "&Excluir": only the checks that run
//   whatever the target run then.
// - A check may switch the window to another row (the duplicate admission) or
//   ask it to close (the repetition check answered No): see `closeRequested()`
//   and `listSearchPis()`.
// - `save()` ("&Ok"), `cancel()` ("&Cancelar"), `remove()` ("&Excluir"). After
//   each, `closeRequested()` says whether the window closes, and
//   `establishmentHasLinks()` whether the establishment still has links.
// - The radio clicks: `disabledClicked()`, `permitClicked()`.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/entry/establishment_entry.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::entry {

// The stored key of an existing link as the employee list gives it.
struct LinkKey {
  std::string pis;        // 11 digits
  std::string admission;  // ddmmyyyy
  std::string name;       // needed when the PIS is all zeros
};

// The two rationed warnings of the vínculo field: each is shown on its first
// three occasions of a program run, then never again. One per program run.
struct LinkWarningCounters {
  int activity = 1;
  int legalNature = 1;
};

// What the window enables, as the values stand.
struct EmployeeControls {
  bool disabilityKind = false;  // "Deficiente" answered "Sim"
  bool arrivalYear = false;     // a foreign nationality
  bool permit = false;          // "Alvará"
  bool dismissalDate = false;   // a cause that ends the link
  bool notice = false;          // "Aviso Prévio Indenizado"
  bool rescission = false;      // the amounts and month counts paid on rescission
  bool remove = false;          // "&Excluir": existing links only
};

class EmployeeEntry {
 public:
  // Display-only fields.
  static constexpr const char* kTitle = "Titulo";
  static constexpr const char* kRaceName = "NoTipoRaca";
  static constexpr const char* kDisabilityName = "NoDeficienteFisico";
  static constexpr const char* kNationalityName = "NoNacionalidade";
  static constexpr const char* kInstructionName = "NoInstrucao";
  static constexpr const char* kAdmissionTypeName = "NoTipoAdmissao";
  static constexpr const char* kSalaryTypeName = "NoTipoSalarioContratual";
  static constexpr const char* kOccupationName = "NoCbo";
  static constexpr const char* kVinculoName = "NoVinculo";
  static constexpr const char* kCauseName = "NoCausaDesligamento";
  static constexpr const char* kAbsenceNames[3] = {"NoMotivoPrimAfas", "NoMotivoSeguAfas", "NoMotivoTercAfas"};
  static constexpr const char* kAdvanceMonthName = "NoMes13Adiantamento";
  static constexpr const char* kFinalMonthName = "NoMes13ParcelaFinal";
  // NoMunicipioTrabalho and SgUfTrabalho are stored columns shown read-only.

  EmployeeEntry(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui,
                LinkWarningCounters& counters);

  // Fields in tab order across the pages.
  static const std::vector<std::string>& fieldOrder();
  // The page (0-6) of a field, display-only fields included; -1 for none.
  static int pageOf(std::string_view field);
  static const std::vector<std::string>& pageCaptions();

  // Opens the window on a new link (no key) or on an existing one. Refuses with
  // "1006" when the establishment is missing; a missing link is told and refused.
  FieldOutcome load(const EstablishmentKey& establishment, const std::optional<LinkKey>& link);

  FieldValues& values() { return values_; }
  const FieldValues& values() const { return values_; }
  EntryMode mode() const { return mode_; }
  EmployeeControls controls() const;
  // The base year, plus one for an establishment that closes in the next year.
  int referenceYear() const { return referenceYear_; }
  int linkCount() const { return links_; }
  int foreignerCount() const { return foreigners_; }

  FieldOutcome leave(std::string_view field, bool toCancel = false);
  // "Deficiente" and "Alvará" clicked (the value already in values()).
  FieldOutcome disabledClicked();
  FieldOutcome permitClicked();

  // Every check in order, then the row and the establishment's counts in one
  // transaction. A refusal writes nothing.
  FieldOutcome save();
  // "&Cancelar": asks when something was typed; answers whether the window closes.
  bool cancel();
  // "&Excluir": asks, then deletes the row and stores the counts; answers whether it did.
  bool remove();

  bool closeRequested() const { return closeRequested_; }
  // The PIS to put in the employee list's search field on closing ("" none).
  const std::string& listSearchPis() const { return listSearchPis_; }
  bool establishmentHasLinks() const { return links_ > 0; }
  // Messages shown by the rules so far (a changed count refuses the next page change).
  int messagesShown() const { return messagesShown_; }

 private:
  struct Establishment {
    std::string name, kind, closure, closureDate, activity, legalNature, anBase;
  };
  using Rule = FieldOutcome (EmployeeEntry::*)(bool leaving);
  struct LeaveRule {
    const char* field;
    Rule check;
  };
  static const std::vector<LeaveRule>& leaveRules();

  // Field checks (leaving: true when the field is left, false on saving).
  FieldOutcome pis(bool leaving);
  FieldOutcome name(bool leaving);
  FieldOutcome birth(bool leaving);
  FieldOutcome race(bool leaving);
  FieldOutcome disabled(bool leaving);
  FieldOutcome disabilityKind(bool leaving);
  FieldOutcome sex(bool leaving);
  FieldOutcome nationality(bool leaving);
  FieldOutcome arrival(bool leaving);
  FieldOutcome instruction(bool leaving);
  FieldOutcome cardNumber(bool leaving);
  FieldOutcome cardSeries(bool leaving);
  FieldOutcome cpf(bool leaving);
  FieldOutcome companyUse(bool leaving);
  FieldOutcome admission(bool leaving);
  FieldOutcome admissionType(bool leaving);
  FieldOutcome salary(bool leaving);
  FieldOutcome weeklyHours(bool leaving);
  FieldOutcome salaryType(bool leaving);
  FieldOutcome occupation(bool leaving);
  FieldOutcome vinculo(bool leaving);
  FieldOutcome cause(bool leaving);
  FieldOutcome dismissal(bool leaving);
  FieldOutcome notice(bool leaving);
  FieldOutcome workMunicipality(bool leaving);
  FieldOutcome absenceDays(bool leaving);
  FieldOutcome advanceMonth(bool leaving);
  FieldOutcome advanceValue(bool leaving);
  FieldOutcome finalMonth(bool leaving);
  FieldOutcome finalValue(bool leaving);

  // Rules of several fields.
  FieldOutcome absenceReason(int n);
  FieldOutcome absenceStart(int n);
  FieldOutcome absenceEnd(int n);
  FieldOutcome unionCnpj(int n, bool leaving);
  FieldOutcome unionAmount(int n, bool leaving);
  FieldOutcome membershipQuestion();
  FieldOutcome remuneration(int month);
  FieldOutcome yearChecks();
  FieldOutcome hours(int month);
  FieldOutcome rescissionAmount(int n);
  FieldOutcome monthCount(int n);
  FieldOutcome thirteenthAmount(bool final, bool leaving);
  FieldOutcome thirteenthPlausibility();
  FieldOutcome zeroRemuneration();
  bool repetitionCheck();  // true when the personal data were copied
  FieldOutcome duplicateAdmission();
  void birthConsistency();
  void rationedWarning(std::string_view code, int& counter);
  void applyCause(bool focusing, FieldOutcome& out);
  void noticeQuestion(FieldOutcome& out);
  void setPermitFromLoad();

  // Row access.
  bool readRow(const LinkKey& key);
  void showRow(store::Statement& row);
  FieldOutcome writeRow();  // refuses a value longer than its column
  void recount();
  void readStoredCounts();
  void deleteRow();

  std::string& v(std::string_view field) { return values_[std::string(field)]; }
  std::string digits(std::string_view field) const { return digitsOf(valueOf(values_, field)); }
  std::string text(std::string_view field) const { return trimmed(valueOf(values_, field)); }
  std::string dayMonth(std::string_view field) const;  // ddmm, "0000" when empty
  // The typed text zero-filled to its stored width ("" gives zeros; a longer text stays as typed).
  std::string padded(std::string_view field, std::size_t width) const;
  std::string cents(std::string_view field) const;      // amount as cents text, "0" when unreadable
  std::int64_t amount(std::string_view field) const;
  void show(std::string_view code);
  std::string ask(std::string_view code);
  bool askYesNo(const std::string& text);
  void describe(store::CodeTable table, std::string_view field, const char* nameField);
  bool pisAllZero() const;

  store::Database& db_;
  const store::ReferenceLookup& ref_;
  platform::Interaction& ui_;
  LinkWarningCounters& counters_;
  EstablishmentKey key_;
  Establishment est_;
  EntryMode mode_ = EntryMode::New;
  FieldValues values_;
  int referenceYear_ = 0;
  std::int64_t rowid_ = 0;             // the row being edited (existing links)
  std::string openingAdmission_;       // ddmmyyyy
  std::string entryPis_;
  std::string lastLookedUpPis_;
  int links_ = 0;
  int foreigners_ = 0;
  bool permitEnabled_ = false;
  bool noticeEnabled_ = false;
  bool noticePaid_ = false;
  bool rescissionOpen_ = true;
  bool closeRequested_ = false;
  std::string listSearchPis_;
  int messagesShown_ = 0;
};

}  // namespace torvex::core::entry
