#include "rtfexporter.h"
#include "testenv.h"
#include "tst_rtfsupport.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest/QtTest>

namespace {

const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033";

// The document's default font is fixed so that the font table is known.
void prepare(QTextDocument &doc)
{
    QFont font(QStringLiteral("Body Font"));
    font.setPointSize(11);
    doc.setDefaultFont(font);
}

QByteArray exported(QTextDocument &doc, const ZuvoTest::TempEnv &env)
{
    const QString name = env.filePath(QStringLiteral("out.rtf"));
    RtfExporter exporter(&doc, name);
    if (!exporter.isSaved())
        return "<not saved>";
    return env.readFile(QStringLiteral("out.rtf"));
}

} // namespace

class TestRtfExporter : public QObject
{
    Q_OBJECT

private slots:
    void emptyDocument();
    void runs_data();
    void runs();
    void fontTable_data();
    void fontTable();
    void readsBack_data();
    void readsBack();
    void unwritableKeepsNothing();
};

void TestRtfExporter::emptyDocument()
{
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    prepare(doc);
    QCOMPARE(exported(doc, env),
             head + "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 Body Font;}}{\\colortbl ;}\\par}");
}

// clang-format off
void TestRtfExporter::runs_data()
{
    QTest::addColumn<QString>("source"); // HTML, or plain text
    QTest::addColumn<QByteArray>("colors");
    QTest::addColumn<QByteArray>("body");

    const QByteArray black = "\\red0\\green0\\blue0;";
    const QByteArray plain = "\\pard\\f0\\cf1\\cb0\\fs22\\rtlch\\ab0\\ai0\\ltrch\\b0\\i0\\ul0";
    const auto row = [](const char *name, const QString &source, const QByteArray &colors,
                        const QByteArray &body) { QTest::newRow(name) << source << colors << body; };
    row("bold then plain", "<p><b>B</b>p</p>", black,
        "\\pard\\f0\\cf1\\cb0\\fs22\\rtlch\\ab\\ai0\\ltrch\\b\\i0\\ul0 B" + plain + " p\\par");
    row("two paragraphs", "<p>a</p><p>b</p>", black, plain + " a\\par" + plain + " b\\par");
    row("12 points", "<p><span style=\"font-size:12pt\">x</span></p>", black,
        "\\pard\\f0\\cf1\\cb0\\fs24\\rtlch\\ab0\\ai0\\ltrch\\b0\\i0\\ul0 x\\par");
    row("pixel size has no fs", "<p><span style=\"font-size:16px\">x</span></p>", black,
        "\\pard\\f0\\cf1\\cb0\\rtlch\\ab0\\ai0\\ltrch\\b0\\i0\\ul0 x\\par");
    row("italic, underline", "<p><i><u>x</u></i></p>", black,
        "\\pard\\f0\\cf1\\cb0\\fs22\\rtlch\\ab0\\ai\\ltrch\\b0\\i\\ul x\\par");
    row("colours, background", "<p><span style=\"color:#ff0000;background-color:#00ff00\">x</span>"
        "<span style=\"background-color:#ff0000\">y</span></p>",
        "\\red255\\green0\\blue0;\\red0\\green255\\blue0;\\red0\\green0\\blue0;",
        "\\pard\\f0\\cf1\\cb2\\fs22\\rtlch\\ab0\\ai0\\ltrch\\b0\\i0\\ul0 x\\pard\\f0\\cf3\\cb1\\fs22\\rtlch\\ab0\\ai0\\ltrch\\b0\\i0\\ul0 y\\par");
    row("braces and backslash", "<p>{x}\\</p>", black, plain + " \\{x\\}\\\\\\par");
    row("Latin-1 range", QString::fromUtf8("é\u00A0ÿ\u0085"), black,
        plain + " \\'E9\\'A0\\'FF\\u133?\\par");
    row("beyond Latin-1", QString::fromUtf8("<p>ಕ€</p>"), black, plain + " \\u3221?\\u8364?\\par");
    row("image placeholder dropped", "<p>a<img src=\"none.png\">b</p>", black,
        plain + " a" + plain + plain + " b\\par");
}
// clang-format on

void TestRtfExporter::runs()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, colors);
    QFETCH(QByteArray, body);
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    prepare(doc);
    RtfTest::makeDocument(doc, source);
    QCOMPARE(exported(doc, env),
             head + "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 Body Font;}}{\\colortbl ;" + colors +
                 "}" + body + "}");
}

// clang-format off
void TestRtfExporter::fontTable_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("plain") << QStringLiteral("Noto Sans Kannada") << QByteArray("Noto Sans Kannada");
    QTest::newRow("semicolon") << QStringLiteral("A;B") << QByteArray("A\\'3BB");
    QTest::newRow("braces") << QStringLiteral("{A}\\") << QByteArray("\\{A\\}\\\\");
    QTest::newRow("non-ASCII") << QString::fromUtf8("Fé ಕ") << QByteArray("F\\'E9 \\u3221?");
}
// clang-format on

void TestRtfExporter::fontTable()
{
    QFETCH(QString, family);
    QFETCH(QByteArray, entry);
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    prepare(doc);
    QTextCursor cursor(&doc);
    QTextCharFormat format;
    format.setFontFamilies({ family });
    cursor.insertText(QStringLiteral("x"), format);
    cursor.insertText(QStringLiteral("y"), format); // the same font is listed once
    const QByteArray out = exported(doc, env);
    QVERIFY2(out.contains("{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 Body Font;}{\\f1\\fnil\\fprq2"
                          "\\fcharset0 " +
                          entry + ";}}"),
             out.constData());
    QVERIFY2(out.contains("\\pard\\f1\\"), out.constData());
}

void TestRtfExporter::readsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Kannada") << QStringLiteral("ಕನ್ನಡ ನುಡಿ ಶ್ರೀ");
    QTest::newRow("Latin-1 and CP1252") << QString::fromUtf8("éü ÿ € “x”");
    QTest::newRow("RTF specials") << QStringLiteral("a\\b{c}d");
}

// The exporter's escapes are ones our own reader understands.
void TestRtfExporter::readsBack()
{
    QFETCH(QString, text);
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    prepare(doc);
    QTextCursor(&doc).insertText(text);
    const QByteArray rtf = exported(doc, env);
    QTextDocument copy;
    const RtfTest::ReadResult result = RtfTest::readInto(copy, rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(copy.toPlainText(), text);
}

void TestRtfExporter::unwritableKeepsNothing()
{
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("text"));
    RtfExporter missingFolder(&doc, env.filePath(QStringLiteral("no/such/folder/out.rtf")));
    QVERIFY(!missingFolder.isSaved());
    QVERIFY(!QFile::exists(env.filePath(QStringLiteral("no/such/folder/out.rtf"))));

    RtfExporter noDocument(nullptr, env.filePath(QStringLiteral("none.rtf")));
    QVERIFY(!noDocument.isSaved());
    QVERIFY(!QFile::exists(env.filePath(QStringLiteral("none.rtf"))));
}

QTEST_MAIN(TestRtfExporter)
#include "tst_rtfexporter.moc"
