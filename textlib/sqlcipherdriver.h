#ifndef ZUVO_TEXTLIB_SQLCIPHERDRIVER_H
#define ZUVO_TEXTLIB_SQLCIPHERDRIVER_H

#include <QSqlDriverPlugin>
#include <QStringList>

// The driver name under which every database of the programs is opened.
// It hands out Qt's SQLite driver: the databases are plain SQLite 3 files and
// the key statement sent after opening is accepted and ignored by SQLite.
class QSQLCipherDriverPlugin : public QSqlDriverPlugin
{
    Q_OBJECT
public:
    explicit QSQLCipherDriverPlugin(QObject *parent = nullptr);

    // The one key, "QSQLCIPHER".
    QStringList keys() const;
    // A new SQLite driver (no parent) for exactly "QSQLCIPHER", else null;
    // null also when Qt's SQLite plug-in cannot be loaded.
    QSqlDriver *create(const QString &key) override;
};

// The one plug-in object, made on the first call.
QObject *qt_plugin_instance_qsqlcipher();

// Makes the driver name "QSQLCIPHER" known to QSqlDatabase. Every main() and
// every test calls it before the first database is opened (a static
// initialiser in a static library may be dropped by the linker). Calling it
// again does nothing. Returns whether Qt's SQLite driver could be loaded.
bool registerSqlCipherDriver();

#endif
