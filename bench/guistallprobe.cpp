#include "guistallprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

GuiStallProbe::GuiStallProbe()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &GuiStallProbe::beat);
}

GuiStallProbe::~GuiStallProbe()
{
    if (m_shownTest)
        QCoreApplication::instance()->removeEventFilter(this);
}

void GuiStallProbe::start()
{
    m_gaps.clear();
    m_shown = -1;
    m_paintSeen = false;
    m_clock.start();
    m_last = 0;
    m_end = 0;
    m_timer.start();
}

void GuiStallProbe::beat()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_gaps.append(now - m_last);
    m_last = now;
    if (m_paintSeen && m_shown < 0)
        m_shown = now;
}

double GuiStallProbe::timeWork(const std::function<void()> &work)
{
    double started = -1;
    double done = -1;
    start();
    QTimer::singleShot(0, this, [&] {
        started = nowMs();
        work();
        done = nowMs();
    });
    runUntilIdle();
    return done >= 0 ? done - started : -1;
}

bool GuiStallProbe::runUntilIdle(int quietMs, double quietGapMs, int timeoutMs)
{
    const qint64 quiet = qint64(quietMs) * 1000000;
    const qint64 quietGap = qint64(quietGapMs * 1e6);
    qint64 quietSince = 0;
    qint64 at = 0; // the end of the last gap looked at
    qsizetype seen = 0;
    bool idle = false;
    while (m_clock.nsecsElapsed() < qint64(timeoutMs) * 1000000) {
        // The heartbeat wakes the loop at least every millisecond.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // A gap ends at the beat that closes it; the quiet span starts there.
        for (; seen < m_gaps.size(); ++seen) {
            at += m_gaps.at(seen);
            if (m_gaps.at(seen) > quietGap)
                quietSince = at;
        }
        // The work may not have begun when nothing was painted yet.
        if ((!m_shownTest || m_shown >= 0) && m_last - quietSince >= quiet) {
            idle = true;
            break;
        }
    }
    m_timer.stop();
    m_end = idle ? quietSince : m_clock.nsecsElapsed();
    if (!idle) // the gap that was still open when the time ran out
        m_gaps.append(m_clock.nsecsElapsed() - m_last);
    return idle;
}

void GuiStallProbe::setShownTest(std::function<bool(QWidget *)> painted)
{
    if (!m_shownTest)
        QCoreApplication::instance()->installEventFilter(this);
    m_shownTest = std::move(painted);
}

std::function<bool(QWidget *)> GuiStallProbe::textEditShowing(int minCharacters)
{
    return [minCharacters](QWidget *w) {
        auto *edit = qobject_cast<QTextEdit *>(w->parentWidget());
        return edit && edit->viewport() == w && edit->isVisible() &&
            edit->document()->characterCount() >= minCharacters;
    };
}

bool GuiStallProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_timer.isActive() && !m_paintSeen &&
        watched->isWidgetType() && m_shownTest && m_shownTest(static_cast<QWidget *>(watched)))
        m_paintSeen = true;
    return false;
}

double GuiStallProbe::longestGapMs() const
{
    qint64 longest = 0;
    for (qint64 g : m_gaps)
        longest = std::max(longest, g);
    return longest / 1e6;
}

double GuiStallProbe::sumOfGapsOverMs(double limitMs) const
{
    const qint64 limit = qint64(limitMs * 1e6);
    qint64 sum = 0;
    for (qint64 g : m_gaps) {
        if (g > limit)
            sum += g;
    }
    return sum / 1e6;
}

double GuiStallProbe::elapsedMs() const
{
    return m_end / 1e6;
}

double GuiStallProbe::shownMs() const
{
    return m_shown < 0 ? -1 : m_shown / 1e6;
}

double GuiStallProbe::nowMs() const
{
    return m_clock.nsecsElapsed() / 1e6;
}
