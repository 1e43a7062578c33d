// Test support: comparison with published values to the digits printed.
#ifndef STEAMCALC_TESTS_LIBRARY_VERIFICATION_H
#define STEAMCALC_TESTS_LIBRARY_VERIFICATION_H

#include <gtest/gtest.h>

#include <cmath>

// Passes when actual, rounded to the significant digits of the published value,
// equals it: |actual - published| <= half a unit of the last printed digit.
inline ::testing::AssertionResult MatchesPublished(double actual, double published, int digits) {
  const double exponent = std::floor(std::log10(std::fabs(published)));
  const double half_unit = 0.5 * std::pow(10.0, exponent - digits + 1);
  if (std::fabs(actual - published) <= half_unit * (1 + 1e-9)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got " << ::testing::PrintToString(actual) << ", published " << published << " ("
         << digits << " digits)";
}

#endif  // STEAMCALC_TESTS_LIBRARY_VERIFICATION_H
