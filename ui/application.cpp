#include "application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>

#include "jpeg_image.h"
#include "message_boxes.h"

namespace steamcalc {

void ConfigureApplication() {
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(
      QIcon(QPixmap::fromImage(LoadJpegResource(QStringLiteral(":/emblem.jpg")))));
  InstallMessageBoxHandler();
}

}  // namespace steamcalc
