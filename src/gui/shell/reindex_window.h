#pragma once
// "Indexar Arquivos": rebuilds every index of the data folder on request.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace torvex::core::store {
class Database;
}

namespace torvex::gui::shell {

class TfmIndexar : public QDialog {
  Q_OBJECT
 public:
  TfmIndexar(core::store::Database& db, QWidget* parent = nullptr);
  QPushButton* startButton() const { return start_; }

 private:
  void run();
  core::store::Database& db_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* start_;
  QPushButton* cancel_;
};

}  // namespace torvex::gui::shell
