#include "rtf/tokenizer.h"

#include <QBuffer>
#include <QTimer>
#include <QtTest/QtTest>

namespace {

// A buffer that hands out at most `chunk` bytes per read, so that refills
// (and pushing a byte back right after one) happen at every position.
class ChunkedBuffer : public QBuffer
{
public:
    ChunkedBuffer(const QByteArray &bytes, qint64 chunk)
        : chunk(chunk)
    {
        setData(bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        return QBuffer::readData(data, qMin(maxSize, chunk));
    }

private:
    qint64 chunk;
};

QString render(const QByteArray &bytes)
{
    QString out;
    for (char c : bytes) {
        const uchar u = uchar(c);
        if (u < 0x20 || u >= 0x7F)
            out += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QLatin1Char(c);
    }
    return out;
}

QString describe(const RTF::Tokenizer &t)
{
    switch (t.type) {
    case RTF::StartGroupToken:
        return QStringLiteral("{");
    case RTF::EndGroupToken:
        return QStringLiteral("}");
    case RTF::ControlWordToken:
        if (t.text == "'")
            return QStringLiteral("\\'") + QString::fromLatin1(t.hex.toHex());
        return QLatin1Char('\\') + render(t.text) +
            (t.hasValue ? QString::number(t.value) : QString());
    default:
        return QLatin1Char('[') + render(t.text) + QLatin1Char(']');
    }
}

// All tokens of the device, "EOF" when the input ended inside one.
QString tokens(QIODevice *device)
{
    RTF::Tokenizer t;
    t.setDevice(device);
    QStringList out;
    try {
        while (t.hasNext()) {
            t.readNext();
            out << describe(t);
        }
    } catch (const QString &message) {
        out << QStringLiteral("EOF");
        if (message != QStringLiteral("Unexpectedly reached end of file."))
            out << message;
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestRtfTokenizer : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void blockBoundaries_data();
    void blockBoundaries();
    void binRepeated();
    void withoutDevice();
    void secondDeviceStartsAfresh();
    void eventLoopRunsBetweenBlocks();
};

void TestRtfTokenizer::tokens_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("parameter 0, space consumed") << QByteArray("{\\b0 x}") << "{ \\b0 [x] }";
    QTest::newRow("no parameter") << QByteArray("{\\b x}") << "{ \\b [x] }";
    QTest::newRow("negative, next word pushed back")
        << QByteArray("\\li-720\\par}") << "\\li-720 \\par }";
    QTest::newRow("minus without digits") << QByteArray("\\b-x}") << "\\b [x] }";
    QTest::newRow("only one space is a delimiter") << QByteArray("\\tab  x}") << "\\tab [ x] }";
    QTest::newRow("upper-case word") << QByteArray("\\PAR1}") << "\\PAR1 }";
    QTest::newRow("digits beyond int") << QByteArray("\\b99999999999 }") << "\\b0 }";
    QTest::newRow("int max") << QByteArray("\\b2147483647 }") << "\\b2147483647 }";
    QTest::newRow("leading zeros") << QByteArray("\\b0000000000007 }") << "\\b7 }";
    QTest::newRow("hex") << QByteArray("\\'e9}") << "\\'e9 }";
    QTest::newRow("hex upper, then text") << QByteArray("\\'C3ab}") << "\\'c3 [ab] }";
    QTest::newRow("invalid hex") << QByteArray("\\'zz}") << "\\'00 }";
    QTest::newRow("half-valid hex") << QByteArray("\\'9g}") << "\\'00 }";
    QTest::newRow("signed hex is no hex") << QByteArray("\\'-f}") << "\\'00 }";
    QTest::newRow("hex takes line ends") << QByteArray("\\'\r\n}") << "\\'00 }";
    QTest::newRow("backslash line feed") << QByteArray("\\\n}") << "\\<0a> }";
    QTest::newRow("backslash carriage return") << QByteArray("\\\r}") << "\\<0d> }";
    QTest::newRow("control symbols")
        << QByteArray("\\*\\~\\-\\_\\|\\{\\}\\\\}") << "\\* \\~ \\- \\_ \\| \\{ \\} \\\\ }";
    QTest::newRow("symbol keeps next byte") << QByteArray("\\~ x}") << "\\~ [ x] }";
    QTest::newRow("line ends split text") << QByteArray("abc\r\ndef}") << "[abc] [def] }";
    QTest::newRow("text with spaces and 8-bit bytes")
        << QByteArray("a b\xe9 c}") << "[a b<e9> c] }";
    QTest::newRow("bin skips payload") << QByteArray("\\bin3 xyz{") << "{";
    QTest::newRow("bin payload holds braces") << QByteArray("\\bin4 }}\\{{}") << "{ }";
    QTest::newRow("bin 0") << QByteArray("\\bin0 {") << "{";
    QTest::newRow("bin negative") << QByteArray("\\bin-5 {") << "{";
    QTest::newRow("bin then bin") << QByteArray("\\bin1 x\\bin2 yy}") << "}";
    QTest::newRow("bin without parameter") << QByteArray("\\bin x}") << "[x] }";
    QTest::newRow("ends after brace") << QByteArray("{a}") << "{ [a] }";
    QTest::newRow("ends after brace and line feed") << QByteArray("{a}\r\n") << "{ [a] } EOF";
    QTest::newRow("ends in text") << QByteArray("{abc") << "{ EOF";
    QTest::newRow("ends in word") << QByteArray("{\\par") << "{ EOF";
    QTest::newRow("ends in parameter") << QByteArray("{\\li12") << "{ EOF";
    QTest::newRow("ends in hex") << QByteArray("{\\'e") << "{ EOF";
    QTest::newRow("ends after backslash") << QByteArray("{\\") << "{ EOF";
    QTest::newRow("ends in bin payload") << QByteArray("{\\bin5 ab") << "{ EOF";
    QTest::newRow("huge bin") << QByteArray("{\\bin2147483647 ab") << "{ EOF";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestRtfTokenizer::tokens()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    for (qint64 chunk : { qint64(8192), qint64(1), qint64(2), qint64(3) }) {
        ChunkedBuffer device(input, chunk);
        QCOMPARE(::tokens(&device), expected);
    }
}

void TestRtfTokenizer::blockBoundaries_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    const struct
    {
        const char *tail;
        const char *tokens;
    } tails[] = {
        { "\\b12 x}", "\\b12 [x] }" },
        { "\\b12\\i}", "\\b12 \\i }" },
        { "\\'e9}", "\\'e9 }" },
        { "{abc}", "{ [abc] }" },
        { "\\bin3 xyz}", "}" },
        { "\\u-3913?}", "\\u-3913 [?] }" },
        { "\r\n}", "}" },
    };
    for (const auto &tail : tails) {
        // The tail starts at byte `at`, so each of its bytes meets the end
        // of the first block once.
        for (int at = 8186; at <= 8194; ++at) {
            const QByteArray pad(at - 1, 'a');
            QTest::addRow("%s at %d", tail.tail, at)
                << QByteArray("{" + pad + tail.tail)
                << QStringLiteral("{ [%1] %2").arg(QString::fromLatin1(pad), tail.tokens);
        }
    }
}

void TestRtfTokenizer::blockBoundaries()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    for (qint64 chunk : { qint64(8192), qint64(8191), qint64(8193) }) {
        ChunkedBuffer device(input, chunk);
        QCOMPARE(::tokens(&device), expected);
    }
}

void TestRtfTokenizer::binRepeated()
{
    // A million payloads in a row must not nest calls.
    QByteArray input = "{";
    for (int i = 0; i < 1000000; ++i)
        input += "\\bin1 x";
    input += "}";
    QBuffer device(&input);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(::tokens(&device), QStringLiteral("{ }"));
}

void TestRtfTokenizer::withoutDevice()
{
    RTF::Tokenizer t;
    QVERIFY(!t.hasNext());
    t.readNext();
    QCOMPARE(t.type, int(RTF::TextToken));
    QVERIFY(t.text.isEmpty());
    QVERIFY(!t.hasValue);
}

void TestRtfTokenizer::secondDeviceStartsAfresh()
{
    QByteArray first = "{\\b1 left over}";
    QByteArray second = "\\i}";
    QBuffer a(&first), b(&second);
    QVERIFY(a.open(QIODevice::ReadOnly));
    QVERIFY(b.open(QIODevice::ReadOnly));
    RTF::Tokenizer t;
    t.setDevice(&a);
    t.readNext();
    QCOMPARE(describe(t), QStringLiteral("{"));
    t.setDevice(&b);
    QStringList seen;
    while (t.hasNext()) {
        t.readNext();
        seen << describe(t);
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), QStringLiteral("\\i }"));
}

void TestRtfTokenizer::eventLoopRunsBetweenBlocks()
{
    bool fired = false;
    QTimer::singleShot(0, this, [&fired] { fired = true; });
    QByteArray input = "{" + QByteArray(3 * 8192, 'a') + "}";
    QBuffer device(&input);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(::tokens(&device).size(), 3 * 8192 + 6);
    QVERIFY(fired);
}

QTEST_GUILESS_MAIN(TestRtfTokenizer)
#include "tst_rtftokenizer.moc"
