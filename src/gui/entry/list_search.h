#pragma once
// Search fields, letter buttons and the Enter/double-click behaviour shared by the
// establishment and employee lists.
#include <QObject>
#include <QString>

class QDialog;
class QLineEdit;
class QTableView;
class QAbstractButton;

namespace torvex::gui::entry {

class LazyListModel;

class ListSearch : public QObject {
  Q_OBJECT
 public:
  ListSearch(QDialog* window, QTableView* view, LazyListModel* model, QLineEdit* number, QLineEdit* name,
             QAbstractButton* action);
  void rebuild();
  void reset();  // search cleared, "all" down
  int selectedRow() const;

 signals:
  void activated();  // Enter or double click on a row

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusAfterSearch();
  QDialog* window_;
  QTableView* view_;
  LazyListModel* model_;
  QLineEdit* number_;
  QLineEdit* name_;
  QAbstractButton* action_;
  QString letters_;
};

}  // namespace torvex::gui::entry
