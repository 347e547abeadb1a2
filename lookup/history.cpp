#include "history.h"

#include "liststore.h"

class HistoryPrivate : public ListStore
{
public:
    explicit HistoryPrivate(History *owner)
        : ListStore(QStringLiteral("./dat/history.dat"),
                    { QStringLiteral("Find"), QStringLiteral("Replace") })
        , q(owner)
    {
    }

    History *const q;
};

History::History(QObject *parent)
    : QObject(parent)
    , d(new HistoryPrivate(this))
{
}

History::~History()
{
    delete d;
}

QString History::readHistory(const QString &table)
{
    return d->read(table);
}

bool History::writeHistory(const QString &table, const QString &text)
{
    return d->write(table, text);
}
