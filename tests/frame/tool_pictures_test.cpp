// The drawn pictures of the tool buttons and the tools' cursors.
#include "frame/ToolPictures.h"
#include "platform/Cursors.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <set>

namespace tessaro::test {
namespace {

QByteArray Pixels(const QImage &img) {
  const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
  return QByteArray(reinterpret_cast<const char *>(argb.constBits()), argb.sizeInBytes());
}

TEST(ToolPictures, EveryPictureIsDrawnAtOneAndTwoTimesAndDiffersFromTheOthers) {
  std::set<QByteArray> seen;
  for (int i = 0; i < ToolPictureCount; ++i) {
    SCOPED_TRACE(i);
    const QIcon icon = ToolPicture(i);
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(24, 24)));
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    const QImage img = icon.pixmap(QSize(24, 24)).toImage();
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        opaque += qAlpha(img.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 20);
    EXPECT_TRUE(seen.insert(Pixels(img)).second);
  }
  EXPECT_TRUE(ToolPicture(-1).isNull());
  EXPECT_TRUE(ToolPicture(ToolPictureCount).isNull());
}

TEST(ToolPictures, PictureButtonShowsItsPicture) {
  TPictureButton b(8);
  EXPECT_EQ(b.ImageIndex(), 8);
  b.SetImageIndex(10);
  EXPECT_EQ(b.ImageIndex(), 10);
  EXPECT_EQ(Pixels(b.icon().pixmap(QSize(24, 24)).toImage()),
            Pixels(ToolPicture(10).pixmap(QSize(24, 24)).toImage()));
}

// Each cursor acts at the centre of its cross: the hot spot itself is left
// open so that the pixel under it stays visible, the arms meet there.
TEST(ToolCursors, EachCursorHasItsOwnPictureAndTheCrossAtTheHotSpot) {
  std::set<QByteArray> seen;
  const QPoint hot = ToolCursorHotSpot();
  for (int id = 1; id <= ToolCursorCount; ++id) {
    SCOPED_TRACE(id);
    const QCursor c = CursorOfId(id);
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), hot);
    const QImage img = c.pixmap().toImage();
    ASSERT_FALSE(img.isNull());
    const qreal ratio = c.pixmap().devicePixelRatio();
    auto at = [&](int x, int y) { return img.pixel(int(x * ratio), int(y * ratio)); };
    EXPECT_EQ(qAlpha(at(hot.x(), hot.y())), 0);
    for (QPoint arm : {QPoint(hot.x(), hot.y() - 4), QPoint(hot.x(), hot.y() + 5),
                       QPoint(hot.x() - 4, hot.y()), QPoint(hot.x() + 5, hot.y())})
      EXPECT_EQ(qGray(at(arm.x(), arm.y())), 0) << arm.x() << "," << arm.y();
    EXPECT_TRUE(seen.insert(Pixels(img)).second);
  }
  EXPECT_EQ(CursorOfId(0).shape(), Qt::ArrowCursor);
  EXPECT_EQ(CursorOfId(21).shape(), Qt::ArrowCursor);
}

} // namespace
} // namespace tessaro::test
