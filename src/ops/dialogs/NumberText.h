// Numbers as the dialogs write and read them: the decimal separator of the
// number format (a comma in German settings), and the lenient readers with
// their German message shown where the user typed.
#pragma once

#include <QString>

namespace tessaro {

// The shortest text of a value with up to 15 significant digits ("0,5",
// "-1,25", "2").
QString FloatToStr(double value);

// The lenient readers; on text that is no number they beep, show the
// reader's message and return false, leaving value as it was.
bool ReadLenientInt(const QString &text, int &value);
bool ReadLenientFloat(const QString &text, double &value);

} // namespace tessaro
