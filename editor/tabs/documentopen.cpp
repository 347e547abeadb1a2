#include "documentopen.h"

#include "nudiimport.h"
#include "rtf/reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>

namespace DocumentOpen {

namespace {

QString readFailure(const QFile &file)
{
    return QCoreApplication::translate("DocumentOpen", "The file could not be read: %1")
        .arg(file.errorString());
}

// The whole file as bytes, or the failure. Read as bytes: text mode drops
// every carriage-return byte, and in UTF-16 that byte is half of many
// characters (all of Malayalam's).
bool readAll(const QString &path, QByteArray *bytes, QString *failure)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *failure = readFailure(file);
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *failure = readFailure(file);
        return false;
    }
    return true;
}

} // namespace

Format formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("brh"))
        return Format::Brh;
    if (suffix == QLatin1String("odt") || suffix == QLatin1String("odf"))
        return Format::OpenDocument;
    if (suffix == QLatin1String("rtf"))
        return Format::Rtf;
    if (suffix == QLatin1String("nudi"))
        return Format::Nudi;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    return Format::Text;
}

Opened openText(const QString &path)
{
    Opened opened;
    opened.content = Opened::Content::PlainText;
    QByteArray bytes;
    if (!readAll(path, &bytes, &opened.failure))
        return opened;
    TextEncoding::Decoded decoded = TextEncoding::decodeText(bytes);
    opened.text = std::move(decoded.text);
    // Saved in the encoding it was read in, the file keeps its bytes.
    opened.hasEncoding = true;
    opened.encoding = decoded.position;
    opened.latin1 = decoded.latin1;
    return opened;
}

Opened openHtml(const QString &path)
{
    Opened opened;
    opened.content = Opened::Content::Html;
    QByteArray bytes;
    if (!readAll(path, &bytes, &opened.failure))
        return opened;
    // Whole, so that the line breaks inside the markup stay white space
    // between words.
    opened.text = TextEncoding::decodeHtml(bytes);
    // The page is written back as UTF-8, which is what the toolkit's HTML
    // declares.
    opened.hasEncoding = true;
    opened.encoding = TextEncoding::Utf8;
    return opened;
}

Opened openRtf(const QString &path, const QFont &font, qreal margin)
{
    Opened opened;
    opened.content = Opened::Content::Document;
    // Read into a document of its own, shown once it is whole: inserted into
    // the shown one, every piece would be laid out as it came.
    opened.document = std::make_unique<QTextDocument>();
    QTextDocument *read = opened.document.get();
    read->setDefaultFont(font);
    read->setDocumentMargin(margin);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        opened.failure = readFailure(file);
        return opened;
    }
    // What the reader inserts is the file, not an edit to undo.
    read->setUndoRedoEnabled(false);
    RTF::Reader reader;
    if (!reader.read(&file, QTextCursor(read)))
        opened.failure = reader.errorString();
    read->setUndoRedoEnabled(true);
    return opened;
}

Opened openNudi(const QString &path)
{
    Opened opened;
    opened.content = Opened::Content::AnyText;
    opened.text = importNudiFile(path);
    if (opened.text.isEmpty())
        opened.failure = QCoreApplication::translate("DocumentOpen",
                                                     "It holds no Nudi text that could be read.");
    opened.bound = false;
    return opened;
}

QStringList brhLines(QIODevice *file, QString *failure)
{
    // Read whole first: a stream on the file takes a failing read for its
    // end, and the caller must learn that the file was not read.
    const QByteArray bytes = file->readAll();
    if (auto *f = qobject_cast<QFile *>(file); f && f->error() != QFileDevice::NoError)
        *failure = readFailure(*f);
    QTextStream stream(bytes);
    stream.setAutoDetectUnicode(false);
    QStringList lines;
    while (!stream.atEnd())
        lines.append(stream.readLine());
    return lines;
}

Opened openBrh(const QString &path)
{
    Opened opened;
    opened.content = Opened::Content::Lines;
    opened.bound = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        opened.failure = readFailure(file);
        return opened;
    }
    opened.lines = brhLines(&file, &opened.failure);
    return opened;
}

} // namespace DocumentOpen
