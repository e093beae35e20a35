#include "gui/shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace torvex::gui::shell {

bool installQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
  if (!translator->load(brazil, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace torvex::gui::shell
