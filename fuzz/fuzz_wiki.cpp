// A link-query answer as a wiki site might send it: whatever the bytes, the
// reader ends, keeps no more titles than its cap, and sorts them when the
// answer was well formed.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "wiki.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The client abandons answers over 8 MiB before they reach the reader.
    if (size > (1u << 20))
        return 0;
    static int argc = 1;
    static char name[] = "fuzz_wiki";
    static char *argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);

    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Wiki wiki;
    const bool ok = wiki.processSearchResult(&buffer);
    const QStringList titles = wiki.results();
    if (titles.size() > Wiki::MaxTitles)
        std::abort();
    if (ok && !std::is_sorted(titles.cbegin(), titles.cend()))
        std::abort();
    return 0;
}
