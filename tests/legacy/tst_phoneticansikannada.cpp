#include "legacytest.h"
#include "phoneticansiKannada.h"

#include <QtTest/QtTest>

using LegacyTest::codePoints;

class TestPhoneticAnsiKannada : public QObject
{
    Q_OBJECT
private slots:
    void convert_data();
    void convert();
};

void TestPhoneticAnsiKannada::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unicode");
    const auto row = [](const char *name, const char *text, const char *unicode) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromLatin1(unicode);
    };
    row("empty", "", "");
    row("blanks and punctuation dropped", "ka ga", "0C95 0C97");
    row("unknown letters dropped", "q x!", "");
    row("Kannada passes", "ಕಾ", "0C95 0CBE");
    row("vowel after Kannada", "ಕa", "0C95 0C85");
    row("kaa", "kaa", "0C95 0CBE");
    row("kai", "kai", "0C95 0CC8");
    row("kia", "kia", "0C95 0CBF 0C85");
    row("kaw", "kaw", "0C95 0CCC");
    row("kRu", "kRu", "0C95 0CC3");
    row("independent vowels", "aIeeEooOaw", "0C85 0C88 0C88 0C8F 0C8A 0C93 0C94");
    row("M at the start", "M", "");
    row("aM", "aM", "0C85 0C82");
    row("M after a consonant", "kM", "0C95 0C82");
    row("H after a consonant", "kH", "0C95 0C83");
    row("two-letter consonant", "kha", "0C96");
    row("ch", "ch", "0C9A 0CCD");
    row("digits", "09", "0CE6 0CEF");
    row("joiners", "fF", "200C 200D");
    row("near match", "EXPECTATION",
        "0C8E 0C95 0CCD 0CB8 0CCD 0CAA 0CC6 0C95 0CCD 0C9F 0CC7 0CB6 0CA8 0CCD");
}

void TestPhoneticAnsiKannada::convert()
{
    QFETCH(QString, text);
    QFETCH(QString, unicode);
    QCOMPARE(codePoints(PhoneticANSIKannada().ansiToUnicode(text)), unicode);
}

QTEST_GUILESS_MAIN(TestPhoneticAnsiKannada)
#include "tst_phoneticansikannada.moc"
