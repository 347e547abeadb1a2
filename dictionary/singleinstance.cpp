#include "singleinstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char AckByte = '\x06';
// Clients waiting for their message at the same time; more are turned away.
const int MaxPendingClients = 16;

QString sanitizedKey(const QString &key)
{
    QString out;
    for (QChar c : key) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out.append(c);
        else if (c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.'))
            out.append(c);
        else
            out.append(QLatin1Char('_'));
    }
    if (out.isEmpty())
        out = QStringLiteral("app");
    return out.left(48);
}

bool ownedAndClosed(const struct stat &st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The session's runtime folder, when it is a folder of this user that nobody
// else may enter; empty otherwise.
QString runtimeFolder()
{
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (path.isEmpty() || !path.startsWith(QLatin1Char('/')))
        return QString();
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !ownedAndClosed(st))
        return QString();
    return path;
}

// "zuvo-<uid>" in the given folder: made with mode 0700 when missing; used
// only when it is a real folder (no link) of this user, and closed to others
// first when it is the user's own but open. Empty when it cannot be had, for
// instance when another user made a folder of that name first.
QString privateFolderIn(const QString &parent)
{
    if (parent.isEmpty())
        return QString();
    const QString path = parent + QStringLiteral("/zuvo-%1").arg(::geteuid());
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    // Checked and mended through one descriptor, so that what is checked is
    // what is mended.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return QString();
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 077) != 0)
        ok = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok ? path : QString();
}

// Removes whatever is at path unless it is a file of the given type owned by
// this user. False when something foreign stays there.
bool clearForeign(const QString &path, mode_t type)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        return errno == ENOENT;
    if ((st.st_mode & S_IFMT) == type && st.st_uid == ::geteuid())
        return true;
    qWarning() << "SingleInstance: removing" << path << "which is not this user's own";
    if (S_ISDIR(st.st_mode))
        return ::rmdir(native.constData()) == 0;
    return ::unlink(native.constData()) == 0;
}

// Whether the process runs as this user. A lock of ours may name a process
// of another user when the pid of a dead copy was given again to a program
// of the same name: that process is no copy of ours. Where processes cannot
// be looked at, every process counts as this user's.
bool isOwnProcess(qint64 pid)
{
    struct stat st;
    if (::stat(QByteArray("/proc/" + QByteArray::number(pid)).constData(), &st) != 0)
        return errno != ENOENT || ::access("/proc/self", F_OK) != 0;
    return st.st_uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
{
    QString appKey = key;
    if (appKey.isEmpty())
        appKey = QCoreApplication::applicationName();
    const QString base = QStringLiteral("%1-%2").arg(sanitizedKey(appKey)).arg(::geteuid());

    // A temporary folder that does not exist yields an empty path, never "/".
    QString folder = runtimeFolder();
    if (folder.isEmpty())
        folder = privateFolderIn(QDir::tempPath());
    if (folder.isEmpty())
        return;
    m_lockPath = folder + QLatin1Char('/') + base + QStringLiteral(".lock");
    m_serverName = folder + QLatin1Char('/') + base + QStringLiteral(".sock");
    if (QFile::encodeName(m_serverName).size() > SingleInstance::MaxSocketPath) {
        // A deep folder: keep the socket short, in a private folder of the
        // system's temporary folder, but still tied to the deep folder so that
        // different folders never meet.
        const QByteArray h =
            QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
        const QString shortFolder = privateFolderIn(QStringLiteral("/tmp"));
        m_serverName = shortFolder.isEmpty()
            ? QString()
            : QStringLiteral("%1/%2-%3.sock").arg(shortFolder, base, QString::fromLatin1(h));
        if (m_serverName.isEmpty())
            m_lockPath.clear();
    }
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::isRunning()
{
    if (m_decided)
        return m_otherRunning;
    m_decided = true;

    if (m_lockPath.isEmpty()) {
        // Another user may have taken the folder's name: better to start alone
        // than to be kept from starting.
        qWarning() << "SingleInstance: no private folder for the lock; starting alone";
        return false;
    }
    // A lock another user planted (or left) is no running copy of ours.
    if (!clearForeign(m_lockPath, S_IFREG) || !clearForeign(m_serverName, S_IFSOCK)) {
        qWarning() << "SingleInstance: cannot clear" << m_lockPath << "; starting alone";
        return false;
    }
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a dead owner makes the lock stale; a live one keeps it however old.
    m_lock->setStaleLockTime(0);
    bool locked = m_lock->tryLock(0);
    qint64 pid = 0;
    QString host, app;
    if (!locked && m_lock->error() == QLockFile::LockFailedError &&
        m_lock->getLockInfo(&pid, &host, &app) && host == QSysInfo::machineHostName() &&
        !isOwnProcess(pid)) {
        m_lock->removeStaleLockFile();
        locked = m_lock->tryLock(0);
    }
    if (!locked) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_otherRunning = true;
            return true;
        }
        // An unwritable folder: better to start alone than not at all.
        qWarning() << "SingleInstance: cannot create" << m_lockPath << m_lock->error();
        return false;
    }

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, any socket file left behind belongs to a dead instance.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        qWarning() << "SingleInstance: cannot listen on" << m_serverName << m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return false;
}

bool SingleInstance::sendMessage(const QString &message, int timeout)
{
    const QByteArray payload = message.toUtf8();
    if (payload.size() > MaxMessageSize || m_serverName.isEmpty())
        return false;
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), frame.data());
    frame += payload;

    QElapsedTimer clock;
    clock.start();
    auto remaining = [&]() { return int(qMax<qint64>(0, timeout - clock.elapsed())); };

    QLocalSocket socket;
    // The primary may hold the lock but not listen yet: retry until the time is up.
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(remaining()))
            break;
        socket.abort();
        if (remaining() <= 0)
            return false;
        QThread::msleep(qMin(20, remaining()));
    }

    // Only the end of the time-out or of the connection (the primary gone)
    // ends the wait: a wait that returns early without either is resumed, so
    // that a primary that is merely slow gets all of its time.
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (socket.state() != QLocalSocket::ConnectedState || remaining() <= 0)
            return false;
        socket.waitForBytesWritten(remaining());
    }
    while (socket.bytesAvailable() < 1) {
        if (socket.state() != QLocalSocket::ConnectedState || remaining() <= 0)
            return false;
        socket.waitForReadyRead(remaining());
    }
    char ack = 0;
    return socket.getChar(&ack) && ack == AckByte;
}

void SingleInstance::setActivationWindow(QWidget *window, bool activateOnMessage)
{
    m_window = window;
    if (activateOnMessage == m_activateOnMessage)
        return;
    m_activateOnMessage = activateOnMessage;
    if (activateOnMessage)
        connect(this, &SingleInstance::messageReceived, this, &SingleInstance::activateWindow);
    else
        disconnect(this, &SingleInstance::messageReceived, this, &SingleInstance::activateWindow);
}

QWidget *SingleInstance::activationWindow() const
{
    return m_window;
}

void SingleInstance::activateWindow()
{
    if (!m_window)
        return;
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (m_clients.size() >= MaxPendingClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_clients.insert(socket, Client());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() { readClient(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket]() {
            m_clients.remove(socket);
            socket->deleteLater();
        });
        // The context object ends the timer together with the socket.
        QTimer::singleShot(ClientIdleTimeout, socket, [this, socket]() { dropClient(socket); });
        if (socket->bytesAvailable() > 0)
            readClient(socket);
    }
}

void SingleInstance::readClient(QLocalSocket *socket)
{
    auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    // Never read more than one frame's worth, whatever the client sends.
    const qint64 room = 4 + MaxMessageSize - it->buffer.size();
    it->buffer += socket->read(qMax<qint64>(0, room));
    if (it->buffer.size() < 4)
        return;
    const quint32 length = qFromBigEndian<quint32>(it->buffer.constData());
    if (length > quint32(MaxMessageSize)) {
        qWarning() << "SingleInstance: message too long, client dropped";
        dropClient(socket);
        return;
    }
    if (it->buffer.size() < 4 + qsizetype(length))
        return;

    const QString message = QString::fromUtf8(it->buffer.constData() + 4, qsizetype(length));
    m_clients.remove(socket);
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    socket->write(&AckByte, 1);
    socket->flush();
    // Closes once the acknowledgement is out; `disconnected` deletes the socket.
    socket->disconnectFromServer();
    emit messageReceived(message);
}

void SingleInstance::dropClient(QLocalSocket *socket)
{
    if (!m_clients.remove(socket))
        return;
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
}
