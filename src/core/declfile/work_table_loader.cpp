#include "core/declfile/work_table_loader.h"

#include <sqlite3.h>

#include <span>
#include <stdexcept>

#include "core/declfile/cp1252.h"
#include "core/store/engine_error.h"
#include "core/store/table_def.h"

namespace torvex::core::declfile {
namespace {

namespace s1 = slot1;
namespace s2 = slot2;

enum class Conv {
  AsRead,        // the field's characters, trailing blanks dropped on storing
  Trimmed,       // blanks removed at both ends
  Cei00,         // "00" in front of the 12 characters of the linked CEI
  OneOrX,        // "1" when the field, upper, is "1" or "X"; "2" otherwise
  Pat,           // "1" for 1 or X, "2" for 2 or blank, else the upper-cased character
  CardNumber,    // zeros in front up to 8 characters, then the first 8
  CardSeries,    // zeros in front up to 5 characters, then the first 5
  Constant,      // the mapping's constant, whatever the record holds
  Deficiency,    // "2" when the deficiency code is "0", else "1"
};

struct ColumnMap {
  const char* column;
  int slot;
  Conv conv;
  const char* constant = nullptr;  // Constant: the value
  const char* dropped = nullptr;   // value when year-specific values are dropped; nullptr: always kept
};

constexpr const char* k9 = "000000000";
constexpr const char* k8 = "00000000";
constexpr const char* k14 = "00000000000000";

// Type 1 columns common to both layouts (key and stored year are bound apart).
constexpr ColumnMap kEstablishmentCommon[] = {
    {"NuSequencialRegistro", s1::kSequencial, Conv::AsRead},
    {"NoRazaoEstabelecimento", s1::kRazao, Conv::Trimmed},
    {"EdEstabelecimento", s1::kEndereco, Conv::Trimmed},
    {"TxComplemEstabelecimento", s1::kComplemento, Conv::Trimmed},
    {"NoBairroEstabelecimento", s1::kBairro, Conv::Trimmed},
    {"NoMunicEstabelecimento", s1::kNomeMunicipio, Conv::Trimmed},
    {"NuEnderecoEstabelecimento", s1::kNumero, Conv::AsRead},
    {"CoCepEstabelecimento", s1::kCep, Conv::AsRead},
    {"CoMunicipio", s1::kMunicipio, Conv::AsRead},
    {"SgUf", s1::kUf, Conv::AsRead},
    {"NuDDD", s1::kDdd, Conv::AsRead},
    {"NuTelefone", s1::kTelefone, Conv::AsRead},
    {"TxEmailEstabelecimento", s1::kEmail, Conv::AsRead},
    {"CoNaturezaJuridica", s1::kNaturezaJuridica, Conv::AsRead},
    {"NuProprietEstabelecimento", s1::kProprietarios, Conv::AsRead},
    {"MeDataBase", s1::kDataBase, Conv::AsRead},
    {"InInscrEstabelecimento", s1::kTipoInscricao, Conv::AsRead},
    {"InKevaNegEstabelecimento", s1::kTipoKeva, Conv::AsRead},
    {"CoCgcVinculado", s1::kCeiVinculado, Conv::Cei00},
    {"InEncerramentoAtividade", s1::kEncerramento, Conv::OneOrX},
    {"DaEncerramentoAtividade", s1::kDataEncerramento, Conv::AsRead},
    {"InParticipaPAT", s1::kPat, Conv::Pat},
    {"InOptanteSimples", s1::kOptanteSimples, Conv::OneOrX},
    {"TxUsoEstabelecimento", s1::kUsoEmpresa, Conv::AsRead},
};

constexpr ColumnMap kEstablishmentCurrent[] = {
    {"CoCnae2", s1::kCnae, Conv::AsRead},
    {"InPorte", s1::kPorte, Conv::AsRead},
    {"NuVinculoPatMenor5", s1::kPatMenor5, Conv::AsRead},
    {"NuVinculoPatMaior5", s1::kPatMaior5, Conv::AsRead},
    {"PoServicoProprio", s1::kServicoProprio, Conv::AsRead},
    {"PoAdmCozinha", s1::kAdmCozinha, Conv::AsRead},
    {"PoRefeicaoConvenio", s1::kRefeicaoConvenio, Conv::AsRead},
    {"PoRefeicaoTransportadora", s1::kRefeicaoTransportadora, Conv::AsRead},
    {"PoCestaAlimento", s1::kCestaAlimento, Conv::AsRead},
    {"PoAlimentacaoConvenio", s1::kAlimentacaoConvenio, Conv::AsRead},
    {"CoCNPJAssociativa", s1::kCnpjAssociativa, Conv::AsRead},
    {"CoCNPJSindical", s1::kCnpjSindical, Conv::AsRead},
    {"CoCNPJAssistencial", s1::kCnpjAssistencial, Conv::AsRead},
    {"CoCNPJConfederativa", s1::kCnpjConfederativa, Conv::AsRead},
    {"VaGlobalAssociativa", s1::kValorAssociativa, Conv::AsRead},
    {"VaGlobalSindical", s1::kValorSindical, Conv::AsRead},
    {"VaGlobalAssistencial", s1::kValorAssistencial, Conv::AsRead},
    {"VaGlobalConfederativa", s1::kValorConfederativa, Conv::AsRead},
    {"CoCNPJCentralizada", s1::kCnpjCentralizadora, Conv::AsRead},
    {"InSindicalizada", s1::kSindicalizada, Conv::AsRead},
    {"InAtividadeAnoBase", s1::kAtividadeAnoBase, Conv::AsRead},
};

// The previous-year layout lacks these fields: fixed values stand in for them.
constexpr ColumnMap kEstablishmentPrevious[] = {
    {"CoCnae", s1::kCnae, Conv::AsRead},
    {"InPorte", 0, Conv::Constant, "3"},
    {"NuVinculoPatMenor5", 0, Conv::Constant, "000000"},
    {"NuVinculoPatMaior5", 0, Conv::Constant, "000000"},
    {"PoServicoProprio", 0, Conv::Constant, "000"},
    {"PoAdmCozinha", 0, Conv::Constant, "000"},
    {"PoRefeicaoConvenio", 0, Conv::Constant, "000"},
    {"PoRefeicaoTransportadora", 0, Conv::Constant, "000"},
    {"PoCestaAlimento", 0, Conv::Constant, "000"},
    {"PoAlimentacaoConvenio", 0, Conv::Constant, "000"},
    {"CoCNPJAssociativa", 0, Conv::Constant, k14},
    {"CoCNPJSindical", 0, Conv::Constant, k14},
    {"CoCNPJAssistencial", 0, Conv::Constant, k14},
    {"CoCNPJConfederativa", 0, Conv::Constant, k14},
    {"VaGlobalAssociativa", 0, Conv::Constant, k8},
    {"VaGlobalSindical", 0, Conv::Constant, k8},
    {"VaGlobalAssistencial", 0, Conv::Constant, k8},
    {"VaGlobalConfederativa", 0, Conv::Constant, k8},
    {"CoCNPJCentralizada", 0, Conv::Constant, k14},
    {"InSindicalizada", 0, Conv::Constant, "2"},
};

constexpr const char* kMonths[] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                                   "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};

// Type 2 columns (key and stored year are bound apart). `dropped` gives what a
// previous-year file loaded with the zero-values flag keeps ("" leaves it empty).
std::vector<ColumnMap> vincColumns() {
  std::vector<ColumnMap> c = {
      {"NuSequencialRegistro", s2::kSequencial, Conv::AsRead},
      {"CoPisPasepEmpregado", s2::kPis, Conv::AsRead},
      {"DaNascimentoEmpregado", s2::kNascimento, Conv::AsRead},
      {"CoNacionalidade", s2::kNacionalidade, Conv::AsRead},
      {"AnChegadaEmpregado", s2::kAnoChegada, Conv::AsRead},
      {"CoInstrucao", s2::kInstrucao, Conv::AsRead},
      {"CoCpfEmpregado", s2::kCpf, Conv::AsRead},
      {"CoTipoRaca", s2::kRaca, Conv::AsRead},
      {"DaAdmissaoEmpregado", s2::kAdmissao, Conv::AsRead},
      {"CoTipoAdmissao", s2::kTipoAdmissao, Conv::AsRead},
      {"InSexo", s2::kSexo, Conv::AsRead},
      {"CoCbo", s2::kCbo, Conv::AsRead},
      {"CoMunicipioTrabalho", s2::kMunicipioTrabalho, Conv::AsRead},
      {"CoTipoSalarioContratual", s2::kTipoSalario, Conv::AsRead},
      {"HoSemanaisEmpregado", s2::kHorasSemanais, Conv::AsRead},
      {"CoVinculo", s2::kVinculo, Conv::AsRead},
      {"CoCausaDesligamento", s2::kDesligamento, Conv::AsRead},
      {"DaDesligamentoEmpregado", s2::kDataDesligamento, Conv::AsRead},
      {"InAlvaraEmpregado", s2::kAlvara, Conv::AsRead},
      {"TxUsoEmpregado", s2::kUsoEmpresa, Conv::AsRead},
      {"NoEmpregado", s2::kNome, Conv::Trimmed},
      {"NuCartTrabEmpregado", s2::kCarteiraNumero, Conv::CardNumber, nullptr, k8},
      {"SeCartTrabEmpregado", s2::kCarteiraSerie, Conv::CardSeries, nullptr, "00000"},
      {"VaSalContratualEmpregado", s2::kSalario, Conv::AsRead, nullptr, k9},
      {"Va13AdiantamentoEmpregado", s2::kAdiantamento13, Conv::AsRead, nullptr, k9},
      {"Va13ParcelaFinalEmpregado", s2::kFinal13, Conv::AsRead, nullptr, k9},
      {"VaAvisoPrevioEmpregado", s2::kAvisoPrevio, Conv::AsRead, nullptr, k9},
      {"Me13AdiantamentoEmpregado", s2::kMesAdiantamento13, Conv::AsRead, nullptr, "00"},
      {"Me13ParcelaFinalEmpregado", s2::kMesFinal13, Conv::AsRead, nullptr, "00"},
      {"VaGlobalFerias", s2::kFerias, Conv::AsRead, nullptr, k8},
      {"VaGlobalMultas", s2::kMultas, Conv::AsRead, nullptr, k8},
      {"VaGlobalBcoHoras", s2::kBancoHoras, Conv::AsRead, nullptr, k8},
      {"VaGlobalDissidio", s2::kDissidio, Conv::AsRead, nullptr, k8},
      {"VaGlobalGratificacoes", s2::kGratificacoes, Conv::AsRead, nullptr, k8},
      {"VaGlobalSindical", s2::kValorSindical, Conv::AsRead, nullptr, k8},
      {"VaGlobalPrimAssociativa", s2::kValorPrimAssociativa, Conv::AsRead, nullptr, k8},
      {"VaGlobalSegAssociativa", s2::kValorSegAssociativa, Conv::AsRead, nullptr, k8},
      {"VaGlobalAssistencial", s2::kValorAssistencial, Conv::AsRead, nullptr, k8},
      {"VaGlobalConfederativa", s2::kValorConfederativa, Conv::AsRead, nullptr, k8},
      {"CoDeficienteFisico", s2::kDeficiente, Conv::AsRead, nullptr, "0"},
      {"InDeficienteFisico", s2::kDeficiente, Conv::Deficiency, nullptr, ""},
      {"InSindicalizadoVinculo", s2::kSindicalizado, Conv::AsRead, nullptr, "2"},
      {"CoMotivoPrimAfas", s2::kMotivoPrimeiro, Conv::AsRead, nullptr, ""},
      {"DaInicioPrimeiroAfas", s2::kInicioPrimeiro, Conv::AsRead, nullptr, ""},
      {"DaFinalPrimeiroAfas", s2::kFinalPrimeiro, Conv::AsRead, nullptr, ""},
      {"CoMotivoSeguAfas", s2::kMotivoSegundo, Conv::AsRead, nullptr, ""},
      {"DaInicioSegundoAfas", s2::kInicioSegundo, Conv::AsRead, nullptr, ""},
      {"DaFinalSegundoAfas", s2::kFinalSegundo, Conv::AsRead, nullptr, ""},
      {"CoMotivoTercAfas", s2::kMotivoTerceiro, Conv::AsRead, nullptr, ""},
      {"DaInicioTerceiroAfas", s2::kInicioTerceiro, Conv::AsRead, nullptr, ""},
      {"DaFinalTerceiroAfas", s2::kFinalTerceiro, Conv::AsRead, nullptr, ""},
      {"QtDiasAfas", s2::kDiasAfastamento, Conv::AsRead, nullptr, ""},
      {"QtCompBcoHoras", s2::kCompBancoHoras, Conv::AsRead, nullptr, ""},
      {"QtCompDissidio", s2::kCompDissidio, Conv::AsRead, nullptr, ""},
      {"QtCompGratificacoes", s2::kCompGratificacoes, Conv::AsRead, nullptr, ""},
      {"CoCNPJPrimAssociativa", s2::kCnpjPrimAssociativa, Conv::AsRead, nullptr, ""},
      {"CoCNPJSegAssociativa", s2::kCnpjSegAssociativa, Conv::AsRead, nullptr, ""},
      {"CoCNPJSindical", s2::kCnpjSindical, Conv::AsRead, nullptr, ""},
      {"CoCNPJAssistencial", s2::kCnpjAssistencial, Conv::AsRead, nullptr, ""},
      {"CoCNPJConfederativa", s2::kCnpjConfederativa, Conv::AsRead, nullptr, ""},
  };
  static std::array<std::string, 24> names;  // column names built from the month list
  for (int m = 0; m < 12; ++m) {
    names[static_cast<std::size_t>(m)] = std::string("Va") + kMonths[m] + "Empregado";
    names[static_cast<std::size_t>(12 + m)] = std::string("HoTrabalhadas") + kMonths[m];
    c.push_back({names[static_cast<std::size_t>(m)].c_str(), s2::kJaneiro + m, Conv::AsRead, nullptr, k9});
    c.push_back({names[static_cast<std::size_t>(12 + m)].c_str(), s2::kHorasJaneiro + m, Conv::AsRead, nullptr, ""});
  }
  return c;
}

const std::vector<ColumnMap>& vincMap() {
  static const std::vector<ColumnMap> map = vincColumns();
  return map;
}

// INSERT of the key columns (AnBase, inscription, prefix) followed by the mapped ones.
std::string insertSql(const char* table, std::initializer_list<std::span<const ColumnMap>> parts) {
  std::string cols = "AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento";
  std::string values = "?, ?, ?";
  for (auto part : parts)
    for (const auto& m : part) {
      cols += std::string(", ") + m.column;
      values += ", ?";
    }
  return std::string("INSERT INTO ") + table + " (" + cols + ") VALUES (" + values + ")";
}

std::string_view trimBlanks(std::string_view v) {
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  return v;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isOneOrX(std::string_view v) { return v.size() == 1 && (v[0] == '1' || upper(v[0]) == 'X'); }

std::string zeroPadded(long long n, std::size_t width) {
  const std::string digits = std::to_string(n);
  return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

std::string zeroFilledLeft(std::string_view v, std::size_t width) {
  std::string out = v.size() < width ? std::string(width - v.size(), '0') : std::string();
  out += v;
  return out.substr(0, width);
}


}  // namespace

void WorkTableLoader::createWorkTables(store::Database& db) {
  for (const char* name : {store::table::kWorkResponsible, store::table::kWorkEstablishments, store::table::kWorkLinks})
    db.createTable(*store::findTableDef(name));
}

void WorkTableLoader::dropWorkTables(store::Database& db) {
  for (const char* name : {store::table::kWorkResponsible, store::table::kWorkEstablishments, store::table::kWorkLinks})
    if (db.tableExists(name)) db.dropTable(name);
}

WorkTableLoader::WorkTableLoader(store::Database& db, const RecordLayout& layout, std::string analysisYear,
                                 bool zeroValues)
    : db_(db),
      layout_(layout),
      analysisYear_(std::move(analysisYear)),
      zeroValues_(zeroValues),
      insertEstablishment_(db.prepare(insertSql("Te8emp", {kEstablishmentCommon, layout.previousYear() ? std::span<const ColumnMap>(kEstablishmentPrevious)
                                                                                    : std::span<const ColumnMap>(kEstablishmentCurrent)}))),
      insertLink_(db.prepare(insertSql("Te8vinc", {vincMap()}))),
      updateCounts_(db.prepare("UPDATE Te8emp SET NuVinculosEstabelecimento = ?, NuEstrangeirosEstabelec = ? "
                               "WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ? AND NuPrefixoEstabelecimento = ?")),
      findEstablishment_(db.prepare("SELECT NuSequencialRegistro FROM Te8emp WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ? "
                          "AND NuPrefixoEstabelecimento = ?")) {
  for (const auto& m : vincMap()) vincFields_.push_back(layout.tipoDois[m.slot]);
  checkWidths(layout);
}

// The analyser loads with the width checks of the engine switched off, so the
// layouts must never hand a column more characters than it holds.
void WorkTableLoader::checkWidths(const RecordLayout& layout) {
  auto check = [](const char* table, const char* column, int length, int extra) {
    const auto* field = store::findTableDef(table)->field(column);
    if (!field || length + extra > field->width)
      throw std::logic_error(std::string("layout field wider than ") + table + "." + column);
  };
  for (const auto& m : vincMap())
    if (m.conv == Conv::AsRead || m.conv == Conv::Trimmed) check("Te8vinc", m.column, layout.tipoDois[m.slot].length, 0);
  for (auto part : {std::span<const ColumnMap>(kEstablishmentCommon), layout.previousYear() ? std::span<const ColumnMap>(kEstablishmentPrevious)
                                                                                  : std::span<const ColumnMap>(kEstablishmentCurrent)})
    for (const auto& m : part)
      if (m.slot > 0) check("Te8emp", m.column, layout.tipoUm[m.slot].length, m.conv == Conv::Cei00 ? 2 : 0);
}

std::string WorkTableLoader::storedYear(std::string_view record) const {
  if (layout_.baseYear() == kBaseYear) return std::string(field1(record, slot1::kAno));
  return std::string(layout_.baseYear());
}

void WorkTableLoader::RowBinder::bindText(int position, std::string_view utf8) {
  // SQLite binds a null pointer as NULL; an empty field is the empty string.
  if (utf8.data() == nullptr) utf8 = "";
  const int rc = sqlite3_bind_text(st_.handle(), position, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
  if (rc != SQLITE_OK) throw store::engineErrorFromSqlite(rc, sqlite3_errstr(rc));
}

WorkTableLoader::RowBinder::RowBinder(store::Statement& st, std::string_view record)
    : st_(st), ascii_(isAscii(record)) {}

void WorkTableLoader::RowBinder::bindStored(int position, std::string_view bytes) {
  while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
  if (ascii_ || isAscii(bytes)) return bindText(position, bytes);
  std::string& s = pool_.at(used_++);
  s.clear();
  appendCp1252AsUtf8(s, bytes);
  bindText(position, s);
}

void WorkTableLoader::RowBinder::bindNull(int position) {
  const int rc = sqlite3_bind_null(st_.handle(), position);
  if (rc != SQLITE_OK) throw store::engineErrorFromSqlite(rc, sqlite3_errstr(rc));
}

void WorkTableLoader::RowBinder::run() {
  st_.run();
  used_ = 0;
}

bool WorkTableLoader::loadResponsible(std::string_view record) {
  namespace s = slot0;
  auto st = db_.prepare(
      "INSERT INTO Te8resp (CoCgcCeiResponsavel, InInscrResponsavel, NoResponsavelArquivo, EdLogradouroRespArquivo, "
      "NuLogradouroRespArquivo, TxComplementoRespArquivo, NoBairroRespArquivo, CoCepRespArquivo, "
      "CoMunicipioRespArquivo, NoMunicipioRespArquivo, SgUfRespArquivo, NuFoneDDD, NuFoneAssinante, "
      "TxEMailRespArquivo, InReciboParaRespArquivo, InRetificacao, DaRetificacao, InAntecipacao, DaGeracao, HoSenha) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  RowBinder row(st);
  struct Text {
    int slot;
    bool trimmed;
  };
  constexpr Text texts[] = {{s::kInscricaoResp, true}, {s::kTipoInscricao, true}, {s::kNome, true},
                            {s::kEndereco, true},      {s::kNumero, false},       {s::kComplemento, true},
                            {s::kBairro, true},        {s::kCep, false},          {s::kCodigoMunicipio, false},
                            {s::kNomeMunicipio, true}, {s::kUf, false},           {s::kDdd, false},
                            {s::kTelefone, false},     {s::kEmail, false}};
  int position = 1;
  for (const auto& t : texts) {
    const auto v = field0(record, t.slot);
    row.bindStored(position++, t.trimmed ? trimBlanks(v) : v);
  }
  const bool rectification = isOneOrX(field0(record, s::kRetificacao));
  st.bindAt(position++, std::int64_t{isOneOrX(field0(record, s::kReciboDefinitivo)) ? 1 : 0});
  st.bindAt(position++, std::int64_t{rectification ? 1 : 0});
  row.bindStored(position++, field0(record, s::kDataRetificacao));
  // The previous-year layout has no advance indicator: it reads as false there.
  if (layout_.previousYear())
    st.bindAt(position++, std::int64_t{0});
  else
    row.bindNull(position++);
  row.bindStored(position++, field0(record, s::kDataGeracao));
  row.bindStored(position++, field0(record, s::kHoraGeracao));
  row.run();
  return rectification;
}

void WorkTableLoader::loadEstablishment(std::string_view record, std::string_view storedYear) {
  RowBinder row(insertEstablishment_, record);
  row.bindText(1, storedYear);
  row.bindStored(2, field1(record, slot1::kInscricao));
  row.bindStored(3, field1(record, slot1::kPrefixo));
  int position = 4;
  std::string cei, pat;
  auto bindMapped = [&](const ColumnMap& m) {
    const auto v = m.slot > 0 ? cutField(record, layout_.tipoUm[m.slot]) : std::string_view();
    switch (m.conv) {
      case Conv::Trimmed: return row.bindStored(position++, trimBlanks(v));
      case Conv::Cei00:
        cei = "00";
        cei += v;
        return row.bindStored(position++, cei);
      case Conv::OneOrX: return row.bindText(position++, isOneOrX(v) ? "1" : "2");
      case Conv::Pat:
        if (isOneOrX(v)) return row.bindText(position++, "1");
        if (v.empty() || v == "2" || v == " ") return row.bindText(position++, "2");
        pat = std::string(1, upper(v[0]));
        return row.bindStored(position++, pat);
      case Conv::Constant: return row.bindText(position++, m.constant);
      default: return row.bindStored(position++, v);
    }
  };
  for (const auto& m : kEstablishmentCommon) bindMapped(m);
  if (layout_.previousYear())
    for (const auto& m : kEstablishmentPrevious) bindMapped(m);
  else
    for (const auto& m : kEstablishmentCurrent) bindMapped(m);
  row.run();
}

void WorkTableLoader::loadLink(std::string_view record, std::string_view storedYear) {
  RowBinder row(insertLink_, record);
  row.bindText(1, storedYear);
  row.bindStored(2, field2(record, slot2::kInscricao));
  row.bindStored(3, field2(record, slot2::kPrefixo));
  // Year-specific values are dropped when a previous-year file is imported.
  const bool drop = zeroValues_ && storedYear != analysisYear_;
  std::string card, series;
  int position = 4;
  const auto& map = vincMap();
  for (std::size_t i = 0; i < map.size(); ++i) {
    const ColumnMap& m = map[i];
    if (drop && m.dropped) {
      row.bindText(position++, m.dropped);
      continue;
    }
    // The fields lie inside the record, which the analyser hands over whole.
    const TArquivo& f = vincFields_[i];
    const auto v = f.length > 0 ? record.substr(static_cast<std::size_t>(f.start - 1), static_cast<std::size_t>(f.length))
                                : std::string_view("");
    switch (m.conv) {
      case Conv::Trimmed: row.bindStored(position++, trimBlanks(v)); break;
      case Conv::CardNumber:
        card = zeroFilledLeft(trimBlanks(v), 8);
        row.bindStored(position++, card);
        break;
      case Conv::CardSeries:
        series = zeroFilledLeft(trimBlanks(v), 5);
        row.bindStored(position++, series);
        break;
      case Conv::Deficiency: row.bindText(position++, v == "0" ? "2" : "1"); break;
      default: row.bindStored(position++, v);
    }
  }
  row.run();
}

void WorkTableLoader::loadTotals(std::string_view record) {
  auto st = db_.prepare("UPDATE Te8resp SET NuRespostaPesquisa = ?");
  RowBinder row(st);
  row.bindStored(1, cutField(record, layout_.tipoNove[slot9::kPesquisa]));
  row.run();
}

void WorkTableLoader::writeEstablishmentCounts(std::string_view storedYear, std::string_view inscription,
                                               std::string_view prefix, long long links, long long foreigners) {
  const std::string l = zeroPadded(links, 6), f = zeroPadded(foreigners, 5);
  if (l.size() > 6 || f.size() > 5)
    throw store::EngineError(store::engine_code::kFieldTooWide, "NuVinculosEstabelecimento/NuEstrangeirosEstabelec");
  RowBinder row(updateCounts_);
  row.bindText(1, l);
  row.bindText(2, f);
  row.bindText(3, storedYear);
  row.bindStored(4, inscription);
  row.bindStored(5, prefix);
  row.run();
}

std::optional<std::string> WorkTableLoader::findEstablishment(std::string_view storedYear,
                                                              std::string_view inscription, std::string_view prefix) {
  RowBinder row(findEstablishment_);
  row.bindText(1, storedYear);
  row.bindStored(2, inscription);
  row.bindStored(3, prefix);
  std::optional<std::string> found;
  if (findEstablishment_.step()) found = findEstablishment_.text(0);
  findEstablishment_.reset();
  return found;
}

}  // namespace torvex::core::declfile
