#pragma once
// "Cópia de Segurança (Gravar)" and "Restaurar Cópia de Segurança ": one form
// for both. "&Iniciar" asks for the archive and runs the backup or restore job
// with progress; "&Cancelar" asks before stopping a run; the window closes
// when the run ends.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "core/platform/interaction.h"
#include "core/platform/media.h"

class QPushButton;

namespace Ui {
class TfmCopiaSeguranca;
}

namespace torvex::core::store {
class Database;
}

namespace torvex::gui::maintenance {

struct BackupWindowHost {
  core::store::Database& db;
  const core::platform::Media& media;
  // The dialogs; nullptr: message boxes of the window's own.
  core::platform::Interaction* dialogs = nullptr;
  // Asks for the archive: the save dialog for a backup, the open dialog for a
  // restore; empty when the user gives up. Unset: Qt's file dialogs.
  std::function<QString(QWidget* parent, const QString& proposal)> chooseFile;
  // The folder made current again when the window closes.
  QString executableFolder;
};

class TfmCopiaSeguranca : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { Backup, Restore };

  TfmCopiaSeguranca(BackupWindowHost host, Kind kind, QWidget* parent = nullptr);
  ~TfmCopiaSeguranca() override;

  QPushButton* startButton() const;
  QPushButton* cancelButton() const;
  bool running() const { return running_; }
  // Whether the last run restored the declaration data.
  bool restored() const { return restored_; }

  // The file proposed by the save dialog: "Keva" + base year + ".bkp" at the
  // root of the first removable medium, else in the user's folder.
  static QString proposedArchive(const core::platform::Media& media);

 public slots:
  void reject() override;

 private:
  void start();
  QString chooseFile();

  BackupWindowHost host_;
  Kind kind_;
  std::unique_ptr<Ui::TfmCopiaSeguranca> ui_;
  std::unique_ptr<core::platform::Interaction> ownDialogs_;
  class Run;
  std::unique_ptr<Run> run_;
  bool running_ = false;
  bool restored_ = false;
};

}  // namespace torvex::gui::maintenance
