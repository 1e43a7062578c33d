// What the program and the screenshot tool set up alike: the application's
// settings and its four windows.
#ifndef STEAMCALC_UI_APPLICATION_H
#define STEAMCALC_UI_APPLICATION_H

#include "about_window.h"
#include "authors_window.h"
#include "main_window.h"
#include "saturation_pressure_window.h"

namespace steamcalc {

// The application's name (the title of its message boxes), the widget style,
// the emblem as the windows' icon, and the library's messages as modal boxes.
// Needs the QApplication.
void ConfigureApplication();

// The main window and the three secondary windows it shows, created hidden;
// the secondary windows first, since the main window holds them.
struct Windows {
  TForm2 form2;
  TForm3 form3;
  TForm4 form4;
  TForm1 form1{form2, form3, form4};
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_APPLICATION_H
