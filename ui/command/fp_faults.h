// Floating-point faults of a calculation. The arithmetic runs with the
// exceptions masked; the command clears the exception flags before its library
// calls and turns a fault flag (invalid operation, division by zero, overflow)
// into a FloatingPointFault at the first place where a result could show.
// Underflow and inexact results are not faults.
#ifndef STEAMCALC_UI_FP_FAULTS_H
#define STEAMCALC_UI_FP_FAULTS_H

#include <cfenv>
#include <stdexcept>

namespace steamcalc {

// A floating-point fault; what() is the text shown to the user.
class FloatingPointFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Clears every floating-point exception flag.
void ClearFpFlags();

// Throws FloatingPointFault when a fault flag is set. With several flags set,
// the one reported is the first of: division by zero ("Floating point division
// by zero."), overflow ("Floating point overflow."), invalid operation
// ("Invalid floating point operation.") -- the invalid operations that follow
// from an infinite intermediate are consequences, not the cause.
void RaiseOnFpFault();

// Keeps the floating-point exception flags across foreign code (a conversion,
// a modal message box with its event loop): restores them on destruction.
class KeepFpFlags {
 public:
  KeepFpFlags();
  ~KeepFpFlags();
  KeepFpFlags(const KeepFpFlags&) = delete;
  KeepFpFlags& operator=(const KeepFpFlags&) = delete;

 private:
  std::fexcept_t flags_;
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_FP_FAULTS_H
