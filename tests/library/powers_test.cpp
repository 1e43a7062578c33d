// Power tables whose exponent sets differ only in the reciprocals they form
// are distinct types across translation units: each forms its own powers.
#include "arith/powers.h"

#include <gtest/gtest.h>

double ReciprocalFromOtherUnit(double x);  // powers_test_other.cpp: x^-1 of {-3, -1, 2}

namespace {

constexpr int kExponents[] = {-3, -2, 2};  // same lowest and highest, x^-2 instead of x^-1

TEST(PowerTable, TablesThatDifferOnlyInTheirReciprocalsKeepTheirOwnPowers) {
  const if97::detail::PowerTable<if97::detail::Exponents{}.With(kExponents)> powers(2);
  EXPECT_EQ(powers[-2], 0.25);
  EXPECT_EQ(powers[-3], 0.125);
  EXPECT_EQ(powers[2], 4);
  EXPECT_EQ(ReciprocalFromOtherUnit(2), 0.5);
}

}  // namespace
