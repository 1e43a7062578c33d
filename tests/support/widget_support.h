// Test support for the widgets suite: one QApplication for the whole test
// program, and a watchdog that closes any modal box so that a test fails
// instead of hanging on it.
#ifndef STEAMCALC_TESTS_WIDGET_SUPPORT_H
#define STEAMCALC_TESTS_WIDGET_SUPPORT_H

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

// Creates the QApplication before the first test and destroys it after the
// last; registered by including this header.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "steamcalc_widgets_test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A modal box the watchdog saw and closed.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Polls for a modal widget while it lives; records each message box (title,
// text, icon) and closes it, and closes any other modal widget as well.
class ModalWatchdog {
 public:
  ModalWatchdog() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { CloseModal(); });
    timer_.start();
  }

  const std::vector<SeenBox>& boxes() const { return boxes_; }
  std::vector<QString> texts() const {
    std::vector<QString> result;
    for (const SeenBox& box : boxes_) result.push_back(box.text);
    return result;
  }
  void clear() { boxes_.clear(); }

 private:
  void CloseModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
      box->done(QMessageBox::Ok);
    } else {
      boxes_.push_back(
          {modal->windowTitle(), QStringLiteral("<not a message box>"), QMessageBox::NoIcon});
      modal->close();
    }
  }

  QTimer timer_;
  std::vector<SeenBox> boxes_;
};

#endif  // STEAMCALC_TESTS_WIDGET_SUPPORT_H
