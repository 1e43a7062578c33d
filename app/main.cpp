// Start-up: the floating-point unit, the window system, the four windows and
// the event loop. Closing the main window ends the loop and the program.
#include <fpu_control.h>

#include <QApplication>
#include <cfenv>

#include "application.h"

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
  steamcalc::ConfigureApplication();
  InitialiseFloatingPoint();

  steamcalc::Windows windows;
  windows.form1.CentreOnDesktop();
  windows.form1.show();
  return QApplication::exec();
}
