// steamcalc property library: thermodynamic properties of water and steam
// after IAPWS-IF97 (industrial formulation 1997), as adopted by GSSSD R-776-98.
//
// Units: p in MPa, t in degrees Celsius (T = t + 273.15 K), h in kJ/kg,
// s in kJ/(kg K), v in m3/kg, x (dryness fraction, the mass fraction of
// steam) from 0 to 1. Every function of two state quantities takes the
// pressure first.
//
// Range. The library covers 0 <= t <= 800 degC at 0 < p <= 100 MPa, and
// 800 < t <= 1000 degC at p <= 10 MPa. Region 5 is the five-term form first
// published in 1997 and used only up to 1000 degC and 10 MPa, not the
// six-term form of the 2007 revision. The IAPWS-IF97 regions:
//   1  liquid water, 0..350 degC, from the saturation pressure up to 100 MPa;
//   2  steam, 0..800 degC, from the lowest pressures up to the saturation
//      pressure, above 350 degC up to the B23 line (16.5292 MPa at 350 degC,
//      100 MPa at 590 degC);
//   3  near-critical states between 350 degC and the B23 line, from
//      16.5292 MPa up;
//   4  the saturation line, from 0 degC (0.000611213 MPa) to the critical
//      point (373.946 degC, 22.064 MPa);
//   5  steam from 800 to 1000 degC at up to 10 MPa.
//
// Refusals. A function that checks its arguments and finds them outside its
// range shows one message through ShowMessage() (a Russian text that ends
// with the function's name) and returns FAILURE; a function with output
// arguments leaves them as they were. A function that calls others passes
// their messages on as well, so one call may show several. Each declaration
// below says what the function checks. PowInt, TS_P, PS_T, V1_PT, Z3_VT, the
// equations of regions 2 and 5 and the backward equations T_PH1, T_PH2a,
// T_PH2b, T_PH2c, T_PS1, T_PS2a, T_PS2c check nothing and show nothing: they
// return what the equation gives for any argument, meaningful or not, and
// the caller keeps them inside the range given there. Inside the documented
// ranges no result is NaN and no floating-point exception flag (invalid
// operation, division by zero, overflow) is raised.
//
// Threads. No function keeps state between calls that could change a result,
// a message or a floating-point flag: any of them may run in several threads
// at once. (The region-3 volume search keeps, per thread, the two start
// volumes of the last pressure it saw, values of that pressure alone.) The
// message handler is one for the whole process; see SetMessageHandler().
#ifndef STEAMCALC_IF97_H
#define STEAMCALC_IF97_H

#include <if97/if97_version.h>

#include <functional>
#include <string>

namespace if97 {

// The one value every function returns after it has shown a message.
// Finite, so that comparisons stay meaningful, and far from any property.
// Compare with ==; no property in the range above has this value.
inline constexpr double FAILURE = -1.0e6;

inline constexpr double kCriticalPressure = 22.064;       // MPa
inline constexpr double kCriticalTemperature = 373.946;   // degC
inline constexpr double kGasConstant = 0.461526;          // kJ/(kg K), IAPWS-IF97 eq. 1
inline constexpr double kKelvinOffset = 273.15;           // K
inline constexpr double kB23LowestPressure = 16.5292;     // MPa, IAPWS-IF97 Table 1 at 623.15 K
inline constexpr double kRegion3LowestTemperature = 350;  // degC (623.15 K)

// ---- messages --------------------------------------------------------------
// Receives the text of each message (UTF-8). A handler runs on the thread of
// the library call that shows the message; calls in several threads may run
// one handler at the same time, so a handler installed while other threads
// compute must be safe to call concurrently. A program that wants messages
// per thread installs one handler that dispatches on a thread_local of its
// own.
//
// A handler may throw. The library catches nothing: the exception leaves
// ShowMessage() and every library function between it and the caller, and
// the caller gets no result. An output argument is written only after any
// message its function shows, so an output not yet written keeps the value
// the caller gave it. The library holds no lock and no resource while a
// handler runs, so later calls are unaffected. The state functions
// (if97_state.h) keep the messages of the functions they call and never call
// the handler. The window's calculation command relies on this: its handler
// throws a floating-point fault through the library when a fault flag was
// raised before the message, which ends the calculation.
using MessageHandler = std::function<void(const std::string&)>;

// Passes text to the installed handler, on the calling thread. The default
// handler writes the text and a newline to stderr in one write.
void ShowMessage(const std::string& text);

// Installs handler for the whole process, every thread, and returns a copy of
// the previous one; an empty handler restores the default. Safe to call from
// any thread at any time, also from inside a handler. A ShowMessage() that
// begins after SetMessageHandler() has returned (in another thread: after
// the two threads have synchronised, for instance by a join or a mutex) uses
// the new handler; a ShowMessage() already running finishes with the handler
// it began with, which stays alive until it returns.
MessageHandler SetMessageHandler(MessageHandler handler);

// ---- saturation line, region selection, dispatch by (p, t) ------------------
// x to the power n by |n| successive multiplications; 1 / x^|n| for n < 0 and
// exactly 1 for n = 0 (also for x = 0). No check: 0 to a negative power is
// infinite and raises division by zero. Every region equation forms its
// powers with it.
double PowInt(double x, int n);

// Saturation temperature (degC) at pressure p (MPa), IAPWS-IF97 eq. 31, valid
// from 0.000611213 to 22.064 MPa. No check, no message. Below 0.000611213 MPa
// it extrapolates to temperatures below 0 degC, down to about 5.7e-9 MPa;
// below that and for p <= 0 the result is NaN, with the invalid-operation
// flag raised. Above 22.064 MPa it continues the formula (about 374 to
// 377 degC up to 100 MPa), which the region selection compares with.
double TS_P(double p);

// Saturation pressure (MPa) at temperature t (degC), IAPWS-IF97 eq. 30, valid
// from 0 to 373.946 degC. No check, no message. Outside that it extrapolates;
// from about 432 to 534 degC it has no value (NaN, invalid-operation flag).
double PS_T(double t);

// The codes REGION_PT, REGION_PH and REGION_PS set (their comments give the
// captions).
namespace region_code {
// Codes of all three selections.
inline constexpr int kOutOfRange = 0;
inline constexpr int kRegion1 = 1;
inline constexpr int kRegion3 = 3;  // by (p, t): above the critical pressure
inline constexpr int kSaturationLine = 4;
// Codes of REGION_PT only.
inline constexpr int kRegion2 = 2;
inline constexpr int kRegion3Liquid = 31;  // at or below the critical pressure
inline constexpr int kRegion3Vapour = 32;
inline constexpr int kRegion5 = 5;
// Codes of REGION_PH and REGION_PS only.
inline constexpr int kWetSteam = -1;
inline constexpr int kRegion2a = 21;
inline constexpr int kRegion2b = 22;
inline constexpr int kRegion2c = 23;
}  // namespace region_code

// The IAPWS-IF97 region of the state (p, t). Accepts 0 < p <= 100 MPa,
// 0 <= t <= 1000 degC, and t <= 800 degC above 10 MPa (with a margin of
// 1e-11 MPa, 1e-9 and 1e-12 degC); otherwise it shows "Значения давления и
// температуры выходят за допустимые пределы" and sets code 0. code, caption:
//   0   out of range                  "Область недопустимых значений Р и Т"
//   1   region 1, liquid water        "Область Воды (1)"
//   2   region 2, steam               "Область перегретого пара (2)"
//   3   region 3 above 22.064 MPa     "Околокритическая область (3)"
//   31  region 3 at p <= 22.064 MPa, liquid side (t < TS_P(p))
//   32  region 3 at p <= 22.064 MPa, vapour side (t > TS_P(p))
//   4   t equal to TS_P(p) exactly    "Линия насыщения (4)"
//   5   region 5                      "Область высоких температур (5)"
// For 31 and 32 the caption is left as the caller passed it. The captions are
// for display; no function of the library shows them.
void REGION_PT(double p, double t, int& code, std::string& caption);

// Specific enthalpy, entropy and volume of the state (p, t) in the range and
// regions of REGION_PT (each call selects the region itself): region 3 by
// its volume found from (p, t) (VKR_PT). Refused with FAILURE: a state out
// of range (REGION_PT's message), a state exactly on the saturation line,
// where water and steam differ ("Вы попали на линию насыщения (h_pt)", and
// (s_pt), (v_pt)), and a region-3 state whose volume is not found (the
// message of VKR_PT).
double h_pt(double p, double t);
double s_pt(double p, double t);
double v_pt(double p, double t);

// ---- region 1 --------------------------------------------------------------
// The region-1 equation (IAPWS-IF97 eq. 7, Tables 2 to 4): h, s and v of
// liquid water, valid for 0 <= t <= 350 degC from the saturation pressure up
// to 100 MPa. They check one thing only, that the state is not on the vapour
// side of the saturation line: t > TS_P(p) + 0.0001 degC is refused with
// "Параметры не соответствуют области воды (HW_PT)" (SW_PT, VW_PT) and
// FAILURE. Pressure and the 350 degC limit are not checked.
double HW_PT(double p, double t);
double SW_PT(double p, double t);
double VW_PT(double p, double t);
double V1_PT(double p, double t);  // VW_PT without any check or message

// ---- region 2 --------------------------------------------------------------
// The region-2 equation (IAPWS-IF97 eq. 15, Tables 10 to 12): h, s and v of
// steam, valid for 0 <= t <= 800 degC from p > 0 up to the saturation
// pressure (below 350 degC) or the B23 line. No check, no message; p must be
// positive (SP_PT takes ln p, VP_PT divides by p).
double HP_PT(double p, double t);
double SP_PT(double p, double t);
double VP_PT(double p, double t);

// ---- region 3 --------------------------------------------------------------
// Region 3 is a Helmholtz equation of (v, t) (IAPWS-IF97 eq. 28, Tables 30 and
// 31); a state given by (p, t) is solved for its volume first.
//
// Z3_VT: delta * phi_delta = p v / (R T) of the region-3 equation at volume v
// (m3/kg) and t (degC). No check, no message.
//
// VKR_PT: the specific volume of the region-3 state (p, t), found by a walk in
// steps of 1e-5 m3/kg and a bisection to a relative 1e-13; v1 on the liquid
// side, v2 on the vapour side. On the saturation line (p <= 22.064 MPa, t
// within a relative 1e-14 of TS_P(p)) v1 is the saturated-water and v2 the
// saturated-steam volume; elsewhere both hold the one volume of the state.
// No range check: it is meant for the states REGION_PT classes as 3, 31 or
// 32 and for the saturation line from 350 degC to the critical point. When
// no volume is found it shows "Невозможно определить границы в околокритической
// области VKR_PT" (or, if the bisection does not close, "Невозможно определить
// удельный объем в околокритической области (VKR_PT)") and sets both to
// FAILURE.
//
// H3_PT, S3_PT: h and s at the volume v1 (k = 1, or any k other than 2) or v2
// (k = 2) of VKR_PT(p, t); FAILURE after VKR_PT's message.
double Z3_VT(double v, double t);                         // delta * phi_delta
void VKR_PT(double p, double t, double& v1, double& v2);  // liquid-side, vapour-side volume
double H3_PT(int k, double p, double t);                  // k = 1: at v1, k = 2: at v2
double S3_PT(int k, double p, double t);

// ---- region 5 --------------------------------------------------------------
// The region-5 equation in its 1997 form (IAPWS-IF97 eq. 32, Tables 37 and 38
// as first published, five residual terms): h, s and v of steam, used by the
// library for 800 < t <= 1000 degC at p <= 10 MPa. No check, no message; the
// equation was fitted up to 2000 degC at p <= 10 MPa, and p must be positive.
double H5_PT(double p, double t);
double S5_PT(double p, double t);
double V5_PT(double p, double t);

// ---- saturated water (SW) and steam (SP) by pressure or temperature; wet steam
// h, s, v of saturated water (SW) and saturated steam (SP) at pressure p
// (_P) or temperature t (_T): from regions 1 and 2 at or below 350 degC, from
// region 3 above it. The functions by pressure accept 0.000611213 <= p <=
// 22.064 MPa and refuse other pressures with "При данном давлении нет
// состояния насыщения (HSW_P)" (and so on) and FAILURE; the functions by
// temperature accept 0 <= t <= 373.946 degC and refuse with "При данной
// температуре нет состояния насыщения (HSW_T)" and FAILURE.
//
// H_PX, S_PX, V_PX: wet steam at pressure p and dryness fraction x, the
// saturated-water value mixed with the saturated-steam value at TS_P(p) in
// the proportion x (0 gives water, 1 steam). x outside 0..1 is refused with
// "Степень сухости X<0 или X>1 в H_PX" (S_PX, V_PX) and FAILURE. The pressure
// is not checked here: outside the saturation range the functions by
// temperature refuse (two messages) and the result is FAILURE. Where TS_P
// has no value (p <= 0, or below about 5.7e-9 MPa) the invalid-operation
// flag is raised.
double HSW_P(double p);
double SSW_P(double p);
double VSW_P(double p);
double HSP_P(double p);
double SSP_P(double p);
double VSP_P(double p);
double HSW_T(double t);
double SSW_T(double t);
double VSW_T(double t);
double HSP_T(double t);
double SSP_T(double t);
double VSP_T(double t);
double H_PX(double p, double x);
double S_PX(double p, double x);
double V_PX(double p, double x);

// ---- state from pressure and enthalpy -------------------------------------
// The region of the state (p, h). Accepts 0.001 <= p <= 100 MPa and h from
// that of water at 0 degC, h_pt(p, 0), up to 4642.8 kJ/kg at every pressure;
// otherwise "Заданные значения Р и Н выходят за пределы допустимых" and
// code 0. Inside these bounds it classes every h,
// also one that no state at p has (T_PH refuses those). code, caption:
//   0   out of range                  "Недопустимая область значений Р и Н"
//   -1  wet steam, h' < h < h''       "Область влажного пара (-1)"
//   1   region 1                      "Область недогретой воды (1)"
//   21  sub-region 2a, p <= 4 MPa     "Область перегретого пара (2a)"
//   22  sub-region 2b                 "Область перегретого пара (2b)"
//   23  sub-region 2c                 "Область перегретого пара (2с)"
//   3   between 350 degC and B23 above 16.5292 MPa, wet steam there included
//                                     "Околокритическая область (3)"
//   4   h equal to h' or h'' exactly  "Линия насыщения(4)"
// The captions are for display; no function of the library shows them.
void REGION_PH(double p, double h, int& code, std::string& caption);

// The IAPWS-IF97 backward equations T(p, h) (eqs. 11, 22, 23, 24), in degC,
// each valid in its own (sub-)region only, to within the permissible
// deviation of IAPWS-IF97 (25 mK in region 1 and 2c, 10 mK in 2a and 2b). No
// check, no message: use T_PH, which selects them.
double T_PH1(double p, double h);
double T_PH2a(double p, double h);
double T_PH2b(double p, double h);
double T_PH2c(double p, double h);

// The temperature in region 3 (code 3 of REGION_PH), by interpolation on
// h_pt between 350 degC and the B23 line to a relative 1e-5 in h; wet steam
// below 22.064 MPa gets TS_P(p). Where it does not converge (also for a
// state outside that band, which it does not check) it shows "Невозможно
// определить температуру в околокритической области Т_PH3" and returns
// FAILURE.
double T_PH3(double p, double h);

// The temperature of the state (p, h): the range and the messages of
// REGION_PH, then the backward equation of the region, T_PH3 in region 3,
// TS_P(p) for wet steam, and from 800 to 1000 degC (p <= 10 MPa) the
// region-5 equation solved for t. An h that REGION_PH admits but no state at
// p has (a temperature above 800 degC above 10 MPa, or above 1000 degC) is
// refused with REGION_PH's message and FAILURE. h exactly h' or h'' shows
// "Вы попали на линию насыщения (T_PH)" and returns the saturation
// temperature (for saturated water of region 1 by its backward equation).
double T_PH(double p, double h);

// Entropy and volume of the state (p, h) at the temperature of T_PH, which
// each calls itself (so its messages are shown again): by s_pt, v_pt, or for
// wet steam below 22.064 MPa (h' <= h <= h'') by S_PX, V_PX with x = (h - h')
// / (h'' - h'). FAILURE where T_PH refuses.
double S_PH(double p, double h);
double V_PH(double p, double h);

// ---- state from pressure and entropy --------------------------------------
// The region of the state (p, s). Accepts 0.001 <= p <= 100 MPa and s from
// s_pt(100, 0) (-0.00858 kJ/(kg K)) to s_pt(0.001, 1000) (12.1055 kJ/(kg K))
// at every pressure; otherwise "Заданные значения Р и S выходят за пределы
// допустимых" and code 0. Inside these bounds it classes every s, also one
// that no state at p has (T_PS refuses those). code, caption:
//   0   out of range                  "Область недопустимых значений  Р и S"
//   -1  wet steam, s' < s < s''       "Область влажного пара"
//   1   region 1                      "Область недогретой воды"
//   21  sub-region 2a, p <= 4 MPa     "Область перегретого пара (2a)"
//   22  sub-region 2b                 "Область перегретого пара (2b)"
//   23  sub-region 2c                 "Область перегретого пара (2с)"
//   3   between 350 degC and B23 above 16.5292 MPa, wet steam there included
//                                     "Околокритическая область (3)"
//   4   s equal to s' or s'' exactly  "Линия насыщения (4)"
// Sub-regions 2b and 2c part at s''(6.5467 MPa), about 5.848 kJ/(kg K). The
// captions are for display; no function of the library shows them.
void REGION_PS(double p, double s, int& code, std::string& caption);

// The IAPWS-IF97 backward equations T(p, s) of region 1 (eq. 13) and of
// sub-regions 2a (eq. 25) and 2c (T_PS2c below, eq. 27), in degC, each valid
// in its own (sub-)region only, to within the permissible deviation (25 mK
// in region 1 and 2c, 10 mK in 2a). No check, no message: use T_PS, which
// selects them.
double T_PS1(double p, double s);
double T_PS2a(double p, double s);

// Sub-region 2b, by interpolation on s_pt between TS_P(4) and 800 degC to a
// relative 1e-10 in s. An s above s_pt(p, 800) is refused with "Значение
// энтропии - недопустимо (больше чем при 800 гр.С)(T_PS2b)", no convergence
// with "Невозможно определить значение температуры (T_PS2b)"; FAILURE.
double T_PS2b(double p, double s);
double T_PS2c(double p, double s);  // backward equation, see T_PS1

// The temperature in region 3 (code 3 of REGION_PS), by interpolation on
// s_pt between 350 degC and the B23 line to a relative 1e-6 in s; wet steam
// below 22.064 MPa gets TS_P(p). Where it does not converge (also for a
// state outside that band, which it does not check) it shows "Невозможно
// определить значение температуры T_PS3" and returns FAILURE.
double T_PS3(double p, double s);

// The temperature of the state (p, s), as T_PH for (p, h): the range and the
// messages of REGION_PS; an s that REGION_PS admits but no state at p has (a
// temperature below 0 degC, above 800 degC above 10 MPa, or above 1000 degC)
// is refused with REGION_PS's message and FAILURE; s exactly s' or s'' shows
// "Вы попали на линию насыщения (T_PS)" and returns the saturation
// temperature.
double T_PS(double p, double s);

// Enthalpy and volume of the state (p, s) at the temperature of T_PS, which
// each calls itself: by h_pt, v_pt, or for wet steam by H_PX, V_PX with
// x = (s - s') / (s'' - s'). FAILURE where T_PS refuses.
double H_PS(double p, double s);
double V_PS(double p, double s);

// ---- saturation pressure from entropy or enthalpy --------------------------
// The inverses of the saturation functions by pressure, by false position on
// 0.001..22.064 MPa. A search that does not reach its tolerance ends without
// a message, with the closest pressure it found.
//
// PS_S: the saturation pressure at which saturated water (s < 4.412) or
// saturated steam (s > 4.412 kJ/(kg K)) has the entropy s, to 1e-7 kJ/(kg K).
// Accepts 0.106 <= s <= 8.9749 kJ/(kg K); otherwise "Такое значение энтропии
// не допустимо (0.106<S<8.9749) (PS_S)" and FAILURE. From about 4.41156
// (the critical entropy) to 4.412 the result is 22.064.
double PS_S(double s);

// The saturation pressures at which saturated water or steam has the enthalpy
// h. Accepts 29.3 kJ/kg up to the greatest enthalpy of saturated steam,
// HSP_P(P_HSPMAX()) (about 2803.285 kJ/kg); otherwise "При таком значении
// энтальпии нет состояния насыщения (PS_H)" and the outputs are left as they
// were. Up to h' at 22.064 MPa (about 2087.248 kJ/kg) both outputs are the
// water pressure of PS_H1; above it, those of PS_H2, where steam has the
// enthalpy twice from 2513.68 kJ/kg (h'' at 0.001 MPa) up: p_left is then the
// higher pressure, p_right the lower. Where there is one pressure both
// outputs hold it.
void PS_H(double h, double& p_left, double& p_right);

// The pressure at which saturated water has the enthalpy h, to 1e-7 kJ/kg.
// Accepts 29.3 <= h <= HSW_P(22.064); otherwise "Заданная энтальпия не
// является энтальпией насыщения для воды (PS_H1)" and FAILURE.
double PS_H1(double h);

// The pressure or pressures at which saturated steam has the enthalpy h, to
// 1e-10 kJ/kg (p_left the higher, p_right the lower; one pressure in both).
// An h above the greatest steam enthalpy is refused with "При таком значении
// энтальпии нет состояния насыщения (PS_H2)"; an h below h'' at 22.064 MPa
// gets nothing and no message. Where nothing is delivered the outputs are
// left as they were.
void PS_H2(double h, double& p_left, double& p_right);

// The pressure of the greatest enthalpy of saturated steam, about 3.07838 MPa.
double P_HSPMAX();

// The pressure between 17.8 and 18 MPa at which saturated steam has the same
// enthalpy as at 0.001 MPa, about 17.89695 MPa.
double P_HSPEQ();

// ---- internal energy, heat capacities, speed of sound -----------------------
// u in kJ/kg, cp and cv in kJ/(kg K), w in m/s, from the same basic equations
// as h, s and v (IAPWS-IF97 Tables 3, 12, 31, 39).
//
// By pressure and temperature, for every state h_pt accepts, with h_pt's range
// check and region 3 at the volume h_pt uses. On the saturation line u_pt is
// refused as h_pt is; cp, cv and w do not exist in the two-phase state and are
// refused with their own message.
double u_pt(double p, double t);
double cp_pt(double p, double t);
double cv_pt(double p, double t);
double w_pt(double p, double t);

// Saturated water (SW) and steam (SP) by pressure or temperature, with the
// checks of HSW_P and HSW_T; internal energy of wet steam as H_PX mixes it.
double USW_P(double p);
double CPSW_P(double p);
double CVSW_P(double p);
double WSW_P(double p);
double USP_P(double p);
double CPSP_P(double p);
double CVSP_P(double p);
double WSP_P(double p);
double USW_T(double t);
double CPSW_T(double t);
double CVSW_T(double t);
double WSW_T(double t);
double USP_T(double t);
double CPSP_T(double t);
double CVSP_T(double t);
double WSP_T(double t);
double U_PX(double p, double x);

}  // namespace if97

#endif  // STEAMCALC_IF97_H
