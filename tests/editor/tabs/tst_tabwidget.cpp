// The tab controller as a user meets it: opening and switching documents
// changes none of them; the questions at exit, and what they save; the
// modified marks; OpenDocument imports; how files are read; the Encoding
// menu; the keyboard layout shown; shortcuts; PDF export; script conversion;
// one tab per file; files that cannot be read, or only in part; documents of
// the legacy formats.
#include "GZip.h"
#include "OOReader.h"
#include "findchild.h"
#include "highlighter.h"
#include "httpserver.h"
#include "messageboxwatcher.h"
#include "minibrowser.h"
#include "openpdfdialog.h"
#include "printersettingsdialog.h"
#include "scriptconvertdialog.h"
#include "sqlcipherdriver.h"
#include "tabsession.h"
#include "testenv.h"
#include "unicodekaeditor.h"
#include "utils.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileSystemModel>
#include <QFontComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextTable>
#include <QThread>
#include <QTreeView>
#include <QUrl>
#include <QtTest/QTest>

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::Session;
using ZuvoTest::tabFixture;
using ZuvoTest::TempEnv;

namespace {

const QString mark = QStringLiteral(" - (*)");

QAction *action(const Session &s, const char *name)
{
    return ZuvoTest::child<QAction>(&s.window, name);
}

QString exitQuestion(const QString &name)
{
    return QStringLiteral("Document %1 is modified, Do you want to save?").arg(name);
}

// The exit questions among the boxes the watcher answered.
QStringList askedAtExit(const MessageBoxWatcher &watcher)
{
    QStringList out;
    for (const QString &text : watcher.texts())
        if (text.startsWith(QLatin1String("Document ")))
            out << text;
    return out;
}

void type(UnicodeKaEditor *editor, const QString &text)
{
    QTextCursor cursor(editor->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

QString keyboardStatus(const Session &s)
{
    const QList<QLabel *> labels = s.window.statusBar()->findChildren<QLabel *>();
    for (QLabel *label : labels)
        if (label->text().startsWith(QLatin1String("<b>")))
            return label->text();
    return QString();
}

// Whether the highlighter marked a misspelt word: in the words it keeps for
// the editor to paint, or (for a document no editor shows) as a wavy
// underline among the block's layout formats.
bool hasSpellingMarks(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!Highlighter::misspellings(block).isEmpty())
            return true;
        const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
        for (const QTextLayout::FormatRange &range : formats)
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                return true;
    }
    return false;
}

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

// The office suite's document.odt with its content.xml changed.
QByteArray odtWithContent(const std::function<QByteArray(QByteArray)> &change)
{
    QBuffer in;
    in.setData(tabFixture("document.odt"));
    in.open(QIODevice::ReadOnly);
    CZIP::QZipReader reader(&in);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CZIP::QZipWriter writer(&out);
    for (const CZIP::QZipReader::FileInfo &entry : reader.fileInfoList()) {
        if (entry.isDir)
            continue;
        QByteArray data = reader.fileData(entry.filePath);
        if (entry.filePath == QLatin1String("content.xml"))
            data = change(data);
        writer.setCompressionPolicy(entry.filePath == QLatin1String("mimetype")
                                        ? CZIP::QZipWriter::NeverCompress
                                        : CZIP::QZipWriter::AutoCompress);
        writer.addFile(entry.filePath, data);
    }
    writer.close();
    return out.data();
}

QByteArray cutBefore(QByteArray xml, const QByteArray &at)
{
    const qsizetype end = xml.indexOf(at);
    if (end < 0)
        qFatal("fixture lacks %s", at.constData());
    xml.truncate(end);
    return xml;
}

// A file that cannot be read however it is opened: reading the process's
// memory from its start fails at once. (It is only read, never written.)
bool unreadableFile(const TempEnv &env, const QString &name)
{
    if (!QFile::link(QStringLiteral("/proc/self/mem"), env.filePath(name)))
        return false;
    QFile file(env.filePath(name));
    return file.open(QIODevice::ReadOnly) && file.readAll().isEmpty() &&
        file.error() != QFileDevice::NoError;
}

} // namespace

class TestTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void openAndSwitchEditNothing_data();
    void openAndSwitchEditNothing();
    void fontBoxShowsTheFamily_data();
    void fontBoxShowsTheFamily();
    void exitQuestions_data();
    void exitQuestions();
    void marksFollowTheirDocument();
    void importedDocumentIsTheFile_data();
    void importedDocumentIsTheFile();
    void importsAtOnceFillTheirOwnTabs();
    void importIntoClosedTab();
    void exitDuringImport();
    void exitWhileAPictureIsOnItsWay();
    void escapeClosesTheFindBar();
    void textFiles_data();
    void textFiles();
    void htmlFiles_data();
    void htmlFiles();
    void encodingMenuSavesWhatItNames_data();
    void encodingMenuSavesWhatItNames();
    void encodingMenuShowsTheDocument();
    void layoutFollowsTheCurrentTab();
    void shortcutsAreUnique();
    void pdfExport();
    void pdfExportFailureWarns();
    void pdfExportOfALongDocument();
    void pdfExportCancelled();
    void printToFile_data();
    void printToFile();
    void conversionsKeepTheLines();
    void plainTextHoldsNoPictures_data();
    void plainTextHoldsNoPictures();
    void oneFileOneTab_data();
    void oneFileOneTab();
    void unreadableFilesMakeNoTab_data();
    void unreadableFilesMakeNoTab();
    void partlyReadFilesKeepTheFile_data();
    void partlyReadFilesKeepTheFile();
    void importKeepsWhatTheUserPutIn();
    void importIntoATabSavedMeanwhile();
    void saveNeverMakesTwoTabsOfOneFile_data();
    void saveNeverMakesTwoTabsOfOneFile();
    void legacyDocumentsAreNotWrittenBack_data();
    void legacyDocumentsAreNotWrittenBack();
    void tabGoesWhileAQuestionIsOpen_data();
    void tabGoesWhileAQuestionIsOpen();
};

void TestTabWidget::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
}

void TestTabWidget::init()
{
    QSettings(QStringLiteral("Tessavrim"), QStringLiteral("Zuvo")).clear();
}

void TestTabWidget::openAndSwitchEditNothing_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("bytes");
    // Legacy-font and BRH files become new text: modified from the start.
    QTest::addColumn<bool>("modified");

    const QByteArray text("Words at the start\nand a second line\n");
    const QByteArray html = tabFixture("document.html");
    const QByteArray odt = tabFixture("document.odt");
    QTest::newRow("txt") << "txt" << text << false;
    QTest::newRow("TXT") << "TXT" << text << false;
    QTest::newRow("htm") << "htm" << html << false;
    QTest::newRow("html") << "html" << html << false;
    QTest::newRow("rtf") << "rtf" << tabFixture("document.rtf") << false;
    QTest::newRow("odt") << "odt" << odt << false;
    QTest::newRow("odf") << "odf" << odt << false;
    QTest::newRow("nudi") << "nudi"
                          << ZuvoTest::fixtureBytes(QStringLiteral(LEGACY_FIXTURES "/escapes.nudi"))
                          << true;
    QTest::newRow("brh") << "brh" << QByteArray("ka 2\nka\n") << true;
    // Files without text (the rows named "empty ..."), the office suite's
    // own where a file of the kind holds more than nothing.
    QTest::newRow("empty txt") << "txt" << QByteArray() << false;
    QTest::newRow("empty html") << "html" << QByteArray() << false;
    QTest::newRow("empty html, office's") << "html" << tabFixture("empty.html") << false;
    QTest::newRow("empty rtf") << "rtf" << tabFixture("empty.rtf") << false;
    QTest::newRow("empty odt") << "odt" << tabFixture("empty.odt") << false;
    QTest::newRow("empty brh") << "brh" << QByteArray() << true;
}

// Files opened one after another and then switched between come out as they
// were read: no edit, nothing to undo, no question at exit, and each tab's
// mark says whether its document is modified.
void TestTabWidget::openAndSwitchEditNothing()
{
    QFETCH(QString, suffix);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, modified);
    const bool empty = QByteArray(QTest::currentDataTag()).startsWith("empty ");

    TempEnv env;
    const int files = 4;
    for (int i = 0; i < files; ++i)
        QVERIFY(env.writeFile(QStringLiteral("doc%1.%2").arg(i).arg(suffix), bytes));
    MessageBoxWatcher watcher;
    Session s;
    for (int i = 0; i < files; ++i)
        s.tabs->editFile(env.filePath(QStringLiteral("doc%1.%2").arg(i).arg(suffix)));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QCOMPARE(s.tabs->count(), files + 1);
    // The Open and Save dialogs of a file's tab start in its folder (a
    // converted BRH file's tab is a new document).
    if (suffix != QLatin1String("brh"))
        for (int i = 1; i < s.tabs->count(); ++i)
            QCOMPARE(QDir(s.editor(i)->workingDir()), QDir(env.path()));

    QStringList read;
    for (UnicodeKaEditor *editor : s.tabs->editors())
        read << editor->document()->toHtml();
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < s.tabs->count(); ++i)
            s.tabs->setCurrentIndex(i);

    for (int i = 0; i < s.tabs->count(); ++i) {
        const QTextDocument *document = s.editor(i)->document();
        const bool expected = i > 0 && modified;
        QCOMPARE(document->toPlainText().trimmed().isEmpty(), i == 0 || empty);
        QCOMPARE(document->toHtml(), read.at(i));
        QVERIFY2(!document->isUndoAvailable(), qPrintable(s.tabs->tabText(i)));
        QCOMPARE(document->isModified(), expected);
        QCOMPARE(s.tabs->tabText(i).endsWith(mark), expected);
    }
    QVERIFY(watcher.seen().isEmpty());
    if (!modified) {
        QVERIFY(s.tabs->slotExit());
        QVERIFY(watcher.seen().isEmpty());
    }
}

void TestTabWidget::fontBoxShowsTheFamily_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("bytes");
    // Empty: the language's font, which text without a family of its own is
    // written in.
    QTest::addColumn<QString>("family");

    const QString uninstalled = QStringLiteral("Zuvo Test Serif");
    QTest::newRow("txt") << "txt" << QByteArray("words\n") << QString();
    QTest::newRow("html") << "html" << tabFixture("family.html") << uninstalled;
    QTest::newRow("rtf") << "rtf" << tabFixture("family.rtf") << uninstalled;
    QTest::newRow("odt") << "odt" << tabFixture("family.odt") << uninstalled;
    QTest::newRow("nudi") << "nudi"
                          << ZuvoTest::fixtureBytes(QStringLiteral(LEGACY_FIXTURES "/escapes.nudi"))
                          << QString();
    QTest::newRow("brh") << "brh" << QByteArray("ka 2\nka\n") << QString();
}

void TestTabWidget::fontBoxShowsTheFamily()
{
    QFETCH(QString, suffix);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, family);
    const QString languageFamily = Utils::languageDefaultFont(0);
    if (family.isEmpty())
        family = languageFamily;

    TempEnv env;
    const QString name = QStringLiteral("a.") + suffix;
    QVERIFY(env.writeFile(name, bytes));
    Session s;
    auto *box = ZuvoTest::child<QFontComboBox>(&s.window, "comboFontFamily");
    // The language's font is named even where it is not installed.
    QCOMPARE(box->currentText(), languageFamily);
    s.tabs->editFile(env.filePath(name));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QCOMPARE(s.tabs->count(), 2);
    UnicodeKaEditor *editor = s.editor(1);
    const bool modified = editor->document()->isModified();
    const QString read = editor->document()->toHtml();
    s.tabs->setCurrentIndex(0);
    QCOMPARE(box->currentText(), languageFamily);
    s.tabs->setCurrentIndex(1);
    QCOMPARE(box->currentText(), family);
    // Showing it changes nothing.
    QCOMPARE(editor->document()->isModified(), modified);
    QCOMPARE(editor->document()->toHtml(), read);

    // Picking a family in the box still sets it on the current word.
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(1);
    editor->setTextCursor(cursor);
    emit box->textActivated(QStringLiteral("Serif"));
    cursor = QTextCursor(editor->document());
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontFamilies().toStringList(), QStringList { "Serif" });
    QVERIFY(editor->document()->isModified());
}

void TestTabWidget::exitQuestions_data()
{
    // How the user leaves: "close" the window's close button, "exit" the
    // File menu's Exit.
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");
    // What saving the first document does: "saves", "fails" (a folder took
    // the file's place) or "no name" (an untitled document whose Save
    // dialog is cancelled).
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("firstWritten");
    QTest::addColumn<bool>("secondWritten");
    QTest::addColumn<bool>("closes");

    const int yes = QMessageBox::Yes, yesAll = QMessageBox::YesToAll, no = QMessageBox::No,
              noAll = QMessageBox::NoToAll, cancel = QMessageBox::Cancel;
    // clang-format off
    QTest::newRow("yes, saves, close button") << "close" << yes    << "saves"   << 2 << true  << true  << true;
    QTest::newRow("yes, fails, close button") << "close" << yes    << "fails"   << 2 << false << true  << false;
    QTest::newRow("yes, no name, close button") << "close" << yes    << "no name" << 2 << false << true  << false;
    QTest::newRow("yes to all, saves, close button") << "close" << yesAll << "saves"   << 1 << true  << true  << true;
    QTest::newRow("yes to all, fails, close button") << "close" << yesAll << "fails"   << 1 << false << true  << false;
    QTest::newRow("yes to all, no name, close button") << "close" << yesAll << "no name" << 1 << false << true  << false;
    QTest::newRow("no, saves, close button") << "close" << no     << "saves"   << 2 << false << false << true;
    QTest::newRow("no, no name, close button") << "close" << no     << "no name" << 2 << false << false << true;
    QTest::newRow("no to all, saves, close button") << "close" << noAll  << "saves"   << 1 << false << false << true;
    QTest::newRow("no to all, fails, close button") << "close" << noAll  << "fails"   << 1 << false << false << true;
    QTest::newRow("cancel, saves, close button") << "close" << cancel << "saves"   << 1 << false << false << false;
    QTest::newRow("cancel, no name, close button") << "close" << cancel << "no name" << 1 << false << false << false;
    QTest::newRow("yes, saves, File > Exit") << "exit" << yes    << "saves"   << 2 << true  << true  << true;
    QTest::newRow("yes, fails, File > Exit") << "exit" << yes    << "fails"   << 2 << false << true  << false;
    QTest::newRow("yes, no name, File > Exit") << "exit" << yes    << "no name" << 2 << false << true  << false;
    QTest::newRow("yes to all, saves, File > Exit") << "exit" << yesAll << "saves"   << 1 << true  << true  << true;
    QTest::newRow("yes to all, fails, File > Exit") << "exit" << yesAll << "fails"   << 1 << false << true  << false;
    QTest::newRow("yes to all, no name, File > Exit") << "exit" << yesAll << "no name" << 1 << false << true  << false;
    QTest::newRow("no, saves, File > Exit") << "exit" << no     << "saves"   << 2 << false << false << true;
    QTest::newRow("no, no name, File > Exit") << "exit" << no     << "no name" << 2 << false << false << true;
    QTest::newRow("no to all, saves, File > Exit") << "exit" << noAll  << "saves"   << 1 << false << false << true;
    QTest::newRow("no to all, fails, File > Exit") << "exit" << noAll  << "fails"   << 1 << false << false << true;
    QTest::newRow("cancel, saves, File > Exit") << "exit" << cancel << "saves"   << 1 << false << false << false;
    QTest::newRow("cancel, no name, File > Exit") << "exit" << cancel << "no name" << 1 << false << false << false;
    // clang-format on
}

// Two modified documents and the user leaving, each question answered the
// same way: each document is asked about once.
void TestTabWidget::exitQuestions()
{
    QFETCH(QString, way);
    QFETCH(int, answer);
    QFETCH(QString, outcome);
    QFETCH(int, questions);
    QFETCH(bool, firstWritten);
    QFETCH(bool, secondWritten);
    QFETCH(bool, closes);

    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.txt"), "first\n"));
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "second\n"));
    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::StandardButton(answer));
    Session s;
    QString firstName = QStringLiteral("a.txt");
    if (outcome == QLatin1String("no name")) {
        firstName = s.tabs->tabText(0);
        s.editor(0)->askSaveFileName = [](const QString &) { return QString(); };
        type(s.editor(0), QStringLiteral("new words"));
    } else {
        s.tabs->editFile(env.filePath(QStringLiteral("a.txt")));
        type(s.editor(1), QStringLiteral("more"));
        if (outcome == QLatin1String("fails")) {
            QVERIFY(QFile::remove(env.filePath(QStringLiteral("a.txt"))));
            QVERIFY(QDir(env.path()).mkdir(QStringLiteral("a.txt")));
        }
    }
    s.tabs->editFile(env.filePath(QStringLiteral("b.txt")));
    type(s.tabs->editors().last(), QStringLiteral("more"));

    QVERIFY(ZuvoTest::showActive(&s.window));
    if (way == QLatin1String("close")) {
        QCOMPARE(s.window.close(), closes);
    } else {
        // Exit quits the event loop it runs in; what quitting does to the
        // windows happens there. Left open, the loop is left by hand.
        QAction *exit = s.window.findChild<QAction *>(QStringLiteral("actionExit"));
        QVERIFY(exit);
        QTimer::singleShot(0, exit, [exit] {
            exit->trigger();
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        });
        QCoreApplication::exec();
    }
    QCOMPARE(s.window.isVisible(), !closes);
    const QStringList asked = QStringList { exitQuestion(firstName), exitQuestion("b.txt") };
    QCOMPARE(askedAtExit(watcher), asked.mid(0, questions));
    if (outcome == QLatin1String("saves"))
        QCOMPARE(env.readFile(QStringLiteral("a.txt")).endsWith("first\nmore"), firstWritten);
    if (outcome == QLatin1String("fails"))
        QVERIFY(QFileInfo(env.filePath(QStringLiteral("a.txt"))).isDir());
    if (outcome == QLatin1String("no name"))
        QCOMPARE(QDir(env.path()).entryList(QDir::Files), QStringList({ "a.txt", "b.txt" }));
    QCOMPARE(env.readFile(QStringLiteral("b.txt")).endsWith("second\nmore"), secondWritten);
    // A document that was not written is still modified, and still marked.
    const int first = outcome == QLatin1String("no name") ? 0 : 1;
    QCOMPARE(s.editor(first)->document()->isModified(), !firstWritten);
    QCOMPARE(s.tabs->tabText(first).endsWith(mark), !firstWritten);
}

void TestTabWidget::marksFollowTheirDocument()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.txt"), "first\n"));
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "second\n"));
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::Yes);
    Session s({ env.filePath(QStringLiteral("a.txt")), env.filePath(QStringLiteral("b.txt")) });
    QCOMPARE(s.tabs->currentIndex(), 1);

    // A document in the background changes: its own tab is marked.
    type(s.editor(0), QStringLiteral("x"));
    QCOMPARE(s.tabs->tabText(0), QStringLiteral("a.txt") + mark);
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("b.txt"));

    // An import that ends while another tab is current leaves that tab's
    // mark alone and its own tab unmarked.
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    s.tabs->setCurrentIndex(1);
    type(s.editor(1), QStringLiteral("y"));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QVERIFY(s.editor(2)->toPlainText().contains(QStringLiteral("Opening words")));
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("b.txt") + mark);
    QCOMPARE(s.tabs->tabText(2), QStringLiteral("c.odt"));

    // Saved at exit, each loses its mark; the questions name the documents
    // without it.
    QVERIFY(s.tabs->slotExit());
    QCOMPARE(askedAtExit(watcher), QStringList({ exitQuestion("a.txt"), exitQuestion("b.txt") }));
    QCOMPARE(s.tabs->tabText(0), QStringLiteral("a.txt"));
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("b.txt"));
    QVERIFY(env.readFile(QStringLiteral("a.txt")).endsWith("first\nx"));
    QVERIFY(env.readFile(QStringLiteral("b.txt")).endsWith("second\ny"));
}

void TestTabWidget::importedDocumentIsTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("odt") << "c.odt";
    QTest::newRow("rtf") << "c.rtf";
}

// An OpenDocument file comes from its reader's thread, an RTF file is read
// into a document of its own: either is shown as the file, in the editor's
// font and margin, with nothing to undo and its words checked.
void TestTabWidget::importedDocumentIsTheFile()
{
    QFETCH(QString, name);
    TempEnv env;
    QVERIFY(env.writeFile(
        name, tabFixture(name.endsWith(QLatin1String("odt")) ? "document.odt" : "document.rtf")));
    Session s;
    const QTextDocument *fresh = s.editor(0)->document();
    s.tabs->editFile(env.filePath(name));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    UnicodeKaEditor *editor = s.editor(1);
    // Handed over to the thread that shows it, and owned with the editor.
    QCOMPARE(editor->document()->thread(), QThread::currentThread());
    QCOMPARE(editor->document()->parent(), editor);
    const QString text = editor->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Opening words of the letter")));
    QVERIFY(text.contains(QStringLiteral("ಕನ್ನಡ ಒಂದು ಭಾಷೆ")));

    // Nothing to undo: Undo leaves the document as the file is.
    QVERIFY(!editor->document()->isUndoAvailable());
    action(s, "actionUndo")->trigger();
    action(s, "actionUndo")->trigger();
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(!editor->document()->isModified());
    QCOMPARE(s.tabs->tabText(1), name);

    // Spelling marks on the new document (no word is known here), the
    // editor's font and margin.
    Highlighter *highlighter = editor->highlighter();
    QVERIFY(highlighter);
    QCOMPARE(highlighter->document(), editor->document());
    QVERIFY(hasSpellingMarks(editor->document()));
    QCOMPARE(editor->document()->defaultFont().family(), Utils::languageDefaultFont(0));
    QCOMPARE(editor->document()->documentMargin(), fresh->documentMargin());

    // Typing afterwards is an edit like any other.
    type(editor, QStringLiteral("typed"));
    QVERIFY(editor->document()->isModified());
    QCOMPARE(s.tabs->tabText(1), name + mark);
    action(s, "actionUndo")->trigger();
    QCOMPARE(editor->toPlainText(), text);
}

void TestTabWidget::importsAtOnceFillTheirOwnTabs()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    QVERIFY(env.writeFile(QStringLiteral("d.odt"), tabFixture("cafe.odt")));
    Session s;
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    s.tabs->editFile(env.filePath(QStringLiteral("d.odt")));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    // Each import's thread went when it was done.
    QVERIFY(s.tabs->findChildren<QThread *>().isEmpty());
    QVERIFY(s.editor(0)->toPlainText().isEmpty());
    QVERIFY(s.editor(1)->toPlainText().startsWith(QStringLiteral("Opening words")));
    QVERIFY(s.editor(2)->toPlainText().startsWith(QStringLiteral("Café au lait")));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!s.editor(i)->document()->isModified());
        QVERIFY(!s.editor(i)->document()->isUndoAvailable());
    }
}

void TestTabWidget::importIntoClosedTab()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    Session s;
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    QVERIFY(s.tabs->slotTabCloseRequested(1));
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(s.tabs->count(), 1);
    QVERIFY(s.editor(0)->toPlainText().isEmpty());
    QVERIFY(!s.editor(0)->document()->isModified());
}

void TestTabWidget::exitDuringImport()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    MessageBoxWatcher watcher;
    {
        Session s;
        s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
        // The empty tab waiting for its document has nothing to save.
        QVERIFY(s.window.close());
    }
    QVERIFY(watcher.seen().isEmpty());
}

// A reader still waiting for a remote picture when the program ends is
// stopped in its own thread, with its transfer and its timers.
void TestTabWidget::exitWhileAPictureIsOnItsWay()
{
    ZuvoTest::HttpServer server;
    QVERIFY(server.listen());
    ZuvoTest::HttpServer::Response silent;
    silent.silent = true;
    server.route("/silent.png", silent);
    const QByteArray url = server.url(QStringLiteral("/silent.png")).toEncoded();
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), odtWithContent([&](QByteArray xml) {
                              return xml.replace(
                                  "</office:text>",
                                  "<text:p><draw:frame svg:width=\"1cm\" svg:height=\"1cm\">"
                                  "<draw:image xlink:href=\"" +
                                      url + "\"/></draw:frame></text:p></office:text>");
                          })));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("another thread")));
    MessageBoxWatcher watcher;
    {
        Session s;
        s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
        QVERIFY(QTest::qWaitFor([&] { return !server.requests().isEmpty(); }, 20000));
        QVERIFY(s.window.close());
    }
    QVERIFY(watcher.seen().isEmpty());
}

// Escape in the text closes the find bar and puts the cursor back where
// the search began; with the bar closed it reaches the text as usual.
void TestTabWidget::escapeClosesTheFindBar()
{
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    UnicodeKaEditor *editor = s.tabs->currentEditor();
    editor->setPlainText(QStringLiteral("one two"));
    action(s, "actionFind")->trigger();
    FindAndReplaceDialog *find = s.tabs->findDialog();
    QVERIFY(find && find->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QCOMPARE(editor->toPlainText(), QStringLiteral("one two"));
}

void TestTabWidget::textFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    // Saved again unchanged, the file has the same bytes.
    QTest::addColumn<bool>("sameBytes");

    // clang-format off
    QTest::newRow("latin-1 from an office suite") << tabFixture("cafe.txt")
        << "Café au lait, naïve résumé.\nSecond line\n" << 0 << true;
    QTest::newRow("invalid byte among ascii") << QByteArray("ok \xff ok\n")
        << "ok \u00ff ok\n" << 0 << true;
    QTest::newRow("utf-8") << QByteArray("ಕನ್ನಡ é\n") << "ಕನ್ನಡ é\n" << 1 << false;
    QTest::newRow("utf-8 with mark") << hex("EF BB BF C3 A9 0A") << "é\n" << 1 << true;
    // U+0D15 holds a carriage-return byte in both UTF-16 byte orders.
    QTest::newRow("utf-16le malayalam") << hex("FF FE 15 0D 0A 00") << "\u0D15\n" << 2 << true;
    QTest::newRow("utf-16be malayalam") << hex("FE FF 0D 15 00 0A") << "\u0D15\n" << 3 << true;
    QTest::newRow("utf-32le") << hex("FF FE 00 00 15 0D 00 00 0A 00 00 00") << "\u0D15\n" << 4 << false;
    QTest::newRow("utf-32be") << hex("00 00 FE FF 00 00 0D 15 00 00 00 0A") << "\u0D15\n" << 5 << false;
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << "a\nb\n" << 1 << false;
    QTest::newRow("no final line feed") << QByteArray("x\ny") << "x\ny" << 1 << false;
    QTest::newRow("empty") << QByteArray() << "" << 1 << false;
    // clang-format on
}

void TestTabWidget::textFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(bool, sameBytes);

    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("f.txt"), bytes));
    MessageBoxWatcher watcher;
    Session s({ env.filePath(QStringLiteral("f.txt")) });
    UnicodeKaEditor *editor = s.editor(0);
    QCOMPARE(editor->toPlainText(), text);
    QCOMPARE(editor->textEncodingIndex(), encoding);
    QVERIFY(!editor->document()->isModified());
    // The fallback is announced; nothing else is.
    const QString message = s.window.statusBar()->currentMessage();
    QCOMPARE(message.contains(QStringLiteral("ISO 8859-1")), encoding == 0);
    if (encoding == 0)
        QVERIFY(message.contains(QStringLiteral("f.txt")));

    if (sameBytes) {
        editor->document()->setModified(true);
        QVERIFY(s.tabs->slotSave());
        QCOMPARE(env.readFile(QStringLiteral("f.txt")).toHex(' '), bytes.toHex(' '));
    }
    QVERIFY(watcher.seen().isEmpty());
}

void TestTabWidget::htmlFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("office suite page")
        << tabFixture("document.html")
        << QStringList { "read again and again by everyone", "ಕನ್ನಡ ಒಂದು ಭಾಷೆ and closing" };
    QTest::newRow("line break inside a paragraph")
        << QByteArray("<p>Hello\nWorld</p>") << QStringList { "Hello World" };
    QTest::newRow("crlf inside a paragraph")
        << QByteArray("<p>Hello\r\nWorld</p>") << QStringList { "Hello World" };
    QTest::newRow("declared iso-8859-1")
        << QByteArray("<html><head><meta charset=\"iso-8859-1\"></head>\n<body><p>Caf\xe9</p>"
                      "</body></html>")
        << QStringList { "Café" };
    QTest::newRow("declared windows-1251")
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1251\"></head><body><p>\xcf\xf0\xe8\xe2\xe5\xf2</p>"
                      "</body></html>")
        << QStringList { "Привет" };
    QTest::newRow("undeclared utf-8") << QByteArray("<p>ಕನ್ನಡ</p>") << QStringList { "ಕನ್ನಡ" };
    QTest::newRow("undeclared, not utf-8")
        << QByteArray("<p>Caf\xe9</p>") << QStringList { "Café" };
}

void TestTabWidget::htmlFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, texts);

    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("page.html"), bytes));
    Session s({ env.filePath(QStringLiteral("page.html")) });
    const QString plain = s.editor(0)->toPlainText();
    for (const QString &text : texts)
        QVERIFY2(plain.contains(text), qPrintable(plain));
    QVERIFY(!plain.contains(QChar(QChar::ReplacementCharacter)));
    QVERIFY(!s.editor(0)->document()->isModified());
}

void TestTabWidget::encodingMenuSavesWhatItNames_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    const QString text = QStringLiteral("é ಕ");
    // clang-format off
    QTest::newRow("ISO 8859-1") << "actionANSI" << "café" << hex("63 61 66 E9");
    QTest::newRow("UTF-8") << "actionUTF_8" << text << hex("EF BB BF C3 A9 20 E0 B2 95");
    // With its byte-order mark, in this machine's (little-endian) order.
    QTest::newRow("UTF-16") << "actionUTF_16" << text << hex("FF FE E9 00 20 00 95 0C");
    QTest::newRow("UTF-16BE") << "actionUTF_16BE" << text << hex("FE FF 00 E9 00 20 0C 95");
    QTest::newRow("UTF-32") << "actionUTF_32" << text
                            << hex("FF FE 00 00 E9 00 00 00 20 00 00 00 95 0C 00 00");
    QTest::newRow("UTF-32BE") << "actionUTF_32BE" << text
                              << hex("00 00 FE FF 00 00 00 E9 00 00 00 20 00 00 0C 95");
    // clang-format on
}

// The menu entry chosen first; a document made after it, and one made
// before, are saved in the encoding the entry names.
void TestTabWidget::encodingMenuSavesWhatItNames()
{
    QFETCH(QString, entry);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    TempEnv env;
    MessageBoxWatcher watcher;
    Session s;
    action(s, entry.toLatin1())->trigger();
    action(s, "actionNew")->trigger();
    QCOMPARE(s.tabs->count(), 2);
    QVERIFY(action(s, entry.toLatin1())->isChecked());
    for (int i = 0; i < 2; ++i) {
        const QString name = QStringLiteral("out%1.txt").arg(i);
        s.tabs->setCurrentIndex(i);
        s.editor(i)->setFileName(env.filePath(name));
        type(s.editor(i), text);
        action(s, "actionSave")->trigger();
        QCOMPARE(env.readFile(name).toHex(' '), bytes.toHex(' '));
        QVERIFY(action(s, entry.toLatin1())->isChecked());
    }
    QVERIFY(watcher.seen().isEmpty());
}

void TestTabWidget::encodingMenuShowsTheDocument()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("cafe.txt"), tabFixture("cafe.txt")));
    QVERIFY(env.writeFile(QStringLiteral("utf16.txt"), hex("FE FF 0C 95 00 0A")));
    Session s;
    action(s, "actionUTF_16")->trigger();
    s.tabs->editFile(env.filePath(QStringLiteral("cafe.txt")));
    QVERIFY(action(s, "actionANSI")->isChecked());
    s.tabs->editFile(env.filePath(QStringLiteral("utf16.txt")));
    QVERIFY(action(s, "actionUTF_16BE")->isChecked());
    s.tabs->setCurrentIndex(0);
    QVERIFY(action(s, "actionUTF_16")->isChecked());
    s.tabs->setCurrentIndex(1);
    QVERIFY(action(s, "actionANSI")->isChecked());
    // New documents take the encoding chosen in the menu, which is what is
    // stored for the next start.
    action(s, "actionNew")->trigger();
    QCOMPARE(s.editor(3)->textEncodingIndex(), 2);
    QVERIFY(action(s, "actionUTF_16")->isChecked());
    QCOMPARE(s.tabs->textEncodingIndex(), 2);
}

void TestTabWidget::layoutFollowsTheCurrentTab()
{
    TempEnv env;
    Session s;
    action(s, "actionNew")->trigger();
    s.tabs->setCurrentIndex(0);
    action(s, "actionK_P_Rao")->trigger();
    QCOMPARE(s.editor(0)->keyboardLayout(), 1);
    QCOMPARE(s.editor(1)->keyboardLayout(), 0);
    QCOMPARE(keyboardStatus(s), QStringLiteral("<b>Nudi</b>"));

    s.tabs->setCurrentIndex(1);
    QCOMPARE(keyboardStatus(s), QStringLiteral("<b>Phonetic</b>"));
    QVERIFY(action(s, "actionPhonetic")->isChecked());
    QCOMPARE(s.tabs->keyboard(), 0);
    s.tabs->setCurrentIndex(0);
    QCOMPARE(keyboardStatus(s), QStringLiteral("<b>Nudi</b>"));
    QVERIFY(action(s, "actionK_P_Rao")->isChecked());

    // The toolbar toggle moves every editor on by one; the current one keeps
    // its own next layout, and that is what is shown.
    action(s, "actionKeyboardLayout")->trigger();
    QCOMPARE(s.editor(0)->keyboardLayout(), 2);
    QCOMPARE(s.editor(1)->keyboardLayout(), 1);
    QCOMPARE(keyboardStatus(s), QStringLiteral("<b>Phonetic-2</b>"));
    QVERIFY(action(s, "actionPhonetic2")->isChecked());
    s.tabs->setCurrentIndex(1);
    QCOMPARE(keyboardStatus(s), QStringLiteral("<b>Nudi</b>"));
    QCOMPARE(s.editor(0)->keyboardLayout(), 2);
}

// Every key sequence of the window reaches one command: a key bound twice
// does nothing under X11.
void TestTabWidget::shortcutsAreUnique()
{
    TempEnv env;
    Session s;
    QHash<QKeySequence, QStringList> bound;
    const QList<QAction *> actions = s.window.findChildren<QAction *>();
    for (const QAction *a : actions)
        for (const QKeySequence &key : a->shortcuts())
            bound[key] << a->objectName();
    const QList<QShortcut *> shortcuts = s.window.findChildren<QShortcut *>();
    for (const QShortcut *shortcut : shortcuts)
        for (const QKeySequence &key : shortcut->keys())
            bound[key] << QStringLiteral("QShortcut");
    QVERIFY(bound.contains(QKeySequence(QStringLiteral("Ctrl+W"))));
    for (auto it = bound.cbegin(); it != bound.cend(); ++it)
        QVERIFY2(it.value().size() == 1,
                 qPrintable(it.key().toString() + QLatin1String(": ") + it.value().join(u' ')));
}

void TestTabWidget::pdfExport()
{
    ZUVO_REQUIRE_PROGRAM(pdftotext, "pdftotext");
    ZUVO_REQUIRE_PROGRAM(pdftoppm, "pdftoppm");
    ZUVO_REQUIRE_PROGRAM(pdfinfo, "pdfinfo");
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("letter.txt"),
                          "Opening words of the letter\nclosing words here\nಕನ್ನಡ ಭಾಷೆ\n"));
    Session s({ env.filePath(QStringLiteral("letter.txt")) });
    QCoreApplication::processEvents();
    // No word is known here: every word carries a spelling mark on screen.
    QVERIFY(hasSpellingMarks(s.editor(0)->document()));

    MessageBoxWatcher watcher;
    QString offered;
    watcher.setDialogHandler([&](QDialog *dialog) {
        if (auto *settings = qobject_cast<PrinterSettingsDialog *>(dialog)) {
            settings->setFilename(env.filePath(QStringLiteral("letter")));
            settings->accept();
        } else if (qobject_cast<OpenPdfDialog *>(dialog)) {
            offered = ZuvoTest::child<QLineEdit>(dialog, "lineEdit")->text();
            dialog->accept();
        }
    });
    action(s, "actionPDF")->trigger();
    const QString pdf = env.filePath(QStringLiteral("letter.pdf"));
    QCOMPARE(offered, pdf);
    QCOMPARE(watcher.titles(), QStringList({ "Zuvo - Export to Pdf", "Zuvo - Export to Pdf" }));

    QProcess info;
    info.start(pdfinfo, { pdf });
    QVERIFY(info.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QRegularExpression(QStringLiteral("^Pages:\\s+1$"),
                                             QRegularExpression::MultilineOption)));
    QProcess text;
    text.start(pdftotext, { pdf, QStringLiteral("-") });
    QVERIFY(text.waitForFinished(30000));
    // (The toolkit's PDF engine leaves conjuncts out of the text layer of
    // shaped Kannada: only the Latin words can be checked by their text.)
    const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QVERIFY2(words.contains(QStringLiteral("Opening words of the letter closing words here")),
             qPrintable(words));

    // The page shows the words, and none of the red spelling marks.
    QProcess render;
    render.start(pdftoppm,
                 { QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, env.filePath(QStringLiteral("page")) });
    QVERIFY(render.waitForFinished(30000));
    const QImage page(env.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    int dark = 0;
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 100 && c.green() < 100 && c.blue() < 100)
                ++dark;
            if (c.red() > 150 && c.green() < 110 && c.blue() < 110)
                ++red;
        }
    }
    QVERIFY(dark > 100);
    QCOMPARE(red, 0);
    // On screen the marks are still there.
    QVERIFY(hasSpellingMarks(s.editor(0)->document()));
    QVERIFY(!s.editor(0)->document()->isModified());
}

void TestTabWidget::pdfExportFailureWarns()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("letter.txt"), "words\n"));
    Session s({ env.filePath(QStringLiteral("letter.txt")) });
    MessageBoxWatcher watcher;
    bool offered = false;
    const QString target = env.filePath(QStringLiteral("missing/letter.pdf"));
    watcher.setDialogHandler([&](QDialog *dialog) {
        if (auto *settings = qobject_cast<PrinterSettingsDialog *>(dialog)) {
            settings->setFilename(target);
            settings->accept();
        } else if (qobject_cast<OpenPdfDialog *>(dialog)) {
            offered = true;
            dialog->accept();
        }
    });
    action(s, "actionPDF")->trigger();
    QVERIFY(!offered);
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(watcher.seen().size(), 2);
    const MessageBoxWatcher::Seen warning = watcher.seen().last();
    QCOMPARE(warning.className, QStringLiteral("QMessageBox"));
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QVERIFY(warning.text.contains(target));
}

namespace {

// A long text: `lines` lines of words, Latin ones among them.
QByteArray longText(int lines)
{
    QByteArray out;
    for (int i = 0; i < lines; ++i)
        out += "line " + QByteArray::number(i) +
            " of the long letter ಕನ್ನಡ ಭಾಷೆ with some quick brown words kingdom\n";
    return out;
}

int pdfPages(const QString &pdfinfo, const QString &pdf)
{
    QProcess info;
    info.start(pdfinfo, { pdf });
    if (!info.waitForFinished(30000))
        return -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                         QRegularExpression::MultilineOption)
                                          .match(QString::fromUtf8(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The document printed to a PDF file at once, as the PDF command's settings
// and a fresh printer have it.
void printDirectly(const QTextDocument *document, const QString &pdf)
{
    QPrinter printer(QPrinter::HighResolution);
    PrinterSettingsDialog settings(nullptr);
    const double toPoint = 72.0 / printer.resolution();
    printer.setPageMargins(
        QMarginsF(settings.leftMargin() * toPoint, settings.topMargin() * toPoint,
                  settings.rightMargin() * toPoint, settings.bottomMargin() * toPoint),
        QPageLayout::Point);
    QPdfWriter writer(pdf);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    std::unique_ptr<QTextDocument> copy(document->clone());
    copy->print(&writer);
}

} // namespace

// A long export writes the pages the document prints as, with their text.
void TestTabWidget::pdfExportOfALongDocument()
{
    ZUVO_REQUIRE_PROGRAM(pdftotext, "pdftotext");
    ZUVO_REQUIRE_PROGRAM(pdfinfo, "pdfinfo");
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("letter.txt"), longText(1500)));
    Session s({ env.filePath(QStringLiteral("letter.txt")) });
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));

    MessageBoxWatcher watcher;
    bool offered = false;
    watcher.setDialogHandler([&](QDialog *dialog) {
        if (auto *settings = qobject_cast<PrinterSettingsDialog *>(dialog)) {
            settings->setFilename(env.filePath(QStringLiteral("letter.pdf")));
            settings->accept();
        } else if (auto *box = qobject_cast<QProgressDialog *>(dialog)) {
            // Left to run to its end, on a slow machine.
            (void)QTest::qWaitFor([box] { return !box->isVisible(); }, 120000);
        } else if (qobject_cast<OpenPdfDialog *>(dialog)) {
            offered = true;
            dialog->accept();
        }
    });
    action(s, "actionPDF")->trigger();
    QVERIFY(offered);

    // The pages of the document printed as it is, here and at once.
    const QString direct = env.filePath(QStringLiteral("direct.pdf"));
    printDirectly(s.editor(0)->document(), direct);
    const int pages = pdfPages(pdfinfo, env.filePath(QStringLiteral("letter.pdf")));
    QVERIFY(pages > 20);
    QCOMPARE(pages, pdfPages(pdfinfo, direct));
    QProcess text;
    text.start(pdftotext, { env.filePath(QStringLiteral("letter.pdf")), QStringLiteral("-") });
    QVERIFY(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(words.contains(QStringLiteral("line 0 of the long letter")));
    QVERIFY(words.contains(QStringLiteral("line 1499 of the long letter")));
}

// A long export runs while the window repaints: after a moment a dialog
// shows the pages written. Cancelled, the export leaves no file and no part
// of one, and an earlier PDF of the same name as it was; nothing is offered,
// nothing reported.
void TestTabWidget::pdfExportCancelled()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("letter.txt"), longText(20000)));
    QVERIFY(env.writeFile(QStringLiteral("letter.pdf"), "%PDF-1.4 the earlier export\n"));
    Session s({ env.filePath(QStringLiteral("letter.txt")) });
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    const QStringList before = QDir(env.path()).entryList(QDir::Files | QDir::Hidden);

    MessageBoxWatcher watcher;
    bool offered = false;
    bool cancelled = false;
    QStringList progress;
    watcher.setDialogHandler([&](QDialog *dialog) {
        if (auto *settings = qobject_cast<PrinterSettingsDialog *>(dialog)) {
            settings->setFilename(env.filePath(QStringLiteral("letter")));
            settings->accept();
        } else if (qobject_cast<QProgressDialog *>(dialog)) {
            // The dialog follows the pages as they are written.
            QLabel *label = dialog->findChild<QLabel *>();
            progress << label->text();
            if (QTest::qWaitFor(
                    [label] { return label->text().startsWith(QLatin1String("Writing page ")); },
                    60000))
                progress << label->text();
            auto *cancel = dialog->findChild<QPushButton *>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
            cancel->click();
            cancelled = true;
        } else if (qobject_cast<OpenPdfDialog *>(dialog)) {
            offered = true;
            dialog->accept();
        }
    });
    action(s, "actionPDF")->trigger();
    QVERIFY(cancelled);
    QVERIFY(!offered);
    QCOMPARE(progress.size(), 2);
    QCOMPARE(progress.first(), QStringLiteral("Laying out the pages…"));
    QVERIFY2(progress.last().contains(QRegularExpression(QStringLiteral("^Writing page \\d+…$"))),
             qPrintable(progress.last()));
    QCOMPARE(watcher.titles(), QStringList({ "Zuvo - Export to Pdf" }));
    QCOMPARE(env.readFile(QStringLiteral("letter.pdf")),
             QByteArray("%PDF-1.4 the earlier export\n"));
    QCOMPARE(QDir(env.path()).entryList(QDir::Files | QDir::Hidden), before);
    QVERIFY(!s.editor(0)->document()->isModified());
}

void TestTabWidget::printToFile_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("printed") << 1500 << false;
    QTest::newRow("cancelled") << 20000 << true;
}

// Printed to a file, the pages are those of a direct print and go the way of
// a PDF export: a cancelled print leaves an earlier file as it was.
void TestTabWidget::printToFile()
{
    QFETCH(int, lines);
    QFETCH(bool, cancel);
    ZUVO_REQUIRE_PROGRAM(pdfinfo, "pdfinfo");
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("letter.txt"), longText(lines)));
    const QByteArray earlier("%PDF-1.4 printed before\n");
    QVERIFY(env.writeFile(QStringLiteral("printed.pdf"), earlier));
    Session s({ env.filePath(QStringLiteral("letter.txt")) });
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    const QString pdf = env.filePath(QStringLiteral("printed.pdf"));

    MessageBoxWatcher watcher;
    bool asked = false;
    watcher.setDialogHandler([&](QDialog *dialog) {
        if (qobject_cast<QPrintDialog *>(dialog)) {
            auto *printers = ZuvoTest::child<QComboBox>(dialog, "printers");
            printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
            ZuvoTest::child<QLineEdit>(dialog, "filename")->setText(pdf);
            asked = true;
            dialog->accept();
        } else if (auto *progress = qobject_cast<QProgressDialog *>(dialog)) {
            if (cancel)
                progress->findChild<QPushButton *>()->click();
            else
                (void)QTest::qWaitFor([progress] { return !progress->isVisible(); }, 120000);
        }
    });
    action(s, "actionPrint")->trigger();
    QVERIFY(asked);
    if (cancel) {
        QCOMPARE(env.readFile(QStringLiteral("printed.pdf")), earlier);
        QCOMPARE(QDir(env.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({ "letter.txt", "printed.pdf" }));
    } else {
        // The pages of the document printed at once to a file by a printer
        // as the print dialog sets it up.
        const QString direct = env.filePath(QStringLiteral("direct.pdf"));
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(direct);
            std::unique_ptr<QTextDocument> copy(s.editor(0)->document()->clone());
            copy->print(&printer);
        }
        const int pages = pdfPages(pdfinfo, pdf);
        QVERIFY(pages > 20);
        QCOMPARE(pages, pdfPages(pdfinfo, direct));
    }
    // Neither a failure nor anything else was reported.
    for (const MessageBoxWatcher::Seen &seen : watcher.seen())
        QVERIFY2(seen.className != QLatin1String("QMessageBox"), qPrintable(seen.text));
}

void TestTabWidget::conversionsKeepTheLines()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("words.brh"), "ka 2\nka\n"));
    MessageBoxWatcher watcher;
    watcher.setDialogHandler([](QDialog *dialog) {
        if (qobject_cast<ScriptConvertDialog *>(dialog)) {
            ZuvoTest::child<QComboBox>(dialog, "toLanguageCombo")->setCurrentIndex(1);
            dialog->accept();
        }
    });
    Session s;
    // Each line of a BRH file becomes one line of the document.
    s.tabs->editFile(env.filePath(QStringLiteral("words.brh")));
    QCOMPARE(s.tabs->count(), 2);
    QCOMPARE(s.editor(1)->toPlainText(), QStringLiteral("ಕ ೨\nಕ"));

    // The script converter adds no line either.
    s.tabs->setCurrentIndex(0);
    s.editor(0)->setPlainText(QStringLiteral("ಕ ಮ\nಕ"));
    action(s, "actionScriptConvert")->trigger();
    QCOMPARE(s.tabs->count(), 3);
    QCOMPARE(s.editor(2)->toPlainText(), QStringLiteral("క మ\nక"));
}

void TestTabWidget::plainTextHoldsNoPictures_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");
    // The document is "ಮ<picture> ಕ", a line with a picture alone, and "ಅ".
    QTest::newRow("copy") << "actionCopy" << QStringLiteral("ಮ ಕ\n\nಅ");
    QTest::newRow("cut") << "actionCut" << QStringLiteral("ಮ ಕ\n\nಅ");
    QTest::newRow("script conversion") << "actionScriptConvert" << QStringLiteral("మ క\n\nఅ");
    QTest::newRow("sort") << "actionAscending" << QStringLiteral("ಅ\nಮ ಕ");
}

// The commands that take a document's text as plain text leave out the
// character that stands for each picture in it.
void TestTabWidget::plainTextHoldsNoPictures()
{
    QFETCH(QString, action);
    QFETCH(QString, expected);
    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::Yes);
    watcher.setDialogHandler([](QDialog *dialog) {
        if (qobject_cast<ScriptConvertDialog *>(dialog)) {
            ZuvoTest::child<QComboBox>(dialog, "toLanguageCombo")->setCurrentIndex(1);
            dialog->accept();
        }
    });
    Session s;
    UnicodeKaEditor *editor = s.editor(0);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QTextCursor cursor(editor->document());
    cursor.insertText(QStringLiteral("ಮ"));
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral(" ಕ\n"));
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral("\nಅ"));
    editor->selectAll();
    QApplication::clipboard()->clear();

    ZuvoTest::child<QAction>(&s.window, qPrintable(action))->trigger();
    QString text;
    if (action == QLatin1String("actionCopy") || action == QLatin1String("actionCut")) {
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        text = data->text();
        // The rich text keeps the pictures: pasted here, they come back.
        QVERIFY(data->html().contains(QLatin1String("<img")));
    } else if (action == QLatin1String("actionScriptConvert")) {
        QCOMPARE(s.tabs->count(), 2);
        text = s.editor(1)->toPlainText();
    } else {
        text = editor->toPlainText();
    }
    QCOMPARE(text, expected);
}

void TestTabWidget::oneFileOneTab_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("command line") << "command line";
    QTest::newRow("drop") << "drop";
    QTest::newRow("side pane") << "side pane";
    QTest::newRow("open dialog path spelt otherwise") << "other spelling";
}

// A file opened a second time, in any way, shows the tab it is in; each way
// puts it at the top of the recent files.
void TestTabWidget::oneFileOneTab()
{
    QFETCH(QString, way);
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.txt"), "first\n"));
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "second\n"));
    const QString a = env.filePath(QStringLiteral("a.txt"));
    const QString b = env.filePath(QStringLiteral("b.txt"));
    MessageBoxWatcher watcher;
    const bool commandLine = way == QLatin1String("command line");
    Session s(commandLine ? QStringList { a, b, a } : QStringList { a, b });
    QCOMPARE(s.tabs->count(), 2);
    if (!commandLine)
        s.tabs->setCurrentIndex(1);

    if (way == QLatin1String("drop")) {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(a), QUrl::fromLocalFile(a) });
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        s.window.dropEvent(&event);
    } else if (way == QLatin1String("side pane")) {
        MiniBrowser browser(s.tabs);
        auto *view = browser.findChild<QTreeView *>();
        auto *model = qobject_cast<QFileSystemModel *>(view->model());
        emit view->doubleClicked(model->index(a));
    } else if (way == QLatin1String("other spelling")) {
        s.tabs->editFile(env.path() + QStringLiteral("/./a.txt"));
    }
    QCOMPARE(s.tabs->count(), 2);
    QCOMPARE(s.tabs->currentIndex(), 0);
    QCOMPARE(s.tabs->recentFiles(), QStringList({ a, b }));
    QVERIFY(watcher.seen().isEmpty());
}

void TestTabWidget::unreadableFilesMakeNoTab_data()
{
    QTest::addColumn<QString>("name");
    // The file's bytes; "unreadable" makes a file whose reading fails.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray tooLarge = odtWithContent([](QByteArray xml) {
        const qsizetype end = xml.lastIndexOf("</office:document-content>");
        xml.insert(end, QByteArray(OOReader::MaxXmlMemberSize + 1 - xml.size(), ' '));
        return xml;
    });
    // clang-format off
    QTest::newRow("odt too large") << "big.odt" << tooLarge
        << "The document is too large to open.";
    QTest::newRow("odt that is no container") << "notes.odt" << QByteArray("just text\n")
        << "The file is not an OpenDocument text: it has no content.";
    QTest::newRow("odt damaged before its text") << "broken.odt"
        << odtWithContent([](const QByteArray &xml) { return cutBefore(xml, "Opening words"); })
        << "The document is damaged: only the text before the damage could be read.";
    QTest::newRow("rtf that is no rtf") << "letter.rtf" << QByteArray("Dear reader,\n")
        << "Not a supported RTF file.";
    QTest::newRow("empty rtf") << "empty.rtf" << QByteArray()
        << "Unexpectedly reached end of file.";
    QTest::newRow("nudi without text") << "old.nudi" << QByteArray("{\\rtf1 }")
        << "It holds no Nudi text that could be read.";
    QTest::newRow("txt unreadable") << "notes.txt" << QByteArray("unreadable")
        << "The file could not be read";
    QTest::newRow("html unreadable") << "page.html" << QByteArray("unreadable")
        << "The file could not be read";
    QTest::newRow("brh unreadable") << "words.brh" << QByteArray("unreadable")
        << "The file could not be read";
    // clang-format on
}

// A file whose text could not be read is reported, and no tab is left bound
// to it: a save there would overwrite the file with nothing.
void TestTabWidget::unreadableFilesMakeNoTab()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    TempEnv env;
    if (bytes == "unreadable")
        QVERIFY(unreadableFile(env, name));
    else
        QVERIFY(env.writeFile(name, bytes));
    const QString path = env.filePath(name);
    MessageBoxWatcher watcher;
    Session s;
    s.tabs->editFile(path);
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(s.tabs->count(), 1);
    QCOMPARE(s.tabs->editors().size(), 1);
    QVERIFY(s.editor(0)->fileName().isEmpty());
    QVERIFY(!s.tabs->openDocuments().contains(path));
    QCOMPARE(watcher.seen().size(), 1);
    const MessageBoxWatcher::Seen box = watcher.seen().first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY2(box.text.startsWith(QStringLiteral("Couldn't open the file ") + path),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    if (bytes != "unreadable")
        QCOMPARE(env.readFile(name), bytes);

    // The one tab left is the empty document, which saves nowhere near the
    // file.
    type(s.editor(0), QStringLiteral("typed"));
    s.editor(0)->askSaveFileName = [](const QString &) { return QString(); };
    QVERIFY(!s.tabs->slotSave());
    if (bytes != "unreadable")
        QCOMPARE(env.readFile(name), bytes);
}

void TestTabWidget::partlyReadFilesKeepTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // what was read
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("odt damaged in its second paragraph") << "letter.odt"
        << odtWithContent([](const QByteArray &xml) { return cutBefore(xml, "and closing"); })
        << "Opening words of the letter, written to be read again and again by everyone who "
           "opens it in another program."
        << "The document is damaged: only the text before the damage could be read.";
    QTest::newRow("rtf cut off") << "letter.rtf"
        << QByteArray("{\\rtf1\\ansi Opening words\\par closing wor")
        << "Opening words"
        << "Unexpectedly reached end of file.";
    // clang-format on
}

// What could be read of a damaged file is shown, and the user told; the
// tab is not the file, so that saving it never writes the part read over
// the whole.
void TestTabWidget::partlyReadFilesKeepTheFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, reason);

    TempEnv env;
    QVERIFY(env.writeFile(name, bytes));
    const QString path = env.filePath(name);
    MessageBoxWatcher watcher;
    Session s;
    s.tabs->editFile(path);
    QVERIFY(ZuvoTest::importsDone(s.tabs));

    QCOMPARE(s.tabs->count(), 2);
    UnicodeKaEditor *editor = s.editor(1);
    QVERIFY2(editor->toPlainText().startsWith(text), qPrintable(editor->toPlainText()));
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(s.tabs->tabText(1).startsWith(QLatin1String("untitled-")));
    QCOMPARE(s.tabs->openDocuments().at(1), s.tabs->tabText(1));
    QVERIFY(!editor->document()->isModified());
    QVERIFY(!editor->isReadOnly());
    QCOMPARE(watcher.seen().size(), 1);
    const MessageBoxWatcher::Seen box = watcher.seen().first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY2(box.text.startsWith(QStringLiteral("Couldn't read all of the file ") + path),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));

    // Saved, it asks for a name; the damaged file stays as it was.
    type(editor, QStringLiteral(" more"));
    QStringList asked;
    editor->askSaveFileName = [&](const QString &title) {
        asked << title;
        return QString();
    };
    QVERIFY(!s.tabs->slotSave());
    QCOMPARE(asked, QStringList { "Save File" });
    QCOMPARE(env.readFile(name), bytes);
    // At exit too.
    watcher.setAnswer(QMessageBox::YesToAll);
    QVERIFY(!s.tabs->slotExit());
    QCOMPARE(env.readFile(name), bytes);
}

// While its document is being read a tab takes nothing: typing and pasting
// wait for the document. What a command put into it all the same is kept
// with the document when it comes.
void TestTabWidget::importKeepsWhatTheUserPutIn()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    const QString path = env.filePath(QStringLiteral("c.odt"));
    MessageBoxWatcher watcher;
    Session s;
    s.tabs->editFile(path);
    UnicodeKaEditor *editor = s.editor(1);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    action(s, "actionPaste")->trigger();
    editor->askTableSize = [](int *rows, int *columns) {
        *rows = 1;
        *columns = 2;
        return true;
    };
    action(s, "actionInsert_Table")->trigger();
    QVERIFY(!editor->toPlainText().contains(QStringLiteral("pasted")));
    QVERIFY(editor->isReadOnly());
    QCOMPARE(editor->viewport()->cursor().shape(), Qt::BusyCursor);
    QVERIFY(ZuvoTest::child<QProgressBar>(&s.window, nullptr)->isVisible());

    QVERIFY(ZuvoTest::importsDone(s.tabs));
    const QString text = editor->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Opening words of the letter")), qPrintable(text));
    // The table follows the file's text, and is an unsaved change to it.
    const QList<QTextFrame *> frames = editor->document()->rootFrame()->childFrames();
    QCOMPARE(frames.size(), 1);
    auto *table = qobject_cast<QTextTable *>(frames.first());
    QVERIFY(table);
    QCOMPARE(table->columns(), 2);
    QVERIFY(editor->document()->findBlock(table->firstPosition()).blockNumber() >= 2);
    QVERIFY(editor->document()->isModified());
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("c.odt") + mark);
    QCOMPARE(editor->fileName(), path);
    QVERIFY(!text.contains(QStringLiteral("pasted")));
    QVERIFY(!editor->isReadOnly());
    QCOMPARE(editor->viewport()->cursor().shape(), Qt::IBeamCursor);
    QVERIFY(!ZuvoTest::child<QProgressBar>(&s.window, nullptr)->isVisible());
    QVERIFY(watcher.seen().isEmpty());
}

// Saved under another name while its file is still being read, the tab is
// that other file: the document that comes is an unsaved change to it.
void TestTabWidget::importIntoATabSavedMeanwhile()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    MessageBoxWatcher watcher;
    Session s;
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    UnicodeKaEditor *editor = s.editor(1);
    editor->askSaveFileName = [&](const QString &) {
        return env.filePath(QStringLiteral("d.txt"));
    };
    s.tabs->slotSaveAs();
    QCOMPARE(env.readFile(QStringLiteral("d.txt")), QByteArray("\xEF\xBB\xBF"));

    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QVERIFY(editor->toPlainText().startsWith(QStringLiteral("Opening words of the letter")));
    QCOMPARE(editor->fileName(), env.filePath(QStringLiteral("d.txt")));
    QVERIFY(editor->document()->isModified());
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("d.txt") + mark);
    QVERIFY(s.tabs->slotSave());
    QVERIFY(QString::fromUtf8(env.readFile(QStringLiteral("d.txt")))
                .contains(QStringLiteral("Opening words of the letter")));
    QCOMPARE(env.readFile(QStringLiteral("c.odt")), tabFixture("document.odt"));
    QVERIFY(watcher.seen().isEmpty());
}

void TestTabWidget::saveNeverMakesTwoTabsOfOneFile_data()
{
    QTest::addColumn<QString>("command"); // "save" (a first save) or "save as"
    QTest::addColumn<QString>("answer"); // the name given to the file chooser
    QTest::addColumn<QString>("refusal"); // the box's text after the name; empty: saved

    const QString open = QStringLiteral(" is open in another tab.");
    // clang-format off
    QTest::newRow("save as onto an open file") << "save as" << "b.txt" << open;
    QTest::newRow("first save onto an open file") << "save" << "b.txt" << open;
    QTest::newRow("name without its suffix") << "save as" << "b" << open;
    QTest::newRow("path spelt otherwise") << "save as" << "./b.txt" << open;
    QTest::newRow("onto a file being opened") << "save as" << "c.odt"
        << " is still being opened.";
    QTest::newRow("another file") << "save as" << "d.txt" << "";
    // clang-format on
}

// A document saved under the name of a file another tab holds would give
// that file two editors, the later save wiping out the other's text.
void TestTabWidget::saveNeverMakesTwoTabsOfOneFile()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(QString, refusal);

    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "second\n"));
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), tabFixture("document.odt")));
    MessageBoxWatcher watcher;
    Session s({ env.filePath(QStringLiteral("b.txt")) });
    s.tabs->slotNew();
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    QCOMPARE(s.tabs->count(), 3);
    s.tabs->setCurrentIndex(1);
    UnicodeKaEditor *editor = s.editor(1);
    type(editor, QStringLiteral("new words"));
    editor->askSaveFileName = [&](const QString &) { return env.path() + u'/' + answer; };

    if (command == QLatin1String("save"))
        s.tabs->slotSave();
    else
        s.tabs->slotSaveAs();
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QCOMPARE(s.tabs->count(), 3);
    QCOMPARE(env.readFile(QStringLiteral("b.txt")), QByteArray("second\n"));
    QCOMPARE(env.readFile(QStringLiteral("c.odt")), tabFixture("document.odt"));
    if (refusal.isEmpty()) {
        QVERIFY(watcher.seen().isEmpty());
        QCOMPARE(editor->fileName(), env.filePath(answer));
        QVERIFY(env.readFile(answer).endsWith("new words"));
        return;
    }
    QCOMPARE(watcher.seen().size(), 1);
    QCOMPARE(watcher.seen().first().icon, QMessageBox::Warning);
    const QString text = watcher.seen().first().text;
    QVERIFY2(text.contains(refusal), qPrintable(text));
    QVERIFY2(text.contains(answer == QLatin1String("b") ? QStringLiteral("b.txt") : answer),
             qPrintable(text));
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(editor->document()->isModified());
    QCOMPARE(QDir(env.path()).entryList(QDir::Files), QStringList({ "b.txt", "c.odt" }));
}

void TestTabWidget::legacyDocumentsAreNotWrittenBack_data()
{
    QTest::addColumn<QString>("name"); // the legacy file opened
    QTest::addColumn<QString>("answer"); // the name given to the file chooser
    QTest::addColumn<bool>("written");

    // clang-format off
    QTest::newRow("nudi saved as text") << "letter.nudi" << "letter.txt" << true;
    QTest::newRow("nudi saved over itself") << "letter.nudi" << "letter.nudi" << false;
    QTest::newRow("nudi saved as another nudi") << "letter.nudi" << "other.NUDI" << false;
    QTest::newRow("nudi saved as brh") << "letter.nudi" << "other.BRH" << false;
    QTest::newRow("brh saved over itself") << "words.brh" << "words.brh" << false;
    QTest::newRow("brh saved as text") << "words.brh" << "words.txt" << true;
    // clang-format on
}

// A legacy file opens as Unicode text in a document of its own: saving it
// asks for a name, and never writes Unicode under a legacy name, which
// would open garbled.
void TestTabWidget::legacyDocumentsAreNotWrittenBack()
{
    QFETCH(QString, name);
    QFETCH(QString, answer);
    QFETCH(bool, written);

    TempEnv env;
    const QByteArray bytes = name.endsWith(QLatin1String(".nudi"))
        ? ZuvoTest::fixtureBytes(QStringLiteral(LEGACY_FIXTURES "/escapes.nudi"))
        : QByteArray("ka 2\nka\n");
    QVERIFY(env.writeFile(name, bytes));
    MessageBoxWatcher watcher;
    Session s({ env.filePath(name) });
    QCOMPARE(s.tabs->count(), 1);
    UnicodeKaEditor *editor = s.editor(0);
    QVERIFY(!editor->toPlainText().isEmpty());
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(s.tabs->tabText(0).startsWith(QLatin1String("untitled-")));
    QVERIFY(editor->document()->isModified());
    QStringList asked;
    editor->askSaveFileName = [&](const QString &title) {
        asked << title;
        return env.filePath(answer);
    };

    QCOMPARE(s.tabs->slotSave(), written);
    QCOMPARE(asked, QStringList { "Save File" });
    QCOMPARE(env.readFile(name), bytes);
    if (written) {
        QVERIFY(watcher.seen().isEmpty());
        QCOMPARE(QString::fromUtf8(env.readFile(answer)).remove(QChar(0xFEFF)),
                 editor->toPlainText());
        QCOMPARE(editor->fileName(), env.filePath(answer));
        return;
    }
    QCOMPARE(watcher.seen().size(), 1);
    const QString text = watcher.seen().first().text;
    QVERIFY2(text.contains(QStringLiteral("does not write them")), qPrintable(text));
    QVERIFY2(text.contains(QFileInfo(answer).completeBaseName() + QStringLiteral(".txt")),
             qPrintable(text));
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(editor->document()->isModified());
    if (answer != name)
        QVERIFY(!QFileInfo::exists(env.filePath(answer)));
}

void TestTabWidget::tabGoesWhileAQuestionIsOpen_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("closing a tab") << "close";
    QTest::newRow("leaving") << "exit";
}

// The reader of a file that cannot be read may be done while a save
// question about another tab is open: the question's answer goes to the
// document it was about, none is skipped, and the failed file's tab stays,
// empty and without the file's name, until the user closes it.
void TestTabWidget::tabGoesWhileAQuestionIsOpen()
{
    QFETCH(QString, command);
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("bad.odt"), "no container\n"));
    QVERIFY(env.writeFile(QStringLiteral("a.txt"), "first\n"));
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "second\n"));
    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::Yes);
    Session s({ env.filePath(QStringLiteral("a.txt")), env.filePath(QStringLiteral("b.txt")) });
    s.tabs->editFile(env.filePath(QStringLiteral("bad.odt")));
    QCOMPARE(s.tabs->tabText(2), QStringLiteral("bad.odt"));
    UnicodeKaEditor *failed = s.editor(2);
    type(s.editor(0), QStringLiteral("more"));
    type(s.editor(1), QStringLiteral("more"));
    // The reader is done; its end waits for the next question's event loop.
    const DocumentImport *import = s.tabs->findChild<DocumentImport *>();
    QVERIFY(import);
    QDeadlineTimer deadline(30000);
    while (!import->readerDone() && !deadline.hasExpired())
        QThread::msleep(1);
    QVERIFY(import->readerDone());

    if (command == QLatin1String("close")) {
        QVERIFY(s.tabs->slotTabCloseRequested(0));
        QVERIFY(ZuvoTest::importsDone(s.tabs));
        QCOMPARE(s.tabs->count(), 2);
        QCOMPARE(s.tabs->tabText(0), QStringLiteral("b.txt") + mark);
        QCOMPARE(s.editor(0)->fileName(), env.filePath(QStringLiteral("b.txt")));
    } else {
        QVERIFY(s.tabs->slotExit());
        QVERIFY(ZuvoTest::importsDone(s.tabs));
        QCOMPARE(askedAtExit(watcher),
                 QStringList({ exitQuestion("a.txt"), exitQuestion("b.txt") }));
        QCOMPARE(s.tabs->tabText(0), QStringLiteral("a.txt"));
        QCOMPARE(s.tabs->tabText(1), QStringLiteral("b.txt"));
        QVERIFY(env.readFile(QStringLiteral("b.txt")).endsWith("second\nmore"));
    }
    QVERIFY(env.readFile(QStringLiteral("a.txt")).endsWith("first\nmore"));
    QVERIFY(watcher.texts().contains(
        QStringLiteral("Couldn't open the file %1\n\nThe file is not an OpenDocument text: it has "
                       "no content.")
            .arg(env.filePath(QStringLiteral("bad.odt")))));
    const int index = s.tabs->editors().indexOf(failed);
    QVERIFY(index >= 0);
    QVERIFY(failed->fileName().isEmpty());
    QVERIFY(s.tabs->tabText(index).startsWith(QLatin1String("untitled-")));
    QVERIFY(!failed->isReadOnly());
    QVERIFY(failed->document()->isEmpty());
    QVERIFY(!failed->document()->isModified());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTabWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabwidget.moc"
