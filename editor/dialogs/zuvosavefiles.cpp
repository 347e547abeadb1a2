#include "zuvosavefiles.h"
#include "ui_zuvosavefiles.h"

#include <QListWidgetItem>

ZuvoSaveFiles::ZuvoSaveFiles(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ZuvoSaveFiles)
{
    ui->setupUi(this);
}

ZuvoSaveFiles::~ZuvoSaveFiles()
{
    delete ui;
}

void ZuvoSaveFiles::setFilenames(const QStringList &names)
{
    ui->listWidget->addItems(names);
}

QStringList ZuvoSaveFiles::selectedFiles() const
{
    // Walk the rows rather than selectedItems(), which follows the order of clicks.
    QStringList picked;
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        const QListWidgetItem *item = ui->listWidget->item(row);
        if (item->isSelected())
            picked << item->text();
    }
    return picked;
}
