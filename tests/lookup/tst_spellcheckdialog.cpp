#include "findchild.h"
#include "spellcheckdialog.h"
#include "testenv.h"
#include "unicodelineedit.h"
#include "utils.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

const QStringList Known { QStringLiteral("hello"),
                          QStringLiteral("world"),
                          QStringLiteral("the"),
                          QStringLiteral("qq"),
                          QStringLiteral("ಕನ್ನಡ"),
                          QStringLiteral("ನಮಸ್ಕಾರ"),
                          QStringLiteral("ಕರ್‍ಮ") };

// The pieces of the document that carry the spell-check underline.
QStringList marked(const QTextDocument *doc)
{
    QStringList out;
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                out << f.text();
        }
    }
    return out;
}

} // namespace

class TestSpellCheckDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void withoutEditor();
    void walk_data();
    void walk();
    void shownWord();
    void noSuggestions();
    void change_data();
    void change();
    void changeAll();
    void ignoreLastsAcrossWalks();
    void addToDictionary();
    void closing_data();
    void closing();
    void formatAfterUnmark_data();
    void formatAfterUnmark();
    void longRunOfCorrectWords();

private:
    template<typename T> T *child(const char *name) { return ZuvoTest::child<T>(dialog, name); }
    void click(const char *name) { child<QPushButton>(name)->click(); }
    QString misspelt() { return child<QLineEdit>("misSpelledLineEdit")->text(); }
    void start(const QString &text)
    {
        edit->setPlainText(text);
        dialog->setEditor(edit, 0, 0);
        dialog->restart();
    }

    ZuvoTest::TempEnv *env = nullptr;
    Utils *utils = nullptr;
    QTextEdit *edit = nullptr;
    SpellCheckDialog *dialog = nullptr;
};

void TestSpellCheckDialog::init()
{
    env = new ZuvoTest::TempEnv;
    QVERIFY(env->writeFile(QStringLiteral("usr.dct"), Known.join(u'\n').toUtf8()));
    utils = new Utils;
    utils->loadUnicodeWords();
    QVERIFY(!utils->isMisSpelled(QStringLiteral("hello")));
    edit = new QTextEdit;
    dialog = new SpellCheckDialog(utils, edit);
}

void TestSpellCheckDialog::cleanup()
{
    delete edit; // and the dialog with it
    delete utils;
    delete env;
}

void TestSpellCheckDialog::form()
{
    QCOMPARE(dialog->objectName(), QStringLiteral("SpellCheckDialog"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Spell Check..."));
    QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowTitleHint));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog->maximumSize(), QSize(600, 231));
    QVERIFY(child<QLineEdit>("misSpelledLineEdit")->isReadOnly());
    QVERIFY(child<UnicodeLineEdit>("changeToLineEdit"));
    QPushButton *autoText = child<QPushButton>("pushButton");
    QCOMPARE(autoText->text(), QStringLiteral("AutoText"));
    QCOMPARE(autoText->toolTip(), QStringLiteral("Not Available"));
    QVERIFY(!autoText->isEnabled());
    const QStringList buttons { "ignorePushButton", "ignoreAllPushButton", "addToDictionary",
                                "changePushButton", "changeAllPushButton", "closePushButton" };
    const QStringList texts { "Ignore Once", "Ignore All", "Add To Dictionary",
                              "Change",      "Change All", "Close" };
    for (int i = 0; i < buttons.size(); ++i)
        QCOMPARE(child<QPushButton>(buttons.at(i).toLatin1().constData())->text(), texts.at(i));

    // A language change sets every text again.
    dialog->setWindowTitle(QString());
    autoText->setToolTip(QString());
    child<QPushButton>("closePushButton")->setText(QString());
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &change);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Spell Check..."));
    QCOMPARE(autoText->toolTip(), QStringLiteral("Not Available"));
    QCOMPARE(child<QPushButton>("closePushButton")->text(), QStringLiteral("Close"));

    // The change-to box types in the editor's language and keyboard.
    dialog->setEditor(edit, 3, 2);
    QCOMPARE(child<UnicodeLineEdit>("changeToLineEdit")->language(), 3);
    QCOMPARE(child<UnicodeLineEdit>("changeToLineEdit")->keyboard(), 2);
}

void TestSpellCheckDialog::withoutEditor()
{
    dialog->restart();
    QVERIFY(!dialog->isVisible());
    click("changePushButton");
    click("changeAllPushButton");
    click("ignorePushButton");
    click("addToDictionary");
    QVERIFY(!dialog->isVisible());
}

// clang-format off
void TestSpellCheckDialog::walk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("stops");

    QTest::newRow("all known") << "hello world\n\nthe  qq" << QStringList();
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("only spaces and marks") << "   ,.;  !\n  \n" << QStringList();
    QTest::newRow("first word") << "helo world" << QStringList { "helo" };
    QTest::newRow("leading space") << "  helo world wrld" << QStringList { "helo", "wrld" };
    QTest::newRow("punctuation") << "hello, wrld. teh! the" << QStringList { "wrld", "teh" };
    QTest::newRow("blocks") << "hello\nab\n\ncd ef\n" << QStringList { "ab", "cd", "ef" };
    QTest::newRow("last word") << "hello world xx" << QStringList { "xx" };
    QTest::newRow("kannada") << "ಕನ್ನಡ ಕನ್ಡ ನಮಸ್ಕಾರ ನಮಸ್ಕರ" << QStringList { "ಕನ್ಡ", "ನಮಸ್ಕರ" };
    QTest::newRow("joiners") << "ಕರ್‍ಮ ಕರ್‍ಮಾ" << QStringList { "ಕರ್‍ಮಾ" };
    QTest::newRow("repeats") << "ab ab cd ab" << QStringList { "ab", "cd" };
}
// clang-format on

void TestSpellCheckDialog::walk()
{
    QFETCH(QString, text);
    QFETCH(QStringList, stops);

    start(text);
    QStringList seen;
    while (dialog->isVisible() && seen.size() <= stops.size()) {
        seen << misspelt();
        QCOMPARE(edit->textCursor().selectedText(), seen.last());
        QCOMPARE(marked(edit->document()), QStringList { seen.last() });
        click("ignorePushButton");
    }
    QCOMPARE(seen, stops);
    QVERIFY(!dialog->isVisible());
    QVERIFY(misspelt().isEmpty());
    QVERIFY(child<UnicodeLineEdit>("changeToLineEdit")->text().isEmpty());
    QCOMPARE(child<QListWidget>("suggestionsList")->count(), 0);
    QCOMPARE(edit->toPlainText(), text);
    QVERIFY(marked(edit->document()).isEmpty());
}

void TestSpellCheckDialog::shownWord()
{
    // "hell" is no word; the known words that contain it are suggested.
    start(QStringLiteral("world hell"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(misspelt(), QStringLiteral("hell"));
    QListWidget *list = child<QListWidget>("suggestionsList");
    QCOMPARE(list->count(), utils->suggestions(QStringLiteral("hell")).size());
    QVERIFY(list->count() > 0);
    QCOMPARE(list->currentRow(), 0);
    UnicodeLineEdit *changeTo = child<UnicodeLineEdit>("changeToLineEdit");
    QCOMPARE(changeTo->text(), list->item(0)->text());

    // The mark is a document edit: red spell-check underline, undoable.
    QTextCursor c(edit->document());
    c.setPosition(7);
    QCOMPARE(c.charFormat().underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    QCOMPARE(c.charFormat().underlineColor(), QColor(Qt::red));
    QVERIFY(edit->document()->isModified());
}

void TestSpellCheckDialog::noSuggestions()
{
    start(QStringLiteral("hello zqxw"));
    QCOMPARE(misspelt(), QStringLiteral("zqxw"));
    QCOMPARE(child<QListWidget>("suggestionsList")->count(), 0);
    UnicodeLineEdit *changeTo = child<UnicodeLineEdit>("changeToLineEdit");
    QVERIFY(changeTo->text().isEmpty());
    QCOMPARE(dialog->focusWidget(), changeTo);
}

// clang-format off
void TestSpellCheckDialog::change_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("how"); // 0 button, 1 Return in the box, 2 double-click
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("nextStop");

    QTest::newRow("button") << "helo world wrld" << "hello" << 0 << "hello world wrld" << "wrld";
    QTest::newRow("return") << "helo world" << "hello" << 1 << "hello world" << "";
    QTest::newRow("double-click") << "hell world" << "" << 2 << "hello world" << "";
    QTest::newRow("empty deletes") << "hello xx world" << "" << 0 << "hello  world" << "";
    QTest::newRow("walk goes on after the change")
            << "xx world zz" << "yy" << 0 << "yy world zz" << "zz";
}
// clang-format on

void TestSpellCheckDialog::change()
{
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(int, how);
    QFETCH(QString, expected);
    QFETCH(QString, nextStop);

    start(text);
    QVERIFY(dialog->isVisible());
    UnicodeLineEdit *changeTo = child<UnicodeLineEdit>("changeToLineEdit");
    if (how == 2) {
        QListWidget *list = child<QListWidget>("suggestionsList");
        const QList<QListWidgetItem *> items =
            list->findItems(QStringLiteral("hello"), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        emit list->itemDoubleClicked(items.first());
    } else {
        changeTo->setText(replacement);
        if (how == 1) {
            changeTo->setFocus();
            QTest::keyClick(changeTo, Qt::Key_Return);
        } else {
            click("changePushButton");
        }
    }
    QCOMPARE(edit->toPlainText(), expected);
    if (nextStop.isEmpty()) {
        QVERIFY(!dialog->isVisible());
        QVERIFY(marked(edit->document()).isEmpty());
    } else {
        QVERIFY(dialog->isVisible());
        QCOMPARE(misspelt(), nextStop);
        QCOMPARE(marked(edit->document()), QStringList { nextStop });
    }
}

void TestSpellCheckDialog::changeAll()
{
    // "Teh" is passed over first; Change All on the later "teh" replaces it and
    // the later whole-word occurrences in any case, never the earlier one.
    start(QStringLiteral("Teh qq teh tehx TEH, teh"));
    QCOMPARE(misspelt(), QStringLiteral("Teh"));
    click("ignorePushButton");
    QCOMPARE(misspelt(), QStringLiteral("teh"));
    child<UnicodeLineEdit>("changeToLineEdit")->setText(QStringLiteral("the"));
    click("changeAllPushButton");
    QCOMPARE(edit->toPlainText(), QStringLiteral("Teh qq the tehx the, the"));
    QCOMPARE(misspelt(), QStringLiteral("tehx"));
    QCOMPARE(marked(edit->document()), QStringList { QStringLiteral("tehx") });

    // A replacement that holds the word itself is not replaced again.
    start(QStringLiteral("ab world ab"));
    child<UnicodeLineEdit>("changeToLineEdit")->setText(QStringLiteral("ab ab"));
    click("changeAllPushButton");
    QCOMPARE(edit->toPlainText(), QStringLiteral("ab ab world ab ab"));
}

void TestSpellCheckDialog::ignoreLastsAcrossWalks()
{
    start(QStringLiteral("ab cd ab"));
    QCOMPARE(misspelt(), QStringLiteral("ab"));
    click("ignoreAllPushButton");
    QCOMPARE(misspelt(), QStringLiteral("cd"));
    click("closePushButton");
    QVERIFY(!dialog->isVisible());
    QVERIFY(utils->isIgnoredMissSpellWord(QStringLiteral("ab")));

    dialog->restart();
    QCOMPARE(misspelt(), QStringLiteral("cd"));
    click("ignorePushButton");
    QVERIFY(!dialog->isVisible());
}

void TestSpellCheckDialog::addToDictionary()
{
    start(QStringLiteral("zuvo world zuvo"));
    QCOMPARE(misspelt(), QStringLiteral("zuvo"));
    click("addToDictionary");
    QVERIFY(!dialog->isVisible());
    QVERIFY(!utils->isMisSpelled(QStringLiteral("zuvo")));
    QVERIFY(!utils->isIgnoredMissSpellWord(QStringLiteral("zuvo")));
    QVERIFY(Utils::wordsFromUnicodeFile(env->filePath(QStringLiteral("usr.dct")))
                .contains(QStringLiteral("zuvo")));
    QVERIFY(marked(edit->document()).isEmpty());
}

void TestSpellCheckDialog::closing_data()
{
    QTest::addColumn<int>("how"); // 0 Close button, 1 window close, 2 Escape
    QTest::newRow("close button") << 0;
    QTest::newRow("window close") << 1;
    QTest::newRow("escape") << 2;
}

void TestSpellCheckDialog::closing()
{
    QFETCH(int, how);
    start(QStringLiteral("hello ab cd"));
    QCOMPARE(marked(edit->document()), QStringList { QStringLiteral("ab") });
    QSignalSpy rejected(dialog, &QDialog::rejected);
    if (how == 0)
        click("closePushButton");
    else if (how == 1)
        dialog->close();
    else
        QTest::keyClick(child<QPushButton>("ignorePushButton"), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(rejected.size(), 1);
    QVERIFY(marked(edit->document()).isEmpty());
    QCOMPARE(edit->toPlainText(), QStringLiteral("hello ab cd"));
}

void TestSpellCheckDialog::formatAfterUnmark_data()
{
    QTest::addColumn<bool>("userUnderline");
    QTest::newRow("plain") << false;
    QTest::newRow("underlined by the user") << true;
}

void TestSpellCheckDialog::formatAfterUnmark()
{
    QFETCH(bool, userUnderline);
    edit->setPlainText(QStringLiteral("hello abc world"));
    QTextCursor c(edit->document());
    c.setPosition(6);
    c.setPosition(7, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    c.setPosition(8);
    c.setPosition(9, QTextCursor::KeepAnchor);
    QTextCharFormat last;
    last.setFontItalic(true);
    if (userUnderline)
        last.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    c.mergeCharFormat(last);

    dialog->setEditor(edit, 0, 0);
    dialog->restart();
    QCOMPARE(misspelt(), QStringLiteral("abc"));
    click("ignorePushButton");
    QVERIFY(!dialog->isVisible());

    // Every letter of the word now has the format its last letter had.
    for (int pos = 7; pos <= 9; ++pos) {
        c.setPosition(pos);
        const QTextCharFormat f = c.charFormat();
        QVERIFY2(f.fontItalic(), qPrintable(QString::number(pos)));
        QVERIFY(f.fontWeight() != QFont::Bold);
        QCOMPARE(f.underlineStyle(),
                 userUnderline ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
        QVERIFY(!f.hasProperty(QTextFormat::TextUnderlineColor));
    }
    c.setPosition(11);
    QVERIFY(!c.charFormat().fontItalic());
}

void TestSpellCheckDialog::longRunOfCorrectWords()
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += (i % 5 == 4) ? QStringLiteral("world\n") : QStringLiteral("hello ");
    text += QStringLiteral("wrld");
    start(text);
    QCOMPARE(misspelt(), QStringLiteral("wrld"));
}

QTEST_MAIN(TestSpellCheckDialog)
#include "tst_spellcheckdialog.moc"
