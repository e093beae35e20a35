#pragma once
// The report data sets read from the data folder: findings of the check, of
// the structure analysis and of the import with their message texts, the
// protocol tables of the last write, and the declaration query of the print
// wizard. Rows come straight from prepared statements, one at a time.
#include "core/reports/declaration_selection.h"
#include "core/reports/row.h"
#include "core/store/database.h"

namespace torvex::core::reports {

// Names of the data sets.
namespace dataset {
inline constexpr const char* kErrors = "erros";                     // Te8ErrWa by errwar, Sequencial; TxRetorno, TxRotulo
inline constexpr const char* kStructure = "estrutura";              // Te8stru by Sequencia; TxMensagem
inline constexpr const char* kImport = "importacao";                // TE8Imp in table order
inline constexpr const char* kImportNotes = "importacaoNotas";      // distinct Seq, CoImp (not "0000"); TxMensagem
inline constexpr const char* kProtocolFiles = "protocolo";          // te8ProID by NuDisquete
inline constexpr const char* kProtocolEstablishments = "protocoloEstabelecimentos";  // te8ProES of one file
inline constexpr const char* kEstablishments = "estabelecimentos";  // the selected establishments
inline constexpr const char* kLinks = "vinculos";                   // the links of one establishment
inline constexpr const char* kResponsible = "responsavel";          // the responsible row
}  // namespace dataset

class DatabaseDataSets : public DataSets {
 public:
  explicit DatabaseDataSets(store::Database& db, DeclarationSelection selection = {})
      : db_(db), selection_(std::move(selection)) {}
  std::unique_ptr<RowCursor> open(std::string_view name, const Row* parent = nullptr) override;

 private:
  store::Database& db_;
  DeclarationSelection selection_;
};

}  // namespace torvex::core::reports
