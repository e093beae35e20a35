#pragma once
// Handles on the link fields the rules read.
#include <array>

#include "core/consistency/record.h"

namespace torvex::core::consistency::fields {

inline const Field kPis{RecordKind::Link, "CoPisPasepEmpregado"};
inline const Field kAdmission{RecordKind::Link, "DaAdmissaoEmpregado"};
inline const Field kName{RecordKind::Link, "NoEmpregado"};
inline const Field kSequence{RecordKind::Link, "NuSequencialRegistro"};
inline const Field kBirth{RecordKind::Link, "DaNascimentoEmpregado"};
inline const Field kNationality{RecordKind::Link, "CoNacionalidade"};
inline const Field kArrival{RecordKind::Link, "AnChegadaEmpregado"};
inline const Field kInstruction{RecordKind::Link, "CoInstrucao"};
inline const Field kCardNumber{RecordKind::Link, "NuCartTrabEmpregado"};
inline const Field kCardSeries{RecordKind::Link, "SeCartTrabEmpregado"};
inline const Field kCpf{RecordKind::Link, "CoCpfEmpregado"};
inline const Field kAdmissionType{RecordKind::Link, "CoTipoAdmissao"};
inline const Field kSalary{RecordKind::Link, "VaSalContratualEmpregado"};
inline const Field kSalaryType{RecordKind::Link, "CoTipoSalarioContratual"};
inline const Field kWeeklyHours{RecordKind::Link, "HoSemanaisEmpregado"};
inline const Field kCbo{RecordKind::Link, "CoCbo"};
inline const Field kVinculo{RecordKind::Link, "CoVinculo"};
inline const Field kCause{RecordKind::Link, "CoCausaDesligamento"};
inline const Field kDismissal{RecordKind::Link, "DaDesligamentoEmpregado"};
inline const Field kAdvanceMonth{RecordKind::Link, "Me13AdiantamentoEmpregado"};
inline const Field kAdvanceValue{RecordKind::Link, "Va13AdiantamentoEmpregado"};
inline const Field kFinalMonth{RecordKind::Link, "Me13ParcelaFinalEmpregado"};
inline const Field kFinalValue{RecordKind::Link, "Va13ParcelaFinalEmpregado"};
inline const Field kCompanyUse{RecordKind::Link, "TxUsoEmpregado"};
inline const Field kRace{RecordKind::Link, "CoTipoRaca"};
inline const Field kDisabled{RecordKind::Link, "InDeficienteFisico"};
inline const Field kDisabilityKind{RecordKind::Link, "CoDeficienteFisico"};
inline const Field kNotice{RecordKind::Link, "VaAvisoPrevioEmpregado"};
inline const Field kPermit{RecordKind::Link, "InAlvaraEmpregado"};
inline const Field kSex{RecordKind::Link, "InSexo"};
inline const Field kAbsenceDays{RecordKind::Link, "QtDiasAfas"};
inline const Field kWorkMunicipality{RecordKind::Link, "CoMunicipioTrabalho"};
inline const Field kUnionMember{RecordKind::Link, "InSindicalizadoVinculo"};


inline const std::array<Field, 12> kMonthValue{
    Field{RecordKind::Link, "VaJaneiroEmpregado"},  Field{RecordKind::Link, "VaFevereiroEmpregado"},
    Field{RecordKind::Link, "VaMarcoEmpregado"},    Field{RecordKind::Link, "VaAbrilEmpregado"},
    Field{RecordKind::Link, "VaMaioEmpregado"},     Field{RecordKind::Link, "VaJunhoEmpregado"},
    Field{RecordKind::Link, "VaJulhoEmpregado"},    Field{RecordKind::Link, "VaAgostoEmpregado"},
    Field{RecordKind::Link, "VaSetembroEmpregado"}, Field{RecordKind::Link, "VaOutubroEmpregado"},
    Field{RecordKind::Link, "VaNovembroEmpregado"}, Field{RecordKind::Link, "VaDezembroEmpregado"}};

inline const std::array<Field, 12> kMonthHours{
    Field{RecordKind::Link, "HoTrabalhadasJaneiro"},  Field{RecordKind::Link, "HoTrabalhadasFevereiro"},
    Field{RecordKind::Link, "HoTrabalhadasMarco"},    Field{RecordKind::Link, "HoTrabalhadasAbril"},
    Field{RecordKind::Link, "HoTrabalhadasMaio"},     Field{RecordKind::Link, "HoTrabalhadasJunho"},
    Field{RecordKind::Link, "HoTrabalhadasJulho"},    Field{RecordKind::Link, "HoTrabalhadasAgosto"},
    Field{RecordKind::Link, "HoTrabalhadasSetembro"}, Field{RecordKind::Link, "HoTrabalhadasOutubro"},
    Field{RecordKind::Link, "HoTrabalhadasNovembro"}, Field{RecordKind::Link, "HoTrabalhadasDezembro"}};

// Absence reason, start and end of the first, second and third absence.
struct Absence {
  Field reason;
  Field start;
  Field end;
};
inline const std::array<Absence, 3> kAbsences{
    Absence{{RecordKind::Link, "CoMotivoPrimAfas"}, {RecordKind::Link, "DaInicioprimeiroAfas"},
            {RecordKind::Link, "DaFinalPrimeiroAfas"}},
    Absence{{RecordKind::Link, "CoMotivoSeguAfas"}, {RecordKind::Link, "DaInicioSegundoAfas"},
            {RecordKind::Link, "DaFinalSegundoAfas"}},
    Absence{{RecordKind::Link, "CoMotivoTercAfas"}, {RecordKind::Link, "DaInicioTerceiroAfas"},
            {RecordKind::Link, "DaFinalTerceiroAfas"}}};

}  // namespace torvex::core::consistency::fields
