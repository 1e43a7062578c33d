#include "form3.h"

#include <QFrame>
#include <QPushButton>

#include "window_style.h"

namespace steamcalc {
namespace {

// Outer size 304 x 324 less a 4-pixel border on each side and a 19-pixel
// caption bar.
constexpr int kClientWidth = 296;
constexpr int kClientHeight = 297;

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form3"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(QStringLiteral("О программе,,,"));
  setFont(WindowFont());
  resize(kClientWidth, kClientHeight);
  SetupControls();
}

void TForm3::SetupControls() {
  QFrame* panel1 = AddPanel(this, "Panel1", 8, 8, 281, 233);
  AddLabel(panel1, "Label1", 40, 16, QStringLiteral("Программа предназначена для расчета"));
  AddLabel(panel1, "Label2", 8, 32,
           QStringLiteral("термодинамических свойств воды и водяного пара."));
  AddLabel(panel1, "Label3", 40, 48, QStringLiteral("Свойства рассчитываются на основании"));
  AddLabel(panel1, "Label4", 88, 64, QStringLiteral("уравнений, принятых"));
  AddLabel(panel1, "Label5", 64, 80, QStringLiteral("Международной ассоциацией"));
  AddLabel(panel1, "Label6", 48, 96, QStringLiteral("по свойствам воды и водяного пара"));
  AddLabel(panel1, "Label7", 112, 112, QStringLiteral("(МАСВП)."));
  AddLabel(panel1, "Label8", 22, 144, QStringLiteral("Международная система уравнений 1997 года"));
  AddLabel(panel1, "Label9", 40, 163, QStringLiteral("вводится с 1999 года и рекомендована"));
  AddLabel(panel1, "Label10", 18, 181,
           QStringLiteral("Гос. службой стандартных справочных данных"));
  AddLabel(panel1, "Label11", 101, 200, QStringLiteral("ГСССД Р-776-98"));

  QFrame* panel2 = AddPanel(this, "Panel2", 8, 248, 281, 41);
  QPushButton* button1 = AddButton(panel2, "Button1", 80, 8, 121, 25, QStringLiteral("Закрыть"));
  connect(button1, &QPushButton::clicked, this, &TForm3::Button1Click);
}

void TForm3::Button1Click() { hide(); }

}  // namespace steamcalc
