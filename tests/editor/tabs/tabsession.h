#ifndef ZUVO_TESTS_EDITOR_TABS_TABSESSION_H
#define ZUVO_TESTS_EDITOR_TABS_TABSESSION_H

// What the tab controller's tests share: the fixtures and a running word
// processor window with its tab controller.

#include "documentimport.h"
#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "tabwidget.h"

#include <QFile>
#include <QtTest/QTest>

namespace ZuvoTest {

inline QByteArray fixtureBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(path));
    return file.readAll();
}

// The tab controller's own fixtures (made by fixtures/make_fixtures.sh).
inline QByteArray tabFixture(const char *name)
{
    return fixtureBytes(QStringLiteral(TABS_FIXTURES "/") + QLatin1String(name));
}

// The main window, its drop handler reachable without a drag session.
struct SessionWindow : MainWindow
{
    using MainWindow::dropEvent;
};

// The word processor as started with the given files on its command line.
struct Session
{
    explicit Session(const QStringList &files = {})
    {
        window.initLoad(QStringList { QStringLiteral("editor") } + files);
        tabs = window.tabController();
    }
    UnicodeKaEditor *editor(int index) const { return tabs->editors().at(index); }

    SessionWindow window;
    TabWidget *tabs = nullptr;
};

// Waits until every OpenDocument import has handed its document over and
// gone, with its thread.
inline bool importsDone(TabWidget *tabs)
{
    const bool done =
        QTest::qWaitFor([tabs] { return tabs->findChildren<DocumentImport *>().isEmpty(); }, 30000);
    // The spelling pass queued for a new document runs too.
    QCoreApplication::processEvents();
    return done;
}

} // namespace ZuvoTest

#endif
