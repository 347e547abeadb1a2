#include "legacytest.h"
#include "nudiimport.h"
#include "testenv.h"

#include <QtTest/QtTest>

using LegacyTest::glyphs;

class TestNudiImport : public QObject
{
    Q_OBJECT
private slots:
    void files_data();
    void files();
    void emptyResults_data();
    void emptyResults();
    void text_data();
    void text();
};

// Whole "nudi" files: glyph bytes as hex escapes and as raw bytes, among the destinations,
// pictures and escapes that word processors write.
void TestNudiImport::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("unicode");
    QTest::newRow("escapes") << QStringLiteral("escapes.nudi")
                             << QString::fromUtf8("ಸಂಸ್ಕೃತ ಕನ್ನಡ\r\n"
                                                  "ಸ್ತ್ರೀ ಸಾಮರ್ಥ್ಯ\r\n"
                                                  "ಕರ್ನಾಟಕ 2024.\r\n\n\n");
    // A NUL byte is dropped and the text after it kept; a picture's raw data is no text.
    QTest::newRow("raw bytes") << QStringLiteral("rawbytes.nudi")
                               << QString::fromUtf8("ಕನ್ನಡ ಕಿ\r\nಕಕಿ\tಕ ಪ್ರೌಢ\n\n");
    // The file's own line breaks do not split words; a reph may begin a word.
    QTest::newRow("wrapped") << QStringLiteral("wrapped.nudi")
                             << QString::fromUtf8("ಕ ರ್ಕಸಂಸ್ಕೃತ\r\n\n\n");
}

void TestNudiImport::files()
{
    QFETCH(QString, file);
    QFETCH(QString, unicode);
    QCOMPARE(importNudiFile(QStringLiteral(LEGACY_FIXTURES "/") + file), unicode);
}

void TestNudiImport::emptyResults_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("header only") << QByteArray(
        "{\\rtf1{\\fonttbl{\\f0 Nudi;}}{\\info{\\title x}}}");
    QTest::newRow("only NUL") << QByteArray("{\\rtf1 \\'00}");
    QTest::newRow("not RTF") << QByteArray("plain words");
}

void TestNudiImport::emptyResults()
{
    QFETCH(QByteArray, rtf);
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.nudi"), rtf));
    QCOMPARE(importNudiFile(env.filePath(QStringLiteral("a.nudi"))), QString());
    QCOMPARE(importNudiFile(env.filePath(QStringLiteral("missing.nudi"))), QString());
}

void TestNudiImport::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unicode");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("NUL joins") << glyphs("50 C0 00 50 C0") << QString::fromUtf8("ಕಕ\n\n");
    QTest::newRow("above U+00FF") << QStringLiteral("\u201C") + glyphs("50 C0")
                                  << QString::fromUtf8("“ಕ\n\n");
    // A million letters without a blank.
    QTest::newRow("long word") << glyphs("50 C0").repeated(500000)
                               << QString::fromUtf8("ಕ").repeated(500000) + QStringLiteral("\n\n");
    QTest::newRow("long cluster") << glyphs("50 EF").repeated(500000)
                                  << QString::fromUtf8("ಕ್").repeated(500000) +
            QStringLiteral("\n\n");
}

void TestNudiImport::text()
{
    QFETCH(QString, text);
    QFETCH(QString, unicode);
    QCOMPARE(nudiTextToUnicode(text), unicode);
}

QTEST_GUILESS_MAIN(TestNudiImport)
#include "tst_nudiimport.moc"
