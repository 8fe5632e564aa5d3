// ToolBarDraw: the tool buttons, the arrows of the tool families and their
// popup menus, and the hint line above the toolbars.
#include "frame/UnMain.h"

#include "frame/ToolPictures.h"
#include "platform/Hints.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QSizePolicy>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TfrmMain::CreateToolBarDraw() {
  ToolBarDraw->setIconSize(QSize(ToolPictureSize, ToolPictureSize));
  auto tool = [this](int picture, const QString &hint, bool checkable, void (TfrmMain::*handler)()) {
    auto *b = new TPictureButton(picture, ToolBarDraw);
    b->setCheckable(checkable);
    SetHint(b, hint);
    ToolBarDraw->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
  };
  auto arrow = [this](const QString &hint, void (TfrmMain::*handler)()) {
    auto *b = new QToolButton(ToolBarDraw);
    b->setArrowType(Qt::DownArrow);
    b->setFixedWidth(13);
    b->setAutoRaise(true);
    SetHint(b, hint);
    ToolBarDraw->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
  };
  auto item = [this](QMenu *menu, const QString &caption, void (TfrmMain::*handler)()) {
    QAction *a = menu->addAction(caption);
    connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
  };

  TBCursor = tool(0, "Zeiger", true, &TfrmMain::TBCursorClick);
  ToolBarDraw->addSeparator();
  TBLine = tool(1, "Linie", true, &TfrmMain::TBLineClick);
  SpBtnMoreLines = arrow("Weitere Linien", &TfrmMain::SpBtnMoreLinesClick);
  TBRect = tool(6, "Rechteck oder Polygon", true, &TfrmMain::TBRectClick);
  SpBtnMoreRects = arrow("Weitere Rechteckformen", &TfrmMain::SpBtnMoreRectsClick);
  TBEllipse = tool(8, "Ellipsen Form", true, &TfrmMain::TBEllipseClick);
  SpBtnMoreEllipses = arrow("Weitere Kreisformen", &TfrmMain::SpBtnMoreEllipsesClick);
  TBFont = tool(12, "Text", false, &TfrmMain::TBFontClick);
  ToolBarDraw->addSeparator();
  TBMark = tool(13, "Markieren", true, &TfrmMain::TBMarkClick);
  TBMarkMore = arrow("Weitere Markierungen", &TfrmMain::TBMarkMoreClick);
  // Nothing shows this arrow (through the bar's action that holds it): from
  // the toolbar the marking is always rectangular.
  ToolBarDraw->actions().constLast()->setVisible(false);
  TBUndoMark = tool(16, "Markierung löschen", false, &TfrmMain::TBUndoMarkClick);
  TBUndoMark->setEnabled(false);
  ToolBarDraw->addSeparator();
  TBPipette = tool(17, "Pipette", true, &TfrmMain::TBPipetteClick);
  TBErase = tool(18, "Radierer", true, &TfrmMain::TBEraseClick);
  TBFill = tool(19, "Fülleimer", true, &TfrmMain::TBFillClick);
  TBPen = tool(20, "Pinsel", true, &TfrmMain::TBPenClick);
  TBClone = tool(21, "Klonen", true, &TfrmMain::TBCloneClick);
  TBCutImage = tool(22, "Zuschneiden", true, &TfrmMain::TBCutImageClick);

  PopupMenuLines = new QMenu(this);
  ppMnuLine = item(PopupMenuLines, "Linie", &TfrmMain::ppMnuLineClick);
  ppMnuPolyLine = item(PopupMenuLines, "Polylinie", &TfrmMain::ppMnuPolyLineClick);
  ppMnuFreeLine = item(PopupMenuLines, "Freihand Linie", &TfrmMain::ppMnuFreeLineClick);
  ppMnuBezier = item(PopupMenuLines, "Bézier Kurve", &TfrmMain::ppMnuBezierClick);
  PopupMenuLines->addSeparator();
  ppMnuDimHor = item(PopupMenuLines, "Horizontale Bemaßung", &TfrmMain::ppMnuDimHorClick);
  ppMnuDimVert = item(PopupMenuLines, "Vertikale Bemaßung", &TfrmMain::ppMnuDimVertClick);
  PopupMenuRect = new QMenu(this);
  ppMnuRect = item(PopupMenuRect, "Rechteck", &TfrmMain::ppMnuRectClick);
  ppMnuPolygon = item(PopupMenuRect, "Polygon", &TfrmMain::ppMnuPolygonClick);
  PopupMenuEllipse = new QMenu(this);
  ppMnuEllipse = item(PopupMenuEllipse, "Ellipse", &TfrmMain::ppMnuEllipseClick);
  ppMnuArc = item(PopupMenuEllipse, "Kreisbogen", &TfrmMain::ppMnuArcClick);
  ppMnuChord = item(PopupMenuEllipse, "Gefüllter Kreisbogen", &TfrmMain::ppMnuChordClick);
  ppmnuPie = item(PopupMenuEllipse, "Kuchenstück", &TfrmMain::ppmnuPieClick);
  PopupMenuMark = new QMenu(this);
  ppMnuMarkRect = item(PopupMenuMark, "Rechteckige Markierung", &TfrmMain::ppMnuMarkRectClick);
  ppMnuMarkEllipse = item(PopupMenuMark, "Elliptische Markierung", &TfrmMain::ppMnuMarkEllipseClick);
  ppMnuMarkHand = item(PopupMenuMark, "Freihand Markierung", &TfrmMain::ppMnuMarkHandClick);
  // The popup items show the pictures they choose.
  const std::pair<QAction *, int> pictures[] = {
      {ppMnuLine, 1},      {ppMnuPolyLine, 24},    {ppMnuFreeLine, 2}, {ppMnuBezier, 3},
      {ppMnuDimHor, 5},    {ppMnuDimVert, 4},      {ppMnuRect, 6},     {ppMnuPolygon, 7},
      {ppMnuEllipse, 8},   {ppMnuArc, 9},          {ppMnuChord, 11},   {ppmnuPie, 10},
      {ppMnuMarkRect, 13}, {ppMnuMarkEllipse, 14}, {ppMnuMarkHand, 15}};
  for (const auto &[action, picture] : pictures)
    action->setIcon(ToolPicture(picture));

  LMDGlobalHotKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  LMDGlobalHotKey->setContext(Qt::ApplicationShortcut);
  connect(LMDGlobalHotKey, &QShortcut::activated, this, [this] { LMDGlobalHotKeyKeyDown(); });
}

} // namespace tessaro
