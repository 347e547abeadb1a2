#include "printersettingsdialog.h"
#include "ui_printersettingsdialog.h"

#include "ts.h"

#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>

// The pictures live in a static library: register them before the form needs them.
static void initDialogResources()
{
    Q_INIT_RESOURCE(dialogs_settings);
}

PrinterSettingsDialog::PrinterSettingsDialog(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::PrinterSettingsDialog)
{
    initDialogResources();
    ui->setupUi(this);
}

PrinterSettingsDialog::~PrinterSettingsDialog()
{
    delete ui;
}

void PrinterSettingsDialog::setFilename(const QString &name)
{
    ui->fileNameLineEdit->setText(name);
}

QString PrinterSettingsDialog::filename() const
{
    return ui->fileNameLineEdit->text();
}

int PrinterSettingsDialog::pageOrientation() const
{
    return ui->portraitRadioButton->isChecked() ? 0 : 1;
}

double PrinterSettingsDialog::leftMargin() const
{
    return ui->leftMargin->value();
}

double PrinterSettingsDialog::topMargin() const
{
    return ui->topMargin->value();
}

double PrinterSettingsDialog::rightMargin() const
{
    return ui->rightMargin->value();
}

double PrinterSettingsDialog::bottomMargin() const
{
    return ui->bottonMargin->value();
}

void PrinterSettingsDialog::applyPageLayout(QPrinter &printer) const
{
    // The margins are device pixels of the printer; the page layout knows no
    // such unit, so they go in as points at the printer's resolution.
    const double toPoint = 72.0 / printer.resolution();
    printer.setPageMargins(QMarginsF(leftMargin() * toPoint, topMargin() * toPoint,
                                     rightMargin() * toPoint, bottomMargin() * toPoint),
                           QPageLayout::Point);
    printer.setPageOrientation(pageOrientation() == 1 ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
}

void PrinterSettingsDialog::on_chooseFileNameBtn_clicked()
{
    // No starting folder: the chooser opens where it last was (or in the
    // working folder). A cancelled chooser empties the box on purpose, so Ok
    // then asks for a name instead of exporting over a stale one.
    const QString name =
        QFileDialog::getSaveFileName(this, tr("Save File"), QString(), tr("PDF files (*.pdf)"));
    ui->fileNameLineEdit->setText(name);
}

void PrinterSettingsDialog::accept()
{
    if (ui->fileNameLineEdit->text().isEmpty()) {
        QMessageBox::information(this, Ts::APP_NAME, tr("You must enter the name for the new file"),
                                 QMessageBox::Ok);
        return;
    }
    QDialog::accept();
}

void PrinterSettingsDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
