#include "vavovaruvidedurovid.h"

#include "makersite.h"
#include "ui_vavovaruvidedurovid.h"

VavovAruvIdedurovid::VavovAruvIdedurovid(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui_VavovAruvIdedurovid)
{
    ui->setupUi(this);
    ui->label_3->setText(ui->label_3->text().arg(MakerSite::base()));
    ui->verticalLayout->setAlignment(ui->label, Qt::AlignHCenter);
}

VavovAruvIdedurovid::~VavovAruvIdedurovid()
{
    delete ui;
}

void VavovAruvIdedurovid::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}
