// The main window: five inputs with their check boxes, the two result pages,
// and the buttons. The calculation itself is Button4Click of the command
// library; this class only lets it read and write the controls.
#ifndef STEAMCALC_UI_MAIN_WINDOW_H
#define STEAMCALC_UI_MAIN_WINDOW_H

#include <QWidget>
#include <array>
#include <string>

#include "calc_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace steamcalc {

class TForm2;
class TForm3;
class TForm4;

class TForm1 : public QWidget, public CalcView {
  Q_OBJECT

 public:
  // The secondary windows: the main window places and shows them but does not
  // own them; they must outlive it.
  TForm1(TForm2& form2, TForm3& form3, TForm4& form4, QWidget* parent = nullptr);

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
  bool IsChecked(Box box) const override;
  void SetChecked(Box box, bool checked) override;
  void SetPage(Page page) override;
  void ShowForm4() override;
  void Message(const std::string& text) override;
  void ErrorBox(const std::string& text) override;

 private:
  void SetupControls();
  void SetupTabOrder();
  void FocusInputIfTicked(int n);
  QLineEdit* Edit(int n) const;      // Edit1 .. Edit18
  QCheckBox* CheckBox(int n) const;  // CheckBox1 .. CheckBox5

  TForm2& form2_;
  TForm3& form3_;
  TForm4& form4_;
  std::array<QCheckBox*, 5> boxes_{};
  std::array<QLineEdit*, 18> edits_{};
  QTabWidget* notebook_ = nullptr;
  QLabel* image1_ = nullptr;
  QPushButton* button1_ = nullptr;   // "Очистить всё"
  QPushButton* button2_ = nullptr;   // "О программе..."
  QPushButton* button3_ = nullptr;   // "Авторы"
  QPushButton* button4_ = nullptr;   // "Расчет"
  QPushButton* bit_btn1_ = nullptr;  // "Выход"
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_MAIN_WINDOW_H
