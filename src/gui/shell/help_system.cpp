#include "gui/shell/help_system.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

#include "gui/shell/screen_scale.h"
#include "ui_help_viewer.h"

namespace torvex::gui::shell {

QList<HelpTopic> readHelpFile(const QString& path) {
  QList<HelpTopic> topics;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return topics;
  const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
  for (const QString& raw : lines) {
    const QString line = raw.endsWith('\r') ? raw.chopped(1) : raw;
    if (line.startsWith(QStringLiteral("@topico "))) {
      const QString rest = line.mid(8).trimmed();
      const int space = rest.indexOf(' ');
      HelpTopic t;
      t.number = (space < 0 ? rest : rest.left(space)).toInt();
      t.title = space < 0 ? QString() : rest.mid(space + 1).trimmed();
      topics.append(t);
    } else if (!topics.isEmpty()) {
      topics.last().text += line + '\n';
    }
  }
  for (auto& t : topics) t.text = t.text.trimmed();
  return topics;
}

HelpViewer::HelpViewer(const QList<HelpTopic>& topics, QWidget* parent)
    : QDialog(parent), topics_(topics), ui_(std::make_unique<Ui::HelpViewer>()) {
  ui_->setupUi(this);
  for (const auto& t : topics_) {
    auto* item = new QListWidgetItem(t.title, ui_->lwTopicos);
    item->setData(Qt::UserRole, t.number);
  }
  connect(ui_->lwTopicos, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < topics_.size())
      ui_->tbTexto->setHtml(QStringLiteral("<h3>%1</h3><p>%2</p>")
                                .arg(topics_[row].title.toHtmlEscaped(),
                                     topics_[row].text.toHtmlEscaped().replace('\n', QStringLiteral("<br>"))));
  });
  connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::accept);
  applyDesignSize(this);
  // The list of topics takes a third of the width, the text the rest.
  ui_->spDivisao->setSizes({screenScale().scaled(170), screenScale().scaled(290)});
  if (topics_.isEmpty())
    ui_->tbTexto->setPlainText(QStringLiteral("O arquivo de ajuda \"AJUDA TORVEX.hlp\" não foi encontrado."));
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::showTopic(int number) {
  requested_ = number;
  for (int i = 0; i < topics_.size(); ++i)
    if (topics_[i].number == number) {
      ui_->lwTopicos->setCurrentRow(i);
      return;
    }
  if (!topics_.isEmpty()) ui_->lwTopicos->setCurrentRow(0);
  ui_->lwTopicos->setFocus();
}

HelpSystem::HelpSystem(QString helpFile, QObject* parent)
    : QObject(parent), file_(std::move(helpFile)), topics_(readHelpFile(file_)) {}

bool HelpSystem::hasTopic(int number) const {
  for (const auto& t : topics_)
    if (t.number == number) return true;
  return false;
}

void HelpSystem::showTopics(QWidget* owner) { showTopic(0, owner); }

void HelpSystem::showTopic(int number, QWidget* owner) {
  HelpViewer viewer(topics_, owner);
  viewer.showTopic(number);
  viewer.exec();
}

int helpTopicOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property("helpTopic");
    if (v.isValid() && v.toInt() > 0) return v.toInt();
  }
  return 0;
}

namespace {

// The topic of an entry, or of the nearest menu around it that has one.
int menuEntryTopic(const QAction* entry, const QMenu* menu) {
  if (entry) {
    if (const int topic = entry->property("helpTopic").toInt(); topic > 0) return topic;
  }
  for (const QWidget* w = menu; w; w = w->parentWidget()) {
    const auto* m = qobject_cast<const QMenu*>(w);
    if (!m) break;
    if (const int topic = m->menuAction()->property("helpTopic").toInt(); topic > 0) return topic;
  }
  return 0;
}

}  // namespace

int HelpSystem::topicUnderTheUser() {
  // An open menu takes the keys: the topic of its highlighted entry.
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
    return menuEntryTopic(menu->activeAction(), menu);
  // The menu bar under keyboard navigation holds the focus.
  if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget()); bar && bar->activeAction())
    return menuEntryTopic(bar->activeAction(), nullptr);
  return helpTopicOf(QApplication::focusWidget());
}

bool HelpSystem::eventFilter(QObject* watched, QEvent* event) {
  // The key reaches the filter first on its way to the window, then to the widget: act once.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    const int topic = topicUnderTheUser();
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget())) bar->setActiveAction(nullptr);
    QWidget* owner = QApplication::activeWindow();
    if (topic == 0) showTopics(owner);  // context request for topic 0: the topics dialog
    else showTopic(topic, owner);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvex::gui::shell
