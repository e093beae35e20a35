#include "gui/shell/fm_principal.h"

#include "gui/platform/qt_interaction.h"
#include "gui/platform/qt_printers.h"
#include "gui/reports/print_wizard.h"
#include "gui/reports/report_runner.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/store/declaration_state.h"
#include "gui/delivery/transmission_commands.h"
#include "gui/shell/help_system.h"
#include "gui/shell/fm_informacoes_uteis.h"
#include "gui/shell/fm_indexar.h"
#include "gui/shell/screen_scale.h"

namespace torvex::gui::shell {

namespace {

struct CommandDef {
  Command id;
  const char* text;   // menu text
  int helpTopic;      // 0: none
  const char* hint;   // tool-bar hint, empty when the command has no button
  QStyle::StandardPixmap icon;
  bool needsDeclaration;     // follows the enabling rule
  bool reappliesRule;        // the enabling rule runs again after it
};

constexpr CommandDef kCommands[] = {
    {Command::Nova, "&Nova...", 831, "Nova Declaração", QStyle::SP_FileIcon, false, true},
    {Command::Abrir, "&Abrir...", 903, "Abrir Declaração", QStyle::SP_DialogOpenButton, true, true},
    {Command::Excluir, "&Excluir...", 886, "Excluir Declaração", QStyle::SP_TrashIcon, true, true},
    {Command::Verificar, "&Verificar Inconsistências das Declarações ...", 908,
     "Verificar Inconsistências das Declarações", QStyle::SP_DialogApplyButton, true, false},
    {Command::DadosResponsavel, "&Dados Responsável ...", 905, "Dados do Responsável pela Declaração Keva",
     QStyle::SP_FileDialogContentsView, false, false},
    {Command::GravarDeclaracao, "&Gravar Declaração...", 890, "Gravar Declaração", QStyle::SP_DialogSaveButton, true,
     false},
    {Command::GravarRetificacao, "Gravar &Retificação da Declaração...", 904, "Gravar Retificação da Declaração",
     QStyle::SP_BrowserReload, true, false},
    {Command::Transmitir, "&Transmitir Declaração", 0, "Transmitir Declaração", QStyle::SP_ArrowUp, false, false},
    {Command::ImprimirDeclaracao, "Declaração", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::ImprimirProtocolo, "Protocolo de Transmissão", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::ImportarAnterior, "Ano Anterior  2005", 899, "Importar Arquivo Ano-Base 2005", QStyle::SP_CustomBase,
     false, true},
    {Command::ImportarAtual, "Ano Atual       2006", 900, "Importar Arquivo Ano-Base 2006", QStyle::SP_CustomBase,
     false, true},
    {Command::Sair, "&Sair", 902, "", QStyle::SP_CustomBase, false, false},
    {Command::Analisador, "&Analisador", 906, "Analisador", QStyle::SP_FileDialogDetailedView, false, true},
    {Command::ConsultaArquivo, "&Consulta Arquivo do Ano", 933, "Consultar  Arquivo do Ano",
     QStyle::SP_FileDialogInfoView, false, false},
    {Command::CopiaGravar, "&Gravar", 896, "", QStyle::SP_CustomBase, true, false},
    {Command::CopiaRestaurar, "&Restaurar", 897, "", QStyle::SP_CustomBase, false, true},
    {Command::Indexar, "&Indexar Arquivos", 907, "", QStyle::SP_CustomBase, false, false},
    {Command::Pesquisa, "&Pesquisa", 909, "Pesquisa de Satisfação", QStyle::SP_DialogYesButton, false, false},
    {Command::ImprimirRelatorio, "Imprimir Relatório", 0, "Imprimir Relatório", QStyle::SP_FileDialogListView, false,
     false},
    {Command::Ajuda, "&Ajuda do TORVEX\tF1", 0, "Ajuda do Torvex", QStyle::SP_MessageBoxQuestion, false, false},
    {Command::InformacoesUteis, "&Informações Úteis", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::ComoFazer, "&Como Fazer Para ...", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::VisualizarCartela, "&Visualizar Cartela", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::EmitirCartela, "&Emitir Cartela", 0, "", QStyle::SP_CustomBase, false, false},
    {Command::Sobre, "&Sobre o TORVEX", 0, "", QStyle::SP_CustomBase, false, false},
};

// Left to right, as the tool bar shows them.
constexpr Command kToolBarOrder[] = {
    Command::Nova,          Command::Abrir,           Command::Excluir,         Command::Verificar,
    Command::GravarDeclaracao, Command::GravarRetificacao, Command::DadosResponsavel, Command::ImprimirRelatorio,
    Command::ImportarAnterior, Command::ImportarAtual,  Command::Analisador,      Command::ConsultaArquivo,
    Command::Transmitir,    Command::Pesquisa,        Command::Ajuda,
};

const CommandDef& commandDef(Command c) {
  for (const auto& s : kCommands)
    if (s.id == c) return s;
  return kCommands[0];
}

// "200&6": the first three digits, "&", the last digit.
QString yearAccelerator(int year) {
  const QString y = QString::number(year);
  return y.left(3) + '&' + y.right(1);
}

QPixmap mainPicture() {
  QPixmap pix = screenScale().canvas({420, 220});
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0, 96, 96));
  p.setPen(QPen(QColor(230, 240, 240), 3));
  p.drawRoundedRect(QRectF(4, 4, 412, 212), 18, 18);
  p.setPen(QColor(255, 255, 255));
  QFont big = p.font();
  big.setPointSize(40);
  big.setBold(true);
  p.setFont(big);
  p.drawText(QRect(0, 30, 420, 80), Qt::AlignCenter, QStringLiteral("TORVEX"));
  QFont small = p.font();
  small.setPointSize(14);
  small.setBold(false);
  p.setFont(small);
  p.drawText(QRect(0, 110, 420, 40), Qt::AlignCenter, QStringLiteral("Declaração KEVA — Ano-Base 2006"));
  p.drawText(QRect(0, 150, 420, 40), Qt::AlignCenter, QStringLiteral("Versão ") + versionText());
  return pix;
}

}  // namespace

TfmPrincipal::TfmPrincipal(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), help_(new HelpSystem(context.helpFile(), this)) {
  qApp->installEventFilter(help_);
  setObjectName(QStringLiteral("fmPrincipal"));
  buildActions();
  buildMenus();
  buildToolBar();
  buildCentralArea();
  statusBar();
  move(0, 0);
  applyDesignSize(this, {640, 480});
  setWindowState(Qt::WindowMaximized);

  setHandler(Command::Sair, [] { QApplication::closeAllWindows(); });
  setHandler(Command::Indexar, [this] {
    TfmIndexar w(*context_.db, this);
    w.exec();
  });
  setHandler(Command::InformacoesUteis, [this] { showInformation(); });
  setHandler(Command::Ajuda, [this] { help_->showTopics(this); });
  setHandler(Command::ComoFazer, [this] { help_->showTopic(10, this); });
  auto printWizard = [this](reports::PrintWizard::Start start) {
    platform::QtPrinters printers;
    platform::QtInteraction ui(this);
    reports::ReportHost host{*context_.db, printers, ui};
    reports::PrintWizard w(host, start, false, this);
    w.exec();
    if (w.protocolChosen()) trigger(Command::ImprimirProtocolo);
  };
  setHandler(Command::ImprimirRelatorio, [printWizard] { printWizard(reports::PrintWizard::Start::Choice); });
  setHandler(Command::ImprimirDeclaracao, [printWizard] { printWizard(reports::PrintWizard::Start::ReportType); });
  setHandler(Command::Transmitir,
             [this] { delivery::openTransmissionWindow(context_, this, delivery::TransmissionMode::Transmit); });
  setHandler(Command::ImprimirProtocolo,
             [this] { delivery::openTransmissionWindow(context_, this, delivery::TransmissionMode::Print); });
  setHandler(Command::VisualizarCartela,
             [this] { reports::showReport(this, *context_.db, "Cartela", reports::Destination::Preview); });
  setHandler(Command::EmitirCartela,
             [this] { reports::showReport(this, *context_.db, "Cartela", reports::Destination::Printer); });
}

TfmPrincipal::~TfmPrincipal() { qApp->removeEventFilter(help_); }

void TfmPrincipal::buildActions() {
  for (const auto& def : kCommands) {
    auto* a = new QAction(QString::fromUtf8(def.text), this);
    if (def.helpTopic) a->setProperty("helpTopic", def.helpTopic);
    if (*def.hint) {
      a->setToolTip(QString::fromUtf8(def.hint));
      a->setStatusTip(QString::fromUtf8(def.hint));
    }
    if (def.icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(def.icon));
    const Command id = def.id;
    connect(a, &QAction::triggered, this, [this, id] { trigger(id); });
    actions_.insert(id, a);
  }
}

void TfmPrincipal::buildMenus() {
  QMenu* decl = menuBar()->addMenu(QStringLiteral("&Declaração"));
  for (Command c : {Command::Nova, Command::Abrir, Command::Excluir, Command::Verificar, Command::DadosResponsavel,
                    Command::GravarDeclaracao, Command::GravarRetificacao, Command::Transmitir})
    decl->addAction(action(c));
  QMenu* print = decl->addMenu(QStringLiteral("&Imprimir..."));
  print->menuAction()->setProperty("helpTopic", 895);
  print->addAction(action(Command::ImprimirDeclaracao));
  print->addAction(action(Command::ImprimirProtocolo));
  QMenu* import = decl->addMenu(QStringLiteral("Im&portar..."));
  import->menuAction()->setProperty("helpTopic", 898);
  import->addAction(action(Command::ImportarAnterior));
  import->addAction(action(Command::ImportarAtual));
  decl->addSeparator();
  decl->addAction(action(Command::Sair));

  menuBar()->addAction(menuBarEntry(Command::Analisador));

  QMenu* util = menuBar()->addMenu(QStringLiteral("&Utilitários"));
  util->addAction(action(Command::ConsultaArquivo));
  QMenu* backup = util->addMenu(QStringLiteral("Cópia de &Segurança"));
  backup->addAction(action(Command::CopiaGravar));
  backup->addAction(action(Command::CopiaRestaurar));
  util->addAction(action(Command::Indexar));

  menuBar()->addAction(menuBarEntry(Command::Pesquisa));

  QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("A&juda"));
  helpMenu->addAction(action(Command::Ajuda));
  helpMenu->addAction(action(Command::InformacoesUteis));
  helpMenu->addAction(action(Command::ComoFazer));
  QMenu* layout = helpMenu->addMenu(QStringLiteral("&Layout Arquivo KEVA"));
  layout->addAction(action(Command::VisualizarCartela));
  layout->addAction(action(Command::EmitirCartela));
  helpMenu->addAction(action(Command::Sobre));
}

QAction* TfmPrincipal::menuBarEntry(Command command) {
  // Menu-bar entries show text only; the tool-bar button keeps the icon.
  QAction* source = action(command);
  auto* entry = new QAction(source->text(), this);
  entry->setProperty("helpTopic", source->property("helpTopic"));
  connect(entry, &QAction::triggered, source, &QAction::trigger);
  connect(source, &QAction::enabledChanged, entry, &QAction::setEnabled);
  return entry;
}

void TfmPrincipal::buildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Comandos"));
  bar->setObjectName(QStringLiteral("tbComandos"));
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  for (Command c : kToolBarOrder) {
    if (c == Command::ImportarAnterior || c == Command::ImportarAtual) {
      // The import buttons show their year, the last digit as accelerator.
      auto* b = new QToolButton(bar);
      const int year = c == Command::ImportarAnterior ? kPreviousYear : kBaseYear;
      b->setText(yearAccelerator(year));
      b->setToolTip(QStringLiteral("Importar Arquivo Ano-Base ") + QString::number(year));
      b->setObjectName(c == Command::ImportarAnterior ? QStringLiteral("btImportarAnterior")
                                                     : QStringLiteral("btImportarAtual"));
      b->setMinimumSize(36, 32);
      connect(b, &QToolButton::clicked, this, [this, c] { trigger(c); });
      bar->addWidget(b);
    } else {
      bar->addAction(action(c));
    }
  }
}

void TfmPrincipal::buildCentralArea() {
  auto* central = new QWidget;
  central->setObjectName(QStringLiteral("pnFundo"));
  central->setAutoFillBackground(true);
  QPalette pal = central->palette();
  pal.setColor(QPalette::Window, QColor(0, 128, 128));  // teal
  central->setPalette(pal);
  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("imFigura"));
  picture->setPixmap(mainPicture());
  picture->setAlignment(Qt::AlignCenter);
  auto* link = new QLabel(QStringLiteral("<a style=\"color:#ffffff\" href=\"%1\"><u>%1</u></a>")
                              .arg(QString::fromUtf8(kServiceAddress)));
  link->setObjectName(QStringLiteral("lbEndereco"));
  link->setAlignment(Qt::AlignCenter);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(link, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
  auto* layout = new QVBoxLayout(central);
  layout->addStretch();
  layout->addWidget(picture);
  layout->addWidget(link);
  layout->addStretch();
  setCentralWidget(central);
}

void TfmPrincipal::setHandler(Command command, std::function<void()> handler) {
  handlers_.insert(command, std::move(handler));
}

void TfmPrincipal::trigger(Command command) {
  const CommandDef& def = commandDef(command);
  if (def.needsDeclaration && !action(command)->isEnabled()) return;
  if (auto it = handlers_.find(command); it != handlers_.end() && *it) {
    (*it)();
  } else {
    QString name = QString::fromUtf8(*def.hint ? def.hint : def.text).remove('&');
    name = name.section('\t', 0, 0);
    notAvailable(name);
  }
  if (def.reappliesRule) ControlaBotoes();
}

void TfmPrincipal::notAvailable(const QString& what) {
  statusBar()->showMessage(QStringLiteral("\"%1\" ainda não está disponível nesta versão do TORVEX.").arg(what), 8000);
}

void TfmPrincipal::ControlaBotoes() {
  const bool enabled = core::store::hasCurrentDeclarations(*context_.db);
  for (const auto& def : kCommands)
    if (def.needsDeclaration) action(def.id)->setEnabled(enabled);
}

void TfmPrincipal::showInformation() {
  TfmInformacoesUteis w(*context_.db, this);
  w.exec();
}

void TfmPrincipal::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));  // "," decimals, "." thousands
  setWindowTitle(QStringLiteral("Torvex%1 - Gerador de Declaração Keva [Versão: %2]")
                     .arg(kBaseYear)
                     .arg(versionText()));
  ControlaBotoes();
  // First activation: once the window is up, the information screen unless the user turned it off.
  QTimer::singleShot(0, this, [this] { firstActivation(); });
}

void TfmPrincipal::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) firstActivation();
}

void TfmPrincipal::firstActivation() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  if (!infoScreenHidden(*context_.db)) showInformation();
  activateWindow();
}

void TfmPrincipal::closeEvent(QCloseEvent* event) { event->accept(); }

}  // namespace torvex::gui::shell
