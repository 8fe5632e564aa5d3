// The option toolbars of the frame: each a small struct holding its bar and
// its attribute controls, built with their items, defaults, ranges, hints
// and labels. The frame connects the controls to its handlers; the
// documents read the controls' state through the frame whenever they draw.
#pragma once

#include "controls/AttributeLists.h"
#include "controls/ColorPickCombo.h"
#include "core/Types.h"

#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QToolBar;
class QToolButton;
class QWidget;

namespace tessaro {

class TFontLabel;
class TUpDown;

// "Linien und Füllungen": fill and line colours, fill kind, line width and
// kind, drawing mode.
struct TToolBarLines {
  QToolBar *Bar = nullptr;
  TColorPickCombo *ClPickCBFillColor = nullptr;
  QToolButton *TBNoFill = nullptr;
  TOwnerDrawList *CBFillKind = nullptr;
  TColorPickCombo *ClPickCBLineColor = nullptr;
  QToolButton *TBNoLine = nullptr;
  TOwnerDrawList *CBLineWidth = nullptr;
  TOwnerDrawList *CBLineKind = nullptr;
  QLabel *lbDrawKind = nullptr;
  TOwnerDrawList *CBDrawKind = nullptr;
  void Create(QWidget *parent);
};

// "Radierer, Pinsel und Kloneinstellungen" (band "Größe"): size of eraser, brush and clone,
// width of the 3D frame.
struct TToolBarStdSize {
  QToolBar *Bar = nullptr;
  QLabel *lbStdSize = nullptr;
  QLineEdit *EditStdSize = nullptr;
  TUpDown *UpDownStdSize = nullptr;
  void Create(QWidget *parent);
};

// "Rechteckformen" (band "Eckenrundung"): the corner value of the rectangle.
struct TToolBarRect {
  QToolBar *Bar = nullptr;
  QLabel *lbRectRndCrs = nullptr;
  QLineEdit *EditRectRndCrs = nullptr;
  TUpDown *UpDownRectRndCrns = nullptr;
  void Create(QWidget *parent);
};

// "Kreisformen" (band "Winkel"): arc and start angle of arc, chord and pie.
struct TToolBarEllipse {
  QToolBar *Bar = nullptr;
  QLabel *lbEllipseArc = nullptr;
  QLineEdit *EditEllipseArc = nullptr;
  TUpDown *UpDownEllipseArc = nullptr;
  QLabel *lbEllipseStart = nullptr;
  QLineEdit *EditEllipseStart = nullptr;
  TUpDown *UpDownEllipseStart = nullptr;
  void Create(QWidget *parent);
};

// "3D": whether the rectangle gets a 3D frame, and its colours.
struct TToolBar3D {
  QToolBar *Bar = nullptr;
  QToolButton *TBUse3D = nullptr;
  QLabel *lb3DTop = nullptr;
  TColorPickCombo *ClPickCB3DTop = nullptr;
  QLabel *lb3DBottom = nullptr;
  TColorPickCombo *ClPickCB3DBottom = nullptr;
  void Create(QWidget *parent);
};

// "Bemaßung": unit text, label colour and font of dimension lines.
struct TToolBarDim {
  QToolBar *Bar = nullptr;
  QLabel *lbDim = nullptr;
  QComboBox *CBDim = nullptr;
  QLabel *lbDimUnit = nullptr;
  TColorPickCombo *ClPickCBDimCol = nullptr;
  TFontLabel *lbDimFont = nullptr;
  void Create(QWidget *parent);
};

// "Text": font, size, colour, styles, alignment and numbering of the text
// tool.
struct TToolBarText {
  QToolBar *Bar = nullptr;
  QFontComboBox *LMDFontCBText = nullptr;
  QLabel *lbFontSize = nullptr;
  QComboBox *LMDFontSizeCBText = nullptr;
  TColorPickCombo *ClPickCBTextColor = nullptr;
  QToolButton *TBBold = nullptr;
  QToolButton *TBItalic = nullptr;
  QToolButton *TBUnderline = nullptr;
  QToolButton *TBStrikeOut = nullptr;
  QButtonGroup *AlignGroup = nullptr;
  QToolButton *TBFontLeft = nullptr;
  QToolButton *TBFontCenter = nullptr;
  QToolButton *TBFontRight = nullptr;
  QToolButton *TBNumbering = nullptr;
  void Create(QWidget *parent);

  // Selects a font by name, ignoring case; a font that is not installed
  // selects the one that takes its place. Returns the name shown.
  QString SelectFontName(const QString &name);
  // The sizes of the chosen font, keeping the size text.
  void FillFontSizes();
  // The size text as a number, -1 when it is none.
  int FontSize() const;
};

// "Text Renderen": how a text object is combined with the picture.
struct TToolBarRenderText {
  QToolBar *Bar = nullptr;
  QCheckBox *ChBRenderText = nullptr;
  QLabel *lbRendereQuality = nullptr;
  QComboBox *CBRendereQuality = nullptr;
  QToolButton *SpBtnTextCombine = nullptr;
  void Create(QWidget *parent);
};

// "Bewegliche Objekte": position and size of the current floating image (in
// pixels of the zoomed picture), how it is combined with the picture, and
// the button that combines it.
struct TToolBarWinImage {
  QToolBar *Bar = nullptr;
  QLabel *lbWinImgX = nullptr;
  QLineEdit *EditWinImgX = nullptr;
  TUpDown *UpDownWinImgXPos = nullptr;
  QLabel *lbWinImgY = nullptr;
  QLineEdit *EditWinImgY = nullptr;
  TUpDown *UpDownWinImgYPos = nullptr;
  QLabel *lbWinImgWidth = nullptr;
  QLineEdit *EditWinImgWidth = nullptr;
  TUpDown *UpDownWinImgYWidth = nullptr;
  QLabel *lbWinImgHeight = nullptr;
  QLineEdit *EditWinImgHeight = nullptr;
  TUpDown *UpDownWinImgYHeigth = nullptr;
  QLabel *lbWinImagComineType = nullptr;
  QComboBox *CBWinImagComineType = nullptr;
  QToolButton *SpBtnWinImgCombine = nullptr;
  void Create(QWidget *parent);
};

// "Transparenz": the cross-fade of the current floating image with the
// picture under it, and its see-through colour.
struct TToolBarTransp {
  QToolBar *Bar = nullptr;
  QSlider *TrackBarWinImgTransp = nullptr;
  QLineEdit *EditWinImgTransp = nullptr;
  QToolButton *TBWinImgTransp = nullptr;
  QLabel *lbWinImgTransp = nullptr;
  TColorPickCombo *ClPickCBWinImgTransp = nullptr;
  void Create(QWidget *parent);
};

// Shared pieces of the bars. A bar's title (shown while it floats, read by
// screen readers) is its name; the bars of the number edits show their band
// text as the edits' label.
QToolBar *MakeOptionBar(QWidget *parent, const QString &name, const QString &objectName);
QLabel *MakeLabel(QToolBar *bar, const QString &text);
// A colour picker combo; otherCaption is its drop-down's button that opens the
// colour dialog.
TColorPickCombo *MakePicker(QToolBar *bar, TColor color, const QString &hint, const QString &otherCaption);
// A check button with a small picture.
QToolButton *MakeCheckButton(QToolBar *bar, const QString &hint, const QIcon &icon);
// A number edit with its spinner.
QLineEdit *MakeNumberEdit(QToolBar *bar, const QString &hint, int min, int max, int position,
                          TUpDown *&upDown);
// Gives the edit of an editable list the list's name.
void NameListEdit(QComboBox *list);

} // namespace tessaro
