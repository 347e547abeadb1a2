#include "getunicodetext.h"

#include "ui_getunicodetext.h"
#include "unicodelineedit.h"

#include <QEvent>

GetUnicodeText::GetUnicodeText(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui_GetUnicodeText)
{
    init();
}

GetUnicodeText::GetUnicodeText(int language, int keyboard, QWidget *parent)
    : GetUnicodeText(parent)
{
    ui->unicodeLineEdit->setLanguageAndKeyboard(language, keyboard);
}

GetUnicodeText::GetUnicodeText(int language, int keyboard, QString text, QWidget *parent)
    : GetUnicodeText(language, keyboard, parent)
{
    ui->unicodeLineEdit->setText(text);
}

GetUnicodeText::~GetUnicodeText()
{
    delete ui;
}

void GetUnicodeText::init()
{
    ui->setupUi(this);
    connect(ui->unicodeLineEdit, &UnicodeLineEdit::editingFinished, this, &QDialog::accept);
}

void GetUnicodeText::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

QString GetUnicodeText::text() const
{
    return ui->unicodeLineEdit->text();
}

void GetUnicodeText::selectAll()
{
    ui->unicodeLineEdit->selectAll();
}

void GetUnicodeText::setLanguageAndKeyboard(int language, int keyboard)
{
    ui->unicodeLineEdit->setLanguageAndKeyboard(language, keyboard);
}

void GetUnicodeText::setText(QString text)
{
    ui->unicodeLineEdit->setText(text);
}
