// Build tool: writes the application icon.
//   emblem_icon <icon.png> <size>   the emblem at size x size pixels, transparent around it
//   emblem_icon <icon.svg>          the scalable icon
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "emblem.h"

int main(int argc, char** argv) {
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  const bool svg = path.endsWith(QStringLiteral(".svg"));
  if (argc != (svg ? 2 : 3)) {
    std::fprintf(stderr, "usage: %s <icon.png> <size> | %s <icon.svg>\n", argv[0], argv[0]);
    return 2;
  }
  bool written = false;
  if (svg) {
    QFile file(path);
    const QByteArray text = steamcalc::EmblemSvg(256);
    written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
  } else {
    const int size = std::atoi(argv[2]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "emblem_icon: bad size %s\n", argv[2]);
      return 2;
    }
    written = steamcalc::RenderEmblem(size).save(path, "PNG");
  }
  if (!written) {
    std::fprintf(stderr, "emblem_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
