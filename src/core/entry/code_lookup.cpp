#include "core/entry/code_lookup.h"

#include "core/entry/entry_form.h"
#include "core/store/database.h"
#include "core/validation/text_ops.h"

namespace torvex::core::entry {
namespace {

const std::vector<LookupDef>& definitions() {
  using K = LookupKind;
  static const std::vector<LookupDef> defs = {
      {K::Municipality, "Relação de Unidades da Federação", "tb8MUNIC", "CoMunicipio", "NoMunicipio", {2}, 7},
      {K::Activity, "Relação de Atividades Econômicas ( CNAE 2.0 )", "tb8Cnae", "CoCnae", "NoCnae", {2}, 7},
      {K::LegalNature, "Relação de Códigos de Natureza Jurídica", "tb8NATJU", "CoNaturezaJuridica",
       "NoNaturezaJuridica", {}, 5},
      {K::Occupation, "Relação dos Códigos de Ocupação ( CBO )", "tb8cbo", "CoCbo", "NoCbo", {2, 3, 4}, 6},
      {K::Schooling, "Relação de Grau de Instrução", "tb8INSTR", "CoInstrucao", "NoInstrucao", {}, 2},
      {K::AdmissionType, "Relação do Tipo de Admissão", "tb8TPADM", "CoTipoAdmissao", "NoTipoAdmissao", {}, 1},
      {K::SalaryType, "Relação de Tipo de Salário", "tb8TPSAL", "CoTipoSalarioContratual", "NoTipoSalarioContratual",
       {}, 1},
      {K::LinkType, "Relação de Tipo de Vínculo Empregatício", "tb8vinc", "CoVinculo", "NoVinculo", {}, 2},
      {K::TerminationCause, "Relação dos Tipos de Desligamento", "tb8DESL", "CoCausaDesligamento",
       "NoCausaDesligamento", {}, 2},
      {K::Nationality, "Relação de Nacionalidade", "tb8NACIO", "CoNacionalidade", "NoNacionalidade", {}, 2},
      {K::Race, "Relação de Raça/Cor", "Tb8raca", "CoRaca", "NoRaca", {}, 2},
      {K::Disability, "Relação de Deficiência", "tbDefi", "CoTipoDeficiencia", "NoTipoDeficiencia", {}, 1},
      {K::LeaveReason, "Relação de Códigos de Afastamento", "tb8Afast", "CoAfastamento", "NoAfastamento", {}, 2},
      {K::Month, "Relação de Meses do Ano", "", "", "", {}, 2},
  };
  return defs;
}

}  // namespace

const LookupDef& lookupDef(LookupKind kind) {
  for (const auto& d : definitions())
    if (d.kind == kind) return d;
  return definitions().front();
}

std::vector<LookupEntry> lookupEntries(store::Database& db, LookupKind kind) {
  const LookupDef& def = lookupDef(kind);
  std::vector<LookupEntry> out;
  if (kind == LookupKind::Month) {
    for (int m = 1; m <= 12; ++m) {
      char code[3] = {static_cast<char>('0' + m / 10), static_cast<char>('0' + m % 10), 0};
      out.push_back({std::string(code) + " - " + std::string(validation::monthName(std::to_string(m))), 0, true});
    }
    return out;
  }
  auto st = db.prepare(std::string("SELECT ") + store::quoteIdentifier(def.codeColumn) + ", " +
                       store::quoteIdentifier(def.nameColumn) + " FROM " + store::quoteIdentifier(def.table) +
                       " ORDER BY 1");
  const int levels = static_cast<int>(def.headingLengths.size());
  while (st.step()) {
    const std::string code = st.text(0);
    int level = levels;
    for (int i = 0; i < levels; ++i)
      if (code.size() <= def.headingLengths[static_cast<std::size_t>(i)]) {
        level = i;
        break;
      }
    out.push_back({code + "  - " + st.text(1), level, level == levels});
  }
  return out;
}

std::string lookupCode(LookupKind kind, std::string_view entryText) {
  return trimmed(entryText.substr(0, std::min(entryText.size(), lookupDef(kind).codeTaken)));
}

}  // namespace torvex::core::entry
