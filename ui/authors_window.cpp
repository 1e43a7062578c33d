#include "authors_window.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "window_style.h"

namespace steamcalc {
namespace {

constexpr int kClientWidth = 267;
constexpr int kClientHeight = 265;

// A credit line centred in its panel.
void AddCentredLine(QWidget* panel, const char* name, int top, const QString& text) {
  QLabel* label = AddLabel(panel, name, 0, top, text);
  label->move((panel->width() - label->width()) / 2, top);
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
  SetSecondaryWindowStyle(this, "Form2", QStringLiteral("Авторы"));
  setFixedSize(kClientWidth, kClientHeight);
  SetupControls();
}

void TForm2::SetupControls() {
  QFrame* panel1 = AddPanel(this, "Panel1", 8, 8, 249, 201);
  AddCentredLine(panel1, "Label1", 24, QStringLiteral("Разработчики steamcalc"));
  AddCentredLine(panel1, "Label2", 40, QStringLiteral("замечания — в трекер задач проекта"));
  AddCentredLine(panel1, "Label3", 72, QStringLiteral("Уравнения свойств: IAPWS-IF97"));
  AddCentredLine(panel1, "Label4", 112, QStringLiteral("Рекомендация ГСССД Р-776-98"));
  auto* bevel = new QFrame(panel1);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  bevel->setGeometry(8, 152, 233, 2);
  AddCentredLine(panel1, "Label5", 160, QStringLiteral("Проект steamcalc"));
  AddLabel(panel1, "Label6", 112, 176, QStringLiteral("2001"));

  QFrame* panel2 = AddPanel(this, "Panel2", 8, 216, 249, 41);
  QPushButton* button1 = AddButton(panel2, "Button1", 56, 8, 121, 25, QStringLiteral("Закрыть"));
  connect(button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() { hide(); }

}  // namespace steamcalc
