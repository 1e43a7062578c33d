// The library evaluates its equations from tables of powers, forms what a
// search keeps constant once per search, reuses the values a search has
// already computed, and settles the sign of the region-3 residual without the
// exact sum where a bound allows it. None of that may change a bit: every
// function here is compared with a straightforward evaluation of the same
// formulas (PowInt per term, every residual evaluated anew, the region
// selected with TS_P itself), kept below as the reference. Results must be
// equal bit for bit, the messages equal in text and order, and the same
// floating-point faults raised.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "arith/powers.h"
#include "inverse/temperature_search.h"
#include "message_recorder.h"
#include "tables/basic_equations.h"

namespace reference {

using ext = long double;
using if97::FAILURE;
using if97::kGasConstant;
using if97::kKelvinOffset;
using if97::PowInt;
using if97::ShowMessage;
using if97::TS_P;

// ---- region 1 ------------------------------------------------------------------

namespace r1 = if97::region1;

struct Reduced1 {
  double pi, a, T, tau, c;
};

Reduced1 Reduce1(double p, double t) {
  Reduced1 r;
  r.pi = static_cast<double>(static_cast<ext>(p) / 16.53);
  r.a = static_cast<double>(7.1 - static_cast<ext>(r.pi));
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(1386 / static_cast<ext>(r.T));
  r.c = static_cast<double>(static_cast<ext>(r.tau) - 1.222);
  return r;
}

bool OnWaterSide(double p, double t) { return static_cast<ext>(TS_P(p)) + 0.0001 >= t; }

double V1_PT(double p, double t) {
  const Reduced1 r = Reduce1(p, t);
  double gamma_pi = 0;
  for (std::size_t i = 0; i < std::size(r1::n); ++i) {
    gamma_pi =
        static_cast<double>(gamma_pi + -static_cast<ext>(r1::n[i]) * r1::I[i] *
                                           PowInt(r.a, r1::I[i] - 1) * PowInt(r.c, r1::J[i]));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi * gamma_pi /
                             (static_cast<ext>(p) * 1000));
}

double HW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (HW_PT)");
    return FAILURE;
  }
  const Reduced1 r = Reduce1(p, t);
  double gamma_tau = 0;
  for (std::size_t i = 0; i < std::size(r1::n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(r1::n[i]) * PowInt(r.a, r1::I[i]) *
                                                    r1::J[i] * PowInt(r.c, r1::J[i] - 1));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau * gamma_tau);
}

double SW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (SW_PT)");
    return FAILURE;
  }
  const Reduced1 r = Reduce1(p, t);
  double gamma_tau = 0;
  double gamma = 0;
  for (std::size_t i = 0; i < std::size(r1::n); ++i) {
    gamma_tau = static_cast<double>(gamma_tau + static_cast<ext>(r1::n[i]) * PowInt(r.a, r1::I[i]) *
                                                    r1::J[i] * PowInt(r.c, r1::J[i] - 1));
    gamma = static_cast<double>(gamma + static_cast<ext>(r1::n[i]) * PowInt(r.a, r1::I[i]) *
                                            PowInt(r.c, r1::J[i]));
  }
  return static_cast<double>((static_cast<ext>(r.tau) * gamma_tau - gamma) * kGasConstant);
}

double VW_PT(double p, double t) {
  if (!OnWaterSide(p, t)) {
    ShowMessage("Параметры не соответствуют области воды (VW_PT)");
    return FAILURE;
  }
  return V1_PT(p, t);
}

// ---- region 2 ------------------------------------------------------------------

namespace r2 = if97::region2;

struct Reduced2 {
  double pi, T, tau, c;
};

Reduced2 Reduce2(double p, double t) {
  Reduced2 r;
  r.pi = static_cast<double>(static_cast<ext>(p) / 1);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(540 / static_cast<ext>(r.T));
  r.c = static_cast<double>(static_cast<ext>(r.tau) - 0.5);
  return r;
}

double HP_PT(double p, double t) {
  const Reduced2 r = Reduce2(p, t);
  double ideal_tau = 0;
  for (std::size_t i = 0; i < std::size(r2::n0); ++i) {
    ideal_tau = static_cast<double>(ideal_tau + static_cast<ext>(r2::J0[i]) * r2::n0[i] *
                                                    PowInt(r.tau, r2::J0[i] - 1));
  }
  double residual_tau = 0;
  for (std::size_t i = 0; i < std::size(r2::n); ++i) {
    residual_tau =
        static_cast<double>(residual_tau + static_cast<ext>(r2::n[i]) * PowInt(r.pi, r2::I[i]) *
                                               r2::J[i] * PowInt(r.c, r2::J[i] - 1));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau *
                             (static_cast<ext>(ideal_tau) + residual_tau));
}

double SP_PT(double p, double t) {
  const Reduced2 r = Reduce2(p, t);
  double ideal_tau = 0;
  double ideal_sum = 0;
  for (std::size_t i = 0; i < std::size(r2::n0); ++i) {
    ideal_tau = static_cast<double>(ideal_tau + static_cast<ext>(r2::J0[i]) * r2::n0[i] *
                                                    PowInt(r.tau, r2::J0[i] - 1));
    ideal_sum =
        static_cast<double>(ideal_sum + static_cast<ext>(r2::n0[i]) * PowInt(r.tau, r2::J0[i]));
  }
  double residual_tau = 0;
  double residual = 0;
  for (std::size_t i = 0; i < std::size(r2::n); ++i) {
    residual_tau =
        static_cast<double>(residual_tau + static_cast<ext>(r2::n[i]) * PowInt(r.pi, r2::I[i]) *
                                               r2::J[i] * PowInt(r.c, r2::J[i] - 1));
    residual = static_cast<double>(residual + static_cast<ext>(r2::n[i]) * PowInt(r.pi, r2::I[i]) *
                                                  PowInt(r.c, r2::J[i]));
  }
  const double gamma = static_cast<double>(std::log(static_cast<ext>(r.pi)) + ideal_sum + residual);
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) - gamma) *
      kGasConstant);
}

double VP_PT(double p, double t) {
  const Reduced2 r = Reduce2(p, t);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(r2::n); ++i) {
    residual_pi =
        static_cast<double>(residual_pi + static_cast<ext>(r2::I[i]) * r2::n[i] *
                                              PowInt(r.pi, r2::I[i] - 1) * PowInt(r.c, r2::J[i]));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

// ---- region 5 ------------------------------------------------------------------

namespace r5 = if97::region5;

struct Reduced5 {
  double pi, T, tau;
};

Reduced5 Reduce5(double p, double t) {
  Reduced5 r;
  r.pi = static_cast<double>(static_cast<ext>(p) / 1);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(1000 / static_cast<ext>(r.T));
  return r;
}

double H5_PT(double p, double t) {
  const Reduced5 r = Reduce5(p, t);
  double ideal_tau = 0;
  for (std::size_t i = 0; i < std::size(r5::n0); ++i) {
    ideal_tau = static_cast<double>(ideal_tau + static_cast<ext>(r5::J0[i]) * r5::n0[i] *
                                                    PowInt(r.tau, r5::J0[i] - 1));
  }
  double residual_tau = 0;
  for (std::size_t i = 0; i < std::size(r5::n); ++i) {
    residual_tau =
        static_cast<double>(residual_tau + static_cast<ext>(r5::n[i]) * PowInt(r.pi, r5::I[i]) *
                                               r5::J[i] * PowInt(r.tau, r5::J[i] - 1));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.tau *
                             (static_cast<ext>(ideal_tau) + residual_tau));
}

double S5_PT(double p, double t) {
  const Reduced5 r = Reduce5(p, t);
  double ideal_tau = 0;
  double ideal_sum = 0;
  for (std::size_t i = 0; i < std::size(r5::n0); ++i) {
    ideal_tau = static_cast<double>(ideal_tau + static_cast<ext>(r5::J0[i]) * r5::n0[i] *
                                                    PowInt(r.tau, r5::J0[i] - 1));
    ideal_sum =
        static_cast<double>(ideal_sum + static_cast<ext>(r5::n0[i]) * PowInt(r.tau, r5::J0[i]));
  }
  double residual_tau = 0;
  double residual = 0;
  for (std::size_t i = 0; i < std::size(r5::n); ++i) {
    residual_tau =
        static_cast<double>(residual_tau + static_cast<ext>(r5::n[i]) * PowInt(r.pi, r5::I[i]) *
                                               r5::J[i] * PowInt(r.tau, r5::J[i] - 1));
    residual = static_cast<double>(residual + static_cast<ext>(r5::n[i]) * PowInt(r.pi, r5::I[i]) *
                                                  PowInt(r.tau, r5::J[i]));
  }
  return static_cast<double>(
      (static_cast<ext>(r.tau) * (static_cast<ext>(ideal_tau) + residual_tau) -
       (std::log(static_cast<ext>(r.pi)) + ideal_sum + residual)) *
      kGasConstant);
}

double V5_PT(double p, double t) {
  const Reduced5 r = Reduce5(p, t);
  double residual_pi = 0;
  for (std::size_t i = 0; i < std::size(r5::n); ++i) {
    residual_pi =
        static_cast<double>(residual_pi + static_cast<ext>(r5::I[i]) * r5::n[i] *
                                              PowInt(r.pi, r5::I[i] - 1) * PowInt(r.tau, r5::J[i]));
  }
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant * r.pi *
                             (1 / static_cast<ext>(r.pi) + residual_pi) /
                             (static_cast<ext>(p) * 1000));
}

// ---- region 3 and its volume search -------------------------------------------------

namespace r3 = if97::region3;

constexpr char kNoBracket[] = "Невозможно определить границы в околокритической области VKR_PT";

double DeltaPhiDelta(double delta, double tau) {
  double sum = 0;
  for (std::size_t i = 0; i < std::size(r3::n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(r3::I[i]) * r3::n[i] *
                                        PowInt(delta, r3::I[i] - 1) * PowInt(tau, r3::J[i]));
  }
  return static_cast<double>(static_cast<ext>(delta) * (r3::n1 / static_cast<ext>(delta) + sum));
}

double Z3_VT(double v, double t) {
  const double delta = static_cast<double>((1 / static_cast<ext>(v)) / 322);
  const double tau = static_cast<double>(647.096 / (static_cast<ext>(t) + kKelvinOffset));
  return DeltaPhiDelta(delta, tau);
}

double F3_VT(double p, double v, double t) {
  return static_cast<double>(static_cast<ext>(Z3_VT(v, t)) -
                             static_cast<ext>(v) * (static_cast<ext>(p) * 1000) /
                                 ((static_cast<ext>(t) + kKelvinOffset) * kGasConstant));
}

bool BOUNDS_KR(double p, double t, double start, double step, double& a, double& b) {
  double x = start;
  for (int i = 1;; ++i) {
    a = x;
    x = static_cast<double>(static_cast<ext>(a) + step);
    const double fa = F3_VT(p, a, t);
    const double fx = F3_VT(p, x, t);
    if (i > 10000) return false;
    if (static_cast<ext>(fa) * fx < 0) {
      b = x;
      return true;
    }
  }
}

// The walk down from the liquid-side start, at positive volumes.
bool BracketBelow(double p, double t, double start, double& a, double& b) {
  const int steps = static_cast<int>(std::min<double>(10000, start / 0.00001 - 1));
  double x = start;
  for (int i = 0; i < steps; ++i) {
    a = x;
    x = static_cast<double>(static_cast<ext>(a) - 0.00001);
    if (static_cast<ext>(F3_VT(p, a, t)) * F3_VT(p, x, t) < 0) {
      b = x;
      return true;
    }
  }
  return false;
}

double BISECT_KR(double p, double A, double B, double t) {
  for (int i = 1;; ++i) {
    const double m = static_cast<double>((static_cast<ext>(A) + B) / 2);
    if (static_cast<ext>(F3_VT(p, A, t)) * F3_VT(p, m, t) >= 0) {
      A = m;
    } else {
      B = m;
    }
    const double e =
        static_cast<double>(std::fabs((static_cast<ext>(B) - A) * 2 / (static_cast<ext>(A) + B)));
    if (i > 100000) {
      ShowMessage("Невозможно определить удельный объем в околокритической области (VKR_PT)");
      return FAILURE;
    }
    if (e < 1e-13) return static_cast<double>((static_cast<ext>(A) + B) / 2);
  }
}

double LiquidRoot(double p, double t, double start) {
  double a = 0;
  double b = 0;
  if (BOUNDS_KR(p, t, start, 0.00001, a, b) || BracketBelow(p, t, start, a, b)) {
    return BISECT_KR(p, a, b, t);
  }
  ShowMessage(kNoBracket);
  return FAILURE;
}

double VapourRoot(double p, double t, double start) {
  double a = 0;
  double b = 0;
  if (BOUNDS_KR(p, t, start, -0.00001, a, b)) return BISECT_KR(p, a, b, t);
  ShowMessage(kNoBracket);
  return FAILURE;
}

// v dF3/dv, term by term.
ext VolumeSlope(double p, double t, double v) {
  const double tau = static_cast<double>(647.096 / (static_cast<ext>(t) + kKelvinOffset));
  const ext delta = (1 / static_cast<ext>(v)) / 322;
  ext sum = 0;
  for (std::size_t i = 0; i < std::size(r3::n); ++i) {
    ext tau_power = 1;
    for (int j = 0; j < r3::J[i]; ++j) tau_power *= tau;
    ext delta_power = 1;
    for (int k = 0; k < r3::I[i]; ++k) delta_power *= delta;
    sum += static_cast<ext>(r3::I[i]) * r3::n[i] * r3::I[i] * tau_power * delta_power;
  }
  return -sum - static_cast<ext>(v) * (static_cast<ext>(p) * 1000) /
                    ((static_cast<ext>(t) + kKelvinOffset) * kGasConstant);
}

template <typename Function>
double FallingZero(Function f, double lo, double hi) {
  while (std::fabs((static_cast<ext>(hi) - lo) * 2 / (static_cast<ext>(hi) + lo)) >= 1e-13) {
    const double m = static_cast<double>((static_cast<ext>(lo) + hi) / 2);
    if (m == lo || m == hi) break;
    (f(m) > 0 ? lo : hi) = m;
  }
  return static_cast<double>((static_cast<ext>(lo) + hi) / 2);
}

double SteamBesideCriticalPoint(double p, double t, double liquid, double walked) {
  const auto slope = [&](double v) { return VolumeSlope(p, t, v); };
  const auto f = [&](double v) { return F3_VT(p, v, t); };
  const double g = 0.38196601125010515;
  const double top = static_cast<double>(static_cast<ext>(liquid) + 4 * 0.00001);
  if (!(f(top) < 0 && slope(top) < 0)) return walked;
  double lo = liquid;
  double hi = top;
  double x1 = static_cast<double>(lo + g * (static_cast<ext>(hi) - lo));
  double x2 = static_cast<double>(hi - g * (static_cast<ext>(hi) - lo));
  while ((static_cast<ext>(hi) - lo) / lo >= 1e-12) {
    if (slope(x1) < slope(x2)) {
      lo = x1;
      x1 = x2;
      x2 = static_cast<double>(hi - g * (static_cast<ext>(hi) - lo));
    } else {
      hi = x2;
      x2 = x1;
      x1 = static_cast<double>(lo + g * (static_cast<ext>(hi) - lo));
    }
  }
  const double inflection = slope(x1) < slope(x2) ? x2 : x1;
  if (!(slope(inflection) > 0)) return walked;
  const double maximum = FallingZero(slope, inflection, top);
  if (!(f(maximum) > 0)) return maximum;
  const double steam = FallingZero(f, maximum, top);
  return std::fabs((static_cast<ext>(steam) - walked) / walked) < 1e-9 ? walked : steam;
}

void VKR_PT(double p, double t, double& v1, double& v2) {
  const double TB23 = static_cast<double>(
      572.54459862746 + std::sqrt((static_cast<ext>(p) - 13.91883977887) / 0.0010192970039326));
  if (p > 22.064) {
    const double A = V1_PT(p, 350);
    const double B = VP_PT(p, TB23);
    double v = FAILURE;
    double a = 0;
    double b = 0;
    if (static_cast<ext>(F3_VT(p, A, t)) * F3_VT(p, B, t) < 0) {
      v = BISECT_KR(p, A, B, t);
    } else if (BracketBelow(p, t, A, a, b)) {
      v = BISECT_KR(p, a, b, t);
    } else {
      ShowMessage(kNoBracket);
    }
    v1 = v;
    v2 = v;
    return;
  }
  double ts = TS_P(p);
  if (std::fabs((static_cast<ext>(ts) - t) / t) < 1e-14) ts = t;
  if (t == ts) {
    double vapour = VapourRoot(p, t, VP_PT(p, TB23));
    const double liquid = vapour == FAILURE ? FAILURE : LiquidRoot(p, t, VW_PT(p, 350));
    if (liquid != FAILURE && vapour < liquid + 0.00001) {
      vapour = SteamBesideCriticalPoint(p, t, liquid, vapour);
    }
    v1 = liquid;
    v2 = liquid == FAILURE ? FAILURE : vapour;
  } else if (t < ts) {
    const double v = LiquidRoot(p, t, VW_PT(p, 350));
    v1 = v;
    v2 = v;
  } else if (t > ts) {
    const double v = VapourRoot(p, t, VP_PT(p, TB23));
    v1 = v;
    v2 = v;
  }
}

struct Reduced3 {
  double delta, T, tau;
};

bool ReduceAtVolume(int k, double p, double t, Reduced3& r) {
  double v1 = FAILURE;
  double v2 = FAILURE;
  VKR_PT(p, t, v1, v2);
  const double v = k == 2 ? v2 : v1;
  if (v == FAILURE) return false;
  r.delta = static_cast<double>((1 / static_cast<ext>(v)) / 322);
  r.T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  r.tau = static_cast<double>(647.096 / static_cast<ext>(r.T));
  return true;
}

double TauPhiTau(const Reduced3& r) {
  double sum = 0;
  for (std::size_t i = 0; i < std::size(r3::n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(r3::n[i]) * PowInt(r.delta, r3::I[i]) *
                                        r3::J[i] * PowInt(r.tau, r3::J[i] - 1));
  }
  return static_cast<double>(static_cast<ext>(r.tau) * sum);
}

double H3_PT(int k, double p, double t) {
  Reduced3 r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const double tau_phi_tau = TauPhiTau(r);
  const double delta_phi_delta = DeltaPhiDelta(r.delta, r.tau);
  return static_cast<double>(static_cast<ext>(r.T) * kGasConstant *
                             (static_cast<ext>(tau_phi_tau) + delta_phi_delta));
}

double S3_PT(int k, double p, double t) {
  Reduced3 r;
  if (!ReduceAtVolume(k, p, t, r)) return FAILURE;
  const double tau_phi_tau = TauPhiTau(r);
  double sum = 0;
  for (std::size_t i = 0; i < std::size(r3::n); ++i) {
    sum = static_cast<double>(sum + static_cast<ext>(r3::n[i]) * PowInt(r.delta, r3::I[i]) *
                                        PowInt(r.tau, r3::J[i]));
  }
  const double phi = static_cast<double>(r3::n1 * std::log(static_cast<ext>(r.delta)) + sum);
  return static_cast<double>((static_cast<ext>(tau_phi_tau) - phi) * kGasConstant);
}

// ---- region selection and the dispatchers by (p, t) ---------------------------------

void REGION_PT(double p, double t, int& code, std::string& caption) {
  const bool in_range =
      p > 0 && p <= 100.00000000001 && t >= -1e-9 && t <= 1000 && !(p > 10 && t > 800.000000000001);
  if (!in_range) {
    ShowMessage("Значения давления и температуры выходят за допустимые пределы");
    code = 0;
    caption = "Область недопустимых значений Р и Т";
    return;
  }
  const double ts = TS_P(p);
  const double T = static_cast<double>(static_cast<ext>(t) + kKelvinOffset);
  int found = -1;
  if (t < ts && T <= 623.15) {
    found = 1;
    caption = "Область Воды (1)";
  }
  if (t > ts && T <= 1073.15 && p < 16.5292) {
    found = 2;
    caption = "Область перегретого пара (2)";
  }
  if (p >= 16.5292 && T > 623.15 && T <= 1073.15) {
    const double pB23 =
        static_cast<double>(0.34805185628969e3 + -0.11671859879975e1 * static_cast<ext>(T) +
                            0.10192970039326e-2 * static_cast<ext>(PowInt(T, 2)));
    const double TB23 = static_cast<double>(
        0.57254459862746e3 +
        std::sqrt((static_cast<ext>(p) - 0.13918839778870e2) / 0.10192970039326e-2));
    bool region2_side = p <= pB23 && T >= TB23;
    const bool region3_side = p > pB23 && T < TB23;
    if (!region2_side && !region3_side) region2_side = p <= pB23;
    if (region2_side) {
      found = 2;
      caption = "Область перегретого пара (2)";
    } else if (p > 22.064) {
      found = 3;
      caption = "Околокритическая область (3)";
    } else if (t < ts) {
      found = 31;
    } else if (t > ts) {
      found = 32;
    }
  }
  if (t == ts) {
    found = 4;
    caption = "Линия насыщения (4)";
  }
  if (T > 1073.15 && T <= 1273.15 && p <= 10) {
    found = 5;
    caption = "Область высоких температур (5)";
  }
  if (found == -1) {
    found = t < ts ? 31 : 2;
    if (found == 2) caption = "Область перегретого пара (2)";
  }
  code = found;
}

int RegionCode(double p, double t) {
  int code = 0;
  std::string caption;
  REGION_PT(p, t, code, caption);
  return code;
}

double h_pt(double p, double t) {
  switch (RegionCode(p, t)) {
    case 1:
      return HW_PT(p, t);
    case 2:
      return HP_PT(p, t);
    case 3:
    case 31:
      return H3_PT(1, p, t);
    case 32:
      return H3_PT(2, p, t);
    case 4:
      ShowMessage("Вы попали на линию насыщения (h_pt)");
      return FAILURE;
    case 5:
      return H5_PT(p, t);
    default:
      return FAILURE;
  }
}

double s_pt(double p, double t) {
  switch (RegionCode(p, t)) {
    case 1:
      return SW_PT(p, t);
    case 2:
      return SP_PT(p, t);
    case 3:
    case 31:
      return S3_PT(1, p, t);
    case 32:
      return S3_PT(2, p, t);
    case 4:
      ShowMessage("Вы попали на линию насыщения (s_pt)");
      return FAILURE;
    case 5:
      return S5_PT(p, t);
    default:
      return FAILURE;
  }
}

double v_pt(double p, double t) {
  double v_liquid = FAILURE;
  double v_vapour = FAILURE;
  switch (RegionCode(p, t)) {
    case 1:
      return VW_PT(p, t);
    case 2:
      return VP_PT(p, t);
    case 3:
      VKR_PT(p, t, v_liquid, v_liquid);
      return v_liquid;
    case 31:
      VKR_PT(p, t, v_liquid, v_vapour);
      return v_liquid;
    case 32:
      VKR_PT(p, t, v_liquid, v_vapour);
      return v_vapour;
    case 4:
      ShowMessage("Вы попали на линию насыщения (v_pt)");
      return FAILURE;
    case 5:
      return V5_PT(p, t);
    default:
      return FAILURE;
  }
}

}  // namespace reference

namespace {

constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// What one call leaves behind: its results as bit patterns, its messages and
// the faults it raised.
struct Outcome {
  std::vector<std::uint64_t> bits;
  std::vector<std::string> messages;
  int faults = 0;

  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* os) {
  *os << "{";
  for (const std::uint64_t b : outcome.bits) *os << std::bit_cast<double>(b) << " ";
  *os << "messages " << outcome.messages.size() << ", faults " << outcome.faults << "}";
}

// A state (p, t), or (v, t) for the pressure term.
struct State {
  double first;
  double second;
};

class EquivalenceTest : public ::testing::Test {
 protected:
  Outcome Observe(const std::function<std::vector<double>()>& call) {
    recorder_.clear();
    std::feclearexcept(FE_ALL_EXCEPT);
    const std::vector<double> values = call();
    Outcome outcome;
    outcome.faults = std::fetestexcept(kFaults);
    for (const double value : values) outcome.bits.push_back(std::bit_cast<std::uint64_t>(value));
    outcome.messages = recorder_.messages();
    return outcome;
  }

  // Compares library and reference for one two-argument function over states.
  void ExpectSame(const char* name, double (*library)(double, double),
                  double (*straightforward)(double, double), const std::vector<State>& states) {
    int mismatches = 0;
    for (const State& s : states) {
      const Outcome got = Observe([&] { return std::vector{library(s.first, s.second)}; });
      const Outcome want = Observe([&] { return std::vector{straightforward(s.first, s.second)}; });
      if (got != want && ++mismatches <= 5) {
        ADD_FAILURE() << name << "(" << s.first << ", " << s.second << "): got "
                      << ::testing::PrintToString(got) << ", reference "
                      << ::testing::PrintToString(want);
      }
    }
    EXPECT_EQ(mismatches, 0) << name << " over " << states.size() << " states";
  }

 private:
  MessageRecorder recorder_;
};

std::vector<State> Uniform(std::mt19937_64& rng, int count, double p_lo, double p_hi, double t_lo,
                           double t_hi) {
  std::uniform_real_distribution<double> p(p_lo, p_hi);
  std::uniform_real_distribution<double> t(t_lo, t_hi);
  std::vector<State> states;
  for (int i = 0; i < count; ++i) {
    const double pi = p(rng);
    states.push_back({pi, t(rng)});
  }
  return states;
}

// Pressures spread over decades, temperatures over the whole range.
std::vector<State> LogUniform(std::mt19937_64& rng, int count, double p_lo, double p_hi,
                              double t_lo, double t_hi) {
  std::uniform_real_distribution<double> lp(std::log(p_lo), std::log(p_hi));
  std::uniform_real_distribution<double> t(t_lo, t_hi);
  std::vector<State> states;
  for (int i = 0; i < count; ++i) {
    const double p = std::exp(lp(rng));
    states.push_back({p, t(rng)});
  }
  return states;
}

// Points of the saturation line and the doubles next to them, where the
// region selection and the volume search take their special branches.
std::vector<State> SaturationLine(double p_lo, double p_hi, int count) {
  std::vector<State> states;
  for (int i = 0; i < count; ++i) {
    const double p = p_lo + (p_hi - p_lo) * i / (count - 1);
    const double ts = if97::TS_P(p);
    states.push_back({p, ts});
    states.push_back({p, std::nextafter(ts, 0.0)});
    states.push_back({p, std::nextafter(ts, 1e3)});
    states.push_back({p, ts * (1 + 5e-15)});
    states.push_back({p, ts - 1e-7});
  }
  return states;
}

// Bounds of the ranges, values just outside them, and values no caller passes.
const std::vector<State> kEdges = {
    {100, 0},
    {100, 800},
    {100.00000000001, 0},
    {100.1, 20},
    {0, 20},
    {-1, 20},
    {1, -1e-9},
    {1, -0.5},
    {10, 1000},
    {10.0000001, 800},
    {10.0000001, 800.01},
    {16.5292, 350},
    {16.5292, 350.0001},
    {16.529164, 350.0001},
    {22.064, 373.946},
    {22.064, 373},
    {22.064, 374},
    {21, 350.002},
    {100, 350.005},
    {25, 380},
    {1e-9, 20},
    {1e-6, 20},
    {1e-4, -0.001},
    {50, 370},
    {1, 180},
    {1, 179.8857},
    {30, 800.000000000001},
    {5, 1000.5},
};

TEST(PowerTableTest, EntriesEqualPowIntBitForBit) {
  constexpr if97::detail::Exponents kAll = [] {
    if97::detail::Exponents e;
    e.lowest = -if97::detail::Exponents::kMaxReciprocal;
    e.highest = 63;
    for (bool& used : e.reciprocal) used = true;
    return e;
  }();
  const double bases[] = {0.0,
                          -0.0,
                          1.0,
                          -1.0,
                          0.3,
                          -1.7,
                          1.0000001,
                          7.1 - 100 / 16.53,
                          540 / 273.15 - 0.5,
                          1e-300,
                          1e300,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::infinity()};
  for (const double x : bases) {
    const if97::detail::PowerTable<kAll> table(x);
    for (int k = kAll.lowest; k <= kAll.highest; ++k) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(table[k]),
                std::bit_cast<std::uint64_t>(if97::PowInt(x, k)))
          << "x = " << x << ", n = " << k;
    }
  }
}

TEST_F(EquivalenceTest, RegionEquationsOverTheirDomains) {
  std::mt19937_64 rng(1997);
  std::vector<State> states = LogUniform(rng, 1500, 1e-3, 100, -20, 1100);
  const std::vector<State> near_line = SaturationLine(0.001, 22.064, 40);
  states.insert(states.end(), near_line.begin(), near_line.end());
  states.insert(states.end(), kEdges.begin(), kEdges.end());

  ExpectSame("HW_PT", if97::HW_PT, reference::HW_PT, states);
  ExpectSame("SW_PT", if97::SW_PT, reference::SW_PT, states);
  ExpectSame("VW_PT", if97::VW_PT, reference::VW_PT, states);
  ExpectSame("V1_PT", if97::V1_PT, reference::V1_PT, states);
  ExpectSame("HP_PT", if97::HP_PT, reference::HP_PT, states);
  ExpectSame("SP_PT", if97::SP_PT, reference::SP_PT, states);
  ExpectSame("VP_PT", if97::VP_PT, reference::VP_PT, states);
  ExpectSame("H5_PT", if97::H5_PT, reference::H5_PT, states);
  ExpectSame("S5_PT", if97::S5_PT, reference::S5_PT, states);
  ExpectSame("V5_PT", if97::V5_PT, reference::V5_PT, states);
}

TEST_F(EquivalenceTest, PressureTermOfRegion3) {
  std::mt19937_64 rng(3);
  // Volumes from the liquid to well into the vapour, also the walk's
  // overshoots below zero; temperatures beyond region 3 too.
  std::vector<State> states = Uniform(rng, 1500, -0.01, 0.05, 300, 900);
  const std::vector<State> wide = LogUniform(rng, 500, 1e-6, 1e3, -270, 5000);
  states.insert(states.end(), wide.begin(), wide.end());
  states.push_back({0, 380});
  states.push_back({std::numeric_limits<double>::infinity(), 380});
  ExpectSame("Z3_VT", if97::Z3_VT, reference::Z3_VT, states);
}

// The temperature (degC) of the B23 line at p (eq. 6), the upper end of the
// near-critical band.
double B23Celsius(double p) {
  return 572.54459862746 + std::sqrt((p - 13.91883977887) / 0.0010192970039326) - 273.15;
}

// States of region 3 whose volume lies within a few walk steps of 2^-9,
// 2^-8 or 2^-7 m3/kg, on both sides of the saturation line.
std::vector<State> BinadeEdges() {
  std::vector<State> states;
  for (const double p : {17.0, 18.3, 19.5, 20.5, 21.5, 22.0}) {
    const double ts = if97::TS_P(p);
    const double sides[][2] = {{350.001, ts - 1e-4}, {ts + 1e-4, B23Celsius(p) - 1e-4}};
    for (const auto& side : sides) {
      for (const double edge : {0x1p-9, 0x1p-8, 0x1p-7}) {
        double lo = side[0];
        double hi = side[1];
        if (!(lo < hi && if97::v_pt(p, lo) < edge && edge < if97::v_pt(p, hi))) continue;
        for (int i = 0; i < 60; ++i) {
          const double mid = (lo + hi) / 2;
          (if97::v_pt(p, mid) < edge ? lo : hi) = mid;
        }
        const double h = 1e-7 * (side[1] - side[0]);
        const double slope = (if97::v_pt(p, lo + h) - if97::v_pt(p, lo - h)) / (2 * h);
        const double dt = 0.3e-5 / slope;  // about a third of a walk step
        for (int j = -4; j <= 4; ++j) states.push_back({p, lo + j * dt});
      }
    }
  }
  return states;
}

TEST_F(EquivalenceTest, VolumeSearchAndRegion3Properties) {
  std::mt19937_64 rng(22064);
  // Near the critical point, on both sides of the saturation line and above
  // the critical pressure, including states whose search fails.
  std::vector<State> states = Uniform(rng, 120, 16.53, 30, 350, 400);
  const std::vector<State> high = Uniform(rng, 30, 30, 100, 350, 600);
  const std::vector<State> line = SaturationLine(16.6, 22.064, 8);
  states.insert(states.end(), high.begin(), high.end());
  states.insert(states.end(), line.begin(), line.end());
  states.push_back({21, 350.002});
  states.push_back({100, 350.005});
  states.push_back({22.064, if97::TS_P(22.064)});
  // Just above 350 degC, where the liquid-side volume can lie below the
  // search's start; just below the B23 line; the saturation line within
  // 1e-4 MPa of the critical pressure, where the walk from the vapour side
  // steps over the vapour root.
  const std::vector<State> above350 = Uniform(rng, 80, 16.53, 100, 350, 350.015);
  states.insert(states.end(), above350.begin(), above350.end());
  std::uniform_real_distribution<double> below(0, 0.01);
  for (const State& s : Uniform(rng, 30, 16.6, 100, 0, 0)) {
    states.push_back({s.first, B23Celsius(s.first) - below(rng)});
  }
  const std::vector<State> critical_line = SaturationLine(22.0639, 22.064, 25);
  states.insert(states.end(), critical_line.begin(), critical_line.end());
  // Around the critical point, on both sides of the line and above it.
  const std::vector<State> critical = Uniform(rng, 60, 21.5, 23, 372, 376);
  states.insert(states.end(), critical.begin(), critical.end());
  // Walks whose bracket lies at the end of a binade of the doubles, where the
  // spacing of the walk's points changes.
  const std::vector<State> edges = BinadeEdges();
  states.insert(states.end(), edges.begin(), edges.end());
  // Twice in a row at the ends of the pressures whose walk starts are kept
  // from call to call, and below them, where the liquid start is checked
  // (and refused, with a message, below 16.53 MPa): the second call must
  // show what the first showed.
  for (const double p : {16.0, 16.5, 16.599999, 16.6, 100.0, 100.000001}) {
    for (const double t : {350.3, 352.0, 420.0}) {
      states.push_back({p, t});
      states.push_back({p, t});
    }
  }
  // Runs of temperatures at one pressure, as a temperature search asks for
  // them, between other pressures.
  for (const double p : {17.0, 20.0, 25.0, 40.0, 80.0}) {
    for (const State& s : Uniform(rng, 12, p, p, 350.001, 352 + (p - 16) * 0.5)) {
      states.push_back(s);
    }
  }

  int mismatches = 0;
  for (const State& s : states) {
    const double p = s.first;
    const double t = s.second;
    const auto volumes = [](void (*vkr)(double, double, double&, double&), double p, double t) {
      double v1 = -1;
      double v2 = -2;
      vkr(p, t, v1, v2);
      return std::vector{v1, v2};
    };
    const auto properties = [](double (*h)(int, double, double), double (*s)(int, double, double),
                               double p, double t) {
      return std::vector{h(1, p, t), h(2, p, t), s(1, p, t), s(2, p, t)};
    };
    const Outcome got_v = Observe([&] { return volumes(if97::VKR_PT, p, t); });
    const Outcome want_v = Observe([&] { return volumes(reference::VKR_PT, p, t); });
    const Outcome got_hs = Observe([&] { return properties(if97::H3_PT, if97::S3_PT, p, t); });
    const Outcome want_hs =
        Observe([&] { return properties(reference::H3_PT, reference::S3_PT, p, t); });
    if ((got_v != want_v || got_hs != want_hs) && ++mismatches <= 5) {
      ADD_FAILURE() << "(" << p << ", " << t << "): VKR_PT " << ::testing::PrintToString(got_v)
                    << " vs " << ::testing::PrintToString(want_v) << "; H3_PT/S3_PT "
                    << ::testing::PrintToString(got_hs) << " vs "
                    << ::testing::PrintToString(want_hs);
    }
  }
  EXPECT_EQ(mismatches, 0) << "over " << states.size() << " states";
}

TEST_F(EquivalenceTest, RegionSelectionAndPropertiesByPressureAndTemperature) {
  std::mt19937_64 rng(776);
  std::vector<State> states = LogUniform(rng, 1200, 1e-3, 100, 0, 1000);
  const std::vector<State> tiny = LogUniform(rng, 50, 1e-9, 1e-3, 0, 100);
  const std::vector<State> near_critical = Uniform(rng, 60, 16.53, 30, 350, 420);
  const std::vector<State> line = SaturationLine(0.001, 22.064, 30);
  states.insert(states.end(), tiny.begin(), tiny.end());
  states.insert(states.end(), near_critical.begin(), near_critical.end());
  states.insert(states.end(), line.begin(), line.end());
  states.insert(states.end(), kEdges.begin(), kEdges.end());

  const auto region = [](void (*select)(double, double, int&, std::string&)) {
    return [select](double p, double t) {
      int code = -7;
      std::string caption = "unchanged";
      select(p, t, code, caption);
      return std::vector{static_cast<double>(code), static_cast<double>(caption.size()),
                         static_cast<double>(std::hash<std::string>{}(caption) % 1000003)};
    };
  };
  int mismatches = 0;
  for (const State& s : states) {
    const Outcome got = Observe([&] { return region(if97::REGION_PT)(s.first, s.second); });
    const Outcome want = Observe([&] { return region(reference::REGION_PT)(s.first, s.second); });
    if (got != want && ++mismatches <= 5) {
      ADD_FAILURE() << "REGION_PT(" << s.first << ", " << s.second << ")";
    }
  }
  EXPECT_EQ(mismatches, 0) << "REGION_PT over " << states.size() << " states";

  // Just outside and just inside the margin within which the selection
  // evaluates TS_P itself instead of ordering t by a cheaper estimate.
  std::vector<State> margin;
  for (int i = 0; i <= 2000; ++i) {
    const double p = 0.001 * std::pow(1e5, i / 2000.0);
    const double ts = if97::TS_P(p);
    for (const double d : {-2e-6, -1.1e-6, -0.9e-6, 0.9e-6, 1.1e-6, 2e-6})
      margin.push_back({p, ts + d});
  }
  for (const State& s : margin) {
    const Outcome got = Observe([&] { return region(if97::REGION_PT)(s.first, s.second); });
    const Outcome want = Observe([&] { return region(reference::REGION_PT)(s.first, s.second); });
    if (got != want && ++mismatches <= 5) {
      ADD_FAILURE() << "REGION_PT(" << s.first << ", " << s.second << ")";
    }
  }
  EXPECT_EQ(mismatches, 0) << "REGION_PT beside the saturation line";

  ExpectSame("h_pt", if97::h_pt, reference::h_pt, states);
  ExpectSame("s_pt", if97::s_pt, reference::s_pt, states);
  ExpectSame("v_pt", if97::v_pt, reference::v_pt, states);
}

// The temperature searches of the near-critical band step through h_pt or
// s_pt at one pressure, and the region-3 search keeps that pressure's starts
// from step to step; the same searches on the reference functions give the
// same bits, messages and faults.
TEST_F(EquivalenceTest, TemperatureSearchesOfTheNearCriticalBand) {
  const if97::detail::Interpolation ph = {
      reference::h_pt, 1e-5,
      20000,           "Невозможно определить температуру в околокритической области Т_PH3",
      false,           reference::H3_PT};
  const if97::detail::Interpolation ps = {
      reference::s_pt, 1e-6, 15000, "Невозможно определить значение температуры T_PS3", false,
      reference::S3_PT};
  std::mt19937_64 rng(2000);
  std::uniform_real_distribution<double> fraction(0, 1);
  int mismatches = 0;
  for (const State& s : Uniform(rng, 90, 16.6, 100, 0, 0)) {
    const double p = s.first;
    const double t = 350 + (B23Celsius(p) - 350) * fraction(rng);
    const double h = if97::h_pt(p, t);
    const double entropy = if97::s_pt(p, t);
    if (h == if97::FAILURE || entropy == if97::FAILURE) continue;
    const Outcome got_h = Observe([&] { return std::vector{if97::T_PH3(p, h)}; });
    const Outcome want_h = Observe([&] {
      return std::vector{if97::detail::NearCriticalTemperature(ph, if97::HSW_P, if97::HSP_P, p, h)};
    });
    const Outcome got_s = Observe([&] { return std::vector{if97::T_PS3(p, entropy)}; });
    const Outcome want_s = Observe([&] {
      return std::vector{
          if97::detail::NearCriticalTemperature(ps, if97::SSW_P, if97::SSP_P, p, entropy)};
    });
    if ((got_h != want_h || got_s != want_s) && ++mismatches <= 5) {
      ADD_FAILURE() << "T_PH3/T_PS3 at (" << p << ", " << t << ")";
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
