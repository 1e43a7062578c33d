// The two pictures the windows carry: decoded from the program's resources
// with libjpeg, at their sizes, the emblem in colour and the diagram in grey.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPixmap>

#include "application.h"
#include "jpeg_image.h"
#include "widget_support.h"

namespace {

using steamcalc::DecodeJpeg;
using steamcalc::LoadJpegResource;

// A pixel counts as coloured when its channels differ by more than JPEG
// noise would make them.
constexpr int kColourSpread = 40;

int ColouredPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int spread =
          std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
      if (spread > kColourSpread) ++count;
    }
  }
  return count;
}

TEST(Pictures, EmblemIsA65By65ColourPicture) {
  const QImage emblem = LoadJpegResource(QStringLiteral(":/emblem.jpg"));
  ASSERT_FALSE(emblem.isNull());
  EXPECT_EQ(emblem.size(), QSize(65, 65));
  EXPECT_EQ(emblem.format(), QImage::Format_RGB888);
  EXPECT_GT(ColouredPixels(emblem), 65 * 65 / 10);
}

TEST(Pictures, DiagramIsA286By265GreyScalePicture) {
  const QImage diagram = LoadJpegResource(QStringLiteral(":/hs_diagram.jpg"));
  ASSERT_FALSE(diagram.isNull());
  EXPECT_EQ(diagram.size(), QSize(286, 265));
  EXPECT_EQ(diagram.format(), QImage::Format_Grayscale8);
  // Mostly white paper with dark lines and text on it.
  int dark = 0;
  int light = 0;
  for (int y = 0; y < diagram.height(); ++y) {
    const uchar* row = diagram.constScanLine(y);
    for (int x = 0; x < diagram.width(); ++x) {
      if (row[x] < 96) ++dark;
      if (row[x] > 224) ++light;
    }
  }
  EXPECT_GT(dark, 500);
  EXPECT_GT(light, diagram.width() * diagram.height() / 2);
}

TEST(Pictures, DecoderRejectsWhatIsNotAJpegWithoutEndingTheProgram) {
  EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture at all")).isNull());
  QFile file(QStringLiteral(":/emblem.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  bytes[1] = '\x00';  // no start-of-image marker
  EXPECT_TRUE(DecodeJpeg(bytes).isNull());
}

TEST(Pictures, TruncatedJpegStillGivesAPictureOfItsSize) {
  QFile file(QStringLiteral(":/hs_diagram.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const QImage image = DecodeJpeg(bytes.left(bytes.size() / 2));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(286, 265));
}

TEST(Pictures, WindowsShowTheDecodedPictures) {
  const steamcalc::Windows windows;
  const auto* emblem = windows.form1.findChild<QLabel*>(QStringLiteral("Image1"));
  const auto* diagram = windows.form4.findChild<QLabel*>(QStringLiteral("Image1"));
  ASSERT_NE(emblem, nullptr);
  ASSERT_NE(diagram, nullptr);
  EXPECT_EQ(emblem->pixmap().size(), QSize(65, 65));
  EXPECT_EQ(diagram->pixmap().size(), QSize(286, 265));
}

}  // namespace
