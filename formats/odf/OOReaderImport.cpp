// The import driver of the OpenDocument reader: the container is taken apart,
// the style registry built from the streams, the body converted, and ready()
// sent once everything the document links has arrived or failed.
#include "OOReader.h"

#include "GZip.h"
#include "odfdombuilder.h"
#include "odflog.h"

#include <QBrush>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrameFormat>

QMap<QString, QByteArray> unzipstream(QString path)
{
    QMap<QString, QByteArray> members;
    CZIP::QZipReader zip(path, QIODevice::ReadOnly);
    const QList<CZIP::QZipReader::FileInfo> entries = zip.fileInfoList();
    if (entries.isEmpty() || !zip.exists())
        return members;
    for (const CZIP::QZipReader::FileInfo &entry : entries) {
        if (entry.size <= 0 || members.contains(entry.filePath))
            continue;
        members.insert(entry.filePath, zip.fileData(entry.filePath));
    }
    zip.close();
    return members;
}

ReadWriteBuf::ReadWriteBuf(QString text)
    : buffer(new QBuffer())
{
    buffer->open(QIODevice::ReadWrite);
    buffer->seek(0);
    if (!text.isEmpty()) {
        buffer->write(text.toUtf8());
        buffer->seek(0);
    }
}

ReadWriteBuf::~ReadWriteBuf()
{
    delete buffer;
}

QTextFrameFormat DefaultFrameFormat()
{
    QTextFrameFormat format;
    format.setProperty(QTextFormat::FrameBorderBrush, QBrush(Qt::blue));
    format.setProperty(QTextFormat::FrameBorderStyle, QTextFrameFormat::BorderStyle_Solid);
    format.setProperty(QTextFormat::FrameBorder, 0.6);
    return format;
}

ChildImport::ChildImport(QIODevice *device)
    : reader(device)
{
    reader.setNamespaceProcessing(false);
}

void ChildImport::copyDeep(QIODevice *device, QXmlStreamWriter &writer)
{
    reader.setDevice(device);
    reader.setNamespaceProcessing(false); // a new device starts the reader afresh
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = reader.prefix().isEmpty()
                ? reader.name().toString()
                : reader.prefix().toString() + QLatin1Char(':') + reader.name().toString();
            writer.writeStartElement(name);
            if (!reader.attributes().isEmpty())
                writer.writeAttributes(reader.attributes());
        } else if (token == QXmlStreamReader::Characters && reader.text().trimmed().isEmpty()) {
            if (reader.isCDATA())
                writer.writeComment(reader.text().toString());
        } else if (token != QXmlStreamReader::Invalid) {
            writer.writeCharacters(reader.text().toString());
        }
    }
    if (!reader.hasError())
        writer.writeEndElement();
    if (device != nullptr)
        device->close();
}

// ---------------------------------------------------------------- the driver

void OOReader::replaceDocument()
{
    // The document of an import belongs to the import's thread.
    delete document;
    document = new QTextDocument();
    document->setUndoRedoEnabled(false);
    // The root frame is made on first use, as a child of the document. Made
    // here it belongs to this thread; made later by the GUI thread's copy of
    // the document it could not be the document's child and would leak.
    document->rootFrame();
}

void OOReader::read()
{
    readyEmitted = false;
    bodyDone = false;
    if (!QFileInfo::exists(filePath)) {
        replaceDocument();
        finishImport();
        return;
    }
    // A reader serves one file: a second read of it keeps what the first made.
    if (hashGenerator(filePath) == lastFileHash) {
        finishImport();
        return;
    }
    replaceDocument();
    standardFont = QGuiApplication::font();
    reset();
    lastFileHash = hashGenerator(filePath);
    archive = unzipstream(filePath);
    qCDebug(lcOdf) << "### open file id  " << lastFileHash;
    openStreams(archive);
}

void OOReader::openStreams(QMap<QString, QByteArray> members)
{
    reset();
    readyEmitted = false;
    bodyDone = false;
    blockFree = true;
    nesting = 0;
    cellBudget = MaxTableCells;
    archive = members;
    const QByteArray content = archive.value(QStringLiteral("content.xml"));
    const QByteArray styles = archive.value(QStringLiteral("styles.xml"));

    if (content.isEmpty()) {
        // Not a container, or one without a body: nothing to convert.
        noStylesFile = styles.isEmpty();
        finishImport();
        return;
    }
    {
        const int nul = content.indexOf('\0');
        const QString text = QString::fromUtf8(nul >= 0 ? content.left(nul) : content);
        // Paragraphs and headings (and the few other names that begin so)
        // give the progress total.
        const int count =
            int(text.count(QLatin1String("<text:p"))) + int(text.count(QLatin1String("<text:h")));
        if (count == 0) {
            finishImport();
            return;
        }
        blockTotal = count;
        for (const char *attribute : { "text:style-name", "table:style-name", "draw:style-name" })
            styleNameSetup(content, QLatin1String(attribute));
    }
    noStylesFile = styles.isEmpty();
    if (!noStylesFile) {
        for (const char *attribute : { "text:style-name", "table:style-name", "draw:style-name" })
            styleNameSetup(styles, QLatin1String(attribute));
    }
    // A body without any style name is converted all the same: its text is the
    // user's, and the defaults serve for its formats.
    qCDebug(lcOdf) << "### style read from id " << lastFileHash;
    qCDebug(lcOdf) << "### css2.size() -> " << styleNameCount
                   << "--------------------------------------------------------<";
    qCDebug(lcOdf) << "### total block count to progress -----> " << blockTotal;
    emit statusRead(0, blockTotal);

    if (!content.isEmpty()) {
        ReadWriteBuf buf;
        buf.buffer->write(content);
        buf.buffer->seek(0);
        QString error;
        if (buildOdfDom(buf.buffer->data(), buf, &error, MaxNestingDepth)) {
            contentDom = buf;
            const QDomElement root = contentDom.documentElement();
            registerFontDoc(root.firstChildElement(QStringLiteral("office:font-face-decls")));
            convertStyleNameRoot(root.firstChildElement(QStringLiteral("office:automatic-styles")));
        } else {
            qCDebug(lcOdf) << "### content.xml is not well-formed:" << error;
        }
    }
    bodyRead = false;
    ReadBody();
}

void OOReader::ReadBody()
{
    if (bodyRead) {
        finishImport();
        return;
    }
    blockCurrent = 0;
    bodyRead = true;
    const QDomElement body =
        contentDom.documentElement().firstChildElement(QStringLiteral("office:body"));
    const bool ok = convertBody(body);
    emit statusRead(blockTotal, blockTotal);
    if (!ok)
        emit setError(QCoreApplication::translate("OOReader", "Unable to convert document body!"));
    bodyDone = true;
    finishImport();
    qCDebug(lcOdf)
        << "### end reader action........................................................... ";
}

bool OOReader::convertBody(const QDomElement &body)
{
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    blockCurrent = 0;
    blockFree = document->isEmpty();
    const QDomElement text = body.firstChildElement(QStringLiteral("office:text"));
    // Every child of the text counts, also what comes before its first paragraph.
    convertContainer(text, cursor, true);
    return true;
}

void OOReader::finishImport()
{
    bodyDone = true;
    if (readyEmitted || !fetches.isEmpty() || !fetchQueue.isEmpty())
        return;
    readyEmitted = true;
    document->setUndoRedoEnabled(true);
    emit ready();
}
