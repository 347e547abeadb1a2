#include "rtf/reader.h"
#include "rtf/writer.h"
#include "tst_rtfsupport.h"

#include <QBuffer>
#include <QFile>
#include <QLocale>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest/QtTest>

using RtfTest::dump;
using RtfTest::makeDocument;

namespace {

// The names the editor passes for its text encodings.
const char *const editorCodecs[] = { "ISO 8859-1", "UTF-8",  "UTF-16",   "UTF-16BE",
                                     "UTF-16LE",   "UTF-32", "UTF-32BE", "UTF-32LE" };

QByteArray written(const QByteArray &codec, QTextDocument &doc, bool rich = true)
{
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    RTF::Writer writer(codec);
    if (!writer.write(&device, &doc, rich))
        return "<write failed>";
    return device.data();
}

// The font table of a document in the default font alone.
QByteArray defaultFontTable()
{
    return "\\deff0{\\fonttbl{\\f0\\fnil " + QTextDocument().defaultFont().family().toLatin1() +
        ";}}\n";
}

// What every paragraph starts in: the document's font and size, in half
// points, for Western and complex-script text.
QByteArray paragraphFont()
{
    const QByteArray size =
        QByteArray::number(qRound(QTextDocument().defaultFont().pointSizeF() * 2));
    return "\\rtlch\\af0\\afs" + size + "\\ltrch\\f0\\fs" + size;
}

// The bytes of a document with one paragraph of the given text, after the
// header and the font table.
QByteArray body(const QByteArray &codec, const QString &text)
{
    QTextDocument doc;
    QTextCursor(&doc).insertText(text);
    const QByteArray bytes = written(codec, doc);
    const QByteArray table = defaultFontTable();
    const qsizetype at = bytes.indexOf('\n') + 1;
    if (bytes.mid(at, table.size()) != table)
        return "<no font table>";
    return bytes.mid(at + table.size());
}

// One document holding everything the writer and reader carry: Kannada text,
// the special characters, each character format, the alignments, both
// directions and indent levels 0 to 5.
void fillRoundTripDocument(QTextDocument &doc)
{
    QTextCursor c(&doc);
    const auto block = [&c](Qt::Alignment alignment, Qt::LayoutDirection direction, int indent) {
        QTextBlockFormat f;
        if (alignment)
            f.setAlignment(alignment);
        f.setLayoutDirection(direction);
        f.setIndent(indent);
        return f;
    };
    c.setBlockFormat(block({}, Qt::LeftToRight, 0));
    c.insertText(QStringLiteral("ಕನ್ನಡ ನುಡಿ: ಅಕ್ಷರ ಶ್ರೀ ಕ್ಷ ೧೨೩"));
    c.insertBlock(block({}, Qt::LeftToRight, 0));
    QString specials = QStringLiteral("\\{}\t");
    for (const char16_t u :
         { 0x00A0, 0x00AD, 0x00B7, 0x2002, 0x2003, 0x2004, 0x200C, 0x200D, 0x200E, 0x200F, 0x2011,
           0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2028 })
        specials += QChar(u);
    specials += QStringLiteral("é ü Ω \x01 ") + QString::fromUcs4(U"\U0001F600");
    c.insertText(specials);

    c.insertBlock(block({}, Qt::LeftToRight, 0));
    const auto run = [&c](const QString &text, const auto &apply) {
        QTextCharFormat f;
        apply(f);
        c.insertText(text, f);
    };
    run(QStringLiteral("plain "), [](QTextCharFormat &) {});
    run(QStringLiteral("ದಪ್ಪ"), [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    run(QStringLiteral("black"), [](QTextCharFormat &f) { f.setFontWeight(QFont::Black); });
    run(QStringLiteral("italic"), [](QTextCharFormat &f) { f.setFontItalic(true); });
    run(QStringLiteral("under"), [](QTextCharFormat &f) { f.setFontUnderline(true); });
    run(QStringLiteral("struck"), [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    run(QStringLiteral("sup"),
        [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run(QStringLiteral("sub"),
        [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    run(QStringLiteral("all"), [](QTextCharFormat &f) {
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setFontStrikeOut(true);
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    });
    run(QStringLiteral(" 2 end"), [](QTextCharFormat &) {});

    for (const Qt::Alignment a : std::initializer_list<Qt::Alignment> {
             Qt::AlignHCenter, Qt::AlignRight | Qt::AlignAbsolute, Qt::AlignJustify }) {
        c.insertBlock(block(a, Qt::LeftToRight, 0));
        c.insertText(QStringLiteral("aligned"));
    }
    for (const Qt::Alignment a : std::initializer_list<Qt::Alignment> {
             Qt::AlignLeft | Qt::AlignAbsolute, Qt::AlignRight | Qt::AlignAbsolute,
             Qt::AlignHCenter }) {
        c.insertBlock(block(a, Qt::RightToLeft, 0));
        c.insertText(QStringLiteral("ﺎﺑ"));
    }
    for (int level = 0; level <= 5; ++level) {
        c.insertBlock(block({}, Qt::LeftToRight, level));
        c.insertText(QStringLiteral("level %1").arg(level));
    }
    c.insertBlock(block({}, Qt::LeftToRight, 0)); // an empty last paragraph
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void header_data();
    void header();
    void text_data();
    void text();
    void document_data();
    void document();
    void localeCodePage_data();
    void localeCodePage();
    void roundTrip_data();
    void roundTrip();
    void failures();
};

// clang-format off
void TestRtfWriter::header_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("header");

    const QByteArray utf8 = R"({\rtf1\ansi\ansicpg65001)";
    QTest::newRow("ISO 8859-1 as CP1252") << QByteArray("ISO 8859-1") << QByteArray(R"({\rtf1\ansi\ansicpg1252)");
    for (const char *name : editorCodecs) {
        if (QByteArray(name).startsWith("UTF"))
            QTest::newRow(name) << QByteArray(name) << utf8;
    }
    QTest::newRow("CP1252") << QByteArray("CP1252") << QByteArray(R"({\rtf1\ansi\ansicpg1252)");
    QTest::newRow("CP1251") << QByteArray("CP1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251)");
    QTest::newRow("Shift-JIS") << QByteArray("Shift-JIS") << QByteArray(R"({\rtf1\ansi\ansicpg932)");
    QTest::newRow("CP932") << QByteArray("CP932") << QByteArray(R"({\rtf1\ansi\ansicpg932)");
    QTest::newRow("CP936") << QByteArray("CP936") << QByteArray(R"({\rtf1\ansi\ansicpg936)");
    QTest::newRow("CP950 is Big5") << QByteArray("CP950") << QByteArray(R"({\rtf1\ansi\ansicpg950)");
    QTest::newRow("CP874") << QByteArray("CP874") << QByteArray(R"({\rtf1\ansi\ansicpg874)");
    QTest::newRow("CP850") << QByteArray("CP850") << QByteArray(R"({\rtf1\pca\ansicpg850)");
    QTest::newRow("Apple Roman") << QByteArray("Apple Roman") << QByteArray(R"({\rtf1\mac\ansicpg10000)");
    QTest::newRow("CP65001") << QByteArray("CP65001") << utf8;
    QTest::newRow("unknown name") << QByteArray("no such codec") << QByteArray(R"({\rtf1\ansi\ansicpg1252)");
    QTest::newRow("KOI8-R by its Windows number")
        << QByteArray("KOI8-R") << QByteArray(R"({\rtf1\ansi\ansicpg20866)");
    QTest::newRow("codec without code page")
        << QByteArray("EUC-JP") << QByteArray(R"({\rtf1\ansi\ansicpg1252)");
}
// clang-format on

void TestRtfWriter::header()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, header);
    QTextDocument doc;
    QCOMPARE(written(codec, doc),
             header + "\n" + defaultFontTable() + "{\\pard\\plain" + paragraphFont() + "\\par}\n}");
}

// clang-format off
void TestRtfWriter::text_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    const auto row = [](const char *name, const char *codec, const QString &text, const char *bytes) {
        QTest::newRow(name) << QByteArray(codec) << text << QByteArray(bytes);
    };
    const QString smile = QString::fromUcs4(U"\U0001F600");
    row("UTF-8 e acute", "UTF-8", QStringLiteral("é"), R"(\'C3\'A9)");
    row("CP1252 e acute", "CP1252", QStringLiteral("é"), R"(\'E9)");
    row("ISO 8859-1 e acute", "ISO 8859-1", QStringLiteral("é"), R"(\'E9)");
    row("ISO 8859-1 euro", "ISO 8859-1", QStringLiteral("€"), R"(\'80)");
    row("ISO 8859-1 C1 control", "ISO 8859-1", QString(QChar(0x80)), R"(\u128?)");
    row("RTF specials", "CP1252", QStringLiteral("a\\b{c}\td"), R"(a\'5Cb\'7Bc\'7D\tab d)");
    row("missing in code page", "CP1252", QStringLiteral("Ωx"), R"(\u937?x)");
    row("missing, then digit", "CP1252", QStringLiteral("Ω5"), R"(\u937?5)");
    row("UTF-8 Greek", "UTF-8", QStringLiteral("Ωx"), R"(\'CE\'A9x)");
    row("Kannada in UTF-8", "UTF-8", QStringLiteral("ಕ"), R"(\'E0\'B2\'95)");
    row("Kannada in UTF-16", "UTF-16", QStringLiteral("ಕ"), R"(\'E0\'B2\'95)");
    row("Kannada in UTF-32LE", "UTF-32LE", QStringLiteral("ಕ"), R"(\'E0\'B2\'95)");
    row("Kannada in ISO 8859-1", "ISO 8859-1", QStringLiteral("ಕನ"), R"(\u3221?\u3240?)");
    row("control byte", "CP1252", QString(QChar(0x01)), R"(\'01)");
    row("delete stays raw", "CP1252", QString(QChar(0x7F)), "\x7F");
    row("outside the BMP in UTF-8", "UTF-8", smile, R"(\'F0\'9F\'98\'80)");
    row("outside the BMP in UTF-16", "UTF-16BE", smile, R"(\'F0\'9F\'98\'80)");
    row("outside the BMP in CP1252", "CP1252", smile, R"(\u55357?\u56832?)");
    row("outside the BMP in ISO 8859-1", "ISO 8859-1", smile + "x", R"(\u55357?\u56832?x)");
    row("lone high surrogate", "UTF-8", QString(QChar(0xD83D)) + "x", R"(\u55357?x)");
    row("lone low surrogate", "CP1252", QString(QChar(0xDE00)) + "x", R"(\u56832?x)");
    row("image placeholder dropped", "UTF-8", QStringLiteral("a") + QChar(0xFFFC) + "b", "ab");
    row("Shift-JIS hiragana", "Shift-JIS", QString(QChar(0x3042)), R"(\'82\'A0)");
    row("Shift-JIS yen has no exact byte", "Shift-JIS", QStringLiteral("¥"), R"(\u165?)");
    row("Apple Roman", "Apple Roman", QStringLiteral("é"), R"(\'8E)");
    row("CP850", "CP850", QStringLiteral("é"), R"(\'82)");
    row("symbol words", "CP1252",
        QString::fromUtf16(u"\u00A0\u00AD\u00B7\u2002\u2003\u2004\u200C\u200D\u200E\u200F\u2011"),
        R"(\~\-\'B7\u8194?\u8195?\u8196?\u8204?\u8205?\u8206?\u8207?\_)");
    row("joiners in a Kannada word", "UTF-8", QString::fromUtf16(u"\u0CB0\u200D\u0CCD\u0CAF\u0C95\u200C\u0C95"),
        R"(\'E0\'B2\'B0\u8205?\'E0\'B3\'8D\'E0\'B2\'AF\'E0\'B2\'95\u8204?\'E0\'B2\'95)");
    row("more symbol words", "UTF-8",
        QString::fromUtf16(u"\u2013\u2014\u2018\u2019\u201C\u201D\u2022\u2028"),
        R"(\endash \emdash \lquote \rquote \ldblquote \rdblquote \bullet \line )");
}
// clang-format on

void TestRtfWriter::text()
{
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(body(codec, text), "{\\pard\\plain" + paragraphFont() + " " + bytes + "\\par}\n}");
}

// clang-format off
void TestRtfWriter::document_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("rich");
    QTest::addColumn<QByteArray>("bytes");

    const auto row = [](const char *name, const QString &source, bool rich, const char *bytes) {
        QTest::newRow(name) << source << rich << QByteArray(bytes);
    };
    // Bold and italic for complex scripts (under \rtlch) and for Western text.
    row("bold then plain", "<p><b>B</b>p</p>", true, "{\\pard\\plain {\\rtlch\\ab\\ltrch\\b B}p\\par}\n}");
    row("each format", "<p><i>i</i><u>u</u><s>s</s><sup>p</sup><sub>q</sub></p>", true,
        "{\\pard\\plain {\\rtlch\\ai\\ltrch\\i i}{\\ul u}{\\strike s}{\\super p}{\\sub q}\\par}\n}");
    row("combined", "<p><b><i><u>x</u></i></b></p>", true,
        "{\\pard\\plain {\\rtlch\\ab\\ai\\ltrch\\b\\i\\ul x}\\par}\n}");
    row("demibold is not bold", "<p><span style=\"font-weight:600\">d</span></p>", true,
        "{\\pard\\plain d\\par}\n}");
    row("black is bold", "<p><span style=\"font-weight:900\">k</span></p>", true,
        "{\\pard\\plain {\\rtlch\\ab\\ltrch\\b k}\\par}\n}");
    row("space after codes", "<p>a<b> x</b></p>", true, "{\\pard\\plain a{\\rtlch\\ab\\ltrch\\b  x}\\par}\n}");
    row("right to left", "<p dir=\"rtl\">r</p>", true, "{\\pard\\plain\\rtlpar\\ql r\\par}\n}");
    row("right to left, right", "<p dir=\"rtl\" align=\"right\">r</p>", true,
        "{\\pard\\plain\\rtlpar\\qr r\\par}\n}");
    row("centred", "<p align=\"center\">c</p>", true, "{\\pard\\plain\\qc c\\par}\n}");
    row("right", "<p align=\"right\">r</p>", true, "{\\pard\\plain\\qr r\\par}\n}");
    row("justified", "<p align=\"justify\">j</p>", true, "{\\pard\\plain\\qj j\\par}\n}");
    row("left", "<p align=\"left\">l</p>", true, "{\\pard\\plain l\\par}\n}");
    row("indent 2", "<p style=\"-qt-block-indent:2\">x</p>", true, "{\\pard\\plain\\li1200 x\\par}\n}");
    row("indent, digits", "<p style=\"-qt-block-indent:1\">5</p>", true,
        "{\\pard\\plain\\li600 5\\par}\n}");
    row("empty paragraph between", "a\n\nb", true,
        "{\\pard\\plain a\\par}\n{\\pard\\plain\\par}\n{\\pard\\plain b\\par}\n}");
    row("not rich", "<p align=\"center\">a</p><p><b>b</b></p>", false,
        "{a\\par}\n{{\\rtlch\\ab\\ltrch\\b b}}}");
    row("not rich, one empty block", "", false, "{}}");
}
// clang-format on

void TestRtfWriter::document()
{
    QFETCH(QString, source);
    QFETCH(bool, rich);
    QFETCH(QByteArray, bytes);
    QTextDocument doc;
    makeDocument(doc, source);
    const QByteArray out = written("CP1252", doc, rich);
    // A rich document names its fonts, and each paragraph starts in the
    // document's font and size.
    QByteArray expected = bytes;
    if (rich)
        expected = defaultFontTable() +
            expected.replace("\\pard\\plain", "\\pard\\plain" + paragraphFont());
    QCOMPARE(out, QByteArray("{\\rtf1\\ansi\\ansicpg1252\n") + expected);
}

// clang-format off
void TestRtfWriter::localeCodePage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("header");

    QTest::newRow("Russian") << QLocale(QLocale::Russian) << QByteArray("{\\rtf1\\ansi\\ansicpg1251");
    QTest::newRow("Greek") << QLocale(QLocale::Greek) << QByteArray("{\\rtf1\\ansi\\ansicpg1253");
    QTest::newRow("German") << QLocale(QLocale::German) << QByteArray("{\\rtf1\\ansi\\ansicpg1252");
    QTest::newRow("Belarusian, renamed")
        << QLocale(QLocale::Belarusian) << QByteArray("{\\rtf1\\ansi\\ansicpg1251");
    QTest::newRow("Filipino, renamed") << QLocale(QLocale::Filipino) << QByteArray("{\\rtf1\\ansi\\ansicpg1252");
    QTest::newRow("Japanese") << QLocale(QLocale::Japanese) << QByteArray("{\\rtf1\\ansi\\ansicpg932");
    QTest::newRow("Thai") << QLocale(QLocale::Thai) << QByteArray("{\\rtf1\\ansi\\ansicpg874");
    QTest::newRow("Chinese, Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan)
                                     << QByteArray("{\\rtf1\\ansi\\ansicpg950");
    QTest::newRow("Chinese, China") << QLocale(QLocale::Chinese, QLocale::China)
                                    << QByteArray("{\\rtf1\\ansi\\ansicpg936");
    // Without a table entry the locale string decides; the tests run under
    // C.UTF-8.
    QTest::newRow("Serbian, Cyrillic by default")
        << QLocale(QLocale::Serbian) << QByteArray("{\\rtf1\\ansi\\ansicpg1251");
    QTest::newRow("Kannada, UTF-8 locale") << QLocale(QLocale::Kannada)
                                           << QByteArray("{\\rtf1\\ansi\\ansicpg65001");
}
// clang-format on

void TestRtfWriter::localeCodePage()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, header);
    const QLocale before;
    QLocale::setDefault(locale);
    QTextDocument doc;
    const QByteArray out = written(QByteArray(), doc);
    QLocale::setDefault(before);
    QCOMPARE(out.left(out.indexOf('\n')), header);
}

void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<QByteArray>("codec");
    for (const char *name : editorCodecs)
        QTest::newRow(name) << QByteArray(name);
    QTest::newRow("CP1252") << QByteArray("CP1252");
    QTest::newRow("Shift-JIS") << QByteArray("Shift-JIS");
    QTest::newRow("Apple Roman") << QByteArray("Apple Roman");
    QTest::newRow("KOI8-R") << QByteArray("KOI8-R");
}

void TestRtfWriter::roundTrip()
{
    QFETCH(QByteArray, codec);
    QTextDocument original;
    fillRoundTripDocument(original);
    const QByteArray rtf = written(codec, original);

    QTextDocument copy;
    const RtfTest::ReadResult result = RtfTest::readInto(copy, rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    // What the writer keeps of a document, the reader gives back.
    QCOMPARE(dump(copy), dump(original));
    QCOMPARE(copy.toPlainText(), original.toPlainText());
}

void TestRtfWriter::failures()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("text"));
    RTF::Writer writer("UTF-8");
    QVERIFY(!writer.write(nullptr, &doc, true));

    QBuffer device;
    device.open(QIODevice::WriteOnly);
    QVERIFY(!writer.write(&device, nullptr, true));
    QVERIFY(device.data().isEmpty());

    // A device that takes no bytes is a failed save, not a successful one.
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    QVERIFY(!writer.write(&readOnly, &doc, true));

    QFile full(QStringLiteral("/dev/full"));
    if (full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QVERIFY(!writer.write(&full, &doc, true));
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
