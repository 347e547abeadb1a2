#include "odtwriter.h"

#include "GZip.h"
#include "odfxmlwriter.h"
#include "odtbody.h"
#include "odtdeflater.h"
#include "odtstyles.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTextDocument>
#include <QTextOption>

#include <utility>

namespace {

const QString MediaType = QStringLiteral("application/vnd.oasis.opendocument.text");
const QString Version = QStringLiteral("1.2");

// The namespaces of the streams, declared on each root element.
const struct
{
    const char *prefix;
    const char *uri;
} Namespaces[] = {
    { "office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0" },
    { "style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0" },
    { "text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0" },
    { "table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0" },
    { "draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" },
    { "fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" },
    { "xlink", "http://www.w3.org/1999/xlink" },
    { "dc", "http://purl.org/dc/elements/1.1/" },
    { "meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0" },
    { "svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" },
};

void startRoot(OdfXmlWriter &out, const char *name)
{
    out.writeStartDocument();
    out.writeStartElement(name);
    for (const auto &ns : Namespaces)
        out.writeAttribute(QStringLiteral("xmlns:") + QLatin1String(ns.prefix),
                           QLatin1String(ns.uri));
    out.writeAttribute("office:version", Version);
}

QString mm(double millimetres)
{
    return QString::number(millimetres) + QStringLiteral("mm");
}

QByteArray stylesXml(const QTextDocument &document, const OdtStyles &styles)
{
    QByteArray bytes;
    OdfXmlWriter out(&bytes);
    startRoot(out, "office:document-styles");
    out.writeStartElement("office:font-face-decls");
    out.writeEmptyElement("style:font-face");
    out.writeAttribute("style:name", styles.defaultFamily());
    out.writeAttribute("svg:font-family", OdtStyles::familyValue(styles.defaultFamily()));
    out.writeEndElement();

    // The default font for every script, and the document's tab stops.
    out.writeStartElement("office:styles");
    out.writeStartElement("style:default-style");
    out.writeAttribute("style:family", QStringLiteral("paragraph"));
    out.writeEmptyElement("style:paragraph-properties");
    out.writeAttribute("style:tab-stop-distance",
                       OdtStyles::length(document.defaultTextOption().tabStopDistance()));
    out.writeEmptyElement("style:text-properties");
    const QString size = QString::number(styles.defaultPointSize()) + QStringLiteral("pt");
    for (const QString &suffix :
         { QString(), QStringLiteral("-asian"), QStringLiteral("-complex") }) {
        out.writeAttribute(QStringLiteral("style:font-name") + suffix, styles.defaultFamily());
        out.writeAttribute(suffix.isEmpty() ? QStringLiteral("fo:font-size")
                                            : QStringLiteral("style:font-size") + suffix,
                           size);
    }
    out.writeEndElement(); // style:default-style
    out.writeEmptyElement("style:style");
    out.writeAttribute("style:name", QStringLiteral("Standard"));
    out.writeAttribute("style:family", QStringLiteral("paragraph"));
    out.writeAttribute("style:class", QStringLiteral("text"));
    out.writeEndElement(); // office:styles

    out.writeStartElement("office:automatic-styles");
    out.writeStartElement("style:page-layout");
    out.writeAttribute("style:name", QStringLiteral("pm1"));
    out.writeEmptyElement("style:page-layout-properties");
    out.writeAttribute("fo:page-width", mm(OdtStyles::PageWidthMm));
    out.writeAttribute("fo:page-height", mm(OdtStyles::PageHeightMm));
    out.writeAttribute("style:print-orientation", QStringLiteral("portrait"));
    for (const char *side : { "top", "bottom", "left", "right" })
        out.writeAttribute(QStringLiteral("fo:margin-") + QLatin1String(side),
                           mm(OdtStyles::PageMarginMm));
    out.writeEndElement(); // style:page-layout
    out.writeEndElement(); // office:automatic-styles
    out.writeStartElement("office:master-styles");
    out.writeEmptyElement("style:master-page");
    out.writeAttribute("style:name", QStringLiteral("Standard"));
    out.writeAttribute("style:page-layout-name", QStringLiteral("pm1"));
    out.writeEndElement();
    out.writeEndDocument();
    return bytes;
}

QByteArray metaXml(const QTextDocument &document)
{
    QByteArray bytes;
    OdfXmlWriter out(&bytes);
    startRoot(out, "office:document-meta");
    out.writeStartElement("office:meta");
    out.writeTextElement("meta:generator", QStringLiteral("Zuvo"));
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty())
        out.writeTextElement("dc:title", title);
    out.writeEndDocument();
    return bytes;
}

QByteArray manifestXml(const QList<OdtBody::Picture> &pictures)
{
    QByteArray bytes;
    OdfXmlWriter out(&bytes);
    out.writeStartDocument();
    out.writeStartElement("manifest:manifest");
    out.writeAttribute("xmlns:manifest",
                       QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"));
    out.writeAttribute("manifest:version", Version);
    const auto entry = [&out](const QString &path, const QString &type) {
        out.writeEmptyElement("manifest:file-entry");
        out.writeAttribute("manifest:full-path", path);
        if (path == QLatin1String("/"))
            out.writeAttribute("manifest:version", Version);
        out.writeAttribute("manifest:media-type", type);
    };
    entry(QStringLiteral("/"), MediaType);
    for (const char *stream : { "content.xml", "styles.xml", "meta.xml" })
        entry(QLatin1String(stream), QStringLiteral("text/xml"));
    for (const OdtBody::Picture &picture : pictures)
        entry(picture.path, picture.mediaType);
    out.writeEndDocument();
    return bytes;
}

} // namespace

QByteArray OdtWriter::package(const QTextDocument &document)
{
    m_error.clear();
    // The body is compressed in a thread of its own while it is written,
    // a piece at a time: the text is never held whole uncompressed.
    constexpr qsizetype Piece = 256 * 1024;
    OdtDeflater bodyDeflater;
    QByteArray body;
    body.reserve(Piece + Piece / 4);
    // The handler is called every few milliseconds of work, however many
    // blocks that is.
    QElapsedTimer sinceCall;
    sinceCall.start();
    const auto handler = [this, &sinceCall] {
        if (!m_progress || sinceCall.elapsed() < 8)
            return true;
        const bool goOn = m_progress();
        sinceCall.restart();
        return goOn;
    };
    const std::function<bool()> progress = [&] {
        if (body.size() >= Piece) {
            bodyDeflater.add(std::exchange(body, QByteArray()));
            body.reserve(Piece + Piece / 4);
        }
        return handler();
    };

    OdtStyles styles(document);
    QList<OdtBody::Picture> pictures;
    {
        OdfXmlWriter out(&body);
        OdtBody writer(document, styles, out, progress);
        if (!writer.write()) {
            m_error = writer.errorString();
            return QByteArray();
        }
        pictures = writer.pictures();
    }
    bodyDeflater.add(std::exchange(body, QByteArray()));

    // The styles come before the body they serve, and are known only once
    // it is written: compressed apart and put in front of it.
    QByteArray head;
    {
        OdfXmlWriter out(&head);
        startRoot(out, "office:document-content");
        styles.writeFontFaces(out);
        styles.writeAutomaticStyles(out);
        out.writeStartElement("office:body");
        out.finishStartTag();
    }
    const QByteArray foot = QByteArrayLiteral("</office:body></office:document-content>\n");
    QByteArray headDeflated;
    QByteArray footDeflated;
    quint32 headCrc = 0;
    quint32 footCrc = 0;
    const bool deflated = OdtDeflater::deflate(head, OdtDeflater::Flush, &headDeflated, &headCrc) &&
        bodyDeflater.finish(OdtDeflater::Flush, [&handler] { handler(); }) &&
        OdtDeflater::deflate(foot, OdtDeflater::Finish, &footDeflated, &footCrc);
    if (!deflated) {
        m_error = QStringLiteral("the text could not be compressed");
        return QByteArray();
    }
    const qint64 contentSize = head.size() + bodyDeflater.size() + foot.size();
    const quint32 contentCrc =
        OdtDeflater::combine(OdtDeflater::combine(headCrc, bodyDeflater.crc(), bodyDeflater.size()),
                             footCrc, foot.size());
    if (contentSize > qint64(0xFFFFFFFFu)) {
        m_error = QStringLiteral("the text is too long for the package");
        return QByteArray();
    }

    QByteArray archive;
    QBuffer buffer(&archive);
    buffer.open(QIODevice::WriteOnly);
    CZIP::QZipWriter zip(&buffer);
    // The media type comes first and uncompressed, where office suites look
    // for it; pictures are compressed already.
    zip.setCompressionPolicy(CZIP::QZipWriter::NeverCompress);
    zip.addFile(QStringLiteral("mimetype"), MediaType.toLatin1());
    zip.addDeflatedFile(QStringLiteral("content.xml"),
                        headDeflated + bodyDeflater.deflated() + footDeflated, contentCrc,
                        contentSize);
    zip.setCompressionPolicy(CZIP::QZipWriter::AutoCompress);
    zip.addFile(QStringLiteral("styles.xml"), stylesXml(document, styles));
    zip.addFile(QStringLiteral("meta.xml"), metaXml(document));
    zip.setCompressionPolicy(CZIP::QZipWriter::NeverCompress);
    for (const OdtBody::Picture &picture : std::as_const(pictures))
        zip.addFile(picture.path, picture.bytes);
    zip.setCompressionPolicy(CZIP::QZipWriter::AutoCompress);
    zip.addFile(QStringLiteral("META-INF/manifest.xml"), manifestXml(pictures));
    zip.close();
    if (zip.status() != CZIP::QZipWriter::NoError || archive.isEmpty()) {
        m_error = QStringLiteral("the package could not be made");
        return QByteArray();
    }
    return archive;
}

bool OdtWriter::write(const QTextDocument &document, QIODevice *device)
{
    const QByteArray bytes = package(document);
    if (bytes.isEmpty())
        return false;
    if (!device || device->write(bytes) != bytes.size()) {
        m_error = device ? device->errorString() : QStringLiteral("no device to write to");
        return false;
    }
    return true;
}
