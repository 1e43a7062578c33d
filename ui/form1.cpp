#include "form1.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

#include "command.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "jpeg_image.h"
#include "message_boxes.h"
#include "window_style.h"

namespace steamcalc {
namespace {

// Outer size 601 x 372 less a 4-pixel border on each side and a 19-pixel
// caption bar.
constexpr int kClientWidth = 593;
constexpr int kClientHeight = 345;
constexpr int kOuterWidth = 601;
constexpr int kOuterHeight = 372;
constexpr int kButtonPixels = 13;

// Offsets of the secondary windows from the main window's top-left corner.
constexpr QPoint kForm2Offset{160, 70};
constexpr QPoint kForm3Offset{150, 36};
constexpr QPoint kForm4Offset{60, 0};

// The accessible name says which quantity a field holds: the group box's
// title would be all a screen reader could tell otherwise.
QLineEdit* AddInput(QWidget* parent, const char* name, int top, const QString& hint,
                    const QString& accessible_name) {
  QLineEdit* edit = AddEdit(parent, name, 152, top, 90, 21);
  edit->setAccessibleName(accessible_name);
  edit->setFont(WindowFont());
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Text, kBlack);
  palette.setColor(QPalette::Base, kWhite);
  edit->setPalette(palette);
  edit->setToolTip(hint);
  return edit;
}

QLineEdit* AddResult(QWidget* page, const char* name, int left, int top, int width,
                     const QString& hint, const QString& accessible_name) {
  QLineEdit* edit = AddEdit(page, name, left, top, width, 21);
  SetResultStyle(edit);
  edit->setToolTip(hint);
  edit->setAccessibleName(accessible_name);
  return edit;
}

// Shows a secondary window at its place, also when the user has minimised it
// (show() alone leaves a minimised window minimised). A window the user asked
// for takes the keyboard; the saturation-pressure window, shown by a
// calculation, leaves it in the main window's inputs.
void PlaceAndShow(QWidget* window, QPoint position, bool activate) {
  window->move(position);
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  if (activate) window->activateWindow();
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Расчет термодинамических свойств воды и водяного пара"));
  SetTextStyle(this, kRed);
  resize(kClientWidth, kClientHeight);
  SetupControls();
  SetupTabOrder();
}

void TForm1::SetupControls() {
  auto* panel1 = new QLabel(
      QStringLiteral("Расчет термодинамических параметров воды и пара согласно ГСССД Р-776-98"),
      this);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel1->setAlignment(Qt::AlignCenter);
  SetTextStyle(panel1, kBlue, true);
  panel1->setGeometry(8, 8, 508, 41);

  QFrame* panel4 = AddPanel(this, "Panel4", 520, 8, 65, 65);
  image1_ = new QLabel(panel4);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(0, 0, 65, 65);
  image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image1_->setPixmap(QPixmap::fromImage(LoadJpegResource(QStringLiteral(":/emblem.jpg"))));

  auto* group_box1 = new QGroupBox(QStringLiteral("Входные параметры"), this);
  group_box1->setObjectName(QStringLiteral("GroupBox1"));
  SetTextStyle(group_box1, kRed, true);
  group_box1->setGeometry(8, 56, 265, 185);
  const std::array<QString, 5> captions = {
      QStringLiteral("Давление, МПа"), QStringLiteral("Температура, гр.С"),
      QStringLiteral("Энтальпия, кДж/кг"), QStringLiteral("Энтропия, кДж/кг C"),
      QStringLiteral("Степень сухости")};
  const std::array<QString, 5> hints = {QStringLiteral("Давление"), QStringLiteral("Температура"),
                                        QStringLiteral("Энтальпия"), QStringLiteral("Энтропия"),
                                        QStringLiteral("Степень сухости")};
  constexpr std::array<int, 5> kLabelTops = {27, 59, 91, 122, 154};
  constexpr std::array<int, 5> kBoxTops = {25, 57, 89, 120, 152};
  constexpr std::array<int, 5> kEditTops = {23, 56, 87, 118, 150};
  for (size_t i = 0; i < 5; ++i) {
    const QByteArray n = QByteArray::number(static_cast<int>(i) + 1);
    AddLabel(group_box1, "Label" + n, 8, kLabelTops[i], captions[i], kBlue);
    boxes_[i] = new QCheckBox(group_box1);
    boxes_[i]->setObjectName(QStringLiteral("CheckBox") + QString::fromLatin1(n));
    boxes_[i]->setGeometry(128, kBoxTops[i], 17, 17);
    boxes_[i]->setAccessibleName(captions[i]);
  }
  for (size_t i = 0; i < 5; ++i) {
    const QByteArray name = "Edit" + QByteArray::number(static_cast<int>(i) + 1);
    edits_[i] = AddInput(group_box1, name.constData(), kEditTops[i], hints[i], captions[i]);
  }

  QFrame* panel2 = AddPanel(this, "Panel2", 8, 248, 265, 41);
  QPushButton* button1 = AddButton(panel2, "Button1", 8, 8, 97, 25, QStringLiteral("Очистить всё"));
  SetTextStyle(button1, kBlack);
  QPushButton* button4 = AddButton(panel2, "Button4", 136, 8, 121, 25, QStringLiteral("Расчет"));
  SetTextStyle(button4, kBlack, true, kButtonPixels);

  notebook_ = new QTabWidget(this);
  notebook_->setObjectName(QStringLiteral("TabbedNotebook1"));
  notebook_->setGeometry(280, 56, 305, 233);
  notebook_->tabBar()->setFont(WindowFont(kWindowFontPixels, true));

  auto* page0 = new QWidget;
  page0->setObjectName(QStringLiteral("Page0"));
  AddLabel(page0, "Label18", 16, 20, QStringLiteral("Давление, МПа"), kBlue);
  edits_[17] = AddResult(page0, "Edit18", 192, 16, 89, QStringLiteral("Давление"),
                         QStringLiteral("Результат: давление, МПа"));
  AddLabel(page0, "Label7", 16, 58, QStringLiteral("Температура, гр.С"), kBlue);
  edits_[5] = AddResult(page0, "Edit6", 192, 54, 89, QStringLiteral("Температура"),
                        QStringLiteral("Результат: температура, гр.С"));
  AddLabel(page0, "Label8", 16, 96, QStringLiteral("Энтальпия, кДж/кг"), kBlue);
  edits_[6] = AddResult(page0, "Edit7", 192, 92, 89, QStringLiteral("Энтальпия"),
                        QStringLiteral("Результат: энтальпия, кДж/кг"));
  AddLabel(page0, "Label9", 16, 133, QStringLiteral("Энтропия, кДж/кг С"), kBlue);
  edits_[7] = AddResult(page0, "Edit8", 192, 129, 89, QStringLiteral("Энтропия"),
                        QStringLiteral("Результат: энтропия, кДж/кг С"));
  AddLabel(page0, "Label10", 16, 171, QStringLiteral("Удельный объем, м3/кг"), kBlue);
  edits_[8] = AddResult(page0, "Edit9", 192, 167, 89, QStringLiteral("Удельный объем"),
                        QStringLiteral("Результат: удельный объем, м3/кг"));
  notebook_->addTab(page0, QStringLiteral("Вода  и  пар"));

  auto* page1 = new QWidget;
  page1->setObjectName(QStringLiteral("Page1"));
  AddLabel(page1, "Label11", 16, 16, QStringLiteral("Температура насыщения, гр.С"), kBlue);
  edits_[9] = AddResult(page1, "Edit10", 206, 12, 89, QStringLiteral("Температура насыщения"),
                        QStringLiteral("Температура насыщения, гр.С"));
  AddLabel(page1, "Label12", 16, 48, QStringLiteral("Давление насыщения, МПа"), kBlue);
  edits_[10] = AddResult(page1, "Edit11", 206, 44, 89, QStringLiteral("Давление насыщения"),
                         QStringLiteral("Давление насыщения, МПа"));
  AddLabel(page1, "Label6", 128, 72, QStringLiteral("Параметры на линии насыщения"), kRed);
  AddLabel(page1, "Label13", 160, 88, QStringLiteral("Вода"), kRed, true);
  AddLabel(page1, "Label14", 248, 88, QStringLiteral("Пар"), kRed, true);
  AddLabel(page1, "Label15", 8, 112, QStringLiteral("Энтальпия,кДж/кг"), kBlue);
  AddLabel(page1, "Label16", 8, 144, QStringLiteral("Энтропия, кДж/кг С"), kBlue);
  AddLabel(page1, "Label17", 8, 176, QStringLiteral("Удельный объем, м3/кг"), kBlue);
  edits_[11] = AddResult(page1, "Edit12", 138, 108, 73, QStringLiteral("Энтальпия воды"),
                         QStringLiteral("Энтальпия воды на линии насыщения, кДж/кг"));
  edits_[12] = AddResult(page1, "Edit13", 138, 140, 73, QStringLiteral("Энтропия воды"),
                         QStringLiteral("Энтропия воды на линии насыщения, кДж/кг С"));
  edits_[13] = AddResult(page1, "Edit14", 138, 172, 73, QStringLiteral("Удельный объем воды"),
                         QStringLiteral("Удельный объем воды на линии насыщения, м3/кг"));
  edits_[14] = AddResult(page1, "Edit15", 222, 108, 73, QStringLiteral("Энтальпия пара"),
                         QStringLiteral("Энтальпия пара на линии насыщения, кДж/кг"));
  edits_[15] = AddResult(page1, "Edit16", 222, 140, 73, QStringLiteral("Энтропия пара"),
                         QStringLiteral("Энтропия пара на линии насыщения, кДж/кг С"));
  edits_[16] = AddResult(page1, "Edit17", 222, 172, 73, QStringLiteral("Удельный объем пара"),
                         QStringLiteral("Удельный объем пара на линии насыщения, м3/кг"));
  notebook_->addTab(page1, QStringLiteral("Состояние насыщения"));
  for (int i = 0; i < notebook_->count(); ++i) notebook_->tabBar()->setTabTextColor(i, kRed);

  QFrame* panel3 = AddPanel(this, "Panel3", 8, 296, 577, 41);
  QPushButton* button2 =
      AddButton(panel3, "Button2", 8, 8, 121, 25, QStringLiteral("О программе..."));
  SetTextStyle(button2, kBlue);
  QPushButton* button3 = AddButton(panel3, "Button3", 240, 8, 121, 25, QStringLiteral("Авторы"));
  SetTextStyle(button3, kRed);
  QPushButton* bit_btn1 = AddButton(panel3, "BitBtn1", 488, 8, 81, 25, QStringLiteral("Выход"));
  SetTextStyle(bit_btn1, kRed, true, kButtonPixels);

  connect(button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  // Enter in an input field presses "Расчет".
  for (size_t i = 0; i < 5; ++i) {
    connect(edits_[i], &QLineEdit::returnPressed, button4, &QPushButton::click);
  }
  connect(button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(boxes_[0], &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
  connect(boxes_[1], &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
  connect(boxes_[2], &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
  connect(boxes_[3], &QCheckBox::toggled, this, &TForm1::CheckBox4Click);
  connect(boxes_[4], &QCheckBox::toggled, this, &TForm1::CheckBox5Click);
  connect(button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(bit_btn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
}

// Boxes, then inputs; "Расчет" before "Очистить всё"; the notebook; "Выход"
// before "О программе..." and "Авторы".
void TForm1::SetupTabOrder() {
  std::vector<QWidget*> chain(boxes_.begin(), boxes_.end());
  for (int n = 1; n <= 5; ++n) chain.push_back(Edit(n));
  chain.push_back(findChild<QPushButton*>(QStringLiteral("Button4")));
  chain.push_back(findChild<QPushButton*>(QStringLiteral("Button1")));
  chain.push_back(notebook_);
  chain.push_back(Edit(18));
  for (int n = 6; n <= 17; ++n) chain.push_back(Edit(n));
  chain.push_back(findChild<QPushButton*>(QStringLiteral("BitBtn1")));
  chain.push_back(findChild<QPushButton*>(QStringLiteral("Button2")));
  chain.push_back(findChild<QPushButton*>(QStringLiteral("Button3")));
  for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::SetSecondaryWindows(TForm2* form2, TForm3* form3, TForm4* form4) {
  form2_ = form2;
  form3_ = form3;
  form4_ = form4;
}

void TForm1::CentreOnDesktop() {
  const QRect area = screen()->availableGeometry();
  move(area.x() + (area.width() - kOuterWidth) / 2, area.y() + (area.height() - kOuterHeight) / 2);
}

QLineEdit* TForm1::Edit(int n) const { return edits_.at(static_cast<size_t>(n - 1)); }

void TForm1::Button4Click() { steamcalc::Button4Click(*this); }

void TForm1::Button1Click() { ClearAll(*this); }

// The old text is selected, so that typing replaces it.
void TForm1::FocusInputIfTicked(int box) {
  if (!IsChecked(box)) return;
  Edit(box)->setFocus();
  Edit(box)->selectAll();
}

void TForm1::CheckBox1Click() { FocusInputIfTicked(1); }
void TForm1::CheckBox2Click() { FocusInputIfTicked(2); }
void TForm1::CheckBox3Click() { FocusInputIfTicked(3); }
void TForm1::CheckBox4Click() { FocusInputIfTicked(4); }
void TForm1::CheckBox5Click() { FocusInputIfTicked(5); }

void TForm1::Button2Click() {
  if (form3_ != nullptr) PlaceAndShow(form3_, pos() + kForm3Offset, true);
}

void TForm1::Button3Click() {
  if (form2_ != nullptr) PlaceAndShow(form2_, pos() + kForm2Offset, true);
}

void TForm1::BitBtn1Click() { close(); }

std::string TForm1::Text(Field field) const {
  const int n = static_cast<int>(field);
  if (n <= 18) return Edit(n)->text().toStdString();
  return form4_ != nullptr ? form4_->FieldText(n - 18).toStdString() : std::string();
}

void TForm1::SetText(Field field, const std::string& text) {
  const int n = static_cast<int>(field);
  const QString value = QString::fromStdString(text);
  if (n <= 18) {
    // From the first character: a narrow field scrolled to the end would hide
    // the sign of -1000000.
    Edit(n)->setText(value);
    Edit(n)->setCursorPosition(0);
  } else if (form4_ != nullptr) {
    form4_->SetFieldText(n - 18, value);
  }
}

bool TForm1::IsChecked(int box) const {
  return boxes_.at(static_cast<size_t>(box - 1))->isChecked();
}

void TForm1::SetChecked(int box, bool checked) {
  boxes_.at(static_cast<size_t>(box - 1))->setChecked(checked);
}

void TForm1::SetPage(int page) { notebook_->setCurrentIndex(page); }

void TForm1::ShowForm4() {
  if (form4_ != nullptr) PlaceAndShow(form4_, pos() + kForm4Offset, false);
}

void TForm1::Message(const std::string& text) {
  ShowModalMessage(this, QString::fromStdString(text));
}

void TForm1::ErrorBox(const std::string& text) { ShowErrorBox(this, QString::fromStdString(text)); }

}  // namespace steamcalc
