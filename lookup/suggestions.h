#ifndef ZUVO_LOOKUP_SUGGESTIONS_H
#define ZUVO_LOOKUP_SUGGESTIONS_H

#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;

// A popup list of replacement words; a double-click on one emits it and
// closes the popup, which deletes itself on closing. It is visible as soon
// as it is made.
class Suggestions : public QWidget
{
    Q_OBJECT

public:
    Suggestions(const QStringList &words, QWidget *parent = nullptr);

    // Shows these words, in this order.
    void updateList(const QStringList &words);

signals:
    void wordSelected(const QString &word);

public slots:
    void onItemDoubleClicked(QListWidgetItem *item);

private:
    QListWidget *m_list;
};

#endif
