#include "keyboardexamples.h"
#include "ui_keyboardexamples.h"

#include <QPixmap>

static void initWindowsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    Q_UNUSED(done);
}

KeyboardExamples::KeyboardExamples(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::KeyboardExamples)
{
    initWindowsResources();
    ui->setupUi(this);
    connect(ui->comboBox, &QComboBox::activated, this, &KeyboardExamples::onShowExample);
    connect(ui->pushClose, &QAbstractButton::clicked, this, &QWidget::close);
}

KeyboardExamples::~KeyboardExamples()
{
    delete ui;
}

void KeyboardExamples::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void KeyboardExamples::onShowExample(int index)
{
    QString picture;
    switch (index) {
    case 1:
        picture = QStringLiteral(":/resources/examples/Nudi.png");
        break;
    case 2:
        picture = QStringLiteral(":/resources/examples/phonetic-2.png");
        break;
    default:
        picture = QStringLiteral(":/resources/examples/Phonetic.png");
        break;
    }
    ui->label->setPixmap(QPixmap(picture));
}
