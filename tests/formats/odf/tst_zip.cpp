#include "GZip.h"
#include "testenv.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <zlib.h>

using CZIP::QZipReader;
using CZIP::QZipWriter;

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(ZUVO_ZIP_FIXTURES "/") + name;
}

QStringList paths(const QList<QZipReader::FileInfo> &infos)
{
    QStringList list;
    for (const auto &i : infos)
        list << i.filePath;
    return list;
}

void expectWarnings(const QStringList &warnings)
{
    for (const QString &w : warnings)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(w));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
}

} // namespace

class TstZip : public QObject
{
    Q_OBJECT
private slots:
    void listing_data();
    void listing();
    void memberData_data();
    void memberData();
    void fileInfo();
    void bounds();
    void manyEntries();
    void libreOfficeContainer();
    void openFailures();
    void deviceReader();
    void writerReadByPython();
    void writerRoundTrip();
    void extractAll();
    void extractRefuses_data();
    void extractRefuses();
};

void TstZip::listing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("regular") << "regular.zip"
                             << QStringList { "stored.txt", "deflated.txt", "folder/",
                                              "folder/empty.txt", QString::fromUtf8("ಕನ್ನಡ.txt") }
                             << QStringList();
    QTest::newRow("comment found") << "comment.zip" << QStringList { "a.txt" } << QStringList();
    QTest::newRow("comment length wrong") << "comment-mismatch.zip" << QStringList { "a.txt" }
                                          << QStringList { "^QZip: failed to parse zip file\\.$" };
    QTest::newRow("preamble") << "preamble.zip" << QStringList()
                              << QStringList { "^QZip: not a zip file!$" };
    QTest::newRow("tiny") << "tiny.zip" << QStringList()
                          << QStringList { "^QZip: EndOfDirectory not found$" };
    QTest::newRow("duplicate") << "duplicate.zip" << QStringList { "same.txt", "same.txt" }
                               << QStringList();
    QTest::newRow("directory offset past the end")
        << "diroffset.zip" << QStringList()
        << QStringList { "^QZip: Failed to read complete header, index may be incomplete$" };
    QTest::newRow("fewer entries than promised")
        << "incomplete.zip" << QStringList { "one.txt" }
        << QStringList { "^QZip: Failed to read complete header, index may be incomplete$" };
}

void TstZip::listing()
{
    QFETCH(QString, file);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, warnings);

    expectWarnings(warnings);
    QZipReader reader(fixture(file));
    QCOMPARE(reader.status(), QZipReader::NoError);
    QVERIFY(reader.exists());
    QCOMPARE(paths(reader.fileInfoList()), entries);
    QCOMPARE(reader.count(), entries.size());
    // The directory is read once: asking again warns no more.
    QCOMPARE(paths(reader.fileInfoList()), entries);
}

void TstZip::memberData_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("stored") << "regular.zip"
                            << "stored.txt" << QByteArray("stored bytes\n") << QStringList();
    QTest::newRow("deflated") << "regular.zip"
                              << "deflated.txt" << QByteArray("deflated ").repeated(200)
                              << QStringList();
    QTest::newRow("utf-8 name") << "regular.zip" << QString::fromUtf8("ಕನ್ನಡ.txt")
                                << QString::fromUtf8("ಕನ್ನಡ").toUtf8() << QStringList();
    QTest::newRow("directory") << "regular.zip"
                               << "folder/" << QByteArray() << QStringList();
    QTest::newRow("missing name") << "regular.zip"
                                  << "nothing" << QByteArray() << QStringList();
    QTest::newRow("case matters") << "regular.zip"
                                  << "STORED.TXT" << QByteArray() << QStringList();
    QTest::newRow("first of two") << "duplicate.zip"
                                  << "same.txt" << QByteArray("first") << QStringList();
    QTest::newRow("unknown method")
        << "method.zip"
        << "bzip.txt" << QByteArray() << QStringList { "^QZip: Unknown compression method$" };
    QTest::newRow("after unknown method")
        << "method.zip"
        << "ok.txt" << QByteArray("still readable") << QStringList();
    QTest::newRow("understated size")
        << "understated.zip"
        << "under.txt" << QByteArray("0123456789").repeated(1000) << QStringList();
    QTest::newRow("good among damaged") << "damaged.zip"
                                        << "good.txt" << QByteArray("good") << QStringList();
    QTest::newRow("local header past the end")
        << "damaged.zip"
        << "far.txt" << QByteArray()
        << QStringList { "^QZip: Failed to read the local header of far.txt$" };
    QTest::newRow("wrong local signature")
        << "damaged.zip"
        << "badsig.txt" << QByteArray()
        << QStringList { "^QZip: invalid local header signature of badsig.txt$" };
    QTest::newRow("corrupt deflate data")
        << "damaged.zip"
        << "corrupt.bin" << QByteArray()
        << QStringList { "^QZip: Z_DATA_ERROR: Input data is corrupted$" };
    QTest::newRow("not a zip") << "preamble.zip"
                               << "a.txt" << QByteArray()
                               << QStringList { "^QZip: not a zip file!$" };
}

void TstZip::memberData()
{
    QFETCH(QString, file);
    QFETCH(QString, member);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, warnings);

    expectWarnings(warnings);
    QZipReader reader(fixture(file));
    QCOMPARE(reader.fileData(member), expected);
}

void TstZip::fileInfo()
{
    QZipReader regular(fixture(QStringLiteral("regular.zip")));
    const QList<QZipReader::FileInfo> infos = regular.fileInfoList();
    QCOMPARE(infos.size(), 5);
    QCOMPARE(infos.at(1).size, 1800);
    const QByteArray deflated = QByteArray("deflated ").repeated(200);
    QCOMPARE(infos.at(1).crc32,
             uint(::crc32(0, reinterpret_cast<const Bytef *>(deflated.constData()), 1800)));
    QVERIFY(infos.at(2).isDir && !infos.at(2).isFile && !infos.at(2).isSymLink);
    QCOMPARE(infos.at(2).size, 0);
    QVERIFY(infos.at(3).isFile && !infos.at(3).isDir);
    QCOMPARE(infos.at(3).permissions,
             QFile::ReadOwner | QFile::ReadUser | QFile::WriteOwner | QFile::WriteUser);

    QZipReader links(fixture(QStringLiteral("symlink.zip")));
    const QZipReader::FileInfo link = links.entryInfoAt(0);
    QVERIFY(link.isSymLink && !link.isFile && !link.isDir);
    QCOMPARE(link.permissions,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                 QFile::WriteUser | QFile::ExeUser | QFile::ReadGroup | QFile::ExeGroup |
                 QFile::ReadOther | QFile::ExeOther);
    QCOMPARE(links.entryInfoAt(1).permissions,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                 QFile::ReadGroup);

    // Out of range: an empty record.
    for (int index : { -1, 2, 1000 }) {
        const QZipReader::FileInfo none = links.entryInfoAt(index);
        QVERIFY(none.filePath.isEmpty());
        QCOMPARE(none.size, 0);
        QVERIFY(!none.isFile && !none.isDir && !none.isSymLink);
    }

    // A default record is a regular file of size 0, and copies carry every field.
    QZipReader::FileInfo def;
    QVERIFY(def.isFile && !def.isDir && !def.isSymLink && def.size == 0 && def.crc32 == 0);
    QZipReader::FileInfo copy(link);
    QCOMPARE(copy.filePath, link.filePath);
    QCOMPARE(copy.permissions, link.permissions);
    QVERIFY(copy.isSymLink);
    def = infos.at(1);
    QCOMPARE(def.size, 1800);
    QCOMPARE(def.crc32, infos.at(1).crc32);
}

void TstZip::bounds()
{
    {
        QZipReader bomb(fixture(QStringLiteral("bomb.zip")));
        QTest::ignoreMessage(QtWarningMsg, "QZip: honest.bin is larger than 256 MiB, skipping it");
        QVERIFY(bomb.fileData(QStringLiteral("honest.bin")).isEmpty());
        QTest::ignoreMessage(QtWarningMsg,
                             "QZip: liar.bin inflates beyond the size limit, skipping it");
        QVERIFY(bomb.fileData(QStringLiteral("liar.bin")).isEmpty());
        QCOMPARE(bomb.fileData(QStringLiteral("small.txt")), QByteArray("small"));

        // A bound of the caller's own, and whether it was the reason for an
        // empty result.
        bool tooLarge = true;
        QCOMPARE(bomb.fileData(QStringLiteral("small.txt"), 5, &tooLarge), QByteArray("small"));
        QVERIFY(!tooLarge);
        QTest::ignoreMessage(QtWarningMsg, "QZip: small.txt is larger than 4 bytes, skipping it");
        QVERIFY(bomb.fileData(QStringLiteral("small.txt"), 4, &tooLarge).isEmpty());
        QVERIFY(tooLarge);
        QTest::ignoreMessage(QtWarningMsg,
                             "QZip: liar.bin inflates beyond the size limit, skipping it");
        QVERIFY(bomb.fileData(QStringLiteral("liar.bin"), 1 << 20, &tooLarge).isEmpty());
        QVERIFY(tooLarge);
        QVERIFY(bomb.fileData(QStringLiteral("absent"), 1 << 20, &tooLarge).isEmpty());
        QVERIFY(!tooLarge);
    }
    {
        QZipReader total(fixture(QStringLiteral("total.zip")));
        QCOMPARE(total.fileData(QStringLiteral("a.bin")).size(), 200 << 20);
        QCOMPARE(total.fileData(QStringLiteral("b.bin")).size(), 200 << 20);
        QTest::ignoreMessage(QtWarningMsg,
                             "QZip: the archive holds more than 512 MiB, skipping c.bin");
        QVERIFY(total.fileData(QStringLiteral("c.bin")).isEmpty());
    }
    {
        // A compressed size beyond the end of the file: only what is there is read.
        QFile f(fixture(QStringLiteral("damaged.zip")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        QZipReader damaged(fixture(QStringLiteral("damaged.zip")));
        const QByteArray stub = damaged.fileData(QStringLiteral("stub.txt"));
        QVERIFY(stub.startsWith("short"));
        QVERIFY(all.endsWith(stub));
    }
}

void TstZip::manyEntries()
{
    // The most entries the end record can count; each is found by its name.
    constexpr int entries = 65535;
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    {
        QZipWriter writer(&buffer);
        writer.setCompressionPolicy(QZipWriter::NeverCompress);
        for (int i = 0; i < entries; ++i)
            writer.addFile(QStringLiteral("m/%1").arg(i), QByteArray::number(i));
        writer.close();
    }
    QBuffer in;
    in.setData(buffer.data());
    QZipReader reader(&in);
    QCOMPARE(reader.count(), entries);
    for (int i : { 0, 1, 32768, entries - 1 })
        QCOMPARE(reader.fileData(QStringLiteral("m/%1").arg(i)), QByteArray::number(i));
    QCOMPARE(reader.entryInfoAt(entries - 1).filePath, QStringLiteral("m/65534"));
    QVERIFY(reader.fileData(QStringLiteral("m/65535")).isEmpty());
}

// LibreOffice writes deflated members with data descriptors (the local header
// holds no sizes) and empty folder entries; the central directory has it all.
void TstZip::libreOfficeContainer()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QZipReader reader(QStringLiteral(ZUVO_ODF_FIXTURES "/styles.odt"));
    const QList<QZipReader::FileInfo> infos = reader.fileInfoList();
    QCOMPARE(infos.first().filePath, QStringLiteral("mimetype"));
    QCOMPARE(reader.fileData(QStringLiteral("mimetype")),
             QByteArray("application/vnd.oasis.opendocument.text"));
    int folders = 0;
    for (const QZipReader::FileInfo &info : infos) {
        const QByteArray data = reader.fileData(info.filePath);
        QCOMPARE(data.size(), info.size);
        QCOMPARE(
            uint(::crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size()))),
            info.crc32);
        if (info.filePath.endsWith(QLatin1Char('/'))) {
            ++folders;
            QCOMPARE(info.size, 0);
        }
    }
    QVERIFY(folders > 0);
    QVERIFY(reader.fileData(QStringLiteral("content.xml")).contains("office:document-content"));
    QVERIFY(reader.fileData(QStringLiteral("META-INF/manifest.xml")).contains("manifest"));
}

void TstZip::openFailures()
{
    ZuvoTest::TempEnv env;
    QZipReader missing(env.filePath(QStringLiteral("no/such.zip")));
    QCOMPARE(missing.status(), QZipReader::FileOpenError);
    QVERIFY(!missing.exists());
    QVERIFY(missing.fileInfoList().isEmpty());
    QVERIFY(missing.fileData(QStringLiteral("a")).isEmpty());
    QCOMPARE(missing.status(), QZipReader::FileOpenError);

    // A device open for writing only cannot be listed.
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QZipReader writeOnly(&buffer);
    QCOMPARE(writeOnly.count(), 0);
    QCOMPARE(writeOnly.status(), QZipReader::FileReadError);
}

void TstZip::deviceReader()
{
    QFile f(fixture(QStringLiteral("regular.zip")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QBuffer buffer;
    buffer.setData(f.readAll());
    {
        QZipReader reader(&buffer);
        QVERIFY(reader.exists());
        QCOMPARE(reader.fileData(QStringLiteral("stored.txt")), QByteArray("stored bytes\n"));
    }
    // The reader closes a device it does not own, and leaves it alive.
    QVERIFY(!buffer.isOpen());
    QCOMPARE(buffer.data().size(), f.size());
}

void TstZip::writerReadByPython()
{
    ZUVO_REQUIRE_PROGRAM(python, "python3");
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("written.zip"));
    {
        QZipWriter writer(path);
        QCOMPARE(writer.status(), QZipWriter::NoError);
        QVERIFY(writer.isWritable());
        writer.addFile(QStringLiteral("always.txt"), QByteArray("a"));
        writer.setCompressionPolicy(QZipWriter::AutoCompress);
        writer.addFile(QStringLiteral("auto63.txt"), QByteArray(63, 'x'));
        writer.addFile(QStringLiteral("auto64.txt"), QByteArray(64, 'x'));
        writer.setCompressionPolicy(QZipWriter::NeverCompress);
        writer.addFile(QStringLiteral("never.txt"), QByteArray(5000, 'y'));
        writer.setCreationPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadGroup | QFile::ReadOther);
        writer.addDirectory(QStringLiteral("dir"));
        writer.addSymLink(QStringLiteral("dir/link"), QStringLiteral("../never.txt"));
        QBuffer device;
        device.setData("from a device");
        writer.addFile(QStringLiteral("dir/device.txt"), &device);
        QVERIFY(!device.isOpen());
        writer.close();
        QCOMPARE(writer.status(), QZipWriter::NoError);
    }

    const char *script = R"(
import json, sys, zipfile
out = []
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    for i in z.infolist():
        out.append({'name': i.filename, 'method': i.compress_type,
                    'mode': i.external_attr >> 16, 'data': z.read(i).decode()})
print(json.dumps(out))
)";
    QProcess p;
    p.start(python, { QStringLiteral("-c"), QString::fromUtf8(script), path });
    QVERIFY(p.waitForFinished(30000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    const QJsonArray entries = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    QCOMPARE(entries.size(), 7);

    struct Expect
    {
        const char *name;
        int method;
        int mode;
        QByteArray data;
    };
    const Expect expected[] = {
        { "always.txt", 8, 0100600, "a" },
        { "auto63.txt", 0, 0100600, QByteArray(63, 'x') },
        { "auto64.txt", 8, 0100600, QByteArray(64, 'x') },
        { "never.txt", 0, 0100600, QByteArray(5000, 'y') },
        { "dir/", 0, 040744, "" },
        { "dir/link", 0, 0120744, "../never.txt" },
        { "dir/device.txt", 0, 0100744, "from a device" },
    };
    for (int i = 0; i < 7; ++i) {
        const QJsonObject e = entries.at(i).toObject();
        QCOMPARE(e.value(QLatin1String("name")).toString(), QLatin1String(expected[i].name));
        QCOMPARE(e.value(QLatin1String("method")).toInt(), expected[i].method);
        QCOMPARE(e.value(QLatin1String("mode")).toInt(), expected[i].mode);
        QCOMPARE(e.value(QLatin1String("data")).toString().toUtf8(), expected[i].data);
    }
}

void TstZip::writerRoundTrip()
{
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    const QByteArray big = QByteArray("ಕನ್ನಡ text ").repeated(10000);
    {
        QZipWriter writer(&buffer);
        writer.addFile(QStringLiteral("big.txt"), big);
        writer.addFile(QStringLiteral("empty.txt"), QByteArray());
        writer.close();
    }
    QVERIFY(buffer.data().size() < big.size() / 10);
    QBuffer in;
    in.setData(buffer.data());
    QZipReader reader(&in);
    QCOMPARE(paths(reader.fileInfoList()), (QStringList { "big.txt", "empty.txt" }));
    QCOMPARE(reader.fileData(QStringLiteral("big.txt")), big);
    QCOMPARE(reader.entryInfoAt(0).size, big.size());
    QVERIFY(reader.fileData(QStringLiteral("empty.txt")).isEmpty());

    // A writer that cannot open its file reports it and writes nothing.
    ZuvoTest::TempEnv env;
    QZipWriter nowhere(env.filePath(QStringLiteral("missing/dir/out.zip")));
    QCOMPARE(nowhere.status(), QZipWriter::FileOpenError);
    QVERIFY(!nowhere.isWritable());
}

void TstZip::extractAll()
{
    ZuvoTest::TempEnv env;
    const QString dest = env.filePath(QStringLiteral("out"));
    QZipReader regular(fixture(QStringLiteral("regular.zip")));
    QVERIFY(regular.extractAll(dest));
    QCOMPARE(env.readFile(QStringLiteral("out/deflated.txt")),
             QByteArray("deflated ").repeated(200));
    QVERIFY(QFileInfo(dest + QStringLiteral("/folder")).isDir());
    QVERIFY(QFileInfo::exists(dest + QStringLiteral("/folder/empty.txt")));

    const QString linkDest = env.filePath(QStringLiteral("links"));
    QZipReader links(fixture(QStringLiteral("symlink.zip")));
    QVERIFY(links.extractAll(linkDest));
    const QFileInfo link(linkDest + QStringLiteral("/link"));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(),
             QFileInfo(linkDest + QStringLiteral("/target.txt")).absoluteFilePath());
    QCOMPARE(env.readFile(QStringLiteral("links/link")), QByteArray("pointed at"));
}

void TstZip::extractRefuses_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("warning");
    QTest::newRow("dot-dot") << "unsafe-dotdot.zip"
                             << "QZip: refusing to extract ../escape.txt outside the destination";
    QTest::newRow("absolute")
        << "unsafe-absolute.zip"
        << "QZip: refusing to extract /tmp/absolute.txt outside the destination";
    QTest::newRow("link outside")
        << "unsafe-link.zip"
        << "QZip: refusing the link out that points outside the destination";
    QTest::newRow("through a link") << "unsafe-through-link.zip" << QString();
}

void TstZip::extractRefuses()
{
    QFETCH(QString, file);
    QFETCH(QString, warning);
    ZuvoTest::TempEnv env;
    const QString dest = env.filePath(QStringLiteral("a/b/dest"));
    QVERIFY(QDir().mkpath(dest));
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    QZipReader reader(fixture(file));
    QVERIFY(!reader.extractAll(dest));

    QVERIFY(!QFileInfo::exists(env.filePath(QStringLiteral("a/b/escape.txt"))));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/absolute.txt")));
    QVERIFY(!QFileInfo(dest + QStringLiteral("/out")).isSymLink());
    // Nothing was written through the link into the folder it names.
    QVERIFY(!QFileInfo::exists(dest + QStringLiteral("/inner/file.txt")));
}

QTEST_GUILESS_MAIN(TstZip)
#include "tst_zip.moc"
