// Sessions of the word processor as a user has them: the input is a short
// list of operations on a real main window (open a file of each kind, a new
// tab, typing, switching tabs, closing a tab, Save, Save As, PDF export, File
// > Exit, closing the window), each followed by the event loop until the
// window is idle again. The questions the program asks are answered as the
// input says; its reports are closed.
//
// Each input runs in QApplication::exec(), as the program does: File > Exit
// ends that loop, and the next input starts a fresh one. Each gets a window
// of its own and a folder of its own with copies of the tests' fixtures.
//
// What must hold after every operation (abort() otherwise, for the fuzzer):
// - the " - (*)" mark of each tab title is its document's modified state;
// - the window has a tab;
// - the folder holds nothing but the fixtures and the files the user saved
//   (no temporary file of a save left behind);
// and, whenever the user leaves (File > Exit or the window's close button),
// one question per modified document, unless answered Cancel, which keeps
// the window open.
//
// Input: up to twelve operations of three bytes: the operation, its
// argument, and the answers to the questions it raises (two bits each).
#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "openpdfdialog.h"
#include "printersettingsdialog.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

[[noreturn]] void violated(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz_tabwidget: %s %s\n", what, qPrintable(detail));
    std::abort();
}

const QString modifiedMark = QStringLiteral(" - (*)");
constexpr int maxOperations = 12;
// An import of a small fixture takes milliseconds; one that has not ended
// after this long never will.
constexpr int importDeadlineMs = 20000;

QTemporaryDir *home = nullptr;
// ZUVO_FUZZ_TRACE=1 prints the window's state after each operation: what a
// reproducer did.
const bool trace = qEnvironmentVariableIntValue("ZUVO_FUZZ_TRACE") != 0;

struct Fixture
{
    QString name;
    QByteArray bytes;
};
QList<Fixture> fixtures;

// The names a save may be given, and the names of the PDF export; the
// folders "blocked.*" stand where a file would go, so that writing fails.
const char *const saveNames[] = { "a.txt", "b.html", "c.rtf",    "d.odt",
                                  "bare",  "a.txt",  "cafe.txt", "blocked.txt" };
const char *const pdfNames[] = { "e.pdf", "f", "blocked.pdf" };

enum Operation {
    Open,
    New,
    Type,
    Switch,
    CloseButton,
    CloseAction,
    Save,
    SaveAs,
    ExportPdf,
    OpenOdtAndLeave,
    Exit,
    CloseWindow,
    Operations
};

// The PDF export's settings accepted or cancelled, or accepted and the
// progress cancelled (shown only for a job that takes long, rare here).
enum class Pdf { Accept, Reject, CancelProgress };

// What one input's session has done so far.
struct Session
{
    QString dir;
    // Everything the folder may hold: fixtures, the blocking folders and
    // every name the user saved under.
    QSet<QString> allowed;
    uint8_t answers = 0;
    int asked = 0;
    int exitQuestions = 0;
    bool cancelled = false;
    uint8_t nameArgument = 0;
    int namesGiven = 0;
    Pdf pdf = Pdf::Accept;
    QString pdfName;
};
Session *session = nullptr;

QMessageBox::StandardButton nextAnswer()
{
    const int shift = 2 * (session->asked++ % 4);
    switch ((session->answers >> shift) & 3) {
    case 1:
        return QMessageBox::No;
    case 2:
        return QMessageBox::Cancel;
    default:
        return QMessageBox::Yes;
    }
}

void click(QMessageBox *box, QAbstractButton *button)
{
    if (button)
        button->click();
    else
        box->reject();
}

// Answers a modal dialog from within its own event loop.
void answer(QDialog *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        // What the tab controller asks when it has no current editor; its
        // Yes would open the feedback page in the browser.
        if (box->windowTitle().startsWith(QLatin1String("Oops")))
            violated("the window lost its current editor:", box->windowTitle());
        const QMessageBox::StandardButtons buttons = box->standardButtons();
        const bool exitQuestion = buttons.testFlag(QMessageBox::YesToAll);
        const bool closeQuestion =
            buttons == (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (exitQuestion || closeQuestion) {
            const QMessageBox::StandardButton button = nextAnswer();
            if (exitQuestion)
                ++session->exitQuestions;
            if (button == QMessageBox::Cancel)
                session->cancelled = true;
            click(box, box->button(button));
            return;
        }
        // The other questions (replacing a file, leaving out the pictures
        // of an RTF file) take the input's answer when they offer it, else
        // their way back; a report is closed.
        QAbstractButton *button = nullptr;
        if (buttons.testFlag(QMessageBox::Yes))
            button = box->button(nextAnswer());
        if (!button)
            button = box->escapeButton();
        if (!button)
            button = box->defaultButton();
        click(box, button);
        return;
    }
    if (auto *settings = qobject_cast<PrinterSettingsDialog *>(dialog)) {
        if (session->pdf == Pdf::Reject) {
            settings->reject();
            return;
        }
        settings->setFilename(session->dir + QLatin1Char('/') + session->pdfName);
        settings->accept();
        return;
    }
    if (auto *progress = qobject_cast<QProgressDialog *>(dialog)) {
        // It closes itself when the job ends.
        if (session->pdf == Pdf::CancelProgress)
            progress->cancel();
        return;
    }
    // The dialog after a PDF export offers to open the file: closed unused.
    if (qobject_cast<OpenPdfDialog *>(dialog)) {
        dialog->reject();
        return;
    }
    violated("a dialog no operation opens:",
             QString::fromLatin1(dialog->metaObject()->className()));
}

// Sees every modal dialog as it is shown and answers it once its exec()
// runs: answered during the show, the dialog would close before its event
// loop began, and that loop would never end.
class DialogAnswerer : public QObject
{
public:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && session) {
            auto *dialog = qobject_cast<QDialog *>(object);
            if (dialog && dialog->isWindow() && dialog->isModal()) {
                QPointer<QDialog> guard(dialog);
                QTimer::singleShot(0, dialog, [guard] {
                    if (guard && guard->isVisible())
                        answer(guard);
                });
            }
        }
        return QObject::eventFilter(object, event);
    }
};

QString filePath(const QString &name)
{
    return session->dir + QLatin1Char('/') + name;
}

UnicodeKaEditor *editorAt(TabWidget *tabs, int index)
{
    return qobject_cast<UnicodeKaEditor *>(tabs->widget(index));
}

// The save dialog of every editor gives the next of the input's names.
void hookSaveNames(TabWidget *tabs)
{
    for (int i = 0; i < tabs->count(); ++i) {
        UnicodeKaEditor *editor = editorAt(tabs, i);
        if (!editor)
            continue;
        editor->askSaveFileName = [](const QString &) {
            const int count = int(sizeof saveNames / sizeof *saveNames);
            const QString name = QString::fromLatin1(
                saveNames[(session->nameArgument + session->namesGiven++) % count]);
            session->allowed.insert(name);
            // A name without suffix is saved with ".txt".
            session->allowed.insert(name + QStringLiteral(".txt"));
            return filePath(name);
        };
    }
}

// The event loop runs until every import has ended (its tab takes typing
// again) and what it left to delete is gone.
void settle(TabWidget *tabs)
{
    // Wakes the wait below should nothing else come.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(importDeadlineMs);
    for (;;) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bool importing = false;
        for (int i = 0; i < tabs->count(); ++i) {
            if (UnicodeKaEditor *editor = editorAt(tabs, i))
                importing = importing || editor->isReadOnly();
        }
        if (!importing)
            return;
        if (!deadline.isActive())
            violated("an import never ended");
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

int modifiedDocuments(TabWidget *tabs)
{
    int modified = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        UnicodeKaEditor *editor = editorAt(tabs, i);
        if (editor && editor->document()->isModified() &&
            !editor->fileName().startsWith(QLatin1String(":/")))
            ++modified;
    }
    return modified;
}

void checkFolder()
{
    const QStringList entries =
        QDir(session->dir)
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (!session->allowed.contains(entry))
            violated("a file nobody saved:", entry);
    }
}

void checkTabs(TabWidget *tabs)
{
    if (tabs->count() < 1)
        violated("the window has no tab");
    for (int i = 0; i < tabs->count(); ++i) {
        UnicodeKaEditor *editor = editorAt(tabs, i);
        if (!editor)
            violated("a tab without an editor");
        const bool marked = tabs->tabText(i).endsWith(modifiedMark);
        if (marked != editor->document()->isModified())
            violated("the title's mark is not the document's state:", tabs->tabText(i));
    }
}

QAction *action(MainWindow *window, const char *name)
{
    auto *found = window->findChild<QAction *>(QLatin1String(name));
    if (!found)
        violated("no action", QLatin1String(name));
    return found;
}

void typeKeys(UnicodeKaEditor *editor, uint8_t argument)
{
    switch (argument % 8) {
    case 0:
        QTest::keyClicks(editor, QStringLiteral("ka"));
        break;
    case 1:
        QTest::keyClicks(editor, QStringLiteral("namaste "));
        break;
    case 2:
        QTest::keyClick(editor, Qt::Key_Backspace);
        break;
    case 3:
        QTest::keyClick(editor, Qt::Key_Return);
        break;
    case 4:
        // The next keyboard layout.
        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        break;
    case 5:
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        break;
    case 6:
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    default:
        QTest::keyClicks(editor, QStringLiteral("a b"));
        break;
    }
}

// The user leaves; the window must have asked about each modified document
// (all of them, or up to the one answered Cancel).
void leave(MainWindow *window, TabWidget *tabs, uint8_t how)
{
    const int modified = modifiedDocuments(tabs);
    session->exitQuestions = 0;
    session->cancelled = false;
    if (how % 2 == 0)
        action(window, "actionExit")->trigger();
    else
        window->close();
    if (session->cancelled) {
        if (session->exitQuestions < 1 || session->exitQuestions > modified)
            violated("questions at leaving, cancelled:",
                     QStringLiteral("%1 of %2").arg(session->exitQuestions).arg(modified));
        if (!window->isVisible())
            violated("the window closed although the user cancelled");
    } else if (session->exitQuestions != modified) {
        violated("questions at leaving:",
                 QStringLiteral("%1 for %2 modified").arg(session->exitQuestions).arg(modified));
    }
    if (modified == 0 && window->isVisible())
        violated("the window stayed open with nothing to save");
}

void run(MainWindow *window, const uint8_t *data, size_t size)
{
    TabWidget *tabs = window->tabController();
    QTabBar *bar = tabs->findChild<QTabBar *>();
    settle(tabs);
    checkTabs(tabs);
    for (size_t at = 0; at + 3 <= size && at / 3 < maxOperations && window->isVisible(); at += 3) {
        const uint8_t argument = data[at + 1];
        session->answers = data[at + 2];
        session->asked = 0;
        session->nameArgument = argument;
        session->namesGiven = 0;
        hookSaveNames(tabs);
        auto *current = qobject_cast<UnicodeKaEditor *>(tabs->currentWidget());
        switch (data[at] % Operations) {
        case Open:
            // Each fixture, or a folder, which is no document.
            if (argument % (fixtures.size() + 1) == fixtures.size())
                tabs->editFile(filePath(QStringLiteral("blocked.txt")));
            else
                tabs->editFile(filePath(fixtures.at(argument % fixtures.size()).name));
            break;
        case New:
            action(window, "actionNew")->trigger();
            break;
        case Type:
            if (current) {
                current->setFocus();
                typeKeys(current, argument);
            }
            break;
        case Switch:
            tabs->setCurrentIndex(argument % tabs->count());
            break;
        case CloseButton: {
            const int index = argument % tabs->count();
            QWidget *button = bar ? bar->tabButton(index, QTabBar::RightSide) : nullptr;
            if (auto *close = qobject_cast<QAbstractButton *>(button))
                close->click();
            break;
        }
        case CloseAction:
            action(window, "actionClose")->trigger();
            break;
        case Save:
            action(window, "actionSave")->trigger();
            break;
        case SaveAs:
            action(window, "actionSave_as")->trigger();
            break;
        case ExportPdf: {
            const int count = int(sizeof pdfNames / sizeof *pdfNames);
            session->pdf = Pdf(argument % 3);
            session->pdfName = QString::fromLatin1(pdfNames[(argument / 3) % count]);
            session->allowed.insert(session->pdfName);
            session->allowed.insert(session->pdfName + QStringLiteral(".pdf"));
            action(window, "actionPDF")->trigger();
            break;
        }
        case OpenOdtAndLeave:
            // Before its import has ended.
            tabs->editFile(filePath(QStringLiteral("cafe.odt")));
            hookSaveNames(tabs);
            if (argument % 3 == 0)
                action(window, "actionClose")->trigger();
            else
                leave(window, tabs, argument % 3);
            break;
        case Exit:
            leave(window, tabs, 0);
            break;
        case CloseWindow:
            leave(window, tabs, 1);
            break;
        }
        settle(tabs);
        if (trace) {
            QStringList titles;
            for (int i = 0; i < tabs->count(); ++i)
                titles << tabs->tabText(i);
            std::fprintf(
                stderr, "op %d(%d, %02x): %s | tabs: %s | folder: %s\n", data[at] % Operations,
                argument, session->answers, window->isVisible() ? "open" : "closed",
                qPrintable(titles.join(QLatin1String(", "))),
                qPrintable(QDir(session->dir).entryList(QDir::Files).join(QLatin1Char(' '))));
        }
        checkFolder();
        if (window->isVisible())
            checkTabs(tabs);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Never destroyed: what it would tear down at exit belongs to the life of
    // the process.
    new QApplication(*argc, *argv);
    qApp->installEventFilter(new DialogAnswerer);
    // Settings and word files of this run only, never the user's.
    home = new QTemporaryDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       home->filePath(QStringLiteral("settings")));
    QDir::setCurrent(home->path());

    const QString tests = QStringLiteral(ZUVO_TESTS_DIR);
    const struct
    {
        const char *name;
        const char *source;
    } files[] = {
        { "cafe.txt", "editor/tabs/fixtures/cafe.txt" },
        { "empty.txt", nullptr },
        { "document.html", "editor/tabs/fixtures/document.html" },
        { "document.rtf", "editor/tabs/fixtures/document.rtf" },
        { "cafe.odt", "editor/tabs/fixtures/cafe.odt" },
        { "wrapped.nudi", "legacy/fixtures/wrapped.nudi" },
        { "words.brh", nullptr },
    };
    for (const auto &file : files) {
        Fixture fixture { QString::fromLatin1(file.name), QByteArray() };
        if (file.source) {
            QFile source(tests + QLatin1Char('/') + QLatin1String(file.source));
            if (!source.open(QIODevice::ReadOnly))
                violated("a fixture is missing:", source.fileName());
            fixture.bytes = source.readAll();
        } else if (fixture.name.endsWith(QLatin1String(".brh"))) {
            fixture.bytes = QByteArray("ka 2\nka\n");
        }
        fixtures.append(fixture);
    }

    // The fonts the window's documents and widgets use are loaded for the
    // life of the process by the first window.
    auto *warm = new MainWindow;
    warm->initLoad({ QStringLiteral("editor") });
    QCoreApplication::processEvents();
    delete warm;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir dir(home->filePath(QStringLiteral("session-XXXXXX")));
    if (!dir.isValid())
        return 0;
    Session state;
    state.dir = dir.path();
    for (const Fixture &fixture : std::as_const(fixtures)) {
        QFile file(dir.filePath(fixture.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(fixture.bytes) != fixture.bytes.size())
            return 0;
        state.allowed.insert(fixture.name);
    }
    for (const QString &blocked :
         { QStringLiteral("blocked.txt"), QStringLiteral("blocked.pdf") }) {
        QDir(dir.path()).mkdir(blocked);
        state.allowed.insert(blocked);
    }
    session = &state;

    auto *window = new MainWindow;
    window->initLoad({ QStringLiteral("editor") });
    QTimer::singleShot(0, window, [window, data, size] {
        run(window, data, size);
        QCoreApplication::exit(0);
    });
    QApplication::exec();

    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    checkFolder();
    session = nullptr;
    return 0;
}
