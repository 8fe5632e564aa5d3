// "Bildart ändern": the ticks, a conversion as one undoable step with its
// caption, the image type in the status bar, and the questions about
// fitting the frame's colour palette with each answer.
#include "image_fixture.h"

#include "controls/LUMColorPalette.h"

#include <QMenu>

#include <memory>

namespace tessaro::test {
namespace {

// The frame's colour palette grid, which the documents fit.
class ImageType : public ImageTest {
protected:
  void SetUp() override {
    ImageTest::SetUp();
    Palette = Frame->LUMColorPalette;
    ASSERT_EQ(Frame->ColorPalette(), Palette);
  }
  TLUMColorPalette *Palette = nullptr;
};

const struct {
  TPixelFormat Format;
  QAction *TfrmChild::*Item;
  const char *Caption;
  const char *Status;
} Types[] = {
    {pf1bit, &TfrmChild::mnu1bit, "Bildart in 1-bit ändern", "1-bit"},
    {pf4bit, &TfrmChild::mnu4bit, "Bildart in 4-bit ändern", "4-bit"},
    {pf8bit, &TfrmChild::mnu8bit, "Bildart in 8-bit ändern", "8-bit"},
    {pf15bit, &TfrmChild::mnu15bit, "Bildart in 15-bit ändern", "15-bit"},
    {pf16bit, &TfrmChild::mnu16bit, "Bildart in 16-bit ändern", "16-bit"},
    {pf24bit, &TfrmChild::mnu24bit, "Bildart in 24-bit ändern", "24-bit"},
    {pf32bit, &TfrmChild::mnu32bit, "Bildart in 32-bit ändern", "32-bit"},
};

TEST_F(ImageType, EachTypeFromEachTypeIsOneUndoableStep) {
  const TBitmap picture = Pattern(9, 6);
  SetAutoAnswers(true);
  for (const auto &from : Types) {
    for (const auto &to : Types) {
      SCOPED_TRACE(std::string(from.Status) + " -> " + to.Status);
      Show(picture, from.Format);
      const TBitmap before = Doc->Bitmap();
      const int steps = Doc->Undo().UndoIndex();
      QueueAnswer(mrNo);
      (Doc->*to.Item)->trigger();
      ClearAnswers();
      if (from.Format == to.Format) {
        // The ticked item does nothing at all.
        EXPECT_EQ(Doc->Undo().UndoIndex(), steps);
        EXPECT_TRUE(SamePixels(Doc->Bitmap(), before));
        continue;
      }
      EXPECT_EQ(Doc->Bitmap().PixelFormat(), to.Format);
      EXPECT_EQ(Doc->ImageType(), to.Format);
      EXPECT_TRUE(SamePixels(Doc->Bitmap(), InFormat(before, to.Format)));
      EXPECT_EQ(Frame->StatusBarChild->PanelText(8), to.Status);
      EXPECT_EQ(UndoHint(), QString("Rückgängig (") + QString::fromUtf8(to.Caption) + ")");
      // Undo brings back the old format with its pixels.
      ASSERT_TRUE(Doc->UndoStep());
      EXPECT_EQ(Doc->ImageType(), from.Format);
      EXPECT_TRUE(SamePixels(Doc->Bitmap(), before));
      EXPECT_EQ(Frame->StatusBarChild->PanelText(8), from.Status);
    }
  }
  // The submenu ticks the raster's own format.
  Show(picture, pf15bit);
  emit Doc->mnuChImageTypeDD->aboutToShow();
  for (const auto &t : Types)
    EXPECT_EQ((Doc->*t.Item)->isChecked(), t.Format == pf15bit) << t.Status;
  EXPECT_EQ(Hint(Doc->mnu32bit), "In 32-bit Bild umwandeln (Bei JPEG's nicht möglich)");
  EXPECT_EQ(Hint(Doc->mnu16bit), "");
}

const QString Unsupported = "Die Farbpalette enthält Farben, die dieses Bildformat nicht unterstützt!\r\r"
                            "Soll die Farbpalette jetzt angepasst werden?";
const QString TooMany = "Die Farbpalette enthält mehr als 256 Farben! Dieses Bildformat unterstützt aber "
                        "nicht mehr als 256 Farben!\r\rSoll die Farbpalette jetzt angepasst werden?";

TEST_F(ImageType, OneBitAsksAndYesLeavesWhiteAndBlack) {
  ASSERT_GT(Palette->CurrColorCount(), 2);
  const int shown = Palette->CurrColorCount();
  Show(Pattern(8, 8));
  QueueAnswer(mrNo);
  ResetBeepCount();
  Doc->mnu1bit->trigger();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, Unsupported);
  EXPECT_EQ(ShownMessages()[0].Type, mtConfirmation);
  EXPECT_EQ(ShownMessages()[0].Buttons, mbYesNo);
  EXPECT_EQ(BeepCount(), 1);
  EXPECT_EQ(Palette->CurrColorCount(), shown); // No keeps the palette
  EXPECT_EQ(Doc->ImageType(), pf1bit);         // the image is converted all the same

  Doc->mnu24bit->trigger();
  ClearShownMessages();
  QueueAnswer(mrYes);
  Doc->mnu1bit->trigger();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(Palette->CurrColorCount(), 2);
  EXPECT_EQ(Palette->PaletteType(), 0);
  // Two cells: white, then black.
  const int s = Palette->PaletteEntrySize();
  EXPECT_EQ(Palette->Picture().GetPixel(1 + s / 2, 1 + s / 2), clWhite);
  EXPECT_EQ(Palette->Picture().GetPixel(1 + s + s / 2, 1 + s / 2), clBlack);
  // Already two colours: no question.
  Doc->mnu24bit->trigger();
  ClearShownMessages();
  Doc->mnu1bit->trigger();
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(ImageType, FourBitAsksUnlessThePaletteShowsOnlyTheVGAColours) {
  Show(Pattern(8, 8));
  QueueAnswer(mrYes);
  Doc->mnu4bit->trigger();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, Unsupported);
  EXPECT_EQ(Palette->PaletteType(), pltVGA);
  Doc->mnu24bit->trigger();
  ClearShownMessages();
  Doc->mnu4bit->trigger();
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(ImageType, EightBitAsksAboutMoreThan256Colours) {
  // 300 colours of a bitmap in the palette.
  TBitmap many(300, 1, pf24bit);
  for (int x = 0; x < 300; ++x)
    many.SetPixel(x, 0, RGB(uint8_t(x), uint8_t(x / 2), uint8_t(255 - x % 256)));
  Palette->SetUpdating(false);
  Palette->SetBitmapColorSource(many);
  Palette->SetUpdating(true);
  Palette->SetPaletteType(pltBitmap);
  ASSERT_EQ(Palette->CurrColorCount(), 300);
  Show(Pattern(8, 8));
  QueueAnswer(mrNo);
  Doc->mnu8bit->trigger();
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, TooMany);
  EXPECT_EQ(Palette->CurrColorCount(), 300);
  Doc->mnu24bit->trigger();
  QueueAnswer(mrYes);
  Doc->mnu8bit->trigger();
  EXPECT_EQ(Palette->MaxColors(), 255);
  EXPECT_EQ(Palette->CurrColorCount(), 255);
}

TEST_F(ImageType, DeepTypesAllowAThousandColoursWithoutAsking) {
  Palette->SetMaxColors(255);
  Show(Pattern(8, 8), pf8bit);
  for (QAction *TfrmChild::*item : {&TfrmChild::mnu15bit, &TfrmChild::mnu16bit, &TfrmChild::mnu32bit}) {
    Palette->SetMaxColors(255);
    (Doc->*item)->trigger();
    EXPECT_EQ(Palette->MaxColors(), 1000);
  }
  EXPECT_TRUE(ShownMessages().empty());
}

} // namespace
} // namespace tessaro::test
