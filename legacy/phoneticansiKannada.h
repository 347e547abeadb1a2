#ifndef ZUVO_LEGACY_PHONETICANSIKANNADA_H
#define ZUVO_LEGACY_PHONETICANSIKANNADA_H

#include <QObject>
#include <QString>
#include <QStringList>

// A small phonetic converter: Latin tokens of one or two letters to Unicode Kannada, with
// no clusters and no state beyond the text written. Characters that are neither a token
// nor Kannada are dropped.
class PhoneticANSIKannada : public QObject
{
public:
    PhoneticANSIKannada();

    QString ansiToUnicode(QString text);
    QString findNearMatch(QString text);
    // The two characters if they are a token, else the first if it is one, else empty.
    QString findChar(const QString &chars) const;
    void charToUnichar(const QString &token);

    void handleSwara(int index);
    void handleVyanjana(int index);
    void handleSankhye(int index);
    void handleSpecialChar(int index);

    void init();

private:
    QStringList m_tokens;
    QString m_output;
};

#endif
