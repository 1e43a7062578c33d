// The region boundaries B23 and B2bc, and the selections by (p, h) and
// (p, s) that rest on them: every state inside their range gets a region.
#include "forward/boundaries.h"

#include <gtest/gtest.h>
#include <if97/if97.h>
#include <if97/if97_limits.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "message_recorder.h"
#include "verification.h"

namespace {

namespace detail = if97::detail;
namespace limits = if97::limits;

struct BoundaryRow {
  const char* source;
  double (*boundary)(double);
  double x;
  double published;
  int digits;
};

// IAPWS-IF97 verification values of eqs. 5, 6 (Table 1) and 20, 21 (Table 19).
const BoundaryRow kBoundaryRows[] = {
    {"B23 p(T), eq. 5", detail::PB23, 623.15, 16.5291643, 9},
    {"B23 T(p), eq. 6", detail::TB23, 16.5291643, 623.150000, 9},
    {"B2bc p(h), eq. 20", detail::PB2bc, 3516.004323, 100.000000, 9},
    {"B2bc h(p), eq. 21", detail::HB2bc, 100, 3516.004323, 10},
};

TEST(BoundariesTest, VerificationValues) {
  for (const BoundaryRow& row : kBoundaryRows) {
    SCOPED_TRACE(row.source);
    EXPECT_TRUE(MatchesPublished(row.boundary(row.x), row.published, row.digits));
  }
}

// Each boundary's two directions are inverses along the whole line.
TEST(BoundariesTest, BothDirectionsAgree) {
  for (double T = 623.15; T <= 863.15; T += 4) {
    EXPECT_NEAR(detail::TB23(detail::PB23(T)), T, 1e-9 * T) << "T = " << T;
  }
  for (double p = detail::kP2bcLowest; p <= 100; p += 1.5) {
    EXPECT_NEAR(detail::PB2bc(detail::HB2bc(p)), p, 1e-9 * p) << "p = " << p;
  }
}

class BackwardRegionsTest : public RecordingTest {};

// Over the whole range of REGION_PH and REGION_PS, on a grid and on the
// landmarks the tests compare with, each state gets a region code and its
// caption, without a message.
TEST_F(BackwardRegionsTest, EveryStateInRangeGetsARegion) {
  const std::set<int> codes = {-1, 1, 21, 22, 23, 3, 4};
  for (double lg = -3; lg <= 2; lg += 0.025) {
    const double p = std::clamp(std::pow(10.0, lg), 0.001, 100.0);
    const double h_min = if97::h_pt(p, limits::kLowestTemperature);
    for (double h = h_min; h <= 4642.8; h += 23.7) {
      int code = 0;
      std::string caption;
      if97::REGION_PH(p, h, code, caption);
      EXPECT_TRUE(codes.count(code)) << "p = " << p << ", h = " << h << ": " << code;
      EXPECT_FALSE(caption.empty());
    }
    const double s_min = if97::s_pt(limits::kPsHighestPressure, limits::kLowestTemperature);
    const double s_max = if97::s_pt(limits::kPsLowestPressure, limits::kHighestTemperatureRegion5);
    for (double s = s_min; s <= s_max; s += 0.0437) {
      int code = 0;
      std::string caption;
      if97::REGION_PS(p, s, code, caption);
      EXPECT_TRUE(codes.count(code)) << "p = " << p << ", s = " << s << ": " << code;
      EXPECT_FALSE(caption.empty());
    }
  }
  EXPECT_TRUE(messages().empty());
}

// A state on the B2bc line, to the last bit on either side, is in 2b or 2c;
// where rounding lets it pass neither B2bc test it is taken as 2b.
TEST_F(BackwardRegionsTest, StatesOnTheB2bcLine) {
  for (double p = 6.6; p <= 100; p += 0.37) {
    const double h_bc = detail::HB2bc(p);
    for (const double h : {std::nextafter(h_bc, 0.0), h_bc, std::nextafter(h_bc, 1e4)}) {
      int code = 0;
      std::string caption;
      if97::REGION_PH(p, h, code, caption);
      EXPECT_TRUE(code == 22 || code == 23) << "p = " << p << ", h = " << h << ": " << code;
    }
  }
  EXPECT_TRUE(messages().empty());
}

}  // namespace
