// Takes the README's screenshots from a running X server (scripts/screenshots
// starts one under Xvfb): the main window after a calculation and the
// saturation-pressure window. Drives the real windows as a user would.
// Usage: take_screenshots output-directory [review-directory]
// With a review directory it also shows and captures the saturation page,
// the About and the Authors windows there.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "application.h"

namespace {

using steamcalc::TForm1;

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QTest::qWait(30);
  }
}

void Enter(TForm1& form1, std::initializer_list<std::pair<int, const char*>> inputs) {
  for (int n = 1; n <= 5; ++n) {
    form1.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(n))->setChecked(false);
  }
  for (const auto& [n, text] : inputs) {
    QTest::mouseClick(form1.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(n)),
                      Qt::LeftButton);
    auto* edit = form1.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
    edit->clear();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }
  QTest::mouseClick(form1.findChild<QPushButton*>(QStringLiteral("Button4")), Qt::LeftButton);
  Settle();
}

bool Capture(QWidget& window, const QString& path) {
  const QPixmap shot = window.screen()->grabWindow(window.winId());
  if (shot.isNull() || !shot.save(path)) {
    std::fprintf(stderr, "take_screenshots: cannot capture %s\n", path.toLocal8Bit().constData());
    return false;
  }
  std::printf("%s\n", path.toLocal8Bit().constData());
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: take_screenshots output-directory [review-directory]\n");
    return 2;
  }
  steamcalc::ConfigureApplication();

  steamcalc::Windows windows;
  auto& [form2, form3, form4, form1] = windows;
  form1.move(16, 16);
  form1.show();
  Settle();

  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  bool ok = true;

  // The worked example of the README: p = 5 MPa, t = 300 degC.
  Enter(form1, {{1, "5"}, {2, "300"}});
  ok &= Capture(form1, out + QStringLiteral("/main_window.png"));

  // Enthalpy alone: the two saturation pressures.
  Enter(form1, {{3, "2600"}});
  ok &= Capture(form4, out + QStringLiteral("/saturation_window.png"));

  if (argc > 2) {
    const QString review = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(review);
    form4.hide();
    Enter(form1, {{1, "1"}});
    ok &= Capture(form1, review + QStringLiteral("/saturation_page.png"));
    Enter(form1, {{4, "6.585"}});
    ok &= Capture(form4, review + QStringLiteral("/entropy_row.png"));
    form4.hide();
    QTest::mouseClick(form1.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    Settle();
    ok &= Capture(form3, review + QStringLiteral("/about.png"));
    QTest::mouseClick(form1.findChild<QPushButton*>(QStringLiteral("Button3")), Qt::LeftButton);
    Settle();
    ok &= Capture(form2, review + QStringLiteral("/authors.png"));
  }
  return ok ? 0 : 1;
}
