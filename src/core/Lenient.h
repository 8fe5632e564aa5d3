// The lenient number readers of the edit fields: everything that cannot be
// part of a number is dropped before the rest is converted, so "12 px" reads
// as 12 and "45°" as 45. Empty text reads as 0.
#pragma once

#include <stdexcept>
#include <string>

namespace tessaro {

// A rest that still is no number ("1-2", "--3", a value out of range).
// what() is the German message for the user.
class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Keeps the digits and "-"; an empty rest or a lone "-" is 0. Throws
// EConvertError with "'<rest>' ist kein gültiger Integerwert" otherwise.
int LenientStrToInt(const std::string &text);

// Keeps the digits, "-" and the decimal separator; an empty rest, a lone "-"
// or a lone separator is 0. Throws EConvertError with
// "'<rest>' ist kein gültiger Gleitkommawert" when the rest is no number.
double LenientStrToFloat(const std::string &text, char decimalSeparator = ',');

// Non-throwing forms: false (and the German message in *error) when the rest
// is no number; value is left unchanged then.
bool TryLenientStrToInt(const std::string &text, int &value, std::string *error = nullptr);
bool TryLenientStrToFloat(const std::string &text, double &value, char decimalSeparator = ',',
                          std::string *error = nullptr);

} // namespace tessaro
