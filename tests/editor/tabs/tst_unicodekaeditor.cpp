// Typing in the tab editor: word-by-word conversion, the end of a word,
// the language and layout switches and the completion popup.

#include "unicodekaeditor.h"

#include "kalineedit.h"

#include "editorfixture.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTextCursor>
#include <QtTest/QTest>

namespace {

QString convert(const QString &keys, int language, int layout)
{
    ZuvoScriptConverter converter;
    return converter.ansiToUnicode(keys, language, layout);
}

// What typing the keys should give: every word (between spaces) converted on
// its own, the spaces kept.
QString expectedText(const QString &keys, int language, int layout)
{
    QStringList words = keys.split(QLatin1Char(' '));
    const bool trailingSpace = keys.endsWith(QLatin1Char(' '));
    if (trailingSpace)
        words.removeLast();
    for (QString &word : words)
        word = convert(word, language, layout);
    QString text = words.join(QLatin1Char(' '));
    if (trailingSpace)
        text += QLatin1Char(' ');
    return text;
}

} // namespace

class TestUnicodeKaEditor : public QObject, ZuvoTest::EditorFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typing_data();
    void typing();
    void eachKeyReplacesTheWordInOneUndoStep();
    void backspaceRemovesLatinKeys();
    void cursorMoveStartsANewWord();
    void editElsewhereEndsTheWord();
    void transliterationBackspaceGivesTheLatinWordBack();
    void transliterationLeavesTextOutsideTheWord();
    void shortcutsAreNoTyping();
    void escapeAsksTheWindow();
    void transliterationReturnEndsTheWord();
    void signalsOfConstructionAndFormat();
    void readOnlyIgnoresKeys();
    void languageSwitches_data();
    void languageSwitches();
    void toggles();
    void englishEditorTogglesToLanguageNine();
    void completionPopup();
    void insertCompletionReplacesTheWordStart();
    void lineEditConvertsOnWhitespace();

private:
    UnicodeKaEditor *makeEditor(int language, int layout);
};

void TestUnicodeKaEditor::init()
{
    setUpEditors();
}

void TestUnicodeKaEditor::cleanup()
{
    tearDownEditors();
}

UnicodeKaEditor *TestUnicodeKaEditor::makeEditor(int language, int layout)
{
    auto *editor = new UnicodeKaEditor(utils, language, layout, window);
    editor->resize(400, 300);
    window->show();
    editor->show();
    return editor;
}

void TestUnicodeKaEditor::typing_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("keys");

    QTest::newRow("kannada phonetic") << 0 << 0 << QStringLiteral("namaskaara kannaDa");
    QTest::newRow("kannada phonetic digits") << 0 << 0 << QStringLiteral("ka1 2020 aMkShaa");
    QTest::newRow("kannada nudi") << 0 << 1 << QStringLiteral("kannaDa nudi ");
    QTest::newRow("kannada phonetic-2") << 0 << 2 << QStringLiteral("raama lakShmaNa");
    QTest::newRow("hindi phonetic") << 4 << 0 << QStringLiteral("namaste bhaarata");
    QTest::newRow("telugu phonetic") << 1 << 0 << QStringLiteral("telugu vaaru");
    QTest::newRow("tamil phonetic") << 8 << 0 << QStringLiteral("tamiz naaDu");
    QTest::newRow("gurmukhi nudi") << 7 << 1 << QStringLiteral("paMjaab ");
    QTest::newRow("kannada transliteration") << 0 << 3 << QStringLiteral("namaste guru ");
    QTest::newRow("hindi transliteration") << 4 << 3 << QStringLiteral("bharat desh ");
    QTest::newRow("transliteration last word open") << 0 << 3 << QStringLiteral("one two");
    // Every script under every word-by-word layout, mixed-case keys and digits.
    for (int language = 0; language <= 8; ++language) {
        for (int layout = 0; layout <= 2; ++layout) {
            QTest::addRow("language %d layout %d", language, layout)
                << language << layout
                << QStringLiteral("kannaDa naaDu 12 shrii kShEtra jnaana RuShi aiMdu auShadha");
        }
    }
}

void TestUnicodeKaEditor::typing()
{
    QFETCH(int, language);
    QFETCH(int, layout);
    QFETCH(QString, keys);
    UnicodeKaEditor *editor = makeEditor(language, layout);
    QTest::keyClicks(editor, keys);
    QString expected = expectedText(keys, language, layout);
    if (layout == 3 && !keys.endsWith(QLatin1Char(' '))) {
        // The last word is still Latin: nothing has ended it yet.
        const qsizetype lastSpace = keys.lastIndexOf(QLatin1Char(' '));
        expected =
            expectedText(keys.left(lastSpace + 1), language, layout) + keys.mid(lastSpace + 1);
    }
    QVERIFY(expected != keys); // the engine did convert
    QCOMPARE(editor->toPlainText(), expected);
}

void TestUnicodeKaEditor::eachKeyReplacesTheWordInOneUndoStep()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClick(editor, 'k');
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("k"), 0, 0));
    QTest::keyClick(editor, 'a');
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("ka"), 0, 0));
    editor->undo();
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("k"), 0, 0));
}

void TestUnicodeKaEditor::backspaceRemovesLatinKeys()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClicks(editor, QStringLiteral("ab kaa"));
    const QString first = convert(QStringLiteral("ab"), 0, 0) + QLatin1Char(' ');
    QCOMPARE(editor->toPlainText(), first + convert(QStringLiteral("kaa"), 0, 0));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), first + convert(QStringLiteral("ka"), 0, 0));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), first);
    // The word is gone: the next Backspace deletes the space before it.
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("ab"), 0, 0));
}

void TestUnicodeKaEditor::cursorMoveStartsANewWord()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClicks(editor, QStringLiteral("kannaDa"));
    QTextCursor tc = editor->textCursor();
    tc.movePosition(QTextCursor::Start);
    editor->setTextCursor(tc);
    QTest::keyClicks(editor, QStringLiteral("ma"));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ma"), 0, 0) + convert(QStringLiteral("kannaDa"), 0, 0));
    // Going back to the end and typing starts a third word; the first stays.
    tc.movePosition(QTextCursor::End);
    editor->setTextCursor(tc);
    QTest::keyClicks(editor, QStringLiteral("ru"));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ma"), 0, 0) + convert(QStringLiteral("kannaDa"), 0, 0) +
                 convert(QStringLiteral("ru"), 0, 0));
}

void TestUnicodeKaEditor::editElsewhereEndsTheWord()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClicks(editor, QStringLiteral("ka"));
    const QString word = convert(QStringLiteral("ka"), 0, 0);
    // Another cursor replaces the word's text by text of the same length.
    QTextCursor other(editor->document());
    other.setPosition(0);
    other.setPosition(int(word.size()), QTextCursor::KeepAnchor);
    other.insertText(QString(word.size(), QLatin1Char('Z')));
    editor->moveCursor(QTextCursor::End);
    QTest::keyClick(editor, 'a');
    QCOMPARE(editor->toPlainText(),
             QString(word.size(), QLatin1Char('Z')) + convert(QStringLiteral("a"), 0, 0));
}

void TestUnicodeKaEditor::transliterationBackspaceGivesTheLatinWordBack()
{
    UnicodeKaEditor *editor = makeEditor(0, 3);
    QTest::keyClicks(editor, QStringLiteral("namaste "));
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("namaste"), 0, 3) + QLatin1Char(' '));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), QStringLiteral("namaste"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), QStringLiteral("namast"));

    // A space after a digit or punctuation converts nothing more.
    editor->clear();
    QTest::keyClicks(editor, QStringLiteral("ab1 "));
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("ab"), 0, 3) + QStringLiteral("1 "));
}

void TestUnicodeKaEditor::transliterationLeavesTextOutsideTheWord()
{
    UnicodeKaEditor *editor = makeEditor(0, 3);
    editor->setPlainText(QStringLiteral("hello world"));
    QTextCursor tc = editor->textCursor();
    tc.setPosition(9); // inside "world"
    editor->setTextCursor(tc);
    QTest::keyClick(editor, '.');
    QCOMPARE(editor->toPlainText(), QStringLiteral("hello wor.ld"));

    // Text that is no Latin word is never converted again.
    const QString kannada = convert(QStringLiteral("kannaDa"), 0, 0);
    editor->setPlainText(kannada);
    editor->moveCursor(QTextCursor::End);
    QTest::keyClick(editor, ' ');
    QTest::keyClick(editor, ',');
    QCOMPARE(editor->toPlainText(), kannada + QStringLiteral(" ,"));
}

void TestUnicodeKaEditor::shortcutsAreNoTyping()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClicks(editor, QStringLiteral("ka"));
    QTest::keyClick(editor, 'b', Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("a"));
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("kaa"), 0, 0));
}

// Escape asks the window first (its find bar closes), then goes on as
// usual, whatever the answer.
void TestUnicodeKaEditor::escapeAsksTheWindow()
{
    UnicodeKaEditor *editor = makeEditor(0, 3);
    int calls = 0;
    bool answer = false;
    editor->escapePressed = [&] {
        ++calls;
        return answer;
    };
    QTest::keyClicks(editor, QStringLiteral("abc"));
    for (bool closed : { true, false }) {
        answer = closed;
        QTest::keyClick(editor, Qt::Key_Escape);
        // Escape is no word end under Transliteration: the Latin word stays.
        QCOMPARE(editor->toPlainText(), QStringLiteral("abc"));
    }
    QCOMPARE(calls, 2);
}

void TestUnicodeKaEditor::transliterationReturnEndsTheWord()
{
    UnicodeKaEditor *editor = makeEditor(0, 3);
    QTest::keyClicks(editor, QStringLiteral("guru"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("ka\t"));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("guru"), 0, 3) + QLatin1Char('\n') +
                 convert(QStringLiteral("ka"), 0, 3) + QLatin1Char('\t'));
}

void TestUnicodeKaEditor::signalsOfConstructionAndFormat()
{
    auto *editor = new UnicodeKaEditor(utils, 0, 0, window);
    QCOMPARE(editor->document()->documentMargin(), 12.0);
    QCOMPARE(editor->font().pointSize(), 11);
    QCOMPARE(editor->frameStyle() & QFrame::Shape_Mask, int(QFrame::Box));
    QCOMPARE(editor->textCodecName(), QStringLiteral("UTF-8"));
    QVERIFY(editor->textCodec());
    QCOMPARE(editor->textEncodingIndex(), 1);
    QSignalSpy families(editor, &UnicodeKaEditor::fontFamilyChanged);
    QSignalSpy fonts(editor, &UnicodeKaEditor::fontChanged);
    QSignalSpy alignments(editor, &UnicodeKaEditor::alignmentChanged);
    editor->setLanguageFont(4);
    QCOMPARE(families.size(), 1);
    QCOMPARE(families.at(0).at(0).toString(), Utils::languageDefaultFont(4));
    QCOMPARE(editor->fontName(), Utils::languageDefaultFont(4));
    QCOMPARE(editor->document()->defaultFont().family(), Utils::languageDefaultFont(4));
    QVERIFY(!fonts.isEmpty());
    // Typing is the editor's own cursor move; moving the cursor is not.
    window->show();
    QTest::keyClicks(editor, QStringLiteral("ka"));
    QVERIFY(alignments.isEmpty());
    editor->moveCursor(QTextCursor::Start);
    QCOMPARE(alignments.size(), 1);
    // Typed words carry the chosen family.
    QTextCursor tc(editor->document());
    tc.setPosition(1);
    QCOMPARE(tc.charFormat().fontFamilies().toStringList(),
             QStringList { Utils::languageDefaultFont(4) });
}

void TestUnicodeKaEditor::readOnlyIgnoresKeys()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QTest::keyClicks(editor, QStringLiteral("ka"));
    editor->setReadOnly(true);
    QTest::keyClicks(editor, QStringLiteral("ma"));
    QTest::keyClick(editor, Qt::Key_F11);
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("ka"), 0, 0));
    QVERIFY(editor->isIndic());
}

void TestUnicodeKaEditor::languageSwitches_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("indicLanguage");
    QTest::addColumn<QList<int>>("signals");

    QTest::newRow("same language") << 0 << 0 << 0 << 0 << QList<int> {};
    QTest::newRow("another language") << 0 << 4 << 4 << 4 << QList<int> { 4 };
    QTest::newRow("english keeps the indic one") << 2 << 9 << 9 << 2 << QList<int> { 9 };
    QTest::newRow("out of range") << 1 << 10 << 1 << 1 << QList<int> {};
    QTest::newRow("negative") << 1 << -1 << 1 << 1 << QList<int> {};
    QTest::newRow("english editor, english") << 9 << 9 << 9 << 9 << QList<int> {};
}

void TestUnicodeKaEditor::languageSwitches()
{
    QFETCH(int, initial);
    QFETCH(int, value);
    UnicodeKaEditor *editor = makeEditor(initial, 0);
    QSignalSpy spy(editor, &UnicodeKaEditor::languageChanged);
    editor->setLanguage(value);
    QTEST(editor->language(), "language");
    QTEST(editor->indicLanguage(), "indicLanguage");
    QList<int> emitted;
    for (const QList<QVariant> &args : spy)
        emitted.append(args.at(0).toInt());
    QTEST(emitted, "signals");
}

void TestUnicodeKaEditor::toggles()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    QSignalSpy languages(editor, &UnicodeKaEditor::languageChanged);
    QSignalSpy layouts(editor, &UnicodeKaEditor::keyboardChanged);

    QTest::keyClick(editor, Qt::Key_F11);
    QVERIFY(!editor->isIndic());
    QTest::keyClicks(editor, QStringLiteral("ka"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("ka"));
    QTest::keyClick(editor, Qt::Key_F11);
    QVERIFY(editor->isIndic());
    QCOMPARE(languages.size(), 2);
    QCOMPARE(languages.at(0).at(0).toInt(), 9);
    QCOMPARE(languages.at(1).at(0).toInt(), 0);

    for (int expected : { 1, 2, 3, 0 }) {
        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(editor->keyboardLayout(), expected);
        QCOMPARE(layouts.takeFirst().at(0).toInt(), expected);
    }
    editor->setKeyboardLayout(4);
    editor->setKeyboardLayout(0);
    QCOMPARE(editor->keyboardLayout(), 0);
    QVERIFY(layouts.isEmpty());
    editor->setKeyboardLayout(3);
    QCOMPARE(layouts.size(), 1);

    // A layout change in the middle of a word ends it: the next key starts a new one.
    editor->clear();
    editor->setKeyboardLayout(0);
    QTest::keyClicks(editor, QStringLiteral("ka"));
    editor->setKeyboardLayout(1);
    editor->setKeyboardLayout(0);
    QTest::keyClicks(editor, QStringLiteral("ma"));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ka"), 0, 0) + convert(QStringLiteral("ma"), 0, 0));
}

void TestUnicodeKaEditor::englishEditorTogglesToLanguageNine()
{
    UnicodeKaEditor *editor = makeEditor(9, 0);
    QVERIFY(!editor->isIndic());
    QCOMPARE(editor->indicLanguage(), 9);
    QSignalSpy spy(editor, &UnicodeKaEditor::languageChanged);
    QTest::keyClick(editor, Qt::Key_F11);
    QVERIFY(editor->isIndic());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 9);
    QTest::keyClicks(editor, QStringLiteral("hello"));
    QCOMPARE(editor->toPlainText(), convert(QStringLiteral("hello"), 9, 0));
}

void TestUnicodeKaEditor::completionPopup()
{
    UnicodeKaEditor *editor = makeEditor(9, 0);
    QStringListModel model(QStringList { QStringLiteral("apple"), QStringLiteral("applesauce") });
    QCompleter completer(&model);
    completer.setCompletionMode(QCompleter::PopupCompletion);
    completer.setWidget(editor);
    editor->setCompleter(&completer);
    QCOMPARE(editor->autoComplpetePrefixLength(), 3);

    QTest::keyClicks(editor, QStringLiteral("ap"));
    QVERIFY(!completer.popup()->isVisible());
    QTest::keyClick(editor, 'p');
    QVERIFY(completer.popup()->isVisible());
    QCOMPARE(completer.completionPrefix(), QStringLiteral("app"));

    // Keys the popup handles are left to it.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor, &escape);
    QVERIFY(!escape.isAccepted());

    // F11 hides the popup and toggles the language.
    QTest::keyClick(editor, Qt::Key_F11);
    QVERIFY(!completer.popup()->isVisible());
    QVERIFY(editor->isIndic());
    QTest::keyClick(editor, Qt::Key_F11);

    QTest::keyClicks(editor, QStringLiteral("l"));
    QVERIFY(completer.popup()->isVisible());
    QTest::keyClicks(editor, QStringLiteral("e"));
    // The first entry is the word typed: nothing left to complete.
    QVERIFY(!completer.popup()->isVisible());

    QTest::keyClick(editor, ' ');
    QVERIFY(!completer.popup()->isVisible());
}

void TestUnicodeKaEditor::insertCompletionReplacesTheWordStart()
{
    UnicodeKaEditor *editor = makeEditor(0, 0);
    editor->setLanguageFont(0);
    QCompleter completer(QStringList { QStringLiteral("x") });
    editor->setCompleter(&completer);
    // Vowel signs and the virama belong to the word under the cursor.
    QTest::keyClicks(editor, QStringLiteral("kaamakShi"));
    QCOMPARE(editor->textUnderCursor(), convert(QStringLiteral("kaamakShi"), 0, 0));
    editor->clear();
    QTest::keyClicks(editor, QStringLiteral("ab kan"));
    const QString completion = convert(QStringLiteral("kannaDa"), 0, 0);
    // Bound to another widget, the completion is not this editor's.
    QWidget other;
    completer.setWidget(&other);
    QMetaObject::invokeMethod(editor, "insertCompletion", Q_ARG(QString, completion));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ab"), 0, 0) + QLatin1Char(' ') +
                 convert(QStringLiteral("kan"), 0, 0));
    completer.setWidget(editor);
    QMetaObject::invokeMethod(editor, "insertCompletion", Q_ARG(QString, completion));
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ab"), 0, 0) + QLatin1Char(' ') + completion);
    QCOMPARE(editor->textCursor().charFormat().fontFamilies().toStringList(),
             QStringList { editor->fontName() });
    // The completion ended the word: the next key starts a new one.
    QTest::keyClick(editor, 'a');
    QCOMPARE(editor->toPlainText(),
             convert(QStringLiteral("ab"), 0, 0) + QLatin1Char(' ') + completion +
                 convert(QStringLiteral("a"), 0, 0));
}

void TestUnicodeKaEditor::lineEditConvertsOnWhitespace()
{
    KaLineEdit line(window);
    line.setLanugage(4);
    line.setKeyboard(0);
    QCOMPARE(line.font().family(), Utils::languageDefaultFont(4));
    QCOMPARE(line.font().pointSize(), 11);
    QTest::keyClicks(&line, QStringLiteral("namaste"));
    QCOMPARE(line.unicodeText(), QStringLiteral("namaste"));
    QTest::keyClick(&line, ' ');
    QCOMPARE(line.unicodeText(), convert(QStringLiteral("namaste"), 4, 0) + QLatin1Char(' '));
    // A space typed inside the line stays where it was typed; the line up to
    // it is converted, the rest is left for later.
    line.setText(QStringLiteral("bhaarata desha"));
    line.setCursorPosition(8);
    QTest::keyClick(&line, ' ');
    QCOMPARE(line.unicodeText(),
             convert(QStringLiteral("bhaarata"), 4, 0) + QStringLiteral("  desha"));
    QCOMPARE(line.cursorPosition(), int(convert(QStringLiteral("bhaarata"), 4, 0).size()) + 1);
    // Without a completer an edit under Transliteration has no popup to hide.
    line.setKeyboard(3);
    QTest::keyClicks(&line, QStringLiteral("x"));
    line.slotTextEdited(QStringLiteral("x"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditor test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditor.moc"
