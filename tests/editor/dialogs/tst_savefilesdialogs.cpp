#include "advancedsettings.h"
#include "zuvosavefiles.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

class TestSaveFilesDialogs : public QObject
{
    Q_OBJECT

private slots:
    void forms();
    void namesAppendInOrder();
    void selectedFilesInListOrder();
    void buttonsCloseTheDialog_data();
    void buttonsCloseTheDialog();
};

void TestSaveFilesDialogs::forms()
{
    ZuvoSaveFiles files(nullptr);
    QCOMPARE(files.objectName(), QStringLiteral("ZuvoSaveFiles"));
    QCOMPARE(files.size(), QSize(495, 156));
    QCOMPARE(files.windowTitle(), QStringLiteral("Dialog"));
    auto *grid = files.findChild<QGridLayout *>(QStringLiteral("gridLayout"));
    QVERIFY(grid);
    QCOMPARE(grid->spacing(), 4);
    QCOMPARE(grid->contentsMargins(), QMargins(6, 6, 6, 6));
    auto *list = files.findChild<QListWidget *>(QStringLiteral("listWidget"));
    QVERIFY(list);
    QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
    auto *box = files.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    QCOMPARE(box->orientation(), Qt::Vertical);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Save | QDialogButtonBox::Cancel);

    AdvancedSettings advanced(nullptr);
    QCOMPARE(advanced.objectName(), QStringLiteral("AdvancedSettings"));
    QCOMPARE(advanced.size(), QSize(400, 300));
    QCOMPARE(advanced.windowTitle(), QStringLiteral("Dialog"));
    box = advanced.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    QCOMPARE(box->geometry(), QRect(30, 240, 341, 32));
    QCOMPARE(box->orientation(), Qt::Horizontal);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void TestSaveFilesDialogs::namesAppendInOrder()
{
    ZuvoSaveFiles files(nullptr);
    files.setFilenames({ "a.txt", "b.rtf" });
    files.setFilenames({ "b.rtf", "ಕನ್ನಡ.html" });
    auto *list = files.findChild<QListWidget *>(QStringLiteral("listWidget"));
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, QStringList({ "a.txt", "b.rtf", "b.rtf", "ಕನ್ನಡ.html" }));
}

void TestSaveFilesDialogs::selectedFilesInListOrder()
{
    ZuvoSaveFiles files(nullptr);
    files.setFilenames({ "one", "two", "three", "four" });
    QVERIFY(files.selectedFiles().isEmpty());
    auto *list = files.findChild<QListWidget *>(QStringLiteral("listWidget"));
    list->item(2)->setSelected(true);
    list->item(0)->setSelected(true);
    QCOMPARE(files.selectedFiles(), QStringList({ "one", "three" }));
    list->item(2)->setSelected(false);
    QCOMPARE(files.selectedFiles(), QStringList({ "one" }));
}

void TestSaveFilesDialogs::buttonsCloseTheDialog_data()
{
    QTest::addColumn<bool>("saveFiles");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("save files: Save")
        << true << int(QDialogButtonBox::Save) << int(QDialog::Accepted);
    QTest::newRow("save files: Cancel")
        << true << int(QDialogButtonBox::Cancel) << int(QDialog::Rejected);
    QTest::newRow("advanced: OK") << false << int(QDialogButtonBox::Ok) << int(QDialog::Accepted);
    QTest::newRow("advanced: Cancel")
        << false << int(QDialogButtonBox::Cancel) << int(QDialog::Rejected);
}

void TestSaveFilesDialogs::buttonsCloseTheDialog()
{
    QFETCH(bool, saveFiles);
    QFETCH(int, button);
    QFETCH(int, result);
    std::unique_ptr<QDialog> dialog;
    if (saveFiles)
        dialog = std::make_unique<ZuvoSaveFiles>(nullptr);
    else
        dialog = std::make_unique<AdvancedSettings>(nullptr);
    dialog->setResult(-1);
    dialog->show();
    auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    box->button(QDialogButtonBox::StandardButton(button))->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), result);
}

QTEST_MAIN(TestSaveFilesDialogs)
#include "tst_savefilesdialogs.moc"
