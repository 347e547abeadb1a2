#include "textencoding.h"

#include <QTextCodec>

namespace TextEncoding {

Position position(int number)
{
    return number >= 0 && number < PositionCount ? Position(number) : Utf8;
}

QByteArray codecName(Position position)
{
    switch (position) {
    case Latin1:
        return QByteArrayLiteral("ISO 8859-1");
    case Utf16:
        return QByteArrayLiteral("UTF-16");
    case Utf16BE:
        return QByteArrayLiteral("UTF-16BE");
    case Utf32:
        return QByteArrayLiteral("UTF-32");
    case Utf32BE:
        return QByteArrayLiteral("UTF-32BE");
    case Utf8:
        break;
    }
    return QByteArrayLiteral("UTF-8");
}

QByteArray charsetName(Position position)
{
    return position == Latin1 ? QByteArrayLiteral("ISO-8859-1") : codecName(position);
}

QStringConverter::Encoding encoding(Position position)
{
    switch (position) {
    case Latin1:
        return QStringConverter::Latin1;
    case Utf16:
        return QStringConverter::Utf16;
    case Utf16BE:
        return QStringConverter::Utf16BE;
    case Utf32:
        return QStringConverter::Utf32;
    case Utf32BE:
        return QStringConverter::Utf32BE;
    case Utf8:
        break;
    }
    return QStringConverter::Utf8;
}

Mark markOf(const QByteArray &head)
{
    const std::optional<QStringConverter::Encoding> found = QStringConverter::encodingForData(head);
    if (!found)
        return { QStringConverter::Utf8, 0 };
    switch (*found) {
    case QStringConverter::Utf8:
        return { *found, 3 };
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE:
        return { *found, 2 };
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE:
        return { *found, 4 };
    default:
        return { QStringConverter::Utf8, 0 };
    }
}

bool encode(const QString &text, Position position, QByteArray *bytes)
{
    QStringEncoder encoder(encoding(position));
    *bytes = encoder.encode(position == Latin1 ? text : QChar(0xFEFF) + text);
    return !encoder.hasError();
}

namespace {

Position positionOf(QStringConverter::Encoding encoding)
{
    switch (encoding) {
    case QStringConverter::Utf16LE:
        return Utf16;
    case QStringConverter::Utf16BE:
        return Utf16BE;
    case QStringConverter::Utf32LE:
        return Utf32;
    case QStringConverter::Utf32BE:
        return Utf32BE;
    default:
        return Utf8;
    }
}

} // namespace

Decoded decodeText(const QByteArray &bytes)
{
    Decoded decoded;
    const Mark mark = markOf(bytes);
    if (mark.size > 0) {
        // What follows the mark is taken as it stands: a second U+FEFF is
        // a character of the text, written back as it was read.
        QStringDecoder decoder(mark.encoding, QStringConverter::Flag::ConvertInitialBom);
        decoded.text = decoder.decode(QByteArrayView(bytes).sliced(mark.size));
        decoded.position = positionOf(mark.encoding);
    } else {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        decoded.text = utf8.decode(bytes);
        if (utf8.hasError()) {
            decoded.text = QString::fromLatin1(bytes);
            decoded.position = Latin1;
            decoded.latin1 = true;
        }
    }
    decoded.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return decoded;
}

QString decodeHtml(const QByteArray &bytes)
{
    const Mark mark = markOf(bytes);
    if (mark.size > 0) {
        QStringDecoder decoder(mark.encoding);
        return decoder.decode(bytes);
    }
    // A declared charset may be any the toolkit's codecs know (windows-1252,
    // Shift_JIS, KOI8-R …), not only the Unicode ones and ISO 8859-1.
    if (QTextCodec *codec = QTextCodec::codecForHtml(bytes, nullptr))
        return codec->toUnicode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace TextEncoding
