#include "reference_fixture.h"

namespace torvex::core::validation::testing {

std::unique_ptr<test::TempDataFolder> ReferenceFixture::folder_;
std::unique_ptr<store::ReferenceLookup> ReferenceFixture::ref_;

namespace {

struct Row {
  const char* table;
  const char* columns;
  std::vector<std::string> values;
};

void replaceRows(store::Database& db, const std::vector<Row>& rows) {
  for (const auto& r : rows) {
    std::string sql = std::string("INSERT OR REPLACE INTO ") + r.table + " (" + r.columns + ") VALUES (";
    for (std::size_t i = 0; i < r.values.size(); ++i) sql += (i ? ", :v" : ":v") + std::to_string(i);
    sql += ")";
    auto st = db.prepare(sql);
    for (std::size_t i = 0; i < r.values.size(); ++i) st.bind(":v" + std::to_string(i), r.values[i]);
    st.run();
  }
}

}  // namespace

void ReferenceFixture::SetUpTestSuite() {
  folder_ = std::make_unique<test::TempDataFolder>();
  auto& db = folder_->db();
  db.prepare("DELETE FROM tbUfCep WHERE CoUf IN ('35', '53')").run();
  db.prepare("DELETE FROM tb8FXCEP WHERE CoMunicipio LIKE '__9999_'").run();
  const char* munic = "CoMunicipio, NoMunicipio, CoCep, InFaixa";
  replaceRows(db, {
      {"TbUf", "CoUf, SgUf, NoUf", {"35", "SP", "Sao Paulo"}},
      {"TbUf", "CoUf, SgUf, NoUf", {"53", "DF", "Distrito Federal"}},
      {"tb8MUNIC", munic, {"3599991", "VILA TESTE", "13000", "0"}},   // single prefix
      {"tb8MUNIC", munic, {"3599992", "SERRA TESTE", "", "1"}},       // two ranges
      {"tb8MUNIC", munic, {"3599993", "SEM CEP", "", "0"}},           // no CEP data
      {"tb8MUNIC", munic, {"3599994", "FAIXA PERDIDA", "", "1"}},     // ranged, no range row
      {"tb8MUNIC", munic, {"5399991", "PLANALTO TESTE", "70000", "0"}},
      {"tb8FXCEP", "CoMunicipio, CoCep1Inicial, CoCep1Final, CoCep2Inicial, CoCep2Final",
       {"3599992", "12000", "12099", "12500", "12510"}},
      {"tbUfCep", "CoUf, IdUf, CoCepInicial, CoCepFinal", {"35", "1", "01000", "09999"}},
      {"tbUfCep", "CoUf, IdUf, CoCepInicial, CoCepFinal", {"35", "2", "11000", "19999"}},
      {"tbUfCep", "CoUf, IdUf, CoCepInicial, CoCepFinal", {"53", "1", "70000", "73699"}},
      {"tb8Cnae", "CoCnae, NoCnae", {"8112500", "Condominios prediais"}},
      {"tb8Cnae", "CoCnae, NoCnae", {"8411600", "Administracao publica em geral"}},
      {"tb8NATJU", "CoNaturezaJuridica, NoNaturezaJuridica", {"2062", "Sociedade Empresaria Limitada"}},
      {"tb8NACIO", "CoNacionalidade, NoNacionalidade", {"10", "Brasileira"}},
      {"tb8INSTR", "CoInstrucao, NoInstrucao", {"07", "Medio completo"}},
      {"tb8TPADM", "CoTipoAdmissao, NoTipoAdmissao", {"2", "Reemprego"}},
      {"tb8TPSAL", "CoTipoSalarioContratual, NoTipoSalarioContratual", {"1", "Mensal"}},
      {"Tb8raca", "CoRaca, NoRaca", {"2", "Branca"}},
      {"tbDefi", "CoTipoDeficiencia, NoTipoDeficiencia", {"1", "Fisica"}},
      {"tb8vinc", "CoVinculo, NoVinculo", {"10", "CLT"}},
      {"tb8DESL", "CoCausaDesligamento, NoCausaDesligamento", {"11", "Sem justa causa"}},
      {"tb8cbo", "CoCbo, NoCbo, InCriticaAna, InCriticaCbo", {"223505", "Enfermeiro", "0", "1"}},
      {"tb8cbo", "CoCbo, NoCbo, InCriticaAna, InCriticaCbo", {"351305", "Tecnico", "1", "0"}},
      {"tb8cbo", "CoCbo, NoCbo, InCriticaAna, InCriticaCbo", {"782510", "Motorista", "0", "0"}},
  });
  db.prepare("DELETE FROM tb8cbo WHERE CoCbo = '999999'").run();
  db.prepare("DELETE FROM tb8MUNIC WHERE CoMunicipio = '3599999'").run();
  ref_ = std::make_unique<store::ReferenceLookup>(db);
}

void ReferenceFixture::TearDownTestSuite() {
  ref_.reset();
  folder_.reset();
}

}  // namespace torvex::core::validation::testing
