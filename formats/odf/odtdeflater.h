#ifndef ZUVO_FORMATS_ODF_ODTDEFLATER_H
#define ZUVO_FORMATS_ODF_ODTDEFLATER_H

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Compresses a stream handed over in pieces while it is still being made,
// in a thread of its own, as raw deflate data of a ZIP member. Parts
// compressed apart are joined by concatenation: every part but the last
// ends on a byte boundary without ending the stream (see `End`), and the
// CRC-32 of the whole is combined from the parts'.
class OdtDeflater
{
public:
    enum End {
        Flush, // more parts follow
        Finish, // the last part of the stream
    };

    OdtDeflater();
    ~OdtDeflater();
    OdtDeflater(const OdtDeflater &) = delete;
    OdtDeflater &operator=(const OdtDeflater &) = delete;

    // Queues bytes of the stream.
    void add(QByteArray bytes);
    // Ends the part once all queued bytes are compressed; whileWaiting, when
    // given, is called every few milliseconds until then. False when zlib
    // failed.
    bool finish(End end, const std::function<void()> &whileWaiting = {});

    const QByteArray &deflated() const { return m_out; }
    quint32 crc() const { return m_crc; }
    qint64 size() const { return m_size; }

    // One whole part at once, in this thread.
    static bool deflate(const QByteArray &bytes, End end, QByteArray *out, quint32 *crc);
    // The CRC-32 of two parts joined, from theirs and the second's length.
    static quint32 combine(quint32 first, quint32 second, qint64 secondSize);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QByteArray> m_queue;
    bool m_ending = false;
    bool m_done = false;
    End m_end = Flush;
    bool m_ok = true;
    QByteArray m_out;
    quint32 m_crc = 0;
    qint64 m_size = 0;
    std::thread m_thread;
};

#endif
