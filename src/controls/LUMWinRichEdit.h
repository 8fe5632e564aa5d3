// The text object: a child control that floats over a picture and holds a
// rich-text editor in which the user types formatted text. It draws the
// floating image's focus frame in its margin and is moved and resized with
// the same hit zones; its margin can be cut away (only the editor and the
// frame stay), and it pastes what the editor shows into a picture, after
// which it goes.
#pragma once

#include "controls/LUMWinImage.h"
#include "core/Canvas.h"

#include <QPointer>
#include <QProgressBar>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

#include <memory>

class QTextCursor;
class QTextCharFormat;

namespace tessaro {

enum TTextAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// The attributes of a selection and its paragraph, as the text toolbar
// shows them.
struct TTextAttributes {
  QString FontName;
  int Size = 0; // points
  TColor Color = clBlack;
  TFontStyles Style = 0;
  TTextAlignment Alignment = taLeftJustify;
  bool Bullets = false;
  friend bool operator==(const TTextAttributes &, const TTextAttributes &) = default;
};

// The editor of a text object: rich text with fonts, sizes, colours,
// styles, alignment and bullets, both scroll bars when they are needed, and
// a two-pixel sunken border.
class TCanvasRichEdit : public QTextEdit {
  Q_OBJECT
public:
  explicit TCanvasRichEdit(QWidget *parent = nullptr);

  // The background colour of the text area (white).
  TColor Color() const;

  // What the editor's window shows now, border and scroll bars included,
  // as a 24-bit bitmap of the editor's size.
  void CaptureToBitmap(TBitmap &Bitmap);

  // The selection's character attributes (those of its first character;
  // without a selection, those that typing would use) and its paragraph's.
  TTextAttributes SelAttributes() const;
  // Each changes the selection, or without one what typing will use next.
  void SetSelFontName(const QString &name);
  void SetSelSize(int points);
  void SetSelColor(TColor color);
  void SetSelStyle(TFontStyle style, bool on);
  // Each changes every paragraph the selection touches.
  void SetParaAlignment(TTextAlignment alignment);
  void SetParaBullets(bool on);

  // The editor's lines: the text of each paragraph.
  QStringList Lines() const;

  // A press inside the editor (fired before the editor handles it), and a
  // change of the selection or of the caret's place.
  TMouseEvent OnMouseDown;
  TNotifyEvent OnSelectionChange;

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

private:
  void MergeSel(const QTextCharFormat &format);
};

class TLUMWinRichEdit : public QWidget {
  Q_OBJECT
public:
  explicit TLUMWinRichEdit(QWidget *parent = nullptr);
  ~TLUMWinRichEdit() override;

  // Geometry, in the parent's coordinates.
  int Left() const { return x(); }
  int Top() const { return y(); }
  void SetLeft(int left) { move(left, y()); }
  void SetTop(int top) { move(x(), top); }

  // The embedded editor (owned; at (8, 8), Width - 24 by Height - 16).
  TCanvasRichEdit *RichEdit() const { return FRichEdit; }

  // Background colour of the margin.
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool on);
  // Used at the next computation of the region.
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor color) { FTransparentColor = color; }
  TColor FocusRectLineColor() const { return FFocusRectLineColor; }
  void SetFocusRectLineColor(TColor color);
  TColor FocusRectSizerColor() const { return FFocusRectSizerColor; }
  void SetFocusRectSizerColor(TColor color);
  // Referenced, not owned; forgotten when the bar goes away.
  QProgressBar *ProgressBar() const { return FProgressBar; }
  void SetProgressBar(QProgressBar *bar) { FProgressBar = bar; }

  // A press on the margin (any button, before anything else happens) and a
  // move over it.
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;

  // Cuts the margin away except for the frame: what stays is the editor's
  // inside from (9, 9) to (Width - 9, Height - 9) and the frame's dots and
  // sizers / shows the whole control again.
  void UpdateTransparentRegion();
  void ClearTransparentRegion();

  // Paints what the editor shows into Target (24-bit) at (X, Y) without
  // the editor's border, scaled by 100 / Zoom, leaving out the editor's
  // background colour; X = -1 means Left + 10, Y = -1 Top + 10. On success
  // the control goes (no event) and the result is true; otherwise it stays.
  bool PasteTextInto(TBitmap *Target, int Zoom, int X, int Y);

  // Destroys the control once the event that asked for it is over; it
  // leaves its parent at once.
  void Free();
  bool Deleted() const { return FDeleted; }

  // The mask the region is computed from (white, with the kept rectangle
  // black), for a control of w x h pixels.
  static std::shared_ptr<const TBitmap> RegionMask(int w, int h);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void FocusEditor();

  TCanvasRichEdit *FRichEdit; // owned through the Qt parent
  TColor FColor = clWhite;
  bool FTransparent = false;
  TColor FTransparentColor = clWhite;
  TColor FFocusRectLineColor = clBlack;
  TColor FFocusRectSizerColor = clBlack;
  QPointer<QProgressBar> FProgressBar;

  // A left press on the margin moves or resizes the control until the
  // release.
  TObjectTracker FTracker;
  bool FDeleted = false;
  bool FFocusPending = false;
};

} // namespace tessaro
