#ifndef ZUVO_TEXTLIB_IINDICINTERFACE_H
#define ZUVO_TEXTLIB_IINDICINTERFACE_H

#include <QString>

// The conversions an Indic language module offers. Nothing implements it yet:
// the script converter does the work itself.
class IIndicLanguage
{
public:
    virtual ~IIndicLanguage() = default;
    virtual QString ansiToUnicode(QString, int, int) { return QString(); }
    virtual QString UnicodeToAnsi(QString, int, int) { return QString(); }
    virtual QString unicodeToUnicode(QString, int, int) { return QString(); }
};

#endif
