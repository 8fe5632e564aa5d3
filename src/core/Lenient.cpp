#include "core/Lenient.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace tessaro {

namespace {

std::string Filter(const std::string &text, char sep) {
  std::string rest;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '-' || (sep != 0 && c == sep))
      rest += c;
  }
  return rest;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace

bool TryLenientStrToInt(const std::string &text, int &value, std::string *error) {
  const std::string rest = Filter(text, 0);
  if (rest.empty() || rest == "-") {
    value = 0;
    return true;
  }
  size_t i = rest[0] == '-' ? 1 : 0;
  bool ok = i < rest.size();
  long long v = 0;
  for (; ok && i < rest.size(); ++i) {
    if (!IsDigit(rest[i])) {
      ok = false;
      break;
    }
    v = v * 10 + (rest[i] - '0');
    if (v > (long long)INT_MAX + 1)
      ok = false;
  }
  if (ok) {
    if (rest[0] == '-')
      v = -v;
    if (v > INT_MAX || v < INT_MIN)
      ok = false;
  }
  if (!ok) {
    if (error)
      *error = "'" + rest + "' ist kein gültiger Integerwert";
    return false;
  }
  value = int(v);
  return true;
}

bool TryLenientStrToFloat(const std::string &text, double &value, char decimalSeparator, std::string *error) {
  const std::string rest = Filter(text, decimalSeparator);
  if (rest.empty() || rest == "-" || rest == std::string(1, decimalSeparator)) {
    value = 0;
    return true;
  }
  // Optional sign, digits, at most one separator, and at least one digit.
  size_t i = rest[0] == '-' ? 1 : 0;
  int digits = 0, seps = 0;
  bool ok = true;
  std::string plain;
  if (rest[0] == '-')
    plain += '-';
  for (; i < rest.size(); ++i) {
    if (IsDigit(rest[i])) {
      ++digits;
      plain += rest[i];
    } else if (rest[i] == decimalSeparator && seps == 0) {
      ++seps;
      plain += '.';
    } else {
      ok = false;
    }
  }
  double v = 0;
  if (ok && digits > 0) {
    // from_chars reads the C form whatever the locale says.
    auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    ok = res.ec == std::errc() && res.ptr == plain.data() + plain.size() && std::isfinite(v);
  } else {
    ok = false;
  }
  if (!ok) {
    if (error)
      *error = "'" + rest + "' ist kein gültiger Gleitkommawert";
    return false;
  }
  value = v;
  return true;
}

int LenientStrToInt(const std::string &text) {
  int v = 0;
  std::string err;
  if (!TryLenientStrToInt(text, v, &err))
    throw EConvertError(err);
  return v;
}

double LenientStrToFloat(const std::string &text, char decimalSeparator) {
  double v = 0;
  std::string err;
  if (!TryLenientStrToFloat(text, v, decimalSeparator, &err))
    throw EConvertError(err);
  return v;
}

} // namespace tessaro
