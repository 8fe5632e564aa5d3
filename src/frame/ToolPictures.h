// The large image list of the tool buttons (24 x 24, drawn for 1x and 2x
// screens) and the button that shows one of its pictures. A family button
// (line, rectangle, ellipse, marking) says by its picture which member of
// the family is chosen.
//
// Pictures: 0 pointer, 1 line, 2 freehand line, 3 Bézier curve, 4 vertical
// dimension, 5 horizontal dimension, 6 rectangle, 7 polygon, 8 ellipse,
// 9 arc, 10 pie, 11 chord, 12 text, 13 rectangular marking, 14 elliptic
// marking, 15 freehand marking, 16 remove marking, 17 pipette, 18 eraser,
// 19 bucket, 20 brush, 21 clone, 22 crop, 23 rounded rectangle, 24 polyline.
#pragma once

#include <QIcon>
#include <QToolButton>

namespace tessaro {

constexpr int ToolPictureCount = 25;
constexpr int ToolPictureSize = 24;

// Picture index of the large image list; an empty icon outside 0 to 24.
QIcon ToolPicture(int index);

// The small pictures (16 x 16) of the option toolbars' buttons.
enum class TSmallPicture {
  NoFill,
  NoLine,
  Use3D,
  Bold,
  Italic,
  Underline,
  StrikeOut,
  AlignLeft,
  AlignCenter,
  AlignRight,
  Numbering,
  SeeThrough,
};
QIcon SmallPicture(TSmallPicture picture);

class TPictureButton : public QToolButton {
  Q_OBJECT
public:
  TPictureButton(int imageIndex, QWidget *parent = nullptr);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);

private:
  int FImageIndex = -1;
};

} // namespace tessaro
