#include "zuvodialog.h"

#include "messageboxwatcher.h"
#include "testenv.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QtTest/QTest>

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

// Picks a file type the way the user does, so that the chooser reports it.
void chooseFilter(QFileDialog *dialog, const QString &filter)
{
    auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(combo);
    const int target = combo->findText(filter);
    QVERIFY2(target >= 0, qPrintable(filter));
    combo->setFocus();
    while (combo->currentIndex() != target)
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

void typeName(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, name);
}

} // namespace

class TestZuvoDialog : public QObject
{
    Q_OBJECT

private slots:
    void modes();
    void saveAddsFilterExtension_data();
    void saveAddsFilterExtension();
    void saveCancelGivesEmpty();
    void saveAsksBeforeOverwrite_data();
    void saveAsksBeforeOverwrite();
    void openReturnsExistingFileOnly();
    void stateWrittenOnlyOnWindowClose();
    void badStateFileIgnored();
};

void TestZuvoDialog::modes()
{
    TempEnv env;
    ZuvoDialog open(0, nullptr);
    QCOMPARE(open.windowTitle(), QStringLiteral("Zuvo - Open file"));
    QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
    const QStringList filters = {
        QStringLiteral("All files (*.*)"),   QStringLiteral("Text files (*.txt)"),
        QStringLiteral("ODF file (*.od*)"),  QStringLiteral("HTML files (*.htm*)"),
        QStringLiteral("RTF files (*.rtf)"), QStringLiteral("Nudi files (*.nudi)"),
        QStringLiteral("BRH files (*.BRH)"),
    };
    QCOMPARE(open.nameFilters(), filters);
    QCOMPARE(open.selectedNameFilter(), filters.first());

    ZuvoDialog save(1, nullptr);
    QCOMPARE(save.windowTitle(), QStringLiteral("Zuvo - Save file"));
    QCOMPARE(save.fileMode(), QFileDialog::AnyFile);
    QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(save.nameFilters(), filters);
}

void TestZuvoDialog::saveAddsFilterExtension_data()
{
    QTest::addColumn<QString>("filter"); // empty: the user picks none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no filter") << QString() << "notes"
                               << "notes";
    QTest::newRow("text") << "Text files (*.txt)"
                          << "notes"
                          << "notes.txt";
    QTest::newRow("rtf") << "RTF files (*.rtf)"
                         << "notes"
                         << "notes.rtf";
    QTest::newRow("nudi") << "Nudi files (*.nudi)"
                          << "notes"
                          << "notes.nudi";
    QTest::newRow("brh") << "BRH files (*.BRH)"
                         << "notes"
                         << "notes.BRH";
    QTest::newRow("odf") << "ODF file (*.od*)"
                         << "notes"
                         << "notes.odt";
    QTest::newRow("html") << "HTML files (*.htm*)"
                          << "notes"
                          << "notes.html";
    QTest::newRow("all files") << "All files (*.*)"
                               << "notes"
                               << "notes";
    QTest::newRow("suffix kept, text") << "Text files (*.txt)"
                                       << "notes.rtf"
                                       << "notes.rtf";
    QTest::newRow("suffix kept, all") << "All files (*.*)"
                                      << "notes.rtf"
                                      << "notes.rtf";
    QTest::newRow("suffix kept, odf") << "ODF file (*.od*)"
                                      << "notes.rtf"
                                      << "notes.rtf";
    // The name typed first and the filter chosen after it.
    QTest::newRow("typed then filter") << "~Text files (*.txt)"
                                       << "notes.rtf"
                                       << "notes.rtf";
    QTest::newRow("typed then all") << "~All files (*.*)"
                                    << "notes.rtf"
                                    << "notes.rtf";
}

void TestZuvoDialog::saveAddsFilterExtension()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    TempEnv env;
    QVERIFY(env.isValid());
    const bool typeFirst = filter.startsWith(QLatin1Char('~'));
    if (typeFirst)
        filter.remove(0, 1);

    MessageBoxWatcher watcher;
    QString title;
    watcher.setDialogHandler([&](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        QVERIFY(fd);
        title = fd->windowTitle();
        fd->setDirectory(env.path());
        if (typeFirst)
            typeName(fd, typed);
        if (!filter.isEmpty()) {
            // Move away and back so that a filter equal to the first entry
            // is still a choice of the user's.
            if (filter == fd->nameFilters().first())
                chooseFilter(fd, fd->nameFilters().at(1));
            chooseFilter(fd, filter);
        }
        if (!typeFirst)
            typeName(fd, typed);
        d->accept(); // QFileDialog::accept through the public base
    });
    const QString name = ZuvoDialog::saveFileName(QStringLiteral("Save File As"), nullptr);
    QCOMPARE(title, QStringLiteral("Save File As"));
    QCOMPARE(name, QDir(env.path()).filePath(expected));
}

void TestZuvoDialog::saveCancelGivesEmpty()
{
    TempEnv env;
    MessageBoxWatcher watcher;
    watcher.setDialogHandler([&](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        fd->setDirectory(env.path());
        typeName(fd, QStringLiteral("notes"));
        fd->reject();
    });
    QVERIFY(ZuvoDialog::saveFileName(QStringLiteral("Save File"), nullptr).isEmpty());
    QVERIFY(!QFile::exists(env.filePath(QStringLiteral("ZuvoFD"))));
}

void TestZuvoDialog::saveAsksBeforeOverwrite_data()
{
    QTest::addColumn<QString>("filter"); // empty: the user picks none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes");

    for (const bool yes : { false, true }) {
        const QByteArray tag = yes ? " yes" : " no";
        QTest::newRow("full name" + tag) << QString() << "old.txt" << yes;
        // The extension the filter adds counts for the question.
        QTest::newRow("filter extension" + tag) << "Text files (*.txt)"
                                                << "old" << yes;
    }
}

void TestZuvoDialog::saveAsksBeforeOverwrite()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("old.txt"), "x"));
    MessageBoxWatcher watcher;
    QStringList asked;
    watcher.setDialogHandler([&](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        fd->setDirectory(env.path());
        if (!filter.isEmpty())
            chooseFilter(fd, filter);
        typeName(fd, typed);
        // The question opens inside accept(), while the outer watcher is
        // still busy with the chooser: a second one answers it.
        MessageBoxWatcher inner;
        inner.setAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
        d->accept(); // QFileDialog::accept through the public base
        for (const auto &seen : inner.seen()) {
            if (seen.className == QLatin1String("QMessageBox"))
                asked << seen.className;
        }
    });
    const QString name = ZuvoDialog::saveFileName(QStringLiteral("Save File"), nullptr);
    QCOMPARE(asked, QStringList { QStringLiteral("QMessageBox") });
    QCOMPARE(name, yes ? env.filePath(QStringLiteral("old.txt")) : QString());
}

void TestZuvoDialog::openReturnsExistingFileOnly()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("here.rtf"), "{\\rtf1}"));
    struct Case
    {
        QString typed;
        QString expected;
    };
    const QList<Case> cases = {
        { QStringLiteral("here.rtf"), env.filePath(QStringLiteral("here.rtf")) },
        { QStringLiteral("missing.rtf"), QString() },
    };
    for (const Case &c : cases) {
        MessageBoxWatcher watcher;
        watcher.setDialogHandler([&](QDialog *d) {
            auto *fd = qobject_cast<QFileDialog *>(d);
            QCOMPARE(fd->windowTitle(), QStringLiteral("Zuvo - Open file"));
            fd->setDirectory(env.path());
            typeName(fd, c.typed);
            MessageBoxWatcher inner; // answers "file not found"
            d->accept(); // QFileDialog::accept through the public base
        });
        QCOMPARE(ZuvoDialog::openFileName(nullptr), c.expected);
    }
}

// The toolkit also keeps a chooser's layout in its own settings, written
// when a chooser is destroyed; a chooser left in the given view mode makes
// that the toolkit's choice, so only the state file can bring back another.
static void setToolkitViewMode(QFileDialog::ViewMode mode)
{
    QFileDialog plain;
    plain.setOption(QFileDialog::DontUseNativeDialog);
    plain.setViewMode(mode);
}

void TestZuvoDialog::stateWrittenOnlyOnWindowClose()
{
    TempEnv env;
    const QString stateFile = env.filePath(QStringLiteral("ZuvoFD"));
    MessageBoxWatcher watcher;

    // Left with its buttons: nothing is stored.
    watcher.setDialogHandler([&](QDialog *d) {
        static_cast<QFileDialog *>(d)->setViewMode(QFileDialog::Detail);
        d->reject();
    });
    QVERIFY(ZuvoDialog::openFileName(nullptr).isEmpty());
    QVERIFY(!QFile::exists(stateFile));

    // Closed through its window: the layout is stored...
    watcher.setDialogHandler([&](QDialog *d) {
        static_cast<QFileDialog *>(d)->setViewMode(QFileDialog::Detail);
        d->close();
    });
    QVERIFY(ZuvoDialog::openFileName(nullptr).isEmpty());
    const QByteArray stored = env.readFile(QStringLiteral("ZuvoFD"));
    QVERIFY(!stored.isEmpty());

    // ...and comes back in the next chooser, open or save...
    setToolkitViewMode(QFileDialog::List);
    QCOMPARE(ZuvoDialog(0, nullptr).viewMode(), QFileDialog::Detail);
    setToolkitViewMode(QFileDialog::List);
    QFileDialog::ViewMode shown = QFileDialog::List;
    watcher.setDialogHandler([&](QDialog *d) {
        shown = static_cast<QFileDialog *>(d)->viewMode();
        d->reject();
    });
    QVERIFY(ZuvoDialog::saveFileName(QStringLiteral("Save File"), nullptr).isEmpty());
    QCOMPARE(shown, QFileDialog::Detail);
    // ...which, left with a button, did not rewrite it.
    QCOMPARE(env.readFile(QStringLiteral("ZuvoFD")), stored);

    // Without the file the toolkit's own choice stands.
    QVERIFY(QFile::remove(stateFile));
    setToolkitViewMode(QFileDialog::List);
    QCOMPARE(ZuvoDialog(0, nullptr).viewMode(), QFileDialog::List);
}

void TestZuvoDialog::badStateFileIgnored()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("ZuvoFD"), QByteArray("not a state\x00\xff", 13)));
    ZuvoDialog dialog(0, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Open file"));
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);

    // A folder in the state file's place can be neither read nor written.
    TempEnv other;
    QVERIFY(QDir(other.path()).mkpath(QStringLiteral("ZuvoFD")));
    MessageBoxWatcher watcher;
    watcher.setDialogHandler([](QDialog *d) { d->close(); });
    QVERIFY(ZuvoDialog::openFileName(nullptr).isEmpty());
    QVERIFY(QFileInfo(other.filePath(QStringLiteral("ZuvoFD"))).isDir());
    QCOMPARE(watcher.seen().size(), 1);
}

QTEST_MAIN(TestZuvoDialog)
#include "tst_zuvodialog.moc"
