// The main window: settings kept between runs, dropped files, closing with
// modified documents, the side pane and the bar under the tabs, and a short
// session of opening a document, typing a word and closing.
#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "minibrowser.h"
#include "sqlcipherdriver.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"

#include "messageboxwatcher.h"
#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

QAction *action(MainWindow &window, const char *name)
{
    auto *found = window.findChild<QAction *>(QLatin1String(name));
    if (!found)
        qFatal("no action %s", name);
    return found;
}

QSettings store()
{
    return QSettings(QStringLiteral("Tessavrim"), QStringLiteral("Zuvo"));
}

void clearStore()
{
    QSettings settings(QStringLiteral("Tessavrim"), QStringLiteral("Zuvo"));
    settings.clear();
    settings.sync();
}

// The window's drop handler, reached without a drag session.
struct DropWindow : MainWindow
{
    using MainWindow::dropEvent;
};

// Hands a drop of the given data to the window; true when it took it.
bool drop(DropWindow &window, QMimeData *data)
{
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    event.ignore();
    window.dropEvent(&event);
    return event.isAccepted();
}

} // namespace

class TestEditorWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void firstStart();
    void settingsRoundTrip();
    void dropOpensAtMost32();
    void dropWithoutUrls();
    void cancelKeepsWindowOpen();
    void sidePane();
    void lowerWidgetOnce();
    void session();
};

void TestEditorWindow::firstStart()
{
    TempEnv env;
    {
        MainWindow window;
        QVERIFY(window.isVisible());
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QCOMPARE(window.windowTitle(), QStringLiteral("Zuvo"));
        QVERIFY(window.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->isVisible());
        QVERIFY(window.findChild<QStatusBar *>(QStringLiteral("statusBar"))->isVisible());
        QVERIFY(action(window, "actionToolbar")->isChecked());
        QVERIFY(action(window, "actionStatusbar")->isChecked());
        QVERIFY(!action(window, "actionLocalize_Kannada")->isChecked());
        TabWidget *tabs = window.tabController();
        QCOMPARE(tabs->language(), 0);
        QCOMPARE(tabs->keyboard(), 0);
        QCOMPARE(tabs->autoComplpetePrefixLength(), 5);
        QVERIFY(tabs->spellCheckAsYouType());
        QCOMPARE(tabs->textEncodingIndex(), 1);
        QCOMPARE(QApplication::font().family(), QStringLiteral("MS Shell Dlg 2"));
        QCOMPARE(QApplication::font().pointSize(), 10);
        // Nothing of the side pane exists until it is first switched on.
        QVERIFY(!window.findChild<QDockWidget *>());
    }
    QSettings settings = store();
    for (const char *key : { "size", "pos", "isMaximized", "isMiniBrowserShown", "isToolbarShown",
                             "isStatusbarShown" })
        QVERIFY2(settings.contains(QStringLiteral("Geometry/") + QLatin1String(key)), key);
    for (const char *key : { "language", "keyboard", "WorkingDir", "AutoComplpetePrefixLength",
                             "isSpellCheckAsYouType", "Encoding", "Localize" })
        QVERIFY2(settings.contains(QStringLiteral("InputSettings/") + QLatin1String(key)), key);
    QCOMPARE(settings.value(QStringLiteral("Geometry/isMiniBrowserShown")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("InputSettings/Localize")).toInt(), 0);
}

void TestEditorWindow::settingsRoundTrip()
{
    TempEnv env;
    {
        QSettings settings = store();
        settings.setValue(QStringLiteral("Geometry/size"), QSize(640, 480));
        settings.setValue(QStringLiteral("Geometry/pos"), QPoint(30, 40));
        settings.setValue(QStringLiteral("Geometry/isMaximized"), false);
        settings.setValue(QStringLiteral("Geometry/isToolbarShown"), false);
        settings.setValue(QStringLiteral("Geometry/isMiniBrowserShown"), true);
        settings.setValue(QStringLiteral("InputSettings/keyboard"), 2);
        settings.setValue(QStringLiteral("InputSettings/AutoComplpetePrefixLength"), 3);
        settings.setValue(QStringLiteral("InputSettings/isSpellCheckAsYouType"), false);
        settings.setValue(QStringLiteral("InputSettings/Encoding"), 4);
        settings.setValue(QStringLiteral("InputSettings/WorkingDir"), QString());
        settings.setValue(QStringLiteral("InputSettings/Localize"), 2);
    }
    {
        MainWindow window;
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowState() & Qt::WindowMaximized));
        QCOMPARE(window.size(), QSize(640, 480));
        QVERIFY(!window.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->isVisible());
        QVERIFY(!action(window, "actionToolbar")->isChecked());
        // The side pane's setting has nothing to act on at start-up.
        QVERIFY(!window.findChild<QDockWidget *>());
        QVERIFY(!action(window, "actionSidepane")->isChecked());
        TabWidget *tabs = window.tabController();
        QCOMPARE(tabs->keyboard(), 2);
        QCOMPARE(tabs->autoComplpetePrefixLength(), 3);
        QVERIFY(!tabs->spellCheckAsYouType());
        QCOMPARE(tabs->textEncodingIndex(), 4);
        QVERIFY(!tabs->workingDir().isEmpty());
        // Any value but 0 switches the Kannada interface on.
        QVERIFY(action(window, "actionLocalize_Kannada")->isChecked());
        QCOMPARE(QApplication::font().family(), QStringLiteral("Tunga"));
        QCOMPARE(QApplication::font().pointSize(), 11);

        // Switched off, the English interface and its font come back at once.
        action(window, "actionLocalize_Kannada")->trigger();
        QCOMPARE(QApplication::font().family(), QStringLiteral("MS Shell Dlg 2"));
        action(window, "actionLocalize_Kannada")->trigger();
    }
    QSettings settings = store();
    QCOMPARE(settings.value(QStringLiteral("InputSettings/Localize")).toInt(), 1);
    QCOMPARE(settings.value(QStringLiteral("InputSettings/keyboard")).toInt(), 2);
    QCOMPARE(settings.value(QStringLiteral("InputSettings/Encoding")).toInt(), 4);
    QCOMPARE(settings.value(QStringLiteral("Geometry/isToolbarShown")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("Geometry/isMiniBrowserShown")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("Geometry/size")).toSize(), QSize(640, 480));

    // Leave the interface in English for the tests after this one.
    QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), 10));
}

void TestEditorWindow::dropOpensAtMost32()
{
    TempEnv env;
    QList<QUrl> urls;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        QVERIFY(env.writeFile(name, "word\n"));
        urls << QUrl::fromLocalFile(env.filePath(name));
    }
    DropWindow window;
    window.initLoad({ QStringLiteral("editor") });
    TabWidget *tabs = window.tabController();
    const int before = tabs->openDocuments().size();

    auto *data = new QMimeData;
    data->setUrls(urls);
    MessageBoxWatcher watcher;
    QVERIFY(drop(window, data));
    delete data;

    const QStringList after = tabs->openDocuments();
    QCOMPARE(after.size(), before + 32);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(after.at(before + i), urls.at(i).toLocalFile());
    QVERIFY(watcher.seen().isEmpty());
    // The eight left out are not left out in silence.
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Only the first 32 of the 40 dropped files were opened."));
}

void TestEditorWindow::dropWithoutUrls()
{
    TempEnv env;
    DropWindow window;
    window.initLoad({ QStringLiteral("editor") });
    TabWidget *tabs = window.tabController();
    const QStringList before = tabs->openDocuments();

    auto *data = new QMimeData;
    data->setText(QStringLiteral("/tmp/some.txt"));
    QVERIFY(!drop(window, data));
    delete data;
    QCOMPARE(tabs->openDocuments(), before);
}

void TestEditorWindow::cancelKeepsWindowOpen()
{
    TempEnv env;
    MainWindow window;
    window.initLoad({ QStringLiteral("editor") });
    UnicodeKaEditor *editor = window.tabController()->currentEditor();
    QVERIFY(editor);
    editor->document()->setModified(true);

    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(watcher.seen().size(), 1);

    // File > Exit asks the same and, cancelled, leaves the event loop alone.
    bool quit = false;
    QMetaObject::Connection c =
        connect(qApp, &QCoreApplication::aboutToQuit, this, [&quit] { quit = true; });
    action(window, "actionExit")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!quit);
    QVERIFY(window.isVisible());
    QCOMPARE(watcher.seen().size(), 2);
    disconnect(c);

    // Given up, the document lets the window close.
    watcher.setAnswer(QMessageBox::No);
    QVERIFY(window.close());
}

void TestEditorWindow::sidePane()
{
    TempEnv env;
    MainWindow window;
    QAction *sidepane = action(window, "actionSidepane");
    QVERIFY(!sidepane->isVisible());
    sidepane->setChecked(true);
    auto *dock = window.findChild<QDockWidget *>();
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("Side Pane"));
    QVERIFY(qobject_cast<MiniBrowser *>(dock->widget()));
    QVERIFY(dock->isVisible());
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(dock->features(), QDockWidget::NoDockWidgetFeatures);
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    sidepane->setChecked(false);
    QVERIFY(!dock->isVisible());
    sidepane->setChecked(true);
    QCOMPARE(window.findChildren<QDockWidget *>().size(), 1);
    QVERIFY(dock->isVisible());
}

void TestEditorWindow::lowerWidgetOnce()
{
    TempEnv env;
    MainWindow window;
    auto *layout = qobject_cast<QVBoxLayout *>(window.centralWidget()->layout());
    QVERIFY(layout);
    QCOMPARE(layout->count(), 1);
    QCOMPARE(layout->itemAt(0)->widget(), window.tabController());

    QWidget first;
    QWidget second;
    emit window.tabController()->showLowerWidget(&first);
    emit window.tabController()->showLowerWidget(&second);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(1)->widget(), &first);
    layout->removeWidget(&first);
    first.setParent(nullptr);
}

// What the program does from start to end, in one run of the event loop:
// open a document from the command line, type a word into it, close.
void TestEditorWindow::session()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("fixture.txt"), "first line\n"));
    const QString path = env.filePath(QStringLiteral("fixture.txt"));

    MainWindow window;
    window.initLoad({ QStringLiteral("editor"), path });
    TabWidget *tabs = window.tabController();
    QVERIFY(tabs->openDocuments().contains(path));
    UnicodeKaEditor *editor = tabs->currentEditor();
    QVERIFY(editor);
    QCOMPARE(editor->fileName(), path);

    MessageBoxWatcher watcher;
    watcher.setAnswer(QMessageBox::No);
    bool typed = false;
    QTimer::singleShot(0, &window, [&] {
        editor->setFocus();
        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral("namaste"));
        QTest::keyClick(editor, Qt::Key_Space);
        typed = editor->toPlainText().contains(QStringLiteral("first line")) &&
            !editor->toPlainText().contains(QStringLiteral("namaste"));
        window.close();
    });
    QTimer::singleShot(20000, qApp, &QCoreApplication::quit); // a hung close ends the test
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();
    QVERIFY(typed);
    QVERIFY(!window.isVisible());
    QCOMPARE(watcher.seen().size(), 1);
    // Given up, the file on disk is as it was.
    QCOMPARE(env.readFile(QStringLiteral("fixture.txt")), QByteArray("first line\n"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestEditorWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editorwindow.moc"
