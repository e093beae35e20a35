#include "core/delivery/declaration_records.h"

#include <sqlite3.h>

#include "core/delivery/record_text.h"
#include "core/store/engine_error.h"

namespace torvex::core::delivery {
namespace {

namespace s0 = declfile::slot0;
namespace s1 = declfile::slot1;
namespace s2 = declfile::slot2;
namespace s9 = declfile::slot9;

constexpr std::string_view kVersion = TORVEX_VERSION;  // "2006.4"
constexpr const char* kZeros14 = "00000000000000";
constexpr const char* kZeros8 = "00000000";

// A stored column written at a layout slot, with the layout's default for a blank value.
struct ColumnField {
  int slot;
  const char* column;
  const char* defaultValue;
};

constexpr ColumnField kResponsibleFields[] = {
    {s0::kInscricaoResp, "CoCgcCeiResponsavel", ""},
    {s0::kTipoInscricao, "InInscrResponsavel", ""},
    {s0::kNome, "NoResponsavelArquivo", ""},
    {s0::kEndereco, "EdLogradouroRespArquivo", ""},
    {s0::kNumero, "NuLogradouroRespArquivo", ""},
    {s0::kComplemento, "TxComplementoRespArquivo", ""},
    {s0::kBairro, "NoBairroRespArquivo", ""},
    {s0::kCep, "CoCepRespArquivo", ""},
    {s0::kCodigoMunicipio, "CoMunicipioRespArquivo", ""},
    {s0::kNomeMunicipio, "NoMunicipioRespArquivo", ""},
    {s0::kUf, "SgUfRespArquivo", ""},
    {s0::kDdd, "NuFoneDDD", ""},
    {s0::kTelefone, "NuFoneAssinante", ""},
    {s0::kEmail, "TxEMailRespArquivo", ""},
};

constexpr ColumnField kEstablishmentFields[] = {
    {s1::kInscricao, "CoCgcCeiEstabelecimento", ""},
    {s1::kPrefixo, "NuPrefixoEstabelecimento", ""},
    {s1::kRazao, "NoRazaoEstabelecimento", ""},
    {s1::kEndereco, "EdEstabelecimento", ""},
    {s1::kNumero, "NuEnderecoEstabelecimento", ""},
    {s1::kComplemento, "TxComplemEstabelecimento", ""},
    {s1::kBairro, "NoBairroEstabelecimento", ""},
    {s1::kCep, "CoCepEstabelecimento", ""},
    {s1::kMunicipio, "CoMunicipio", ""},
    {s1::kNomeMunicipio, "NoMunicEstabelecimento", ""},
    {s1::kUf, "SgUf", ""},
    {s1::kDdd, "NuDDD", ""},
    {s1::kTelefone, "NuTelefone", ""},
    {s1::kEmail, "TxEmailEstabelecimento", ""},
    {s1::kCnae, "CoCnae2", ""},
    {s1::kNaturezaJuridica, "CoNaturezaJuridica", ""},
    {s1::kProprietarios, "NuProprietEstabelecimento", ""},
    {s1::kDataBase, "MeDataBase", ""},
    {s1::kTipoInscricao, "InInscrEstabelecimento", ""},
    {s1::kTipoKeva, "InKevaNegEstabelecimento", ""},
    {s1::kCeiVinculado, "CoCgcVinculado", ""},
    {s1::kPorte, "InPorte", ""},
    {s1::kOptanteSimples, "InOptanteSimples", ""},
    {s1::kPat, "InParticipaPAT", ""},
    {s1::kPatMenor5, "NuVinculoPatMenor5", "000000"},
    {s1::kPatMaior5, "NuVinculoPatMaior5", "000000"},
    {s1::kServicoProprio, "PoServicoProprio", "000"},
    {s1::kAdmCozinha, "PoAdmCozinha", "000"},
    {s1::kRefeicaoConvenio, "PoRefeicaoConvenio", "000"},
    {s1::kRefeicaoTransportadora, "PoRefeicaoTransportadora", "000"},
    {s1::kCestaAlimento, "PoCestaAlimento", "000"},
    {s1::kAlimentacaoConvenio, "PoAlimentacaoConvenio", "000"},
    {s1::kDataEncerramento, "DaEncerramentoAtividade", kZeros8},
    {s1::kCnpjAssociativa, "CoCNPJAssociativa", kZeros14},
    {s1::kValorAssociativa, "VaGlobalAssociativa", kZeros8},
    {s1::kCnpjSindical, "CoCNPJSindical", kZeros14},
    {s1::kValorSindical, "VaGlobalSindical", kZeros8},
    {s1::kCnpjAssistencial, "CoCNPJAssistencial", kZeros14},
    {s1::kValorAssistencial, "VaGlobalAssistencial", kZeros8},
    {s1::kCnpjConfederativa, "CoCNPJConfederativa", kZeros14},
    {s1::kValorConfederativa, "VaGlobalConfederativa", kZeros8},
    {s1::kAtividadeAnoBase, "InAtividadeAnoBase", ""},
    {s1::kCnpjCentralizadora, "CoCNPJCentralizada", kZeros14},
    {s1::kSindicalizada, "InSindicalizada", "2"},
    {s1::kUsoEmpresa, "TxUsoEstabelecimento", ""},
};

constexpr const char* kMonths[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                   "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

std::vector<ColumnField> linkFieldList() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const char* m : kMonths) n.push_back(std::string("Va") + m + "Empregado");
    for (const char* m : kMonths) n.push_back(std::string("HoTrabalhadas") + m);
    return n;
  }();
  std::vector<ColumnField> f = {
      {s2::kPis, "CoPisPasepEmpregado", ""},
      {s2::kNome, "NoEmpregado", ""},
      {s2::kNascimento, "DaNascimentoEmpregado", ""},
      {s2::kNacionalidade, "CoNacionalidade", ""},
      {s2::kAnoChegada, "AnChegadaEmpregado", ""},
      {s2::kInstrucao, "CoInstrucao", ""},
      {s2::kCpf, "CoCpfEmpregado", ""},
      {s2::kCarteiraNumero, "NuCartTrabEmpregado", ""},
      {s2::kCarteiraSerie, "SeCartTrabEmpregado", "00000"},
      {s2::kAdmissao, "DaAdmissaoEmpregado", ""},
      {s2::kTipoAdmissao, "CoTipoAdmissao", ""},
      {s2::kSalario, "VaSalContratualEmpregado", ""},
      {s2::kTipoSalario, "CoTipoSalarioContratual", ""},
      {s2::kHorasSemanais, "HoSemanaisEmpregado", ""},
      {s2::kCbo, "CoCbo", ""},
      {s2::kVinculo, "CoVinculo", ""},
      {s2::kDesligamento, "CoCausaDesligamento", ""},
      {s2::kDataDesligamento, "DaDesligamentoEmpregado", ""},
      {s2::kAdiantamento13, "Va13AdiantamentoEmpregado", ""},
      {s2::kMesAdiantamento13, "Me13AdiantamentoEmpregado", ""},
      {s2::kFinal13, "Va13ParcelaFinalEmpregado", ""},
      {s2::kMesFinal13, "Me13ParcelaFinalEmpregado", ""},
      {s2::kRaca, "CoTipoRaca", "9"},
      {s2::kUsoEmpresa, "TxUsoEmpregado", ""},
      {s2::kAvisoPrevio, "VaAvisoPrevioEmpregado", ""},
      {s2::kAlvara, "InAlvaraEmpregado", ""},
      {s2::kSexo, "InSexo", ""},
      {s2::kMotivoPrimeiro, "CoMotivoPrimAfas", ""},
      {s2::kInicioPrimeiro, "DaInicioPrimeiroAfas", ""},
      {s2::kFinalPrimeiro, "DaFinalPrimeiroAfas", ""},
      {s2::kMotivoSegundo, "CoMotivoSeguAfas", ""},
      {s2::kInicioSegundo, "DaInicioSegundoAfas", ""},
      {s2::kFinalSegundo, "DaFinalSegundoAfas", ""},
      {s2::kMotivoTerceiro, "CoMotivoTercAfas", ""},
      {s2::kInicioTerceiro, "DaInicioTerceiroAfas", ""},
      {s2::kFinalTerceiro, "DaFinalTerceiroAfas", ""},
      {s2::kDiasAfastamento, "QtDiasAfas", ""},
      {s2::kFerias, "VaGlobalFerias", ""},
      {s2::kBancoHoras, "VaGlobalBcoHoras", ""},
      {s2::kCompBancoHoras, "QtCompBcoHoras", ""},
      {s2::kDissidio, "VaGlobalDissidio", ""},
      {s2::kCompDissidio, "QtCompDissidio", ""},
      {s2::kGratificacoes, "VaGlobalGratificacoes", ""},
      {s2::kCompGratificacoes, "QtCompGratificacoes", ""},
      {s2::kMultas, "VaGlobalMultas", ""},
      {s2::kCnpjPrimAssociativa, "CoCNPJPrimAssociativa", kZeros14},
      {s2::kValorPrimAssociativa, "VaGlobalPrimAssociativa", ""},
      {s2::kCnpjSegAssociativa, "CoCNPJSegAssociativa", kZeros14},
      {s2::kValorSegAssociativa, "VaGlobalSegAssociativa", kZeros8},
      {s2::kCnpjSindical, "CoCNPJSindical", kZeros14},
      {s2::kValorSindical, "VaGlobalSindical", ""},
      {s2::kCnpjAssistencial, "CoCNPJAssistencial", kZeros14},
      {s2::kValorAssistencial, "VaGlobalAssistencial", ""},
      {s2::kCnpjConfederativa, "CoCNPJConfederativa", kZeros14},
      {s2::kValorConfederativa, "VaGlobalConfederativa", ""},
      {s2::kMunicipioTrabalho, "CoMunicipioTrabalho", "0000000"},
      {s2::kSindicalizado, "InSindicalizadoVinculo", ""},
  };
  for (int m = 0; m < 12; ++m) {
    f.push_back({s2::kJaneiro + m, names[static_cast<std::size_t>(m)].c_str(), ""});
    f.push_back({s2::kHorasJaneiro + m, names[static_cast<std::size_t>(12 + m)].c_str(), "000"});
  }
  return f;
}

[[noreturn]] void missingColumn(std::string_view column) {
  throw store::DataAccessError("column " + std::string(column) + " is missing from the table being written");
}

void put(std::string& record, const declfile::TArquivo& field, std::string_view value,
         std::string_view defaultValue = {}) {
  placeField(record, field.start, field.length, value, defaultValue);
}

// The column's text with its length: a NUL inside a value is written like any other character.
std::string_view columnText(const store::Statement& st, int column) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), column));
  return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(st.handle(), column)))
           : std::string_view{};
}

bool caseInsensitiveEqual(std::string_view a, std::string_view b) { return store::equalsIgnoreCase(a, b); }

}  // namespace

// ---------------------------------------------------------------- RowSnapshot

RowSnapshot RowSnapshot::of(const store::Statement& st) {
  RowSnapshot r;
  const int n = st.columnCount();
  for (int i = 0; i < n; ++i) {
    r.names_.push_back(st.columnName(i));
    r.nulls_.push_back(st.isNull(i));
    r.values_.emplace_back(columnText(st, i));
  }
  return r;
}

int RowSnapshot::index(std::string_view column) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (caseInsensitiveEqual(names_[i], column)) return static_cast<int>(i);
  return -1;
}

std::string_view RowSnapshot::text(int column) const {
  return column >= 0 && static_cast<std::size_t>(column) < values_.size() ? std::string_view(values_[column])
                                                                             : std::string_view{};
}

std::string_view RowSnapshot::text(std::string_view column) const { return text(index(column)); }

std::optional<bool> RowSnapshot::logical(std::string_view column) const {
  const int i = index(column);
  if (i < 0 || nulls_[static_cast<std::size_t>(i)]) return std::nullopt;
  const std::string_view v = values_[static_cast<std::size_t>(i)];
  return !(v.empty() || v == "0");
}

// ---------------------------------------------------------------- RecordBuilder

RecordBuilder::RecordBuilder() { declfile::MontaLayoutAnoAtual(layout_); }

int RecordBuilder::digestStart() const {
  const auto& d = layout_.tipoNove[s9::kHashcode];
  return d.start > 0 ? d.start : layout_.recordLength - static_cast<int>(d.length) + 1;
}

void RecordBuilder::setSequence(std::string& record, long long sequence) const {
  put(record, layout_.tipoZero[s0::kSequencial], zeroPadded(sequence, 6));
}

std::string RecordBuilder::responsible(const RowSnapshot& resp, const ResponsibleRecordValues& v) const {
  const auto& t = layout_.tipoZero;
  std::string r = blankRecord();
  put(r, t[s0::kSequencial], "000001");
  put(r, t[s0::kInscricao], v.inscricao);
  put(r, t[s0::kPrefixo], v.prefixo);
  put(r, t[s0::kTipo], "0");
  put(r, t[s0::kReciboDefinitivo], v.receiptToResponsible ? "1" : "2");
  for (const auto& f : kResponsibleFields) put(r, t[f.slot], resp.text(f.column), f.defaultValue);
  put(r, t[s0::kRetificacao], v.rectification ? "1" : "2");
  put(r, t[s0::kDataRetificacao], v.rectificationDate);
  put(r, t[s0::kDataGeracao], v.generationDate);
  // The version mark has no descriptor: it sits just before the time of writing.
  placeField(r, t[s0::kHoraGeracao].start - 3, 3, versionMark());
  put(r, t[s0::kHoraGeracao], v.timeOfDay);
  return r;
}

void RecordBuilder::bindEstablishment(const RowSnapshot& row) {
  establishmentFields_.clear();
  for (const auto& f : kEstablishmentFields) {
    const int column = row.index(f.column);
    if (column < 0) missingColumn(f.column);
    const auto& d = layout_.tipoUm[f.slot];
    Bound b{d.start, d.length, column, f.defaultValue};
    if (f.slot == s1::kCeiVinculado) {
      // The layout describes the last 12 positions; the stored inscription has 14.
      b.start = d.end() - 14;
      b.width = 14;
    }
    establishmentFields_.push_back(b);
  }
  establishmentClosing_ = row.index("InEncerramentoAtividade");
  if (establishmentClosing_ < 0) missingColumn("InEncerramentoAtividade");
}

std::string RecordBuilder::establishment(const RowSnapshot& row) const {
  const auto& t = layout_.tipoUm;
  std::string r = blankRecord();
  put(r, t[s1::kTipo], "1");
  for (const auto& b : establishmentFields_) placeField(r, b.start, b.width, row.text(b.column), b.defaultValue);
  put(r, t[s1::kAno], declfile::kBaseYear);
  put(r, t[s1::kEncerramento], trimmed(row.text(establishmentClosing_)) == "1" ? "1" : "2");
  return r;
}

void RecordBuilder::bindLink(const store::Statement& st) {
  linkFields_.clear();
  for (const auto& f : linkFieldList()) {
    const int column = st.columnIndex(f.column);
    if (column < 0) missingColumn(f.column);
    const auto& d = layout_.tipoDois[f.slot];
    linkFields_.push_back(Bound{d.start, d.length, column, f.defaultValue});
  }
  linkDisabledIndicator_ = st.columnIndex("InDeficienteFisico");
  linkDisabilityCode_ = st.columnIndex("CoDeficienteFisico");
  if (linkDisabledIndicator_ < 0) missingColumn("InDeficienteFisico");
  if (linkDisabilityCode_ < 0) missingColumn("CoDeficienteFisico");
}

void RecordBuilder::link(std::string& r, const store::Statement& st, std::string_view inscricao,
                             std::string_view prefixo) const {
  const auto& t = layout_.tipoDois;
  r.assign(static_cast<std::size_t>(layout_.recordLength), ' ');
  put(r, t[s2::kInscricao], inscricao);
  put(r, t[s2::kPrefixo], prefixo);
  put(r, t[s2::kTipo], "2");
  for (const auto& b : linkFields_) placeField(r, b.start, b.width, columnText(st, b.column), b.defaultValue);
  const bool disabled = trimmed(columnText(st, linkDisabledIndicator_)) == "1";
  put(r, t[s2::kDeficiente], disabled ? columnText(st, linkDisabilityCode_) : std::string_view("0"));
}

std::string RecordBuilder::totals(const TotalsRecordValues& v) const {
  const auto& t = layout_.tipoNove;
  std::string r = blankRecord();
  put(r, t[s9::kInscricao], v.inscricao);
  put(r, t[s9::kPrefixo], v.prefixo);
  put(r, t[s9::kTipo], "9");
  put(r, t[s9::kTotalTipo1], zeroPadded(v.establishments, 6));
  put(r, t[s9::kTotalTipo2], zeroPadded(v.links, 6));
  put(r, t[s9::kTotalPrefixos], zeroPadded(v.prefixesNotZero, 6));
  put(r, t[s9::kEstatistica], statisticsField(v.fromDeclarationTables));
  put(r, t[s9::kPesquisa], v.survey);
  return r;
}

std::string versionMark() { return std::string("V0") + kVersion[5]; }

std::string statisticsField(bool fromDeclarationTables) {
  return std::string("99") + kVersion[3] + kVersion[5] + "1" + (fromDeclarationTables ? "1" : "2");
}

}  // namespace torvex::core::delivery
