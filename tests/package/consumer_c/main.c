/* Steam and water through the installed C interface of the if97 library. */
#include <if97/if97_c.h>
#include <stdio.h>

int main(void) {
  if97_state steam;
  double t, x;
  const int code = if97_pt(5, 300, &steam); /* p in MPa, t in degC */
  if (code != IF97_OK) {
    fprintf(stderr, "if97_pt: %s\n", if97_describe(code));
    return 1;
  }
  printf("if97c %s\n", if97_version_string());
  printf("if97_pt(5, 300): h = %.2f kJ/kg, region %d\n", steam.h, steam.region);
  t = if97_value("ph", 3, 500, "t"); /* h in kJ/kg */
  printf("if97_value(\"ph\", 3, 500, \"t\") = %.3f degC\n", t);
  x = if97_value("pt", 5, 300, "x");
  printf("x of superheated steam: %s\n", x == x ? "a number" : if97_describe(if97_last_error()));
  return 0;
}
