#include "ansikaeditor.h"

#include <QSignalSpy>
#include <QtTest/QtTest>

class TestAnsiKaEditor : public QObject
{
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
};

// What the last key of the typed text announces: the line converted word by word.
void TestAnsiKaEditor::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QStringList>("announced");
    QTest::newRow("two words") << QStringLiteral("ka ga") << false
                               << QStringList { QStringLiteral("\u0C95 "),
                                                QStringLiteral("\u0C95 \u0C97 ") };
    QTest::newRow("vowel sign") << QStringLiteral("kA") << false
                                << QStringList { QStringLiteral("\u0C95\u0CBE ") };
    QTest::newRow("one letter") << QStringLiteral("k") << false << QStringList();
    QTest::newRow("end of word") << QStringLiteral("ka,") << false << QStringList();
    QTest::newRow("hyphen") << QStringLiteral("ka-") << false << QStringList();
    QTest::newRow("read-only") << QStringLiteral("ka") << true << QStringList();
}

void TestAnsiKaEditor::typing()
{
    QFETCH(QString, typed);
    QFETCH(bool, readOnly);
    QFETCH(QStringList, announced);
    AnsiKaEditor editor;
    QCOMPARE(editor.font().family(), QStringLiteral("Tunga"));
    editor.setReadOnly(readOnly);
    QSignalSpy spy(&editor, &AnsiKaEditor::wordAdded);
    QTest::keyClicks(&editor, typed.chopped(1));
    spy.clear();
    QTest::keyClicks(&editor, typed.right(1));
    QStringList got;
    for (const QList<QVariant> &args : std::as_const(spy))
        got << args.at(0).toString();
    QCOMPARE(got, announced);
    QCOMPARE(editor.toPlainText(), readOnly ? QString() : typed);
}

QTEST_MAIN(TestAnsiKaEditor)
#include "tst_ansikaeditor.moc"
