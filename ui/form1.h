// The main window: five inputs with their check boxes, the two result pages,
// and the buttons. The calculation itself is Button4Click of the command
// library; this class only lets it read and write the controls.
#ifndef STEAMCALC_UI_FORM1_H
#define STEAMCALC_UI_FORM1_H

#include <QWidget>
#include <array>
#include <string>

#include "calc_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace steamcalc {

class TForm2;
class TForm3;
class TForm4;

class TForm1 : public QWidget, public CalcView {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  // The secondary windows, created after the main window; the main window
  // places and shows them but does not own them.
  void SetSecondaryWindows(TForm2* form2, TForm3* form3, TForm4* form4);

  // Centres the window on the available area of its screen.
  void CentreOnDesktop();

  // Handlers.
  void Button4Click();  // "Расчет"
  void Button1Click();  // "Очистить всё"
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox5Click();
  void Button2Click();  // "О программе..."
  void Button3Click();  // "Авторы"
  void BitBtn1Click();  // "Выход"

  // CalcView
  std::string Text(Field field) const override;
  void SetText(Field field, const std::string& text) override;
  bool IsChecked(int box) const override;
  void SetChecked(int box, bool checked) override;
  void SetPage(int page) override;
  void ShowForm4() override;
  void Message(const std::string& text) override;
  void ErrorBox(const std::string& text) override;

 private:
  void SetupControls();
  void SetupTabOrder();
  void FocusInputIfTicked(int box);
  QLineEdit* Edit(int n) const;  // Edit1 .. Edit18

  std::array<QCheckBox*, 5> boxes_{};
  std::array<QLineEdit*, 18> edits_{};
  QTabWidget* notebook_ = nullptr;
  QLabel* image1_ = nullptr;
  TForm2* form2_ = nullptr;
  TForm3* form3_ = nullptr;
  TForm4* form4_ = nullptr;
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_FORM1_H
