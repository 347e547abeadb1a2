#ifndef ZUVO_FORMATS_RTF_WRITER_H
#define ZUVO_FORMATS_RTF_WRITER_H

#include <QByteArray>
#include <QHash>
#include <QString>

class QIODevice;
class QTextCodec;
class QTextDocument;

namespace RTF {

// Writes a rich-text document as RTF in one code page: a group per paragraph
// with its direction, alignment and indent, a group per formatted run, and
// text as ASCII, control words, escaped code-page bytes or Unicode escapes.
class Writer
{
public:
    // The codec of that name; an empty name takes the code page of the
    // locale, a name without a usable code page falls back to "CP1252".
    explicit Writer(const QByteArray &codepage);

    // Writes the whole document into the open device. False when there is no
    // codec, document or device, or when the device refused bytes.
    bool write(QIODevice *device, QTextDocument *document, bool rich);

private:
    QByteArray fromUnicode(const QString &text) const;
    const QByteArray &encoded(char32_t codePoint, const QChar *units, int count) const;

    QByteArray codepage;
    QTextCodec *codec;
    QByteArray header;
    // Printable ASCII maps to itself in the codec and is written unchanged.
    bool asciiCompatible;
    // The RTF form of each character met so far that is not plain ASCII.
    mutable QHash<char32_t, QByteArray> cache;
};

} // namespace RTF

#endif
