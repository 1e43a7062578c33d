// Internal to the library: the guard of the extended arithmetic. The classic
// functions' results are the bits of x86 extended arithmetic (64-bit
// significand) rounded to double where stored, and the region-3 sign proofs
// rest on that significand: a platform whose long double is anything else
// does not build, and every public function runs with the x87 unit's
// precision control at 64 bits, whatever the caller's process has set
// (Windows starts processes at 53 bits, and a program may set 24 or 53).
#ifndef STEAMCALC_LIBRARY_ARITH_PRECISION_H
#define STEAMCALC_LIBRARY_ARITH_PRECISION_H

#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the if97 library needs the x86 extended long double (64-bit significand)");

namespace if97::detail {

// For the lifetime of the guard, the x87 precision control at 64 bits; the
// caller's control word comes back when it ends. Where the caller's control
// word already has it (as on Linux by default) it costs one store of the
// control word and a comparison.
class ExtendedPrecision {
 public:
  ExtendedPrecision() noexcept {
    __asm__ __volatile__("fnstcw %0" : "=m"(saved_) : : "memory");
    const unsigned short wanted = saved_ | kPrecision64;
    if (wanted != saved_) {
      __asm__ __volatile__("fldcw %0" : : "m"(wanted) : "memory");
      changed_ = true;
    }
  }
  ~ExtendedPrecision() {
    if (changed_) __asm__ __volatile__("fldcw %0" : : "m"(saved_) : "memory");
  }
  ExtendedPrecision(const ExtendedPrecision&) = delete;
  ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

 private:
  static constexpr unsigned short kPrecision64 = 0x300;  // PC bits 8-9: 11
  unsigned short saved_ = 0;
  bool changed_ = false;
};

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_ARITH_PRECISION_H
