#include "findchild.h"
#include "spellcheckdialog.h"
#include "testenv.h"
#include "unicodelineedit.h"
#include "utils.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

const QStringList Known { QStringLiteral("hello"),
                          QStringLiteral("world"),
                          QStringLiteral("the"),
                          QStringLiteral("qq"),
                          QStringLiteral("ಕನ್ನಡ"),
                          QStringLiteral("ನಮಸ್ಕಾರ"),
                          QStringLiteral("ಕರ್‍ಮ"),
                          QStringLiteral("ಪದ") };

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

// Answers the message boxes that open while it lives and records them. The
// shared watcher answers every modal dialog, and the spell-check dialog is
// window-modal itself.
class BoxCatcher : public QObject
{
public:
    BoxCatcher()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                seen << box->windowTitle() + QLatin1Char('|') + box->text();
                icons << box->icon();
                if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            }
        });
        timer.start(10);
    }
    QStringList seen;
    QList<QMessageBox::Icon> icons;

private:
    QTimer timer;
};

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
    void changeAll_data();
    void changeAll();
    void changeAllIsOneUndoStep();
    void ignoreLastsAcrossWalks();
    void addToDictionary();
    void beforeWordModel_data();
    void beforeWordModel();
    void addWhenWordFileCannotBeWritten_data();
    void addWhenWordFileCannotBeWritten();
    void closing_data();
    void closing();
    void formatsKept_data();
    void formatsKept();
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
    QTest::newRow("zwnj inside the word") << "ಕನ್ನಡ ಕನ\u200Cಡ" << QStringList { "ಕನ\u200Cಡ" };
    QTest::newRow("repeats") << "ab ab cd ab" << QStringList { "ab", "cd" };
    QTest::newRow("brackets and straight quotes") << "hello \"wrld\" (ಕನಡ) [bda] world" << QStringList { "wrld", "ಕನಡ", "bda" };
    QTest::newRow("curly quotes") << "“wrld” ‘teh’ “hello”" << QStringList { "wrld", "teh" };
    QTest::newRow("danda") << "ಪದ। ಕನಡ॥ ಪದ" << QStringList { "ಕನಡ" };
    QTest::newRow("word right after a rejected one") << "wrld,teh.bda" << QStringList { "wrld", "teh", "bda" };
    QTest::newRow("lone punctuation") << "hello - wrld ... — ! ? world" << QStringList { "wrld" };
    QTest::newRow("underscore and digits") << "hello_x 42 qq" << QStringList { "hello_x" };
    // Numbers are no misspellings, in any script and with separators; words
    // of letters and digits are tested.
    QTest::newRow("numbers") << "2016 ೨೦೨೪ १९४७ 1,000.50 ೧,೨೦೦.೫ 12_000" << QStringList();
    QTest::newRow("letters and digits") << "3rd 2016 v2 ೨೦೨೪ರ" << QStringList { "3rd", "v2", "೨೦೨೪ರ" };
    QTest::newRow("vowel sign and virama inside") << "ಕನ್ನಡ ಕನ್ನಡಾ ಕನ್" << QStringList { "ಕನ್ನಡಾ", "ಕನ್" };
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
    QTest::newRow("danda kept") << "ಮನ। hello" << "ಮನೆ" << 0 << "ಮನೆ। hello" << "";
    QTest::newRow("quotes kept") << "“wrld” hello" << "world" << 0 << "“world” hello" << "";
    QTest::newRow("brackets kept") << "(wrld) teh" << "world" << 0 << "(world) teh" << "teh";
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

// clang-format off
void TestSpellCheckDialog::changeAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ignored"); // Ignore clicks before Change All
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("nextStop");

    QTest::newRow("virama and zwnj end no word")
            << "ಕನ ಕನ್ನಡ ಕನ\u200Cಡ ಕನ" << 0 << "ಕನ" << "ಪದ"
            << "ಪದ ಕನ್ನಡ ಕನ\u200Cಡ ಪದ" << "ಕನ\u200Cಡ";
    QTest::newRow("vowel sign ends no word")
            << "ಮನ ಮನೆ ಮನ" << 0 << "ಮನ" << "ಪದ" << "ಪದ ಮನೆ ಪದ" << "ಮನೆ";
    QTest::newRow("underscore ends no word")
            << "teh teh_x" << 0 << "teh" << "the" << "the teh_x" << "teh_x";
    QTest::newRow("any case, later occurrences only")
            << "Teh qq teh tehx TEH, teh" << 1 << "teh" << "the"
            << "Teh qq the tehx the, the" << "tehx";
    QTest::newRow("punctuation around kept")
            << "ಮನ। (ಮನ) “ಮನ”" << 0 << "ಮನ" << "ಮನೆ" << "ಮನೆ। (ಮನೆ) “ಮನೆ”" << "ಮನೆ";
    QTest::newRow("replacement holding the word is not replaced again")
            << "ab world ab" << 0 << "ab" << "ab ab" << "ab ab world ab ab" << "ab";
}
// clang-format on

void TestSpellCheckDialog::changeAll()
{
    QFETCH(QString, text);
    QFETCH(int, ignored);
    QFETCH(QString, word);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QFETCH(QString, nextStop);

    start(text);
    for (int i = 0; i < ignored; ++i)
        click("ignorePushButton");
    QCOMPARE(misspelt(), word);
    child<UnicodeLineEdit>("changeToLineEdit")->setText(replacement);
    click("changeAllPushButton");
    QCOMPARE(edit->toPlainText(), expected);
    QCOMPARE(misspelt(), nextStop);
    QCOMPARE(marked(edit->document()), QStringList { nextStop });
}

void TestSpellCheckDialog::changeAllIsOneUndoStep()
{
    // Each occurrence keeps its own format; one undo takes the whole change
    // back, mark included.
    edit->setPlainText(QStringLiteral("teh world teh hello teh"));
    QTextCursor c(edit->document());
    c.setPosition(10);
    c.setPosition(13, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    const QString before = edit->document()->toHtml();
    edit->document()->clearUndoRedoStacks();

    dialog->setEditor(edit, 0, 0);
    dialog->restart();
    QCOMPARE(misspelt(), QStringLiteral("teh"));
    child<UnicodeLineEdit>("changeToLineEdit")->setText(QStringLiteral("the"));
    click("changeAllPushButton");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(edit->toPlainText(), QStringLiteral("the world the hello the"));
    c.setPosition(11);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    c.setPosition(21);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));

    edit->document()->undo();
    QCOMPARE(edit->toPlainText(), QStringLiteral("teh world teh hello teh"));
    QCOMPARE(edit->document()->toHtml(), before);
    QVERIFY(!edit->document()->isUndoAvailable());
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

void TestSpellCheckDialog::beforeWordModel_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("ignore") << "ignorePushButton";
    QTest::newRow("add") << "addToDictionary";
}

void TestSpellCheckDialog::beforeWordModel()
{
    // Before a word model exists every word is misspelt; a word the user
    // added or ignored still counts at once, within this walk.
    QFETCH(QString, action);
    Utils bare;
    QVERIFY(!bare.wordModel());
    auto *early = new SpellCheckDialog(&bare, edit);
    edit->setPlainText(QStringLiteral("ab cd ab cd"));
    early->setEditor(edit, 0, 0);
    early->restart();
    QStringList seen;
    while (early->isVisible() && seen.size() < 4) {
        seen << ZuvoTest::child<QLineEdit>(early, "misSpelledLineEdit")->text();
        ZuvoTest::child<QPushButton>(early, action.toLatin1().constData())->click();
    }
    QCOMPARE(seen, (QStringList { "ab", "cd" }));
    QVERIFY(bare.wordModel());
    QVERIFY(!bare.isMisSpelled(QStringLiteral("ab")));
    QVERIFY(bare.isMisSpelled(QStringLiteral("ef")));
    delete early;

    // The word file still loads into the model made meanwhile.
    QVERIFY(env->writeFile(QStringLiteral("usr.dct"), "ef\n"));
    bare.loadUnicodeWords();
    QVERIFY(!bare.isMisSpelled(QStringLiteral("ef")));
    QVERIFY(!bare.isMisSpelled(QStringLiteral("ab")));
}

void TestSpellCheckDialog::addWhenWordFileCannotBeWritten_data()
{
    QTest::addColumn<bool>("withModel");
    QTest::newRow("with a word model") << true;
    QTest::newRow("before a word model") << false;
}

void TestSpellCheckDialog::addWhenWordFileCannotBeWritten()
{
    QFETCH(bool, withModel);
    Utils bare;
    Utils *checker = withModel ? utils : &bare;
    auto *checking = new SpellCheckDialog(checker, edit);
    // A folder where the word file should be: it cannot be written, even by root.
    QVERIFY(QFile::remove(QStringLiteral("usr.dct")));
    QVERIFY(QDir().mkdir(QStringLiteral("usr.dct")));
    const QStringList modelBefore = withModel ? checker->wordModel()->stringList() : QStringList();

    edit->setPlainText(QStringLiteral("zuvo world"));
    checking->setEditor(edit, 0, 0);
    checking->restart();
    BoxCatcher boxes;
    ZuvoTest::child<QPushButton>(checking, "addToDictionary")->click();
    QCOMPARE(boxes.seen,
             QStringList { "Zuvo Software|Failed to add the word \"zuvo\": the user word file "
                           "\"usr.dct\" cannot be written." });
    QCOMPARE(boxes.icons, QList<QMessageBox::Icon> { QMessageBox::Warning });

    // Nothing changed: the word is still misspelt, shown and marked.
    QVERIFY(checking->isVisible());
    QCOMPARE(ZuvoTest::child<QLineEdit>(checking, "misSpelledLineEdit")->text(),
             QStringLiteral("zuvo"));
    QCOMPARE(marked(edit->document()), QStringList { "zuvo" });
    QVERIFY(checker->isMisSpelled(QStringLiteral("zuvo")));
    if (withModel)
        QCOMPARE(checker->wordModel()->stringList(), modelBefore);
    else
        QVERIFY(!checker->wordModel());
    delete checking;
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

void TestSpellCheckDialog::formatsKept_data()
{
    QTest::addColumn<int>("how"); // 0 Ignore Once, 1 Ignore All, 2 Add, 3 Close
    QTest::newRow("ignore once") << 0;
    QTest::newRow("ignore all") << 1;
    QTest::newRow("add to dictionary") << 2;
    QTest::newRow("close") << 3;
}

void TestSpellCheckDialog::formatsKept()
{
    // "abcd": a bold letter, an italic underlined one, a coloured one and a
    // plain one. Each keeps its own format once the mark is gone.
    QFETCH(int, how);
    edit->setPlainText(QStringLiteral("hello abcd world"));
    QTextCursor c(edit->document());
    const auto format = [&](int at, const QTextCharFormat &f) {
        c.setPosition(at);
        c.setPosition(at + 1, QTextCursor::KeepAnchor);
        c.mergeCharFormat(f);
    };
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    format(6, bold);
    QTextCharFormat italicUnderlined;
    italicUnderlined.setFontItalic(true);
    italicUnderlined.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    format(7, italicUnderlined);
    QTextCharFormat coloured;
    coloured.setForeground(Qt::blue);
    format(8, coloured);
    const QString before = edit->document()->toHtml();
    QList<QTextCharFormat> formats;
    for (int pos = 7; pos <= 10; ++pos) {
        c.setPosition(pos);
        formats << c.charFormat();
    }

    dialog->setEditor(edit, 0, 0);
    dialog->restart();
    QCOMPARE(misspelt(), QStringLiteral("abcd"));
    QCOMPARE(marked(edit->document()).join(QString()), QStringLiteral("abcd"));
    const char *buttons[] = { "ignorePushButton", "ignoreAllPushButton", "addToDictionary",
                              "closePushButton" };
    click(buttons[how]);
    QVERIFY(!dialog->isVisible());

    for (int pos = 7; pos <= 10; ++pos) {
        c.setPosition(pos);
        QVERIFY2(c.charFormat() == formats.at(pos - 7), qPrintable(QString::number(pos)));
    }
    QCOMPARE(edit->document()->toHtml(), before);
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
