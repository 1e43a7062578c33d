#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <cfenv>

#include "if97.h"

namespace steamcalc {
namespace {

void RunBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  std::fexcept_t flags;
  std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
  {
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(icon == QMessageBox::Critical ? QStringLiteral("ErrorBox")
                                                    : QStringLiteral("MessageBox"));
    box.exec();
  }
  std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
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
    ShowModalMessage(QApplication::activeWindow(), QString::fromStdString(text));
  });
}

}  // namespace steamcalc
