#pragma once
// Texts every page of the import wizard shows.
#include <QString>

#include "core/importing/establishment_list.h"

namespace torvex::gui::importing {

// "Assistente para Importação de Estabelecimentos (Declaração Ano-Base Atual - Ano 2006)".
inline QString wizardTitle(const core::importing::ImportKind& kind) {
  return QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base %1)")
      .arg(QString::fromStdString(kind.settingsText()));
}
// "Declaração Ano-Base Atual - Ano 2006".
inline QString wizardBanner(const core::importing::ImportKind& kind) {
  return QStringLiteral("Declaração Ano-Base %1").arg(QString::fromStdString(kind.settingsText()));
}

}  // namespace torvex::gui::importing
