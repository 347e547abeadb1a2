#include "odtdeflater.h"

#include <zlib.h>

#include <chrono>
#include <cstring>

namespace {

// Deflates the input into out; flush as zlib names it. False on a zlib error.
bool deflateInto(z_stream &zs, const QByteArray &input, int flush, QByteArray *out)
{
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    zs.avail_in = uInt(input.size());
    for (;;) {
        const qsizetype room = qMax<qsizetype>(input.size() / 2, 16384);
        const qsizetype at = out->size();
        if (out->capacity() < at + room)
            out->reserve(qMax(2 * out->capacity(), at + room));
        out->resize(at + room);
        zs.next_out = reinterpret_cast<Bytef *>(out->data() + at);
        zs.avail_out = uInt(room);
        const int ret = ::deflate(&zs, flush);
        out->resize(out->size() - qsizetype(zs.avail_out));
        if (ret == Z_STREAM_ERROR)
            return false;
        if (ret == Z_STREAM_END)
            return true;
        // Done once zlib had room left over: everything given is out.
        if (zs.avail_out != 0 && zs.avail_in == 0)
            return true;
    }
}

bool initialise(z_stream &zs)
{
    std::memset(&zs, 0, sizeof(zs));
    return deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                        Z_DEFAULT_STRATEGY) == Z_OK;
}

} // namespace

OdtDeflater::OdtDeflater()
    : m_crc(quint32(crc32(0L, nullptr, 0)))
    , m_thread([this] { run(); })
{
}

OdtDeflater::~OdtDeflater()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void OdtDeflater::add(QByteArray bytes)
{
    if (bytes.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(bytes));
    }
    m_wake.notify_all();
}

bool OdtDeflater::finish(End end, const std::function<void()> &whileWaiting)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_end = end;
        m_ending = true;
    }
    m_wake.notify_all();
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_done) {
        if (whileWaiting) {
            m_wake.wait_for(lock, std::chrono::milliseconds(4));
            if (!m_done) {
                lock.unlock();
                whileWaiting();
                lock.lock();
            }
        } else {
            m_wake.wait(lock);
        }
    }
    return m_ok;
}

void OdtDeflater::run()
{
    z_stream zs;
    bool ok = initialise(zs);
    QByteArray out;
    uLong crc = crc32(0L, nullptr, 0);
    qint64 size = 0;
    for (;;) {
        QByteArray piece;
        bool ending = false;
        End end = Flush;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_queue.empty() || m_ending; });
            if (!m_queue.empty()) {
                piece = std::move(m_queue.front());
                m_queue.pop_front();
            } else {
                ending = true;
                end = m_end;
            }
        }
        if (!ending) {
            crc =
                crc32(crc, reinterpret_cast<const Bytef *>(piece.constData()), uInt(piece.size()));
            size += piece.size();
            ok = ok && deflateInto(zs, piece, Z_NO_FLUSH, &out);
            continue;
        }
        ok = ok && deflateInto(zs, QByteArray(), end == Finish ? Z_FINISH : Z_SYNC_FLUSH, &out);
        break;
    }
    deflateEnd(&zs);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_out = std::move(out);
        m_crc = quint32(crc);
        m_size = size;
        m_ok = ok;
        m_done = true;
    }
    m_wake.notify_all();
}

bool OdtDeflater::deflate(const QByteArray &bytes, End end, QByteArray *out, quint32 *crc)
{
    z_stream zs;
    if (!initialise(zs))
        return false;
    out->clear();
    const bool ok = deflateInto(zs, bytes, end == Finish ? Z_FINISH : Z_SYNC_FLUSH, out);
    deflateEnd(&zs);
    *crc = quint32(crc32(crc32(0L, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()),
                         uInt(bytes.size())));
    return ok;
}

quint32 OdtDeflater::combine(quint32 first, quint32 second, qint64 secondSize)
{
    return quint32(crc32_combine(first, second, z_off_t(secondSize)));
}
