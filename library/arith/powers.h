// Internal to the library: tables of the integer powers of one base that a
// sum of IAPWS-IF97 terms uses. Each entry is formed by the same successive
// products as PowInt (and the same reciprocal for a negative exponent), so it
// is bit for bit the double that PowInt(x, n) returns; a sum that reads its
// powers from the table gives exactly the result it gives with PowInt per
// term, only without repeating the products for every term.
#ifndef STEAMCALC_LIBRARY_POWERS_H
#define STEAMCALC_LIBRARY_POWERS_H

#include <algorithm>
#include <array>
#include <cstddef>

namespace if97::detail {

// The exponents a sum uses: the lowest and the highest, and which negative
// ones are needed (only those reciprocals are formed, as PowInt would).
struct Exponents {
  static constexpr int kMaxReciprocal = 63;

  int lowest = 0;
  int highest = 0;
  std::array<bool, kMaxReciprocal + 1> reciprocal{};  // reciprocal[k]: x^-k is used

  // Adds every exponent of the column, shifted by shift (J - 1: shift -1).
  template <typename Column>  // int[N] or std::array<int, N>
  constexpr Exponents With(const Column& exponents, int shift = 0) const {
    Exponents e = *this;
    for (const int exponent : exponents) {
      const int k = exponent + shift;
      e.lowest = std::min(e.lowest, k);
      e.highest = std::max(e.highest, k);
      if (k < 0) e.reciprocal[-k] = true;
    }
    return e;
  }
};

template <Exponents E>
class PowerTable {
  static_assert(-E.lowest <= Exponents::kMaxReciprocal);

 public:
  explicit PowerTable(double x) {
    constexpr int top = std::max(E.highest, -E.lowest);
    at_[-E.lowest] = 1;
    double b = 1;
    for (int k = 1; k <= top; ++k) {
      b = x * b;
      if (k <= E.highest) at_[k - E.lowest] = b;
      if (k <= -E.lowest && E.reciprocal[k]) at_[-k - E.lowest] = 1 / b;
    }
  }

  // x^n, equal to PowInt(x, n); n must be one of the exponents of E.
  double operator[](int n) const { return at_[n - E.lowest]; }

 private:
  double at_[E.highest - E.lowest + 1];
};

// The integer factors of the terms, formed once: an exponent as a double (the
// factor J_i of a derivative), and the product of an exponent and a
// coefficient in extended precision. Both are exact (an exponent below 2^11
// times a 53-bit coefficient fits the 64-bit significand), so a term that
// starts from them is the term formed factor by factor.
template <std::size_t N>
constexpr std::array<double, N> AsDoubles(const std::array<int, N>& exponents) {
  std::array<double, N> d{};
  for (std::size_t i = 0; i < N; ++i) d[i] = exponents[i];
  return d;
}

template <std::size_t N>
constexpr std::array<long double, N> Products(const std::array<int, N>& exponents,
                                              const std::array<double, N>& coefficients) {
  std::array<long double, N> product{};
  for (std::size_t i = 0; i < N; ++i) {
    if (exponents[i] <= -2048 || exponents[i] >= 2048) throw "product not exact";
    product[i] = static_cast<long double>(exponents[i]) * coefficients[i];
  }
  return product;
}

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_POWERS_H
