// Internal to the library: the coefficients of the IAPWS-IF97 saturation-line
// equation (region 4), read by the classic saturation functions and by the
// double engine alike.
#ifndef STEAMCALC_LIBRARY_TABLES_SATURATION_H
#define STEAMCALC_LIBRARY_TABLES_SATURATION_H

#include <iterator>

namespace if97::saturation {

// IAPWS-IF97 Table 34, saturation-line equation; p* = 1 MPa, T* = 1 K, so the
// formulas take p in MPa and T in K as they are.
inline constexpr double n[] = {
    0.11670521452767e4,   // n1
    -0.72421316703206e6,  // n2
    -0.17073846940092e2,  // n3
    0.12020824702470e5,   // n4
    -0.32325550322333e7,  // n5
    0.14915108613530e2,   // n6
    -0.48232657361591e4,  // n7
    0.40511340542057e6,   // n8
    -0.23855557567849e0,  // n9
    0.65017534844798e3,   // n10
};
static_assert(std::size(n) == 10);

}  // namespace if97::saturation

#endif  // STEAMCALC_LIBRARY_TABLES_SATURATION_H
