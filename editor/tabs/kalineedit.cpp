#include "kalineedit.h"

#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>

KaLineEdit::KaLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &KaLineEdit::slotTextEdited);
    connect(this, &QLineEdit::cursorPositionChanged, this, &KaLineEdit::slotCursorPositionChanged);
}

void KaLineEdit::setLanugage(int value)
{
    language = value;
    QFont f = font();
    f.setFamily(Utils::languageDefaultFont(value));
    f.setPointSize(11);
    setFont(f);
    keyText.clear();
}

void KaLineEdit::setKeyboard(int value)
{
    keyboard = value;
}

void KaLineEdit::setTyping(int value)
{
    typing = value;
}

QString KaLineEdit::unicodeText() const
{
    return text();
}

void KaLineEdit::keyPressEvent(QKeyEvent *event)
{
    const QString keys = event->text();
    if (!keys.isEmpty() && keys.at(0).isSpace()) {
        busy = true;
        ZuvoScriptConverter converter;
        setText(converter.ansiToUnicode(text(), language, keyboard));
    }
    QLineEdit::keyPressEvent(event);
}

void KaLineEdit::slotTextEdited(const QString &text)
{
    // No completer is bound unless one is given: nothing to hide then.
    if (!text.isEmpty() &&
        (language == Language::English || keyboard == Keyboard::Transliteration) && completer &&
        completer->popup())
        completer->popup()->hide();
}

void KaLineEdit::slotCursorPositionChanged(int, int)
{
    if (busy)
        return;
    keyText.clear();
    busy = true;
}
