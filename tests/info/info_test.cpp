// "Info": picture, icon, title, notice and the OK button.
#include "info/UnInfo.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tessaro::test {
namespace {

TEST(InfoDialog, ShowsPictureIconTitleAndNotice) {
  TfrmInfo d;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Info"));
  EXPECT_EQ(d.size(), QSize(422, 281));
  ASSERT_FALSE(d.Image->pixmap().isNull()) << "the background picture is shipped";
  EXPECT_EQ(d.Image->pixmap().size(), QSize(422, 281));
  EXPECT_FALSE(d.ImageIcon->pixmap().isNull());
  EXPECT_EQ(d.ImageIcon->geometry(), QRect(8, 8, 41, 33));
  EXPECT_EQ(d.lbAppTitle->text(), QStringLiteral("Tessaro 1.0"));
  EXPECT_FALSE(d.Label1->text().isEmpty());
  EXPECT_EQ(d.BtnOK->text(), QStringLiteral("&OK"));
  EXPECT_EQ(d.BtnOK->toolTip(), QStringLiteral("Schließen"));
  EXPECT_TRUE(d.BtnOK->isDefault());
  d.show();
  d.BtnOK->click();
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

} // namespace
} // namespace tessaro::test
