#include "findchild.h"
#include "markingtranslator.h"
#include "openpdfdialog.h"
#include "printersettingsdialog.h"

#include "messageboxwatcher.h"
#include "testenv.h"
#include "urlrecorder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTranslator>
#include <QtTest/QTest>

using ZuvoTest::MessageBoxWatcher;

class TestPdfExportDialogs : public QObject
{
    Q_OBJECT

private slots:
    void freshExportDialog();
    void valuesReadBack();
    void okNeedsFileName();
    void cancelSkipsFileNameCheck();
    void chooserSetsOrEmptiesFileName_data();
    void chooserSetsOrEmptiesFileName();
    void openButtons_data();
    void openButtons();
    void closeAccepts();
    void textsFollowLanguageChange();
};

static QPushButton *dialogButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    return ZuvoTest::child<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}

void TestPdfExportDialogs::freshExportDialog()
{
    PrinterSettingsDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Export to Pdf"));
    const Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    QCOMPARE(dialog.windowFlags() & flags, flags);
    QCOMPARE(OpenPdfDialog(nullptr).windowFlags() & flags, flags);
    QCOMPARE(dialog.pageOrientation(), 0);
    QCOMPARE(dialog.leftMargin(), 20.0);
    QCOMPARE(dialog.topMargin(), 20.0);
    QCOMPARE(dialog.rightMargin(), 0.0);
    QCOMPARE(dialog.bottomMargin(), 0.0);
    QVERIFY(dialog.filename().isEmpty());

    // The paper size is shown, fixed at A4, and never offered for change.
    auto *sizes = ZuvoTest::child<QComboBox>(&dialog, "papersizeComboBox");
    QStringList names;
    for (int i = 0; i < sizes->count(); ++i)
        names << sizes->itemText(i);
    QStringList expected;
    for (int i = 0; i <= 9; ++i)
        expected << QStringLiteral("A%1").arg(i);
    for (int i = 0; i <= 10; ++i)
        expected << QStringLiteral("B%1").arg(i);
    expected << "C5E"
             << "Comm10E"
             << "DLE"
             << "Executive"
             << "Folio"
             << "Ledger"
             << "Legal"
             << "Letter"
             << "Tabloid";
    QCOMPARE(names, expected);
    QCOMPARE(sizes->currentText(), QStringLiteral("A4"));
    dialog.show();
    QVERIFY(!sizes->isEnabled());
    QVERIFY(!ZuvoTest::child<QGroupBox>(&dialog, "groupBox_4")->isEnabled());

    // The page picture comes from the dialogs' own resources.
    QVERIFY(!ZuvoTest::child<QLabel>(&dialog, "label_2")->pixmap().isNull());
}

void TestPdfExportDialogs::valuesReadBack()
{
    PrinterSettingsDialog dialog(nullptr);
    dialog.setFilename(QStringLiteral("/tmp/out.pdf"));
    QCOMPARE(ZuvoTest::child<QLineEdit>(&dialog, "fileNameLineEdit")->text(),
             QStringLiteral("/tmp/out.pdf"));
    QCOMPARE(dialog.filename(), QStringLiteral("/tmp/out.pdf"));

    ZuvoTest::child<QRadioButton>(&dialog, "landscapeRadioButton")->setChecked(true);
    QCOMPARE(dialog.pageOrientation(), 1);
    ZuvoTest::child<QRadioButton>(&dialog, "portraitRadioButton")->setChecked(true);
    QCOMPARE(dialog.pageOrientation(), 0);

    ZuvoTest::child<QDoubleSpinBox>(&dialog, "leftMargin")->setValue(31.5);
    ZuvoTest::child<QDoubleSpinBox>(&dialog, "topMargin")->setValue(5); // below the minimum of 20
    ZuvoTest::child<QDoubleSpinBox>(&dialog, "rightMargin")->setValue(12.25);
    ZuvoTest::child<QDoubleSpinBox>(&dialog, "bottonMargin")->setValue(150); // above 99.99
    QCOMPARE(dialog.leftMargin(), 31.5);
    QCOMPARE(dialog.topMargin(), 20.0);
    QCOMPARE(dialog.rightMargin(), 12.25);
    QCOMPARE(dialog.bottomMargin(), 99.99);
}

void TestPdfExportDialogs::okNeedsFileName()
{
    MessageBoxWatcher watcher;
    PrinterSettingsDialog dialog(nullptr);
    dialog.show();
    dialogButton(&dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("Zuvo") });
    QCOMPARE(watcher.texts(),
             QStringList { QStringLiteral("You must enter the name for the new file") });
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    watcher.clear();
    dialog.setFilename(QStringLiteral("doc.pdf"));
    dialogButton(&dialog, QDialogButtonBox::Ok)->click();
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestPdfExportDialogs::cancelSkipsFileNameCheck()
{
    MessageBoxWatcher watcher;
    PrinterSettingsDialog dialog(nullptr);
    dialog.show();
    dialogButton(&dialog, QDialogButtonBox::Cancel)->click();
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestPdfExportDialogs::chooserSetsOrEmptiesFileName_data()
{
    QTest::addColumn<bool>("pick");
    QTest::newRow("file picked") << true;
    QTest::newRow("chooser cancelled") << false;
}

void TestPdfExportDialogs::chooserSetsOrEmptiesFileName()
{
    QFETCH(bool, pick);
    ZuvoTest::TempEnv env;
    const QString target = env.filePath(QStringLiteral("chosen.pdf"));

    MessageBoxWatcher watcher;
    QString caption;
    QStringList filters;
    watcher.setDialogHandler([&](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        if (!fd)
            return;
        caption = fd->windowTitle();
        filters = fd->nameFilters();
        if (pick) {
            // selectFile() leaves the name box alone while it has the focus.
            fd->selectFile(target);
            if (auto *nameBox = fd->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                nameBox->setText(target);
            QMetaObject::invokeMethod(fd, "accept"); // the chooser's own accept
        } else {
            fd->reject();
        }
    });

    PrinterSettingsDialog dialog(nullptr);
    dialog.setFilename(QStringLiteral("earlier.pdf"));
    dialog.show();
    ZuvoTest::child<QToolButton>(&dialog, "chooseFileNameBtn")->click();
    QCOMPARE(caption, QStringLiteral("Save File"));
    QCOMPARE(filters, QStringList { QStringLiteral("PDF files (*.pdf)") });
    QCOMPARE(dialog.filename(), pick ? target : QString());

    // With the box emptied by the cancelled chooser, Ok asks for a name.
    watcher.setDialogHandler(nullptr);
    watcher.clear();
    dialogButton(&dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(watcher.seen().size(), pick ? 0 : 1);
    QCOMPARE(dialog.isVisible(), !pick);
}

void TestPdfExportDialogs::openButtons_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("button");
    QTest::newRow("open existing") << true << "OpenBtn";
    QTest::newRow("folder of existing") << true << "OpenFolderBtn";
    QTest::newRow("open missing") << false << "OpenBtn";
    QTest::newRow("folder of missing") << false << "OpenFolderBtn";
}

void TestPdfExportDialogs::openButtons()
{
    QFETCH(bool, exists);
    QFETCH(QString, button);
    ZuvoTest::TempEnv env;
    const QString pdf = env.filePath(QStringLiteral("sub/written.pdf"));
    if (exists)
        QVERIFY(env.writeFile(QStringLiteral("sub/written.pdf"), "%PDF-1.4\n"));

    ZuvoTest::UrlRecorder urls;
    MessageBoxWatcher watcher;
    OpenPdfDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Export to Pdf"));
    dialog.setFilename(pdf);
    QCOMPARE(ZuvoTest::child<QLineEdit>(&dialog, "lineEdit")->text(), pdf);
    QVERIFY(ZuvoTest::child<QLineEdit>(&dialog, "lineEdit")->isReadOnly());
    dialog.show();
    ZuvoTest::child<QPushButton>(&dialog, button.toLatin1().constData())->click();

    QList<QUrl> expected;
    if (exists) {
        expected << QUrl::fromLocalFile(
            button == QLatin1String("OpenBtn") ? pdf : env.filePath(QStringLiteral("sub")));
    }
    QCOMPARE(urls.urls(), expected);
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(dialog.isVisible());
}

void TestPdfExportDialogs::closeAccepts()
{
    OpenPdfDialog dialog(nullptr);
    QCOMPARE(ZuvoTest::child<QPushButton>(&dialog, "OpenBtn")->text(), QStringLiteral("Open"));
    QCOMPARE(ZuvoTest::child<QPushButton>(&dialog, "OpenFolderBtn")->text(),
             QStringLiteral("Open Containing folder"));
    QCOMPARE(ZuvoTest::child<QPushButton>(&dialog, "CloseBtn")->text(), QStringLiteral("Close"));
    dialog.show();
    ZuvoTest::child<QPushButton>(&dialog, "CloseBtn")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestPdfExportDialogs::textsFollowLanguageChange()
{
    PrinterSettingsDialog settings(nullptr);
    OpenPdfDialog open(nullptr);
    settings.setFilename(QStringLiteral("kept.pdf"));
    ZuvoTest::child<QRadioButton>(&settings, "landscapeRadioButton")->setChecked(true);

    ZuvoTest::MarkingTranslator translator({ "PrinterSettingsDialog", "OpenPdfDialog" });
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(settings.windowTitle(), QStringLiteral("~Zuvo - Export to Pdf"));
    QCOMPARE(ZuvoTest::child<QLabel>(&settings, "label")->text(), QStringLiteral("~Filename :"));
    QCOMPARE(ZuvoTest::child<QComboBox>(&settings, "papersizeComboBox")->currentText(),
             QStringLiteral("~A4"));
    QCOMPARE(open.windowTitle(), QStringLiteral("~Zuvo - Export to Pdf"));
    QCOMPARE(ZuvoTest::child<QPushButton>(&open, "OpenBtn")->text(), QStringLiteral("~Open"));
    QCOMPARE(ZuvoTest::child<QPushButton>(&open, "OpenFolderBtn")->text(),
             QStringLiteral("~Open Containing folder"));
    QCOMPARE(ZuvoTest::child<QPushButton>(&open, "CloseBtn")->text(), QStringLiteral("~Close"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

    // What the user entered survives the new texts.
    QCOMPARE(settings.filename(), QStringLiteral("kept.pdf"));
    QCOMPARE(settings.pageOrientation(), 1);
    QCOMPARE(ZuvoTest::child<QPushButton>(&open, "OpenBtn")->text(), QStringLiteral("Open"));
}

QTEST_MAIN(TestPdfExportDialogs)
#include "tst_pdfexportdialogs.moc"
