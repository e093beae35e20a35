#include "cli/commands.h"

namespace torvex::cli {

namespace {
constexpr Command kCommands[] = {
    {"analisar", "Analisa um arquivo de declaração: estrutura e inconsistências (Analisador)", setupAnalisar},
    {"verificar", "Verifica as inconsistências das declarações gravadas do ano-base (Verificar Inconsistências)",
     setupVerificar},
    {"importar", "Importa os estabelecimentos e vínculos de um arquivo de declaração (Importar)", setupImportar},
    {"gravar", "Verifica e grava o arquivo da declaração (Gravar Declaração)", setupGravar},
    {"relatorio", "Gera um relatório do catálogo em PDF, sem janelas (Imprimir Relatório)", setupRelatorio},
    {"indexar", "Refaz os índices da pasta de dados (Indexar Arquivos)", setupIndexar},
    {"transmitir", "Entrega um arquivo de declaração ao programa de transmissão e mostra o recibo (Transmitir Declaração)",
     setupTransmitir},
    {"protocolo", "Confere o recibo de uma declaração transmitida e imprime o protocolo (Protocolo de Transmissão)",
     setupProtocolo},
    {"responsavel", "Mostra o responsável gravado, ou o confere e grava a partir de um arquivo de declaração "
     "(Dados do Responsável)", setupResponsavel},
    {"copia", "Grava uma cópia de segurança dos dados das declarações, em um ou mais volumes (Cópia de Segurança - Gravar)",
     setupCopia},
    {"restaurar", "Restaura os dados das declarações de uma cópia de segurança (Cópia de Segurança - Restaurar)",
     setupRestaurar},
};
}  // namespace

std::span<const Command> commandTable() { return kCommands; }

}  // namespace torvex::cli
