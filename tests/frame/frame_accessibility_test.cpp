// Screen readers and desktop automation find every control of the frame by
// name: each button, list, edit, spin box and toolbar, shown or hidden,
// answers a name through the accessibility interface.
#include "frame/ToolPictures.h"
#include "frame_fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace tessaro::test {
namespace {

QString Path(const QWidget *w) {
  QString path;
  for (const QWidget *p = w; p; p = p->parentWidget()) {
    const QString name = p->objectName().isEmpty() ? QString(p->metaObject()->className()) : p->objectName();
    path = path.isEmpty() ? name : name + "/" + path;
  }
  return path;
}

bool NeedsName(const QWidget *w) {
  return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w) ||
         qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
         qobject_cast<const QToolBar *>(w);
}

TEST_F(FrameTest, EveryControlOfTheFrameHasAnAccessibleName) {
  // Every option toolbar once on screen, and a second document.
  for (uint16_t bit = 1; bit < otbAll; bit <<= 1)
    Frame->OptionToolBar(TOptionToolBar(bit))->show();
  Frame->CreateBlankDocument();
  Flush();
  int checked = 0;
  for (QWidget *w : Frame->findChildren<QWidget *>()) {
    if (!NeedsName(w))
      continue;
    ++checked;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    ASSERT_TRUE(iface) << Path(w).toStdString();
    EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
        << Path(w).toStdString() << " has no name (tooltip \"" << w->toolTip().toStdString() << "\")";
  }
  EXPECT_GT(checked, 60);
}

// A button without a caption is called by its hint.
TEST_F(FrameTest, PictureButtonsAreCalledByTheirHint) {
  const std::pair<QAbstractButton *, const char *> buttons[] = {
      {Frame->TBLine, "Linie"},
      {Frame->SpBtnMoreLines, "Weitere Linien"},
      {Frame->TBMarkMore, "Weitere Markierungen"},
      {Frame->ToolBarLines.TBNoFill, "Keine Füllung"},
      {Frame->ToolBar3D.TBUse3D, "3D Verwenden"},
      {Frame->ToolBarText.TBStrikeOut, "Durchgestrichen"},
  };
  for (const auto &[button, hint] : buttons) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(hint));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint));
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Frame->ToolBarLines.Bar)->text(QAccessible::Name),
            "Linien und Füllungen");
  EXPECT_EQ(Frame->ToolBarLines.Bar->windowTitle(), "Linien und Füllungen");
}

} // namespace
} // namespace tessaro::test
