// The OpenDocument content loader and body conversion: the input is the bytes
// of "content.xml"; the container around it holds a styles stream and one
// picture. Remote pictures are never fetched here: the transfers would start
// from the event loop, which this target does not run.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QTextDocument>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "OOReader.h"
#include "fuzzdocumentapp.h"

struct OOReaderProbe
{
    static void openStreams(OOReader &reader, const QMap<QString, QByteArray> &members)
    {
        reader.openStreams(members);
    }
};

namespace {

QByteArray picture()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QGuiApplication *app = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    app = FuzzDocumentApp::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray png = picture();
    static const QByteArray styles = QByteArrayLiteral(
        "<office:document-styles><office:styles><style:style style:name=\"Standard\" "
        "style:family=\"paragraph\"/></office:styles></office:document-styles>");
    QMap<QString, QByteArray> members;
    members.insert(QStringLiteral("content.xml"),
                   QByteArray(reinterpret_cast<const char *>(data), int(size)));
    members.insert(QStringLiteral("styles.xml"), styles);
    members.insert(QStringLiteral("Pictures/p.png"), png);
    OOReader reader { QString() };
    OOReaderProbe::openStreams(reader, members);
    // Walk the result as the editor's copy would.
    QTextDocument *copy = reader.document->clone();
    volatile int length = copy->characterCount();
    (void)length;
    delete copy;
    return 0;
}
