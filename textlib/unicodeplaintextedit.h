#ifndef ZUVO_TEXTLIB_UNICODEPLAINTEXTEDIT_H
#define ZUVO_TEXTLIB_UNICODEPLAINTEXTEDIT_H

#include "unicodelineedit.h"

// The transliterating box as a short typing area of 60 to 120 pixels.
class UnicodePlainTextEdit : public UnicodeLineEdit
{
    Q_OBJECT

public:
    explicit UnicodePlainTextEdit(QWidget *parent = nullptr);
};

#endif
