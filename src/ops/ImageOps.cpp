// The table of image operations.
#include "ops/ImageOps.h"

#include "core/Canvas.h"
#include "ops/LUMGraphics.h"

namespace tessaro {

namespace {

uint8_t B(const TOpArg &a) {
  return uint8_t(a.Int);
}
int I(const TOpArg &a) {
  return int(a.Int);
}

// Routines that several rows run with different values.
bool RunGrayScale(TBitmap &b, const TOpArgs &a) {
  return GrayScaleBitmap(&b, B(a[0]));
}
bool RunContrast(TBitmap &b, const TOpArgs &a) {
  return ContrastBitmap(&b, I(a[0]));
}
bool RunPixelFormat(TBitmap &b, const TOpArgs &a) {
  b.SetPixelFormat(TPixelFormat(a[0].Int));
  return true;
}

std::vector<TImageOp> MakeImageOps() {
  const TOpParam amount{"Amount", akInt, "0", -255, 255};
  const TOpParam paperColor{"FillColor", akColor};
  const TOpParam channelValue{"Value", akByte}, channelMode{"Mode", akByte, nullptr, 0, 2};
  // One row per operation: name, dispatcher code, undo caption, format rule,
  // parameters, tessaro-cli's argument text, routine.
  // clang-format off
  return {
      // The routines of tessaro-cli, in the order of its help.
      {"InvertBitmap", icInvert, "Invertieren", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return InvertBitmap(&b); }},
      {"GrayScaleBitmap", icGrayScale, "In Graustufen umwandeln", frConvertFirst,
       {{"Channels", akByte, "7", 0, 7}}, "Channels (1 red, 2 blue, 4 green)", RunGrayScale},
      {"LightenBitmap", icLighter, "Bild heller machen", frConvertFirst, {{"Step", akByte, "5"}}, "Step",
       [](TBitmap &b, const TOpArgs &a) { return LightenBitmap(&b, B(a[0])); }},
      {"DarkenBitmap", icDarker, "Bild dunkler machen", frConvertFirst, {{"Step", akByte, "5"}}, "Step",
       [](TBitmap &b, const TOpArgs &a) { return DarkenBitmap(&b, B(a[0])); }},
      {"ContrastBitmap", icNone, "Kontrast ändern", frRecordFirst, {amount}, "Amount -255..255", RunContrast},
      {"KeepRedOnly", icOnlyRed, "Nur roten Kanal anzeigen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return KeepRedOnly(&b); }},
      {"KeepGreenOnly", icOnlyGreen, "Nur Grünen Kanal anzeigen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return KeepGreenOnly(&b); }},
      {"KeepBlueOnly", icOnlyBlue, "Nur blauen Kanal anzeigen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return KeepBlueOnly(&b); }},
      {"RemoveRed", icWithoutRed, "Roten Kanal entfernen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return RemoveRed(&b); }},
      {"RemoveGreen", icWithoutGreen, "Grünen Kanal entfernen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return RemoveGreen(&b); }},
      {"RemoveBlue", icWithoutBlue, "Blauen Kanal entfernen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return RemoveBlue(&b); }},
      {"Rotate90", icRotateRight, "90° drehen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return Rotate90(&b); }},
      {"Rotate180", icRotate180, "180° drehen", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return Rotate180(&b); }},
      {"FlipHorizontal", icFlipHor, "Horizontal spiegeln", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return FlipHorizontal(&b); }},
      {"FlipVertical", icFlipVert, "Vertikal spiegeln", frConvertFirst, {}, "",
       [](TBitmap &b, const TOpArgs &) { return FlipVertical(&b); }},
      {"RotateBitmap", icNone, "Frei drehen", frRecordFirst,
       {{"ResizePaper", akBool, "true"}, paperColor, {"Angle", akFloat, "0", 0, 360}, {"Cx", akFloat, "-1"},
        {"Cy", akFloat, "-1"}},
       "ResizePaper,FillColor,Angle,Cx,Cy",
       [](TBitmap &b, const TOpArgs &a) {
         return RotateBitmap(&b, a[0].Bool, a[1].Color, a[2].Float, a[3].Float, a[4].Float);
       }},
      {"SkewBitmap", icNone, "Verzerren", frRecordFirst,
       {paperColor, {"Fx", akFloat, "0", -2, 2}, {"Fy", akFloat, "0", -2, 2}}, "FillColor,Fx,Fy",
       [](TBitmap &b, const TOpArgs &a) { return SkewBitmap(&b, a[0].Color, a[1].Float, a[2].Float); }},
      {"ResizeBitmap", icNone, "Bildgröße ändern", frRecordFirst,
       {{"Filter", akFilter, "sftLinear"}, paperColor, {"PercentX", akFloat, "100"},
        {"PercentY", akFloat, "100"}},
       "Filter,FillColor,PercentX,PercentY",
       [](TBitmap &b, const TOpArgs &a) {
         return ResizeBitmap(&b, TStretchFilter(a[0].Int), a[1].Color, a[2].Float, a[3].Float);
       }},
      {"ChangePaperSize", icNone, "Papiergröße ändern", frOwnFormat,
       {{"NewWidth", akInt}, {"NewHeight", akInt}, {"Anchor", akInt, "0", 0, 8}, {"PaperColor", akColor}},
       "NewWidth,NewHeight,Anchor 0..8,PaperColor",
       [](TBitmap &b, const TOpArgs &a) {
         return ChangePaperSize(&b, I(a[0]), I(a[1]), I(a[2]), a[3].Color);
       }},
      {"ChangeRed", icNone, "", frWorking, {channelValue, channelMode},
       "Value,Mode (0 set, 1 add, 2 subtract)",
       [](TBitmap &b, const TOpArgs &a) { return ChangeRed(&b, B(a[0]), B(a[1])); }},
      {"ChangeGreen", icNone, "", frWorking, {channelValue, channelMode}, "Value,Mode",
       [](TBitmap &b, const TOpArgs &a) { return ChangeGreen(&b, B(a[0]), B(a[1])); }},
      {"ChangeBlue", icNone, "", frWorking, {channelValue, channelMode}, "Value,Mode",
       [](TBitmap &b, const TOpArgs &a) { return ChangeBlue(&b, B(a[0]), B(a[1])); }},
      {"ApplyBrightness", icNone, "Helligkeit ändern", frRecordFirst, {amount}, "Amount -255..255",
       [](TBitmap &b, const TOpArgs &a) { return ApplyBrightness(&b, I(a[0])); }},
      {"ApplyIntensity", icNone, "Farbton ändern", frRecordFirst,
       {{"Red", akInt, "0", -255, 255}, {"Green", akInt, "0", -255, 255}, {"Blue", akInt, "0", -255, 255}},
       "Red,Green,Blue (-255..255 each)",
       [](TBitmap &b, const TOpArgs &a) { return ApplyIntensity(&b, I(a[0]), I(a[1]), I(a[2])); }},
      {"TransparentCopy", icNone, "", frWorking,
       {{"SourceFile", akFile}, {"X", akInt}, {"Y", akInt}, {"TranspColor", akColor},
        {"Transparent", akBool}},
       "SourceFile,X,Y,TranspColor,Transparent",
       [](TBitmap &b, const TOpArgs &a) {
         return a[0].Image && TransparentCopy(a[0].Image.get(), &b, I(a[1]), I(a[2]), a[3].Color, a[4].Bool);
       }},
      {"BlendDraw", icNone, "", frWorking,
       {{"SourceFile", akFile}, {"X", akInt}, {"Y", akInt}, {"Alpha", akByte}}, "SourceFile,X,Y,Alpha",
       [](TBitmap &b, const TOpArgs &a) {
         return a[0].Image && BlendDraw(&b, a[0].Image.get(), I(a[1]), I(a[2]), B(a[3]));
       }},
      {"GradientFill", icNone, "", frWorking,
       {{"StartColor", akColor}, {"EndColor", akColor}, {"Width", akInt}, {"Height", akInt},
        {"Orientation", akByte, nullptr, 0, 1}, {"X", akInt}, {"Y", akInt}},
       "StartColor,EndColor,Width,Height,Orientation (1 rows, 0 columns),X,Y",
       [](TBitmap &b, const TOpArgs &a) {
         GradientFill(a[0].Color, a[1].Color, b.Canvas(), I(a[2]), I(a[3]), B(a[4]), I(a[5]), I(a[6]));
         return true;
       }},
      {"FogBitmap", icNone, "Milchglaseffekt", frRecordFirst,
       {{"Color", akColor, "#FFFFFF"}, {"Amount", akByte, "255"}},
       "Color,Amount (255 keeps the image, 0 gives the fog colour)",
       [](TBitmap &b, const TOpArgs &a) { return FogBitmap(&b, a[0].Color, B(a[1])); }},
      {"BlurBitmap", icNone, "Unschärfe", frRecordFirst, {{"Radius", akFloat, "1", 0, 99}}, "Radius",
       [](TBitmap &b, const TOpArgs &a) { return BlurBitmap(&b, a[0].Float); }},
      {"PaletteMapBitmap", icNone, "Palette ändern", frRecordFirst,
       {{"Conversion", akByte, "5", 0, 5}, {"Standard", akByte, "3", 0, 3}, {"UseCustom", akBool, "false"},
        {"H", akFloat, "0", -2, 2}, {"S", akFloat, "0", -2, 2}, {"L", akFloat, "1", -2, 2}},
       "Conversion 0..5,Standard 0..3,UseCustom,H,S,L",
       [](TBitmap &b, const TOpArgs &a) {
         return PaletteMapBitmap(&b, B(a[0]), B(a[1]), a[2].Bool, a[3].Float, a[4].Float, a[5].Float);
       }},
      {"PixelFormat", icNone, "", frOwnFormat, {{"Format", akFormat}}, "pf1bit..pf32bit", RunPixelFormat},

      // What only the menu runs: the dispatcher's commands that bind other
      // values or routines,
      {"icGrayRed", icGrayRed, "Rot in Graustufen umwandeln", frConvertFirst,
       {{"Channels", akByte, "1", 0, 7}}, nullptr, RunGrayScale},
      {"icGrayBlue", icGrayBlue, "Blau in Graustufen umwandeln", frConvertFirst,
       {{"Channels", akByte, "2", 0, 7}}, nullptr, RunGrayScale},
      {"icGrayGreen", icGrayGreen, "Grün in Graustufen umwandeln", frConvertFirst,
       {{"Channels", akByte, "4", 0, 7}}, nullptr, RunGrayScale},
      {"icMoreContrast", icMoreContrast, "Mehr Kontrast", frConvertFirst,
       {{"Amount", akInt, "5", -255, 255}}, nullptr, RunContrast},
      {"icLessContrast", icLessContrast, "Weniger Kontrast", frConvertFirst,
       {{"Amount", akInt, "-5", -255, 255}}, nullptr, RunContrast},
      {"icRotateLeft", icRotateLeft, "270° drehen", frConvertFirst, {}, nullptr,
       [](TBitmap &b, const TOpArgs &) { return Rotate180(&b) && Rotate90(&b); }},
      {"icSplitChannels", icSplitChannels, "", frConvertFirst, {}, nullptr, nullptr},
      // the dialogs without a routine of tessaro-cli,
      {"ReplaceColor", icNone, "Farben ersetzen", frRecordFirst,
       {{"OldColor", akColor, "#FFFFFF"}, {"NewColor", akColor, "#FFFFFF"}}, nullptr,
       [](TBitmap &b, const TOpArgs &a) { return ReplaceColor(&b, a[0].Color, a[1].Color); }},
      {"DrawGradient", icNone, "Farbverlauf", frRecordFirst,
       {{"StartColor", akColor, "$0000FFFF"}, {"EndColor", akColor, "$00FFFF00"},
        {"Orientation", akByte, "1", 0, 1}, {"Width", akInt}, {"Height", akInt}, {"X", akInt, "0"},
        {"Y", akInt, "0"}, {"Transparency", akInt, "0", 0, 100}},
       nullptr,
       [](TBitmap &b, const TOpArgs &a) {
         return DrawGradient(&b, a[0].Color, a[1].Color, B(a[2]), I(a[3]), I(a[4]), I(a[5]), I(a[6]),
                             I(a[7]));
       }},
      // and the image types.
      {"mnu1bit", icNone, "Bildart in 1-bit ändern", frOwnFormat, {{"Format", akFormat, "pf1bit"}},
       nullptr, RunPixelFormat},
      {"mnu4bit", icNone, "Bildart in 4-bit ändern", frOwnFormat, {{"Format", akFormat, "pf4bit"}},
       nullptr, RunPixelFormat},
      {"mnu8bit", icNone, "Bildart in 8-bit ändern", frOwnFormat, {{"Format", akFormat, "pf8bit"}},
       nullptr, RunPixelFormat},
      {"mnu15bit", icNone, "Bildart in 15-bit ändern", frOwnFormat, {{"Format", akFormat, "pf15bit"}},
       nullptr, RunPixelFormat},
      {"mnu16bit", icNone, "Bildart in 16-bit ändern", frOwnFormat, {{"Format", akFormat, "pf16bit"}},
       nullptr, RunPixelFormat},
      {"mnu24bit", icNone, "Bildart in 24-bit ändern", frOwnFormat, {{"Format", akFormat, "pf24bit"}},
       nullptr, RunPixelFormat},
      {"mnu32bit", icNone, "Bildart in 32-bit ändern", frOwnFormat, {{"Format", akFormat, "pf32bit"}},
       nullptr, RunPixelFormat},
  };
  // clang-format on
}

} // namespace

const std::vector<TImageOp> &ImageOps() {
  static const std::vector<TImageOp> ops = MakeImageOps();
  return ops;
}

const TImageOp *FindImageOp(std::string_view name) {
  for (const TImageOp &op : ImageOps())
    if (name == op.Name)
      return &op;
  return nullptr;
}

const TImageOp *FindImageCommand(TImageCommand command) {
  if (command == icNone)
    return nullptr;
  for (const TImageOp &op : ImageOps())
    if (op.Command == command)
      return &op;
  return nullptr;
}

} // namespace tessaro
