// The colour picker combo and its shared drop-down: the combo's colour and
// size, its drawing, where the drop-down opens, which button is down, the
// choice by mouse, "Weitere Farben..." through the colour dialog, the custom
// colours kept across a restart, closing by Esc and by a click elsewhere,
// and the names of every control.
#include "ControlsTestUtil.h"
#include "controls/ColBtn.h"
#include "controls/ColorPickCombo.h"
#include "controls/ColorPickerForm.h"
#include "controls/CustomColors.h"
#include "platform/Hints.h"

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tessaro {
namespace {

QColor Q(TColor c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Runs action on the colour dialog as soon as it is shown modally.
void WhenColorDialogOpens(std::function<void(QColorDialog &)> action) {
  QTimer::singleShot(0, qApp, [action] {
    auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << "no colour dialog";
      return;
    }
    action(*dialog);
  });
}

class PickerTest : public testing::Test {
protected:
  void SetUp() override {
    Combo = std::make_unique<TColorPickCombo>();
    Combo->move(100, 100);
    Combo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Combo.get()));
    Form = Combo->PickerForm();
  }
  void TearDown() override {
    if (Form)
      Form->hide();
  }
  void Open() {
    QTest::mouseClick(Combo.get(), Qt::LeftButton);
    ASSERT_TRUE(Form->isVisible());
  }
  std::unique_ptr<TColorPickCombo> Combo;
  TColorPickerForm *Form = nullptr;
};

TEST_F(PickerTest, ActiveColorReportsOnlyRealChanges) {
  QSignalSpy changed(Combo.get(), &TColorPickCombo::Changed);
  EXPECT_EQ(Combo->ActiveColor(), clBlack);
  Combo->SetActiveColor(clBlack);
  EXPECT_EQ(changed.count(), 0);
  Combo->SetActiveColor(clBtnFace);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(Combo->ActiveColor(), clBtnFace); // stays a system colour
  Combo->SetActiveColor(clBtnFace);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(Combo->count(), 1);
  EXPECT_EQ(Combo->currentText(), QStringLiteral("1"));
  EXPECT_EQ(Combo->DropDnColor(), clBtnFace);
  EXPECT_EQ(Combo->OtherBtnCaption(), QStringLiteral("&Weitere Farben..."));
}

TEST_F(PickerTest, WidthFollowsHeight) {
  EXPECT_EQ(Combo->size(), QSize(39, 22));
  Combo->resize(100, 30);
  EXPECT_EQ(Combo->size(), QSize(51, 30));
  Combo->resize(10, 40);
  EXPECT_EQ(Combo->size(), QSize(66, 40));
  Combo->resize(200, 22);
  EXPECT_EQ(Combo->size(), QSize(39, 22));
}

TEST_F(PickerTest, DrawsTheColourAsAGreyFramedSquare) {
  for (TColor c : {TColor(0x123456), clBtnFace, clBlack}) {
    Combo->SetActiveColor(c);
    const QImage shown = Combo->grab().toImage();
    // Height 22: the square covers 4..17.
    EXPECT_EQ(shown.pixelColor(10, 10), Q(c));
    EXPECT_EQ(shown.pixelColor(5, 16), Q(c));
    EXPECT_EQ(shown.pixelColor(4, 10), Q(0x808080));
    EXPECT_EQ(shown.pixelColor(17, 10), Q(0x808080));
    EXPECT_EQ(shown.pixelColor(10, 4), Q(0x808080));
    EXPECT_EQ(shown.pixelColor(10, 17), Q(0x808080));
  }
}

TEST(PickerPosition, OpensBelowOrAboveAndStaysOnTheScreen) {
  const QRect screen(0, 0, 800, 600);
  const QSize form(255, 177);
  const struct {
    QPoint Anchor;
    QPoint Expected;
  } cases[] = {
      {{100, 122}, {100, 122}},            // room below and to the right
      {{700, 122}, {545, 122}},            // flush with the right edge
      {{100, 500}, {100, 500 - 177 - 22}}, // above the combo
      {{790, 590}, {545, 590 - 177 - 22}},
      {{545, 423}, {545, 423}}, // exactly fits
  };
  for (const auto &c : cases)
    EXPECT_EQ(DropDownPosition(c.Anchor, 22, form, screen), c.Expected)
        << c.Anchor.x() << "," << c.Anchor.y();
}

TEST_F(PickerTest, DropDownOpensAtTheScreenEdges) {
  const QRect screen = Combo->screen()->geometry();
  Open();
  EXPECT_EQ(Form->pos(), Combo->mapToGlobal(QPoint(0, Combo->height())));
  EXPECT_EQ(Form->size(), QSize(255, 177));
  Form->hide();

  Combo->move(screen.right() - 20, screen.bottom() - 40);
  QApplication::processEvents();
  Open();
  const QPoint anchor = Combo->mapToGlobal(QPoint(0, Combo->height()));
  EXPECT_EQ(Form->x(), screen.x() + screen.width() - 255);
  EXPECT_EQ(Form->y(), anchor.y() - 177 - Combo->height());
}

TEST_F(PickerTest, OpeningShowsTheButtonOfTheColourDown) {
  Combo->SetActiveColor(0x00FF00);
  Combo->SetDropDnColor(0x00C0C0);
  Combo->SetOtherBtnCaption(QStringLiteral("&Weitere Fraben..."));
  Open();
  EXPECT_EQ(Form->Combo(), Combo.get());
  EXPECT_EQ(Form->palette().color(QPalette::Window), Q(0x00C0C0));
  EXPECT_EQ(Form->MoreColorsButton()->text(), QStringLiteral("&Weitere Fraben..."));
  int down = -1;
  for (int i = 0; i < PickerColorCount; ++i)
    if (Form->Button(i)->isChecked()) {
      EXPECT_EQ(down, -1) << "two buttons down";
      down = i;
    }
  ASSERT_GT(down, 0);
  EXPECT_EQ(Form->Button(down)->SqareColor(), TColor(0x00FF00));
  Form->hide();

  // A colour of no button goes to the custom button.
  Combo->SetActiveColor(0x123456);
  Open();
  EXPECT_TRUE(Form->Button(0)->isChecked());
  EXPECT_EQ(Form->Button(0)->SqareColor(), TColor(0x123456));
  EXPECT_EQ(Form->CurrentColor(), TColor(0x123456));
  Form->hide();

  // A system colour matches its own button, not its current value.
  Combo->SetActiveColor(clBtnFace);
  Open();
  EXPECT_FALSE(Form->Button(0)->isChecked());
  EXPECT_TRUE(Form->Button(61)->isChecked());
}

TEST_F(PickerTest, ClickingAButtonChoosesItsColourAndCloses) {
  const struct {
    int Button;
    TColor Color;
  } cases[] = {{1, 0x000000},   {29, 0x00FF00},     {56, 0xFFC0FF},
               {61, clBtnFace}, {83, clWindowText}, {57, clActiveBorder}};
  Combo->SetActiveColor(0x010101);
  for (const auto &c : cases) {
    Open();
    QSignalSpy changed(Combo.get(), &TColorPickCombo::Changed);
    QTest::mouseClick(Form->Button(c.Button), Qt::LeftButton);
    EXPECT_EQ(Combo->ActiveColor(), c.Color) << c.Button;
    EXPECT_EQ(changed.count(), 1) << c.Button;
    EXPECT_FALSE(Form->isVisible());
  }
  // Choosing the colour it has already fires nothing.
  Open();
  QSignalSpy changed(Combo.get(), &TColorPickCombo::Changed);
  QTest::mouseClick(Form->Button(57), Qt::LeftButton);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(PickerTest, ButtonsHaveTheirColoursPlacesAndHints) {
  const struct {
    int Index;
    TColor Color;
    QPoint Pos;
    const char *Hint;
  } cases[] = {
      {1, 0x000000, {5, 5}, ""},
      {8, 0x400040, {145, 5}, ""},
      {9, 0x202020, {5, 25}, ""},
      {56, 0xFFC0FF, {145, 125}, ""},
      {57, 0x8000000A, {170, 5}, "Active Border"},
      {61, 0x8000000F, {170, 25}, "Button Face"},
      {66, 0x8000001B, {190, 45}, "Gradient active Caption"},
      {83, 0x80000008, {210, 125}, "Window Text"},
      {0, 0x000000, {5, 150}, "Custom Color, from standard Windows Color Dialogue"},
  };
  for (const auto &c : cases) {
    TColBtn *b = Form->Button(c.Index);
    EXPECT_EQ(b->SqareColor(), c.Color) << c.Index;
    EXPECT_EQ(b->geometry(), QRect(c.Pos, QSize(20, 20))) << c.Index;
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.Hint)) << c.Index;
  }
  EXPECT_EQ(Form->MoreColorsButton()->geometry(), QRect(28, 150, 222, 20));
  EXPECT_EQ(Form->MoreColorsButton()->toolTip(), QStringLiteral("Weitere Farben..."));
  // The glyph: a grey frame around the colour.
  const QImage glyph = Form->Button(29)->icon().pixmap(14, 14).toImage();
  EXPECT_EQ(glyph.pixelColor(0, 0), Q(0x808080));
  EXPECT_EQ(glyph.pixelColor(7, 7), Q(0x00FF00));
}

TEST_F(PickerTest, KeysOpenAndClose) {
  Combo->setFocus();
  QTest::keyClick(Combo.get(), Qt::Key_F4);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->Combo(), Combo.get());
  QTest::keyClick(Form, Qt::Key_Escape);
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(PickerTest, EscapeAndAClickElsewhereClose) {
  Open();
  QTest::keyClick(Form, Qt::Key_Escape);
  EXPECT_FALSE(Form->isVisible());

  QWidget other;
  other.setAccessibleName(QStringLiteral("Anderes Fenster"));
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form));
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(Combo->ActiveColor(), clBlack);
}

TEST_F(PickerTest, MoreColoursTakesTheDialogsColour) {
  Combo->SetActiveColor(clRed);
  Open();
  WhenColorDialogOpens([](QColorDialog &d) {
    d.setCurrentColor(QColor(0x12, 0x34, 0x56));
    d.accept();
  });
  QSignalSpy changed(Combo.get(), &TColorPickCombo::Changed);
  QTest::mouseClick(Form->MoreColorsButton(), Qt::LeftButton);
  EXPECT_EQ(Combo->ActiveColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(Form->Button(0)->SqareColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(Form->DialogColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_FALSE(Form->isVisible());

  // Cancelling changes nothing and leaves the form open; the dialog starts
  // with the colour chosen last.
  Open();
  QColor startedWith;
  WhenColorDialogOpens([&](QColorDialog &d) {
    startedWith = d.currentColor();
    d.setCurrentColor(Qt::green);
    d.reject();
  });
  QTest::mouseClick(Form->MoreColorsButton(), Qt::LeftButton);
  EXPECT_EQ(startedWith, QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(Combo->ActiveColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(PickerTest, TheFormServesTheComboThatOpenedItLast) {
  TColorPickCombo second;
  second.move(300, 100);
  second.show();
  EXPECT_EQ(second.PickerForm(), Form);
  second.ShowDropDown();
  QTest::mouseClick(Form->Button(27), Qt::LeftButton); // $0000FF
  EXPECT_EQ(second.ActiveColor(), clRed);
  EXPECT_EQ(Combo->ActiveColor(), clBlack);
  Open();
  QTest::mouseClick(Form->Button(31), Qt::LeftButton); // $FF0000
  EXPECT_EQ(Combo->ActiveColor(), clBlue);
  EXPECT_EQ(second.ActiveColor(), clRed);
}

TEST(PickerLifetime, LastComboDestroyedByItsOwnChoice) {
  auto combo = std::make_unique<TColorPickCombo>();
  combo->show();
  QPointer<TColorPickerForm> form = combo->PickerForm();
  QObject::connect(combo.get(), &TColorPickCombo::Changed, combo.get(), [&] { combo.reset(); });
  combo->ShowDropDown();
  QTest::mouseClick(form->Button(29), Qt::LeftButton);
  EXPECT_EQ(combo, nullptr);
  ASSERT_TRUE(form);
  EXPECT_FALSE(form->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(form);
  // A new combo gets a new form.
  TColorPickCombo next;
  EXPECT_NE(next.PickerForm(), nullptr);
}

TEST(CustomColors, StoredValuesAreReadLeniently) {
  const struct {
    const char *Text;
    TColor Color;
  } cases[] = {{"FF8040", 0xFF8040}, {"$00123456", 0x123456}, {"ff", 0x0000FF},       {"", clWhite},
               {"xyz", clWhite},     {"-5", clWhite},         {"123456789", clWhite}, {" 0 ", 0}};
  for (const auto &c : cases)
    EXPECT_EQ(ParseCustomColor(QString::fromLatin1(c.Text)), c.Color) << c.Text;
}

TEST(CustomColors, SurviveARestart) {
  {
    // A run: the user adds custom colours in the dialog and chooses one.
    TColorPickCombo combo;
    combo.show();
    combo.ShowDropDown();
    WhenColorDialogOpens([](QColorDialog &d) {
      QColorDialog::setCustomColor(0, QColor(1, 2, 3));
      QColorDialog::setCustomColor(15, QColor(250, 128, 9));
      d.setCurrentColor(QColor(1, 2, 3));
      d.accept();
    });
    QTest::mouseClick(combo.PickerForm()->MoreColorsButton(), Qt::LeftButton);
    EXPECT_EQ(combo.ActiveColor(), RGB(1, 2, 3));
  }
  // The program ends: the last combo took the form with it. A new process
  // starts with the dialog's own defaults.
  for (int i = 0; i < CustomColorCount; ++i)
    QColorDialog::setCustomColor(i, Qt::black);
  {
    QSettings settings(QSettings::UserScope, QStringLiteral("Farbwahl"));
    EXPECT_EQ(settings.value(QStringLiteral("CustomColors/ColorA")).toString(), QStringLiteral("030201"));
    EXPECT_EQ(settings.value(QStringLiteral("CustomColors/ColorP")).toString(), QStringLiteral("0980FA"));
    EXPECT_EQ(settings.value(QStringLiteral("CustomColors/ColorB")).toString(), QStringLiteral("FFFFFF"));
    settings.setValue(QStringLiteral("CustomColors/ColorC"), QStringLiteral("kaputt"));
  }
  TColorPickCombo restarted;
  EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 2, 3));
  EXPECT_EQ(QColorDialog::customColor(15), QColor(250, 128, 9));
  EXPECT_EQ(QColorDialog::customColor(1), QColor(Qt::white));
  EXPECT_EQ(QColorDialog::customColor(2), QColor(Qt::white));
  // The custom button of the new run starts black again.
  EXPECT_EQ(restarted.PickerForm()->Button(0)->SqareColor(), clBlack);
}

TEST_F(PickerTest, EveryControlHasAnAccessibleName) {
  SetHint(Combo.get(), QStringLiteral("Füllfarbe"));
  EXPECT_EQ(Combo->toolTip(), QStringLiteral("Füllfarbe"));
  QList<QWidget *> controls = Form->findChildren<QWidget *>();
  controls.append(Combo.get());
  controls.append(Form);
  int buttons = 0;
  for (QWidget *w : controls) {
    if (!w->focusPolicy() && !qobject_cast<QAbstractButton *>(w) && w != Form)
      continue;
    buttons += qobject_cast<QAbstractButton *>(w) != nullptr;
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->metaObject()->className();
  }
  EXPECT_EQ(buttons, PickerColorCount + 1);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Combo.get())->text(QAccessible::Name),
            QStringLiteral("Füllfarbe"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Form->Button(11))->text(QAccessible::Name),
            QStringLiteral("Rot 128, Grün 0, Blau 0"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Form->Button(61))->text(QAccessible::Name),
            QStringLiteral("Button Face"));
}

} // namespace
} // namespace tessaro
