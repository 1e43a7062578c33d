// Internal to the library: the false-position search behind PS_S, PS_H1 and
// PS_H2. Declared here, apart from if97.h, so that tests can follow it pass by
// pass; callers outside the library use PS_S and PS_H.
#ifndef STEAMCALC_PSAT_SEARCH_H
#define STEAMCALC_PSAT_SEARCH_H

namespace if97::detail {

enum class Monotony { kIncreasing, kDecreasing };

// How the new point is written; both are the straight line through the two
// ends, but they round differently.
//   kRight: p = pR - (pR - pL) (fR - y) / (fR - fL)
//   kLeft:  p = pL + (pR - pL) (y - fL) / (fR - fL)
enum class Anchor { kRight, kLeft };

struct FalsePositionSearch {
  double (*f)(double p);  // a saturation property as a function of pressure
  double target;          // y
  double tolerance;       // on |y - f(p)|
  Monotony monotony;
  Anchor anchor;
  bool clamps;         // a new point below kClampThreshold becomes clamp_value
  double clamp_value;  // MPa
};

struct FalsePositionResult {
  double p;            // MPa
  int passes;          // passes made, counted from 1
  bool stopped_early;  // no further progress was possible; p is the best point seen
};

inline constexpr double kClampThreshold = 0.001;  // MPa
inline constexpr int kPassLimit = 10000;

// Searches the bracket (pL, pR) for f(p) = target. A new point never goes
// above the critical pressure, where the saturation properties do not exist.
// When the passes run out the bracket is halved until the tolerance is met,
// or the best point seen is the result.
FalsePositionResult FalsePosition(const FalsePositionSearch& search, double p_left, double p_right);

}  // namespace if97::detail

#endif  // STEAMCALC_PSAT_SEARCH_H
