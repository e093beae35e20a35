#include "core/declfile/column_catalogue.h"

#include <array>
#include <vector>

#include "core/declfile/record_layout.h"

namespace torvex::core::declfile {
namespace {

namespace s0 = slot0;
namespace s1 = slot1;
namespace s2 = slot2;

constexpr const char* k14 = "00000000000000";
constexpr const char* k9 = "000000000";
constexpr const char* k8 = "00000000";

using C = CatalogueColumn;
using R = ReadAs;
using W = WriteAs;
using L = Layouts;

// The type-0 columns the loader reads as text. The logical indicators and the
// generation values the writer composes are handled by each of them apart.
std::vector<C> responsibleColumns() {
  return {
      {"CoCgcCeiResponsavel", s0::kInscricaoResp, R::Trimmed},
      {"InInscrResponsavel", s0::kTipoInscricao, R::Trimmed},
      {"NoResponsavelArquivo", s0::kNome, R::Trimmed},
      {"EdLogradouroRespArquivo", s0::kEndereco, R::Trimmed},
      {"NuLogradouroRespArquivo", s0::kNumero, R::AsRead},
      {"TxComplementoRespArquivo", s0::kComplemento, R::Trimmed},
      {"NoBairroRespArquivo", s0::kBairro, R::Trimmed},
      {"CoCepRespArquivo", s0::kCep, R::AsRead},
      {"CoMunicipioRespArquivo", s0::kCodigoMunicipio, R::AsRead},
      {"NoMunicipioRespArquivo", s0::kNomeMunicipio, R::Trimmed},
      {"SgUfRespArquivo", s0::kUf, R::AsRead},
      {"NuFoneDDD", s0::kDdd, R::AsRead},
      {"NuFoneAssinante", s0::kTelefone, R::AsRead},
      {"TxEMailRespArquivo", s0::kEmail, R::AsRead},
      {"DaRetificacao", s0::kDataRetificacao, R::AsRead, W::NotWritten},
      {"DaGeracao", s0::kDataGeracao, R::AsRead, W::NotWritten},
      {"HoSenha", s0::kHoraGeracao, R::AsRead, W::NotWritten},
  };
}

// Type 1. Columns the previous-year layout lacks store a fixed value there.
std::vector<C> establishmentColumns() {
  return {
      {"CoCgcCeiEstabelecimento", s1::kInscricao, R::AsRead},
      {"NuPrefixoEstabelecimento", s1::kPrefixo, R::AsRead},
      {"NuSequencialRegistro", s1::kSequencial, R::AsRead, W::NotWritten},
      {"NoRazaoEstabelecimento", s1::kRazao, R::Trimmed},
      {"EdEstabelecimento", s1::kEndereco, R::Trimmed},
      {"NuEnderecoEstabelecimento", s1::kNumero, R::AsRead},
      {"TxComplemEstabelecimento", s1::kComplemento, R::Trimmed},
      {"NoBairroEstabelecimento", s1::kBairro, R::Trimmed},
      {"CoCepEstabelecimento", s1::kCep, R::AsRead},
      {"CoMunicipio", s1::kMunicipio, R::AsRead},
      {"NoMunicEstabelecimento", s1::kNomeMunicipio, R::Trimmed},
      {"SgUf", s1::kUf, R::AsRead},
      {"NuDDD", s1::kDdd, R::AsRead},
      {"NuTelefone", s1::kTelefone, R::AsRead},
      {"TxEmailEstabelecimento", s1::kEmail, R::AsRead},
      {"CoCnae2", s1::kCnae, R::AsRead, W::AsStored, "", L::CurrentOnly},
      {"CoCnae", s1::kCnae, R::AsRead, W::NotWritten, "", L::PreviousOnly},
      {"CoNaturezaJuridica", s1::kNaturezaJuridica, R::AsRead},
      {"NuProprietEstabelecimento", s1::kProprietarios, R::AsRead},
      {"MeDataBase", s1::kDataBase, R::AsRead},
      {"InInscrEstabelecimento", s1::kTipoInscricao, R::AsRead},
      {"InKevaNegEstabelecimento", s1::kTipoKeva, R::AsRead},
      {"CoCgcVinculado", s1::kCeiVinculado, R::Cei00, W::LinkedCei},
      {"InPorte", s1::kPorte, R::AsRead, W::AsStored, "", L::CurrentOnly, "3"},
      {"InOptanteSimples", s1::kOptanteSimples, R::OneOrX},
      {"InParticipaPAT", s1::kPat, R::Pat},
      {"NuVinculoPatMenor5", s1::kPatMenor5, R::AsRead, W::AsStored, "000000", L::CurrentOnly, "000000"},
      {"NuVinculoPatMaior5", s1::kPatMaior5, R::AsRead, W::AsStored, "000000", L::CurrentOnly, "000000"},
      {"PoServicoProprio", s1::kServicoProprio, R::AsRead, W::AsStored, "000", L::CurrentOnly, "000"},
      {"PoAdmCozinha", s1::kAdmCozinha, R::AsRead, W::AsStored, "000", L::CurrentOnly, "000"},
      {"PoRefeicaoConvenio", s1::kRefeicaoConvenio, R::AsRead, W::AsStored, "000", L::CurrentOnly, "000"},
      {"PoRefeicaoTransportadora", s1::kRefeicaoTransportadora, R::AsRead, W::AsStored, "000", L::CurrentOnly,
       "000"},
      {"PoCestaAlimento", s1::kCestaAlimento, R::AsRead, W::AsStored, "000", L::CurrentOnly, "000"},
      {"PoAlimentacaoConvenio", s1::kAlimentacaoConvenio, R::AsRead, W::AsStored, "000", L::CurrentOnly, "000"},
      {"InEncerramentoAtividade", s1::kEncerramento, R::OneOrX, W::OneOrTwo},
      {"DaEncerramentoAtividade", s1::kDataEncerramento, R::AsRead, W::AsStored, k8},
      {"CoCNPJAssociativa", s1::kCnpjAssociativa, R::AsRead, W::AsStored, k14, L::CurrentOnly, k14},
      {"VaGlobalAssociativa", s1::kValorAssociativa, R::AsRead, W::AsStored, k8, L::CurrentOnly, k8},
      {"CoCNPJSindical", s1::kCnpjSindical, R::AsRead, W::AsStored, k14, L::CurrentOnly, k14},
      {"VaGlobalSindical", s1::kValorSindical, R::AsRead, W::AsStored, k8, L::CurrentOnly, k8},
      {"CoCNPJAssistencial", s1::kCnpjAssistencial, R::AsRead, W::AsStored, k14, L::CurrentOnly, k14},
      {"VaGlobalAssistencial", s1::kValorAssistencial, R::AsRead, W::AsStored, k8, L::CurrentOnly, k8},
      {"CoCNPJConfederativa", s1::kCnpjConfederativa, R::AsRead, W::AsStored, k14, L::CurrentOnly, k14},
      {"VaGlobalConfederativa", s1::kValorConfederativa, R::AsRead, W::AsStored, k8, L::CurrentOnly, k8},
      {"InAtividadeAnoBase", s1::kAtividadeAnoBase, R::AsRead, W::AsStored, "", L::CurrentOnly},
      {"CoCNPJCentralizada", s1::kCnpjCentralizadora, R::AsRead, W::AsStored, k14, L::CurrentOnly, k14},
      {"InSindicalizada", s1::kSindicalizada, R::AsRead, W::AsStored, "2", L::CurrentOnly, "2"},
      {"TxUsoEstabelecimento", s1::kUsoEmpresa, R::AsRead},
  };
}

constexpr std::array<const char*, 12> kMonths = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                                 "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

// A column of type 2 with the value a previous-year file keeps when its
// year-specific values are dropped ("" leaves it empty).
C link(std::string column, int slot, ReadAs read, std::string writeDefault, const char* dropped,
       WriteAs write = W::AsStored) {
  return {std::move(column), slot, read, write, std::move(writeDefault), L::Both, nullptr, dropped};
}

// Type 2. The key is written from the establishment, not from the link row.
std::vector<C> linkColumns() {
  std::vector<C> c = {
      link("CoCgcCeiEstabelecimento", s2::kInscricao, R::AsRead, "", nullptr, W::NotWritten),
      link("NuPrefixoEstabelecimento", s2::kPrefixo, R::AsRead, "", nullptr, W::NotWritten),
      link("NuSequencialRegistro", s2::kSequencial, R::AsRead, "", nullptr, W::NotWritten),
      link("CoPisPasepEmpregado", s2::kPis, R::AsRead, "", nullptr),
      link("NoEmpregado", s2::kNome, R::Trimmed, "", nullptr),
      link("DaNascimentoEmpregado", s2::kNascimento, R::AsRead, "", nullptr),
      link("CoNacionalidade", s2::kNacionalidade, R::AsRead, "", nullptr),
      link("AnChegadaEmpregado", s2::kAnoChegada, R::AsRead, "", nullptr),
      link("CoInstrucao", s2::kInstrucao, R::AsRead, "", nullptr),
      link("CoCpfEmpregado", s2::kCpf, R::AsRead, "", nullptr),
      link("NuCartTrabEmpregado", s2::kCarteiraNumero, R::CardNumber, "", k8),
      link("SeCartTrabEmpregado", s2::kCarteiraSerie, R::CardSeries, "00000", "00000"),
      link("DaAdmissaoEmpregado", s2::kAdmissao, R::AsRead, "", nullptr),
      link("CoTipoAdmissao", s2::kTipoAdmissao, R::AsRead, "", nullptr),
      link("VaSalContratualEmpregado", s2::kSalario, R::AsRead, "", k9),
      link("CoTipoSalarioContratual", s2::kTipoSalario, R::AsRead, "", nullptr),
      link("HoSemanaisEmpregado", s2::kHorasSemanais, R::AsRead, "", nullptr),
      link("CoCbo", s2::kCbo, R::AsRead, "", nullptr),
      link("CoVinculo", s2::kVinculo, R::AsRead, "", nullptr),
      link("CoCausaDesligamento", s2::kDesligamento, R::AsRead, "", nullptr),
      link("DaDesligamentoEmpregado", s2::kDataDesligamento, R::AsRead, "", nullptr),
      link("Va13AdiantamentoEmpregado", s2::kAdiantamento13, R::AsRead, "", k9),
      link("Me13AdiantamentoEmpregado", s2::kMesAdiantamento13, R::AsRead, "", "00"),
      link("Va13ParcelaFinalEmpregado", s2::kFinal13, R::AsRead, "", k9),
      link("Me13ParcelaFinalEmpregado", s2::kMesFinal13, R::AsRead, "", "00"),
      link("CoTipoRaca", s2::kRaca, R::AsRead, "9", nullptr),
      // Both indicator and code share one field: the code, "0" for none.
      link("CoDeficienteFisico", s2::kDeficiente, R::AsRead, "", "0", W::DeficiencyCode),
      link("InDeficienteFisico", s2::kDeficiente, R::Deficiency, "", "", W::NotWritten),
      link("TxUsoEmpregado", s2::kUsoEmpresa, R::AsRead, "", nullptr),
      link("VaAvisoPrevioEmpregado", s2::kAvisoPrevio, R::AsRead, "", k9),
      link("InAlvaraEmpregado", s2::kAlvara, R::AsRead, "", nullptr),
      link("InSexo", s2::kSexo, R::AsRead, "", nullptr),
      link("CoMotivoPrimAfas", s2::kMotivoPrimeiro, R::AsRead, "", ""),
      link("DaInicioPrimeiroAfas", s2::kInicioPrimeiro, R::AsRead, "", ""),
      link("DaFinalPrimeiroAfas", s2::kFinalPrimeiro, R::AsRead, "", ""),
      link("CoMotivoSeguAfas", s2::kMotivoSegundo, R::AsRead, "", ""),
      link("DaInicioSegundoAfas", s2::kInicioSegundo, R::AsRead, "", ""),
      link("DaFinalSegundoAfas", s2::kFinalSegundo, R::AsRead, "", ""),
      link("CoMotivoTercAfas", s2::kMotivoTerceiro, R::AsRead, "", ""),
      link("DaInicioTerceiroAfas", s2::kInicioTerceiro, R::AsRead, "", ""),
      link("DaFinalTerceiroAfas", s2::kFinalTerceiro, R::AsRead, "", ""),
      link("QtDiasAfas", s2::kDiasAfastamento, R::AsRead, "", ""),
      link("VaGlobalFerias", s2::kFerias, R::AsRead, "", k8),
      link("VaGlobalBcoHoras", s2::kBancoHoras, R::AsRead, "", k8),
      link("QtCompBcoHoras", s2::kCompBancoHoras, R::AsRead, "", ""),
      link("VaGlobalDissidio", s2::kDissidio, R::AsRead, "", k8),
      link("QtCompDissidio", s2::kCompDissidio, R::AsRead, "", ""),
      link("VaGlobalGratificacoes", s2::kGratificacoes, R::AsRead, "", k8),
      link("QtCompGratificacoes", s2::kCompGratificacoes, R::AsRead, "", ""),
      link("VaGlobalMultas", s2::kMultas, R::AsRead, "", k8),
      link("CoCNPJPrimAssociativa", s2::kCnpjPrimAssociativa, R::AsRead, k14, ""),
      link("VaGlobalPrimAssociativa", s2::kValorPrimAssociativa, R::AsRead, "", k8),
      link("CoCNPJSegAssociativa", s2::kCnpjSegAssociativa, R::AsRead, k14, ""),
      link("VaGlobalSegAssociativa", s2::kValorSegAssociativa, R::AsRead, k8, k8),
      link("CoCNPJSindical", s2::kCnpjSindical, R::AsRead, k14, ""),
      link("VaGlobalSindical", s2::kValorSindical, R::AsRead, "", k8),
      link("CoCNPJAssistencial", s2::kCnpjAssistencial, R::AsRead, k14, ""),
      link("VaGlobalAssistencial", s2::kValorAssistencial, R::AsRead, "", k8),
      link("CoCNPJConfederativa", s2::kCnpjConfederativa, R::AsRead, k14, ""),
      link("VaGlobalConfederativa", s2::kValorConfederativa, R::AsRead, "", k8),
      link("CoMunicipioTrabalho", s2::kMunicipioTrabalho, R::AsRead, "0000000", nullptr),
      link("InSindicalizadoVinculo", s2::kSindicalizado, R::AsRead, "", "2"),
  };
  for (int m = 0; m < 12; ++m) {
    const char* month = kMonths[static_cast<std::size_t>(m)];
    c.push_back(link(std::string("Va") + month + "Empregado", s2::kJaneiro + m, R::AsRead, "", k9));
    c.push_back(link(std::string("HoTrabalhadas") + month, s2::kHorasJaneiro + m, R::AsRead, "000", ""));
  }
  return c;
}

}  // namespace

std::span<const CatalogueColumn> catalogueColumns(CatalogueKind kind) {
  static const std::vector<C> responsible = responsibleColumns();
  static const std::vector<C> establishment = establishmentColumns();
  static const std::vector<C> links = linkColumns();
  switch (kind) {
    case CatalogueKind::Responsible: return responsible;
    case CatalogueKind::Establishment: return establishment;
    case CatalogueKind::Link: return links;
  }
  return {};
}

}  // namespace torvex::core::declfile
