// The OpenDocument import as the editor runs it on a file from disk: the input
// is the whole .odt file. The reader is moved to an import thread of its own
// and runs read() there (container, members, styles, body, pictures); on
// ready() the reader's thread hands its document over to the GUI thread, as
// it does for the editor's tab; there it is laid out on pages, as the editor
// shows and prints it.
//
// Remote pictures meet a proxy on loopback that is not there, so their
// transfers fail at once; the reader's own deadline bounds them all the same.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QSizeF>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>

#include <cstddef>
#include <cstdint>

#include "OOReader.h"
#include "fuzzdocumentapp.h"

namespace {

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzDocumentApp::start(argc, argv);
    folder = new QTemporaryDir;
    // The font system loads its configuration, and the face of each installed
    // font the first time a text uses it, and keeps them for the life of the
    // process: loaded here, they are not taken for leaks of the first input
    // that uses them.
    for (const QString &family : QFontDatabase::families()) {
        for (int style = 0; style < 4; ++style) {
            QFont font(family);
            font.setBold(style & 1);
            font.setItalic(style & 2);
            QTextDocument warm(QStringLiteral("warm \u0C95\u0C28\u0CCD\u0CA8\u0CA1"));
            warm.setDefaultFont(font);
            warm.setPageSize(QSizeF(595, 842));
            (void)warm.pageCount();
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("input.odt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    QThread thread;
    auto *reader = new OOReader(path, OOReader::EditorDestination, nullptr);
    reader->fetchTransferTimeout = 500;
    reader->fetchDeadline = 1000;
    reader->moveToThread(&thread);
    QEventLoop loop;
    QTextDocument *read = nullptr;
    // Queued into the GUI thread, as the editor's tab receives it, and the
    // document handed over whole, as the editor takes it.
    QObject::connect(reader, &OOReader::ready, &loop, [&] {
        read = reader->handOverDocument(QThread::currentThread());
        loop.quit();
    });
    QObject::connect(&thread, &QThread::started, reader, &OOReader::read);
    thread.start();
    // An import that never sends ready() hangs here, and the fuzzer reports it.
    loop.exec();
    // The reader, with what it built on the way, goes in its own thread,
    // which deletes it as it ends.
    const QPointer<OOReader> gone(reader);
    reader->deleteLater();
    thread.quit();
    thread.wait();
    delete gone.data();

    if (!read)
        return 0;
    read->setPageSize(QSizeF(595, 842));
    volatile int pages = read->pageCount();
    volatile qsizetype length = read->toPlainText().size();
    (void)pages;
    (void)length;
    delete read;
    return 0;
}
