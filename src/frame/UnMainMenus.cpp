// The frame's actions and menus, shared with the documents' menus.
#include "frame/UnMain.h"

#include "controls/LUMHelpPopupMenu.h"
#include "info/UnInfo.h"
#include "platform/HelpJump.h"
#include "platform/Hints.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TfrmMain::CreateActions() {
  ActNew = MakeAction(this, "Neu...", QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(ActNew, &QAction::triggered, this, [this] { TBNewClick(); });
  ActNewFromClipboard = MakeAction(this, "Neu aus Zwischenablage");
  ActNewFromClipboard->setEnabled(false);
  ActOpen = MakeAction(this, "Öffnen...", QKeySequence(Qt::CTRL | Qt::Key_O), "Öffnet eine Datei");
  connect(ActOpen, &QAction::triggered, this, [this] { mnuOpenClick(); });
  ActEnd = MakeAction(this, "Beenden", QKeySequence(Qt::ALT | Qt::Key_F4), "Beendet das Programm");
  connect(ActEnd, &QAction::triggered, this, [this] { mnuEndClick(); });
  ActWndCascade = MakeAction(this, "Überlappend");
  connect(ActWndCascade, &QAction::triggered, this, [this] { CascadeDocuments(); });
  ActWndTileHor = MakeAction(this, "Übereinander");
  connect(ActWndTileHor, &QAction::triggered, this, [this] { TileDocumentsHorizontally(); });
  ActWndTileVert = MakeAction(this, "Nebeneinander");
  connect(ActWndTileVert, &QAction::triggered, this, [this] { TileDocumentsVertically(); });
  ActHelpContents = MakeAction(this, "I&nhalt", QKeySequence(Qt::Key_F1));
  ActHelpSearch = MakeAction(this, "Suche über Schlüssel&wort");
  ActHelpHelp = MakeAction(this, "&Benutzung der Hilfe");
  ActOptions = MakeAction(this, "Optionen");
  ActInfo = MakeAction(this, "Info...");
  connect(ActHelpContents, &QAction::triggered, this, [] { HelpContents(); });
  connect(ActHelpSearch, &QAction::triggered, this, [] { HelpSearch(); });
  connect(ActHelpHelp, &QAction::triggered, this, [] { HelpOnHelp(); });
  connect(ActInfo, &QAction::triggered, this, [this] { TfrmInfo::Execute(this); });
}

void TfrmMain::CreateMenus() {
  mnuMainFile = new QMenu("Datei", this);
  mnuMainFile->addAction(ActNew);
  mnuMainFile->addAction(ActNewFromClipboard);
  mnuMainFile->addAction(ActOpen);
  mnuMainFile->addSeparator();
  mnuMainFile->addAction(ActEnd);

  mnuMainView = new QMenu("Ansicht", this);
  mnuColorPalette = mnuMainView->addMenu("Farbpalette");
  auto item = [this](QMenu *menu, const QString &caption, void (TfrmMain::*handler)()) {
    QAction *a = menu->addAction(caption);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
  };
  mnuStdColors = item(mnuColorPalette, "Standard Farben", &TfrmMain::mnuStdColorsClick);
  mnuHTMLColors = item(mnuColorPalette, "HTML Farben", &TfrmMain::mnuHTMLColorsClick);
  mnuSystemColors = item(mnuColorPalette, "Systemfarben", &TfrmMain::mnuSystemColorsClick);
  mnuVGAColors = item(mnuColorPalette, "VGA Farben", &TfrmMain::mnuVGAColorsClick);
  mnuBitmapColors = mnuColorPalette->addMenu("Bildfarben");
  mnuUseBitmapColors = item(mnuBitmapColors, "Bildfarben verwenden", &TfrmMain::mnuUseBitmapColorsClick);
  mnuBitmapColors->addSeparator();
  mnuBmpClRed = item(mnuBitmapColors, "Roter Kanal", &TfrmMain::mnuBmpClRedClick);
  mnuBmpClGreen = item(mnuBitmapColors, "Grüner Kanal", &TfrmMain::mnuBmpClGreenClick);
  mnuBmpClBlue = item(mnuBitmapColors, "Blauer Kanal", &TfrmMain::mnuBmpClBlueClick);
  // The check marks are set each time a menu opens, never by the items.
  connect(mnuColorPalette, &QMenu::aboutToShow, this, [this] { mnuColorPaletteClick(); });
  connect(mnuBitmapColors, &QMenu::aboutToShow, this, [this] { mnuBitmapColorsClick(); });
  mnuToolBars = mnuMainView->addMenu("Symbolleisten");
  auto toggle = [this](const QString &caption, QToolBar *bar) {
    QAction *a = mnuToolBars->addAction(caption);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [bar](bool checked) { bar->setVisible(checked); });
    return a;
  };
  mnuShowTBStandard = toggle("Standard", ToolBarStandard);
  mnuShowTBEdit = toggle("Bearbeiten", ToolBarEdit);
  mnuShowTBDraw = toggle("Zeichnen", ToolBarDraw);
  mnuShowTBEffects = toggle("Effekte", ToolBarEffects);
  mnuShowTBLayers = toggle("Farbkanäle", ToolBarLayers);
  connect(mnuToolBars, &QMenu::aboutToShow, this, [this] { mnuToolBarsClick(); });
  PopupMenuToolBars = new QMenu(this);
  for (QAction *a : {mnuShowTBStandard, mnuShowTBEdit, mnuShowTBDraw, mnuShowTBEffects, mnuShowTBLayers})
    PopupMenuToolBars->addAction(a);
  connect(PopupMenuToolBars, &QMenu::aboutToShow, this, [this] { PopupMenuToolBarsPopup(); });

  mnuMainExtras = new QMenu("Extras", this);
  mnuMainExtras->addAction(ActOptions);
  mnuMainHelp = new QMenu("Hilfe", this);
  mnuMainHelp->addAction(ActHelpContents);
  mnuMainHelp->addAction(ActHelpSearch);
  mnuMainHelp->addAction(ActHelpHelp);
  mnuMainHelp->addSeparator();
  mnuMainHelp->addAction(ActInfo);
  FFrameMenus = {mnuMainFile, mnuMainView, mnuMainExtras, mnuMainHelp};

  FSharedActions.New = ActNew;
  FSharedActions.NewFromClipboard = ActNewFromClipboard;
  FSharedActions.Open = ActOpen;
  FSharedActions.End = ActEnd;
  FSharedActions.WndCascade = ActWndCascade;
  FSharedActions.WndTileHor = ActWndTileHor;
  FSharedActions.WndTileVert = ActWndTileVert;
  FSharedActions.HelpContents = ActHelpContents;
  FSharedActions.HelpSearch = ActHelpSearch;
  FSharedActions.HelpHelp = ActHelpHelp;
  FSharedActions.Options = ActOptions;
  FSharedActions.Info = ActInfo;
  FSharedActions.ToolBarItems = {mnuShowTBStandard, mnuShowTBEdit, mnuShowTBDraw, mnuShowTBEffects,
                                 mnuShowTBLayers};
  FSharedActions.StdColors = mnuStdColors;
  FSharedActions.HTMLColors = mnuHTMLColors;
  FSharedActions.SystemColors = mnuSystemColors;
  FSharedActions.VGAColors = mnuVGAColors;
  FSharedActions.UseBitmapColors = mnuUseBitmapColors;
  FSharedActions.BmpClRed = mnuBmpClRed;
  FSharedActions.BmpClGreen = mnuBmpClGreen;
  FSharedActions.BmpClBlue = mnuBmpClBlue;
}

void TfrmMain::mnuToolBarsClick() {
  mnuShowTBStandard->setChecked(ToolBarStandard->isVisibleTo(this));
  mnuShowTBEdit->setChecked(ToolBarEdit->isVisibleTo(this));
  mnuShowTBDraw->setChecked(ToolBarDraw->isVisibleTo(this));
  mnuShowTBEffects->setChecked(ToolBarEffects->isVisibleTo(this));
  mnuShowTBLayers->setChecked(ToolBarLayers->isVisibleTo(this));
}

void TfrmMain::PopupMenuToolBarsPopup() {
  mnuToolBarsClick();
}

QMenu *TfrmMain::createPopupMenu() {
  // The caller deletes the menu it gets: hand out a fresh one that carries
  // the shared items, never PopupMenuToolBars itself.
  auto *menu = new QMenu(this);
  menu->addActions(PopupMenuToolBars->actions());
  connect(menu, &QMenu::aboutToShow, this, [this] { PopupMenuToolBarsPopup(); });
  return menu;
}

void TfrmMain::ShowMenus(const std::vector<QMenu *> &menus) {
  QMenuBar *bar = menuBar();
  bar->clear();
  for (QMenu *m : menus)
    bar->addMenu(m);
}

void TfrmMain::ShowFrameMenus() {
  ShowMenus(FFrameMenus);
}

void TfrmMain::BuildHelpMenu() {
  // The help button's popup: one item per book and topic of the help
  // contents, built once the frame is shown.
  PopupMenuHelp = new QMenu(this);
  HelpPopupMenu = new TLUMHelpPopupMenu(this);
  HelpPopupMenu->SetTopicWord("Übersicht");
  HelpPopupMenu->SetShowErrors(false);
  HelpPopupMenu->SetPopupMenu(PopupMenuHelp);
  HelpPopupMenu->BuildMenu();
  TBHelp->setMenu(PopupMenuHelp);
}

} // namespace tessaro
