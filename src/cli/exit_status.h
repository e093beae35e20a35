#pragma once
// Every exit status of torvex-cli, in one table: the README and the --help text
// show this table. The numbers are kept as scripts already know them, so 1 and 2
// mean one thing for the checking commands and another for gravar.
#include <string>
#include <string_view>

namespace torvex::cli {

namespace exit_status {
inline constexpr int kOk = 0;
inline constexpr int kWarnings = 1;         // verificar, analisar: warnings only
inline constexpr int kRefused = 1;          // gravar: refused or failed; indexar: failed; transmitir, protocolo, responsavel: refused
inline constexpr int kNothingImported = 1;  // importar
inline constexpr int kErrors = 2;           // verificar, analisar: errors
inline constexpr int kInterrupted = 2;      // gravar: stopped, nothing or not everything written
inline constexpr int kUsage = 3;            // every command: wrong usage, input or output error
inline constexpr int kStructureFinding = 4; // analisar: the file's structure is faulty
inline constexpr int kRewriteFailed = 5;    // analisar --gravar
inline constexpr int kRewriteInterrupted = 6;
inline constexpr int kWorkTablesBusy = 7;   // another program holds the data folder (work tables or declarations)
inline constexpr int kDataFolderBusy = 7;   // copia, restaurar: another program is using the data
inline constexpr int kInterruptedBySignal = 130;  // a check stopped with Ctrl-C, as shells report SIGINT
}  // namespace exit_status

struct ExitStatusRow {
  int code;
  const char* commands;  // the subcommands (and options) it applies to, separated by ", "; "todos": all
  const char* meaning;
};

inline constexpr ExitStatusRow kExitStatusTable[] = {
    {exit_status::kOk, "todos", "sucesso: nada encontrado, arquivo gravado, importado, índices refeitos"},
    {exit_status::kWarnings, "verificar, analisar", "apenas avisos"},
    {exit_status::kRefused, "gravar",
     "recusado: há erros, não há estabelecimentos no ano-base, a pasta de destino não recebe arquivos, ou a gravação falhou"},
    {exit_status::kNothingImported, "importar",
     "nada importado: estabelecimentos recusados ou já existentes, ou responsável com erros"},
    {exit_status::kRefused, "indexar", "os índices não puderam ser refeitos"},
    {exit_status::kRefused, "transmitir",
     "recusado: declaração já transmitida, programa de transmissão não encontrado, ou nenhum recibo válido"},
    {exit_status::kRefused, "protocolo", "recusado: declaração não transmitida (sem recibo) ou Arquivo .rec inválido"},
    {exit_status::kRefused, "responsavel",
     "recusado: o responsável do arquivo tem erros (nada gravado), ou não há responsável gravado"},
    {exit_status::kRefused, "copia", "recusado: o arquivo não tem a extensão .bkp"},
    {exit_status::kRefused, "restaurar",
     "recusado: extensão inválida, arquivo inexistente, não é uma cópia do ano-base, ou cópia danificada "
     "(os dados não foram alterados)"},
    {exit_status::kErrors, "verificar, analisar", "há erros"},
    {exit_status::kInterrupted, "gravar",
     "interrompido: verificação interrompida, ou um arquivo de mesmo nome já existe"},
    {exit_status::kUsage, "todos", "uso incorreto ou erro de entrada e saída"},
    {exit_status::kUsage, "analisar", "análise de estrutura interrompida"},
    {exit_status::kStructureFinding, "analisar", "erro de estrutura no arquivo"},
    {exit_status::kStructureFinding, "importar", "erro de estrutura no arquivo: nada importado"},
    {exit_status::kRewriteFailed, "analisar --gravar",
     "a nova gravação do arquivo falhou, ou a pasta de destino não recebe arquivos (visto antes da análise)"},
    {exit_status::kRewriteInterrupted, "analisar --gravar",
     "nova gravação interrompida: já existe um arquivo de mesmo nome"},
    {exit_status::kWorkTablesBusy, "analisar, verificar, importar, gravar, relatorio, indexar, responsavel",
     "a pasta de dados (as declarações ou a área de trabalho) está em uso por outro programa"},
    {exit_status::kDataFolderBusy, "copia, restaurar",
     "os dados das declarações estão em uso por outro programa: nada foi gravado nem alterado"},
    {exit_status::kInterruptedBySignal, "verificar, analisar", "verificação interrompida com Ctrl-C"},
    {exit_status::kInterruptedBySignal, "copia, restaurar",
     "interrompido com Ctrl-C: nenhuma cópia gravada, ou os dados não foram alterados"},
    {exit_status::kInterruptedBySignal, "importar",
     "importação interrompida com Ctrl-C (o que foi importado fica completo)"},
};

// The rows that apply to `command` ("" for all), one "  N  meaning" line each,
// under the heading "Códigos de saída:".
std::string exitStatusHelp(std::string_view command = {});

}  // namespace torvex::cli
