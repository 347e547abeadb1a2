// The side pane: folder navigation in the tree and the path line, and which
// documents a double-click hands to the tab controller.
#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "minibrowser.h"
#include "sqlcipherdriver.h"
#include "tabwidget.h"

#include "messageboxwatcher.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

const QString Refusal = QStringLiteral("Ouch sorry, can't handle this kind of file in Zuvo");

struct Pane
{
    explicit Pane(MiniBrowser *pane)
        : pathLine(pane->findChild<QLineEdit *>())
        , upButton(pane->findChild<QToolButton *>())
        , view(pane->findChild<QTreeView *>())
        , model(qobject_cast<QFileSystemModel *>(view->model()))
    {
    }

    QLineEdit *pathLine;
    QToolButton *upButton;
    QTreeView *view;
    QFileSystemModel *model;

    void doubleClick(const QString &path) { emit view->doubleClicked(model->index(path)); }
};

} // namespace

class TestMiniBrowser : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void openByKind_data();
    void openByKind();
    void folders();
    void upAtRoot();
    void changeRootPathIgnoresBadPaths();
};

void TestMiniBrowser::construction()
{
    MiniBrowser pane(nullptr);
    Pane p(&pane);
    QVERIFY(p.pathLine && p.upButton && p.view && p.model);
    QVERIFY(p.pathLine->isReadOnly());
    QVERIFY(p.view->isHeaderHidden());
    QVERIFY(!p.view->rootIsDecorated());
    QVERIFY(p.view->isColumnHidden(1) && p.view->isColumnHidden(2) && p.view->isColumnHidden(3));
    QVERIFY(!p.view->isColumnHidden(0));
    QVERIFY(!p.upButton->icon().isNull());
    QCOMPARE(p.upButton->iconSize(), QSize(16, 16));
    QCOMPARE(p.model->filter(),
             QDir::Dirs | QDir::Files | QDir::Drives | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    // The model starts at home and says so; the view is not moved there.
    QCOMPARE(p.model->rootPath(), QDir::homePath());
    QCOMPARE(p.pathLine->text(), QDir::homePath());
    QVERIFY(!p.view->rootIndex().isValid());
}

void TestMiniBrowser::openByKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("refused");

    QTest::newRow("TXT in capitals") << "notes.TXT" << QByteArray("namaste\n") << true << false;
    QTest::newRow("htm") << "page.htm" << QByteArray("<html><body><p>hello</p></body></html>")
                         << true << false;
    QTest::newRow("rtf") << "letter.rtf" << QByteArray("{\\rtf1\\ansi hello\\par}") << true
                         << false;
    QTest::newRow("tar.gz is gz") << "archive.tar.gz" << QByteArray("x") << false << true;
    QTest::newRow("odt is refused") << "report.odt" << QByteArray("x") << false << true;
    QTest::newRow("no dot") << "README" << QByteArray("x") << false << false;
}

void TestMiniBrowser::openByKind()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, opens);
    QFETCH(bool, refused);

    TempEnv env;
    QVERIFY(env.writeFile(name, content));
    const QString path = env.filePath(name);

    MainWindow window;
    TabWidget *tabs = window.tabController();
    window.initLoad({ QStringLiteral("editor") });
    const QStringList before = tabs->openDocuments();

    MiniBrowser pane(tabs);
    Pane p(&pane);
    MessageBoxWatcher watcher;
    p.doubleClick(path);

    const QStringList after = tabs->openDocuments();
    if (opens) {
        QCOMPARE(after.size(), before.size() + 1);
        QVERIFY2(after.contains(path) || after.contains(QFileInfo(path).canonicalFilePath()),
                 qPrintable(after.join(QLatin1Char('|'))));
    } else {
        QCOMPARE(after, before);
    }
    if (refused) {
        QCOMPARE(watcher.texts(), QStringList { Refusal });
        QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo") });
    } else if (!opens) {
        QVERIFY(watcher.seen().isEmpty());
    }
}

void TestMiniBrowser::folders()
{
    TempEnv env;
    QVERIFY(QDir(env.path()).mkpath(QStringLiteral("outer/inner")));
    QVERIFY(env.writeFile(QStringLiteral("outer/inner/a.txt"), "a"));
    const QString outer = env.filePath(QStringLiteral("outer"));
    const QString inner = env.filePath(QStringLiteral("outer/inner"));

    MiniBrowser pane(nullptr);
    Pane p(&pane);
    pane.changeRootPath(outer);
    QCOMPARE(p.view->rootIndex(), p.model->index(outer));

    MessageBoxWatcher watcher;
    p.doubleClick(inner);
    QCOMPARE(p.pathLine->text(), inner);
    QCOMPARE(p.view->rootIndex(), p.model->index(inner));
    QTRY_COMPARE(p.model->rowCount(p.view->rootIndex()), 1);

    p.upButton->click();
    QCOMPARE(p.pathLine->text(), outer);
    QCOMPARE(p.view->rootIndex(), p.model->index(outer));
    QVERIFY(watcher.seen().isEmpty());
}

void TestMiniBrowser::upAtRoot()
{
    MiniBrowser pane(nullptr);
    Pane p(&pane);
    p.model->setRootPath(QDir::rootPath());
    QCOMPARE(p.pathLine->text(), QDir::rootPath());
    const QModelIndex root = p.view->rootIndex();
    p.upButton->click();
    QCOMPARE(p.pathLine->text(), QDir::rootPath());
    QCOMPARE(p.view->rootIndex(), root);
}

void TestMiniBrowser::changeRootPathIgnoresBadPaths()
{
    TempEnv env;
    MiniBrowser pane(nullptr);
    Pane p(&pane);
    pane.changeRootPath(env.path());
    const QModelIndex shown = p.view->rootIndex();
    QVERIFY(shown.isValid());
    pane.changeRootPath(QString());
    QCOMPARE(p.view->rootIndex(), shown);
    pane.changeRootPath(env.filePath(QStringLiteral("missing/folder")));
    QCOMPARE(p.view->rootIndex(), shown);
    QCOMPARE(p.pathLine->text(), QDir::homePath());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestMiniBrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_minibrowser.moc"
