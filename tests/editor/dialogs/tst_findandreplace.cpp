#include "findandreplacedialog.h"

#include "history.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "unicodelineedit.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest/QTest>
#include <memory>

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

const int English = 9;

QStringList completerWords(UnicodeLineEdit *box)
{
    QStringList words;
    if (QCompleter *c = box->completer()) {
        QAbstractItemModel *m = c->model();
        for (int row = 0; row < m->rowCount(); ++row)
            words << m->index(row, 0).data().toString();
    }
    return words;
}

} // namespace

class TestFindAndReplace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void findWrapsAround_data();
    void findWrapsAround();
    void notFoundSaysDoneAndGoesBack();
    void replaceNeedsExactSelection();
    void replaceAll_data();
    void replaceAll();
    void withoutEditor();
    void bindingTakesSelection();
    void histories();
    void formIcons();

private:
    // A bar bound to an editor holding text, the cursor at position.
    void bind(const QString &text, int position);
    UnicodeLineEdit *box(const char *name) const
    {
        return m_bar->findChild<UnicodeLineEdit *>(QLatin1String(name));
    }
    void click(const char *name) const
    {
        auto *button = m_bar->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        button->click();
    }
    QString selection() const { return m_edit->textCursor().selectedText(); }

    std::unique_ptr<TempEnv> m_env;
    std::unique_ptr<QTextEdit> m_edit;
    std::unique_ptr<FindAndReplaceDialog> m_bar;
};

void TestFindAndReplace::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
}

void TestFindAndReplace::init()
{
    m_env = std::make_unique<TempEnv>();
    QVERIFY(m_env->isValid());
    // The history store lives in "dat" below the current directory.
    QVERIFY(QDir(m_env->path()).mkpath(QStringLiteral("dat")));
    m_edit = std::make_unique<QTextEdit>();
    m_bar = std::make_unique<FindAndReplaceDialog>(nullptr);
}

void TestFindAndReplace::cleanup()
{
    m_bar.reset();
    m_edit.reset();
    m_env.reset();
}

void TestFindAndReplace::bind(const QString &text, int position)
{
    m_edit->setPlainText(text);
    QTextCursor c(m_edit->document());
    c.setPosition(position);
    m_edit->setTextCursor(c);
    m_bar->setEditor(m_edit.get(), English, 0);
}

void TestFindAndReplace::findWrapsAround_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("expectedStart"); // of the selection found

    const QString abc = QStringLiteral("one two one two");
    QTest::newRow("next") << abc << 0 << "two" << true << true << 4;
    QTest::newRow("next at end wraps") << abc << 15 << "one" << true << true << 0;
    QTest::newRow("previous") << abc << 15 << "one" << true << false << 8;
    QTest::newRow("previous at start wraps") << abc << 0 << "two" << true << false << 12;
    QTest::newRow("case ignored") << "x CAT y" << 0 << "cat" << true << true << 2;
    QTest::newRow("whole word skips catalog") << "catalog cat" << 0 << "cat" << true << true << 8;
    QTest::newRow("part of word when unchecked")
        << "catalog cat" << 0 << "cat" << false << true << 0;
    QTest::newRow("whole word backward") << "cat catalog" << 11 << "cat" << true << false << 0;
    // A vowel sign ends no word: ಕುರ is not found inside ಕುರು.
    QTest::newRow("indic whole word")
        << QStringLiteral("ಕುರು ಕುರ") << 0 << QStringLiteral("ಕುರ") << true << true << 5;
    QTest::newRow("indic with zwj")
        << QStringLiteral("ಕ\u200Dಕ ಕ") << 0 << QStringLiteral("ಕ") << true << true << 4;
}

void TestFindAndReplace::findWrapsAround()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, find);
    QFETCH(bool, wholeWords);
    QFETCH(bool, forward);
    QFETCH(int, expectedStart);

    MessageBoxWatcher watcher;
    bind(text, position);
    auto *check = m_bar->findChild<QCheckBox *>(QStringLiteral("wholeWordsCheckBox"));
    QVERIFY(check->isChecked());
    check->setChecked(wholeWords);
    box("findLineEdit")->setText(find);
    click(forward ? "findNextBtn" : "findPrevBtn");
    QCOMPARE(m_edit->textCursor().selectionStart(), expectedStart);
    QCOMPARE(selection().toLower(), find.toLower());
    QVERIFY(watcher.seen().isEmpty());
    // The keyboard command goes on from the hit.
    QVERIFY(m_bar->find(forward));
}

void TestFindAndReplace::notFoundSaysDoneAndGoesBack()
{
    MessageBoxWatcher watcher;
    bind(QStringLiteral("alpha beta gamma"), 0);
    QTextCursor c = m_edit->textCursor();
    c.setPosition(6);
    c.setPosition(10, QTextCursor::KeepAnchor); // "beta" selected
    m_edit->setTextCursor(c);
    box("findLineEdit")->setText(QStringLiteral("delta"));
    QVERIFY(!m_bar->find(true));
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo Software") });
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Done!") });
    QVERIFY(!m_edit->textCursor().hasSelection());
    QCOMPARE(m_edit->textCursor().position(), 10);

    // Hiding the bar puts the cursor at the last search's start again.
    QTextCursor moved(m_edit->document());
    m_edit->setTextCursor(moved);
    m_bar->show();
    m_bar->hide();
    QCOMPARE(m_edit->textCursor().position(), 10);

    // An empty find text searches nothing and says nothing.
    watcher.clear();
    box("findLineEdit")->setText(QString());
    QVERIFY(m_bar->find(true));
    QVERIFY(watcher.seen().isEmpty());
}

void TestFindAndReplace::replaceNeedsExactSelection()
{
    MessageBoxWatcher watcher;
    bind(QStringLiteral("ABC abc abc"), 0);
    QTextCursor c = m_edit->textCursor();
    c.setPosition(3, QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
    box("findLineEdit")->setText(QStringLiteral("abc"));
    box("replaceLineEdit")->setText(QStringLiteral("xyz"));

    QVERIFY(!m_bar->replace());
    QCOMPARE(m_edit->toPlainText(), QStringLiteral("ABC abc abc"));

    // "Replace && Find" replaces nothing here and moves to the next match...
    click("replaceNextBtn");
    QCOMPARE(m_edit->toPlainText(), QStringLiteral("ABC abc abc"));
    QCOMPARE(m_edit->textCursor().selectionStart(), 4);
    // ...which it then replaces, going on to the one after.
    click("replaceNextBtn");
    QCOMPARE(m_edit->toPlainText(), QStringLiteral("ABC xyz abc"));
    QCOMPARE(m_edit->textCursor().selectionStart(), 8);
    click("replaceBtn");
    QCOMPARE(m_edit->toPlainText(), QStringLiteral("ABC xyz xyz"));
    QVERIFY(!m_edit->textCursor().hasSelection());
    QCOMPARE(m_edit->textCursor().position(), 11);
    QVERIFY(watcher.seen().isEmpty());
}

void TestFindAndReplace::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");

    QTest::newRow("three") << "cat dog cat bird cat" << 5 << "cat"
                           << "fox" << true << "fox dog fox bird fox" << 3;
    // Parts of words are no whole words.
    QTest::newRow("none") << "cats concat bobcat" << 2 << "cat"
                          << "fox" << true << "cats concat bobcat" << 0;
    // Replacements that match the search again are not met a second time.
    QTest::newRow("case change") << "cat Cat cAt" << 4 << "cat"
                                 << "CAT" << true << "CAT CAT CAT" << 3;
    QTest::newRow("replacement holds find") << "ab ab" << 0 << "ab"
                                            << "abab" << false << "abab abab" << 2;
    QTest::newRow("adjacent") << "aaaa" << 0 << "aa"
                              << "a" << false << "aa" << 2;
    QTest::newRow("empty replacement") << "x cat y cat z cat" << 0 << "cat"
                                       << "" << true << "x  y  z " << 3;
    QTest::newRow("selection is first") << "cat cat" << 0 << "cat"
                                        << "dog" << true << "dog dog" << 2;
    // The user's selection (all the text here) is no occurrence of nothing.
    QTest::newRow("empty find text") << "cat cat" << -1 << ""
                                     << "dog" << true << "cat cat" << 0;
}

void TestFindAndReplace::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(bool, wholeWords);
    QFETCH(QString, expected);
    QFETCH(int, count);

    MessageBoxWatcher watcher;
    bind(text, qMax(position, 0));
    if (position < 0)
        m_edit->selectAll();
    m_bar->findChild<QCheckBox *>(QStringLiteral("wholeWordsCheckBox"))->setChecked(wholeWords);
    box("findLineEdit")->setText(find);
    box("replaceLineEdit")->setText(replacement);
    click("replaceAllBtn");
    QCOMPARE(m_edit->toPlainText(), expected);
    QCOMPARE(watcher.texts(),
             QStringList { QStringLiteral("Replaced %1 occurrence(s)").arg(count) });
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo Software") });
    QCOMPARE(m_edit->textCursor().hasSelection(), position < 0);
    if (count == 0 && position >= 0)
        QCOMPARE(m_edit->textCursor().position(), position);

    // After Replace All a failing keyboard search stays quiet; a button
    // brings the message back.
    watcher.clear();
    box("findLineEdit")->setText(QStringLiteral("nowhere"));
    QVERIFY(!m_bar->find(true));
    QVERIFY(watcher.seen().isEmpty());
    click("findNextBtn");
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Done!") });

    // The whole command is one edit: one undo brings every occurrence back.
    QCOMPARE(m_edit->document()->isUndoAvailable(), count > 0);
    m_edit->undo();
    QCOMPARE(m_edit->toPlainText(), text);
    QVERIFY(!m_edit->document()->isUndoAvailable());
}

void TestFindAndReplace::withoutEditor()
{
    MessageBoxWatcher watcher;
    box("findLineEdit")->setText(QStringLiteral("cat"));
    box("replaceLineEdit")->setText(QStringLiteral("dog"));
    QVERIFY(m_bar->find(true));
    QVERIFY(m_bar->find(false));
    QVERIFY(!m_bar->replace());
    for (const char *name :
         { "findNextBtn", "findPrevBtn", "replaceBtn", "replaceNextBtn", "replaceAllBtn" })
        click(name);
    m_bar->setEditor(nullptr, English, 0);
    m_bar->restoreCursorToOriginalPosition(true);
    QVERIFY(watcher.seen().isEmpty());

    // An editor deleted with its tab leaves the bar as if none was bound.
    bind(QStringLiteral("cat"), 0);
    m_edit.reset();
    QVERIFY(m_bar->find(true));
    m_bar->show();
    m_bar->hide();
    click("replaceAllBtn");
    QVERIFY(watcher.seen().isEmpty());
}

void TestFindAndReplace::bindingTakesSelection()
{
    m_edit->setPlainText(QStringLiteral("some words here"));
    QTextCursor c(m_edit->document());
    c.setPosition(5);
    c.setPosition(10, QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
    m_bar->setEditor(m_edit.get(), English, 0);
    UnicodeLineEdit *find = box("findLineEdit");
    QCOMPARE(find->text(), QStringLiteral("words"));
    QCOMPARE(find->textCursor().selectedText(), QStringLiteral("words"));
    QCOMPARE(find->language(), English);
    QCOMPARE(box("replaceLineEdit")->language(), English);
    // The found text stays marked while the focus is in the bar.
    const QPalette p = m_edit->palette();
    QCOMPARE(p.color(QPalette::Inactive, QPalette::Highlight),
             p.color(QPalette::Active, QPalette::Highlight));

    m_bar->setOperationType(FindAndReplaceDialog::FindOnly);
    QCOMPARE(m_bar->windowTitle(), QStringLiteral("Zuvo - Find"));
    m_bar->setOperationType(FindAndReplaceDialog::FindAndReplace);
    QCOMPARE(m_bar->windowTitle(), QStringLiteral("Zuvo - Find and Replace"));
}

void TestFindAndReplace::histories()
{
    MessageBoxWatcher watcher;
    bind(QStringLiteral("cat dog cat"), 0);
    UnicodeLineEdit *find = box("findLineEdit");
    for (const char *text : { "cat", "dog", "cat" }) {
        find->setText(QLatin1String(text));
        m_bar->find(true);
    }
    QStringList words = completerWords(find);
    QCOMPARE(words.count(QStringLiteral("cat")), 1);
    QCOMPARE(words.count(QStringLiteral("dog")), 1);

    box("replaceLineEdit")->setText(QStringLiteral("fox"));
    click("replaceAllBtn");

    // Written by the destructor, newest first, and read by the next bar.
    m_bar.reset();
    {
        History history;
        QCOMPARE(history.readHistory(QStringLiteral("Find")), QStringLiteral("dog\ncat\n"));
        QCOMPARE(history.readHistory(QStringLiteral("Replace")), QStringLiteral("fox\n"));
    }
    m_bar = std::make_unique<FindAndReplaceDialog>(nullptr);
    words = completerWords(box("findLineEdit"));
    QVERIFY(words.contains(QStringLiteral("dog")));
    QVERIFY(words.contains(QStringLiteral("cat")));
    QVERIFY(completerWords(box("replaceLineEdit")).contains(QStringLiteral("fox")));
}

void TestFindAndReplace::formIcons()
{
    for (const char *name :
         { "findArrowBtn", "replaceArrowBtn", "findPrevBtn", "findNextBtn", "toolButton" }) {
        auto *button = m_bar->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(button && !button->icon().isNull(), name);
        QVERIFY2(!button->icon().pixmap(16, 16).isNull(), name);
    }
    QCOMPARE(m_bar->windowTitle(), QStringLiteral("Find & Replace"));
    QCOMPARE(m_bar->windowModality(), Qt::NonModal);
    // The close button hides the bar.
    m_bar->show();
    click("toolButton");
    QVERIFY(!m_bar->isVisible());
}

QTEST_MAIN(TestFindAndReplace)
#include "tst_findandreplace.moc"
