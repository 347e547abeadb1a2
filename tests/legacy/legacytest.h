#ifndef ZUVO_TESTS_LEGACY_LEGACYTEST_H
#define ZUVO_TESTS_LEGACY_LEGACYTEST_H

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace LegacyTest {

// "50 C0 F0" -> the three bytes.
inline QByteArray hexBytes(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

// Text of one character per byte, as the RTF text extraction hands it on.
inline QString glyphs(const char *hex)
{
    return QString::fromLatin1(hexBytes(hex));
}

// Code points written as "0C95 0CCD", so that a failing comparison shows what differs.
inline QString codePoints(const QString &text)
{
    QStringList parts;
    for (QChar c : text)
        parts << QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

} // namespace LegacyTest

#endif
