#include "rtfimporter.h"
#include "testenv.h"

#include <QtTest/QtTest>

namespace {

QString extract(const ZuvoTest::TempEnv &env, const QByteArray &rtf)
{
    const QString name = QStringLiteral("text.nudi");
    if (!env.writeFile(name, rtf))
        return QStringLiteral("(not written)");
    RtfImporter importer(env.filePath(name), nullptr);
    if (importer.parseRtf() != 0)
        return QStringLiteral("(non-zero result)");
    return importer.plainText();
}

} // namespace

class TestRtfImporter : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void unreadable_data();
    void unreadable();
    void secondParseAppends();
};

void TestRtfImporter::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, const QByteArray &rtf, const QString &text) {
        QTest::newRow(name) << rtf << text;
    };
    row("empty file", QByteArray(), QString());
    row("par", "{\\rtf1 ab\\par cd}", QStringLiteral("ab\r\ncd"));
    row("text before the first control word", "{ab\\rtf1 cd}", QStringLiteral("cd"));
    row("text outside groups", "xy{\\rtf1 a}zz", QStringLiteral("a"));
    row("raw high bytes", "{\\rtf1 P\xC0}", QStringLiteral("P\u00C0"));

    // Line breaks of the file are no text; "par" takes a blank, CR or LF only.
    row("par then CR LF", "{\\rtf1 a\\par\r\nb}", QStringLiteral("a\r\nb"));
    row("raw line breaks", "{\\rtf1 a\r\nb\rc\nd}", QStringLiteral("abcd"));
    row("par puts a brace back", "{\\rtf1 a\\par}b", QStringLiteral("a\r\n"));
    row("par puts an escape back", "{\\rtf1 a\\par\\'c0}", QStringLiteral("a\r\n\u00C0"));
    row("line", "{\\rtf1 c\\line d}", QStringLiteral("c\r\nd"));
    row("line in a skipped destination", "{\\rtf1 {\\info a\\line b}c}", QStringLiteral("c"));

    // Hex escapes.
    row("hex", "{\\rtf1 \\'c0\\'C1\\'50}", QStringLiteral("\u00C0\u00C1P"));
    row("invalid hex digit ends the escape", "{\\rtf1 a\\'zzb}", QStringLiteral("azzb"));
    row("half a hex escape", "{\\rtf1 a\\'4}b", QStringLiteral("a"));
    row("hex at the end", "{\\rtf1 a\\'", QStringLiteral("a"));
    row("hex in a skipped destination", "{\\rtf1 {\\fonttbl\\'c0 x}y}", QStringLiteral("y"));
    row("hex NUL", "{\\rtf1 a\\'00b}", QString::fromLatin1("a\0b", 3));

    // Unicode escapes and their fallback character.
    row("u", "{\\rtf1 \\u3221?x}", QStringLiteral("\u0C95x"));
    row("u with hex fallback", "{\\rtf1 \\u3221\\'3fx}", QStringLiteral("\u0C95x"));
    row("u with blank and fallback", "{\\rtf1 \\u3221 ?x}", QStringLiteral("\u0C95x"));
    row("negative u", "{\\rtf1 \\u-3000?}", QStringLiteral("\uF448"));
    row("u before a brace", "{\\rtf1 {\\u3221}x}", QStringLiteral("\u0C95x"));
    row("u in a skipped destination", "{\\rtf1 {\\fonttbl \\u3221?x}y}", QStringLiteral("y"));

    // Raw data.
    row("bin", "{\\rtf1 a\\bin3 {}\\b}", QStringLiteral("a{}\\b"));
    row("bin without number", "{\\rtf1\\li5 a\\bin b}", QStringLiteral("ab"));
    row("bin0", "{\\rtf1 a\\bin0 {b}}", QStringLiteral("ab"));
    row("negative bin counts its digits", "{\\rtf1 a\\bin-2 {b}c}", QStringLiteral("a{b"));
    row("bin beyond int", "{\\rtf1 a\\bin99999999999 b}", QStringLiteral("ab"));
    row("bin in a picture", "{\\rtf1 {\\pict\\bin2 }{}c}", QStringLiteral("c"));

    // Destinations.
    row("star unknown destination", "{\\rtf1 {\\*\\foo text}b}", QStringLiteral("b"));
    row("unknown group", "{\\rtf1 {\\foo text}b}", QStringLiteral("textb"));
    row("star known destination", "{\\rtf1 {\\*\\fonttbl x}b}", QStringLiteral("b"));
    row("star then known word", "{\\rtf1 {\\*\\b x}y}", QStringLiteral("xy"));
    row("header destinations",
        "{\\rtf1{\\fonttbl{\\f0 Nudi;}}{\\colortbl;\\red0;}{\\stylesheet{\\s0 Normal;}}"
        "{\\info{\\title T}{\\author A}}{\\header H}{\\footer F}{\\footnote N}{\\pict 0a}body}",
        QStringLiteral("body"));

    // Characters of control words and symbols.
    row("symbols", "{\\rtf1 \\{\\}\\\\\\tab\\zwj\\zwnj\\ldblquote\\rdblquote\\lquote\\ltrmark}",
        QStringLiteral("{}\\\t\u200D\u200C\u201C\"\u2018\u200E"));

    // Damaged files keep the text read so far.
    row("long control word", "{\\rtf1 \\" + QByteArray(40, 'a') + " x}", QStringLiteral("x"));
    row("long number", "{\\rtf1 \\li123456789012345678901234 x}", QStringLiteral("x"));
    row("long word beginning with par", "{\\rtf1 a\\par" + QByteArray(40, 'x') + " b}",
        QStringLiteral("ab"));
    row("group end without group", "{\\rtf1 ab}}{\\rtf1 cd}", QStringLiteral("ab"));
    row("end inside a control word", "{\\rtf1 ab\\par", QStringLiteral("ab"));
    row("group left open", "{\\rtf1 ab{\\b cd", QStringLiteral("abcd"));
    row("deep nesting", "{\\rtf1 a" + QByteArray(5000, '{') + "b" + QByteArray(5000, '}') + "}",
        QStringLiteral("a"));
}

void TestRtfImporter::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    ZuvoTest::TempEnv env;
    QVERIFY(env.isValid());
    QCOMPARE(extract(env, rtf), text);
}

void TestRtfImporter::unreadable_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("no name") << QString();
    QTest::newRow("missing") << QStringLiteral("missing/file.nudi");
    QTest::newRow("folder") << QStringLiteral(".");
    QTest::newRow("endless device") << QStringLiteral("/dev/zero");
}

void TestRtfImporter::unreadable()
{
    QFETCH(QString, path);
    ZuvoTest::TempEnv env;
    RtfImporter importer(path, nullptr);
    QCOMPARE(importer.parseRtf(), 0);
    QCOMPARE(importer.plainText(), QString());
}

void TestRtfImporter::secondParseAppends()
{
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.nudi"), "{\\rtf1 ab}"));
    RtfImporter importer(env.filePath(QStringLiteral("a.nudi")), nullptr);
    QCOMPARE(importer.plainText(), QString());
    importer.parseRtf();
    importer.parseRtf();
    QCOMPARE(importer.plainText(), QStringLiteral("abab"));
}

QTEST_GUILESS_MAIN(TestRtfImporter)
#include "tst_rtfimporter.moc"
