// The application icon drawn from the emblem's shapes: transparent around the
// round emblem at every size the icon theme asks for, and an SVG document that
// parses and refers only to gradients it defines.
#include "emblem.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>

namespace {

using steamcalc::EmblemShapes;
using steamcalc::EmblemSvg;
using steamcalc::RenderEmblem;

class EmblemAtSize : public testing::TestWithParam<int> {};

TEST_P(EmblemAtSize, TransparentCornersOpaqueMiddle) {
  const int size = GetParam();
  const QImage icon = RenderEmblem(size);
  ASSERT_EQ(icon.size(), QSize(size, size));
  ASSERT_TRUE(icon.hasAlphaChannel());
  const int last = size - 1;
  for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
    EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << "corner " << corner.x() << "," << corner.y();
  }
  // The halo's edge and the drop's body are painted fully opaque.
  EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
  EXPECT_EQ(qAlpha(icon.pixel(size * 24 / 65, size * 48 / 65)), 255);
}

INSTANTIATE_TEST_SUITE_P(IconThemeSizes, EmblemAtSize,
                         testing::Values(16, 22, 24, 32, 48, 64, 128, 256));

TEST(EmblemSvg, WellFormedWithEveryShapeAndGradient) {
  QXmlStreamReader xml(EmblemSvg(256));
  QSet<QString> gradients;
  QSet<QString> referenced;
  int paths = 0;
  QString view_box;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto attributes = xml.attributes();
    if (xml.name() == QStringLiteral("svg")) view_box = attributes.value("viewBox").toString();
    if (xml.name().endsWith(QStringLiteral("Gradient"))) {
      gradients.insert(attributes.value("id").toString());
    }
    if (xml.name() == QStringLiteral("path")) {
      ++paths;
      EXPECT_FALSE(attributes.value("d").isEmpty());
      const QString fill = attributes.value("fill").toString();
      if (fill.startsWith(QStringLiteral("url(#"))) referenced.insert(fill.mid(5).chopped(1));
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(view_box, QStringLiteral("0 0 65 65"));
  EXPECT_EQ(paths, static_cast<int>(EmblemShapes().size()));
  EXPECT_EQ(referenced, gradients);
  EXPECT_EQ(gradients.size(), 2);
}

}  // namespace
