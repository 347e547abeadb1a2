#include "aboutzuvo.h"
#include "ui_aboutzuvo.h"

#include "makersite.h"

static void initWindowsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    Q_UNUSED(done);
}

AboutZuvo::AboutZuvo(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::AboutZuvo)
{
    initWindowsResources();
    ui->setupUi(this);
    ui->verticalLayout->setAlignment(ui->label, Qt::AlignHCenter);
    // retranslateUi sets the same texts in the same context; running it again
    // keeps the box right when a translation is installed after setupUi.
    ui->retranslateUi(this);
    ui->label_5->setText(ui->label_5->text().arg(MakerSite::base(), MakerSite::name()));
}

AboutZuvo::~AboutZuvo()
{
    delete ui;
}

void AboutZuvo::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}
