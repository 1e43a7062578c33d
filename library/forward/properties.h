// Internal to the library: the properties of one phase at one point, all from
// one evaluation of the basic equation's derivatives (region1.cpp,
// region2.cpp, region5.cpp, region3/region3_properties.cpp).
#ifndef STEAMCALC_LIBRARY_FORWARD_PROPERTIES_H
#define STEAMCALC_LIBRARY_FORWARD_PROPERTIES_H

namespace if97::detail {

struct Properties {
  double h;   // kJ/kg
  double s;   // kJ/(kg K)
  double v;   // m3/kg
  double u;   // kJ/kg
  double cp;  // kJ/(kg K)
  double cv;  // kJ/(kg K)
  double w;   // m/s
  // d cp / dT at constant p, kJ/(kg K^2), for the searches of the state
  // functions; regions 1, 2 and 5 only, NaN for region 3.
  double dcp_dt;
};

// Regions 1, 2 and 5 at (p, t): h, s and v bit for bit what H1_PT (HW_PT),
// S1_PT, V1_PT, HP_PT, SP_PT, VP_PT, H5_PT, S5_PT and V5_PT return; the other
// four from the same powers. No range check.
Properties Region1Properties(double p, double t);
Properties Region2Properties(double p, double t);
Properties Region5Properties(double p, double t);

// Region 3 at the specific volume v (from VKR_PT) and temperature t: h and s
// bit for bit what H3_PT and S3_PT return at that volume, v as given.
Properties Region3Properties(double v, double t);

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_FORWARD_PROPERTIES_H
