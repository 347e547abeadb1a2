#include "ansitounicode.h"
#include "legacytest.h"

#include <QtTest/QtTest>

using LegacyTest::codePoints;

class TestAnsiToUnicode : public QObject
{
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void lines_data();
    void lines();
    void longRuns_data();
    void longRuns();
};

void TestAnsiToUnicode::words_data()
{
    QTest::addColumn<QString>("roman");
    QTest::addColumn<QString>("unicode");
    const auto row = [](const char *roman, const char *unicode) {
        QTest::newRow(*roman ? roman : "empty")
            << QString::fromUtf8(roman) << QString::fromLatin1(unicode);
    };
    row("", "");
    // Worked examples.
    row("ka", "0C95");
    row("kA", "0C95 0CBE");
    row("kSha", "0C95 0CCD 0CB7");
    row("kRu", "0C95 0CC3");
    row("aMma", "0C85 0C82 0CAE");
    row("rAma.", "0CB0 0CBE 0CAE 002E");
    row("ka^^ka", "0C95 0C95");
    // A final consonant keeps its virama; a vowel after a vowel is independent.
    row("k", "0C95 0CCD");
    row("kaai", "0C95 0CBE 0C87");
    row("kAi", "0C95 0CBE 0C87");
    row("iai", "0C87 0C90");
    row("kai", "0C95 0CC8");
    // Non-letters end a letter run and are copied; "^^" separates, except at the start.
    row("ka-i", "0C95 002D 0C87");
    row("kta.", "0C95 0CCD 0CA4 002E");
    row("ka^^i", "0C95 0C87");
    row("ki", "0C95 0CBF");
    row("^^a", "005E 005E 0C85");
    row("12", "0031 0032");
    QTest::newRow("ka CR") << QStringLiteral("ka\r") << QStringLiteral("0C95 000D");
    // Letters without a key are copied with the rest of their cluster.
    row("xt", "0078 0074");
    row("tx", "0CA4 0CCD 0078");
    row("qa", "0071 0C85");
    row("ಕa", "0C95 0C85");
    row("ಕಾ", "0C95 0CBE");
    // R writes RA with a joiner, which a following vowel replaces.
    row("Rka", "0CB0 200D 0C95");
    row("Ri", "0CB0 0CBF");
    row("Ra", "0CB0");
    // After the anusvara, the visarga or a vowel sign a vowel is independent.
    row("Mi", "0C82 0C87");
    row("Ha", "0C83 0C85");
    row("kRua", "0C95 0CC3 0C85");
    row("MRu", "0C82 0C8B");
    row("RRu", "0CB0 200D 0C8B");
    row("Ru", "0C8B");
    // The other vowel keys, independent and as signs.
    row("aa", "0C86");
    row("ee", "0C88");
    row("oo", "0C8A");
    row("uu", "0C8A");
    row("ou", "0C94");
    row("kee", "0C95 0CC0");
    row("koo", "0C95 0CC2");
    row("kuu", "0C95 0CC2");
    row("kI", "0C95 0CC0");
    row("kU", "0C95 0CC2");
    row("ke", "0C95 0CC6");
    row("kE", "0C95 0CC7");
    row("ko", "0C95 0CCA");
    row("kO", "0C95 0CCB");
    row("kou", "0C95 0CCC");
    // Consonant keys of two letters and the alternates.
    row("kha", "0C96");
    row("gha", "0C98");
    row("cha", "0C9A");
    row("jha", "0C9D");
    row("Tha", "0CA0");
    row("Dha", "0CA2");
    row("tha", "0CA5");
    row("dha", "0CA7");
    row("pha", "0CAB");
    row("fa", "0CAA");
    row("Fa", "0CAB");
    row("bha", "0CAD");
    row("Ya", "0CAF");
    row("wa", "0CB5");
    row("sha", "0CB6");
    row("Sa", "0CB6");
    row("Za", "0C99");
    row("za", "0C9E");
    row("La", "0CB3");
    row("Na", "0CA3");
}

void TestAnsiToUnicode::words()
{
    QFETCH(QString, roman);
    QFETCH(QString, unicode);
    AnsiToUnicode converter;
    QCOMPARE(codePoints(converter.unicodeForAnsi(roman)), unicode);
    // Nothing carries over to the next word.
    QCOMPARE(codePoints(converter.unicodeForAnsi(roman)), unicode);
}

void TestAnsiToUnicode::lines_data()
{
    QTest::addColumn<QString>("roman");
    QTest::addColumn<QString>("unicode");
    QTest::newRow("empty") << QString() << QStringLiteral("\n");
    QTest::newRow("final line break") << QStringLiteral("a\n") << QStringLiteral("\u0C85\n\n");
    QTest::newRow("two blanks") << QStringLiteral("ka  ga") << QStringLiteral("\u0C95  \u0C97\n");
    QTest::newRow("CR LF") << QStringLiteral("ka\r\nga") << QStringLiteral("\u0C95\r\n\u0C97\n");
    QTest::newRow("blank at ends") << QStringLiteral(" ka ") << QStringLiteral(" \u0C95 \n");
}

void TestAnsiToUnicode::lines()
{
    QFETCH(QString, roman);
    QFETCH(QString, unicode);
    QCOMPARE(AnsiToUnicode().processAnsiString(roman), unicode);
}

// A long word without a blank converts in one go, as a short one does.
void TestAnsiToUnicode::longRuns_data()
{
    QTest::addColumn<QString>("syllable");
    QTest::addColumn<QString>("unicode");
    QTest::newRow("ka") << QStringLiteral("ka") << QStringLiteral("\u0C95");
    QTest::newRow("consonants") << QStringLiteral("k") << QStringLiteral("\u0C95\u0CCD");
    QTest::newRow("vowels") << QStringLiteral("aa") << QStringLiteral("\u0C86");
    QTest::newRow("copied") << QStringLiteral("x") << QStringLiteral("x");
}

void TestAnsiToUnicode::longRuns()
{
    QFETCH(QString, syllable);
    QFETCH(QString, unicode);
    const int count = 1000000 / int(syllable.size());
    QCOMPARE(AnsiToUnicode().unicodeForAnsi(syllable.repeated(count)), unicode.repeated(count));
}

QTEST_GUILESS_MAIN(TestAnsiToUnicode)
#include "tst_ansitounicode.moc"
