#include "wiki.h"

#include "mediawiki.h"
#include "zuvoscriptconverter.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>

namespace {

const QString DefaultSite = QStringLiteral("http://%1.wiktionary.org");
const int TransferTimeoutMs = 30000;

// Mode of the outstanding request: a link query.
const int LinkQueryMode = 0;

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

class WikiPrivate
{
public:
    QStringList results;
    QUrl apiUrl = QUrl(DefaultSite.arg(QStringLiteral("en")) + QStringLiteral("/w/api.php"));
    QNetworkAccessManager *manager = nullptr;
    int maxItems = 10;
    QString languagePrefix = QStringLiteral("en");
    int language = Language::English;
    int mode = LinkQueryMode;
    QString siteTemplate = DefaultSite;
};

Wiki::Wiki(QObject *parent)
    : QObject(parent)
    , d(new WikiPrivate)
{
    d->manager = new QNetworkAccessManager(this);
    d->manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    d->manager->setTransferTimeout(TransferTimeoutMs);
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

    QNetworkReply *reply = d->manager->get(QNetworkRequest(url));
    capReplySize(reply);
}

void Wiki::finished(QNetworkReply *reply)
{
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
