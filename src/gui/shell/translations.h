#pragma once
// Qt's own texts (standard buttons, context menus, file dialogs) in Brazilian
// Portuguese, from the translations installed with Qt.
class QCoreApplication;

namespace torvex::gui::shell {

// Installs Qt's pt_BR translations in the application; false when they are not
// installed on this machine (the texts then stay in English).
bool installQtTranslations(QCoreApplication& app);

}  // namespace torvex::gui::shell
