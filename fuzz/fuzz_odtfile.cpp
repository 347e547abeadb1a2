// The OpenDocument import as the editor runs it on a file from disk: the input
// is the whole .odt file. The reader is moved to an import thread of its own
// and runs read() there (container, members, styles, body, pictures); on
// ready() the GUI thread copies the document, as the editor's tab does, and
// lays it out on pages, as the editor shows and prints it.
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
#include <QNetworkProxy>
#include <QSizeF>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>

#include <cstddef>
#include <cstdint>

#include "OOReader.h"

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Never destroyed: the font caches it ends belong to the life of the process.
    new QGuiApplication(*argc, *argv);
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), 9));
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
    QTextDocument *copy = nullptr;
    // Queued into the GUI thread, as the editor's tab receives it.
    QObject::connect(reader, &OOReader::ready, &loop, [&] {
        copy = reader->document->clone();
        loop.quit();
    });
    QObject::connect(&thread, &QThread::started, reader, &OOReader::read);
    thread.start();
    // An import that never sends ready() hangs here, and the fuzzer reports it.
    loop.exec();
    thread.quit();
    thread.wait();
    delete reader;

    copy->setPageSize(QSizeF(595, 842));
    volatile int pages = copy->pageCount();
    volatile qsizetype length = copy->toPlainText().size();
    (void)pages;
    (void)length;
    delete copy;
    return 0;
}
