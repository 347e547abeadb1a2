// For the tests of the single-instance layer and of the program: files that
// another user leaves in a shared temporary folder, and the state of a
// process. Making a file another user's needs the right to change owners
// (root, as in CI); without it the tests that need such files skip.
#ifndef ZUVO_TESTS_DICTIONARY_SINGLEINSTANCETEST_H
#define ZUVO_TESTS_DICTIONARY_SINGLEINSTANCETEST_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace ForeignFiles {

// "nobody" on Debian: never the user running the tests.
constexpr uid_t OtherUser = 65534;
constexpr gid_t OtherGroup = 65534;

inline QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Hands the file (not what a link points to) to the other user.
inline bool giveAway(const QString &path)
{
    return ::lchown(native(path).constData(), OtherUser, OtherGroup) == 0;
}

inline bool canGiveAway()
{
    return ::geteuid() == 0;
}

// A folder like /tmp: anyone may add entries, only owners remove theirs.
inline bool makeSharedFolder(const QString &path)
{
    return QDir().mkpath(path) && ::chmod(native(path).constData(), 01777) == 0;
}

inline bool makeFolder(const QString &path, mode_t mode)
{
    return QDir().mkpath(path) && ::chmod(native(path).constData(), mode) == 0;
}

// A lock file as a live copy writes it: it names this test process, which
// runs, so the lock file class itself would take it for a running copy.
inline bool plantLiveLock(const QString &path)
{
    const QString scratch = path + QStringLiteral(".scratch");
    QByteArray content;
    {
        QLockFile lock(scratch);
        if (!lock.tryLock(0))
            return false;
        QFile f(scratch);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        content = f.readAll();
    }
    QFile out(path);
    return !content.isEmpty() && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        out.write(content) == content.size();
}

// The same, owned by the other user.
inline bool plantForeignLock(const QString &path)
{
    return plantLiveLock(path) && giveAway(path);
}

inline bool plantForeignFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write("x") == 1 &&
        (f.close(), giveAway(path));
}

inline uid_t ownerOf(const QString &path)
{
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0 ? st.st_uid : uid_t(-1);
}

inline uid_t ownerOfProcess(qint64 pid)
{
    return ownerOf(QStringLiteral("/proc/%1").arg(pid));
}

inline mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0 ? (st.st_mode & 07777) : mode_t(0);
}

// Sets or removes an environment variable until the end of the scope.
class EnvOverride
{
public:
    EnvOverride(const char *name, const QByteArray &value, bool set = true)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (set)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~EnvOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvOverride(const EnvOverride &) = delete;
    EnvOverride &operator=(const EnvOverride &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace ForeignFiles

// The scheduler state of a process ('R', 'S', 'T' for stopped, ...), or 0
// when there is no such process.
inline char processState(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() ? line.at(close + 2) : 0;
}

#endif
