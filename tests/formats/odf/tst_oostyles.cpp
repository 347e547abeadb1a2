// The style registry of the OpenDocument reader and the conversion of text and
// paragraph properties, over small hand-written streams and over the styles
// that LibreOffice writes.
#include "FoColorName.h"
#include "GZip.h"
#include "OOReader.h"
#include "libreoffice.h"
#include "testenv.h"

#include <QDomDocument>
#include <QFile>
#include <QTextListFormat>
#include <QTextTableCellFormat>
#include <QTextTableFormat>
#include <QtTest>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(ZUVO_ODF_FIXTURES "/") + name;
}

QByteArray readFixture(const QString &name)
{
    QFile f(fixture(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

// One properties element written as its attributes: "fo:color=\"#ff0000\"".
QDomElement propertiesElement(const QString &tag, const QString &attributes)
{
    static QList<QDomDocument> keep; // elements share their document
    QDomDocument doc;
    const QString xml = QStringLiteral("<%1 %2/>").arg(tag, attributes);
    if (!doc.setContent(xml, false))
        qFatal("bad test element %s", qPrintable(xml));
    keep.append(doc);
    return doc.documentElement();
}

QDomDocument parse(const QByteArray &xml)
{
    QDomDocument doc;
    if (!doc.setContent(xml, false))
        qFatal("bad test stream");
    return doc;
}

// Builds the registry the way an import does: the six name scans, the fonts,
// then the automatic styles of the content stream.
void buildRegistry(OOReader &reader, const QByteArray &content, const QByteArray &styles)
{
    for (const char *attr : { "text:style-name", "table:style-name", "draw:style-name" })
        reader.styleNameSetup(content, QLatin1String(attr));
    reader.noStylesFile = styles.isEmpty();
    if (!styles.isEmpty()) {
        for (const char *attr : { "text:style-name", "table:style-name", "draw:style-name" })
            reader.styleNameSetup(styles, QLatin1String(attr));
    }
    const QDomDocument dom = parse(content);
    const QDomElement root = dom.documentElement();
    reader.registerFontDoc(root.firstChildElement(QStringLiteral("office:font-face-decls")));
    reader.convertStyleNameRoot(root.firstChildElement(QStringLiteral("office:automatic-styles")));
}

// The style name the body gives the first element holding exactly `text`.
QString styleOfText(const QDomElement &body, const QString &text)
{
    for (QDomElement e = body.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.text() == text) {
            for (const char *attr : { "text:style-name", "table:style-name" }) {
                if (e.hasAttribute(QLatin1String(attr)))
                    return e.attribute(QLatin1String(attr));
            }
        }
        const QString inner = styleOfText(e, text);
        if (!inner.isEmpty())
            return inner;
    }
    return QString();
}

bool near(double a, double b)
{
    return qAbs(a - b) < 0.1;
}

QFont testFont()
{
    QFont f;
    f.setFamilies({ QStringLiteral("Standard Family") });
    f.setPointSize(11);
    return f;
}

} // namespace

class TstOoStyles : public QObject
{
    Q_OBJECT
private slots:
    void init() { setUnitDpi(72); }
    void cleanup() { setUnitDpi(0); }
    void nameScan_data();
    void nameScan();
    void fontFaces();
    void registry();
    void listStyles_data();
    void listStyles();
    void charFormat_data();
    void charFormat();
    void blockFormat_data();
    void blockFormat();
    void alignment_data();
    void alignment();
    void defaults();
    void elementCopy();
    void libreOfficeStyles_data();
    void libreOfficeStyles();
};

// clang-format off
void TstOoStyles::nameScan_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("styles");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("none anywhere") << QByteArray("<text:p>plain</text:p>") << QByteArray()
                                   << QStringList();
    QTest::newRow("three kinds")
        << QByteArray("<text:p text:style-name=\"P1\"/><table:table table:style-name=\"Tb\"/>"
                      "<draw:frame draw:style-name=\"fr1\"/>")
        << QByteArray() << QStringList { "P1", "Tb", "fr1" };
    QTest::newRow("same name in both streams")
        << QByteArray("<text:p text:style-name=\"P1\"/><text:p text:style-name=\"P1\"/>")
        << QByteArray("<text:p text:style-name=\"P1\"/><text:span text:style-name=\"T9\"/>")
        << QStringList { "P1", "T9" };
    QTest::newRow("upper case, single quotes")
        << QByteArray("<text:p TEXT:STYLE-NAME='Loud'/>") << QByteArray() << QStringList { "Loud" };
    QTest::newRow("apostrophe cuts the name")
        << QByteArray("<text:p text:style-name=\"Tom's\"/>") << QByteArray()
        << QStringList { "Tom" };
    QTest::newRow("entity stays escaped")
        << QByteArray("<text:p text:style-name=\"A&amp;B\"/>") << QByteArray()
        << QStringList { "A&amp;B" };
    QTest::newRow("stops at a NUL byte")
        << QByteArray("<text:p text:style-name=\"Seen\"/>") + QByteArray(1, '\0') +
            QByteArray("<text:p text:style-name=\"Hidden\"/>")
        << QByteArray() << QStringList { "Seen" };
    QTest::newRow("unquoted value is no match")
        << QByteArray("<x text:style-name=P1 text:style-name=\"P2\"/>") << QByteArray()
        << QStringList { "P2" };
    QTest::newRow("no closing quote")
        << QByteArray("<x text:style-name=\"A\"/><y text:style-name=\"open") << QByteArray()
        << QStringList { "A" };
    QTest::newRow("other attribute names do not count")
        << QByteArray("<style:style style:parent-style-name=\"Standard\" "
                      "style:list-style-name=\"L1\"/>")
        << QByteArray() << QStringList();
}
// clang-format on

void TstOoStyles::nameScan()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, styles);
    QFETCH(QStringList, names);

    OOReader reader { QString() };
    for (const QByteArray &stream : { content, styles }) {
        for (const char *attr : { "text:style-name", "table:style-name", "draw:style-name" })
            reader.styleNameSetup(stream, QLatin1String(attr));
    }
    QCOMPARE(reader.styleNameCount, names.size());
    QCOMPARE(reader.css2.size(), names.size());
    for (const QString &n : names) {
        QVERIFY2(reader.css2.value(n).used, qPrintable(n));
        QCOMPARE(reader.css2.value(n).name, n);
    }
}

void TstOoStyles::fontFaces()
{
    OOReader reader { QString() };
    reader.standardFont = testFont();
    buildRegistry(reader, readFixture(QStringLiteral("registry/content.xml")), QByteArray());

    // The face without a name is not stored, but the one nested in it is; the
    // first named face sets the default font, the later ones do not.
    QCOMPARE(reader.fontFaceCount, 4);
    QCOMPARE(reader.fontFaces.keys(), (QStringList { "Inner", "Kannada", "Mono", "Serif" }));
    QCOMPARE(reader.standardFont.families(), QStringList { "Inner Face" });
    QCOMPARE(reader.standardFont.pointSize(), 10);
    QCOMPARE(reader.standardFont.weight(), QFont::Normal);
    QVERIFY(!reader.standardFont.italic());

    // A text style naming a face takes its family without the quotes and its pitch.
    const QTextCharFormat mono = reader.css2.value(QStringLiteral("Tmono")).charFormat;
    QCOMPARE(mono.fontFamilies().toStringList(), QStringList { "Liberation Mono" });
    QVERIFY(mono.fontFixedPitch());
    QCOMPARE(mono.fontPointSize(), 9.0);

    // A face nobody declared: no family at all, and the name is remembered empty.
    const QTextCharFormat unknown =
        reader.TextCharFormFromDom(propertiesElement(QStringLiteral("style:text-properties"),
                                                     QStringLiteral("style:font-name=\"Nowhere\"")),
                                   QTextCharFormat());
    QVERIFY(unknown.fontFamilies().toStringList().isEmpty());
    QVERIFY(!unknown.fontFixedPitch());
    QVERIFY(reader.fontFaces.contains(QStringLiteral("Nowhere")));
    QVERIFY(reader.fontFaces.value(QStringLiteral("Nowhere")).isNull());

    // reset() empties the tables and keeps the default font.
    reader.reset();
    QVERIFY(reader.fontFaces.isEmpty());
    QCOMPARE(reader.fontFaceCount, 0);
    QCOMPARE(reader.standardFont.families(), QStringList { "Inner Face" });
}

void TstOoStyles::registry()
{
    OOReader reader { QString() };
    reader.standardFont = testFont();
    buildRegistry(reader, readFixture(QStringLiteral("registry/content.xml")),
                  readFixture(QStringLiteral("registry/styles.xml")));
    const QMap<QString, OOReader::StyleInfo> &css2 = reader.css2;
    QVERIFY(!reader.noStylesFile);

    // Text styles.
    QCOMPARE(css2.value(QStringLiteral("Tbold")).charFormat.fontWeight(), int(QFont::Bold));
    QCOMPARE(css2.value(QStringLiteral("Tbold")).charFormat.fontStyleStrategy(),
             QFont::PreferAntialias);
    // A style no stream names is not stored, and stays out of the registry.
    QVERIFY(!css2.value(QStringLiteral("Tunscanned")).used);
    QVERIFY(!css2.value(QStringLiteral("Tunscanned")).charFormat.fontItalic());

    // Paragraph styles: the block format, and the text properties beside it.
    const OOReader::StyleInfo centre = css2.value(QStringLiteral("Pcentre"));
    const QTextBlockFormat block = centre.format.toBlockFormat();
    QCOMPARE(block.alignment(), Qt::AlignCenter);
    QCOMPARE(block.bottomMargin(), 10.0);
    QCOMPARE(block.topMargin(), 4.0);
    QCOMPARE(centre.charFormat.foreground().color(), QColor(0, 255, 0));
    // Without paragraph properties the text properties are the paragraphs'
    // character format all the same (a paragraph bold as a whole).
    const OOReader::StyleInfo textOnly = css2.value(QStringLiteral("Ptextonly"));
    QVERIFY(textOnly.used);
    QCOMPARE(textOnly.charFormat.fontWeight(), int(QFont::Bold));
    QCOMPARE(textOnly.statedCharFormat.fontWeight(), int(QFont::Bold));

    // Graphic styles: background, transparency, padding, border, and the copy.
    const OOReader::StyleInfo none = css2.value(QStringLiteral("Gnone"));
    QCOMPARE(none.format.brushProperty(QTextFormat::BackgroundBrush).color().alpha(), 0);
    QCOMPARE(none.format.doubleProperty(QTextFormat::FramePadding), 2 * 2.83465058);
    QVERIFY(!none.format.hasProperty(QTextFormat::FrameBorder));
    QVERIFY(none.styleXml.contains("style:graphic-properties"));
    const OOReader::StyleInfo half = css2.value(QStringLiteral("Ghalf"));
    QCOMPARE(half.format.brushProperty(QTextFormat::BackgroundBrush).color(),
             QColor(255, 0, 0, 127));
    QCOMPARE(half.format.doubleProperty(QTextFormat::FramePadding), 20.0);
    QCOMPARE(half.format.doubleProperty(QTextFormat::FrameBorder), 2.0);
    QCOMPARE(half.format.intProperty(QTextFormat::FrameBorderStyle),
             int(QTextFrameFormat::BorderStyle_Solid));
    QCOMPARE(half.format.brushProperty(QTextFormat::FrameBorderBrush).color(), QColor(Qt::black));
    const OOReader::StyleInfo blanks = css2.value(QStringLiteral("Gtwoblanks"));
    QCOMPARE(blanks.format.brushProperty(QTextFormat::BackgroundBrush).color(), QColor(Qt::blue));
    QVERIFY(!blanks.format.hasProperty(QTextFormat::FrameBorder));
    // A graphic style without graphic properties stores nothing, not even its copy.
    QVERIFY(css2.value(QStringLiteral("Gbare")).used);
    QVERIFY(css2.value(QStringLiteral("Gbare")).styleXml.isEmpty());
    QVERIFY(!css2.value(QStringLiteral("Gbare")).format.isValid());

    // Tables, columns and cells.
    const QTextTableFormat table1 = css2.value(QStringLiteral("Table1")).format.toTableFormat();
    QCOMPARE(table1.width(), QTextLength(QTextLength::FixedLength, 300));
    QCOMPARE(table1.alignment(), Qt::AlignRight);
    QCOMPARE(table1.cellPadding(), 0.0);
    QCOMPARE(table1.cellSpacing(), 0.0);
    QCOMPARE(table1.border(), 0.2);
    QCOMPARE(table1.background().color(), QColor(0xee, 0xee, 0xee));
    // A table without a width of its own spans the page.
    const QTextTableFormat table2 = css2.value(QStringLiteral("Table2")).format.toTableFormat();
    QCOMPARE(table2.width(), QTextLength(QTextLength::PercentageLength, 100));
    QCOMPARE(table2.alignment(), Qt::AlignCenter);
    QCOMPARE(css2.value(QStringLiteral("Col40")).format.lengthProperty(QTextFormat::FrameWidth),
             QTextLength(QTextLength::FixedLength, 40));
    QVERIFY(!css2.value(QStringLiteral("Colnone")).format.isValid());
    const QTextTableCellFormat pad =
        css2.value(QStringLiteral("Cellpad")).format.toTableCellFormat();
    QCOMPARE(pad.leftPadding(), 5.0);
    QCOMPARE(pad.rightPadding(), 2.0);
    QCOMPARE(pad.topPadding(), 2.0);
    QCOMPARE(pad.bottomPadding(), 2.0);
    QCOMPARE(pad.background().color(), QColor(0xcc, 0xcc, 0xcc));
    // No padding given: the cell sets none of its own (never a negative one).
    const QTextFormat bare = css2.value(QStringLiteral("Cellbare")).format;
    QVERIFY(bare.isTableCellFormat());
    for (auto p : { QTextFormat::TableCellLeftPadding, QTextFormat::TableCellRightPadding,
                    QTextFormat::TableCellTopPadding, QTextFormat::TableCellBottomPadding })
        QVERIFY(!bare.hasProperty(p));
    // Row styles are not converted.
    QVERIFY(!css2.value(QStringLiteral("Row1")).format.isValid());
}

void TstOoStyles::listStyles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::newRow("U+2022 is drawn square") << "Lbullet" << int(QTextListFormat::ListSquare);
    QTest::newRow("U+25CF disc") << "Ldisc" << int(QTextListFormat::ListDisc);
    QTest::newRow("U+25CB circle") << "Lcircle" << int(QTextListFormat::ListCircle);
    QTest::newRow("decimal") << "Ldecimal" << int(QTextListFormat::ListDecimal);
    QTest::newRow("lower alpha") << "Llower" << int(QTextListFormat::ListLowerAlpha);
    QTest::newRow("upper alpha") << "Lupper" << int(QTextListFormat::ListUpperAlpha);
    QTest::newRow("roman is square") << "Lroman" << int(QTextListFormat::ListSquare);
    QTest::newRow("number beside a bullet level") << "Lmixed" << int(QTextListFormat::ListCircle);
    QTest::newRow("no level style") << "Lempty" << int(QTextListFormat::ListSquare);
}

void TstOoStyles::listStyles()
{
    QFETCH(QString, name);
    QFETCH(int, style);
    OOReader reader { QString() };
    buildRegistry(reader, readFixture(QStringLiteral("registry/content.xml")), QByteArray());
    const QTextFormat f = reader.css2.value(name).format;
    QVERIFY(f.isListFormat());
    QCOMPARE(int(f.toListFormat().style()), style);
    QVERIFY(!f.hasProperty(QTextFormat::ListIndent));
}

// clang-format off
void TstOoStyles::charFormat_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("lines"); // 1 underline, 2 overline, 4 strike-out
    QTest::addColumn<double>("size"); // 11 is the default font's
    QTest::addColumn<int>("valign");
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background"); // invalid: none set
    QTest::addColumn<double>("spacing"); // 0: none set
    QTest::addColumn<QString>("href");

    const QColor black(Qt::black);
    const QColor none;
    const int normal = QTextCharFormat::AlignNormal;
    const int super = QTextCharFormat::AlignSuperScript;
    const int sub = QTextCharFormat::AlignSubScript;
    auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

    row("nothing") << "" << int(QFont::Normal) << false << 0 << 11.0 << normal << black << none
                   << 0.0 << "";
    row("bold") << "fo:font-weight=\"bold\"" << int(QFont::Bold) << false << 0 << 11.0 << normal
                << black << none << 0.0 << "";
    row("normal weight") << "fo:font-weight=\"normal\"" << int(QFont::Normal) << false << 0 << 11.0
                         << normal << black << none << 0.0 << "";
    row("bold in any value") << "style:font-style-name=\"Bold\"" << int(QFont::Bold) << false << 0
                             << 11.0 << normal << black << none << 0.0 << "";
    row("italic") << "fo:font-style=\"italic\"" << int(QFont::Normal) << true << 0 << 11.0
                  << normal << black << none << 0.0 << "";
    row("oblique") << "fo:font-style=\"oblique\"" << int(QFont::Normal) << true << 0 << 11.0
                   << normal << black << none << 0.0 << "";
    row("underline solid") << "style:text-underline-style=\"solid\" "
                              "style:text-underline-width=\"auto\" "
                              "style:text-underline-color=\"font-color\""
                           << int(QFont::Normal) << false << 1 << 11.0 << normal << black << none
                           << 0.0 << "";
    row("underline type single") << "style:text-underline-type=\"single\"" << int(QFont::Normal)
                                 << false << 1 << 11.0 << normal << black << none << 0.0 << "";
    row("underline none, width auto") << "style:text-underline-style=\"none\" "
                                         "style:text-underline-width=\"auto\""
                                      << int(QFont::Normal) << false << 1 << 11.0 << normal
                                      << black << none << 0.0 << "";
    row("underline none") << "style:text-underline-style=\"none\"" << int(QFont::Normal) << false
                          << 0 << 11.0 << normal << black << none << 0.0 << "";
    row("line-through style") << "style:text-line-through-style=\"solid\" "
                                 "style:text-line-through-type=\"single\""
                              << int(QFont::Normal) << false << 4 << 11.0 << normal << black
                              << none << 0.0 << "";
    row("line-through none") << "style:text-line-through-style=\"none\"" << int(QFont::Normal)
                             << false << 0 << 11.0 << normal << black << none << 0.0 << "";
    row("overline style") << "style:text-overline-style=\"dotted\"" << int(QFont::Normal) << false
                          << 2 << 11.0 << normal << black << none << 0.0 << "";
    row("decoration words in values") << "fo:text-decoration=\"overline line-through\""
                                      << int(QFont::Normal) << false << 6 << 11.0 << normal
                                      << black << none << 0.0 << "";
    row("font size") << "fo:font-size=\"14pt\"" << int(QFont::Normal) << false << 0 << 14.0
                     << normal << black << none << 0.0 << "";
    row("complex size is larger") << "fo:font-size=\"14pt\" style:font-size-complex=\"16pt\""
                                  << int(QFont::Normal) << false << 0 << 16.0 << normal << black
                                  << none << 0.0 << "";
    row("western size is larger") << "fo:font-size=\"18pt\" style:font-size-complex=\"16pt\""
                                  << int(QFont::Normal) << false << 0 << 18.0 << normal << black
                                  << none << 0.0 << "";
    row("complex size without prefix") << "fo:font-size=\"14pt\" font-size-complex=\"20pt\""
                                       << int(QFont::Normal) << false << 0 << 20.0 << normal
                                       << black << none << 0.0 << "";
    row("percentage size") << "fo:font-size=\"150%\"" << int(QFont::Normal) << false << 0 << 11.0
                           << normal << black << none << 0.0 << "";
    row("size of 2pt") << "fo:font-size=\"2pt\"" << int(QFont::Normal) << false << 0 << 11.0
                       << normal << black << none << 0.0 << "";
    row("size not finite") << "fo:font-size=\"1e400pt\"" << int(QFont::Normal) << false << 0
                           << 11.0 << normal << black << none << 0.0 << "";
    row("size clamped") << "fo:font-size=\"9000pt\"" << int(QFont::Normal) << false << 0 << 1638.0
                        << normal << black << none << 0.0 << "";
    row("size in cm") << "fo:font-size=\"1cm\"" << int(QFont::Normal) << false << 0 << 28.3465058
                      << normal << black << none << 0.0 << "";
    row("super") << "style:text-position=\"super 58%\"" << int(QFont::Normal) << false << 0
                 << 11.0 << super << black << none << 0.0 << "";
    row("sub") << "style:text-position=\"sub 58%\"" << int(QFont::Normal) << false << 0 << 11.0
               << sub << black << none << 0.0 << "";
    row("raised by a percentage") << "style:text-position=\"33% 58%\"" << int(QFont::Normal)
                                  << false << 0 << 11.0 << super << black << none << 0.0 << "";
    row("lowered by a percentage") << "style:text-position=\"-33% 58%\"" << int(QFont::Normal)
                                   << false << 0 << 11.0 << sub << black << none << 0.0 << "";
    row("not moved") << "style:text-position=\"0% 100%\"" << int(QFont::Normal) << false << 0
                     << 11.0 << normal << black << none << 0.0 << "";
    row("baseline shift") << "fo:baseline-shift=\"super\"" << int(QFont::Normal) << false << 0
                          << 11.0 << super << black << none << 0.0 << "";
    row("colour") << "fo:color=\"#ff0000\"" << int(QFont::Normal) << false << 0 << 11.0 << normal
                  << QColor(Qt::red) << none << 0.0 << "";
    row("unreadable colour is black") << "fo:color=\"nonsense\"" << int(QFont::Normal) << false
                                      << 0 << 11.0 << normal << black << none << 0.0 << "";
    row("background") << "fo:background-color=\"#ffff00\"" << int(QFont::Normal) << false << 0
                      << 11.0 << normal << black << QColor(Qt::yellow) << 0.0 << "";
    row("transparent background") << "fo:background-color=\"transparent\"" << int(QFont::Normal)
                                  << false << 0 << 11.0 << normal << black
                                  << QColor(Qt::transparent) << 0.0 << "";
    // The link colour wins over fo:color whatever order the file writes them in.
    row("link and colour") << "fo:external-destination=\"http://a.example/\" fo:color=\"#00ff00\""
                           << int(QFont::Normal) << false << 0 << 11.0 << normal
                           << QColor(0xdc, 0, 0) << none << 0.0 << "http://a.example/";
    row("text scale") << "style:text-scale=\"90%\"" << int(QFont::Normal) << false << 0 << 11.0
                      << normal << black << none << 90.0 << "";
    row("spacing as a length") << "fo:letter-spacing=\"0.1cm\"" << int(QFont::Normal) << false << 0
                               << 11.0 << normal << black << none << 0.0 << "";
    row("99.5 becomes 100") << "style:text-scale=\"99.5%\"" << int(QFont::Normal) << false << 0
                            << 11.0 << normal << black << none << 100.0 << "";
}
// clang-format on

void TstOoStyles::charFormat()
{
    QFETCH(QString, attributes);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(int, lines);
    QFETCH(double, size);
    QFETCH(int, valign);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    QFETCH(double, spacing);
    QFETCH(QString, href);

    OOReader reader { QString() };
    reader.standardFont = testFont();
    const QTextCharFormat base = DefaultCharFormats(false, QTextCharFormat());
    const QTextCharFormat f = reader.TextCharFormFromDom(
        propertiesElement(QStringLiteral("style:text-properties"), attributes), base);

    QCOMPARE(f.fontWeight(), weight);
    QCOMPARE(f.fontItalic(), italic);
    QCOMPARE(f.underlineStyle() == QTextCharFormat::SingleUnderline, bool(lines & 1));
    QCOMPARE(f.fontOverline(), bool(lines & 2));
    QCOMPARE(f.fontStrikeOut(), bool(lines & 4));
    QCOMPARE(f.fontPointSize(), size);
    QCOMPARE(int(f.verticalAlignment()), valign);
    QCOMPARE(f.foreground().color(), foreground);
    QCOMPARE(f.hasProperty(QTextFormat::BackgroundBrush), background.isValid());
    if (background.isValid())
        QCOMPARE(f.background().color().rgba(), background.rgba());
    QCOMPARE(f.fontLetterSpacing(), spacing);
    QCOMPARE(f.anchorHref(), href);
    QCOMPARE(f.isAnchor(), !href.isEmpty());
    // Without a face of its own, the text takes the document's default font.
    QCOMPARE(f.fontFamilies().toStringList(), QStringList { "Standard Family" });
    QCOMPARE(f.fontStyleStrategy(), QFont::PreferAntialias);
}

// clang-format off
void TstOoStyles::blockFormat_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("indent");
    QTest::addColumn<int>("pageBreak");
    QTest::addColumn<int>("alignment");

    const int left = Qt::AlignLeft;
    const double cm = 28.3465058;
    QTest::newRow("nothing") << "" << 0.0 << 0.0 << 4.0 << 0.0 << 0 << left;
    QTest::newRow("margins") << "fo:margin-left=\"1cm\" fo:margin-right=\"2cm\" "
                                "fo:margin-bottom=\"6pt\" fo:margin-top=\"9pt\""
                             << cm << 2 * cm << 6.0 << 0.0 << 0 << left;
    QTest::newRow("space-start is the right margin")
        << "fo:space-start=\"3pt\" fo:space-end=\"5pt\" fo:space-after=\"7pt\"" << 5.0 << 3.0
        << 7.0 << 0.0 << 0 << left;
    // Attributes are taken in name order: margin-left before start-indent.
    QTest::newRow("start indent adds to the left margin")
        << "fo:start-indent=\"1cm\" fo:margin-left=\"1cm\"" << 2 * cm << 0.0 << 4.0 << cm << 0
        << left;
    QTest::newRow("break before a page")
        << "fo:break-before=\"page\"" << 0.0 << 0.0 << 4.0 << 0.0
        << int(QTextFormat::PageBreak_AlwaysBefore) << left;
    QTest::newRow("break after a column")
        << "fo:break-after=\"column\"" << 0.0 << 0.0 << 4.0 << 0.0
        << int(QTextFormat::PageBreak_AlwaysAfter) << left;
    QTest::newRow("auto breaks nothing") << "fo:break-before=\"auto\" fo:break-after=\"auto\""
                                         << 0.0 << 0.0 << 4.0 << 0.0 << 0 << left;
    QTest::newRow("centred") << "fo:text-align=\"center\"" << 0.0 << 0.0 << 4.0 << 0.0 << 0
                             << int(Qt::AlignCenter);
    QTest::newRow("huge margin clamped") << "fo:margin-left=\"1e300cm\"" << 100000.0 << 0.0 << 4.0
                                         << 0.0 << 0 << left;
    QTest::newRow("margin not finite") << "fo:margin-left=\"infcm\"" << 0.0 << 0.0 << 4.0 << 0.0
                                       << 0 << left;
}
// clang-format on

void TstOoStyles::blockFormat()
{
    QFETCH(QString, attributes);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, bottom);
    QFETCH(double, indent);
    QFETCH(int, pageBreak);
    QFETCH(int, alignment);

    OOReader reader { QString() };
    const QTextBlockFormat f = reader.TextBlockFormFromDom(
        propertiesElement(QStringLiteral("style:paragraph-properties"), attributes),
        DefaultMargin(QTextBlockFormat()));
    QCOMPARE(f.leftMargin(), left);
    QCOMPARE(f.rightMargin(), right);
    QCOMPARE(f.bottomMargin(), bottom);
    QCOMPARE(f.topMargin(), 4.0); // never read from the file
    QCOMPARE(f.textIndent(), indent);
    QCOMPARE(int(f.pageBreakPolicy()), pageBreak);
    QCOMPARE(int(f.alignment()), alignment);

    // The background of a paragraph.
    const QTextBlockFormat coloured = reader.TextBlockFormFromDom(
        propertiesElement(QStringLiteral("style:paragraph-properties"),
                          QStringLiteral("fo:background-color=\"rgb(1,2,3)\"")),
        QTextBlockFormat());
    QCOMPARE(coloured.background().color(), QColor(1, 2, 3));
}

// clang-format off
void TstOoStyles::alignment_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<int>("alignment");
    QTest::newRow("none") << "" << int(Qt::AlignLeft);
    QTest::newRow("capital and blank") << "fo:text-align=\"Center \"" << int(Qt::AlignCenter);
    QTest::newRow("end") << "fo:text-align=\"end\"" << int(Qt::AlignRight);
    QTest::newRow("right") << "fo:text-align=\"right\"" << int(Qt::AlignRight);
    QTest::newRow("justify") << "fo:text-align=\"justify\"" << int(Qt::AlignJustify);
    QTest::newRow("start") << "fo:text-align=\"start\"" << int(Qt::AlignLeft);
    QTest::newRow("inside") << "fo:text-align=\"inside\"" << int(Qt::AlignAbsolute);
    QTest::newRow("inherit") << "fo:text-align=\"inherit\"" << int(Qt::AlignAbsolute);
    QTest::newRow("unknown") << "fo:text-align=\"sideways\"" << int(Qt::AlignLeft);
    QTest::newRow("table align first") << "fo:text-align=\"center\" table:align=\"right\""
                                       << int(Qt::AlignRight);
    QTest::newRow("larger of the two") << "table:align=\"left\" fo:align=\"right\""
                                       << int(Qt::AlignRight);
    QTest::newRow("middle") << "fo:vertical-align=\"middle\" fo:text-align=\"right\""
                            << int(Qt::AlignVCenter);
    QTest::newRow("display centre") << "fo:display-align=\"center\"" << int(Qt::AlignVCenter);
}
// clang-format on

void TstOoStyles::alignment()
{
    QFETCH(QString, attributes);
    QFETCH(int, alignment);
    QCOMPARE(int(OOReader::TagAlignElement(
                 propertiesElement(QStringLiteral("style:paragraph-properties"), attributes))),
             alignment);
}

void TstOoStyles::defaults()
{
    QTextCharFormat seed;
    seed.setFontUnderline(true);
    const QTextCharFormat c = DefaultCharFormats(true, seed);
    QCOMPARE(c.fontStyleStrategy(), QFont::PreferAntialias);
    QVERIFY(c.fontUnderline());
    QCOMPARE(DefaultCharFormats(false, seed), c);

    const QTextBlockFormat b = DefaultMargin(QTextBlockFormat());
    QCOMPARE(b.topMargin(), 4.0);
    QCOMPARE(b.bottomMargin(), 4.0);
    QCOMPARE(b.leftMargin(), 0.0);
    QCOMPARE(b.rightMargin(), 0.0);
    QCOMPARE(b.alignment(), Qt::AlignLeft);

    const QTextCharFormat pre = PreFormatChar(QTextCharFormat());
    QCOMPARE(pre.fontFamilies().toStringList(), QStringList { "courier" });
    QCOMPARE(pre.fontPointSize(), 11.0);
    QVERIFY(pre.fontItalic());
    QCOMPARE(pre.foreground().color(), QColor(Qt::darkBlue));
    QCOMPARE(pre.fontLetterSpacing(), 90.0);
}

void TstOoStyles::elementCopy()
{
    const QDomDocument doc =
        parse("<style:style Style:Name=\"G1\" style:family=\"graphic\">"
              "text<style:graphic-properties fo:padding=\"1pt\">"
              "<inner/></style:graphic-properties><!-- note --></style:style>");
    const QByteArray copy = CatDomElement(doc.documentElement());
    const QDomDocument back = parse(copy);
    const QDomElement root = back.documentElement();
    QCOMPARE(root.tagName(), QStringLiteral("style:style"));
    QCOMPARE(root.attribute(QStringLiteral("style:name")), QStringLiteral("G1"));
    QVERIFY(!root.hasAttribute(QStringLiteral("Style:Name")));
    QCOMPARE(root.childNodes().count(), 1); // the text and the comment are dropped
    QVERIFY(!root.firstChildElement().firstChildElement(QStringLiteral("inner")).isNull());
    QVERIFY(CatDomElement(QDomElement()).isEmpty());
}

void TstOoStyles::libreOfficeStyles_data()
{
    QTest::addColumn<bool>("fresh");
    QTest::newRow("committed fixture") << false;
    QTest::newRow("fresh LibreOffice conversion") << true;
}

// The registry over the streams LibreOffice writes for styles.fodt: its own
// style names, lengths in inches, fonts declared in the content stream.
void TstOoStyles::libreOfficeStyles()
{
    QFETCH(bool, fresh);
    ZuvoTest::TempEnv env;
    QString odt = fixture(QStringLiteral("styles.odt"));
    if (fresh) {
        ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
        const QString source = fixture(QStringLiteral("src/styles.fodt"));
        QString log;
        QVERIFY2(
            ZuvoTest::officeConvert(soffice, { source }, QStringLiteral("odt"), env.path(), &log),
            qPrintable(log));
        odt = ZuvoTest::officeOutput(env.path(), source, QStringLiteral("odt"));
    }

    CZIP::QZipReader zip(odt);
    const QByteArray content = zip.fileData(QStringLiteral("content.xml"));
    const QByteArray styles = zip.fileData(QStringLiteral("styles.xml"));
    QVERIFY(!content.isEmpty());
    QVERIFY(!styles.isEmpty());

    OOReader reader { QString() };
    buildRegistry(reader, content, styles);
    const QDomElement body =
        parse(content).documentElement().firstChildElement(QStringLiteral("office:body"));
    auto styleOf = [&](const char *text) {
        const QString name = styleOfText(body, QString::fromUtf8(text));
        if (name.isEmpty())
            qWarning("no style for %s", text);
        return reader.css2.value(name);
    };

    QVERIFY(reader.fontFaceCount > 0);
    QCOMPARE(reader.standardFont.pointSize(), 10);
    QVERIFY(!reader.standardFont.family().startsWith(QLatin1Char('\'')));

    const QTextBlockFormat centred = styleOf("centred paragraph").format.toBlockFormat();
    QCOMPARE(centred.alignment(), Qt::AlignCenter);
    QVERIFY(near(centred.bottomMargin(), Unit(QStringLiteral("0.5cm"))));
    const OOReader::StyleInfo right = styleOf("right paragraph");
    QCOMPARE(right.format.toBlockFormat().alignment(), Qt::AlignRight);
    QVERIFY(near(right.format.toBlockFormat().leftMargin(), Unit(QStringLiteral("1cm"))));
    QCOMPARE(right.charFormat.foreground().color(), QColor(Qt::blue));
    QCOMPARE(styleOf("after the break").format.toBlockFormat().pageBreakPolicy(),
             QTextFormat::PageBreak_AlwaysBefore);

    QCOMPARE(styleOf("bold").charFormat.fontWeight(), int(QFont::Bold));
    QVERIFY(styleOf("italic").charFormat.fontItalic());
    QCOMPARE(styleOf("underlined").charFormat.underlineStyle(), QTextCharFormat::SingleUnderline);
    QCOMPARE(styleOf("red").charFormat.foreground().color(), QColor(Qt::red));
    QCOMPARE(styleOf("red").charFormat.background().color(), QColor(Qt::yellow));
    QCOMPARE(styleOf("ಕನ್ನಡ").charFormat.fontPointSize(), 16.0);
    QCOMPARE(styleOf("mono").charFormat.fontFamilies().toStringList(),
             QStringList { "Liberation Mono" });
    QVERIFY(styleOf("mono").charFormat.fontFixedPitch());
    QCOMPARE(styleOf("2").charFormat.verticalAlignment(), QTextCharFormat::AlignSuperScript);

    const QString tableStyle = body.firstChildElement()
                                   .firstChildElement(QStringLiteral("table:table"))
                                   .attribute(QStringLiteral("table:style-name"));
    const QTextTableFormat table = reader.css2.value(tableStyle).format.toTableFormat();
    QCOMPARE(table.alignment(), Qt::AlignCenter);
    QVERIFY(near(table.width().rawValue(), Unit(QStringLiteral("12cm"))));
    const QTextTableCellFormat cell = styleOf("cell a").format.toTableCellFormat();
    QVERIFY(near(cell.leftPadding(), Unit(QStringLiteral("0.1cm"))));
    QCOMPARE(cell.background().color(), QColor(0xcc, 0xcc, 0xcc));

    const QDomElement list =
        body.firstChildElement().firstChildElement(QStringLiteral("text:list"));
    QCOMPARE(reader.css2.value(list.attribute(QStringLiteral("text:style-name")))
                 .format.toListFormat()
                 .style(),
             QTextListFormat::ListDisc);
    const QDomElement numbered = list.nextSiblingElement(QStringLiteral("text:list"));
    QCOMPARE(reader.css2.value(numbered.attribute(QStringLiteral("text:style-name")))
                 .format.toListFormat()
                 .style(),
             QTextListFormat::ListDecimal);
}

QTEST_MAIN(TstOoStyles)
#include "tst_oostyles.moc"
