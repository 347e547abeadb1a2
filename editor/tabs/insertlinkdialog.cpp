#include "insertlinkdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

InsertLinkDialog::InsertLinkDialog(QWidget *parent)
    : QDialog(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("InsertLinkDialog"));
    resize(390, 89);

    gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));

    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    gridLayout->addWidget(label_2, 0, 0);

    urlLineEdit = new QLineEdit(this);
    urlLineEdit->setObjectName(QStringLiteral("urlLineEdit"));
    gridLayout->addWidget(urlLineEdit, 1, 0, 1, 2);

    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    gridLayout->addWidget(buttonBox, 2, 1);

    retranslateUi();

    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

QString InsertLinkDialog::url() const
{
    return urlLineEdit->text();
}

void InsertLinkDialog::setURL(const QString &url)
{
    urlLineEdit->setText(url);
}

void InsertLinkDialog::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        retranslateUi();
}

void InsertLinkDialog::retranslateUi()
{
    setWindowTitle(QCoreApplication::translate("InsertLinkDialog", "Dialog"));
    label_2->setText(QCoreApplication::translate("InsertLinkDialog", "URL:"));
}
