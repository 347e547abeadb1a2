#ifndef ZUVO_LOOKUP_LISTSTORE_H
#define ZUVO_LOOKUP_LISTSTORE_H

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlQuery;

// A list store: an SQLite file in which every named list is a table of its
// own holding one row, the list joined with line feeds, UTF-8, compressed
// with qCompress at level 9 (kept as a blob in a column declared TEXT).
//
// Each store object has a connection of its own, so that stores and the
// dictionary lookups never close each other's database; it is removed when
// the object ends. The file name is relative to the current directory.
class ListStore
{
public:
    // Opens the file (its folder, "dat", is made where the file is opened)
    // and makes the tables that are missing. A file that does not open leaves the store
    // closed: it reads null strings and writes nothing.
    ListStore(const QString &fileName, const QStringList &tables);
    ~ListStore();
    ListStore(const ListStore &) = delete;
    ListStore &operator=(const ListStore &) = delete;

    bool isOpen() const;
    bool isTableExists(const QString &name) const;
    // Runs one statement; failures go to the debug output.
    bool execQuery(QSqlQuery &query, const QString &statement, bool clear) const;

    // The list text of the table: null when the store is closed, the table
    // is missing or has no row; empty when its value does not uncompress.
    QString read(const QString &table) const;
    // Replaces the table's text (drop, re-create, insert) in one
    // transaction: on any failure the previous text stays and the result is
    // false. A table that does not exist is not made.
    bool write(const QString &table, const QString &text);

    // A stored value and the list text it holds. decodeValue trusts nothing
    // in the value: a damaged or hostile one gives empty text (never null).
    static QByteArray encodeValue(const QString &text);
    static QString decodeValue(const QByteArray &value);

    // The names a store accepts for its tables: a letter or "_" followed by
    // letters, digits and "_" (they are written into statements).
    static bool isValidTableName(const QString &name);

    QSqlDatabase database;

private:
    QString m_connectionName;
};

#endif
