// Start-up of the look-up program with the bundled dictionary. Prints one
// figure per line (milliseconds: mean, median, max over the runs):
//
//   start      the program started until its event loop answers "WakeUp",
//              i.e. its window is built, shown and ready for typing (goal 300)
//   wake-up    a second start, from launch until it has delivered "WakeUp"
//              and ended (goal 50)
//   window     in this process: building and showing the window over the
//              bundled dictionary, the dictionary's word list cache warm
//
// The programs run with a temporary folder and settings of their own, on the
// platform of QT_QPA_PLATFORM (offscreen when unset; run under xvfb-run with
// QT_QPA_PLATFORM=xcb for a real display).

#include "dictionary.h"
#include "mainwindow.h"
#include "singleinstance.h"
#include "sqlcipherdriver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

constexpr int Runs = 15;

struct Figures
{
    double mean = 0;
    double median = 0;
    double max = 0;
};

Figures figures(QList<double> ms)
{
    Figures f;
    if (ms.isEmpty())
        return f;
    std::sort(ms.begin(), ms.end());
    f.mean = std::accumulate(ms.begin(), ms.end(), 0.0) / ms.size();
    f.median = ms.at(ms.size() / 2);
    f.max = ms.last();
    return f;
}

void print(const char *name, const QList<double> &ms, int goal)
{
    const Figures f = figures(ms);
    if (goal > 0)
        std::printf("%-8s mean %7.1f ms  median %7.1f ms  max %7.1f ms  runs %d (goal %d ms)\n",
                    name, f.mean, f.median, f.max, int(ms.size()), goal);
    else
        std::printf("%-8s mean %7.1f ms  median %7.1f ms  max %7.1f ms  runs %d\n", name, f.mean,
                    f.median, f.max, int(ms.size()));
    std::fflush(stdout);
}

// One "WakeUp" as the program's single-instance channel frames it; true once
// it is acknowledged. Connects without waiting, so the first moment the
// running copy listens and answers is seen within a millisecond.
bool wakeUp(const QString &server, int timeoutMs)
{
    const QByteArray payload("WakeUp");
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), frame.data());
    frame += payload;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(server);
        if (socket.waitForConnected(50)) {
            socket.write(frame);
            socket.waitForBytesWritten(timeoutMs);
            if (socket.bytesAvailable() > 0 || socket.waitForReadyRead(timeoutMs))
                return socket.read(1) == QByteArray(1, '\x06');
            return false;
        }
        QThread::msleep(1);
    }
    return false;
}

class Program
{
public:
    explicit Program(const QProcessEnvironment &env)
    {
        m_proc.setProgram(QStringLiteral(DICTIONARY_PROGRAM));
        m_proc.setWorkingDirectory(QFileInfo(QStringLiteral(DICTIONARY_PROGRAM)).absolutePath());
        m_proc.setProcessEnvironment(env);
        m_proc.setStandardOutputFile(QProcess::nullDevice());
        m_proc.setStandardErrorFile(QProcess::nullDevice());
    }
    ~Program() { stop(); }
    void start() { m_proc.start(); }
    // Ends it with SIGTERM, as a session ending would; never from a slot.
    void stop()
    {
        if (m_proc.state() == QProcess::NotRunning)
            return;
        m_proc.terminate();
        if (!m_proc.waitForFinished(5000)) {
            m_proc.kill();
            m_proc.waitForFinished(5000);
        }
    }
    bool runToEnd(int timeoutMs)
    {
        m_proc.start();
        return m_proc.waitForFinished(timeoutMs) && m_proc.exitStatus() == QProcess::NormalExit &&
            m_proc.exitCode() == 0;
    }

private:
    QProcess m_proc;
};

void benchProgram(const QString &tmp)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp + QStringLiteral("/config"));
    // The channel lives in the programs' temporary folder; this process
    // computes its name from its own.
    qputenv("TMPDIR", tmp.toLocal8Bit());
    const QString server = SingleInstance(QStringLiteral("dictionary")).serverName();

    QList<double> start, wake;
    for (int run = 0; run <= Runs; ++run) {
        Program first(env);
        QElapsedTimer clock;
        clock.start();
        first.start();
        if (!wakeUp(server, 10000)) {
            std::printf("start: the program did not answer\n");
            return;
        }
        // The first run fills the system's caches (fonts, libraries).
        if (run > 0)
            start << clock.nsecsElapsed() / 1e6;

        for (int i = 0; i < 3; ++i) {
            Program second(env);
            clock.restart();
            if (!second.runToEnd(10000)) {
                std::printf("wake-up: the second start failed\n");
                return;
            }
            if (run > 0)
                wake << clock.nsecsElapsed() / 1e6;
        }
        first.stop();
    }
    print("start", start, 300);
    print("wake-up", wake, 50);
}

void benchWindow(const QString &tmp)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp + QStringLiteral("/s"));
    // The bundled database alone in a folder, as in dct/ beside the program.
    const QString folder = tmp + QStringLiteral("/dct");
    QDir().mkpath(folder);
    QFile::copy(QStringLiteral(BUNDLED_DCT), folder + QStringLiteral("/kannada.dct"));
    Dictionary::setDictFolder(folder);
    QList<double> ms;
    for (int run = 0; run <= Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        {
            MainWindow window;
            window.show();
            QCoreApplication::processEvents();
            if (run > 0)
                ms << clock.nsecsElapsed() / 1e6;
        }
        QCoreApplication::processEvents();
    }
    print("window", ms, 0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    QTemporaryDir tmp;
    if (!tmp.isValid())
        return 1;
    benchProgram(tmp.path());
    benchWindow(tmp.path());
    return 0;
}
