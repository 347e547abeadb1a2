// Saving in the tab editor: formats by suffix, encodings, the questions
// asked, and failures that must keep the previous file and the changes.

#include "unicodekaeditor.h"

#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest/QTest>

namespace {

const QString kannada = QStringLiteral("\u0C95\u0CA8\u0CCD\u0CA8\u0CA1 text");

} // namespace

class TestUnicodeKaEditorSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formats_data();
    void formats();
    void saveAsWithoutSuffixWritesText();
    void unwritablePathKeepsNameAndChanges();
    void unencodableTextKeepsThePreviousFile();
    void unmodifiedDocumentIsNotWritten();
    void askBeforeSaving_data();
    void askBeforeSaving();
    void newDocumentAsksForAName();
    void resourceDocuments();
    void workingDirectory();

private:
    UnicodeKaEditor *makeEditor(const QString &text);

    ZuvoTest::TempEnv *env = nullptr;
    Utils *utils = nullptr;
    QWidget *window = nullptr;
};

void TestUnicodeKaEditorSave::init()
{
    env = new ZuvoTest::TempEnv;
    utils = new Utils;
    window = new QWidget;
}

void TestUnicodeKaEditorSave::cleanup()
{
    delete window;
    delete utils;
    delete env;
    window = nullptr;
    utils = nullptr;
    env = nullptr;
}

UnicodeKaEditor *TestUnicodeKaEditorSave::makeEditor(const QString &text)
{
    auto *editor = new UnicodeKaEditor(utils, 0, 0, window);
    editor->setPlainText(text);
    editor->document()->setModified(true);
    return editor;
}

void TestUnicodeKaEditorSave::formats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("start"); // the file's first bytes
    QTest::addColumn<QByteArray>("contains"); // bytes found somewhere in it

    const QByteArray utf8 = kannada.toUtf8();
    QTest::newRow("txt utf-8") << "a.txt" << 1 << QByteArray("\xEF\xBB\xBF") + utf8 << utf8;
    QTest::newRow("no known suffix") << "a.notes" << 6 << QByteArray("\xEF\xBB\xBF") + utf8 << utf8;
    QTest::newRow("txt utf-16be") << "a.txt" << 3 << QByteArray("\xFE\xFF\x0C\x95", 4)
                                  << QByteArray("\x0C\xA8", 2);
    QTest::newRow("txt utf-16le") << "a.txt" << 4 << QByteArray("\xFF\xFE\x95\x0C", 4)
                                  << QByteArray("\xA8\x0C", 2);
    QTest::newRow("txt utf-32be") << "a.txt" << 7
                                  << QByteArray("\x00\x00\xFE\xFF\x00\x00\x0C\x95", 8)
                                  << QByteArray("\x00\x00\x0C\xA8", 4);
    QTest::newRow("html in capitals")
        << "page.HTML" << 1 << QByteArray("\xEF\xBB\xBF") << QByteArray("<html") + QByteArray("");
    QTest::newRow("htm") << "page.htm" << 1 << QByteArray("\xEF\xBB\xBF<!DOCTYPE") << utf8;
    QTest::newRow("rtf") << "doc.rtf" << 1 << QByteArray("{\\rtf") << QByteArray("\\'E0\\'B2\\'95");
    QTest::newRow("odt") << "doc.odt" << 1 << QByteArray("PK") << QByteArray("content.xml");
    QTest::newRow("odf") << "doc.ODF" << 1 << QByteArray("PK") << QByteArray("content.xml");
}

void TestUnicodeKaEditorSave::formats()
{
    QFETCH(QString, name);
    QFETCH(int, encoding);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, contains);
    UnicodeKaEditor *editor = makeEditor(kannada);
    editor->setTextEncodingIndex(encoding);
    editor->setFileName(env->filePath(name));
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(editor->save());
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(!editor->document()->isModified());
    const QByteArray bytes = env->readFile(name);
    QVERIFY2(bytes.startsWith(start), bytes.left(16).toHex().constData());
    QVERIFY2(bytes.contains(contains), bytes.left(600).constData());
}

void TestUnicodeKaEditorSave::saveAsWithoutSuffixWritesText()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("plain words"));
    editor->setTextEncodingIndex(0);
    QStringList titles;
    editor->askSaveFileName = [&](const QString &title) {
        titles << title;
        return env->filePath(QStringLiteral("notes"));
    };
    QVERIFY(editor->onSaveFileAs());
    QCOMPARE(titles, QStringList { QStringLiteral("Save File As") });
    QCOMPARE(editor->fileName(), env->filePath(QStringLiteral("notes.txt")));
    // Encoding 0 has no byte-order mark.
    QCOMPARE(env->readFile(QStringLiteral("notes.txt")), QByteArray("plain words"));
    QVERIFY(!QFile::exists(env->filePath(QStringLiteral("notes"))));
}

void TestUnicodeKaEditorSave::unwritablePathKeepsNameAndChanges()
{
    UnicodeKaEditor *editor = makeEditor(kannada);
    editor->setFileName(env->filePath(QStringLiteral("old.txt")));
    const QString missing = env->filePath(QStringLiteral("missing/dir/new.rtf"));
    editor->askSaveFileName = [&](const QString &) { return missing; };
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(!editor->onSaveFileAs());
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo") });
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QCOMPARE(editor->fileName(), env->filePath(QStringLiteral("old.txt")));
    QVERIFY(editor->document()->isModified());

    // The same through an OpenDocument name.
    watcher.clear();
    editor->setFileName(env->filePath(QStringLiteral("missing/doc.odt")));
    QVERIFY(!editor->save());
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QVERIFY(editor->document()->isModified());
}

void TestUnicodeKaEditorSave::unencodableTextKeepsThePreviousFile()
{
    // ISO 8859-1 has no Kannada letters: writing would leave question marks.
    QVERIFY(env->writeFile(QStringLiteral("kept.txt"), QByteArray("earlier content")));
    UnicodeKaEditor *editor = makeEditor(kannada);
    editor->setTextEncodingIndex(0);
    editor->setFileName(env->filePath(QStringLiteral("kept.txt")));
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(!editor->save());
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QVERIFY(editor->document()->isModified());
    QCOMPARE(env->readFile(QStringLiteral("kept.txt")), QByteArray("earlier content"));
    QCOMPARE(QDir(env->path()).entryList(QDir::Files), QStringList { QStringLiteral("kept.txt") });
}

void TestUnicodeKaEditorSave::unmodifiedDocumentIsNotWritten()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("text"));
    editor->document()->setModified(false);
    editor->setFileName(env->filePath(QStringLiteral("a.txt")));
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(editor->onSaveFile(true));
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(!QFile::exists(env->filePath(QStringLiteral("a.txt"))));
}

void TestUnicodeKaEditorSave::askBeforeSaving_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("written");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
    QTest::newRow("no") << int(QMessageBox::No) << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
}

void TestUnicodeKaEditorSave::askBeforeSaving()
{
    QFETCH(int, answer);
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("text"));
    editor->setFileName(env->filePath(QStringLiteral("a.txt")));
    ZuvoTest::MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::StandardButton(answer));
    QTEST(editor->onSaveFile(true), "result");
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo") });
    QCOMPARE(watcher.texts(),
             QStringList { QStringLiteral("Unsaved changes. Do you want to save?") });
    QTEST(QFile::exists(env->filePath(QStringLiteral("a.txt"))), "written");
    QCOMPARE(editor->document()->isModified(),
             !QFile::exists(env->filePath(QStringLiteral("a.txt"))));
}

void TestUnicodeKaEditorSave::newDocumentAsksForAName()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("text"));
    QString answer;
    QStringList titles;
    editor->askSaveFileName = [&](const QString &title) {
        titles << title;
        return answer;
    };
    QVERIFY(!editor->onSaveFile(false)); // cancelled
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(editor->document()->isModified());
    answer = env->filePath(QStringLiteral("story"));
    QVERIFY(editor->onSaveFile(false));
    QCOMPARE(titles, (QStringList { QStringLiteral("Save File"), QStringLiteral("Save File") }));
    QCOMPARE(editor->fileName(), env->filePath(QStringLiteral("story.txt")));
    QCOMPARE(env->readFile(QStringLiteral("story.txt")), QByteArray("\xEF\xBB\xBFtext"));
}

void TestUnicodeKaEditorSave::resourceDocuments()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("help"));
    editor->setFileName(QStringLiteral(":/resources/help.html"));
    bool asked = false;
    editor->askSaveFileName = [&](const QString &) {
        asked = true;
        return env->filePath(QStringLiteral("x.txt"));
    };
    QVERIFY(editor->onSaveFileAs());
    QVERIFY(!asked);
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(!editor->onSaveFile(false));
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QCOMPARE(editor->fileName(), QStringLiteral(":/resources/help.html"));
}

void TestUnicodeKaEditorSave::workingDirectory()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("text"));
    QCOMPARE(editor->workingDir(), QDir::homePath());
    QSignalSpy spy(editor, &UnicodeKaEditor::workingDirChanged);
    QVERIFY(QDir(env->path()).mkpath(QStringLiteral("sub")));
    editor->setFileName(env->filePath(QStringLiteral("sub/a.txt")));
    QVERIFY(editor->save());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(),
             QFileInfo(env->filePath(QStringLiteral("sub"))).absoluteFilePath());
    QCOMPARE(editor->workingDir(), spy.at(0).at(0).toString());

    // A path that does not exist changes nothing.
    editor->setWorkingDir(env->filePath(QStringLiteral("nowhere/x")));
    QCOMPARE(spy.size(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditorsave.moc"
