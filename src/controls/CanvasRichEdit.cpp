// The text object's editor: the selection's attributes read and changed as
// the text toolbar sees them, its lines, and its picture.
#include "controls/LUMWinRichEdit.h"

#include "document/objects/ClipboardImage.h"
#include "platform/QtColor.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

namespace tessaro {

namespace {

bool IsBulletList(const QTextList *list) {
  if (!list)
    return false;
  const QTextListFormat::Style s = list->format().style();
  return s == QTextListFormat::ListDisc || s == QTextListFormat::ListCircle ||
         s == QTextListFormat::ListSquare;
}

// The blocks from the selection's first to its last (the caret's block
// without one).
std::vector<QTextBlock> SelectedBlocks(const QTextCursor &cursor) {
  QTextDocument *doc = cursor.document();
  QTextBlock block = doc->findBlock(cursor.selectionStart());
  const QTextBlock last = doc->findBlock(cursor.selectionEnd());
  std::vector<QTextBlock> blocks;
  for (; block.isValid(); block = block.next()) {
    blocks.push_back(block);
    if (block == last)
      break;
  }
  return blocks;
}

} // namespace

TCanvasRichEdit::TCanvasRichEdit(QWidget *parent) : QTextEdit(parent) {
  setObjectName("RichEdit");
  setAccessibleName("Text");
  setAcceptRichText(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  QPalette pal = palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(g, QPalette::Base, Qt::white);
    pal.setColor(g, QPalette::Text, Qt::black);
  }
  setPalette(pal);
  connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
    if (OnSelectionChange)
      OnSelectionChange(this);
  });
  connect(this, &QTextEdit::selectionChanged, this, [this] {
    if (OnSelectionChange)
      OnSelectionChange(this);
  });
}

TColor TCanvasRichEdit::Color() const {
  return FromQColor(palette().color(QPalette::Base));
}

void TCanvasRichEdit::CaptureToBitmap(TBitmap &Bitmap) {
  // The picture holds the text, not the caret and not the selection's
  // highlight.
  const QTextCursor kept = textCursor();
  const int caret = cursorWidth();
  const int hs = horizontalScrollBar()->value(), vs = verticalScrollBar()->value();
  if (kept.hasSelection()) {
    QTextCursor plain = kept;
    plain.clearSelection();
    setTextCursor(plain);
    // Taking the selection away must not scroll the text.
    horizontalScrollBar()->setValue(hs);
    verticalScrollBar()->setValue(vs);
  }
  setCursorWidth(0);
  const QImage picture = grab().toImage();
  setCursorWidth(caret);
  if (kept.hasSelection()) {
    setTextCursor(kept);
    horizontalScrollBar()->setValue(hs);
    verticalScrollBar()->setValue(vs);
  }
  if (!BitmapOfImage(picture, Color(), Bitmap))
    Bitmap.Allocate(0, 0, pf24bit);
}

TTextAttributes TCanvasRichEdit::SelAttributes() const {
  QTextCursor cursor = textCursor();
  QTextCharFormat format = currentCharFormat();
  if (cursor.hasSelection()) {
    // The first selected character.
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart());
    first.movePosition(QTextCursor::NextCharacter);
    format = first.charFormat();
  }
  const QFont font = format.font().resolve(document()->defaultFont());
  TTextAttributes a;
  a.FontName = font.family();
  a.Size = int(std::lround(font.pointSizeF()));
  a.Color = format.foreground().style() == Qt::NoBrush ? FromQColor(palette().color(QPalette::Text))
                                                       : FromQColor(format.foreground().color());
  a.Style = TFontStyles((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                        (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0));
  const Qt::Alignment align = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
  a.Alignment = (align & Qt::AlignHCenter)                       ? taCenter
                : (align & (Qt::AlignRight | Qt::AlignTrailing)) ? taRightJustify
                                                                 : taLeftJustify;
  a.Bullets = IsBulletList(cursor.currentList());
  return a;
}

void TCanvasRichEdit::MergeSel(const QTextCharFormat &format) {
  mergeCurrentCharFormat(format);
}

void TCanvasRichEdit::SetSelFontName(const QString &name) {
  QTextCharFormat f;
  f.setFontFamilies(QStringList{name});
  MergeSel(f);
}

void TCanvasRichEdit::SetSelSize(int points) {
  // A size that is no number changes nothing.
  if (points <= 0)
    return;
  QTextCharFormat f;
  f.setFontPointSize(points);
  MergeSel(f);
}

void TCanvasRichEdit::SetSelColor(TColor color) {
  QTextCharFormat f;
  f.setForeground(ToQColor(color));
  MergeSel(f);
}

void TCanvasRichEdit::SetSelStyle(TFontStyle style, bool on) {
  QTextCharFormat f;
  switch (style) {
  case fsBold:
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    break;
  case fsItalic:
    f.setFontItalic(on);
    break;
  case fsUnderline:
    f.setFontUnderline(on);
    break;
  case fsStrikeOut:
    f.setFontStrikeOut(on);
    break;
  }
  MergeSel(f);
}

void TCanvasRichEdit::SetParaAlignment(TTextAlignment alignment) {
  setAlignment(alignment == taCenter         ? Qt::AlignHCenter
               : alignment == taRightJustify ? Qt::AlignRight | Qt::AlignAbsolute
                                             : Qt::AlignLeft | Qt::AlignAbsolute);
}

void TCanvasRichEdit::SetParaBullets(bool on) {
  QTextCursor cursor = textCursor();
  const std::vector<QTextBlock> blocks = SelectedBlocks(cursor);
  cursor.beginEditBlock();
  QTextList *bullets = nullptr;
  for (const QTextBlock &block : blocks) {
    QTextList *list = block.textList();
    if (on) {
      if (IsBulletList(list))
        continue;
      if (list)
        list->remove(block);
      if (bullets) {
        bullets->add(block);
        continue;
      }
      QTextCursor at(block);
      QTextListFormat format;
      format.setStyle(QTextListFormat::ListDisc);
      format.setIndent(1);
      bullets = at.createList(format);
    } else if (list) {
      list->remove(block);
      QTextCursor at(block);
      QTextBlockFormat format = block.blockFormat();
      format.setIndent(0);
      at.setBlockFormat(format);
    }
  }
  cursor.endEditBlock();
}

QStringList TCanvasRichEdit::Lines() const {
  QStringList lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    lines << block.text();
  return lines;
}

void TCanvasRichEdit::mousePressEvent(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  const TMouseButton button = MouseButtonOf(event->button());
  const QPointer<TCanvasRichEdit> self(this);
  if (OnMouseDown)
    OnMouseDown(this, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (self)
    QTextEdit::mousePressEvent(event);
}

void TCanvasRichEdit::contextMenuEvent(QContextMenuEvent *event) {
  // The owner opens its own menu on the right press.
  event->accept();
}

} // namespace tessaro
