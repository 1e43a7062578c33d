// Start-up: the command line, the floating-point unit, the window system, the
// four windows and the event loop. Closing the main window ends the loop and
// the program.
#include <fpu_control.h>

#include <QApplication>
#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "application.h"

namespace {

constexpr const char* kUsage =
    "Usage: steamcalc [Qt options]\n"
    "       steamcalc --help | --version\n"
    "\n"
    "Calculator of the thermodynamic properties of water and steam after\n"
    "IAPWS-IF97 (GSSSD R-776-98). Opens its window on the graphical display.\n"
    "\n"
    "  -h, --help   print this text and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Without a display, run it on a virtual X server: xvfb-run steamcalc\n";

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Whether Qt will find a window system to connect to. Qt aborts the process
// when its platform plugin cannot connect, so this is decided beforehand from
// what the plugin would use: an explicit platform (-platform, or
// QT_QPA_PLATFORM, of which only xcb is known to need DISPLAY), else the X11
// or Wayland display of the session.
bool HasDisplay(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") return true;
  }
  if (IsSet("QT_QPA_PLATFORM")) {
    const std::string_view platform = std::getenv("QT_QPA_PLATFORM");
    return platform.substr(0, platform.find(':')) != "xcb" || IsSet("DISPLAY");
  }
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

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
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("steamcalc " STEAMCALC_VERSION);
      return 0;
    }
  }
  if (!HasDisplay(argc, argv)) {
    std::fputs(
        "steamcalc: needs a graphical display, but no DISPLAY (X11) or WAYLAND_DISPLAY is set; "
        "without one, run it as: xvfb-run steamcalc\n",
        stderr);
    return 1;
  }

  QApplication app(argc, argv);
  steamcalc::ConfigureApplication();
  InitialiseFloatingPoint();

  steamcalc::Windows windows;
  windows.form1.CentreOnDesktop();
  windows.form1.show();
  return QApplication::exec();
}
