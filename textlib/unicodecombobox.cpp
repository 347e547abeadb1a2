#include "unicodecombobox.h"

#include "unicodelineedit.h"

#include <QHBoxLayout>
#include <QToolButton>

class UnicodeComboBoxPrivate
{
public:
    explicit UnicodeComboBoxPrivate(UnicodeComboBox *owner)
        : q(owner)
    {
    }

    void setupUi();

    UnicodeComboBox *const q;
    UnicodeLineEdit *lineEdit = nullptr;
    QToolButton *arrowButton = nullptr;
};

void UnicodeComboBoxPrivate::setupUi()
{
    auto *layout = new QHBoxLayout(q);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    lineEdit = new UnicodeLineEdit(q);
    lineEdit->setIsComboBox(true);
    layout->addWidget(lineEdit);
    arrowButton = new QToolButton(q);
    arrowButton->setAutoRaise(false);
    arrowButton->setArrowType(Qt::DownArrow);
    arrowButton->setIconSize(QSize(8, 16));
    layout->addWidget(arrowButton);
    QObject::connect(arrowButton, &QToolButton::clicked, lineEdit,
                     &UnicodeLineEdit::toggleAutoCompleter);
}

// The parts are made here, so that lineEdit() is never null.
UnicodeComboBox::UnicodeComboBox(QWidget *parent)
    : QWidget(parent)
    , d(new UnicodeComboBoxPrivate(this))
{
    d->setupUi();
}

UnicodeComboBox::~UnicodeComboBox()
{
    delete d;
}

UnicodeLineEdit *UnicodeComboBox::lineEdit() const
{
    return d->lineEdit;
}
