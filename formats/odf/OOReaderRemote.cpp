// Pictures an OpenDocument file links by an http or https URL. The reader
// fetches them itself, in its import thread, a few at a time, and sends
// ready() only once every picture has arrived or failed: the editor copies
// the document on ready() and nothing may change it afterwards.
#include "OOReader.h"

#include "odflog.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextDocument>
#include <QTimer>

namespace {

const QByteArray UserAgent = QByteArrayLiteral(
    "Mozilla/5.0 (compatible; ZuvoPictures/2.1; +https://zuvo.invalid/pictures.html)");

} // namespace

void OOReader::fetchRemoteImage(const QString &imagename, const QUrl &url)
{
    if (network == nullptr) {
        network = new QNetworkAccessManager(this);
        deadlineTimer = new QTimer(this);
        deadlineTimer->setSingleShot(true);
        connect(deadlineTimer, &QTimer::timeout, this, [this] {
            qCDebug(lcOdf) << "### remote pictures: deadline reached";
            abortFetches();
        });
    }
    if (fetches.isEmpty() && fetchQueue.isEmpty())
        deadlineTimer->start(fetchDeadline);
    fetchQueue.append(qMakePair(imagename, url));
    // The transfers start when the thread is back in its event loop, after
    // the body has been converted.
    QTimer::singleShot(0, this, [this] { startQueuedFetches(); });
}

void OOReader::startQueuedFetches()
{
    while (!fetchQueue.isEmpty() && fetches.size() < MaxParallelFetches) {
        const QPair<QString, QUrl> next = fetchQueue.takeFirst();
        QNetworkRequest request(next.second);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        request.setTransferTimeout(fetchTransferTimeout);
        request.setRawHeader("Accept-Charset", "ISO-8859-1,utf-8;q=0.7,*;q=0.7");
        request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent);
        QNetworkReply *reply = network->get(request);
        Fetch fetch;
        fetch.imagename = next.first;
        fetches.insert(reply, fetch);
        connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
            const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
            if (length > MaxRemoteImageSize) {
                fetches[reply].overCap = true;
                reply->abort();
            }
        });
        connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
            auto it = fetches.find(reply);
            if (it == fetches.end())
                return;
            it->body.append(reply->readAll());
            if (it->body.size() > MaxRemoteImageSize) {
                it->overCap = true;
                it->body.clear();
                reply->abort();
            }
        });
        connect(reply, &QNetworkReply::finished, this, [this, reply] { fetchFinished(reply); });
    }
    if (fetches.isEmpty() && fetchQueue.isEmpty() && bodyDone)
        finishImport();
}

void OOReader::fetchFinished(QNetworkReply *reply)
{
    auto it = fetches.find(reply);
    if (it == fetches.end())
        return;
    Fetch fetch = it.value();
    fetches.erase(it);
    reply->deleteLater();
    if (!fetch.overCap && reply->error() == QNetworkReply::NoError) {
        fetch.body.append(reply->readAll());
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // Only a successful answer is the picture; error pages and redirections
        // are not followed or shown.
        if (status >= 200 && status < 300 && fetch.body.size() <= MaxRemoteImageSize) {
            const QImage image = QImage::fromData(fetch.body);
            if (!image.isNull())
                in_image(fetch.imagename, image);
        }
    } else {
        qCDebug(lcOdf) << "### remote image failed" << fetch.imagename << reply->errorString();
    }
    if (fetches.isEmpty() && fetchQueue.isEmpty()) {
        if (deadlineTimer != nullptr)
            deadlineTimer->stop();
        if (bodyDone)
            finishImport();
    } else {
        startQueuedFetches();
    }
}

void OOReader::abortFetches()
{
    fetchQueue.clear();
    const QList<QNetworkReply *> running = fetches.keys();
    for (QNetworkReply *reply : running)
        reply->abort(); // finished() follows and ends the fetch
    // Replies that did not finish on abort are let go here.
    for (QNetworkReply *reply : running) {
        if (fetches.remove(reply) > 0) {
            QObject::disconnect(reply, nullptr, this, nullptr);
            reply->deleteLater();
        }
    }
    if (bodyDone)
        finishImport();
}

void OOReader::in_image(QString imagename, QImage image)
{
    if (image.isNull() || document == nullptr)
        return;
    qCDebug(lcOdf) << "### remote image incomming " << imagename;
    document->addResource(QTextDocument::ImageResource, QUrl(imagename), image);
}
