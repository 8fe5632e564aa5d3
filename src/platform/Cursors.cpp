#include "platform/Cursors.h"

#include "platform/ToolGlyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <optional>

namespace tessaro {

namespace {

constexpr int CursorSize = 32;
constexpr int Hot = 8;

constexpr std::array<TToolGlyph, ToolCursorCount> CursorGlyphs = {
    TToolGlyph::Line,    TToolGlyph::PolyLine, TToolGlyph::FreeLine, TToolGlyph::Bezier,
    TToolGlyph::DimHor,  TToolGlyph::DimVert,  TToolGlyph::Rect,     TToolGlyph::RoundRect,
    TToolGlyph::Polygon, TToolGlyph::Ellipse,  TToolGlyph::Arc,      TToolGlyph::Chord,
    TToolGlyph::Pie,     TToolGlyph::MarkRect, TToolGlyph::Pipette,  TToolGlyph::Eraser,
    TToolGlyph::Bucket,  TToolGlyph::Brush,    TToolGlyph::Clone,    TToolGlyph::Crop,
};

void PaintCursor(QPainter &p, TToolGlyph glyph) {
  // The cross: black arms on a white rim, open at the centre so that the
  // pixel under the hot spot stays visible.
  const QLineF arms[] = {{Hot + 0.5, 0, Hot + 0.5, Hot - 2.0},
                         {Hot + 0.5, Hot + 3.0, Hot + 0.5, 2.0 * Hot + 1},
                         {0, Hot + 0.5, Hot - 2.0, Hot + 0.5},
                         {Hot + 3.0, Hot + 0.5, 2.0 * Hot + 1, Hot + 0.5}};
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
  for (const QLineF &l : arms)
    p.drawLine(l);
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
  for (const QLineF &l : arms)
    p.drawLine(l);
  // The tool's picture at the lower right, on a light ground.
  const QRectF box(Hot + 5, Hot + 5, CursorSize - Hot - 6, CursorSize - Hot - 6);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawRoundedRect(box.adjusted(-1, -1, 1, 1), 3, 3);
  PaintToolGlyph(p, glyph, box);
}

QPixmap CursorPixmap(TToolGlyph glyph, qreal ratio) {
  return DrawnPixmap(QSize(CursorSize, CursorSize), ratio, [glyph](QPainter &p) { PaintCursor(p, glyph); });
}

// The drawn cursors live as long as the application object, so that no
// cursor outlives the platform that made it.
class TCursorCache : public QObject {
public:
  using QObject::QObject;
  std::array<std::optional<QCursor>, ToolCursorCount> Cursors;
};

} // namespace

QPoint ToolCursorHotSpot() {
  return QPoint(Hot, Hot);
}

QCursor CursorOfId(int id) {
  if (id < 1 || id > ToolCursorCount)
    return QCursor(Qt::ArrowCursor);
  if (!qGuiApp)
    return QCursor(Qt::ArrowCursor);
  const qreal ratio = qGuiApp->devicePixelRatio() > 1 ? 2 : 1;
  static QPointer<TCursorCache> cache;
  if (!cache)
    cache = new TCursorCache(qGuiApp); // owned by the application object
  std::optional<QCursor> &c = cache->Cursors[size_t(id - 1)];
  if (!c)
    c = QCursor(CursorPixmap(CursorGlyphs[size_t(id - 1)], ratio), Hot, Hot);
  return *c;
}

} // namespace tessaro
