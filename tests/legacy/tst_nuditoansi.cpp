#include "ansitounicode.h"
#include "legacytest.h"
#include "nuditable.h"
#include "nuditoansi.h"
#include "testenv.h"

#include <QSet>
#include <QtTest/QtTest>

using LegacyTest::codePoints;
using LegacyTest::glyphs;
using LegacyTest::hexBytes;

class TestNudiToAnsi : public QObject
{
    Q_OBJECT
private slots:
    void tableAsPrinted();
    void words_data();
    void words();
    void text_data();
    void text();
    void wordsDoNotShareState();
    void findChar_data();
    void findChar();
    void file();
};

// The table as transcribed: the counts and properties the listing states, and its groups.
void TestNudiToAnsi::tableAsPrinted()
{
    QCOMPARE(kNudiKeyCount, 466);
    int byLength[7] = {};
    int high = 0;
    QSet<QByteArray> keys;
    QHash<QString, QList<int>> entriesOfValue;
    QByteArray reorder;
    for (const NudiReorder &r : kNudiReorder)
        reorder.append(char(r.byte));
    for (int i = 0; i < kNudiKeyCount; ++i) {
        const NudiKey &k = kNudiKeys[i];
        QVERIFY(k.length >= 1 && k.length <= 6);
        ++byLength[k.length];
        const QByteArray bytes(reinterpret_cast<const char *>(k.bytes), k.length);
        keys.insert(bytes);
        bool anyHigh = false;
        for (char b : bytes) {
            anyHigh |= static_cast<unsigned char>(b) >= 0x80;
            QVERIFY2(!reorder.contains(b), qPrintable(QString::number(i + 1)));
        }
        high += anyHigh;
        QVERIFY(!bytes.startsWith(QByteArray("\x50\xEB")));
        const QString value = QString::fromLatin1(k.value);
        QVERIFY(!value.isEmpty());
        for (QChar c : value)
            QVERIFY((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
        entriesOfValue[value].append(i + 1);
    }
    QCOMPARE(keys.size(), 466);
    const int expectedLengths[7] = { 0, 45, 167, 165, 68, 19, 2 };
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(byLength[n], expectedLengths[n]);
    QCOMPARE(high, 434);
    for (auto it = entriesOfValue.cbegin(); it != entriesOfValue.cend(); ++it) {
        if (it.value().size() > 1)
            QVERIFY2(it.key() == u"pu" || it.key() == u"pU" || it.key() == u"Pu" ||
                         it.key() == u"PU",
                     qPrintable(it.key()));
    }
    QCOMPARE(entriesOfValue.value(QStringLiteral("pu")), QList<int>({ 272, 463 }));
    QCOMPARE(entriesOfValue.value(QStringLiteral("pU")), QList<int>({ 273, 464 }));
    QCOMPARE(entriesOfValue.value(QStringLiteral("Pu")), QList<int>({ 286, 465 }));
    QCOMPARE(entriesOfValue.value(QStringLiteral("PU")), QList<int>({ 287, 466 }));

    // Groups: "M", "H", the vowels, then 32 consonants with their vowels (k has no bare form).
    const char *const head[15] = { "M",  "H", "a", "A",  "i", "ii", "u", "U",
                                   "Ru", "e", "E", "ai", "o", "O",  "ou" };
    for (int i = 0; i < 15; ++i)
        QCOMPARE(kNudiKeys[i].value, head[i]);
    const char *const consonants[32] = { "k",  "K", "g", "G",  "c", "C",  "j",  "J", "T", "Th", "D",
                                         "Dh", "N", "t", "th", "d", "dh", "n",  "p", "P", "b",  "B",
                                         "m",  "y", "r", "l",  "v", "S",  "Sh", "s", "h", "L" };
    const char *const vowels[14] = { "",   "a", "A", "i",  "ii", "u", "U",
                                     "Ru", "e", "E", "ai", "o",  "O", "ou" };
    int entry = 15;
    for (const char *c : consonants) {
        for (int v = (entry == 15 ? 1 : 0); v < 14; ++v, ++entry)
            QCOMPARE(QString::fromLatin1(kNudiKeys[entry].value),
                     QString::fromLatin1(c) + QString::fromLatin1(vowels[v]));
    }
    QCOMPARE(entry, 462);

    QCOMPARE(kNudiReorderCount, 39);
    QByteArray expectedReorder;
    for (int b = 0xCC; b <= 0xEE; ++b)
        expectedReorder.append(char(b));
    expectedReorder.append("\xF0\xF8\xF6\xF7");
    QCOMPARE(reorder, expectedReorder);
    QCOMPARE(kNudiReorder[35].value, "r");
    QCOMPARE(kNudiReorder[37].value, "32");
}

void TestNudiToAnsi::words_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("roman");
    QTest::addColumn<QString>("unicode");
    const auto row = [](const char *name, const char *hex, const QString &roman,
                        const char *unicode) {
        QTest::newRow(name) << hexBytes(hex) << roman << QString::fromLatin1(unicode);
    };
    // One or more entries of every group.
    row("M", "41", "M", "0C82");
    row("a", "43", "a", "0C85");
    row("ii", "46", "ii", "0C88");
    row("Ru", "49", "Ru", "0C8B");
    row("ou", "4F", "ou", "0C94");
    row("ka", "50 C0", "ka", "0C95");
    row("kii", "51 C3", "kii", "0C95 0CC0");
    row("kRu", "50 C0 C8", "kRu", "0C95 0CC3");
    row("kO longest", "50 C9 C6 C3", "kO", "0C95 0CCB");
    row("kou", "50 CB", "kou", "0C95 0CCC");
    row("k bare", "50 EF", "k", "0C95 0CCD");
    row("K", "53 EF", "K", "0C96 0CCD");
    row("Ku", "52 C4", "Ku", "0C96 0CC1");
    row("gai", "55 C9 CA", "gai", "0C97 0CC8");
    row("Gii", "58 C3", "Gii", "0C98 0CC0");
    row("ci", "61", "ci", "0C9A 0CBF");
    row("CA", "62 C1", "CA", "0C9B 0CBE");
    row("ja", "64", "ja", "0C9C");
    row("J", "67 C0 68 69 EF", "J", "0C9D 0CCD");
    row("Ja", "67 C0 68 C4", "Ja", "0C9D");
    row("Ti", "6E", "Ti", "0C9F 0CBF");
    row("The", "6F C9", "The", "0CA0 0CC6");
    row("DA", "71 C1", "DA", "0CA1 0CBE");
    row("Dhi", "72 FC", "Dhi", "0CA2 0CBF");
    row("Ni", "74 C2", "Ni", "0CA3 0CBF");
    row("tii", "77 C3", "tii", "0CA4 0CC0");
    row("thU", "78 C0 C6", "thU", "0CA5 0CC2");
    row("di", "A2", "di", "0CA6 0CBF");
    row("dha", "7A 73 C0", "dha", "0CA7");
    row("na", "A3 C0", "na", "0CA8");
    row("pu", "A5 C0 C4", "pu", "0CAA 0CC1");
    row("pu second key", "A5 C0 C5", "pu", "0CAA 0CC1");
    row("pU second key", "A5 C0 C7", "pU", "0CAA 0CC2");
    row("Pu", "A5 73 C0 C4", "Pu", "0CAB 0CC1");
    row("Pu second key", "A5 73 C0 C5", "Pu", "0CAB 0CC1");
    row("PU second key", "A5 73 C0 C7", "PU", "0CAB 0CC2");
    row("ba", "A7", "ba", "0CAC");
    row("Bo", "A8 73 C9 C6", "Bo", "0CAD 0CCA");
    row("ma", "AA C0 C4", "ma", "0CAE");
    row("m", "AA C0 69 EF", "m", "0CAE 0CCD");
    row("ya", "41 69 C0 C4", "ya", "0CAF");
    row("ra", "67 C0", "ra", "0CB0");
    row("ri", "6A", "ri", "0CB0 0CBF");
    row("la", "AE", "la", "0CB2");
    row("va", "AA C0", "va", "0CB5");
    row("vu", "AA C0 C5", "vu", "0CB5 0CC1");
    row("Si", "B2", "Si", "0CB6 0CBF");
    row("Sha", "B5 C0", "Sha", "0CB7");
    row("sE", "B8 C9 C3", "sE", "0CB8 0CC7");
    row("hu", "BA C0 C4", "hu", "0CB9 0CC1");
    row("Lou", "BC CB", "Lou", "0CB3 0CCC");
    // The odd entries, as printed.
    row("BO six bytes", "A8 73 73 C9 C6 C3", "BO", "0CAD 0CCB");
    row("BO five bytes is Bo and a byte", "A8 73 C9 C6 C3", QStringLiteral("Bo\u00C3"),
        "0CAD 0CCA 00C3");
    row("Bii", "A7 FC C3", "Bii", "0CAD 0CC0");
    row("yO six bytes", "41 69 C9 C6 C3 69", "yO", "0CAF 0CCB");
    row("yO without 69", "41 69 C9 C6 C3", QStringLiteral("yo\u00C3"), "0CAF 0CCA 00C3");
    row("you", "41 C0 69 CB", "you", "0CAF 0CCC");
    row("vo", "AA C9 C7", "vo", "0CB5 0CCA");
    // Prefixes.
    row("kSha", "50 EB C0", "kSha", "0C95 0CCD 0CB7");
    row("kShe", "50 EB C9", "kShe", "0C95 0CCD 0CB7 0CC6");
    row("kShana", "50 EB C0 A3 C0", "kShana", "0C95 0CCD 0CB7 0CA8");
    // Copied bytes.
    row("digit", "35 50 C0", "5ka", "0035 0C95");
    row("unmatched high byte", "FF", QStringLiteral("\u00FF"), "00FF");
    row("50 alone", "50", "P", "0CAB 0CCD");
    row("50 EB 41", "50 EB 41", "ShPM", "0CB7 0CCD 0CAB 0CCD 0C82");
    // Subjoined consonants go before the whole vowel, also when there are two.
    row("y before ii", "51 C3 E5", "kyii", "0C95 0CCD 0CAF 0CC0");
    row("two before A", "50 C1 E5 E6", "kyrA", "0C95 0CCD 0CAF 0CCD 0CB0 0CBE");
    row("y before ai", "50 C9 CA E5", "kyai", "0C95 0CCD 0CAF 0CC8");
    row("y before ou", "50 CB E5", "kyou", "0C95 0CCD 0CAF 0CCC");
    row("strii", "B9 C3 DB E6", "strii", "0CB8 0CCD 0CA4 0CCD 0CB0 0CC0");
    row("prou", "A5 CB E6", "prou", "0CAA 0CCD 0CB0 0CCC");
    row("saMskRuta", "B8 C0 41 B8 C0 C8 CC 76 C0", "saMskRuta",
        "0CB8 0C82 0CB8 0CCD 0C95 0CC3 0CA4");
    row("R form", "50 C0 F8", "kRa", "0C95 0CCD 0CB0");
    row("second r form", "50 C0 E7", "kra", "0C95 0CCD 0CB0");
    row("Z form", "50 C0 D0", "kZa", "0C95 0CCD 0C99");
    row("F6 as printed", "50 C0 F6", "k32a", "0C95 0CCD 0033 0032 0C85");
    row("F7 as printed", "50 C0 F7", "k9a", "0C95 0CCD 0039 0C85");
    // The reph goes before the whole syllable.
    row("reph after match", "50 C0 F0", "rka", "0CB0 0CCD 0C95");
    row("reph after kii", "51 C3 F0", "rkii", "0CB0 0CCD 0C95 0CC0");
    row("reph after copied byte", "35 F0", "5r", "0035 0CB0 0CCD");
    row("reph after subjoined", "B8 C1 AA C0 C4 78 C0 E5 F0", "sAmarthya",
        "0CB8 0CBE 0CAE 0CB0 0CCD 0CA5 0CCD 0CAF");
    row("reph before subjoined", "78 C0 F0 E5", "rthya", "0CB0 0CCD 0CA5 0CCD 0CAF");
    row("karnATaka", "50 C0 A3 C1 F0 6C 50 C0", "karnATaka", "0C95 0CB0 0CCD 0CA8 0CBE 0C9F 0C95");
    // At a word start nothing precedes a subjoined form; the reph is written as it is.
    row("subjoined at start", "E5 50 C0", "ka", "0C95");
    row("reph alone", "F0", "r", "0CB0 0CCD");
    row("reph at start", "F0 50 C0", "rka", "0CB0 0CCD 0C95");
}

void TestNudiToAnsi::words()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, roman);
    QFETCH(QString, unicode);
    NudiToAnsi nudi;
    QCOMPARE(nudi.processNudiLine(bytes), roman);
    QCOMPARE(codePoints(AnsiToUnicode().unicodeForAnsi(roman)), unicode);
}

void TestNudiToAnsi::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("roman");
    QTest::newRow("empty") << QString() << QStringLiteral("\n");
    QTest::newRow("one word") << glyphs("50 C0") << QStringLiteral("ka\n");
    QTest::newRow("final line break") << glyphs("50 C0 0A") << QStringLiteral("ka\n\n");
    QTest::newRow("two blanks") << glyphs("50 C0 20 20 51") << QStringLiteral("ka  ki\n");
    QTest::newRow("CR stays") << glyphs("50 C0 0D 0A 51") << QStringLiteral("ka\r\nki\n");
    QTest::newRow("tab is no separator") << glyphs("50 C0 09 51") << QStringLiteral("ka\tki\n");
    QTest::newRow("reph starts next word") << glyphs("50 C0 20 F0") << QStringLiteral("ka r\n");
    QTest::newRow("subjoined starts next word") << glyphs("50 C0 20 E5") << QStringLiteral("ka \n");
    QTest::newRow("above U+00FF copied") << glyphs("50 C0") + QChar(0x0C95) + glyphs("51 20") +
            QChar(0x201C) << QStringLiteral("ka\u0C95ki \u201C\n");
}

void TestNudiToAnsi::text()
{
    QFETCH(QString, text);
    QFETCH(QString, roman);
    NudiToAnsi nudi;
    QCOMPARE(nudi.processNudiText(text), roman);
    QCOMPARE(nudi.ansiString(), roman);
    // The same object gives the same result again.
    QCOMPARE(nudi.processNudiText(text), roman);
}

void TestNudiToAnsi::wordsDoNotShareState()
{
    NudiToAnsi nudi;
    QCOMPARE(nudi.processNudiLine(hexBytes("50 C0")), QStringLiteral("ka"));
    QCOMPARE(nudi.processNudiLine(hexBytes("F0")), QStringLiteral("r"));
    QCOMPARE(nudi.processNudiLine(hexBytes("35")), QStringLiteral("5"));
    QCOMPARE(nudi.processNudiLine(hexBytes("F0 50 C0")), QStringLiteral("rka"));
    QCOMPARE(nudi.processNudiLine(QByteArray()), QString());
}

void TestNudiToAnsi::findChar_data()
{
    QTest::addColumn<QByteArray>("run");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("no key") << hexBytes("50") << 0;
    QTest::newRow("prefix is no key") << hexBytes("50 EB C0") << 0;
    QTest::newRow("longest of several") << hexBytes("50 C9 C6 C3 41 42") << 4;
    QTest::newRow("six bytes") << hexBytes("41 69 C9 C6 C3 69") << 6;
    QTest::newRow("only six are looked at") << hexBytes("41 69 C9 C6 C3 69 41") << 6;
    QTest::newRow("bare k") << hexBytes("50 EF 41") << 2;
    QTest::newRow("reordering byte") << hexBytes("F0") << 0;
}

void TestNudiToAnsi::findChar()
{
    QFETCH(QByteArray, run);
    QFETCH(int, length);
    QCOMPARE(NudiToAnsi().findChar(run), length);
}

// The file converter reads lines whole (line break included) and writes bytes back.
void TestNudiToAnsi::file()
{
    ZuvoTest::TempEnv env;
    QVERIFY(env.isValid());
    QVERIFY(
        env.writeFile(QStringLiteral("nudi-input.txt"), hexBytes("50 C0 20 51 0A F0 50 C0 FF")));
    NudiToAnsi().processNudiFile();
    QCOMPARE(env.readFile(QStringLiteral("nudi-output.txt")), QByteArray("ka ki\nrka\xFF"));
}

QTEST_GUILESS_MAIN(TestNudiToAnsi)
#include "tst_nuditoansi.moc"
