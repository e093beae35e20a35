#pragma once
// "Indexar Arquivos": rebuilds every index of the data folder on request.
#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class TfmIndexar;
}

namespace torvex::core::store {
class Database;
}

namespace torvex::gui::shell {

class TfmIndexar : public QDialog {
  Q_OBJECT
 public:
  TfmIndexar(core::store::Database& db, QWidget* parent = nullptr);
  ~TfmIndexar() override;
  QPushButton* startButton() const;

 private:
  void run();
  core::store::Database& db_;
  std::unique_ptr<Ui::TfmIndexar> ui_;
};

}  // namespace torvex::gui::shell
