// The frame with text objects: the text tool creating them, the text
// toolbar formatting the current object's selection and showing it back,
// the combine button (as the editor shows it, or drawn again), the save's
// merge, and switching documents.
#include "core/BmpFile.h"
#include "frame/ToolPictures.h"
#include "frame_fixture.h"

#include "../common/RichEditTestUtil.h"
#include "../common/TestUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QTest>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>

namespace tessaro::test {
namespace {

class FrameText : public FrameTest {
protected:
  TLUMWinRichEdit *NewText(const QString &text) {
    Frame->TBFont->click();
    TLUMWinRichEdit *object = First()->ActiveRichEdit();
    EXPECT_NE(object, nullptr);
    object->resize(260, 70);
    QTest::keyClicks(object->RichEdit(), text);
    Flush();
    return object;
  }
  static void Select(TLUMWinRichEdit *object, int from, int to) {
    QTextCursor c = object->RichEdit()->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    object->RichEdit()->setTextCursor(c);
  }
  static QTextCharFormat FormatAt(TLUMWinRichEdit *object, int position) {
    QTextCursor c(object->RichEdit()->document());
    c.setPosition(position + 1);
    return c.charFormat();
  }
  bool TextBarsVisible() const {
    return Frame->ToolBarText.Bar->isVisible() && Frame->ToolBarRenderText.Bar->isVisible();
  }
};

TEST_F(FrameText, TheTextToolInsertsAnObjectIntoTheActiveDocument) {
  TfrmChild *doc = First();
  TLUMWinImageEx *image = doc->InsertWinImage(TBitmap(20, 20, pf24bit));
  ASSERT_NE(image, nullptr);
  Flush();
  ASSERT_TRUE(Frame->ToolBarWinImage.Bar->isVisible());
  Frame->TBFont->click();
  Frame->TBFont->click();
  Flush();
  EXPECT_EQ(doc->RichEdits().size(), 2u);
  EXPECT_EQ(doc->ActiveRichEdit(), doc->RichEdits().back());
  EXPECT_TRUE(TextBarsVisible());
  EXPECT_FALSE(Frame->ToolBarWinImage.Bar->isVisible());
  EXPECT_EQ(Frame->ActiveTool, dtCursor);
  ASSERT_NE(Frame->ToolBarRenderText.SpBtnTextCombine, nullptr);
  EXPECT_EQ(Frame->ToolBarRenderText.SpBtnTextCombine->text(), "Mit Hintergrund kombinieren");
}

TEST_F(FrameText, ToolbarFormatsTheSelectionAndShowsItBack) {
  TLUMWinRichEdit *object = NewText("normal fett");
  TToolBarText &t = Frame->ToolBarText;
  Select(object, 7, 11);
  EXPECT_FALSE(t.TBBold->isChecked());
  Frame->TBBoldClick();
  EXPECT_EQ(FormatAt(object, 8).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(object, 2).fontWeight(), QFont::Bold);
  t.LMDFontSizeCBText->setEditText("16");
  t.ClPickCBTextColor->SetActiveColor(clRed);
  Frame->TBUnderlineClick();
  Frame->TBFontCenterClick();
  Frame->TBNumberingClick();
  EXPECT_EQ(FormatAt(object, 8).fontPointSize(), 16);
  EXPECT_EQ(FormatAt(object, 8).foreground().color(), QColor(Qt::red));
  EXPECT_TRUE(FormatAt(object, 8).fontUnderline());
  EXPECT_FALSE(FormatAt(object, 2).fontUnderline());
  EXPECT_EQ(object->RichEdit()->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  EXPECT_NE(object->RichEdit()->textCursor().currentList(), nullptr);

  // The caret in plain text releases the buttons; back in the formatted
  // word they go down again, and the font list and colour follow.
  const QString html = object->RichEdit()->toHtml();
  Select(object, 2, 2);
  EXPECT_FALSE(t.TBBold->isChecked());
  EXPECT_FALSE(t.TBUnderline->isChecked());
  EXPECT_EQ(t.LMDFontSizeCBText->currentText(), "8");
  EXPECT_EQ(t.ClPickCBTextColor->ActiveColor(), clBlack);
  EXPECT_TRUE(t.TBFontCenter->isChecked()); // one paragraph
  EXPECT_TRUE(t.TBNumbering->isChecked());
  Select(object, 8, 10);
  EXPECT_TRUE(t.TBBold->isChecked());
  EXPECT_TRUE(t.TBUnderline->isChecked());
  EXPECT_EQ(t.LMDFontSizeCBText->currentText(), "16");
  EXPECT_EQ(t.ClPickCBTextColor->ActiveColor(), clRed);
  // Showing the selection changed nothing in the text.
  EXPECT_EQ(object->RichEdit()->toHtml(), html);

  Frame->TBNumberingClick();
  EXPECT_EQ(object->RichEdit()->textCursor().currentList(), nullptr);
  t.SelectFontName("Courier New");
  EXPECT_EQ(QFontInfo(FormatAt(object, 8).font()).family(), QFontInfo(QFont("Courier New")).family());
}

TEST_F(FrameText, CombineButtonPastesTheEditorAndHidesTheBars) {
  TfrmChild *doc = First();
  TLUMWinRichEdit *object = NewText("Hallo");
  object->move(50, 60);
  Select(object, 0, 5);
  Frame->TBItalicClick();
  Select(object, 1, 1);
  Flush();
  const QImage shown = ShownByEditor(object->RichEdit());
  const TBitmap before(doc->Bitmap());
  Frame->ToolBarRenderText.SpBtnTextCombine->click();
  Flush();
  EXPECT_TRUE(doc->RichEdits().empty());
  EXPECT_FALSE(TextBarsVisible());
  EXPECT_EQ(Hint(Frame->TBUndo), "Rückgängig (Text mit Hintergrund kombinieren)");
  const TBitmap expected = PastedOver(before, shown, 60, 70);
  EXPECT_TRUE(PixelsEqual(doc->Bitmap(), expected));
  // Without a text object the button does nothing.
  Frame->ToolBarRenderText.SpBtnTextCombine->click();
  EXPECT_TRUE(PixelsEqual(doc->Bitmap(), expected));
}

TEST_F(FrameText, DrawnAgainWithTheToolbarsFontIntoAOneBitDocument) {
  TfrmChild *doc = First();
  doc->ChangeImageType(pf1bit);
  ASSERT_EQ(doc->ImageType(), pf1bit);
  const TBitmap before(doc->Bitmap());
  NewText("Einfarbig");
  Frame->ToolBarText.LMDFontSizeCBText->setEditText("20");
  Frame->ToolBarRenderText.ChBRenderText->setChecked(true);
  Frame->ToolBarRenderText.CBRendereQuality->setCurrentIndex(4);
  Frame->SpBtnTextCombineClick();
  EXPECT_EQ(doc->Bitmap().PixelFormat(), pf1bit);
  EXPECT_EQ(doc->ImageType(), pf1bit);
  EXPECT_FALSE(PixelsEqual(doc->Bitmap(), before));
  EXPECT_EQ(doc->ActiveRichEdit(), nullptr);
}

TEST_F(FrameText, SavingMergesTheTextObjectsIntoTheFile) {
  TfrmChild *doc = First();
  TLUMWinRichEdit *a = NewText("Erstes");
  a->move(10, 10);
  TLUMWinRichEdit *b = NewText("Zweites");
  b->move(10, 150);
  TTempDir dir;
  const std::string file = dir.File("text.bmp");
  QueueAnswer(mrYes);
  ASSERT_TRUE(Frame->SaveDocument(*doc, file, false));
  Flush();
  EXPECT_TRUE(doc->RichEdits().empty());
  TBitmap saved;
  ASSERT_TRUE(LoadBmpFile(file, saved));
  auto inked = [&saved](int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < saved.Width(); ++x)
        n += saved.GetPixel(x, y) != clWhite;
    return n;
  };
  EXPECT_GT(inked(20, 80), 20);
  EXPECT_GT(inked(160, 220), 20);
  EXPECT_EQ(inked(90, 150), 0);
}

TEST_F(FrameText, MixedFormattingSurvivesSwitchingDocuments) {
  TfrmChild *first = First();
  TLUMWinRichEdit *object = NewText("klein GROSS");
  Select(object, 6, 11);
  Frame->ToolBarText.LMDFontSizeCBText->setEditText("20");
  Frame->TBStrikeOutClick();
  Frame->TBFontRightClick();
  // A selection across both formats shows the first one's attributes; the
  // toolbar taking them must not write them over the rest.
  const QString html = object->RichEdit()->toHtml();
  Select(object, 3, 9);
  EXPECT_EQ(Frame->ToolBarText.LMDFontSizeCBText->currentText(), "8");

  TfrmChild *second = Frame->CreateNewImage(100, 100, pf24bit, clWhite);
  ASSERT_NE(second, nullptr);
  Flush();
  Activate(first);
  EXPECT_EQ(object->RichEdit()->toHtml(), html);
  // The toolbar shows the selection of the document's current object.
  EXPECT_TRUE(TextBarsVisible());
  EXPECT_FALSE(Frame->ToolBarText.TBStrikeOut->isChecked());
  EXPECT_TRUE(Frame->ToolBarText.TBFontRight->isChecked());
  EXPECT_EQ(Frame->ToolBarText.LMDFontSizeCBText->currentText(), "8");
}

TEST_F(FrameText, DeletingTheObjectHidesTheTextBars) {
  TfrmChild *doc = First();
  NewText("weg");
  ASSERT_TRUE(TextBarsVisible());
  doc->ppMnuDelWinRTF->trigger();
  Flush();
  EXPECT_FALSE(TextBarsVisible());
  EXPECT_TRUE(doc->RichEdits().empty());
}

} // namespace
} // namespace tessaro::test
