// tessaro-cli draw: runs a script of canvas statements on a new or loaded
// image and writes the result. The whole script is checked before anything
// is drawn; on any error nothing is written.
#include "cli/Cli.h"

#include "core/Canvas.h"
#include "platform/text/QtTextRasterizer.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro::cli {

namespace {

struct TStatement {
  int Line = 0;
  bool HasName = false;
  std::string Name;
  std::vector<std::string> Args;
};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// Splits the script into statements (";" or new line outside quotes) and
// each statement into words; double quotes group words, \" and \\ escape.
bool Tokenize(const std::string &script, std::vector<TStatement> &out, std::string &error) {
  TStatement cur;
  std::string word;
  bool inWord = false, inQuote = false;
  int line = 1, quoteLine = 1;
  cur.Line = 1;
  auto endWord = [&] {
    if (inWord) {
      if (!cur.HasName) {
        cur.Name = word;
        cur.HasName = true;
      } else
        cur.Args.push_back(word);
    }
    word.clear();
    inWord = false;
  };
  auto endStatement = [&](int nextLine) {
    endWord();
    if (cur.HasName)
      out.push_back(cur);
    cur = TStatement();
    cur.Line = nextLine;
  };
  for (size_t i = 0; i < script.size(); ++i) {
    char ch = script[i];
    if (inQuote) {
      if (ch == '\\' && i + 1 < script.size() && (script[i + 1] == '"' || script[i + 1] == '\\')) {
        word += script[++i];
      } else if (ch == '"') {
        inQuote = false;
      } else {
        if (ch == '\n')
          ++line;
        word += ch;
      }
      continue;
    }
    if (ch == '"') {
      inQuote = true;
      inWord = true;
      quoteLine = line;
    } else if (ch == '\n') {
      ++line;
      endStatement(line);
    } else if (ch == ';') {
      endStatement(line);
    } else if (ch == ' ' || ch == '\t' || ch == '\r') {
      endWord();
    } else {
      word += ch;
      inWord = true;
    }
  }
  if (inQuote) {
    error = "Zeile " + std::to_string(quoteLine) + ": Anführungszeichen nicht geschlossen.";
    return false;
  }
  endStatement(line);
  return true;
}

bool ParseInt(const std::string &s, int &v) {
  const char *b = s.data(), *e = s.data() + s.size();
  if (b != e && *b == '+')
    ++b;
  auto [p, ec] = std::from_chars(b, e, v);
  return ec == std::errc() && p == e && b != e;
}

bool ParseHex(std::string s, uint32_t &v) {
  if (!s.empty() && s[0] == '$')
    s = s.substr(1);
  else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    s = s.substr(2);
  if (s.empty() || s.size() > 8)
    return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  return ec == std::errc() && p == s.data() + s.size();
}

template <class T> bool ParseEnum(const std::string &s, const std::vector<std::string> &names, T &v) {
  for (size_t i = 0; i < names.size(); ++i)
    if (Lower(names[i]) == Lower(s)) {
      v = T(i);
      return true;
    }
  return false;
}

const std::vector<std::string> PenStyleNames = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                                "psDashDotDot", "psClear", "psInsideFrame"};
const std::vector<std::string> PenModeNames = {
    "pmBlack",       "pmWhite",      "pmNop",         "pmNot",        "pmCopy",  "pmNotCopy",
    "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
    "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
const std::vector<std::string> BrushStyleNames = {"bsSolid",    "bsClear",     "bsHorizontal",
                                                  "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                  "bsCross",    "bsDiagCross"};

// Number of integer arguments of the plain geometric statements; -1 for an
// even count of at least two points' worth (point lists).
const std::map<std::string, int> &GeometryArity() {
  static const std::map<std::string, int> m = {{"moveto", 2},      {"lineto", 2},   {"polyline", -1},
                                               {"polybezier", -1}, {"polygon", -1}, {"rectangle", 4},
                                               {"roundrect", 6},   {"ellipse", 4},  {"arc", 8},
                                               {"chord", 8},       {"pie", 8},      {"copyrect", 8}};
  return m;
}

// The statement checked and ready to run.
struct TCommand {
  int Line = 0;
  std::string Name;
  std::vector<int> Ints;
  std::vector<TColor> Colors;
  std::string Text;
  // pen / brush / font settings: which keys were given
  std::map<std::string, std::string> Keys;
};

class TScriptError {
public:
  std::string Message;
};

[[noreturn]] void Fail(int line, const std::string &what) {
  throw TScriptError{"Zeile " + std::to_string(line) + ": " + what};
}

int IntArg(const TStatement &st, size_t i) {
  int v = 0;
  if (!ParseInt(st.Args[i], v))
    Fail(st.Line, "\"" + st.Args[i] + "\" ist keine ganze Zahl.");
  return v;
}

TColor ColorArg(int line, const std::string &s) {
  TColor c = 0;
  if (!ParseColor(s, c))
    Fail(line, "\"" + s + "\" ist keine Farbe ($00BBGGRR oder #RRGGBB).");
  return c;
}

void CheckCount(const TStatement &st, size_t n) {
  if (st.Args.size() != n)
    Fail(st.Line, st.Name + " erwartet " + std::to_string(n) + " Angaben, nicht " +
                      std::to_string(st.Args.size()) + ".");
}

TCommand Check(const TStatement &st) {
  TCommand cmd;
  cmd.Line = st.Line;
  cmd.Name = Lower(st.Name);
  const std::string &n = cmd.Name;
  auto geo = GeometryArity().find(n);
  if (geo != GeometryArity().end()) {
    if (geo->second >= 0) {
      CheckCount(st, size_t(geo->second));
    } else if (st.Args.size() % 2 != 0) {
      Fail(st.Line, n + " erwartet Paare von Koordinaten.");
    }
    for (size_t i = 0; i < st.Args.size(); ++i)
      cmd.Ints.push_back(IntArg(st, i));
    return cmd;
  }
  if (n == "pen" || n == "brush" || n == "font") {
    static const std::map<std::string, std::vector<std::string>> allowed = {
        {"pen", {"color", "width", "style", "mode"}},
        {"brush", {"color", "style"}},
        {"font", {"name", "size", "color", "style"}}};
    const auto &keys = allowed.at(n);
    for (const std::string &arg : st.Args) {
      size_t eq = arg.find('=');
      std::string key = Lower(arg.substr(0, eq));
      if (eq == std::string::npos || std::find(keys.begin(), keys.end(), key) == keys.end())
        Fail(st.Line, n + ": unbekannte Angabe \"" + arg + "\".");
      std::string value = arg.substr(eq + 1);
      // Check the value now, so a bad script fails before drawing.
      int iv = 0;
      uint8_t ev = 0;
      if (key == "color")
        ColorArg(st.Line, value);
      else if ((key == "width" || key == "size") && !ParseInt(value, iv))
        Fail(st.Line, "\"" + value + "\" ist keine ganze Zahl.");
      else if (key == "width" && (iv < 0 || iv > 1000))
        Fail(st.Line, "Stiftbreite " + value + " liegt nicht zwischen 0 und 1000.");
      else if (key == "size" && (iv == 0 || iv < -1000 || iv > 1000))
        Fail(st.Line, "Schriftgröße " + value + " ist nicht zulässig.");
      else if (key == "mode" && !ParseEnum(value, PenModeNames, ev))
        Fail(st.Line, "unbekannter Stiftmodus \"" + value + "\".");
      else if (key == "style" && n == "pen" && !ParseEnum(value, PenStyleNames, ev))
        Fail(st.Line, "unbekannter Linienstil \"" + value + "\".");
      else if (key == "style" && n == "brush" && !ParseEnum(value, BrushStyleNames, ev))
        Fail(st.Line, "unbekannter Füllstil \"" + value + "\".");
      else if (key == "style" && n == "font") {
        std::stringstream ss(value);
        std::string part;
        while (std::getline(ss, part, ','))
          if (!part.empty() && Lower(part) != "bold" && Lower(part) != "italic" &&
              Lower(part) != "underline" && Lower(part) != "strikeout")
            Fail(st.Line, "unbekannter Schriftstil \"" + part + "\".");
      }
      cmd.Keys[key] = value;
    }
    return cmd;
  }
  if (n == "copymode") {
    CheckCount(st, 1);
    uint32_t v = 0;
    if (!ParseHex(st.Args[0], v))
      Fail(st.Line, "\"" + st.Args[0] + "\" ist kein Hexadezimalwert.");
    cmd.Ints.push_back(int(v));
    return cmd;
  }
  if (n == "floodfill" || n == "pixel") {
    CheckCount(st, 3);
    cmd.Ints = {IntArg(st, 0), IntArg(st, 1)};
    cmd.Colors.push_back(ColorArg(st.Line, st.Args[2]));
    return cmd;
  }
  if (n == "textout") {
    CheckCount(st, 3);
    cmd.Ints = {IntArg(st, 0), IntArg(st, 1)};
    cmd.Text = st.Args[2];
    return cmd;
  }
  if (n == "bevel") {
    CheckCount(st, 7);
    cmd.Ints = {IntArg(st, 0), IntArg(st, 1), IntArg(st, 2), IntArg(st, 3), IntArg(st, 6)};
    cmd.Colors = {ColorArg(st.Line, st.Args[4]), ColorArg(st.Line, st.Args[5])};
    if (cmd.Ints[4] < 0 || cmd.Ints[4] > 10000)
      Fail(st.Line, "Rahmenbreite " + st.Args[6] + " ist nicht zulässig.");
    return cmd;
  }
  if (n == "draw") {
    CheckCount(st, 3);
    cmd.Ints = {IntArg(st, 0), IntArg(st, 1)};
    cmd.Text = st.Args[2];
    return cmd;
  }
  if (n == "stretchdraw") {
    CheckCount(st, 5);
    cmd.Ints = {IntArg(st, 0), IntArg(st, 1), IntArg(st, 2), IntArg(st, 3)};
    cmd.Text = st.Args[4];
    return cmd;
  }
  Fail(st.Line, "unbekannte Anweisung \"" + st.Name + "\".");
}

std::vector<TPoint> Points(const std::vector<int> &v) {
  std::vector<TPoint> pts;
  for (size_t i = 0; i + 1 < v.size(); i += 2)
    pts.emplace_back(v[i], v[i + 1]);
  return pts;
}

void Run(const TCommand &cmd, TCanvas &c) {
  const std::string &n = cmd.Name;
  const std::vector<int> &a = cmd.Ints;
  if (n == "pen") {
    for (const auto &[key, value] : cmd.Keys) {
      if (key == "color")
        c.Pen.Color = ColorArg(cmd.Line, value);
      else if (key == "width")
        ParseInt(value, c.Pen.Width);
      else if (key == "style")
        ParseEnum(value, PenStyleNames, c.Pen.Style);
      else if (key == "mode")
        ParseEnum(value, PenModeNames, c.Pen.Mode);
    }
  } else if (n == "brush") {
    for (const auto &[key, value] : cmd.Keys) {
      if (key == "color")
        c.Brush.Color = ColorArg(cmd.Line, value);
      else if (key == "style")
        ParseEnum(value, BrushStyleNames, c.Brush.Style);
    }
  } else if (n == "font") {
    for (const auto &[key, value] : cmd.Keys) {
      if (key == "name")
        c.Font.Name = value;
      else if (key == "size")
        ParseInt(value, c.Font.Size);
      else if (key == "color")
        c.Font.Color = ColorArg(cmd.Line, value);
      else if (key == "style") {
        TFontStyles s = 0;
        std::stringstream ss(Lower(value));
        std::string part;
        while (std::getline(ss, part, ','))
          s |= part == "bold"        ? fsBold
               : part == "italic"    ? fsItalic
               : part == "underline" ? fsUnderline
               : part == "strikeout" ? fsStrikeOut
                                     : 0;
        c.Font.Style = s;
      }
    }
  } else if (n == "copymode") {
    c.CopyMode = uint32_t(a[0]);
  } else if (n == "moveto") {
    c.MoveTo(a[0], a[1]);
  } else if (n == "lineto") {
    c.LineTo(a[0], a[1]);
  } else if (n == "polyline") {
    c.Polyline(Points(a));
  } else if (n == "polybezier") {
    c.PolyBezier(Points(a));
  } else if (n == "polygon") {
    c.Polygon(Points(a));
  } else if (n == "rectangle") {
    c.Rectangle(a[0], a[1], a[2], a[3]);
  } else if (n == "roundrect") {
    c.RoundRect(a[0], a[1], a[2], a[3], a[4], a[5]);
  } else if (n == "ellipse") {
    c.Ellipse(a[0], a[1], a[2], a[3]);
  } else if (n == "arc") {
    c.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
  } else if (n == "chord") {
    c.Chord(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
  } else if (n == "pie") {
    c.Pie(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
  } else if (n == "floodfill") {
    c.FloodFill(a[0], a[1], cmd.Colors[0], fsSurface);
  } else if (n == "pixel") {
    c.SetPixels(a[0], a[1], cmd.Colors[0]);
  } else if (n == "textout") {
    c.TextOut(a[0], a[1], cmd.Text);
  } else if (n == "bevel") {
    TRect r(a[0], a[1], a[2], a[3]);
    DrawBevelFrame(c, r, cmd.Colors[0], cmd.Colors[1], a[4]);
  } else if (n == "copyrect") {
    c.CopyRect(TRect(a[0], a[1], a[2], a[3]), c, TRect(a[4], a[5], a[6], a[7]));
  } else if (n == "draw" || n == "stretchdraw") {
    TBitmap pic;
    std::string error;
    if (!LoadCliImage(cmd.Text, pic, error))
      Fail(cmd.Line, error);
    if (n == "draw")
      c.Draw(a[0], a[1], pic);
    else
      c.StretchDraw(TRect(a[0], a[1], a[2], a[3]), pic);
  }
}

bool ParseSize(const std::string &s, int &w, int &h) {
  size_t x = Lower(s).find('x');
  return x != std::string::npos && ParseInt(s.substr(0, x), w) && ParseInt(s.substr(x + 1), h) && w > 0 &&
         h > 0;
}

// The Qt text rasteriser needs a QGuiApplication; it is made only for
// scripts that output text, so that plain scripts stay fast.
class TLazyText {
public:
  void Ensure() {
    if (FApp)
      return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt's notes about the session (runtime folder, fonts) are no concern of
    // a batch tool; only critical messages reach standard error.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        PrintError(msg.toStdString());
    });
    FApp = std::make_unique<QGuiApplication>(FArgc, FArgv);
    InstallQtTextRasterizer();
  }
  ~TLazyText() {
    if (FApp)
      SetTextRasterizer(nullptr);
  }

private:
  int FArgc = 1;
  char FName[12] = "tessaro-cli";
  char *FArgv[2] = {FName, nullptr};
  std::unique_ptr<QGuiApplication> FApp;
};

struct TDrawArgs {
  std::string New, In, Out, Script, Paper = "$00FFFFFF";
  int Format = 24;
};

int RunDraw(const TDrawArgs &args) {
  if (args.New.empty() == args.In.empty()) {
    PrintError("draw: genau eine der Angaben --new oder --in ist nötig.");
    return 1;
  }
  std::string script = args.Script;
  std::vector<TStatement> statements;
  std::string error;
  if (!Tokenize(script, statements, error)) {
    PrintError(error);
    return 1;
  }
  std::vector<TCommand> commands;
  bool needsText = false;
  try {
    for (const TStatement &st : statements) {
      commands.push_back(Check(st));
      needsText = needsText || commands.back().Name == "textout";
    }
  } catch (const TScriptError &e) {
    PrintError(e.Message);
    return 1;
  }
  TBitmap bmp;
  if (!args.New.empty()) {
    int w = 0, h = 0;
    TPixelFormat pf = pf24bit;
    TColor paper = clWhite;
    if (!ParseSize(args.New, w, h)) {
      PrintError("--new: Größe als BREITExHÖHE angeben, zum Beispiel 640x480.");
      return 1;
    }
    if (!FormatFromBits(args.Format, pf)) {
      PrintError("--format: erlaubt sind 1, 4, 8, 15, 16, 24 oder 32.");
      return 1;
    }
    if (!ParseColor(args.Paper, paper)) {
      PrintError("--paper: \"" + args.Paper + "\" ist keine Farbe ($00BBGGRR oder #RRGGBB).");
      return 1;
    }
    try {
      bmp.Allocate(w, h, pf);
    } catch (const std::bad_alloc &) {
      PrintError("--new: ein Bild von " + args.New + " Pixeln ist zu groß.");
      return 1;
    }
    // The paper is laid with a canvas of its own: the script's canvas
    // starts with the default pen and brush.
    TCanvas paperCanvas(bmp);
    paperCanvas.Brush.Color = paper;
    paperCanvas.FillRect(TRect(0, 0, w, h));
  } else if (!LoadCliImage(args.In, bmp, error)) {
    PrintError(error);
    return 1;
  }
  TLazyText text;
  if (needsText)
    text.Ensure();
  TCanvas &c = bmp.Canvas();
  try {
    for (const TCommand &cmd : commands)
      Run(cmd, c);
  } catch (const TScriptError &e) {
    PrintError(e.Message);
    return 1;
  } catch (const std::bad_alloc &) {
    PrintError("nicht genug Speicher.");
    return 1;
  }
  if (!SaveCliImage(args.Out, bmp, TSaveOptions{}, error)) {
    PrintError(error);
    return 1;
  }
  return 0;
}

} // namespace

void RegisterDrawCommand(CLI::App &app, int &exitCode) {
  auto *cmd =
      app.add_subcommand("draw", "Run a script of canvas statements on a new or loaded image and write it");
  auto args = std::make_shared<TDrawArgs>();
  cmd->add_option("--new", args->New, "Size of a new image, WxH");
  cmd->add_option("--format", args->Format,
                  "Pixel format of a new image: 1, 4, 8, 15, 16, 24 or 32 (default 24)");
  cmd->add_option("--paper", args->Paper, "Paper colour of a new image (default white)");
  cmd->add_option("--in", args->In, "Image to draw on");
  cmd->add_option("--out", args->Out, "Output image")->required();
  cmd->add_option("SCRIPT", args->Script,
                  "Statements separated by ';' or new lines: pen, brush, font, copymode, moveto, lineto, "
                  "polyline, polybezier, polygon, rectangle, roundrect, ellipse, arc, chord, pie, floodfill, "
                  "pixel, textout, bevel, copyrect, draw, stretchdraw")
      ->required();
  cmd->callback([args, &exitCode] { exitCode = RunDraw(*args); });
}

} // namespace tessaro::cli
