// Message boxes with German buttons and their test seam, the core hooks
// installed for Qt, and the beep counter.
#include "core/Hooks.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace tessaro;

namespace {

class MessageDlgTest : public testing::Test {
protected:
  void SetUp() override {
    ClearAnswers();
    ClearShownMessages();
  }
  void TearDown() override { SetAutoAnswers(true); }
};

TEST_F(MessageDlgTest, AutomaticAnswersComeFromTheQueueThenTheDefault) {
  QueueAnswer(mrCancel);
  EXPECT_EQ(MessageDlg(std::string("Änderungen an \"Neu 1.bmp\" speichern?"), mtWarning, mbYesNoCancel),
            mrCancel);
  EXPECT_EQ(MessageDlg(QStringLiteral("Frage"), mtConfirmation, mbYesNo, mbNo), mrNo);
  EXPECT_EQ(MessageDlg(QStringLiteral("Frage"), mtConfirmation, mbYesNo), mrYes); // first button
  EXPECT_EQ(MessageDlg(QStringLiteral("Fehler"), mtError, mbOK, 0, QStringLiteral("Eigener Titel")), mrOk);
  ASSERT_EQ(ShownMessages().size(), 4u);
  EXPECT_EQ(ShownMessages()[0].Text, QStringLiteral("Änderungen an \"Neu 1.bmp\" speichern?"));
  EXPECT_EQ(ShownMessages()[0].Caption, QStringLiteral("Warnung"));
  EXPECT_EQ(ShownMessages()[0].Buttons, unsigned(mbYesNoCancel));
  EXPECT_EQ(ShownMessages()[0].Result, mrCancel);
  EXPECT_EQ(ShownMessages()[1].Caption, QStringLiteral("Bestätigung"));
  EXPECT_EQ(ShownMessages()[1].DefaultButton, unsigned(mbNo));
  EXPECT_EQ(ShownMessages()[3].Caption, QStringLiteral("Eigener Titel"));
}

// Presses a button of the box that is about to open, after checking what it shows.
void AnswerBox(const QString &buttonText, QStringList *seenButtons, QString *seenText, QString *seenTitle) {
  QTimer::singleShot(0, [=] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
      return;
    *seenText = box->text();
    *seenTitle = box->windowTitle();
    for (QAbstractButton *b : box->buttons())
      seenButtons->append(b->text());
    for (QAbstractButton *b : box->buttons())
      if (b->text() == buttonText)
        b->click();
  });
}

TEST_F(MessageDlgTest, RealBoxHasGermanButtons) {
  SetAutoAnswers(false);
  struct {
    TMsgDlgButtons Buttons;
    QString Press;
    int Result;
    QStringList Texts;
  } cases[] = {
      {mbYesNoCancel, "&Nein", mrNo, {"&Ja", "&Nein", "&Abbrechen"}},
      {mbYesNo, "&Ja", mrYes, {"&Ja", "&Nein"}},
      {mbOK, "&OK", mrOk, {"&OK"}},
      {mbOKCancel, "&Abbrechen", mrCancel, {"&OK", "&Abbrechen"}},
  };
  for (const auto &c : cases) {
    QStringList buttons;
    QString text, title;
    AnswerBox(c.Press, &buttons, &text, &title);
    EXPECT_EQ(MessageDlg(QStringLiteral("Zeile 1\r\rZeile 3"), mtWarning, c.Buttons), c.Result);
    buttons.sort();
    QStringList expected = c.Texts;
    expected.sort();
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(text, QStringLiteral("Zeile 1\n\nZeile 3")); // single carriage returns break lines
    EXPECT_EQ(title, QStringLiteral("Warnung"));
  }
  EXPECT_TRUE(ShownMessages().empty()); // recorded only by the seam
}

TEST(QtHooks, ProcessMessagesRunsEventsOnlyAfterTheInterval) {
  InstallQtCoreHooks(200);
  ProcessMessagesNow();
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  ProcessMessages(); // right after a run: only a clock read
  EXPECT_FALSE(ran);
  std::this_thread::sleep_for(std::chrono::milliseconds(220));
  ProcessMessages();
  EXPECT_TRUE(ran);
  InstallQtCoreHooks();
}

TEST(QtHooks, WaitCursorIsTheOverrideCursorOnEveryPath) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  try {
    TWaitCursor outer;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    { TWaitCursor inner; }
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    throw std::runtime_error("Fehler");
  } catch (const std::runtime_error &) {
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(BeepTest, Counts) {
  ResetBeepCount();
  Beep();
  Beep();
  EXPECT_EQ(BeepCount(), 2);
  ResetBeepCount();
  EXPECT_EQ(BeepCount(), 0);
}

} // namespace
