// The custom HSL palette file: seven fixed lines, then the three factors.
#include "ops/LUMGraphics.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace tessaro {

namespace {

std::string Lower(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  return s;
}

// The strict decimal reader with the German decimal comma: optional blanks,
// a sign, digits with at most one comma, an optional exponent.
bool ReadDecimal(const std::string &text, float &value) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) {
    value = 0; // empty text reads as 0
    return true;
  }
  size_t e = text.find_last_not_of(" \t");
  std::string t = text.substr(b, e - b + 1);
  std::string c;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    c += t[i++];
  bool digits = false, comma = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      digits = true;
      c += t[i];
    } else if (t[i] == ',' && !comma) {
      comma = true;
      c += '.';
    } else {
      break;
    }
  }
  if (!digits)
    return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    c += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
      c += t[i++];
    bool expDigits = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
      expDigits = true;
      c += t[i];
    }
    if (!expDigits)
      return false;
  }
  if (i != t.size())
    return false;
  char *end = nullptr;
  double v = std::strtod(c.c_str(), &end);
  if (end == nullptr || *end != '\0' || !std::isfinite(v) || std::fabs(v) > 3.4e38)
    return false;
  value = float(v);
  return true;
}

} // namespace

std::string FormatHSLFactor(float Value) {
  if (!std::isfinite(Value))
    Value = 0;
  // Two decimals, halves away from zero, German separators.
  long double scaled = std::roundl((long double)Value * 100.0L);
  const bool negative = scaled < 0;
  long double mag = std::fabs(scaled);
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.0Lf", mag);
  std::string d = digits;
  while (d.size() < 3)
    d.insert(d.begin(), '0');
  std::string whole = d.substr(0, d.size() - 2), frac = d.substr(d.size() - 2);
  std::string grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0)
      grouped += '.';
    grouped += whole[i];
  }
  return (negative && mag != 0 ? "-" : "") + grouped + "," + frac;
}

bool SaveHSLPalette(const std::string &FileName, float H, float S, float L) {
  namespace fs = std::filesystem;
  const std::string text = "Kastell 3.0 - Tessaro 1.0\r\n"
                           "HSL Farbpalette\r\n"
                           "\r\n"
                           "Benutzerdefinierte Farbpalette, erstellt mit Tessaro 1.0\r\n"
                           "LUM Software\r\n"
                           "\r\n"
                           "[Contents]\r\n" +
                           FormatHSLFactor(H) + "*" + FormatHSLFactor(S) + "*" + FormatHSLFactor(L) + "\r\n";
  // Written beside the target and renamed into place, so that a failed
  // write never leaves half a file.
  std::random_device rd;
  const std::string temp = FileName + ".tmp" + std::to_string(rd() % 1000000);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
      return false;
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, FileName, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool LoadHSLPalette(const std::string &FileName, float &H, float &S, float &L) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FileName, ec))
    return false;
  std::ifstream in(FileName, std::ios::binary);
  if (!in)
    return false;
  // The line after "[Contents]"; without such a line, the first line.
  std::string line, first, wanted;
  bool haveFirst = false, found = false, haveWanted = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!haveFirst) {
      first = line;
      haveFirst = true;
    }
    if (found) {
      wanted = line;
      haveWanted = true;
      break;
    }
    if (Lower(line) == "[contents]")
      found = true;
  }
  if (!found) {
    if (!haveFirst)
      return false; // empty file
    wanted = first;
    haveWanted = true;
  }
  if (!haveWanted)
    return false; // "[Contents]" was the last line
  std::string parts[3];
  const size_t a = wanted.find('*');
  if (a == std::string::npos) {
    parts[0] = wanted;
  } else {
    parts[0] = wanted.substr(0, a);
    const size_t b = wanted.find('*', a + 1);
    if (b == std::string::npos) {
      parts[1] = wanted.substr(a + 1);
    } else {
      parts[1] = wanted.substr(a + 1, b - a - 1);
      parts[2] = wanted.substr(b + 1);
    }
  }
  float *targets[3] = {&H, &S, &L};
  for (int i = 0; i < 3; ++i) {
    float v;
    if (!ReadDecimal(parts[i], v))
      return false;
    *targets[i] = v;
  }
  return true;
}

} // namespace tessaro
