// The help popup menu: mirrors the help's table of contents, read from its
// contents file. Books become submenus, topics become items that open the
// topic in the help window.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;

namespace tessaro {

// The images of the menu's items, by index (the owner's image list).
using THelpMenuImages = std::function<QIcon(int index)>;

// Fills menu from the contents file and returns true; false (with a
// warning box when showErrors is on) when the file is missing or has
// another extension than ".cnt". Topic items open their topic through
// HelpMenuItemClick; with underline on, a separator follows every item
// whose title contains topicWord. Boxes carry the application's title.
// Images come from images (book and page pictures of the style without
// one).
bool BuildHelpPopupMenu(const QString &cntFileName, const QString &topicWord, bool underline, bool showErrors,
                        int topicImage, int bookImage, bool useImages, QMenu *menu,
                        const THelpMenuImages &images = THelpMenuImages());

// Finds the clicked item's title in the contents file again (read anew) and
// opens the topic of the first line with that title (window suffix cut).
void HelpMenuItemClick(QAction *item);

class TLUMHelpPopupMenu : public QObject {
  Q_OBJECT
public:
  // The contents file is the application's help file with ".cnt", when
  // that file exists; no images.
  explicit TLUMHelpPopupMenu(QObject *owner = nullptr);

  QString CNTFileName() const { return FCNTFileName; }
  void SetCNTFileName(const QString &fileName) { FCNTFileName = fileName; }
  // Setting the word also sets TopicUnderline (true unless it is empty).
  QString TopicWord() const { return FTopicWord; }
  void SetTopicWord(const QString &word);
  // Setting an index also sets IconUse (false only while both are -1).
  int IconBook() const { return FIconBook; }
  void SetIconBook(int index);
  int IconTopic() const { return FIconTopic; }
  void SetIconTopic(int index);
  bool IconUse() const { return FIconUse; }
  void SetIconUse(bool use);
  bool ShowErrors() const { return FShowErrors; }
  void SetShowErrors(bool show) { FShowErrors = show; }
  // True only while TopicWord is not empty.
  bool TopicUnderline() const { return FTopicUnderline; }
  void SetTopicUnderline(bool underline);
  // The menu to fill; not owned, and forgotten when it is destroyed.
  QMenu *PopupMenu() const { return FPopupMenu.data(); }
  void SetPopupMenu(QMenu *menu) { FPopupMenu = menu; }
  // The owner's image list.
  THelpMenuImages Images;

  // Builds the menu. Throws std::runtime_error("No menu available!")
  // without a menu; without a contents file it looks for the help file's
  // one again and builds from it quietly when it exists.
  void BuildMenu();

private:
  QString FCNTFileName;
  QString FTopicWord;
  int FIconBook = -1;
  int FIconTopic = -1;
  bool FIconUse = false;
  bool FShowErrors = true;
  bool FTopicUnderline = false;
  QPointer<QMenu> FPopupMenu;
};

} // namespace tessaro
