// The tab controller's keys as X11 delivers them: Ctrl+W closes the current
// tab, Ctrl+Z after an import has nothing to take back, keys typed while a
// document is being opened wait for it.
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "tabsession.h"
#include "testenv.h"
#include "unicodekaeditor.h"

#include <QApplication>
#include <QClipboard>
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
    void typingWhileTheDocumentIsOpened();
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

// The keys reach the tab before the document is shown (nothing lets the
// import's end through meanwhile): the tab takes none of them, and shows that
// it is busy; once the document is there, typing goes into it.
void TestTabWidgetKeys::typingWhileTheDocumentIsOpened()
{
    TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("c.odt"), ZuvoTest::tabFixture("document.odt")));
    ZuvoTest::MessageBoxWatcher watcher;
    Session s;
    QVERIFY(ZuvoTest::showActive(&s.window));
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    s.tabs->editFile(env.filePath(QStringLiteral("c.odt")));
    UnicodeKaEditor *editor = s.editor(1);
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("typed early"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(editor->document()->isEmpty());
    QVERIFY(!editor->document()->isModified());
    QCOMPARE(editor->viewport()->cursor().shape(), Qt::BusyCursor);

    QVERIFY(ZuvoTest::importsDone(s.tabs));
    const QString text = editor->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Opening words of the letter")), qPrintable(text));
    QVERIFY(!editor->document()->isModified());
    QCOMPARE(editor->viewport()->cursor().shape(), Qt::IBeamCursor);

    // Switched to English, the keys type as they are.
    s.tabs->slotChangeLanguage(9);
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral(" later"));
    QVERIFY2(editor->toPlainText().endsWith(QStringLiteral(" later")),
             qPrintable(editor->toPlainText()));
    QVERIFY(editor->document()->isModified());
    QVERIFY(watcher.seen().isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTabWidgetKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabwidgetkeys.moc"
