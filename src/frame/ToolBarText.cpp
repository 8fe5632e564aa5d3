// "Text" and "Text Renderen".
#include "frame/OptionToolBars.h"
#include "frame/ToolPictures.h"
#include "platform/Hints.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

void TToolBarText::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Text", "ToolBarText");
  LMDFontCBText = new QFontComboBox(Bar);
  LMDFontCBText->setFontFilters(QFontComboBox::ScalableFonts);
  LMDFontCBText->setFixedWidth(160);
  SetHint(LMDFontCBText, "Schriftart");
  NameListEdit(LMDFontCBText);
  Bar->addWidget(LMDFontCBText);
  lbFontSize = MakeLabel(Bar, " Größe: ");
  LMDFontSizeCBText = new QComboBox(Bar);
  LMDFontSizeCBText->setEditable(true);
  LMDFontSizeCBText->setInsertPolicy(QComboBox::NoInsert);
  LMDFontSizeCBText->setFixedWidth(52);
  SetHint(LMDFontSizeCBText, "Schriftgröße");
  NameListEdit(LMDFontSizeCBText);
  Bar->addWidget(LMDFontSizeCBText);
  lbFontSize->setBuddy(LMDFontSizeCBText);
  ClPickCBTextColor = MakePicker(Bar, clBlack, "Textfarbe", "&Weitere Fraben...");
  Bar->addSeparator();
  TBBold = MakeCheckButton(Bar, "Fett", SmallPicture(TSmallPicture::Bold));
  TBItalic = MakeCheckButton(Bar, "Kursiv", SmallPicture(TSmallPicture::Italic));
  TBUnderline = MakeCheckButton(Bar, "Unterstrichen", SmallPicture(TSmallPicture::Underline));
  TBStrikeOut = MakeCheckButton(Bar, "Durchgestrichen", SmallPicture(TSmallPicture::StrikeOut));
  Bar->addSeparator();
  TBFontLeft = MakeCheckButton(Bar, "Linksbündig", SmallPicture(TSmallPicture::AlignLeft));
  TBFontCenter = MakeCheckButton(Bar, "Zentriert", SmallPicture(TSmallPicture::AlignCenter));
  TBFontRight = MakeCheckButton(Bar, "Rechtsbündig", SmallPicture(TSmallPicture::AlignRight));
  // One alignment is always chosen.
  AlignGroup = new QButtonGroup(Bar);
  AlignGroup->setExclusive(true);
  for (QToolButton *b : {TBFontLeft, TBFontCenter, TBFontRight})
    AlignGroup->addButton(b);
  TBFontLeft->setChecked(true);
  Bar->addSeparator();
  TBNumbering = MakeCheckButton(Bar, "Aufzählungszeichen", SmallPicture(TSmallPicture::Numbering));

  LMDFontSizeCBText->setEditText("10");
  SelectFontName("Arial");
}

QString TToolBarText::SelectFontName(const QString &name) {
  int i = LMDFontCBText->findText(name, Qt::MatchFixedString);
  if (i < 0) {
    // fontconfig names the font that stands in for a missing one.
    const QString substitute = QFontInfo(QFont(name)).family();
    i = LMDFontCBText->findText(substitute, Qt::MatchFixedString);
  }
  if (i >= 0)
    LMDFontCBText->setCurrentIndex(i);
  FillFontSizes();
  return LMDFontCBText->currentText();
}

void TToolBarText::FillFontSizes() {
  const QString text = LMDFontSizeCBText->currentText();
  const QSignalBlocker block(LMDFontSizeCBText);
  LMDFontSizeCBText->clear();
  QList<int> sizes = QFontDatabase::pointSizes(LMDFontCBText->currentText());
  if (sizes.isEmpty())
    sizes = QFontDatabase::standardSizes();
  for (int s : sizes)
    LMDFontSizeCBText->addItem(QString::number(s));
  LMDFontSizeCBText->setCurrentIndex(-1);
  LMDFontSizeCBText->setEditText(text);
}

int TToolBarText::FontSize() const {
  bool ok = false;
  const int size = LMDFontSizeCBText->currentText().trimmed().toInt(&ok);
  return ok ? size : -1;
}

void TToolBarRenderText::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Text Renderen", "ToolBarRenderText");
  ChBRenderText =
      new QCheckBox("Text renderen (alle Formatierung gehen verloren. Aktuelle Einstellungen.)", Bar);
  Bar->addWidget(ChBRenderText);
  lbRendereQuality = MakeLabel(Bar, " Qualität:");
  CBRendereQuality = new QComboBox(Bar);
  CBRendereQuality->addItems(
      {"Nur übertragen", "Geringe Qualität", "Normale Qualität", "Gute Qualität", "Beste Qualität"});
  CBRendereQuality->setCurrentIndex(2);
  SetHint(CBRendereQuality, "Qualität");
  Bar->addWidget(CBRendereQuality);
  lbRendereQuality->setBuddy(CBRendereQuality);
  Bar->addSeparator();
  SpBtnTextCombine = new QToolButton(Bar);
  SpBtnTextCombine->setObjectName("SpBtnTextCombine");
  SpBtnTextCombine->setText("Mit Hintergrund kombinieren");
  SpBtnTextCombine->setToolButtonStyle(Qt::ToolButtonTextOnly);
  SpBtnTextCombine->setAutoRaise(true);
  SetHint(SpBtnTextCombine, "Text mit Hintergrund kombinieren");
  Bar->addWidget(SpBtnTextCombine);
}

} // namespace tessaro
