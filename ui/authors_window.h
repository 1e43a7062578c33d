// The Authors window ("Авторы").
#ifndef STEAMCALC_UI_AUTHORS_WINDOW_H
#define STEAMCALC_UI_AUTHORS_WINDOW_H

#include <QWidget>

namespace steamcalc {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  // "Закрыть": hides the window; the main window's "Авторы" shows it again.
  void Button1Click();

 private:
  void SetupControls();
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_AUTHORS_WINDOW_H
