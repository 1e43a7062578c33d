#include "window_style.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include "jpeg_image.h"

namespace steamcalc {

QFont WindowFont(int pixels, bool bold) {
  QFont font(QString::fromLatin1(kWindowFontFamily));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetTextStyle(QWidget* widget, const QColor& colour, bool bold, int pixels) {
  widget->setFont(WindowFont(pixels, bold));
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::ButtonText, colour);
  widget->setPalette(palette);
}

QFrame* AddPanel(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  panel->setGeometry(left, top, width, height);
  return panel;
}

QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, const QString& text,
                 const QColor& colour, bool bold, int pixels) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setContentsMargins(0, 0, 0, 0);
  if (colour.isValid()) {
    SetTextStyle(label, colour, bold, pixels);
  } else {
    label->setFont(WindowFont(pixels, bold));
  }
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(left, top, width, height);
  return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, int left, int top, int width, int height,
                       const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  button->setGeometry(left, top, width, height);
  return button;
}

void SetResultStyle(QLineEdit* edit) {
  edit->setFont(WindowFont(kWindowFontPixels, true));
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kSilver);
  palette.setColor(QPalette::Text, kBlack);
  edit->setPalette(palette);
}

QLabel* AddPicture(QWidget* parent, int left, int top, int width, int height,
                   const QString& resource) {
  auto* image = new QLabel(parent);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(left, top, width, height);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setPixmap(QPixmap::fromImage(LoadJpegResource(resource)));
  return image;
}

void SetSecondaryWindowStyle(QWidget* window, const char* name, const QString& title) {
  window->setObjectName(QString::fromLatin1(name));
  window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  window->setWindowTitle(title);
  window->setFont(WindowFont());
}

}  // namespace steamcalc
