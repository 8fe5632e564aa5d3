// The document's menu bar and popup menu.
#include "document/UnChild.h"

#include "platform/Hints.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace tessaro {

namespace {

// An item whose command joins the program with a later part: it is shown
// with its caption and shortcut but stays disabled until then.
QAction *Later(QMenu *menu, const QString &caption, const QString &hint = QString(),
               const QKeySequence &key = QKeySequence()) {
  QAction *a = menu->addAction(caption);
  if (!key.isEmpty())
    a->setShortcut(key);
  if (!hint.isEmpty())
    SetHint(a, hint);
  a->setEnabled(false);
  return a;
}

} // namespace

void TfrmChild::CreateMenus() {
  const TSharedActions &f = FHost.SharedActions();

  // Datei
  mnuMainFile = new QMenu("Datei", this);
  mnuNew = f.New;
  mnuNewFromClipboard = f.NewFromClipboard;
  mnuOpen = f.Open;
  mnuEnd = f.End;
  mnuMainFile->addAction(mnuNew);
  mnuMainFile->addAction(mnuNewFromClipboard);
  mnuMainFile->addAction(mnuOpen);
  mnuMainFile->addSeparator();
  mnuSave = mnuMainFile->addAction("Speichern");
  mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuSaveAs = mnuMainFile->addAction("Speichern unter...");
  mnuRestore = mnuMainFile->addAction("Wiederherstellen");
  mnuMainFile->addSeparator();
  mnuPreview = mnuMainFile->addAction("Seitenansicht...");
  mnuPageSetup = mnuMainFile->addAction("Seite einrichten...");
  mnuPrint = mnuMainFile->addAction("Drucken...");
  mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  mnuPrinterSetup = Later(mnuMainFile, "Drucker einrichten...");
  mnuMainFile->addSeparator();
  mnuProperties = mnuMainFile->addAction("Eigenschaften...");
  mnuProperties->setShortcut(QKeySequence(Qt::Key_F11));
  connect(mnuPreview, &QAction::triggered, this, [this] { mnuPreviewClick(); });
  connect(mnuPageSetup, &QAction::triggered, this, [this] { mnuPageSetupClick(); });
  connect(mnuPrint, &QAction::triggered, this, [this] { mnuPrintClick(); });
  connect(mnuProperties, &QAction::triggered, this, [this] { mnuPropertiesClick(); });
  mnuMainFile->addSeparator();
  mnuMainFile->addAction(mnuEnd);
  connect(mnuMainFile, &QMenu::aboutToShow, this, [this] { mnuMainFileClick(); });
  connect(mnuSave, &QAction::triggered, this, [this] { mnuSaveClick(); });
  connect(mnuSaveAs, &QAction::triggered, this, [this] { mnuSaveAsClick(); });
  connect(mnuRestore, &QAction::triggered, this, [this] { mnuRestoreClick(); });

  // Bearbeiten
  mnuMainEdit = new QMenu("Bearbeiten", this);
  mnuUndo = mnuMainEdit->addAction("Rückgängig");
  mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  SetHint(mnuUndo, UndoHintPlain);
  mnuReUndo = mnuMainEdit->addAction("Wiederherstellen");
  mnuReUndo->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Z));
  SetHint(mnuReUndo, RedoHintPlain);
  mnuMainEdit->addSeparator();
  mnuCut = mnuMainEdit->addAction("Ausschneiden");
  mnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  mnuCopy = mnuMainEdit->addAction("Kopieren");
  mnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuPaste = mnuMainEdit->addAction("Einfügen");
  mnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuClearClipBrd = mnuMainEdit->addAction("Zwischenablage leeren");
  connect(mnuMainEdit, &QMenu::aboutToShow, this, [this] { mnuMainEditClick(); });
  connect(mnuCut, &QAction::triggered, this, [this] { mnuCutClick(); });
  connect(mnuCopy, &QAction::triggered, this, [this] { mnuCopyClick(); });
  connect(mnuPaste, &QAction::triggered, this, [this] { mnuPasteClick(); });
  connect(mnuClearClipBrd, &QAction::triggered, this, [this] { mnuClearClipBrdClick(); });
  connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndoClick(); });
  connect(mnuReUndo, &QAction::triggered, this, [this] { mnuReUndoClick(); });

  // Bild (UnChildImageMenu.cpp)
  CreateImageMenu();

  // Ansicht
  mnuMainView = new QMenu("Ansicht", this);
  // The palette items are the frame's; the frame ticks them when they open.
  QMenu *palette = mnuMainView->addMenu("Farbpalette");
  for (QAction *a : {f.StdColors, f.HTMLColors, f.SystemColors, f.VGAColors})
    if (a)
      palette->addAction(a);
  QMenu *bmpColors = palette->addMenu("Bildfarben");
  if (f.UseBitmapColors)
    bmpColors->addAction(f.UseBitmapColors);
  bmpColors->addSeparator();
  for (QAction *a : {f.BmpClRed, f.BmpClGreen, f.BmpClBlue})
    if (a)
      bmpColors->addAction(a);
  connect(palette, &QMenu::aboutToShow, this, [this] { FHost.ColorPaletteMenuShown(); });
  connect(bmpColors, &QMenu::aboutToShow, this, [this] { FHost.BitmapColorsMenuShown(); });
  QMenu *toolbars = mnuMainView->addMenu("Symbolleisten");
  for (QAction *a : f.ToolBarItems)
    toolbars->addAction(a);
  connect(toolbars, &QMenu::aboutToShow, this, [this] { FHost.ToolBarsMenuShown(); });

  // Fenster
  mnuMainWindow = new QMenu("Fenster", this);
  mnuWndCascade = f.WndCascade;
  mnuWndTileHor = f.WndTileHor;
  mnuWndTileVert = f.WndTileVert;
  mnuMainWindow->addAction(mnuWndCascade);
  mnuMainWindow->addAction(mnuWndTileHor);
  mnuMainWindow->addAction(mnuWndTileVert);
  mnuMinimize = mnuMainWindow->addAction("Minimieren");
  mnuMinimizeAll = mnuMainWindow->addAction("Alle Minimieren");
  mnuClose = mnuMainWindow->addAction("Schließen");
  mnuCloseAll = mnuMainWindow->addAction("Alle Schließen");
  mnuSpaceWnd = mnuMainWindow->addSeparator();
  connect(mnuMainWindow, &QMenu::aboutToShow, this, [this] { mnuMainWindowClick(); });
  connect(mnuMinimize, &QAction::triggered, this, [this] { mnuMinimizeClick(); });
  connect(mnuMinimizeAll, &QAction::triggered, this, [this] { mnuMinimizeAllClick(); });
  connect(mnuClose, &QAction::triggered, this, [this] { mnuCloseClick(); });
  connect(mnuCloseAll, &QAction::triggered, this, [this] { mnuCloseAllClick(); });

  // Extras, Hilfe
  mnuMainExtras = new QMenu("Extras", this);
  mnuMainExtras->addAction(f.Options);
  mnuMainHelp = new QMenu("Hilfe", this);
  mnuMainHelp->addAction(f.HelpContents);
  mnuMainHelp->addAction(f.HelpSearch);
  mnuMainHelp->addAction(f.HelpHelp);
  mnuMainHelp->addSeparator();
  mnuMainHelp->addAction(f.Info);

  MainMenuChild = {mnuMainFile,   mnuMainEdit,   mnuMainImage, mnuMainView,
                   mnuMainWindow, mnuMainExtras, mnuMainHelp};

  // Popup of the image.
  PopupMenuChild = new QMenu(this);
  ppMnuUndo = PopupMenuChild->addAction("Rückgängig");
  SetHint(ppMnuUndo, UndoHintPlain);
  ppMnuRedo = PopupMenuChild->addAction("Wiederhertellen");
  SetHint(ppMnuRedo, RedoHintPlain);
  PopupMenuChild->addSeparator();
  ppMnuCut = PopupMenuChild->addAction("Ausschneiden");
  ppMnuCopy = PopupMenuChild->addAction("Kopieren");
  ppMnuPaste = PopupMenuChild->addAction("Einfügen");
  connect(PopupMenuChild, &QMenu::aboutToShow, this, [this] { ClipboardChanged(); });
  connect(ppMnuCut, &QAction::triggered, this, [this] { mnuCutClick(); });
  connect(ppMnuCopy, &QAction::triggered, this, [this] { mnuCopyClick(); });
  connect(ppMnuPaste, &QAction::triggered, this, [this] { mnuPasteClick(); });
  connect(ppMnuUndo, &QAction::triggered, this, [this] { mnuUndoClick(); });
  connect(ppMnuRedo, &QAction::triggered, this, [this] { mnuReUndoClick(); });
}

} // namespace tessaro
