#ifndef ZUVO_TEXTLIB_ZUVOSCRIPTCONVERTER_H
#define ZUVO_TEXTLIB_ZUVOSCRIPTCONVERTER_H

#include <QString>
#include <QStringList>

// The language of text. 0-8 are the Indian scripts; 9 means Indian-script
// typing is off and conversions return the typed text unchanged.
typedef int LanguageIndex;
namespace Language {
enum : int {
    Kannada = 0,
    Telugu = 1,
    Malayalam = 2,
    Oriya = 3,
    Hindi = 4,
    Gujarati = 5,
    Bengali = 6,
    Gurmukhi = 7,
    Tamil = 8,
    English = 9,
};
}

// The transliteration scheme. Any other value acts as Phonetic.
typedef int KeyboardLayoutIndex;
namespace Keyboard {
enum : int {
    Phonetic = 0,
    Nudi = 1,
    Phonetic2 = 2,
    Transliteration = 3,
};
}

// The transliteration engine. Callers make a local instance per conversion:
// construction only shares the fixed token tables, so it is cheap, and every
// conversion is a pure function of (text, language, keyboard).
class ZuvoScriptConverter
{
public:
    ZuvoScriptConverter();
    ~ZuvoScriptConverter();

    // Latin keystrokes to Unicode text of the language's script.
    QString ansiToUnicode(QString text, int language, int keyboard);
    // Text of any of the nine scripts re-targeted to the script of `language`;
    // Latin parts are transliterated with the keyboard's tokens.
    QString unicodeToUnicode(QString text, int language, int keyboard);
    // The English respelling table of the Transliteration keyboard.
    QString findNearMatch(QString word);

    QStringList phoneticAksharamale() const;
    QStringList nudiAksharamale() const;
    int unicodeOffset(int language);

private:
    void init();
    // Code of the longest token at text[i] (its length in *len), or -1.
    int findChar(const QString &text, qsizetype i, int *len) const;
    void charToUnichar(int code);
    void handleSwara(int code, bool afterConsonant);
    void handleVyanjana(int code);
    void handleSankhye(int character);
    void handleSpecialChar(int code);
    void normalize(int language);
    void uniCharToUnichar(QChar c);

    void transliterationPrePass(QString &text);
    void tamilRewrite(QString &text) const;

    bool endsWith(char16_t u) const { return !output.isEmpty() && output.back().unicode() == u; }
    bool isConsonant(char16_t u) const
    {
        return u > unsigned(scriptBase + 0x14) && u <= unsigned(scriptBase + 0x39);
    }
    bool isVowelSign(char16_t u) const
    {
        return u >= unsigned(scriptBase + 0x3E) && u <= unsigned(scriptBase + 0x4C);
    }
    void append(int offset) { output.append(QChar(char16_t(scriptBase + offset))); }

    QStringList phoneticList;
    QStringList nudiList;
    QString output;
    int language = 0;
    int keyboard = 0;
    int scriptBase = 0;
    bool handled = true;
};

#endif
