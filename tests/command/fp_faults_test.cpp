// Which floating-point fault a calculation reports.
#include "fp_faults.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <string>

namespace steamcalc {
namespace {

std::string FaultAfter(int raised) {
  ClearFpFlags();
  std::feraiseexcept(raised);
  try {
    RaiseOnFpFault();
  } catch (const FloatingPointFault& fault) {
    ClearFpFlags();
    return fault.what();
  }
  ClearFpFlags();
  return "";
}

TEST(FpFaults, EachFaultHasItsText) {
  EXPECT_EQ(FaultAfter(FE_DIVBYZERO), "Floating point division by zero.");
  EXPECT_EQ(FaultAfter(FE_OVERFLOW | FE_INEXACT), "Floating point overflow.");
  EXPECT_EQ(FaultAfter(FE_INVALID), "Invalid floating point operation.");
}

TEST(FpFaults, TheCauseWinsOverItsConsequences) {
  EXPECT_EQ(FaultAfter(FE_DIVBYZERO | FE_INVALID), "Floating point division by zero.");
  EXPECT_EQ(FaultAfter(FE_OVERFLOW | FE_INVALID), "Floating point overflow.");
  EXPECT_EQ(FaultAfter(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID),
            "Floating point division by zero.");
}

TEST(FpFaults, UnderflowAndInexactAreNoFaults) {
  EXPECT_EQ(FaultAfter(0), "");
  EXPECT_EQ(FaultAfter(FE_UNDERFLOW | FE_INEXACT), "");
}

TEST(FpFaults, FlagsOfExtendedArithmeticCount) {
  ClearFpFlags();
  volatile long double zero = 0;
  volatile long double quotient = 1 / zero;
  static_cast<void>(quotient);
  EXPECT_THROW(RaiseOnFpFault(), FloatingPointFault);
  ClearFpFlags();
}

TEST(FpFaults, KeepFpFlagsRestoresWhatForeignCodeChanged) {
  ClearFpFlags();
  std::feraiseexcept(FE_INEXACT);
  {
    KeepFpFlags keep;
    std::feraiseexcept(FE_INVALID | FE_OVERFLOW);
  }
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT);
  std::feraiseexcept(FE_DIVBYZERO);
  {
    KeepFpFlags keep;
    ClearFpFlags();
  }
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT | FE_DIVBYZERO);
  ClearFpFlags();
}

}  // namespace
}  // namespace steamcalc
