#include "unicodecombobox.h"
#include "unicodelineedit.h"
#include "unicodeplaintextedit.h"

#include "keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QtTest>

using ZuvoTest::hex;

namespace {

// Texts are written as code points ("0C95 0CCD") so that every vowel sign and
// virama is visible; other characters of the row stand for themselves.
QString cps(const char *codes)
{
    QString s;
    const QStringList parts = QString::fromLatin1(codes).split(u' ', Qt::SkipEmptyParts);
    for (const QString &p : parts) {
        bool ok = false;
        const uint cp = p.toUInt(&ok, 16);
        if (ok && p.size() == 4)
            s.append(QChar(char16_t(cp)));
        else
            s.append(p == QLatin1String("_") ? QStringLiteral(" ") : p);
    }
    return s;
}

// Keys go where Qt routes them: to the open popup (whose completer hands
// them on to the box), else to the box.
QWidget *keyTarget(QWidget *box)
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return box;
}

void press(QWidget *box, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(box), key, mods);
}

// Plain characters are typed as they are; <BS>, <F11>, <RET>, <ENTER>,
// <LEFT>, <RIGHT>, <TAB>, <ESC>, <DEL> and <C-x> (Control held) name other
// keys.
void typeKeys(QWidget *box, const QString &keys)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == u'<') {
            const qsizetype end = keys.indexOf(u'>', i);
            const QString name = keys.mid(i + 1, end - i - 1);
            i = end;
            if (name.startsWith(QLatin1String("C-"))) {
                QTest::keyClick(keyTarget(box), name.at(2).toLatin1(), Qt::ControlModifier);
                continue;
            }
            static const QHash<QString, Qt::Key> names {
                { "BS", Qt::Key_Backspace }, { "F11", Qt::Key_F11 },    { "RET", Qt::Key_Return },
                { "ENTER", Qt::Key_Enter },  { "LEFT", Qt::Key_Left },  { "RIGHT", Qt::Key_Right },
                { "TAB", Qt::Key_Tab },      { "ESC", Qt::Key_Escape }, { "DEL", Qt::Key_Delete },
            };
            QVERIFY2(names.contains(name), qPrintable(name));
            // Escape and Delete carry the control character X11 sends.
            if (name == QLatin1String("ESC") || name == QLatin1String("DEL")) {
                const QString text(QChar(name == QLatin1String("ESC") ? 0x1B : 0x7F));
                QTest::sendKeyEvent(QTest::Click, keyTarget(box), names.value(name), text,
                                    Qt::NoModifier);
                continue;
            }
            press(box, names.value(name));
            continue;
        }
        QTest::keyClick(keyTarget(box), keys.at(i).toLatin1());
    }
}

} // namespace

class TestUnicodeLineEdit : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void oneUndoStepPerKey_data();
    void oneUndoStepPerKey();
    void setTextSimplifies();
    void completerReturn();
    void completerFollowsTyping();
    void completerLists();
    void comboBoxDropDown();
    void focusChanged();
    void fonts();
    void companions();

private:
    void showBox(QWidget *w)
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
};

void TestUnicodeLineEdit::typing_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("finished");

    auto row = [](const char *name, int lang, int kb, const char *keys, const char *exp,
                  int finished = 0) {
        QTest::newRow(name) << lang << kb << QString::fromLatin1(keys) << cps(exp) << finished;
    };
    // Phonetic: the word is converted again from all its keys after each key.
    row("k", 0, 0, "k", "0C95 0CCD");
    row("ka replaces the first output", 0, 0, "ka", "0C95");
    row("whole word", 0, 0, "kannaDa", "0C95 0CA8 0CCD 0CA8 0CA1");
    row("digits", 0, 0, "12", "0CE7 0CE8");
    row("backspace takes the last key", 0, 0, "ka<BS>", "0C95 0CCD");
    row("backspace past the word deletes text", 0, 0, "ka ka<BS><BS><BS>", "0C95");
    row("space ends the word", 0, 0, "ka ka", "0C95 _ 0C95");
    row("backspace of a space, then a new word", 0, 0, "ka <BS>a", "0C95 0C85");
    row("cursor move ends the word", 0, 0, "ka<LEFT><RIGHT>a", "0C95 0C85");
    row("punctuation typed as is", 0, 0, "ka,ba", "0C95 , 0CAC");
    row("F11 types Latin, F11 again Indic", 0, 0, "ka<F11>ka<F11>ka", "0C95 k a 0C95");
    row("Return finishes without a line break", 0, 0, "ka<RET>", "0C95", 1);
    row("Enter finishes too", 0, 0, "ka<ENTER><RET>", "0C95", 2);
    // Control keys keep their editing meaning: Ctrl+A selects all, and the
    // next key starts a new word over the selection.
    row("Ctrl+A then a key replaces all", 0, 0, "kan<C-a>ka", "0C95");
    row("Ctrl+Z undoes the last key", 0, 0, "ka<C-z>", "0C95 0CCD");
    row("Nudi", 0, 1, "ka", "0C95 0CBE");
    row("Telugu", 1, 0, "ka", "0C15");
    row("Malayalam Phonetic-2", 2, 0, "ka", "0D15");
    row("English types as is", 9, 0, "ka 1", "k a _ 1");

    // Transliteration: the Latin word is shown and converted when it ends.
    row("tr letters stay Latin", 0, 3, "hi", "h i");
    row("tr space converts", 0, 3, "hi ", "0CB9 0CBE 0CAF 0CCD _");
    row("tr backspace restores Latin", 0, 3, "hi <BS>", "h i");
    row("tr then deletes Latin", 0, 3, "hi <BS><BS>", "h");
    row("tr word goes on after restore", 0, 3, "hi <BS>l ", "0CB9 0CBF 0CB2 0CCD _");
    row("tr two spaces", 0, 3, "hi  ", "0CB9 0CBE 0CAF 0CCD _ _");
    row("tr space after digit converts nothing", 0, 3, "12 ", "1 2 _");
    row("tr punctuation converts and is typed", 0, 3, "hi,", "0CB9 0CBE 0CAF 0CCD ,");
    row("tr backspace after punctuation", 0, 3, "hi,<BS>", "h i");
    row("tr digits after a word stay as typed", 0, 3, "hi12", "0CB9 0CBE 0CAF 0CCD 1 2");
    row("tr two words", 0, 3, "hi la ", "0CB9 0CBE 0CAF 0CCD _ 0CB2 _");
    row("tr space inside a word converts the part before", 0, 3, "hello<LEFT><LEFT> ",
        "0CB9 0CC6 0CB2 0CCD _ l o");
    row("tr F11 turns conversion off", 0, 3, "<F11>hi ", "h i _");
    row("tr Hindi", 4, 3, "hi ", "0939 093E 092F 094D _");
    // Keys that type nothing visible end the word without typing themselves.
    row("tr Return converts before finishing", 0, 3, "hi<RET>", "0CB9 0CBE 0CAF 0CCD", 1);
    row("tr Escape converts, types nothing", 0, 3, "hi<ESC>", "0CB9 0CBE 0CAF 0CCD");
    row("tr Delete converts, types nothing", 0, 3, "hi<DEL>", "0CB9 0CBE 0CAF 0CCD");
    row("tr Delete inside a word only deletes", 0, 3, "hiya<LEFT><LEFT><DEL>", "h i a");
    row("tr Delete after a word deletes the next", 0, 3, "hi ya<LEFT><LEFT><LEFT><DEL>",
        "0CB9 0CBE 0CAF 0CCD y a");
    row("tr backspace after Escape restores Latin", 0, 3, "hi<ESC><BS>", "h i");
}

void TestUnicodeLineEdit::typing()
{
    QFETCH(int, language);
    QFETCH(int, keyboard);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, finished);

    UnicodeLineEdit box;
    box.setLanguageAndKeyboard(language, keyboard);
    QSignalSpy spy(&box, &UnicodeLineEdit::editingFinished);
    typeKeys(&box, keys);
    QCOMPARE(hex(box.text()), hex(expected));
    QCOMPARE(spy.count(), finished);
}

void TestUnicodeLineEdit::oneUndoStepPerKey_data()
{
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("lastKey");
    QTest::addColumn<QString>("afterUndo");

    QTest::newRow("phonetic key") << 0 << "k"
                                  << "a" << cps("0C95 0CCD");
    QTest::newRow("phonetic backspace") << 0 << "ka"
                                        << "\b" << cps("0C95");
    QTest::newRow("transliteration space") << 3 << "hi"
                                           << " " << QStringLiteral("hi");
    QTest::newRow("transliteration restore") << 3 << "hi "
                                             << "\b" << cps("0CB9 0CBE 0CAF 0CCD _");
}

// A key the box converts is one edit: one cursor signal and one undo step,
// and the word goes on after it.
void TestUnicodeLineEdit::oneUndoStepPerKey()
{
    QFETCH(int, keyboard);
    QFETCH(QString, keys);
    QFETCH(QString, lastKey);
    QFETCH(QString, afterUndo);

    UnicodeLineEdit box;
    box.setLanguageAndKeyboard(0, keyboard);
    typeKeys(&box, keys);
    QSignalSpy moves(&box, &QPlainTextEdit::cursorPositionChanged);
    if (lastKey == QLatin1String("\b"))
        press(&box, Qt::Key_Backspace);
    else
        typeKeys(&box, lastKey);
    QCOMPARE(moves.count(), 1);
    box.undo();
    QCOMPARE(hex(box.text()), hex(afterUndo));
}

void TestUnicodeLineEdit::setTextSimplifies()
{
    UnicodeLineEdit box;
    typeKeys(&box, QStringLiteral("ka"));
    box.setText(QStringLiteral("  ab \t  cd\n e  "));
    QCOMPARE(box.text(), QStringLiteral("ab cd e"));
    // The word typed before is over: the next key starts a new one at the end.
    typeKeys(&box, QStringLiteral("k"));
    QCOMPARE(hex(box.text()), hex(cps("a b _ c d _ e 0C95 0CCD")));

    // clean() ends the word as well.
    box.setText(QString());
    typeKeys(&box, QStringLiteral("ka"));
    box.clean();
    typeKeys(&box, QStringLiteral("a"));
    QCOMPARE(hex(box.text()), hex(cps("0C95 0C85")));
}

// With the popup open, Return picks the entry (no editingFinished); with the
// popup closed it finishes the edit and inserts no line break.
void TestUnicodeLineEdit::completerReturn()
{
    UnicodeLineEdit box;
    const QString kannada = cps("0C95 0CA8 0CCD 0CA8 0CA1");
    const QString kamala = cps("0C95 0CAE 0CB2");
    box.setCompleter({ kannada, kamala });
    showBox(&box);
    QSignalSpy finished(&box, &UnicodeLineEdit::editingFinished);

    typeKeys(&box, QStringLiteral("ka"));
    QAbstractItemView *popup = box.completer()->popup();
    QVERIFY(popup->isVisible());
    QCOMPARE(box.completer()->completionPrefix(), cps("0C95"));

    press(&box, Qt::Key_Down); // the popup moves to the next entry
    press(&box, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    QCOMPARE(hex(box.text()), hex(kamala));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(box.textCursor().position(), int(kamala.size()));

    press(&box, Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(hex(box.text()), hex(kamala));

    // Escape closes the popup without choosing.
    box.setText(QString());
    typeKeys(&box, QStringLiteral("ka"));
    QVERIFY(popup->isVisible());
    press(&box, Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    QCOMPARE(hex(box.text()), hex(cps("0C95")));
    QCOMPARE(finished.count(), 1);
}

void TestUnicodeLineEdit::completerFollowsTyping()
{
    UnicodeLineEdit box;
    const QString kannada = cps("0C95 0CA8 0CCD 0CA8 0CA1");
    box.setCompleter({ kannada, cps("0C95 0CAE 0CB2") });
    showBox(&box);
    QAbstractItemView *popup = box.completer()->popup();

    typeKeys(&box, QStringLiteral("kan"));
    QVERIFY(popup->isVisible());
    QCOMPARE(box.completer()->completionCount(), 1);
    QCOMPARE(hex(popup->currentIndex().data().toString()), hex(kannada));

    // Backspace closes the popup; a finished word opens none.
    press(&box, Qt::Key_Backspace);
    QVERIFY(!popup->isVisible());
    box.setText(QString());
    typeKeys(&box, QStringLiteral("kannaDa"));
    QVERIFY(!popup->isVisible());
    // No match, no popup.
    box.setText(QString());
    typeKeys(&box, QStringLiteral("ba"));
    QVERIFY(!popup->isVisible());
}

void TestUnicodeLineEdit::completerLists()
{
    UnicodeLineEdit box;
    box.updateCompleterList({ QStringLiteral("x") });
    QVERIFY(!box.completer());

    box.setCompleter({ QStringLiteral("a"), QStringLiteral("b") });
    QCompleter *first = box.completer();
    QVERIFY(first);
    box.setCompleter({ QStringLiteral("z") });
    QCOMPARE(box.completer(), first);
    auto list = [&] { return qobject_cast<QStringListModel *>(first->model())->stringList(); };
    QCOMPARE(list(), QStringList({ "a", "b" }));

    box.updateCompleterList({ QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("c") });
    QCOMPARE(list(), QStringList({ "a", "b", "c" }));

    QCOMPARE(first->caseSensitivity(), Qt::CaseInsensitive);
    QVERIFY(first->wrapAround());
    QCOMPARE(first->completionMode(), QCompleter::PopupCompletion);
    QCOMPARE(first->popup()->font().family(), QStringLiteral("Tunga"));
    QCOMPARE(first->popup()->font().pointSize(), 10);
}

void TestUnicodeLineEdit::comboBoxDropDown()
{
    UnicodeComboBox combo;
    UnicodeLineEdit *box = combo.lineEdit();
    QVERIFY(box);
    box->setCompleter({ QStringLiteral("one"), QStringLiteral("two") });
    showBox(&combo);
    QAbstractItemView *popup = box->completer()->popup();

    box->toggleAutoCompleter();
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->model()->rowCount(), 2);
    // The second press only forgets the open list (the click that reached the
    // arrow has closed the popup already); the third opens it again.
    popup->hide();
    box->toggleAutoCompleter();
    QVERIFY(!popup->isVisible());
    box->toggleAutoCompleter();
    QVERIFY(popup->isVisible());
    popup->hide();
}

void TestUnicodeLineEdit::focusChanged()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new UnicodeLineEdit(&window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());

    QSignalSpy spy(box, &UnicodeLineEdit::focusChanged);
    box->setFocus();
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    other->setFocus();
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
}

// The requested family, not the font the system resolves it to.
void TestUnicodeLineEdit::fonts()
{
    UnicodeLineEdit box;
    QCOMPARE(box.font().family(), QStringLiteral("tunga"));
    QCOMPARE(box.font().pointSize(), 11);

    QFont custom = box.font();
    custom.setPointSize(20);
    box.setFont(custom);
    box.setLanguageAndKeyboard(0, 3); // keyboard only: the font stays
    QCOMPARE(box.font().pointSize(), 20);
    QCOMPARE(box.keyboard(), 3);

    box.setLanguageAndKeyboard(1, 3);
    QCOMPARE(box.font().family(), QStringLiteral("gautami"));
    QCOMPARE(box.font().pointSize(), 11);
    QCOMPARE(box.language(), 1);
    box.setLanguageAndKeyboard(7, 0);
    QCOMPARE(box.font().family(), QStringLiteral("Arial Unicode MS"));
}

void TestUnicodeLineEdit::companions()
{
    UnicodePlainTextEdit area;
    QCOMPARE(area.minimumHeight(), 60);
    QCOMPARE(area.maximumHeight(), 120);
    typeKeys(&area, QStringLiteral("ka"));
    QCOMPARE(hex(area.text()), hex(cps("0C95")));
}

QTEST_MAIN(TestUnicodeLineEdit)
#include "tst_unicodelineedit.moc"
