// Transport and other properties of water from a state's density and
// temperature, in double precision: the viscosity (IAPWS R12-08), the thermal
// conductivity (IAPWS R15-11, industrial form), the surface tension (IAPWS
// R1-76(2014)) and the static dielectric constant (IAPWS R8-97).
//
// The critical enhancements read the state's derivatives, which the caller
// takes from its equation of state: (d rho/d p)_T in kg/(m3 MPa), cp and cv in
// kJ/(kg K). Their reference value at T_R = 1.5 Tc comes from the conductivity
// release's density-range polynomials (DrhoDpReference), as IF97 does not
// cover 1.5 Tc at every density. A density below 0 or a temperature not above
// 0 K gives NaN, as do heat capacities or a viscosity not above 0.
#ifndef STEAMCALC_LIBRARY_ENGINE_TRANSPORT_H
#define STEAMCALC_LIBRARY_ENGINE_TRANSPORT_H

namespace if97::engine {

// mu0 mu1, the viscosity without its critical enhancement (Pa s); rho in kg/m3, T in K.
double ViscosityBase(double rho, double T);

// mu0 mu1 mu2 (Pa s). mu2 is formed only inside 645.91 K < T < 650.77 K,
// 245.8 kg/m3 < rho < 405.3 kg/m3 (IAPWS R12-08 for industrial use), from
// drho_dp_T, the state's (d rho/d p)_T in kg/(m3 MPa); mu2 = 1 elsewhere.
double Viscosity(double rho, double T, double drho_dp_T);

// (d rho/d p)_T at T_R = 1.5 Tc and density rho (kg/m3), in kg/(m3 MPa).
double DrhoDpReference(double rho);

// lambda0 lambda1, the thermal conductivity without its critical enhancement (W/(m K)).
double ThermalConductivityBase(double rho, double T);

// lambda0 lambda1 + lambda2 (W/(m K)), the enhancement everywhere, from the
// state's drho_dp_T (kg/(m3 MPa)), cp and cv (kJ/(kg K)) and eta_base, its
// viscosity without the critical enhancement (ViscosityBase, Pa s).
double ThermalConductivity(double rho, double T, double drho_dp_T, double cp, double cv,
                           double eta_base);

// sigma (N/m) for 248.15 K <= T <= Tc; NaN elsewhere.
double SurfaceTension(double T);

// The static dielectric constant epsilon for 238 K <= T <= 1200 K; NaN elsewhere,
// and for rho below 0 or from about 4860 kg/m3 up, where the relation has no root.
double DielectricConstant(double rho, double T);

}  // namespace if97::engine

#endif  // STEAMCALC_LIBRARY_ENGINE_TRANSPORT_H
