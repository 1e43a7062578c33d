// Internal to the engine: the sums over the terms of an IAPWS-IF97 basic
// equation, with every first and second derivative, in one pass. Written on
// the number type Real: the engine instantiates double, the same formula
// serves an extended type as well. The tables are the library's own
// (basic_equations.h), read at compile time: every loop over terms is
// unrolled with the term's exponents as constants, so each power is read from
// a fixed place and the sums compile to straight-line code without branches.
//
// A residual sum  f(x, y) = sum n_i x^I_i y^J_i  is evaluated grouped by the
// power of x: for each exponent I the polynomial in y of its terms and the
// two derivatives of that polynomial, then the groups combined with the
// powers of x. The derivatives come out scaled by their bases, which is the
// form the property relations read (delta phi_delta, tau^2 gamma_tautau, ...)
// and needs no division inside the sum:
//   value = f,  x = x f_x,  xx = x^2 f_xx,  y = y f_y,  yy = y^2 f_yy,
//   xy = x y f_xy.
#ifndef STEAMCALC_LIBRARY_ENGINE_TERM_SUMS_H
#define STEAMCALC_LIBRARY_ENGINE_TERM_SUMS_H

#include <array>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>

namespace if97::engine::detail {

// f(std::integral_constant<std::size_t, k>{}) for k = kBegin .. kEnd - 1, in
// that order, each k a constant expression inside f; nothing where kEnd <=
// kBegin.
// Always inlined, so that the loops take the instruction set of the function
// they are written in (SumTermsWide's AVX2).
template <std::size_t kBegin, typename F, std::size_t... k>
__attribute__((always_inline)) constexpr void ForEach(F&& f, std::index_sequence<k...>) {
  (f(std::integral_constant<std::size_t, kBegin + k>{}), ...);
}

template <std::size_t kBegin, std::size_t kEnd, typename F>
__attribute__((always_inline)) constexpr void Unrolled(F&& f) {
  if constexpr (kEnd > kBegin) ForEach<kBegin>(f, std::make_index_sequence<kEnd - kBegin>{});
}

// ---- powers of one base -------------------------------------------------------

// A set of integer exponents, |k| <= kLimit.
struct ExponentSet {
  static constexpr int kLimit = 64;
  std::array<bool, 2 * kLimit + 1> has{};

  constexpr bool Has(int k) const { return has[k + kLimit]; }

  constexpr ExponentSet With(int k) const {
    if (k < -kLimit || k > kLimit) throw "exponent out of range";
    ExponentSet set = *this;
    set.has[k + kLimit] = true;
    return set;
  }

  constexpr int Lowest() const {
    for (int k = -kLimit; k < 0; ++k) {
      if (Has(k)) return k;
    }
    return 0;
  }

  constexpr int Highest() const {
    for (int k = kLimit; k > 0; --k) {
      if (Has(k)) return k;
    }
    return 0;
  }

  // With every power that forming these takes: x^k = x^(k/2) x^(k - k/2),
  // the negative ones the same from x^-1.
  constexpr ExponentSet Closed() const {
    ExponentSet set = *this;
    for (int k = kLimit; k >= 2; --k) {
      if (set.Has(k)) set = set.With(k / 2).With(k - k / 2);
      if (set.Has(-k)) set = set.With(-(k / 2)).With(-(k - k / 2));
    }
    return set;
  }
};

// x^k for every k of the set Source::kSet, formed once per call. Each power
// is the product of two lower ones, so the chain of products is log2(k) deep
// and the processor overlaps them; only the powers the set needs are formed.
// The set comes from a type named after its table: GCC 12 gives two sets
// passed by value one symbol where they differ late in the array, so that
// one instantiation would serve both.
template <typename Real, typename Source>
class Powers {
  static constexpr ExponentSet kFormed = Source::kSet.Closed();
  static constexpr int kLowest = kFormed.Lowest();
  static constexpr int kHighest = kFormed.Highest();

 public:
  __attribute__((always_inline)) explicit Powers(Real x) {
    at_[-kLowest] = Real{} + 1;
    if constexpr (kHighest >= 1) at_[1 - kLowest] = x;
    if constexpr (kLowest <= -1) at_[-1 - kLowest] = 1 / x;
    Unrolled<2, kHighest + 1>([&](auto k) {
      if constexpr (kFormed.Has(k)) {
        at_[k - kLowest] = at_[k / 2 - kLowest] * at_[k - k / 2 - kLowest];
      }
    });
    Unrolled<2, 1 - kLowest>([&](auto k) {
      if constexpr (kFormed.Has(-int{k})) {
        at_[-int{k} - kLowest] = at_[-int{k / 2} - kLowest] * at_[-int{k - k / 2} - kLowest];
      }
    });
  }

  // x^k; k must be in the set.
  template <int k>
  __attribute__((always_inline)) const Real& At() const {
    static_assert(kFormed.Has(k) || k == 0);
    return at_[k - kLowest];
  }

 private:
  std::array<Real, kHighest - kLowest + 1> at_;
};

// ---- the layout of a table, at compile time -------------------------------------

// The exponents J of a table's rows.
template <const auto& kRows>
struct ExponentsJ {
  static constexpr ExponentSet kSet = [] {
    ExponentSet set;
    for (const auto& row : kRows) set = set.With(row.J);
    return set;
  }();
};

// The terms of a residual table grouped by their exponent I: the tables list
// their terms in rising I, so each group is a run of rows.
template <const auto& kTerms>
struct Groups {
  static constexpr std::size_t kTermCount = std::size(kTerms);

  static constexpr std::size_t kCount = [] {
    std::size_t count = 1;
    for (std::size_t i = 1; i < kTermCount; ++i) {
      if (kTerms[i].I < kTerms[i - 1].I) throw "terms not in rising I";
      if (kTerms[i].I != kTerms[i - 1].I) ++count;
    }
    return count;
  }();

  // The first row of each group, and one past the last group.
  static constexpr std::array<std::size_t, kCount + 1> kBegin = [] {
    std::array<std::size_t, kCount + 1> begin{};
    std::size_t group = 0;
    for (std::size_t i = 1; i < kTermCount; ++i) {
      if (kTerms[i].I != kTerms[i - 1].I) begin[++group] = i;
    }
    begin[kCount] = kTermCount;
    return begin;
  }();

  static constexpr int I(std::size_t group) { return kTerms[kBegin[group]].I; }

  static constexpr ExponentSet kExponentsI = [] {
    ExponentSet set;
    for (std::size_t group = 0; group < kCount; ++group) set = set.With(I(group));
    return set;
  }();
  static_assert(kExponentsI.Lowest() == 0);
};

// ---- the sums -----------------------------------------------------------------

// The residual sum and its scaled derivatives (see the top of the file).
template <typename Real>
struct TermSums {
  Real value = 0;  // sum t,            t = n x^I y^J
  Real x = 0;      // sum I t
  Real xx = 0;     // sum I (I - 1) t
  Real y = 0;      // sum J t
  Real yy = 0;     // sum J (J - 1) t
  Real xy = 0;     // sum I J t
};

// For each group, the polynomial in y of its terms, P = sum n y^J, and with
// kDerivatives also Q = sum J n y^J and S = sum J (J - 1) n y^J.
template <const auto& kTerms, typename Real>
struct GroupPolynomials {
  using G = Groups<kTerms>;
  using YPowers = Powers<Real, ExponentsJ<kTerms>>;

  std::array<Real, G::kCount> P;
  std::array<Real, G::kCount> Q;
  std::array<Real, G::kCount> S;

  template <bool kDerivatives>
  static GroupPolynomials Of(const YPowers& y) {
    GroupPolynomials g;
    Unrolled<0, G::kCount>([&](auto k) {
      Real p = 0, q = 0, s = 0;
      Unrolled<G::kBegin[k], G::kBegin[k + 1]>([&](auto i) {
        constexpr int J = kTerms[i].J;
        const Real t = Real{kTerms[i].n} * y.template At<J>();
        p += t;
        if constexpr (kDerivatives) {
          q += Real{J} * t;
          s += Real{J * (J - 1)} * t;
        }
      });
      g.P[k] = p;
      g.Q[k] = q;
      g.S[k] = s;
    });
    return g;
  }
};

// The groups combined with the powers of x: value, x and xx from P; with
// kDerivatives also y, yy and xy from Q and S.
template <const auto& kTerms, bool kDerivatives, typename Real, typename XPowers>
TermSums<Real> CombineGroups(const GroupPolynomials<kTerms, Real>& g, const XPowers& x) {
  using G = Groups<kTerms>;
  TermSums<Real> sums;
  Unrolled<0, G::kCount>([&](auto k) {
    constexpr int I = G::I(k);
    const Real xi = x.template At<I>();
    const Real p = xi * g.P[k];
    sums.value += p;
    sums.x += Real{I} * p;
    sums.xx += Real{I * (I - 1)} * p;
    if constexpr (kDerivatives) {
      const Real q = xi * g.Q[k];
      sums.y += q;
      sums.yy += xi * g.S[k];
      sums.xy += Real{I} * q;
    }
  });
  return sums;
}

// The exponents I of a residual table's groups.
template <const auto& kTerms>
struct GroupExponentsI {
  static constexpr ExponentSet kSet = Groups<kTerms>::kExponentsI;
};

template <const auto& kTerms, typename Real>
using XPowers = Powers<Real, GroupExponentsI<kTerms>>;

// Two doubles in one SSE2 register (GCC's vector extension): each operation
// on them is one instruction for both, each lane rounded as a double is.
using Double2 = double __attribute__((vector_size(16)));

// Four doubles in one AVX register, for the processors that have AVX2.
// Neither type is passed by value across a call.
using Double4 = double __attribute__((vector_size(32)));

// The sums of SumTerms four lanes wide: per term [P, Q, S] += [n, n J,
// n J (J - 1)] y^J, per group [value, y, yy] += x^I [P, Q, S] and [x, xy, xx]
// += [I, I, I (I - 1)] x^I [P, Q, P]. Each lane takes the operations of
// SumTermsPairs' pairs and single sums in the same order (a factor 0 adds a zero,
// which changes no bit), so both give the same bits. Every step is inlined
// here, so that all of it is compiled for AVX2; nothing wider than a double
// crosses a call.
template <const auto& kTerms>
__attribute__((target("avx2"))) TermSums<double> SumTermsWide(double x, double y) {
  using G = Groups<kTerms>;
  const Powers<Double4, GroupExponentsI<kTerms>> xp(Double4{x, x, x, x});
  const Powers<Double4, ExponentsJ<kTerms>> yp(Double4{y, y, y, y});
  Double4 sums = {0, 0, 0, 0};    // value, y, yy
  Double4 slopes = {0, 0, 0, 0};  // x, xy, xx
  Unrolled<0, G::kCount>([&](auto k) __attribute__((always_inline)) {
    Double4 pqs = {0, 0, 0, 0};
    Unrolled<G::kBegin[k], G::kBegin[k + 1]>([&](auto i) __attribute__((always_inline)) {
      constexpr int J = kTerms[i].J;
      constexpr double n = kTerms[i].n;
      if constexpr (J == 0) {
        pqs += Double4{n, 0, 0, 0};
      } else {
        pqs += Double4{n, n * J, n * (J * (J - 1)), 0} * yp.template At<J>();
      }
    });
    constexpr int I = G::I(k);
    const Double4 terms = I == 0 ? pqs : xp.template At<I>() * pqs;
    sums += terms;
    if constexpr (I != 0) {
      slopes += Double4{double{I}, double{I}, double{I * (I - 1)}, 0} *
                __builtin_shufflevector(terms, terms, 0, 1, 0, 1);
    }
  });
  return {sums[0], slopes[0], slopes[2], sums[1], sums[2], slopes[1]};
}

// Whether the processor runs SumTermsWide.
inline bool HasWideSums() { return __builtin_cpu_supports("avx2"); }

// The residual sum at (x, y) in pairs, on every x86-64 processor (SSE2): per
// term [P, Q] += [n, n J] y^J and S += n J (J - 1) y^J, per group
// [value, y] += x^I [P, Q], [x, xy] += I x^I [P, Q], xx += I (I - 1) x^I P and
// yy += x^I S, with the powers held in both lanes; a third fewer
// instructions than one sum at a time.
template <const auto& kTerms>
TermSums<double> SumTermsPairs(double x, double y) {
  using G = Groups<kTerms>;
  const Powers<Double2, GroupExponentsI<kTerms>> xp(Double2{x, x});
  const Powers<Double2, ExponentsJ<kTerms>> yp(Double2{y, y});
  Double2 value_y = {0, 0};
  Double2 x_xy = {0, 0};
  double xx = 0;
  double yy = 0;
  Unrolled<0, G::kCount>([&](auto k) {
    Double2 pq = {0, 0};
    double s = 0;
    // Factors that are 0 or 1 for a term or group are left out: the
    // operations they would take change no bit.
    Unrolled<G::kBegin[k], G::kBegin[k + 1]>([&](auto i) {
      constexpr int J = kTerms[i].J;
      constexpr double n = kTerms[i].n;
      if constexpr (J == 0) {
        pq += Double2{n, 0};
      } else {
        const Double2 power = yp.template At<J>();
        pq += Double2{n, n * J} * power;
        if constexpr (J != 1) s += n * (J * (J - 1)) * power[0];
      }
    });
    constexpr int I = G::I(k);
    const Double2 xi = xp.template At<I>();
    const Double2 xpq = I == 0 ? pq : xi * pq;
    value_y += xpq;
    if constexpr (I != 0) x_xy += Double2{double{I}, double{I}} * xpq;
    if constexpr (I > 1) xx += double{I * (I - 1)} * xpq[0];
    yy += I == 0 ? s : xi[0] * s;
  });
  return {value_y[0], x_xy[0], xx, value_y[1], yy, x_xy[1]};
}

// The whole residual sum at (x, y): in double four lanes wide where the
// processor has AVX2, in pairs elsewhere, the same bits either way.
template <const auto& kTerms, typename Real>
TermSums<Real> SumTerms(Real x, Real y) {
  if constexpr (std::is_same_v<Real, double>) {
    return HasWideSums() ? SumTermsWide<kTerms>(x, y) : SumTermsPairs<kTerms>(x, y);
  } else {
    using Polynomials = GroupPolynomials<kTerms, Real>;
    const XPowers<kTerms, Real> xp(x);
    const typename Polynomials::YPowers yp(y);
    const Polynomials g = Polynomials::template Of<true>(yp);
    return CombineGroups<kTerms, true>(g, xp);
  }
}

// The sum and its first three derivatives in y alone, scaled: what a search
// along a line of constant x needs for a step of third order.
template <typename Real>
struct AlongY {
  Real value = 0;  // sum t
  Real y = 0;      // sum J t
  Real yy = 0;     // sum J (J - 1) t
  Real yyy = 0;    // sum J (J - 1) (J - 2) t
};

// In pairs as SumTerms forms them, [P, Q] and [S, R] per term, so that
// value, y and yy are SumTerms' bits.
template <const auto& kTerms>
AlongY<double> SumAlongY(double x, double y) {
  using G = Groups<kTerms>;
  const Powers<Double2, GroupExponentsI<kTerms>> xp(Double2{x, x});
  const Powers<Double2, ExponentsJ<kTerms>> yp(Double2{y, y});
  Double2 value_y = {0, 0};
  Double2 yy_yyy = {0, 0};
  Unrolled<0, G::kCount>([&](auto k) {
    Double2 pq = {0, 0};
    Double2 sr = {0, 0};
    Unrolled<G::kBegin[k], G::kBegin[k + 1]>([&](auto i) {
      constexpr int J = kTerms[i].J;
      constexpr double n = kTerms[i].n;
      if constexpr (J == 0) {
        pq += Double2{n, 0};
      } else {
        const Double2 power = yp.template At<J>();
        pq += Double2{n, n * J} * power;
        if constexpr (J != 1) {
          sr += Double2{n * (J * (J - 1)), n * (J * (J - 1) * (J - 2))} * power;
        }
      }
    });
    constexpr int I = G::I(k);
    const Double2 xi = xp.template At<I>();
    value_y += I == 0 ? pq : xi * pq;
    yy_yyy += I == 0 ? sr : xi * sr;
  });
  return {value_y[0], value_y[1], yy_yyy[0], yy_yyy[1]};
}

// An ideal-gas sum  sum n0 tau^J0  and its scaled derivatives
// y = tau d/dtau, yy = tau^2 d2/dtau2.
template <typename Real>
struct IdealSums {
  Real value = 0;
  Real y = 0;
  Real yy = 0;
};

template <const auto& kIdealTerms, typename Real>
IdealSums<Real> SumIdealTerms(Real tau) {
  const Powers<Real, ExponentsJ<kIdealTerms>> t(tau);
  IdealSums<Real> sums;
  Unrolled<0, std::size(kIdealTerms)>([&](auto i) {
    constexpr int J = kIdealTerms[i].J;
    const Real a = Real{kIdealTerms[i].n} * t.template At<J>();
    sums.value += a;
    sums.y += Real{J} * a;
    sums.yy += Real{J * (J - 1)} * a;
  });
  return sums;
}

// The same with the third derivative, yyy = tau^3 d3/dtau3.
template <const auto& kIdealTerms, typename Real>
AlongY<Real> SumIdealAlongY(Real tau) {
  const Powers<Real, ExponentsJ<kIdealTerms>> t(tau);
  AlongY<Real> sums;
  Unrolled<0, std::size(kIdealTerms)>([&](auto i) {
    constexpr int J = kIdealTerms[i].J;
    const Real a = Real{kIdealTerms[i].n} * t.template At<J>();
    sums.value += a;
    sums.y += Real{J} * a;
    sums.yy += Real{J * (J - 1)} * a;
    sums.yyy += Real{J * (J - 1) * (J - 2)} * a;
  });
  return sums;
}

}  // namespace if97::engine::detail

#endif  // STEAMCALC_LIBRARY_ENGINE_TERM_SUMS_H
