// The OpenDocument body conversion and the import driver over content streams
// and containers written by the tests: paragraphs, spans, links, spaces,
// lists, tables, frames, pictures, the content loader and its bounds.
#include "FoColorName.h"
#include "OOReader.h"
#include "odfdombuilder.h"
#include "odtwriter.h"
#include "testenv.h"
#include "tst_odfimportsupport.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

using namespace OdfTest;

namespace {

const QString Nbsp(QChar(0x00A0));

// Styles used by the format tests: bold and italic runs, an underlined one, a
// decimal list, a fixed column and a coloured cell.
const QString TestStyles = QStringLiteral(
    "<style:style style:name=\"T1\" style:family=\"text\">"
    "<style:text-properties fo:font-weight=\"bold\"/></style:style>"
    "<style:style style:name=\"T2\" style:family=\"text\">"
    "<style:text-properties fo:font-style=\"italic\"/></style:style>"
    "<style:style style:name=\"T3\" style:family=\"text\">"
    "<style:text-properties style:text-underline-style=\"solid\"/></style:style>"
    "<style:style style:name=\"P1\" style:family=\"paragraph\">"
    "<style:paragraph-properties fo:text-align=\"center\"/></style:style>"
    "<text:list-style style:name=\"L1\"><text:list-level-style-number text:level=\"1\" "
    "style:num-format=\"1\"/></text:list-style>"
    "<style:style style:name=\"Co1\" style:family=\"table-column\">"
    "<style:table-column-properties style:column-width=\"72pt\"/></style:style>"
    "<style:style style:name=\"Ce1\" style:family=\"table-cell\">"
    "<style:table-cell-properties fo:background-color=\"#00ff00\"/></style:style>"
    "<style:style style:name=\"fr1\" style:family=\"graphic\">"
    "<style:graphic-properties fo:background-color=\"#ffffff\"/></style:style>");

// The format of the character at the start of `needle` in the document.
QTextCharFormat formatAt(const QTextDocument *doc, const QString &needle)
{
    const QTextCursor found = doc->find(needle);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(found);
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextTable *firstTable(QTextDocument *doc)
{
    for (QTextFrame *f : doc->rootFrame()->childFrames())
        if (auto *t = qobject_cast<QTextTable *>(f))
            return t;
    return nullptr;
}

QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar(QChar::ParagraphSeparator), QLatin1Char('|'));
}

} // namespace

class TstOdfImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void bodyText_data();
    void bodyText();
    void savedPictureBetweenWords();
    void runFormats();
    void paragraphStyleFormats();
    void notes();
    void links();
    void softPageBreakIsNoBreak();
    void preformatted();
    void lists();
    void listWithoutStyle();
    void tables_data();
    void tables();
    void tableColumns();
    void tableCells();
    void textBox();
    void pictures();
    void pictureFiles();
    void ootrimmed_data();
    void ootrimmed();
    void domBuilder();
    void driver_data();
    void driver();
    void contentBound_data();
    void contentBound();
    void damagedContent_data();
    void damagedContent();
    void signalsOfAnImport();
    void secondReadKeepsResult();
    void duplicateMember();
    void smallPieces();
};

void TstOdfImport::initTestCase()
{
    setUnitDpi(96);
}

// clang-format off
void TstOdfImport::bodyText_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("expected");
    const QString p = QStringLiteral("<text:p text:style-name=\"Standard\">%1</text:p>");
    QTest::newRow("three paragraphs fill the first block")
        << p.arg("a") + p.arg("b") + p.arg("c") << QStringList { "a", "b", "c" };
    QTest::newRow("empty paragraph keeps its height") << p.arg("") << QStringList { Nbsp };
    QTest::newRow("spaces between spans are kept")
        << p.arg("<text:span text:style-name=\"T1\">bold</text:span> "
                 "<text:span text:style-name=\"T2\">italic</text:span>")
        << QStringList { "bold italic" };
    QTest::newRow("Kannada runs")
        << p.arg(QStringLiteral("<text:span>ಕನ್ನಡ</text:span> <text:span>ಭಾಷೆ</text:span>"))
        << QStringList { QStringLiteral("ಕನ್ನಡ ಭಾಷೆ") };
    QTest::newRow("text:s counted") << p.arg("x<text:s text:c=\"3\"/>y")
                                    << QStringList { "x   y" };
    QTest::newRow("text:s without count") << p.arg("x<text:s/>y") << QStringList { "x y" };
    QTest::newRow("text:s zero") << p.arg("x<text:s text:c=\"0\"/>y") << QStringList { "x y" };
    QTest::newRow("text:s negative") << p.arg("x<text:s text:c=\"-4\"/>y") << QStringList { "x y" };
    QTest::newRow("text:s capped") << p.arg("x<text:s text:c=\"2000000000\"/>y")
                                   << QStringList { "x" + QString(1000, QLatin1Char(' ')) + "y" };
    QTest::newRow("line break") << p.arg("a<text:line-break/>b")
                                << QStringList { "a" + QString(QChar(0x2028)) + "b" };
    QTest::newRow("tab") << p.arg("a<text:tab/>b<text:span>c<text:tab/>d</text:span>")
                         << QStringList { "a\tbc\td" };
    // White space as the format defines it: a run of spaces, tabs and line
    // ends is one space, across spans; none at the paragraph's start or
    // after another; text:s, text:tab and text:line-break stay as they are.
    QTest::newRow("line feeds in a text node") << p.arg("one\ntwo\nthree")
                                               << QStringList { "one two three" };
    QTest::newRow("pretty-printed paragraph")
        << p.arg("one<text:span>\n          two</text:span>\n        three   four")
        << QStringList { "one two three four" };
    QTest::newRow("pretty-printed heading")
        << QStringLiteral("<text:h text:outline-level=\"1\">\n  Title\t of <text:span>\n it</text:span>\n</text:h>")
        << QStringList { "Title of it " };
    QTest::newRow("white space after text:s, tab and line break stays")
        << p.arg("   lead<text:s/> s1 <text:s text:c=\"2\"/>  s2<text:tab/> t1 <text:line-break/> lb ")
        << QStringList { "lead  s1    s2\t t1 " + QString(QChar(0x2028)) + " lb " };
    QTest::newRow("white space across spans")
        << p.arg("trail   <text:span>  </text:span><text:span> x</text:span>")
        << QStringList { "trail x" };
    QTest::newRow("nested spans once each")
        << p.arg("<text:span text:style-name=\"T1\">a<text:span text:style-name=\"T2\">b</text:span>c</text:span>")
        << QStringList { "abc" };
    // An empty span is no character of the text.
    QTest::newRow("empty span") << p.arg("x<text:span/>y") << QStringList { "xy" };
    QTest::newRow("unknown inline element") << p.arg("a<text:bookmark text:name=\"m\"/>b")
                                            << QStringList { "ab" };
    QTest::newRow("headings are paragraphs")
        << QStringLiteral("<text:h text:outline-level=\"1\">Title</text:h>") + p.arg("x")
        << QStringList { "Title", "x" };
    QTest::newRow("what precedes the first paragraph")
        << QStringLiteral("<text:sequence-decls/><text:list text:style-name=\"L1\"><text:list-item>"
                          "<text:p>item</text:p></text:list-item></text:list>")
               + p.arg("after")
        << QStringList { "item", "after" };
    QTest::newRow("sections hold body text")
        << p.arg("a") + QStringLiteral("<text:section text:name=\"S\"><text:p>b</text:p></text:section>")
        << QStringList { "a", "b" };
    QTest::newRow("frames anchored to the page")
        << QStringLiteral("<draw:frame text:anchor-type=\"page\"><draw:text-box><text:p>boxed</text:p>"
                          "</draw:text-box></draw:frame>")
               + p.arg("after")
        << QStringList { "", "boxed", "after" };
    QTest::newRow("no style names at all")
        << QStringLiteral("<text:p>plain</text:p><text:p>text</text:p>")
        << QStringList { "plain", "text" };

    // Inline elements without a rule of their own show their text.
    QTest::newRow("references")
        << p.arg("A reference to <text:reference-ref text:ref-name=\"r\">Some text</text:reference-ref>, "
                 "<text:bookmark-ref text:ref-name=\"b\">A list item</text:bookmark-ref> and "
                 "<text:sequence-ref text:ref-name=\"s\">A header</text:sequence-ref>.")
        << QStringList { "A reference to Some text, A list item and A header." };
    QTest::newRow("fields")
        << p.arg("<text:page-number>3</text:page-number> <text:date>5/3/24</text:date> "
                 "<text:chapter>Intro</text:chapter> <text:title>T</text:title> "
                 "<text:sequence text:name=\"Figure\">2</text:sequence> "
                 "<text:expression text:formula=\"ooow:2+3\">5</text:expression> "
                 "<text:user-field-get text:name=\"u\">value</text:user-field-get> "
                 "<text:bibliography-mark text:identifier=\"K\">[K]</text:bibliography-mark> "
                 "<text:meta><text:span text:style-name=\"T1\">meta</text:span></text:meta>")
        << QStringList { "3 5/3/24 Intro T 2 5 value [K] meta" };
    QTest::newRow("fields shown as nothing")
        << p.arg("a<text:variable-set text:display=\"none\">9</text:variable-set>"
                 "<text:hidden-text text:is-hidden=\"true\">hidden</text:hidden-text>"
                 "<text:hidden-text text:is-hidden=\"false\">shown</text:hidden-text>b")
        << QStringList { "ashownb" };
    QTest::newRow("comments and descriptions stay out")
        << p.arg("a<office:annotation><text:p>comment</text:p></office:annotation>"
                 "<office:annotation-end/>b")
        << QStringList { "ab" };
    QTest::newRow("ruby: base and reading")
        << p.arg(QStringLiteral("<text:ruby><text:ruby-base>漢字</text:ruby-base>"
                                "<text:ruby-text>かんじ</text:ruby-text></text:ruby> x"))
        << QStringList { QStringLiteral("漢字(かんじ) x") };
    QTest::newRow("shape in the text: its paragraphs on lines of their own")
        << p.arg("a<draw:custom-shape><svg:title>no</svg:title><text:p>one</text:p>"
                 "<text:p>two</text:p></draw:custom-shape>b")
        << QStringList { "a\u2028one\u2028two\u2028b" };
    QTest::newRow("label of a numbered heading")
        << QStringLiteral("<text:h text:outline-level=\"1\"><text:number>2.</text:number>Title</text:h>")
        << QStringList { "2. Title" };

    // Containers of paragraphs besides sections.
    QTest::newRow("indexes")
        << QStringLiteral("<text:table-of-content><text:table-of-content-source>"
                          "<text:index-title-template>Template</text:index-title-template>"
                          "</text:table-of-content-source><text:index-body>"
                          "<text:index-title><text:p>Contents</text:p></text:index-title>"
                          "<text:p>Start<text:tab/>1</text:p></text:index-body></text:table-of-content>"
                          "<text:alphabetical-index><text:index-body><text:p>key, 1</text:p>"
                          "</text:index-body></text:alphabetical-index>"
                          "<text:illustration-index><text:index-body><text:p>Figure 1</text:p>"
                          "</text:index-body></text:illustration-index>")
        << QStringList { "Contents", "Start\t1", "key, 1", "Figure 1" };
    QTest::newRow("numbered paragraph")
        << QStringLiteral("<text:numbered-paragraph><text:number>1.</text:number>"
                          "<text:p>numbered</text:p></text:numbered-paragraph>")
        << QStringList { "numbered" };
    QTest::newRow("shape anchored to the page")
        << QStringLiteral("<draw:custom-shape><text:p>shape text</text:p></draw:custom-shape>") + p.arg("x")
        << QStringList { "shape text", "x" };
    QTest::newRow("deleted text stays out")
        << QStringLiteral("<text:tracked-changes><text:changed-region><text:deletion>"
                          "<text:p>gone</text:p></text:deletion></text:changed-region>"
                          "</text:tracked-changes>") + p.arg("kept")
        << QStringList { "kept" };
    QTest::newRow("sections in sections")
        << QStringLiteral("<text:section><text:p>a</text:p><text:section><text:p>b</text:p>"
                          "</text:section><text:p>c</text:p></text:section>")
        << QStringList { "a", "b", "c" };
}
// clang-format on

void TstOdfImport::bodyText()
{
    QFETCH(QString, body);
    QFETCH(QStringList, expected);
    OOReader reader { QString() };
    importContent(reader, content(body, TestStyles));
    QCOMPARE(blocks(reader.document), expected);
}

void TstOdfImport::runFormats()
{
    OOReader reader { QString() };
    importContent(
        reader,
        content("<text:p text:style-name=\"P1\"><text:span text:style-name=\"T1\">bold</text:span> "
                "<text:span text:style-name=\"T2\">italic</text:span> "
                "<text:span text:style-name=\"T3\">under</text:span>"
                "<text:span text:style-name=\"T1\">o<text:span text:style-name=\"T2\">x</text:span>"
                "<text:span text:style-name=\"Zz\">z</text:span></text:span></text:p>",
                TestStyles));
    const QTextDocument *doc = reader.document;
    QVERIFY(doc->begin().blockFormat().alignment() & Qt::AlignHCenter);
    QCOMPARE(formatAt(doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(!formatAt(doc, "bold").fontItalic());
    QVERIFY(formatAt(doc, "italic").fontItalic());
    QVERIFY(formatAt(doc, "italic").fontWeight() != int(QFont::Bold));
    QVERIFY(formatAt(doc, "under").fontUnderline());
    // The blank between two runs is plain text of the paragraph.
    QTextCursor c(const_cast<QTextDocument *>(doc));
    c.setPosition(5);
    QCOMPARE(doc->characterAt(4), QChar(' '));
    QVERIFY(c.charFormat().fontWeight() != int(QFont::Bold));
    QVERIFY(!c.charFormat().fontItalic());
    // A nested span takes the outer style first and its own over it.
    QVERIFY(formatAt(doc, "x").fontItalic());
    QCOMPARE(formatAt(doc, "z").fontWeight(), int(QFont::Bold));
}

void TstOdfImport::paragraphStyleFormats()
{
    // Paragraphs bold or italic as a whole: styles with text properties only,
    // or with them before the paragraph properties, under what spans state.
    const QString styles = TestStyles +
        QStringLiteral("<style:style style:name=\"PB\" style:family=\"paragraph\">"
                       "<style:text-properties fo:font-weight=\"bold\" "
                       "style:font-weight-complex=\"bold\"/></style:style>"
                       "<style:style style:name=\"PI\" style:family=\"paragraph\">"
                       "<style:text-properties fo:font-style=\"italic\"/>"
                       "<style:paragraph-properties fo:text-align=\"end\"/></style:style>"
                       "<style:style style:name=\"TN\" style:family=\"text\">"
                       "<style:text-properties fo:font-weight=\"normal\"/></style:style>");
    OOReader reader { QString() };
    importContent(
        reader,
        content(QStringLiteral(
                    "<text:p text:style-name=\"PB\">bold <text:span text:style-name=\"T2\">"
                    "both</text:span> <text:span text:style-name=\"TN\">light</text:span> "
                    "<text:span text:style-name=\"T2\">outer<text:span text:style-name=\"TN\">"
                    "nest</text:span></text:span> ದಪ್ಪ</text:p>"
                    "<text:p text:style-name=\"PI\">slanted</text:p>"
                    "<text:p text:style-name=\"PB\"/>"),
                styles));
    const QTextDocument *doc = reader.document;
    // clang-format off
    const struct { const char *needle; bool bold; bool italic; } runs[] = {
        { "bold", true, false }, { "both", true, true }, { "light", false, false },
        { "outer", true, true }, { "nest", false, true }, { "ದಪ್ಪ", true, false }, { "slanted", false, true },
    };
    // clang-format on
    for (const auto &run : runs) {
        const QTextCharFormat f = formatAt(doc, QString::fromUtf8(run.needle));
        QVERIFY2((f.fontWeight() == int(QFont::Bold)) == run.bold, run.needle);
        QVERIFY2(f.fontItalic() == run.italic, run.needle);
    }
    QVERIFY(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignRight);
    // An empty paragraph keeps its style's format for what is typed into it.
    const QTextBlock empty = doc->findBlockByNumber(2);
    QCOMPARE(empty.text(), Nbsp);
    QCOMPARE(empty.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(QTextCursor(empty).charFormat().fontWeight(), int(QFont::Bold));
}

void TstOdfImport::notes()
{
    const QString note = QStringLiteral(
        "<text:note text:note-class=\"%1\"><text:note-citation>%2</text:note-citation>"
        "<text:note-body>%3</text:note-body></text:note>");
    OOReader reader { QString() };
    importContent(
        reader,
        content(
            "<text:p text:style-name=\"Standard\">word" +
                note.arg("footnote", "1",
                         "<text:p>First note.</text:p><text:list text:style-name=\"L1\">"
                         "<text:list-item><text:p>listed</text:p></text:list-item></text:list>") +
                " more<text:span text:style-name=\"T1\">bold" +
                note.arg("endnote", "i",
                         "<text:p>End <text:span text:style-name=\"T2\">endword"
                         "</text:span>.</text:p>") +
                "</text:span></text:p>"
                "<table:table><table:table-column/><table:table-row><table:table-cell>"
                "<text:p>cell" +
                note.arg("footnote", "2", "<text:p>From a cell.</text:p>") +
                "</text:p></table:table-cell></table:table-row></table:table>"
                "<text:p>last</text:p>",
            TestStyles));
    const QTextDocument *doc = reader.document;
    QStringList all = blocks(doc);
    // The citation where it stands, the bodies after everything else, each
    // beginning with its citation.
    QCOMPARE(all.first(), QStringLiteral("word1 moreboldi"));
    QCOMPARE(all.mid(all.size() - 4),
             (QStringList { "1 First note.", "listed", "i End endword.", "2 From a cell." }));
    QVERIFY(all.contains(QStringLiteral("cell2")));
    QCOMPARE(all.indexOf(QStringLiteral("last")), all.size() - 5);
    QCOMPARE(formatAt(doc, QStringLiteral("1 ")).verticalAlignment(),
             QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatAt(doc, QStringLiteral("i End")).verticalAlignment(),
             QTextCharFormat::AlignSuperScript);
    QVERIFY(formatAt(doc, QStringLiteral("endword")).fontItalic());
    const QTextBlock listed = doc->findBlockByNumber(all.indexOf(QStringLiteral("listed")));
    QVERIFY(listed.textList() != nullptr);
    // The citation keeps the format of the run it stands in, raised.
    QTextCursor c(const_cast<QTextDocument *>(doc));
    c.setPosition(QStringLiteral("word1 moreboldi").size());
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

void TstOdfImport::links()
{
    OOReader reader { QString() };
    importContent(reader,
                  content("<text:p text:style-name=\"Standard\">one <text:a "
                          "xlink:href=\"http://example.org/x\">two</text:a> three "
                          "<text:a xlink:href=\"http://example.org/y\"><text:span "
                          "text:style-name=\"T1\">four</text:span></text:a></text:p>",
                          TestStyles));
    const QTextDocument *doc = reader.document;
    QCOMPARE(text(doc), QStringLiteral("one two three four"));
    const QTextCharFormat two = formatAt(doc, "two");
    QVERIFY(two.isAnchor());
    QCOMPARE(two.anchorHref(), QStringLiteral("http://example.org/x"));
    QCOMPARE(two.toolTip(), QStringLiteral("http://example.org/x"));
    QCOMPARE(two.foreground().color(), QColor("#dc0000"));
    for (const char *plain : { "one", "three" }) {
        const QTextCharFormat f = formatAt(doc, plain);
        QVERIFY2(!f.isAnchor() && f.toolTip().isEmpty(), plain);
        QVERIFY(f.foreground().color() != QColor("#dc0000"));
    }
    const QTextCharFormat four = formatAt(doc, "four");
    QVERIFY(four.isAnchor());
    QCOMPARE(four.anchorHref(), QStringLiteral("http://example.org/y"));
    QCOMPARE(four.fontWeight(), int(QFont::Bold));
}

void TstOdfImport::softPageBreakIsNoBreak()
{
    OOReader reader { QString() };
    importContent(
        reader,
        content("<text:p text:style-name=\"Standard\">a</text:p>"
                "<text:soft-page-break/>"
                "<text:p text:style-name=\"Standard\">b<text:soft-page-break/>c</text:p>"));
    QCOMPARE(blocks(reader.document), (QStringList { "a", "bc" }));
    for (QTextBlock b = reader.document->begin(); b.isValid(); b = b.next())
        QCOMPARE(int(b.blockFormat().pageBreakPolicy()), int(QTextFormat::PageBreak_Auto));
}

void TstOdfImport::preformatted()
{
    OOReader reader { QString() };
    importContent(reader, content("<text:p text:style-name=\"Standard\"><![CDATA[a<b]]></text:p>"));
    // The section's text is text, not markup.
    QCOMPARE(text(reader.document).trimmed(), QStringLiteral("a<b"));
}

void TstOdfImport::lists()
{
    OOReader reader { QString() };
    importContent(reader,
                  content("<text:p text:style-name=\"Standard\">before</text:p>"
                          "<text:list text:style-name=\"L1\">"
                          "<text:list-item><text:p>parent</text:p>"
                          "<text:list><text:list-item><text:p>child one</text:p></text:list-item>"
                          "<text:list-item><text:p>child two</text:p></text:list-item></text:list>"
                          "<text:p>parent again</text:p></text:list-item>"
                          "<text:list-item><text:h>second</text:h></text:list-item>"
                          "<text:list-item><text:p>third</text:p></text:list-item>"
                          "</text:list>"
                          "<text:p text:style-name=\"Standard\">after</text:p>",
                          TestStyles));
    const QTextDocument *doc = reader.document;
    QCOMPARE(blocks(doc),
             (QStringList { "before", "parent", "child one", "child two", "parent again", "second",
                            "third", "after" }));
    QList<int> indents;
    QList<QTextList *> lists;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        indents << (b.textList() ? b.textList()->format().indent() : 0);
        lists << b.textList();
    }
    QCOMPARE(indents, (QList<int> { 0, 1, 2, 2, 1, 1, 1, 0 }));
    QVERIFY(lists.at(1) == lists.at(4) && lists.at(1) == lists.at(6));
    QVERIFY(lists.at(2) == lists.at(3) && lists.at(2) != lists.at(1));
    QCOMPARE(lists.at(1)->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(lists.at(1)->count(), 4);
}

void TstOdfImport::listWithoutStyle()
{
    // A list whose style is missing or unknown keeps its text.
    OOReader reader { QString() };
    importContent(
        reader,
        content("<text:p text:style-name=\"Standard\">x</text:p>"
                "<text:list><text:list-item><text:p>a</text:p></text:list-item></text:list>"
                "<text:list "
                "text:style-name=\"Nowhere\"><text:list-item><text:p>b</text:p></text:list-item></"
                "text:list>"));
    QCOMPARE(blocks(reader.document), (QStringList { "x", "a", "b" }));
    QTextBlock b = reader.document->begin().next();
    QVERIFY(b.textList() != nullptr);
    QCOMPARE(b.textList()->format().style(), QTextListFormat::ListDisc);
}

// clang-format off
void TstOdfImport::tables_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("firstRow"); // cell texts joined by ","

    const QString row2 = QStringLiteral("<table:table-row><table:table-cell><text:p>%1</text:p></table:table-cell>"
                                        "<table:table-cell><text:p>%2</text:p></table:table-cell></table:table-row>");
    QTest::newRow("three unstyled columns")
        << QStringLiteral("<table:table table:name=\"T\"><table:table-column table:number-columns-repeated=\"3\"/>%1%2</table:table>")
               .arg(row2.arg("a", "b"), row2.arg("c", "d"))
        << 2 << 3 << "a,b,";
    QTest::newRow("row groups")
        << QStringLiteral("<table:table><table:table-column table:number-columns-repeated=\"2\"/>"
                          "<table:table-header-rows>%1</table:table-header-rows>"
                          "<table:table-rows>%2</table:table-rows>"
                          "<table:table-row-group>%3<table:table-row-group>%4</table:table-row-group></table:table-row-group>"
                          "</table:table>")
               .arg(row2.arg("h1", "h2"), row2.arg("r1", "x"), row2.arg("g1", "x"), row2.arg("g2", "x"))
        << 4 << 2 << "h1,h2";
    QTest::newRow("no column declarations")
        << QStringLiteral("<table:table>%1</table:table>").arg(row2.arg("a", "b")) << 1 << 2 << "a,b";
    QTest::newRow("cell beyond the columns is dropped")
        << QStringLiteral("<table:table><table:table-column/>%1</table:table>").arg(row2.arg("a", "b"))
        << 1 << 1 << "a";
}
// clang-format on

void TstOdfImport::tables()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, firstRow);
    OOReader reader { QString() };
    importContent(reader,
                  content("<text:p text:style-name=\"Standard\">before</text:p>" + table +
                          "<text:p text:style-name=\"Standard\">after</text:p>"));
    QTextTable *t = firstTable(reader.document);
    QVERIFY(t != nullptr);
    QCOMPARE(t->rows(), rows);
    QCOMPARE(t->columns(), columns);
    QStringList first;
    for (int c = 0; c < columns; ++c)
        first << cellText(t, 0, c);
    QCOMPARE(first.join(','), firstRow);
    QCOMPARE(blocks(reader.document).first(), QStringLiteral("before"));
    QCOMPARE(blocks(reader.document).last(), QStringLiteral("after"));
}

void TstOdfImport::tableColumns()
{
    OOReader reader { QString() };
    importContent(
        reader,
        content(
            "<text:p text:style-name=\"Standard\">x</text:p>"
            "<table:table table:style-name=\"Nope\"><table:table-column table:style-name=\"Co1\"/>"
            "<table:table-column table:number-columns-repeated=\"2\"/>"
            "<table:table-column table:style-name=\"Unknown\"/>"
            "<table:table-row><table:table-cell/></table:table-row></table:table>"
            "<table:table><table:table-column table:number-columns-repeated=\"7\"/></table:table>"
            "<table:table><table:table-column table:number-columns-repeated=\"50000\"/>"
            "<table:table-row><table:table-cell/></table:table-row></table:table>",
            TestStyles));
    QList<QTextTable *> tables;
    for (QTextFrame *f : reader.document->rootFrame()->childFrames())
        if (auto *t = qobject_cast<QTextTable *>(f))
            tables << t;
    // The table of columns without rows inserts no table.
    QCOMPARE(tables.size(), 2);
    const QTextTableFormat f = tables.at(0)->format();
    QCOMPARE(f.width(), QTextLength(QTextLength::PercentageLength, 100));
    const QList<QTextLength> widths = f.columnWidthConstraints();
    QCOMPARE(widths.size(), 4);
    QCOMPARE(widths.at(0), QTextLength(QTextLength::FixedLength, 72));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(widths.at(i), QTextLength(QTextLength::PercentageLength, 25));
    QCOMPARE(tables.at(1)->columns(), int(OOReader::MaxTableColumns));
}

void TstOdfImport::tableCells()
{
    OOReader reader { QString() };
    importContent(
        reader,
        content("<text:p text:style-name=\"Standard\">x</text:p>"
                "<table:table><table:table-column table:number-columns-repeated=\"3\"/>"
                "<table:table-row><table:table-cell table:number-columns-spanned=\"2\" "
                "table:style-name=\"Ce1\"><text:p>wide</text:p></table:table-cell>"
                "<table:covered-table-cell><text:p>hidden</text:p></table:covered-table-cell>"
                "<table:table-cell "
                "table:number-rows-spanned=\"2\"><text:p>tall</text:p></table:table-cell></"
                "table:table-row>"
                "<table:table-row><table:table-cell table:number-columns-spanned=\"2\" "
                "table:number-rows-spanned=\"2\">"
                "<text:p>one</text:p><text:p>two</text:p></table:table-cell>"
                "<table:covered-table-cell/><table:covered-table-cell/></table:table-row>"
                "<table:table-row><table:covered-table-cell/><table:covered-table-cell/>"
                "<table:table-cell><table:table><table:table-column/>"
                "<table:table-row><table:table-cell><text:p>inner</text:p></table:table-cell></"
                "table:table-row></table:table>"
                "<text:p>below inner</text:p></table:table-cell></table:table-row>"
                "</table:table>",
                TestStyles));
    QTextTable *t = firstTable(reader.document);
    QVERIFY(t != nullptr);
    QCOMPARE(t->cellAt(0, 0).columnSpan(), 2);
    QCOMPARE(cellText(t, 0, 0), QStringLiteral("wide"));
    QVERIFY(!text(reader.document).contains(QStringLiteral("hidden")));
    QCOMPARE(t->cellAt(0, 0).format().background().color(), QColor(0, 255, 0));
    QCOMPARE(t->cellAt(0, 2).rowSpan(), 2);
    // Both spans: the cell covers the rows and the columns.
    QCOMPARE(t->cellAt(1, 0).columnSpan(), 2);
    QCOMPARE(t->cellAt(1, 0).rowSpan(), 2);
    QCOMPARE(cellText(t, 1, 0), QStringLiteral("one|two"));
    // A table in a cell, and the cell's text after it.
    const QString last = cellText(t, 2, 2);
    QVERIFY2(last.contains(QStringLiteral("inner")) && last.endsWith(QStringLiteral("below inner")),
             qPrintable(last));
    const QList<QTextFrame *> inCell = t->childFrames();
    QCOMPARE(inCell.size(), 1);
    QVERIFY(qobject_cast<QTextTable *>(inCell.first()) != nullptr);
}

void TstOdfImport::textBox()
{
    OOReader reader { QString() };
    importContent(reader,
                  content("<text:p text:style-name=\"Standard\">before<draw:frame "
                          "draw:style-name=\"fr1\" svg:width=\"144pt\" svg:height=\"72pt\">"
                          "<draw:text-box><text:p>box one</text:p><text:p>box "
                          "two</text:p></draw:text-box></draw:frame>after</text:p>"
                          "<text:p "
                          "text:style-name=\"Standard\">next<text:span><draw:frame><draw:text-box><"
                          "text:p>inline</text:p>"
                          "</draw:text-box></draw:frame></text:span></text:p>",
                          TestStyles));
    // A box in a span (anchored to a character of the run) is a box too.
    const QList<QTextFrame *> frames = reader.document->rootFrame()->childFrames();
    QCOMPARE(frames.size(), 2);
    const auto inside = [](QTextFrame *box) {
        QStringList texts;
        for (QTextFrame::iterator it = box->begin(); !it.atEnd(); ++it)
            if (it.currentBlock().isValid())
                texts << it.currentBlock().text();
        return texts;
    };
    QTextFrame *box = frames.first();
    QCOMPARE(box->frameFormat().width(), QTextLength(QTextLength::FixedLength, 144));
    QCOMPARE(box->frameFormat().height(), QTextLength(QTextLength::FixedLength, 72));
    QCOMPARE(inside(box), (QStringList { "box one", "box two" }));
    QCOMPARE(inside(frames.at(1)), QStringList { "inline" });
    const QStringList all = blocks(reader.document);
    QCOMPARE(all.first(), QStringLiteral("before"));
    QVERIFY(all.contains(QStringLiteral("after")));
    QVERIFY(all.contains(QStringLiteral("next")));
}

void TstOdfImport::pictures()
{
    const QByteArray picture = png(5, 7);
    OOReader reader { QString() };
    importContent(
        reader,
        content("<text:p text:style-name=\"Standard\">"
                "<draw:frame draw:style-name=\"fr1\" svg:width=\"30pt\" "
                "svg:height=\"20pt\"><draw:image xlink:href=\"Pictures/a.png\"/></draw:frame>"
                "<draw:frame draw:style-name=\"Graphics\"><draw:image "
                "xlink:href=\"./Pictures/a.png\"/></draw:frame>"
                "<draw:frame svg:width=\"0cm\"><draw:image "
                "xlink:href=\"Pictures/missing.png\"/></draw:frame>"
                "<draw:frame><draw:image xlink:href=\"media/b.png\"/></draw:frame>"
                "</text:p>",
                TestStyles),
        { { QStringLiteral("Pictures/a.png"), picture },
          { QStringLiteral("media/b.png"), png(2, 2) } });
    QList<QTextImageFormat> images;
    for (QTextBlock b = reader.document->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images << it.fragment().charFormat().toImageFormat();
    QCOMPARE(images.size(), 4);
    QCOMPARE(reader.imageCount, 4);
    const QRegularExpression name(QStringLiteral("^\\d+-\\d{3}1-graphic-frame$"));
    QVERIFY2(name.match(images.at(0).name()).hasMatch(), qPrintable(images.at(0).name()));
    QCOMPARE(images.at(0).toolTip(), images.at(0).name());
    QCOMPARE(images.at(0).width(), 30.0);
    QCOMPARE(images.at(0).height(), 20.0);
    QVERIFY(!images.at(2).hasProperty(QTextFormat::ImageWidth));
    const QList<bool> present { true, true, false, true };
    for (int i = 0; i < images.size(); ++i) {
        const QVariant r =
            reader.document->resource(QTextDocument::ImageResource, QUrl(images.at(i).name()));
        QCOMPARE(r.isValid() && !r.value<QImage>().isNull(), present.at(i));
    }
    QCOMPARE(reader.document->resource(QTextDocument::ImageResource, QUrl(images.at(0).name()))
                 .value<QImage>()
                 .size(),
             QSize(5, 7));
}

void TstOdfImport::pictureFiles()
{
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("pics/near.png"), png(3, 3)));
    QVERIFY(env.writeFile(QStringLiteral("pics/not-a-picture.png"), "hello"));
    QDir().mkpath(env.filePath(QStringLiteral("pics/folder.png")));
    const QString docPath = env.filePath(QStringLiteral("pics/doc.odt"));
    const QString fileUrl =
        QUrl::fromLocalFile(env.filePath(QStringLiteral("pics/near.png"))).toString();
    const QStringList links {
        fileUrl,
        QStringLiteral("../near.png"),
        QUrl::fromLocalFile(env.filePath(QStringLiteral("pics/folder.png"))).toString(),
        QStringLiteral("file:///dev/zero"),
        QUrl::fromLocalFile(env.filePath(QStringLiteral("pics/not-a-picture.png"))).toString(),
        QStringLiteral("../absent.png")
    };
    QString body = QStringLiteral("<text:p text:style-name=\"Standard\">");
    for (const QString &l : links)
        body += QStringLiteral("<draw:frame><draw:image xlink:href=\"%1\"/></draw:frame>").arg(l);
    body += QStringLiteral("</text:p>");
    QVERIFY(writeOdt(docPath, { { "content.xml", content(body) }, { "styles.xml", stylesXml() } }));
    OOReader reader(docPath);
    QSignalSpy ready(&reader, &OOReader::ready);
    reader.read();
    QCOMPARE(ready.count(), 1);
    QList<bool> present;
    for (QTextBlock b = reader.document->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                present << reader.document
                               ->resource(QTextDocument::ImageResource,
                                          QUrl(it.fragment().charFormat().toImageFormat().name()))
                               .isValid();
    QCOMPARE(present, (QList<bool> { true, true, false, false, false, false }));
}

// clang-format off
void TstOdfImport::ootrimmed_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("transform");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks") << "  a   b " << "none" << Nbsp + "a b" + Nbsp;
    QTest::newRow("capitalize") << "hELLO wORLD" << "capitalize" << "Hello world";
    QTest::newRow("uppercase") << "ab" << "uppercase" << "AB";
    QTest::newRow("lowercase") << "AB" << "lowercase" << "ab";
    QTest::newRow("entities") << "a &amp; b &lt;c&gt;" << "none" << "a & b <c>";
    QTest::newRow("empty") << "" << "none" << "";
}
// clang-format on

void TstOdfImport::ootrimmed()
{
    QFETCH(QString, input);
    QFETCH(QString, transform);
    QFETCH(QString, expected);
    QCOMPARE(::ootrimmed(input, transform), expected);
}

void TstOdfImport::domBuilder()
{
    QDomDocument doc;
    QVERIFY(buildOdfDom(
        "<r>\n <a:p><s>x</s> <s>y</s></a:p>\n <text:p><s>x</s> <s>y</s></text:p> <![CDATA[ ]]></r>",
        doc));
    const QDomElement root = doc.documentElement();
    QCOMPARE(root.childNodes().count(), 3); // no white space between the elements; CDATA stays
    QCOMPARE(root.firstChildElement("a:p").childNodes().count(), 2);
    QCOMPARE(root.firstChildElement("text:p").childNodes().count(), 3);
    QVERIFY(root.lastChild().isCDATASection());

    QString error;
    QVERIFY(!buildOdfDom("<r><a></r>", doc, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(doc.isNull());

    // Nesting past the bound is left out, the rest stays.
    QByteArray deep = "<r><text:p>top";
    for (int i = 0; i < 5000; ++i)
        deep += "<text:span>x";
    for (int i = 0; i < 5000; ++i)
        deep += "</text:span>";
    deep += "</text:p><text:p>next</text:p></r>";
    QVERIFY(buildOdfDom(deep, doc, nullptr, 256));
    QCOMPARE(doc.documentElement().childNodes().count(), 2);
    int depth = 0;
    for (QDomElement e = doc.documentElement(); !e.isNull(); e = e.firstChildElement())
        ++depth;
    QVERIFY(depth <= 257);
    // And the whole import over it converts what is left.
    OOReader reader { QString() };
    importContent(reader, content(QString::fromUtf8(deep.mid(3, deep.size() - 7))));
    QVERIFY(text(reader.document).startsWith(QStringLiteral("topx")));
    QVERIFY(text(reader.document).endsWith(QStringLiteral("next")));
}

// clang-format off
void TstOdfImport::driver_data()
{
    QTest::addColumn<QByteArray>("file"); // bytes of the file, or a container marker
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("progress");
    QTest::addColumn<QString>("error");
    const QString notADocument = "The file is not an OpenDocument text: it has no content.";
    const QString damaged = "The document is damaged: only the text before the damage could be read.";
    QTest::newRow("plain text named odt") << QByteArray("just text\n") << "" << false << notADocument;
    QTest::newRow("container without content") << QByteArray("zip:") << "" << false << notADocument;
    QTest::newRow("content not well-formed") << QByteArray("zip:<office:document-content><text:p>") << "" << true
                                             << damaged;
    QTest::newRow("content without paragraphs")
        << QByteArray("zip:<office:document-content><office:body><office:text/></office:body></office:document-content>")
        << "" << false << "";
    QTest::newRow("only a heading")
        << QByteArray("zip:<office:document-content><office:body><office:text><text:h>H</text:h></office:text></office:body></office:document-content>")
        << "H" << true << "";
}
// clang-format on

void TstOdfImport::driver()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    QFETCH(bool, progress);
    QFETCH(QString, error);
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("doc.odt"));
    if (file.startsWith("zip:")) {
        QList<QPair<QString, QByteArray>> members;
        if (file.size() > 4)
            members.append({ QStringLiteral("content.xml"), file.mid(4) });
        members.append({ QStringLiteral("styles.xml"), stylesXml() });
        QVERIFY(writeOdt(path, members));
    } else {
        QVERIFY(env.writeFile(QStringLiteral("doc.odt"), file));
    }
    OOReader reader(path);
    QSignalSpy ready(&reader, &OOReader::ready);
    QSignalSpy status(&reader, &OOReader::statusRead);
    QSignalSpy errors(&reader, &OOReader::setError);
    reader.read();
    QCOMPARE(ready.count(), 1);
    QCOMPARE(!status.isEmpty(), progress);
    QCOMPARE(reader.document->toPlainText(), expected);
    QCOMPARE(errors.isEmpty() ? QString() : errors.first().first().toString(), error);
}

void TstOdfImport::contentBound_data()
{
    QTest::addColumn<QString>("member"); // the stream made large
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("understated"); // the archive claims a small size
    QTest::addColumn<bool>("opened");
    const qint64 cap = OOReader::MaxXmlMemberSize;
    QTest::newRow("content at the bound") << "content.xml" << cap << false << true;
    QTest::newRow("content over the bound") << "content.xml" << cap + 1 << false << false;
    QTest::newRow("content over, size understated") << "content.xml" << cap + 1 << true << false;
    QTest::newRow("styles over the bound") << "styles.xml" << cap + 1 << false << false;
    QTest::newRow("settings over the bound") << "settings.xml" << cap + 1 << false << true;
}

// The streams of a document are bounded far below pictures: one over the
// bound is refused with a message, one at it is read. Both are mostly white
// space between elements, which costs little to convert.
void TstOdfImport::contentBound()
{
    QFETCH(QString, member);
    QFETCH(qint64, size);
    QFETCH(bool, understated);
    QFETCH(bool, opened);
    const auto padded = [size](QByteArray xml) {
        const qsizetype end = xml.lastIndexOf("</office:document-content>");
        xml.insert(end, QByteArray(size - xml.size(), ' '));
        return xml;
    };
    QByteArray contentXml = content("<text:p>kept</text:p>");
    QByteArray styles = stylesXml();
    QByteArray settings = "<office:document-settings/>";
    if (member == QLatin1String("content.xml"))
        contentXml = padded(contentXml);
    else if (member == QLatin1String("styles.xml"))
        styles.insert(styles.size() - int(sizeof("</office:document-styles>")) + 1,
                      QByteArray(size - styles.size(), ' '));
    else
        settings.append(QByteArray(size - settings.size(), ' '));
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("big.odt"));
    CZIP::QZipWriter zip(path);
    zip.addFile(QStringLiteral("content.xml"), contentXml);
    zip.addFile(QStringLiteral("styles.xml"), styles);
    zip.addFile(QStringLiteral("settings.xml"), settings);
    zip.close();
    QVERIFY(zip.status() == CZIP::QZipWriter::NoError);
    contentXml.clear();
    styles.clear();
    settings.clear();
    if (understated) {
        // Central and local headers both claim 1000 bytes for the member.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        const QByteArray name = member.toLatin1();
        for (const char *signature : { "PK\x01\x02", "PK\x03\x04" }) {
            const int offset = qstrcmp(signature, "PK\x01\x02") == 0 ? 24 : 22;
            const int nameAt = qstrcmp(signature, "PK\x01\x02") == 0 ? 46 : 30;
            for (qsizetype at = bytes.indexOf(signature); at >= 0;
                 at = bytes.indexOf(signature, at + 4)) {
                if (bytes.mid(at + nameAt, name.size()) == name) {
                    bytes[at + offset] = char(0xe8);
                    bytes[at + offset + 1] = char(0x03);
                    bytes[at + offset + 2] = 0;
                    bytes[at + offset + 3] = 0;
                }
            }
        }
        f.seek(0);
        QVERIFY(f.write(bytes) == bytes.size());
    }

    OOReader reader(path);
    QSignalSpy ready(&reader, &OOReader::ready);
    QSignalSpy errors(&reader, &OOReader::setError);
    if (!opened)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^QZip: %1 (is larger|inflates)")
                                                    .arg(QRegularExpression::escape(member))));
    else if (member == QLatin1String("settings.xml"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^QZip: settings")));
    reader.read();
    QCOMPARE(ready.count(), 1);
    QCOMPARE(reader.document->toPlainText(), opened ? QStringLiteral("kept") : QString());
    QCOMPARE(errors.isEmpty() ? QString() : errors.first().first().toString(),
             opened ? QString() : QStringLiteral("The document is too large to open."));
    // The body is converted as it is read and not kept as a tree.
    if (opened)
        QVERIFY(reader.contentDom.documentElement()
                    .firstChildElement(QStringLiteral("office:body"))
                    .firstChildElement(QStringLiteral("office:text"))
                    .firstChild()
                    .isNull());
}

void TstOdfImport::damagedContent_data()
{
    QTest::addColumn<int>("keep"); // bytes of the stream kept, from the end of "third"
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("cut inside a paragraph") << 0 << QStringList { "first", "second" };
    // Cut before the first paragraph begins: no text, but still damaged.
    QTest::newRow("cut before any paragraph") << -1 << QStringList { QString() };
}

void TstOdfImport::damagedContent()
{
    QFETCH(int, keep);
    QFETCH(QStringList, expected);
    // What comes before the damage is kept, and the user is told.
    QByteArray broken = content(QStringLiteral("<text:p>first</text:p><text:p>second</text:p>"
                                               "<text:p>third"));
    if (keep < 0)
        broken.truncate(broken.indexOf("<text:p>first"));
    else
        broken.truncate(broken.indexOf("third") + 5);
    OOReader reader { QString() };
    QSignalSpy errors(&reader, &OOReader::setError);
    QSignalSpy ready(&reader, &OOReader::ready);
    importContent(reader, broken);
    QCOMPARE(blocks(reader.document), expected);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(),
             QStringLiteral("The document is damaged: only the text before the damage could be "
                            "read."));
}

void TstOdfImport::signalsOfAnImport()
{
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("doc.odt"));
    QVERIFY(
        writeOdt(path,
                 { { "content.xml",
                     content("<text:p text:style-name=\"Standard\">a</text:p>"
                             "<text:list "
                             "text:style-name=\"L1\"><text:list-item><text:p>b</text:p></"
                             "text:list-item></text:list>"
                             "<text:p text:style-name=\"Standard\">c<text:page-number/></text:p>",
                             TestStyles) },
                   { "styles.xml", stylesXml() } }));
    OOReader missing(env.filePath(QStringLiteral("absent.odt")));
    QSignalSpy missingReady(&missing, &OOReader::ready);
    QSignalSpy missingStatus(&missing, &OOReader::statusRead);
    missing.read();
    QCOMPARE(missingReady.count(), 1);
    QCOMPARE(missingStatus.count(), 0);

    OOReader reader(path);
    QList<QString> order;
    connect(&reader, &OOReader::statusRead, this, [&order](int current, int total) {
        order << QStringLiteral("%1/%2").arg(current).arg(total);
    });
    connect(&reader, &OOReader::ready, this, [&order] { order << QStringLiteral("ready"); });
    QSignalSpy error(&reader, &OOReader::setError);
    reader.read();
    // "<text:p" occurs four times (the page-number field too): the total.
    QCOMPARE(order, (QList<QString> { "0/4", "1/4", "3/4", "4/4", "4/4", "ready" }));
    QCOMPARE(error.count(), 0);
    QCOMPARE(blocks(reader.document), (QStringList { "a", "b", "c" }));
    QVERIFY(reader.bodyRead);
}

void TstOdfImport::secondReadKeepsResult()
{
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("doc.odt"));
    QVERIFY(writeOdt(path, { { "content.xml", content("<text:p>kept</text:p>") } }));
    OOReader reader(path);
    QSignalSpy ready(&reader, &OOReader::ready);
    reader.read();
    reader.read();
    QCOMPARE(ready.count(), 2);
    QCOMPARE(reader.document->toPlainText(), QStringLiteral("kept"));
    QVERIFY(reader.noStylesFile);
}

void TstOdfImport::duplicateMember()
{
    ZuvoTest::TempEnv env;
    const QString path = env.filePath(QStringLiteral("doc.odt"));
    QVERIFY(writeOdt(path,
                     { { "content.xml", content("<text:p>first</text:p>") },
                       { "content.xml", content("<text:p>second</text:p>") } }));
    const QMap<QString, QByteArray> members = unzipstream(path);
    QCOMPARE(members.keys(), (QStringList { "content.xml", "mimetype" }));
    OOReader reader(path);
    reader.read();
    QCOMPARE(reader.document->toPlainText(), QStringLiteral("first"));
    QVERIFY(unzipstream(env.filePath(QStringLiteral("none.odt"))).isEmpty());
}

void TstOdfImport::smallPieces()
{
    const ReadWriteBuf empty;
    QVERIFY(empty.buffer->isOpen() && empty.buffer->isWritable() && empty.buffer->data().isEmpty());
    const ReadWriteBuf filled(QStringLiteral("<ಕ/>"));
    QCOMPARE(filled.buffer->pos(), 0);
    QCOMPARE(filled.buffer->data(), QStringLiteral("<ಕ/>").toUtf8());

    const QTextFrameFormat frame = DefaultFrameFormat();
    QCOMPARE(frame.borderBrush().color(), QColor(Qt::blue));
    QCOMPARE(frame.borderStyle(), QTextFrameFormat::BorderStyle_Solid);
    QCOMPARE(frame.border(), 0.6);

    // Start elements and texts are copied, white space dropped (but for a
    // CDATA section's, which becomes a comment), and one element closed.
    QByteArray in("<a:b x=\"1\">t <c/>\n <![CDATA[ ]]></a:b>");
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer sink(&out);
    sink.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&sink);
    ChildImport copier(&source);
    copier.copyDeep(&source, writer);
    QVERIFY(!source.isOpen());
    QCOMPARE(out, QByteArray("<a:b x=\"1\">t <c><!-- --></c>"));
}

// A picture between two words, saved and opened again: one space on each
// side, as typed.
void TstOdfImport::savedPictureBetweenWords()
{
    ZuvoTest::TempEnv env;
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic.png")),
                    QImage::fromData(OdfTest::png()));
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("word "));
    QTextImageFormat image;
    image.setName(QStringLiteral("pic.png"));
    cursor.insertImage(image);
    cursor.insertText(QStringLiteral(" word"));
    const QString path = env.filePath(QStringLiteral("picture.odt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(OdtWriter().write(doc, &file));
    file.close();

    OOReader reader(path);
    reader.read();
    QVERIFY(reader.document);
    QCOMPARE(OdfTest::text(reader.document),
             QStringLiteral("word ") + QChar(QChar::ObjectReplacementCharacter) +
                 QStringLiteral(" word"));
}

QTEST_MAIN(TstOdfImport)
#include "tst_odfimport.moc"
