#include "main_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <span>
#include <vector>

#include "about_window.h"
#include "authors_window.h"
#include "command.h"
#include "message_boxes.h"
#include "saturation_pressure_window.h"
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

// A result field of a page: EditN at (left, top), its hint and the name a
// screen reader gives it. A field with a caption of its own has the caption
// label at the page's left edge, 4 pixels lower.
struct ResultField {
  int n;
  int left, top, width;
  const char* hint;
  const char* accessible_name;
  const char* label = nullptr;  // the caption's component name
  const char* caption = nullptr;
};
constexpr int kCaptionLeft = 16;

// Page 0, "Вода  и  пар": the state.
constexpr ResultField kStateFields[] = {
    {18, 192, 16, 89, "Давление", "Результат: давление, МПа", "Label18", "Давление, МПа"},
    {6, 192, 54, 89, "Температура", "Результат: температура, гр.С", "Label7", "Температура, гр.С"},
    {7, 192, 92, 89, "Энтальпия", "Результат: энтальпия, кДж/кг", "Label8", "Энтальпия, кДж/кг"},
    {8, 192, 129, 89, "Энтропия", "Результат: энтропия, кДж/кг С", "Label9", "Энтропия, кДж/кг С"},
    {9, 192, 167, 89, "Удельный объем", "Результат: удельный объем, м3/кг", "Label10",
     "Удельный объем, м3/кг"},
};

// Page 1, "Состояние насыщения": the saturation line, then water and steam on
// it, below their captions.
constexpr ResultField kSaturationLineFields[] = {
    {10, 206, 12, 89, "Температура насыщения", "Температура насыщения, гр.С", "Label11",
     "Температура насыщения, гр.С"},
    {11, 206, 44, 89, "Давление насыщения", "Давление насыщения, МПа", "Label12",
     "Давление насыщения, МПа"},
};
constexpr ResultField kSaturatedPhaseFields[] = {
    {12, 138, 108, 73, "Энтальпия воды", "Энтальпия воды на линии насыщения, кДж/кг"},
    {13, 138, 140, 73, "Энтропия воды", "Энтропия воды на линии насыщения, кДж/кг С"},
    {14, 138, 172, 73, "Удельный объем воды", "Удельный объем воды на линии насыщения, м3/кг"},
    {15, 222, 108, 73, "Энтальпия пара", "Энтальпия пара на линии насыщения, кДж/кг"},
    {16, 222, 140, 73, "Энтропия пара", "Энтропия пара на линии насыщения, кДж/кг С"},
    {17, 222, 172, 73, "Удельный объем пара", "Удельный объем пара на линии насыщения, м3/кг"},
};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

void AddResults(QWidget* page, std::span<const ResultField> fields,
                std::array<QLineEdit*, 18>& edits) {
  for (const ResultField& field : fields) {
    if (field.label != nullptr) {
      AddLabel(page, field.label, kCaptionLeft, field.top + 4, Utf8(field.caption), kBlue);
    }
    const QByteArray name = "Edit" + QByteArray::number(field.n);
    QLineEdit* edit = AddEdit(page, name.constData(), field.left, field.top, field.width, 21);
    SetResultStyle(edit);
    edit->setToolTip(Utf8(field.hint));
    edit->setAccessibleName(Utf8(field.accessible_name));
    edits.at(static_cast<size_t>(field.n - 1)) = edit;
  }
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

TForm1::TForm1(TForm2& form2, TForm3& form3, TForm4& form4, QWidget* parent)
    : QWidget(parent), form2_(form2), form3_(form3), form4_(form4) {
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
  image1_ = AddPicture(panel4, 0, 0, 65, 65, QStringLiteral(":/emblem.jpg"));

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
  button1_ = AddButton(panel2, "Button1", 8, 8, 97, 25, QStringLiteral("Очистить всё"));
  SetTextStyle(button1_, kBlack);
  button4_ = AddButton(panel2, "Button4", 136, 8, 121, 25, QStringLiteral("Расчет"));
  SetTextStyle(button4_, kBlack, true, kButtonPixels);

  notebook_ = new QTabWidget(this);
  notebook_->setObjectName(QStringLiteral("TabbedNotebook1"));
  notebook_->setGeometry(280, 56, 305, 233);
  notebook_->tabBar()->setFont(WindowFont(kWindowFontPixels, true));

  auto* page0 = new QWidget;
  page0->setObjectName(QStringLiteral("Page0"));
  AddResults(page0, kStateFields, edits_);
  notebook_->addTab(page0, QStringLiteral("Вода  и  пар"));

  auto* page1 = new QWidget;
  page1->setObjectName(QStringLiteral("Page1"));
  AddResults(page1, kSaturationLineFields, edits_);
  AddLabel(page1, "Label6", 128, 72, QStringLiteral("Параметры на линии насыщения"), kRed);
  AddLabel(page1, "Label13", 160, 88, QStringLiteral("Вода"), kRed, true);
  AddLabel(page1, "Label14", 248, 88, QStringLiteral("Пар"), kRed, true);
  AddLabel(page1, "Label15", 8, 112, QStringLiteral("Энтальпия,кДж/кг"), kBlue);
  AddLabel(page1, "Label16", 8, 144, QStringLiteral("Энтропия, кДж/кг С"), kBlue);
  AddLabel(page1, "Label17", 8, 176, QStringLiteral("Удельный объем, м3/кг"), kBlue);
  AddResults(page1, kSaturatedPhaseFields, edits_);
  notebook_->addTab(page1, QStringLiteral("Состояние насыщения"));
  for (int i = 0; i < notebook_->count(); ++i) notebook_->tabBar()->setTabTextColor(i, kRed);

  QFrame* panel3 = AddPanel(this, "Panel3", 8, 296, 577, 41);
  button2_ = AddButton(panel3, "Button2", 8, 8, 121, 25, QStringLiteral("О программе..."));
  SetTextStyle(button2_, kBlue);
  button3_ = AddButton(panel3, "Button3", 240, 8, 121, 25, QStringLiteral("Авторы"));
  SetTextStyle(button3_, kRed);
  bit_btn1_ = AddButton(panel3, "BitBtn1", 488, 8, 81, 25, QStringLiteral("Выход"));
  SetTextStyle(bit_btn1_, kRed, true, kButtonPixels);

  connect(button4_, &QPushButton::clicked, this, &TForm1::Button4Click);
  // Enter in an input field presses "Расчет".
  for (size_t i = 0; i < 5; ++i) {
    connect(edits_[i], &QLineEdit::returnPressed, button4_, &QPushButton::click);
  }
  connect(button1_, &QPushButton::clicked, this, &TForm1::Button1Click);
  // The user's clicks (mouse or space bar) only: clear-all and other ticks
  // set by the program do not move the caret.
  constexpr std::array<void (TForm1::*)(), 5> kBoxClicks = {
      &TForm1::CheckBox1Click, &TForm1::CheckBox2Click, &TForm1::CheckBox3Click,
      &TForm1::CheckBox4Click, &TForm1::CheckBox5Click};
  for (size_t i = 0; i < 5; ++i) connect(boxes_[i], &QCheckBox::clicked, this, kBoxClicks[i]);
  connect(button2_, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(button3_, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(bit_btn1_, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
}

// Boxes, then inputs; "Расчет" before "Очистить всё"; the notebook; "Выход"
// before "О программе..." and "Авторы".
void TForm1::SetupTabOrder() {
  std::vector<QWidget*> chain(boxes_.begin(), boxes_.end());
  for (int n = 1; n <= 5; ++n) chain.push_back(Edit(n));
  chain.insert(chain.end(), {button4_, button1_, notebook_, Edit(18)});
  for (int n = 6; n <= 17; ++n) chain.push_back(Edit(n));
  chain.insert(chain.end(), {bit_btn1_, button2_, button3_});
  for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::CentreOnDesktop() {
  const QRect area = screen()->availableGeometry();
  move(area.x() + (area.width() - kOuterWidth) / 2, area.y() + (area.height() - kOuterHeight) / 2);
}

QLineEdit* TForm1::Edit(int n) const { return edits_.at(static_cast<size_t>(n - 1)); }

QCheckBox* TForm1::CheckBox(int n) const { return boxes_.at(static_cast<size_t>(n - 1)); }

void TForm1::Button4Click() { steamcalc::Button4Click(*this); }

void TForm1::Button1Click() { ClearAll(*this); }

// The old text is selected, so that typing replaces it.
void TForm1::FocusInputIfTicked(int n) {
  if (!CheckBox(n)->isChecked()) return;
  Edit(n)->setFocus();
  Edit(n)->selectAll();
}

void TForm1::CheckBox1Click() { FocusInputIfTicked(1); }
void TForm1::CheckBox2Click() { FocusInputIfTicked(2); }
void TForm1::CheckBox3Click() { FocusInputIfTicked(3); }
void TForm1::CheckBox4Click() { FocusInputIfTicked(4); }
void TForm1::CheckBox5Click() { FocusInputIfTicked(5); }

void TForm1::Button2Click() { PlaceAndShow(&form3_, pos() + kForm3Offset, true); }

void TForm1::Button3Click() { PlaceAndShow(&form2_, pos() + kForm2Offset, true); }

void TForm1::BitBtn1Click() { close(); }

std::string TForm1::Text(Field field) const {
  const int n = static_cast<int>(field);
  if (n <= 18) return Edit(n)->text().toStdString();
  return form4_.FieldText(n - 18).toStdString();
}

void TForm1::SetText(Field field, const std::string& text) {
  const int n = static_cast<int>(field);
  const QString value = QString::fromStdString(text);
  if (n <= 18) {
    // From the first character: a narrow field scrolled to the end would hide
    // the sign of -1000000.
    Edit(n)->setText(value);
    Edit(n)->setCursorPosition(0);
  } else {
    form4_.SetFieldText(n - 18, value);
  }
}

bool TForm1::IsChecked(Box box) const { return CheckBox(static_cast<int>(box))->isChecked(); }

void TForm1::SetChecked(Box box, bool checked) {
  CheckBox(static_cast<int>(box))->setChecked(checked);
}

void TForm1::SetPage(Page page) { notebook_->setCurrentIndex(static_cast<int>(page)); }

void TForm1::ShowForm4() { PlaceAndShow(&form4_, pos() + kForm4Offset, false); }

void TForm1::Message(const std::string& text) {
  ShowModalMessage(this, QString::fromStdString(text));
}

void TForm1::ErrorBox(const std::string& text) { ShowErrorBox(this, QString::fromStdString(text)); }

}  // namespace steamcalc
