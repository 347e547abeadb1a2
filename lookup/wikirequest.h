#ifndef ZUVO_LOOKUP_WIKIREQUEST_H
#define ZUVO_LOOKUP_WIKIREQUEST_H

#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QObject;

// What the Wiktionary clients share about their requests: where the editions
// live, how long a request may go without a byte, how large a reply may grow,
// and that only the latest request of a client counts.
namespace WikiRequest {

// The address of an edition's site, "%1" standing for the edition prefix.
QString defaultSite();
// The English edition's API script.
QUrl defaultApiUrl();

// A transfer that receives nothing for this long is abandoned and ends as a
// failure: a server that stops answering must not leave the busy bar running.
constexpr int TransferTimeoutMs = 15000;
// Replies larger than this are abandoned and end as a failure.
constexpr qint64 MaxReplyBytes = 8 * 1024 * 1024;

// A manager owned by the owner that follows only redirects that are no less
// safe than the request and gives up on silent transfers after the time-out.
QNetworkAccessManager *newManager(QObject *owner);

// Sends a GET request made from the URL alone and makes it the latest one.
// The request before it, when still running, is abandoned: the user asked for
// another word, and its late page must not replace the one asked for last.
// Its reply still finishes (with an error); isLatest() tells it apart.
QNetworkReply *get(QNetworkAccessManager *manager, const QUrl &url,
                   QPointer<QNetworkReply> &latest);

// Whether a finished reply is the latest request's; if so it is no longer
// outstanding afterwards.
bool takeIfLatest(QNetworkReply *reply, QPointer<QNetworkReply> &latest);

} // namespace WikiRequest

#endif
