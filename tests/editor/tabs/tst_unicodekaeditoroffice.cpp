// Files saved by the tab editor, read by the office suite: every word of the
// document must be there in every format the editor writes, and an
// OpenDocument file must show its Kannada runs in their fonts, bold and
// italic, with its table and its picture. What is judged is the suite's own
// export of our files (plain text and flat OpenDocument), never a file of
// the suite read back by our reader.
//
// The files are saved and converted once, with one run of the suite per
// export format.

#include "unicodekaeditor.h"

#include "GZip.h"
#include "libreoffice.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QSet>
#include <QTextCursor>
#include <QTextTable>
#include <QXmlStreamReader>
#include <QtTest/QTest>

#include <memory>

namespace {

QStringList words(const QString &text)
{
    // U+FFFC stands for the picture in our text; the suite's text has none.
    static const QRegularExpression separators(QStringLiteral("[\\s\\x{FEFF}\\x{FFFC}]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

const QString officeNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString styleNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString textNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString tableNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString drawNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
const QString foNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString svgNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");

QString unquoted(QString family)
{
    family = family.trimmed();
    if (family.size() >= 2 && (family.front() == u'\'' || family.front() == u'"') &&
        family.back() == family.front())
        family = family.mid(1, family.size() - 2);
    return family;
}

// A flat OpenDocument file as the office suite wrote it: its styles, the
// text runs of its paragraphs and what its tables and pictures hold.
struct FlatDocument
{
    struct Style
    {
        QString parent;
        QHash<QString, QString> text; // "fo:font-weight" -> "bold"
    };
    struct Run
    {
        QString text;
        QString span;
        QString paragraph;
    };
    QHash<QString, QString> fontFaces; // name -> family
    QHash<QString, Style> styles; // "paragraph/P1", "text/T1"
    Style defaultParagraph;
    QList<Run> runs;
    QStringList cellTexts;
    QList<QImage> images;

    bool read(const QString &path);

    // The property that applies to the run, through its span style, its
    // paragraph style, their parents and the default paragraph style.
    QString property(const Run &run, const QString &name) const;
    // The family of a run: "western" or "complex".
    QString family(const Run &run, bool complex) const;
    // The run that holds the word, or null.
    const Run *runOf(const QString &word) const;
};

bool FlatDocument::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader in(&file);
    QString styleKey;
    bool inDefaultParagraph = false;
    QStringList paragraphs; // the styles of the open paragraphs
    QStringList spans;
    int cellDepth = 0;
    QString cellText;
    bool inBinary = false;
    QByteArray binary;
    const auto qualified = [](const QXmlStreamAttribute &a) {
        return a.prefix().toString() + u':' + a.name().toString();
    };
    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QXmlStreamAttributes a = in.attributes();
            if (in.namespaceUri() == styleNS && in.name() == u"font-face") {
                fontFaces.insert(
                    a.value(styleNS, QStringLiteral("name")).toString(),
                    unquoted(a.value(svgNS, QStringLiteral("font-family")).toString()));
            } else if (in.namespaceUri() == styleNS && in.name() == u"style") {
                styleKey = a.value(styleNS, QStringLiteral("family")).toString() + u'/' +
                    a.value(styleNS, QStringLiteral("name")).toString();
                styles[styleKey].parent =
                    a.value(styleNS, QStringLiteral("parent-style-name")).toString();
            } else if (in.namespaceUri() == styleNS && in.name() == u"default-style") {
                inDefaultParagraph = a.value(styleNS, QStringLiteral("family")) == u"paragraph";
            } else if (in.namespaceUri() == styleNS && in.name() == u"text-properties") {
                Style *style = inDefaultParagraph ? &defaultParagraph
                    : styleKey.isEmpty()          ? nullptr
                                                  : &styles[styleKey];
                if (style) {
                    for (const QXmlStreamAttribute &attribute : a)
                        style->text.insert(qualified(attribute), attribute.value().toString());
                }
            } else if (in.namespaceUri() == textNS && (in.name() == u"p" || in.name() == u"h")) {
                paragraphs << a.value(textNS, QStringLiteral("style-name")).toString();
            } else if (in.namespaceUri() == textNS && in.name() == u"span") {
                spans << a.value(textNS, QStringLiteral("style-name")).toString();
            } else if (in.namespaceUri() == tableNS && in.name() == u"table-cell") {
                ++cellDepth;
                cellText.clear();
            } else if (in.namespaceUri() == officeNS && in.name() == u"binary-data") {
                inBinary = true;
                binary.clear();
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (in.namespaceUri() == styleNS && in.name() == u"style")
                styleKey.clear();
            else if (in.namespaceUri() == styleNS && in.name() == u"default-style")
                inDefaultParagraph = false;
            else if (in.namespaceUri() == textNS && (in.name() == u"p" || in.name() == u"h"))
                paragraphs.removeLast();
            else if (in.namespaceUri() == textNS && in.name() == u"span")
                spans.removeLast();
            else if (in.namespaceUri() == tableNS && in.name() == u"table-cell") {
                --cellDepth;
                cellTexts << cellText;
            } else if (in.namespaceUri() == officeNS && in.name() == u"binary-data") {
                inBinary = false;
                images << QImage::fromData(QByteArray::fromBase64(binary));
            }
            break;
        case QXmlStreamReader::Characters:
            if (inBinary) {
                binary += in.text().toLatin1();
            } else if (!paragraphs.isEmpty()) {
                runs.append({ in.text().toString(), spans.isEmpty() ? QString() : spans.last(),
                              paragraphs.last() });
                if (cellDepth > 0)
                    cellText += in.text();
            }
            break;
        default:
            break;
        }
    }
    return !in.hasError();
}

QString FlatDocument::property(const Run &run, const QString &name) const
{
    const auto lookUp = [&](const QString &family, QString style) {
        // Bounded: a style chain that loops ends here.
        for (int depth = 0; depth < 32 && !style.isEmpty(); ++depth) {
            const auto it = styles.constFind(family + u'/' + style);
            if (it == styles.constEnd())
                break;
            if (it->text.contains(name))
                return it->text.value(name);
            style = it->parent;
        }
        return QString();
    };
    QString value = lookUp(QStringLiteral("text"), run.span);
    if (value.isEmpty())
        value = lookUp(QStringLiteral("paragraph"), run.paragraph);
    if (value.isEmpty())
        value = defaultParagraph.text.value(name);
    return value;
}

QString FlatDocument::family(const Run &run, bool complex) const
{
    const QString suffix = complex ? QStringLiteral("-complex") : QString();
    const QString name = property(run, QStringLiteral("style:font-name") + suffix);
    if (!name.isEmpty())
        return fontFaces.value(name, name);
    return unquoted(property(
        run,
        (complex ? QStringLiteral("style:font-family") : QStringLiteral("fo:font-family")) +
            suffix));
}

const FlatDocument::Run *FlatDocument::runOf(const QString &word) const
{
    for (const Run &run : runs) {
        if (run.text.contains(word))
            return &run;
    }
    return nullptr;
}

// What typing the keys under Phonetic gives in Kannada.
QString kannada(const char *keys)
{
    return ZuvoScriptConverter().ansiToUnicode(QString::fromLatin1(keys), 0, 0);
}

} // namespace

class TestUnicodeKaEditorOffice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void savedFileReadsBack_data();
    void savedFileReadsBack();
    void odtRunsKeepTheirFonts_data();
    void odtRunsKeepTheirFonts();
    void odtKeepsTableAndPicture();
    void odtNamesOnlyStylesItHolds();

private:
    // Saves the editor's document under the name in the encoding; the words
    // the suite must show are noted with it.
    void save(UnicodeKaEditor *editor, const QString &name, int encoding);
    bool convert(const QString &target, const QStringList &files, const QString &outDir);

    std::unique_ptr<ZuvoTest::TempEnv> env;
    std::unique_ptr<Utils> utils;
    std::unique_ptr<QWidget> window;
    QString soffice;
    QHash<QString, QStringList> expected; // file name -> words
    FlatDocument flat;
};

void TestUnicodeKaEditorOffice::save(UnicodeKaEditor *editor, const QString &name, int encoding)
{
    editor->document()->setModified(true);
    editor->setTextEncodingIndex(encoding);
    editor->setFileName(env->filePath(name));
    ZuvoTest::MessageBoxWatcher watcher;
    // The RTF file is written without the table and the picture.
    watcher.setAnswer(QMessageBox::Yes);
    QVERIFY2(editor->save(), qPrintable(name));
    expected.insert(name, words(editor->toPlainText()));
}

bool TestUnicodeKaEditorOffice::convert(const QString &target, const QStringList &files,
                                        const QString &outDir)
{
    QStringList paths;
    for (const QString &file : files)
        paths << env->filePath(file);
    QString log;
    if (!ZuvoTest::officeConvert(soffice, paths, target, outDir, &log)) {
        qWarning() << "soffice:" << log;
        return false;
    }
    return true;
}

void TestUnicodeKaEditorOffice::initTestCase()
{
    soffice = ZuvoTest::findProgram(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        if (ZuvoTest::inCI())
            QFAIL("outside program missing in CI: soffice");
        QSKIP("outside program not installed: soffice");
    }
    env = std::make_unique<ZuvoTest::TempEnv>();
    utils = std::make_unique<Utils>();
    window = std::make_unique<QWidget>();

    // A document as a user makes it: typed Kannada in the language's font,
    // words made bold, italic and of another family by selecting them, a
    // table typed into and a pasted picture.
    auto *editor = new UnicodeKaEditor(utils.get(), 0, 0, window.get());
    editor->setLanguageFont(0);
    window->show();
    QTest::keyClicks(editor, QStringLiteral("kannaDa naaDu dappa ore bEre 2024"));
    const auto select = [editor](const QString &word) {
        const int at = int(editor->toPlainText().indexOf(word));
        QVERIFY(at >= 0);
        QTextCursor tc = editor->textCursor();
        tc.setPosition(at);
        tc.setPosition(at + int(word.size()), QTextCursor::KeepAnchor);
        editor->setTextCursor(tc);
    };
    select(kannada("dappa"));
    editor->slotTextBold(true);
    select(kannada("ore"));
    editor->slotTextItalic(true);
    select(kannada("bEre"));
    editor->slotTextFontFamily(QStringLiteral("Noto Sans Kannada"));
    editor->moveCursor(QTextCursor::End);
    editor->slotTextFontFamily(QStringLiteral("tunga"));
    QTest::keyClick(editor, Qt::Key_Return);
    editor->askTableSize = [](int *rows, int *columns) {
        *rows = 1;
        *columns = 2;
        return true;
    };
    editor->slotInsertTable();
    QTest::keyClicks(editor, QStringLiteral("mane"));
    editor->moveCursor(QTextCursor::NextCell);
    editor->slotTextBold(true);
    QTest::keyClicks(editor, QStringLiteral("taayi"));
    editor->moveCursor(QTextCursor::End);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    auto *clip = new QMimeData;
    clip->setImageData(picture);
    QApplication::clipboard()->setMimeData(clip);
    editor->paste();
    QVERIFY(editor->toPlainText().contains(QChar(QChar::ObjectReplacementCharacter)));

    save(editor, QStringLiteral("doc-odt.odt"), 1);
    save(editor, QStringLiteral("doc-rtf.rtf"), 1);
    // RTF keeps Kannada in escapes under any code page, ISO 8859-1 too.
    save(editor, QStringLiteral("doc-rtf-iso.rtf"), 0);
    save(editor, QStringLiteral("doc-utf8.html"), 1);
    save(editor, QStringLiteral("doc-utf16.html"), 2);
    save(editor, QStringLiteral("doc-utf16be.html"), 3);
    save(editor, QStringLiteral("doc-utf8.txt"), 1);
    save(editor, QStringLiteral("doc-utf16.txt"), 2);
    save(editor, QStringLiteral("doc-utf16be.txt"), 3);

    // A table right after a list item.
    auto *list = new UnicodeKaEditor(utils.get(), 0, 0, window.get());
    QTest::keyClicks(list, QStringLiteral("paTTi"));
    list->slotTextStyle(1);
    QTextCursor tc = list->textCursor();
    QTextTable *table = tc.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(kannada("mane"));
    table->cellAt(0, 1).firstCursorPosition().insertText(kannada("taayi"));
    save(list, QStringLiteral("list-odt.odt"), 1);

    // Latin text in ISO 8859-1, which the file declares.
    auto *latin = new UnicodeKaEditor(utils.get(), 9, 0, window.get());
    latin->setPlainText(QStringLiteral("caf\u00E9 cr\u00E8me na\u00EFve"));
    save(latin, QStringLiteral("latin-iso.html"), 0);

    const QString textDir = env->filePath(QStringLiteral("text"));
    const QString flatDir = env->filePath(QStringLiteral("flat"));
    QVERIFY(QDir().mkpath(textDir));
    QVERIFY(QDir().mkpath(flatDir));
    QVERIFY(convert(QStringLiteral("txt:Text (encoded):UTF8"), expected.keys(), textDir));
    QVERIFY(convert(QStringLiteral("fodt"), { QStringLiteral("doc-odt.odt") }, flatDir));
    QVERIFY(flat.read(flatDir + QStringLiteral("/doc-odt.fodt")));
}

void TestUnicodeKaEditorOffice::cleanupTestCase()
{
    window.reset();
    utils.reset();
    env.reset();
}

void TestUnicodeKaEditorOffice::savedFileReadsBack_data()
{
    QTest::addColumn<QString>("name");
    QStringList names = expected.keys();
    names.sort();
    for (const QString &name : std::as_const(names))
        QTest::newRow(qPrintable(name)) << name;
}

void TestUnicodeKaEditorOffice::savedFileReadsBack()
{
    QFETCH(QString, name);
    QFile out(env->filePath(QStringLiteral("text/") + QFileInfo(name).completeBaseName() +
                            QStringLiteral(".txt")));
    QVERIFY2(out.open(QIODevice::ReadOnly), qPrintable(out.fileName()));
    QStringList got = words(QString::fromUtf8(out.readAll()));
    got.removeAll(QStringLiteral("\u2022")); // the list item's marker
    const QStringList want = expected.value(name);
    QVERIFY2(got == want, qPrintable(got.join(u'|') + QStringLiteral(" / ") + want.join(u'|')));
}

void TestUnicodeKaEditorOffice::odtRunsKeepTheirFonts_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    const QString tunga = QStringLiteral("tunga");
    QTest::newRow("plain") << kannada("kannaDa") << tunga << false << false;
    QTest::newRow("bold") << kannada("dappa") << tunga << true << false;
    QTest::newRow("italic") << kannada("ore") << tunga << false << true;
    QTest::newRow("other family") << kannada("bEre") << QStringLiteral("Noto Sans Kannada") << false
                                  << false;
    QTest::newRow("typed into a cell") << kannada("mane") << tunga << false << false;
    QTest::newRow("bold in a cell") << kannada("taayi") << tunga << true << false;
}

void TestUnicodeKaEditorOffice::odtRunsKeepTheirFonts()
{
    QFETCH(QString, word);
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const FlatDocument::Run *run = flat.runOf(word);
    QVERIFY2(run, qPrintable(word));
    // Indic text is shown in the complex-script font; the western one is
    // the same family.
    QCOMPARE(flat.family(*run, true), family);
    QCOMPARE(flat.family(*run, false), family);
    for (const char *weight : { "style:font-weight-complex", "fo:font-weight" })
        QCOMPARE(flat.property(*run, QLatin1String(weight)) == u"bold", bold);
    for (const char *style : { "style:font-style-complex", "fo:font-style" })
        QCOMPARE(flat.property(*run, QLatin1String(style)) == u"italic", italic);
}

void TestUnicodeKaEditorOffice::odtKeepsTableAndPicture()
{
    QCOMPARE(flat.cellTexts, (QStringList { kannada("mane"), kannada("taayi") }));
    QCOMPARE(flat.images.size(), 1);
    QCOMPARE(flat.images.at(0).size(), QSize(8, 6));
    QCOMPARE(flat.images.at(0).pixelColor(3, 3), QColor(Qt::red));
}

void TestUnicodeKaEditorOffice::odtNamesOnlyStylesItHolds()
{
    // In our own file: every style a span, paragraph, table or cell names.
    for (const QString &name : { QStringLiteral("doc-odt.odt"), QStringLiteral("list-odt.odt") }) {
        CZIP::QZipReader zip(env->filePath(name));
        QXmlStreamReader in(zip.fileData(QStringLiteral("content.xml")));
        QSet<QString> defined;
        QSet<QString> named;
        while (!in.atEnd()) {
            if (in.readNext() != QXmlStreamReader::StartElement)
                continue;
            for (const QXmlStreamAttribute &a : in.attributes()) {
                if (a.name() == u"style-name")
                    named.insert(a.value().toString());
                else if (a.namespaceUri() == styleNS && a.name() == u"name")
                    defined.insert(a.value().toString());
            }
        }
        QVERIFY2(!in.hasError(), qPrintable(in.errorString()));
        QVERIFY(!named.isEmpty());
        QStringList missing = (named - defined).values();
        missing.sort();
        QVERIFY2(missing.isEmpty(), qPrintable(name + QStringLiteral(": ") + missing.join(u' ')));
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorOffice test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditoroffice.moc"
