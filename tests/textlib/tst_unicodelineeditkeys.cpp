// The one-line box in a dialog, with keys as X11 delivers them (its key
// bindings live, control characters as the text of Escape, Delete, Return
// and of Control letters). Run on the xcb platform against a private X
// server.

#include "unicodelineedit.h"
#include "zuvoscriptconverter.h"

#include "keys.h"
#include "testenv.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

using ZuvoTest::hex;

namespace {

// A dialog that asks for a word, as the program's text-entry dialog does:
// Return in the box accepts it, Escape rejects it.
struct WordDialog : QDialog
{
    WordDialog()
    {
        auto *layout = new QVBoxLayout(this);
        box = new UnicodeLineEdit(this);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(box);
        layout->addWidget(buttons);
        connect(box, &UnicodeLineEdit::editingFinished, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    UnicodeLineEdit *box;
};

} // namespace

class TestUnicodeLineEditKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keysAfterALatinWord_data();
    void keysAfterALatinWord();
    void commandsChangeNoText();
    void wordDeletion_data();
    void wordDeletion();
};

void TestUnicodeLineEditKeys::initTestCase()
{
    // Offscreen, the X11 bindings do not exist and these tests would prove
    // nothing: a plain line box deletes the rest of its line on Ctrl+K here.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QLineEdit plain(QStringLiteral("abc def"));
    QVERIFY(ZuvoTest::showActive(&plain));
    plain.setCursorPosition(3);
    QTest::keyClick(&plain, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(plain.text(), QStringLiteral("abc"));
}

void TestUnicodeLineEditKeys::keysAfterALatinWord_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text"); // the key's text as X11 sends it
    QTest::addColumn<QString>("after"); // the box's text after "hi" when the key follows
    QTest::addColumn<int>("result"); // the dialog's: -1 still open

    const QString hi = ZuvoScriptConverter().ansiToUnicode(QStringLiteral("hi"), 0, 3);
    QTest::newRow("Escape closes")
        << int(Qt::Key_Escape) << QStringLiteral("\x1b") << hi << int(QDialog::Rejected);
    QTest::newRow("Delete deletes") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << hi << -1;
    QTest::newRow("Return accepts")
        << int(Qt::Key_Return) << QStringLiteral("\r") << hi << int(QDialog::Accepted);
    QTest::newRow("Enter accepts")
        << int(Qt::Key_Enter) << QStringLiteral("\r") << hi << int(QDialog::Accepted);
    QTest::newRow("a space converts and is typed")
        << int(Qt::Key_Space) << QStringLiteral(" ") << hi + QLatin1Char(' ') << -1;
}

void TestUnicodeLineEditKeys::keysAfterALatinWord()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(int, result);
    WordDialog dialog;
    dialog.box->setLanguageAndKeyboard(0, 3);
    dialog.open();
    QVERIFY(ZuvoTest::showActive(&dialog));
    dialog.box->setFocus();
    QTRY_VERIFY(dialog.box->hasFocus());
    QTest::keyClicks(dialog.box, QStringLiteral("hi"));
    QCOMPARE(dialog.box->text(), QStringLiteral("hi"));
    QTest::sendKeyEvent(QTest::Click, dialog.box, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(hex(dialog.box->text()), hex(after));
    if (result < 0) {
        QVERIFY(dialog.isVisible());
    } else {
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
    }
}

void TestUnicodeLineEditKeys::commandsChangeNoText()
{
    // The box's editing commands are undo, redo, cut, copy, paste and select
    // all; no other Control or Meta letter may touch the text.
    const QString allowed = QStringLiteral("acvxyz");
    WordDialog dialog;
    dialog.box->setLanguageAndKeyboard(0, 0);
    dialog.open();
    QVERIFY(ZuvoTest::showActive(&dialog));
    dialog.box->setFocus();
    QTRY_VERIFY(dialog.box->hasFocus());
    QApplication::clipboard()->clear();
    const QString text = QStringLiteral("abc def");
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (allowed.contains(QLatin1Char(letter)))
            continue;
        const Qt::Key key = Qt::Key(Qt::Key_A + (letter - 'a'));
        const Qt::KeyboardModifiers held[] = { Qt::ControlModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier,
                                               Qt::MetaModifier };
        for (Qt::KeyboardModifiers mods : held) {
            for (const QString &keyText :
                 { QString(QLatin1Char(letter)), ZuvoTest::controlText(letter) }) {
                dialog.box->setText(text);
                QTextCursor tc = dialog.box->textCursor();
                tc.setPosition(3);
                dialog.box->setTextCursor(tc);
                QTest::sendKeyEvent(QTest::Click, dialog.box, key, keyText, mods);
                QVERIFY2(dialog.box->text() == text,
                         qPrintable(QKeySequence(mods.toInt() | key).toString() +
                                    QStringLiteral(" gave ") + dialog.box->text()));
            }
        }
    }
    QVERIFY(dialog.isVisible());
}

void TestUnicodeLineEditKeys::wordDeletion_data()
{
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QString>("before"); // in the box before the cursor
    QTest::addColumn<QString>("after"); // and after it
    QTest::addColumn<QString>("typed"); // keys before the deletion
    QTest::addColumn<int>("key"); // Backspace or Delete, with Control
    QTest::addColumn<QString>("deleted"); // the box's text then
    QTest::addColumn<QString>("then"); // keys after it ("\b" is Backspace)
    QTest::addColumn<QString>("expected");

    const auto convert = [](const char *keys, int keyboard) {
        return ZuvoScriptConverter().ansiToUnicode(QLatin1String(keys), 0, keyboard);
    };
    const QString kannada = convert("kannaDa", 0);
    const QString naadu = convert("naaDu", 0);
    const int bs = Qt::Key_Backspace, del = Qt::Key_Delete;
    // The word being typed ends: the next key starts a new one.
    QTest::newRow("phonetic, the word being typed")
        << 0 << kannada << QString() << " naaDu" << bs << kannada + " "
        << "ka" << kannada + " " + convert("ka", 0);
    QTest::newRow("phonetic, the word after the one being typed")
        << 0 << QString() << naadu << "ka" << del << convert("ka", 0) << "a"
        << convert("ka", 0) + convert("a", 0);
    QTest::newRow("nudi, the word being typed")
        << 1 << kannada << QString() << " kn" << bs << kannada + " "
        << "k" << kannada + " " + convert("k", 1);
    // Under Transliteration Ctrl+Backspace deletes the Latin letters as
    // typed, or a word just converted without its Latin keys coming back.
    // Ctrl+Delete does what Delete does first: the Latin word before the
    // cursor converts, unless the cursor stands inside a word.
    QTest::newRow("transliteration, the Latin word being typed")
        << 3 << kannada << QString() << " hel" << bs << kannada + " "
        << "ka " << kannada + " " + convert("ka", 3) + " ";
    QTest::newRow("transliteration, a word just converted")
        << 3 << kannada << QString() << " hello " << bs << kannada + " "
        << "\b" << kannada;
    QTest::newRow("transliteration, the space after the Latin word")
        << 3 << "-"
        << " " + naadu << "hi" << del << "-" + convert("hi", 3) + naadu << QString()
        << "-" + convert("hi", 3) + naadu;
    QTest::newRow("transliteration, inside a word")
        << 3 << QString() << naadu << "hi" << del << QStringLiteral("hi") << " "
        << convert("hi", 3) + " ";
}

// Ctrl+Backspace and Ctrl+Delete delete a word, as in any text box, and end
// the word being typed first.
void TestUnicodeLineEditKeys::wordDeletion()
{
    QFETCH(int, keyboard);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, deleted);
    QFETCH(QString, then);
    QFETCH(QString, expected);
    WordDialog dialog;
    dialog.box->setLanguageAndKeyboard(0, keyboard);
    dialog.open();
    QVERIFY(ZuvoTest::showActive(&dialog));
    dialog.box->setFocus();
    QTRY_VERIFY(dialog.box->hasFocus());
    // X11 gives the key the control character of its plain form as text.
    for (const QString &keyText :
         { QString(), QString(QChar(key == Qt::Key_Backspace ? 0x08 : 0x7f)) }) {
        dialog.box->setText(before + after);
        QTextCursor tc = dialog.box->textCursor();
        tc.setPosition(int(before.size()));
        dialog.box->setTextCursor(tc);
        QTest::keyClicks(dialog.box, typed);
        QTest::sendKeyEvent(QTest::Click, dialog.box, Qt::Key(key), keyText, Qt::ControlModifier);
        QCOMPARE(hex(dialog.box->text()), hex(deleted));
        QTest::keyClicks(dialog.box, then);
        QCOMPARE(hex(dialog.box->text()), hex(expected));
    }
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestUnicodeLineEditKeys)
#include "tst_unicodelineeditkeys.moc"
