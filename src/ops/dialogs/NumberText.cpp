#include "ops/dialogs/NumberText.h"

#include "core/Lenient.h"
#include "files/LUMCtrl.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <cstdio>
#include <string>

namespace tessaro {

QString FloatToStr(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  QString text = QString::fromLatin1(buf);
  if (text == "-0")
    text = "0";
  text.replace('.', QChar(NumberFormat().DecimalSeparator));
  return text;
}

namespace {

void ShowReadError(const std::string &error) {
  Beep();
  MessageDlg(error, mtError, mbOK);
}

} // namespace

bool ReadLenientInt(const QString &text, int &value) {
  std::string error;
  if (TryLenientStrToInt(text.toStdString(), value, &error))
    return true;
  ShowReadError(error);
  return false;
}

bool ReadLenientFloat(const QString &text, double &value) {
  std::string error;
  if (TryLenientStrToFloat(text.toStdString(), value, NumberFormat().DecimalSeparator, &error))
    return true;
  ShowReadError(error);
  return false;
}

} // namespace tessaro
