// Internal to the library: the coefficients and constants of the IAPWS
// formulations for the viscosity (IAPWS R12-08), the thermal conductivity
// (IAPWS R15-11, the industrial form), the surface tension (IAPWS R1-76(2014))
// and the static dielectric constant (IAPWS R8-97) of ordinary water.
#ifndef STEAMCALC_LIBRARY_TABLES_TRANSPORT_H
#define STEAMCALC_LIBRARY_TABLES_TRANSPORT_H

#include <iterator>

#include "tables/term.h"

namespace if97::detail::transport {

// Reducing constants (IAPWS R12-08 and R15-11).
inline constexpr double kTc = 647.096;              // K
inline constexpr double kRhoc = 322;                // kg/m3
inline constexpr double kPc = 22.064;               // MPa
inline constexpr double kMolarMass = 18.015268;     // g/mol
inline constexpr double kGasConstant = 0.46151805;  // kJ/(kg K), the R of IAPWS R15-11
inline constexpr double kViscosityStar = 1e-6;      // Pa s
inline constexpr double kConductivityStar = 1e-3;   // W/(m K)

// The correlation length shared by both critical enhancements
// (IAPWS R12-08 Table 3, IAPWS R15-11 Table 3).
inline constexpr double kXi0 = 0.13;            // nm
inline constexpr double kGamma0 = 0.06;         // dimensionless
inline constexpr double kNu = 0.630;            // dimensionless
inline constexpr double kGamma = 1.239;         // dimensionless
inline constexpr double kThetaReference = 1.5;  // T_R / Tc

// IAPWS R12-08 Table 1: H_i of the dilute-gas viscosity, rows {i, H_i}.
inline constexpr PowerTerm kViscosityIdeal[] = {
    {0, 1.67752},    // 0
    {1, 2.20462},    // 1
    {2, 0.6366564},  // 2
    {3, -0.241605},  // 3
};
static_assert(std::size(kViscosityIdeal) == 4);

// IAPWS R12-08 Table 2: H_ij of the residual viscosity, rows {i, j, H_ij}
// of (1/theta - 1)^i (delta - 1)^j.
inline constexpr Term kViscosityResidual[] = {
    {0, 0, 0.520094},      // 1
    {1, 0, 0.0850895},     // 2
    {2, 0, -1.08374},      // 3
    {3, 0, -0.289555},     // 4
    {0, 1, 0.222531},      // 5
    {1, 1, 0.999115},      // 6
    {2, 1, 1.88797},       // 7
    {3, 1, 1.26613},       // 8
    {5, 1, 0.120573},      // 9
    {0, 2, -0.281378},     // 10
    {1, 2, -0.906851},     // 11
    {2, 2, -0.772479},     // 12
    {3, 2, -0.489837},     // 13
    {4, 2, -0.25704},      // 14
    {0, 3, 0.161913},      // 15
    {1, 3, 0.257399},      // 16
    {0, 4, -0.0325372},    // 17
    {3, 4, 0.0698452},     // 18
    {4, 5, 0.00872102},    // 19
    {3, 6, -0.00435673},   // 20
    {5, 6, -0.000593264},  // 21
};
static_assert(std::size(kViscosityResidual) == 21);

// IAPWS R12-08 Table 3: the viscosity's critical enhancement.
inline constexpr double kXMu = 0.068;                   // dimensionless
inline constexpr double kQcInverse = 1.9;               // nm
inline constexpr double kQdInverse = 1.1;               // nm
inline constexpr double kXiSeriesLimit = 0.3817016416;  // nm, below it Y by its series
// The only states where industrial use (IF97 states) keeps the enhancement (IAPWS R12-08).
inline constexpr double kEnhancementTMin = 645.91;   // K, exclusive
inline constexpr double kEnhancementTMax = 650.77;   // K, exclusive
inline constexpr double kEnhancementRhoMin = 245.8;  // kg/m3, exclusive
inline constexpr double kEnhancementRhoMax = 405.3;  // kg/m3, exclusive

// IAPWS R15-11 Table 1: L_k of the dilute-gas conductivity, rows {k, L_k}.
inline constexpr PowerTerm kConductivityIdeal[] = {
    {0, 0.002443221},   // 0
    {1, 0.01323095},    // 1
    {2, 0.006770357},   // 2
    {3, -0.003454586},  // 3
    {4, 0.0004096266},  // 4
};
static_assert(std::size(kConductivityIdeal) == 5);

// IAPWS R15-11 Table 2: L_ij of the residual conductivity, rows {i, j, L_ij}
// of (1/theta - 1)^i (delta - 1)^j.
inline constexpr Term kConductivityResidual[] = {
    {0, 0, 1.60397357},      // 1
    {0, 1, -0.646013523},    // 2
    {0, 2, 0.111443906},     // 3
    {0, 3, 0.102997357},     // 4
    {0, 4, -0.0504123634},   // 5
    {0, 5, 0.00609859258},   // 6
    {1, 0, 2.33771842},      // 7
    {1, 1, -2.78843778},     // 8
    {1, 2, 1.53616167},      // 9
    {1, 3, -0.463045512},    // 10
    {1, 4, 0.0832827019},    // 11
    {1, 5, -0.00719201245},  // 12
    {2, 0, 2.19650529},      // 13
    {2, 1, -4.54580785},     // 14
    {2, 2, 3.55777244},      // 15
    {2, 3, -1.40944978},     // 16
    {2, 4, 0.275418278},     // 17
    {2, 5, -0.0205938816},   // 18
    {3, 0, -1.21051378},     // 19
    {3, 1, 1.60812989},      // 20
    {3, 2, -0.621178141},    // 21
    {3, 3, 0.0716373224},    // 22
    {4, 0, -2.720337},       // 23
    {4, 1, 4.57586331},      // 24
    {4, 2, -3.18369245},     // 25
    {4, 3, 1.1168348},       // 26
    {4, 4, -0.19268305},     // 27
    {4, 5, 0.012913842},     // 28
};
static_assert(std::size(kConductivityResidual) == 28);

// IAPWS R15-11 Table 3: the conductivity's critical enhancement.
inline constexpr double kLambda = 177.8514;             // dimensionless
inline constexpr double kQdInverseConductivity = 0.40;  // nm
inline constexpr double kYSmall = 1.2e-7;               // below it Z = 0

// IAPWS R15-11, the industrial form's reference compressibility:
// 1 / zeta(T_R, delta) = sum_i a_ij delta^i, i = 0..5, in the density range j
// (delta = rho / rhoc up to kZetaRangeTop[j]; the last range has no top).
inline constexpr double kZetaRangeTop[] = {0.310559006, 0.776397516, 1.242236025, 1.863354037};
inline constexpr double kZetaInverse[][6] = {
    {6.53786807199516, -5.61149954923348, 3.39624167361325, -2.27492629730878, 10.2631854662709,
     1.97815050331519},  // j = 0
    {6.52717759281799, -6.30816983387575, 8.08379285492595, -9.82240510197603, 12.1358413791395,
     -5.54349664571295},  // j = 1
    {5.35500529896124, -3.96415689925446, 8.91990208918795, -12.033872950579, 9.19494865194302,
     -2.16866274479712},  // j = 2
    {1.55225959906681, 0.464621290821181, 8.93237374861479, -11.0321960061126, 6.1678099993336,
     -0.965458722086812},  // j = 3
    {1.11999926419994, 0.595748562571649, 9.8895256507892, -10.325505114704, 4.66861294457414,
     -0.503243546373828},  // j = 4
};
static_assert(std::size(kZetaInverse) == std::size(kZetaRangeTop) + 1);

// IAPWS R1-76(2014): sigma = B tau^mu (1 + b tau), tau = 1 - T/Tc.
inline constexpr double kTensionB = 235.8;      // mN/m
inline constexpr double kTensionb = -0.625;     // dimensionless
inline constexpr double kTensionMu = 1.256;     // dimensionless
inline constexpr double kTensionTMin = 248.15;  // K; the top is Tc
inline constexpr double kTensionStar = 1e-3;    // N/m per mN/m

// A term n delta^I tau^J of the dielectric's g, J a multiple of 1/4.
struct QuarterPowerTerm {
  int I;
  double J;
  double n;
};

// IAPWS R8-97: N_h, i_h, j_h of the Harris-Alder g factor, rows {i_h, j_h, N_h}
// of delta^i_h (Tc/T)^j_h, h = 1..11; N_12 of delta (T/228 K - 1)^-1.2 apart.
inline constexpr QuarterPowerTerm kDielectricG[] = {
    {1, 0.25, 0.978224486826},    // 1
    {1, 1, -0.957771379375},      // 2
    {1, 2.5, 0.237511794148},     // 3
    {2, 1.5, 0.714692244396},     // 4
    {3, 1.5, -0.298217036956},    // 5
    {3, 2.5, -0.108863472196},    // 6
    {4, 2, 0.0949327488264},      // 7
    {5, 2, -0.00980469816509},    // 8
    {6, 5, 1.6516763497e-05},     // 9
    {7, 0.5, 9.37359795772e-05},  // 10
    {10, 10, -1.2317921872e-10},  // 11
};
static_assert(std::size(kDielectricG) == 11);
inline constexpr double kDielectricN12 = 0.00196096504426;  // dimensionless
inline constexpr double kDielectricT12 = 228;               // K
inline constexpr double kDielectricE12 = -1.2;              // dimensionless

// IAPWS R8-97 constants and range.
inline constexpr double kBoltzmann = 1.380658e-23;        // J/K
inline constexpr double kAvogadro = 6.0221367e+23;        // 1/mol
inline constexpr double kPolarizability = 1.636e-40;      // C2 m2/J, mean molecular
inline constexpr double kPermittivity = 8.854187817e-12;  // C2/(J m), of vacuum
inline constexpr double kDipoleMoment = 6.138e-30;        // C m
inline constexpr double kDielectricTMin = 238;            // K
inline constexpr double kDielectricTMax = 1200;           // K

}  // namespace if97::detail::transport

#endif  // STEAMCALC_LIBRARY_TABLES_TRANSPORT_H
