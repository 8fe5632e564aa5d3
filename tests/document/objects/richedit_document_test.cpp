// Text objects in a document: creating them, which one is current, their
// two popup menus, combining the current one (as its editor shows it, or
// its lines drawn again at each quality), and what restore, undo and the
// document's end do to them.
#include "../../common/RichEditTestUtil.h"
#include "core/BmpFile.h"
#include "objects_fixture.h"
#include "platform/MessageDlg.h"

#include <QMenu>
#include <QTest>
#include <QTextCursor>

#include <cmath>

namespace tessaro::test {
namespace {

class RichEditDocTest : public ObjectsTest {
protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    Load(Blank(300, 200));
  }
  static TBitmap Blank(int w, int h) {
    TBitmap bmp(w, h, pf24bit);
    bmp.Canvas().Brush.Color = clWhite;
    bmp.Canvas().FillRect(TRect(0, 0, w, h));
    return bmp;
  }
  TLUMWinRichEdit *Insert(QPoint at, const QString &text) {
    TLUMWinRichEdit *object = Doc->InsertRichEdit();
    object->move(at);
    object->resize(220, 60);
    QTest::keyClicks(object->RichEdit(), text);
    QApplication::processEvents();
    return object;
  }
  // A press on the object's right margin, beside the editor.
  void PressFrame(TLUMWinRichEdit *object, Qt::MouseButton b) {
    const QPoint at = object->pos() + QPoint(object->width() - 12, object->height() / 2);
    Press(at, b);
    Release(at, b);
  }
  void CloseMenus() {
    while (QWidget *popup = QApplication::activePopupWidget())
      popup->close();
    QApplication::processEvents();
  }
};

TEST_F(RichEditDocTest, NewObjectsAreCurrentAndShowTheirSelection) {
  TLUMWinRichEdit *first = Doc->InsertRichEdit();
  TLUMWinRichEdit *second = Doc->InsertRichEdit();
  EXPECT_EQ(first->pos(), second->pos());
  first->move(10, 100);
  EXPECT_EQ(Doc->ActiveRichEdit(), second);
  EXPECT_EQ(Doc->RichEdits().size(), 2u);
  EXPECT_TRUE(second->Transparent());
  EXPECT_EQ(Doc->window()->focusWidget(), second->RichEdit());
  // The editor starts in Arial 8, and the toolbar says so.
  EXPECT_EQ(Host.TextAttributes.Size, 8);
  EXPECT_EQ(Host.TextAttributes.FontName, "Arial");

  // A left press on the first object's frame makes it current; a right
  // press does not.
  PressFrame(first, Qt::LeftButton);
  EXPECT_EQ(Doc->ActiveRichEdit(), first);
  EXPECT_TRUE(Host.TextToolBars);
  PressFrame(second, Qt::RightButton);
  EXPECT_TRUE(Doc->PopupMenuWinRTF->isVisible());
  CloseMenus();
  EXPECT_EQ(Doc->ActiveRichEdit(), first);
}

TEST_F(RichEditDocTest, DeleteInThePopupOfAnotherObjectDeletesTheCurrentOne) {
  QPointer<TLUMWinRichEdit> a = Insert(QPoint(10, 10), "a");
  QPointer<TLUMWinRichEdit> b = Insert(QPoint(10, 100), "b");
  PressFrame(a, Qt::RightButton);
  ASSERT_TRUE(Doc->PopupMenuWinRTF->isVisible());
  const QList<QAction *> items = Doc->PopupMenuWinRTF->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "Mit Hintergrund kombinieren");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "Löschen");
  Host.TextToolBars = true;
  const int steps = Steps();
  Doc->ppMnuDelWinRTF->trigger();
  CloseMenus();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(b.isNull());
  ASSERT_FALSE(a.isNull());
  EXPECT_EQ(Doc->ActiveRichEdit(), nullptr);
  EXPECT_FALSE(Host.TextToolBars);
  EXPECT_EQ(Steps(), steps); // no undo step
  EXPECT_EQ(Doc->RichEdits(), std::vector<TLUMWinRichEdit *>{a.data()});
}

TEST_F(RichEditDocTest, EditorMenuHoldsTheEditCommands) {
  TLUMWinRichEdit *object = Insert(QPoint(10, 10), "Wort");
  TCanvasRichEdit *e = object->RichEdit();
  Press(Doc->Image->mapFromGlobal(e->viewport()->mapToGlobal(QPoint(20, 8))), Qt::RightButton);
  ASSERT_TRUE(Doc->PopupMenuWinRTFText->isVisible());
  QStringList captions;
  for (QAction *a : Doc->PopupMenuWinRTFText->actions())
    captions << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(captions, (QStringList{"&Rückgängig", "-", "&Kopieren", "&Ausschneiden", "&Einfügen", "-",
                                   "Alles &markieren"}));
  // They act on the editor that was pressed, enabled as it allows:
  // everything selected, then cut.
  const TSharedActions &a = Host.SharedActions();
  EXPECT_FALSE(a.EditTextCut->isEnabled());
  EXPECT_TRUE(a.EditTextUndo->isEnabled());
  a.EditTextSelAll->trigger();
  CloseMenus();
  Press(Doc->Image->mapFromGlobal(e->viewport()->mapToGlobal(QPoint(20, 8))), Qt::RightButton);
  ASSERT_TRUE(a.EditTextCut->isEnabled());
  a.EditTextCut->trigger();
  CloseMenus();
  EXPECT_TRUE(e->toPlainText().isEmpty());
  a.EditTextUndo->trigger();
  EXPECT_EQ(e->toPlainText(), "Wort");
}

TEST_F(RichEditDocTest, CombiningPastesWhatTheEditorShowsAtItsPlace) {
  TLUMWinRichEdit *object = Insert(QPoint(30, 40), "Kombiniert");
  QTextCursor c = object->RichEdit()->textCursor();
  c.setPosition(0);
  c.setPosition(4, QTextCursor::KeepAnchor);
  object->RichEdit()->setTextCursor(c);
  object->RichEdit()->SetSelColor(clBlue);
  object->RichEdit()->SetSelSize(12);
  object->RichEdit()->moveCursor(QTextCursor::End);
  QApplication::processEvents();
  const QImage shown = ShownByEditor(object->RichEdit());
  const QPointer<TLUMWinRichEdit> guard(object);

  Doc->ppMnuWinRTFCombineClick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(Doc->ActiveRichEdit(), nullptr);
  EXPECT_EQ(Doc->Undo().UndoHint(), "Rückgängig (Text mit Hintergrund kombinieren)");
  const TBitmap expected = PastedOver(*Before, shown, 40, 50);
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), expected));
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), *Before));
}

// The lines drawn again at each quality change only pixels under the text:
// plain at level 0, smoothed (colours between ink and paper) above it.
TEST_F(RichEditDocTest, DrawnAgainAtEachQualityOnlyUnderTheText) {
  for (int quality = 0; quality <= 4; ++quality) {
    SCOPED_TRACE(quality);
    Load(Blank(300, 200));
    TLUMWinRichEdit *object = Insert(QPoint(20, 30), "Erste Zeile");
    object->RichEdit()->append("");
    object->RichEdit()->append("Dritte");
    TFont font;
    font.Name = "Arial";
    font.Size = 14;
    font.Color = clBlack;
    font.Style = fsItalic;
    Host.Render = TTextRender{font, quality};
    Doc->ppMnuWinRTFCombineClick();

    const int h = RenderLineHeight(font);
    QRegion under;
    const QStringList lines{"Erste Zeile", "", "Dritte"};
    for (int i = 0; i < lines.size(); ++i)
      under |= RenderLineBounds(font, lines[i]).translated(30, 44 + i * h);
    int changed = 0, between = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) {
        const TColor p = Doc->Bitmap().GetPixel(x, y);
        if (p == clWhite)
          continue;
        ++changed;
        ASSERT_TRUE(under.contains(QPoint(x, y))) << x << "," << y;
        between += p != clBlack;
      }
    EXPECT_GT(changed, 50);
    if (quality == 0)
      EXPECT_EQ(between, 0);
    else
      EXPECT_GT(between, changed / 10);
  }
}

TEST_F(RichEditDocTest, DrawnAgainAtZoomTwoHundredWithHalfTheSizeAtHalfThePlace) {
  auto combined = [this](int zoom, QPoint at, int size) {
    Load(Blank(300, 200));
    Doc->SetZoom(zoom);
    TLUMWinRichEdit *object = Insert(at, "Zoom");
    object->RichEdit()->append("zwei");
    TFont font;
    font.Name = "Arial";
    font.Size = size;
    Host.Render = TTextRender{font, 3};
    Doc->ppMnuWinRTFCombineClick();
    return TBitmap(Doc->Bitmap());
  };
  const TBitmap zoomed = combined(200, QPoint(90, 86), 20);
  const TBitmap plain = combined(100, QPoint(40, 36), 10);
  EXPECT_TRUE(PixelsEqual(zoomed, plain));
  EXPECT_FALSE(PixelsEqual(plain, Blank(300, 200)));
}

TEST_F(RichEditDocTest, OneBitDocumentStaysOneBitAndUndoBringsItBack) {
  TBitmap mono = Blank(300, 200);
  mono.SetPixelFormat(pf1bit);
  Load(mono);
  ASSERT_EQ(Doc->ImageType(), pf1bit);
  Insert(QPoint(20, 20), "Schwarz auf Weiss");
  TFont font;
  font.Size = 16;
  Host.Render = TTextRender{font, 4};
  Doc->ppMnuWinRTFCombineClick();
  EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf1bit);
  EXPECT_FALSE(PixelsEqual(Doc->Bitmap(), mono));
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf1bit);
  EXPECT_EQ(Doc->ImageType(), pf1bit);
  EXPECT_TRUE(PixelsEqual(Doc->Bitmap(), mono));
}

TEST_F(RichEditDocTest, MixedFormattingSurvivesMovingAndResizing) {
  TLUMWinRichEdit *object = Insert(QPoint(10, 10), "fett normal");
  TCanvasRichEdit *e = object->RichEdit();
  QTextCursor c = e->textCursor();
  c.setPosition(0);
  c.setPosition(4, QTextCursor::KeepAnchor);
  e->setTextCursor(c);
  e->SetSelStyle(fsBold, true);
  e->SetSelFontName("Courier New");
  e->SetParaAlignment(taCenter);
  const QString html = e->toHtml();
  PressFrame(object, Qt::LeftButton);
  const QPoint from = object->pos() + QPoint(object->width() - 12, 30);
  Press(from);
  Move(from + QPoint(40, 25));
  Release(from + QPoint(40, 25));
  EXPECT_EQ(object->pos(), QPoint(50, 35));
  object->resize(300, 90);
  QApplication::processEvents();
  EXPECT_EQ(e->toHtml(), html);
  c.setPosition(1);
  e->setTextCursor(c);
  const TTextAttributes a = e->SelAttributes();
  EXPECT_TRUE(a.Style & fsBold);
  EXPECT_EQ(a.Alignment, taCenter);
}

TEST_F(RichEditDocTest, RestoreKeepsTheTextObjects) {
  TTempDir dir;
  ASSERT_TRUE(SaveBmpFile(Doc->Bitmap(), dir.File("r.bmp")));
  Doc->SetFileName(dir.File("r.bmp"));
  QPointer<TLUMWinRichEdit> object = Insert(QPoint(10, 10), "bleibt");
  QueueAnswer(mrYes);
  Doc->mnuRestoreClick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(object.isNull());
  EXPECT_EQ(Doc->ActiveRichEdit(), object.data());
  EXPECT_EQ(object->RichEdit()->toPlainText(), "bleibt");
}

TEST_F(RichEditDocTest, ObjectsGoWithTheDocument) {
  QPointer<TLUMWinRichEdit> object = Insert(QPoint(10, 10), "weg");
  object->RichEdit()->setFocus();
  QApplication::processEvents();
  Doc.reset();
  Host.Doc = nullptr;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(object.isNull());
}

} // namespace
} // namespace tessaro::test
