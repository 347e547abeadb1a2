// The recent-files list: newest first, each file once, files that are gone
// left out, nine at most, and kept in the settings between runs.
#include "recentfiles.h"

#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest/QtTest>

using ZuvoTest::TempEnv;

namespace {
QStringList menuPaths(const RecentFiles &recent)
{
    QStringList paths;
    const QList<QAction *> actions = recent.menu()->actions();
    for (const QAction *a : actions)
        paths << a->data().toString();
    return paths;
}
} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void order();
    void keptBetweenRuns();
};

void TestRecentFiles::order()
{
    TempEnv env;
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        QVERIFY(env.writeFile(name, "x"));
        paths << env.filePath(name);
    }
    RecentFiles recent;
    recent.add(paths.at(0));
    recent.add(paths.at(1));
    recent.add(env.filePath(QStringLiteral("missing.txt")));
    QCOMPARE(recent.files(), QStringList({ paths.at(1), paths.at(0) }));
    // Opened again, a file moves to the top and is listed once.
    recent.add(paths.at(0));
    QCOMPARE(recent.files(), QStringList({ paths.at(0), paths.at(1) }));
    QCOMPARE(menuPaths(recent), recent.files());
    for (int i = 2; i < 11; ++i)
        recent.add(paths.at(i));
    QCOMPARE(recent.files().size(), RecentFiles::MaxFiles);
    QCOMPARE(recent.files().first(), paths.at(10));
    QVERIFY(!recent.files().contains(paths.at(1)));
    QVERIFY(!recent.files().contains(paths.at(0)));
    QCOMPARE(menuPaths(recent), recent.files());

    // A choice in the menu names its file.
    QSignalSpy chosen(&recent, &RecentFiles::chosen);
    recent.menu()->actions().at(2)->trigger();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), recent.files().at(2));
}

void TestRecentFiles::keptBetweenRuns()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("a.txt"), "x"));
    QVERIFY(env.writeFile(QStringLiteral("b.txt"), "x"));
    QVERIFY(env.writeFile(QStringLiteral("c.txt"), "x"));
    {
        RecentFiles recent;
        recent.add(env.filePath(QStringLiteral("a.txt")));
        recent.add(env.filePath(QStringLiteral("b.txt")));
        recent.add(env.filePath(QStringLiteral("c.txt")));
        recent.save();
    }
    // A file removed meanwhile is left out of the next run's list.
    QVERIFY(QFile::remove(env.filePath(QStringLiteral("b.txt"))));
    RecentFiles next;
    QVERIFY(next.load());
    QCOMPARE(next.files(),
             QStringList(
                 { env.filePath(QStringLiteral("c.txt")), env.filePath(QStringLiteral("a.txt")) }));
    QCOMPARE(menuPaths(next), next.files());
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
