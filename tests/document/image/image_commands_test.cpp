// The one-click commands of the "Bild" menu and the frame's buttons: each
// command on each pixel format with its undo caption and the dispatcher's
// order (a 24-bit snapshot, the raster back in its own format), the channel
// split into three documents, and a document that stays whole while an
// operation runs.
#include "image_fixture.h"

#include "core/Hooks.h"
#include "ops/LUMGraphics.h"
#include "platform/HelpJump.h"

#include <QComboBox>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <map>

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

struct TCommandCase {
  QAction *TfrmChild::*Item;
  QToolButton *TImageToolButtons::*Button; // null where only the menu has it
  const char *Caption;
  bool (*Reference)(TBitmap *);
};

const TCommandCase Commands[] = {
    {&TfrmChild::mnuInvert, &TImageToolButtons::TBInvert, "Invertieren", InvertBitmap},
    {&TfrmChild::mnuGrayScale, &TImageToolButtons::TBGrayScale, "In Graustufen umwandeln",
     [](TBitmap *b) { return GrayScaleBitmap(b, 7); }},
    {&TfrmChild::mnuLighter, &TImageToolButtons::TBLightLighter, "Bild heller machen",
     [](TBitmap *b) { return LightenBitmap(b, 5); }},
    {&TfrmChild::mnuDarker, &TImageToolButtons::TBLightDarker, "Bild dunkler machen",
     [](TBitmap *b) { return DarkenBitmap(b, 5); }},
    {&TfrmChild::mnuMoreContrast, &TImageToolButtons::TBContrastMore, "Mehr Kontrast",
     [](TBitmap *b) { return ContrastBitmap(b, 5); }},
    {&TfrmChild::mnuLessContrast, &TImageToolButtons::TBContrastLess, "Weniger Kontrast",
     [](TBitmap *b) { return ContrastBitmap(b, -5); }},
    {&TfrmChild::mnuRotateLeft, &TImageToolButtons::TBRotateLeft, "270° drehen",
     [](TBitmap *b) { return Rotate180(b) && Rotate90(b); }},
    {&TfrmChild::mnuRotateRight, &TImageToolButtons::TBRotateRight, "90° drehen", Rotate90},
    {&TfrmChild::mnuRotate180, nullptr, "180° drehen", Rotate180},
    {&TfrmChild::mnuFlipHor, &TImageToolButtons::TBReflectHor, "Horizontal spiegeln", FlipHorizontal},
    {&TfrmChild::mnuFlipVert, &TImageToolButtons::TBReflectVert, "Vertikal spiegeln", FlipVertical},
    {&TfrmChild::mnuGrayScaleRed, &TImageToolButtons::TBGrayscaleRed, "Rot in Graustufen umwandeln",
     [](TBitmap *b) { return GrayScaleBitmap(b, 1); }},
    {&TfrmChild::mnuGrayScaleBlue, &TImageToolButtons::TBGrayScaleBlue, "Blau in Graustufen umwandeln",
     [](TBitmap *b) { return GrayScaleBitmap(b, 2); }},
    {&TfrmChild::mnuGrayScaleGreen, &TImageToolButtons::TBGrayscaleGreen, "Grün in Graustufen umwandeln",
     [](TBitmap *b) { return GrayScaleBitmap(b, 4); }},
    {&TfrmChild::mnuOnlyRedLayer, &TImageToolButtons::TBRedLayer, "Nur roten Kanal anzeigen", KeepRedOnly},
    {&TfrmChild::mnuOnlyBlueLayer, &TImageToolButtons::TBBlueLayer, "Nur blauen Kanal anzeigen",
     KeepBlueOnly},
    {&TfrmChild::mnuOnlyGreenLayer, &TImageToolButtons::TBGreenLayer, "Nur Grünen Kanal anzeigen",
     KeepGreenOnly},
    {&TfrmChild::mnuWithoutRed, &TImageToolButtons::TBWithoutRed, "Roten Kanal entfernen", RemoveRed},
    {&TfrmChild::mnuWithoutBlue, &TImageToolButtons::TBWithoutBlue, "Blauen Kanal entfernen", RemoveBlue},
    {&TfrmChild::mnuWithoutGreen, &TImageToolButtons::TBWithoutGreen, "Grünen Kanal entfernen", RemoveGreen},
};

using ImageCommands = ImageTest;

// Every command on every format: the dispatcher's result is the routine run
// on the 24-bit raster and converted back; undo restores the 24-bit
// snapshot with the colours the picture had.
TEST_F(ImageCommands, EveryCommandOnEveryPixelFormat) {
  const TBitmap picture = Pattern(7, 5);
  for (const TPixelFormat pf : AllFormats) {
    for (const TCommandCase &c : Commands) {
      SCOPED_TRACE(std::string(c.Caption) + " on " + PixelFormatName(pf));
      Show(picture, pf);
      const TBitmap before = Doc->Bitmap();
      TBitmap expected = InFormat(before, pf24bit);
      ASSERT_TRUE(c.Reference(&expected));
      expected.SetPixelFormat(pf);

      (Doc->*c.Item)->trigger();
      EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf);
      EXPECT_EQ(Doc->ImageType(), pf);
      EXPECT_TRUE(SameColors(Doc->Bitmap(), expected));
      EXPECT_EQ(UndoHint(), QString("Rückgängig (") + QString::fromUtf8(c.Caption) + ")");
      EXPECT_EQ(Hint(Doc->mnuUndo), UndoHint());
      EXPECT_TRUE(Doc->Modified());

      ASSERT_TRUE(Doc->UndoStep());
      EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf24bit);
      EXPECT_EQ(Doc->ImageType(), pf24bit);
      EXPECT_TRUE(SameColors(Doc->Bitmap(), before));
    }
  }
}

TEST_F(ImageCommands, MenuCaptionsAndHints) {
  auto captions = [](const QMenu *m) {
    QStringList l;
    for (QAction *a : m->actions())
      l << (a->isSeparator() ? "-" : a->text());
    return l;
  };
  EXPECT_EQ(captions(Doc->mnuMainImage), (QStringList{"Invertieren",
                                                      "In Graustufen umwandeln",
                                                      "-",
                                                      "Bild verzerren...",
                                                      "Farbton...",
                                                      "Farben ersetzen...",
                                                      "-",
                                                      "Größe ändern...",
                                                      "Papiergröße ändern...",
                                                      "-",
                                                      "Helligkeit",
                                                      "Kontrast",
                                                      "-",
                                                      "Drehen",
                                                      "Spiegeln",
                                                      "-",
                                                      "Effekte",
                                                      "Kanäle",
                                                      "-",
                                                      "Bildart ändern"}));
  std::map<QString, QStringList> sub;
  for (QAction *a : Doc->mnuMainImage->actions()) {
    if (a->menu()) {
      sub[a->text()] = captions(a->menu());
    } else if (!a->isSeparator()) {
      EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
  }
  EXPECT_EQ(sub["Helligkeit"], (QStringList{"Heller", "Dunkler", "Helligkeit einstellen..."}));
  EXPECT_EQ(sub["Kontrast"], (QStringList{"Mehr Kontrast", "Weniger Kontrast", "Kontrast einstellen..."}));
  EXPECT_EQ(sub["Drehen"], (QStringList{"90° Links", "90° Rechts", "180°", "-", "Frei drehen..."}));
  EXPECT_EQ(sub["Spiegeln"], (QStringList{"Horizontal spiegeln", "Vertikal spiegeln"}));
  EXPECT_EQ(sub["Effekte"],
            (QStringList{"Farbverlauf...", "Milchglaseffekt...", "Unschärfe...", "Palette ändern..."}));
  EXPECT_EQ(
      sub["Kanäle"],
      (QStringList{"Kanäle teilen", "-", "Roter Kanal in Grau umwandeln", "Grüner Kanal in Grau umwandeln",
                   "Blauer Kanal in Grau umwandeln", "-", "Roter Kanal anzeigen", "Grüner Kanal anzeigen",
                   "Blauer Kanal anzeigen", "-", "Rot entfernen", "Grün entfernen", "Blau entfernen"}));
  for (const TCommandCase &c : Commands)
    EXPECT_EQ(Hint(Doc->*c.Item), QString::fromUtf8(c.Caption));
}

// The frame's buttons run the active document's items; without a document
// they beep.
TEST_F(ImageCommands, ToolbarButtonsForwardToTheActiveDocument) {
  const TBitmap picture = Pattern(6, 4);
  for (const TCommandCase &c : Commands) {
    if (!c.Button)
      continue;
    SCOPED_TRACE(c.Caption);
    Show(picture);
    TBitmap expected = picture;
    ASSERT_TRUE(c.Reference(&expected));
    (Frame->ImageButtons.*c.Button)->click();
    EXPECT_TRUE(SamePixels(Doc->Bitmap(), expected));
    EXPECT_EQ(UndoHint(), QString("Rückgängig (") + QString::fromUtf8(c.Caption) + ")");
    EXPECT_FALSE(Hint(Frame->ImageButtons.*c.Button).isEmpty());
  }
  // The dialog buttons open the document's dialogs.
  const std::pair<QToolButton * TImageToolButtons::*, QAction * TfrmChild::*> dialogs[] = {
      {&TImageToolButtons::TBResizeImage, &TfrmChild::mnuSizeImage},
      {&TImageToolButtons::TBResizePaper, &TfrmChild::mnuSizePaper},
      {&TImageToolButtons::TBRotateFree, &TfrmChild::mnuRotateFree},
      {&TImageToolButtons::TBSkew, &TfrmChild::mnuSkew},
      {&TImageToolButtons::TBReplaceColors, &TfrmChild::mnuReplaceColors},
      {&TImageToolButtons::TBIntensity, &TfrmChild::mnuIntesity},
      {&TImageToolButtons::TBLight, &TfrmChild::mnuSetLight},
      {&TImageToolButtons::TBContrast, &TfrmChild::mnuSetContrast},
      {&TImageToolButtons::TBSmootColors, &TfrmChild::mnuSmoothColors},
      {&TImageToolButtons::TBFrostedGlass, &TfrmChild::mnuFrostedGlass},
      {&TImageToolButtons::TBBlur, &TfrmChild::mnuBlur},
      {&TImageToolButtons::TBChPalette, &TfrmChild::mnuChPalette},
  };
  for (const auto &[button, item] : dialogs) {
    QString opened;
    TOpDialog::SetRunner([&](TOpDialog &d) { opened = d.windowTitle(); });
    (Frame->ImageButtons.*button)->click();
    TOpDialog::SetRunner(nullptr);
    Flush();
    const QString menuText = (Doc->*item)->text();
    EXPECT_FALSE(opened.isEmpty()) << menuText.toStdString();
  }
  EXPECT_EQ(Frame->ImageButtons.TBBlur->toolTip(), "Blur (Bild unscharf machen)");
  EXPECT_EQ(Frame->ImageButtons.TBGrayScale->parentWidget(), Frame->ToolBarEffects);
  EXPECT_EQ(Frame->ImageButtons.TBWithoutBlue->parentWidget(), Frame->ToolBarLayers);
  EXPECT_EQ(Frame->ImageButtons.TBSkew->parentWidget(), Frame->ToolBarEdit);

  Doc->SetModified(false);
  ASSERT_TRUE(CloseDocument(Doc));
  ASSERT_TRUE(Frame->Documents().empty());
  ResetBeepCount();
  Frame->ImageButtons.TBInvert->click();
  Frame->ImageButtons.TBBlur->click();
  EXPECT_EQ(BeepCount(), 2);
}

// A quarter turn swaps width and height; the zoom is applied again.
TEST_F(ImageCommands, QuarterTurnsKeepTheZoom) {
  Show(Pattern(30, 20));
  Frame->CBZoom->setEditText("200 %");
  Doc->mnuRotateRight->trigger();
  EXPECT_EQ(Doc->Bitmap().Width(), 20);
  EXPECT_EQ(Doc->Image->size(), QSize(40, 60));
  Doc->mnuRotateLeft->trigger();
  EXPECT_EQ(Doc->Image->size(), QSize(60, 40));
  EXPECT_EQ(Doc->Zoom(), 200);
}

TEST_F(ImageCommands, SplitIntoThreeChannelDocuments) {
  TTempDir dir;
  const TBitmap picture = Pattern(9, 6);
  Show(picture, pf8bit);
  Doc->SetFileName((dir.Path() / "Bilder" / "Haus.jpg").string());
  const TBitmap before = Doc->Bitmap();
  const int documentNo = Frame->DocumentNo();
  Doc->mnuDevLayers->trigger();
  Flush();

  const std::vector<TfrmChild *> docs = Frame->Documents();
  ASSERT_EQ(docs.size(), 4u);
  const struct {
    const char *Caption;
    bool (*Keep)(TBitmap *);
  } parts[] = {{"Haus [Roter Kanal].bmp", KeepRedOnly},
               {"Haus [Grüner Kanal].bmp", KeepGreenOnly},
               {"Haus [Blauer Kanal].bmp", KeepBlueOnly}};
  for (int i = 0; i < 3; ++i) {
    TfrmChild *d = docs[size_t(i + 1)];
    EXPECT_EQ(d->Caption(), QString::fromUtf8(parts[i].Caption));
    EXPECT_EQ(d->FileName(), parts[i].Caption);
    EXPECT_EQ(d->ImageType(), pf24bit);
    EXPECT_FALSE(d->Modified());
    EXPECT_FALSE(d->ReadOnly());
    EXPECT_EQ(d->Undo().UndoIndex(), -1);
    EXPECT_EQ(d->CacheDir().substr(d->CacheDir().rfind('/') + 1), std::to_string(documentNo + i));
    TBitmap expected = InFormat(before, pf24bit);
    parts[i].Keep(&expected);
    EXPECT_TRUE(SamePixels(d->Bitmap(), expected)) << parts[i].Caption;
  }
  EXPECT_EQ(Frame->DocumentNo(), documentNo + 3);
  // The source keeps its pixels and format and records nothing.
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), before));
  EXPECT_EQ(Doc->Bitmap().Palette(), before.Palette());
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  EXPECT_EQ(Hint(Doc->mnuUndo), "Rückgängig");
}

// While an operation lets events in, nothing may change the raster under
// it or take the document away; the progress shows in the status bar.
TEST_F(ImageCommands, TheDocumentWaitsWhileAnOperationRuns) {
  Show(Pattern(50, 250));
  const TCoreHooks saved = CoreHooks();
  bool tried = false, commandRan = true, undone = true, closable = true, progressShown = false;
  int dialogs = 0;
  TCoreHooks hooks = saved;
  hooks.ProcessMessages = [&] {
    if (tried)
      return;
    tried = true;
    progressShown = Frame->PBarStatus->isVisibleTo(Frame.get());
    const int steps = Doc->Undo().UndoIndex();
    Doc->mnuRotateRight->trigger();
    commandRan = Doc->Undo().UndoIndex() != steps;
    undone = Doc->UndoStep();
    closable = Doc->FormCloseQuery();
    TOpDialog::SetRunner([&](TOpDialog &) { ++dialogs; });
    Doc->mnuBlur->trigger();
    Frame->ImageButtons.TBSkew->click();
    TOpDialog::SetRunner(nullptr);
    EXPECT_FALSE(Doc->Image->isEnabled());
  };
  SetCoreHooks(hooks);
  ResetBeepCount();
  TfrmChild::ProgressDelayMs = 0; // shown from the first row on
  Doc->mnuInvert->trigger();
  TfrmChild::ProgressDelayMs = 250;
  SetCoreHooks(saved);
  EXPECT_TRUE(tried);
  EXPECT_FALSE(commandRan);
  EXPECT_FALSE(undone);
  EXPECT_FALSE(closable);
  EXPECT_EQ(dialogs, 0);
  EXPECT_GE(BeepCount(), 5);
  EXPECT_TRUE(progressShown);
  EXPECT_FALSE(Frame->PBarStatus->isVisibleTo(Frame.get()));
  EXPECT_TRUE(Doc->Image->isEnabled());
  EXPECT_FALSE(Doc->ImageBusy());
  EXPECT_EQ(UndoHint(), "Rückgängig (Invertieren)");
}

// A short operation ends before its progress would show.
TEST_F(ImageCommands, AShortOperationShowsNoProgress) {
  Show(Pattern(50, 250));
  const TCoreHooks saved = CoreHooks();
  TCoreHooks hooks = saved;
  bool shown = false;
  hooks.ProcessMessages = [&] { shown = shown || Frame->PBarStatus->isVisibleTo(Frame.get()); };
  SetCoreHooks(hooks);
  Doc->mnuInvert->trigger();
  SetCoreHooks(saved);
  EXPECT_FALSE(shown);
}

// An undo step that cannot be written stops the command before anything
// changes, also for a palette picture that went through 24 bits.
TEST_F(ImageCommands, ACommandWhoseUndoStepFailsChangesNothing) {
  Doc->Bitmap().Assign(OwnPaletteImage());
  Doc->SetImageType(pf8bit);
  const TBitmap before = Doc->Bitmap();
  // A file where the cache folder should be: no snapshot can be written.
  fs::remove_all(Doc->CacheDir());
  std::ofstream(Doc->CacheDir()) << "x";
  ClearShownMessages();
  Doc->mnuInvert->trigger();
  Doc->mnuRotateRight->trigger();
  fs::remove(Doc->CacheDir());
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), before));
  EXPECT_EQ(Doc->Bitmap().Palette(), before.Palette());
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  EXPECT_FALSE(ShownMessages().empty());
}

} // namespace
} // namespace tessaro::test
