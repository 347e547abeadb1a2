#include "userdict.h"

#include "liststore.h"

class UserDictPrivate : public ListStore
{
public:
    explicit UserDictPrivate(UserDict *owner)
        : ListStore(QStringLiteral("./dat/usrdic.dat"), { QStringLiteral("UnicodeWords") })
        , q(owner)
    {
    }

    UserDict *const q;
};

UserDict::UserDict(QObject *parent)
    : QObject(parent)
    , d(new UserDictPrivate(this))
{
}

UserDict::~UserDict()
{
    delete d;
}

QString UserDict::read(const QString &table)
{
    return d->read(table);
}

bool UserDict::write(const QString &text, const QString &table)
{
    return d->write(table, text);
}
