// The calculation command of the main window ("Расчет") and clear-all
// ("Очистить всё"), written against CalcView so that they run without a display.
#ifndef STEAMCALC_UI_COMMAND_H
#define STEAMCALC_UI_COMMAND_H

#include "calc_view.h"

namespace steamcalc {

// Button4Click: the calculation command with its eight rows.
void Button4Click(CalcView& view);

// Button1Click of the main window: empties Edit1..Edit18 and Form4's three
// fields in that order, then unticks CheckBox1..CheckBox5.
void ClearAll(CalcView& view);

}  // namespace steamcalc

#endif  // STEAMCALC_UI_COMMAND_H
