// The floating-point modes the library computes in, set for the length of a
// call of the C interface and the caller's given back after it.
//
// The library evaluates its equations in x87 extended precision (long double
// on x86) and in SSE double, and sets the x87 precision control itself
// (library/arith/precision.h). The hosts of a DLL or shared library may have
// changed more than that: some runtimes unmask floating-point exceptions
// (which would then trap inside the library or at the caller's next x87
// instruction), some round otherwise than to nearest or flush denormals to
// zero. At the C boundary all of these are set as the library needs them.
// The modes are read on entry (cheap) and written only when they differ.
#ifndef STEAMCALC_CAPI_FLOATING_POINT_MODES_H
#define STEAMCALC_CAPI_FLOATING_POINT_MODES_H

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace if97c {

#if defined(__x86_64__) || (defined(__i386__) && defined(__SSE__))

// x87 control word: exception masks (bits 0-5), precision control (8-9),
// rounding control (10-11). The library's: all masked, 64-bit significand,
// to nearest.
inline constexpr unsigned short kX87Control = 0x0F3F;
inline constexpr unsigned short kX87Library = 0x033F;
// MXCSR: denormals are zero (bit 6), exception masks (7-12), rounding (13-14),
// flush to zero (15); bits 0-5 are the sticky exception flags.
inline constexpr unsigned kMxcsrControl = 0xFFC0;
inline constexpr unsigned kMxcsrLibrary = 0x1F80;

inline unsigned short X87ControlWord() noexcept {
  unsigned short word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

inline void SetX87ControlWord(unsigned short word) noexcept {
  __asm__ volatile("fldcw %0" : : "m"(word));
}

// The x87 environment as fnstenv stores it in 32-bit and 64-bit modes.
struct X87Environment {
  unsigned short control, reserved0;
  unsigned short status, reserved1;
  unsigned short tag, reserved2;
  unsigned instruction_offset;
  unsigned short instruction_selector, opcode;
  unsigned operand_offset;
  unsigned short operand_selector, reserved3;
};
static_assert(sizeof(X87Environment) == 28);

// Loads the caller's control word with the exception flags it unmasks
// cleared: an unmasked x87 flag left set by the library's arithmetic would
// trap at the caller's next floating-point instruction.
inline void RestoreX87(unsigned short control) noexcept {
  constexpr unsigned short kFlags = 0x003F;
  constexpr unsigned short kSummaryAndBusy = 0x8080;
  X87Environment environment;
  __asm__ volatile("fnstenv %0" : "=m"(environment));
  environment.status =
      static_cast<unsigned short>(environment.status & ~(~control & kFlags) & ~kSummaryAndBusy);
  environment.control = control;
  __asm__ volatile("fldenv %0" : : "m"(environment));
}

class FloatingPointModes {
 public:
  FloatingPointModes() noexcept : x87_(X87ControlWord()), mxcsr_(_mm_getcsr()) {
    if ((x87_ & kX87Control) != kX87Library) {
      SetX87ControlWord(static_cast<unsigned short>((x87_ & ~kX87Control) | kX87Library));
    }
    if ((mxcsr_ & kMxcsrControl) != kMxcsrLibrary)
      _mm_setcsr((mxcsr_ & ~kMxcsrControl) | kMxcsrLibrary);
  }
  // The caller's modes back. The exception flags raised meanwhile stay
  // raised, but for the x87 ones the caller unmasks (SSE flags never trap
  // later).
  ~FloatingPointModes() {
    if ((x87_ & kX87Control) != kX87Library) RestoreX87(x87_);
    if ((mxcsr_ & kMxcsrControl) != kMxcsrLibrary) {
      _mm_setcsr((_mm_getcsr() & ~kMxcsrControl) | (mxcsr_ & kMxcsrControl));
    }
  }
  FloatingPointModes(const FloatingPointModes&) = delete;
  FloatingPointModes& operator=(const FloatingPointModes&) = delete;

 private:
  unsigned short x87_;
  unsigned mxcsr_;
};

#else

// Elsewhere the library computes in the platform's own long double and
// double; the host's modes are left as they are.
class FloatingPointModes {};

#endif

}  // namespace if97c

#endif  // STEAMCALC_CAPI_FLOATING_POINT_MODES_H
