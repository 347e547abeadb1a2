#include "rtf/reader.h"
#include "tst_rtfsupport.h"

#include <QBuffer>
#include <QTextDocument>
#include <QtTest/QtTest>

using RtfTest::dump;
using RtfTest::readInto;

namespace {
const QString notSupported = QStringLiteral("Not a supported RTF file.");
const QString endOfFile = QStringLiteral("Unexpectedly reached end of file.");
} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void skippedGroups_data();
    void skippedGroups();
    void deepNesting();
    void nullDevice();
    void secondReadStartsAfresh();
    void oneUndoableEdit();
    void codePage();
    void fontsAndSizes_data();
    void fontsAndSizes();
};

void TestRtfReader::read_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("error");

    const auto row = [](const char *name, const QByteArray &rtf, const QString &expected,
                        const QString &error = QString()) {
        QTest::newRow(name) << rtf << expected << error;
    };

    // Paragraphs and groups.
    row("one paragraph", "{\\rtf1 Hello}", "Hello");
    row("final par adds nothing", "{\\rtf1 a\\par b\\par}", "a | b");
    row("empty paragraphs", "{\\rtf1 a\\par\\par b}", "a |  | b");
    row("backslash line ends", "{\\rtf1 a\\\nb\\\rc}", "a | b | c");
    row("text after the document", "{\\rtf1 a}b", "a");
    row("unbalanced end", "{\\rtf1{\\b a}", "{b:a}");
    row("group restores format", "{\\rtf1{\\b bold}plain}", "{b:bold}plain");
    row("cells stay apart",
        "{\\rtf1\\trowd\\cellx10\\cellx20 \\intbl A\\cell B\\cell\\row "
        "\\intbl C\\cell D\\cell\\row after\\par}",
        "A<09>B<09> | C<09>D<09> | after");

    // Nested tables: their cells stay apart, their rows are paragraphs, and
    // the text offered to readers without nested tables stays out.
    row("nested cells",
        "{\\rtf1\\intbl Coronararterie\\cell\\itap2 Calcium\\nestcell Score\\nestcell"
        "{\\*\\nesttableprops\\trowd\\cellx1\\cellx2\\nestrow}{\\nonesttables\\par}\\itap1\\cell"
        "\\row after\\par}",
        "Coronararterie<09>Calcium<09>Score<09> | <09> | after");
    row("nested row unstarred", "{\\rtf1 A\\nestcell B\\nestcell\\nestrow C}", "A<09>B<09> | C");

    // Breaks end the paragraph; right after a paragraph end they add none.
    row("section, page and column breaks", "{\\rtf1 one\\sect two\\page three\\column four}",
        "one | two | three | four");
    row("break after a paragraph end", "{\\rtf1 a\\par\\sect\\page b\\par\\column}", "a | b");

    // Fields show their result, never their instruction.
    row("field instruction",
        "{\\rtf1 A{\\field{\\fldinst HYPERLINK \"http://x.org\"}{\\fldrslt link}}B}", "AlinkB");
    row("starred field instruction", "{\\rtf1 A{\\field{\\*\\fldinst PAGE}{\\fldrslt 2}}B}", "A2B");
    row("field without result", "{\\rtf1 A{\\field{\\fldinst PAGE}}B}", "AB");
    row("phonetic guide",
        "{\\rtf1 x{\\field{\\*\\fldinst EQ \\\\* jc2 \\\\o\\\\al(\\\\s\\\\up 9(kan),K)}{\\fldrslt "
        "}}y}",
        "xK(kan)y");
    row("phonetic guide, Unicode",
        "{\\rtf1 x{\\field{\\*\\fldinst {EQ \\\\o\\\\al(\\\\s\\\\up "
        "11(\\u12363\\'3f),\\u28450\\'3f)}}{\\fldrslt {}}}y}",
        QStringLiteral("x漢(か)y"));
    row("equation with a result",
        "{\\rtf1 {\\field{\\fldinst EQ \\\\o\\\\al(\\\\s\\\\up 9(r),b)}{\\fldrslt shown}}}",
        "shown");
    row("other equation", "{\\rtf1 a{\\field{\\fldinst EQ \\\\f(1,2)}{\\fldrslt }}b}", "ab");

    // Notes: the number at the citation, the text at the end.
    row("footnote",
        "{\\rtf1 word{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} body}next\\par end}",
        "word{^:1}next | end | {^:1} body");
    row("endnote and footnote numbering",
        "{\\rtf1\\aftnnrlc a\\chftn{\\*\\footnote\\ftnalt\\chftn x}b\\chftn{\\footnote\\chftn y}c}",
        "aib1c | i x | 1 y");
    row("note numbers: symbols from two",
        "{\\rtf1\\ftnnchi\\ftnstart2 a\\chftn{\\footnote\\chftn n}}", "a<2020> | <2020> n");
    row("note numbers: letters beyond reason",
        "{\\rtf1\\ftnnalc\\ftnstart2147483647 a\\chftn{\\footnote\\chftn n}}",
        "a100000 | 100000 n");
    row("note without a mark", "{\\rtf1 a{\\footnote text}b}", "ab | text");
    row("mark without a note", "{\\rtf1 a\\chftn b}", "ab");
    row("note inside a note", "{\\rtf1 a{\\footnote b{\\footnote c}d}e}", "ae | bd");
    row("two paragraphs of notes", "{\\rtf1 a{\\footnote b\\par c}{\\footnote d}}",
        "a | b | c | d");
    row("note cut off", "{\\rtf1 a{\\footnote b\\bin9 xx", "a | b", endOfFile);
    row("empty note", "{\\rtf1 a{\\footnote }b}", "ab");

    // Character formats.
    row("bold off", "{\\rtf1\\b0 x}", "x");
    row("each format", "{\\rtf1{\\b b}{\\i i}{\\ul u}{\\strike s}{\\super p}{\\sub q}}",
        "{b:b}{i:i}{u:u}{s:s}{^:p}{_:q}");
    row("underline kinds", "{\\rtf1{\\uldb a}{\\ulwave b}{\\ul\\ulnone c}{\\ulnone1 d}}",
        "{u:ab}c{u:d}");
    row("switched off", "{\\rtf1\\b\\i\\ul\\strike x\\b0\\i0\\ul0\\strike0 y}", "{bius:x}y");
    row("plain resets", "{\\rtf1\\b\\i x\\plain y}", "{bi:x}y");
    row("nosupersub", "{\\rtf1\\super x\\nosupersub y}", "{^:x}y");
    row("vertical nonsense is normal", "{\\rtf1\\super9 x}", "x");

    // Paragraph formats.
    row("right to left", "{\\rtf1\\rtlpar x}", "rtl ql!: x");
    row("right to left centred", "{\\rtf1\\rtlpar\\qc x}", "rtl qc: x");
    row("alignments", "{\\rtf1\\qc c\\par\\qr r\\par\\qj j\\par\\pard l}",
        "qc: c | qr!: r | qj: j | l");
    row("pard resets indent", "{\\rtf1\\li1200 a\\par\\pard b}", "li2: a | b");
    row("indent in twips", "{\\rtf1\\li720 x}", "li1: x");
    row("office list indent", "{\\rtf1\\li709 x}", "li1: x");
    row("indent levels", "{\\rtf1\\li600 a\\par\\li3000 b\\par\\li2999 c}",
        "li1: a | li5: b | li4: c");
    row("old indent", "{\\rtf1\\li30 a\\par\\li150 b\\par\\li15 c}", "li2: a | li10: b | li1: c");
    row("small, not old", "{\\rtf1\\li140 a\\par\\li165 b}", "a | b");
    row("negative indent", "{\\rtf1\\li-720 a\\par\\li-30 b}", "a | b");

    // Symbols, Unicode and code pages.
    row("symbols", "{\\rtf1\\\\\\_\\{\\|\\}\\~\\-\\bullet\\emdash\\emspace\\endash\\enspace}",
        "\\<2011>{<b7>}<a0><ad><2022><2014><2003><2013><2002>");
    row("more symbols",
        "{\\rtf1\\ldblquote\\lquote\\line\\ltrmark\\qmspace\\rdblquote\\rquote\\rtlmark\\tab"
        "\\zwj\\zwnj}",
        "<201c><2018><2028><200e><2004><201d><2019><200f><09><200d><200c>");
    row("parameter overrides symbol", "{\\rtf1\\tab65 x}", "Ax");
    row("ansicpg", "{\\rtf1\\ansi\\ansicpg1251 \\'c0}", QString(QChar(0x410)));
    row("unknown ansicpg keeps code page", "{\\rtf1\\ansicpg1251\\ansicpg99999 \\'c0}",
        QString(QChar(0x410)));
    row("cp1252 by default", "{\\rtf1 \\'80\\'e9}", QStringLiteral("<20ac>é"));
    row("950 is Big5", "{\\rtf1\\ansicpg950 \\'a4\\'a4}", QString(QChar(0x4E2D)));
    row("65001 is UTF-8", "{\\rtf1\\ansicpg65001 \\'e0\\'b2\\'95\\'c3\\'a9}", QStringLiteral("ಕé"));
    row("Windows number only", "{\\rtf1\\ansicpg20866 \\'e1}", QString(QChar(0x410)));
    row("mac", "{\\rtf1\\mac \\'8e}", QStringLiteral("é"));
    row("pca", "{\\rtf1\\pca \\'82}", QStringLiteral("é"));
    row("UTF-16 is no code page", "{\\rtf1\\ansicpg1200 ab}", "ab");
    row("Shift-JIS across escapes", "{\\rtf1\\ansicpg932 \\'82\\'a0}", QString(QChar(0x3042)));
    row("Shift-JIS lead escape, trail text", "{\\rtf1\\ansicpg932 \\'83A}", QString(QChar(0x30A2)));
    row("font table name stays out",
        "{\\rtf1{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72;}}\\f0 \\'82\\'a0}",
        QString(QChar(0x3042)));
    row("default font code page", "{\\rtf1\\deff0{\\fonttbl{\\f0\\fcharset204 Name;}}\\'c0}",
        QString(QChar(0x410)));
    row("cpg before fcharset", "{\\rtf1{\\fonttbl{\\f1\\cpg1253\\fcharset204 N;}}\\f1 \\'c1}",
        QString(QChar(0x391)));
    row("font switch",
        "{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset161 G;}}"
        "\\f0 \\'e1\\f1 \\'e1{\\f0 \\'e1}\\'e1}",
        QStringLiteral("á") + QChar(0x3B1) + QStringLiteral("á") + QChar(0x3B1));
    row("hostile font numbers",
        "{\\rtf1{\\fonttbl{\\f2147483647\\fcharset204 X;}{\\f-1\\fcharset128 Y;}"
        "{\\f99999999999\\fcharset0 Z;}}\\f2147483647 \\'c0\\f-1 \\'82\\'a0\\f-2147483647 x}",
        QString(QChar(0x410)) + QChar(0x3042) + QStringLiteral("x"));
    row("unicode, one fallback", "{\\rtf1\\uc1\\u21487?x}", QString(QChar(0x53EF)) + "x");
    row("unicode, no fallback", "{\\rtf1\\uc0\\u21487?x}", QString(QChar(0x53EF)) + "?x");
    row("unicode, fallback is an escape", "{\\rtf1\\u21487\\'82\\'a0x}",
        QString(QChar(0x53EF)) + "<a0>x");
    row("unicode, two fallback", "{\\rtf1\\uc2\\u21487\\'82\\'a0x}", QString(QChar(0x53EF)) + "x");
    row("unicode, fallback cut by group", "{\\rtf1\\uc3\\u21487?{\\b x}}",
        QString(QChar(0x53EF)) + "{b:x}");
    row("unicode, long fallback text", "{\\rtf1\\uc2\\u21487abcd}", QString(QChar(0x53EF)) + "cd");
    row("unicode negative", "{\\rtf1\\u-3913 ?}", "<f0b7>");
    row("surrogate pair signed", "{\\rtf1\\u-10179?\\u-8704?}", "<d83d><de00>");
    row("surrogate pair unsigned", "{\\rtf1\\u55357?\\u56832?}", "<d83d><de00>");
    row("code 0 inserts nothing", "{\\rtf1 a\\u0?b\\'00c\\tab0 d}", "abcd");
    row("raw nul inserts nothing", QByteArray("{\\rtf1 a\0b}", 11), "ab");
    row("bin payload is not text", "{\\rtf1 a\\bin4 {}\\zb}", "ab");

    // Headers: version 1, none and 0 (libraries and older Mac writers).
    row("rtf1", "{\\rtf1 x}", "x");
    row("rtf without number", "{\\rtf\\ansi\\deff0 x}", "x");
    row("rtf0", "{\\rtf0\\ansi x}", "x");
    row("rtf0 mac", "{\\rtf0 \\mac \\'8e}", QStringLiteral("é"));

    // A "\\*" that opens no group is no destination mark.
    row("star inside a link result",
        "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt \\*\\cs13\\ul link}}}",
        "{u:link}");
    row("star before text", "{\\rtf1 a\\*b}", "ab");
    row("star still skips an unknown destination", "{\\rtf1 a{\\*\\unknown b}c}", "ac");
    // A character given in Unicode beside its ANSI form reads the Unicode one.
    row("upr reads ud", "{\\rtf1 a{\\upr{G}{\\*\\ud{\\u915?}}}b}", QStringLiteral("aΓb"));

    // Mac code pages and character sets, by the nearest codec there is.
    row("mac japanese", "{\\rtf1\\mac\\ansicpg10001{\\fonttbl\\f0\\fcharset128 X;}\\f0\\'83\\'56}",
        QStringLiteral("シ"));
    row("mac japanese charset",
        "{\\rtf1\\mac\\ansicpg10001{\\fonttbl\\f0\\fcharset78 X;}\\f0\\'83\\'56}",
        QStringLiteral("シ"));
    row("mac japanese code page", "{\\rtf1\\mac\\ansicpg10001 \\'83\\'56}", QStringLiteral("シ"));
    row("mac roman 10000", "{\\rtf1\\ansicpg10000 \\'8e}", QStringLiteral("é"));
    row("mac traditional chinese 10002", "{\\rtf1\\ansicpg10002 \\'a4\\'a4}", QStringLiteral("中"));
    row("mac korean 10003", "{\\rtf1\\ansicpg10003 \\'c7\\'d1}", QStringLiteral("한"));
    row("mac arabic 10004", "{\\rtf1\\ansicpg10004 \\'c7}", QStringLiteral("ا"));
    row("mac hebrew 10005", "{\\rtf1\\ansicpg10005 \\'e0}", QStringLiteral("א"));
    row("mac greek 10006", "{\\rtf1\\ansicpg10006 \\'a1}", QStringLiteral("Γ"));
    row("mac cyrillic 10007", "{\\rtf1\\ansicpg10007 \\'80}", QStringLiteral("А"));
    row("mac simplified chinese 10008", "{\\rtf1\\ansicpg10008 \\'d6\\'d0}", QStringLiteral("中"));
    row("mac central european 10029", "{\\rtf1\\ansicpg10029 \\'88}", QStringLiteral("ą"));
    row("mac icelandic 10079", "{\\rtf1\\ansicpg10079 \\'df\\'dd\\'a0\\'8e}",
        QStringLiteral("þðÝé"));
    row("mac turkish 10081", "{\\rtf1\\ansicpg10081 \\'da}", QStringLiteral("Ğ"));
    row("mac greek charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset85 G;}}\\f1 \\'a1}",
        QStringLiteral("Γ"));
    row("mac cyrillic charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset89 C;}}\\f1 \\'80}",
        QStringLiteral("А"));
    row("mac central european charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset88 E;}}\\f1 \\'88}",
        QStringLiteral("ą"));
    row("mac big5 charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset81 B;}}\\f1 \\'a4\\'a4}",
        QStringLiteral("中"));
    row("ISCII Kannada 57008", "{\\rtf1\\ansicpg57008 \\'b3}", QStringLiteral("ಕ"));
    row("28591 is Latin-1", "{\\rtf1\\ansicpg28591 \\'e9}", QStringLiteral("é"));
    // Without a codec the text stays in the document's code page, never
    // another script's.
    row("johab has no codec", "{\\rtf1\\ansicpg1251{\\fonttbl{\\f1\\fcharset130 K;}}\\f1 \\'c0}",
        QString(QChar(0x410)));

    // Failures.
    row("rtf2", "{\\rtf2 x}", "", notSupported);
    row("not rtf", "{\\rtx1 x}", "", notSupported);
    row("rtf without backslash", "{rtf1 x}", "", notSupported);
    row("no group", "\\rtf1 x", "", notSupported);
    row("no rtf word", "{x}", "", notSupported);
    row("empty file", "", "", endOfFile);
    row("ends in text", "{\\rtf1 abc", "", endOfFile);
    row("ends after paragraphs", "{\\rtf1 a\\par b\\par c\\bin9 xx", "a | b | c", endOfFile);
}

void TestRtfReader::read()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(QString, error);
    QTextDocument doc;
    const RtfTest::ReadResult result = readInto(doc, rtf);
    QCOMPARE(dump(doc), expected);
    QCOMPARE(result.error, error);
    QCOMPARE(result.ok, error.isEmpty());
}

void TestRtfReader::skippedGroups_data()
{
    QTest::addColumn<QByteArray>("word");
    for (const char *word : { "pict",         "nonshppict",
                              "object",       "objdata",
                              "themedata",    "colorschememapping",
                              "datastore",    "latentstyles",
                              "listtable",    "listoverridetable",
                              "revtbl",       "rsidtbl",
                              "xmlnstbl",     "pgdsctbl",
                              "generator",    "filetbl",
                              "colortbl",     "stylesheet",
                              "info",         "*",
                              "header",       "headerl",
                              "headerr",      "headerf",
                              "footer",       "footerl",
                              "footerr",      "footerf",
                              "ftnsep",       "ftnsepc",
                              "ftncn",        "aftnsep",
                              "aftnsepc",     "aftncn",
                              "xe",           "tc",
                              "tcn",          "nonesttables",
                              "*\\bkmkstart", "*\\footnotex" })
        QTest::newRow(word) << QByteArray(word);
}

void TestRtfReader::skippedGroups()
{
    QFETCH(QByteArray, word);
    QTextDocument doc;
    // Nothing of the group comes through: text, symbols, Unicode characters,
    // formats or paragraph ends; the fallback of a skipped \u is skipped too.
    const QByteArray rtf =
        "{\\rtf1 a{\\" + word + " 0102ff\\'41\\u66?\\tab\\b\\par{\\i nested}text}b}";
    QVERIFY(readInto(doc, rtf).ok);
    QCOMPARE(dump(doc), QStringLiteral("ab"));
}

void TestRtfReader::deepNesting()
{
    // Beyond 4,096 levels groups are only counted: reading stays bounded and
    // the text inside still arrives; the format set in the excess groups
    // holds until the innermost real group ends.
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1 a";
    rtf += QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}');
    rtf += "y}";
    QTextDocument doc;
    QVERIFY(readInto(doc, rtf).ok);
    QCOMPARE(dump(doc), QStringLiteral("a{b:x}y"));

    QTextDocument unclosed;
    const RtfTest::ReadResult result =
        readInto(unclosed, "{\\rtf1 " + QByteArray(depth, '{') + "z");
    QCOMPARE(result.error, endOfFile);
}

void TestRtfReader::nullDevice()
{
    QTextDocument doc;
    RTF::Reader reader;
    QVERIFY(!reader.read(nullptr, QTextCursor(&doc)));
    QVERIFY(reader.hasError());
    QCOMPARE(reader.errorString(), notSupported);
    QCOMPARE(doc.toPlainText(), QString());
}

void TestRtfReader::secondReadStartsAfresh()
{
    RTF::Reader reader;
    QByteArray broken = "{\\rtf1\\ansicpg1251 \\'c0 abc";
    QByteArray good = "{\\rtf1 \\'c0}";
    QBuffer first(&broken), second(&good);
    QVERIFY(first.open(QIODevice::ReadOnly));
    QVERIFY(second.open(QIODevice::ReadOnly));

    QTextDocument a, b;
    QVERIFY(!reader.read(&first, QTextCursor(&a)));
    QCOMPARE(reader.codePage(), QByteArray("CP1251"));
    QVERIFY(reader.read(&second, QTextCursor(&b)));
    QVERIFY(!reader.hasError());
    QCOMPARE(reader.codePage(), QByteArray("CP1252"));
    QCOMPARE(b.toPlainText(), QStringLiteral("À"));
}

void TestRtfReader::oneUndoableEdit()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("x"));
    doc.clearUndoRedoStacks();
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    QByteArray rtf = "{\\rtf1 a\\par{\\b b}\\par c}";
    QBuffer device(&rtf);
    QVERIFY(device.open(QIODevice::ReadOnly));
    RTF::Reader reader;
    QVERIFY(reader.read(&device, cursor));
    QCOMPARE(doc.toPlainText(), QStringLiteral("xa\nb\nc"));
    doc.undo();
    QCOMPARE(doc.toPlainText(), QStringLiteral("x"));
}

void TestRtfReader::codePage()
{
    RTF::Reader reader;
    QCOMPARE(reader.codePage(), QByteArray("CP1252"));
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932 x}";
    QBuffer device(&rtf);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QTextDocument doc;
    QVERIFY(reader.read(&device, QTextCursor(&doc)));
    QCOMPARE(reader.codePage(), QByteArray("CP932"));
}

void TestRtfReader::fontsAndSizes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family"); // empty: none set
    QTest::addColumn<double>("size"); // 0: none set

    const QByteArray table = "{\\fonttbl{\\f0\\froman\\fcharset0 DejaVu Serif;}"
                             "{\\f1\\fnil{\\*\\panose 0}Lohit Kannada{\\*\\falt Tunga};}"
                             "\\f2\\fswiss Sans;}";
    QTest::newRow("heading of another writer")
        << "{\\rtf1\\ansi" + table + "{\\pard\\f0\\fs48 Big text\\par}}"
        << "Big text"
        << "DejaVu Serif" << 24.0;
    QTest::newRow("name with destinations in it")
        << "{\\rtf1" + table + "\\f1 \\u3221?}" << QString::fromUtf8("ಕ") << "Lohit Kannada" << 0.0;
    QTest::newRow("table without groups") << "{\\rtf1" + table + "\\f2\\fs21 x}"
                                          << "x"
                                          << "Sans" << 10.5;
    QTest::newRow("default font is not set on the text") << "{\\rtf1\\deff0" + table + "{\\b x}}"
                                                         << "x"
                                                         << "" << 0.0;
    QTest::newRow("unknown font") << "{\\rtf1" + table + "\\f9 x}"
                                  << "x"
                                  << "" << 0.0;
    QTest::newRow("size alone") << QByteArray("{\\rtf1\\fs40 x}") << "x"
                                << "" << 20.0;
    QTest::newRow("size beyond reason") << QByteArray("{\\rtf1\\fs999999 x}") << "x"
                                        << "" << 0.0;
    QTest::newRow("plain resets") << "{\\rtf1" + table + "\\f0\\fs40\\plain x}"
                                  << "x"
                                  << "" << 0.0;
}

// Font families from the font table and sizes in half points reach the text.
void TestRtfReader::fontsAndSizes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(double, size);
    QTextDocument doc;
    QVERIFY(readInto(doc, rtf).ok);
    QCOMPARE(doc.toPlainText(), text);
    QTextCursor cursor(&doc);
    cursor.setPosition(1);
    const QTextCharFormat format = cursor.charFormat();
    QCOMPARE(format.fontFamilies().toStringList(),
             family.isEmpty() ? QStringList() : QStringList { family });
    QCOMPARE(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0.0, size);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
