#include "dictinfo.h"

#include "makersite.h"
#include "ui_dictinfo.h"

DictInfo::DictInfo(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui_DictInfo)
{
    ui->setupUi(this);
    ui->failureMessageLabel->setText(
        ui->failureMessageLabel->text().arg(MakerSite::contactPage(), MakerSite::forumPage()));
}

DictInfo::~DictInfo()
{
    delete ui;
}

void DictInfo::updateData(QString wordcount, QString creationdate, QString languageName)
{
    // Plain text: these come from a database file, not from us.
    ui->languageNameLabel->setTextFormat(Qt::PlainText);
    ui->creationDateLabel->setTextFormat(Qt::PlainText);
    ui->wordcountLabel->setTextFormat(Qt::PlainText);
    ui->languageNameLabel->setText(languageName);
    ui->creationDateLabel->setText(creationdate);
    ui->wordcountLabel->setText(wordcount);
    if (!languageName.isEmpty()) {
        ui->failureMessageLabel->hide();
    } else {
        ui->groupBox->hide();
        ui->failureMessageLabel->show();
    }
}

void DictInfo::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}
