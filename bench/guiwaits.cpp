#include "guiwaits.h"

#include "benchfigures.h"

#include "findandreplacedialog.h"
#include "guistallprobe.h"
#include "mainwindow.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"
#include "utils.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace GuiWaits {

namespace {

QStringList summary;
QSize measuredEditorSize;

bool showAndSettle(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window, 2000);
    settle(300);
    return true;
}

void prepare(MainWindow &window)
{
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 900);
}

Figures measure(const std::function<void()> &work, int minCharacters)
{
    GuiStallProbe probe;
    probe.setShownTest(GuiStallProbe::textEditShowing(minCharacters));
    probe.start();
    QTimer::singleShot(0, work);
    if (!probe.runUntilIdle())
        std::printf("note: the GUI was not idle after two minutes\n");
    Figures f;
    f.shownMs = probe.shownMs();
    f.longestMs = probe.longestGapMs();
    f.over50Ms = probe.sumOfGapsOverMs(50);
    f.idleMs = probe.elapsedMs();
    return f;
}

double ratio(double ours, double floor)
{
    return floor > 0 ? ours / floor : 0;
}

} // namespace

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

double median(QList<double> values)
{
    return BenchFigures::median(std::move(values));
}

void styleLikeEditor(QTextEdit *edit)
{
    QFont font = edit->font();
    font.setFamily(Utils::languageDefaultFont(0));
    font.setPointSize(11);
    edit->setFont(font);
    edit->document()->setDefaultFont(font);
    edit->document()->setDocumentMargin(12);
    edit->setFrameStyle(QFrame::Box);
}

void usePrivateFolders()
{
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
    QDir().mkpath(folder.filePath(QStringLiteral("cwd")));
    QDir::setCurrent(folder.filePath(QStringLiteral("cwd")));
}

QSize editorSize()
{
    if (measuredEditorSize.isEmpty()) {
        MainWindow window;
        prepare(window);
        window.initLoad({ QString() });
        if (showAndSettle(&window) && window.tabController()->currentEditor())
            measuredEditorSize = window.tabController()->currentEditor()->size();
        else
            measuredEditorSize = QSize(1180, 760);
    }
    return measuredEditorSize;
}

Figures openInProgram(const QString &path, int minCharacters, const QStringList &knownWords)
{
    (void)editorSize();
    {
        QFile words(QStringLiteral("usr.dct"));
        if (words.open(QIODevice::WriteOnly))
            words.write(knownWords.join(u'\n').toUtf8());
    }
    auto window = std::make_unique<MainWindow>();
    prepare(*window);
    // As at start-up: an untitled tab, and the word model loaded.
    window->initLoad({ QString() });
    TabWidget *tabs = window->tabController();
    tabs->slotLoadCompleter();
    if (!showAndSettle(window.get()))
        return {};
    const Figures f = measure([tabs, path] { tabs->editFile(path); }, minCharacters);
    window.reset();
    settle(100);
    return f;
}

Figures showInPlainEdit(const std::function<void(QTextEdit *)> &show, int minCharacters)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *edit = new QTextEdit;
    edit->setFixedSize(editorSize());
    styleLikeEditor(edit);
    layout->addWidget(edit);
    if (!showAndSettle(&window))
        return {};
    const Figures f = measure([edit, &show] { show(edit); }, minCharacters);
    settle(100);
    return f;
}

void Series::report(benchmark::State &state, const QString &what) const
{
    QList<double> shown[2], longest[2], over50[2];
    for (int side = 0; side < 2; ++side) {
        for (const Figures &f : side == 0 ? ours : floor) {
            shown[side] << f.shownMs;
            longest[side] << f.longestMs;
            over50[side] << f.over50Ms;
        }
    }
    const double oursShown = median(shown[0]);
    const double floorShown = median(shown[1]);
    const double oursLongest = median(longest[0]);
    const double floorLongest = median(longest[1]);
    const double oursOver = median(over50[0]);
    const double floorOver = median(over50[1]);
    state.counters["ours_shown_ms"] = oursShown;
    state.counters["ours_longest_stall_ms"] = oursLongest;
    state.counters["ours_stalls_over_50ms_ms"] = oursOver;
    state.counters["floor_shown_ms"] = floorShown;
    state.counters["floor_longest_stall_ms"] = floorLongest;
    state.counters["floor_stalls_over_50ms_ms"] = floorOver;
    state.counters["ratio_longest_stall"] = ratio(oursLongest, floorLongest);
    QString line = QStringLiteral("%1: shown after %2 ms (floor %3 ms); longest stall %4 ms "
                                  "(floor %5 ms, ratio %6); stalls over 50 ms %7 ms in all "
                                  "(floor %8 ms, ratio %9)")
                       .arg(what)
                       .arg(oursShown, 0, 'f', 0)
                       .arg(floorShown, 0, 'f', 0)
                       .arg(oursLongest, 0, 'f', 0)
                       .arg(floorLongest, 0, 'f', 0)
                       .arg(ratio(oursLongest, floorLongest), 0, 'f', 2)
                       .arg(oursOver, 0, 'f', 0)
                       .arg(floorOver, 0, 'f', 0)
                       .arg(floorOver > 0 ? QString::number(ratio(oursOver, floorOver), 'f', 2)
                                          : QStringLiteral("-"));
    if (!libraryMs.isEmpty()) {
        state.counters["library_ms"] = median(libraryMs);
        line += QStringLiteral("; the library call alone %1 ms").arg(median(libraryMs), 0, 'f', 0);
    }
    summary << line;
}

Series openSeries(benchmark::State &state, const QString &path, int minCharacters,
                  const QStringList &knownWords, const std::function<void(QTextEdit *)> &floor,
                  const std::function<void()> &library, const std::function<void()> &prepareFloor)
{
    Series series;
    int round = 0;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (round % 2 == 0)) {
                series.ours << openInProgram(path, minCharacters, knownWords);
            } else {
                if (prepareFloor)
                    prepareFloor();
                series.floor << showInPlainEdit(floor, minCharacters);
            }
        }
        if (library) {
            QElapsedTimer timer;
            timer.start();
            library();
            series.libraryMs << timer.nsecsElapsed() / 1e6;
        }
        ++round;
    }
    return series;
}

void printSummary()
{
    for (const QString &line : summary)
        std::printf("%s\n", qPrintable(line));
}

} // namespace GuiWaits
