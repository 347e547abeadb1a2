// Documents written by LibreOffice (made by fixtures/odfimport/
// make_odfimport_fixtures.sh and ../fixtures/others/make_others_fixtures.sh
// from the flat ODT and HTML sources beside them): what the import makes of
// them, and a live cross-check of their text against LibreOffice's own text
// export of the same files.
#include "FoColorName.h"
#include "OOReader.h"
#include "testenv.h"
#include "tst_odfimportsupport.h"
#include "tst_wordrecall.h"

#include <QRegularExpression>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

using namespace OdfTest;

namespace {

QString fixture(const QString &name)
{
    if (name.startsWith(QLatin1String("others/")))
        return QStringLiteral(ZUVO_OTHERS_FIXTURES "/") + name.mid(7);
    return QStringLiteral(ZUVO_ODFIMPORT_FIXTURES "/") + name;
}

// Every fixture LibreOffice wrote, by the name the tests use.
const QStringList &allFixtures()
{
    static const QStringList names { "text.odt",         "objects.odt",       "page.odt",
                                     "lists.odt",        "others/fields.odt", "others/indexes.odt",
                                     "others/layout.odt" };
    return names;
}

// Imports a file the way the editor does, minus the thread.
struct Imported
{
    explicit Imported(const QString &path)
        : reader(path)
    {
        QSignalSpy ready(&reader, &OOReader::ready);
        reader.read();
        if (ready.isEmpty())
            ready.wait(20000);
    }
    QTextDocument *doc() const { return reader.document; }
    OOReader reader;
};

QTextCharFormat formatAt(const QTextDocument *doc, const QString &needle)
{
    const QTextCursor found = doc->find(needle);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(found);
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlock blockOf(const QTextDocument *doc, const QString &text)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.text() == text)
            return b;
    return QTextBlock();
}

QList<QImage> pictures(const QTextDocument *doc)
{
    QList<QImage> out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out << doc->resource(QTextDocument::ImageResource,
                                     QUrl(it.fragment().charFormat().toImageFormat().name()))
                           .value<QImage>();
    return out;
}

// Lines of text to compare: no empty lines, blanks at the ends trimmed, inner
// no-break spaces as blanks.
QStringList comparable(const QStringList &lines)
{
    QStringList out;
    for (QString line : lines) {
        line.replace(QChar(0x00A0), QLatin1Char(' '));
        line.remove(QChar(QChar::ObjectReplacementCharacter));
        line = line.trimmed();
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

// The imported document's text. LibreOffice's text export leaves text boxes
// out, so their blocks are left out here too; table cells are lines.
QStringList importedLines(const QTextDocument *doc)
{
    QStringList lines;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        bool inBox = false;
        for (QTextFrame *f = QTextCursor(b).currentFrame(); f != nullptr && f != doc->rootFrame();
             f = f->parentFrame())
            if (qobject_cast<QTextTable *>(f) == nullptr)
                inBox = true;
        if (!inBox)
            lines << b.text().split(QChar(0x2028));
    }
    return comparable(lines);
}

// LibreOffice's text export, without the bullets and numbers of list items
// (indented lines begin with them).
QStringList exportedLines(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    static const QRegularExpression bullet(QStringLiteral("^\\s+(\\S{1,4}\\s+)"));
    QStringList lines;
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r?\n")))) {
        const QRegularExpressionMatch m = bullet.match(line);
        if (m.hasMatch())
            line = line.mid(m.capturedEnd(1));
        lines << line;
    }
    return comparable(lines);
}

// Runs soffice --headless --convert-to in a folder of the test's own, with a
// profile there; the converted file's bytes, or empty.
QByteArray sofficeConvert(const QString &soffice, const QString &source, const QString &filter,
                          const QString &suffix, const QString &workDir)
{
    if (!ZuvoTest::officeConvert(soffice, { source }, filter, workDir))
        return QByteArray();
    QFile out(workDir + QLatin1Char('/') + QFileInfo(source).completeBaseName() + suffix);
    if (!out.open(QIODevice::ReadOnly))
        return QByteArray();
    return out.readAll();
}

const QString TextFilter = QStringLiteral("txt:Text (encoded):UTF8");

// LibreOffice's text export of every fixture, made by one soffice call the
// first time a test asks; empty when soffice did not make it.
QByteArray textExport(const QString &soffice, const QString &name)
{
    static QTemporaryDir dir;
    static QHash<QString, QByteArray> exports;
    static bool done = false;
    if (!done) {
        done = true;
        QStringList inputs;
        for (const QString &n : allFixtures())
            inputs << fixture(n);
        QString log;
        if (!WordRecall::convertAll(soffice, inputs, TextFilter, dir.path(), &log))
            qWarning() << "soffice:" << log;
        for (const QString &n : allFixtures()) {
            QFile out(WordRecall::convertedPath(dir.path(), fixture(n), QStringLiteral(".txt")));
            if (out.open(QIODevice::ReadOnly))
                exports.insert(n, out.readAll());
        }
    }
    return exports.value(name);
}

} // namespace

class TstOdfImportLo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textAndLists();
    void tableBoxAndPictures();
    void htmlPage();
    void sameTextAsLibreOffice_data();
    void sameTextAsLibreOffice();
    void everyWordOfLibreOffice_data();
    void everyWordOfLibreOffice();
    void htmlConvertedNow();
    void listLabels();
};

void TstOdfImportLo::initTestCase()
{
    setUnitDpi(96);
}

void TstOdfImportLo::textAndLists()
{
    Imported im(fixture(QStringLiteral("text.odt")));
    const QTextDocument *doc = im.doc();
    const QStringList lines = blocks(doc);
    QCOMPARE(lines.first(), QStringLiteral("Kannada and Latin"));
    QVERIFY(lines.contains(QStringLiteral("Lists")));
    QVERIFY(
        lines.contains(QStringLiteral("ಕನ್ನಡ ಒಂದು ದ್ರಾವಿಡ ಭಾಷೆ. Kannada is a Dravidian language.")));
    QVERIFY(lines.contains(QStringLiteral("Plain bold italic underlined and ದಪ್ಪ ಓರೆ words.")));
    QCOMPARE(formatAt(doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(formatAt(doc, "italic").fontItalic());
    QVERIFY(formatAt(doc, "underlined").fontUnderline());
    QCOMPARE(formatAt(doc, QStringLiteral("ದಪ್ಪ")).fontWeight(), int(QFont::Bold));
    QVERIFY(formatAt(doc, " words").fontWeight() != int(QFont::Bold));

    const QTextBlock parent = blockOf(doc, QStringLiteral("Parent item text"));
    const QTextBlock child = blockOf(doc, QStringLiteral("Child one"));
    const QTextBlock second = blockOf(doc, QStringLiteral("Second parent"));
    const QTextBlock step = blockOf(doc, QStringLiteral("First step"));
    for (const QTextBlock &b : { parent, child, second, step })
        QVERIFY(b.isValid() && b.textList() != nullptr);
    QCOMPARE(parent.textList()->format().indent(), 1);
    QCOMPARE(child.textList()->format().indent(), 2);
    QVERIFY(second.textList() == parent.textList());
    QCOMPARE(step.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(lines.last(), QStringLiteral("The end."));
}

void TstOdfImportLo::tableBoxAndPictures()
{
    Imported im(fixture(QStringLiteral("objects.odt")));
    QTextDocument *doc = im.doc();
    QTextTable *table = nullptr;
    QTextFrame *box = nullptr;
    for (QTextFrame *f : doc->rootFrame()->childFrames()) {
        if (auto *t = qobject_cast<QTextTable *>(f))
            table = t;
        else
            box = f;
    }
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 3); // the header row counts
    QCOMPARE(table->columns(), 3);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    for (const QTextLength &w : widths)
        QCOMPARE(w.type(), QTextLength::FixedLength);
    QVERIFY(widths.at(0).rawValue() < widths.at(1).rawValue());
    QVERIFY(widths.at(1).rawValue() < widths.at(2).rawValue());
    auto cell = [table](int r, int c) {
        const QTextTableCell cell = table->cellAt(r, c);
        return cell.firstCursorPosition().block().text();
    };
    QCOMPARE(cell(0, 0), QStringLiteral("Name"));
    QCOMPARE(cell(0, 1), QStringLiteral("ಹೆಸರು"));
    QCOMPARE(table->cellAt(1, 0).columnSpan(), 2);
    QCOMPARE(cell(1, 0), QStringLiteral("Merged across two"));
    QCOMPARE(table->cellAt(1, 2).rowSpan(), 2);
    QCOMPARE(cell(2, 0), QStringLiteral("ಒಂದು"));

    QVERIFY(box != nullptr);
    QCOMPARE(box->firstCursorPosition().block().text(), QStringLiteral("Inside the box"));
    QCOMPARE(box->frameFormat().width().type(), QTextLength::FixedLength);
    QVERIFY(box->frameFormat().width().rawValue() > 100);

    // The embedded picture comes from the container, the linked one from the
    // file beside the document.
    const QList<QImage> images = pictures(doc);
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(0).size(), QSize(16, 8));
    QCOMPARE(images.at(1).size(), QSize(12, 6));
    QCOMPARE(blocks(doc).last(), QStringLiteral("After the pictures."));
}

void TstOdfImportLo::htmlPage()
{
    Imported im(fixture(QStringLiteral("page.odt")));
    const QTextDocument *doc = im.doc();
    QCOMPARE(blocks(doc).first(), QStringLiteral("ಶೀರ್ಷಿಕೆ Heading"));
    QVERIFY(formatAt(doc, "bold").fontWeight() == int(QFont::Bold));
    const QTextCharFormat link = formatAt(doc, "a link");
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("http://example.org/"));
    const QTextBlock inner = blockOf(doc, QStringLiteral("Inner one"));
    QVERIFY(inner.isValid() && inner.textList() != nullptr);
    QCOMPARE(inner.textList()->format().indent(), 2);
    QTextTable *table = nullptr;
    for (QTextFrame *f : doc->rootFrame()->childFrames())
        if (auto *t = qobject_cast<QTextTable *>(f))
            table = t;
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->cellAt(1, 0).columnSpan(), 2);
}

void TstOdfImportLo::sameTextAsLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : { "text.odt", "objects.odt", "page.odt" })
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstOdfImportLo::sameTextAsLibreOffice()
{
    QFETCH(QString, name);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    const QByteArray exported = textExport(soffice, name);
    QVERIFY2(!exported.isEmpty(), "soffice made no text export");
    Imported im(fixture(name));
    const QStringList expected = exportedLines(exported);
    QVERIFY(expected.size() > 5);
    QCOMPARE(importedLines(im.doc()), expected);
}

void TstOdfImportLo::everyWordOfLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : allFixtures())
        QTest::newRow(qPrintable(name)) << name;
}

// Every word LibreOffice shows of a document is in what we open, as often as
// it shows it; and so is every word of the note bodies, which its text export
// leaves out.
void TstOdfImportLo::everyWordOfLibreOffice()
{
    QFETCH(QString, name);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    const QByteArray exported = textExport(soffice, name);
    QVERIFY2(!exported.isEmpty(), "soffice made no text export");
    Imported im(fixture(name));
    const QStringList ours = WordRecall::words(im.doc()->toPlainText());
    const QStringList shown =
        WordRecall::words(WordRecall::withoutListLabels(QString::fromUtf8(exported)));
    const QStringList notes =
        WordRecall::noteBodyWords(unzipstream(fixture(name)).value(QStringLiteral("content.xml")));
    const WordRecall::Recall text = WordRecall::recall(shown, ours);
    const WordRecall::Recall all = WordRecall::recall(shown + notes, ours);
    qInfo("%s: text %s; with the %d words of the notes %s", qPrintable(name),
          qPrintable(text.report()), int(notes.size()), qPrintable(all.report()));
    QVERIFY2(text.missing.isEmpty(), qPrintable(text.report()));
    QVERIFY2(all.missing.isEmpty(), qPrintable(all.report()));
}

void TstOdfImportLo::htmlConvertedNow()
{
    // The same check over a document LibreOffice writes during the test.
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    ZuvoTest::TempEnv env;
    QFile::copy(fixture(QStringLiteral("src/page.html")), env.filePath(QStringLiteral("now.html")));
    const QByteArray odt =
        sofficeConvert(soffice, env.filePath(QStringLiteral("now.html")),
                       QStringLiteral("odt:writer8"), QStringLiteral(".odt"), env.path());
    QVERIFY2(!odt.isEmpty(), "soffice made no odt");
    const QByteArray exported = sofficeConvert(soffice, env.filePath(QStringLiteral("now.odt")),
                                               TextFilter, QStringLiteral(".txt"), env.path());
    QVERIFY2(!exported.isEmpty(), "soffice made no text export");
    Imported im(env.filePath(QStringLiteral("now.odt")));
    const QStringList expected = exportedLines(exported);
    QVERIFY(expected.size() > 5);
    QCOMPARE(importedLines(im.doc()), expected);
}

// Each list item is labelled as LibreOffice labels it: the text before and
// after each level's number, the numbering that goes on after a paragraph.
void TstOdfImportLo::listLabels()
{
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    const QByteArray exported = textExport(soffice, QStringLiteral("lists.odt"));
    QVERIFY2(!exported.isEmpty(), "soffice made no text export");
    QStringList expected;
    for (const QString &line : QString::fromUtf8(exported).split(QLatin1Char('\n'))) {
        // List items are the indented lines: their label, a blank, the text.
        if (line.startsWith(QLatin1Char(' ')))
            expected << line.simplified();
    }
    Imported im(fixture(QStringLiteral("lists.odt")));
    QStringList labelled;
    for (QTextBlock b = im.doc()->begin(); b.isValid(); b = b.next()) {
        if (QTextList *list = b.textList())
            labelled << list->itemText(b) + QLatin1Char(' ') + b.text();
    }
    QVERIFY(expected.size() > 10);
    QCOMPARE(labelled, expected);
}

QTEST_MAIN(TstOdfImportLo)
#include "tst_odfimportlo.moc"
