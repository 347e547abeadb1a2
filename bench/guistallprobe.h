// What the user waits for in the GUI thread: a heartbeat timer beats every
// millisecond while the work runs; a long gap between two beats is a time
// in which the window could neither repaint nor take a key.
#ifndef ZUVO_BENCH_GUISTALLPROBE_H
#define ZUVO_BENCH_GUISTALLPROBE_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

class GuiStallProbe : public QObject
{
public:
    GuiStallProbe();
    ~GuiStallProbe() override;

    // Starts beating; forgets the gaps of an earlier run. Call it from the
    // GUI thread with the event loop about to run.
    void start();

    // Runs the event loop until the GUI is idle: no gap longer than quietGapMs
    // for quietMs. The run ends where that quiet span began. False when
    // timeoutMs passed first.
    bool runUntilIdle(int quietMs = 500, double quietGapMs = 20, int timeoutMs = 120000);

    // Starts beating, runs the work from the event loop and then the loop
    // until the GUI is idle. Returns how long the work itself took (ms).
    double timeWork(const std::function<void()> &work);

    // The document counts as shown at the first beat after a widget for
    // which the test returns true has been painted (see textEditShowing).
    void setShownTest(std::function<bool(QWidget *)> painted);
    static std::function<bool(QWidget *)> textEditShowing(int minCharacters);

    double longestGapMs() const;
    // The sum of the gaps longer than limitMs: the time the window was frozen
    // long enough for the user to notice.
    double sumOfGapsOverMs(double limitMs = 50) const;
    // From start() to the end of the run; to the document shown (-1: never).
    double elapsedMs() const;
    double shownMs() const;

    // The time of the last start(), for work timed against the same clock.
    double nowMs() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void beat();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_end = 0;
    qint64 m_shown = -1;
    bool m_paintSeen = false;
    QList<qint64> m_gaps; // nanoseconds
    std::function<bool(QWidget *)> m_shownTest;
};

#endif // ZUVO_BENCH_GUISTALLPROBE_H
