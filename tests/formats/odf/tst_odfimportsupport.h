// Shared pieces of the OpenDocument import tests: content streams written
// around a body, containers built with the ZIP writer, and the document's
// text as blocks.
#ifndef ZUVO_TESTS_FORMATS_ODF_TST_ODFIMPORTSUPPORT_H
#define ZUVO_TESTS_FORMATS_ODF_TST_ODFIMPORTSUPPORT_H

#include "GZip.h"
#include "OOReader.h"

#include <QBuffer>
#include <QDir>
#include <QMap>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

// Runs the reader's private steps the way read() does, without a file.
struct OOReaderProbe
{
    static void openStreams(OOReader &reader, const QMap<QString, QByteArray> &members)
    {
        reader.openStreams(members);
    }
};

namespace OdfTest {

inline QByteArray content(const QString &body, const QString &automaticStyles = QString(),
                          const QString &fontFaces = QString())
{
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<office:document-content"
                       " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                       " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
                       " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
                       " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
                       " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
                       " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
                       " xmlns:xlink=\"http://www.w3.org/1999/xlink\""
                       " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
                       " office:version=\"1.2\">\n"
                       " <office:font-face-decls>%3</office:font-face-decls>\n"
                       " <office:automatic-styles>%2</office:automatic-styles>\n"
                       " <office:body>\n  <office:text>%1</office:text>\n </office:body>\n"
                       "</office:document-content>\n")
            .arg(body, automaticStyles, fontFaces);
    return xml.toUtf8();
}

inline QByteArray stylesXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-styles"
        " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
        " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
        " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
        "<office:styles><style:style style:name=\"Standard\" style:family=\"paragraph\"/>"
        "</office:styles></office:document-styles>");
}

// Converts a content stream (and a styles stream) as an import of a container
// holding them and `extra` members would.
inline void importContent(OOReader &reader, const QByteArray &contentXml,
                          const QMap<QString, QByteArray> &extra = {},
                          const QByteArray &styles = stylesXml())
{
    QMap<QString, QByteArray> members = extra;
    members.insert(QStringLiteral("content.xml"), contentXml);
    if (!styles.isEmpty())
        members.insert(QStringLiteral("styles.xml"), styles);
    OOReaderProbe::openStreams(reader, members);
}

// A container file with the members given, in this order.
inline bool writeOdt(const QString &path, const QList<QPair<QString, QByteArray>> &members)
{
    CZIP::QZipWriter zip(path);
    if (!zip.isWritable())
        return false;
    zip.setCompressionPolicy(CZIP::QZipWriter::NeverCompress);
    zip.addFile(QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text");
    for (const auto &m : members)
        zip.addFile(m.first, m.second);
    zip.close();
    return zip.status() == CZIP::QZipWriter::NoError;
}

// The text of every block of the document, in order, one line each.
inline QStringList blocks(const QTextDocument *doc)
{
    QStringList out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

inline QString text(const QTextDocument *doc)
{
    return blocks(doc).join(QLatin1Char('\n'));
}

// A small PNG picture.
inline QByteArray png(int width = 4, int height = 3, QColor color = Qt::red)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace OdfTest

#endif
