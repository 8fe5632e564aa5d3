#include "platform/MessageDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <deque>

namespace tessaro {

namespace {

bool GAutoAnswers = false;
std::deque<int> GAnswers;
std::vector<TShownMessage> GShown;

constexpr TMsgDlgBtn ButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel};

int ResultOf(TMsgDlgBtn b) {
  switch (b) {
  case mbYes:
    return mrYes;
  case mbNo:
    return mrNo;
  case mbOK:
    return mrOk;
  case mbCancel:
    return mrCancel;
  }
  return mrNone;
}

unsigned EffectiveDefault(TMsgDlgButtons buttons, unsigned defaultButton) {
  if (defaultButton != 0 && (buttons & defaultButton) != 0)
    return defaultButton;
  for (TMsgDlgBtn b : ButtonOrder)
    if (buttons & b)
      return b;
  return 0;
}

// What closing the box without a button gives.
int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons & mbCancel)
    return mrCancel;
  if (buttons & mbNo)
    return mrNo;
  if (buttons & mbOK)
    return mrOk;
  return mrCancel;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
  case mtWarning:
    return QMessageBox::Warning;
  case mtError:
    return QMessageBox::Critical;
  case mtInformation:
    return QMessageBox::Information;
  case mtConfirmation:
    return QMessageBox::Question;
  case mtCustom:
    break;
  }
  return QMessageBox::NoIcon;
}

// Lone carriage returns (and CR LF pairs) become line feeds for display.
QString DisplayText(const QString &text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == u'\r') {
      out += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n')
        ++i;
    } else {
      out += c;
    }
  }
  return out;
}

} // namespace

QString ButtonText(TMsgDlgBtn button) {
  switch (button) {
  case mbYes:
    return QStringLiteral("&Ja");
  case mbNo:
    return QStringLiteral("&Nein");
  case mbOK:
    return QStringLiteral("&OK");
  case mbCancel:
    return QStringLiteral("&Abbrechen");
  }
  return QString();
}

QString MsgDlgTypeCaption(TMsgDlgType type) {
  switch (type) {
  case mtWarning:
    return QStringLiteral("Warnung");
  case mtError:
    return QStringLiteral("Fehler");
  case mtInformation:
    return QStringLiteral("Information");
  case mtConfirmation:
    return QStringLiteral("Bestätigung");
  case mtCustom:
    break;
  }
  return QCoreApplication::applicationName();
}

int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, unsigned defaultButton,
               const QString &caption) {
  if (buttons == 0)
    buttons = mbOK;
  const unsigned def = EffectiveDefault(buttons, defaultButton);
  TShownMessage shown;
  shown.Text = text;
  shown.Caption = caption.isEmpty() ? MsgDlgTypeCaption(type) : caption;
  shown.Type = type;
  shown.Buttons = buttons;
  shown.DefaultButton = def;

  if (GAutoAnswers || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
    int result = ResultOf(TMsgDlgBtn(def));
    if (!GAnswers.empty()) {
      result = GAnswers.front();
      GAnswers.pop_front();
    }
    shown.Result = result;
    GShown.push_back(shown);
    return result;
  }

  QMessageBox box(IconOf(type), shown.Caption, DisplayText(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  QAbstractButton *escape = nullptr;
  std::vector<std::pair<QAbstractButton *, int>> map;
  for (TMsgDlgBtn b : ButtonOrder) {
    if (!(buttons & b))
      continue;
    QMessageBox::ButtonRole role = b == mbYes  ? QMessageBox::YesRole
                                   : b == mbNo ? QMessageBox::NoRole
                                   : b == mbOK ? QMessageBox::AcceptRole
                                               : QMessageBox::RejectRole;
    QPushButton *button = box.addButton(ButtonText(b), role);
    map.emplace_back(button, ResultOf(b));
    if (unsigned(b) == def)
      box.setDefaultButton(button);
    if (ResultOf(b) == EscapeResult(buttons))
      escape = button;
  }
  if (escape)
    box.setEscapeButton(escape);
  box.exec();
  int result = EscapeResult(buttons);
  for (auto &[button, r] : map)
    if (box.clickedButton() == button)
      result = r;
  shown.Result = result;
  return result;
}

int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons, unsigned defaultButton,
               const std::string &caption) {
  return MessageDlg(QString::fromStdString(text), type, buttons, defaultButton,
                    QString::fromStdString(caption));
}

void SetAutoAnswers(bool on) {
  GAutoAnswers = on;
}
bool AutoAnswers() {
  return GAutoAnswers;
}
void QueueAnswer(int modalResult) {
  GAnswers.push_back(modalResult);
}
void ClearAnswers() {
  GAnswers.clear();
}
const std::vector<TShownMessage> &ShownMessages() {
  return GShown;
}
void ClearShownMessages() {
  GShown.clear();
}

} // namespace tessaro
