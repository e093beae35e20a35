#include "gui/importing/import_commands.h"

#include "core/importing/establishment_list.h"
#include "gui/importing/fm_importacao01.h"
#include "gui/shell/app_context.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::importing {

namespace {

void openWizard(shell::TfmPrincipal& main, shell::AppContext& context, core::platform::Interaction& ui,
                const core::importing::ImportKind& kind) {
  core::store::ReferenceLookup reference(*context.db);
  ImportContext importContext{*context.db, reference, ui};
  TfmImportacao01 wizard(importContext, QString::fromStdString(kind.settingsText()), &main);
  wizard.exec();
}

}  // namespace

void installImportCommands(shell::TfmPrincipal& main, shell::AppContext& context, core::platform::Interaction& ui) {
  using shell::Command;
  main.setHandler(Command::ImportarAtual, [&main, &context, &ui] {
    openWizard(main, context, ui, core::importing::ImportKind::currentYear());
  });
  main.setHandler(Command::ImportarAnterior, [&main, &context, &ui] {
    openWizard(main, context, ui, core::importing::ImportKind::previousYearFile());
  });
}

}  // namespace torvex::gui::importing
