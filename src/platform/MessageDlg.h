// Message boxes with German buttons, in the manner of the program's other
// dialogs: a type (icon and caption), a set of buttons and a default button;
// the result tells which button closed the box.
//
// Test seam: with automatic answers on, no box is shown; each call records
// what would have been shown and takes its answer from a queue (or, when the
// queue is empty, the default button).
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace tessaro {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons as bits, so that they combine: mbYes | mbNo.
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// German button texts: "&Ja", "&Nein", "&OK", "&Abbrechen".
QString ButtonText(TMsgDlgBtn button);
// German caption of a type: "Warnung", "Fehler", "Information", "Bestätigung".
QString MsgDlgTypeCaption(TMsgDlgType type);

// Shows a modal box and returns the result of the button that closed it
// (closing it otherwise gives mrCancel, or mrNo/mrOk when there is no cancel
// button). Single carriage returns in text count as line breaks. An empty
// caption takes the type's caption. defaultButton 0 means the first button
// of the set (in the order Ja, Nein, OK, Abbrechen).
int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, unsigned defaultButton = 0,
               const QString &caption = QString());
// The same for UTF-8 text.
int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons, unsigned defaultButton = 0,
               const std::string &caption = std::string());

// What a box showed (recorded while automatic answers are on).
struct TShownMessage {
  QString Text;    // as given (carriage returns kept)
  QString Caption; // as shown (type caption when none was given)
  TMsgDlgType Type = mtCustom;
  TMsgDlgButtons Buttons = 0;
  unsigned DefaultButton = 0;
  int Result = mrNone;
};

// Test seam.
void SetAutoAnswers(bool on);
bool AutoAnswers();
void QueueAnswer(int modalResult);
void ClearAnswers();
const std::vector<TShownMessage> &ShownMessages();
void ClearShownMessages();

} // namespace tessaro
