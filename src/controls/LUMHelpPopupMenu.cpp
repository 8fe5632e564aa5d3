#include "controls/LUMHelpPopupMenu.h"

#include "platform/HelpContents.h"
#include "platform/HelpJump.h"
#include "platform/MessageDlg.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QStyle>

#include <stdexcept>

namespace tessaro {

namespace {

const char *const ContentsFileProperty = "tessaroHelpContentsFile";

QString AppTitle() {
  return QGuiApplication::applicationDisplayName();
}

void ShowBox(bool show, const QString &text, TMsgDlgType type) {
  if (show)
    MessageDlg(text, type, mbOK, 0, AppTitle());
}

// Titles are shown as written: "&" is no accelerator marker there, and a
// tab would start a shortcut text.
QString MenuCaption(const QString &title) {
  QString caption = title;
  caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
  caption.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return caption;
}

// The caption without accelerator markers ("&&" stands for "&").
QString StripAccelerators(const QString &caption) {
  QString title;
  title.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
        ++i;
      else
        continue;
    }
    title += caption.at(i);
  }
  return title;
}

// Removes the items and deletes the submenus the menu made for them.
void ClearMenu(QMenu *menu) {
  QList<QMenu *> submenus;
  for (QAction *action : menu->actions())
    if (QMenu *sub = QMenu::menuInAction(action); sub && sub->parent() == menu)
      submenus << sub;
  menu->clear();
  qDeleteAll(submenus);
}

class TMenuBuilder {
public:
  QString ContentsFile;
  QString TopicWord;
  bool Underline = false;

  // The two pictures are looked up once, not for every item.
  void SetImages(bool useImages, int topicImage, int bookImage, const THelpMenuImages &images) {
    FTopicIcon = FBookIcon = QIcon();
    if (!useImages)
      return;
    if (images) {
      FBookIcon = images(bookImage);
      FTopicIcon = images(topicImage);
    } else {
      FBookIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
      FTopicIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    }
  }

  void AddItems(QMenu *parent, const std::vector<THelpContentsItem> &items) const {
    for (const THelpContentsItem &item : items) {
      const QIcon &icon = item.IsTopic ? FTopicIcon : FBookIcon;
      if (!item.Items.empty()) {
        auto *sub = new QMenu(MenuCaption(item.Title), parent);
        sub->setIcon(icon);
        parent->addMenu(sub);
        AddItems(sub, item.Items);
      } else {
        QAction *action = parent->addAction(icon, MenuCaption(item.Title));
        if (item.IsTopic) {
          action->setProperty(ContentsFileProperty, ContentsFile);
          QObject::connect(action, &QAction::triggered, action, [action] { HelpMenuItemClick(action); });
        }
      }
      if (Underline && !TopicWord.isEmpty() && item.Title.contains(TopicWord))
        parent->addSeparator();
    }
  }

private:
  QIcon FTopicIcon;
  QIcon FBookIcon;
};

// The wait cursor for the time of a build, restored on every path.
class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor &) = delete;
  TWaitCursor &operator=(const TWaitCursor &) = delete;
};

} // namespace

bool BuildHelpPopupMenu(const QString &cntFileName, const QString &topicWord, bool underline, bool showErrors,
                        int topicImage, int bookImage, bool useImages, QMenu *menu,
                        const THelpMenuImages &images) {
  const QFileInfo info(cntFileName);
  const QString quoted = QStringLiteral("Die Datei \"") + cntFileName + QLatin1Char('"');
  if (!info.exists() || info.isDir()) {
    ShowBox(showErrors, quoted + QStringLiteral(" wurde nicht gefunden!"), mtWarning);
    return false;
  }
  if (info.suffix().toLower() != QLatin1String("cnt")) {
    ShowBox(showErrors, quoted + QStringLiteral(" ist keine Hileinhaltsdatei!"), mtWarning);
    return false;
  }
  if (!menu)
    return false;
  bool moreLevels = false;
  try {
    TWaitCursor wait;
    QStringList lines;
    QString error;
    if (!ReadHelpContentsLines(cntFileName, lines, &error))
      throw std::runtime_error(error.toStdString());
    ClearMenu(menu);
    const THelpContents contents = ParseHelpContents(lines);
    moreLevels = contents.MoreThanNineLevels;
    TMenuBuilder builder;
    builder.ContentsFile = cntFileName;
    builder.TopicWord = topicWord;
    builder.Underline = underline;
    builder.SetImages(useImages, topicImage, bookImage, images);
    builder.AddItems(menu, contents.Items);
  } catch (const std::exception &e) {
    ShowBox(showErrors,
            QStringLiteral("Bei der Erstellung des Hilfemenüs ist ein Fehler aufgetreten!\r\rMeldung:\r") +
                QString::fromStdString(e.what()),
            mtError);
    return false;
  }
  if (moreLevels)
    ShowBox(
        showErrors,
        QStringLiteral("Das Hilfemenü kann nicht vollständig angezeigt werden, da die Hilfeinhaltsdatei mehr "
                       "als 9 Ebenen besitzt!\r\rWenn Sie bestimmte Unterthemen betrachten wollen, drücken "
                       "Sie F1, um die Hilfe anzuzeigen und schlagen Sie im Register \"Inhalt\" nach."),
        mtInformation);
  return true;
}

void HelpMenuItemClick(QAction *item) {
  if (!item)
    return;
  const QString contentsFile = item->property(ContentsFileProperty).toString();
  if (contentsFile.isEmpty() || !QFileInfo::exists(contentsFile))
    return;
  QStringList lines;
  if (!ReadHelpContentsLines(contentsFile, lines))
    return;
  const QString title = StripAccelerators(item->text());
  for (const QString &line : lines) {
    if (!IsHelpContentsEntry(line) || !line.contains(QLatin1Char('=')))
      continue;
    if (HelpContentsTitle(line) == title) {
      HelpJump(HelpContentsTopic(line));
      return;
    }
  }
}

TLUMHelpPopupMenu::TLUMHelpPopupMenu(QObject *owner) : QObject(owner) {
  const QString contents = HelpContentsFileOf(ApplicationHelpFile());
  if (QFileInfo::exists(contents))
    FCNTFileName = contents;
}

void TLUMHelpPopupMenu::SetTopicWord(const QString &word) {
  FTopicWord = word;
  FTopicUnderline = !word.isEmpty();
}

void TLUMHelpPopupMenu::SetTopicUnderline(bool underline) {
  FTopicUnderline = underline && !FTopicWord.isEmpty();
}

void TLUMHelpPopupMenu::SetIconBook(int index) {
  FIconBook = index;
  FIconUse = !(FIconBook == -1 && FIconTopic == -1);
}

void TLUMHelpPopupMenu::SetIconTopic(int index) {
  FIconTopic = index;
  FIconUse = !(FIconBook == -1 && FIconTopic == -1);
}

void TLUMHelpPopupMenu::SetIconUse(bool use) {
  FIconUse = use && !(FIconBook == -1 && FIconTopic == -1);
}

void TLUMHelpPopupMenu::BuildMenu() {
  QMenu *menu = PopupMenu();
  if (!menu)
    throw std::runtime_error("No menu available!");
  if (!FCNTFileName.isEmpty()) {
    BuildHelpPopupMenu(FCNTFileName, FTopicWord, FTopicUnderline, FShowErrors, FIconTopic, FIconBook,
                       FIconUse, menu, Images);
    return;
  }
  const QString contents = HelpContentsFileOf(ApplicationHelpFile());
  if (QFileInfo::exists(contents))
    BuildHelpPopupMenu(contents, FTopicWord, FTopicUnderline, false, FIconTopic, FIconBook, FIconUse, menu,
                       Images);
}

} // namespace tessaro
