#include "scriptconvertdialog.h"
#include "ui_scriptconvertdialog.h"

#include "makersite.h"

#include <QApplication>
#include <QEvent>
#include <QShowEvent>

ScriptConvertDialog::ScriptConvertDialog(int currentLanguage, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::ScriptConvertDialog)
    , m_currentLanguage(currentLanguage)
{
    ui->setupUi(this);
    fillSupportLink();
    ui->textBrowser->setVisible(ui->groupBox->isChecked());
    connect(ui->groupBox, &QGroupBox::toggled, this, &ScriptConvertDialog::onNotesChecked);
    ui->fromLanguageCombo->setCurrentIndex(m_currentLanguage);
}

ScriptConvertDialog::~ScriptConvertDialog()
{
    delete ui;
}

int ScriptConvertDialog::toLanguage() const
{
    return ui->toLanguageCombo->currentIndex();
}

// Latin parts of the source are always transliterated into the destination.
bool ScriptConvertDialog::isEnglishConverted() const
{
    return true;
}

void ScriptConvertDialog::onNotesChecked(bool checked)
{
    ui->textBrowser->setVisible(checked);
}

void ScriptConvertDialog::accept()
{
    QDialog::accept();
}

void ScriptConvertDialog::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void ScriptConvertDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        fillSupportLink();
    }
}

// The notes end with a link to the support page; the form holds "%1" there.
void ScriptConvertDialog::fillSupportLink()
{
    ui->textBrowser->setHtml(ui->textBrowser->toHtml().arg(MakerSite::supportPage()));
}
