#ifndef ZUVO_LOOKUP_USERDICT_H
#define ZUVO_LOOKUP_USERDICT_H

#include <QObject>
#include <QString>

class UserDictPrivate;

// The user's own word list, in "./dat/usrdic.dat" (table UnicodeWords).
// Callers make one on the stack for one read or one write.
class UserDict : public QObject
{
public:
    explicit UserDict(QObject *parent = nullptr);
    ~UserDict() override;

    // The table's list text; null when the store or the table is missing.
    QString read(const QString &table);
    // Note the order: the text first, the table second. Replaces the table's
    // text; false (and the old text kept) on failure.
    bool write(const QString &text, const QString &table);

private:
    UserDictPrivate *const d;
};

#endif
