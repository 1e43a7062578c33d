// The modal boxes of the windows: plain messages (the library's and the
// calculation command's) and the error box that ends a calculation.
#ifndef STEAMCALC_UI_MESSAGE_BOXES_H
#define STEAMCALC_UI_MESSAGE_BOXES_H

#include <QString>

class QWidget;

namespace steamcalc {

// The title of every message box.
inline constexpr char kApplicationTitle[] = "steamcalc";

// A modal box with the text, no icon and an OK button; returns when the user
// closes it. The window system's code may change the floating-point exception
// flags meanwhile: a caller that needs them keeps them (KeepFpFlags), as the
// calculation command does around each of its boxes.
void ShowModalMessage(QWidget* parent, const QString& text);

// The same with an error icon.
void ShowErrorBox(QWidget* parent, const QString& text);

// Routes if97::ShowMessage to ShowModalMessage, over the active window, with
// the floating-point exception flags kept across the box.
void InstallMessageBoxHandler();

}  // namespace steamcalc

#endif  // STEAMCALC_UI_MESSAGE_BOXES_H
