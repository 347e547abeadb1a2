#include "kalineedit.h"

#include "unicodelineedit.h"
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
    // Commands are no typing; of them only the program's editing commands
    // may change the text (not, say, the platform's Ctrl+K).
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        if (UnicodeLineEdit::isEditingShortcut(event))
            QLineEdit::keyPressEvent(event);
        else
            event->ignore();
        return;
    }
    const QString keys = event->text();
    if (!keys.isEmpty() && keys.at(0).isSpace()) {
        // The line up to the cursor is converted and the key is typed where
        // the user typed it, not at the end of the line.
        busy = true;
        const int at = cursorPosition();
        const QString before =
            ZuvoScriptConverter().ansiToUnicode(text().left(at), language, keyboard);
        setText(before + text().mid(at));
        setCursorPosition(int(before.size()));
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
