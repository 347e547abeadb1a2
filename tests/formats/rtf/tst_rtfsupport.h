#ifndef ZUVO_TESTS_FORMATS_RTF_TST_RTFSUPPORT_H
#define ZUVO_TESTS_FORMATS_RTF_TST_RTFSUPPORT_H

// Helpers shared by the RTF tests: a compact, readable picture of a document.

#include "rtf/reader.h"

#include <QBuffer>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace RtfTest {

// Letters, marks, digits and printable ASCII as they are; anything else
// (controls, spaces other than U+0020, punctuation beyond ASCII) as <hex>.
inline QString render(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x20 && u < 0x7F) || (u > 0xFF && (c.isLetterOrNumber() || c.isMark())))
            out += c;
        else if (u >= 0xC0 && u <= 0xFF && c.isLetter())
            out += c;
        else
            out += QStringLiteral("<%1>").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return out;
}

inline QString alignmentName(Qt::Alignment a)
{
    QString name;
    if (a & Qt::AlignRight)
        name = QStringLiteral("qr");
    else if (a & Qt::AlignHCenter)
        name = QStringLiteral("qc");
    else if (a & Qt::AlignJustify)
        name = QStringLiteral("qj");
    else
        name = QStringLiteral("ql");
    if (a & Qt::AlignAbsolute)
        name += QLatin1Char('!');
    return name;
}

// One entry per paragraph, joined by " | ". A paragraph is its attributes
// ("rtl", the alignment when it is not plain left in a left-to-right
// paragraph, "li<level>") then ": " and its runs; a formatted run is written
// {flags:text} with the flags b, i, u, s (strike-out), ^ (super), _ (sub).
inline QString dump(const QTextDocument &doc)
{
    QStringList blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        QStringList attributes;
        const bool rtl = bf.layoutDirection() == Qt::RightToLeft;
        if (rtl)
            attributes << QStringLiteral("rtl");
        if (bf.hasProperty(QTextFormat::BlockAlignment)) {
            const QString a = alignmentName(bf.alignment());
            if (rtl || !a.startsWith(QLatin1String("ql")))
                attributes << a;
        }
        if (bf.indent() != 0)
            attributes << QStringLiteral("li%1").arg(bf.indent());
        QString runs, lastFlags, lastText;
        const auto endRun = [&] {
            if (!lastText.isEmpty())
                runs += lastFlags.isEmpty()
                    ? render(lastText)
                    : QStringLiteral("{%1:%2}").arg(lastFlags, render(lastText));
            lastText.clear();
        };
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat cf = f.charFormat();
            QString flags;
            if (cf.fontWeight() >= QFont::Bold)
                flags += QLatin1Char('b');
            if (cf.fontItalic())
                flags += QLatin1Char('i');
            if (cf.fontUnderline())
                flags += QLatin1Char('u');
            if (cf.fontStrikeOut())
                flags += QLatin1Char('s');
            if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                flags += QLatin1Char('^');
            if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript)
                flags += QLatin1Char('_');
            // Neighbouring runs of the same look are one run.
            if (flags != lastFlags)
                endRun();
            lastFlags = flags;
            lastText += f.text();
        }
        endRun();
        const QString head = attributes.join(QLatin1Char(' '));
        blocks << (head.isEmpty() ? runs : head + QStringLiteral(": ") + runs);
    }
    return blocks.join(QStringLiteral(" | "));
}

// A document from HTML (a source starting with "<") or from plain text, one
// paragraph per line.
inline void makeDocument(QTextDocument &doc, const QString &source)
{
    if (source.startsWith(QLatin1Char('<')))
        doc.setHtml(source);
    else
        doc.setPlainText(source);
}

struct ReadResult
{
    bool ok = false;
    QString error;
};

inline ReadResult readInto(QTextDocument &doc, const QByteArray &rtf)
{
    QByteArray bytes = rtf;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    RTF::Reader reader;
    ReadResult result;
    result.ok = reader.read(&device, QTextCursor(&doc));
    result.error = reader.errorString();
    return result;
}

// Whitespace runs (line ends, tabs, spaces) as one space, trimmed: two texts
// are "the same" when they have the same words in the same order.
inline QString words(const QString &text)
{
    QString t = text;
    t.remove(QChar(0xFEFF));
    t.replace(QChar(0x2028), QLatin1Char(' '));
    t.replace(QChar(0x2029), QLatin1Char(' '));
    t.replace(QChar(0xFFFC), QLatin1Char(' '));
    t.replace(QChar(0xA0), QLatin1Char(' '));
    return t.simplified();
}

} // namespace RtfTest

#endif
