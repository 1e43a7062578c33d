// Internal to the library: the arithmetic convention. Intermediate results are
// kept in the x86-64 extended type `ext`; a value is rounded to double only
// where it is stored (a result, a table entry, a field of a state), and that
// rounding is spelled Stored(...) so each one is visible in the formula.
#ifndef STEAMCALC_LIBRARY_STORED_H
#define STEAMCALC_LIBRARY_STORED_H

namespace if97::detail {

using ext = long double;

// The one rounding from the extended intermediate to the stored double.
constexpr double Stored(ext x) { return static_cast<double>(x); }

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_STORED_H
