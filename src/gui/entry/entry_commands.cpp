#include "gui/entry/entry_commands.h"

#include "core/entry/interrupted_operation.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/fm_dados_empreg.h"
#include "gui/entry/fm_dados_estabelecimento.h"
#include "gui/entry/fm_lista_empregados.h"
#include "gui/entry/fm_lista_estabelecimentos.h"
#include "gui/entry/fm_nova_declaracao.h"
#include "gui/entry/fm_dados_responsavel.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::entry {

using core::entry::EntryMode;
using core::entry::EstablishmentKey;
using shell::Command;

namespace {

using Next = TfmDadosEstabelecimento::Next;

// The establishment window, then the employees when the declaration has them: the
// employee window for a first link, the employee list once there are links.
Next editEstablishment(EntrySession& session, EntryMode mode, const EstablishmentKey& key, QWidget* parent) {
  TfmDadosEstabelecimento w(session, mode, key, parent);
  if (!w.loaded()) return Next::EstablishmentList;
  w.exec();
  if (w.next() != Next::Employees) return w.next();
  if (w.rules().linkCount() == 0) {
    // An establishment without links goes straight to its first employee.
    TfmDadosEmpreg first(session, key, std::nullopt, parent);
    if (!first.loaded()) return Next::EstablishmentList;
    first.exec();
    if (!first.establishmentHasLinks()) return Next::EstablishmentList;
  }
  TfmListaEmpregados employees(session, key, parent);
  employees.exec();
  return Next::EstablishmentList;
}

// The establishment list in open mode until the user returns.
void browseEstablishments(EntrySession& session, QWidget* parent) {
  for (;;) {
    TfmListaEstabelecimentos list(session, TfmListaEstabelecimentos::Mode::Open, parent);
    if (!list.hasRows() || list.exec() != QDialog::Accepted) return;
    if (editEstablishment(session, EntryMode::Open, list.chosen(), parent) == Next::Close) return;
  }
}

void newDeclaration(EntrySession& session, QWidget* parent) {
  EstablishmentKey key;
  {
    TfmNovaDeclaracao w(session, parent);
    if (w.exec() != QDialog::Accepted) return;
    key = w.key();
  }
  if (editEstablishment(session, EntryMode::New, key, parent) == Next::EstablishmentList)
    browseEstablishments(session, parent);
}

void deleteEstablishment(EntrySession& session, QWidget* parent) {
  TfmListaEstabelecimentos list(session, TfmListaEstabelecimentos::Mode::Delete, parent);
  if (!list.hasRows() || list.exec() != QDialog::Accepted) return;
  const auto& k = list.chosen();
  core::entry::reportAndClearInterrupted(session.db(), session.reference(), session.ui(), k.baseYear, k.inscription,
                                         k.prefix);
  // The deletion window comes with the maintenance wizards.
  session.ui().message(core::platform::DialogKind::Information,
                       "\"Excluir Declaração\" ainda não está disponível nesta versão do TORVEX.",
                       core::platform::Buttons::Ok);
}

}  // namespace

void installEntryCommands(shell::TfmPrincipal& main, EntrySession& session) {
  main.setHandler(Command::DadosResponsavel, [&main, &session] {
    TfmDadosResponsavel w(session, &main);
    w.exec();
  });
  // The main window applies the enabling rule again after each of these.
  main.setHandler(Command::Nova, [&main, &session] { newDeclaration(session, &main); });
  main.setHandler(Command::Abrir, [&main, &session] { browseEstablishments(session, &main); });
  main.setHandler(Command::Excluir, [&main, &session] { deleteEstablishment(session, &main); });
}

}  // namespace torvex::gui::entry
