#include "wiki.h"

#include "mediawiki.h"
#include "wikirequest.h"
#include "zuvoscriptconverter.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QXmlStreamReader>

namespace {

// Mode of the outstanding request: a link query.
const int LinkQueryMode = 0;

} // namespace

class WikiPrivate
{
public:
    QStringList results;
    QUrl apiUrl = WikiRequest::defaultApiUrl();
    QNetworkAccessManager *manager = nullptr;
    int maxItems = 10;
    QString languagePrefix = QStringLiteral("en");
    int language = Language::English;
    int mode = LinkQueryMode;
    QString siteTemplate = WikiRequest::defaultSite();
    // The query whose links are to be kept; older ones are abandoned.
    QPointer<QNetworkReply> latest;
};

Wiki::Wiki(QObject *parent)
    : QObject(parent)
    , d(new WikiPrivate)
{
    d->manager = WikiRequest::newManager(this);
    connect(d->manager, &QNetworkAccessManager::finished, this,
            qOverload<QNetworkReply *>(&Wiki::finished));
}

Wiki::~Wiki()
{
    delete d;
}

QStringList Wiki::results() const
{
    return d->results;
}

QUrl Wiki::apiUrl() const
{
    return d->apiUrl;
}

void Wiki::setApiUrl(const QUrl &url)
{
    d->apiUrl = url;
}

int Wiki::maxItems() const
{
    return d->maxItems;
}

void Wiki::setMaxItems(int maxItems)
{
    d->maxItems = maxItems;
}

int Wiki::language() const
{
    return d->language;
}

void Wiki::setLanguage(int language)
{
    if (d->language != language)
        d->language = language;
}

QString Wiki::siteTemplate() const
{
    return d->siteTemplate;
}

void Wiki::setSiteTemplate(const QString &siteTemplate)
{
    d->siteTemplate = siteTemplate;
}

void Wiki::search(const QString &searchTerm)
{
    if (searchTerm.isEmpty())
        return;
    d->mode = LinkQueryMode;
    d->languagePrefix = MediaWiki::editionPrefix(d->language);

    QUrl url(d->siteTemplate.arg(d->languagePrefix));
    url.setPath(url.path() + QStringLiteral("/w/api.php"));
    // The term is encoded whole: "&", "=", "+" and "%" in a title must not
    // split the query or turn into a blank on the server.
    const QString query = QStringLiteral("action=query&titles=") +
        QString::fromLatin1(QUrl::toPercentEncoding(searchTerm)) +
        QStringLiteral("&prop=links&format=xml");
    url.setQuery(query, QUrl::StrictMode);

    WikiRequest::get(d->manager, url, d->latest);
}

void Wiki::finished(QNetworkReply *reply)
{
    // A reply of an older query, abandoned for the latest: nothing to keep.
    if (!WikiRequest::takeIfLatest(reply, d->latest)) {
        reply->deleteLater();
        return;
    }
    if (reply->error() != QNetworkReply::NoError)
        emit finished(false);
    else if (d->mode == LinkQueryMode)
        emit finished(processSearchResult(reply));
    reply->deleteLater();
}

bool Wiki::processSearchResult(QIODevice *device)
{
    d->results.clear();
    QXmlStreamReader reader(device);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.hasError())
            return false;
        if (reader.isStartElement() && reader.name() == QLatin1String("pl")) {
            if (d->results.size() >= MaxTitles)
                return false;
            d->results.append(reader.attributes().value(QLatin1String("title")).toString());
        }
    }
    d->results.sort(Qt::CaseSensitive);
    return true;
}
