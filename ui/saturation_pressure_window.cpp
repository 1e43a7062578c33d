#include "saturation_pressure_window.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "window_style.h"

namespace steamcalc {
namespace {

constexpr int kClientWidth = 473;
constexpr int kClientHeight = 345;
constexpr int kHeadingPixels = 16;

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
  SetSecondaryWindowStyle(this, "Form4",
                          QStringLiteral("Давление на линии насыщения по энтальпии или энтропии"));
  setFixedSize(kClientWidth, kClientHeight);
  SetupControls();
}

void TForm4::SetupControls() {
  QFrame* panel1 = AddPanel(this, "Panel1", 8, 8, 305, 281);
  image1_ = AddPicture(panel1, 8, 8, 289, 265, QStringLiteral(":/hs_diagram.jpg"));

  QFrame* panel2 = AddPanel(this, "Panel2", 8, 296, 305, 41);
  AddLabel(panel2, "Label4", 64, 8, QStringLiteral("Пояснения к определению давлений "));
  AddLabel(panel2, "Label5", 106, 24, QStringLiteral("на линии насыщения"));

  QFrame* panel3 = AddPanel(this, "Panel3", 320, 8, 145, 281);
  AddLabel(panel3, "Label1", 40, 24, QStringLiteral("Ps=f(S)"), QColor(), true, kHeadingPixels);
  edits_[0] = AddEdit(panel3, "Edit1", 24, 56, 81, 21);
  AddLabel(panel3, "Label6", 112, 60, QStringLiteral("МПа"));
  AddLabel(panel3, "Label2", 12, 112, QStringLiteral("Ps=f(h)=P_left"), QColor(), true,
           kHeadingPixels);
  edits_[1] = AddEdit(panel3, "Edit2", 24, 144, 81, 21);
  AddLabel(panel3, "Label7", 112, 148, QStringLiteral("МПа"));
  AddLabel(panel3, "Label3", 7, 200, QStringLiteral("Ps=f(h)=P_right"), QColor(), true,
           kHeadingPixels);
  edits_[2] = AddEdit(panel3, "Edit3", 24, 228, 81, 21);
  AddLabel(panel3, "Label8", 112, 232, QStringLiteral("МПа"));
  for (QLineEdit* edit : edits_) SetResultStyle(edit);
  edits_[0]->setAccessibleName(QStringLiteral("Давление насыщения по энтропии Ps=f(S), МПа"));
  edits_[1]->setAccessibleName(
      QStringLiteral("Давление насыщения по энтальпии, большее (P_left), МПа"));
  edits_[2]->setAccessibleName(
      QStringLiteral("Давление насыщения по энтальпии, меньшее (P_right), МПа"));

  QFrame* panel4 = AddPanel(this, "Panel4", 320, 296, 145, 41);
  QPushButton* button1 = AddButton(panel4, "Button1", 16, 8, 113, 25, QStringLiteral("Закрыть"));
  connect(button1, &QPushButton::clicked, this, &TForm4::Button1Click);
}

QString TForm4::FieldText(int n) const { return edits_.at(static_cast<size_t>(n - 1))->text(); }

// Shown from the first character, so that the sign of -1000000 is in view.
void TForm4::SetFieldText(int n, const QString& text) {
  QLineEdit* edit = edits_.at(static_cast<size_t>(n - 1));
  edit->setText(text);
  edit->setCursorPosition(0);
}

void TForm4::Button1Click() { hide(); }

}  // namespace steamcalc
