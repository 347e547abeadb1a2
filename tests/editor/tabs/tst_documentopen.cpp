// Reading each format into what a tab shows, with no editor and no window:
// the content, the failure, whether the tab stays bound to the file and the
// encoding it is written back in.
#include "documentopen.h"

#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QtTest/QtTest>

using DocumentOpen::Format;
using DocumentOpen::Opened;
using ZuvoTest::TempEnv;

namespace {

Opened open(const QString &path)
{
    switch (DocumentOpen::formatOf(path)) {
    case Format::Html:
        return DocumentOpen::openHtml(path);
    case Format::Rtf:
        return DocumentOpen::openRtf(path, QFont(QStringLiteral("Lohit Kannada"), 13), 12);
    case Format::Nudi:
        return DocumentOpen::openNudi(path);
    case Format::Brh:
        return DocumentOpen::openBrh(path);
    default:
        return DocumentOpen::openText(path);
    }
}

} // namespace

class TestDocumentOpen : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void files_data();
    void files();
    void unreadable_data();
    void unreadable();
};

void TestDocumentOpen::formats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("txt") << "a.txt" << int(Format::Text);
    QTest::newRow("no suffix") << "README" << int(Format::Text);
    QTest::newRow("HTM") << "a.HTM" << int(Format::Html);
    QTest::newRow("html") << "a.html" << int(Format::Html);
    QTest::newRow("Rtf") << "a.Rtf" << int(Format::Rtf);
    QTest::newRow("nudi") << "a.nudi" << int(Format::Nudi);
    QTest::newRow("brh") << "a.brh" << int(Format::Brh);
    QTest::newRow("odt") << "a.odt" << int(Format::OpenDocument);
    QTest::newRow("odf") << "a.ODF" << int(Format::OpenDocument);
    QTest::newRow("dotted folder") << "my.rtf/notes" << int(Format::Text);
}

void TestDocumentOpen::formats()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    QCOMPARE(int(DocumentOpen::formatOf(name)), format);
}

void TestDocumentOpen::files_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("content");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bound");
    QTest::addColumn<int>("encoding"); // -1: the format has none
    QTest::addColumn<bool>("latin1");
    const auto row = [](const char *tag) { return &QTest::newRow(tag); };
    *row("UTF-16 text, its carriage-return byte kept")
        << "a.txt" << QByteArray("\xFF\xFE\x0D\x0D\x0D\x00\x0A\x00", 8)
        << int(Opened::Content::PlainText) << QStringLiteral("\u0D0D\n") << true << 2 << false;
    *row("ISO 8859-1 text") << "b.txt" << QByteArray("caf\xE9") << int(Opened::Content::PlainText)
                            << QStringLiteral("café") << true << 0 << true;
    *row("empty text") << "c.txt" << QByteArray() << int(Opened::Content::PlainText) << QString()
                       << true << 1 << false;
    *row("HTML declaring windows-1252")
        << "d.html" << QByteArray("<html><head><meta charset=\"windows-1252\"></head><p>\x80</p>")
        << int(Opened::Content::Html)
        << QStringLiteral("<html><head><meta charset=\"windows-1252\"></head><p>€</p>") << true << 1
        << false;
    *row("RTF") << "e.rtf" << QByteArray("{\\rtf1\\ansi{\\pard Dear reader\\par}}")
                << int(Opened::Content::Document) << QStringLiteral("Dear reader") << true << -1
                << false;
    *row("BRH lines, not bound") << "f.brh" << QByteArray("ka ga\r\nna\n")
                                 << int(Opened::Content::Lines) << QStringLiteral("ka ga\nna")
                                 << false << -1 << false;
    *row("Nudi, converted and not bound")
        << "g.nudi" << ZuvoTest::fileBytes(QStringLiteral(LEGACY_FIXTURES "/escapes.nudi"))
        << int(Opened::Content::AnyText) << QString() << false << -1 << false;
}

void TestDocumentOpen::files()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, content);
    QFETCH(QString, text);
    QFETCH(bool, bound);
    QFETCH(int, encoding);
    QFETCH(bool, latin1);
    TempEnv env;
    QVERIFY(env.writeFile(name, bytes));
    const Opened opened = open(env.filePath(name));
    QVERIFY2(opened.failure.isEmpty(), qPrintable(opened.failure));
    QCOMPARE(int(opened.content), content);
    QCOMPARE(opened.bound, bound);
    QCOMPARE(opened.hasEncoding, encoding >= 0);
    if (encoding >= 0)
        QCOMPARE(int(opened.encoding), encoding);
    QCOMPARE(opened.latin1, latin1);
    switch (opened.content) {
    case Opened::Content::Document:
        QVERIFY(opened.document);
        QCOMPARE(opened.document->toPlainText(), text);
        // The document is the file: nothing to undo, in the given font.
        QVERIFY(!opened.document->isUndoAvailable());
        QCOMPARE(opened.document->defaultFont().family(), QStringLiteral("Lohit Kannada"));
        QCOMPARE(opened.document->documentMargin(), 12.0);
        break;
    case Opened::Content::Lines:
        QCOMPARE(opened.lines.join(QLatin1Char('\n')), text);
        break;
    case Opened::Content::AnyText:
        // Kannada letters from the legacy glyph bytes.
        QVERIFY2(opened.text.contains(QRegularExpression(QStringLiteral("[\u0C80-\u0CFF]"))),
                 qPrintable(opened.text));
        break;
    default:
        QCOMPARE(opened.text, text);
        break;
    }
}

void TestDocumentOpen::unreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("failure");
    QTest::newRow("missing text") << "gone.txt"
                                  << "The file could not be read: ";
    QTest::newRow("missing HTML") << "gone.html"
                                  << "The file could not be read: ";
    QTest::newRow("missing RTF") << "gone.rtf"
                                 << "The file could not be read: ";
    QTest::newRow("missing BRH") << "gone.brh"
                                 << "The file could not be read: ";
    QTest::newRow("missing Nudi") << "gone.nudi"
                                  << "It holds no Nudi text that could be read.";
    QTest::newRow("a folder read as text") << "folder.txt"
                                           << "The file could not be read: ";
}

// A file that cannot be read says why, and nothing of it is bound.
void TestDocumentOpen::unreadable()
{
    QFETCH(QString, name);
    QFETCH(QString, failure);
    TempEnv env;
    if (name.startsWith(QLatin1String("folder")))
        QVERIFY(QDir(env.path()).mkdir(name));
    const Opened opened = open(env.filePath(name));
    QVERIFY2(opened.failure.startsWith(failure), qPrintable(opened.failure));
    QVERIFY(opened.text.isEmpty());
    QVERIFY(opened.lines.isEmpty());
}

QTEST_MAIN(TestDocumentOpen)
#include "tst_documentopen.moc"
