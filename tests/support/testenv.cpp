#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace ZuvoTest {

TempEnv::TempEnv()
    : m_oldCwd(QDir::currentPath())
{
    if (m_dir.isValid()) {
        QDir::setCurrent(m_dir.path());
        QDir(m_dir.path()).mkpath(QStringLiteral("settings"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_dir.filePath(QStringLiteral("settings")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           m_dir.filePath(QStringLiteral("settings")));
    }
}

TempEnv::~TempEnv()
{
    QDir::setCurrent(m_oldCwd);
}

bool TempEnv::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString full = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray TempEnv::readFile(const QString &name) const
{
    return fileBytes(m_dir.filePath(name));
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool inCI()
{
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

QString findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

bool showActive(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace ZuvoTest
