// The saturation-pressure window: the pressures the calculation command finds
// from an entropy or an enthalpy alone, beside the h-s diagram that explains them.
#ifndef STEAMCALC_UI_SATURATION_PRESSURE_WINDOW_H
#define STEAMCALC_UI_SATURATION_PRESSURE_WINDOW_H

#include <QString>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

namespace steamcalc {

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  // Edit1 (Ps=f(S)), Edit2 (P_left), Edit3 (P_right); n from 1 to 3.
  QString FieldText(int n) const;
  void SetFieldText(int n, const QString& text);

  // "Закрыть": hides the window (it has no close box of its own).
  void Button1Click();

 private:
  void SetupControls();

  std::array<QLineEdit*, 3> edits_{};
  QLabel* image1_ = nullptr;
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_SATURATION_PRESSURE_WINDOW_H
