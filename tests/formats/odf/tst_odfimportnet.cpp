// Pictures an OpenDocument file links over HTTP, fetched from a loopback
// server, and the threaded hand-over of an import: read() started by a
// thread, ready() once in the GUI thread, the reader deleted in its thread.
#include "OOReader.h"
#include "httpserver.h"
#include "testenv.h"
#include "tst_odfimportsupport.h"

#include <QTextImageFormat>
#include <QThread>
#include <QtTest>

#include <atomic>

using namespace OdfTest;
using ZuvoTest::HttpServer;

namespace {

QString imagesBody(const QList<QUrl> &urls)
{
    QString body = QStringLiteral("<text:p text:style-name=\"Standard\">x");
    for (const QUrl &u : urls)
        body += QStringLiteral("<draw:frame><draw:image xlink:href=\"%1\"/></draw:frame>")
                    .arg(u.toString().toHtmlEscaped());
    return body + QStringLiteral("</text:p>");
}

QList<QTextImageFormat> imagesOf(const QTextDocument *doc)
{
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out << it.fragment().charFormat().toImageFormat();
    return out;
}

QList<bool> picturesPresent(const QTextDocument *doc)
{
    QList<bool> out;
    for (const QTextImageFormat &f : imagesOf(doc))
        out << !doc->resource(QTextDocument::ImageResource, QUrl(f.name()))
                    .value<QImage>()
                    .isNull();
    return out;
}

} // namespace

class TstOdfImportNet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void requestAsWritten();
    void stalledTransfer();
    void deadline();
    void fewAtOnce();
    void threadedImport();

private:
    HttpServer server;
};

void TstOdfImportNet::initTestCase()
{
    QVERIFY(server.listen());
    HttpServer::Response ok;
    ok.contentType = "image/png";
    ok.body = png(6, 4);
    server.route("/ok.png", ok);
    HttpServer::Response chunked = ok;
    chunked.chunked = true;
    chunked.body = png(300, 200, Qt::blue); // several chunks
    server.route("/chunked.png", chunked);
    HttpServer::Response missing;
    missing.status = 404;
    missing.reason = "Not Found";
    missing.contentType = "text/html";
    missing.body = "<html><body><h1>Not Found</h1></body></html>";
    server.route("/missing.png", missing);
    HttpServer::Response moved;
    moved.status = 302;
    moved.reason = "Found";
    moved.headers = { { "Location", server.url("/ok.png?moved").toEncoded() } };
    moved.body = ok.body; // even a picture in the body of a redirection is not taken
    server.route("/moved.png", moved);
    HttpServer::Response huge = ok;
    huge.body = QByteArray(int(OOReader::MaxRemoteImageSize) + 1024, 'x');
    server.route("/huge.png", huge);
    HttpServer::Response hugeChunked = huge;
    hugeChunked.chunked = true;
    server.route("/huge-chunked.png", hugeChunked);
    HttpServer::Response page;
    page.contentType = "text/html";
    page.body = "<html>hello</html>";
    server.route("/page.png", page);
    HttpServer::Response silent;
    silent.silent = true;
    server.route("/silent.png", silent);
    HttpServer::Response slow = ok;
    slow.delayMs = 150;
    server.route("/slow.png", slow);
}

void TstOdfImportNet::answers_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("picture");
    QTest::newRow("200") << "/ok.png" << true;
    QTest::newRow("chunked 200") << "/chunked.png" << true;
    QTest::newRow("404 with an HTML body") << "/missing.png" << false;
    QTest::newRow("redirect not followed") << "/moved.png" << false;
    QTest::newRow("body over the cap") << "/huge.png" << false;
    QTest::newRow("chunked body over the cap") << "/huge-chunked.png" << false;
    QTest::newRow("200 that is no picture") << "/page.png" << false;
}

void TstOdfImportNet::answers()
{
    QFETCH(QString, path);
    QFETCH(bool, picture);
    const int before = server.requests().size();
    OOReader reader { QString() };
    QSignalSpy ready(&reader, &OOReader::ready);
    importContent(reader, content(imagesBody({ server.url(path) })));
    // The picture is on its way: ready() waits for it.
    QCOMPARE(ready.count(), 0);
    QVERIFY(ready.wait(20000));
    QTest::qWait(50);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(picturesPresent(reader.document), QList<bool> { picture });
    const QList<QByteArray> asked = server.requests().mid(before);
    QCOMPARE(asked.size(), 1); // a redirection is not followed
}

void TstOdfImportNet::requestAsWritten()
{
    // Port, path and query go out as the link has them; two links to the
    // same picture are two fetches under two names.
    const QUrl url = server.url("/ok.png?size=big&v=2");
    const int before = server.requests().size();
    OOReader reader { QString() };
    QSignalSpy ready(&reader, &OOReader::ready);
    importContent(reader, content(imagesBody({ url, url })));
    QVERIFY(ready.wait(20000));
    QCOMPARE(server.requests().mid(before),
             (QList<QByteArray> { "/ok.png?size=big&v=2", "/ok.png?size=big&v=2" }));
    QCOMPARE(server.lastHeaders().value("host"), "127.0.0.1:" + QByteArray::number(server.port()));
    QVERIFY(server.lastHeaders().value("user-agent").startsWith("Mozilla/5.0 (compatible;"));
    const QList<QTextImageFormat> images = imagesOf(reader.document);
    QCOMPARE(images.size(), 2);
    QVERIFY(images.at(0).name() != images.at(1).name());
    QCOMPARE(picturesPresent(reader.document), (QList<bool> { true, true }));
}

void TstOdfImportNet::stalledTransfer()
{
    OOReader reader { QString() };
    reader.fetchTransferTimeout = 300;
    QSignalSpy ready(&reader, &OOReader::ready);
    importContent(reader,
                  content(imagesBody({ server.url("/silent.png"), server.url("/ok.png") })));
    QVERIFY(ready.wait(20000));
    QTest::qWait(50);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(picturesPresent(reader.document), (QList<bool> { false, true }));
}

void TstOdfImportNet::deadline()
{
    OOReader reader { QString() };
    reader.fetchDeadline = 500;
    QSignalSpy ready(&reader, &OOReader::ready);
    QList<QUrl> urls;
    for (int i = 0; i < 6; ++i)
        urls << server.url(QStringLiteral("/silent.png?%1").arg(i));
    importContent(reader, content(imagesBody(urls)));
    QVERIFY(ready.wait(20000));
    QTest::qWait(50);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(picturesPresent(reader.document), QList<bool>(6, false));
}

void TstOdfImportNet::fewAtOnce()
{
    HttpServer local;
    QVERIFY(local.listen());
    HttpServer::Response slow;
    slow.contentType = "image/png";
    slow.body = png();
    slow.delayMs = 150;
    local.route("/slow.png", slow);
    QList<QUrl> urls;
    for (int i = 0; i < 9; ++i)
        urls << local.url(QStringLiteral("/slow.png?%1").arg(i));
    OOReader reader { QString() };
    QSignalSpy ready(&reader, &OOReader::ready);
    importContent(reader, content(imagesBody(urls)));
    QVERIFY(ready.wait(20000));
    QCOMPARE(local.requests().size(), 9);
    QVERIFY2(local.maxConcurrent() <= OOReader::MaxParallelFetches,
             qPrintable(QString::number(local.maxConcurrent())));
    QCOMPARE(picturesPresent(reader.document), QList<bool>(9, true));
}

// The editor's side of the import, as a test driver: a thread of its own,
// read() on started(), the document copied on ready(), the reader deleted in
// its thread and the thread's loop ended.
class ImportDriver : public QObject
{
    Q_OBJECT
public:
    explicit ImportDriver(const QString &path)
    {
        thread = new QThread(this);
        reader = new OOReader(path, OOReader::EditorDestination, nullptr);
        reader->moveToThread(thread);
        connect(thread, &QThread::started, reader, &OOReader::read);
        connect(reader, &OOReader::ready, this, &ImportDriver::drawDoc);
        connect(
            reader, &QObject::destroyed, reader,
            [this] {
                deletedInImportThread = QThread::currentThread() == thread;
                readerGone = true;
            },
            Qt::DirectConnection);
        thread->start(QThread::InheritPriority);
    }
    ~ImportDriver() override
    {
        thread->quit();
        thread->wait();
    }

    QThread *thread = nullptr;
    OOReader *reader = nullptr;
    QTextDocument *copy = nullptr;
    int readyCount = 0;
    bool inGuiThread = false;
    std::atomic<bool> readerGone { false };
    std::atomic<bool> deletedInImportThread { false };

private slots:
    void drawDoc()
    {
        ++readyCount;
        inGuiThread = QThread::currentThread() == thread->parent()->thread();
        if (reader != nullptr) {
            copy = reader->document->clone(this);
            reader->deleteLater();
            reader = nullptr;
        }
        thread->quit();
    }
};

void TstOdfImportNet::threadedImport()
{
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("net.odt"));
    QVERIFY(
        writeOdt(path,
                 { { "content.xml",
                     content(QStringLiteral("<text:p>ಕನ್ನಡ text</text:p>") +
                             imagesBody({ server.url("/slow.png"), server.url("/missing.png") })) },
                   { "Pictures/local.png", png() } }));
    ImportDriver driver(path);
    QTRY_VERIFY_WITH_TIMEOUT(driver.thread->isFinished(), 20000);
    QTRY_VERIFY(driver.readerGone);
    QTest::qWait(50);
    QCOMPARE(driver.readyCount, 1);
    QVERIFY(driver.inGuiThread);
    QVERIFY(driver.deletedInImportThread);
    QVERIFY(driver.copy != nullptr);
    QCOMPARE(blocks(driver.copy).first(), QStringLiteral("ಕನ್ನಡ text"));
    // The remote picture arrived before ready(), so the copy holds it.
    QCOMPARE(picturesPresent(driver.copy), (QList<bool> { true, false }));
}

QTEST_MAIN(TstOdfImportNet)
#include "tst_odfimportnet.moc"
