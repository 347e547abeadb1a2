// Network replies of a wiki site, served from a local file and handed to the
// link query (Wiki) and the page fetch (MediaWiki) by their own network
// managers: the whole way from search() through the latest-request check and
// the size cap to the reply handler.
//
// The clients' site is a file: URL, so the manager answers each request with
// the file the input wrote at the requested path; a missing file makes the
// request fail, as a server error would.
//
// Input: a mode byte, then the reply's body. Mode bit 0 picks the page fetch
// instead of the link query; bit 1 makes the reply fail (no file). Whatever
// the reply, the client reports exactly once, and:
// - the link query keeps no more titles than its cap, sorted when it reports
//   success, and reports failure for a failed reply;
// - the page fetch keeps the page's text up to its first NUL on success and
//   nothing on failure.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mediawiki.h"
#include "wiki.h"

namespace {

QTemporaryDir *site()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/fuzz_wiki-XXXXXX"));
    return &dir;
}

// The edition's folder: what "%1" becomes for the English edition.
QString edition()
{
    return site()->path() + QStringLiteral("/en");
}

bool writeReply(const QString &path, const QByteArray &body)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(body) == body.size();
}

// Runs the event loop until the client reports, and checks it reported once.
// Returns what it reported.
bool awaitReport(QObject *client)
{
    QSignalSpy reported(client, SIGNAL(finished(bool)));
    if (reported.isEmpty() && !reported.wait(5000))
        std::abort();
    // A second report would come from the same event loop pass.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (reported.count() != 1)
        std::abort();
    return reported.at(0).at(0).toBool();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    if (!site()->isValid())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The clients abandon replies over this size before a handler sees them.
    if (size < 1 || qint64(size) - 1 > MediaWiki::MaxPageBytes)
        return 0;
    const bool page = data[0] & 1;
    const bool failed = data[0] & 2;
    const QByteArray body(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString siteTemplate =
        QUrl::fromLocalFile(site()->path()).toString() + QStringLiteral("/%1");

    if (page) {
        const QString file = edition() + QStringLiteral("/wiki/word");
        QFile::remove(file);
        if (!failed && !writeReply(file, body))
            std::abort();
        MediaWiki wiki;
        wiki.setSiteTemplate(siteTemplate);
        wiki.search(QStringLiteral("word"));
        const bool ok = awaitReport(&wiki);
        const qsizetype nul = body.indexOf('\0');
        const QString expected =
            failed ? QString() : QString::fromUtf8(nul < 0 ? body : body.left(nul));
        if (ok == failed || wiki.result() != expected)
            std::abort();
        return 0;
    }
    const QString file = edition() + QStringLiteral("/w/api.php");
    QFile::remove(file);
    if (!failed && !writeReply(file, body))
        std::abort();
    Wiki wiki;
    wiki.setSiteTemplate(siteTemplate);
    wiki.search(QStringLiteral("word"));
    const bool ok = awaitReport(&wiki);
    const QStringList titles = wiki.results();
    if (titles.size() > Wiki::MaxTitles)
        std::abort();
    if (failed && ok)
        std::abort();
    if (ok && !std::is_sorted(titles.cbegin(), titles.cend()))
        std::abort();
    return 0;
}
