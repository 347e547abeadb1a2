#include "odtwriter.h"

#include "GZip.h"
#include "odtbody.h"
#include "odtstyles.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTextDocument>
#include <QTextOption>
#include <QXmlStreamWriter>

#include <atomic>
#include <chrono>
#include <thread>

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

void startRoot(QXmlStreamWriter &out, const QString &name)
{
    out.writeStartDocument();
    out.writeStartElement(name);
    for (const auto &ns : Namespaces)
        out.writeAttribute(QStringLiteral("xmlns:") + QLatin1String(ns.prefix),
                           QLatin1String(ns.uri));
    out.writeAttribute(QStringLiteral("office:version"), Version);
}

QString mm(double millimetres)
{
    return QString::number(millimetres) + QStringLiteral("mm");
}

QByteArray stylesXml(const QTextDocument &document, const OdtStyles &styles)
{
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    startRoot(out, QStringLiteral("office:document-styles"));
    out.writeStartElement(QStringLiteral("office:font-face-decls"));
    out.writeEmptyElement(QStringLiteral("style:font-face"));
    out.writeAttribute(QStringLiteral("style:name"), styles.defaultFamily());
    out.writeAttribute(QStringLiteral("svg:font-family"),
                       OdtStyles::familyValue(styles.defaultFamily()));
    out.writeEndElement();

    // The default font for every script, and the document's tab stops.
    out.writeStartElement(QStringLiteral("office:styles"));
    out.writeStartElement(QStringLiteral("style:default-style"));
    out.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    out.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
    out.writeAttribute(QStringLiteral("style:tab-stop-distance"),
                       OdtStyles::length(document.defaultTextOption().tabStopDistance()));
    out.writeEmptyElement(QStringLiteral("style:text-properties"));
    const QString size = QString::number(styles.defaultPointSize()) + QStringLiteral("pt");
    for (const QString &suffix : { QString(), QStringLiteral("-asian"), QStringLiteral("-complex") }) {
        out.writeAttribute(QStringLiteral("style:font-name") + suffix, styles.defaultFamily());
        out.writeAttribute(suffix.isEmpty() ? QStringLiteral("fo:font-size")
                                            : QStringLiteral("style:font-size") + suffix,
                           size);
    }
    out.writeEndElement(); // style:default-style
    out.writeEmptyElement(QStringLiteral("style:style"));
    out.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
    out.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    out.writeAttribute(QStringLiteral("style:class"), QStringLiteral("text"));
    out.writeEndElement(); // office:styles

    out.writeStartElement(QStringLiteral("office:automatic-styles"));
    out.writeStartElement(QStringLiteral("style:page-layout"));
    out.writeAttribute(QStringLiteral("style:name"), QStringLiteral("pm1"));
    out.writeEmptyElement(QStringLiteral("style:page-layout-properties"));
    out.writeAttribute(QStringLiteral("fo:page-width"), mm(OdtStyles::PageWidthMm));
    out.writeAttribute(QStringLiteral("fo:page-height"), mm(OdtStyles::PageHeightMm));
    out.writeAttribute(QStringLiteral("style:print-orientation"), QStringLiteral("portrait"));
    for (const char *side : { "top", "bottom", "left", "right" })
        out.writeAttribute(QStringLiteral("fo:margin-") + QLatin1String(side),
                           mm(OdtStyles::PageMarginMm));
    out.writeEndElement(); // style:page-layout
    out.writeEndElement(); // office:automatic-styles
    out.writeStartElement(QStringLiteral("office:master-styles"));
    out.writeEmptyElement(QStringLiteral("style:master-page"));
    out.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
    out.writeAttribute(QStringLiteral("style:page-layout-name"), QStringLiteral("pm1"));
    out.writeEndElement();
    out.writeEndDocument();
    return bytes;
}

QByteArray metaXml(const QTextDocument &document)
{
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    startRoot(out, QStringLiteral("office:document-meta"));
    out.writeStartElement(QStringLiteral("office:meta"));
    out.writeTextElement(QStringLiteral("meta:generator"), QStringLiteral("Zuvo"));
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty())
        out.writeTextElement(QStringLiteral("dc:title"), title);
    out.writeEndDocument();
    return bytes;
}

QByteArray manifestXml(const QList<OdtBody::Picture> &pictures)
{
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    out.writeStartDocument();
    out.writeStartElement(QStringLiteral("manifest:manifest"));
    out.writeAttribute(QStringLiteral("xmlns:manifest"),
                       QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"));
    out.writeAttribute(QStringLiteral("manifest:version"), Version);
    const auto entry = [&out](const QString &path, const QString &type) {
        out.writeEmptyElement(QStringLiteral("manifest:file-entry"));
        out.writeAttribute(QStringLiteral("manifest:full-path"), path);
        if (path == QLatin1String("/"))
            out.writeAttribute(QStringLiteral("manifest:version"), Version);
        out.writeAttribute(QStringLiteral("manifest:media-type"), type);
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
    // The handler is called every few milliseconds of work, however many
    // blocks that is.
    QElapsedTimer sinceCall;
    sinceCall.start();
    const std::function<bool()> progress = [this, &sinceCall] {
        if (!m_progress || sinceCall.elapsed() < 8)
            return true;
        const bool goOn = m_progress();
        sinceCall.restart();
        return goOn;
    };

    OdtStyles styles(document);
    QByteArray body;
    QList<OdtBody::Picture> pictures;
    {
        QXmlStreamWriter out(&body);
        OdtBody writer(document, styles, out, progress);
        if (!writer.write()) {
            m_error = writer.errorString();
            return QByteArray();
        }
        if (out.hasError()) {
            m_error = QStringLiteral("the body could not be written");
            return QByteArray();
        }
        pictures = writer.pictures();
    }

    // The styles come before the body they serve, and are known only once
    // it is written.
    QByteArray content;
    {
        QXmlStreamWriter out(&content);
        startRoot(out, QStringLiteral("office:document-content"));
        styles.writeFontFaces(out);
        styles.writeAutomaticStyles(out);
        out.writeStartElement(QStringLiteral("office:body"));
        out.writeCharacters(QString()); // ends the start tag
    }
    content.reserve(content.size() + body.size() + 64);
    content += body;
    body = QByteArray();
    content += QByteArrayLiteral("</office:body></office:document-content>\n");

    const QByteArray stylesStream = stylesXml(document, styles);
    const QByteArray meta = metaXml(document);
    const QByteArray manifest = manifestXml(pictures);

    // Compressing a long text takes a while: off this thread, so that the
    // handler is called meanwhile.
    QByteArray archive;
    bool zipped = false;
    const auto zip = [&] {
        QBuffer buffer(&archive);
        buffer.open(QIODevice::WriteOnly);
        CZIP::QZipWriter writer(&buffer);
        // The media type comes first and uncompressed, where office suites
        // look for it; pictures are compressed already.
        writer.setCompressionPolicy(CZIP::QZipWriter::NeverCompress);
        writer.addFile(QStringLiteral("mimetype"), MediaType.toLatin1());
        writer.setCompressionPolicy(CZIP::QZipWriter::AutoCompress);
        writer.addFile(QStringLiteral("content.xml"), content);
        writer.addFile(QStringLiteral("styles.xml"), stylesStream);
        writer.addFile(QStringLiteral("meta.xml"), meta);
        writer.setCompressionPolicy(CZIP::QZipWriter::NeverCompress);
        for (const OdtBody::Picture &picture : pictures)
            writer.addFile(picture.path, picture.bytes);
        writer.setCompressionPolicy(CZIP::QZipWriter::AutoCompress);
        writer.addFile(QStringLiteral("META-INF/manifest.xml"), manifest);
        writer.close();
        zipped = writer.status() == CZIP::QZipWriter::NoError;
    };
    if (m_progress) {
        std::atomic<bool> done { false };
        std::thread worker([&] {
            zip();
            done.store(true);
        });
        while (!done.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
            progress();
        }
        worker.join();
    } else {
        zip();
    }
    if (!zipped || archive.isEmpty()) {
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
