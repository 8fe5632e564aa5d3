// tessaro-cli apply IN OUT OP...: runs image operations in order, each
// written as its routine's name with its arguments after the bitmap, e.g.
// ContrastBitmap(-5) or RotateBitmap(true,#FFFFFF,30,-1,-1).
#include "cli/Cli.h"
#include "ops/ImageOps.h"

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace tessaro::cli {

namespace {

struct TParsedOp {
  const TImageOp *Def = nullptr;
  TOpArgs Args;
  std::string Text;
};

std::string Usage(const TImageOp &op) {
  return std::string(op.Name) + "(" + op.Usage + ")";
}

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
  op.Def = FindImageOp(name);
  if (op.Def == nullptr || op.Def->Usage == nullptr) {
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
  const std::vector<TOpParam> &params = op.Def->Params;
  if (parts.size() != params.size()) {
    error = "Operation \"" + text + "\": erwartet " + std::to_string(params.size()) +
            " Argument(e): " + Usage(*op.Def) + ".";
    return false;
  }
  op.Args.resize(parts.size());
  for (size_t i = 0; i < parts.size(); ++i)
    if (!ParseOpArg(params[i].Kind, parts[i], op.Args[i])) {
      error = "Operation \"" + text + "\": Argument " + std::to_string(i + 1) + " (\"" + parts[i] +
              "\") ist keine gültige Angabe (" + OpArgKindText(params[i].Kind) + "): " + Usage(*op.Def) + ".";
      return false;
    }
  return true;
}

// Reads the images that file arguments name, each as pf24bit.
bool ReadSecondImages(TParsedOp &op, std::string &error) {
  for (size_t i = 0; i < op.Args.size(); ++i) {
    if (op.Def->Params[i].Kind != akFile)
      continue;
    auto image = std::make_shared<TBitmap>();
    if (!LoadCliImage(op.Args[i].Text, *image, error))
      return false;
    image->SetPixelFormat(pf24bit);
    op.Args[i].Image = std::move(image);
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
  for (const TImageOp &op : ImageOps()) {
    if (op.Usage == nullptr)
      continue;
    h += "  ";
    h += op.Params.empty() ? std::string(op.Name) : Usage(op);
    if (op.Format == frOwnFormat)
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
      for (TParsedOp &op : ops) {
        if (!ReadSecondImages(op, error)) {
          PrintError(error);
          return;
        }
        if (!RunImageOp(bmp, *op.Def, op.Args)) {
          PrintError("Operation \"" + op.Text + "\" ist fehlgeschlagen (" + Usage(*op.Def) + ").");
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
