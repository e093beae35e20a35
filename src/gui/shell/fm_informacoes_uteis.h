#pragma once
// "Informações úteis": six points about this year's declaration, and the choice
// not to show the screen again (BD8Resp.InDicas).
#include <QDialog>
#include <memory>

class QCheckBox;

namespace Ui {
class TfmInformacoesUteis;
}

namespace torvex::core::store {
class Database;
}

namespace torvex::gui::shell {

class TfmInformacoesUteis : public QDialog {
  Q_OBJECT
 public:
  TfmInformacoesUteis(core::store::Database& db, QWidget* parent = nullptr);
  ~TfmInformacoesUteis() override;
  QCheckBox* dontShowAgain() const;

 private:
  void save();
  core::store::Database& db_;
  std::unique_ptr<Ui::TfmInformacoesUteis> ui_;
};

// Whether the responsible row asks not to show the screen at start.
bool infoScreenHidden(core::store::Database& db);

}  // namespace torvex::gui::shell
