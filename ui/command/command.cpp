#include "command.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "fp_faults.h"
#include "if97.h"
#include "number_format.h"
#include "range_limits.h"

namespace steamcalc {
namespace {

// Check boxes of the input rows.
constexpr int kPressureBox = 1;
constexpr int kTemperatureBox = 2;
constexpr int kEnthalpyBox = 3;
constexpr int kEntropyBox = 4;
constexpr int kDrynessBox = 5;
constexpr int kBoxCount = 5;

// The range of the formulation and the bounds of the library's checks,
// which the rows check before they call the library.
using if97::kCriticalPressure;
using if97::kCriticalTemperature;
namespace limits = if97::limits;

// Texts shown by the command itself.
constexpr char kNoInputs[] = "Введите входные параметры для расчета";
constexpr char kTooManyInputs[] = "Количество входных параметров больше двух";
constexpr char kNoFunctions[] = "Для такого сочетания входных параметров нет функций для расчета";
constexpr char kPTOutOfRange[] = "Значения давления и температуры выходят за допустимые пределы";
constexpr char kAboveCriticalPressure[] = "Значение давления больше критического (22.064МПа)";
constexpr char kAboveCriticalTemperature[] =
    "Значение температуры больше критической (373.946 гр.С)";
constexpr char kPHOutOfRange[] = "Заданные значения Р и Н выходят за пределы допустимых";
constexpr char kPSOutOfRange[] = "Заданные значения Р и S выходят за пределы допустимых";

// Shows a message while keeping the floating-point flags: the message box runs
// an event loop whose code must neither raise nor hide a fault of the row.
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

void Write(CalcView& view, Field field, const std::string& text) { view.SetText(field, text); }

// A range rejection: the row's message, then clear-all.
void Reject(CalcView& view, const std::string& text) {
  ShowInView(view, text);
  ClearAll(view);
}

// Row 1: saturation state at a pressure.
void SaturationAtPressure(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  if (p > kCriticalPressure) return Reject(view, kAboveCriticalPressure);

  ClearFpFlags();
  double ts = Checked(if97::TS_P(p));
  // Below the lowest saturation pressure the saturation functions report that
  // there is no saturation state; eq. 31 only extrapolates below 0 degC.
  if (p < limits::kLowestSaturationPressure) ts = if97::FAILURE;
  const double h_water = Checked(if97::HSW_P(p));
  const double h_steam = Checked(if97::HSP_P(p));
  const double s_water = Checked(if97::SSW_P(p));
  const double s_steam = Checked(if97::SSP_P(p));
  const double v_water = Checked(if97::VSW_P(p));
  const double v_steam = Checked(if97::VSP_P(p));

  view.SetPage(1);
  Write(view, Field::Edit10, FormatFixed(ts, 7, 2));
  Write(view, Field::Edit12, FormatFixed(h_water, 7, 2));
  Write(view, Field::Edit13, FormatFixed(s_water, 7, 4));
  Write(view, Field::Edit14, FormatAdaptive(v_water));
  Write(view, Field::Edit15, FormatFixed(h_steam, 7, 2));
  Write(view, Field::Edit16, FormatFixed(s_steam, 7, 4));
  Write(view, Field::Edit17, FormatAdaptive(v_steam));
}

// Row 2: saturation state at a temperature.
void SaturationAtTemperature(CalcView& view) {
  const double t = Read(view, Field::Edit2);
  if (t > kCriticalTemperature) return Reject(view, kAboveCriticalTemperature);

  ClearFpFlags();
  double ps = Checked(if97::PS_T(t));
  // Below 0 degC the saturation functions report that there is no saturation
  // state; eq. 30 only extrapolates.
  if (t < limits::kLowestTemperature) ps = if97::FAILURE;
  const double h_water = Checked(if97::HSW_T(t));
  const double h_steam = Checked(if97::HSP_T(t));
  const double s_water = Checked(if97::SSW_T(t));
  const double s_steam = Checked(if97::SSP_T(t));
  const double v_water = Checked(if97::VSW_T(t));
  const double v_steam = Checked(if97::VSP_T(t));

  view.SetPage(1);
  Write(view, Field::Edit11, FormatAdaptive(ps));
  Write(view, Field::Edit12, FormatFixed(h_water, 7, 2));
  Write(view, Field::Edit13, FormatFixed(s_water, 7, 4));
  Write(view, Field::Edit14, FormatAdaptive(v_water));
  Write(view, Field::Edit15, FormatFixed(h_steam, 7, 2));
  Write(view, Field::Edit16, FormatFixed(s_steam, 7, 4));
  Write(view, Field::Edit17, FormatAdaptive(v_steam));
}

// Row 3: state at pressure and temperature.
void StateAtPT(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  const double t = Read(view, Field::Edit2);
  if (p > limits::kHighestPressure || p <= 0 || t > limits::kHighestTemperatureRegion5 ||
      t < limits::kLowestTemperature ||
      (p > limits::kRegion5Pressure && t > limits::kPtHighestTemperatureAbove10MPa)) {
    return Reject(view, kPTOutOfRange);
  }

  ClearFpFlags();
  const double h = Checked(if97::h_pt(p, t));
  const double s = Checked(if97::s_pt(p, t));
  const double v = Checked(if97::v_pt(p, t));

  view.SetPage(0);
  Write(view, Field::Edit7, FormatFixed(h, 7, 2));
  Write(view, Field::Edit8, FormatFixed(s, 7, 4));
  Write(view, Field::Edit9, FormatAdaptive(v));
}

// Row 4: state at pressure and enthalpy. The enthalpy bounds lie on the given
// isobar at 0 and 800 degC and are found before the pressure is checked.
void StateAtPH(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  const double h = Read(view, Field::Edit3);

  ClearFpFlags();
  const double h_max = Checked(if97::h_pt(p, limits::kHighestTemperatureRegion2));
  const double h_min = Checked(if97::h_pt(p, limits::kLowestTemperature));
  if (p > limits::kHighestPressure || p < limits::kPhLowestPressure || h < h_min || h > h_max) {
    return Reject(view, kPHOutOfRange);
  }
  const double t = Checked(if97::T_PH(p, h));
  const double s = Checked(if97::S_PH(p, h));
  const double v = Checked(if97::V_PH(p, h));

  view.SetPage(0);
  Write(view, Field::Edit6, FormatFixed(t, 7, 2));
  Write(view, Field::Edit8, FormatFixed(s, 7, 4));
  Write(view, Field::Edit9, FormatAdaptive(v));
}

// Row 5: state at pressure and entropy. The entropy bounds are those of
// (0.001 MPa, 1000 degC) and (100 MPa, 0 degC), whatever the pressure.
void StateAtPS(CalcView& view) {
  const double p = Read(view, Field::Edit1);
  const double s = Read(view, Field::Edit4);

  ClearFpFlags();
  const double s_max =
      Checked(if97::s_pt(limits::kPsLowestPressure, limits::kHighestTemperatureRegion5));
  const double s_min = Checked(if97::s_pt(limits::kPsHighestPressure, limits::kLowestTemperature));
  if (p > limits::kHighestPressure || p < limits::kPsLowestPressure || s < s_min || s > s_max) {
    return Reject(view, kPSOutOfRange);
  }
  const double t = Checked(if97::T_PS(p, s));
  const double h = Checked(if97::H_PS(p, s));
  const double v = Checked(if97::V_PS(p, s));

  view.SetPage(0);
  Write(view, Field::Edit6, FormatFixed(t, 7, 2));
  Write(view, Field::Edit7, FormatFixed(h, 7, 2));
  Write(view, Field::Edit9, FormatAdaptive(v));
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

  view.SetPage(0);
  Write(view, Field::Edit6, FormatFixed(ts, 7, 2));
  Write(view, Field::Edit7, FormatFixed(h, 7, 2));
  Write(view, Field::Edit8, FormatFixed(s, 7, 4));
  Write(view, Field::Edit9, FormatAdaptive(v));
}

// Row 7: saturation pressure from entropy, shown in Form4.
void SaturationPressureFromEntropy(CalcView& view) {
  const double s = Read(view, Field::Edit4);

  ClearFpFlags();
  const double ps = Checked(if97::PS_S(s));

  view.ShowForm4();
  Write(view, Field::Form4Edit1, FormatFixed(ps, 7, 5));
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

  view.ShowForm4();
  Write(view, Field::Form4Edit2, FormatFixed(p_left, 7, 5));
  Write(view, Field::Form4Edit3, FormatFixed(p_right, 7, 5));
}

constexpr unsigned Boxes(std::initializer_list<int> boxes) {
  unsigned mask = 0;
  for (const int box : boxes) mask |= 1u << box;
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
constexpr std::pair<int, int> kPairsWithoutFunctions[] = {
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
  view.SetPage(0);

  unsigned ticked = 0;
  int count = 0;
  for (int box = 1; box <= kBoxCount; ++box) {
    if (view.IsChecked(box)) {
      ticked |= 1u << box;
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
    view.ErrorBox(error.message());
  } catch (const FloatingPointFault& error) {
    view.ErrorBox(error.what());
  }
}

void ClearAll(CalcView& view) {
  for (int field = static_cast<int>(Field::Edit1); field <= static_cast<int>(Field::Form4Edit3);
       ++field) {
    view.SetText(static_cast<Field>(field), "");
  }
  for (int box = 1; box <= kBoxCount; ++box) view.SetChecked(box, false);
}

}  // namespace steamcalc
