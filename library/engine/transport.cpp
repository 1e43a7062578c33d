// Viscosity (IAPWS R12-08), thermal conductivity (IAPWS R15-11), surface
// tension (IAPWS R1-76(2014)) and static dielectric constant (IAPWS R8-97).
#include "engine/transport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>

#include "tables/transport.h"

namespace if97::engine {
namespace {

using namespace detail::transport;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <const auto& kTerms>
constexpr int HighestI() {
  int top = 0;
  for (const auto& term : kTerms) top = std::max(top, term.I);
  return top;
}

template <const auto& kTerms>
constexpr int HighestJ() {
  int top = 0;
  for (const auto& term : kTerms) top = std::max(top, term.J);
  return top;
}

// x^0 .. x^N by successive products.
template <int N>
std::array<double, N + 1> Powers(double x) {
  std::array<double, N + 1> power;
  power[0] = 1;
  for (int k = 1; k <= N; ++k) power[k] = power[k - 1] * x;
  return power;
}

// sum n x^I over a table of PowerTerm rows.
template <const auto& kTerms>
double PowerSum(double x) {
  const auto power = Powers<HighestI<kTerms>()>(x);
  double sum = 0;
  for (const auto& term : kTerms) sum += term.n * power[term.I];
  return sum;
}

// sum n x^I y^J over a table of Term rows.
template <const auto& kTerms>
double TermSum(double x, double y) {
  const auto x_power = Powers<HighestI<kTerms>()>(x);
  const auto y_power = Powers<HighestJ<kTerms>()>(y);
  double sum = 0;
  for (const auto& term : kTerms) sum += term.n * x_power[term.I] * y_power[term.J];
  return sum;
}

bool Valid(double rho, double T) { return rho >= 0 && T > 0; }

// mu0 mu1 in units of kViscosityStar (IAPWS R12-08 Tables 1 and 2).
double ReducedViscosityBase(double delta, double theta) {
  const double mu0 = 100 * std::sqrt(theta) / PowerSum<kViscosityIdeal>(1 / theta);
  const double mu1 = std::exp(delta * TermSum<kViscosityResidual>(1 / theta - 1, delta - 1));
  return mu0 * mu1;
}

// lambda0 lambda1 in units of kConductivityStar (IAPWS R15-11 Tables 1 and 2).
double ReducedConductivityBase(double delta, double theta) {
  const double lambda0 = std::sqrt(theta) / PowerSum<kConductivityIdeal>(1 / theta);
  const double lambda1 = std::exp(delta * TermSum<kConductivityResidual>(1 / theta - 1, delta - 1));
  return lambda0 * lambda1;
}

// The correlation length xi (nm) of both enhancements, from
//   delta_chi = delta [zeta(theta, delta) - zeta(theta_R, delta) theta_R / theta],
//   zeta = (pc / rhoc) (d rho/d p)_T, negative delta_chi taken as 0.
double CorrelationLength(double delta, double theta, double drho_dp_T) {
  const double zeta = kPc / kRhoc * drho_dp_T;
  const double zeta_R = kPc / kRhoc * DrhoDpReference(delta * kRhoc);
  const double delta_chi = delta * (zeta - zeta_R * kThetaReference / theta);
  if (delta_chi <= 0) return 0;
  return kXi0 * std::pow(delta_chi / kGamma0, kNu / kGamma);
}

// mu2 = exp(x_mu Y(xi)) (IAPWS R12-08).
double ViscosityEnhancement(double xi) {
  const double qc_xi = xi / kQcInverse;
  const double qd_xi = xi / kQdInverse;
  double Y;
  if (xi <= kXiSeriesLimit) {
    const double qd_xi2 = qd_xi * qd_xi;
    const double qd_xi5 = qd_xi2 * qd_xi2 * qd_xi;
    Y = qc_xi / 5 * qd_xi5 * (1 - qc_xi + qc_xi * qc_xi - 765.0 / 504 * qd_xi2);
  } else {
    const double psi_D = std::acos(1 / std::sqrt(1 + qd_xi * qd_xi));
    const double w = std::sqrt(std::abs((qc_xi - 1) / (qc_xi + 1))) * std::tan(psi_D / 2);
    const double L_w = qc_xi > 1 ? std::log((1 + w) / (1 - w)) : 2 * std::atan(std::abs(w));
    const double qc_xi2 = qc_xi * qc_xi;
    const double gap = std::abs(qc_xi2 - 1);
    Y = std::sin(3 * psi_D) / 12 - std::sin(2 * psi_D) / (4 * qc_xi) +
        (1 - 1.25 * qc_xi2) / qc_xi2 * std::sin(psi_D) -
        ((1 - 1.5 * qc_xi2) * psi_D - gap * std::sqrt(gap) * L_w) / (qc_xi2 * qc_xi);
  }
  return std::exp(kXMu * Y);
}

bool InViscosityEnhancementWindow(double rho, double T) {
  return T > kEnhancementTMin && T < kEnhancementTMax && rho > kEnhancementRhoMin &&
         rho < kEnhancementRhoMax;
}

// lambda2 in units of kConductivityStar (IAPWS R15-11): Lambda delta cp/R theta / mu Z(y).
// y below kYSmall gives Z = 0; so does every rho = 0 (delta_chi = 0), and Z's
// division by delta is never reached there.
double ConductivityEnhancement(double delta, double theta, double drho_dp_T, double cp, double cv,
                               double eta_base) {
  const double y = CorrelationLength(delta, theta, drho_dp_T) / kQdInverseConductivity;
  if (y < kYSmall) return 0;
  const double kappa = cp / cv;
  const double Z = 2 / (std::numbers::pi * y) *
                   ((1 - 1 / kappa) * std::atan(y) + y / kappa -
                    (1 - std::exp(-1 / (1 / y + y * y / (3 * delta * delta)))));
  return kLambda * delta * (cp / kGasConstant) * theta / (eta_base / kViscosityStar) * Z;
}

// The quarter powers J of the dielectric's terms as integers 4 J.
constexpr auto kDielectricJ4 = [] {
  std::array<int, std::size(kDielectricG)> j4{};
  for (std::size_t h = 0; h < j4.size(); ++h) j4[h] = static_cast<int>(4 * kDielectricG[h].J);
  return j4;
}();
static_assert([] {
  for (std::size_t h = 0; h < kDielectricJ4.size(); ++h)
    if (kDielectricJ4[h] != 4 * kDielectricG[h].J) return false;
  return true;
}());
constexpr int kDielectricJ4Top = *std::max_element(kDielectricJ4.begin(), kDielectricJ4.end());
constexpr int kDielectricITop = HighestI<kDielectricG>();

}  // namespace

double DrhoDpReference(double rho) {
  const double delta = rho / kRhoc;
  std::size_t range = 0;
  while (range < std::size(kZetaRangeTop) && delta > kZetaRangeTop[range]) ++range;
  const double* a = kZetaInverse[range];
  const auto power = Powers<5>(delta);
  double zeta_inverse = 0;
  for (int i = 0; i <= 5; ++i) zeta_inverse += a[i] * power[i];
  return kRhoc / kPc / zeta_inverse;
}

double ViscosityBase(double rho, double T) {
  if (!Valid(rho, T)) return kNaN;
  return ReducedViscosityBase(rho / kRhoc, T / kTc) * kViscosityStar;
}

double Viscosity(double rho, double T, double drho_dp_T) {
  if (!Valid(rho, T)) return kNaN;
  const double delta = rho / kRhoc;
  const double theta = T / kTc;
  double mu = ReducedViscosityBase(delta, theta);
  if (InViscosityEnhancementWindow(rho, T))
    mu *= ViscosityEnhancement(CorrelationLength(delta, theta, drho_dp_T));
  return mu * kViscosityStar;
}

double ThermalConductivityBase(double rho, double T) {
  if (!Valid(rho, T)) return kNaN;
  return ReducedConductivityBase(rho / kRhoc, T / kTc) * kConductivityStar;
}

double ThermalConductivity(double rho, double T, double drho_dp_T, double cp, double cv,
                           double eta_base) {
  if (!Valid(rho, T) || !(cp > 0 && cv > 0 && eta_base > 0)) return kNaN;
  const double delta = rho / kRhoc;
  const double theta = T / kTc;
  const double lambda = ReducedConductivityBase(delta, theta) +
                        ConductivityEnhancement(delta, theta, drho_dp_T, cp, cv, eta_base);
  return lambda * kConductivityStar;
}

double SurfaceTension(double T) {
  if (!(T >= kTensionTMin && T <= kTc)) return kNaN;
  const double tau = 1 - T / kTc;
  return kTensionB * std::pow(tau, kTensionMu) * (1 + kTensionb * tau) * kTensionStar;
}

// IAPWS R8-97: epsilon from the Harris-Alder g and the Kirkwood relation.
double DielectricConstant(double rho, double T) {
  if (!(T >= kDielectricTMin && T <= kDielectricTMax) || !(rho >= 0)) return kNaN;
  const double delta = rho / kRhoc;
  const double tau = kTc / T;
  const auto delta_power = Powers<kDielectricITop>(delta);
  const auto tau_quarter_power = Powers<kDielectricJ4Top>(std::sqrt(std::sqrt(tau)));
  double g = 1 + kDielectricN12 * delta * std::pow(T / kDielectricT12 - 1, kDielectricE12);
  for (std::size_t h = 0; h < std::size(kDielectricG); ++h)
    g += kDielectricG[h].n * delta_power[kDielectricG[h].I] * tau_quarter_power[kDielectricJ4[h]];
  const double molar_density = rho / (kMolarMass * 1e-3);  // mol/m3
  const double A = kAvogadro * kDipoleMoment * kDipoleMoment * molar_density * g /
                   (kPermittivity * kBoltzmann * T);
  const double B = kAvogadro * kPolarizability * molar_density / (3 * kPermittivity);
  // B reaches 1 only near 4860 kg/m3, far beyond any water state; the relation has no root there.
  if (!(B < 1)) return kNaN;
  return (1 + A + 5 * B + std::sqrt(9 + 2 * A + 18 * B + A * A + 10 * A * B + 9 * B * B)) /
         (4 * (1 - B));
}

}  // namespace if97::engine
