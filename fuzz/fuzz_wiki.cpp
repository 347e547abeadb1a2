// Network replies of a wiki site, faked and handed to the reply handlers of
// the link query (Wiki) and of the page fetch (MediaWiki) the way their
// network managers hand them over.
//
// Input: a mode byte, then the reply's body. Mode bit 0 picks the page fetch
// instead of the link query; bit 1 makes the reply fail with a network error
// (its body still readable, as a server's error page is). Whatever the reply,
// the handler reports exactly once, frees the reply, and:
// - the link query keeps no more titles than its cap, sorted when it reports
//   success, and reports failure for a failed reply;
// - the page fetch keeps the page's text up to its first NUL on success and
//   nothing on failure.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mediawiki.h"
#include "wiki.h"

namespace {

// A finished reply whose body is the given bytes.
class FakeReply : public QNetworkReply
{
public:
    FakeReply(const QByteArray &body, bool failed)
        : m_bytes(body)
        , m_body(&m_bytes)
    {
        m_body.open(QIODevice::ReadOnly);
        setOperation(QNetworkAccessManager::GetOperation);
        setUrl(QUrl(QStringLiteral("http://en.wiktionary.org/w/api.php")));
        setHeader(QNetworkRequest::ContentLengthHeader, body.size());
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, failed ? 500 : 200);
        if (failed)
            setError(QNetworkReply::InternalServerError, QStringLiteral("fake failure"));
        open(QIODevice::ReadOnly);
        setFinished(true);
    }
    void abort() override { }
    qint64 bytesAvailable() const override
    {
        return m_body.bytesAvailable() + QNetworkReply::bytesAvailable();
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override { return m_body.read(data, maxSize); }

private:
    QByteArray m_bytes;
    QBuffer m_body;
};

// Hands the reply to the object's private handler, as its manager's
// finished(QNetworkReply*) signal would, and checks that it reported once
// and freed the reply. Returns what it reported.
bool deliver(QObject *client, FakeReply *reply)
{
    QSignalSpy reported(client, SIGNAL(finished(bool)));
    QPointer<QNetworkReply> guard(reply);
    if (!QMetaObject::invokeMethod(client, "finished", Qt::DirectConnection,
                                   Q_ARG(QNetworkReply *, reply)))
        std::abort();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (reported.count() != 1 || guard)
        std::abort();
    return reported.at(0).at(0).toBool();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
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

    if (page) {
        MediaWiki wiki;
        const bool ok = deliver(&wiki, new FakeReply(body, failed));
        const qsizetype nul = body.indexOf('\0');
        const QString expected =
            failed ? QString() : QString::fromUtf8(nul < 0 ? body : body.left(nul));
        if (ok == failed || wiki.result() != expected)
            std::abort();
        return 0;
    }
    Wiki wiki;
    const bool ok = deliver(&wiki, new FakeReply(body, failed));
    const QStringList titles = wiki.results();
    if (titles.size() > Wiki::MaxTitles)
        std::abort();
    if (failed && ok)
        std::abort();
    if (ok && !std::is_sorted(titles.cbegin(), titles.cend()))
        std::abort();
    return 0;
}
