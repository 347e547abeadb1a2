// Printing and PDF export of a document, without a window: the pages are
// the toolkit's own pages of the document, a cancelled job stops, and a PDF
// that cannot be written leaves no file.
#include "printjob.h"

#include "testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest/QtTest>

using ZuvoTest::TempEnv;

namespace {

QTextDocument *letter(int lines)
{
    auto *document = new QTextDocument;
    QTextCursor cursor(document);
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("line %1 of the letter ಕನ್ನಡ ಭಾಷೆ, ಮಲಯಾಳಂ "
                                         "and some quick brown words")
                              .arg(i));
    }
    return document;
}

QTextDocument *withTable()
{
    QTextDocument *document = letter(30);
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    QTextTable *table = cursor.insertTable(2, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("ಒಂದು"));
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("four"));
    QTextCharFormat big;
    big.setFontPointSize(30);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Large closing words"), big);
    return document;
}

// The PDF the device writes of the document, laid out by `print`.
QByteArray pdfOf(const std::function<void(QPdfWriter *)> &print)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 20, 15, 20), QPageLayout::Millimeter);
    print(&writer);
    return bytes;
}

// Each page of the PDF drawn at a low resolution, one image a page.
QList<QImage> pagesOf(const QString &pdftoppm, const QByteArray &pdf)
{
    TempEnv env;
    if (!env.writeFile(QStringLiteral("in.pdf"), pdf))
        return {};
    QProcess render;
    render.start(pdftoppm,
                 { QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                   env.filePath(QStringLiteral("in.pdf")), env.filePath(QStringLiteral("page")) });
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        return {};
    QList<QImage> pages;
    const QStringList names =
        QDir(env.path()).entryList({ QStringLiteral("page*.png") }, QDir::Files, QDir::Name);
    for (const QString &name : names)
        pages.append(QImage(env.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

QString textOf(const QString &pdftotext, const QByteArray &pdf)
{
    TempEnv env;
    if (!env.writeFile(QStringLiteral("in.pdf"), pdf))
        return {};
    QProcess text;
    text.start(
        pdftotext,
        { QStringLiteral("-layout"), env.filePath(QStringLiteral("in.pdf")), QStringLiteral("-") });
    text.waitForFinished(120000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

class TestPrintJob : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreTheToolkitsPages_data();
    void pagesAreTheToolkitsPages();
    void cancelledJobDrawsNothing();
    void pdfThatCannotBeWritten();
};

void TestPrintJob::pagesAreTheToolkitsPages_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("ranges");
    QTest::newRow("one page") << 0 << QString();
    QTest::newRow("many pages") << 1 << QString();
    QTest::newRow("a table and large text") << 2 << QString();
    QTest::newRow("pages 2 to 3 of many") << 1 << QStringLiteral("2-3");
}

// The pages laid out here, in steps that a cancel can stop, are the pages
// the toolkit prints of the same document: nothing moves, nothing is left
// out, the page numbers stand where they stood.
void TestPrintJob::pagesAreTheToolkitsPages()
{
    QFETCH(int, shape);
    QFETCH(QString, ranges);
    ZUVO_REQUIRE_PROGRAM(pdftoppm, "pdftoppm");
    ZUVO_REQUIRE_PROGRAM(pdftotext, "pdftotext");
    const auto make = [shape]() -> QTextDocument * {
        return shape == 0 ? letter(3) : shape == 1 ? letter(400) : withTable();
    };
    const auto setRanges = [&ranges](QPdfWriter *writer) {
        if (!ranges.isEmpty())
            writer->setPageRanges(QPageRanges::fromString(ranges));
    };
    const std::unique_ptr<QTextDocument> theirs(make());
    const QByteArray expected = pdfOf([&](QPdfWriter *writer) {
        setRanges(writer);
        theirs->print(writer);
    });
    const std::unique_ptr<QTextDocument> ours(make());
    Printing::Job job;
    const QScreen *screen = QGuiApplication::primaryScreen();
    job.sourceDpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 100;
    job.sourceDpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 100;
    bool printed = false;
    const QByteArray actual = pdfOf([&](QPdfWriter *writer) {
        setRanges(writer);
        printed = Printing::printPages(ours.get(), writer, &job);
    });
    QVERIFY(printed);

    QCOMPARE(textOf(pdftotext, actual), textOf(pdftotext, expected));
    const QList<QImage> want = pagesOf(pdftoppm, expected);
    const QList<QImage> got = pagesOf(pdftoppm, actual);
    QVERIFY(!want.isEmpty());
    QCOMPARE(got.size(), want.size());
    for (int i = 0; i < want.size(); ++i)
        QVERIFY2(got.at(i) == want.at(i), qPrintable(QStringLiteral("page %1 differs").arg(i + 1)));
}

// A job cancelled before its first page is laid out draws nothing: the
// toolkit's printing would lay the whole document out and draw its first
// page before it asks for a second one.
void TestPrintJob::cancelledJobDrawsNothing()
{
    ZUVO_REQUIRE_PROGRAM(pdftotext, "pdftotext");
    const std::unique_ptr<QTextDocument> document(letter(2000));
    Printing::Job job;
    job.cancelled.store(true);
    bool printed = true;
    const QByteArray pdf = pdfOf(
        [&](QPdfWriter *writer) { printed = Printing::printPages(document.get(), writer, &job); });
    QVERIFY(!printed);
    QCOMPARE(job.pagesDone.load(), 0);
    QVERIFY2(textOf(pdftotext, pdf).trimmed().isEmpty(), pdf.left(200).constData());
}

// A PDF that cannot be written (a folder in its place) is a failure, and
// leaves the folder as it was and nothing else.
void TestPrintJob::pdfThatCannotBeWritten()
{
    TempEnv env;
    QVERIFY(QDir(env.path()).mkdir(QStringLiteral("letter.pdf")));
    const auto entries = [&env] {
        return QDir(env.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    const QStringList before = entries();
    const std::unique_ptr<QTextDocument> document(letter(3));
    QPrinter printer(QPrinter::HighResolution);
    QObject owner;
    QCOMPARE(Printing::writePdf(document.get(), printer, env.filePath(QStringLiteral("letter.pdf")),
                                &owner, nullptr),
             Printing::PdfResult::Failed);
    QCOMPARE(entries(), before);
    QVERIFY(QFileInfo(env.filePath(QStringLiteral("letter.pdf"))).isDir());
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
