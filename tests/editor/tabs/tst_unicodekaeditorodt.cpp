// OpenDocument files saved by the word processor, read by LibreOffice (its
// own flat and text exports of our files): tables typed as a user types
// them, keys as X11 delivers them, keep every cell's paragraphs and lists in
// their cell; and documents other programs wrote keep every word once
// opened and saved again.
#include "FoColorName.h"
#include "OOReader.h"
#include "libreoffice.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "tabsession.h"
#include "testenv.h"
#include "tst_odtoutline.h"
#include "tst_wordrecall.h"
#include "unicodekaeditor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest/QTest>

#include "findchild.h"

using ZuvoTest::Session;

namespace {

QString joined(const QStringList &list)
{
    return list.join(QStringLiteral(" | "));
}

QAction *action(const Session &s, const char *name)
{
    return ZuvoTest::child<QAction>(&s.window, name);
}

// What the user types into the cells of a new table, cell after cell: the
// paragraphs of each, ended with Return; "*" before a paragraph makes it a
// numbered list item, "^" centres it.
using Cells = QList<QStringList>;

void typeTable(const Session &s, UnicodeKaEditor *editor, int rows, int columns, const Cells &cells)
{
    editor->askTableSize = [rows, columns](int *r, int *c) {
        *r = rows;
        *c = columns;
        return true;
    };
    action(s, "actionInsert_Table")->trigger();
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0) // the arrow at the end of a cell goes on to the next one
            QTest::keyClick(editor, Qt::Key_Right);
        const QStringList &paragraphs = cells.at(i);
        for (int p = 0; p < paragraphs.size(); ++p) {
            if (p > 0)
                QTest::keyClick(editor, Qt::Key_Return);
            QString text = paragraphs.at(p);
            const bool listed = text.startsWith(QLatin1Char('*'));
            const bool centred = text.startsWith(QLatin1Char('^'));
            if (listed || centred)
                text.remove(0, 1);
            QTest::keyClicks(editor, text);
            if (listed && p == 0)
                action(s, "actionDecimal")->trigger();
            if (centred)
                action(s, "actionAlign_center")->trigger();
        }
    }
}

// The outline of the document typed: a paragraph above the table, the empty
// one Return made (where the table was inserted), the table, and the empty
// paragraph after it.
QStringList typedOutline(int rows, int columns, const Cells &cells)
{
    QStringList out { QStringLiteral("P:above"), QStringLiteral("P:"), QStringLiteral("T{") };
    for (int r = 0; r < rows; ++r) {
        out << QStringLiteral("R{");
        for (int c = 0; c < columns; ++c) {
            out << QStringLiteral("C1x1{");
            const QStringList paragraphs = cells.value(r * columns + c, { QString() });
            const bool listed = paragraphs.value(0).startsWith(QLatin1Char('*'));
            for (QString paragraph : paragraphs) {
                if (paragraph.startsWith(QLatin1Char('*')) ||
                    paragraph.startsWith(QLatin1Char('^')))
                    paragraph.remove(0, 1);
                out << (listed ? QStringLiteral("L1:") : QStringLiteral("P:")) + paragraph;
            }
            out << QStringLiteral("}");
        }
        out << QStringLiteral("}");
    }
    out << QStringLiteral("}") << QStringLiteral("P:");
    return out;
}

QString fixturePath(const QString &name)
{
    for (const char *folder : { ZUVO_OTHERS_FIXTURES, ZUVO_ODFIMPORT_FIXTURES, TABS_FIXTURES }) {
        const QString path = QLatin1String(folder) + QLatin1Char('/') + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

const char *const OthersDocuments[] = {
    "fields.odt", "indexes.odt", "layout.odt",   "objects.odt",
    "page.odt",   "text.odt",    "document.odt",
};

} // namespace

class TestUnicodeKaEditorOdt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typedTablesKeepTheirCells_data();
    void typedTablesKeepTheirCells();
    void othersDocumentsKeepEveryWord_data();
    void othersDocumentsKeepEveryWord();
};

void TestUnicodeKaEditorOdt::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
    setUnitDpi(96);
}

void TestUnicodeKaEditorOdt::typedTablesKeepTheirCells_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<Cells>("cells");
    QTest::newRow("cell with two paragraphs of different alignment")
        << 2 << 2
        << Cells { { QStringLiteral("first"), QStringLiteral("^second") },
                   { QStringLiteral("upper right") },
                   { QStringLiteral("lower left") },
                   { QStringLiteral("lower right") } };
    Cells nine;
    for (int i = 0; i < 9; ++i)
        nine << QStringList { QStringLiteral("cell%1 one").arg(i),
                              QStringLiteral("cell%1 two").arg(i),
                              QStringLiteral("cell%1 three").arg(i) };
    QTest::newRow("three paragraphs in every cell of a 3x3 table") << 3 << 3 << nine;
    QTest::newRow("list of three items in a cell")
        << 1 << 2
        << Cells { { QStringLiteral("*one"), QStringLiteral("two"), QStringLiteral("three") },
                   { QStringLiteral("beside") } };
}

// Typed into a new document and saved with Save As: LibreOffice shows the
// cells, paragraphs and list items as the editor holds them, and our reader
// reads them back.
void TestUnicodeKaEditorOdt::typedTablesKeepTheirCells()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(Cells, cells);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    ZuvoTest::TempEnv env;
    ZuvoTest::MessageBoxWatcher watcher;
    Session s;
    QVERIFY(ZuvoTest::showActive(&s.window));
    s.tabs->slotChangeLanguage(9); // English: the keys type as they are
    UnicodeKaEditor *editor = s.editor(0);
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("above"));
    QTest::keyClick(editor, Qt::Key_Return);
    typeTable(s, editor, rows, columns, cells);
    // The document holds what was typed, as it was typed.
    const QStringList expected = OdtOutline::ofDocument(editor->document());
    QCOMPARE(joined(expected), joined(typedOutline(rows, columns, cells)));

    const QString path = env.filePath(QStringLiteral("typed.odt"));
    editor->askSaveFileName = [&path](const QString &) { return path; };
    action(s, "actionSave_as")->trigger();
    QVERIFY2(watcher.seen().isEmpty(), qPrintable(watcher.texts().join(u'\n')));
    QVERIFY(!editor->document()->isModified());

    const QString out = env.filePath(QStringLiteral("out"));
    QString log;
    QVERIFY2(ZuvoTest::officeConvert(soffice, { path }, QStringLiteral("fodt"), out, &log),
             qPrintable(log));
    QVERIFY2(ZuvoTest::officeConvert(soffice, { path }, QStringLiteral("txt:Text (encoded):UTF8"),
                                     out, &log),
             qPrintable(log));
    const QByteArray flat =
        ZuvoTest::fileBytes(ZuvoTest::officeOutput(out, path, QStringLiteral("fodt")));
    QCOMPARE(joined(OdtOutline::ofOdf(flat)), joined(expected));
    const QByteArray text = ZuvoTest::fileBytes(
        ZuvoTest::officeOutput(out, path, QStringLiteral("txt:Text (encoded):UTF8")));
    QCOMPARE(joined(OdtOutline::exportedLines(text)), joined(OdtOutline::lines(expected)));

    OOReader reader(path);
    reader.read();
    QCOMPARE(joined(OdtOutline::normalized(OdtOutline::ofDocument(reader.document))),
             joined(OdtOutline::normalized(expected)));
}

void TestUnicodeKaEditorOdt::othersDocumentsKeepEveryWord_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : OthersDocuments)
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A document LibreOffice wrote, opened in the word processor and saved under
// a new name: every word LibreOffice shows of the original, as often as it
// shows it, LibreOffice shows of ours.
void TestUnicodeKaEditorOdt::othersDocumentsKeepEveryWord()
{
    QFETCH(QString, name);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    const QString fixture = fixturePath(name);
    QVERIFY2(!fixture.isEmpty(), qPrintable(name));
    ZuvoTest::TempEnv env;
    ZuvoTest::MessageBoxWatcher watcher;
    const QString original = env.filePath(QStringLiteral("original.odt"));
    QVERIFY(QFile::copy(fixture, original));
    Session s({ original });
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    UnicodeKaEditor *editor = s.editor(0);
    QVERIFY(!editor->document()->isEmpty());
    const QString saved = env.filePath(QStringLiteral("saved.odt"));
    editor->askSaveFileName = [&saved](const QString &) { return saved; };
    action(s, "actionSave_as")->trigger();
    QVERIFY2(QFileInfo::exists(saved), qPrintable(watcher.texts().join(u'\n')));

    const QString out = env.filePath(QStringLiteral("out"));
    QString log;
    QVERIFY2(WordRecall::convertAll(soffice, { original, saved },
                                    QStringLiteral("txt:Text (encoded):UTF8"), out, &log),
             qPrintable(log));
    const QStringList shown = WordRecall::words(WordRecall::withoutListLabels(QString::fromUtf8(
        ZuvoTest::fileBytes(WordRecall::convertedPath(out, original, QStringLiteral(".txt"))))));
    const QStringList ours = WordRecall::words(WordRecall::withoutListLabels(QString::fromUtf8(
        ZuvoTest::fileBytes(WordRecall::convertedPath(out, saved, QStringLiteral(".txt"))))));
    QVERIFY(!shown.isEmpty());
    const WordRecall::Recall recall = WordRecall::recall(shown, ours);
    QVERIFY2(recall.missing.isEmpty(), qPrintable(recall.report()));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestUnicodeKaEditorOdt test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditorodt.moc"
