#include "xmlhighlighter.h"
#include "xmltextedit.h"

#include "messageboxwatcher.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest/QTest>

namespace {

// The foreground colour the highlighter gave to character `pos` of line `line`.
QColor colourAt(QTextDocument *document, int line, int pos)
{
    const QTextBlock block = document->findBlockByNumber(line);
    const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        if (pos >= range.start && pos < range.start + range.length)
            return range.format.foreground().color();
    }
    return QColor();
}

const QColor syntaxChar = Qt::blue;
const QColor elementName = Qt::darkRed;
const QColor comment = Qt::darkGreen;
const QColor attributeName = Qt::red;
const QColor attributeValue = Qt::darkGreen;
const QColor error = Qt::darkMagenta;
const QColor other = Qt::black;

} // namespace

class TestXmlTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void highlightsOneLine_data();
    void highlightsOneLine();
    void commentOverSeveralLines();
    void tagOverTwoLines();
    void closingACommentEndsItOnFollowingLines();
    void colourCanBeReplaced();
    void syntaxCheck_data();
    void syntaxCheck();
    void setPlainTextReindentsValidXml();
    void zoomKeys();
    void lineNumberMargin();
    void contextMenuEntries();
};

void TestXmlTextEdit::highlightsOneLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QColor>("colour");
    const QString tag = QStringLiteral("<note lang='kn'>");
    QTest::newRow("open bracket") << tag << 0 << syntaxChar;
    QTest::newRow("element name") << tag << 1 << elementName;
    QTest::newRow("element name end") << tag << 4 << elementName;
    QTest::newRow("attribute name") << tag << 6 << attributeName;
    QTest::newRow("equals") << tag << 10 << other;
    QTest::newRow("opening quote") << tag << 11 << other;
    QTest::newRow("value") << tag << 12 << attributeValue;
    QTest::newRow("closing quote") << tag << 14 << other;
    QTest::newRow("close bracket") << tag << 15 << syntaxChar;
    const QString end = QStringLiteral("</note>");
    QTest::newRow("end tag slash") << end << 1 << syntaxChar;
    QTest::newRow("end tag name") << end << 2 << elementName;
    QTest::newRow("text") << QStringLiteral("<a>text</a>") << 4 << other;
    QTest::newRow("second < in a tag") << QStringLiteral("<a <b>") << 3 << error;
    QTest::newRow("one-line comment") << QStringLiteral("<!-- hi -->") << 5 << comment;
    QTest::newRow("comment opener") << QStringLiteral("<!-- hi -->") << 2 << syntaxChar;
    QTest::newRow("comment closer") << QStringLiteral("<!-- hi -->") << 9 << syntaxChar;
    QTest::newRow("double-quoted value") << QStringLiteral("<a b=\"c\">") << 6 << attributeValue;
    QTest::newRow("non-ASCII name") << QStringLiteral("<ಪದ>") << 1 << elementName;
}

void TestXmlTextEdit::highlightsOneLine()
{
    QFETCH(QString, line);
    QFETCH(int, pos);
    QFETCH(QColor, colour);
    QTextDocument document;
    document.documentLayout(); // a document without a layout reports no edits
    XmlHighlighter highlighter(&document);
    document.setPlainText(line);
    QCoreApplication::processEvents(); // runs the queued first pass
    QCOMPARE(colourAt(&document, 0, pos), colour);
}

void TestXmlTextEdit::commentOverSeveralLines()
{
    QTextDocument document;
    document.documentLayout(); // a document without a layout reports no edits
    XmlHighlighter highlighter(&document);
    document.setPlainText(QStringLiteral("<!-- one\n<two a='b'>\nthree --> <x>"));
    QCoreApplication::processEvents(); // runs the queued first pass
    QCOMPARE(colourAt(&document, 0, 6), comment);
    for (int pos = 0; pos < 11; ++pos)
        QCOMPARE(colourAt(&document, 1, pos), comment);
    QCOMPARE(colourAt(&document, 2, 0), comment);
    QCOMPARE(colourAt(&document, 2, 7), syntaxChar); // "-->"
    QCOMPARE(colourAt(&document, 2, 11), elementName);
}

void TestXmlTextEdit::tagOverTwoLines()
{
    QTextDocument document;
    document.documentLayout(); // a document without a layout reports no edits
    XmlHighlighter highlighter(&document);
    document.setPlainText(QStringLiteral("<a\n b='c'>text"));
    QCoreApplication::processEvents(); // runs the queued first pass
    QCOMPARE(colourAt(&document, 1, 1), attributeName);
    QCOMPARE(colourAt(&document, 1, 4), attributeValue);
    // The tag's own closing bracket is no stray one.
    QCOMPARE(colourAt(&document, 1, 6), syntaxChar);
    QCOMPARE(colourAt(&document, 1, 7), other);
}

void TestXmlTextEdit::closingACommentEndsItOnFollowingLines()
{
    QTextDocument document;
    document.documentLayout(); // a document without a layout reports no edits
    XmlHighlighter highlighter(&document);
    document.setPlainText(QStringLiteral("<!-- open\n<b/>"));
    QCoreApplication::processEvents(); // runs the queued first pass
    QCOMPARE(colourAt(&document, 1, 1), comment);
    QTextCursor cursor(document.findBlockByNumber(0));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral(" -->"));
    QCOMPARE(colourAt(&document, 1, 1), elementName);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("plain"));
    QCOMPARE(colourAt(&document, 1, 1), elementName);
}

void TestXmlTextEdit::colourCanBeReplaced()
{
    QTextDocument document;
    document.documentLayout(); // a document without a layout reports no edits
    XmlHighlighter highlighter(&document);
    document.setPlainText(QStringLiteral("<a>"));
    QCoreApplication::processEvents(); // runs the queued first pass
    highlighter.setHighlightColor(XmlHighlighter::ElementName, Qt::cyan);
    QCOMPARE(colourAt(&document, 0, 1), QColor(Qt::cyan));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    highlighter.setHighlightFormat(XmlHighlighter::SyntaxChar, bold);
    const QTextBlock block = document.firstBlock();
    bool found = false;
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        found = found || (range.start == 0 && range.format.fontWeight() == QFont::Bold);
    QVERIFY(found);
}

void TestXmlTextEdit::syntaxCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << "XML not found!"
                           << "Null size xml document!";
    QTest::newRow("valid") << "<a><b>x</b></a>"
                           << "XML valid."
                           << "All tag are valid size 15.";
    QTest::newRow("broken") << "<a>\n<b></a>"
                            << "Found xml error"
                            << "Check line 1 column";
}

void TestXmlTextEdit::syntaxCheck()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, message);
    ZuvoTest::MessageBoxWatcher watcher;
    XMLTextEdit edit;
    edit.QTextEdit::setPlainText(text);
    edit.Syntaxcheck();
    QCOMPARE(watcher.titles(), QStringList { title });
    QVERIFY2(watcher.texts().value(0).startsWith(message), qPrintable(watcher.texts().value(0)));
    QCOMPARE(edit.Conform(), title == QLatin1String("XML valid."));
    if (edit.Conform())
        QCOMPARE(edit.toPlainText(), edit.xml_document().toString(5));
}

void TestXmlTextEdit::setPlainTextReindentsValidXml()
{
    XMLTextEdit edit;
    edit.setPlainText(QStringLiteral("<a><b>x</b></a>"));
    QCOMPARE(edit.toPlainText(), QStringLiteral("<a>\n     <b>x</b>\n</a>\n"));
    edit.setPlainText(QStringLiteral("<a><b></a>"));
    QCOMPARE(edit.toPlainText(), QStringLiteral("<a><b></a>"));
    QVERIFY(!edit.Conform());

    // Deep nesting is bounded: the text stays as it is instead of crashing the DOM.
    const QString deep =
        QStringLiteral("<a>").repeated(5000) + QStringLiteral("</a>").repeated(5000);
    edit.setPlainText(deep);
    QCOMPARE(edit.toPlainText(), deep);
    QVERIFY(!edit.Conform());
    QVERIFY(edit.xml_document().isNull());
    const QString limit =
        QStringLiteral("<a>").repeated(1000) + QStringLiteral("</a>").repeated(1000);
    edit.QTextEdit::setPlainText(limit);
    QVERIFY(edit.Conform());
}

void TestXmlTextEdit::zoomKeys()
{
    XMLTextEdit edit;
    edit.show();
    const qreal size = edit.font().pointSizeF();
    QTest::keyClick(&edit, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(edit.font().pointSizeF() > size);
    QTest::keyClick(&edit, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(edit.font().pointSizeF(), size);
    QVERIFY(edit.toPlainText().isEmpty());
}

void TestXmlTextEdit::lineNumberMargin()
{
    XMLTextEdit edit;
    edit.resize(300, 200);
    edit.QTextEdit::setPlainText(QStringLiteral("<a>\n<b/>\n</a>"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QCOMPARE(edit.viewport()->geometry().left() - edit.frameWidth(), 50);
    const QImage image = edit.grab().toImage();
    // The margin is grey with white numbers; the numbers end left of x = 49.
    const QColor grey(QStringLiteral("#636363"));
    QCOMPARE(image.pixelColor(3, image.height() - 5), grey);
    int white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 50; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (x >= 20 && c.lightness() > 200) {
                ++white; // a digit, drawn right-aligned
                QVERIFY2(x <= 48, qPrintable(QString::number(x)));
            }
        }
    }
    QVERIFY(white > 0);
}

void TestXmlTextEdit::contextMenuEntries()
{
    XMLTextEdit edit;
    QMenu *menu = edit.createOwnStandardContextMenu();
    QStringList texts;
    for (QAction *action : menu->actions()) {
        texts << action->text();
        if (action->text().startsWith(QLatin1String("Zoom")))
            QVERIFY(!action->icon().isNull());
    }
    delete menu;
    QVERIFY(texts.contains(QStringLiteral("Zoom In CTRL/+")));
    QVERIFY(texts.contains(QStringLiteral("Zoom Out CTRL/-")));
    QVERIFY(texts.contains(QStringLiteral("Check xml syntax")));
}

QTEST_MAIN(TestXmlTextEdit)
#include "tst_xmltextedit.moc"
