#ifndef ZUVO_TEXTLIB_TEXTENCODING_H
#define ZUVO_TEXTLIB_TEXTENCODING_H

#include <QByteArray>
#include <QString>
#include <QStringConverter>

// The encodings a text or HTML file is read and written in. The Encoding
// menu's entries, the "Encoding" setting and each editor hold a Position;
// the numbers are stored, so they never change.
namespace TextEncoding {

enum Position {
    Latin1 = 0, // ISO 8859-1, written without a byte-order mark
    Utf8 = 1,
    Utf16 = 2, // in the machine's byte order
    Utf16BE = 3,
    Utf32 = 4, // in the machine's byte order
    Utf32BE = 5,
};
constexpr int PositionCount = 6;

// The position a stored number names; anything else is UTF-8.
Position position(int number);
// The codec name of a position, as the RTF writer and an HTML page's
// declared charset spell it.
QByteArray codecName(Position position);
// The name an HTML page declares as its charset (the IANA name).
QByteArray charsetName(Position position);
QStringConverter::Encoding encoding(Position position);

// The byte-order mark at the start of the bytes: its encoding and length
// (UTF-32 is told from UTF-16 whose first character is U+0000). Without
// one, UTF-8 and 0.
struct Mark
{
    QStringConverter::Encoding encoding;
    int size;
};
Mark markOf(const QByteArray &head);

// The text in the position's encoding, with a byte-order mark unless it is
// ISO 8859-1. False when the encoding cannot hold every character: a file of
// question marks would lose the user's words.
bool encode(const QString &text, Position position, QByteArray *bytes);

// The text of a plain-text file, line ends made "\n": by its byte-order
// mark, else UTF-8, else (not valid UTF-8) ISO 8859-1, so that no byte of
// the file becomes a replacement character written over it at the next save.
struct Decoded
{
    QString text;
    // The position the file is written back in to keep its bytes.
    Position position = Utf8;
    // Read as ISO 8859-1 because it was no UTF-8.
    bool latin1 = false;
};
Decoded decodeText(const QByteArray &bytes);

// An HTML page, whole: a byte-order mark or a declared charset decides;
// without either it is UTF-8 when it is valid UTF-8, else ISO 8859-1.
QString decodeHtml(const QByteArray &bytes);

} // namespace TextEncoding

#endif
