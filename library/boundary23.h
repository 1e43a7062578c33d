// Boundary between regions 2 and 3 (B23), shared by the region selection and
// the region-3 volume search. Internal to the library.
#ifndef STEAMCALC_LIBRARY_BOUNDARY23_H
#define STEAMCALC_LIBRARY_BOUNDARY23_H

namespace if97::b23 {

// IAPWS-IF97 Table 1, p* = 1 MPa, T* = 1 K:
// p = n1 + n2 T + n3 T^2 (eq. 5), T = n4 + ((p - n5) / n3)^0.5 (eq. 6).
inline constexpr double n[] = {
    0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2,
    0.57254459862746e3, 0.13918839778870e2,
};
static_assert(sizeof(n) / sizeof(n[0]) == 5);

}  // namespace if97::b23

#endif  // STEAMCALC_LIBRARY_BOUNDARY23_H
