#pragma once

#include <QFont>
#include <QPushButton>
#include <QString>

// Style sheets shared by the on-screen keyboard and the keypad.
namespace KeyStyles {

// Character keys have a blue border, command keys a white one; the keyboard
// hovers at 20 % and the keypad at 30 %.
inline QString key(bool whiteBorder, int hoverPercent)
{
    return QStringLiteral("QPushButton                {background-color:hsva(200,150,40,80%);color: white;"
                          "border-radius: 5px;border-style: outset;border-width: 1px;border-color: %1;}"
                          "QPushButton:disabled       {background-color:rgba(127,127,127,80%);}"
                          "QPushButton:pressed        {background-color:rgba(0,128,255,50%);}"
                          "QPushButton:focus:pressed  {background-color:rgba(0,128,255,100%);}"
                          "QPushButton:focus          {background-color:hsva(200,150,40,80%);}"
                          "QPushButton:hover          {background-color:rgba(0,128,255,%2%);}"
                          "QPushButton:checked        {background-color:green;}")
        .arg(whiteBorder ? QStringLiteral("white") : QStringLiteral("rgba(0,128,255,80%)"))
        .arg(hoverPercent);
}

constexpr int KeyboardHover = 20;
constexpr int KeypadHover = 30;

inline QString frame() { return QStringLiteral("background-color: rgba(0,0,0,0%);color:rgba(255,255,255,100%);"); }
inline QString edit() { return QStringLiteral("border: 2px solid gray;border-radius: 5px;"); }
inline QString dialog() { return QStringLiteral("background-color:rgba(0,0,0,100%);"); }

// One key of the keyboard or keypad: it never takes Return for itself.
inline QPushButton *makeKey(const QString &caption, const QFont &font, const QString &style, QWidget *parent)
{
    auto *key = new QPushButton(caption, parent);
    key->setFont(font);
    key->setStyleSheet(style);
    key->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    key->setAutoDefault(false);
    return key;
}

} // namespace KeyStyles
