// Internal to the library: the coefficient tables of the IAPWS-IF97 basic
// equations of regions 1, 2, 3 and 5, in the standard's term order, one term
// a row numbered as in the standard. Each region's source evaluates its
// equation from these; the library's tests use them for a term-by-term
// reference evaluation. The columns I, J and n are taken from the rows.
#ifndef STEAMCALC_LIBRARY_TABLES_BASIC_EQUATIONS_H
#define STEAMCALC_LIBRARY_TABLES_BASIC_EQUATIONS_H

#include <array>
#include <cstddef>

#include "tables/term.h"

// The tables keep their columns aligned.
// clang-format off

namespace if97::region1 {

// IAPWS-IF97 Table 2: gamma = sum n_i (7.1 - pi)^I_i (tau - 1.222)^J_i.
inline constexpr detail::Term kTerms[] = {
    { 0,  -2,  0.14632971213167e0},    // 1
    { 0,  -1, -0.84548187169114e0},    // 2
    { 0,   0, -0.37563603672040e1},    // 3
    { 0,   1,  0.33855169168385e1},    // 4
    { 0,   2, -0.95791963387872e0},    // 5
    { 0,   3,  0.15772038513228e0},    // 6
    { 0,   4, -0.16616417199501e-1},   // 7
    { 0,   5,  0.81214629983568e-3},   // 8
    { 1,  -9,  0.28319080123804e-3},   // 9
    { 1,  -7, -0.60706301565874e-3},   // 10
    { 1,  -1, -0.18990068218419e-1},   // 11
    { 1,   0, -0.32529748770505e-1},   // 12
    { 1,   1, -0.21841717175414e-1},   // 13
    { 1,   3, -0.52838357969930e-4},   // 14
    { 2,  -3, -0.47184321073267e-3},   // 15
    { 2,   0, -0.30001780793026e-3},   // 16
    { 2,   1,  0.47661393906987e-4},   // 17
    { 2,   3, -0.44141845330846e-5},   // 18
    { 2,  17, -0.72694996297594e-15},  // 19
    { 3,  -4, -0.31679644845054e-4},   // 20
    { 3,   0, -0.28270797985312e-5},   // 21
    { 3,   6, -0.85205128120103e-9},   // 22
    { 4,  -5, -0.22425281908000e-5},   // 23
    { 4,  -2, -0.65171222895601e-6},   // 24
    { 4,  10, -0.14341729937924e-12},  // 25
    { 5,  -8, -0.40516996860117e-6},   // 26
    { 8, -11, -0.12734301741641e-8},   // 27
    { 8,  -6, -0.17424871230634e-9},   // 28
    {21, -29, -0.68762131295531e-18},  // 29
    {23, -31,  0.14478307828521e-19},  // 30
    {29, -38,  0.26335781662795e-22},  // 31
    {30, -39, -0.11947622640071e-22},  // 32
    {31, -40,  0.18228094581404e-23},  // 33
    {32, -41, -0.93537087292458e-25},  // 34
};
static_assert(std::size(kTerms) == 34);
inline constexpr auto I = detail::Column(kTerms, &detail::Term::I);
inline constexpr auto J = detail::Column(kTerms, &detail::Term::J);
inline constexpr auto n = detail::Column(kTerms, &detail::Term::n);

}  // namespace if97::region1

namespace if97::region2 {

// IAPWS-IF97 Table 10, ideal-gas part: gamma_o = ln pi + sum n0_i tau^J0_i.
inline constexpr detail::IdealTerm kIdealTerms[] = {
    { 0, -0.96927686500217e1},   // 1
    { 1,  0.10086655968018e2},   // 2
    {-5, -0.56087911283020e-2},  // 3
    {-4,  0.71452738081455e-1},  // 4
    {-3, -0.40710498223928e0},   // 5
    {-2,  0.14240819171444e1},   // 6
    {-1, -0.43839511319450e1},   // 7
    { 2, -0.28408632460772e0},   // 8
    { 3,  0.21268463753307e-1},  // 9
};
static_assert(std::size(kIdealTerms) == 9);
inline constexpr auto J0 = detail::Column(kIdealTerms, &detail::IdealTerm::J);
inline constexpr auto n0 = detail::Column(kIdealTerms, &detail::IdealTerm::n);

// IAPWS-IF97 Table 11, residual part: gamma_r = sum n_i pi^I_i (tau - 0.5)^J_i.
inline constexpr detail::Term kTerms[] = {
    { 1,  0, -0.17731742473213e-2},   // 1
    { 1,  1, -0.17834862292358e-1},   // 2
    { 1,  2, -0.45996013696365e-1},   // 3
    { 1,  3, -0.57581259083432e-1},   // 4
    { 1,  6, -0.50325278727930e-1},   // 5
    { 2,  1, -0.33032641670203e-4},   // 6
    { 2,  2, -0.18948987516315e-3},   // 7
    { 2,  4, -0.39392777243355e-2},   // 8
    { 2,  7, -0.43797295650573e-1},   // 9
    { 2, 36, -0.26674547914087e-4},   // 10
    { 3,  0,  0.20481737692309e-7},   // 11
    { 3,  1,  0.43870667284435e-6},   // 12
    { 3,  3, -0.32277677238570e-4},   // 13
    { 3,  6, -0.15033924542148e-2},   // 14
    { 3, 35, -0.40668253562649e-1},   // 15
    { 4,  1, -0.78847309559367e-9},   // 16
    { 4,  2,  0.12790717852285e-7},   // 17
    { 4,  3,  0.48225372718507e-6},   // 18
    { 5,  7,  0.22922076337661e-5},   // 19
    { 6,  3, -0.16714766451061e-10},  // 20
    { 6, 16, -0.21171472321355e-2},   // 21
    { 6, 35, -0.23895741934104e2},    // 22
    { 7,  0, -0.59059564324270e-17},  // 23
    { 7, 11, -0.12621808899101e-5},   // 24
    { 7, 25, -0.38946842435739e-1},   // 25
    { 8,  8,  0.11256211360459e-10},  // 26
    { 8, 36, -0.82311340897998e1},    // 27
    { 9, 13,  0.19809712802088e-7},   // 28
    {10,  4,  0.10406965210174e-18},  // 29
    {10, 10, -0.10234747095929e-12},  // 30
    {10, 14, -0.10018179379511e-8},   // 31
    {16, 29, -0.80882908646985e-10},  // 32
    {16, 50,  0.10693031879409e0},    // 33
    {18, 57, -0.33662250574171e0},    // 34
    {20, 20,  0.89185845355421e-24},  // 35
    {20, 35,  0.30629316876232e-12},  // 36
    {20, 48, -0.42002467698208e-5},   // 37
    {21, 21, -0.59056029685639e-25},  // 38
    {22, 53,  0.37826947613457e-5},   // 39
    {23, 39, -0.12768608934681e-14},  // 40
    {24, 26,  0.73087610595061e-28},  // 41
    {24, 40,  0.55414715350778e-16},  // 42
    {24, 58, -0.94369707241210e-6},   // 43
};
static_assert(std::size(kTerms) == 43);
inline constexpr auto I = detail::Column(kTerms, &detail::Term::I);
inline constexpr auto J = detail::Column(kTerms, &detail::Term::J);
inline constexpr auto n = detail::Column(kTerms, &detail::Term::n);

}  // namespace if97::region2

namespace if97::region3 {

// IAPWS-IF97 Table 30: phi = n1 ln delta + sum(i = 2..40) n_i delta^I_i tau^J_i.
// Term 1 is held by itself; the rows hold terms 2..40. delta = rho / rho*,
// tau = T* / T.
inline constexpr double kRhoStar = 322;    // kg/m3
inline constexpr double kTStar = 647.096;  // K
inline constexpr double n1 = 0.10658070028513e1;
inline constexpr detail::Term kTerms[] = {
    { 0,  0, -0.15732845290239e2},   // 2
    { 0,  1,  0.20944396974307e2},   // 3
    { 0,  2, -0.76867707878716e1},   // 4
    { 0,  7,  0.26185947787954e1},   // 5
    { 0, 10, -0.28080781148620e1},   // 6
    { 0, 12,  0.12053369696517e1},   // 7
    { 0, 23, -0.84566812812502e-2},  // 8
    { 1,  2, -0.12654315477714e1},   // 9
    { 1,  6, -0.11524407806681e1},   // 10
    { 1, 15,  0.88521043984318e0},   // 11
    { 1, 17, -0.64207765181607e0},   // 12
    { 2,  0,  0.38493460186671e0},   // 13
    { 2,  2, -0.85214708824206e0},   // 14
    { 2,  6,  0.48972281541877e1},   // 15
    { 2,  7, -0.30502617256965e1},   // 16
    { 2, 22,  0.39420536879154e-1},  // 17
    { 2, 26,  0.12558408424308e0},   // 18
    { 3,  0, -0.27999329698710e0},   // 19
    { 3,  2,  0.13899799569460e1},   // 20
    { 3,  4, -0.20189915023570e1},   // 21
    { 3, 16, -0.82147637173963e-2},  // 22
    { 3, 26, -0.47596035734923e0},   // 23
    { 4,  0,  0.43984074473500e-1},  // 24
    { 4,  2, -0.44476435428739e0},   // 25
    { 4,  4,  0.90572070719733e0},   // 26
    { 4, 26,  0.70522450087967e0},   // 27
    { 5,  1,  0.10770512626332e0},   // 28
    { 5,  3, -0.32913623258954e0},   // 29
    { 5, 26, -0.50871062041158e0},   // 30
    { 6,  0, -0.22175400873096e-1},  // 31
    { 6,  2,  0.94260751665092e-1},  // 32
    { 6, 26,  0.16436278447961e0},   // 33
    { 7,  2, -0.13503372241348e-1},  // 34
    { 8, 26, -0.14834345352472e-1},  // 35
    { 9,  2,  0.57922953628084e-3},  // 36
    { 9, 26,  0.32308904703711e-2},  // 37
    {10,  0,  0.80964802996215e-4},  // 38
    {10,  1, -0.16557679795037e-3},  // 39
    {11, 26, -0.44923899061815e-4},  // 40
};
static_assert(std::size(kTerms) == 39);
inline constexpr auto I = detail::Column(kTerms, &detail::Term::I);
inline constexpr auto J = detail::Column(kTerms, &detail::Term::J);
inline constexpr auto n = detail::Column(kTerms, &detail::Term::n);

}  // namespace if97::region3

namespace if97::region5 {

// IAPWS-IF97 Table 37, ideal-gas part: gamma_o = ln pi + sum n0_i tau^J0_i.
inline constexpr detail::IdealTerm kIdealTerms[] = {
    { 0, -0.13179983674201e2},   // 1
    { 1,  0.68540841634434e1},   // 2
    {-3, -0.24805148933466e-1},  // 3
    {-2,  0.36901534980333e0},   // 4
    {-1, -0.31161318213925e1},   // 5
    { 2, -0.32961626538917e0},   // 6
};
static_assert(std::size(kIdealTerms) == 6);
inline constexpr auto J0 = detail::Column(kIdealTerms, &detail::IdealTerm::J);
inline constexpr auto n0 = detail::Column(kIdealTerms, &detail::IdealTerm::n);

// IAPWS-IF97 Table 38 as published in 1997, residual part:
// gamma_r = sum n_i pi^I_i tau^J_i.
inline constexpr detail::Term kTerms[] = {
    {1, 0, -0.12563183589592e-3},  // 1
    {1, 1,  0.21774678714571e-2},  // 2
    {1, 3, -0.45942820899910e-2},  // 3
    {2, 9, -0.39724828359569e-5},  // 4
    {3, 3,  0.12919228289784e-6},  // 5
};
static_assert(std::size(kTerms) == 5);
inline constexpr auto I = detail::Column(kTerms, &detail::Term::I);
inline constexpr auto J = detail::Column(kTerms, &detail::Term::J);
inline constexpr auto n = detail::Column(kTerms, &detail::Term::n);

}  // namespace if97::region5

// clang-format on

#endif  // STEAMCALC_LIBRARY_TABLES_BASIC_EQUATIONS_H
