#include "singleinstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <unistd.h>

namespace {

const char AckByte = '\x06';
// Clients waiting for their message at the same time; more are turned away.
const int MaxPendingClients = 16;
// sun_path holds 108 bytes; stay clear of it.
const int MaxSocketPath = 100;

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

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
{
    QString appKey = key;
    if (appKey.isEmpty())
        appKey = QCoreApplication::applicationName();
    const QString base = QStringLiteral("%1-%2").arg(sanitizedKey(appKey)).arg(::getuid());
    const QString tmp = QDir::tempPath();
    m_lockPath = tmp + QLatin1Char('/') + base + QStringLiteral(".lock");
    m_serverName = tmp + QLatin1Char('/') + base + QStringLiteral(".sock");
    if (m_serverName.toLocal8Bit().size() > MaxSocketPath) {
        // A deep temporary folder: keep the socket short, but still tied to
        // that folder so that different folders never meet.
        const QByteArray h =
            QCryptographicHash::hash(tmp.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
        m_serverName = QStringLiteral("/tmp/%1-%2.sock").arg(base, QString::fromLatin1(h));
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

    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a dead owner makes the lock stale; a live one keeps it however old.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_otherRunning = true;
            return true;
        }
        // An unwritable temporary folder: better to start alone than not at all.
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
    if (payload.size() > MaxMessageSize)
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

    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (remaining() <= 0 || !socket.waitForBytesWritten(remaining()))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (remaining() <= 0 || !socket.waitForReadyRead(remaining()))
            return false;
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
