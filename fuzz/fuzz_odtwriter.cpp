// The OpenDocument writer: the input is a program that builds a document
// (text of any characters, paragraphs, character and block formats, links,
// pictures, lists at any indent that go on and stop, tables of merged cells
// nested in cells); the document is written, the package read back by our
// reader, and its text must be the document's, paragraph by paragraph, as
// far as XML can hold it. Any difference aborts.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "GZip.h"
#include "OOReader.h"
#include "fuzzdocumentapp.h"
#include "odtwriter.h"

struct OOReaderProbe
{
    static void openStreams(OOReader &reader, const QMap<QString, QByteArray> &members)
    {
        reader.openStreams(members);
    }
};

namespace {

// The characters the text is made of: letters, Kannada with its joiners,
// every kind of white space, what XML escapes, and what it cannot hold.
const char16_t Alphabet[] = {
    u'a',   u'b',   u'Z',   u'0',   u' ',   u' ',   u' ',   u'\t',  u'\n',  u'\r',  u'&',   u'<',
    u'>',   u'"',   u'\'',  u']',   0x00A0, 0x2028, 0x2029, 0x0C95, 0x0CCD, 0x0CB7, 0x200D, 0x200C,
    0x0CBF, 0x0001, 0x000B, 0x001F, 0xFFFE, 0xFFFF, 0xFFFC, 0xFDD0, 0xD800, 0xDC00, 0x00E9, 0x4E2D,
};

const char *const Families[] = { "", "Tunga", "Noto Sans Kannada", "Liberation Serif",
                                 "A 'quoted', family" };

struct Input
{
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    bool atEnd() const { return at >= size; }
    unsigned next() { return at < size ? data[at++] : 0; }
};

// A document's text as our reader gives it back: every paragraph's text
// with the characters XML cannot hold left out, line ends as line breaks,
// no-break spaces (which blanks are read as) as blanks; empty paragraphs
// (the reader fills them with a blank) left out.
QStringList paragraphs(const QTextDocument &document, bool written)
{
    QStringList out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text;
        const QString raw = block.text();
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const char16_t u = raw.at(i).unicode();
            if (written) {
                if (u == u'\n' || u == 0x0B || u == 0x0C) {
                    text += QChar::LineSeparator;
                    continue;
                }
                if ((u < 0x20 && u != u'\t') || u == 0xFFFE || u == 0xFFFF || u == 0xFDD0 ||
                    u == 0xFDD1 || u == 0x2029)
                    continue;
                if (QChar::isHighSurrogate(u)) {
                    if (i + 1 < raw.size() && raw.at(i + 1).isLowSurrogate()) {
                        text += raw.at(i);
                        text += raw.at(++i);
                    }
                    continue;
                }
                if (QChar::isLowSurrogate(u))
                    continue;
            }
            // Pictures are compared apart from the text.
            if (u == QChar::ObjectReplacementCharacter)
                continue;
            text += u == 0x00A0 ? QChar(u' ') : QChar(u);
        }
        if (!text.isEmpty() && text != QLatin1String(" "))
            out << text;
    }
    return out;
}

void build(QTextDocument &document, Input &in)
{
    QTextCursor cursor(&document);
    QList<QTextTable *> tables; // the tables the cursor stands in, innermost last
    QList<QTextList *> lists;
    QTextCharFormat chars;
    int pictures = 0;
    int cells = 0;
    for (int step = 0; step < 400 && !in.atEnd(); ++step) {
        switch (in.next() % 11) {
        case 0:
        case 1: { // text
            const unsigned n = in.next() % 24;
            QString text;
            for (unsigned i = 0; i < n; ++i)
                text += QChar(Alphabet[in.next() % (sizeof Alphabet / sizeof *Alphabet)]);
            cursor.insertText(text, chars);
            break;
        }
        case 2:
            cursor.insertBlock();
            break;
        case 3: { // a character format
            const unsigned f = in.next();
            chars = QTextCharFormat();
            if (f & 1)
                chars.setFontWeight(QFont::Bold);
            if (f & 2)
                chars.setFontItalic(true);
            if (f & 4)
                chars.setUnderlineStyle(QTextCharFormat::UnderlineStyle(in.next() % 8));
            if (f & 8)
                chars.setFontStrikeOut(true);
            if (f & 16)
                chars.setVerticalAlignment(QTextCharFormat::VerticalAlignment(in.next() % 7));
            if (f & 32) {
                const QString family = QString::fromLatin1(Families[in.next() % 5]);
                if (!family.isEmpty())
                    chars.setFontFamilies({ family });
                chars.setFontPointSize(in.next() % 40);
            }
            if (f & 64) {
                chars.setAnchor(true);
                chars.setAnchorHref(QStringLiteral("https://example.org/%1\"&<").arg(in.next()));
            }
            if (f & 128)
                chars.setBackground(QColor(QRgb(in.next() * 0x10101)));
            break;
        }
        case 4: { // a table, the cursor in its first cell
            if (tables.size() >= 6 || cells > 200)
                break;
            const int rows = 1 + int(in.next() % 3);
            const int columns = 1 + int(in.next() % 3);
            cells += rows * columns;
            QTextTableFormat format;
            format.setCellPadding(in.next() % 5);
            format.setBorder(in.next() % 3);
            tables << cursor.insertTable(rows, columns, format);
            break;
        }
        case 5: // to the next cell, or out of the table after its last
            if (!tables.isEmpty()) {
                QTextTable *table = tables.last();
                const QTextTableCell cell = table->cellAt(cursor);
                if (cell.isValid() &&
                    cell.row() * table->columns() + cell.column() + 1 <
                        table->rows() * table->columns()) {
                    cursor.movePosition(QTextCursor::NextCell);
                } else {
                    cursor.setPosition(table->lastPosition() + 1);
                    tables.removeLast();
                }
            }
            break;
        case 6: { // merged cells
            if (tables.isEmpty())
                break;
            QTextTable *table = tables.last();
            const int row = int(in.next()) % table->rows();
            const int column = int(in.next()) % table->columns();
            table->mergeCells(row, column, 1 + int(in.next() % 2), 1 + int(in.next() % 2));
            // The cursor may stand in a cell that is gone.
            cursor = table->cellAt(0, 0).firstCursorPosition();
            break;
        }
        case 7: { // the paragraph into a list, new or one that goes on
            const unsigned which = in.next();
            if (which % 3 == 0 && !lists.isEmpty()) {
                lists.at(int(which / 3) % lists.size())->add(cursor.block());
            } else {
                QTextListFormat format;
                format.setStyle(QTextListFormat::Style(-1 - int(in.next() % 8)));
                format.setIndent(int(in.next() % 14));
                lists << cursor.createList(format);
            }
            break;
        }
        case 8: // out of its list
            if (QTextList *list = cursor.currentList())
                list->remove(cursor.block());
            break;
        case 9: { // a picture, held by the document or only named
            const unsigned kind = in.next() % 3;
            const QString name = QStringLiteral("p%1.png").arg(kind == 2 ? 99 : in.next() % 2);
            if (kind < 2 &&
                !document.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
                QImage image(1 + int(in.next() % 8), 1 + int(in.next() % 8), QImage::Format_RGB32);
                image.fill(Qt::red);
                document.addResource(QTextDocument::ImageResource, QUrl(name), image);
            }
            if (pictures++ < 20)
                cursor.insertImage(name);
            break;
        }
        case 10: { // a block format
            const unsigned f = in.next();
            QTextBlockFormat format = cursor.blockFormat();
            format.setAlignment(Qt::Alignment(1u << (in.next() % 4)));
            if (f & 1)
                format.setHeadingLevel(int(in.next() % 8));
            if (f & 2)
                format.setLeftMargin(in.next());
            if (f & 4)
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            if (f & 8)
                format.setLineHeight(in.next(), int(in.next() % 5));
            cursor.setBlockFormat(format);
            break;
        }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzDocumentApp::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in { data, size };
    QTextDocument document;
    build(document, in);

    OdtWriter writer;
    const QByteArray package = writer.package(document);
    if (package.isEmpty()) {
        std::fprintf(stderr, "the writer failed: %s\n", qPrintable(writer.errorString()));
        std::abort();
    }
    QBuffer buffer;
    buffer.setData(package);
    buffer.open(QIODevice::ReadOnly);
    CZIP::QZipReader zip(&buffer);
    QMap<QString, QByteArray> members;
    for (const CZIP::QZipReader::FileInfo &info : zip.fileInfoList())
        members.insert(info.filePath, zip.fileData(info.filePath));
    OOReader reader { QString() };
    OOReaderProbe::openStreams(reader, members);

    const QStringList expected = paragraphs(document, true);
    const QStringList read = paragraphs(*reader.document, false);
    if (expected != read) {
        std::fprintf(stderr, "written:\n%s\nread back:\n%s\n",
                     qPrintable(expected.join(QLatin1Char('\n'))),
                     qPrintable(read.join(QLatin1Char('\n'))));
        std::abort();
    }
    return 0;
}
