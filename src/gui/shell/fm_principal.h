#pragma once
// The main window: menus and tool bar of every command, the enabling rule
// (ControlaBotoes), the first-run information screen, help, and the run-wide
// results that later pages read.
#include <QHash>
#include <QMainWindow>
#include <functional>

#include "gui/shell/app_context.h"

class QAction;

namespace torvex::gui::shell {

class HelpSystem;

// Every command of the main window. Menu entry and tool-bar button of one
// command share one QAction.
enum class Command {
  Nova, Abrir, Excluir, Verificar, DadosResponsavel, GravarDeclaracao, GravarRetificacao, Transmitir,
  ImprimirDeclaracao, ImprimirProtocolo, ImportarAnterior, ImportarAtual, Sair, Analisador, ConsultaArquivo,
  CopiaGravar, CopiaRestaurar, Indexar, Pesquisa, ImprimirRelatorio, Ajuda, InformacoesUteis, ComoFazer,
  VisualizarCartela, EmitirCartela, Sobre,
};

class TfmPrincipal : public QMainWindow {
  Q_OBJECT
 public:
  TfmPrincipal(AppContext& context, QWidget* parent = nullptr);
  ~TfmPrincipal() override;

  QAction* action(Command command) const { return actions_.value(command); }
  // The enabling rule: the commands that work on existing declarations are
  // enabled only while BD8Emp holds an establishment of 2006 or 2007.
  void ControlaBotoes();
  // Runs a command as its menu entry would.
  void trigger(Command command);
  // Sets what a command does (later windows plug in here).
  void setHandler(Command command, std::function<void()> handler);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildToolBar();
  QAction* menuBarEntry(Command command);
  void firstActivation();
  void buildCentralArea();
  void notAvailable(const QString& what);
  void showInformation();

  AppContext& context_;
  HelpSystem* help_;
  QHash<Command, QAction*> actions_;
  QHash<Command, std::function<void()>> handlers_;
  bool firstActivation_ = true;  // the "S"/"N" first-activation flag
  bool shownOnce_ = false;
};

// The declaration service's web address shown below the picture.
inline constexpr const char* kServiceAddress = "https://www.keva.org.br";

}  // namespace torvex::gui::shell
