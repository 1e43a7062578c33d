// Enthalpy of steam at 5 MPa and 300 degC from the installed if97 library.
#include <if97/if97.h>

#include <cstdio>

int main() {
  std::printf("if97 %d.%d.%d\n", IF97_VERSION_MAJOR, IF97_VERSION_MINOR, IF97_VERSION_PATCH);
  const double h = if97::h_pt(5, 300);  // p in MPa, t in degC; h in kJ/kg
  if (h == if97::FAILURE) return 1;
  std::printf("h_pt(5, 300) = %.2f kJ/kg\n", h);
  return 0;
}
