// "Linien und Füllungen".
#include "frame/OptionToolBars.h"
#include "frame/ToolPictures.h"
#include "platform/Hints.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

namespace {

TOwnerDrawList *MakeList(QToolBar *bar, const QString &hint, const QStringList &items, int index, int width) {
  auto *list = new TOwnerDrawList(bar);
  list->addItems(items);
  list->setCurrentIndex(index);
  list->setFixedWidth(width);
  list->setMaxVisibleItems(items.size());
  SetHint(list, hint);
  bar->addWidget(list);
  return list;
}

} // namespace

void TToolBarLines::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Linien und Füllungen", "ToolBarLines");
  ClPickCBFillColor = MakePicker(Bar, clWhite, "Füllfarbe", "&Weitere Farben...");
  TBNoFill = MakeCheckButton(Bar, "Keine Füllung", SmallPicture(TSmallPicture::NoFill));
  CBFillKind = MakeList(Bar, "Füllart",
                        {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                         "bsCross", "bsDiagCross"},
                        0, 56);
  Bar->addSeparator();
  ClPickCBLineColor = MakePicker(Bar, clBlack, "Linienfarbe", "&Weitere Farben...");
  TBNoLine = MakeCheckButton(Bar, "Keine Linie", SmallPicture(TSmallPicture::NoLine));
  QStringList widths;
  for (int i = 1; i <= 14; ++i)
    widths << QString::number(i);
  CBLineWidth = MakeList(Bar, "Linienstärke", widths, 0, 76);
  CBLineKind = MakeList(
      Bar, "Linienart",
      {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}, 0, 64);
  Bar->addSeparator();
  lbDrawKind = MakeLabel(Bar, "Modus:");
  CBDrawKind =
      MakeList(Bar, "Zeichenmodus",
               {"Schwarz", "Weiß", "Nop", "Not", "Kopieren", "Nicht Kopieren", "MergePenNot", "MaskPenNot",
                "MergeNotPen", "MaskNotPen", "Merge", "NotMerge", "Mask", "NotMask", "Xor", "NotXor"},
               4, 128);
  lbDrawKind->setBuddy(CBDrawKind);
}

} // namespace tessaro
