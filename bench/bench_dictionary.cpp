// Start-up of the look-up program with the bundled dictionary, each figure
// against its floor measured in the same run. Prints one line per figure and
// program (milliseconds: mean, median, max over the runs), then one summary
// line per figure with both medians and their ratio:
//
//   start      the program started until its event loop answers "WakeUp",
//              i.e. its window is built, shown and ready for typing (goal 300)
//   wake-up    a second start, from launch until it has delivered "WakeUp"
//              and ended (goal 50)
//   window     in this process: building and showing the window over the
//              bundled dictionary, the dictionary's word list cache warm
//
// The floors. Start and wake-up: floor_dictionary (bench/floor_dictionary.cpp),
// the least a Qt widget program does for the same result: a QApplication, a
// QLineEdit whose completer's list view shows a string model of the same
// words (read from the same dictionary file beside the program with a plain
// QSqlQuery), shown, and a QLocalServer answering the same framed "WakeUp";
// its second start connects, hands over "WakeUp" and ends. It is started and
// timed by the same code as the real program, the two alternating run by run.
// What it leaves out is the real program's own work: the lock file and folder
// checks of its single instance, the language check of the database, the
// user's word file, its settings, menus, text browser and translation. A
// program showing the user the same word box over the same words, and
// handing over the same message, could hardly do less. Window: the same plain
// window built in this process over the same words already in memory (the
// real window's word list comes from its warm cache).
//
// The programs run with a temporary folder and settings of their own, on the
// platform of QT_QPA_PLATFORM (offscreen when unset; scripts/with-xvfb runs it
// on X11).

#include "dictionary.h"
#include "mainwindow.h"
#include "singleinstance.h"
#include "sqlcipherdriver.h"

#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>

namespace {

constexpr int Runs = 15;
// Second starts per first start.
constexpr int Wakes = 3;

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
        std::printf("%-14s mean %7.1f ms  median %7.1f ms  max %7.1f ms  runs %d (goal %d ms)\n",
                    name, f.mean, f.median, f.max, int(ms.size()), goal);
    else
        std::printf("%-14s mean %7.1f ms  median %7.1f ms  max %7.1f ms  runs %d\n", name, f.mean,
                    f.median, f.max, int(ms.size()));
    std::fflush(stdout);
}

// One summary line: both medians and their ratio.
void summary(const char *what, const QList<double> &ours, const QList<double> &floor,
             const char *floorIs, const char *goal)
{
    const double o = figures(ours).median;
    const double f = figures(floor).median;
    std::printf("%s: ours %.1f ms, floor %.1f ms (%s), ratio %.2f (goal: %s)\n", what, o, f,
                floorIs, f > 0 ? o / f : 0.0, goal);
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

// A program to start: its file, its arguments and the socket its first
// start answers on.
struct Subject
{
    const char *name;
    QString program;
    QStringList arguments;
    QString server;
};

class Program
{
public:
    Program(const Subject &subject, const QProcessEnvironment &env)
    {
        m_proc.setProgram(subject.program);
        m_proc.setArguments(subject.arguments);
        m_proc.setWorkingDirectory(QFileInfo(subject.program).absolutePath());
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

struct Starts
{
    QList<double> start;
    QList<double> wake;
};

// One first start until it answers, then the second starts against it; the
// times are kept when record is set. False (with a message) on a failure.
bool startAndWake(const Subject &subject, const QProcessEnvironment &env, bool record, Starts &out)
{
    Program first(subject, env);
    QElapsedTimer clock;
    clock.start();
    first.start();
    if (!wakeUp(subject.server, 10000)) {
        std::printf("start: %s did not answer\n", subject.name);
        return false;
    }
    if (record)
        out.start << clock.nsecsElapsed() / 1e6;

    for (int i = 0; i < Wakes; ++i) {
        Program second(subject, env);
        clock.restart();
        if (!second.runToEnd(10000)) {
            std::printf("wake-up: the second start of %s failed\n", subject.name);
            return false;
        }
        if (record)
            out.wake << clock.nsecsElapsed() / 1e6;
    }
    first.stop();
    return true;
}

void benchProgram(const QString &tmp, int wordCount)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp + QStringLiteral("/config"));
    // The channel lives in the programs' temporary folder; this process
    // computes its name from its own.
    qputenv("TMPDIR", tmp.toLocal8Bit());
    const Subject ours { "ours", QStringLiteral(DICTIONARY_PROGRAM), QStringList(),
                         SingleInstance(QStringLiteral("dictionary")).serverName() };
    const QString floorServer = tmp + QStringLiteral("/floor.sock");
    // The file the real program reads: dct/ beside it.
    const QString database = QFileInfo(QStringLiteral(DICTIONARY_PROGRAM)).absolutePath() +
        QStringLiteral("/dct/kannada.dct");
    const Subject floor { "the floor", QStringLiteral(FLOOR_PROGRAM),
                          QStringList { floorServer, database }, floorServer };

    Starts oursStarts, floorStarts;
    // The first run of each fills the system's caches (fonts, libraries) and
    // is not counted; after it the two take turns leading, so that neither
    // always runs in the other's wake.
    for (int run = 0; run <= Runs; ++run) {
        const bool oursFirst = run % 2 == 0;
        const Subject &a = oursFirst ? ours : floor;
        const Subject &b = oursFirst ? floor : ours;
        Starts &aStarts = oursFirst ? oursStarts : floorStarts;
        Starts &bStarts = oursFirst ? floorStarts : oursStarts;
        if (!startAndWake(a, env, run > 0, aStarts) || !startAndWake(b, env, run > 0, bStarts))
            return;
    }
    print("start", oursStarts.start, 300);
    print("start floor", floorStarts.start, 0);
    print("wake-up", oursStarts.wake, 50);
    print("wake-up floor", floorStarts.wake, 0);
    const QByteArray floorIs =
        QStringLiteral("minimal Qt program: QLineEdit with a completer over the same %1 words "
                       "read from the same file with a plain QSqlQuery, QLocalServer")
            .arg(wordCount)
            .toUtf8();
    summary("start (launch until \"WakeUp\" is answered, window shown)", oursStarts.start,
            floorStarts.start, floorIs.constData(), "under 300 ms");
    summary("wake-up (second start delivering \"WakeUp\" and ending)", oursStarts.wake,
            floorStarts.wake, "the same minimal program started a second time", "under 50 ms");
}

// The fair floor of the window: the plain widgets the user types into, a
// QLineEdit whose completer's list view shows a string model of the same
// words, already in memory as the real window's are in its warm cache. It
// leaves out the real window's form (menus, buttons, text browser, status
// bar), its settings, its translation and the database it still opens.
// Returned shown, so that its end is timed no more than the real window's.
std::unique_ptr<QWidget> showPlainWindow(const QStringList &words)
{
    auto window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    auto *edit = new QLineEdit(window.get());
    layout->addWidget(edit);
    auto *completer = new QCompleter(new QStringListModel(words, window.get()), window.get());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    if (auto *list = qobject_cast<QListView *>(completer->popup()))
        list->setUniformItemSizes(true);
    edit->setCompleter(completer);
    window->resize(500, 400);
    window->show();
    edit->setFocus();
    QCoreApplication::processEvents();
    return window;
}

void benchWindow(const QStringList &words)
{
    QList<double> ours, floor;
    // Ours and the floor alternate; the first round of each warms up.
    for (int run = 0; run <= Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        {
            MainWindow window;
            window.show();
            QCoreApplication::processEvents();
            if (run > 0)
                ours << clock.nsecsElapsed() / 1e6;
        }
        QCoreApplication::processEvents();

        clock.restart();
        {
            const std::unique_ptr<QWidget> window = showPlainWindow(words);
            if (run > 0)
                floor << clock.nsecsElapsed() / 1e6;
        }
        QCoreApplication::processEvents();
    }
    print("window", ours, 0);
    print("window floor", floor, 0);
    summary("window (built and shown in-process, word list cache warm)", ours, floor,
            "plain QWidget with a QLineEdit and a completer over the same words", "none set");
}

// The bundled database alone in a folder, as in dct/ beside the program;
// the words it holds, empty when it cannot be read.
QStringList bindBundled(const QString &tmp)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp + QStringLiteral("/s"));
    const QString folder = tmp + QStringLiteral("/dct");
    QDir().mkpath(folder);
    QFile::copy(QStringLiteral(BUNDLED_DCT), folder + QStringLiteral("/kannada.dct"));
    Dictionary::setDictFolder(folder);
    Dictionary dictionary;
    if (!dictionary.isDictAvailable(0))
        return QStringList();
    return dictionary.allUnicodeWords();
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
    const QStringList words = bindBundled(tmp.path());
    if (words.isEmpty()) {
        std::printf("the bundled dictionary's word list could not be read\n");
        return 1;
    }
    benchProgram(tmp.path(), int(words.size()));
    benchWindow(words);
    return 0;
}
