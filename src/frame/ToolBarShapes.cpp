// The option toolbars of the shape and pixel tools: size, corner value,
// angles and the 3D frame.
#include "frame/OptionToolBars.h"
#include "frame/ToolPictures.h"
#include "frame/UpDown.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace tessaro {

void TToolBarStdSize::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Radierer, Pinsel und Kloneinstellungen", "ToolBarStdSize");
  lbStdSize = MakeLabel(Bar, "Größe");
  EditStdSize = MakeNumberEdit(Bar, "Größe", 0, 9999, 5, UpDownStdSize);
  lbStdSize->setBuddy(EditStdSize);
}

void TToolBarRect::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Rechteckformen", "ToolBarRect");
  lbRectRndCrs = MakeLabel(Bar, "Eckenrundung");
  EditRectRndCrs = MakeNumberEdit(Bar, "Eckenrundung", 0, 360, 0, UpDownRectRndCrns);
  lbRectRndCrs->setBuddy(EditRectRndCrs);
}

void TToolBarEllipse::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "Kreisformen", "ToolBarEllipse");
  lbEllipseArc = MakeLabel(Bar, "Winkel");
  EditEllipseArc = MakeNumberEdit(Bar, "Winkel", -360, 360, 90, UpDownEllipseArc);
  lbEllipseArc->setBuddy(EditEllipseArc);
  lbEllipseStart = MakeLabel(Bar, " Anfangswinkel (Windows):");
  EditEllipseStart = MakeNumberEdit(Bar, "Anfangswinkel", -360, 360, 90, UpDownEllipseStart);
  lbEllipseStart->setBuddy(EditEllipseStart);
}

void TToolBar3D::Create(QWidget *parent) {
  Bar = MakeOptionBar(parent, "3D", "ToolBar3D");
  TBUse3D = MakeCheckButton(Bar, "3D Verwenden", SmallPicture(TSmallPicture::Use3D));
  lb3DTop = MakeLabel(Bar, " 3D Farbe oben:");
  ClPickCB3DTop = MakePicker(Bar, clSilver, "3D Farbe oben", "&Weitere Farben...");
  lb3DBottom = MakeLabel(Bar, "3D Farbe unten:");
  ClPickCB3DBottom = MakePicker(Bar, clGray, "3D Farbe unten", "&Weitere Farben...");
}

} // namespace tessaro
