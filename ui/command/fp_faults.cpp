#include "fp_faults.h"

namespace steamcalc {

void ClearFpFlags() { std::feclearexcept(FE_ALL_EXCEPT); }

void RaiseOnFpFault() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  if (raised & FE_DIVBYZERO) throw FloatingPointFault("Floating point division by zero.");
  if (raised & FE_OVERFLOW) throw FloatingPointFault("Floating point overflow.");
  if (raised & FE_INVALID) throw FloatingPointFault("Invalid floating point operation.");
}

KeepFpFlags::KeepFpFlags() { std::fegetexceptflag(&flags_, FE_ALL_EXCEPT); }

KeepFpFlags::~KeepFpFlags() { std::fesetexceptflag(&flags_, FE_ALL_EXCEPT); }

}  // namespace steamcalc
