#pragma once
// The program's help: the file "AJUDA TORVEX.hlp" beside the executable (plain
// UTF-8 text, one "@topico NUMBER TITLE" line opening each topic), its viewer,
// and F1, which opens the topic of the focused field (the nearest widget, up the
// parent chain, with a "helpTopic" property) or of the highlighted menu entry.
#include <QDialog>
#include <QMap>
#include <QObject>
#include <QString>

#include <memory>

namespace Ui {
class HelpViewer;
}

namespace torvex::gui::shell {

struct HelpTopic {
  int number = 0;
  QString title;
  QString text;
};

// Reads a help file; an unreadable file gives no topics.
QList<HelpTopic> readHelpFile(const QString& path);

class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  HelpViewer(const QList<HelpTopic>& topics, QWidget* parent = nullptr);
  ~HelpViewer() override;
  // Shows a topic; an unknown number (or 0) shows the list of topics.
  void showTopic(int number);
  // The topic last asked for (0: the list of topics).
  int requestedTopic() const { return requested_; }

 private:
  QList<HelpTopic> topics_;
  int requested_ = 0;
  std::unique_ptr<Ui::HelpViewer> ui_;
};

class HelpSystem : public QObject {
  Q_OBJECT
 public:
  explicit HelpSystem(QString helpFile, QObject* parent = nullptr);
  // The topics dialog ("Ajuda do TORVEX"); context requests for topic 0 come here too.
  void showTopics(QWidget* owner);
  void showTopic(int number, QWidget* owner);
  bool hasTopic(int number) const;
  // What F1 opens now: the highlighted menu entry (or its nearest menu with a
  // topic), else the focused field or its nearest parent with one; 0 when none.
  static int topicUnderTheUser();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString file_;
  QList<HelpTopic> topics_;
};

// The help-topic number of a widget or its nearest ancestor that has one; 0 when none.
int helpTopicOf(const QWidget* widget);

}  // namespace torvex::gui::shell
