#include "mediawiki.h"

#include "utils.h"
#include "wikirequest.h"
#include "zuvoscriptconverter.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrlQuery>

class MediaWikiPrivate
{
public:
    QString result;
    QUrl apiUrl = WikiRequest::defaultApiUrl();
    QNetworkAccessManager *manager = nullptr;
    QString languagePrefix = QStringLiteral("en");
    int language = Language::English;
    QString siteTemplate = WikiRequest::defaultSite();
    // The request whose page is to be shown; older ones are abandoned.
    QPointer<QNetworkReply> latest;
};

MediaWiki::MediaWiki(QObject *parent)
    : QObject(parent)
    , d(new MediaWikiPrivate)
{
    d->manager = WikiRequest::newManager(this);
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

    QNetworkReply *reply = WikiRequest::get(d->manager, url, d->latest);
    if (reply->error() != QNetworkReply::NoError)
        reply->close();
}

void MediaWiki::finished(QNetworkReply *reply)
{
    // A reply of an older search, abandoned for the latest: nothing to show.
    if (!WikiRequest::takeIfLatest(reply, d->latest)) {
        reply->deleteLater();
        return;
    }
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
