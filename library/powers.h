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

  // Adds every exponent of the array, shifted by shift (J - 1: shift -1).
  template <std::size_t N>
  constexpr Exponents With(const int (&exponents)[N], int shift = 0) const {
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

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_POWERS_H
