#include "unicodeplaintextedit.h"

UnicodePlainTextEdit::UnicodePlainTextEdit(QWidget *parent)
    : UnicodeLineEdit(parent)
{
    setMinimumHeight(60);
    setMaximumHeight(120);
}
