// Draws the program's two pictures and writes them as JPEG files:
//   emblem.jpg      65 x 65, colour: a water drop with rising steam;
//   hs_diagram.jpg  286 x 265, grey-scale: the enthalpy-entropy diagram of
//                   the saturation-pressure window, computed with the
//                   property library itself.
// Usage: make_pictures [output-directory]   (default: resources)
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <if97/if97.h>
#include <jpeglib.h>

#include "emblem.h"

namespace {

constexpr int kJpegQuality = 92;

// Writes an RGB888 or Grayscale8 image with libjpeg's compression API.
bool WriteJpeg(const QImage& image, const std::string& path) {
  const bool grey = image.format() == QImage::Format_Grayscale8;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kJpegQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes non-const rows; it only reads them.
    auto* row = const_cast<JSAMPLE*>(image.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

// ---- emblem ---------------------------------------------------------------

// The emblem on white: the JPEG carries no transparency.
QImage DrawEmblem() {
  const int size = static_cast<int>(steamcalc::kEmblemBox);
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(QColor(0xFF, 0xFF, 0xFF));
  QPainter painter(&image);
  painter.drawImage(0, 0, steamcalc::RenderEmblem(size));
  painter.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

// ---- h-s diagram ------------------------------------------------------------

constexpr int kDiagramWidth = 286;
constexpr int kDiagramHeight = 265;

// Plot area and the ranges it shows.
constexpr double kLeft = 22, kRight = 280, kBottom = 246, kTop = 10;
constexpr double kSMax = 10.0;    // kJ/(kg K)
constexpr double kHMax = 3400.0;  // kJ/kg

constexpr double kLowestPressure = 0.001;  // MPa, the lower boundary of the region
constexpr double kEnthalpyShown = 2600.0;  // kJ/kg, the line of constant h
constexpr double kEntropyShown = 3.0;      // kJ/(kg K), the line of constant s

QPointF At(double s, double h) {
  return {kLeft + (kRight - kLeft) * s / kSMax, kBottom - (kBottom - kTop) * h / kHMax};
}

bool g_library_complained = false;

// The saturation line from the lowest pressure up the liquid side to the
// critical point and down the vapour side.
QPolygonF SaturationCurve() {
  constexpr int kSteps = 240;
  std::vector<double> pressures;
  const double ratio = std::log(if97::kCriticalPressure / kLowestPressure);
  for (int i = 0; i <= kSteps; ++i) {
    pressures.push_back(kLowestPressure * std::exp(ratio * i / kSteps));
  }
  pressures.back() = if97::kCriticalPressure;
  QPolygonF curve;
  for (double p : pressures) curve << At(if97::SSW_P(p), if97::HSW_P(p));
  for (auto it = pressures.rbegin() + 1; it != pressures.rend(); ++it) {
    curve << At(if97::SSP_P(*it), if97::HSP_P(*it));
  }
  return curve;
}

// The lowest isobar through the wet region and on into superheated steam
// (region 2) until it leaves the plot.
QPolygonF LowestIsobar() {
  QPolygonF isobar;
  isobar << At(if97::SSW_P(kLowestPressure), if97::HSW_P(kLowestPressure));
  const double ts = if97::TS_P(kLowestPressure);
  for (double t = ts + 0.01;; t += 2.0) {
    const double s = if97::SP_PT(kLowestPressure, t);
    const double h = if97::HP_PT(kLowestPressure, t);
    isobar << At(s, h);
    if (s > kSMax) break;
  }
  return isobar;
}

// The saturation states on a line of constant h (vapour side, two crossings)
// or constant s (liquid side, one crossing), by bisection in pressure.
double Crossing(double (*property)(double), double value, double p_low, double p_high) {
  const bool rising = property(p_high) > property(p_low);
  for (int i = 0; i < 200; ++i) {
    const double p = std::sqrt(p_low * p_high);
    if ((property(p) < value) == rising) {
      p_low = p;
    } else {
      p_high = p;
    }
  }
  return std::sqrt(p_low * p_high);
}

QImage DrawDiagram() {
  QImage image(kDiagramWidth, kDiagramHeight, QImage::Format_RGB32);
  image.fill(QColor(0xFF, 0xFF, 0xFF));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  painter.setFont(font);

  const QPolygonF curve = SaturationCurve();
  const QPolygonF isobar = LowestIsobar();

  // The region of saturation states the window's pressures belong to: under
  // the saturation curve, above the lowest isobar.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xE4, 0xE4, 0xE4));
  painter.drawPolygon(curve);

  // Axes with arrows: H upwards, S to the right.
  painter.setPen(QPen(Qt::black, 1.2));
  painter.drawLine(QPointF(kLeft, kBottom), QPointF(kLeft, kTop - 4));
  painter.drawLine(QPointF(kLeft, kBottom), QPointF(kRight + 2, kBottom));
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF() << QPointF(kLeft, kTop - 8) << QPointF(kLeft - 3, kTop)
                                  << QPointF(kLeft + 3, kTop));
  painter.drawPolygon(QPolygonF() << QPointF(kRight + 6, kBottom)
                                  << QPointF(kRight - 2, kBottom - 3)
                                  << QPointF(kRight - 2, kBottom + 3));
  QFont axis_font = font;
  axis_font.setBold(true);
  axis_font.setPixelSize(13);
  painter.setFont(axis_font);
  painter.drawText(QPointF(kLeft - 16, kTop + 8), QStringLiteral("H"));
  painter.drawText(QPointF(kRight - 6, kBottom + 15), QStringLiteral("S"));
  painter.setFont(font);

  // The lowest isobar, with its pressure.
  painter.setBrush(Qt::NoBrush);
  painter.setClipRect(QRectF(kLeft, kTop - 8, kRight - kLeft + 8, kBottom - kTop + 8));
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.3));
  painter.drawPolyline(isobar);
  painter.setClipping(false);
  const QPointF isobar_label = At(6.0, 1540);
  painter.drawText(isobar_label, QStringLiteral("P=0.001 МПа"));

  // The saturation curve.
  painter.setPen(QPen(Qt::black, 2.0));
  painter.drawPolyline(curve);

  // Constant enthalpy: crossings on both sides of the vapour line's maximum
  // (about 3 MPa).
  constexpr double kPeakPressure = 3.0;  // MPa
  const double p_left =
      Crossing(if97::HSP_P, kEnthalpyShown, kPeakPressure, if97::kCriticalPressure);
  const double p_right = Crossing(if97::HSP_P, kEnthalpyShown, kLowestPressure, kPeakPressure);
  const QPointF left = At(if97::SSP_P(p_left), kEnthalpyShown);
  const QPointF right = At(if97::SSP_P(p_right), kEnthalpyShown);
  painter.setPen(QPen(Qt::black, 1.0, Qt::DashLine));
  painter.drawLine(QPointF(kLeft, left.y()), QPointF(kRight, left.y()));
  painter.drawText(QPointF(kLeft + 3, left.y() - 3), QStringLiteral("h=const"));

  // Constant entropy: one crossing on the liquid side.
  const double p_s = Crossing(if97::SSW_P, kEntropyShown, kLowestPressure, if97::kCriticalPressure);
  const QPointF on_s = At(kEntropyShown, if97::HSW_P(p_s));
  painter.drawLine(QPointF(on_s.x(), kBottom), QPointF(on_s.x(), kTop + 20));
  painter.save();
  painter.translate(on_s.x() - 3, kBottom - 6);
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), QStringLiteral("S=const"));
  painter.restore();

  // The three saturation states and their names.
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::black);
  for (const QPointF& point : {left, right, on_s}) painter.drawEllipse(point, 3.0, 3.0);
  QFont label_font = font;
  label_font.setBold(true);
  painter.setFont(label_font);
  painter.drawText(QPointF(left.x() - 88, left.y() - 16), QStringLiteral("Ps=f(h)=P_left"));
  painter.drawText(QPointF(right.x() - 40, right.y() - 16), QStringLiteral("Ps=f(h)=P_right"));
  painter.drawText(QPointF(on_s.x() - 56, on_s.y() + 4), QStringLiteral("Ps=f(S)"));
  painter.setPen(QPen(Qt::black, 0.8));
  painter.drawLine(QPointF(left.x() - 30, left.y() - 14), left);
  painter.drawLine(QPointF(right.x() + 10, right.y() - 14), right);
  painter.end();
  return image.convertToFormat(QImage::Format_Grayscale8);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if97::SetMessageHandler([](const std::string& text) {
    std::fprintf(stderr, "make_pictures: library message: %s\n", text.c_str());
    g_library_complained = true;
  });

  const QString directory =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources");
  QDir().mkpath(directory);
  const QImage diagram = DrawDiagram();
  if (g_library_complained) return 1;
  const std::string emblem_path = (directory + QStringLiteral("/emblem.jpg")).toStdString();
  const std::string diagram_path = (directory + QStringLiteral("/hs_diagram.jpg")).toStdString();
  if (!WriteJpeg(DrawEmblem(), emblem_path) || !WriteJpeg(diagram, diagram_path)) {
    std::fprintf(stderr, "make_pictures: cannot write into %s\n",
                 directory.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%s\n%s\n", emblem_path.c_str(), diagram_path.c_str());
  return 0;
}
