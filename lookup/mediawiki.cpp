#include "mediawiki.h"

#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

namespace {

const QString DefaultSite = QStringLiteral("http://%1.wiktionary.org");
// A server that stops sending must not leave the busy bar running forever.
const int TransferTimeoutMs = 30000;

// Abandons a reply whose announced or received size passes the cap; the
// abandoned reply finishes with an error.
void capReplySize(QNetworkReply *reply)
{
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > MediaWiki::MaxPageBytes)
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply](qint64 received, qint64) {
                         if (received > MediaWiki::MaxPageBytes)
                             reply->abort();
                     });
}

} // namespace

class MediaWikiPrivate
{
public:
    QString result;
    QUrl apiUrl = QUrl(DefaultSite.arg(QStringLiteral("en")) + QStringLiteral("/w/api.php"));
    QNetworkAccessManager *manager = nullptr;
    QString languagePrefix = QStringLiteral("en");
    int language = Language::English;
    QString siteTemplate = DefaultSite;
};

MediaWiki::MediaWiki(QObject *parent)
    : QObject(parent)
    , d(new MediaWikiPrivate)
{
    d->manager = new QNetworkAccessManager(this);
    d->manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    d->manager->setTransferTimeout(TransferTimeoutMs);
    connect(d->manager, &QNetworkAccessManager::finished, this,
            qOverload<QNetworkReply *>(&MediaWiki::finished));
}

MediaWiki::~MediaWiki()
{
    delete d;
}

QString MediaWiki::result() const
{
    return d->result;
}

QUrl MediaWiki::apiUrl() const
{
    return d->apiUrl;
}

void MediaWiki::setApiUrl(const QUrl &url)
{
    d->apiUrl = url;
}

int MediaWiki::language() const
{
    return d->language;
}

void MediaWiki::setLanguage(int language)
{
    if (d->language != language)
        d->language = language;
}

QString MediaWiki::siteTemplate() const
{
    return d->siteTemplate;
}

void MediaWiki::setSiteTemplate(const QString &siteTemplate)
{
    d->siteTemplate = siteTemplate;
}

QUrl MediaWiki::siteUrl(int language) const
{
    return QUrl(d->siteTemplate.arg(editionPrefix(language)));
}

QString MediaWiki::editionPrefix(int language)
{
    // A language without a prefix of its own (English, an unknown value)
    // reads the English edition rather than a host with an empty label.
    const QString prefix =
        language == Language::English ? QString() : Utils::languagePrefix(language);
    return prefix.isEmpty() ? QStringLiteral("en") : prefix;
}

void MediaWiki::search(const QString &searchTerm)
{
    if (searchTerm.isEmpty())
        return;
    d->languagePrefix = editionPrefix(d->language);

    // The word is set as the path, never pasted into the address text, so
    // that "?", "#" or "%" in it stay part of the word.
    QUrl url = siteUrl(d->language);
    url.setPath(url.path() + QStringLiteral("/wiki/") + searchTerm, QUrl::DecodedMode);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("action"), QStringLiteral("render"));
    url.setQuery(query);

    QNetworkReply *reply = d->manager->get(QNetworkRequest(url));
    if (reply->error() != QNetworkReply::NoError) {
        reply->close();
        return;
    }
    capReplySize(reply);
}

void MediaWiki::finished(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError) {
        d->result = QString();
        emit finished(false);
    } else {
        QByteArray body = reply->readAll();
        const int nul = body.indexOf('\0');
        if (nul >= 0)
            body.truncate(nul);
        d->result = QString::fromUtf8(body);
        emit finished(true);
    }
    reply->deleteLater();
}
