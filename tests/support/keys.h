#ifndef ZUVO_TESTS_SUPPORT_KEYS_H
#define ZUVO_TESTS_SUPPORT_KEYS_H

// Keys and texts as the tests of typing compare them.

#include <QString>
#include <QStringList>
#include <QtTest/QTest>

namespace ZuvoTest {

// The text X11 gives a letter key held with Control: its control character.
// QTest sends the plain letter; a typing widget must handle both.
inline QString controlText(char letter)
{
    return QString(QChar(char16_t(letter - 'a' + 1)));
}

// A letter key held with the modifiers, with the text QTest gives it or, with
// x11Text, the text X11 gives it.
inline void pressCommand(QWidget *widget, char letter, Qt::KeyboardModifiers mods, bool x11Text)
{
    const Qt::Key key = Qt::Key(Qt::Key_A + (letter - 'a'));
    QString text = QString(QLatin1Char((mods & Qt::ShiftModifier) ? letter - 32 : letter));
    if (x11Text && (mods & Qt::ControlModifier))
        text = controlText(letter);
    QTest::sendKeyEvent(QTest::Click, widget, key, text, mods);
}

// The UTF-16 code units of a text in hex, so that a comparison shows which
// letter, mark or joiner differs.
inline QString hex(const QString &s)
{
    QStringList parts;
    for (QChar c : s)
        parts << QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

} // namespace ZuvoTest

#endif
