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
#include <QThread>

#include <climits>

namespace {

// A member holding XML, bounded as a stream of the document.
bool isXmlMember(const QString &path)
{
    return path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

} // namespace

QMap<QString, QByteArray> unzipstream(QString path)
{
    return unzipstream(path, nullptr);
}

QMap<QString, QByteArray> unzipstream(QString path, QStringList *tooLarge)
{
    QMap<QString, QByteArray> members;
    CZIP::QZipReader zip(path, QIODevice::ReadOnly);
    const QList<CZIP::QZipReader::FileInfo> entries = zip.fileInfoList();
    if (entries.isEmpty() || !zip.exists())
        return members;
    for (const CZIP::QZipReader::FileInfo &entry : entries) {
        if (entry.size <= 0 || members.contains(entry.filePath))
            continue;
        const qint64 bound = isXmlMember(entry.filePath) ? OOReader::MaxXmlMemberSize
                                                         : CZIP::QZipReader::MaxMemberSize;
        bool over = false;
        const QByteArray bytes = zip.fileData(entry.filePath, bound, &over);
        if (over) {
            if (tooLarge != nullptr)
                tooLarge->append(entry.filePath);
            continue;
        }
        members.insert(entry.filePath, bytes);
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

QTextDocument *OOReader::handOverDocument(QThread *to)
{
    QTextDocument *read = nullptr;
    const auto take = [this, to, &read] {
        read = document;
        document = nullptr;
        if (read)
            read->moveToThread(to);
    };
    if (QThread::currentThread() == thread())
        take();
    else
        QMetaObject::invokeMethod(this, take, Qt::BlockingQueuedConnection);
    return read;
}

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

namespace {

QString tooLargeMessage()
{
    return QCoreApplication::translate("OOReader", "The document is too large to open.");
}

QString notADocumentMessage()
{
    return QCoreApplication::translate("OOReader",
                                       "The file is not an OpenDocument text: it has no content.");
}

QString damagedMessage()
{
    return QCoreApplication::translate(
        "OOReader", "The document is damaged: only the text before the damage could be read.");
}

// Occurrences of an ASCII text in the bytes up to the first NUL byte.
qsizetype countIn(const QByteArray &bytes, const char *what)
{
    const qsizetype nul = bytes.indexOf('\0');
    return QByteArray::fromRawData(bytes.constData(), nul >= 0 ? nul : bytes.size()).count(what);
}

} // namespace

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
    QStringList tooLarge;
    archive = unzipstream(filePath, &tooLarge);
    qCDebug(lcOdf) << "### open file id  " << lastFileHash;
    // The text streams are what the document is made of: without one of them
    // there is nothing to show. Pictures too large are left out alone.
    if (tooLarge.contains(QStringLiteral("content.xml")) ||
        tooLarge.contains(QStringLiteral("styles.xml"))) {
        refuseTooLarge();
        return;
    }
    openStreams(archive);
}

void OOReader::refuseTooLarge()
{
    qCWarning(lcOdf) << "### document streams beyond" << MaxXmlMemberSize << "bytes: not opened";
    archive.clear();
    emit setError(tooLargeMessage());
    finishImport();
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
    if (content.size() > MaxXmlMemberSize || styles.size() > MaxXmlMemberSize) {
        refuseTooLarge();
        return;
    }

    if (content.isEmpty()) {
        // Not a container, or one without a body: nothing to convert, and the
        // user is told so rather than shown an empty document as the file.
        noStylesFile = styles.isEmpty();
        emit setError(notADocumentMessage());
        finishImport();
        return;
    }
    // Paragraphs and headings (and the few other names that begin so) give
    // the progress total. The bytes are searched as they are: decoding the
    // stream to text first would cost twice its size for nothing.
    const qsizetype count = countIn(content, "<text:p") + countIn(content, "<text:h");
    if (count == 0) {
        // No paragraph at all: an empty document, or a stream cut off before
        // its first paragraph. The second must not pass for an empty file,
        // or saving it would put nothing in the file's place.
        QDomDocument probe;
        if (!buildOdfDom(content, probe, nullptr, MaxNestingDepth))
            emit setError(damagedMessage());
        finishImport();
        return;
    }
    blockTotal = int(qMin<qsizetype>(count, INT_MAX));
    for (const char *attribute : { "text:style-name", "table:style-name", "draw:style-name" })
        styleNameSetup(content, QLatin1String(attribute));
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

    // The content is read as a stream: the styles before the body are built
    // as a tree and registered when the body begins; the body is converted
    // one paragraph, list, table or other piece at a time, each piece's tree
    // dropped once converted, so that the memory an import takes follows the
    // document it makes rather than the size of its XML.
    QTextCursor cursor(document);
    OdfBodyStream stream;
    stream.bodyStart = [this, &cursor](const QDomDocument &prologue) {
        contentDom = prologue;
        const QDomElement root = prologue.documentElement();
        registerFontDoc(root.firstChildElement(QStringLiteral("office:font-face-decls")));
        convertStyleNameRoot(root.firstChildElement(QStringLiteral("office:automatic-styles")));
        cursor.movePosition(QTextCursor::End);
        blockFree = document->isEmpty();
        nesting = 1;
    };
    stream.bodyElement = [this, &cursor](const QDomElement &piece) {
        convertContainerChild(piece, cursor, true);
    };
    QString error;
    QDomDocument dom;
    const bool wellFormed = buildOdfDom(archive.value(QStringLiteral("content.xml")), dom, &error,
                                        MaxNestingDepth, &stream);
    nesting = 0;
    if (wellFormed) {
        contentDom = dom;
    } else {
        qCDebug(lcOdf) << "### content.xml is not well-formed:" << error;
        contentDom = QDomDocument();
    }
    appendNotes(cursor);
    emit statusRead(blockTotal, blockTotal);
    // A stream that breaks off leaves its text up to the damage: the user is
    // told that the rest is missing.
    if (!wellFormed)
        emit setError(damagedMessage());
    bodyDone = true;
    finishImport();
    qCDebug(lcOdf)
        << "### end reader action........................................................... ";
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
