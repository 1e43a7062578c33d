// Start-up: the floating-point unit, the window system, the four windows and
// the event loop. Closing the main window ends the loop and the program.
#include <fpu_control.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>
#include <cfenv>

#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "jpeg_image.h"
#include "message_boxes.h"

namespace {

// Extended precision (64-bit significand) and rounding to nearest on the x87
// unit, round to nearest for SSE too, and no exception flag left over. The
// flags are tested by the calculation command; nothing traps.
void InitialiseFloatingPoint() {
#if defined(_FPU_GETCW) && defined(_FPU_EXTENDED)
  fpu_control_t control = 0;
  _FPU_GETCW(control);
  control = (control & ~(_FPU_EXTENDED | _FPU_RC_ZERO)) | _FPU_EXTENDED | _FPU_RC_NEAREST;
  _FPU_SETCW(control);
#endif
  std::fesetround(FE_TONEAREST);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(steamcalc::kApplicationTitle));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(
      QIcon(QPixmap::fromImage(steamcalc::LoadJpegResource(QStringLiteral(":/emblem.jpg")))));
  InitialiseFloatingPoint();
  steamcalc::InstallMessageBoxHandler();

  steamcalc::TForm1 form1;
  steamcalc::TForm2 form2;
  steamcalc::TForm3 form3;
  steamcalc::TForm4 form4;
  form1.SetSecondaryWindows(&form2, &form3, &form4);

  form1.CentreOnDesktop();
  form1.show();
  return QApplication::exec();
}
