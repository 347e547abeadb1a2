#include "openpdfdialog.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

OpenPdfDialog::OpenPdfDialog(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    auto *grid = new QGridLayout(this);
    lineEdit = new QLineEdit(this);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setReadOnly(true);
    OpenBtn = new QPushButton(this);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenFolderBtn = new QPushButton(this);
    OpenFolderBtn->setObjectName(QStringLiteral("OpenFolderBtn"));
    CloseBtn = new QPushButton(this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    grid->addWidget(lineEdit, 0, 0, 1, 3);
    grid->addWidget(OpenBtn, 1, 0);
    grid->addWidget(OpenFolderBtn, 1, 1);
    grid->addWidget(CloseBtn, 1, 2);
    resize(383, 78);
    retranslate();
    QMetaObject::connectSlotsByName(this);
}

void OpenPdfDialog::setFilename(const QString &path)
{
    lineEdit->setText(path);
}

// A missing file (or a failing desktop handler) is passed over in silence:
// the export already reported what it wrote.
void OpenPdfDialog::on_OpenBtn_clicked()
{
    const QString path = lineEdit->text();
    if (!path.isEmpty() && QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void OpenPdfDialog::on_OpenFolderBtn_clicked()
{
    const QString path = lineEdit->text();
    if (!path.isEmpty() && QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).path()));
}

void OpenPdfDialog::on_CloseBtn_clicked()
{
    accept();
}

void OpenPdfDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void OpenPdfDialog::retranslate()
{
    setWindowTitle(tr("Zuvo - Export to Pdf"));
    OpenBtn->setText(tr("Open"));
    OpenFolderBtn->setText(tr("Open Containing folder"));
    CloseBtn->setText(tr("Close"));
}
