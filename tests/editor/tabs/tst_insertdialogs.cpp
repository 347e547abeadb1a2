#include "insertlinkdialog.h"
#include "inserttabledialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest/QTest>

class TestInsertDialogs : public QObject
{
    Q_OBJECT

private slots:
    void tableDefaultsToTwoByTwo();
    void tableSpinBoxesStayAboveZero();
    void tableCancel();
    void linkReturnsTextUnchanged_data();
    void linkReturnsTextUnchanged();
};

void TestInsertDialogs::tableDefaultsToTwoByTwo()
{
    InsertTableDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Insert Table"));
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    dialog.show();
    box->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.rows(), 2);
    QCOMPARE(dialog.columns(), 2);
}

void TestInsertDialogs::tableSpinBoxesStayAboveZero()
{
    InsertTableDialog dialog(nullptr);
    for (const char *name : { "rowsSpinBox", "columnsSpinBox" }) {
        auto *spin = dialog.findChild<QSpinBox *>(QLatin1String(name));
        QVERIFY2(spin, name);
        spin->setValue(0);
        QCOMPARE(spin->value(), 1);
        spin->setValue(-5);
        QCOMPARE(spin->value(), 1);
        spin->setValue(7);
    }
    QCOMPARE(dialog.rows(), 7);
    QCOMPARE(dialog.columns(), 7);
}

void TestInsertDialogs::tableCancel()
{
    InsertTableDialog dialog(nullptr);
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    dialog.show();
    box->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestInsertDialogs::linkReturnsTextUnchanged_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("address") << QStringLiteral("https://example.org/a b?x=1#frag");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces kept") << QStringLiteral("  mailto:someone@example.org  ");
    QTest::newRow("kannada") << QStringLiteral("ಕನ್ನಡ");
}

void TestInsertDialogs::linkReturnsTextUnchanged()
{
    QFETCH(QString, url);
    InsertLinkDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    dialog.setURL(QStringLiteral("old"));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("urlLineEdit"));
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("old"));
    edit->clear();
    edit->setFocus();
    if (!url.isEmpty())
        edit->setText(url);
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    dialog.show();
    box->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.url(), url);
}

QTEST_MAIN(TestInsertDialogs)
#include "tst_insertdialogs.moc"
