#include "gui/maintenance/fm_copia_seguranca.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>

#include "core/jobs/backup_job.h"
#include "core/store/database.h"
#include "gui/importing/page_interaction.h"
#include "gui/platform/qt_interaction.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_copia_seguranca.h"

namespace torvex::gui::maintenance {

namespace text = core::jobs::backup_text;
using core::platform::Buttons;
using core::platform::DialogKind;

namespace {

QString fromText(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Help topics of the two menu entries.
constexpr int kBackupHelpTopic = 896;
constexpr int kRestoreHelpTopic = 897;

}  // namespace

// The run's side of the window: a Cancel is a question only while the run
// lets events through between blocks; a key press that arrives later (while the
// outcome's message is up) finds the run past the point where it could stop.
class TfmCopiaSeguranca::Run : public importing::PageInteraction {
 public:
  using PageInteraction::PageInteraction;
  void processEvents() override {
    inEvents_ = true;
    PageInteraction::processEvents();
    inEvents_ = false;
  }
  bool canStop() const { return inEvents_; }

 private:
  bool inEvents_ = false;
};

TfmCopiaSeguranca::TfmCopiaSeguranca(BackupWindowHost host, Kind kind, QWidget* parent)
    : QDialog(parent), host_(std::move(host)), kind_(kind), ui_(std::make_unique<Ui::TfmCopiaSeguranca>()) {
  ui_->setupUi(this);
  if (!host_.dialogs) {
    ownDialogs_ = std::make_unique<platform::QtInteraction>(this);
    host_.dialogs = ownDialogs_.get();
  }
  run_ = std::make_unique<Run>(*host_.dialogs);
  run_->setProgressBar(ui_->pbProgresso);
  const bool backup = kind_ == Kind::Backup;
  // The restore window's title ends with a blank, as it always has.
  setWindowTitle(backup ? QStringLiteral("Cópia de Segurança (Gravar)") : QStringLiteral("Restaurar Cópia de Segurança "));
  setProperty("helpTopic", backup ? kBackupHelpTopic : kRestoreHelpTopic);
  ui_->lbIntroducao->setText(
      backup ? QStringLiteral("Grava uma cópia de segurança dos dados das declarações (responsável, estabelecimentos "
                              "e vínculos) em um arquivo .bkp. Quando a unidade de destino não comporta a cópia "
                              "inteira, ela continua em outros volumes (.002, .003, ...).\n\n"
                              "Clique em Iniciar e escolha o arquivo da cópia.")
             : QStringLiteral("Restaura os dados das declarações de uma cópia de segurança (.bkp). Os dados "
                              "atuais de responsável, estabelecimentos e vínculos são substituídos pelos da cópia, "
                              "depois que ela for lida e conferida por inteiro.\n\n"
                              "Clique em Iniciar e escolha o arquivo da cópia."));
  ui_->lbProgresso->setText(fromText(backup ? text::kBackupProgress : text::kRestoreProgress));
  // The progress keeps its room while hidden: the text above it never shrinks.
  for (QWidget* w : {static_cast<QWidget*>(ui_->lbProgresso), static_cast<QWidget*>(ui_->pbProgresso)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
    w->hide();
  }
  connect(ui_->btIniciar, &QPushButton::clicked, this, &TfmCopiaSeguranca::start);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmCopiaSeguranca::reject);
  connect(this, &QDialog::finished, this, [this] {
    if (!host_.executableFolder.isEmpty()) QDir::setCurrent(host_.executableFolder);
  });
  shell::applyDesignSize(this);
}

TfmCopiaSeguranca::~TfmCopiaSeguranca() = default;

QPushButton* TfmCopiaSeguranca::startButton() const { return ui_->btIniciar; }
QPushButton* TfmCopiaSeguranca::cancelButton() const { return ui_->btCancelar; }

QString TfmCopiaSeguranca::proposedArchive(const core::platform::Media& media) {
  const QString name = QString::fromStdString(core::jobs::backupTitle()) + QStringLiteral(".bkp");
  for (const char drive : media.drives()) {
    if (!core::platform::isRemovableDrive(drive)) continue;
    const auto root = media.folder(drive);
    if (!root.empty()) return QDir(QString::fromStdString(root.string())).filePath(name);
  }
  return QDir(QDir::homePath()).filePath(name);
}

QString TfmCopiaSeguranca::chooseFile() {
  const QString proposal = proposedArchive(host_.media);
  if (host_.chooseFile) return host_.chooseFile(this, proposal);
  QFileDialog dialog(this);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (kind_ == Kind::Backup) {
    dialog.setWindowTitle(QStringLiteral("Cópia de Segurança"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Backup TORVEX (BKP) (*.BKP *.bkp)"));
    dialog.setDefaultSuffix(QStringLiteral("BKP"));
    dialog.setDirectory(QFileInfo(proposal).absolutePath());
    dialog.selectFile(QFileInfo(proposal).fileName());
  } else {
    dialog.setWindowTitle(QStringLiteral("Restaurar arquivo de Backup ..."));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Backup Files (*.BKP *.bkp)"));
    dialog.setDirectory(QFileInfo(proposal).absolutePath());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void TfmCopiaSeguranca::start() {
  const QString file = chooseFile();
  if (file.isEmpty()) return;
  running_ = true;
  ui_->btIniciar->setEnabled(false);
  ui_->lbProgresso->show();
  ui_->pbProgresso->show();
  ui_->pbProgresso->setValue(0);
  ui_->btCancelar->setFocus();
  run_->clearStopRequest();
  const std::filesystem::path archive = file.toStdString();
  if (kind_ == Kind::Backup) {
    core::jobs::runBackup(host_.db, host_.media, *run_, {archive, std::nullopt});
  } else {
    restored_ =
        core::jobs::runRestore(host_.db, host_.media, *run_, {archive, true}).status == core::jobs::RestoreStatus::Done;
  }
  running_ = false;
  // The window closes once the run is over, however it ended.
  QDialog::accept();
}

void TfmCopiaSeguranca::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  if (!run_->canStop()) return;
  const auto question = kind_ == Kind::Backup ? text::kCancelBackup : text::kCancelRestore;
  if (host_.dialogs->message(DialogKind::Confirmation, std::string(question), Buttons::YesNo) ==
      core::platform::button::kYes)
    run_->requestStop();
}

}  // namespace torvex::gui::maintenance
