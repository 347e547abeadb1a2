#include "rtfexporter.h"

#include <QFont>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <utility>

namespace {

// Appends text in the 7-bit form the header's code page 1252 reads back:
// U+00A0 to U+00FF as hexadecimal escapes (CP1252 has them at the same
// codes), other non-ASCII units as Unicode escapes. In a font name ";" would
// end the name, so it is escaped as well.
void appendEscaped(QByteArray &out, const QString &text, bool fontName)
{
    static const char digits[] = "0123456789ABCDEF";
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit == '\\' || unit == '{' || unit == '}') {
            out += '\\';
            out += char(unit);
        } else if (fontName && unit == ';') {
            out += "\\'3B";
        } else if (unit == 0xFFFC) {
            // An image placeholder has no text of its own.
        } else if (unit < 0x80) {
            out += char(unit);
        } else if (unit >= 0xA0 && unit <= 0xFF) {
            out += "\\'";
            out += digits[unit >> 4];
            out += digits[unit & 0xF];
        } else {
            out += "\\u" + QByteArray::number(unit) + '?';
        }
    }
}

} // namespace

RtfExporter::RtfExporter(QTextDocument *doc, QString fileName)
    : document(doc)
{
    if (!document)
        return;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return;
    device = &file;
    init();
    device = nullptr;
    saved = writeOk && file.commit();
}

void RtfExporter::init()
{
    if (!document)
        return;
    fonts.append(document->defaultFont().family());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        processBlock(block);

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fprq2\\fcharset0 ";
        appendEscaped(out, fonts.at(i), true);
        out += ";}";
    }
    out += "}{\\colortbl ;";
    for (const QColor &color : std::as_const(colors)) {
        out += "\\red" + QByteArray::number(color.red()) + "\\green" +
            QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue()) + ';';
    }
    out += '}';
    out += body;
    out += '}';
    writeOk = device->write(out) == out.size();
}

void RtfExporter::processBlock(const QTextBlock &block)
{
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid())
            processFragment(it.fragment());
    }
    body += "\\par";
}

void RtfExporter::processFragment(const QTextFragment &fragment)
{
    processCharFormat(fragment.charFormat());
    QByteArray text;
    appendEscaped(text, fragment.text(), false);
    if (!text.isEmpty()) {
        body += ' ';
        body += text;
    }
}

int RtfExporter::colorNumber(const QColor &color)
{
    for (int i = 0; i < colors.size(); ++i) {
        if (colors.at(i).rgba() == color.rgba())
            return i + 1;
    }
    colors.append(color);
    return colors.size();
}

void RtfExporter::processCharFormat(const QTextCharFormat &format)
{
    if (!format.isCharFormat())
        return;
    // The font as the document shows it: what the run leaves unset comes
    // from the document's default font.
    const QFont font = format.font().resolve(document->defaultFont());
    const QString family = font.family();
    int fontNumber = fonts.indexOf(family);
    if (fontNumber < 0) {
        fonts.append(family);
        fontNumber = fonts.size() - 1;
    }

    const int foreground = colorNumber(format.foreground().color());
    // A run without a background of its own points at colour 0, "none".
    int background = 0;
    if (format.background().style() != Qt::NoBrush)
        background = colorNumber(format.background().color());

    body += "\\pard\\f" + QByteArray::number(fontNumber) + "\\cf" + QByteArray::number(foreground) +
        "\\cb" + QByteArray::number(background);
    // A font sized in pixels has no point size to give.
    if (font.pointSizeF() > 0)
        body += "\\fs" + QByteArray::number(qRound(font.pointSizeF() * 2));
    // Bold and italic for complex scripts (Kannada) under "\\rtlch", then for
    // Western text: office suites apply "\\b" and "\\i" to Western text only.
    const bool bold = font.weight() > QFont::Normal;
    const bool italic = font.style() != QFont::StyleNormal;
    body += bold ? "\\rtlch\\ab" : "\\rtlch\\ab0";
    body += italic ? "\\ai" : "\\ai0";
    body += bold ? "\\ltrch\\b" : "\\ltrch\\b0";
    body += italic ? "\\i" : "\\i0";
    body += font.underline() ? "\\ul" : "\\ul0";
}
