// The built program itself: a second start hands "WakeUp" to the running one
// and ends with 0 without a window of its own, or with 1 when the running one
// cannot answer. The environment (temporary folder, settings) is the test's
// own, so the lock and the socket are never those of a user's copy.
#include <QtTest>

#include <QFile>
#include <QProcess>

#include <csignal>
#include <sys/types.h>

#include "singleinstance.h"
#include "singleinstancetest.h"

namespace {

qint64 lockOwner(const QString &lockPath)
{
    QFile f(lockPath);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const qint64 pid = f.readLine().trimmed().toLongLong(&ok);
    return ok ? pid : -1;
}

// The running copy, ended (and woken first, if stopped) when the test ends.
class First
{
public:
    First()
    {
        m_proc.setProgram(QStringLiteral(DICTIONARY_PROGRAM));
        m_proc.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ~First()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_proc.processId()), SIGCONT);
            m_proc.kill();
            m_proc.waitForFinished(5000);
        }
    }
    // Starts the program and waits until it holds the lock and listens.
    bool start()
    {
        m_proc.start();
        if (!m_proc.waitForStarted(5000))
            return false;
        SingleInstance probe(QStringLiteral("dictionary"));
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            // The lock names its owner: files left by an earlier copy do not count.
            if (lockOwner(probe.lockFilePath()) == m_proc.processId() &&
                QFile::exists(probe.serverName()))
                return true;
            if (m_proc.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(20);
        }
        return false;
    }
    QProcess &proc() { return m_proc; }

private:
    QProcess m_proc;
};

int runSecond(qint64 *elapsedMs = nullptr)
{
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    second.start(QStringLiteral(DICTIONARY_PROGRAM));
    if (!second.waitForFinished(20000)) {
        second.kill();
        second.waitForFinished();
        return -1;
    }
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
}

} // namespace

class TstDictionaryProgram : public QObject
{
    Q_OBJECT

private slots:
    void secondStartWakesFirst();
    void secondStartFailsOnStoppedFirst();
    void foreignLockInSharedFolder();
};

void TstDictionaryProgram::secondStartWakesFirst()
{
    First first;
    QVERIFY(first.start());
    QCOMPARE(runSecond(), 0);
    QCOMPARE(runSecond(), 0);
    // Woken, the first copy goes on running.
    QVERIFY(!first.proc().waitForFinished(200));
    QCOMPARE(first.proc().state(), QProcess::Running);
}

void TstDictionaryProgram::secondStartFailsOnStoppedFirst()
{
    First first;
    QVERIFY(first.start());
    // Stopped only once its window is up: a copy stopped half-way through its
    // start could hold locks (the font cache's) that the second one waits for.
    QCOMPARE(runSecond(), 0);
    const qint64 pid = first.proc().processId();
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    QTRY_COMPARE(processState(pid), 'T');
    qint64 elapsed = 0;
    const int code = runSecond(&elapsed);
    // Only a first copy that stayed stopped and alive all along says anything
    // about the second start's patience.
    QCOMPARE(processState(pid), 'T');
    QCOMPARE(code, 1);
    // It waits out its five seconds for the answer before it gives up.
    QVERIFY2(elapsed >= 4500, qPrintable(QString::number(elapsed)));
}

void TstDictionaryProgram::foreignLockInSharedFolder()
{
    // Another user's live lock (and a file as the socket) where older versions
    // kept theirs, in a shared temporary folder, and no runtime folder: the
    // program still comes up, and a second start wakes it.
    using namespace ForeignFiles;
    if (!canGiveAway())
        QSKIP("making another user's files needs root");
    const QString shared = QDir::temp().filePath(QStringLiteral("shared"));
    const QString name = QStringLiteral("/dictionary-%1").arg(::geteuid());
    QVERIFY(makeSharedFolder(shared));
    QVERIFY(plantForeignLock(shared + name + QStringLiteral(".lock")));
    QVERIFY(plantForeignFile(shared + name + QStringLiteral(".sock")));
    EnvOverride tmp("TMPDIR", QFile::encodeName(shared));
    EnvOverride runtime("XDG_RUNTIME_DIR", QByteArray(), false);

    First first;
    QVERIFY(first.start());
    QCOMPARE(QFileInfo(SingleInstance(QStringLiteral("dictionary")).lockFilePath()).path(),
             shared + QStringLiteral("/zuvo-%1").arg(::geteuid()));
    QCOMPARE(runSecond(), 0);
    QCOMPARE(first.proc().state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TstDictionaryProgram)
#include "tst_dictionaryprogram.moc"
