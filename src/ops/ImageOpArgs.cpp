// The written form of operation arguments: the notation of tessaro-cli and of
// the table's defaults.
#include "ops/ImageOps.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tessaro {

namespace {

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

} // namespace

bool ParseColor(const std::string &text, TColor &color) {
  auto hex = [](const std::string &s, uint32_t &v) {
    if (s.empty() || s.size() > 8)
      return false;
    v = 0;
    for (char c : s) {
      if (!std::isxdigit(static_cast<unsigned char>(c)))
        return false;
      v = v * 16 +
          uint32_t(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return true;
  };
  uint32_t v = 0;
  if (text.size() == 7 && text[0] == '#') {
    if (!hex(text.substr(1), v))
      return false;
    color = RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
    return true;
  }
  if (text.size() >= 2 && text[0] == '$') {
    if (!hex(text.substr(1), v))
      return false;
    color = v;
    return true;
  }
  return false;
}

const char *OpArgKindText(TOpArgKind kind) {
  switch (kind) {
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

bool ParseOpArg(TOpArgKind kind, const std::string &text, TOpArg &arg) {
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

TOpArgs DefaultOpArgs(const TImageOp &op) {
  TOpArgs args(op.Params.size());
  for (size_t i = 0; i < op.Params.size(); ++i)
    if (op.Params[i].Default != nullptr)
      ParseOpArg(op.Params[i].Kind, op.Params[i].Default, args[i]);
  return args;
}

} // namespace tessaro
