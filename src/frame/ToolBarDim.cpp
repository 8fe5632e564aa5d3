// "Bemaßung".
#include "frame/FontLabel.h"
#include "frame/OptionToolBars.h"
#include "platform/Hints.h"

#include <QComboBox>
#include <QLabel>
#include <QToolBar>

namespace tessaro {

void TToolBarDim::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Bemaßung", "ToolBarDim");
  lbDim = MakeLabel(Bar, "Beschriftung:");
  CBDim = new QComboBox(Bar);
  CBDim->setEditable(true);
  CBDim->setInsertPolicy(QComboBox::NoInsert);
  CBDim->addItems({"mm", "cm", "dm", "m", "km"});
  CBDim->setCurrentIndex(0);
  CBDim->setFixedWidth(56);
  SetHint(CBDim, "Beschriftung");
  NameListEdit(CBDim);
  Bar->addWidget(CBDim);
  lbDim->setBuddy(CBDim);
  lbDimUnit = MakeLabel(Bar, "(Einheit immer mm)");
  ClPickCBDimCol = MakePicker(Bar, clBlack, "Schriftfarbe", "&Weitere Fraben...");
  lbDimFont = new TFontLabel(" Klicke, um die Schrift einzustellen ", Bar);
  QFont font("MS Sans Serif");
  font.setPointSize(8);
  lbDimFont->SetLabelFont(font);
  lbDimFont->SetFontColor(clBlack);
  lbDimFont->SetColor(clWhite);
  SetHint(lbDimFont, "Hier Klicken, um die Bemaßungsschrift einzustellen");
  Bar->addWidget(lbDimFont);
}

} // namespace tessaro
