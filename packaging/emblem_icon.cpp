// Build tool: makes the application icon from the emblem JPEG.
//   emblem_icon <emblem.jpg> <icon.png> <size>
// Decodes the JPEG as the windows do, scales it smoothly to size x size pixels
// and writes it as PNG, for the hicolor icon theme's fixed-size folders.
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "jpeg_image.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <emblem.jpg> <icon.png> <size>\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[3]);
  QFile file(QString::fromLocal8Bit(argv[1]));
  const QImage emblem =
      file.open(QIODevice::ReadOnly) ? steamcalc::DecodeJpeg(file.readAll()) : QImage();
  if (emblem.isNull() || size <= 0) {
    std::fprintf(stderr, "emblem_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QImage icon = emblem.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "emblem_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
