// A stored list value: the input is the blob found in a list store's table.
// Whatever it holds, it reads as a non-null text without a NUL, and that text
// is stored and read back unchanged.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "liststore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const QByteArray value =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = ListStore::decodeValue(value);
    if (text.isNull() || text.contains(QChar(u'\0')))
        std::abort();
    if (ListStore::decodeValue(ListStore::encodeValue(text)) != text)
        std::abort();
    // The callers split the text into the list's entries.
    volatile qsizetype entries = text.split(u'\n').size();
    (void)entries;
    return 0;
}
