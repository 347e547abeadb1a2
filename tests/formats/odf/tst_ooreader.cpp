// The OpenDocument reader object: its state when new, what reset() keeps, and
// the identity of a file.
#include "FoColorName.h"
#include "OOReader.h"

#include <QTextDocument>
#include <QThread>
#include <QtTest>

class TstOoReader : public QObject
{
    Q_OBJECT
private slots:
    void newReader();
    void resetKeeps();
    void identity_data();
    void identity();
    void handOverDocument();
};

void TstOoReader::newReader()
{
    OOReader reader(QStringLiteral("/nowhere/file.odt"), OOReader::EditorDestination, this);
    QVERIFY(reader.parent() == nullptr);
    QCOMPARE(reader.filePath, QStringLiteral("/nowhere/file.odt"));
    QVERIFY(reader.document != nullptr);
    QVERIFY(reader.document->isEmpty());
    QVERIFY(reader.document->parent() == nullptr);
    QVERIFY(reader.colorTable != nullptr);
    QCOMPARE(reader.colorTable->color(), QColor(Qt::transparent));
    QVERIFY(reader.css2.isEmpty());
    QVERIFY(reader.archive.isEmpty());
    QVERIFY(reader.fontFaces.isEmpty());
    QVERIFY(reader.contentDom.isNull());
    QCOMPARE(reader.styleNameCount, 0);
    QCOMPARE(reader.blockTotal, 0);
    QCOMPARE(reader.blockCurrent, 0);
    QCOMPARE(reader.fontFaceCount, 0);
    QCOMPARE(reader.imageCount, 0);
    QVERIFY(!reader.bodyRead);
    QVERIFY(!reader.noStylesFile);
    // No path has this identity, so a new reader always reads its file.
    QCOMPARE(reader.lastFileHash, QStringLiteral("250186"));
    QVERIFY(reader.hashGenerator(reader.filePath) != reader.lastFileHash);
}

void TstOoReader::resetKeeps()
{
    OOReader reader(QStringLiteral("a.odt"));
    QTextDocument *doc = reader.document;
    reader.document->setPlainText(QStringLiteral("converted"));
    reader.blockTotal = 7;
    reader.blockCurrent = 5;
    reader.styleNameCount = 2;
    reader.fontFaceCount = 1;
    reader.imageCount = 3;
    reader.bodyRead = true;
    reader.noStylesFile = true;
    reader.lastFileHash = QStringLiteral("abc");
    reader.standardFont = QFont(QStringLiteral("Kept Family"), 13);
    reader.css2.insert(QStringLiteral("P1"), OOReader::StyleInfo());
    reader.archive.insert(QStringLiteral("content.xml"), "x");
    reader.contentDom.setContent(QStringLiteral("<a/>"));

    reader.reset();
    // Per-read state goes ...
    QVERIFY(reader.css2.isEmpty());
    QVERIFY(reader.archive.isEmpty());
    QVERIFY(reader.contentDom.isNull());
    QCOMPARE(reader.blockCurrent, 0);
    QCOMPARE(reader.styleNameCount, 0);
    QCOMPARE(reader.fontFaceCount, 0);
    QCOMPARE(reader.imageCount, 0);
    QVERIFY(!reader.bodyRead);
    // ... the result and what describes the last file stay.
    QCOMPARE(reader.document, doc);
    QCOMPARE(reader.document->toPlainText(), QStringLiteral("converted"));
    QCOMPARE(reader.blockTotal, 7);
    QVERIFY(reader.noStylesFile);
    QCOMPARE(reader.lastFileHash, QStringLiteral("abc"));
    QCOMPARE(reader.standardFont.family(), QStringLiteral("Kept Family"));
}

void TstOoReader::identity_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("hash");
    QTest::newRow("utf-8 path") << QString::fromUtf8("/home/user/ಕನ್ನಡ.odt")
                                << "df240d5ea20c843958c0d3d455324d2d37707806";
    QTest::newRow("empty path") << QString() << "b4785825553c8b4529bb4652840703b726c6c14e";
}

void TstOoReader::identity()
{
    QFETCH(QString, path);
    QFETCH(QString, hash);
    OOReader reader(path);
    QCOMPARE(reader.hashGenerator(path), hash);
    QCOMPARE(OOReader(QStringLiteral("other")).hashGenerator(path), hash);
    QVERIFY(reader.hashGenerator(path + QLatin1Char('x')) != hash);
}

// The document goes over whole to the thread asked for, from the reader's
// own thread or from another one while the reader's waits in its loop; the
// reader keeps nothing of it.
void TstOoReader::handOverDocument()
{
    OOReader here(QStringLiteral("a.odt"));
    QTextDocument *mine = here.document;
    QThread other;
    const std::unique_ptr<QTextDocument> moved(here.handOverDocument(&other));
    QCOMPARE(moved.get(), mine);
    QCOMPARE(moved->thread(), &other);
    QVERIFY(here.document == nullptr);
    QVERIFY(here.handOverDocument(&other) == nullptr);

    QThread thread;
    auto *reader = new OOReader(QStringLiteral("b.odt"));
    reader->document->setPlainText(QStringLiteral("read"));
    reader->moveToThread(&thread);
    connect(&thread, &QThread::finished, reader, &QObject::deleteLater);
    thread.start();
    const std::unique_ptr<QTextDocument> taken(reader->handOverDocument(QThread::currentThread()));
    QVERIFY(taken);
    QCOMPARE(taken->thread(), QThread::currentThread());
    QCOMPARE(taken->toPlainText(), QStringLiteral("read"));
    thread.quit();
    thread.wait();
}

QTEST_MAIN(TstOoReader)
#include "tst_ooreader.moc"
