#include "helptopics.h"
#include "ui_helptopics.h"

#include "makersite.h"

#include <QFile>

static void initWindowsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    Q_UNUSED(done);
}

HelpTopics::HelpTopics(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::HelpTopics)
{
    initWindowsResources();
    ui->setupUi(this);
    connect(ui->findForward, &QAbstractButton::clicked, this, &HelpTopics::onFindForwardClicked);
    connect(ui->findBackWard, &QAbstractButton::clicked, this, &HelpTopics::onFindBackwardClicked);

    ui->textEdit->clear();
    QFile page(QStringLiteral(":/resources/HelpTopics.html"));
    if (page.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QByteArray bytes = page.readAll();
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        ui->textEdit->setHtml(QString::fromUtf8(bytes).arg(
            MakerSite::base(), MakerSite::name(), MakerSite::forumPage(),
            MakerSite::shown(MakerSite::forumPage())));
    }
    ui->lineEdit->selectAll();
    ui->lineEdit->setFocus(Qt::OtherFocusReason);
}

HelpTopics::~HelpTopics()
{
    delete ui;
}

void HelpTopics::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void HelpTopics::onFindForwardClicked()
{
    ui->textEdit->find(ui->lineEdit->text());
}

void HelpTopics::onFindBackwardClicked()
{
    ui->textEdit->find(ui->lineEdit->text(), QTextDocument::FindBackward);
}
