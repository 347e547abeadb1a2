#include "nudiimport.h"

#include "ansitounicode.h"
#include "nuditoansi.h"
#include "rtfimporter.h"

QString nudiTextToUnicode(const QString &text)
{
    // A NUL (from a "\u0" or a stray byte) is no glyph and would otherwise travel through
    // the conversions as a character; it is dropped, and the text after it kept.
    QString glyphs = text;
    glyphs.remove(QChar(u'\0'));
    if (glyphs.isEmpty())
        return QString();

    const QString romanised = NudiToAnsi().processNudiText(glyphs);
    if (romanised.isEmpty())
        return QString();
    return AnsiToUnicode().processAnsiString(romanised);
}

QString importNudiFile(const QString &path)
{
    QString text;
    {
        RtfImporter importer(path, nullptr);
        importer.parseRtf();
        text = importer.plainText();
    }
    return nudiTextToUnicode(text);
}
