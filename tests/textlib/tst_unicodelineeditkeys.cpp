// The one-line box in a dialog, with keys as X11 delivers them (its key
// bindings live, control characters as the text of Escape, Delete, Return
// and of Control letters). Run on the xcb platform against a private X
// server.

#include "unicodelineedit.h"
#include "zuvoscriptconverter.h"

#include "testenv.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

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

QString hex(const QString &s)
{
    QStringList parts;
    for (QChar c : s)
        parts << QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

} // namespace

class TestUnicodeLineEditKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keysAfterALatinWord_data();
    void keysAfterALatinWord();
    void commandsChangeNoText();
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
                 { QString(QLatin1Char(letter)), QString(QChar(char16_t(letter - 'a' + 1))) }) {
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

QTEST_MAIN(TestUnicodeLineEditKeys)
#include "tst_unicodelineeditkeys.moc"
