#include "support/declaration_samples.h"

#include <sqlite3.h>

#include "core/validation/check_digits.h"

namespace torvex::test {
namespace cs = core::store;

std::string cnpj(const std::string& root8, const std::string& order4) {
  const std::string first12 = root8 + order4;
  return first12 + core::validation::cnpjCheckDigits(first12);
}

std::string pis(const std::string& first10) { return first10 + *core::validation::pisCheckDigit(first10); }

// The municipality of the samples is named as the reference table names it.
const std::string& saoPauloName() {
  static const std::string name = [] {
    std::string out;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(TORVEX_TEST_REFERENCE_DB, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* s = nullptr;
      if (sqlite3_prepare_v2(db, "SELECT NoMunicipio FROM tb8MUNIC WHERE CoMunicipio = '3550308'", -1, &s,
                             nullptr) == SQLITE_OK &&
          sqlite3_step(s) == SQLITE_ROW)
        out.assign(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                   static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
      sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return out;
  }();
  return name;
}

Values validResponsible() {
  return {{"CoCgcCeiResponsavel", cnpj("11222333")},
          {"InInscrResponsavel", "1"},
          {"NoResponsavelArquivo", "CONTABIL EXEMPLO LTDA"},
          {"EdLogradouroRespArquivo", "AVENIDA PAULISTA"},
          {"NuLogradouroRespArquivo", "001000"},
          {"TxComplementoRespArquivo", "SALA 12"},
          {"NoBairroRespArquivo", "BELA VISTA"},
          {"CoCepRespArquivo", "01310100"},
          {"CoMunicipioRespArquivo", "3550308"},
          {"NoMunicipioRespArquivo", saoPauloName()},
          {"SgUfRespArquivo", "SP"},
          {"NuFoneDDD", "11"},
          {"NuFoneAssinante", "32223333"},
          {"TxEMailRespArquivo", "contato@exemplo.com.br"},
          {"InRetificacao", "0"},
          {"DaRetificacao", "00000000"},
          {"DaGeracao", "15022007"}};
}

Values validEstablishment() {
  return {{"AnBase", "2006"},
          {"CoCgcCeiEstabelecimento", cnpj("11222333")},
          {"NuPrefixoEstabelecimento", "00"},
          {"CoCgcVinculado", "00000000000000"},
          {"NoRazaoEstabelecimento", "COMERCIO EXEMPLO LTDA"},
          {"EdEstabelecimento", "RUA DAS FLORES"},
          {"NuEnderecoEstabelecimento", "000100"},
          {"NoBairroEstabelecimento", "CENTRO"},
          {"CoCepEstabelecimento", "01310100"},
          {"CoMunicipio", "3550308"},
          {"NoMunicEstabelecimento", saoPauloName()},
          {"SgUf", "SP"},
          {"NuDDD", "11"},
          {"NuTelefone", "32223333"},
          {"CoCnae", "52116"},
          {"CoNaturezaJuridica", "2062"},
          {"NuProprietEstabelecimento", "00"},
          {"MeDataBase", "05"},
          {"InInscrEstabelecimento", "1"},
          {"InKevaNegEstabelecimento", "0"},
          {"NuVinculosEstabelecimento", "000001"},
          {"NuEstrangeirosEstabelec", "00000"},
          {"InPorte", "3"},
          {"InOptanteSimples", "2"},
          {"InEncerramentoAtividade", "2"},
          {"InParticipaPAT", "2"},
          {"NuVinculoPatMaior5", "000000"},
          {"NuVinculoPatMenor5", "000000"},
          {"PoAdmCozinha", "000"},
          {"PoServicoProprio", "000"},
          {"PoRefeicaoConvenio", "000"},
          {"PoRefeicaoTransportadora", "000"},
          {"PoCestaAlimento", "000"},
          {"PoAlimentacaoConvenio", "000"},
          {"TxEmailEstabelecimento", "rh@exemplo.com.br"},
          {"VaGlobalAssociativa", "00000000"},
          {"CoCNPJSindical", cnpj("33000167")},
          {"VaGlobalSindical", "00012345"},
          {"VaGlobalAssistencial", "00000000"},
          {"VaGlobalConfederativa", "00000000"},
          {"InAtividadeAnoBase", "1"},
          {"InSindicalizada", "2"},
          {"CoCnae2", "4711301"}};
}

Values validLink(const Values& e) {
  Values v{{"AnBase", e.at("AnBase")},
           {"CoCgcCeiEstabelecimento", e.at("CoCgcCeiEstabelecimento")},
           {"NuPrefixoEstabelecimento", e.at("NuPrefixoEstabelecimento")},
           {"CoPisPasepEmpregado", pis("1011234567")},
           {"DaAdmissaoEmpregado", "01032005"},
           {"NoEmpregado", "JOAO DA SILVA"},
           {"DaNascimentoEmpregado", "15061980"},
           {"CoNacionalidade", "10"},
           {"AnChegadaEmpregado", "0000"},
           {"CoInstrucao", "07"},
           {"NuCartTrabEmpregado", "01234567"},
           {"SeCartTrabEmpregado", "00012"},
           {"CoCpfEmpregado", "00000000000"},
           {"CoTipoAdmissao", "2"},
           {"VaSalContratualEmpregado", "000150000"},
           {"CoTipoSalarioContratual", "1"},
           {"HoSemanaisEmpregado", "44"},
           {"CoCbo", "411010"},
           {"CoVinculo", "10"},
           {"CoCausaDesligamento", "00"},
           {"DaDesligamentoEmpregado", "0000"},
           {"Me13AdiantamentoEmpregado", "11"},
           {"Va13AdiantamentoEmpregado", "000075000"},
           {"Me13ParcelaFinalEmpregado", "12"},
           {"Va13ParcelaFinalEmpregado", "000075000"},
           {"CoTipoRaca", "2"},
           {"InDeficienteFisico", "2"},
           {"CoDeficienteFisico", "0"},
           {"VaAvisoPrevioEmpregado", "000000000"},
           {"InAlvaraEmpregado", "2"},
           {"InSexo", "1"},
           {"CoMotivoPrimAfas", "00"},
           {"DaInicioprimeiroAfas", "0000"},
           {"DaFinalPrimeiroAfas", "0000"},
           {"CoMotivoSeguAfas", "00"},
           {"DaInicioSegundoAfas", "0000"},
           {"DaFinalSegundoAfas", "0000"},
           {"CoMotivoTercAfas", "00"},
           {"DaInicioTerceiroAfas", "0000"},
           {"DaFinalTerceiroAfas", "0000"},
           {"QtDiasAfas", "000"},
           {"CoCNPJSindical", cnpj("33000167")},
           {"VaGlobalSindical", "00005000"},
           {"VaGlobalPrimAssociativa", "00000000"},
           {"VaGlobalSegAssociativa", "00000000"},
           {"VaGlobalAssistencial", "00000000"},
           {"VaGlobalConfederativa", "00000000"},
           {"VaGlobalFerias", "00000000"},
           {"VaGlobalMultas", "00000000"},
           {"VaGlobalBcoHoras", "00000000"},
           {"VaGlobalDissidio", "00000000"},
           {"QtCompBcoHoras", "00"},
           {"QtCompDissidio", "00"},
           {"VaGlobalGratificacoes", "00000000"},
           {"QtCompGratificacoes", "00"},
           {"InSindicalizadoVinculo", "2"}};
  for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                        "Outubro", "Novembro", "Dezembro"}) {
    v[std::string("Va") + m + "Empregado"] = "000150000";
    v[std::string("HoTrabalhadas") + m] = "000";
  }
  return v;
}

void insertRow(cs::Database& db, const std::string& table, const Values& values) {
  const cs::TableDef def = db.definition(table);
  std::string cols, params;
  for (const auto& [k, v] : values) {
    if (!cols.empty()) cols += ", ";
    if (!params.empty()) params += ", ";
    cols += cs::quoteIdentifier(k);
    params += ":" + k;
  }
  auto s = db.prepare("INSERT INTO " + cs::quoteIdentifier(table) + " (" + cols + ") VALUES (" + params + ")");
  for (const auto& [k, v] : values) {
    const auto* f = def.field(k);
    if (f && f->kind == cs::FieldKind::Logical)
      s.bindLogical(":" + k, v.empty() ? std::nullopt : std::optional<bool>(v == "1"));
    else
      s.bind(":" + k, v);
  }
  s.run();
}

std::vector<ErrorRow> errorRows(cs::Database& db) {
  std::vector<ErrorRow> out;
  if (!db.tableExists("Te8ErrWa")) return out;
  auto s = db.prepare("SELECT * FROM Te8ErrWa ORDER BY errwar, Sequencial");
  while (s.step()) {
    ErrorRow r;
    for (int i = 0; i < s.columnCount(); ++i) r.f[s.columnName(i)] = s.text(i);
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<std::string> findingLines(cs::Database& db) {
  std::vector<std::string> out;
  for (const auto& r : errorRows(db)) out.push_back(r["errwar"] + " " + r["retorno"] + " " + r["lbl"] + " " + r["Conteudo"]);
  return out;
}

CheckBench::CheckBench() : db(folder.db()), reference(db), engine(db, reference, ui) {}

int CheckBench::run(const core::consistency::CheckParameters& p) { return engine.run(p); }

int CheckBench::verify() {
  core::consistency::CheckParameters p;
  p.baseYearFilter = "2006";
  return engine.run(p);
}

}  // namespace torvex::test
