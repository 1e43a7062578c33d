// Fonts, colours and frames shared by the four windows.
#ifndef STEAMCALC_UI_WINDOW_STYLE_H
#define STEAMCALC_UI_WINDOW_STYLE_H

#include <QColor>
#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace steamcalc {

// The windows were laid out for an 8-point sans-serif face 11 pixels high.
// Liberation Sans has the same advance widths as Arial, so the captions keep
// their widths and fit the fixed geometry.
inline constexpr int kWindowFontPixels = 11;
inline constexpr char kWindowFontFamily[] = "Liberation Sans";

inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kBlack{0x00, 0x00, 0x00};
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kWhite{0xFF, 0xFF, 0xFF};

QFont WindowFont(int pixels = kWindowFontPixels, bool bold = false);

// Sets the font and the colour of a widget's caption (window and button text;
// the text typed into an edit field is QPalette::Text and stays apart).
void SetTextStyle(QWidget* widget, const QColor& colour, bool bold = false,
                  int pixels = kWindowFontPixels);

// A raised panel with a one-pixel bevel.
QFrame* AddPanel(QWidget* parent, const char* name, int left, int top, int width, int height);

// A label sized to its text, its top-left corner at (left, top); an invalid
// colour keeps the parent's text colour.
QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, const QString& text,
                 const QColor& colour = QColor(), bool bold = false,
                 int pixels = kWindowFontPixels);

QLineEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width, int height);

QPushButton* AddButton(QWidget* parent, const char* name, int left, int top, int width, int height,
                       const QString& text);

// The grey result field: silver background, bold black text.
void SetResultStyle(QLineEdit* edit);

// A picture from the program's resources ("Image1"), drawn from its top-left
// corner in a label of the given geometry.
QLabel* AddPicture(QWidget* parent, int left, int top, int width, int height,
                   const QString& resource);

// A secondary window: a title bar without a close box (its own "Закрыть"
// button hides it), the window font, and it does not keep the program running
// once the main window has closed.
void SetSecondaryWindowStyle(QWidget* window, const char* name, const QString& title);

}  // namespace steamcalc

#endif  // STEAMCALC_UI_WINDOW_STYLE_H
