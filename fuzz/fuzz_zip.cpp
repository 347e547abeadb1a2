// The ZIP reader over arbitrary bytes: the directory, every entry record (and
// some out of range), and the bytes of every member.
#include "GZip.h"

#include <QBuffer>
#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Damaged archives warn on every run; the fuzzer's own output matters.
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;
    CZIP::QZipReader reader(&buffer);
    const QList<CZIP::QZipReader::FileInfo> infos = reader.fileInfoList();
    const int count = reader.count();
    if (count != infos.size())
        __builtin_trap();
    for (int i = -1; i <= count; ++i)
        (void)reader.entryInfoAt(i);
    for (const CZIP::QZipReader::FileInfo &info : infos) {
        const QByteArray member = reader.fileData(info.filePath);
        if (member.size() > CZIP::QZipReader::MaxMemberSize)
            __builtin_trap();
    }
    return 0;
}
