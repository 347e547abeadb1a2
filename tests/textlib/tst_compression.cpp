#include "compression.h"
#include "dctfixture.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest/QtTest>

#include <zlib.h>

namespace {

QByteArray randomBytes(qsizetype n)
{
    QByteArray b(n, Qt::Uninitialized);
    QRandomGenerator gen(42);
    for (char &c : b)
        c = char(gen.bounded(256));
    return b;
}

// Qt's format over `total` zero bytes, deflated piece by piece so that the
// test never holds the whole input; the prefix claims `claimed` bytes.
QByteArray zeroStream(qint64 total, quint32 claimed)
{
    QByteArray out(4, '\0');
    qToBigEndian(claimed, out.data());
    z_stream zs {};
    deflateInit(&zs, Z_BEST_COMPRESSION);
    const QByteArray zeros(1 << 20, '\0');
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (qint64 left = total; left >= 0; left -= zeros.size()) {
        const bool last = left <= zeros.size();
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zeros.constData()));
        zs.avail_in = uInt(last ? left : zeros.size());
        do {
            zs.next_out = reinterpret_cast<Bytef *>(chunk.data());
            zs.avail_out = uInt(chunk.size());
            deflate(&zs, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(chunk.constData(), chunk.size() - zs.avail_out);
        } while (zs.avail_out == 0);
        if (last)
            break;
    }
    deflateEnd(&zs);
    return out;
}

} // namespace

class TestCompression : public QObject
{
    Q_OBJECT
private slots:
    void uncompress_data();
    void uncompress();
};

void TestCompression::uncompress_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray text = QStringLiteral("ಮನೆ<p>house</p>\nಕಾಡು<p>forest</p>").toUtf8();
    const QByteArray random = randomBytes(1 << 20);
    const QByteArray zeros(8 << 20, '\0'); // near the ratio limit, still genuine
    QTest::newRow("text") << qCompress(text) << text;
    QTest::newRow("1 MiB random") << qCompress(random) << random;
    QTest::newRow("8 MiB zeros") << qCompress(zeros, 9) << zeros;
    QTest::newRow("empty value") << qCompress(QByteArray()) << QByteArray();
    QTest::newRow("nothing") << QByteArray() << QByteArray();
    QTest::newRow("three bytes") << QByteArray("\0\0\1", 3) << QByteArray();
    // A prefix below the real size only sizes the first buffer.
    QTest::newRow("prefix too small")
        << ZuvoTest::withClaimedSize(1, QString::fromUtf8(text)) << text;

    QTest::newRow("claims 4 GiB") << ZuvoTest::withClaimedSize(0xFFFFFFFFu) << QByteArray();
    const QByteArray stream = ZuvoTest::compressed(QStringLiteral("x"));
    const quint32 ratioLimit = quint32((stream.size() - 4) * MaxCompressionRatio);
    QTest::newRow("claims just above the ratio")
        << ZuvoTest::withClaimedSize(ratioLimit + 1) << QByteArray();
    QTest::newRow("claims just at the ratio") << ZuvoTest::withClaimedSize(ratioLimit) << "x"_qba;
    QByteArray big = qCompress(randomBytes(300 << 10));
    qToBigEndian(quint32(MaxUncompressedSize + 1), big.data());
    QTest::newRow("claims above 256 MiB, ratio fine") << big << QByteArray();

    QTest::newRow("damaged stream") << ZuvoTest::corruptCompressed() << QByteArray();
    const QByteArray whole = qCompress(text);
    QTest::newRow("truncated stream") << whole.left(whole.size() - 8) << QByteArray();
    // An honest-looking prefix over a stream that inflates past the bound.
    QTest::newRow("inflates past 256 MiB")
        << zeroStream(MaxUncompressedSize + (1 << 20), 1024) << QByteArray();
}

void TestCompression::uncompress()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    const QByteArray result = guardedUncompress(value);
    QCOMPARE(result.size(), expected.size());
    QVERIFY(result == expected);
}

QTEST_MAIN(TestCompression)
#include "tst_compression.moc"
