// Saving in the tab editor: formats by suffix, encodings, the questions
// asked, and failures that must keep the previous file and the changes.

#include "unicodekaeditor.h"

#include "editorfixture.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest/QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kannada = QStringLiteral("\u0C95\u0CA8\u0CCD\u0CA8\u0CA1 text");

const QString ansiRefusal = QStringLiteral(
    "Couldn't save the file: the text holds characters that ISO 8859-1 (ANSI) cannot store, "
    "and they would be lost.\n\nChoose UTF-8 in the Encoding menu to save them.");

// Runs a program to its end; its exit code, or -1 when it did not run.
int run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

} // namespace

class TestUnicodeKaEditorSave : public QObject, ZuvoTest::EditorFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formats_data();
    void formats();
    void encodings_data();
    void encodings();
    void htmlDeclaresItsCharset_data();
    void htmlDeclaresItsCharset();
    void addedSuffixAsksBeforeReplacing_data();
    void addedSuffixAsksBeforeReplacing();
    void rtfAsksAboutTablesAndPictures_data();
    void rtfAsksAboutTablesAndPictures();
    void fullDiskKeepsThePreviousFile_data();
    void fullDiskKeepsThePreviousFile();
    void odtThatCannotBeWrittenKeepsThePreviousFile_data();
    void odtThatCannotBeWrittenKeepsThePreviousFile();
    void textHoldsNoPictures_data();
    void textHoldsNoPictures();
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
};

void TestUnicodeKaEditorSave::init()
{
    setUpEditors();
}

void TestUnicodeKaEditorSave::cleanup()
{
    tearDownEditors();
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

void TestUnicodeKaEditorSave::textHoldsNoPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("encoding");
    // Every entry of the Encoding menu, ISO 8859-1 too: its text is Latin.
    for (int encoding = 0; encoding < 6; ++encoding)
        QTest::addRow("txt, %s",
                      TextEncoding::codecName(TextEncoding::position(encoding)).constData())
            << "a.txt" << encoding;
    QTest::newRow("no known suffix") << "a.notes" << 1;
}

// A text file holds the words alone: no placeholder character where the
// document shows a picture.
void TestUnicodeKaEditorSave::textHoldsNoPictures()
{
    QFETCH(QString, name);
    QFETCH(int, encoding);
    UnicodeKaEditor *editor = makeEditor(QString());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QTextCursor cursor(editor->document());
    cursor.insertText(QStringLiteral("caf\u00E9 "));
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral(" au lait\n"));
    cursor.insertImage(picture);
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral("\nend"));
    editor->setTextEncodingIndex(encoding);
    editor->setFileName(env->filePath(name));
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(editor->save());
    QVERIFY(watcher.seen().isEmpty());
    QTextCodec *codec =
        QTextCodec::codecForName(TextEncoding::codecName(TextEncoding::position(encoding)));
    QVERIFY(codec);
    // Decoded with the byte-order mark kept as a character.
    const QByteArray bytes = env->readFile(name);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = codec->toUnicode(bytes.constData(), int(bytes.size()), &state);
    const QString words = QStringLiteral("caf\u00E9  au lait\n\nend");
    QCOMPARE(text, encoding == 0 ? words : QChar(0xFEFF) + words);
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
    QCOMPARE(watcher.texts(), QStringList { ansiRefusal });
    QVERIFY(editor->document()->isModified());
    QCOMPARE(env->readFile(QStringLiteral("kept.txt")), QByteArray("earlier content"));
    QCOMPARE(QDir(env->path()).entryList(QDir::Files), QStringList { QStringLiteral("kept.txt") });

    // HTML is refused the same way; Latin text saves in ISO 8859-1.
    watcher.clear();
    QVERIFY(env->writeFile(QStringLiteral("kept.html"), QByteArray("<p>earlier</p>")));
    editor->setFileName(env->filePath(QStringLiteral("kept.html")));
    QVERIFY(!editor->save());
    QCOMPARE(watcher.texts(), QStringList { ansiRefusal });
    QCOMPARE(env->readFile(QStringLiteral("kept.html")), QByteArray("<p>earlier</p>"));
    editor->setPlainText(QStringLiteral("caf\u00E9"));
    editor->setFileName(env->filePath(QStringLiteral("kept.txt")));
    QVERIFY(editor->save());
    QCOMPARE(env->readFile(QStringLiteral("kept.txt")), QByteArray("caf\xE9"));
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

void TestUnicodeKaEditorSave::encodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    // Every position of the Encoding menu. The line end stays a single 0x0A
    // unit in every encoding.
    const QString kannadaLines = QStringLiteral("\u0C95\u0CA8\u0CCD\u0CA8\u0CA1\nok");
    // clang-format off
    QTest::newRow("0 ISO 8859-1") << 0 << QStringLiteral("caf\u00E9\nok")
        << QByteArray::fromHex("636166e90a6f6b");
    QTest::newRow("1 UTF-8") << 1 << kannadaLines
        << QByteArray::fromHex("efbbbf" "e0b295e0b2a8e0b38de0b2a8e0b2a1" "0a6f6b");
    QTest::newRow("2 UTF-16") << 2 << kannadaLines
        << QByteArray::fromHex("fffe" "950ca80ccd0ca80ca10c" "0a006f006b00");
    QTest::newRow("3 UTF-16BE") << 3 << kannadaLines
        << QByteArray::fromHex("feff" "0c950ca80ccd0ca80ca1" "000a006f006b");
    QTest::newRow("4 UTF-32") << 4 << kannadaLines
        << QByteArray::fromHex("fffe0000" "950c0000a80c0000cd0c0000a80c0000a10c0000"
                               "0a0000006f0000006b000000");
    QTest::newRow("5 UTF-32BE") << 5 << kannadaLines
        << QByteArray::fromHex("0000feff" "00000c9500000ca800000ccd00000ca800000ca1"
                               "0000000a0000006f0000006b");
    // A character outside the first plane is one unit of UTF-32, not two.
    QTest::newRow("5 UTF-32BE, beyond the first plane") << 5 << QStringLiteral("a\U0001F600")
        << QByteArray::fromHex("0000feff" "00000061" "0001f600");
    QTest::newRow("3 UTF-16BE, beyond the first plane") << 3 << QStringLiteral("a\U0001F600")
        << QByteArray::fromHex("feff" "0061" "d83dde00");
    // clang-format on
}

void TestUnicodeKaEditorSave::encodings()
{
    QFETCH(int, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    UnicodeKaEditor *editor = makeEditor(text);
    editor->setTextEncodingIndex(encoding);
    editor->setFileName(env->filePath(QStringLiteral("a.txt")));
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(editor->save());
    QVERIFY(watcher.seen().isEmpty());
    QCOMPARE(env->readFile(QStringLiteral("a.txt")).toHex(' '), bytes.toHex(' '));
}

void TestUnicodeKaEditorSave::htmlDeclaresItsCharset_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("0") << 0 << QStringLiteral("caf\u00E9 cr\u00E8me") << QByteArray("ISO-8859-1");
    QTest::newRow("1") << 1 << kannada << QByteArray("UTF-8");
    QTest::newRow("2") << 2 << kannada << QByteArray("UTF-16");
    QTest::newRow("3") << 3 << kannada << QByteArray("UTF-16BE");
    QTest::newRow("4") << 4 << kannada << QByteArray("UTF-32");
    QTest::newRow("5") << 5 << kannada << QByteArray("UTF-32BE");
}

void TestUnicodeKaEditorSave::htmlDeclaresItsCharset()
{
    QFETCH(int, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, charset);
    UnicodeKaEditor *editor = makeEditor(text);
    editor->setTextEncodingIndex(encoding);
    editor->setFileName(env->filePath(QStringLiteral("page.html")));
    QVERIFY(editor->save());
    const QByteArray bytes = env->readFile(QStringLiteral("page.html"));

    // The file read in the encoding it was saved in declares just that.
    QTextCodec *written = QTextCodec::codecForName(charset);
    QVERIFY(written);
    const QString html = written->toUnicode(bytes);
    static const QRegularExpression meta(QStringLiteral("<meta charset=\"([^\"]*)\""));
    const QRegularExpressionMatchIterator declarations = meta.globalMatch(html);
    QStringList declared;
    for (QRegularExpressionMatchIterator it = declarations; it.hasNext();)
        declared << it.next().captured(1);
    QCOMPARE(declared, QStringList { QString::fromLatin1(charset) });

    // A reader that goes by the declaration (and the byte-order mark) gets
    // the text back.
    QTextCodec *reader = QTextCodec::codecForHtml(bytes, nullptr);
    QVERIFY(reader);
    QTextDocument back;
    back.setHtml(reader->toUnicode(bytes));
    QCOMPARE(back.toPlainText().remove(QChar(0xFEFF)), text);
}

void TestUnicodeKaEditorSave::addedSuffixAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");

    for (bool saveAs : { true, false }) {
        const char *command = saveAs ? "save as" : "save new";
        QTest::addRow("%s, no such file, yes", command)
            << saveAs << false << int(QMessageBox::Yes) << true;
        QTest::addRow("%s, no such file, no", command)
            << saveAs << false << int(QMessageBox::No) << true;
        QTest::addRow("%s, exists, yes", command)
            << saveAs << true << int(QMessageBox::Yes) << true;
        QTest::addRow("%s, exists, no", command) << saveAs << true << int(QMessageBox::No) << false;
    }
}

void TestUnicodeKaEditorSave::addedSuffixAsksBeforeReplacing()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, exists);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    if (exists)
        QVERIFY(env->writeFile(QStringLiteral("notes.txt"), QByteArray("other notes")));
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("new words"));
    const QString previous = saveAs ? env->filePath(QStringLiteral("earlier.txt")) : QString();
    editor->setFileName(previous);
    // What the file chooser gives for "notes" under "All files" or no filter.
    editor->askSaveFileName = [&](const QString &) {
        return env->filePath(QStringLiteral("notes"));
    };
    ZuvoTest::MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::StandardButton(answer));
    QCOMPARE(saveAs ? editor->onSaveFileAs() : editor->onSaveFile(false), saved);
    QCOMPARE(watcher.texts(),
             exists ? QStringList { QStringLiteral(
                          "notes.txt already exists.\nDo you want to replace it?") }
                    : QStringList {});
    QCOMPARE(env->readFile(QStringLiteral("notes.txt")),
             saved ? QByteArray("\xEF\xBB\xBFnew words") : QByteArray(exists ? "other notes" : ""));
    QCOMPARE(editor->fileName(), saved ? env->filePath(QStringLiteral("notes.txt")) : previous);
    QCOMPARE(editor->document()->isModified(), !saved);
    QVERIFY(!QFile::exists(env->filePath(QStringLiteral("notes"))));
}

void TestUnicodeKaEditorSave::rtfAsksAboutTablesAndPictures_data()
{
    QTest::addColumn<QString>("content"); // "table", "picture" or "text"
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("table, cancel") << "table" << int(QMessageBox::Cancel) << false;
    QTest::newRow("table, yes") << "table" << int(QMessageBox::Yes) << true;
    QTest::newRow("picture, cancel") << "picture" << int(QMessageBox::Cancel) << false;
    QTest::newRow("picture, yes") << "picture" << int(QMessageBox::Yes) << true;
    // Cancel is what a box closed without choosing gives.
    QTest::newRow("table, closed") << "table" << int(QMessageBox::NoButton) << false;
    QTest::newRow("text only, no question") << "text" << int(QMessageBox::Cancel) << true;
}

void TestUnicodeKaEditorSave::rtfAsksAboutTablesAndPictures()
{
    QFETCH(QString, content);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QVERIFY(env->writeFile(QStringLiteral("doc.rtf"), QByteArray("{\\rtf1 earlier}")));
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("before"));
    QTextCursor tc = editor->textCursor();
    tc.movePosition(QTextCursor::End);
    if (content == QLatin1String("table")) {
        QTextTable *table = tc.insertTable(1, 2);
        table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("cell"));
    } else if (content == QLatin1String("picture")) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        tc.insertImage(image, QStringLiteral("red.png"));
    }
    editor->document()->setModified(true);
    editor->setFileName(env->filePath(QStringLiteral("doc.rtf")));
    ZuvoTest::MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::StandardButton(answer));
    QCOMPARE(editor->save(), saved);
    if (content == QLatin1String("text")) {
        QVERIFY(watcher.seen().isEmpty());
    } else {
        QCOMPARE(watcher.seen().size(), 1);
        QVERIFY2(watcher.texts().at(0).contains(QLatin1String("tables or pictures")),
                 qPrintable(watcher.texts().at(0)));
    }
    QCOMPARE(editor->document()->isModified(), !saved);
    const QByteArray bytes = env->readFile(QStringLiteral("doc.rtf"));
    if (!saved) {
        QCOMPARE(bytes, QByteArray("{\\rtf1 earlier}"));
        return;
    }
    QVERIFY2(bytes.contains("before"), bytes.constData());
    if (content == QLatin1String("table"))
        QVERIFY2(bytes.contains("cell"), bytes.constData());
}

void TestUnicodeKaEditorSave::fullDiskKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("text") << "doc.txt";
    QTest::newRow("opendocument") << "doc.odt";
    QTest::newRow("rtf") << "doc.rtf";
}

void TestUnicodeKaEditorSave::fullDiskKeepsThePreviousFile()
{
    QFETCH(QString, name);
    // A small file system of its own, which the document cannot fit in.
    // Where mounting is not allowed (a container without the right), a
    // file-size limit on this process stands in for it: writes past 64 KiB
    // then fail the same way, with EFBIG instead of ENOSPC.
    const QString disk = env->filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    const bool mounted = qEnvironmentVariableIsEmpty("ZUVO_TEST_NO_MOUNT") &&
        run(QStringLiteral("mount"),
            { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), disk }) == 0;
    struct Unmount
    {
        QString path;
        ~Unmount()
        {
            if (!path.isEmpty())
                run(QStringLiteral("umount"), { path });
        }
    } unmount { mounted ? disk : QString() };
    struct FileSizeLimit
    {
        bool active = false;
        rlimit saved {};
        void set(rlim_t bytes)
        {
            ::signal(SIGXFSZ, SIG_IGN);
            active = getrlimit(RLIMIT_FSIZE, &saved) == 0;
            rlimit limit = saved;
            limit.rlim_cur = bytes;
            active = active && setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
        ~FileSizeLimit()
        {
            if (active)
                setrlimit(RLIMIT_FSIZE, &saved);
        }
    } limit;

    const QByteArray earlier("earlier content that must survive");
    QFile old(disk + QLatin1Char('/') + name);
    QVERIFY(old.open(QIODevice::WriteOnly));
    QCOMPARE(old.write(earlier), earlier.size());
    old.close();

    // Far more than 64 KiB in any format, even compressed: letters in an
    // order no compressor folds.
    QString text;
    QRandomGenerator random(15);
    for (int i = 0; i < 200000; ++i)
        text += QChar(char16_t(0x0C95 + random.bounded(0x25)));
    UnicodeKaEditor *editor = makeEditor(text);
    editor->setFileName(old.fileName());
    if (!mounted) {
        limit.set(64 * 1024);
        QVERIFY2(limit.active, "neither a tmpfs nor a file-size limit could be set");
    }
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(!editor->save());
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QVERIFY(editor->document()->isModified());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), earlier);
    QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList { name });
}

void TestUnicodeKaEditorSave::odtThatCannotBeWrittenKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("cause");
    QTest::newRow("a picture that cannot be encoded") << "picture";
    QTest::newRow("a folder in the file's place") << "folder";
}

// The editor's message, the earlier file as it was, no temporary file, and
// the changes still to be saved.
void TestUnicodeKaEditorSave::odtThatCannotBeWrittenKeepsThePreviousFile()
{
    QFETCH(QString, cause);
    const QByteArray earlier("earlier content that must survive");
    QVERIFY(env->writeFile(QStringLiteral("doc.odt"), earlier));
    QVERIFY(QDir(env->path()).mkpath(QStringLiteral("folder.odt")));
    UnicodeKaEditor *editor = makeEditor(kannada);
    if (cause == QLatin1String("picture")) {
        // What the document shows in the picture's place cannot be stored.
        editor->document()->addResource(QTextDocument::ImageResource,
                                        QUrl(QStringLiteral("lost.png")), QImage());
        QTextCursor cursor(editor->document());
        cursor.insertImage(QStringLiteral("lost.png"));
        editor->setFileName(env->filePath(QStringLiteral("doc.odt")));
    } else {
        editor->setFileName(env->filePath(QStringLiteral("folder.odt")));
    }
    editor->document()->setModified(true);
    const QStringList before =
        QDir(env->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    ZuvoTest::MessageBoxWatcher watcher;
    QVERIFY(!editor->save());
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo") });
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Couldn't save the file") });
    QVERIFY(editor->document()->isModified());
    QCOMPARE(env->readFile(QStringLiteral("doc.odt")), earlier);
    QVERIFY(QFileInfo(env->filePath(QStringLiteral("folder.odt"))).isDir());
    QCOMPARE(QDir(env->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
    QVERIFY(QDir(env->filePath(QStringLiteral("folder.odt"))).isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditorsave.moc"
