// steamcalc property library: the texts of the messages the classic functions
// show (UTF-8), each defined once. The library shows them through ShowMessage;
// the calculator's window shows some of them itself, and the state API
// returns them as StateResult::message.
//
// Texts that name the function that shows them are formed as
//   <text> "(" <function> ")"   (WithFunction below),
// the others are complete as they stand.
#ifndef STEAMCALC_IF97_MESSAGES_H
#define STEAMCALC_IF97_MESSAGES_H

#include <string>

namespace if97::messages {

// (p, t) outside the range (REGION_PT and every function of (p, t)).
inline constexpr char kPtOutOfRange[] =
    "Значения давления и температуры выходят за допустимые пределы";
// (p, h) and (p, s) outside the range (REGION_PH, T_PH ...; REGION_PS, T_PS ...).
inline constexpr char kPhOutOfRange[] = "Заданные значения Р и Н выходят за пределы допустимых";
inline constexpr char kPsOutOfRange[] = "Заданные значения Р и S выходят за пределы допустимых";

// A state exactly on the saturation line where water and steam differ, and a
// property that does not exist for wet steam; both followed by the function.
inline constexpr char kOnSaturationLine[] = "Вы попали на линию насыщения ";
inline constexpr char kTwoPhase[] = "В двухфазной области величина не определена ";

// Saturation states, followed by the function.
inline constexpr char kNoSaturationAtPressure[] = "При данном давлении нет состояния насыщения ";
inline constexpr char kNoSaturationAtTemperature[] =
    "При данной температуре нет состояния насыщения ";
inline constexpr char kDrynessOutOfRange[] = "Степень сухости X<0 или X>1 в ";

// Region 1 by (p, t) above the saturation temperature, followed by the function.
inline constexpr char kNotWater[] = "Параметры не соответствуют области воды ";

// The region-3 volume search (VKR_PT).
inline constexpr char kNoVolumeBracket[] =
    "Невозможно определить границы в околокритической области VKR_PT";
inline constexpr char kNoVolume[] =
    "Невозможно определить удельный объем в околокритической области (VKR_PT)";

// The temperature searches of region 3 and sub-region 2b.
inline constexpr char kNoTemperaturePh3[] =
    "Невозможно определить температуру в околокритической области Т_PH3";
inline constexpr char kNoTemperaturePs3[] = "Невозможно определить значение температуры T_PS3";
inline constexpr char kNoTemperaturePs2b[] = "Невозможно определить значение температуры (T_PS2b)";
inline constexpr char kAbove800Ps2b[] =
    "Значение энтропии - недопустимо (больше чем при 800 гр.С)(T_PS2b)";

// The saturation pressures from entropy and enthalpy.
inline constexpr char kNoSaturationEntropy[] =
    "Такое значение энтропии не допустимо (0.106<S<8.9749) (PS_S)";
inline constexpr char kNotWaterSaturationEnthalpy[] =
    "Заданная энтальпия не является энтальпией насыщения для воды (PS_H1)";
inline constexpr char kNoSaturationEnthalpy[] =
    "При таком значении энтальпии нет состояния насыщения ";

// The state API's own texts, where no classic function answers for it.
inline constexpr char kPhNoConvergence[] =
    "Невозможно определить температуру по давлению и энтальпии";
inline constexpr char kPsNoConvergence[] =
    "Невозможно определить температуру по давлению и энтропии";

// text + "(" + function + ")".
inline std::string WithFunction(const char* text, const char* function) {
  return std::string(text) + "(" + function + ")";
}

}  // namespace if97::messages

#endif  // STEAMCALC_IF97_MESSAGES_H
