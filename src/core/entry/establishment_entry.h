#pragma once
// The rules of the establishment window (one BD8Emp row): loading the row with
// its counts recounted, the check of each field when it is left (and the
// questions some fields ask when entered), the size, PAT and closure rules,
// the save sequence (row and counts in one transaction), cancel and close.
// Also used without a window, so each rule is callable on its own.
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::entry {

struct EstablishmentKey {
  std::string baseYear = "2006";
  std::string inscription;  // 14 characters as stored
  std::string prefix;
};

enum class EntryMode { New, Open };

// What the window enables, as the values stand.
struct EstablishmentControls {
  bool linkedCei = false;      // only for a CNPJ
  bool closureDate = false;    // "Encerrou as Atividades" ticked
  bool activity = false;       // "Em Atividade": only "Sem Empregados"
  bool simples = true;         // "Optante pelo Simples": not for size "3"
  bool pat = false;            // the PAT tab: PAT answered "Sim"
  bool links = true;           // "&Vinculos": only "Com Empregados"
};

class EstablishmentEntry {
 public:
  // Display-only fields.
  static constexpr const char* kHeading = "Titulo";
  static constexpr const char* kKindText = "TipoInscricao";
  static constexpr const char* kTotal = "TotalEmpregados";
  static constexpr const char* kActivityName = "NoCnae2";
  static constexpr const char* kLegalNatureName = "NoNaturezaJuridica";

  // `cnaeMark`: the run-wide mark that the CNAE correspondence was accepted.
  EstablishmentEntry(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui,
                     bool& cnaeMark);

  // Fields in tab order (display-only fields included where they sit).
  static const std::vector<std::string>& fieldOrder();
  // The tab (0-4) that holds a field; -1 for fields outside the tabs.
  static int tabOf(std::string_view field);

  // Finds the row ("1006" when missing), reports an interrupted operation in
  // open mode, recounts links, marks the row as being edited and shows it.
  FieldOutcome load(EntryMode mode, const EstablishmentKey& key);

  FieldValues& values() { return values_; }
  const EstablishmentKey& key() const { return key_; }
  EntryMode mode() const { return mode_; }
  EstablishmentControls controls() const;
  bool withEmployees() const;  // "Com Empregados"
  int linkCount() const { return links_; }
  // Closure in the year after the base year (the employee windows are told so).
  bool closesNextYear() const;

  // Check when a field is left; question or notice when one is entered.
  FieldOutcome leave(std::string_view field);
  FieldOutcome enter(std::string_view field);
  // Clicks on the radio groups and the closure box.
  FieldOutcome declarationTypeClicked();  // "Tipo de Declaração"
  void sizeClicked();                     // "Porte": the size rule
  void patClicked();                      // PAT answer
  void closureClicked();                  // "Encerrou as Atividades"

  // Every check in order, the questions, then the row and its counts in one transaction.
  FieldOutcome save();
  // "&Cancelar": asks, then drops a new row or the unsaved changes. Answers
  // whether the window closes.
  bool cancel();
  // Whatever the path: the row's marker of an open entry emptied.
  void close();

  // Single rules, named for the callers that run them without the window.
  FieldOutcome checkCnaeCorrespondence();
  FieldOutcome applyMunicipality();

 private:
  using Rule = FieldOutcome (EstablishmentEntry::*)(bool leaving);
  struct LeaveRule {
    const char* field;
    bool whenFilled;
    Rule check;
  };
  static const std::vector<LeaveRule>& leaveRules();
  static const std::vector<Rule>& saveOrder();

  FieldOutcome name(bool);
  FieldOutcome companyUse(bool);
  FieldOutcome linkedCei(bool);
  FieldOutcome closure(bool);
  FieldOutcome street(bool);
  FieldOutcome number(bool);
  FieldOutcome complement(bool);
  FieldOutcome district(bool);
  FieldOutcome cep(bool);
  FieldOutcome municipality(bool);
  FieldOutcome areaCode(bool);
  FieldOutcome phone(bool);
  FieldOutcome email(bool);
  FieldOutcome activity(bool);
  FieldOutcome correspondence(bool);
  FieldOutcome legalNature(bool);
  FieldOutcome owners(bool);
  FieldOutcome baseMonth(bool);
  FieldOutcome size(bool);
  FieldOutcome simples(bool);
  FieldOutcome patAnswer(bool);
  FieldOutcome patAbove(bool);
  FieldOutcome patBelow(bool);
  FieldOutcome patCounts(bool leaving, const char* field);
  FieldOutcome percentage(bool leaving, const char* field);
  FieldOutcome percentages(bool);
  FieldOutcome unionCnpj(bool);
  FieldOutcome assistanceCnpj(bool);
  FieldOutcome confederativeCnpj(bool);
  FieldOutcome associativeCnpj(bool);
  FieldOutcome entityCnpj(const char* field, int kind, bool kindFirst);
  FieldOutcome unionTotal(bool);
  FieldOutcome associativeTotal(bool);
  FieldOutcome assistanceTotal(bool);
  FieldOutcome confederativeTotal(bool);
  FieldOutcome total(const char* field, const char* cnpjField);
  FieldOutcome centralizing(bool);
  FieldOutcome unionised(bool);
  FieldOutcome centralisationNotice(bool);
  FieldOutcome declarationType(bool);

  std::string& v(std::string_view field);
  std::string digits(std::string_view field) { return digitsOf(v(field)); }
  std::string ownInscription() const { return key_.inscription; }
  std::string kind() const;
  void setHeading();
  void recount();
  void writeRow();
  void setMarker(const char* value);
  std::string ask(std::string_view code);
  bool askYesNo(const std::string& text);

  store::Database& db_;
  const store::ReferenceLookup& ref_;
  platform::Interaction& ui_;
  bool& cnaeMark_;
  EstablishmentKey key_;
  EntryMode mode_ = EntryMode::New;
  FieldValues values_;
  int links_ = 0;
  int foreigners_ = 0;
  bool centralisedAnswered_ = false;   // the union contribution was paid by another establishment
  bool returningFromError_ = false;    // suppresses the centralisation question once
};

// Employee links and foreign employees of an establishment, counted in BD8Vinc.
struct EstablishmentCounts {
  int links = 0;
  int foreigners = 0;
};
EstablishmentCounts countEmployees(store::Database& db, const EstablishmentKey& key);

}  // namespace torvex::core::entry
