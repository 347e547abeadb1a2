// Keys in the tab editor where the user presses them: on X11, with the
// platform's key bindings live (Ctrl+K deletes the rest of the line in a
// plain text edit there), inside the program's main window with its
// shortcuts. Run on the xcb platform against a private X server.

#include "findandreplacedialog.h"
#include "kalineedit.h"
#include "mainwindow.h"
#include "sqlcipherdriver.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include "keys.h"
#include "messageboxwatcher.h"
#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QStatusBar>
#include <QTextEdit>
#include <QtTest/QTest>

#include <memory>

using ZuvoTest::pressCommand;

namespace {

QString convert(const QString &keys, int layout)
{
    return ZuvoScriptConverter().ansiToUnicode(keys, 0, layout);
}

// The status bar's keyboard entry.
QString keyboardStatus(QMainWindow &window)
{
    for (QLabel *label : window.statusBar()->findChildren<QLabel *>()) {
        for (const char *name : { "Phonetic", "Nudi", "Phonetic-2", "Transliteration" }) {
            if (label->text() == QStringLiteral("<b>%1</b>").arg(QLatin1String(name)))
                return QLatin1String(name);
        }
    }
    return QString();
}

} // namespace

class TestUnicodeKaEditorKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void ctrlKSwitchesLayoutOnly_data();
    void ctrlKSwitchesLayoutOnly();
    void unboundCommandsChangeNoText_data();
    void unboundCommandsChangeNoText();
    void numbersUnderTransliteration_data();
    void numbersUnderTransliteration();
    void wordDeletion_data();
    void wordDeletion();
    void converterLineCommandsChangeNoText();
    void converterLineDeletesWords();

private:
    // The main window's editor, shown, active and focused, with the text and
    // the cursor at the position.
    UnicodeKaEditor *editorWith(const QString &text, int position);

    std::unique_ptr<ZuvoTest::TempEnv> env;
    std::unique_ptr<ZuvoTest::MessageBoxWatcher> watcher;
    std::unique_ptr<MainWindow> window;
};

void TestUnicodeKaEditorKeys::initTestCase()
{
    // Offscreen, the X11 bindings do not exist and these tests would prove
    // nothing.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QTextEdit plain;
    plain.setPlainText(QStringLiteral("abc def"));
    QVERIFY(ZuvoTest::showActive(&plain));
    QTextCursor tc = plain.textCursor();
    tc.setPosition(3);
    plain.setTextCursor(tc);
    QTest::keyClick(&plain, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(plain.toPlainText(), QStringLiteral("abc"));
}

void TestUnicodeKaEditorKeys::init()
{
    env = std::make_unique<ZuvoTest::TempEnv>();
    // Answers anything the window asks when it closes with changes.
    watcher = std::make_unique<ZuvoTest::MessageBoxWatcher>();
    watcher->setAnswer(QMessageBox::No);
    window = std::make_unique<MainWindow>();
    window->initLoad({ QStringLiteral("editor") });
    QApplication::clipboard()->clear();
}

void TestUnicodeKaEditorKeys::cleanup()
{
    for (UnicodeKaEditor *editor : window->tabController()->editors())
        editor->document()->setModified(false);
    window.reset();
    watcher.reset();
    env.reset();
}

UnicodeKaEditor *TestUnicodeKaEditorKeys::editorWith(const QString &text, int position)
{
    UnicodeKaEditor *editor = window->tabController()->currentEditor();
    if (!editor)
        return nullptr;
    if (!ZuvoTest::showActive(window.get()))
        return nullptr;
    editor->setPlainText(text);
    QTextCursor tc = editor->textCursor();
    tc.setPosition(position);
    editor->setTextCursor(tc);
    editor->setFocus();
    if (!QTest::qWaitFor([editor] { return editor->hasFocus(); }))
        return nullptr;
    return editor;
}

void TestUnicodeKaEditorKeys::ctrlKSwitchesLayoutOnly_data()
{
    QTest::addColumn<bool>("x11Text");
    QTest::newRow("letter text") << false;
    QTest::newRow("control character text") << true;
}

void TestUnicodeKaEditorKeys::ctrlKSwitchesLayoutOnly()
{
    QFETCH(bool, x11Text);
    UnicodeKaEditor *editor = editorWith(QStringLiteral("abc def"), 3);
    QVERIFY(editor);
    QCOMPARE(editor->keyboardLayout(), 0);
    const struct
    {
        int layout;
        const char *status;
    } cycle[] = { { 1, "Nudi" }, { 2, "Phonetic-2" }, { 3, "Transliteration" }, { 0, "Phonetic" } };
    for (const auto &step : cycle) {
        pressCommand(editor, 'k', Qt::ControlModifier, x11Text);
        QCOMPARE(editor->toPlainText(), QStringLiteral("abc def"));
        QCOMPARE(editor->textCursor().position(), 3);
        QCOMPARE(editor->keyboardLayout(), step.layout);
        QCOMPARE(keyboardStatus(*window), QLatin1String(step.status));
    }
}

void TestUnicodeKaEditorKeys::unboundCommandsChangeNoText_data()
{
    QTest::addColumn<int>("layout");
    QTest::newRow("phonetic") << 0;
    QTest::newRow("transliteration") << 3;
}

void TestUnicodeKaEditorKeys::unboundCommandsChangeNoText()
{
    QFETCH(int, layout);
    // Kannada around the cursor: under Transliteration a typed space
    // converts a Latin word before it, which is not what is tested here.
    const QString before = convert(QStringLiteral("kannaDa"), 0) + QLatin1Char(' ');
    const QString after = QLatin1Char(' ') + convert(QStringLiteral("naaDu"), 0);
    UnicodeKaEditor *editor = editorWith(before + after, int(before.size()));
    QVERIFY(editor);
    editor->setKeyboardLayout(layout);

    // The letters the program binds: its actions' shortcuts (as far as they
    // can fire) and the editor's own Ctrl+K, with or without Shift.
    QSet<QKeySequence> bound { QKeySequence(Qt::CTRL | Qt::Key_K),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K) };
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->isEnabled() && action->isVisible()) {
            for (const QKeySequence &shortcut : action->shortcuts())
                bound.insert(shortcut);
        }
    }

    // A word is being typed: no command may change the text or convert the
    // word. The platform's cursor moves (X11 has Ctrl+E for the end of the
    // line) end the word as any cursor move does; otherwise it goes on.
    const QString typed =
        before + (layout == 3 ? QStringLiteral("ka") : convert(QStringLiteral("ka"), 0)) + after;
    const QString goesOn =
        before + (layout == 3 ? QStringLiteral("kaa") : convert(QStringLiteral("kaa"), 0)) + after;
    const Qt::KeyboardModifiers held[] = { Qt::ControlModifier,
                                           Qt::ControlModifier | Qt::ShiftModifier,
                                           Qt::MetaModifier, Qt::MetaModifier | Qt::ShiftModifier };
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        for (Qt::KeyboardModifiers mods : held) {
            const QKeySequence sequence(mods.toInt() | (Qt::Key_A + (letter - 'a')));
            if (bound.contains(sequence))
                continue;
            for (bool x11Text : { false, true }) {
                editor->setPlainText(before + after);
                QTextCursor tc = editor->textCursor();
                tc.setPosition(int(before.size()));
                editor->setTextCursor(tc);
                QTest::keyClicks(editor, QStringLiteral("ka"));
                QCOMPARE(editor->toPlainText(), typed);
                const int position = editor->textCursor().position();
                pressCommand(editor, letter, mods, x11Text);
                QVERIFY2(editor->toPlainText() == typed,
                         qPrintable(sequence.toString() + QStringLiteral(" gave ") +
                                    editor->toPlainText()));
                if (editor->textCursor().position() != position ||
                    editor->textCursor().hasSelection())
                    continue;
                QTest::keyClicks(editor, QStringLiteral("a"));
                QVERIFY2(editor->toPlainText() == goesOn,
                         qPrintable(sequence.toString() + QStringLiteral(", then a, gave ") +
                                    editor->toPlainText()));
            }
        }
    }
}

void TestUnicodeKaEditorKeys::numbersUnderTransliteration_data()
{
    QTest::addColumn<QString>("before"); // text already in the document
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    const auto tr = [](const char *keys) { return convert(QLatin1String(keys), 3); };
    QTest::newRow("a year") << QString() << "2024 " << QStringLiteral("2024 ");
    QTest::newRow("a number and a comma") << QString() << "12," << QStringLiteral("12,");
    QTest::newRow("two numbers") << QString() << "12 345." << QStringLiteral("12 345.");
    QTest::newRow("a word, then its number")
        << QString() << "kannaDa2" << tr("kannaDa") + QStringLiteral("2");
    QTest::newRow("a word and a year")
        << QString() << "kannaDa2024 " << tr("kannaDa") + QStringLiteral("2024 ");
    QTest::newRow("a number, then a word")
        << QString() << "2ka " << QStringLiteral("2") + tr("ka") + QStringLiteral(" ");
    QTest::newRow("a word between numbers")
        << QString() << "1ka2 " << QStringLiteral("1") + tr("ka") + QStringLiteral("2 ");
    QTest::newRow("after a Kannada digit")
        << QStringLiteral("\u0CE8") << "ka "
        << QStringLiteral("\u0CE8") + tr("ka") + QStringLiteral(" ");
    QTest::newRow("digits after a Kannada digit stay as typed")
        << QStringLiteral("\u0CE8") << "024 " << QStringLiteral("\u0CE8") + QStringLiteral("024 ");
}

void TestUnicodeKaEditorKeys::numbersUnderTransliteration()
{
    QFETCH(QString, before);
    QFETCH(QString, keys);
    UnicodeKaEditor *editor = editorWith(before, int(before.size()));
    QVERIFY(editor);
    editor->setKeyboardLayout(3);
    QTest::keyClicks(editor, keys);
    QTEST(editor->toPlainText(), "expected");
}

void TestUnicodeKaEditorKeys::wordDeletion_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("before"); // in the document before the cursor
    QTest::addColumn<QString>("after"); // and after it
    QTest::addColumn<QString>("typed"); // keys before the deletion
    QTest::addColumn<int>("key"); // Backspace or Delete, with Control
    QTest::addColumn<QString>("deleted"); // the text then
    QTest::addColumn<QString>("then"); // keys after it ("\b" is Backspace)
    QTest::addColumn<QString>("expected");

    const auto ph = [](const char *keys) { return convert(QLatin1String(keys), 0); };
    const auto tr = [](const char *keys) { return convert(QLatin1String(keys), 3); };
    const QString kannada = ph("kannaDa") + QLatin1Char(' ');
    const QString naadu = ph("naaDu");
    const int bs = Qt::Key_Backspace, del = Qt::Key_Delete;
    // The word being typed ends: the next key starts a new one.
    QTest::newRow("phonetic, the word being typed")
        << 0 << kannada << QString() << "naaDu" << bs << kannada << "ka" << kannada + ph("ka");
    QTest::newRow("phonetic, a whole Kannada word")
        << 0 << kannada + naadu << QString() << QString() << bs << kannada << "ka"
        << kannada + ph("ka");
    QTest::newRow("phonetic, the word after the one being typed")
        << 0 << QString() << naadu << "ka" << del << ph("ka") << "a" << ph("ka") + ph("a");
    QTest::newRow("nudi, the word being typed")
        << 1 << kannada << QString() << "kn" << bs << kannada << "k"
        << kannada + convert(QStringLiteral("k"), 1);
    // Under Transliteration the Latin letters are deleted as typed, or stay
    // as typed (as after Delete) and convert at the word's end; a word just
    // converted is no longer turned back by Backspace.
    QTest::newRow("transliteration, the Latin word being typed")
        << 3 << kannada << QString() << "hel" << bs << kannada << "ka " << kannada + tr("ka") + " ";
    QTest::newRow("transliteration, a word just converted")
        << 3 << kannada << QString() << "hello " << bs << kannada << "\b" << ph("kannaDa");
    QTest::newRow("transliteration, the word after the Latin one")
        << 3 << QString() << naadu << "hel" << del << QStringLiteral("hel") << " "
        << tr("hel") + " ";
}

// Ctrl+Backspace and Ctrl+Delete delete a word, as in any text box, and end
// the word being typed first.
void TestUnicodeKaEditorKeys::wordDeletion()
{
    QFETCH(int, layout);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, deleted);
    QFETCH(QString, then);
    QFETCH(QString, expected);
    // X11 gives the key the control character of its plain form as text.
    for (const QString &keyText :
         { QString(), QString(QChar(key == Qt::Key_Backspace ? 0x08 : 0x7f)) }) {
        UnicodeKaEditor *editor = editorWith(before + after, int(before.size()));
        QVERIFY(editor);
        editor->setKeyboardLayout(layout);
        QTest::keyClicks(editor, typed);
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key(key), keyText, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), deleted);
        QTest::keyClicks(editor, then);
        QCOMPARE(editor->toPlainText(), expected);
    }
}

void TestUnicodeKaEditorKeys::converterLineCommandsChangeNoText()
{
    // The line box's own bindings on X11 delete to the end of the line
    // (Ctrl+K) or the whole line (Ctrl+U); Meta letters would be typed.
    KaLineEdit line;
    QVERIFY(ZuvoTest::showActive(&line));
    const struct
    {
        char letter;
        Qt::KeyboardModifiers mods;
    } keys[] = { { 'k', Qt::ControlModifier },
                 { 'u', Qt::ControlModifier },
                 { 'w', Qt::ControlModifier },
                 { 'b', Qt::MetaModifier } };
    for (const auto &key : keys) {
        for (bool x11Text : { false, true }) {
            line.setText(QStringLiteral("abc def"));
            line.setCursorPosition(3);
            pressCommand(&line, key.letter, key.mods, x11Text);
            QCOMPARE(line.text(), QStringLiteral("abc def"));
        }
    }
}

void TestUnicodeKaEditorKeys::converterLineDeletesWords()
{
    // As a plain line box does with the same keys.
    KaLineEdit line;
    QLineEdit plain;
    QVERIFY(ZuvoTest::showActive(&line));
    const struct
    {
        int position;
        Qt::Key key;
        char16_t x11Text;
    } keys[] = { { 7, Qt::Key_Backspace, 0x08 },
                 { 4, Qt::Key_Backspace, 0x08 },
                 { 0, Qt::Key_Delete, 0x7f },
                 { 4, Qt::Key_Delete, 0x7f } };
    for (const auto &key : keys) {
        for (const QString &text : { QString(), QString(QChar(key.x11Text)) }) {
            for (QLineEdit *box : { static_cast<QLineEdit *>(&line), &plain }) {
                box->setText(QStringLiteral("abc def"));
                box->setCursorPosition(key.position);
                QTest::sendKeyEvent(QTest::Click, box, key.key, text, Qt::ControlModifier);
            }
            QVERIFY(line.text() != QLatin1String("abc def"));
            QCOMPARE(line.text(), plain.text());
        }
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditorkeys.moc"
