// The help window: the contents tree of the help's contents file, the page
// of the chosen topic with back and forward, and a search across all pages.
#pragma once

#include "platform/HelpContents.h"

#include <QHash>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace tessaro {

class THelpViewer : public QWidget {
  Q_OBJECT
public:
  // helpFile names the help; its folder holds the pages and the contents
  // file.
  explicit THelpViewer(const QString &helpFile, QWidget *parent = nullptr);

  QPushButton *BtnContents;
  QPushButton *BtnBack;
  QPushButton *BtnForward;
  QTabWidget *Tabs;
  QTreeWidget *TreeContents;
  QLineEdit *EditSearch;
  QPushButton *BtnSearch;
  QListWidget *ListResults;
  QTextBrowser *Browser;

  // Shows a topic's page; without a page the contents and a German note.
  // True when the page was found.
  bool ShowTopic(const QString &topicId);
  // The contents tab and the first topic of the contents.
  void ShowContents();
  // The search tab, ready for typing.
  void ShowSearch();
  // Lists the pages holding every word of the text (case ignored).
  void Search(const QString &text);

  // The topic whose page is shown (empty while the note is shown).
  QString CurrentTopic() const { return FCurrentTopic; }
  // The topics of the contents file, in their order.
  QStringList Topics() const;

private:
  void LoadContents();
  void AddItems(QTreeWidgetItem *parent, const std::vector<THelpContentsItem> &items);
  void SourceChanged(const QUrl &url);
  void SelectTopicItem(const QString &topicId);
  QString PageText(const QString &topicId);

  QString FHelpFile;
  QString FCurrentTopic;
  THelpContents FContents;
  // Titles of the topics, and the plain text of pages already searched.
  QHash<QString, QString> FTitles;
  QHash<QString, QString> FPageTexts;
};

} // namespace tessaro
