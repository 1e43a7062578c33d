#include "command.h"

#include <if97/if97.h>
#include <if97/if97_limits.h>
#include <if97/if97_messages.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "fp_faults.h"
#include "number_format.h"

namespace steamcalc {
namespace {

// Check boxes of the input rows.
constexpr Box kPressureBox = Box::CheckBox1;
constexpr Box kTemperatureBox = Box::CheckBox2;
constexpr Box kEnthalpyBox = Box::CheckBox3;
constexpr Box kEntropyBox = Box::CheckBox4;
constexpr Box kDrynessBox = Box::CheckBox5;
constexpr Box kBoxes[] = {kPressureBox, kTemperatureBox, kEnthalpyBox, kEntropyBox, kDrynessBox};

// The range of the formulation and the bounds of the library's checks,
// which the rows check before they call the library.
using if97::kCriticalPressure;
using if97::kCriticalTemperature;
namespace limits = if97::limits;

// Texts shown by the command itself.
constexpr char kNoInputs[] = "Введите входные параметры для расчета";
constexpr char kTooManyInputs[] = "Количество входных параметров больше двух";
constexpr char kNoFunctions[] = "Для такого сочетания входных параметров нет функций для расчета";
using if97::messages::kPtOutOfRange;
constexpr char kAboveCriticalPressure[] = "Значение давления больше критического (22.064МПа)";
constexpr char kAboveCriticalTemperature[] =
    "Значение температуры больше критической (373.946 гр.С)";
using if97::messages::kPhOutOfRange, if97::messages::kPsOutOfRange;

// Shows a message while keeping the floating-point flags: the message box runs
// an event loop whose code must neither raise nor hide a fault of the row.
// The command keeps the flags around each box it shows; the view need not.
void ShowInView(CalcView& view, const std::string& text) {
  KeepFpFlags keep;
  view.Message(text);
}

// Routes the library's messages to the view for the lifetime of the object.
// A fault flag raised before a message turns into a FloatingPointFault instead
// of the message, so that no message follows a fault.
class LibraryMessagesToView {
 public:
  explicit LibraryMessagesToView(CalcView& view)
      : previous_(if97::SetMessageHandler([&view](const std::string& text) {
          RaiseOnFpFault();
          ShowInView(view, text);
        })) {}
  ~LibraryMessagesToView() { if97::SetMessageHandler(std::move(previous_)); }
  LibraryMessagesToView(const LibraryMessagesToView&) = delete;
  LibraryMessagesToView& operator=(const LibraryMessagesToView&) = delete;

 private:
  if97::MessageHandler previous_;
};

// The value of a library call, after making sure the call raised no fault.
double Checked(double value) {
  RaiseOnFpFault();
  return value;
}

double Read(const CalcView& view, Field field) { return StrToFloat(DotToComma(view.Text(field))); }

// A row's results, written in the order given once the page (or Form4) that
// shows them is in front.
struct Result {
  Field field;
  std::string text;
};

void ShowOnPage(CalcView& view, Page page, std::initializer_list<Result> results) {
  view.SetPage(page);
  for (const Result& result : results) view.SetText(result.field, result.text);
}

void ShowInForm4(CalcView& view, std::initializer_list<Result> results) {
  view.ShowForm4();
  for (const Result& result : results) view.SetText(result.field, result.text);
}

// A range rejection: the row's message, then clear-all.
void Reject(CalcView& view, const std::string& text) {
  ShowInView(view, text);
  ClearAll(view);
}

// The window's number formats, one per quantity.
std::string TemperatureText(double t) { return FormatFixed(t, 7, 2); }
std::string EnthalpyText(double h) { return FormatFixed(h, 7, 2); }
std::string EntropyText(double s) { return FormatFixed(s, 7, 4); }
std::string VolumeText(double v) { return FormatAdaptive(v); }
std::string SaturationPressureText(double p) { return FormatAdaptive(p); }
std::string Form4PressureText(double p) { return FormatFixed(p, 7, 5); }

// Rows 1 and 2: the saturation state at a pressure or at a temperature, on the
// second page. The library is called in the order line, h', h'', s', s'', v',
// v''; that order is also the order of its messages.
struct SaturationRow {
  Field given;                       // Edit1 or Edit2
  double lowest;                     // 0.000611213 MPa or 0 degC
  double highest;                    // the critical pressure or temperature
  const char* above_highest;         // the row's rejection
  double (*line)(double);            // TS_P or PS_T
  Field line_field;                  // Edit10 or Edit11
  std::string (*line_text)(double);  // its format
  double (*h_water)(double), (*h_steam)(double);
  double (*s_water)(double), (*s_steam)(double);
  double (*v_water)(double), (*v_steam)(double);
};

void SaturationState(CalcView& view, const SaturationRow& row) {
  const double given = Read(view, row.given);
  if (given > row.highest) return Reject(view, row.above_highest);

  ClearFpFlags();
  double line = Checked(row.line(given));
  // Below the lowest point of the saturation line the saturation functions
  // report that there is no saturation state; eqs. 30 and 31 only extrapolate.
  if (given < row.lowest) line = if97::FAILURE;
  const double h_water = Checked(row.h_water(given));
  const double h_steam = Checked(row.h_steam(given));
  const double s_water = Checked(row.s_water(given));
  const double s_steam = Checked(row.s_steam(given));
  const double v_water = Checked(row.v_water(given));
  const double v_steam = Checked(row.v_steam(given));

  ShowOnPage(view, Page::Saturation,
             {{row.line_field, row.line_text(line)},
              {Field::Edit12, EnthalpyText(h_water)},
              {Field::Edit13, EntropyText(s_water)},
              {Field::Edit14, VolumeText(v_water)},
              {Field::Edit15, EnthalpyText(h_steam)},
              {Field::Edit16, EntropyText(s_steam)},
              {Field::Edit17, VolumeText(v_steam)}});
}

// Row 1: saturation state at a pressure.
void SaturationAtPressure(CalcView& view) {
  SaturationState(view,
                  {Field::Edit1, limits::kLowestSaturationPressure, kCriticalPressure,
                   kAboveCriticalPressure, if97::TS_P, Field::Edit10, TemperatureText, if97::HSW_P,
                   if97::HSP_P, if97::SSW_P, if97::SSP_P, if97::VSW_P, if97::VSP_P});
}

// Row 2: saturation state at a temperature.
void SaturationAtTemperature(CalcView& view) {
  SaturationState(view,
                  {Field::Edit2, limits::kLowestTemperature, kCriticalTemperature,
                   kAboveCriticalTemperature, if97::PS_T, Field::Edit11, SaturationPressureText,
                   if97::HSW_T, if97::HSP_T, if97::SSW_T, if97::SSP_T, if97::VSW_T, if97::VSP_T});
}

// Row 3: state at pressure and temperature.
void StateAtPT(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  const double t = Read(view, Field::Edit2);
  if (p > limits::kHighestPressure || p <= 0 || t > limits::kHighestTemperatureRegion5 ||
      t < limits::kLowestTemperature ||
      (p > limits::kRegion5Pressure && t > limits::kPtHighestTemperatureAbove10MPa)) {
    return Reject(view, kPtOutOfRange);
  }

  ClearFpFlags();
  const double h = Checked(if97::h_pt(p, t));
  const double s = Checked(if97::s_pt(p, t));
  const double v = Checked(if97::v_pt(p, t));

  ShowOnPage(view, Page::WaterAndSteam,
             {{Field::Edit7, EnthalpyText(h)},
              {Field::Edit8, EntropyText(s)},
              {Field::Edit9, VolumeText(v)}});
}

// Rows 4 and 5: the state at a pressure and an enthalpy or an entropy y: its
// temperature, the other one of h and s, and the volume, on the first page.
struct BackwardRow {
  Field given;               // Edit3 (h) or Edit4 (s)
  double lowest_pressure;    // MPa
  const char* out_of_range;  // the row's rejection
  void (*bounds)(double p, double& y_min, double& y_max);
  double (*temperature)(double p, double y);  // T_PH or T_PS
  double (*other)(double p, double y);        // S_PH or H_PS
  Field other_field;                          // Edit8 (s) or Edit7 (h)
  std::string (*other_text)(double);
  double (*volume)(double p, double y);  // V_PH or V_PS
};

void StateFromBackward(CalcView& view, const BackwardRow& row) {
  const double p = Read(view, Field::Edit1);
  const double y = Read(view, row.given);

  ClearFpFlags();
  double y_min = 0;
  double y_max = 0;
  row.bounds(p, y_min, y_max);
  if (p > limits::kHighestPressure || p < row.lowest_pressure || y < y_min || y > y_max) {
    return Reject(view, row.out_of_range);
  }
  const double t = Checked(row.temperature(p, y));
  const double other = Checked(row.other(p, y));
  const double v = Checked(row.volume(p, y));

  ShowOnPage(view, Page::WaterAndSteam,
             {{Field::Edit6, TemperatureText(t)},
              {row.other_field, row.other_text(other)},
              {Field::Edit9, VolumeText(v)}});
}

// The enthalpy bounds lie on the given isobar at 0 and 800 degC and are found
// before the pressure is checked.
void EnthalpyBounds(double p, double& h_min, double& h_max) {
  h_max = Checked(if97::h_pt(p, limits::kHighestTemperatureRegion2));
  h_min = Checked(if97::h_pt(p, limits::kLowestTemperature));
}

// The entropy bounds are those of (0.001 MPa, 1000 degC) and (100 MPa,
// 0 degC), whatever the pressure.
void EntropyBounds(double, double& s_min, double& s_max) {
  s_max = Checked(if97::s_pt(limits::kPsLowestPressure, limits::kHighestTemperatureRegion5));
  s_min = Checked(if97::s_pt(limits::kPsHighestPressure, limits::kLowestTemperature));
}

// Row 4: state at pressure and enthalpy.
void StateAtPH(CalcView& view) {
  StateFromBackward(view, {Field::Edit3, limits::kPhLowestPressure, kPhOutOfRange, EnthalpyBounds,
                           if97::T_PH, if97::S_PH, Field::Edit8, EntropyText, if97::V_PH});
}

// Row 5: state at pressure and entropy.
void StateAtPS(CalcView& view) {
  StateFromBackward(view, {Field::Edit4, limits::kPsLowestPressure, kPsOutOfRange, EntropyBounds,
                           if97::T_PS, if97::H_PS, Field::Edit7, EnthalpyText, if97::V_PS});
}

// Row 6: wet steam at pressure and dryness fraction. The library checks x,
// and reports a pressure above the critical one through the saturation
// functions by temperature, since TS_P exceeds 373.946 degC there. Above
// 100 MPa that no longer holds: the saturation-line equation turns back below
// the critical temperature (TS_P(300) is about 350 degC), and the library would
// return a wet-steam state that does not exist without a word. So the row
// itself rejects pressures above the window's highest pressure.
void WetSteam(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  const double x = Read(view, Field::Edit5);
  if (p > limits::kHighestPressure) return Reject(view, kAboveCriticalPressure);

  ClearFpFlags();
  double ts = Checked(if97::TS_P(p));
  const double h = Checked(if97::H_PX(p, x));
  const double s = Checked(if97::S_PX(p, x));
  const double v = Checked(if97::V_PX(p, x));
  // Below 0 degC the saturation functions by temperature have reported that
  // there is no saturation state; eq. 31 only extrapolates there.
  if (ts < limits::kLowestTemperature) ts = if97::FAILURE;

  ShowOnPage(view, Page::WaterAndSteam,
             {{Field::Edit6, TemperatureText(ts)},
              {Field::Edit7, EnthalpyText(h)},
              {Field::Edit8, EntropyText(s)},
              {Field::Edit9, VolumeText(v)}});
}

// Row 7: saturation pressure from entropy, shown in Form4.
void SaturationPressureFromEntropy(CalcView& view) {
  const double s = Read(view, Field::Edit4);

  ClearFpFlags();
  const double ps = Checked(if97::PS_S(s));

  ShowInForm4(view, {{Field::Form4Edit1, Form4PressureText(ps)}});
}

// Row 8: the two saturation pressures from enthalpy, shown in Form4. Where
// PS_H delivers nothing, both keep the library's failure value.
void SaturationPressuresFromEnthalpy(CalcView& view) {
  const double h = Read(view, Field::Edit3);
  double p_left = if97::FAILURE;
  double p_right = if97::FAILURE;

  ClearFpFlags();
  if97::PS_H(h, p_left, p_right);
  RaiseOnFpFault();

  ShowInForm4(view, {{Field::Form4Edit2, Form4PressureText(p_left)},
                     {Field::Form4Edit3, Form4PressureText(p_right)}});
}

constexpr unsigned Boxes(std::initializer_list<Box> boxes) {
  unsigned mask = 0;
  for (const Box box : boxes) mask |= 1u << static_cast<int>(box);
  return mask;
}

struct Row {
  unsigned boxes;
  void (*run)(CalcView&);
};

// The calculation rows in the order they are tried; a row runs when exactly
// its boxes are ticked.
constexpr Row kRows[] = {
    {Boxes({kPressureBox}), SaturationAtPressure},
    {Boxes({kTemperatureBox}), SaturationAtTemperature},
    {Boxes({kPressureBox, kTemperatureBox}), StateAtPT},
    {Boxes({kPressureBox, kEnthalpyBox}), StateAtPH},
    {Boxes({kPressureBox, kEntropyBox}), StateAtPS},
    {Boxes({kPressureBox, kDrynessBox}), WetSteam},
    {Boxes({kEntropyBox}), SaturationPressureFromEntropy},
    {Boxes({kEnthalpyBox}), SaturationPressuresFromEnthalpy},
};

// Pairs of given quantities for which no row exists, in the order tested.
constexpr std::pair<Box, Box> kPairsWithoutFunctions[] = {
    {kTemperatureBox, kEnthalpyBox}, {kTemperatureBox, kEntropyBox}, {kTemperatureBox, kDrynessBox},
    {kEnthalpyBox, kDrynessBox},     {kEntropyBox, kDrynessBox},
};

// The result fields that every calculation empties first, in this order.
constexpr Field kResultFields[] = {
    Field::Edit6,  Field::Edit7,  Field::Edit8,      Field::Edit9,      Field::Edit10,
    Field::Edit11, Field::Edit12, Field::Edit13,     Field::Edit14,     Field::Edit15,
    Field::Edit16, Field::Edit17, Field::Form4Edit1, Field::Form4Edit2, Field::Form4Edit3,
};

void Calculate(CalcView& view) {
  view.SetPage(Page::WaterAndSteam);

  unsigned ticked = 0;
  int count = 0;
  for (const Box box : kBoxes) {
    if (view.IsChecked(box)) {
      ticked |= Boxes({box});
      ++count;
    }
  }
  if (count == 0) return ShowInView(view, kNoInputs);
  if (count > 2) return ShowInView(view, kTooManyInputs);
  for (const auto& [first, second] : kPairsWithoutFunctions) {
    if (ticked == Boxes({first, second})) return ShowInView(view, kNoFunctions);
  }

  for (const Field field : kResultFields) view.SetText(field, "");

  for (const Row& row : kRows) {
    if (row.boxes == ticked) return row.run(view);
  }
  // Enthalpy with entropy, and dryness fraction alone: no row; the emptied
  // results show that nothing was calculated.
}

}  // namespace

void Button4Click(CalcView& view) {
  try {
    LibraryMessagesToView messages(view);
    Calculate(view);
  } catch (const ConversionError& error) {
    KeepFpFlags keep;
    view.ErrorBox(error.message());
  } catch (const FloatingPointFault& error) {
    KeepFpFlags keep;
    view.ErrorBox(error.what());
  }
}

void ClearAll(CalcView& view) {
  for (int field = static_cast<int>(Field::Edit1); field <= static_cast<int>(Field::Form4Edit3);
       ++field) {
    view.SetText(static_cast<Field>(field), "");
  }
  for (const Box box : kBoxes) view.SetChecked(box, false);
}

}  // namespace steamcalc
