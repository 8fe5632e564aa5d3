// The operation table: every row runs, the dispatcher's codes run their
// routines with their values and captions, and the two orders of the working
// format on a palette image.
#include "ops/ImageOps.h"
#include "../files/FilesTestUtil.h"
#include "OpsTestUtil.h"
#include "ops/LUMGraphics.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace tessaro;
using namespace tessaro::test;

namespace {

// The defaults, and a plain value of its kind for a parameter without one.
TOpArgs SampleArgs(const TImageOp &op) {
  TOpArgs args = DefaultOpArgs(op);
  for (size_t i = 0; i < op.Params.size(); ++i) {
    const TOpParam &p = op.Params[i];
    if (p.Default != nullptr)
      continue;
    const char *sample = p.Kind == akColor    ? "#808080"
                         : p.Kind == akBool   ? "true"
                         : p.Kind == akFormat ? "pf8bit"
                                              : "5";
    EXPECT_TRUE(ParseOpArg(p.Kind, sample, args[i])) << op.Name;
    if (p.Kind == akFile)
      args[i].Image = std::make_shared<TBitmap>(Pattern(4, 3));
  }
  return args;
}

// An 8-bit image with a palette of its own, which no round trip through
// 24 bits gives back.
TBitmap PaletteImage() {
  TBitmap b(9, 7, pf8bit);
  TPalette palette(256);
  for (int i = 0; i < 256; ++i)
    palette[size_t(i)] = TRGBQuad{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2 + 60), 0};
  b.SetPalette(palette);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.SetStored(x, y, uint32_t(x * 29 + y * 7) & 255);
  return b;
}

} // namespace

TEST(ImageOps, EveryRowRunsAndItsDefaultsAreValid) {
  std::set<std::string> names;
  bool cliPart = true;
  for (const TImageOp &op : ImageOps()) {
    EXPECT_TRUE(names.insert(op.Name).second) << "twice: " << op.Name;
    EXPECT_EQ(FindImageOp(op.Name), &op);
    // The rows of tessaro-cli come first, in the order of its help.
    EXPECT_TRUE(cliPart || op.Usage == nullptr) << op.Name;
    cliPart = op.Usage != nullptr;
    for (const TOpParam &p : op.Params) {
      if (p.Default == nullptr)
        continue;
      TOpArg value;
      ASSERT_TRUE(ParseOpArg(p.Kind, p.Default, value)) << op.Name << " " << p.Name;
      const double v = p.Kind == akFloat ? value.Float : double(value.Int);
      if (p.Min < p.Max && (p.Kind == akInt || p.Kind == akByte || p.Kind == akFloat)) {
        EXPECT_TRUE(v >= p.Min && v <= p.Max) << op.Name << " " << p.Name;
      }
    }
    if (op.Run == nullptr)
      continue;
    TBitmap b = Pattern(9, 7);
    EXPECT_TRUE(RunImageOp(b, op, SampleArgs(op))) << op.Name;
  }
  EXPECT_EQ(FindImageOp("nothing"), nullptr);
  EXPECT_EQ(FindImageCommand(icNone), nullptr);
}

TEST(ImageOps, DispatcherCodesRunTheirRoutinesWithTheirCaptions) {
  using TRef = std::function<bool(TBitmap *)>;
  const struct {
    TImageCommand Code;
    const char *Caption;
    TRef Reference;
  } cases[] = {
      {icInvert, "Invertieren", InvertBitmap},
      {icGrayScale, "In Graustufen umwandeln", [](TBitmap *b) { return GrayScaleBitmap(b, 7); }},
      {icLighter, "Bild heller machen", [](TBitmap *b) { return LightenBitmap(b, 5); }},
      {icDarker, "Bild dunkler machen", [](TBitmap *b) { return DarkenBitmap(b, 5); }},
      {icMoreContrast, "Mehr Kontrast", [](TBitmap *b) { return ContrastBitmap(b, 5); }},
      {icLessContrast, "Weniger Kontrast", [](TBitmap *b) { return ContrastBitmap(b, -5); }},
      {icRotateLeft, "270° drehen", [](TBitmap *b) { return Rotate180(b) && Rotate90(b); }},
      {icRotateRight, "90° drehen", Rotate90},
      {icRotate180, "180° drehen", Rotate180},
      {icFlipHor, "Horizontal spiegeln", FlipHorizontal},
      {icFlipVert, "Vertikal spiegeln", FlipVertical},
      {icSplitChannels, "", [](TBitmap *) { return true; }},
      {icGrayRed, "Rot in Graustufen umwandeln", [](TBitmap *b) { return GrayScaleBitmap(b, 1); }},
      {icGrayBlue, "Blau in Graustufen umwandeln", [](TBitmap *b) { return GrayScaleBitmap(b, 2); }},
      {icGrayGreen, "Grün in Graustufen umwandeln", [](TBitmap *b) { return GrayScaleBitmap(b, 4); }},
      {icOnlyRed, "Nur roten Kanal anzeigen", KeepRedOnly},
      {icOnlyBlue, "Nur blauen Kanal anzeigen", KeepBlueOnly},
      {icOnlyGreen, "Nur Grünen Kanal anzeigen", KeepGreenOnly},
      {icWithoutRed, "Roten Kanal entfernen", RemoveRed},
      {icWithoutBlue, "Blauen Kanal entfernen", RemoveBlue},
      {icWithoutGreen, "Grünen Kanal entfernen", RemoveGreen},
  };
  ASSERT_EQ(std::size(cases), 21u);
  for (const auto &c : cases) {
    const TImageOp *op = FindImageCommand(c.Code);
    ASSERT_NE(op, nullptr) << int(c.Code);
    EXPECT_EQ(op->Command, c.Code);
    EXPECT_STREQ(op->UndoCaption, c.Caption);
    EXPECT_EQ(op->Format, frConvertFirst) << op->Name;
    TBitmap mine = Pattern(5, 3), theirs = Pattern(5, 3);
    int snapshots = 0;
    ASSERT_TRUE(RunImageCommand(mine, *op, DefaultOpArgs(*op), pf24bit, [&] { ++snapshots; }));
    ASSERT_TRUE(c.Reference(&theirs));
    EXPECT_TRUE(SamePixels(mine, theirs)) << op->Name;
    EXPECT_EQ(snapshots, 1);
  }
}

TEST(ImageOps, DialogsAndImageTypesHaveTheirCaptionsAndOrders) {
  const struct {
    const char *Name, *Caption;
    TFormatRule Format;
  } cases[] = {
      {"SkewBitmap", "Verzerren", frRecordFirst},
      {"ApplyIntensity", "Farbton ändern", frRecordFirst},
      {"ReplaceColor", "Farben ersetzen", frRecordFirst},
      {"ResizeBitmap", "Bildgröße ändern", frRecordFirst},
      {"ChangePaperSize", "Papiergröße ändern", frOwnFormat},
      {"ApplyBrightness", "Helligkeit ändern", frRecordFirst},
      {"ContrastBitmap", "Kontrast ändern", frRecordFirst},
      {"RotateBitmap", "Frei drehen", frRecordFirst},
      {"DrawGradient", "Farbverlauf", frRecordFirst},
      {"FogBitmap", "Milchglaseffekt", frRecordFirst},
      {"BlurBitmap", "Unschärfe", frRecordFirst},
      {"PaletteMapBitmap", "Palette ändern", frRecordFirst},
      {"mnu1bit", "Bildart in 1-bit ändern", frOwnFormat},
      {"mnu16bit", "Bildart in 16-bit ändern", frOwnFormat},
      {"mnu32bit", "Bildart in 32-bit ändern", frOwnFormat},
  };
  for (const auto &c : cases) {
    const TImageOp *op = FindImageOp(c.Name);
    ASSERT_NE(op, nullptr) << c.Name;
    EXPECT_STREQ(op->UndoCaption, c.Caption);
    EXPECT_EQ(op->Format, c.Format) << c.Name;
  }
  // An image-type row sets its own format.
  TBitmap b = Pattern(5, 3);
  const TImageOp &to4 = *FindImageOp("mnu4bit");
  ASSERT_TRUE(RunImageCommand(b, to4, DefaultOpArgs(to4), pf24bit, nullptr));
  EXPECT_EQ(b.PixelFormat(), pf4bit);
}

TEST(ImageOps, WorkingFormatOrdersOnAPaletteImage) {
  const TBitmap original = PaletteImage();
  std::unique_ptr<TBitmap> snapshot;
  auto record = [&](TBitmap &b) { return [&] { snapshot = std::make_unique<TBitmap>(b); }; };

  // Dispatcher: the snapshot is the 24-bit raster with the 8-bit image's
  // colours; the result is 8-bit again.
  TBitmap doc = original;
  ASSERT_TRUE(RunImageCommand(doc, *FindImageCommand(icInvert), {}, pf8bit, record(doc)));
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(snapshot->PixelFormat(), pf24bit);
  EXPECT_TRUE(SameColors(*snapshot, original));
  EXPECT_EQ(doc.PixelFormat(), pf8bit);
  EXPECT_FALSE(SameColors(doc, original));

  // Dialog: the snapshot keeps the 8-bit raster itself; the result takes the
  // document's image type even when the raster was left in another format.
  const TImageOp &contrast = *FindImageOp("ContrastBitmap");
  doc = original;
  ASSERT_TRUE(RunImageCommand(doc, contrast, DefaultOpArgs(contrast), pf8bit, record(doc)));
  EXPECT_TRUE(SamePixels(*snapshot, original));
  EXPECT_EQ(snapshot->Palette(), original.Palette());
  EXPECT_EQ(doc.PixelFormat(), pf8bit);
  TBitmap left24 = original;
  left24.SetPixelFormat(pf24bit);
  ASSERT_TRUE(RunImageCommand(left24, contrast, DefaultOpArgs(contrast), pf8bit, nullptr));
  EXPECT_EQ(left24.PixelFormat(), pf8bit);

  // The dispatcher returns to the raster's own format, whatever the type.
  TBitmap deep = Pattern(6, 4);
  deep.SetPixelFormat(pf32bit);
  ASSERT_TRUE(RunImageCommand(deep, *FindImageCommand(icRotateRight), {}, pf24bit, nullptr));
  EXPECT_EQ(deep.PixelFormat(), pf32bit);
  EXPECT_EQ(deep.Width(), 4);

  // Own format: no conversion at all, so the palette stays exactly.
  const TImageOp &paper = *FindImageOp("ChangePaperSize");
  doc = original;
  TOpArgs args = SampleArgs(paper);
  ASSERT_TRUE(RunImageCommand(doc, paper, args, pf8bit, record(doc)));
  EXPECT_TRUE(SamePixels(*snapshot, original));
  EXPECT_EQ(doc.PixelFormat(), pf8bit);
  EXPECT_EQ(doc.Palette(), original.Palette());

  // The channel split runs no routine: its documents are made where the
  // undo step would be, from the 24-bit raster.
  doc = original;
  TBitmap red, green, blue;
  bool split = false;
  ASSERT_TRUE(RunImageCommand(doc, *FindImageCommand(icSplitChannels), {}, pf8bit,
                              [&] { split = SplitChannels(&doc, red, green, blue); }));
  EXPECT_TRUE(split);
  EXPECT_EQ(red.PixelFormat(), pf24bit);
  EXPECT_EQ(doc.PixelFormat(), pf8bit);

  // tessaro-cli's way: into pf24bit and left there.
  doc = original;
  ASSERT_TRUE(RunImageOp(doc, *FindImageOp("InvertBitmap"), {}));
  EXPECT_EQ(doc.PixelFormat(), pf24bit);
}
