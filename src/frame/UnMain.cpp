#include "frame/UnMain.h"

#include "document/Lenient.h"
#include "document/UnChild.h"
#include "document/UnNewImage.h"
#include "document/UndoCache.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaro {

namespace {

TfrmMain *GFrame = nullptr;

QAction *MakeAction(QObject *owner, const QString &caption, const QKeySequence &key = QKeySequence(),
                    const QString &hint = QString()) {
  auto *a = new QAction(caption, owner);
  if (!key.isEmpty())
    a->setShortcut(key);
  if (!hint.isEmpty()) {
    a->setStatusTip(hint);
    a->setToolTip(hint);
  }
  return a;
}

QToolButton *MakeButton(QToolBar *bar, const QString &hint, const QIcon &icon,
                        const QString &text = QString()) {
  auto *b = new QToolButton(bar);
  if (!icon.isNull())
    b->setIcon(icon);
  else
    b->setText(text.isEmpty() ? hint : text);
  TfrmMain::SetHint(b, hint);
  bar->addWidget(b);
  return b;
}

} // namespace

TfrmMain *TfrmMain::Instance() {
  return GFrame;
}

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent) {
  GFrame = this;
  setObjectName("frmMain");
  setWindowTitle("Tessaro");
  NewImageNo = 1;
  DocumentNo = 100;

  MdiArea = new QMdiArea(this);
  // Closing the active document brings back the one used before it.
  MdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  connect(MdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);

  CreateActions();
  CreateToolBars();
  CreateStatusBars();
  CreateMenus();

  auto *central = new QWidget(this);
  auto *column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(1);
  column->addWidget(MdiArea, 1);
  column->addWidget(StatusBarChild);
  column->addWidget(StatusBarMain);
  setCentralWidget(central);

  // These bars start hidden; the tools and objects that need them show them.
  ToolBarEdit->hide();
  ToolBarEffects->hide();
  ToolBarLayers->hide();
  ToolBarWinImage->hide();
  ToolBarTransp->hide();
  ShowFrameMenus();
  resize(1024, 768);
}

TfrmMain::~TfrmMain() {
  // The documents go first, while the frame they talk to is still whole.
  const QList<QMdiSubWindow *> subs = MdiArea->subWindowList();
  for (QMdiSubWindow *sub : subs)
    delete sub;
  if (GFrame == this)
    GFrame = nullptr;
}

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
  // Help, options and information arrive with their dialogs.
  ActHelpContents = MakeAction(this, "I&nhalt", QKeySequence(Qt::Key_F1));
  ActHelpSearch = MakeAction(this, "Suche über Schlüssel&wort");
  ActHelpHelp = MakeAction(this, "&Benutzung der Hilfe");
  ActOptions = MakeAction(this, "Optionen");
  ActInfo = MakeAction(this, "Info...");
  for (QAction *a : {ActHelpContents, ActHelpSearch, ActHelpHelp, ActOptions, ActInfo})
    a->setEnabled(false);
}

void TfrmMain::CreateToolBars() {
  QStyle *st = style();
  ToolBarStandard = addToolBar("Standard    ");
  ToolBarStandard->setObjectName("ToolBarStandard");
  TBNew = MakeButton(ToolBarStandard, "Neu", st->standardIcon(QStyle::SP_FileIcon));
  connect(TBNew, &QToolButton::clicked, this, [this] { TBNewClick(); });
  TBOpen = MakeButton(ToolBarStandard, "Öffnen", st->standardIcon(QStyle::SP_DialogOpenButton));
  connect(TBOpen, &QToolButton::clicked, this, [this] { mnuOpenClick(); });
  TBSave = MakeButton(ToolBarStandard, "Speichern", st->standardIcon(QStyle::SP_DialogSaveButton));
  connect(TBSave, &QToolButton::clicked, this, [this] { TBSaveClick(); });
  ToolBarStandard->addSeparator();
  TBUndo = MakeButton(ToolBarStandard, UndoHintPlain, st->standardIcon(QStyle::SP_ArrowBack));
  connect(TBUndo, &QToolButton::clicked, this, [this] { TBUndoClick(); });
  TBReUndo = MakeButton(ToolBarStandard, RedoHintPlain, st->standardIcon(QStyle::SP_ArrowForward));
  connect(TBReUndo, &QToolButton::clicked, this, [this] { TBReUndoClick(); });
  ToolBarStandard->addSeparator();

  CBZoom = new QComboBox(ToolBarStandard);
  CBZoom->setObjectName("CBZoom");
  CBZoom->setEditable(true);
  CBZoom->setInsertPolicy(QComboBox::NoInsert);
  // Every typed character zooms at once ("150" gives 1 %, 15 %, 150 %); a
  // completer would turn "25" into "250 %" behind the user's back.
  CBZoom->setCompleter(nullptr);
  CBZoom->setMaxVisibleItems(16);
  CBZoom->setFixedWidth(76);
  CBZoom->addItems({"  10 %", "  15 %", "  20 %", "  25 %", "  30 %", "  35 %", "  40 %", "  45 %",
                    "  50 %", "  55 %", "  60 %", "  65 %", "  70 %", "  75 %", "  80 %", "  85 %",
                    "  90 %", "  95 %", "100 %",  "110 %",  "120 %",  "125 %",  "130 %",  "140 %",
                    "150 %",  "160 %",  "170 %",  "175 %",  "180 %",  "190 % ", "200 %",  "225 %",
                    "250 %",  "275 %",  "300 %",  "325 %",  "350 %",  "375 %",  "400 %",  "425 %",
                    "450 %",  "475 %",  "500 %",  "550 %",  "600 %",  "800 %",  "1000 %", "1200 %"});
  CBZoom->setCurrentIndex(-1);
  CBZoom->setEditText("100 %");
  connect(CBZoom, &QComboBox::editTextChanged, this, [this] { CBZoomChange(); });
  CBZoom->installEventFilter(this);
  CBZoom->lineEdit()->installEventFilter(this);
  ToolBarStandard->addWidget(CBZoom);
  ToolBarStandard->addSeparator();
  TBWndCascade = MakeButton(ToolBarStandard, "Überlappend", QIcon());
  connect(TBWndCascade, &QToolButton::clicked, this, [this] { CascadeDocuments(); });
  TBWndTileVert = MakeButton(ToolBarStandard, "Nebeneinander", QIcon());
  connect(TBWndTileVert, &QToolButton::clicked, this, [this] { TileDocumentsVertically(); });
  TBWndTileHor = MakeButton(ToolBarStandard, "Übereinander", QIcon());
  connect(TBWndTileHor, &QToolButton::clicked, this, [this] { TileDocumentsHorizontally(); });

  ToolBarDraw = addToolBar("Zeichnen   ");
  ToolBarDraw->setObjectName("ToolBarDraw");
  ToolBarEdit = addToolBar("Bearbeiten ");
  ToolBarEdit->setObjectName("ToolBarEdit");
  ToolBarEffects = addToolBar("Effekte");
  ToolBarEffects->setObjectName("ToolBarEffects");
  ToolBarLayers = addToolBar("Farbkanäle");
  ToolBarLayers->setObjectName("ToolBarLayers");
  addToolBarBreak();
  ToolBarTransp = addToolBar("Transparenz");
  ToolBarTransp->setObjectName("ToolBarTransp");
  ToolBarWinImage = addToolBar("Objekt");
  ToolBarWinImage->setObjectName("ToolBarWinImage");
}

void TfrmMain::CreateStatusBars() {
  StatusBarMain = new TStatusPanels({{"", 200}, {"", 268}, {"Zum Abbrechen ESC drücken", 89}}, this);
  StatusBarMain->setObjectName("StatusBarMain");
  PBarStatus = new QProgressBar(StatusBarMain->Panel(1));
  PBarStatus->setRange(0, 100);
  PBarStatus->setTextVisible(false);
  StatusBarMain->Panel(1)->layout()->addWidget(PBarStatus);
  PBarStatus->hide();

  StatusBarChild = new TStatusPanels({{"X: 0", 100},
                                      {"Y: 0", 100},
                                      {"", 100},
                                      {"", 100},
                                      {"Füllfarbe", 68},
                                      {"Linienfarbe", 68},
                                      {"Papierfarbe", 68},
                                      {"100 %", 55},
                                      {"24-Bit", 55},
                                      {"", 50}},
                                     this);
  StatusBarChild->setObjectName("StatusBarChild");
  // The colour panels lie over panels 4 to 6.
  auto over = [this](int i, TColor c, const QString &hint) {
    QFrame *panel = StatusBarChild->Panel(i);
    for (QLabel *l : panel->findChildren<QLabel *>())
      l->hide();
    auto *p = new TColorPanel(c, hint, panel);
    panel->layout()->addWidget(p);
    return p;
  };
  panFillColor = over(4, clWhite, "Füllfarbe");
  panLineColor = over(5, clBlack, "Linienfarbe");
  panPaperColor = over(6, clWhite, "Papierfarbe");
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
  for (const char *c : {"Standard Farben", "HTML Farben", "Systemfarben", "VGA Farben"})
    mnuColorPalette->addAction(c)->setEnabled(false);
  QMenu *bmpColors = mnuColorPalette->addMenu("Bildfarben");
  for (const char *c : {"Bildfarben verwenden", "Roter Kanal", "Grüner Kanal", "Blauer Kanal"})
    bmpColors->addAction(c)->setEnabled(false);
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

QString TfrmMain::Hint(const QToolButton *button) {
  return button->toolTip();
}

void TfrmMain::SetHint(QToolButton *button, const QString &hint) {
  button->setToolTip(hint);
  button->setStatusTip(hint);
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

bool TfrmMain::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) {
    StatusBarMain->SetPanelText(0, static_cast<QStatusTipEvent *>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event) {
  // The zoom list keeps the focus after a choice; the undo and redo keys
  // still belong to the picture, not to the text of the list.
  if ((watched == CBZoom || watched == CBZoom->lineEdit()) && event->type() == QEvent::ShortcutOverride) {
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeyCombination combo = key->keyCombination();
    if (combo == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
        combo == QKeyCombination(Qt::AltModifier, Qt::Key_Z)) {
      event->ignore();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- documents ---------------------------------------------------------------

std::vector<TfrmChild *> TfrmMain::Documents() const {
  std::vector<TfrmChild *> docs;
  for (QMdiSubWindow *sub : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (auto *child = qobject_cast<TfrmChild *>(sub->widget()))
      docs.push_back(child);
  }
  return docs;
}

TfrmChild *TfrmMain::ActiveChild() const {
  if (FActiveChild)
    return FActiveChild.data();
  return nullptr;
}

QMdiSubWindow *TfrmMain::SubWindowOf(const TfrmChild *child) const {
  for (QMdiSubWindow *sub : MdiArea->subWindowList()) {
    if (sub->widget() == child)
      return sub;
  }
  return nullptr;
}

TfrmChild *TfrmMain::CreateChild() {
  auto *child = new TfrmChild(*this, MdiArea); // owned by its sub-window from here on
  QMdiSubWindow *sub = MdiArea->addSubWindow(child);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
  sub->resize(318, 252);
  sub->show();
  MdiArea->setActiveSubWindow(sub);
  Activate(child);
  return child;
}

void TfrmMain::SubWindowActivated(QMdiSubWindow *window) {
  if (window) {
    if (auto *child = qobject_cast<TfrmChild *>(window->widget()))
      Activate(child);
    return;
  }
  // Null also comes when the frame itself loses the focus: keep the active
  // document then; only with no document left the frame's menus return.
  if (Documents().empty()) {
    FActiveChild = nullptr;
    ShowFrameMenus();
  }
}

void TfrmMain::Activate(TfrmChild *child) {
  if (child == FActiveChild.data())
    return;
  if (FActiveChild)
    FActiveChild->FormDeactivate();
  FActiveChild = child;
  ShowMenus(child->MainMenuChild);
  child->FormActivate();
}

void TfrmMain::DocumentClosing(TfrmChild *child) {
  if (FActiveChild.data() == child || !FActiveChild)
    FActiveChild = nullptr;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (FActiveChild)
          return;
        std::vector<TfrmChild *> docs = Documents();
        if (docs.empty()) {
          ShowFrameMenus();
          return;
        }
        QMdiSubWindow *sub = MdiArea->activeSubWindow();
        auto *next = sub ? qobject_cast<TfrmChild *>(sub->widget()) : nullptr;
        Activate(next ? next : docs.back());
      },
      Qt::QueuedConnection);
}

TfrmChild *TfrmMain::CreateNewImage(int width, int height, TPixelFormat pf, TColor paper) {
  const QString caption = QString("Neu %1.bmp").arg(NewImageNo);
  const uint64_t bytes = uint64_t(RowBytesFor(width, pf)) * uint64_t(std::max(height, 0));
  TfrmChild *child = nullptr;
  if (bytes <= MaxBitmapBytes) {
    child = CreateChild();
    try {
      TfrmNewImage::PaintNewRaster(child->Bitmap(), width, height, pf, paper);
    } catch (const std::exception &) {
      delete SubWindowOf(child);
      child = nullptr;
    }
  }
  if (!child) {
    Beep();
    MessageDlg(QString("Ein Bild mit %1 x %2 Pixeln ist zu groß und kann nicht angelegt werden!")
                   .arg(width)
                   .arg(height),
               mtError, mbOK);
    return nullptr;
  }
  child->FPaperColor = paper;
  child->SetDocument(caption, caption.toStdString(), false, false);
  ++NewImageNo;
  ++DocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

TfrmChild *TfrmMain::CreateBlankDocument() {
  const QString caption = QString("Neu %1.bmp").arg(NewImageNo);
  TfrmChild *child = CreateChild();
  child->Bitmap().SetSize(400, 300);
  child->Bitmap().SetPixelFormat(pf24bit);
  child->SetDocument(caption, caption.toStdString(), false, false);
  ++NewImageNo;
  ++DocumentNo;
  if (ActiveChild() == child)
    child->FormActivate();
  return child;
}

void TfrmMain::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (!FShown) {
    FShown = true;
    FormShow();
  }
}

void TfrmMain::FormShow() {
  if (CommandLine.size() > 1)
    OpenPictureFile(CommandLine.at(1).toStdString());
  if (Documents().empty())
    CreateBlankDocument();
}

void TfrmMain::TBNewClick() {
  TfrmNewImage dialog(*this, this);
  dialog.exec();
}

void TfrmMain::TBSaveClick() {
  TfrmChild *child = ActiveChild();
  if (!child) {
    Beep();
    return;
  }
  child->mnuSaveClick();
}

void TfrmMain::TBUndoClick() {
  if (TfrmChild *child = ActiveChild())
    child->UndoStep();
  else
    Beep();
}

void TfrmMain::TBReUndoClick() {
  if (TfrmChild *child = ActiveChild())
    child->RedoStep();
  else
    Beep();
}

void TfrmMain::CBZoomChange() {
  TfrmChild *child = ActiveChild();
  if (!child)
    return;
  int z = 0;
  std::string error;
  if (!TryLenientStrToInt(CBZoom->currentText().toStdString(), z, &error)) {
    MessageDlg(error, mtError, mbOK);
    return;
  }
  // 0 and negative numbers show the picture at 1 %; the control may not grow
  // beyond what the window system can hold.
  if (z < 1)
    z = 1;
  const int side = std::max({child->Bitmap().Width(), child->Bitmap().Height(), 1});
  const int maxZoom = int(std::min<int64_t>(int64_t(QWIDGETSIZE_MAX) * 100 / side, INT32_MAX / 100));
  z = std::min(z, std::max(maxZoom, 1));
  child->Image->SetZoom(z);
  child->FZoom = z;
  StatusBarChild->SetPanelText(7, QString::number(z) + " %");
}

void TfrmMain::mnuEndClick() {
  // The item sits in a document's menu, and closing the frame frees the
  // documents: close once the menu has finished with its click.
  QMetaObject::invokeMethod(
      this, [this] { close(); }, Qt::QueuedConnection);
}

void TfrmMain::CascadeDocuments() {
  MdiArea->cascadeSubWindows();
}

namespace {

std::vector<QMdiSubWindow *> Tileable(QMdiArea *area) {
  std::vector<QMdiSubWindow *> subs;
  for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::CreationOrder)) {
    if (sub->isVisible() && !sub->isMinimized())
      subs.push_back(sub);
  }
  return subs;
}

} // namespace

void TfrmMain::TileDocumentsHorizontally() {
  const std::vector<QMdiSubWindow *> subs = Tileable(MdiArea);
  if (subs.empty())
    return;
  const QRect area = MdiArea->viewport()->rect();
  const int n = int(subs.size());
  for (int i = 0; i < n; ++i) {
    const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
    subs[size_t(i)]->showNormal();
    subs[size_t(i)]->setGeometry(0, top, area.width(), bottom - top);
  }
}

void TfrmMain::TileDocumentsVertically() {
  const std::vector<QMdiSubWindow *> subs = Tileable(MdiArea);
  if (subs.empty())
    return;
  const QRect area = MdiArea->viewport()->rect();
  const int n = int(subs.size());
  for (int i = 0; i < n; ++i) {
    const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
    subs[size_t(i)]->showNormal();
    subs[size_t(i)]->setGeometry(left, 0, right - left, area.height());
  }
}

void TfrmMain::closeEvent(QCloseEvent *event) {
  // Every document agrees first (each asking about its changes); one that
  // says no keeps the whole program open.
  for (TfrmChild *doc : Documents()) {
    if (!doc->FormCloseQuery()) {
      event->ignore();
      return;
    }
  }
  for (TfrmChild *doc : Documents())
    doc->SetCloseAgreed();
  FormClose();
  event->accept();
}

void TfrmMain::FormClose() {
  if (FClosed)
    return;
  FClosed = true;
  // The windows go once the event that closed the frame is done (it may
  // come from one of their own menus or buttons).
  const QList<QMdiSubWindow *> subs = MdiArea->subWindowList();
  for (QMdiSubWindow *sub : subs)
    sub->deleteLater();
  if (RemoveCacheHook)
    RemoveCacheHook();
  else
    RemoveCacheFolder();
}

} // namespace tessaro
