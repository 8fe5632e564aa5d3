// tessaro-cli apply IN OUT OP...: runs image operations in order, each
// written as its routine's name with its arguments after the bitmap, e.g.
// ContrastBitmap(-5) or RotateBitmap(true,#FFFFFF,30,-1,-1).
#include "cli/Cli.h"
#include "core/Canvas.h"
#include "ops/LUMGraphics.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace tessaro::cli {

namespace {

enum TArgKind { akInt, akByte, akFloat, akBool, akColor, akFilter, akFormat, akFile };

struct TArg {
  long long Int = 0;
  float Float = 0;
  bool Bool = false;
  TColor Color = 0;
  std::string Text;
};

struct TOpContext {
  TBitmap &Bitmap;
  const std::vector<TArg> &Args;
  std::string Error;
};

struct TOpDef {
  const char *Name;
  std::vector<TArgKind> Kinds;
  const char *Signature;
  bool OwnFormat; // works in the document's own pixel format
  std::function<bool(TOpContext &)> Run;
};

const char *KindName(TArgKind k) {
  switch (k) {
  case akInt:
    return "ganze Zahl";
  case akByte:
    return "Zahl 0..255";
  case akFloat:
    return "Dezimalzahl";
  case akBool:
    return "true oder false";
  case akColor:
    return "Farbe ($00BBGGRR oder #RRGGBB)";
  case akFilter:
    return "sftNearest, sftLinear, sftSpline, sftLanczos oder sftMitchell";
  case akFormat:
    return "pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit oder pf32bit";
  default:
    return "Bilddatei";
  }
}

bool ParseIntText(const std::string &s, long long &v) {
  if (s.empty())
    return false;
  errno = 0;
  char *end = nullptr;
  v = std::strtoll(s.c_str(), &end, 10);
  return errno == 0 && end != nullptr && *end == '\0';
}

bool ParseFloatText(const std::string &s, float &v) {
  if (s.empty() || std::isspace(static_cast<unsigned char>(s[0])))
    return false;
  char *end = nullptr;
  double d = std::strtod(s.c_str(), &end);
  if (end == nullptr || *end != '\0' || !std::isfinite(d) || std::fabs(d) > 1e30)
    return false;
  v = float(d);
  return true;
}

bool ParseArg(TArgKind kind, const std::string &text, TArg &arg) {
  arg.Text = text;
  switch (kind) {
  case akInt:
    return ParseIntText(text, arg.Int) && arg.Int >= -2147483647LL && arg.Int <= 2147483647LL;
  case akByte:
    return ParseIntText(text, arg.Int) && arg.Int >= 0 && arg.Int <= 255;
  case akFloat:
    return ParseFloatText(text, arg.Float);
  case akBool:
    if (text == "true" || text == "false") {
      arg.Bool = text == "true";
      return true;
    }
    return false;
  case akColor:
    return ParseColor(text, arg.Color);
  case akFilter: {
    const char *names[] = {"sftNearest", "sftLinear", "sftSpline", "sftLanczos", "sftMitchell"};
    for (int i = 0; i < 5; ++i)
      if (text == names[i]) {
        arg.Int = i;
        return true;
      }
    return false;
  }
  case akFormat:
    for (int i = pf1bit; i <= pf32bit; ++i)
      if (text == PixelFormatName(TPixelFormat(i))) {
        arg.Int = i;
        return true;
      }
    return false;
  default:
    return !text.empty();
  }
}

uint8_t B(const TArg &a) {
  return uint8_t(a.Int);
}
int I(const TArg &a) {
  return int(a.Int);
}

// Loads the second image of TransparentCopy and BlendDraw as pf24bit.
bool LoadSecond(TOpContext &c, const std::string &path, TBitmap &bmp) {
  if (!LoadCliImage(path, bmp, c.Error))
    return false;
  bmp.SetPixelFormat(pf24bit);
  return true;
}

const std::vector<TOpDef> &Ops() {
  using K = std::vector<TArgKind>;
  static const std::vector<TOpDef> ops = {
      {"InvertBitmap", K{}, "", false, [](TOpContext &c) { return InvertBitmap(&c.Bitmap); }},
      {"GrayScaleBitmap", K{akByte}, "Channels (1 red, 2 blue, 4 green)", false,
       [](TOpContext &c) { return GrayScaleBitmap(&c.Bitmap, B(c.Args[0])); }},
      {"LightenBitmap", K{akByte}, "Step", false,
       [](TOpContext &c) { return LightenBitmap(&c.Bitmap, B(c.Args[0])); }},
      {"DarkenBitmap", K{akByte}, "Step", false,
       [](TOpContext &c) { return DarkenBitmap(&c.Bitmap, B(c.Args[0])); }},
      {"ContrastBitmap", K{akInt}, "Amount -255..255", false,
       [](TOpContext &c) { return ContrastBitmap(&c.Bitmap, I(c.Args[0])); }},
      {"KeepRedOnly", K{}, "", false, [](TOpContext &c) { return KeepRedOnly(&c.Bitmap); }},
      {"KeepGreenOnly", K{}, "", false, [](TOpContext &c) { return KeepGreenOnly(&c.Bitmap); }},
      {"KeepBlueOnly", K{}, "", false, [](TOpContext &c) { return KeepBlueOnly(&c.Bitmap); }},
      {"RemoveRed", K{}, "", false, [](TOpContext &c) { return RemoveRed(&c.Bitmap); }},
      {"RemoveGreen", K{}, "", false, [](TOpContext &c) { return RemoveGreen(&c.Bitmap); }},
      {"RemoveBlue", K{}, "", false, [](TOpContext &c) { return RemoveBlue(&c.Bitmap); }},
      {"Rotate90", K{}, "", false, [](TOpContext &c) { return Rotate90(&c.Bitmap); }},
      {"Rotate180", K{}, "", false, [](TOpContext &c) { return Rotate180(&c.Bitmap); }},
      {"FlipHorizontal", K{}, "", false, [](TOpContext &c) { return FlipHorizontal(&c.Bitmap); }},
      {"FlipVertical", K{}, "", false, [](TOpContext &c) { return FlipVertical(&c.Bitmap); }},
      {"RotateBitmap", K{akBool, akColor, akFloat, akFloat, akFloat}, "ResizePaper,FillColor,Angle,Cx,Cy",
       false,
       [](TOpContext &c) {
         return RotateBitmap(&c.Bitmap, c.Args[0].Bool, c.Args[1].Color, c.Args[2].Float, c.Args[3].Float,
                             c.Args[4].Float);
       }},
      {"SkewBitmap", K{akColor, akFloat, akFloat}, "FillColor,Fx,Fy", false,
       [](TOpContext &c) {
         return SkewBitmap(&c.Bitmap, c.Args[0].Color, c.Args[1].Float, c.Args[2].Float);
       }},
      {"ResizeBitmap", K{akFilter, akColor, akFloat, akFloat}, "Filter,FillColor,PercentX,PercentY", false,
       [](TOpContext &c) {
         return ResizeBitmap(&c.Bitmap, TStretchFilter(c.Args[0].Int), c.Args[1].Color, c.Args[2].Float,
                             c.Args[3].Float);
       }},
      {"ChangePaperSize", K{akInt, akInt, akInt, akColor}, "NewWidth,NewHeight,Anchor 0..8,PaperColor", true,
       [](TOpContext &c) {
         return ChangePaperSize(&c.Bitmap, I(c.Args[0]), I(c.Args[1]), I(c.Args[2]), c.Args[3].Color);
       }},
      {"ChangeRed", K{akByte, akByte}, "Value,Mode (0 set, 1 add, 2 subtract)", false,
       [](TOpContext &c) { return ChangeRed(&c.Bitmap, B(c.Args[0]), B(c.Args[1])); }},
      {"ChangeGreen", K{akByte, akByte}, "Value,Mode", false,
       [](TOpContext &c) { return ChangeGreen(&c.Bitmap, B(c.Args[0]), B(c.Args[1])); }},
      {"ChangeBlue", K{akByte, akByte}, "Value,Mode", false,
       [](TOpContext &c) { return ChangeBlue(&c.Bitmap, B(c.Args[0]), B(c.Args[1])); }},
      {"ApplyBrightness", K{akInt}, "Amount -255..255", false,
       [](TOpContext &c) { return ApplyBrightness(&c.Bitmap, I(c.Args[0])); }},
      {"ApplyIntensity", K{akInt, akInt, akInt}, "Red,Green,Blue (-255..255 each)", false,
       [](TOpContext &c) { return ApplyIntensity(&c.Bitmap, I(c.Args[0]), I(c.Args[1]), I(c.Args[2])); }},
      {"TransparentCopy", K{akFile, akInt, akInt, akColor, akBool}, "SourceFile,X,Y,TranspColor,Transparent",
       false,
       [](TOpContext &c) {
         TBitmap src;
         return LoadSecond(c, c.Args[0].Text, src) &&
                TransparentCopy(&src, &c.Bitmap, I(c.Args[1]), I(c.Args[2]), c.Args[3].Color, c.Args[4].Bool);
       }},
      {"BlendDraw", K{akFile, akInt, akInt, akByte}, "SourceFile,X,Y,Alpha", false,
       [](TOpContext &c) {
         TBitmap src;
         return LoadSecond(c, c.Args[0].Text, src) &&
                BlendDraw(&c.Bitmap, &src, I(c.Args[1]), I(c.Args[2]), B(c.Args[3]));
       }},
      {"GradientFill", K{akColor, akColor, akInt, akInt, akByte, akInt, akInt},
       "StartColor,EndColor,Width,Height,Orientation (1 rows, 0 columns),X,Y", false,
       [](TOpContext &c) {
         GradientFill(c.Args[0].Color, c.Args[1].Color, c.Bitmap.Canvas(), I(c.Args[2]), I(c.Args[3]),
                      B(c.Args[4]), I(c.Args[5]), I(c.Args[6]));
         return true;
       }},
      {"FogBitmap", K{akColor, akByte}, "Color,Amount (255 keeps the image, 0 gives the fog colour)", false,
       [](TOpContext &c) { return FogBitmap(&c.Bitmap, c.Args[0].Color, B(c.Args[1])); }},
      {"BlurBitmap", K{akFloat}, "Radius", false,
       [](TOpContext &c) { return BlurBitmap(&c.Bitmap, c.Args[0].Float); }},
      {"PaletteMapBitmap", K{akByte, akByte, akBool, akFloat, akFloat, akFloat},
       "Conversion 0..5,Standard 0..3,UseCustom,H,S,L", false,
       [](TOpContext &c) {
         return PaletteMapBitmap(&c.Bitmap, B(c.Args[0]), B(c.Args[1]), c.Args[2].Bool, c.Args[3].Float,
                                 c.Args[4].Float, c.Args[5].Float);
       }},
      {"PixelFormat", K{akFormat}, "pf1bit..pf32bit", true,
       [](TOpContext &c) {
         c.Bitmap.SetPixelFormat(TPixelFormat(c.Args[0].Int));
         return true;
       }},
  };
  return ops;
}

struct TParsedOp {
  const TOpDef *Def = nullptr;
  std::vector<TArg> Args;
  std::string Text;
};

std::string Trim(const std::string &s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool ParseOp(const std::string &text, TParsedOp &op, std::string &error) {
  op.Text = text;
  std::string t = Trim(text), name = t, inner;
  bool hasParens = false;
  const size_t open = t.find('(');
  if (open != std::string::npos) {
    if (t.back() != ')') {
      error = "Operation \"" + text + "\": schließende Klammer fehlt.";
      return false;
    }
    name = Trim(t.substr(0, open));
    inner = t.substr(open + 1, t.size() - open - 2);
    hasParens = true;
  }
  for (const TOpDef &d : Ops())
    if (name == d.Name)
      op.Def = &d;
  if (op.Def == nullptr) {
    error = "Unbekannte Operation \"" + name + "\" (siehe --help).";
    return false;
  }
  std::vector<std::string> parts;
  if (hasParens && !Trim(inner).empty()) {
    size_t start = 0;
    while (true) {
      size_t comma = inner.find(',', start);
      parts.push_back(
          Trim(inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
      if (comma == std::string::npos)
        break;
      start = comma + 1;
    }
  }
  const std::string usage = std::string(op.Def->Name) + "(" + op.Def->Signature + ")";
  if (parts.size() != op.Def->Kinds.size()) {
    error = "Operation \"" + text + "\": erwartet " + std::to_string(op.Def->Kinds.size()) +
            " Argument(e): " + usage + ".";
    return false;
  }
  op.Args.resize(parts.size());
  for (size_t i = 0; i < parts.size(); ++i)
    if (!ParseArg(op.Def->Kinds[i], parts[i], op.Args[i])) {
      error = "Operation \"" + text + "\": Argument " + std::to_string(i + 1) + " (\"" + parts[i] +
              "\") ist keine gültige Angabe (" + KindName(op.Def->Kinds[i]) + "): " + usage + ".";
      return false;
    }
  return true;
}

std::string OpsHelp() {
  std::string h = "Run image operations on IN in the order given and write the result to OUT.\n"
                  "Each OP is a routine's name with its arguments after the bitmap in parentheses,\n"
                  "separated by commas, e.g. ContrastBitmap(-5), GrayScaleBitmap(7),\n"
                  "RotateBitmap(true,#FFFFFF,30,-1,-1), ResizeBitmap(sftLinear,#FFFFFF,50,50).\n"
                  "Colours: $00BBGGRR or #RRGGBB; Booleans: true or false; decimals with a point;\n"
                  "filters and pixel formats by their names. The image is brought into pf24bit\n"
                  "before each operation except those marked [own format]; the result is written\n"
                  "in the pixel format it has after the last operation.\nOperations:\n";
  for (const TOpDef &d : Ops()) {
    h += "  ";
    h += d.Name;
    if (!d.Kinds.empty())
      h += std::string("(") + d.Signature + ")";
    if (d.OwnFormat)
      h += " [own format]";
    h += "\n";
  }
  return h;
}

} // namespace

void RegisterApplyCommand(CLI::App &app, int &exitCode) {
  auto *cmd = app.add_subcommand("apply", OpsHelp());
  struct TArgs {
    std::string In, Out;
    std::vector<std::string> Ops;
    TSaveOptions Options;
  };
  auto args = std::make_shared<TArgs>();
  cmd->add_option("IN", args->In, "Input image")->required();
  cmd->add_option("OUT", args->Out, "Output image")->required();
  cmd->add_option("OP", args->Ops, "Operations, run in order")->required();
  cmd->add_option("--quality", args->Options.JpegQuality, "JPEG quality 1..100 (default 90)");
  cmd->add_flag("--progressive", args->Options.JpegProgressive, "Write a progressive JPEG");
  cmd->callback([args, &exitCode] {
    exitCode = 1;
    // Every operation is checked before anything is read or written.
    std::vector<TParsedOp> ops(args->Ops.size());
    std::string error;
    for (size_t i = 0; i < ops.size(); ++i)
      if (!ParseOp(args->Ops[i], ops[i], error)) {
        PrintError(error);
        return;
      }
    TBitmap bmp;
    if (!LoadCliImage(args->In, bmp, error)) {
      PrintError(error);
      return;
    }
    try {
      for (const TParsedOp &op : ops) {
        if (!op.Def->OwnFormat && bmp.PixelFormat() != pf24bit)
          bmp.SetPixelFormat(pf24bit);
        TOpContext context{bmp, op.Args, {}};
        if (!op.Def->Run(context)) {
          PrintError(context.Error.empty() ? "Operation \"" + op.Text + "\" ist fehlgeschlagen (" +
                                                 op.Def->Name + "(" + op.Def->Signature + "))."
                                           : context.Error);
          return;
        }
      }
    } catch (const std::bad_alloc &) {
      PrintError("Nicht genügend Speicher für das Ergebnis.");
      return;
    }
    if (!SaveCliImage(args->Out, bmp, args->Options, error)) {
      PrintError(error);
      return;
    }
    exitCode = 0;
  });
}

} // namespace tessaro::cli
