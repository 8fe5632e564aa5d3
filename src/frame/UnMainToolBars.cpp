// The frame's toolbars and status bars.
#include "frame/UnMain.h"

#include "document/UndoCache.h"
#include "platform/HelpJump.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TfrmMain::CreateToolBars() {
  QStyle *st = style();
  // The hint line of the chosen tool, a band of its own above the others.
  ToolBarInfo = addToolBar("Hinweis");
  ToolBarInfo->setObjectName("ToolBarInfo");
  ToolBarInfo->setMovable(false);
  panInfo = new QLabel(StartInfo, ToolBarInfo);
  panInfo->setObjectName("panInfo");
  panInfo->setStyleSheet("color: #008000;");
  panInfo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  panInfo->setMinimumWidth(200);
  ToolBarInfo->addWidget(panInfo);
  addToolBarBreak();

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
  SetHint(CBZoom, "Zoom");
  SetHint(CBZoom->lineEdit(), "Zoom");
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
  ToolBarStandard->addSeparator();
  TBHelp = MakeButton(ToolBarStandard, "Hilfe", st->standardIcon(QStyle::SP_DialogHelpButton));
  TBHelp->setPopupMode(QToolButton::MenuButtonPopup);
  connect(TBHelp, &QToolButton::clicked, this, [] { HelpContents(); });

  ToolBarDraw = addToolBar("Zeichnen   ");
  ToolBarDraw->setObjectName("ToolBarDraw");
  CreateToolBarDraw();
  ToolBarEdit = addToolBar("Bearbeiten ");
  ToolBarEdit->setObjectName("ToolBarEdit");
  ToolBarEffects = addToolBar("Effekte");
  ToolBarEffects->setObjectName("ToolBarEffects");
  ToolBarLayers = addToolBar("Farbkanäle");
  ToolBarLayers->setObjectName("ToolBarLayers");
  addToolBarBreak();
  ToolBarTransp.Create(this);
  addToolBar(ToolBarTransp.Bar);
  ToolBarWinImage.Create(this);
  addToolBar(ToolBarWinImage.Bar);
  ConnectWinImageBars();
  CreateOptionToolBars();
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

} // namespace tessaro
