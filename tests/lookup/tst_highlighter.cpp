#include "highlighter.h"
#include "testenv.h"
#include "underlined.h"
#include "utils.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

// The known words of every test.
const QStringList Known { QStringLiteral("ಕನ್ನಡ"), QStringLiteral("ಕರ್‍ಮ"),
                          QStringLiteral("ನಮಸ್ಕಾರ"), QStringLiteral("hello"),
                          QStringLiteral("ಕನ್ನಡ೨") };

QStringList underlined(const QTextEdit &edit)
{
    return underlined(edit.document());
}

// The pieces with the red spelling underline among the layouts' formats.
QStringList formatted(const QTextDocument *doc)
{
    QStringList out;
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        for (const QTextLayout::FormatRange &r : b.layout()->formats()) {
            if (r.format.underlineStyle() != QTextCharFormat::SpellCheckUnderline)
                continue;
            if (r.format.underlineColor() != QColor(Qt::red))
                out << QStringLiteral("(not red)");
            out << b.text().mid(r.start, r.length);
        }
    }
    return out;
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void misspelt_data();
    void misspelt();
    void ignoredAndAddedWords();
    void checkingOff();
    void noWordModel();
    void longShownDocument();
    void longTextCheckedInSlices();
    void plainTextDocument();
    void documentReplaced();
    void documentKeptAfterReplacement();

private:
    void load(Utils &utils)
    {
        QVERIFY(m_env->writeFile(QStringLiteral("usr.dct"), Known.join(u'\n').toUtf8()));
        utils.loadUnicodeWords();
        QVERIFY(!utils.isMisSpelled(Known.first()));
    }
    ZuvoTest::TempEnv *m_env = nullptr;
};

void TestHighlighter::init()
{
    m_env = new ZuvoTest::TempEnv;
}

void TestHighlighter::cleanup()
{
    delete m_env;
}

void TestHighlighter::misspelt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    auto row = [](const char *name, const char *text, const QStringList &expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << expected;
    };
    // Vowel signs and the virama are inside the word: known words stay clean.
    row("known words", "ಕನ್ನಡ ನಮಸ್ಕಾರ hello", {});
    row("unknown Kannada word", "ಕನ್ನಡ ಕಲಮ", { "ಕಲಮ" });
    // ZWJ and ZWNJ are inside words: the ZWNJ spelling is another word.
    row("joiners", "ಕರ್‍ಮ ಕರ್‌ಮ", { "ಕರ್‌ಮ" });
    // Punctuation ends a word, and the word before it is still checked.
    row("punctuation", "ನಮಸ್ಕಾರ, ನಮಸಕರ. (ಕನ್ನಡ) \"ಕಲಮ\"!", { "ನಮಸಕರ", "ಕಲಮ" });
    row("mixed scripts", "hello ಕನ್ನಡ wrold, ಕನ್ನಡ-ಕಲಮ", { "wrold", "ಕಲಮ" });
    // A digit belongs to the word; a number is no misspelling.
    row("digits", "ಕನ್ನಡ೨ ಕನ್ನಡ೩ ೨೦೨೪ 12ab", { "ಕನ್ನಡ೩", "12ab" });
    row("numbers of any script", "2016 ೨೦೨೪ १९४७ ౧౨ ١٢٣ 12_000", {});
    row("numbers with separators", "1,000.50 ೧,೨೦೦.೫ 10.12.2024 3.14,", {});
    row("letters and digits", "3rd v2 ಕ೨ ೨೦೨೪ರ x1.5", { "3rd", "v2", "ಕ೨", "೨೦೨೪ರ", "x1" });
    // Commas, carets and other symbols end words, and are not patterns.
    row("symbols", "ab^c hello,wrold a.*b [ab] ಕನ್ನಡ^", { "ab", "wrold", "ab" });
    row("one-character words pass", "a ಕ ಕೆ", { "ಕೆ" });
    row("inside a longer word only the whole word", "ಕನ್ನ ಕನ್ನಡ ಕನ್ನ", { "ಕನ್ನ", "ಕನ್ನ" });
    row("three times", "abc abc, abc", { "abc", "abc", "abc" });
    row("after a backslash", "\\abc abc", { "abc" });
    row("underscore", "foo_bar hello", { "foo_bar" });
    row("case matters", "Hello hello", { "Hello" });
    row("white space only", "  \t  ", {});
    row("several blocks", "ಕನ್ನಡ\n\nxy ಕನ್ನಡ\n  zz", { "xy", "zz" });
}

void TestHighlighter::misspelt()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    Utils utils;
    load(utils);
    QTextEdit edit;
    auto *highlighter = new Highlighter(&utils, &edit);
    edit.setPlainText(text);
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), expected);
}

void TestHighlighter::ignoredAndAddedWords()
{
    Utils utils;
    load(utils);
    QTextEdit edit;
    auto *highlighter = new Highlighter(&utils, &edit);
    edit.setPlainText(QStringLiteral("ಕಲಮ wrold ಕಲಮ"));
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), QStringList({ "ಕಲಮ", "wrold", "ಕಲಮ" }));

    utils.appendIgnoredList(QStringLiteral("ಕಲಮ"));
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), QStringList { "wrold" });

    utils.updateStringModel(QStringLiteral("wrold"));
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), QStringList());

    // Typing a new misspelt word marks it as the block changes.
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QStringLiteral(" qq"));
    QCOMPARE(underlined(edit), QStringList { "qq" });
}

void TestHighlighter::checkingOff()
{
    Utils utils;
    load(utils);
    QTextEdit edit;
    auto *highlighter = new Highlighter(&utils, &edit);
    QVERIFY(highlighter->spellCheckAsYouType());
    edit.setPlainText(QStringLiteral("abc ಕಲಮ"));
    highlighter->rehighlight();
    QCOMPARE(underlined(edit).size(), 2);

    highlighter->setSpellCheckAsYouType(false);
    QCOMPARE(underlined(edit).size(), 2); // the caller re-highlights
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), QStringList());
    highlighter->setSpellCheckAsYouType(true);
    highlighter->rehighlight();
    QCOMPARE(underlined(edit).size(), 2);
}

// Before any word model exists every word is reported misspelt.
void TestHighlighter::noWordModel()
{
    Utils utils;
    QTextEdit edit;
    auto *highlighter = new Highlighter(&utils, &edit);
    edit.setPlainText(QStringLiteral("ಕನ್ನಡ a hello \\x"));
    highlighter->rehighlight();
    QCOMPARE(underlined(edit), QStringList({ "ಕನ್ನಡ", "hello" }));
}

// A long document in a shown editor: the first pass and a re-highlight mark
// words all through it, and the view stays where the user scrolled.
void TestHighlighter::longShownDocument()
{
    Utils utils;
    load(utils);
    QStringList lines;
    // clang-format off
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("ಕನ್ನಡ ನಮಸ್ಕಾರ hello ಕರ್‍ಮ ಕನ್ನಡ ನಮಸ್ಕಾರ");
    // clang-format on
    lines[10] += QStringLiteral(" ಕಲಮ");
    lines[2990] += QStringLiteral(" wrold");
    QTextEdit edit;
    edit.resize(400, 300);
    edit.setPlainText(lines.join(u'\n'));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    auto *highlighter = new Highlighter(&utils, &edit);
    QTRY_COMPARE(underlined(edit), QStringList({ "ಕಲಮ", "wrold" }));

    QScrollBar *bar = edit.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QCoreApplication::processEvents();
    const int top = edit.cursorForPosition(QPoint(1, 1)).position();
    QVERIFY(top > 0);
    utils.appendIgnoredList(QStringLiteral("ಕಲಮ"));
    highlighter->rehighlight();
    QTRY_COMPARE(underlined(edit), QStringList { "wrold" });
    QCOMPARE(edit.cursorForPosition(QPoint(1, 1)).position(), top);
}

// A long text given at once is checked from the event loop, which goes on
// meanwhile: the words in view first, a word typed meanwhile at once, and in
// the end every word.
void TestHighlighter::longTextCheckedInSlices()
{
    Utils utils;
    load(utils);
    const QString known =
        QStringLiteral("ಕನ್ನಡ ನಮಸ್ಕಾರ hello ಕರ್‍ಮ");
    QStringList lines(12000, known);
    lines[7995] += QStringLiteral(" wrold");
    lines[8000] += QStringLiteral(" ಕಲಮ");
    lines[11990] += QStringLiteral(" wrold");
    QTextEdit edit;
    edit.resize(400, 300);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    new Highlighter(&utils, &edit);
    QCoreApplication::processEvents();

    edit.setPlainText(lines.join(u'\n'));
    // The user goes far into the text and types a word at once: it is
    // marked as soon as it is typed, with the rest of its block.
    QTextCursor cursor(edit.document()->findBlockByNumber(8000));
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(cursor);
    edit.insertPlainText(QStringLiteral(" qq "));
    QCOMPARE(underlined(edit), QStringList({ "ಕಲಮ", "qq" }));

    // The blocks in view come first, long before the text around them.
    QVERIFY(edit.cursorForPosition(QPoint(1, 1)).block().blockNumber() <= 7995);
    QCoreApplication::processEvents();
    QCOMPARE(underlined(edit).mid(0, 3), QStringList({ "wrold", "ಕಲಮ", "qq" }));

    QTRY_COMPARE(underlined(edit), QStringList({ "wrold", "ಕಲಮ", "qq", "wrold" }));
}

// Moved onto the document of a plain-text editor, it marks words there too,
// as formats of that document's layout: its own editor does not show them.
void TestHighlighter::plainTextDocument()
{
    Utils utils;
    load(utils);
    QTextEdit edit;
    QPlainTextEdit plain;
    plain.setPlainText(QStringLiteral("ಕನ್ನಡ ಕಲಮ\nwrold"));
    plain.show();
    auto *highlighter = new Highlighter(&utils, &edit);
    highlighter->setDocument(plain.document());
    highlighter->rehighlight();
    QCOMPARE(underlined(plain.document()), QStringList({ "ಕಲಮ", "wrold" }));
    QCOMPARE(formatted(plain.document()), QStringList({ "ಕಲಮ", "wrold" }));
    QCOMPARE(underlined(edit), QStringList());
    // A document the editor is given later does not take it back.
    edit.setDocument(new QTextDocument(&edit));
    QCoreApplication::processEvents();
    QCOMPARE(highlighter->document(), plain.document());
}

// The editor is given a new document and drops its old one, as when an
// imported file is installed: the new document is checked, and typing in it
// marks words too.
void TestHighlighter::documentReplaced()
{
    Utils utils;
    load(utils);
    QTextEdit edit;
    auto *highlighter = new Highlighter(&utils, &edit);
    edit.setPlainText(QStringLiteral("ಕಲಮ"));
    QTRY_COMPARE(underlined(edit), QStringList { "ಕಲಮ" });

    auto *imported = new QTextDocument(&edit);
    imported->setPlainText(QStringLiteral("hello wrold\nಕನ್ನಡ ನಮಸಕರ"));
    edit.setDocument(imported);
    QTRY_COMPARE(underlined(edit), QStringList({ "wrold", "ನಮಸಕರ" }));
    QCOMPARE(highlighter->document(), imported);
    // In the editor's own document the underlines are painted, not laid out.
    QCOMPARE(formatted(imported), QStringList());

    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QStringLiteral(" qq"));
    QCOMPARE(underlined(edit), QStringList({ "wrold", "ನಮಸಕರ", "qq" }));
}

// The editor is given another document while its old one stays: the old
// one, shown by no editor of this highlighter now, gets its marks as layout
// formats, for a change in it too.
void TestHighlighter::documentKeptAfterReplacement()
{
    Utils utils;
    load(utils);
    QTextEdit edit;
    auto *kept = new QTextDocument(&edit);
    kept->setPlainText(QStringLiteral("ಕನ್ನಡ"));
    edit.setDocument(kept);
    auto *highlighter = new Highlighter(&utils, &edit);
    QCoreApplication::processEvents();
    edit.setDocument(new QTextDocument(&edit));
    QCoreApplication::processEvents();
    QCOMPARE(highlighter->document(), kept);

    QTextCursor cursor(kept);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral(" wrold\nಕಲಮ"));
    QCOMPARE(underlined(kept), QStringList({ "wrold", "ಕಲಮ" }));
    QCOMPARE(formatted(kept), QStringList({ "wrold", "ಕಲಮ" }));
}

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
