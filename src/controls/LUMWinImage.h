// The floating image control: a child control that floats over a picture and
// carries a bitmap of its own, shown inside a 4-pixel margin that holds the
// focus frame and its eight sizers. The user drags it, resizes it (a
// stretched object then offers to resample its bitmap), nudges it with the
// keyboard, brings it to the front or back, deletes it or asks its owner to
// merge it with the picture underneath. One colour can be made see-through:
// the control's mask then leaves out every pixel of that colour, so the
// picture beneath shows and takes the clicks there. The control knows
// nothing of documents; whatever it cannot do alone it reports through its
// events.
#pragma once

#include "controls/ObjectFace.h"
#include "controls/ObjectFrame.h"
#include "core/Bitmap.h"
#include "document/ImageView.h"
#include "ops/LUMGraphics.h"

#include <QPointer>
#include <QProgressBar>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace tessaro {

enum TDrawMode : uint8_t { dwmRect, dwmRoundRect, dwmEllipse, dwmLine };

// Which popup menus the control offers (a set of bits).
enum TWIPopupMenu : uint8_t { wipRButtonDown = 1, wipAfterResize = 2 };
using TWIPopupMenus = uint8_t;

class TLUMWinImage;

// The percentage with which ResizeBitmap turns `from` pixels into exactly
// `to` (from > 0).
float ExactResizePercent(int from, int to);

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TCombineEvent = std::function<void(QObject *Sender, TBitmap *Target)>;
using TMoveEvent = std::function<void(QObject *Sender, int X, int Y)>;
using TResizeEvent = std::function<void(QObject *Sender, int Width, int Height)>;
using TMouseEvent =
    std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(QObject *Sender, int Key, TShiftState Shift)>;

// One entry of a popup menu: its command id (1-based position), caption and
// handler (none: the entry does nothing). An empty caption is a separator;
// entries with a parent id lie in that entry's submenu.
struct TMenuContent {
  int Id = 0;
  QString Caption;
  std::function<void(TLUMWinImage *Sender)> Handler;
  int Parent = 0;
};

class TLUMWinImage : public QWidget {
  Q_OBJECT
public:
  explicit TLUMWinImage(QWidget *parent = nullptr);
  ~TLUMWinImage() override;

  // Geometry, in the parent's coordinates.
  int Left() const { return x(); }
  int Top() const { return y(); }
  void SetLeft(int left) { move(left, y()); }
  void SetTop(int top) { move(x(), top); }
  void SetWidth(int width) { resize(width, height()); }
  void SetHeight(int height) { resize(width(), height); }

  // The picture shown (owned; never null). Setting it copies the picture, or
  // shares one that nobody changes any more: the control copies it before
  // it changes anything.
  const TBitmap &Bitmap() const { return *FBitmap; }
  void SetBitmap(const TBitmap &bitmap);
  void SetBitmap(std::shared_ptr<const TBitmap> bitmap);
  std::shared_ptr<const TBitmap> SharedBitmap() const { return FBitmap; }

  // Background colour around and under the picture.
  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool on);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool on);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool on);
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor color);
  TStretchFilter StretchFilter() const { return FStretchFilter; }
  void SetStretchFilter(TStretchFilter filter) { FStretchFilter = filter; }
  TWIPopupMenus PopupMenus() const { return FPopupMenus; }
  void SetPopupMenus(TWIPopupMenus menus) { FPopupMenus = menus; }
  // Referenced, not owned; forgotten when the bar goes away.
  QProgressBar *ProgressBar() const { return FProgressBar; }
  void SetProgressBar(QProgressBar *bar) { FProgressBar = bar; }
  TColor FocusRectLineColor() const { return FFocusRectLineColor; }
  void SetFocusRectLineColor(TColor color);
  TColor FocusRectSizerColor() const { return FFocusRectSizerColor; }
  void SetFocusRectSizerColor(TColor color);
  bool DrawModeEnable() const { return FDrawModeEnable; }
  void SetDrawModeEnable(bool on) { FDrawModeEnable = on; }
  TDrawMode DrawMode() const { return FDrawMode; }
  void SetDrawMode(TDrawMode mode) { FDrawMode = mode; }
  TColor DrawPenColor() const { return FDrawPenColor; }
  void SetDrawPenColor(TColor color) { FDrawPenColor = color; }
  uint8_t DrawRoundRectValue() const { return FDrawRoundRectValue; }
  void SetDrawRoundRectValue(uint8_t value) { FDrawRoundRectValue = value; }

  // Events.
  TCombineEvent OnCombineWithBgGr;
  TNotifyEvent OnDelete;
  TMoveEvent OnMove;
  TResizeEvent OnAfterResize;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyUp;

  // Resamples the picture to the inner size (Width - 8) x (Height - 8).
  void ApplyStretchedSize(TStretchFilter Filter);
  // Puts back the bounds saved at the last left press.
  void UndoResize();
  // Leaves out every pixel of the see-through colour / shows the whole
  // control again.
  void UpdateTransparentRegion();
  void ClearTransparentRegion();
  // Merges the picture into Target at (Left + 4 + offsetX, Top + 4 +
  // offsetY), or asks the owner to do it when Target is null.
  void CombineWithBackground(QObject *Sender, TBitmap *Target, int offsetX, int offsetY);
  // Fires OnDelete and destroys the control (once the event that asked for
  // it is over); it leaves its parent at once.
  void DeleteImage();
  bool Deleted() const { return FDeleted; }
  void BringToFront();
  void SendToBack();

  // The two menus: their entries, and the menu shown with them.
  std::vector<TMenuContent> RButtonMenu();
  std::vector<TMenuContent> AfterResizeMenu();
  void ShowAfterResizeMenu();
  // Shows a menu at the cursor and runs the chosen entry's handler.
  void ShowMenu(const std::vector<TMenuContent> &entries);
  // The menu while it is shown (null otherwise), for tests.
  QMenu *ShownMenu() const { return FShownMenu; }

  // The inner rectangle's size (Width - 8, Height - 8).
  int InnerWidth() const { return width() - 8; }
  int InnerHeight() const { return height() - 8; }

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  TBitmap &MutableBitmap();
  void FaceChanged();
  void ApplyAutoSize();
  void LeftPress(QMouseEvent *event);
  void EndTracking();
  void DrawModeMove(QPoint p);
  void DrawModeRelease();
  // The region of the face as it is now (computed once per look).
  void ShowRegion();
  // What the control shows, built once per look.
  TFaceLook FaceSpec() const;
  const TObjectFace &Face();

  std::shared_ptr<const TBitmap> FBitmap;
  TColor FColor = clWhite;
  bool FAutoSize = false;
  bool FStretch = false;
  bool FTransparent = false;
  TColor FTransparentColor = clWhite;
  TStretchFilter FStretchFilter = sftNearest;
  TWIPopupMenus FPopupMenus = wipRButtonDown | wipAfterResize;
  QPointer<QProgressBar> FProgressBar;
  TColor FFocusRectLineColor = clBlack;
  TColor FFocusRectSizerColor = clBlack;
  bool FDrawModeEnable = false;
  TDrawMode FDrawMode = dwmRect;
  TColor FDrawPenColor = clBlack;
  uint8_t FDrawRoundRectValue = 10;

  // A left press: resize (sized) or move, the bounds at its start, and the
  // tracking of the pointer until the release.
  bool FSized = false;
  bool FPressing = false;
  bool FTracking = false;
  TSizerZone FZone = szMove;
  QPoint FPressGlobal;
  QRect FSavedBounds;
  // Draw mode: drawing, start and end point (client coordinates).
  bool FDrawing = false;
  QPoint FDrawStart;
  QPoint FDrawEnd;

  bool FDeleted = false;
  QMenu *FShownMenu = nullptr;
  // The see-through region and the look it was computed for.
  int FFaceVersion = 0;
  int FRegionVersion = -1;
  QRegion FRegion;
  std::unique_ptr<TObjectFace> FFace;
  int FFaceBuiltFor = -1;
};

} // namespace tessaro
