// The About window ("О программе,,,").
#ifndef STEAMCALC_UI_ABOUT_WINDOW_H
#define STEAMCALC_UI_ABOUT_WINDOW_H

#include <QWidget>

namespace steamcalc {

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  // "Закрыть": hides the window; the main window's "О программе..." shows it again.
  void Button1Click();

 private:
  void SetupControls();
};

}  // namespace steamcalc

#endif  // STEAMCALC_UI_ABOUT_WINDOW_H
