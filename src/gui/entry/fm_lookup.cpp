#include "gui/entry/fm_lookup.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/shell/screen_scale.h"

namespace torvex::gui::entry {
namespace {

// Enter on a heading opens or closes it; on an entry it chooses it.
class EnterActivates : public QObject {
 public:
  EnterActivates(QTreeWidget* tree, std::function<void(QTreeWidgetItem*)> activate)
      : QObject(tree), tree_(tree), activate_(std::move(activate)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (auto* item = tree_->currentItem()) activate_(item);
    return true;
  }

 private:
  QTreeWidget* tree_;
  std::function<void(QTreeWidgetItem*)> activate_;
};

}  // namespace

TfmLookup::TfmLookup(core::store::Database& db, core::entry::LookupKind kind, QWidget* parent)
    : QDialog(parent), kind_(kind), tree_(new QTreeWidget(this)) {
  const auto& def = core::entry::lookupDef(kind);
  setObjectName(QStringLiteral("fmLookup"));
  setWindowTitle(QString::fromUtf8(def.title));
  tree_->setObjectName(QStringLiteral("tvCodigos"));
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);  // keeps long lists quick to lay out
  tree_->setRootIsDecorated(!def.headingLengths.empty());

  // Entries come in key order; a row opens a group when its level is above the last one's.
  QList<QTreeWidgetItem*> parents;
  QList<QTreeWidgetItem*> top;
  for (const auto& e : core::entry::lookupEntries(db, kind)) {
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(e.text)});
    item->setData(0, Qt::UserRole, e.selectable);
    if (!e.selectable) {
      QFont f = item->font(0);
      f.setBold(true);
      item->setFont(0, f);
    }
    while (parents.size() > e.level) parents.removeLast();
    if (parents.isEmpty()) top << item;
    else parents.last()->addChild(item);
    if (!e.selectable) parents << item;
  }
  tree_->addTopLevelItems(top);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(buttons);

  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    if (item->data(0, Qt::UserRole).toBool()) activate(item);
  });
  tree_->installEventFilter(new EnterActivates(tree_, [this](QTreeWidgetItem* i) { activate(i); }));
  shell::applyDesignSize(this, QSize(420, 340));
}

void TfmLookup::activate(QTreeWidgetItem* item) {
  if (!item->data(0, Qt::UserRole).toBool()) {
    item->setExpanded(!item->isExpanded());
    return;
  }
  chosen_ = QString::fromStdString(core::entry::lookupCode(kind_, item->text(0).toStdString()));
  accept();
}

QString TfmLookup::choose() {
  chosen_.clear();
  tree_->setFocus();
  if (!tree_->currentItem() && tree_->topLevelItemCount()) tree_->setCurrentItem(tree_->topLevelItem(0));
  return exec() == QDialog::Accepted ? chosen_ : QString();
}

}  // namespace torvex::gui::entry
