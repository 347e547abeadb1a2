#include "wikirequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// Abandons a reply whose announced or received size passes the cap; the
// abandoned reply finishes with an error.
void capReplySize(QNetworkReply *reply)
{
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > WikiRequest::MaxReplyBytes)
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply](qint64 received, qint64) {
                         if (received > WikiRequest::MaxReplyBytes)
                             reply->abort();
                     });
}

} // namespace

namespace WikiRequest {

QString defaultSite()
{
    return QStringLiteral("http://%1.wiktionary.org");
}

QUrl defaultApiUrl()
{
    return QUrl(defaultSite().arg(QStringLiteral("en")) + QStringLiteral("/w/api.php"));
}

QNetworkAccessManager *newManager(QObject *owner)
{
    auto *manager = new QNetworkAccessManager(owner);
    manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    manager->setTransferTimeout(TransferTimeoutMs);
    return manager;
}

QNetworkReply *get(QNetworkAccessManager *manager, const QUrl &url, QPointer<QNetworkReply> &latest)
{
    // Forgotten before it is abandoned: aborting finishes the reply at once,
    // and its end must already count as an older request's.
    if (QNetworkReply *older = latest.data()) {
        latest = nullptr;
        older->abort();
    }
    QNetworkReply *reply = manager->get(QNetworkRequest(url));
    latest = reply;
    capReplySize(reply);
    return reply;
}

bool takeIfLatest(QNetworkReply *reply, QPointer<QNetworkReply> &latest)
{
    if (!reply || reply != latest.data())
        return false;
    latest = nullptr;
    return true;
}

} // namespace WikiRequest
