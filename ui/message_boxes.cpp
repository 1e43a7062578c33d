#include "message_boxes.h"

#include <if97/if97.h>

#include <QApplication>
#include <QMessageBox>

#include "fp_faults.h"

namespace steamcalc {
namespace {

void RunBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
  box.setObjectName(icon == QMessageBox::Critical ? QStringLiteral("ErrorBox")
                                                  : QStringLiteral("MessageBox"));
  box.exec();
}

}  // namespace

void ShowModalMessage(QWidget* parent, const QString& text) {
  RunBox(parent, QMessageBox::NoIcon, text);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
  RunBox(parent, QMessageBox::Critical, text);
}

void InstallMessageBoxHandler() {
  if97::SetMessageHandler([](const std::string& text) {
    KeepFpFlags keep;
    ShowModalMessage(QApplication::activeWindow(), QString::fromStdString(text));
  });
}

}  // namespace steamcalc
