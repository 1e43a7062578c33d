// The classic functions' results do not depend on the caller's x87 precision
// control: each runs at 64 bits and hands the caller's control word back.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

unsigned short ControlWord() {
  unsigned short cw = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  return cw;
}

void SetControlWord(unsigned short cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw)); }

constexpr unsigned short kPrecisionBits = 0x300;
constexpr unsigned short kPrecision53 = 0x200;
constexpr unsigned short kPrecision24 = 0x000;

std::uint64_t Bits(double x) {
  std::uint64_t b = 0;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// One result of each family: the forward equations, region 3's volume
// search, the saturation line, the backward equations and their searches,
// and the saturation pressures from s and h.
std::vector<double> Results() {
  double left = 0;
  double right = 0;
  if97::PS_H(2600, left, right);
  return {if97::h_pt(5, 300),
          if97::s_pt(3, 26.85),
          if97::v_pt(25, 380),
          if97::h_pt(20, 370),
          if97::cp_pt(8, 900),
          if97::TS_P(1),
          if97::PS_T(100),
          if97::HSP_P(21),
          if97::T_PH(3, 500),
          if97::T_PH(25, 2000),
          if97::T_PS(5, 6.5),
          if97::T_PS2b(8, 6),
          if97::PS_S(4.414),
          left,
          right,
          if97::H_PX(1, 0.5),
          if97::w_pt(0.0035, 426.85)};
}

TEST(Precision, ResultsDoNotDependOnTheCallersPrecisionControl) {
  const unsigned short caller = ControlWord();
  ASSERT_EQ(caller & kPrecisionBits, kPrecisionBits) << "the test process starts at 64 bits";
  const std::vector<double> extended = Results();
  for (const unsigned short precision : {kPrecision53, kPrecision24}) {
    const unsigned short reduced =
        static_cast<unsigned short>((caller & ~kPrecisionBits) | precision);
    SetControlWord(reduced);
    const std::vector<double> results = Results();
    const unsigned short after = ControlWord();
    SetControlWord(caller);
    EXPECT_EQ(after, reduced) << "the caller's control word comes back";
    ASSERT_EQ(results.size(), extended.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(Bits(results[i]), Bits(extended[i]))
          << "result " << i << " at precision control " << precision;
    }
  }
}

// Without the guard the same arithmetic differs: the precision control does
// change long double results, so the test above would see it.
TEST(Precision, ThePrecisionControlChangesExtendedArithmetic) {
  const unsigned short caller = ControlWord();
  volatile long double third = 1.0L;
  SetControlWord(static_cast<unsigned short>((caller & ~kPrecisionBits) | kPrecision53));
  const long double reduced = third / 3;
  SetControlWord(caller);
  const long double extended = third / 3;
  EXPECT_NE(reduced, extended);
}

}  // namespace
