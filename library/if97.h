// steamcalc property library: thermodynamic properties of water and steam
// after IAPWS-IF97 (industrial formulation 1997), as adopted by GSSSD R-776-98.
//
// Units: p in MPa, t in degrees Celsius (T = t + 273.15 K), h in kJ/kg,
// s in kJ/(kg K), v in m3/kg, x (dryness fraction) from 0 to 1.
// Every function takes the pressure first. A function that meets arguments
// outside its range reports through ShowMessage() and returns FAILURE (or
// leaves its output arguments as they were).
#ifndef STEAMCALC_IF97_H
#define STEAMCALC_IF97_H

#include <functional>
#include <string>

#include "if97_version.h"

namespace if97 {

// The one value every function returns after it has shown a message.
// Finite, so that comparisons stay meaningful, and far from any property.
inline constexpr double FAILURE = -1.0e6;

inline constexpr double kCriticalPressure = 22.064;       // MPa
inline constexpr double kCriticalTemperature = 373.946;   // degC
inline constexpr double kGasConstant = 0.461526;          // kJ/(kg K), IAPWS-IF97 eq. 1
inline constexpr double kKelvinOffset = 273.15;           // K
inline constexpr double kB23LowestPressure = 16.5292;     // MPa, IAPWS-IF97 Table 1 at 623.15 K
inline constexpr double kRegion3LowestTemperature = 350;  // degC (623.15 K)

// ---- messages --------------------------------------------------------------
using MessageHandler = std::function<void(const std::string&)>;

// Shows a message (UTF-8) through the installed handler; the default handler
// writes the text and a newline to stderr.
void ShowMessage(const std::string& text);

// Installs a handler (an empty one restores the default) and returns the
// previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);

// ---- saturation line, region selection, dispatch by (p, t) ------------------
double PowInt(double x, int n);
double TS_P(double p);  // saturation temperature, IAPWS-IF97 eq. 31
double PS_T(double t);  // saturation pressure, IAPWS-IF97 eq. 30
// code: 0, 1, 2, 3, 31, 32, 4 or 5; caption left unchanged for 31 and 32.
void REGION_PT(double p, double t, int& code, std::string& caption);
double h_pt(double p, double t);
double s_pt(double p, double t);
double v_pt(double p, double t);

// ---- region 1 --------------------------------------------------------------
double HW_PT(double p, double t);
double SW_PT(double p, double t);
double VW_PT(double p, double t);
double V1_PT(double p, double t);  // no water-side check

// ---- region 2 --------------------------------------------------------------
double HP_PT(double p, double t);
double SP_PT(double p, double t);
double VP_PT(double p, double t);

// ---- region 3 --------------------------------------------------------------
double Z3_VT(double v, double t);                         // delta * phi_delta
void VKR_PT(double p, double t, double& v1, double& v2);  // liquid-side, vapour-side volume
double H3_PT(int k, double p, double t);                  // k = 1: at v1, k = 2: at v2
double S3_PT(int k, double p, double t);

// ---- region 5 --------------------------------------------------------------
double H5_PT(double p, double t);
double S5_PT(double p, double t);
double V5_PT(double p, double t);

// ---- saturated water (SW) and steam (SP) by pressure or temperature; wet steam
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
// code: 0, -1, 1, 21, 22, 23, 3 or 4.
void REGION_PH(double p, double h, int& code, std::string& caption);
double T_PH1(double p, double h);
double T_PH2a(double p, double h);
double T_PH2b(double p, double h);
double T_PH2c(double p, double h);
double T_PH3(double p, double h);
double T_PH(double p, double h);
double S_PH(double p, double h);
double V_PH(double p, double h);

// ---- state from pressure and entropy --------------------------------------
// code: 0, -1, 1, 21, 22, 23, 3 or 4.
void REGION_PS(double p, double s, int& code, std::string& caption);
double T_PS1(double p, double s);
double T_PS2a(double p, double s);
double T_PS2b(double p, double s);
double T_PS2c(double p, double s);
double T_PS3(double p, double s);
double T_PS(double p, double s);
double H_PS(double p, double s);
double V_PS(double p, double s);

// ---- saturation pressure from entropy or enthalpy --------------------------
double PS_S(double s);
void PS_H(double h, double& p_left, double& p_right);
double PS_H1(double h);
void PS_H2(double h, double& p_left, double& p_right);
double P_HSPMAX();
double P_HSPEQ();

}  // namespace if97

#endif  // STEAMCALC_IF97_H
