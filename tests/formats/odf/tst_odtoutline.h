// Shared by the tests of saved OpenDocument texts: the structure of a
// document as a list of tokens (paragraphs with their text, list items with
// their level, tables, rows and cells with their spans), made alike from a
// QTextDocument and from OpenDocument XML (our content.xml or LibreOffice's
// flat export); LibreOffice's text export as lines; and the character
// properties that apply to a run of a flat export.
//
// The XML is read as the format says white space is read: a run of blanks,
// tabs and line ends in the text is one blank, and a paragraph's leading
// ones are dropped. So what we write is judged as any reader following the
// format reads it.
#ifndef ZUVO_TESTS_FORMATS_ODF_TST_ODTOUTLINE_H
#define ZUVO_TESTS_FORMATS_ODF_TST_ODTOUTLINE_H

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QXmlStreamReader>

namespace OdtOutline {

const QString officeNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString styleNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString textNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString tableNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString drawNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
const QString svgNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");

// Tokens: "P:text", "H<level>:text", "L<level>:text" for a paragraph, a
// heading and a list item; "T{" "R{" "C<columns>x<rows>{" ... "}" for
// tables, rows and cells. Pictures are U+FFFC in the text, line breaks
// U+2028.
inline void outlineFrame(QTextFrame::iterator it, QStringList &out)
{
    for (; !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            auto *table = qobject_cast<QTextTable *>(child);
            if (!table)
                continue;
            out << QStringLiteral("T{");
            for (int r = 0; r < table->rows(); ++r) {
                out << QStringLiteral("R{");
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue;
                    out << QStringLiteral("C%1x%2{").arg(cell.columnSpan()).arg(cell.rowSpan());
                    outlineFrame(cell.begin(), out);
                    out << QStringLiteral("}");
                }
                out << QStringLiteral("}");
            }
            out << QStringLiteral("}");
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (!block.isValid())
            continue;
        QString kind = QStringLiteral("P");
        if (block.textList())
            kind = QStringLiteral("L%1").arg(qBound(1, block.textList()->format().indent(), 10));
        else if (block.blockFormat().headingLevel() > 0)
            kind = QStringLiteral("H%1").arg(block.blockFormat().headingLevel());
        out << kind + QLatin1Char(':') + block.text();
    }
}

inline QStringList ofDocument(const QTextDocument *document)
{
    QStringList out;
    outlineFrame(document->rootFrame()->begin(), out);
    return out;
}

// The same of the body of an OpenDocument stream.
inline QStringList ofOdf(const QByteArray &xml, QString *error = nullptr)
{
    QXmlStreamReader in(xml);
    QStringList out;
    bool inBody = false;
    int listDepth = 0;
    int paragraphDepth = 0; // elements open inside the paragraph, itself included
    int skipDepth = 0; // inside a frame: its contents are no text of the paragraph
    QString kind;
    QString text;
    bool afterBlank = true;
    const auto add = [&](QChar c) {
        text += c;
        afterBlank = false;
    };
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType token = in.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView ns = in.namespaceUri();
            const QStringView name = in.name();
            if (skipDepth > 0) {
                ++skipDepth;
                continue;
            }
            if (ns == officeNS && name == u"text") {
                inBody = true;
                continue;
            }
            if (!inBody)
                continue;
            if (paragraphDepth > 0) {
                ++paragraphDepth;
                if (ns == textNS && name == u"s") {
                    const int n =
                        qMax(1, in.attributes().value(textNS, QLatin1String("c")).toInt());
                    text += QString(n, QLatin1Char(' '));
                    afterBlank = false;
                } else if (ns == textNS && name == u"tab") {
                    add(QLatin1Char('\t'));
                } else if (ns == textNS && name == u"line-break") {
                    add(QChar::LineSeparator);
                } else if (ns == drawNS && name == u"frame") {
                    skipDepth = 1;
                    --paragraphDepth;
                } else if (ns == textNS && (name == u"note" || name == u"bookmark-start")) {
                    skipDepth = 1;
                    --paragraphDepth;
                }
                continue;
            }
            if (ns == textNS && (name == u"p" || name == u"h")) {
                paragraphDepth = 1;
                text.clear();
                afterBlank = true;
                if (listDepth > 0)
                    kind = QStringLiteral("L%1").arg(listDepth);
                else if (name == u"h")
                    kind = QStringLiteral("H") +
                        in.attributes().value(textNS, QLatin1String("outline-level")).toString();
                else
                    kind = QStringLiteral("P");
            } else if (ns == textNS && name == u"list") {
                ++listDepth;
            } else if (ns == tableNS && name == u"table") {
                out << QStringLiteral("T{");
            } else if (ns == tableNS && name == u"table-row") {
                out << QStringLiteral("R{");
            } else if (ns == tableNS && name == u"table-cell") {
                const QXmlStreamAttributes a = in.attributes();
                out << QStringLiteral("C%1x%2{")
                           .arg(qMax(
                               1,
                               a.value(tableNS, QLatin1String("number-columns-spanned")).toInt()))
                           .arg(qMax(
                               1, a.value(tableNS, QLatin1String("number-rows-spanned")).toInt()));
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (skipDepth > 0) {
                // A frame holding a picture stands for it in the text.
                if (--skipDepth == 0 && in.namespaceUri() == drawNS && in.name() == u"frame")
                    add(QChar::ObjectReplacementCharacter);
                continue;
            }
            if (!inBody)
                continue;
            if (paragraphDepth > 0) {
                if (--paragraphDepth == 0)
                    out << kind + QLatin1Char(':') + text;
                continue;
            }
            const QStringView ns = in.namespaceUri();
            const QStringView name = in.name();
            if (ns == officeNS && name == u"text")
                inBody = false;
            else if (ns == textNS && name == u"list")
                --listDepth;
            else if (ns == tableNS &&
                     (name == u"table" || name == u"table-row" || name == u"table-cell"))
                out << QStringLiteral("}");
        } else if (token == QXmlStreamReader::Characters && paragraphDepth > 0 && skipDepth == 0) {
            for (const QChar c : in.text()) {
                if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                    c == QLatin1Char('\r')) {
                    if (!afterBlank)
                        text += QLatin1Char(' ');
                    afterBlank = true;
                } else {
                    add(c);
                }
            }
        }
    }
    if (error && in.hasError())
        *error = in.errorString();
    return out;
}

// What our reader's document is compared as: it reads an empty paragraph
// and every "text:s" as no-break spaces.
inline QStringList normalized(QStringList outline)
{
    for (QString &token : outline) {
        token.replace(QChar(0x00A0), QLatin1Char(' '));
        if (token.endsWith(QLatin1String(": ")))
            token.chop(1);
    }
    return outline;
}

// The lines a text export shows of the outline: every paragraph's lines
// trimmed, pictures left out, empty lines dropped.
inline QStringList lines(const QStringList &outline)
{
    QStringList out;
    for (const QString &token : outline) {
        const qsizetype colon = token.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QStringList parts = token.mid(colon + 1).split(QChar::LineSeparator);
        for (QString part : parts) {
            part.remove(QChar::ObjectReplacementCharacter);
            part = part.trimmed();
            if (!part.isEmpty())
                out << part;
        }
    }
    return out;
}

// LibreOffice's text export as lines: list labels (a bullet or a number
// behind the indent) dropped, trimmed, empty lines dropped.
inline QStringList exportedLines(const QByteArray &exported)
{
    static const QRegularExpression label(
        QStringLiteral("^[ \\t]+(?:[\\x{2022}\\x{25CF}\\x{25CB}\\x{25A0}\\x{25E6}\\x{25AA}]|"
                       "\\d+[.)]|[a-zA-Z][.)]|[ivxlcIVXLC]+[.)])[ \\t]+"));
    QString text = QString::fromUtf8(exported);
    text.remove(QChar(0xFEFF));
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        line.remove(label);
        line = line.trimmed();
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

// The styles, font faces and text runs of a flat OpenDocument file, for the
// properties that apply to a run: its spans' styles (innermost first), its
// paragraph's style, their parents and the default paragraph style.
struct FlatOdt
{
    struct Run
    {
        QString text;
        QStringList spans; // innermost first
        QString paragraph;
    };
    QHash<QString, QString> fontFaces; // name -> family
    QHash<QString, QHash<QString, QString>> properties; // "text/T1" -> attributes
    QHash<QString, QString> parents; // "text/T1" -> parent name
    QHash<QString, QString> defaults; // the default paragraph style's text properties
    QList<Run> runs;

    static QString unquoted(QString family)
    {
        family = family.trimmed();
        if (family.size() >= 2 && (family.front() == u'\'' || family.front() == u'"') &&
            family.back() == family.front())
            family = family.mid(1, family.size() - 2);
        return family;
    }

    bool read(const QByteArray &xml)
    {
        QXmlStreamReader in(xml);
        QString style;
        bool inDefault = false;
        QStringList paragraphs;
        QStringList spans;
        while (!in.atEnd()) {
            const QXmlStreamReader::TokenType token = in.readNext();
            if (token == QXmlStreamReader::StartElement) {
                const QXmlStreamAttributes a = in.attributes();
                const QStringView ns = in.namespaceUri();
                const QStringView name = in.name();
                if (ns == styleNS && name == u"font-face") {
                    fontFaces.insert(
                        a.value(styleNS, QLatin1String("name")).toString(),
                        unquoted(a.value(svgNS, QLatin1String("font-family")).toString()));
                } else if (ns == styleNS && name == u"style") {
                    style = a.value(styleNS, QLatin1String("family")).toString() + u'/' +
                        a.value(styleNS, QLatin1String("name")).toString();
                    parents.insert(style,
                                   a.value(styleNS, QLatin1String("parent-style-name")).toString());
                } else if (ns == styleNS && name == u"default-style") {
                    inDefault = a.value(styleNS, QLatin1String("family")) == u"paragraph";
                } else if (ns == styleNS && name == u"text-properties") {
                    for (const QXmlStreamAttribute &attribute : a) {
                        const QString key =
                            attribute.prefix().toString() + u':' + attribute.name().toString();
                        if (inDefault)
                            defaults.insert(key, attribute.value().toString());
                        else if (!style.isEmpty())
                            properties[style].insert(key, attribute.value().toString());
                    }
                } else if (ns == textNS && (name == u"p" || name == u"h")) {
                    paragraphs << a.value(textNS, QLatin1String("style-name")).toString();
                } else if (ns == textNS && name == u"span") {
                    spans.prepend(a.value(textNS, QLatin1String("style-name")).toString());
                }
            } else if (token == QXmlStreamReader::EndElement) {
                const QStringView ns = in.namespaceUri();
                const QStringView name = in.name();
                if (ns == styleNS && name == u"style")
                    style.clear();
                else if (ns == styleNS && name == u"default-style")
                    inDefault = false;
                else if (ns == textNS && (name == u"p" || name == u"h"))
                    paragraphs.removeLast();
                else if (ns == textNS && name == u"span")
                    spans.removeFirst();
            } else if (token == QXmlStreamReader::Characters && !paragraphs.isEmpty()) {
                runs.append({ in.text().toString(), spans, paragraphs.last() });
            }
        }
        return !in.hasError();
    }

    QString lookUp(const QString &family, QString name, const QString &property) const
    {
        // Bounded: a chain of parents that loops ends here.
        for (int depth = 0; depth < 32 && !name.isEmpty(); ++depth) {
            const QString key = family + u'/' + name;
            const auto it = properties.constFind(key);
            if (it != properties.constEnd() && it->contains(property))
                return it->value(property);
            name = parents.value(key);
        }
        return QString();
    }

    QString property(const Run &run, const QString &name) const
    {
        for (const QString &span : run.spans) {
            const QString value = lookUp(QStringLiteral("text"), span, name);
            if (!value.isEmpty())
                return value;
        }
        const QString value = lookUp(QStringLiteral("paragraph"), run.paragraph, name);
        return value.isEmpty() ? defaults.value(name) : value;
    }

    // The family a run is set in, western or complex-script.
    QString family(const Run &run, bool complex) const
    {
        const QString suffix = complex ? QStringLiteral("-complex") : QString();
        const QString face = property(run, QStringLiteral("style:font-name") + suffix);
        if (!face.isEmpty())
            return fontFaces.value(face, face);
        return unquoted(property(
            run,
            (complex ? QStringLiteral("style:font-family") : QStringLiteral("fo:font-family")) +
                suffix));
    }

    const Run *runOf(const QString &word) const
    {
        for (const Run &run : runs) {
            if (run.text.contains(word))
                return &run;
        }
        return nullptr;
    }
};

} // namespace OdtOutline

#endif
