// The help popup menu built from contents files: levels, placeholders,
// separators, titles, encodings and line ends, the messages, the
// component's property rules and the click that opens a topic.
#include "controls/LUMHelpPopupMenu.h"
#include "platform/HelpContents.h"
#include "platform/MessageDlg.h"

#include "help_test_util.h"

#include <QMenu>
#include <QPointer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace tessaro::test {
namespace {

class HelpPopupMenuTest : public ::testing::Test {
protected:
  void SetUp() override { ClearShownMessages(); }
  void TearDown() override {
    CloseHelpViewer();
    ClearShownMessages();
  }

  // Builds from the given file content with the frame's settings.
  QString Build(const QByteArray &content, bool underline = true) {
    const std::string path = WriteFile(FDir, "TEST.cnt", content);
    EXPECT_TRUE(BuildHelpPopupMenu(QString::fromStdString(path), QStringLiteral("Übersicht"), underline,
                                   false, 88, 89, true, &FMenu));
    return DumpMenu(&FMenu);
  }

  TTempDir FDir;
  QMenu FMenu;
};

struct TMenuCase {
  const char *Name;
  const char *Content;
  const char *Menu;
};

TEST_F(HelpPopupMenuTest, LinesBecomeTheMenu) {
  const TMenuCase cases[] = {
      {"books hold their topics",
       "1 Übersicht=Overview\n1 Grundfunktionen\n2 Neues Bild anlegen=Grundfunktionen.NeuesBildanlegen\n",
       "Übersicht|-|Grundfunktionen{Neues Bild anlegen}"},
      {"a first entry of level 2 goes under the placeholder", "2 Tief=A\n1 Oben=B\n",
       "<Unbekanntes Thema>{Tief}|Oben"},
      {"a skipped level gets a placeholder", "1 Buch\n3 Enkel=A\n3 Noch einer=B\n",
       "Buch{<Unbekanntes Thema>{Enkel|Noch einer}}"},
      {"each missing place gets its own placeholder", "2 A=X\n1 B\n3 C=Y\n",
       "<Unbekanntes Thema>{A}|B{<Unbekanntes Thema>{C}}"},
      {"an entry follows the last item of each level", "1 A\n2 A1\n3 A1a=X\n2 A2=Y\n1 B\n2 B1=Z\n",
       "A{A1{A1a}|A2}|B{B1}"},
      {"a topic with deeper entries opens them", "1 Thema=X\n2 Unterthema=Y\n", "Thema{Unterthema}"},
      {"titles keep their digits", "1 3D-Rahmen=A\n1 2. Ausgabe=B\n", "3D-Rahmen|2. Ausgabe"},
      {"a second digit reads as level 1 and the title follows the blank", "1 Buch\n12 Zwölf=A\n",
       "Buch|Zwölf"},
      {"without a blank the title starts at the level digit", "1Ohne=A\n", "1Ohne"},
      {"the title ends at the last equals sign", "1 a=b=Topic\n", "a=b"},
      {"other lines are no entries",
       ":Base TESSARO.HLP\n:Title Hilfe\n0 Null=A\n; Notiz\n1\n\n  \n1 Eins=B\n", "Eins"},
      {"the topic word is followed by a separator at every level",
       "1 Buch\n2 Übersicht der Werkzeuge=A\n2 Linie=B\n1 Übersicht\n2 Start=C\n",
       "Buch{Übersicht der Werkzeuge|-|Linie}|Übersicht{Start}|-"},
      {"ampersands show as written", "1 Hilfe & Tipps=A\n", "Hilfe && Tipps"},
      {"an empty file gives an empty menu", "", ""},
  };
  for (const TMenuCase &c : cases)
    EXPECT_EQ(Build(QByteArray(c.Content)), QString::fromUtf8(c.Menu)) << c.Name;
}

TEST_F(HelpPopupMenuTest, WithoutUnderlineNoSeparators) {
  EXPECT_EQ(Build("1 Übersicht=Overview\n1 Buch\n2 Übersicht=X\n", false),
            QStringLiteral("Übersicht|Buch{Übersicht}"));
}

TEST_F(HelpPopupMenuTest, LineEndsAndEncodings) {
  const QString expected = QStringLiteral("Übersicht|-|Bücher{Größe}");
  EXPECT_EQ(Build("1 \xC3\x9C"
                  "bersicht=O\n1 B\xC3\xBC"
                  "cher\n2 Gr\xC3\xB6\xC3\x9F"
                  "e=G\n"),
            expected)
      << "UTF-8, LF";
  EXPECT_EQ(Build("\xEF\xBB\xBF"
                  "1 \xC3\x9C"
                  "bersicht=O\r\n1 B\xC3\xBC"
                  "cher\r\n2 Gr\xC3\xB6\xC3\x9F"
                  "e=G\r\n"),
            expected)
      << "UTF-8 with byte-order mark, CR LF";
  EXPECT_EQ(Build("1 \xDC"
                  "bersicht=O\r\n1 B\xFC"
                  "cher\r\n2 Gr\xF6\xDF"
                  "e=G"),
            expected)
      << "Windows-1252, CR LF";
  EXPECT_EQ(Build("1 \xDC"
                  "bersicht=O\r1 B\xFC"
                  "cher\r2 Gr\xF6\xDF"
                  "e=G\r"),
            expected)
      << "Windows-1252, CR";
  EXPECT_EQ(Build("1 \x80 Preise=A\n"), QStringLiteral("€ Preise")) << "Windows-1252 beyond Latin-1";
}

TEST_F(HelpPopupMenuTest, ImagesOfBooksTopicsAndPlaceholder) {
  const std::string path = WriteFile(FDir, "img.cnt", "2 Thema=A\n1 Buch\n2 Seite=B\n1 Leer\n");
  std::vector<int> asked;
  const THelpMenuImages images = [&](int index) {
    asked.push_back(index);
    QPixmap p(8, 8);
    p.fill(index == 89 ? Qt::blue : Qt::green);
    return QIcon(p);
  };
  const auto colour = [](const QIcon &icon) { return QColor(icon.pixmap(8, 8).toImage().pixel(0, 0)); };
  ASSERT_TRUE(BuildHelpPopupMenu(QString::fromStdString(path), QString(), false, false, 88, 89, true, &FMenu,
                                 images));
  EXPECT_EQ(asked, (std::vector<int>{89, 88})) << "each picture is asked for once";
  const QList<QAction *> top = FMenu.actions();
  ASSERT_EQ(top.size(), 3);
  EXPECT_EQ(colour(top[0]->icon()), QColor(Qt::blue)) << "placeholder";
  EXPECT_EQ(colour(top[1]->icon()), QColor(Qt::blue)) << "book";
  EXPECT_EQ(colour(top[2]->icon()), QColor(Qt::blue)) << "empty book";
  EXPECT_EQ(colour(FindItem(&FMenu, QStringLiteral("Thema"))->icon()), QColor(Qt::green));
  EXPECT_EQ(colour(FindItem(&FMenu, QStringLiteral("Seite"))->icon()), QColor(Qt::green));

  asked.clear();
  ASSERT_TRUE(BuildHelpPopupMenu(QString::fromStdString(path), QString(), false, false, 88, 89, false, &FMenu,
                                 images));
  EXPECT_TRUE(asked.empty()) << "images off";
  EXPECT_TRUE(FindItem(&FMenu, QStringLiteral("Seite"))->icon().isNull());
}

TEST_F(HelpPopupMenuTest, RebuildingReplacesItemsAndSubmenus) {
  Build("1 A\n2 B=X\n1 C\n2 D=Y\n");
  const QString first = DumpMenu(&FMenu);
  Build("1 A\n2 B=X\n1 C\n2 D=Y\n");
  EXPECT_EQ(DumpMenu(&FMenu), first);
  EXPECT_EQ(FMenu.findChildren<QMenu *>(Qt::FindDirectChildrenOnly).size(), 2);
}

TEST_F(HelpPopupMenuTest, MissingOrForeignFileIsRefused) {
  FMenu.addAction(QStringLiteral("bleibt"));
  const QString missing = QString::fromStdString(FDir.File("fehlt.cnt"));
  EXPECT_FALSE(BuildHelpPopupMenu(missing, QString(), false, true, -1, -1, false, &FMenu));
  const QString foreign = QString::fromStdString(WriteFile(FDir, "hilfe.txt", "1 A=B\n"));
  EXPECT_FALSE(BuildHelpPopupMenu(foreign, QString(), false, true, -1, -1, false, &FMenu));
  EXPECT_FALSE(BuildHelpPopupMenu(foreign, QString(), false, false, -1, -1, false, &FMenu)) << "quietly";
  ASSERT_EQ(ShownMessages().size(), 2u);
  EXPECT_EQ(ShownMessages()[0].Text,
            QStringLiteral("Die Datei \"") + missing + QStringLiteral("\" wurde nicht gefunden!"));
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
  EXPECT_EQ(ShownMessages()[0].Caption, QStringLiteral("Tessaro"));
  EXPECT_EQ(ShownMessages()[1].Text,
            QStringLiteral("Die Datei \"") + foreign + QStringLiteral("\" ist keine Hileinhaltsdatei!"));
  EXPECT_EQ(DumpMenu(&FMenu), QStringLiteral("bleibt"));
  // The extension is compared in lower case.
  const QString upper = QString::fromStdString(WriteFile(FDir, "HILFE.CNT", "1 A=B\n"));
  EXPECT_TRUE(BuildHelpPopupMenu(upper, QString(), false, true, -1, -1, false, &FMenu));
}

TEST_F(HelpPopupMenuTest, MoreThanNineLevelsIsToldOnlyWithShowErrors) {
  const QString path = QString::fromStdString(WriteFile(FDir, "deep.cnt", "1 Buch\n12 Tief=Tiefes.Thema\n"));
  EXPECT_TRUE(BuildHelpPopupMenu(path, QString(), false, false, -1, -1, false, &FMenu));
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_TRUE(BuildHelpPopupMenu(path, QString(), false, true, -1, -1, false, &FMenu));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtInformation);
  EXPECT_EQ(ShownMessages()[0].Text,
            QStringLiteral(
                "Das Hilfemenü kann nicht vollständig angezeigt werden, da die Hilfeinhaltsdatei mehr als "
                "9 Ebenen besitzt!\r\rWenn Sie bestimmte Unterthemen betrachten wollen, drücken Sie F1, "
                "um die Hilfe anzuzeigen und schlagen Sie im Register \"Inhalt\" nach."));
  EXPECT_EQ(DumpMenu(&FMenu), QStringLiteral("Buch|Tief"));
}

TEST_F(HelpPopupMenuTest, ClickOpensTheTopicOfTheTitle) {
  Build("1 Seite=Grundfunktionen.Seiteeinrichten>main\n1 3D-Rahmen=Zeichnen.Formen\n"
        "1 Hilfe & Tipps=Hilfe.Benutzung\n1 Buch\n2 Vorschau=Grundfunktionen.Seitenansicht\n");
  const struct {
    const char *Item;
    const char *Topic;
  } clicks[] = {{"Seite", "Grundfunktionen.Seiteeinrichten"},
                {"3D-Rahmen", "Zeichnen.Formen"},
                {"Hilfe && Tipps", "Hilfe.Benutzung"},
                {"Vorschau", "Grundfunktionen.Seitenansicht"}};
  for (const auto &click : clicks) {
    QAction *item = FindItem(&FMenu, QString::fromUtf8(click.Item));
    ASSERT_NE(item, nullptr) << click.Item;
    item->trigger();
    ASSERT_NE(HelpViewerWindow(), nullptr);
    EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QString::fromUtf8(click.Topic)) << click.Item;
  }
}

TEST_F(HelpPopupMenuTest, ClickReadsTheFileAgain) {
  Build("1 Seite=Grundfunktionen.Seiteeinrichten\n");
  QAction *item = FindItem(&FMenu, QStringLiteral("Seite"));
  ASSERT_NE(item, nullptr);
  WriteFile(FDir, "TEST.cnt", "1 Seite=Zeichnen.Text\n");
  item->trigger();
  ASSERT_NE(HelpViewerWindow(), nullptr);
  EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QStringLiteral("Zeichnen.Text"));
  CloseHelpViewer();
  WriteFile(FDir, "TEST.cnt", "1 Andere=Zeichnen.Text\n");
  item->trigger();
  EXPECT_EQ(HelpViewerWindow(), nullptr) << "a title no longer in the file opens nothing";
}

TEST(HelpPopupMenuComponent, PropertyRules) {
  TLUMHelpPopupMenu c;
  EXPECT_EQ(c.IconBook(), -1);
  EXPECT_EQ(c.IconTopic(), -1);
  EXPECT_FALSE(c.IconUse());
  c.SetIconUse(true);
  EXPECT_FALSE(c.IconUse()) << "no images while both indexes are -1";
  c.SetIconBook(89);
  EXPECT_TRUE(c.IconUse());
  c.SetIconUse(false);
  EXPECT_FALSE(c.IconUse());
  c.SetIconTopic(88);
  EXPECT_TRUE(c.IconUse());
  c.SetIconBook(-1);
  EXPECT_TRUE(c.IconUse());
  c.SetIconTopic(-1);
  EXPECT_FALSE(c.IconUse());

  EXPECT_FALSE(c.TopicUnderline());
  c.SetTopicUnderline(true);
  EXPECT_FALSE(c.TopicUnderline()) << "no underline without a word";
  c.SetTopicWord(QStringLiteral("Übersicht"));
  EXPECT_TRUE(c.TopicUnderline());
  c.SetTopicUnderline(false);
  EXPECT_FALSE(c.TopicUnderline());
  c.SetTopicUnderline(true);
  EXPECT_TRUE(c.TopicUnderline());
  c.SetTopicWord(QString());
  EXPECT_FALSE(c.TopicUnderline());
}

TEST(HelpPopupMenuComponent, ContentsFileAndMenu) {
  TLUMHelpPopupMenu c;
  EXPECT_EQ(c.CNTFileName(), QStringLiteral(":/help/TESSARO.cnt")) << "the program's help file with .cnt";
  EXPECT_THROW(
      {
        try {
          c.BuildMenu();
        } catch (const std::runtime_error &e) {
          EXPECT_STREQ(e.what(), "No menu available!");
          throw;
        }
      },
      std::runtime_error);
  {
    QMenu menu;
    c.SetPopupMenu(&menu);
    c.SetTopicWord(QStringLiteral("Übersicht"));
    c.BuildMenu();
    EXPECT_TRUE(DumpMenu(&menu).startsWith(QStringLiteral("Übersicht|-|Grundfunktionen{")));
    // Without a contents file of its own it takes the help file's one again.
    c.SetCNTFileName(QString());
    menu.clear();
    c.BuildMenu();
    EXPECT_FALSE(menu.actions().isEmpty());
  }
  EXPECT_EQ(c.PopupMenu(), nullptr) << "forgotten when the menu is gone";
}

TEST(HelpPopupMenuComponent, FrameSettingsStayQuietAboutAMissingFile) {
  ClearShownMessages();
  TLUMHelpPopupMenu c;
  QMenu menu;
  c.SetPopupMenu(&menu);
  c.SetCNTFileName(QStringLiteral("/nicht/vorhanden/TESSARO.cnt"));
  c.SetShowErrors(false);
  c.BuildMenu();
  EXPECT_TRUE(menu.actions().isEmpty());
  EXPECT_TRUE(ShownMessages().empty());
  c.SetShowErrors(true);
  c.BuildMenu();
  EXPECT_EQ(ShownMessages().size(), 1u);
  ClearShownMessages();
}

TEST(HelpContentsParser, LargeFileWithManyEntries) {
  QByteArray bytes;
  for (int i = 0; i < 20000; ++i)
    bytes += QByteArray::number(1 + i % 4) + " Eintrag " + QByteArray::number(i) + "=Thema." +
             QByteArray::number(i) + "\r\n";
  const THelpContents contents = ParseHelpContents(HelpContentsLines(bytes));
  EXPECT_EQ(contents.EntryCount, 20000);
  EXPECT_EQ(contents.Items.size(), 5000u);
  EXPECT_EQ(contents.Items.back().Items.back().Items.back().Items.back().Title,
            QStringLiteral("Eintrag 19999"));
  EXPECT_FALSE(contents.MoreThanNineLevels);
}

TEST(HelpContentsParser, TopicIds) {
  EXPECT_EQ(HelpContentsTopic(QStringLiteral("1 A=Topic>main")), QStringLiteral("Topic"));
  EXPECT_EQ(HelpContentsTopic(QStringLiteral("1 A=Topic> ")), QStringLiteral("Topic"));
  EXPECT_EQ(HelpContentsTopic(QStringLiteral("1 A=a>b>c")), QStringLiteral("a>b"));
  EXPECT_EQ(HelpContentsTopic(QStringLiteral("1 Buch")), QString());
  EXPECT_EQ(HelpContentsTitle(QStringLiteral("1 Buch")), QStringLiteral("Buch"));
  EXPECT_EQ(HelpContentsTitle(QStringLiteral("1=A B")), QString()) << "the last = before the first blank";
}

} // namespace
} // namespace tessaro::test
