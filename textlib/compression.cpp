#include "compression.h"

#include <QtEndian>

#include <limits>
#include <zlib.h>

QByteArray guardedUncompress(const QByteArray &compressed)
{
    // Four bytes or fewer hold no stream: qUncompress gives an empty array too.
    if (compressed.size() <= 4)
        return QByteArray();
    const qint64 streamSize = compressed.size() - 4;
    if (streamSize > qint64(std::numeric_limits<uInt>::max()))
        return QByteArray();
    const qint64 claimed = qFromBigEndian<quint32>(compressed.constData());
    if (claimed > MaxUncompressedSize || claimed > streamSize * MaxCompressionRatio)
        return QByteArray();

    z_stream zs {};
    if (inflateInit(&zs) != Z_OK)
        return QByteArray();
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData() + 4));
    zs.avail_in = uInt(streamSize);

    // The prefix is only a hint for the first allocation; like qUncompress we
    // accept a stream that turns out longer, up to the overall bound.
    QByteArray out(qMax<qint64>(claimed, 1), Qt::Uninitialized);
    qint64 produced = 0;
    bool ok = false;
    for (;;) {
        if (produced == out.size()) {
            if (out.size() >= MaxUncompressedSize)
                break;
            out.resize(qMin<qint64>(MaxUncompressedSize, qMax<qint64>(out.size() * 2, 4096)));
        }
        zs.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        zs.avail_out = uInt(out.size() - produced);
        const int ret = inflate(&zs, Z_NO_FLUSH);
        produced = out.size() - zs.avail_out;
        if (ret == Z_STREAM_END) {
            ok = true;
            break;
        }
        if (ret == Z_OK)
            continue;
        // Z_BUF_ERROR with room left means the input ended before the stream.
        if (ret == Z_BUF_ERROR && zs.avail_out == 0)
            continue;
        break;
    }
    inflateEnd(&zs);
    if (!ok)
        return QByteArray();
    out.truncate(produced);
    return out;
}
