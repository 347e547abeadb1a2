#include "sqlcipherdriver.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMutex>
#include <QPluginLoader>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>

namespace {

const QString DriverName = QStringLiteral("QSQLCIPHER");

// Qt 6 keeps its SQLite driver class private, so the driver comes from the
// installed plug-in. It is loaded once and never unloaded.
QSqlDriverPlugin *sqlitePlugin()
{
    static QMutex mutex;
    static QSqlDriverPlugin *plugin = nullptr;
    static bool tried = false;
    QMutexLocker lock(&mutex);
    if (tried)
        return plugin;
    tried = true;
    const QStringList candidates {
        QStringLiteral("sqldrivers/qsqlite"),
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/sqldrivers/libqsqlite.so"),
    };
    for (const QString &name : candidates) {
        QPluginLoader loader(name);
        if (auto *p = qobject_cast<QSqlDriverPlugin *>(loader.instance())) {
            plugin = p;
            break;
        }
        qDebug() << "QSQLCIPHER: cannot load" << name << loader.errorString();
    }
    return plugin;
}

class CipherDriverCreator : public QSqlDriverCreatorBase
{
public:
    QSqlDriver *createObject() const override
    {
        auto *p = qobject_cast<QSQLCipherDriverPlugin *>(qt_plugin_instance_qsqlcipher());
        return p ? p->create(DriverName) : nullptr;
    }
};

} // namespace

QSQLCipherDriverPlugin::QSQLCipherDriverPlugin(QObject *parent)
    : QSqlDriverPlugin(parent)
{
}

QStringList QSQLCipherDriverPlugin::keys() const
{
    return QStringList { DriverName };
}

QSqlDriver *QSQLCipherDriverPlugin::create(const QString &key)
{
    if (key != DriverName)
        return nullptr;
    QSqlDriverPlugin *sqlite = sqlitePlugin();
    return sqlite ? sqlite->create(QStringLiteral("QSQLITE")) : nullptr;
}

QObject *qt_plugin_instance_qsqlcipher()
{
    static QMutex mutex;
    static QPointer<QObject> instance;
    QMutexLocker lock(&mutex);
    if (!instance)
        instance = new QSQLCipherDriverPlugin;
    return instance;
}

bool registerSqlCipherDriver()
{
    static QMutex mutex;
    static bool registered = false;
    {
        QMutexLocker lock(&mutex);
        if (!registered) {
            QSqlDatabase::registerSqlDriver(DriverName, new CipherDriverCreator);
            registered = true;
        }
    }
    return sqlitePlugin() != nullptr;
}
