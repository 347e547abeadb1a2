#include "suggestions.h"

#include <QListWidget>
#include <QVBoxLayout>

Suggestions::Suggestions(const QStringList &words, QWidget *parent)
    : QWidget(parent, Qt::Popup)
    , m_list(new QListWidget)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setFont(QFont(QStringLiteral("Tunga"), 11));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &Suggestions::onItemDoubleClicked);
    updateList(words);
    setAttribute(Qt::WA_DeleteOnClose);
}

void Suggestions::updateList(const QStringList &words)
{
    m_list->clear();
    m_list->addItems(words);
    setVisible(true);
}

void Suggestions::onItemDoubleClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString word = item->text();
    emit wordSelected(word);
    m_list->clear();
    close();
}
