#ifndef ZUVO_DICTIONARY_SINGLEINSTANCE_H
#define ZUVO_DICTIONARY_SINGLEINSTANCE_H

#include <QByteArray>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QWidget;

// Keeps one running copy of a program per user. The first copy that takes the
// lock file becomes the primary and listens on a local socket; later copies
// find the lock taken and hand the primary a text message instead of starting
// themselves.
//
// The lock and the socket live in a folder only the user can enter: the
// session's runtime folder ($XDG_RUNTIME_DIR) when it is the user's own and
// closed to others, otherwise a folder "zuvo-<uid>" of the temporary folder
// that this layer makes with mode 0700 and whose owner it checks. Another
// user can plant files in a shared temporary folder, but never in these; a
// lock or socket file that is not the user's own is removed, never taken for
// a running copy. When no such folder can be had, the copy starts alone.
//
// Wire format (client to primary): a 4-byte big-endian length followed by that
// many bytes of UTF-8. The primary answers one acknowledgement byte once it has
// the whole message, and only then emits messageReceived().
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // Messages longer than this are refused and their sender dropped.
    static constexpr int MaxMessageSize = 64 * 1024;
    // A client that has not sent a whole message within this time is dropped.
    static constexpr int ClientIdleTimeout = 3000;
    // The longest socket path used where the lock is (sun_path holds 108
    // bytes); a longer one goes to a private folder of /tmp instead.
    static constexpr int MaxSocketPath = 100;

    // key: what identifies the program; empty means the application's name.
    explicit SingleInstance(const QString &key = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance holds the lock. The first call decides: when
    // the lock is free (or left by a dead process) this instance takes it and
    // starts listening, and stays the primary for the rest of its life.
    bool isRunning();

    // Sends a message to the running instance; true only once that instance has
    // acknowledged it within timeout milliseconds. Blocks the calling thread,
    // which is fine for a second start that has no window.
    bool sendMessage(const QString &message, int timeout = 5000);

    // With activateOnMessage, every received message un-minimises, raises and
    // activates the window.
    void setActivationWindow(QWidget *window, bool activateOnMessage = true);
    QWidget *activationWindow() const;

    // Where the lock and the socket live (used by tests and diagnostics); both
    // empty when no private folder could be had.
    QString lockFilePath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

public slots:
    void activateWindow();

signals:
    void messageReceived(const QString &message);

private slots:
    void onNewConnection();

private:
    struct Client
    {
        QByteArray buffer;
    };

    void readClient(QLocalSocket *socket);
    void dropClient(QLocalSocket *socket);

    QString m_lockPath;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, Client> m_clients;
    QPointer<QWidget> m_window;
    bool m_activateOnMessage = false;
    bool m_decided = false;
    bool m_otherRunning = false;
};

#endif
