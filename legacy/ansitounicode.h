#ifndef ZUVO_LEGACY_ANSITOUNICODE_H
#define ZUVO_LEGACY_ANSITOUNICODE_H

#include <QChar>
#include <QString>

// Converts the Latin romanisation of Kannada ("ka", "kA", "kii", "kSha", "nRu" ...) into
// Unicode Kannada, syllable by syllable: a consonant is written with a virama, and a vowel
// that follows removes it (the inherent "a") or takes its place as a vowel sign; a vowel with
// no consonant before it is an independent letter. Non-letters pass through unchanged.
class AnsiToUnicode
{
public:
    AnsiToUnicode();
    virtual ~AnsiToUnicode();

    // Converts text line by line ("\n") and word by word (" "); every line of the result,
    // the last one included, ends with "\n".
    QString processAnsiString(const QString &text);
    // Converts one word (or any text without line structure).
    QString unicodeForAnsi(const QString &word);

    // Converts a run of letters into the output of the current run.
    virtual void processAnsiWord(QString rest);
    virtual bool isVowel(QChar c) const;
    // Converts a run of consonant letters (a cluster) into the output of the current run.
    virtual void unicodeForConsonants(QString cluster);

private:
    void writeVowel(int key);

    QString m_output; // the converted units of the current letter run
    qsizetype m_position = 0;
    bool m_wordFinished = false;
    bool m_previousWasVowel = false;
};

#endif
