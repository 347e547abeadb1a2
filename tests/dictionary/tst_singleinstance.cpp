#include <QTemporaryDir>
#include <QtTest>

#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QWidget>
#include <QtEndian>

#include <csignal>
#include <sys/types.h>

#include "singleinstance.h"
#include "singleinstancetest.h"

using ForeignFiles::EnvOverride;

namespace {

QByteArray frame(const QByteArray &payload)
{
    QByteArray f(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), f.data());
    return f + payload;
}

// One helper process, started with the test's key and watched for its lines.
class Helper
{
public:
    explicit Helper(const QString &key)
    {
        m_proc.setProgram(QStringLiteral(SINGLEINSTANCE_HELPER));
        m_proc.setArguments({ key });
        m_proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Helper()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_proc.processId()), SIGCONT);
            m_proc.kill();
            m_proc.waitForFinished(5000);
        }
    }
    QProcess &proc() { return m_proc; }

    // Starts it and waits until it reports being the primary.
    bool startPrimary()
    {
        m_proc.start();
        if (!m_proc.waitForStarted(5000))
            return false;
        return waitForLine("primary ");
    }
    bool waitForLine(const QByteArray &prefix)
    {
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            while (m_proc.canReadLine()) {
                const QByteArray line = m_proc.readLine().trimmed();
                m_lines << line;
                if (line.startsWith(prefix))
                    return true;
            }
            if (m_proc.state() == QProcess::NotRunning)
                return false;
            m_proc.waitForReadyRead(200);
        }
        return false;
    }
    QList<QByteArray> lines() const { return m_lines; }

private:
    QProcess m_proc;
    QList<QByteArray> m_lines;
};

// Runs a second start to its end; returns its exit code (-1 when it did not end).
int runSecond(const QString &key, qint64 *elapsedMs = nullptr, QByteArray *out = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(SINGLEINSTANCE_HELPER), { key });
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class TstSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartWakesFirst();
    void stoppedFirstMakesSecondFail();
    void killedFirstIsTakenOver();
    void sameProcessSeesItsOwnLock();
    void unusableTempFolderStartsAlone();
    void privateFolder_data();
    void privateFolder();
    void foreignLockInSharedFolder();
    void lockNamingAnotherUsersProcess();
    void framing_data();
    void framing();
    void activationWindowIsRestored();
};

void TstSingleInstance::secondStartWakesFirst()
{
    const QString key = QStringLiteral("wake");
    Helper first(key);
    QVERIFY(first.startPrimary());

    QByteArray out;
    QCOMPARE(runSecond(key, nullptr, &out), 0);
    // The second start never became a primary of its own.
    QVERIFY2(out.isEmpty(), out.constData());
    QVERIFY(first.waitForLine("message "));
    QCOMPARE(first.lines().last(), QByteArray("message WakeUp"));
}

void TstSingleInstance::stoppedFirstMakesSecondFail()
{
    const QString key = QStringLiteral("stopped");
    Helper first(key);
    QVERIFY(first.startPrimary());
    const qint64 pid = first.proc().processId();
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    // The stop has taken effect before the second start begins: a first copy
    // still running could answer it.
    QTRY_COMPARE(processState(pid), 'T');

    qint64 elapsed = 0;
    const int code = runSecond(key, &elapsed);
    // Only a first copy that stayed stopped and alive all along says anything
    // about the second start's patience.
    const char state = processState(pid);
    ::kill(pid_t(pid), SIGCONT);
    QCOMPARE(state, 'T');
    QCOMPARE(code, 1);
    // It gave the first instance its full time-out before giving up.
    QVERIFY2(elapsed >= 4500, qPrintable(QString::number(elapsed)));
}

void TstSingleInstance::killedFirstIsTakenOver()
{
    const QString key = QStringLiteral("killed");
    {
        Helper first(key);
        QVERIFY(first.startPrimary());
        first.proc().kill(); // SIGKILL: lock file and socket file stay behind
        QVERIFY(first.proc().waitForFinished(5000));
    }
    Helper next(key);
    QVERIFY(next.startPrimary());
    QCOMPARE(runSecond(key), 0);
    QVERIFY(next.waitForLine("message "));
}

void TstSingleInstance::sameProcessSeesItsOwnLock()
{
    SingleInstance a(QStringLiteral("inproc"));
    QVERIFY(!a.isRunning());
    QVERIFY(!a.isRunning()); // decided once, stays the primary
    SingleInstance b(QStringLiteral("inproc"));
    QVERIFY(b.isRunning());
    SingleInstance c(QStringLiteral("inproc-other"));
    QVERIFY(!c.isRunning());
    QCOMPARE(a.lockFilePath(), b.lockFilePath());
    QVERIFY(a.lockFilePath() != c.lockFilePath());
}

void TstSingleInstance::unusableTempFolderStartsAlone()
{
    // No runtime folder and a temporary folder that does not exist: no lock
    // anywhere (least of all in "/"), and nothing to talk to.
    EnvOverride runtime("XDG_RUNTIME_DIR", QByteArray(), false);
    EnvOverride tmp("TMPDIR",
                    QFile::encodeName(QDir::temp().filePath(QStringLiteral("missing/deeper"))));
    SingleInstance a(QStringLiteral("notemp"));
    QVERIFY(!a.isRunning());
    QVERIFY(a.lockFilePath().isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("/notemp-%1.lock").arg(::geteuid())));
    SingleInstance b(QStringLiteral("notemp"));
    QVERIFY(!b.isRunning());
    QVERIFY(!a.sendMessage(QStringLiteral("WakeUp"), 200));
}

namespace {

// What another user (or the user) left where the lock and the socket go.
enum Plant {
    ForeignLockAtSharedName, // the names older versions used, in the shared folder
    ForeignPrivateFolder, // the private folder's name taken, open, a live lock inside
    ForeignClosedPrivateFolder,
    LinkAsPrivateFolder, // a link of theirs to a folder of ours
    ForeignLockInPrivateFolder, // our folder, their live lock and socket file in it
    FolderAsLock,
    OpenPrivateFolder, // our folder, open to others
    RuntimeFolder,
    ForeignRuntimeFolder,
    OpenRuntimeFolder,
};

bool plant(Plant what, const QString &shared, const QString &runtime, const QString &key)
{
    using namespace ForeignFiles;
    const QString uid = QString::number(::geteuid());
    const QString priv = shared + QStringLiteral("/zuvo-") + uid;
    const QString name = key + QLatin1Char('-') + uid;
    if (!makeSharedFolder(shared))
        return false;
    switch (what) {
    case ForeignLockAtSharedName:
        return plantForeignLock(shared + QLatin1Char('/') + name + QStringLiteral(".lock")) &&
            plantForeignFile(shared + QLatin1Char('/') + name + QStringLiteral(".sock"));
    case ForeignPrivateFolder:
        return makeFolder(priv, 0777) &&
            plantForeignLock(priv + QLatin1Char('/') + name + QStringLiteral(".lock")) &&
            giveAway(priv);
    case ForeignClosedPrivateFolder:
        return makeFolder(priv, 0700) && giveAway(priv);
    case LinkAsPrivateFolder: {
        const QString mine = QFileInfo(shared).path() + QStringLiteral("/mine");
        return makeFolder(mine, 0700) && QFile::link(mine, priv) && giveAway(priv);
    }
    case ForeignLockInPrivateFolder:
        return makeFolder(priv, 0700) &&
            plantForeignLock(priv + QLatin1Char('/') + name + QStringLiteral(".lock")) &&
            plantForeignFile(priv + QLatin1Char('/') + name + QStringLiteral(".sock"));
    case FolderAsLock: {
        const QString lock = priv + QLatin1Char('/') + name + QStringLiteral(".lock");
        return makeFolder(priv, 0700) && makeFolder(lock, 0755) && giveAway(lock);
    }
    case OpenPrivateFolder:
        return makeFolder(priv, 0777);
    case RuntimeFolder:
        return makeFolder(runtime, 0700);
    case ForeignRuntimeFolder:
        return makeFolder(runtime, 0700) && giveAway(runtime);
    case OpenRuntimeFolder:
        return makeFolder(runtime, 0755);
    }
    return false;
}

} // namespace

void TstSingleInstance::privateFolder_data()
{
    QTest::addColumn<int>("what");
    // Where the lock goes: "runtime", "private" (the private folder of the
    // shared temporary folder), or "" when the copy starts alone.
    QTest::addColumn<QString>("expected");
    // Below which folder the case is set up: "" the test's temporary folder
    // (short or deep as the checkout is), "short" a folder of /tmp, "deep"
    // one whose socket path passes the limit.
    QTest::addColumn<QString>("place");

    // clang-format off
    QTest::newRow("foreign lock at the shared name") << int(ForeignLockAtSharedName) << QStringLiteral("private") << QString();
    QTest::newRow("private folder taken, open")      << int(ForeignPrivateFolder)   << QStringLiteral("") << QString();
    QTest::newRow("private folder taken, closed")    << int(ForeignClosedPrivateFolder) << QStringLiteral("") << QString();
    QTest::newRow("link as the private folder")      << int(LinkAsPrivateFolder)    << QStringLiteral("") << QString();
    QTest::newRow("foreign lock in our folder")      << int(ForeignLockInPrivateFolder) << QStringLiteral("private") << QString();
    QTest::newRow("folder as the lock")              << int(FolderAsLock)           << QStringLiteral("private") << QString();
    QTest::newRow("our folder left open")            << int(OpenPrivateFolder)      << QStringLiteral("private") << QString();
    QTest::newRow("runtime folder")                  << int(RuntimeFolder)          << QStringLiteral("runtime") << QString();
    QTest::newRow("runtime folder of another user")  << int(ForeignRuntimeFolder)   << QStringLiteral("private") << QString();
    QTest::newRow("runtime folder open to others")   << int(OpenRuntimeFolder)      << QStringLiteral("private") << QString();
    QTest::newRow("runtime folder, short path")      << int(RuntimeFolder)          << QStringLiteral("runtime") << QStringLiteral("short");
    QTest::newRow("runtime folder, deep path")       << int(RuntimeFolder)          << QStringLiteral("runtime") << QStringLiteral("deep");
    QTest::newRow("private folder, deep path")       << int(OpenPrivateFolder)      << QStringLiteral("private") << QStringLiteral("deep");
    // clang-format on
}

void TstSingleInstance::privateFolder()
{
    QFETCH(int, what);
    QFETCH(QString, expected);
    QFETCH(QString, place);
    if (!ForeignFiles::canGiveAway())
        QSKIP("making another user's files needs root");

    QTemporaryDir shortDir(QStringLiteral("/tmp/pf-XXXXXX"));
    QVERIFY(shortDir.isValid());
    QString parent = QDir::tempPath();
    if (place == QLatin1String("short"))
        parent = shortDir.path();
    else if (place == QLatin1String("deep"))
        parent = QDir::temp().filePath(QString(SingleInstance::MaxSocketPath, QLatin1Char('d')));
    const QString base = parent + QStringLiteral("/pf-%1").arg(what);
    const QString shared = base + QStringLiteral("/shared");
    const QString runtime = base + QStringLiteral("/runtime");
    const QString key = QStringLiteral("pf");
    QVERIFY(plant(Plant(what), shared, runtime, key));
    EnvOverride tmp("TMPDIR", QFile::encodeName(shared));
    const bool withRuntime =
        what == RuntimeFolder || what == ForeignRuntimeFolder || what == OpenRuntimeFolder;
    EnvOverride xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime), withRuntime);

    SingleInstance a(key);
    QVERIFY(!a.isRunning());
    SingleInstance b(key);
    const QString uid = QString::number(::geteuid());
    const QString priv = shared + QStringLiteral("/zuvo-") + uid;
    if (expected.isEmpty()) {
        // Not kept from starting, and nothing of theirs taken for ours.
        QVERIFY(a.lockFilePath().isEmpty());
        QVERIFY(!b.isRunning());
        QVERIFY(ForeignFiles::ownerOf(priv) != ::geteuid());
        return;
    }
    const QString folder = expected == QLatin1String("runtime") ? runtime : priv;
    const QString name = key + QLatin1Char('-') + uid;
    QCOMPARE(a.lockFilePath(), folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    QCOMPARE(ForeignFiles::ownerOf(a.lockFilePath()), ::geteuid());
    QCOMPARE(ForeignFiles::modeOf(folder), mode_t(0700));
    // The socket goes beside the lock unless its path would be too long for
    // a local socket; then to the user's private folder of /tmp, under a
    // name of its own for each folder.
    const QString besideLock = folder + QLatin1Char('/') + name + QStringLiteral(".sock");
    if (QFile::encodeName(besideLock).size() <= SingleInstance::MaxSocketPath) {
        QVERIFY(place != QLatin1String("deep"));
        QCOMPARE(a.serverName(), besideLock);
    } else {
        QVERIFY(place != QLatin1String("short"));
        const QString shortFolder = QStringLiteral("/tmp/zuvo-") + uid;
        QCOMPARE(QFileInfo(a.serverName()).path(), shortFolder);
        QVERIFY2(QFileInfo(a.serverName()).fileName().startsWith(name + QLatin1Char('-')),
                 qPrintable(a.serverName()));
        QVERIFY(QFile::encodeName(a.serverName()).size() <= SingleInstance::MaxSocketPath);
        QCOMPARE(ForeignFiles::modeOf(shortFolder), mode_t(0700));
    }
    // The copy that took the lock is the running one for every later start.
    QVERIFY(b.isRunning());
}

void TstSingleInstance::foreignLockInSharedFolder()
{
    // Another user's live lock and socket file at the names older versions
    // used in the shared temporary folder: the first start comes up at once
    // and a second one wakes it.
    if (!ForeignFiles::canGiveAway())
        QSKIP("making another user's files needs root");
    const QString shared = QDir::temp().filePath(QStringLiteral("foreign/shared"));
    const QString key = QStringLiteral("foreign");
    QVERIFY(plant(ForeignLockAtSharedName, shared, QString(), key));
    const QString priv = shared + QStringLiteral("/zuvo-%1").arg(::geteuid());
    QVERIFY(ForeignFiles::makeFolder(priv, 0700));
    QVERIFY(
        ForeignFiles::plantForeignLock(priv + QStringLiteral("/foreign-%1.lock").arg(::geteuid())));
    EnvOverride tmp("TMPDIR", QFile::encodeName(shared));
    EnvOverride xdg("XDG_RUNTIME_DIR", QByteArray(), false);

    Helper first(key);
    QVERIFY(first.startPrimary());
    QCOMPARE(runSecond(key), 0);
    QVERIFY(first.waitForLine("message "));
    QCOMPARE(first.lines().last(), QByteArray("message WakeUp"));
}

void TstSingleInstance::lockNamingAnotherUsersProcess()
{
    // Our lock, left by a copy that died, whose pid now belongs to another
    // user's program of the same name: no copy of ours runs.
    if (!ForeignFiles::canGiveAway())
        QSKIP("starting another user's process needs root");
    QProcess other;
    other.setChildProcessModifier([] {
        if (::setgid(ForeignFiles::OtherGroup) != 0 || ::setuid(ForeignFiles::OtherUser) != 0)
            ::_exit(3);
    });
    other.start(QStringLiteral("sleep"), { QStringLiteral("60") });
    QVERIFY(other.waitForStarted());
    const auto stop = qScopeGuard([&other] {
        other.kill();
        other.waitForFinished();
    });
    QTRY_COMPARE(ForeignFiles::ownerOfProcess(other.processId()), ForeignFiles::OtherUser);

    SingleInstance probe(QStringLiteral("reused"));
    QVERIFY(ForeignFiles::plantLiveLock(probe.lockFilePath()));
    // The lock as that copy wrote it, naming the other user's process.
    QFile lock(probe.lockFilePath());
    QVERIFY(lock.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = lock.readAll().split('\n');
    lock.close();
    QVERIFY(lines.size() > 2);
    lines[0] = QByteArray::number(other.processId());
    lines[1] = "sleep";
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(lines.join('\n'));
    lock.close();
    QLockFile reader(probe.lockFilePath());
    qint64 pid = 0;
    QString host, app;
    QVERIFY(reader.getLockInfo(&pid, &host, &app));
    QCOMPARE(pid, other.processId());

    SingleInstance a(QStringLiteral("reused"));
    QVERIFY(!a.isRunning());
    QVERIFY(reader.getLockInfo(&pid, &host, &app));
    QCOMPARE(pid, QCoreApplication::applicationPid());
}

void TstSingleInstance::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("expected"); // null: the client is dropped unanswered

    const QByteArray kn = QStringLiteral(u"ಕನ್ನಡ\u200D").toUtf8();
    QTest::newRow("whole") << QList<QByteArray> { frame("WakeUp") } << QStringLiteral("WakeUp");
    QList<QByteArray> bytes;
    for (char c : frame("WakeUp"))
        bytes << QByteArray(1, c);
    QTest::newRow("byte by byte") << bytes << QStringLiteral("WakeUp");
    QTest::newRow("kannada") << QList<QByteArray> { frame(kn) } << QString::fromUtf8(kn);
    QTest::newRow("empty message") << QList<QByteArray> { frame("") } << QStringLiteral("");
    QTest::newRow("trailing bytes ignored")
        << QList<QByteArray> { frame("WakeUp") + "junk" } << QStringLiteral("WakeUp");
    QTest::newRow("too long") << QList<QByteArray> { QByteArray("\xff\xff\xff\xff", 4) + "x" }
                              << QString();
    QTest::newRow("one past the cap")
        << QList<QByteArray> { frame(QByteArray(SingleInstance::MaxMessageSize + 1, 'a')) }
        << QString();
    QTest::newRow("silent") << QList<QByteArray> {} << QString();
    QTest::newRow("truncated") << QList<QByteArray> { frame("WakeUp").left(7) } << QString();
}

void TstSingleInstance::framing()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, expected);

    SingleInstance primary(QStringLiteral("framing"));
    QVERIFY(!primary.isRunning());
    QSignalSpy received(&primary, &SingleInstance::messageReceived);

    QLocalSocket client;
    client.connectToServer(primary.serverName());
    QTRY_VERIFY(client.state() == QLocalSocket::ConnectedState);
    for (const QByteArray &c : chunks) {
        client.write(c);
        QTRY_VERIFY(client.bytesToWrite() == 0);
        QCoreApplication::processEvents(); // the primary reads this chunk alone
    }

    // Whatever it sent, the primary ends the connection: after the answer, or
    // by dropping a client that sends too much or stops short.
    QTRY_VERIFY_WITH_TIMEOUT(client.state() == QLocalSocket::UnconnectedState, 15000);
    const QByteArray answer = client.readAll();
    if (expected.isNull()) {
        QCOMPARE(received.count(), 0);
        QVERIFY(answer.isEmpty());
    } else {
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), expected);
        QCOMPARE(answer, QByteArray("\x06"));
    }
}

void TstSingleInstance::activationWindowIsRestored()
{
    const QString key = QStringLiteral("activate");
    SingleInstance primary(key);
    QVERIFY(!primary.isRunning());
    QWidget window;
    window.showMinimized();
    QVERIFY(window.isMinimized());
    primary.setActivationWindow(&window);
    QCOMPARE(primary.activationWindow(), &window);
    QSignalSpy received(&primary, &SingleInstance::messageReceived);

    // The second start runs as another process while this one serves it.
    QProcess second;
    second.start(QStringLiteral(SINGLEINSTANCE_HELPER), { key });
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 15000);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("WakeUp"));
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());

    // Without activation a message leaves the window alone.
    primary.setActivationWindow(&window, false);
    window.showMinimized();
    QProcess third;
    third.start(QStringLiteral(SINGLEINSTANCE_HELPER), { key });
    QTRY_VERIFY_WITH_TIMEOUT(third.state() == QProcess::NotRunning, 15000);
    QCOMPARE(third.exitCode(), 0);
    QCOMPARE(received.count(), 2);
    QVERIFY(window.isMinimized());
}

QTEST_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
