// The calculation command against a recording view: what it reads, checks,
// shows and writes, and in which order.
#include "command.h"

#include <gtest/gtest.h>
#include <if97/if97.h>

#include <cfenv>
#include <charconv>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "message_recorder.h"
#include "recording_view.h"

namespace steamcalc {
namespace {

using Events = std::vector<std::string>;

// Boxes.
constexpr int P = 1, T = 2, H = 3, S = 4, X = 5;

const std::string kNoInputs = "Message Введите входные параметры для расчета";
const std::string kTooMany = "Message Количество входных параметров больше двух";
const std::string kNoFunctions =
    "Message Для такого сочетания входных параметров нет функций для расчета";
const std::string kPTRange =
    "Message Значения давления и температуры выходят за допустимые пределы";
const std::string kAboveCriticalP = "Message Значение давления больше критического (22.064МПа)";
const std::string kAboveCriticalT =
    "Message Значение температуры больше критической (373.946 гр.С)";
const std::string kPHRange = "Message Заданные значения Р и Н выходят за пределы допустимых";
const std::string kPSRange = "Message Заданные значения Р и S выходят за пределы допустимых";
// Library messages that the rows pass on.
const std::string kT_PS2bAbove800 =
    "Message Значение энтропии - недопустимо (больше чем при 800 гр.С)(T_PS2b)";

// The library's failure value, as each output format shows it.
const std::string kFailure72 = "-1000000.00";
const std::string kFailure74 = "-1000000.0000";
const std::string kFailureAdaptive = "-1000000.0000000";
const std::string kFailure75 = "-1000000.00000";

// The shortest text that reads back as exactly this double.
std::string Typed(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string Set(Field field, const std::string& text) {
  return "Set " + FieldName(field) + " [" + text + "]";
}

// Page 0 and the emptied results: what every run past the frame's checks
// does before its row.
Events Frame() {
  Events events = {"Page 0"};
  for (const Field field :
       {Field::Edit6, Field::Edit7, Field::Edit8, Field::Edit9, Field::Edit10, Field::Edit11,
        Field::Edit12, Field::Edit13, Field::Edit14, Field::Edit15, Field::Edit16, Field::Edit17,
        Field::Form4Edit1, Field::Form4Edit2, Field::Form4Edit3}) {
    events.push_back(Set(field, ""));
  }
  return events;
}

Events ClearAllEvents() {
  Events events;
  for (int field = 1; field <= 21; ++field) events.push_back(Set(static_cast<Field>(field), ""));
  for (int box = 1; box <= 5; ++box) events.push_back("Tick " + std::to_string(box) + " off");
  return events;
}

Events Join(Events first, const Events& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

struct Given {
  int box;
  std::string text;
};

int CountOf(const std::string& prefix, const Events& events) {
  int count = 0;
  for (const auto& event : events) count += event.starts_with(prefix);
  return count;
}

Events Press(RecordingView& view, std::vector<Given> inputs) {
  for (const auto& [box, text] : inputs) view.Give(box, text);
  Button4Click(view);
  return view.events();
}

Events Press(std::vector<Given> inputs) {
  RecordingView view;
  return Press(view, inputs);
}

// ---- the frame --------------------------------------------------------------

TEST(Frame, NothingTickedShowsOnlyTheFirstMessage) {
  RecordingView view;
  view.Put(Field::Edit7, "old");
  EXPECT_EQ(Press(view, {}), (Events{"Page 0", kNoInputs}));
  EXPECT_EQ(view.Get(Field::Edit7), "old");
}

TEST(Frame, ThreeTicksAreTooManyEvenWithAValidPair) {
  RecordingView view;
  view.Put(Field::Form4Edit1, "old");
  EXPECT_EQ(Press(view, {{P, "5"}, {T, "300"}, {H, "100"}}), (Events{"Page 0", kTooMany}));
  EXPECT_EQ(Press({{P, "1"}, {T, "2"}, {H, "3"}, {S, "4"}, {X, "5"}}),
            (Events{"Page 0", kTooMany}));
  EXPECT_EQ(view.Get(Field::Form4Edit1), "old");
  EXPECT_TRUE(view.Ticked(P) && view.Ticked(T) && view.Ticked(H));
}

TEST(Frame, PairsWithoutFunctionsAreRejected) {
  for (const auto& [first, second] :
       std::initializer_list<std::pair<int, int>>{{T, H}, {T, S}, {T, X}, {H, X}, {S, X}}) {
    EXPECT_EQ(Press({{first, "1"}, {second, "0.5"}}), (Events{"Page 0", kNoFunctions}))
        << first << " with " << second;
  }
}

TEST(Frame, CombinationsWithoutARowOnlyEmptyTheResults) {
  EXPECT_EQ(Press({{H, "2000"}, {S, "5"}}), Frame());
  EXPECT_EQ(Press({{X, "0.5"}}), Frame());
}

TEST(Frame, TheRowsMessagesComeWithoutEmptyingAnything) {
  RecordingView view;
  view.Put(Field::Edit9, "0.0453");
  Press(view, {{T, "300"}, {X, "0.5"}});
  EXPECT_EQ(view.Get(Field::Edit9), "0.0453");
  EXPECT_EQ(view.Get(Field::Edit2), "300");
}

// ---- reading ---------------------------------------------------------------

TEST(Reading, AConversionErrorEndsTheCommandAndKeepsInputsAndTicks) {
  struct Case {
    std::vector<Given> inputs;
    Events after_frame;
  };
  const Case cases[] = {
      {{{P, ""}}, {"Read Edit1", "ErrorBox '' is not a valid floating point value."}},
      {{{P, "5"}, {T, "abc"}},
       {"Read Edit1", "Read Edit2", "ErrorBox 'abc' is not a valid floating point value."}},
      {{{P, "1.2.3"}, {H, "100"}},
       {"Read Edit1", "ErrorBox '1,2,3' is not a valid floating point value."}},
      {{{P, "1"}, {X, " 0.5 x"}},
       {"Read Edit1", "Read Edit5", "ErrorBox ' 0,5 x' is not a valid floating point value."}},
      {{{S, "1e400"}}, {"Read Edit4", "ErrorBox '1e400' is not a valid floating point value."}},
      // A typed NUL character is shown, not taken as the end of the text.
      {{{S, std::string("5\0x", 3)}},
       {"Read Edit4", std::string("ErrorBox '5\0x' is not a valid floating point value.", 51)}},
  };
  for (const auto& c : cases) {
    RecordingView view;
    EXPECT_EQ(Press(view, c.inputs), Join(Frame(), c.after_frame));
    for (const auto& [box, text] : c.inputs) {
      EXPECT_TRUE(view.Ticked(box));
      EXPECT_EQ(view.Get(InputField(box)), text);
    }
  }
}

TEST(Reading, PointAndCommaAreTheSameDecimalMark) {
  const Events with_point = Press({{P, "5.5"}, {T, "300.25"}});
  const Events with_comma = Press({{P, " 5,5"}, {T, "300,25 "}});
  EXPECT_EQ(with_point, with_comma);
  EXPECT_EQ(CountOf("Message", with_point), 0);
}

// ---- the eight rows ------------------------------------------------------------

struct RowCase {
  const char* name;
  std::vector<Given> inputs;
  Events after_frame;  // reads, library messages, page, writes
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class Rows : public ::testing::TestWithParam<RowCase> {};

TEST_P(Rows, ReadCallAndWriteInOrder) {
  RecordingView view;
  EXPECT_EQ(Press(view, GetParam().inputs), Join(Frame(), GetParam().after_frame));
  EXPECT_EQ(view.Get(Field::Edit18), "");
  for (const auto& [box, text] : GetParam().inputs) EXPECT_TRUE(view.Ticked(box));
}

INSTANTIATE_TEST_SUITE_P(
    Command, Rows,
    ::testing::Values(
        // Row 1. TS_P(1): IAPWS-IF97 Table 35 (453.035632 K); saturated water at
        // 1 MPa: h 762.682844, s 2.13843135, v 0.00112723375; saturated steam
        // (IF97 steam tables): h 2777.1, s 6.585, v 0.1944.
        RowCase{"PressureAlone",
                {{P, "1"}},
                {"Read Edit1", "Page 1", Set(Field::Edit10, " 179.89"),
                 Set(Field::Edit12, " 762.68"), Set(Field::Edit13, " 2.1384"),
                 Set(Field::Edit14, "0.0011272"), Set(Field::Edit15, "2777.12"),
                 Set(Field::Edit16, " 6.5850"), Set(Field::Edit17, "0.1943489")}},
        // At the critical pressure the steam closes on the critical state of region 3
        // (322 kg/m3, 2087.55 kJ/kg); the water keeps the liquid root.
        RowCase{"CriticalPressureAlone",
                {{P, "22.064"}},
                {"Read Edit1", "Page 1", Set(Field::Edit10, " 373.95"),
                 Set(Field::Edit12, "2087.25"), Set(Field::Edit13, " 4.4116"),
                 Set(Field::Edit14, "0.0031039"), Set(Field::Edit15, "2087.55"),
                 Set(Field::Edit16, " 4.4120"), Set(Field::Edit17, "0.0031056")}},
        // Row 2. PS_T: IAPWS-IF97 Table 35 (T = 300 K and 500 K); the saturation
        // properties agree with the IF97 steam tables (h' 112.6 and 975.4, h" 2549.9
        // and 2802.5 kJ/kg).
        RowCase{"TemperatureAlone",
                {{T, "26.85"}},
                {"Read Edit2", "Page 1", Set(Field::Edit11, "0.0035366"),
                 Set(Field::Edit12, " 112.57"), Set(Field::Edit13, " 0.3931"),
                 Set(Field::Edit14, "0.0010035"), Set(Field::Edit15, "2549.89"),
                 Set(Field::Edit16, " 8.5175"), Set(Field::Edit17, " 39.0821")}},
        RowCase{"TemperatureAloneAboveOneMegapascal",
                {{T, "226.85"}},
                {"Read Edit2", "Page 1", Set(Field::Edit11, "  2.6389"),
                 Set(Field::Edit12, " 975.46"), Set(Field::Edit13, " 2.5811"),
                 Set(Field::Edit14, "0.0012029"), Set(Field::Edit15, "2802.59"),
                 Set(Field::Edit16, " 6.2354"), Set(Field::Edit17, "0.0757711")}},
        // PS_T(373.946) lies 3e-10 MPa above the critical pressure, where region 3
        // has one root: steam and water meet.
        RowCase{"CriticalTemperatureAlone",
                {{T, "373.946"}},
                {"Read Edit2", "Page 1", Set(Field::Edit11, " 22.0640"),
                 Set(Field::Edit12, "2087.25"), Set(Field::Edit13, " 4.4116"),
                 Set(Field::Edit14, "0.0031039"), Set(Field::Edit15, "2087.25"),
                 Set(Field::Edit16, " 4.4116"), Set(Field::Edit17, "0.0031039")}},
        // Row 3. Region 2 at 5 MPa, 300 degC (IF97 steam tables: h 2925.6, s 6.211, v 0.04535).
        RowCase{"PressureTemperatureSteam",
                {{P, "5"}, {T, "300"}},
                {"Read Edit1", "Read Edit2", "Page 0", Set(Field::Edit7, "2925.64"),
                 Set(Field::Edit8, " 6.2109"), Set(Field::Edit9, "0.0453466")}},
        // IAPWS-IF97 Table 5: 3 MPa, 300 K.
        RowCase{"PressureTemperatureWater",
                {{P, "3"}, {T, "26.85"}},
                {"Read Edit1", "Read Edit2", "Page 0", Set(Field::Edit7, " 115.33"),
                 Set(Field::Edit8, " 0.3923"), Set(Field::Edit9, "0.0010022")}},
        // IAPWS-IF97 Table 15: 0.0035 MPa, 700 K.
        RowCase{"PressureTemperatureLowPressureSteam",
                {{P, "0.0035"}, {T, "426.85"}},
                {"Read Edit1", "Read Edit2", "Page 0", Set(Field::Edit7, "3335.68"),
                 Set(Field::Edit8, "10.1750"), Set(Field::Edit9, " 92.3016")}},
        RowCase{
            "PressureTemperatureOnTheSaturationLine",
            {{P, "1"}, {T, Typed(if97::TS_P(1))}},
            {"Read Edit1", "Read Edit2", "Message Вы попали на линию насыщения (h_pt)",
             "Message Вы попали на линию насыщения (s_pt)",
             "Message Вы попали на линию насыщения (v_pt)", "Page 0", Set(Field::Edit7, kFailure72),
             Set(Field::Edit8, kFailure74), Set(Field::Edit9, kFailureAdaptive)}},
        // Row 4. T_PH(3, 500) = 118.648509 degC (IAPWS-IF97 Table 7); s and v agree
        // with the IF97 steam tables (1.511, 0.001058).
        RowCase{"PressureEnthalpy",
                {{P, "3"}, {H, "500"}},
                {"Read Edit1", "Read Edit3", "Page 0", Set(Field::Edit6, " 118.65"),
                 Set(Field::Edit8, " 1.5107"), Set(Field::Edit9, "0.0010575")}},
        // Row 4 just above 350 degC at 64.53 MPa, where region 3 starts below the
        // region-1 enthalpy at 350 degC: once 30 000 walk messages; now the state
        // at 350.0068 degC, h_pt there 1564.49999 kJ/kg, and no message.
        RowCase{"PressureEnthalpyJustAbove350",
                {{P, "64.53"}, {H, "1564.5"}},
                {"Read Edit1", "Read Edit3", "Page 0", Set(Field::Edit6, " 350.01"),
                 Set(Field::Edit8, " 3.4915"), Set(Field::Edit9, "0.0013927")}},
        // Row 5. T_PS(3, 0.5) = 34.692258 degC (IAPWS-IF97 Table 9); h and v agree
        // with the IF97 steam tables (148.0, 0.001005).
        RowCase{"PressureEntropy",
                {{P, "3"}, {S, "0.5"}},
                {"Read Edit1", "Read Edit4", "Page 0", Set(Field::Edit6, "  34.69"),
                 Set(Field::Edit7, " 148.05"), Set(Field::Edit9, "0.0010046")}},
        // T_PS rejects the entropy; H_PS and V_PS call T_PS again, show its
        // message and return the failure value.
        RowCase{"PressureEntropyAboveTheEntropyAt800",
                {{P, "50"}, {S, "7.5"}},
                {"Read Edit1", "Read Edit4", kT_PS2bAbove800, kT_PS2bAbove800, kT_PS2bAbove800,
                 "Page 0", Set(Field::Edit6, kFailure72), Set(Field::Edit7, kFailure72),
                 Set(Field::Edit9, kFailureAdaptive)}},
        // Up to 10 MPa the formulation reaches 1000 degC (region 5): the
        // state at 4 MPa and 900 degC (h and v as row 3 gives them), and an
        // entropy beyond 1000 degC.
        RowCase{"PressureEntropyInRegion5",
                {{P, "4"}, {S, Typed(if97::s_pt(4, 900))}},
                {"Read Edit1", "Read Edit4", "Page 0", Set(Field::Edit6, " 900.00"),
                 Set(Field::Edit7, "4383.89"), Set(Field::Edit9, "0.1347541")}},
        RowCase{"PressureEntropyAbove1000",
                {{P, "0.825"}, {S, "11.297"}},
                {"Read Edit1", "Read Edit4", kPSRange, kPSRange, kPSRange, "Page 0",
                 Set(Field::Edit6, kFailure72), Set(Field::Edit7, kFailure72),
                 Set(Field::Edit9, kFailureAdaptive)}},
        // Row 6: x = 0 is saturated water at 1 MPa (values as for row 1).
        RowCase{"WetSteamSaturatedWater",
                {{P, "1"}, {X, "0"}},
                {"Read Edit1", "Read Edit5", "Page 0", Set(Field::Edit6, " 179.89"),
                 Set(Field::Edit7, " 762.68"), Set(Field::Edit8, " 2.1384"),
                 Set(Field::Edit9, "0.0011272")}},
        RowCase{"WetSteamHalf",
                {{P, "1"}, {X, "0.5"}},
                {"Read Edit1", "Read Edit5", "Page 0", Set(Field::Edit6, " 179.89"),
                 Set(Field::Edit7, "1769.90"), Set(Field::Edit8, " 4.3617"),
                 Set(Field::Edit9, "0.0977381")}},
        RowCase{"WetSteamDrynessOutOfRange",
                {{P, "1"}, {X, "1.5"}},
                {"Read Edit1", "Read Edit5", "Message Степень сухости X<0 или X>1 в H_PX",
                 "Message Степень сухости X<0 или X>1 в S_PX",
                 "Message Степень сухости X<0 или X>1 в V_PX", "Page 0",
                 Set(Field::Edit6, " 179.89"), Set(Field::Edit7, kFailure72),
                 Set(Field::Edit8, kFailure74), Set(Field::Edit9, kFailureAdaptive)}},
        RowCase{"WetSteamAboveTheCriticalPressure",
                {{P, "25"}, {X, "0.5"}},
                {"Read Edit1", "Read Edit5",
                 "Message При данной температуре нет состояния насыщения (HSW_T)",
                 "Message При данной температуре нет состояния насыщения (HSP_T)",
                 "Message При данной температуре нет состояния насыщения (SSW_T)",
                 "Message При данной температуре нет состояния насыщения (SSP_T)",
                 "Message При данной температуре нет состояния насыщения (VSW_T)",
                 "Message При данной температуре нет состояния насыщения (VSP_T)", "Page 0",
                 Set(Field::Edit6, " 376.99"), Set(Field::Edit7, kFailure72),
                 Set(Field::Edit8, kFailure74), Set(Field::Edit9, kFailureAdaptive)}},
        // Row 7. PS_S(1.0) = 0.0365539 MPa.
        RowCase{"EntropyAlone",
                {{S, "1"}},
                {"Read Edit4", "ShowForm4", Set(Field::Form4Edit1, "0.03655")}},
        RowCase{
            "EntropyAloneOutOfRange",
            {{S, "0.1"}},
            {"Read Edit4", "Message Такое значение энтропии не допустимо (0.106<S<8.9749) (PS_S)",
             "ShowForm4", Set(Field::Form4Edit1, kFailure75)}},
        // Row 8. PS_H(2700): 11.31650 and 0.1745061 MPa.
        RowCase{"EnthalpyAlone",
                {{H, "2700"}},
                {"Read Edit3", "ShowForm4", Set(Field::Form4Edit2, "11.31650"),
                 Set(Field::Form4Edit3, "0.17451")}},
        RowCase{
            "EnthalpyAloneWithoutSaturation",
            {{H, "20"}},
            {"Read Edit3", "Message При таком значении энтальпии нет состояния насыщения (PS_H)",
             "ShowForm4", Set(Field::Form4Edit2, kFailure75), Set(Field::Form4Edit3, kFailure75)}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- range rejections ----------------------------------------------------------

struct Rejection {
  std::vector<Given> inputs;
  Events messages;  // the library's and the row's, in order
};

TEST(RangeRejection, ShowsTheMessageThenClearsAll) {
  const Rejection cases[] = {
      {{{P, "22.0641"}}, {kAboveCriticalP}},
      {{{T, "374"}}, {kAboveCriticalT}},
      {{{P, "0"}, {T, "20"}}, {kPTRange}},
      {{{P, "100.0001"}, {T, "20"}}, {kPTRange}},
      {{{P, "1"}, {T, "-0.001"}}, {kPTRange}},
      {{{P, "1"}, {T, "1000.01"}}, {kPTRange}},
      {{{P, "10.5"}, {T, "800.01"}}, {kPTRange}},
      {{{P, "0.0009"}, {H, "3000"}}, {kPHRange}},
      {{{P, "3"}, {H, "5000"}}, {kPHRange}},
      {{{P, "3"}, {H, "-1"}}, {kPHRange}},
      // The enthalpy bounds come from h_pt before the pressure is checked.
      {{{P, "101"}, {H, "100"}},
       {"Message Значения давления и температуры выходят за допустимые пределы",
        "Message Значения давления и температуры выходят за допустимые пределы", kPHRange}},
      {{{P, "0.0009999999995"}, {S, "5"}}, {kPSRange}},
      {{{P, "100.0001"}, {S, "5"}}, {kPSRange}},
      {{{P, "3"}, {S, "-0.1"}}, {kPSRange}},
      {{{P, "3"}, {S, "13"}}, {kPSRange}},
      // Above 100 MPa the saturation temperature equation falls back below the
      // critical temperature, and the library would report nothing.
      {{{P, "300"}, {X, "0.5"}}, {kAboveCriticalP}},
      {{{P, "1e300"}, {X, "0.5"}}, {kAboveCriticalP}},
  };
  for (const auto& c : cases) {
    RecordingView view;
    const Events events = Press(view, c.inputs);
    Events expected = Frame();
    for (const auto& [box, text] : c.inputs) {
      static_cast<void>(text);
      expected.push_back("Read " + FieldName(InputField(box)));
    }
    expected = Join(Join(expected, c.messages), ClearAllEvents());
    EXPECT_EQ(events, expected) << c.inputs.begin()->text;
    for (int box = 1; box <= 5; ++box) EXPECT_FALSE(view.Ticked(box));
  }
}

TEST(RangeRejection, TheBoundsThemselvesPass) {
  const double h_min = if97::h_pt(3, 0);
  const double h_max = if97::h_pt(3, 800);
  const std::vector<Given> accepted[] = {
      {{P, "100"}, {T, "0"}},
      {{P, "10"}, {T, "1000"}},
      {{P, "50"}, {T, "800"}},
      {{P, "0.001"}, {H, "100"}},
      {{P, "0.0009999999995"}, {H, "100"}},
      {{P, "100"}, {H, "500"}},
      {{P, "3"}, {H, Typed(h_min)}},
      {{P, "3"}, {H, Typed(h_max)}},
      {{P, "0.001"}, {S, "5"}},
      {{P, "100"}, {S, "5"}},
      {{P, "100"}, {X, "0.5"}},
      {{P, "22.064"}},
      {{T, "373.946"}},
  };
  for (const auto& inputs : accepted) {
    RecordingView view;
    const Events events = Press(view, inputs);
    // No clear-all, and the row went on to its page and outputs. (At the
    // enthalpy bound of 0 degC the backward equation may land a little below
    // 0 degC, and the library then reports that state itself.)
    EXPECT_EQ(CountOf("Tick", events), 0) << events[16] << " " << events[17];
    EXPECT_EQ(CountOf("Page", events), 2) << events[16] << " " << events[17];
  }
}

// ---- floating-point faults -------------------------------------------------------

TEST(Faults, AFaultEndsTheCommandWithNothingWritten) {
  RecordingView view;
  EXPECT_EQ(
      Press(view, {{P, "0"}, {X, "0.5"}}),
      Join(Frame(), {"Read Edit1", "Read Edit5", "ErrorBox Floating point division by zero."}));
  EXPECT_TRUE(view.Ticked(P) && view.Ticked(X));
  EXPECT_EQ(view.Get(Field::Edit1), "0");
}

TEST(Faults, FlagsRaisedBeforeTheCommandDoNotCount) {
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  const Events events = Press({{P, "5"}, {T, "300"}});
  EXPECT_EQ(CountOf("ErrorBox", events), 0);
  EXPECT_EQ(CountOf("Set Edit9 [0", events), 1);
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Faults, AMessageBoxCannotFakeAFault) {
  RecordingView view;
  view.during_message = [] { std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW); };
  const Events events = Press(view, {{P, "1"}, {X, "1.5"}});
  EXPECT_EQ(CountOf("Message", events), 3);
  EXPECT_EQ(CountOf("ErrorBox", events), 0);
  EXPECT_EQ(view.Get(Field::Edit9), kFailureAdaptive);
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Faults, TheLibrarysMessagesGoBackToThePreviousHandler) {
  MessageRecorder recorder;
  Press({{P, "1"}, {X, "1.5"}});
  Press({{P, "abc"}});
  Press({{P, "0"}, {X, "0.5"}});
  if97::ShowMessage("after");
  EXPECT_EQ(recorder.messages(), std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace steamcalc
