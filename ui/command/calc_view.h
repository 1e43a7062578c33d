// The calculation command's view of the windows: what Button4Click needs from
// the main window and the saturation-pressure window. The Qt windows implement
// it; tests use a recording fake.
#ifndef STEAMCALC_UI_CALC_VIEW_H
#define STEAMCALC_UI_CALC_VIEW_H

#include <string>

namespace steamcalc {

// Edit fields addressed by their component names: Edit1..Edit18 of Form1,
// then Edit1..Edit3 of Form4.
enum class Field {
  Edit1 = 1,
  Edit2,
  Edit3,
  Edit4,
  Edit5,
  Edit6,
  Edit7,
  Edit8,
  Edit9,
  Edit10,
  Edit11,
  Edit12,
  Edit13,
  Edit14,
  Edit15,
  Edit16,
  Edit17,
  Edit18,
  Form4Edit1,
  Form4Edit2,
  Form4Edit3,
};

// The check boxes of the five inputs, by their component names: pressure,
// temperature, enthalpy, entropy, dryness fraction.
enum class Box {
  CheckBox1 = 1,
  CheckBox2,
  CheckBox3,
  CheckBox4,
  CheckBox5,
};

// The pages of TabbedNotebook1.
enum class Page {
  WaterAndSteam = 0,  // "Вода  и  пар"
  Saturation = 1,     // "Состояние насыщения"
};

class CalcView {
 public:
  virtual ~CalcView() = default;

  virtual std::string Text(Field field) const = 0;                 // UTF-8
  virtual void SetText(Field field, const std::string& text) = 0;  // UTF-8
  virtual bool IsChecked(Box box) const = 0;
  virtual void SetChecked(Box box, bool checked) = 0;
  virtual void SetPage(Page page) = 0;
  virtual void ShowForm4() = 0;  // place at (main left + 60, main top), show non-modal
  virtual void Message(const std::string& text) = 0;   // modal message box, OK button
  virtual void ErrorBox(const std::string& text) = 0;  // modal error box, error icon
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_CALC_VIEW_H
