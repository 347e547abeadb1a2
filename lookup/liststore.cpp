#include "liststore.h"

#include "compression.h"
#include "sqlcipherdriver.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

const QString KeyStatement = QStringLiteral("PRAGMA key = 'd19e07ab3c5f2e8846b0';");

std::atomic<quint64> connectionCounter { 0 };

} // namespace

ListStore::ListStore(const QString &fileName, const QStringList &tables)
    : m_connectionName(QStringLiteral("zuvo-list-%1").arg(connectionCounter.fetch_add(1)))
{
    registerSqlCipherDriver();
    database = QSqlDatabase::addDatabase(QStringLiteral("QSQLCIPHER"), m_connectionName);
    // The folder is made where the file is opened: made beside the program
    // while the file is opened in the current folder, a program started
    // elsewhere kept no history at all.
    QDir().mkpath(QFileInfo(fileName).path());
    database.setDatabaseName(fileName);
    if (!database.open()) {
        qDebug() << "Db not available!";
        return;
    }
    QSqlQuery query(database);
    execQuery(query, KeyStatement, true);
    for (const QString &table : tables) {
        if (!isTableExists(table))
            execQuery(query, QStringLiteral("CREATE TABLE %1 (data TEXT);").arg(table), true);
    }
}

ListStore::~ListStore()
{
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool ListStore::isOpen() const
{
    return database.isOpen();
}

bool ListStore::isValidTableName(const QString &name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    return identifier.match(name).hasMatch();
}

bool ListStore::isTableExists(const QString &name) const
{
    if (!isOpen() || !isValidTableName(name))
        return false;
    QSqlQuery query(database);
    query.prepare(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=:name"));
    query.bindValue(QStringLiteral(":name"), name);
    return query.exec() && query.next();
}

bool ListStore::execQuery(QSqlQuery &query, const QString &statement, bool clear) const
{
    if (statement.isEmpty()) {
        qDebug() << "Error : Query text is empty";
        return false;
    }
    const bool ok = query.exec(statement);
    if (!ok)
        qDebug() << statement << query.lastError().text() << "\n";
    if (clear)
        query.clear();
    return ok;
}

QString ListStore::read(const QString &table) const
{
    if (!isTableExists(table))
        return QString();
    QSqlQuery query(database);
    if (!execQuery(query, QStringLiteral("SELECT data FROM '%1';").arg(table), false) ||
        !query.next())
        return QString();
    return decodeValue(query.value(0).toByteArray());
}

QByteArray ListStore::encodeValue(const QString &text)
{
    return qCompress(text.toUtf8(), 9);
}

QString ListStore::decodeValue(const QByteArray &value)
{
    // The length prefix of a stored value is not trusted (a damaged or
    // hostile file could ask for gigabytes); a value that does not
    // uncompress reads as empty text.
    QByteArray bytes = guardedUncompress(value);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    // A stored row always reads as a non-null string, also when empty.
    QString text = QStringLiteral("");
    text.append(QString::fromUtf8(bytes));
    return text;
}

bool ListStore::write(const QString &table, const QString &text)
{
    if (!isTableExists(table))
        return false;
    if (!database.transaction()) {
        qDebug() << "List store: no transaction:" << database.lastError().text();
        return false;
    }
    bool ok;
    {
        QSqlQuery query(database);
        ok = execQuery(query, QStringLiteral("DROP TABLE %1;").arg(table), true) &&
            execQuery(query, QStringLiteral("CREATE TABLE %1 (data TEXT);").arg(table), true);
        if (ok) {
            ok = query.prepare(QStringLiteral("INSERT INTO %1 (data) VALUES(:data);").arg(table));
            query.bindValue(QStringLiteral(":data"), encodeValue(text));
            ok = ok && query.exec();
        }
    }
    if (ok)
        ok = database.commit();
    if (!ok) {
        qDebug() << "List store: table" << table << "not written:" << database.lastError().text();
        database.rollback();
    }
    return ok;
}
