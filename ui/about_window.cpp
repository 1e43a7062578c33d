#include "about_window.h"

#include <QFrame>
#include <QPushButton>

#include "window_style.h"

namespace steamcalc {
namespace {

// Outer size 304 x 324 less a 4-pixel border on each side and a 19-pixel
// caption bar.
constexpr int kClientWidth = 296;
constexpr int kClientHeight = 297;

// The text, a label a line: its component name and top-left corner.
struct Line {
  const char* name;
  int left, top;
  const char* text;
};
constexpr Line kLines[] = {
    {"Label1", 40, 16, "Программа предназначена для расчета"},
    {"Label2", 8, 32, "термодинамических свойств воды и водяного пара."},
    {"Label3", 40, 48, "Свойства рассчитываются на основании"},
    {"Label4", 88, 64, "уравнений, принятых"},
    {"Label5", 64, 80, "Международной ассоциацией"},
    {"Label6", 48, 96, "по свойствам воды и водяного пара"},
    {"Label7", 112, 112, "(МАСВП)."},
    {"Label8", 22, 144, "Международная система уравнений 1997 года"},
    {"Label9", 40, 163, "вводится с 1999 года и рекомендована"},
    {"Label10", 18, 181, "Гос. службой стандартных справочных данных"},
    {"Label11", 101, 200, "ГСССД Р-776-98"},
};

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  SetSecondaryWindowStyle(this, "Form3", QStringLiteral("О программе,,,"));
  resize(kClientWidth, kClientHeight);
  SetupControls();
}

void TForm3::SetupControls() {
  QFrame* panel1 = AddPanel(this, "Panel1", 8, 8, 281, 233);
  for (const Line& line : kLines) {
    AddLabel(panel1, line.name, line.left, line.top, QString::fromUtf8(line.text));
  }

  QFrame* panel2 = AddPanel(this, "Panel2", 8, 248, 281, 41);
  QPushButton* button1 = AddButton(panel2, "Button1", 80, 8, 121, 25, QStringLiteral("Закрыть"));
  connect(button1, &QPushButton::clicked, this, &TForm3::Button1Click);
}

void TForm3::Button1Click() { hide(); }

}  // namespace steamcalc
