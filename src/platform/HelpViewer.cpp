#include "platform/HelpViewer.h"

#include "platform/HelpJump.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace tessaro {

namespace {

constexpr int TopicRole = Qt::UserRole;

QUrl PageUrl(const QString &path) {
  if (path.startsWith(QLatin1String(":/"))) {
    QUrl url;
    url.setScheme(QStringLiteral("qrc"));
    url.setPath(path.mid(1));
    return url;
  }
  return QUrl::fromLocalFile(path);
}

QString TopicOfUrl(const QUrl &url) {
  QString name = url.path();
  name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
  if (name.endsWith(QLatin1String(".html")))
    name.chop(5);
  return name;
}

void CollectTopics(const std::vector<THelpContentsItem> &items, QStringList &topics) {
  for (const THelpContentsItem &item : items) {
    if (item.IsTopic && !item.Topic().isEmpty() && !topics.contains(item.Topic()))
      topics << item.Topic();
    CollectTopics(item.Items, topics);
  }
}

void CollectTitles(const std::vector<THelpContentsItem> &items, QHash<QString, QString> &titles) {
  for (const THelpContentsItem &item : items) {
    if (item.IsTopic && !titles.contains(item.Topic()))
      titles.insert(item.Topic(), item.Title);
    CollectTitles(item.Items, titles);
  }
}

} // namespace

THelpViewer::THelpViewer(const QString &helpFile, QWidget *parent) : QWidget(parent, Qt::Window) {
  FHelpFile = helpFile;
  setWindowTitle(QStringLiteral("Tessaro-Hilfe"));
  resize(780, 540);

  auto *layout = new QVBoxLayout(this);
  auto *buttons = new QHBoxLayout;
  BtnContents = new QPushButton(QStringLiteral("&Inhalt"), this);
  BtnBack = new QPushButton(QStringLiteral("&Zurück"), this);
  BtnForward = new QPushButton(QStringLiteral("&Vor"), this);
  BtnBack->setEnabled(false);
  BtnForward->setEnabled(false);
  buttons->addWidget(BtnContents);
  buttons->addWidget(BtnBack);
  buttons->addWidget(BtnForward);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  auto *splitter = new QSplitter(this);
  Tabs = new QTabWidget(splitter);
  TreeContents = new QTreeWidget;
  TreeContents->setHeaderHidden(true);
  TreeContents->setAccessibleName(QStringLiteral("Inhalt"));
  Tabs->addTab(TreeContents, QStringLiteral("Inhalt"));
  auto *searchPage = new QWidget;
  auto *searchLayout = new QVBoxLayout(searchPage);
  auto *searchLabel = new QLabel(QStringLiteral("Such&begriff:"), searchPage);
  EditSearch = new QLineEdit(searchPage);
  EditSearch->setAccessibleName(QStringLiteral("Suchbegriff"));
  searchLabel->setBuddy(EditSearch);
  BtnSearch = new QPushButton(QStringLiteral("&Suchen"), searchPage);
  ListResults = new QListWidget(searchPage);
  ListResults->setAccessibleName(QStringLiteral("Gefundene Seiten"));
  searchLayout->addWidget(searchLabel);
  searchLayout->addWidget(EditSearch);
  searchLayout->addWidget(BtnSearch);
  searchLayout->addWidget(ListResults, 1);
  Tabs->addTab(searchPage, QStringLiteral("Suchen"));
  Browser = new QTextBrowser(splitter);
  Browser->setAccessibleName(QStringLiteral("Hilfeseite"));
  Browser->setOpenExternalLinks(true);
  splitter->addWidget(Tabs);
  splitter->addWidget(Browser);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 540});
  layout->addWidget(splitter, 1);

  connect(BtnContents, &QPushButton::clicked, this, &THelpViewer::ShowContents);
  connect(BtnBack, &QPushButton::clicked, Browser, &QTextBrowser::backward);
  connect(BtnForward, &QPushButton::clicked, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::backwardAvailable, BtnBack, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, BtnForward, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::sourceChanged, this, &THelpViewer::SourceChanged);
  const auto openItem = [this](QTreeWidgetItem *item) {
    const QString topic = item->data(0, TopicRole).toString();
    if (!topic.isEmpty())
      ShowTopic(topic);
  };
  connect(TreeContents, &QTreeWidget::itemClicked, this, openItem);
  connect(TreeContents, &QTreeWidget::itemActivated, this, openItem);
  const auto search = [this] { Search(EditSearch->text()); };
  connect(EditSearch, &QLineEdit::returnPressed, this, search);
  connect(BtnSearch, &QPushButton::clicked, this, search);
  const auto openResult = [this](QListWidgetItem *item) {
    const QString topic = item->data(TopicRole).toString();
    if (!topic.isEmpty())
      ShowTopic(topic);
  };
  connect(ListResults, &QListWidget::itemClicked, this, openResult);
  connect(ListResults, &QListWidget::itemActivated, this, openResult);

  LoadContents();
}

void THelpViewer::LoadContents() {
  QStringList lines;
  if (ReadHelpContentsLines(HelpContentsFileOf(FHelpFile), lines))
    FContents = ParseHelpContents(lines);
  FTitles.clear();
  CollectTitles(FContents.Items, FTitles);
  TreeContents->clear();
  AddItems(nullptr, FContents.Items);
}

void THelpViewer::AddItems(QTreeWidgetItem *parent, const std::vector<THelpContentsItem> &items) {
  const QIcon bookIcon = style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon topicIcon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const THelpContentsItem &item : items) {
    QTreeWidgetItem *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeContents);
    node->setText(0, item.Title);
    node->setIcon(0, item.IsTopic && item.Items.empty() ? topicIcon : bookIcon);
    if (item.IsTopic)
      node->setData(0, TopicRole, item.Topic());
    AddItems(node, item.Items);
  }
}

QStringList THelpViewer::Topics() const {
  QStringList topics;
  CollectTopics(FContents.Items, topics);
  return topics;
}

bool THelpViewer::ShowTopic(const QString &topicId) {
  const QString topic = topicId.trimmed();
  const QString page = HelpPageFile(FHelpFile, topic);
  if (!page.isEmpty() && QFile::exists(page)) {
    FCurrentTopic = topic;
    const QUrl url = PageUrl(page);
    if (Browser->source() == url)
      SelectTopicItem(topic);
    else
      Browser->setSource(url);
    return true;
  }
  FCurrentTopic.clear();
  Tabs->setCurrentWidget(TreeContents);
  Browser->setHtml(QStringLiteral("<h2>Keine Hilfeseite</h2><p>Zum Thema „<b>%1</b>“ gibt es keine "
                                  "Hilfeseite.</p><p>Wählen Sie links im Inhalt ein Thema aus.</p>")
                       .arg(topic.toHtmlEscaped()));
  return false;
}

void THelpViewer::ShowContents() {
  Tabs->setCurrentWidget(TreeContents);
  const QStringList topics = Topics();
  if (!topics.isEmpty())
    ShowTopic(topics.first());
}

void THelpViewer::ShowSearch() {
  Tabs->setCurrentIndex(1);
  EditSearch->setFocus();
  EditSearch->selectAll();
}

void THelpViewer::Search(const QString &text) {
  ListResults->clear();
  const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  if (words.isEmpty())
    return;
  for (const QString &topic : Topics()) {
    const QString page = FTitles.value(topic) + QLatin1Char('\n') + PageText(topic);
    bool all = true;
    for (const QString &word : words)
      all = all && page.contains(word, Qt::CaseInsensitive);
    if (!all)
      continue;
    auto *item = new QListWidgetItem(FTitles.value(topic, topic), ListResults);
    item->setData(TopicRole, topic);
  }
  if (ListResults->count() == 0) {
    auto *item = new QListWidgetItem(QStringLiteral("Keine Seite enthält diesen Suchbegriff."), ListResults);
    item->setFlags(Qt::NoItemFlags);
  }
}

QString THelpViewer::PageText(const QString &topicId) {
  const auto cached = FPageTexts.constFind(topicId);
  if (cached != FPageTexts.constEnd())
    return *cached;
  QString text;
  QFile file(HelpPageFile(FHelpFile, topicId));
  if (file.open(QIODevice::ReadOnly))
    text = QTextDocumentFragment::fromHtml(QString::fromUtf8(file.readAll())).toPlainText();
  FPageTexts.insert(topicId, text);
  return text;
}

void THelpViewer::SourceChanged(const QUrl &url) {
  const QString topic = TopicOfUrl(url);
  if (topic.isEmpty())
    return;
  FCurrentTopic = topic;
  SelectTopicItem(topic);
}

void THelpViewer::SelectTopicItem(const QString &topicId) {
  for (QTreeWidgetItemIterator it(TreeContents); *it; ++it) {
    if ((*it)->data(0, TopicRole).toString() == topicId) {
      TreeContents->setCurrentItem(*it);
      TreeContents->scrollToItem(*it);
      return;
    }
  }
}

} // namespace tessaro
