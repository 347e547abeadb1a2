#include "edituserdict.h"
#include "findchild.h"
#include "getunicodetext.h"
#include "markingtranslator.h"
#include "messageboxwatcher.h"
#include "searchwidget.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "unicodelineedit.h"
#include "userdict.h"
#include "utils.h"
#include "wiktionaryonline.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

using ZuvoTest::MessageBoxWatcher;

namespace {

const QString Words = QStringLiteral("UnicodeWords");

QStringList listTexts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QString stored()
{
    UserDict store;
    return store.read(Words);
}

void store(const QStringList &words)
{
    UserDict store;
    QVERIFY(store.write(words.join(QLatin1Char('\n')), Words));
}

bool writeWordFile(const QString &path, const QStringList &words)
{
    return Utils::writeToUnicodeFile(words, path);
}

// Answers the word-entry dialog with the given text (OK), or cancels it
// when the text is null; file dialogs get the given file or are cancelled.
struct Answers
{
    QString word;
    QString file;
    int wordDialogs = 0;
    QString shownText; // text in the word box when the dialog opened
};

void installHandler(MessageBoxWatcher &watcher, Answers &answers)
{
    watcher.setDialogHandler([&answers](QDialog *dialog) {
        if (auto *entry = qobject_cast<GetUnicodeText *>(dialog)) {
            ++answers.wordDialogs;
            answers.shownText = entry->text();
            if (answers.word.isNull()) {
                entry->reject();
                return;
            }
            entry->setText(answers.word);
            entry->accept();
        } else if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
            if (answers.file.isEmpty()) {
                files->reject();
                return;
            }
            // Typed into the name box, as a user would.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (name)
                name->setText(answers.file);
            else
                files->selectFile(answers.file);
            static_cast<QDialog *>(files)->accept();
        } else {
            dialog->reject();
        }
    });
}

// Title and text of each message box seen, "title|text".
QStringList boxes(const MessageBoxWatcher &watcher)
{
    QStringList out;
    for (const MessageBoxWatcher::Seen &seen : watcher.seen())
        if (seen.className == QLatin1String("QMessageBox"))
            out << seen.title + QLatin1Char('|') + seen.text;
    return out;
}

} // namespace

class TestEditUserDict : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startsWithPanelHiddenAndMovesDisabled();
    void moveButtonsFollowSelection();
    void addWord();
    void addDuplicateAfterMoveLeft();
    void moveRightOfKnownWordOnlyRemoves();
    void removeAndDoubleClickEdit();
    void browseAndEditWords();
    void cancelledBrowseEmptiesName();
    void save_data();
    void save();
    void clearedRightViewStillSaves();
    void movedWordSaved_data();
    void movedWordSaved();
    void saveFailureKeepsDialogAndFile();
    void failedSaveKeepsMovedWord_data();
    void failedSaveKeepsMovedWord();

    void entryDialog();
    void textsFollowLanguageChange_data();
    void textsFollowLanguageChange();
};

void TestEditUserDict::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
}

void TestEditUserDict::init()
{
    // Some tests leave a file in the folder's place.
    QFile::remove(QStringLiteral("dat"));
    QDir(QStringLiteral("dat")).removeRecursively();
    QDir(QStringLiteral("dat.away")).removeRecursively();
    QVERIFY(QDir().mkpath(QStringLiteral("dat")));
    QFile::remove(QStringLiteral("usr.dct"));
}

void TestEditUserDict::startsWithPanelHiddenAndMovesDisabled()
{
    EditUserDict dialog(nullptr);
    dialog.setLanguageAndKeyboard(0, 0);
    QCOMPARE(dialog.objectName(), QStringLiteral("EditUserDict"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit User Dictionary"));
    QVERIFY(dialog.windowFlags() & Qt::Tool);
    dialog.show();
    QVERIFY(!ZuvoTest::child<QWidget>(&dialog, "editParent")->isVisible());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->isEnabled());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveLeftBtn")->isEnabled());
    QCOMPARE(ZuvoTest::child<QListWidget>(&dialog, "leftList")->font().family(),
             Utils::languageDefaultFont(0));
    QCOMPARE(ZuvoTest::child<QListWidget>(&dialog, "rightList")->font().pointSize(), 11);
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "addBtn")->icon().isNull());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->icon().isNull());

    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    QVERIFY(ZuvoTest::child<QWidget>(&dialog, "editParent")->isVisible());
    QVERIFY(ZuvoTest::child<QWidget>(&dialog, "editParent")->isEnabled());
    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    QVERIFY(!ZuvoTest::child<QWidget>(&dialog, "editParent")->isVisible());
}

void TestEditUserDict::moveButtonsFollowSelection()
{
    store({ "x" });
    EditUserDict dialog(nullptr);
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    auto *right = ZuvoTest::child<QListWidget>(&dialog, "rightList");
    ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->click();
    left->addItems({ "a", "b" });
    left->item(0)->setSelected(true);
    QVERIFY(ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->isEnabled());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveLeftBtn")->isEnabled());
    right->item(0)->setSelected(true);
    QVERIFY(ZuvoTest::child<QToolButton>(&dialog, "moveLeftBtn")->isEnabled());
    ZuvoTest::child<QPushButton>(&dialog, "pushButton_2")->click(); // DeselectAll
    QVERIFY(left->selectedItems().isEmpty());
    QVERIFY(right->selectedItems().isEmpty());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->isEnabled());
    QVERIFY(!ZuvoTest::child<QToolButton>(&dialog, "moveLeftBtn")->isEnabled());
    ZuvoTest::child<QPushButton>(&dialog, "selectAllBtn")->click();
    QCOMPARE(left->selectedItems().size(), 2);
}

void TestEditUserDict::addWord()
{
    EditUserDict dialog(nullptr);
    dialog.setLanguageAndKeyboard(0, 0);
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);

    answers.word = QStringLiteral("ಕನ್ನಡ");
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    QCOMPARE(listTexts(left), QStringList { "ಕನ್ನಡ" });
    QVERIFY(left->item(0)->isSelected());

    // An empty entry and a cancelled one add nothing.
    answers.word = QStringLiteral("");
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    answers.word = QString();
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    QCOMPARE(answers.wordDialogs, 3);
    QCOMPARE(left->count(), 1);
    QVERIFY(boxes(watcher).isEmpty());
}

void TestEditUserDict::addDuplicateAfterMoveLeft()
{
    store({ "alpha", "beta" });
    EditUserDict dialog(nullptr);
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    auto *right = ZuvoTest::child<QListWidget>(&dialog, "rightList");
    ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->click();
    QCOMPARE(listTexts(right), (QStringList { "alpha", "beta" }));
    QVERIFY(!ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->isEnabled());

    right->item(1)->setSelected(true);
    ZuvoTest::child<QToolButton>(&dialog, "moveLeftBtn")->click();
    QCOMPARE(listTexts(left), QStringList { "beta" });
    QCOMPARE(listTexts(right), QStringList { "alpha" });

    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    answers.word = QStringLiteral("beta");
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    QCOMPARE(boxes(watcher), QStringList { "Zuvo Software|Duplicate, Its already present!" });
    QCOMPARE(left->count(), 1);
}

void TestEditUserDict::moveRightOfKnownWordOnlyRemoves()
{
    store({ "alpha" });
    EditUserDict dialog(nullptr);
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    auto *right = ZuvoTest::child<QListWidget>(&dialog, "rightList");
    ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->click();

    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    for (const char *w : { "alpha", "gamma" }) {
        answers.word = QString::fromLatin1(w);
        ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    }
    QCOMPARE(left->selectedItems().size(), 2);
    ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->click();
    QCOMPARE(left->count(), 0);
    QCOMPARE(listTexts(right), (QStringList { "alpha", "gamma" }));
}

void TestEditUserDict::removeAndDoubleClickEdit()
{
    EditUserDict dialog(nullptr);
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    for (const char *w : { "one", "two" }) {
        answers.word = QString::fromLatin1(w);
        ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    }
    left->clearSelection();
    left->item(1)->setSelected(true); // "two"
    ZuvoTest::child<QToolButton>(&dialog, "removeBtn")->click();
    QCOMPARE(listTexts(left), QStringList { "one" });
    // Removed from the words too: adding it again is no duplicate.
    answers.word = QStringLiteral("two");
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    QVERIFY(boxes(watcher).isEmpty());

    answers.word = QStringLiteral("uno");
    emit left->itemDoubleClicked(left->item(0));
    QCOMPARE(answers.shownText, QStringLiteral("one"));
    QCOMPARE(listTexts(left), (QStringList { "two", "uno" })); // sorting is on

    // An entry with no text opens nothing.
    const int opened = answers.wordDialogs;
    QListWidgetItem *item = left->item(0);
    item->setText(QString());
    emit left->itemDoubleClicked(item);
    QCOMPARE(answers.wordDialogs, opened);
}

void TestEditUserDict::browseAndEditWords()
{
    ZuvoTest::TempEnv env;
    const QString file = env.filePath(QStringLiteral("words.txt"));
    QVERIFY(writeWordFile(file, { "p", "q" }));

    EditUserDict dialog(nullptr);
    dialog.show();
    auto *left = ZuvoTest::child<QListWidget>(&dialog, "leftList");
    auto *box = ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox");
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    answers.file = file;

    ZuvoTest::child<QToolButton>(&dialog, "browseFile")->click();
    QCOMPARE(QFileInfo(ZuvoTest::child<QLineEdit>(&dialog, "fileNameLine")->text()),
             QFileInfo(file));
    QCOMPARE(left->count(), 0); // pending until word editing is on
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(listTexts(left), (QStringList { "p", "q" }));

    // The same file again with the box unticked is not pending.
    QTest::mouseClick(box, Qt::LeftButton);
    ZuvoTest::child<QToolButton>(&dialog, "browseFile")->click();
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(left->count(), 2);

    // With the box ticked a chosen file is read at once; the whole word list
    // is appended to the view again.
    QVERIFY(writeWordFile(file, { "q", "r" }));
    ZuvoTest::child<QToolButton>(&dialog, "browseFile")->click();
    QCOMPARE(listTexts(left), (QStringList { "p", "p", "q", "q", "r" }));
}

void TestEditUserDict::cancelledBrowseEmptiesName()
{
    EditUserDict dialog(nullptr);
    auto *name = ZuvoTest::child<QLineEdit>(&dialog, "fileNameLine");
    name->setText(QStringLiteral("/somewhere/words.txt"));
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    ZuvoTest::child<QToolButton>(&dialog, "browseFile")->click();
    QCOMPARE(name->text(), QString());
}

void TestEditUserDict::save_data()
{
    QTest::addColumn<QStringList>("storedWords");
    QTest::addColumn<QStringList>("usrDct");
    QTest::addColumn<QStringList>("namedFile"); // empty: no file named
    QTest::addColumn<bool>("missingFile"); // name a file that does not exist
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nothing loaded or named")
        << QStringList { "a", "b" } << QStringList { "c", "a" } << QStringList() << false
        << QStringList { "a", "b", "c" };
    QTest::newRow("named file merged unseen")
        << QStringList { "a" } << QStringList { "c" } << QStringList { "f", "a" } << false
        << QStringList { "f", "a", "c" };
    QTest::newRow("named file missing")
        << QStringList { "a" } << QStringList() << QStringList() << true << QStringList { "a" };
    QTest::newRow("empty store") << QStringList() << QStringList() << QStringList() << false
                                 << QStringList();
}

void TestEditUserDict::save()
{
    QFETCH(QStringList, storedWords);
    QFETCH(QStringList, usrDct);
    QFETCH(QStringList, namedFile);
    QFETCH(bool, missingFile);
    QFETCH(QStringList, expected);

    if (!storedWords.isEmpty())
        store(storedWords);
    if (!usrDct.isEmpty())
        QVERIFY(writeWordFile(QStringLiteral("usr.dct"), usrDct));
    EditUserDict dialog(nullptr);
    if (!namedFile.isEmpty()) {
        QVERIFY(writeWordFile(QStringLiteral("named.txt"), namedFile));
        ZuvoTest::child<QLineEdit>(&dialog, "fileNameLine")->setText(QStringLiteral("named.txt"));
    } else if (missingFile) {
        ZuvoTest::child<QLineEdit>(&dialog, "fileNameLine")
            ->setText(QStringLiteral("nowhere/x.txt"));
    }

    MessageBoxWatcher watcher;
    dialog.show();
    ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")
        ->button(QDialogButtonBox::Save)
        ->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(boxes(watcher), QStringList { "Zuvo Software|User Dictionary updated successfully!" });
    QCOMPARE(stored(), expected.join(QLatin1Char('\n')));
    QVERIFY(!QFile::exists(QStringLiteral("usr.dct")));
}

void TestEditUserDict::clearedRightViewStillSaves()
{
    store({ "a", "b" });
    EditUserDict dialog(nullptr);
    dialog.show();
    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->click();
    ZuvoTest::child<QToolButton>(&dialog, "toolButton")->click();
    QCOMPARE(ZuvoTest::child<QListWidget>(&dialog, "rightList")->count(), 0);

    // A word typed in and moved right reaches the store through the view.
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    answers.word = QStringLiteral("z");
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->click();

    ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")
        ->button(QDialogButtonBox::Save)
        ->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored(), QStringLiteral("z\na\nb"));
}

void TestEditUserDict::movedWordSaved_data()
{
    // Steps: "load" presses Load User Dict, "add" types "x" and moves it to
    // the final list, "untick" clears Edit words before Save.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("ticked") << QStringList { "add" };
    QTest::newRow("unticked") << QStringList { "add", "untick" };
    QTest::newRow("loaded, ticked") << QStringList { "load", "add" };
    QTest::newRow("loaded, unticked") << QStringList { "load", "add", "untick" };
    QTest::newRow("loaded after the move, unticked") << QStringList { "add", "load", "untick" };
}

void TestEditUserDict::movedWordSaved()
{
    // Save keeps the stored words, the words of "usr.dct" and the word moved
    // to the final list, however the dialog got there.
    QFETCH(QStringList, steps);
    store({ "a", "b" });
    QVERIFY(writeWordFile(QStringLiteral("usr.dct"), { "c" }));
    EditUserDict dialog(nullptr);
    dialog.show();
    auto *right = ZuvoTest::child<QListWidget>(&dialog, "rightList");
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    answers.word = QStringLiteral("x");

    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("load")) {
            ZuvoTest::child<QPushButton>(&dialog, "loadUserDictBtn")->click();
        } else if (step == QLatin1String("add")) {
            ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
            ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->click();
        } else {
            QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"),
                              Qt::LeftButton);
        }
    }
    QCOMPARE(right->findItems(QStringLiteral("x"), Qt::MatchExactly).size(), 1);

    ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")
        ->button(QDialogButtonBox::Save)
        ->click();
    QCOMPARE(boxes(watcher), QStringList { "Zuvo Software|User Dictionary updated successfully!" });
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QStringList saved = stored().split(QLatin1Char('\n'));
    saved.sort();
    QCOMPARE(saved, (QStringList { "a", "b", "c", "x" }));
    QVERIFY(!QFile::exists(QStringLiteral("usr.dct")));
}

void TestEditUserDict::saveFailureKeepsDialogAndFile()
{
    QVERIFY(writeWordFile(QStringLiteral("usr.dct"), { "keep" }));
    // A file where the store's folder goes: the store cannot be made.
    QVERIFY(QDir(QStringLiteral("dat")).removeRecursively());
    QVERIFY(writeWordFile(QStringLiteral("dat"), { "not a folder" }));
    EditUserDict dialog(nullptr);
    dialog.show();
    MessageBoxWatcher watcher;
    ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")
        ->button(QDialogButtonBox::Save)
        ->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(watcher.seen().size(), 1);
    QCOMPARE(watcher.seen().first().title, QStringLiteral("Zuvo Software"));
    QVERIFY(watcher.seen().first().text.startsWith(
        QStringLiteral("Unable to save the user dictionary\nPleae inform the error to ")));
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("usr.dct")), QStringList { "keep" });
}

void TestEditUserDict::failedSaveKeepsMovedWord_data()
{
    QTest::addColumn<bool>("folderInStoresPlace"); // else: a file in the place of "dat"
    QTest::newRow("file in the folder's place") << false;
    QTest::newRow("folder in the store's place") << true;
}

void TestEditUserDict::failedSaveKeepsMovedWord()
{
    // A store that cannot be written reports the failure, never success, and
    // loses nothing: once it can be written, the same dialog saves it all.
    QFETCH(bool, folderInStoresPlace);
    store({ "a" });
    QVERIFY(writeWordFile(QStringLiteral("usr.dct"), { "c" }));
    QVERIFY(QFile::rename(QStringLiteral("dat"), QStringLiteral("dat.away")));
    if (folderInStoresPlace)
        QVERIFY(QDir().mkpath(QStringLiteral("dat/usrdic.dat")));
    else
        QVERIFY(writeWordFile(QStringLiteral("dat"), { "not a folder" }));

    EditUserDict dialog(nullptr);
    dialog.show();
    MessageBoxWatcher watcher;
    Answers answers;
    installHandler(watcher, answers);
    answers.word = QStringLiteral("x");
    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    ZuvoTest::child<QToolButton>(&dialog, "addBtn")->click();
    ZuvoTest::child<QToolButton>(&dialog, "moveRightBtn")->click();
    QTest::mouseClick(ZuvoTest::child<QCheckBox>(&dialog, "editWordsCheckBox"), Qt::LeftButton);
    QPushButton *save =
        ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")->button(QDialogButtonBox::Save);

    save->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes(watcher).size(), 1);
    QVERIFY(boxes(watcher).first().startsWith(
        QStringLiteral("Zuvo Software|Unable to save the user dictionary\n")));
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("usr.dct")), QStringList { "c" });

    QVERIFY(folderInStoresPlace ? QDir(QStringLiteral("dat")).removeRecursively()
                                : QFile::remove(QStringLiteral("dat")));
    QVERIFY(QFile::rename(QStringLiteral("dat.away"), QStringLiteral("dat")));
    watcher.clear();
    save->click();
    QCOMPARE(boxes(watcher), QStringList { "Zuvo Software|User Dictionary updated successfully!" });
    QVERIFY(!dialog.isVisible());
    QStringList saved = stored().split(QLatin1Char('\n'));
    saved.sort();
    QCOMPARE(saved, (QStringList { "a", "c", "x" }));
}

void TestEditUserDict::entryDialog()
{
    GetUnicodeText plain(nullptr);
    QCOMPARE(plain.objectName(), QStringLiteral("GetUnicodeText"));
    QCOMPARE(plain.windowTitle(), QStringLiteral("Enter Text :"));
    QCOMPARE(plain.text(), QString());

    GetUnicodeText entry(0, 0, QStringLiteral("  ಕನ್ನಡ   ಪದ "), nullptr);
    auto *box = ZuvoTest::child<UnicodeLineEdit>(&entry, "unicodeLineEdit");
    QCOMPARE(box->language(), 0);
    QCOMPARE(entry.text(), QStringLiteral("ಕನ್ನಡ ಪದ"));
    entry.selectAll();
    QCOMPARE(box->textCursor().selectedText(), QStringLiteral("ಕನ್ನಡ ಪದ"));

    // Return in the box accepts like OK.
    entry.show();
    QSignalSpy accepted(&entry, &QDialog::accepted);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(entry.result(), int(QDialog::Accepted));
}

void TestEditUserDict::textsFollowLanguageChange_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QString>("title");
    QTest::newRow("EditUserDict") << QByteArray("EditUserDict") << "Edit User Dictionary";
    QTest::newRow("GetUnicodeText") << QByteArray("GetUnicodeText") << "Enter Text :";
    QTest::newRow("WiktionaryOnline")
        << QByteArray("WiktionaryOnline") << "Wiktionary Meaning (Online)...";
    QTest::newRow("SearchWidget") << QByteArray("SearchWidget") << "Zuvo - Wiktionary (Online)...";
}

void TestEditUserDict::textsFollowLanguageChange()
{
    QFETCH(QByteArray, context);
    QFETCH(QString, title);

    QPointer<QDialog> dialog;
    if (context == "EditUserDict")
        dialog = new EditUserDict(nullptr);
    else if (context == "GetUnicodeText")
        dialog = new GetUnicodeText(nullptr);
    else if (context == "WiktionaryOnline")
        dialog = new WiktionaryOnline(nullptr);
    else
        dialog = new SearchWidget(nullptr);
    QCOMPARE(dialog->windowTitle(), title);

    ZuvoTest::MarkingTranslator translator({ QString::fromLatin1(context) }, QStringLiteral("<"),
                                           QStringLiteral(">"));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QTRY_COMPARE(dialog->windowTitle(), QStringLiteral("<") + title + QStringLiteral(">"));
    QCoreApplication::removeTranslator(&translator);
    QTRY_COMPARE(dialog->windowTitle(), title);
    delete dialog;
}

QTEST_MAIN(TestEditUserDict)
#include "tst_edituserdict.moc"
