// Internal to the library: the coefficients of the IAPWS-IF97 boundary
// equations B23 (Table 1) and B2bc (Table 19), and of the saturation-line
// equation (Table 34).
#ifndef STEAMCALC_LIBRARY_TABLES_BOUNDARY_EQUATIONS_H
#define STEAMCALC_LIBRARY_TABLES_BOUNDARY_EQUATIONS_H

#include <iterator>

namespace if97::detail {

// IAPWS-IF97 Table 1, B23 between regions 2 and 3; p* = 1 MPa, T* = 1 K.
namespace b23 {
inline constexpr double n[] = {
    0.34805185628969e3,   // n1
    -0.11671859879975e1,  // n2
    0.10192970039326e-2,  // n3
    0.57254459862746e3,   // n4
    0.13918839778870e2,   // n5
};
}  // namespace b23
static_assert(std::size(b23::n) == 5);

// IAPWS-IF97 Table 19, B2bc between sub-regions 2b and 2c; p* = 1 MPa,
// h* = 1 kJ/kg.
namespace b2bc {
inline constexpr double n[] = {
    0.90584278514723e3,   // n1
    -0.67955786399241e0,  // n2
    0.12809002730136e-3,  // n3
    0.26526571908428e4,   // n4
    0.45257578905948e1,   // n5
};
}  // namespace b2bc
static_assert(std::size(b2bc::n) == 5);

}  // namespace if97::detail

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

#endif  // STEAMCALC_LIBRARY_TABLES_BOUNDARY_EQUATIONS_H
