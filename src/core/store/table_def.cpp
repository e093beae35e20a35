#include "core/store/table_def.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace torvex::core::store {
namespace {

// Fields are written "Name:width" for text and "Name:L" for logical; a
// trailing "!" marks a required field.
std::vector<FieldDef> parseFields(std::string_view text) {
  std::vector<FieldDef> out;
  std::istringstream in{std::string(text)};
  std::string token;
  while (in >> token) {
    FieldDef f;
    if (!token.empty() && token.back() == '!') {
      f.required = true;
      token.pop_back();
    }
    const auto colon = token.find(':');
    f.name = token.substr(0, colon);
    const std::string w = token.substr(colon + 1);
    if (w == "L") {
      f.kind = FieldKind::Logical;
    } else {
      f.width = std::stoi(w);
    }
    out.push_back(std::move(f));
  }
  return out;
}

std::vector<std::string> splitKey(std::string_view fields) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : fields) {
    if (c == ';') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

IndexDef primary(std::string_view fields, std::string name = "Main") {
  return IndexDef{std::move(name), splitKey(fields), true, true, false};
}

TableDef make(std::string name, DbFile db, std::string_view fields, std::vector<IndexDef> indexes = {}) {
  return TableDef{std::move(name), db, parseFields(fields), std::move(indexes)};
}

constexpr std::string_view kResponsibleColumns =
    "CoCgcCeiResponsavel:14 InInscrResponsavel:1 NoResponsavelArquivo:40 EdLogradouroRespArquivo:40 "
    "NuLogradouroRespArquivo:6 TxComplementoRespArquivo:21 NoBairroRespArquivo:19 CoCepRespArquivo:8 "
    "CoMunicipioRespArquivo:7 NoMunicipioRespArquivo:30 SgUfRespArquivo:2 NuFoneDDD:2 NuFoneAssinante:8 "
    "TxEMailRespArquivo:45 InReciboParaRespArquivo:L InRetificacao:L DaRetificacao:8 InAntecipacao:L "
    "DaGeracao:8 InDicasSemEmpregados:L InDicas:L NuRespostaPesquisa:48 HoSenha:6";

constexpr std::string_view kEstablishmentColumns =
    "AnBase:4 CoCgcCeiEstabelecimento:14 NuPrefixoEstabelecimento:2 CoCgcVinculado:14 "
    "NoRazaoEstabelecimento:52 EdEstabelecimento:40 NuEnderecoEstabelecimento:6 TxComplemEstabelecimento:21 "
    "NoBairroEstabelecimento:19 CoCepEstabelecimento:8 CoMunicipio:7 NoMunicEstabelecimento:30 SgUf:2 "
    "NuDDD:2 NuTelefone:8 CoCnae:5 CoNaturezaJuridica:4 NuProprietEstabelecimento:2 MeDataBase:2 "
    "InInscrEstabelecimento:1 InKevaNegEstabelecimento:1 TxUsoEstabelecimento:12 NuVinculosEstabelecimento:6 "
    "NuEstrangeirosEstabelec:5 InOpcaoAberta:1 NuSequencialRegistro:6 InPorte:1 InOptanteSimples:1 "
    "InEncerramentoAtividade:1 DaEncerramentoAtividade:8 InAvisoCnae:L InParticipaPAT:1 NuVinculoPatMaior5:6 "
    "NuVinculoPatMenor5:6 PoAdmCozinha:3 PoServicoProprio:3 PoRefeicaoConvenio:3 PoRefeicaoTransportadora:3 "
    "PoCestaAlimento:3 PoAlimentacaoConvenio:3 TxEmailEstabelecimento:45 CoCNPJAssociativa:14 "
    "VaGlobalAssociativa:8 CoCNPJSindical:14 VaGlobalSindical:8 CoCNPJAssistencial:14 VaGlobalAssistencial:8 "
    "CoCNPJConfederativa:14 VaGlobalConfederativa:8 InAtividadeAnoBase:1 InSindicalizada:1 "
    "CoCNPJCentralizada:14 CoCnae2:7";

constexpr std::string_view kEstablishmentKey = "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento";

constexpr std::string_view kLinkColumns =
    "AnBase:4 CoCgcCeiEstabelecimento:14 NuPrefixoEstabelecimento:2 CoPisPasepEmpregado:11 "
    "DaAdmissaoEmpregado:8 NoEmpregado:30 NuSequencialRegistro:6 DaNascimentoEmpregado:8 CoNacionalidade:2 "
    "AnChegadaEmpregado:4 CoInstrucao:2 NuCartTrabEmpregado:8 CoCpfEmpregado:11 CoTipoAdmissao:1 "
    "VaSalContratualEmpregado:9 CoTipoSalarioContratual:1 HoSemanaisEmpregado:2 CoCbo:6 CoVinculo:2 "
    "CoCausaDesligamento:2 DaDesligamentoEmpregado:4 VaJaneiroEmpregado:9 VaFevereiroEmpregado:9 "
    "VaMarcoEmpregado:9 VaAbrilEmpregado:9 VaMaioEmpregado:9 VaJunhoEmpregado:9 VaJulhoEmpregado:9 "
    "VaAgostoEmpregado:9 VaSetembroEmpregado:9 VaOutubroEmpregado:9 VaNovembroEmpregado:9 "
    "VaDezembroEmpregado:9 Me13AdiantamentoEmpregado:2 Va13AdiantamentoEmpregado:9 "
    "Me13ParcelaFinalEmpregado:2 Va13ParcelaFinalEmpregado:9 TxUsoEmpregado:12 CoTipoRaca:1 "
    "InDeficienteFisico:1 VaAvisoPrevioEmpregado:9 InAlvaraEmpregado:1 InSexo:1 CoMotivoPrimAfas:2 "
    "DaInicioprimeiroAfas:4 DaFinalPrimeiroAfas:4 CoMotivoSeguAfas:2 DaInicioSegundoAfas:4 "
    "DaFinalSegundoAfas:4 CoMotivoTercAfas:2 DaInicioTerceiroAfas:4 DaFinalTerceiroAfas:4 QtDiasAfas:3 "
    "CoMotivoAfastamento:2 CoCNPJSindical:14 VaGlobalSindical:8 CoCNPJPrimAssociativa:14 "
    "VaGlobalPrimAssociativa:8 CoCNPJSegAssociativa:14 VaGlobalSegAssociativa:8 CoCNPJAssistencial:14 "
    "VaGlobalAssistencial:8 CoCNPJConfederativa:14 VaGlobalConfederativa:8 VaGlobalFerias:8 "
    "VaGlobalMultas:8 VaGlobalBcoHoras:8 VaGlobalDissidio:8 QtCompBcoHoras:2 QtCompDissidio:2 "
    "VaGlobalGratificacoes:8 QtCompGratificacoes:2 CoMunicipioTrabalho:7 NoMunicipioTrabalho:30 "
    "SgUfTrabalho:2 HoTrabalhadasJaneiro:3 HoTrabalhadasFevereiro:3 HoTrabalhadasMarco:3 "
    "HoTrabalhadasAbril:3 HoTrabalhadasMaio:3 HoTrabalhadasJunho:3 HoTrabalhadasJulho:3 "
    "HoTrabalhadasAgosto:3 HoTrabalhadasSetembro:3 HoTrabalhadasOutubro:3 HoTrabalhadasNovembro:3 "
    "HoTrabalhadasDezembro:3 SeCartTrabEmpregado:5 CoDeficienteFisico:1 InSindicalizadoVinculo:1";

constexpr std::string_view kLinkKey =
    "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;"
    "NoEmpregado;NuSequencialRegistro";

std::vector<TableDef> buildDefinitions() {
  using D = DbFile;
  std::vector<TableDef> t;
  // Declaration tables.
  t.push_back(make("BD8Resp", D::Declaration, kResponsibleColumns));
  t.push_back(make("BD8Emp", D::Declaration, kEstablishmentColumns, {primary(kEstablishmentKey)}));
  t.push_back(make("BD8Vinc", D::Declaration, kLinkColumns, {primary(kLinkKey)}));

  // Work copies: same fields as the declaration tables.
  t.push_back(make("Te8resp", D::Work, kResponsibleColumns));
  t.push_back(make("Te8emp", D::Work, kEstablishmentColumns, {primary(kEstablishmentKey)}));
  t.push_back(make("Te8vinc", D::Work, kLinkColumns, {primary(kLinkKey, "Te8vinc")}));

  // Scratch tables of the check, the analyser, the import and the writer.
  t.push_back(make("Te8ErrWa", D::Work,
                   "errwar:3 inscricao:14 tipoinscricao:1 prefixo:2 tiporegistro:1 retorno:4 razaosocial:52 "
                   "copispasep:11 noempregado:30 DaAdmissao:8 usoempresa:12 lbl:4 Conteudo:52 Sequencial:6"));
  t.push_back(make("Te8stru", D::Work,
                   "AnBase:4 CoMsg:4 Sequencia:6 InscricaoPrefixo:16 TipoCampo:1 PosicaoInicial:3 Conteudo:20"));
  t.push_back(make("TE8Imp", D::Work,
                   "AnBase:4! CoCgcCeiEstabelecimento:14! NuPrefixoEstabelecimento:2! CoCgcVinculado:14 "
                   "InInscrEstabelecimento:1 NuVinculosEstabelecimento:6 NuTotalDesligados:6 NuTotalDuplicados:6 "
                   "NuTotalImportados:6 CoImp:4 Seq:3"));
  t.push_back(make("te8ProID", D::Work,
                   "NuDisquete:3 AnBase:4 CoCgcCeiEstabelecimento:14 NuPrefixoEstabelecimento:2 "
                   "InInscrEstabelecimento:1 NoRazaoEstabelecimento:52 EdEstabelecimento:40 "
                   "NuEnderecoEstabelecimento:6 TxComplemEstabelecimento:21 NoBairroEstabelecimento:19 "
                   "CoCepEstabelecimento:8 CoMunicipio:7 NoMunicEstabelecimento:30 SgUf:2 NuDDD:2 NuTelefone:8 "
                   "TxEMailEstabelecimento:45 CoCgcCeiResponsavel:14 InInscrResponsavel:1 NoResponsavelArquivo:40 "
                   "EdLogradouroRespArquivo:40 NuLogradouroRespArquivo:6 TxComplementoRespArquivo:21 "
                   "NoBairroRespArquivo:19 CoCepRespArquivo:8 CoMunicipioRespArquivo:7 NoMunicipioRespArquivo:30 "
                   "SgUfRespArquivo:2 NuFoneDDD:2 NuFoneAssinante:8 TxEMailRespArquivo:45 "
                   "InReciboParaRespArquivo:L InRetificacao:L DaGeracao:8 HoSenha:6 NuEstabelecimentos:6 "
                   "NuVinculos:6 InEncerramentoAtividade:1 DaEncerramentoAtividade:8"));
  t.push_back(make("te8ProES", D::Work,
                   "NuDisquete:3 CoCgcCeiEstabelecimento:14 NuPrefixoEstabelecimento:2 CoCgcVinculado:14 "
                   "InInscrEstabelecimento:1 NoRazaoEstabelecimento:52 NuVinculosEstabelecimento:6 "
                   "DaEncerramentoAtividade:8"));

  // Reference tables.
  t.push_back(make("tb8MUNIC", D::Reference, "CoMunicipio:7 NoMunicipio:40 CoCep:5 InFaixa:1",
                   {primary("CoMunicipio")}));
  t.push_back(make("TbUf", D::Reference, "CoUf:2 SgUf:2 NoUf:19",
                   {primary("CoUf;SgUf"), IndexDef{"ISgUf", {"SgUf"}, false, false, true}}));
  t.push_back(make("tbUfCep", D::Reference, "CoUf:2 IdUf:1 CoCepInicial:5 CoCepFinal:5"));
  t.push_back(make("tb8FXCEP", D::Reference,
                   "CoMunicipio:7 CoCep1Inicial:5 CoCep1Final:5 CoCep2Inicial:5 CoCep2Final:5",
                   {primary("CoMunicipio")}));
  t.push_back(make("tb8Cnae", D::Reference, "CoCnae:7 NoCnae:200", {primary("CoCnae")}));
  t.push_back(make("tbcnaeco", D::Reference, "CoCnae2:7 CoCnae1:5 InPreferencial:1", {primary("CoCnae2")}));
  t.push_back(make("tb8NATJU", D::Reference, "CoNaturezaJuridica:4 NoNaturezaJuridica:100",
                   {primary("CoNaturezaJuridica")}));
  t.push_back(make("tb8NACIO", D::Reference, "CoNacionalidade:2 NoNacionalidade:30", {primary("CoNacionalidade")}));
  t.push_back(make("tb8INSTR", D::Reference, "CoInstrucao:2 NoInstrucao:150", {primary("CoInstrucao")}));
  t.push_back(make("tb8TPADM", D::Reference, "CoTipoAdmissao:1 NoTipoAdmissao:190", {primary("CoTipoAdmissao")}));
  t.push_back(make("Tb8raca", D::Reference, "CoRaca:1 NoRaca:30", {primary("CoRaca")}));
  t.push_back(make("tb8cbo", D::Reference, "CoCbo:6 NoCbo:200 InCriticaAna:L InCriticaCbo:L", {primary("CoCbo")}));
  t.push_back(make("tb8vinc", D::Reference, "CoVinculo:2 NoVinculo:150", {primary("CoVinculo")}));
  t.push_back(make("tb8DESL", D::Reference, "CoCausaDesligamento:2 NoCausaDesligamento:190",
                   {primary("CoCausaDesligamento")}));
  t.push_back(make("tb8TPSAL", D::Reference, "CoTipoSalarioContratual:1 NoTipoSalarioContratual:10",
                   {primary("CoTipoSalarioContratual")}));
  t.push_back(make("tb8Afast", D::Reference, "CoAfastamento:2 NoAfastamento:50", {primary("CoAfastamento")}));
  t.push_back(make("tbDefi", D::Reference, "CoTipoDeficiencia:1 NoTipoDeficiencia:50", {primary("CoTipoDeficiencia")}));
  t.push_back(make("tb8MSG", D::Reference, "NuMensagem:4 TpMensagem:5 TxMensagem:200", {primary("NuMensagem")}));
  t.push_back(make("tbEmpreg", D::Reference, "CoCnpjEmpregador:14", {primary("CoCnpjEmpregador")}));
  t.push_back(make("tbTrab", D::Reference, "CoCnpjTrabalhadores:14", {primary("CoCnpjTrabalhadores")}));
  t.push_back(make("tbSindic", D::Reference, "CoCnpjCentrSindical:14", {primary("CoCnpjCentrSindical")}));
  t.push_back(make("TB8BASE", D::Reference, "MeDataBase:2 NoDataBase:20", {primary("MeDataBase")}));
  return t;
}

}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

const FieldDef* TableDef::field(std::string_view fieldName) const {
  for (const auto& f : fields)
    if (equalsIgnoreCase(f.name, fieldName)) return &f;
  return nullptr;
}

const IndexDef* TableDef::primaryIndex() const {
  for (const auto& i : indexes)
    if (i.primary) return &i;
  return nullptr;
}

const std::vector<TableDef>& tableDefinitions() {
  static const std::vector<TableDef> defs = buildDefinitions();
  return defs;
}

const TableDef* findTableDef(std::string_view name) {
  for (const auto& t : tableDefinitions())
    if (equalsIgnoreCase(t.name, name)) return &t;
  return nullptr;
}

TableDef copyDefinition(const TableDef& source, std::string newName, DbFile db, bool withIndexes,
                        const std::string& primaryIndexName) {
  TableDef copy{std::move(newName), db, source.fields, {}};
  if (withIndexes) {
    copy.indexes = source.indexes;
    for (auto& i : copy.indexes)
      if (i.primary) i.name = primaryIndexName;
  }
  return copy;
}

std::string sqliteIndexName(std::string_view table, std::string_view index) {
  return std::string(table) + "." + std::string(index);
}

}  // namespace torvex::core::store
