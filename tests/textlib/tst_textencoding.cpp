// The encodings of the Encoding menu: what each position writes, and what a
// text or HTML file is read as.
#include "textencoding.h"

#include <QtTest/QtTest>

namespace {
QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
} // namespace

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void positions_data();
    void positions();
    void encode_data();
    void encode();
    void decodeText_data();
    void decodeText();
    void readBackKeepsTheBytes();
    void decodeHtml_data();
    void decodeHtml();
};

void TestTextEncoding::positions_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("charset");
    // The stored numbers are the menu's order; anything else is UTF-8.
    QTest::newRow("-3") << -3 << 1 << QByteArray("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("0") << 0 << 0 << QByteArray("ISO 8859-1") << QByteArray("ISO-8859-1");
    QTest::newRow("1") << 1 << 1 << QByteArray("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("2") << 2 << 2 << QByteArray("UTF-16") << QByteArray("UTF-16");
    QTest::newRow("3") << 3 << 3 << QByteArray("UTF-16BE") << QByteArray("UTF-16BE");
    QTest::newRow("4") << 4 << 4 << QByteArray("UTF-32") << QByteArray("UTF-32");
    QTest::newRow("5") << 5 << 5 << QByteArray("UTF-32BE") << QByteArray("UTF-32BE");
    QTest::newRow("6") << 6 << 1 << QByteArray("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("9") << 9 << 1 << QByteArray("UTF-8") << QByteArray("UTF-8");
}

void TestTextEncoding::positions()
{
    QFETCH(int, number);
    QFETCH(int, position);
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, charset);
    const TextEncoding::Position p = TextEncoding::position(number);
    QCOMPARE(int(p), position);
    QCOMPARE(TextEncoding::codecName(p), codec);
    QCOMPARE(TextEncoding::charsetName(p), charset);
}

void TestTextEncoding::encode_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encoded");
    QTest::addColumn<QByteArray>("bytes");
    const bool little = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    QTest::newRow("ISO 8859-1, no mark")
        << 0 << QStringLiteral("café") << true << hex("63 61 66 E9");
    QTest::newRow("ISO 8859-1 refuses Kannada")
        << 0 << QStringLiteral("ಕ") << false << QByteArray();
    QTest::newRow("UTF-8 with its mark")
        << 1 << QStringLiteral("ಕ") << true << hex("EF BB BF E0 B2 95");
    QTest::newRow("UTF-8 refuses a lone low surrogate")
        << 1 << QString(QChar(0xDC00)) + QStringLiteral("x") << false << QByteArray();
    QTest::newRow("UTF-16 in the machine's order")
        << 2 << QStringLiteral("ಕ") << true << (little ? hex("FF FE 95 0C") : hex("FE FF 0C 95"));
    QTest::newRow("UTF-16BE") << 3 << QStringLiteral("ಕ") << true << hex("FE FF 0C 95");
    QTest::newRow("UTF-32 in the machine's order")
        << 4 << QStringLiteral("ಕ") << true
        << (little ? hex("FF FE 00 00 95 0C 00 00") : hex("00 00 FE FF 00 00 0C 95"));
    QTest::newRow("UTF-32BE, outside the BMP")
        << 5 << QString::fromUcs4(U"\U0001F600") << true << hex("00 00 FE FF 00 01 F6 00");
    QTest::newRow("UTF-8, empty text is the mark alone")
        << 1 << QString() << true << hex("EF BB BF");
}

void TestTextEncoding::encode()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(bool, encoded);
    QFETCH(QByteArray, bytes);
    QByteArray written;
    QCOMPARE(TextEncoding::encode(text, TextEncoding::position(position), &written), encoded);
    if (encoded)
        QCOMPARE(written.toHex(' '), bytes.toHex(' '));
}

void TestTextEncoding::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("latin1");
    QTest::newRow("UTF-8 mark") << hex("EF BB BF E0 B2 95") << QStringLiteral("ಕ") << 1 << false;
    QTest::newRow("UTF-8 without a mark")
        << hex("E0 B2 95 0D 0A 61") << QStringLiteral("ಕ\na") << 1 << false;
    QTest::newRow("not UTF-8: ISO 8859-1")
        << hex("63 61 66 E9") << QStringLiteral("café") << 0 << true;
    QTest::newRow("UTF-16LE mark")
        << hex("FF FE 95 0C 0D 00 0A 00") << QStringLiteral("ಕ\n") << 2 << false;
    // Its carriage return byte is half of a Malayalam letter.
    QTest::newRow("UTF-16BE mark, 0D inside a letter")
        << hex("FE FF 0D 0D") << QStringLiteral("\u0D0D") << 3 << false;
    QTest::newRow("UTF-32LE mark, not taken for UTF-16")
        << hex("FF FE 00 00 95 0C 00 00") << QStringLiteral("ಕ") << 4 << false;
    QTest::newRow("UTF-32BE mark")
        << hex("00 00 FE FF 00 00 0C 95") << QStringLiteral("ಕ") << 5 << false;
    QTest::newRow("a second mark is text")
        << hex("EF BB BF EF BB BF 61") << QStringLiteral("\uFEFFa") << 1 << false;
    QTest::newRow("empty") << QByteArray() << QString() << 1 << false;
}

void TestTextEncoding::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(bool, latin1);
    const TextEncoding::Decoded decoded = TextEncoding::decodeText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(int(decoded.position), position);
    QCOMPARE(decoded.latin1, latin1);
}

// A file read and written back in the position it was read in keeps its
// bytes, in every encoding with a mark and in ISO 8859-1.
void TestTextEncoding::readBackKeepsTheBytes()
{
    const QString text = QStringLiteral("ಕನ್ನಡ \u0D0D\u200D x\n\uFEFFend");
    for (int p = 0; p < TextEncoding::PositionCount; ++p) {
        const TextEncoding::Position position = TextEncoding::Position(p);
        const QString written =
            position == TextEncoding::Latin1 ? QStringLiteral("caf\u00E9\n") : text;
        QByteArray bytes;
        QVERIFY(TextEncoding::encode(written, position, &bytes));
        const TextEncoding::Decoded decoded = TextEncoding::decodeText(bytes);
        QCOMPARE(decoded.text, written);
        QCOMPARE(decoded.position, position);
        QByteArray again;
        QVERIFY(TextEncoding::encode(decoded.text, decoded.position, &again));
        QCOMPARE(again, bytes);
    }
}

void TestTextEncoding::decodeHtml_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QByteArray page = "<html><head>%1</head><body>%2</body></html>";
    const auto html = [&](const char *head, const QByteArray &body) {
        return QByteArray(page).replace("%1", head).replace("%2", body);
    };
    QTest::newRow("UTF-8 without a declaration")
        << html("", "\xE0\xB2\x95") << QString::fromUtf8(html("", "\xE0\xB2\x95"));
    QTest::newRow("not UTF-8, undeclared: ISO 8859-1")
        << html("", "caf\xE9") << QString::fromLatin1(html("", "caf\xE9"));
    QTest::newRow("declared windows-1252")
        << html("<meta charset=\"windows-1252\">", "\x80")
        << QString::fromLatin1(html("<meta charset=\"windows-1252\">", ""))
               .replace(QStringLiteral("<body>"), QStringLiteral("<body>\u20AC"));
    const QString kannada = QString::fromLatin1(page).arg(QString(), QStringLiteral("ಕ"));
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar c : kannada) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    QTest::newRow("UTF-16LE mark") << utf16 << kannada;
}

void TestTextEncoding::decodeHtml()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextEncoding::decodeHtml(bytes), text);
}

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_textencoding.moc"
