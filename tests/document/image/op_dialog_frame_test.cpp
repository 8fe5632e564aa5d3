// The frame shared by the operation dialogs: the reduced copy and its fit
// factor, track bars and edits kept in step with lenient reading and its
// messages, the busy guard, OK with the dialogs' order of the working
// format, Cancel, the help button, freeing on every close, and names for
// screen readers.
#include "image_fixture.h"

#include "core/Hooks.h"
#include "files/LUMCtrl.h"
#include "ops/LUMGraphics.h"
#include "ops/dialogs/EditApply.h"
#include "ops/dialogs/OpPicture.h"
#include "ops/dialogs/TrackEdit.h"
#include "ops/dialogs/UnBlur.h"
#include "ops/dialogs/UnChangePalette.h"
#include "ops/dialogs/UnContrast.h"
#include "ops/dialogs/UnFrostedGlass.h"
#include "ops/dialogs/UnIntensity.h"
#include "ops/dialogs/UnLight.h"
#include "ops/dialogs/UnReplaceColors.h"
#include "ops/dialogs/UnResizeImage.h"
#include "ops/dialogs/UnResizePaper.h"
#include "ops/dialogs/UnRotate.h"
#include "ops/dialogs/UnSkew.h"
#include "ops/dialogs/UnSmoothColors.h"
#include "platform/HelpJump.h"
#include "platform/HelpViewer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace tessaro::test {
namespace {

using OpDialogFrame = ImageTest;

struct TDialogCase {
  QAction *TfrmChild::*Item;
  const char *Caption;
  const char *Topic;
  std::function<TOpDialog *(TfrmChild &)> Make;
};

template <class T> std::function<TOpDialog *(TfrmChild &)> Maker() {
  return [](TfrmChild &doc) { return new T(doc); };
}

const std::vector<TDialogCase> &Dialogs() {
  static const std::vector<TDialogCase> cases = {
      {&TfrmChild::mnuSkew, "Bild verzerren", "Bearbeiten.Bildverzerren", Maker<TfrmSkew>()},
      {&TfrmChild::mnuIntesity, "Farbton", "Bearbeiten.Farbtoneinstellen", Maker<TfrmIntensity>()},
      {&TfrmChild::mnuReplaceColors, "Farben ersetzen", "Bearbeiten.Farbenersetzen",
       Maker<TfrmReplaceColors>()},
      {&TfrmChild::mnuSizeImage, "Bildgröße ändern", "Bearbeiten.Bildgrößeändern", Maker<TfrmResizeImage>()},
      {&TfrmChild::mnuSizePaper, "Papierformat ändern", "Bearbeiten.Papiergrößeändern",
       Maker<TfrmResizePaper>()},
      {&TfrmChild::mnuSetLight, "Helligkeit", "Bearbeiten.Helligkeit", Maker<TfrmLight>()},
      {&TfrmChild::mnuSetContrast, "Kontrast", "Bearbeiten.Kontrast", Maker<TfrmContrast>()},
      {&TfrmChild::mnuRotateFree, "Frei drehen", "Bearbeiten.Drehen", Maker<TfrmRotate>()},
      {&TfrmChild::mnuSmoothColors, "Farbverlauf", "Effekte.Farbverlauf", Maker<TfrmSmoothColors>()},
      {&TfrmChild::mnuFrostedGlass, "Milchglaseffekt", "Effekte.Milchglaseffekt", Maker<TfrmFrostedGlass>()},
      {&TfrmChild::mnuBlur, "Unschärfe", "Effekte.Unschärfe", Maker<TfrmBlur>()},
      {&TfrmChild::mnuChPalette, "Palette ändern", "Effekte.Paletteändern", Maker<TfrmChangePalette>()},
  };
  return cases;
}

// Each menu item opens its dialog with its caption; the help button shows
// the dialog's topic; every control has a name; closing the window, Cancel
// and OK each free the dialog, and only OK touches the document.
TEST_F(OpDialogFrame, EveryDialogOpensHelpsNamesAndFreesItself) {
  Show(Pattern(40, 30));
  const TBitmap picture = Doc->Bitmap();
  for (const TDialogCase &c : Dialogs()) {
    SCOPED_TRACE(c.Caption);
    QString undoCaption;
    for (int way = 0; way < 3; ++way) {
      const bool freed = RunDialog<TOpDialog>(Doc->*c.Item, [&](TOpDialog &d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.Caption));
        EXPECT_EQ(d.HelpTopic(), QString::fromUtf8(c.Topic));
        EXPECT_EQ(d.BitBtnOK->text(), "&OK");
        EXPECT_EQ(d.BitBtnCancel->text(), "&Abbrechen");
        EXPECT_EQ(d.BitBtnHelp->text(), "&Hilfe");
        undoCaption = QString::fromUtf8(d.Op().UndoCaption);
        if (way == 0) {
          d.BitBtnHelp->click();
          ASSERT_NE(HelpViewerWindow(), nullptr);
          EXPECT_EQ(HelpViewerWindow()->CurrentTopic(), QString::fromUtf8(c.Topic));
          HelpViewerWindow()->close();
          for (QWidget *w : d.findChildren<QWidget *>()) {
            if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QComboBox *>(w) &&
                !qobject_cast<QLineEdit *>(w) && !qobject_cast<QSlider *>(w))
              continue;
            if (qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget()))
              continue; // the edit inside an editable list is the list's
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
                << w->metaObject()->className() << " " << w->toolTip().toStdString();
          }
          d.close();
        } else if (way == 1) {
          d.BitBtnCancel->click();
        } else {
          d.BitBtnOK->click();
        }
      });
      EXPECT_TRUE(freed) << way;
      if (way < 2) {
        EXPECT_TRUE(SamePixels(Doc->Bitmap(), picture));
        EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
      }
    }
    // OK with the settings as they start records the dialog's undo step.
    EXPECT_EQ(UndoHint(), "Rückgängig (" + undoCaption + ")");
    ASSERT_GE(Doc->Undo().UndoIndex(), 0);
    while (Doc->Undo().UndoIndex() >= 0)
      Doc->UndoStep();
    Show(picture);
  }
}

// The reduced copy: the largest fit into 145 x 145, nearest pixels, the
// paper colour around the picture.
TEST_F(OpDialogFrame, ReducedCopyAndItsScale) {
  Frame->panPaperColor->SetColor(RGB(10, 200, 30));
  const struct {
    int W, H;
    float Scale;
    int RW, RH;
  } cases[] = {{100, 50, 1.45f, 145, 72}, {1000, 2000, 0.0725f, 72, 145}, {145, 145, 1.0f, 145, 145}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
    Show(Pattern(c.W, c.H), pf8bit);
    auto *d = Open<TfrmLight>();
    EXPECT_FLOAT_EQ(d->FScale, c.Scale);
    EXPECT_EQ(d->ReducedCopy().Width(), c.RW);
    EXPECT_EQ(d->ReducedCopy().Height(), c.RH);
    TBitmap expected = InFormat(Doc->Bitmap(), pf24bit);
    ResizeBitmap(&expected, sftNearest, RGB(10, 200, 30), c.Scale * 100, c.Scale * 100);
    EXPECT_TRUE(SamePixels(d->ReducedCopy(), expected));
    EXPECT_TRUE(SamePixels(d->PreviewBitmap(), expected));
    if (c.W == 145) {
      EXPECT_TRUE(SamePixels(d->ReducedCopy(), InFormat(Doc->Bitmap(), pf24bit)));
    }
    // The document is not touched.
    EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf8bit);
    d->close();
    Flush();
  }
}

// The bar writes the edit and the preview follows; Enter and Tab in the
// edit read it leniently, limit it and move the bar; text that is no number
// gets the reader's message and changes nothing.
TEST_F(OpDialogFrame, TrackBarAndEditInStep) {
  Show(Pattern(60, 40));
  auto *d = Open<TfrmLight>();
  auto preview = [&](int amount) {
    TBitmap b = d->ReducedCopy();
    ApplyBrightness(&b, amount);
    return SamePixels(d->PreviewBitmap(), b);
  };
  d->TrackBarLigth->setValue(300);
  EXPECT_EQ(d->EditLight->text(), "45");
  EXPECT_TRUE(preview(45));

  const struct {
    const char *Typed;
    int Position;
    const char *Shown;
  } typed[] = {
      {"12a", 267, "12"}, {"", 255, "0"}, {"-300", 0, "-255"}, {"300", 510, "255"}, {"- 7 px", 248, "-7"}};
  for (const auto &t : typed) {
    d->EditLight->setFocus();
    d->EditLight->selectAll();
    QTest::keyClicks(d->EditLight, QString::fromUtf8(t.Typed));
    if (!*t.Typed)
      d->EditLight->clear();
    QTest::keyClick(d->EditLight, Qt::Key_Return);
    EXPECT_EQ(d->TrackBarLigth->value(), t.Position) << t.Typed;
    EXPECT_EQ(d->EditLight->text(), t.Shown) << t.Typed;
    EXPECT_TRUE(preview(t.Position - 255)) << t.Typed;
  }
  // Enter never pressed OK.
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);

  // The same position again still recomputes the preview.
  d->EditLight->setText("-7");
  QTest::keyClick(d->EditLight, Qt::Key_Enter);
  EXPECT_TRUE(preview(-7));

  // Leaving the edit with Tab applies it.
  d->EditLight->setFocus();
  d->EditLight->selectAll();
  QTest::keyClicks(d->EditLight, "77");
  QTest::keyClick(d->EditLight, Qt::Key_Tab);
  EXPECT_FALSE(d->EditLight->hasFocus());
  EXPECT_EQ(d->TrackBarLigth->value(), 332);

  // A minus between digits: the message, and the last settings stay.
  ClearShownMessages();
  d->EditLight->setText("1-2");
  QTest::keyClick(d->EditLight, Qt::Key_Return);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Text, "'1-2' ist kein gültiger Integerwert");
  EXPECT_EQ(ShownMessages()[0].Type, mtError);
  EXPECT_EQ(d->TrackBarLigth->value(), 332);
  EXPECT_TRUE(preview(77));
  d->close();
  Flush();
}

// Typed and not yet taken counts for OK; text that cannot be read keeps
// the dialog open without touching the document.
TEST_F(OpDialogFrame, OKTakesWhatWasTypedLast) {
  Show(Pattern(30, 20));
  const TBitmap picture = Doc->Bitmap();
  auto *d = Open<TfrmLight>();
  QPointer<TfrmLight> alive(d);
  d->EditLight->setFocus();
  d->EditLight->selectAll();
  QTest::keyClicks(d->EditLight, "1-");
  ClearShownMessages();
  d->BitBtnOK->click();
  Flush();
  ASSERT_FALSE(alive.isNull());
  EXPECT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), picture));

  d->EditLight->selectAll();
  QTest::keyClicks(d->EditLight, "30");
  d->BitBtnOK->click();
  Flush();
  EXPECT_TRUE(alive.isNull());
  TBitmap expected = picture;
  ApplyBrightness(&expected, 30);
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), expected));
}

// OK records the step first (the snapshot in the document's own format),
// works in 24 bits and returns the raster to the document's type.
TEST_F(OpDialogFrame, OKKeepsTheDocumentsFormatInItsSnapshot) {
  Doc->Bitmap().Assign(OwnPaletteImage(30, 20));
  Doc->SetImageType(pf8bit);
  const TBitmap before = Doc->Bitmap();
  auto *d = Open<TfrmContrast>();
  d->TrackBarContrast->setValue(255 + 40);
  d->BitBtnOK->click();
  Flush();
  TBitmap expected = InFormat(before, pf24bit);
  ContrastBitmap(&expected, 40);
  expected.SetPixelFormat(pf8bit);
  EXPECT_EQ(Doc->Bitmap().PixelFormat(), pf8bit);
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), expected));
  EXPECT_EQ(UndoHint(), "Rückgängig (Kontrast ändern)");
  ASSERT_TRUE(Doc->UndoStep());
  EXPECT_EQ(Doc->ImageType(), pf8bit);
  EXPECT_TRUE(SamePixels(Doc->Bitmap(), before));
  EXPECT_EQ(Doc->Bitmap().Palette(), before.Palette());
}

// The guarded dialogs refuse OK while a preview runs, with their message.
TEST_F(OpDialogFrame, BusyMessagesOfTheGuardedDialogs) {
  Show(Pattern(30, 20));
  const struct {
    std::function<TOpDialog *(TfrmChild &)> Make;
    TMsgDlgType Type;
    const char *Text;
  } cases[] = {
      {Maker<TfrmBlur>(), mtWarning,
       "Es wird gerade noch eine Zeichenoperation ausgeführt!\r\rBitte warten Sie ein paar Sekunden und "
       "versuchen Sie es noch einmal!"},
      {Maker<TfrmSmoothColors>(), mtError,
       "Es wird gerade eine Zeichenoperation ausgeführt!\r\rWarten Sie ein paar Sekunden und versuchen Sie "
       "es "
       "dann noch einmal!"},
      {Maker<TfrmChangePalette>(), mtWarning,
       "Es wird gerade noch eine Zeichenoperation ausgeführt!\r\rBitte warte ein paar Sekunden und versuche "
       "es "
       "dann noch einmal!"},
  };
  for (const auto &c : cases) {
    QPointer<TOpDialog> d = c.Make(*Doc);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->show();
    d->FBusy = true;
    ClearShownMessages();
    ResetBeepCount();
    d->BitBtnOK->click();
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].Text, QString::fromUtf8(c.Text));
    EXPECT_EQ(ShownMessages()[0].Type, c.Type);
    EXPECT_EQ(ShownMessages()[0].Buttons, mbOK);
    EXPECT_EQ(BeepCount(), 1);
    EXPECT_FALSE(d.isNull());
    EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
    d->FBusy = false;
    d->close();
    Flush();
  }
}

// OK pressed while the blur's preview is being computed: the message, the
// dialog stays; pressed again after the preview, the blur runs.
TEST_F(OpDialogFrame, BlurOKDuringItsPreview) {
  Show(Pattern(300, 300));
  auto *d = Open<TfrmBlur>();
  QPointer<TfrmBlur> alive(d);
  const TCoreHooks saved = CoreHooks();
  TCoreHooks hooks = saved;
  bool clicked = false;
  hooks.ProcessMessages = [&] {
    if (clicked || !d->FBusy)
      return;
    clicked = true;
    d->BitBtnOK->click();
  };
  SetCoreHooks(hooks);
  ClearShownMessages();
  d->TrackBarBlur->setValue(30);
  SetCoreHooks(saved);
  ASSERT_TRUE(clicked);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
  ASSERT_FALSE(alive.isNull());
  EXPECT_EQ(Doc->Undo().UndoIndex(), -1);
  EXPECT_EQ(d->EditBlur->text(), "30");
  d->BitBtnOK->click();
  Flush();
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(UndoHint(), "Rückgängig (Unschärfe)");
}

} // namespace
} // namespace tessaro::test
