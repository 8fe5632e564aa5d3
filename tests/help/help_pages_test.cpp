// The help pages: every topic of the contents and every topic id the
// program jumps to has a page; the help window opens topics, notes missing
// ones, goes back and forward and searches across the pages.
#include "platform/HelpContents.h"
#include "platform/HelpJump.h"
#include "platform/HelpViewer.h"

#include "help_test_util.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tessaro::test {
namespace {

const QString SourceDir = QStringLiteral(TESSARO_SOURCE_DIR);

QStringList ContentsTopics() {
  QStringList lines;
  EXPECT_TRUE(ReadHelpContentsLines(SourceDir + QStringLiteral("/resources/help/TESSARO.cnt"), lines));
  QStringList topics;
  for (const QString &line : lines)
    if (IsHelpContentsEntry(line) && line.contains(QLatin1Char('=')))
      topics << HelpContentsTopic(line);
  return topics;
}

// The chapters of the help: the part of the topic ids before the dot.
std::set<QString> Chapters(const QStringList &topics) {
  std::set<QString> chapters;
  for (const QString &topic : topics)
    if (topic.contains(QLatin1Char('.')))
      chapters.insert(topic.section(QLatin1Char('.'), 0, 0));
  return chapters;
}

// Topic ids in the program's code: the arguments of HelpJump and every
// string of the form "<chapter>.<name>".
std::set<QString> TopicIdsInCode(const std::set<QString> &chapters) {
  QStringList alternatives;
  for (const QString &chapter : chapters)
    alternatives << QRegularExpression::escape(chapter);
  const QRegularExpression chapterLiteral(
      QStringLiteral("\"((?:%1)\\.[^\"\\s./]+)\"").arg(alternatives.join('|')));
  const QRegularExpression jumpLiteral(QStringLiteral("HelpJump\\(\\s*(?:QStringLiteral\\()?\"([^\"]+)\""));
  std::set<QString> ids;
  for (const auto &entry :
       std::filesystem::recursive_directory_iterator((SourceDir + "/src").toStdString())) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h")
      continue;
    QFile file(QString::fromStdString(entry.path().string()));
    if (!file.open(QIODevice::ReadOnly))
      continue;
    const QString code = QString::fromUtf8(file.readAll());
    for (const QRegularExpression *re : {&chapterLiteral, &jumpLiteral})
      for (auto it = re->globalMatch(code); it.hasNext();)
        ids.insert(it.next().captured(1));
  }
  return ids;
}

class HelpPagesTest : public ::testing::Test {
protected:
  void TearDown() override { CloseHelpViewer(); }
};

TEST_F(HelpPagesTest, EveryContentsTopicHasAPageAndEveryPageIsListed) {
  const QStringList topics = ContentsTopics();
  ASSERT_GT(topics.size(), 20);
  for (const QString &topic : topics) {
    EXPECT_TRUE(QFile::exists(SourceDir + "/resources/help/" + topic + ".html")) << topic.toStdString();
    EXPECT_TRUE(QFile::exists(HelpPageFile(ApplicationHelpFile(), topic)))
        << "in the program: " << topic.toStdString();
  }
  const QStringList pages = QDir(SourceDir + "/resources/help").entryList({QStringLiteral("*.html")});
  for (const QString &page : pages)
    EXPECT_TRUE(topics.contains(page.chopped(5))) << page.toStdString() << " is not in the contents";
}

TEST_F(HelpPagesTest, EveryTopicTheProgramJumpsToHasAPage) {
  const QStringList topics = ContentsTopics();
  std::set<QString> ids = TopicIdsInCode(Chapters(topics));
  EXPECT_TRUE(ids.count(QStringLiteral("Grundfunktionen.Seiteeinrichten")))
      << "the collector finds the code's ids";
  // The topics of the operation dialogs, the new-image dialog and the
  // print dialogs, wherever their code stands.
  for (const char *id :
       {"Bearbeiten.Bildverzerren", "Bearbeiten.Farbtoneinstellen", "Bearbeiten.Farbenersetzen",
        "Bearbeiten.Bildgrößeändern", "Bearbeiten.Papiergrößeändern", "Bearbeiten.Helligkeit",
        "Bearbeiten.Kontrast", "Bearbeiten.Drehen", "Effekte.Farbverlauf", "Effekte.Milchglaseffekt",
        "Effekte.Unschärfe", "Effekte.Paletteändern", "Grundfunktionen.NeuesBildanlegen",
        "Grundfunktionen.Seiteeinrichten", "Grundfunktionen.Seitenansicht", "Hilfe.Benutzung"})
    ids.insert(QString::fromUtf8(id));
  for (const QString &id : ids)
    EXPECT_TRUE(QFile::exists(HelpPageFile(ApplicationHelpFile(), id))) << id.toStdString() << " has no page";
}

TEST_F(HelpPagesTest, JumpShowsThePageAndSelectsItInTheContents) {
  for (const QString &topic : ContentsTopics()) {
    HelpJump(topic);
    THelpViewer *viewer = HelpViewerWindow();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->CurrentTopic(), topic);
    ASSERT_NE(viewer->TreeContents->currentItem(), nullptr);
    const QString title = viewer->TreeContents->currentItem()->text(0);
    EXPECT_TRUE(viewer->Browser->toPlainText().startsWith(title)) << topic.toStdString() << " shows its page";
  }
}

TEST_F(HelpPagesTest, TopicWithoutPageOpensTheContentsWithANote) {
  for (const QString &id : {QStringLiteral("Gibt.Es.Nicht"), QStringLiteral("../../etc/passwd"), QString()}) {
    HelpJump(QStringLiteral("Hilfe.Benutzung"));
    THelpViewer *viewer = HelpViewerWindow();
    viewer->Tabs->setCurrentIndex(1);
    HelpJump(id);
    EXPECT_TRUE(viewer->CurrentTopic().isEmpty());
    EXPECT_EQ(viewer->Tabs->currentWidget(), viewer->TreeContents);
    EXPECT_TRUE(viewer->Browser->toPlainText().contains(QStringLiteral("keine Hilfeseite")))
        << id.toStdString();
  }
}

TEST_F(HelpPagesTest, BackForwardAndLinks) {
  HelpJump(QStringLiteral("Grundfunktionen.Seiteeinrichten"));
  THelpViewer *viewer = HelpViewerWindow();
  EXPECT_FALSE(viewer->BtnBack->isEnabled());
  // A link on the page leads to the related page.
  viewer->Browser->setSource(QUrl(QStringLiteral("Grundfunktionen.Seitenansicht.html")));
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.Seitenansicht"));
  HelpJump(QStringLiteral("Effekte.Unschärfe"));
  EXPECT_TRUE(viewer->Browser->toPlainText().startsWith(QStringLiteral("Unschärfe")));
  ASSERT_TRUE(viewer->BtnBack->isEnabled());
  viewer->BtnBack->click();
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.Seitenansicht"));
  viewer->BtnBack->click();
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.Seiteeinrichten"));
  ASSERT_TRUE(viewer->BtnForward->isEnabled());
  viewer->BtnForward->click();
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.Seitenansicht"));
}

TEST_F(HelpPagesTest, SearchListsThePagesWithEveryWord) {
  HelpSearch();
  THelpViewer *viewer = HelpViewerWindow();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->Tabs->currentIndex(), 1);
  const auto results = [viewer](const QString &text) {
    viewer->Search(text);
    QStringList titles;
    for (int i = 0; i < viewer->ListResults->count(); ++i)
      titles << viewer->ListResults->item(i)->text();
    return titles;
  };
  const QStringList querformat = results(QStringLiteral("querformat"));
  EXPECT_TRUE(querformat.contains(QStringLiteral("Seite einrichten")));
  EXPECT_TRUE(querformat.contains(QStringLiteral("Seitenansicht und Drucken")));
  EXPECT_EQ(results(QStringLiteral("Querformat PDF-Datei")),
            QStringList{QStringLiteral("Seitenansicht und Drucken")});
  EXPECT_EQ(results(QStringLiteral("Xylophon")),
            QStringList{QStringLiteral("Keine Seite enthält diesen Suchbegriff.")});
  // A result opens its page.
  viewer->Search(QStringLiteral("Querformat PDF-Datei"));
  emit viewer->ListResults->itemClicked(viewer->ListResults->item(0));
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.Seitenansicht"));
}

TEST_F(HelpPagesTest, ContentsAndHelpOnHelp) {
  HelpContents();
  EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QStringLiteral("Overview"));
  HelpOnHelp();
  EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QStringLiteral("Hilfe.Benutzung"));
  // A click on a topic in the contents opens it.
  THelpViewer *viewer = HelpViewerWindow();
  QTreeWidgetItem *book = viewer->TreeContents->topLevelItem(1);
  ASSERT_NE(book, nullptr);
  ASSERT_GT(book->childCount(), 0);
  emit viewer->TreeContents->itemClicked(book->child(0), 0);
  EXPECT_EQ(viewer->CurrentTopic(), QStringLiteral("Grundfunktionen.NeuesBildanlegen"));
}

} // namespace
} // namespace tessaro::test
