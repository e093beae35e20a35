#include "gui/entry/list_search.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHeaderView>
#include <QPushButton>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include "gui/entry/lazy_list_model.h"
#include "gui/shell/screen_scale.h"

namespace torvex::gui::entry {

ListSearch::ListSearch(QDialog* window, QTableView* view, LazyListModel* model, QLineEdit* number, QLineEdit* name,
                       QAbstractButton* action)
    : QObject(window), window_(window), view_(view), model_(model), number_(number), name_(name), action_(action) {
  view_->setModel(model_);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setTabKeyNavigation(false);
  view_->installEventFilter(this);
  number_->setValidator(nullptr);
  number_->setInputMask(QString());
  connect(view_, &QTableView::doubleClicked, this, &ListSearch::activated);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (auto* b : window->findChildren<QPushButton*>())
    if (b->objectName().startsWith(QLatin1String("btLetra"))) {
      group->addButton(b);
      b->setFocusPolicy(Qt::TabFocus);
      // Limits in design points: the window scales them with the rest of its
      // contents, and the font is already the scaled one. Without a minimum of
      // its own a button keeps the style's (about 80 points for any text) and
      // the row of letters grows wider than a 1024-point screen.
      const double factor = shell::screenScale().factor();
      const auto designWidth = [&](const QString& text, int margin) {
        return static_cast<int>((b->fontMetrics().horizontalAdvance(text) + margin) / factor);
      };
      b->setMinimumWidth(designWidth(b->text(), 12));
      b->setMaximumWidth(designWidth(QStringLiteral("Todos"), 16));
      connect(b, &QPushButton::clicked, this, [this, b] {
        letters_ = b->property("letters").toString();
        number_->clear();
        name_->clear();
        rebuild();
      });
    }
  auto typed = [this] {
    if (!name_->text().isEmpty()) {
      letters_.clear();
      if (auto* all = window_->findChild<QPushButton*>(QStringLiteral("btLetraTodos"))) all->setChecked(true);
    }
    rebuild();
  };
  connect(number_, &QLineEdit::textEdited, this, typed);
  connect(name_, &QLineEdit::textEdited, this, [this, typed](const QString& t) {
    if (t != t.toUpper()) name_->setText(t.toUpper());
    typed();
  });
  for (auto* e : {number_, name_}) e->installEventFilter(this);
}

void ListSearch::reset() {
  number_->clear();
  name_->clear();
  letters_.clear();
  if (auto* all = window_->findChild<QPushButton*>(QStringLiteral("btLetraTodos"))) all->setChecked(true);
  rebuild();
}

void ListSearch::rebuild() {
  core::entry::ListFilter f;
  f.number = number_->text().remove(QRegularExpression(QStringLiteral("\\D"))).toStdString();
  f.name = name_->text().trimmed().toStdString();
  f.letters = f.name.empty() ? letters_.toStdString() : std::string();
  model_->setFilter(f);
  if (model_->rowCount()) view_->selectRow(0);
}

int ListSearch::selectedRow() const {
  const auto rows = view_->selectionModel() ? view_->selectionModel()->selectedRows() : QModelIndexList{};
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ListSearch::focusAfterSearch() {
  const int rows = model_->rowCount();
  if (rows == 1 && model_->complete()) action_->setFocus();
  else if (rows > 0) view_->setFocus();
  else action_->setFocus();
}

bool ListSearch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (watched == view_) {
    emit activated();
    return true;
  }
  rebuild();
  focusAfterSearch();
  return true;
}

}  // namespace torvex::gui::entry
