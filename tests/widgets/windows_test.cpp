// The real windows under the offscreen platform: ticks, typing and clicks
// with QTest, results read back from the fields; placing of the secondary
// windows; message boxes caught by a watchdog.
#include <gtest/gtest.h>
#include <if97/if97.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cfenv>
#include <clocale>
#include <functional>
#include <set>
#include <utility>

#include "about_window.h"
#include "authors_window.h"
#include "main_window.h"
#include "message_boxes.h"
#include "saturation_pressure_window.h"
#include "widget_support.h"

namespace {

using steamcalc::TForm1;
using steamcalc::TForm2;
using steamcalc::TForm3;
using steamcalc::TForm4;

const QString kTitle = QStringLiteral("steamcalc");

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form1_.move(100, 80);
    form1_.show();
    form1_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form1_));
  }

  void TearDown() override {
    EXPECT_TRUE(watchdog_.boxes().empty())
        << "unexpected box: " << watchdog_.boxes().front().text.toStdString();
  }

  template <typename T>
  T* Find(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(int n) { return Find<QLineEdit>(form1_, ("Edit" + std::to_string(n)).c_str()); }
  QLineEdit* Form4Edit(int n) {
    return Find<QLineEdit>(form4_, ("Edit" + std::to_string(n)).c_str());
  }
  QCheckBox* Box(int n) {
    return Find<QCheckBox>(form1_, ("CheckBox" + std::to_string(n)).c_str());
  }
  QString Text(int n) { return Edit(n)->text(); }

  void Tick(int box) { QTest::mouseClick(Box(box), Qt::LeftButton); }
  void Type(int n, const QString& text) {
    Edit(n)->clear();
    QTest::keyClicks(Edit(n), text);
  }
  void Click(QWidget& window, const char* button) {
    QTest::mouseClick(Find<QPushButton>(window, button), Qt::LeftButton);
  }
  void Calculate() { Click(form1_, "Button4"); }
  // Ticks the boxes, types their values, then calculates.
  void Calculate(std::initializer_list<std::pair<int, const char*>> inputs) {
    for (const auto& input : inputs) Tick(input.first);
    for (const auto& input : inputs) Type(input.first, QString::fromLatin1(input.second));
    Calculate();
  }
  int Page() { return Find<QTabWidget>(form1_, "TabbedNotebook1")->currentIndex(); }

  // Every field of the main window except the inputs listed stays empty.
  void ExpectOnlyFilled(std::initializer_list<int> filled) {
    for (int n = 6; n <= 18; ++n) {
      const bool expected = std::find(filled.begin(), filled.end(), n) != filled.end();
      EXPECT_EQ(!Text(n).isEmpty(), expected) << "Edit" << n << ": " << Text(n).toStdString();
    }
  }

  ModalWatchdog watchdog_;
  TForm2 form2_;
  TForm3 form3_;
  TForm4 form4_;
  TForm1 form1_{form2_, form3_, form4_};
};

// Reference states: IAPWS-IF97 Table 5 (region 1) and Table 15 (region 2),
// both at T = 300 K (26.85 degC).
TEST_F(WindowsTest, PressureAndTemperatureGiveEnthalpyEntropyAndVolume) {
  Calculate({{1, "3"}, {2, "26.85"}});
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(Text(7), QStringLiteral(" 115.33"));    // h = 0.115331273e3
  EXPECT_EQ(Text(8), QStringLiteral(" 0.3923"));    // s = 0.392294792
  EXPECT_EQ(Text(9), QStringLiteral("0.0010022"));  // v = 0.100215168e-2
  ExpectOnlyFilled({7, 8, 9});

  Type(1, QStringLiteral("0,0035"));
  Calculate();
  EXPECT_EQ(Text(7), QStringLiteral("2549.91"));   // h = 0.254991145e4
  EXPECT_EQ(Text(8), QStringLiteral(" 8.5224"));   // s = 0.852238967e1
  EXPECT_EQ(Text(9), QStringLiteral(" 39.4914"));  // v = 0.394913866e2
  ExpectOnlyFilled({7, 8, 9});
  EXPECT_TRUE(Box(1)->isChecked());
  EXPECT_TRUE(Box(2)->isChecked());
}

// The numbers read and written do not follow the C or Qt locale: a Russian
// locale (decimal comma) changes nothing.
TEST_F(WindowsTest, RussianLocaleReadsPointAndCommaAndWritesPoints) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
    GTEST_SKIP() << "locale ru_RU.UTF-8 is not installed (scripts/install-deps makes it)";
  const QLocale saved_qt;
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  Tick(1);
  Tick(2);
  for (const char* pressure : {"3", "3,0", "3.0"}) {
    Type(1, QString::fromLatin1(pressure));
    Type(2, QStringLiteral("26,85"));
    Calculate();
    EXPECT_EQ(Text(7), QStringLiteral(" 115.33")) << pressure;
    EXPECT_EQ(Text(9), QStringLiteral("0.0010022")) << pressure;
  }
  QLocale::setDefault(saved_qt);
  std::setlocale(LC_ALL, saved.c_str());
}

// Boxes, inputs, "Расчет", "Очистить всё", the notebook and its visible
// page, then "Выход", "О программе...", "Авторы".
TEST_F(WindowsTest, TabKeyFollowsTheWindowsOrder) {
  Box(1)->setFocus();
  QStringList seen;
  for (int i = 0; i < 24; ++i) {
    QWidget* focus = QApplication::focusWidget();
    seen << (qobject_cast<QTabBar*>(focus) != nullptr ? QStringLiteral("TabbedNotebook1")
                                                      : focus->objectName());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  const QStringList expected = {
      "CheckBox1",       "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "Edit1",
      "Edit2",           "Edit3",     "Edit4",     "Edit5",     "Button4",   "Button1",
      "TabbedNotebook1", "Edit18",    "Edit6",     "Edit7",     "Edit8",     "Edit9",
      "BitBtn1",         "Button2",   "Button3",   "CheckBox1", "CheckBox2", "CheckBox3"};
  EXPECT_EQ(seen, expected);
}

// Saturation pressure at 300 K: IAPWS-IF97 Table 35, 0.353658941e-2 MPa.
TEST_F(WindowsTest, TemperatureAloneFillsTheSaturationPage) {
  Calculate({{2, "26.85"}});
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(Text(11), QStringLiteral("0.0035366"));
  ExpectOnlyFilled({11, 12, 13, 14, 15, 16, 17});
}

TEST_F(WindowsTest, NoRowEverWritesThePressureResultField) {
  Edit(18)->setText(QStringLiteral("untouched"));
  const struct {
    std::initializer_list<int> boxes;
    std::initializer_list<const char*> values;
  } runs[] = {
      {{1}, {"1"}},           {{2}, {"100"}},
      {{1, 2}, {"5", "300"}}, {{1, 3}, {"5", "3000"}},
      {{1, 4}, {"5", "6.5"}}, {{1, 5}, {"1", "0.5"}},
      {{4}, {"6.5"}},         {{3}, {"2600"}},
  };
  for (const auto& run : runs) {
    for (int n = 1; n <= 5; ++n) Box(n)->setChecked(false);
    auto value = run.values.begin();
    for (int box : run.boxes) {
      Tick(box);
      Type(box, QString::fromLatin1(*value++));
    }
    Calculate();
    EXPECT_EQ(Text(18), QStringLiteral("untouched"));
  }
  EXPECT_TRUE(watchdog_.boxes().empty());
  Click(form1_, "Button1");
  EXPECT_EQ(Text(18), QString());
}

TEST_F(WindowsTest, TickingMovesTheCaretIntoTheInputUntickingLeavesIt) {
  for (int n = 1; n <= 5; ++n) {
    Tick(n);
    EXPECT_EQ(QApplication::focusWidget(), Edit(n)) << "CheckBox" << n;
  }
  Edit(2)->setFocus();
  Tick(4);
  EXPECT_EQ(QApplication::focusWidget(), Box(4));
  EXPECT_FALSE(Box(4)->isChecked());
  Edit(3)->setFocus();
  Click(form1_, "Button1");
  EXPECT_EQ(QApplication::focusWidget(), Find<QPushButton>(form1_, "Button1"));
}

// A tick by the space bar moves the caret as a click does; ticks set by the
// program (clear-all among them) leave it where it is.
TEST_F(WindowsTest, OnlyTheUsersTicksMoveTheCaret) {
  Box(3)->setFocus();
  QTest::keyClick(Box(3), Qt::Key_Space);
  EXPECT_TRUE(Box(3)->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), Edit(3));
  Edit(5)->setFocus();
  Box(1)->setChecked(true);
  Box(1)->setChecked(false);
  Box(2)->setChecked(true);
  EXPECT_EQ(QApplication::focusWidget(), Edit(5));
}

// Typing after a tick replaces the old value instead of adding to it.
TEST_F(WindowsTest, TickingSelectsTheOldTextSoThatTypingReplacesIt) {
  Tick(1);
  Type(1, QStringLiteral("12.5"));
  Tick(1);
  Tick(1);
  EXPECT_EQ(Edit(1)->selectedText(), QStringLiteral("12.5"));
  QTest::keyClicks(Edit(1), QStringLiteral("7"));
  EXPECT_EQ(Text(1), QStringLiteral("7"));
}

TEST_F(WindowsTest, EnterInAnInputFieldCalculates) {
  Tick(1);
  Tick(2);
  Type(1, QStringLiteral("3"));
  Type(2, QStringLiteral("26.85"));
  const struct {
    int field;
    Qt::Key key;
  } presses[] = {{1, Qt::Key_Return}, {2, Qt::Key_Enter}, {3, Qt::Key_Return}};
  for (const auto& press : presses) {
    Edit(7)->clear();
    QTest::keyClick(Edit(press.field), press.key);
    EXPECT_EQ(Text(7), QStringLiteral(" 115.33")) << "Edit" << press.field;
  }
}

// What a screen reader announces: the quantity of each box and field, never
// the group box's title, and no two fields alike.
TEST_F(WindowsTest, AccessibleNamesTellEveryBoxAndFieldApart) {
  const auto name = [](QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  };
  std::set<QString> fields;
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(name(Box(n)), name(Edit(n))) << "row " << n;
    // The name a sighted user sees beside the field.
    EXPECT_EQ(name(Edit(n)), Find<QLabel>(form1_, ("Label" + std::to_string(n)).c_str())->text());
  }
  for (int n = 1; n <= 18; ++n) fields.insert(name(Edit(n)));
  for (int n = 1; n <= 3; ++n) fields.insert(name(Form4Edit(n)));
  EXPECT_EQ(fields.size(), 21u);
  EXPECT_EQ(fields.count(QString()), 0u);
  EXPECT_EQ(fields.count(QStringLiteral("Входные параметры")), 0u);
}

// Where the caret is drawn in a field, after painting it (which scrolls the
// text to the caret).
int CaretX(QLineEdit* edit) {
  edit->grab();
  return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// A narrow field scrolled to its end would show -1000000.0000 as 1000000.0000.
TEST_F(WindowsTest, ResultsShowFromTheirFirstCharacter) {
  Calculate({{1, "1"}, {5, "1.5"}});
  for (int n = 6; n <= 9; ++n) {
    EXPECT_EQ(Edit(n)->cursorPosition(), 0) << "Edit" << n;
    EXPECT_LT(CaretX(Edit(n)), Edit(n)->fontMetrics().horizontalAdvance('-')) << "Edit" << n;
  }
  for (int n = 1; n <= 5; ++n) Box(n)->setChecked(false);
  Calculate({{4, "9.5"}});
  EXPECT_EQ(Form4Edit(1)->text(), QStringLiteral("-1000000.00000"));
  EXPECT_EQ(Form4Edit(1)->cursorPosition(), 0);
  EXPECT_LT(CaretX(Form4Edit(1)), Form4Edit(1)->fontMetrics().horizontalAdvance('-'));
  watchdog_.clear();
}

TEST_F(WindowsTest, MinimisedSecondaryWindowsComeBackWhenAskedFor) {
  const struct {
    QWidget* window;
    std::function<void()> ask;
  } cases[] = {
      {&form3_, [this] { Click(form1_, "Button2"); }},
      {&form2_, [this] { Click(form1_, "Button3"); }},
      {&form4_, [this] { Calculate(); }},
  };
  Tick(4);
  Type(4, QStringLiteral("6.5850"));
  for (const auto& c : cases) {
    c.ask();
    ASSERT_TRUE(c.window->isVisible()) << c.window->objectName().toStdString();
    c.window->setWindowState(Qt::WindowMinimized);
    c.ask();
    EXPECT_TRUE(c.window->isVisible()) << c.window->objectName().toStdString();
    EXPECT_FALSE(c.window->windowState() & Qt::WindowMinimized)
        << c.window->objectName().toStdString();
  }
}

TEST_F(WindowsTest, ClearAllEmptiesEveryFieldAndUnticksEveryBox) {
  for (int n = 1; n <= 18; ++n) Edit(n)->setText(QStringLiteral("1"));
  for (int n = 1; n <= 3; ++n) Form4Edit(n)->setText(QStringLiteral("1"));
  for (int n = 1; n <= 5; ++n) Box(n)->setChecked(true);
  form4_.show();
  Click(form1_, "Button1");
  for (int n = 1; n <= 18; ++n) EXPECT_TRUE(Text(n).isEmpty()) << "Edit" << n;
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(Form4Edit(n)->text().isEmpty()) << "Form4.Edit" << n;
  for (int n = 1; n <= 5; ++n) EXPECT_FALSE(Box(n)->isChecked()) << "CheckBox" << n;
  EXPECT_TRUE(form4_.isVisible());
}

TEST_F(WindowsTest, AboutAndAuthorsOpenBesideTheMainWindow) {
  EXPECT_FALSE(form3_.isVisible());
  Click(form1_, "Button2");
  EXPECT_TRUE(form3_.isVisible());
  EXPECT_EQ(form3_.pos(), form1_.pos() + QPoint(150, 36));
  form3_.move(0, 0);
  Click(form1_, "Button2");
  EXPECT_EQ(form3_.pos(), form1_.pos() + QPoint(150, 36));
  EXPECT_EQ(QApplication::topLevelWidgets().count(&form3_), 1);

  form1_.move(300, 200);
  Click(form1_, "Button3");
  EXPECT_TRUE(form2_.isVisible());
  EXPECT_EQ(form2_.pos(), QPoint(300 + 160, 200 + 70));

  Click(form2_, "Button1");
  Click(form3_, "Button1");
  EXPECT_FALSE(form2_.isVisible());
  EXPECT_FALSE(form3_.isVisible());
  EXPECT_TRUE(form1_.isVisible());
}

TEST_F(WindowsTest, SaturationPressureRowsShowTheirWindowBesideTheMainWindow) {
  // s'' at 1 MPa is 6.5850 kJ/(kg K) (IAPWS-IF97 saturation table).
  Calculate({{4, "6.5850"}});
  ASSERT_TRUE(form4_.isVisible());
  EXPECT_EQ(form4_.pos(), form1_.pos() + QPoint(60, 0));
  const QString ps = Form4Edit(1)->text();
  EXPECT_EQ(ps.size() - ps.indexOf('.') - 1, 5) << ps.toStdString();
  EXPECT_NEAR(ps.toDouble(), 1.0, 1e-3);
  EXPECT_TRUE(Form4Edit(2)->text().isEmpty());
  EXPECT_TRUE(Form4Edit(3)->text().isEmpty());
  EXPECT_EQ(Page(), 0);
  ExpectOnlyFilled({});

  Box(4)->setChecked(false);
  Tick(3);
  Type(3, QStringLiteral("2600"));
  form1_.move(40, 30);
  Calculate();
  EXPECT_EQ(form4_.pos(), QPoint(100, 30));
  EXPECT_TRUE(Form4Edit(1)->text().isEmpty());
  const double p_left = Form4Edit(2)->text().toDouble();
  const double p_right = Form4Edit(3)->text().toDouble();
  EXPECT_GT(p_left, p_right);
  EXPECT_GT(p_right, 0.001);
  EXPECT_LT(p_left, 22.064);

  // Another calculation empties the window's fields but leaves it open.
  Box(3)->setChecked(false);
  Calculate({{1, "5"}, {2, "300"}});
  EXPECT_TRUE(form4_.isVisible());
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(Form4Edit(n)->text().isEmpty());
  Click(form4_, "Button1");
  EXPECT_FALSE(form4_.isVisible());
}

TEST_F(WindowsTest, RangeRejectionShowsAPlainMessageAndClearsEverything) {
  Calculate({{1, "150"}, {2, "20"}});
  ASSERT_EQ(watchdog_.boxes().size(), 1u);
  const SeenBox& box = watchdog_.boxes().front();
  EXPECT_EQ(box.title, kTitle);
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.text,
            QStringLiteral("Значения давления и температуры выходят за допустимые пределы"));
  for (int n = 1; n <= 5; ++n) {
    EXPECT_TRUE(Text(n).isEmpty());
    EXPECT_FALSE(Box(n)->isChecked());
  }
  watchdog_.clear();
}

TEST_F(WindowsTest, UnreadableInputShowsTheErrorBoxAndKeepsTheInputs) {
  Tick(1);
  Tick(2);
  Type(1, QStringLiteral("5"));
  Edit(2)->clear();
  Calculate();
  ASSERT_EQ(watchdog_.boxes().size(), 1u);
  const SeenBox& box = watchdog_.boxes().front();
  EXPECT_EQ(box.title, kTitle);
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.text, QStringLiteral("'' is not a valid floating point value."));
  EXPECT_EQ(Text(1), QStringLiteral("5"));
  EXPECT_TRUE(Box(1)->isChecked());
  EXPECT_TRUE(Box(2)->isChecked());
  ExpectOnlyFilled({});
  watchdog_.clear();

  Type(2, QStringLiteral("1.2.3"));
  Calculate();
  ASSERT_EQ(watchdog_.boxes().size(), 1u);
  EXPECT_EQ(watchdog_.boxes().front().text,
            QStringLiteral("'1,2,3' is not a valid floating point value."));
  watchdog_.clear();
}

TEST_F(WindowsTest, LibraryMessagesAppearAsPlainBoxesInCallOrder) {
  Calculate({{1, "1"}, {5, "1.5"}});
  const std::vector<QString> expected = {QStringLiteral("Степень сухости X<0 или X>1 в H_PX"),
                                         QStringLiteral("Степень сухости X<0 или X>1 в S_PX"),
                                         QStringLiteral("Степень сухости X<0 или X>1 в V_PX")};
  EXPECT_EQ(watchdog_.texts(), expected);
  for (const SeenBox& box : watchdog_.boxes()) {
    EXPECT_EQ(box.title, kTitle);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  }
  // The saturation temperature beside the failure values, written as numbers.
  EXPECT_EQ(Text(6), QStringLiteral(" 179.89"));
  EXPECT_EQ(Text(7), QStringLiteral("-1000000.00"));
  EXPECT_EQ(Text(8), QStringLiteral("-1000000.0000"));
  EXPECT_EQ(Text(9), QStringLiteral("-1000000.0000000"));
  watchdog_.clear();

  // A rejected entropy: the message first, then the window with the value.
  for (int n = 1; n <= 5; ++n) Box(n)->setChecked(false);
  Calculate({{4, "9.5"}});
  EXPECT_EQ(watchdog_.texts(),
            std::vector<QString>{
                QStringLiteral("Такое значение энтропии не допустимо (0.106<S<8.9749) (PS_S)")});
  EXPECT_TRUE(form4_.isVisible());
  EXPECT_EQ(Form4Edit(1)->text(), QStringLiteral("-1000000.00000"));
  watchdog_.clear();
}

TEST_F(WindowsTest, ExitClosesTheMainWindowAndEndsTheEventLoopWithOthersOpen) {
  form4_.show();
  form3_.show();
  QTimer::singleShot(0, [this] { Click(form1_, "BitBtn1"); });
  constexpr int kStillRunning = 7;
  QTimer::singleShot(5000, [] { QCoreApplication::exit(kStillRunning); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(form1_.isVisible());
}

// The library's messages outside a calculation: a plain box with the
// program's title; the floating-point flags come back as they were.
TEST_F(WindowsTest, LibraryMessageHandlerShowsAModalBoxAndKeepsTheFlags) {
  steamcalc::InstallMessageBoxHandler();
  for (int flags : {0, FE_DIVBYZERO | FE_INEXACT}) {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(flags);
    if97::ShowMessage("Значение давления больше критического (22.064МПа)");
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), flags);
  }
  std::feclearexcept(FE_ALL_EXCEPT);
  if97::SetMessageHandler({});
  ASSERT_EQ(watchdog_.boxes().size(), 2u);
  EXPECT_EQ(watchdog_.boxes().front().title, kTitle);
  EXPECT_EQ(watchdog_.boxes().front().icon, QMessageBox::NoIcon);
  EXPECT_EQ(watchdog_.boxes().front().text,
            QStringLiteral("Значение давления больше критического (22.064МПа)"));
  watchdog_.clear();
}

// No caption may be cut by the fixed geometry with the chosen font.
TEST_F(WindowsTest, EveryCaptionFitsItsControl) {
  form2_.show();
  form3_.show();
  form4_.show();
  for (QWidget* window : {static_cast<QWidget*>(&form1_), static_cast<QWidget*>(&form2_),
                          static_cast<QWidget*>(&form3_), static_cast<QWidget*>(&form4_)}) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const QString name = window->objectName() + "." + label->objectName();
      const QSize needed = label->fontMetrics().size(0, label->text());
      EXPECT_GE(label->contentsRect().width(), needed.width()) << name.toStdString();
      EXPECT_GE(label->contentsRect().height(), needed.height()) << name.toStdString();
      const QRect inside = label->parentWidget()->contentsRect();
      EXPECT_TRUE(inside.contains(label->geometry())) << name.toStdString();
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      const int needed = button->fontMetrics().horizontalAdvance(button->text());
      EXPECT_LE(needed + 8, button->width()) << button->objectName().toStdString();
    }
  }
  const auto* notebook = Find<QTabWidget>(form1_, "TabbedNotebook1");
  const QTabBar* tabs = notebook->tabBar();
  for (int i = 0; i < tabs->count(); ++i) {
    const int needed = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
    EXPECT_LE(needed, tabs->tabRect(i).width()) << i;
  }
  EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), notebook->width());
  for (int page = 0; page < notebook->count(); ++page) {
    const QWidget* widget = notebook->widget(page);
    for (const QLineEdit* edit : widget->findChildren<QLineEdit*>()) {
      EXPECT_TRUE(widget->rect().contains(edit->geometry())) << edit->objectName().toStdString();
    }
  }
}

}  // namespace
