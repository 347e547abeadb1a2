#include "inserttabledialog.h"
#include "ui_inserttabledialog.h"

#include <QEvent>

InsertTableDialog::InsertTableDialog(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::InsertTableDialog)
{
    ui->setupUi(this);
}

InsertTableDialog::~InsertTableDialog()
{
    delete ui;
}

int InsertTableDialog::rows() const
{
    return ui->rowsSpinBox->value();
}

int InsertTableDialog::columns() const
{
    return ui->columnsSpinBox->value();
}

void InsertTableDialog::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
