// Interoperation with a real office suite: RTF it made (committed fixtures,
// see fixtures/make-fixtures.sh) reads into the same text as its own
// text export, and RTF our writer makes converts in it to the same text and
// comes back with its formats.
#include "testenv.h"
#include "tst_rtfsupport.h"
#include "writer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest/QtTest>

using RtfTest::dump;
using RtfTest::words;

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(ZUVO_RTF_FIXTURES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// List markers: in RTF they are symbol-font glyphs (private-use U+F0xx), in
// the suite's text export Unicode bullets. Neither is document text.
QString withoutMarkers(QString text)
{
    static const QRegularExpression markers(
        QStringLiteral("[\\x{F000}-\\x{F0FF}\\x{2022}\\x{25E6}\\x{25AA}]"));
    return words(text.remove(markers));
}

// Converts a file with the office suite into outDir; the path of the result,
// or empty with the reason in error.
QString convert(const QString &soffice, const QString &profile, const QString &input,
                const QString &filter, const QString &outDir, const QString &suffix, QString *error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        soffice,
        { QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
          QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
          QStringLiteral("--outdir"), outDir, input });
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        *error = QStringLiteral("conversion did not finish");
        return QString();
    }
    const QString result = outDir + QLatin1Char('/') + QFileInfo(input).completeBaseName() + suffix;
    if (!QFile::exists(result))
        *error = QString::fromLocal8Bit(process.readAll());
    return QFile::exists(result) ? result : QString();
}

// Everything the suite must keep of ours: Kannada, bold, italic, underline,
// the alignments and indent levels.
void fillDocument(QTextDocument &doc)
{
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("ಕನ್ನಡ ನಾಡು ನುಡಿ ಶ್ರೀ ಕ್ಷೇತ್ರ ೧೨೩"));
    QTextBlockFormat block;
    c.insertBlock(block);
    const auto run = [&c](const QString &text, bool bold, bool italic, bool underline) {
        QTextCharFormat f;
        if (bold)
            f.setFontWeight(QFont::Bold);
        f.setFontItalic(italic);
        f.setFontUnderline(underline);
        c.insertText(text, f);
    };
    run(QStringLiteral("plain "), false, false, false);
    run(QStringLiteral("ದಪ್ಪ"), true, false, false);
    run(QStringLiteral(" mid "), false, false, false);
    run(QStringLiteral("italic"), false, true, false);
    run(QStringLiteral(" and "), false, false, false);
    run(QStringLiteral("under"), false, false, true);
    run(QStringLiteral(" é€ end"), false, false, false);
    for (const Qt::Alignment a : std::initializer_list<Qt::Alignment> {
             Qt::AlignHCenter, Qt::AlignRight | Qt::AlignAbsolute, Qt::AlignJustify }) {
        QTextBlockFormat f;
        f.setAlignment(a);
        c.insertBlock(f);
        c.insertText(QStringLiteral("aligned text"));
    }
    for (int level = 1; level <= 3; ++level) {
        QTextBlockFormat f;
        f.setIndent(level);
        c.insertBlock(f);
        c.insertText(QStringLiteral("level %1").arg(level));
    }
}

// Our picture of a document, without what a suite may add on its own: an
// explicit left alignment is the same as none.
QString comparable(const QTextDocument &doc)
{
    return dump(doc).replace(QStringLiteral("ql: "), QString());
}

} // namespace

class TestRtfOffice : public QObject
{
    Q_OBJECT

private slots:
    void suiteFixtures_data();
    void suiteFixtures();
    void suiteLive_data();
    void suiteLive();
    void writtenConverts_data();
    void writtenConverts();
};

void TestRtfOffice::suiteFixtures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // our picture of it, where it matters
    QTest::newRow("Kannada") << QStringLiteral("kannada")
                             << QStringLiteral("ಕನ್ನಡ ನಾಡು ನುಡಿ | ಶ್ರೀ ಕ್ಷೇತ್ರ ಅಕ್ಷರ ೧೨೩೪ | "
                                               "Mixed ಕನ್ನಡ and English.");
    QTest::newRow("bold and italic")
        << QStringLiteral("bolditalic")
        << QStringLiteral("plain {b:bold} {i:italic} {bi:both} end | {b:ದಪ್ಪ} {i:ಓರೆ}");
    // The suite's list indents (720 and 1080 twips) are one level.
    QTest::newRow("lists") << QStringLiteral("list") << QString();
    QTest::newRow("table")
        << QStringLiteral("table")
        << QStringLiteral("Before the table | A1<09>ಬಿ೧<09> | A2<09>B2<09> | After the table");
    QTest::newRow("image") << QStringLiteral("image") << QString();
}

// Our reading of the suite's RTF against the suite's own text of the same
// document.
static void checkSuiteRtf(const QString &name, const QByteArray &rtf, const QString &text,
                          const QString &expected)
{
    QVERIFY(!rtf.isEmpty() && !text.isEmpty());
    QTextDocument doc;
    const RtfTest::ReadResult result = RtfTest::readInto(doc, rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(withoutMarkers(doc.toPlainText()), withoutMarkers(text));
    if (!expected.isEmpty())
        QCOMPARE(dump(doc), expected);
    if (name == QLatin1String("list")) {
        for (QTextBlock b = doc.begin().next(); b.isValid() && b.next().isValid(); b = b.next())
            QCOMPARE(b.blockFormat().indent(), 1);
    }
}

void TestRtfOffice::suiteFixtures()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    checkSuiteRtf(name, fixture(name + QStringLiteral(".rtf")),
                  QString::fromUtf8(fixture(name + QStringLiteral(".txt"))), expected);
}

void TestRtfOffice::suiteLive_data()
{
    suiteFixtures_data();
}

// The same documents through the suite installed now, which may write its RTF
// differently from the one that made the fixtures.
void TestRtfOffice::suiteLive()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    ZuvoTest::TempEnv env;
    QVERIFY(env.isValid());
    const QString profile = env.filePath(QStringLiteral("profile"));
    const QString source =
        QStringLiteral(ZUVO_RTF_FIXTURES "/sources/") + name + QStringLiteral(".fodt");
    QString error;
    const QString rtf = convert(soffice, profile, source, QStringLiteral("rtf"), env.path(),
                                QStringLiteral(".rtf"), &error);
    QVERIFY2(!rtf.isEmpty(), qPrintable(error));
    const QString text =
        convert(soffice, profile, source, QStringLiteral("txt:Text (encoded):UTF8"), env.path(),
                QStringLiteral(".txt"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QFile rtfFile(rtf);
    QFile textFile(text);
    QVERIFY(rtfFile.open(QIODevice::ReadOnly) && textFile.open(QIODevice::ReadOnly));
    checkSuiteRtf(name, rtfFile.readAll(), QString::fromUtf8(textFile.readAll()), expected);
}

void TestRtfOffice::writtenConverts_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("ISO 8859-1") << QByteArray("ISO 8859-1");
    QTest::newRow("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("UTF-16") << QByteArray("UTF-16");
}

void TestRtfOffice::writtenConverts()
{
    QFETCH(QByteArray, codec);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    ZuvoTest::TempEnv env;
    QVERIFY(env.isValid());
    const QString profile = env.filePath(QStringLiteral("profile"));

    QTextDocument original;
    fillDocument(original);
    const QString input = env.filePath(QStringLiteral("ours.rtf"));
    {
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        RTF::Writer writer(codec);
        QVERIFY(writer.write(&file, &original, true));
    }

    QString error;
    const QString textOut = env.filePath(QStringLiteral("text"));
    const QString text = convert(soffice, profile, input, QStringLiteral("txt:Text (encoded):UTF8"),
                                 textOut, QStringLiteral(".txt"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QFile textFile(text);
    QVERIFY(textFile.open(QIODevice::ReadOnly));
    QCOMPARE(words(QString::fromUtf8(textFile.readAll())), words(original.toPlainText()));

    // The suite's own RTF of our file carries our formats back.
    const QString rtfOut = env.filePath(QStringLiteral("rtf"));
    const QString rtf = convert(soffice, profile, input, QStringLiteral("rtf"), rtfOut,
                                QStringLiteral(".rtf"), &error);
    QVERIFY2(!rtf.isEmpty(), qPrintable(error));
    QFile rtfFile(rtf);
    QVERIFY(rtfFile.open(QIODevice::ReadOnly));
    const QByteArray suiteRtf = rtfFile.readAll();
    // The suite took our indents as 600 twips a level, not as a few twips.
    for (const char *indent : { "\\li600", "\\li1200", "\\li1800" })
        QVERIFY2(suiteRtf.contains(indent), indent);
    QTextDocument back;
    const RtfTest::ReadResult result = RtfTest::readInto(back, suiteRtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(comparable(back), comparable(original));
}

QTEST_MAIN(TestRtfOffice)
#include "tst_rtfoffice.moc"
