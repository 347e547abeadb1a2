// The tab controller's keys as X11 delivers them: Ctrl+W closes the current
// tab, Ctrl+Z after an import has nothing to take back.
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "tabsession.h"
#include "testenv.h"
#include "unicodekaeditor.h"

#include <QApplication>
#include <QRegularExpression>
#include <QtTest/QTest>

using ZuvoTest::Session;
using ZuvoTest::TempEnv;

class TestTabWidgetKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ctrlWClosesTheTab();
    void ctrlZAfterImport();
};

void TestTabWidgetKeys::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
    // A key bound twice is reported so, and then does nothing.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("Ambiguous shortcut")));
}

void TestTabWidgetKeys::ctrlWClosesTheTab()
{
    TempEnv env;
    ZuvoTest::MessageBoxWatcher watcher;
    Session s;
    s.tabs->slotNew();
    s.tabs->slotNew();
    QCOMPARE(s.tabs->count(), 3);
    QVERIFY(ZuvoTest::showActive(&s.window));
    UnicodeKaEditor *editor = s.editor(2);
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(s.tabs->count(), 2);
    QCOMPARE(s.tabs->tabText(1), QStringLiteral("untitled-1"));
    QVERIFY(watcher.seen().isEmpty());
}

void TestTabWidgetKeys::ctrlZAfterImport()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), ZuvoTest::tabFixture("document.odt")));
    Session s({ env.filePath(QStringLiteral("c.odt")) });
    QVERIFY(ZuvoTest::importsDone(s.tabs));
    QVERIFY(ZuvoTest::showActive(&s.window));
    UnicodeKaEditor *editor = s.editor(0);
    const QString text = editor->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Opening words")));
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(!editor->document()->isModified());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTabWidgetKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabwidgetkeys.moc"
