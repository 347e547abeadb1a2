#ifndef ZUVO_LOOKUP_WIKI_H
#define ZUVO_LOOKUP_WIKI_H

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class QIODevice;
class QNetworkReply;
class WikiPrivate;

// Asks the MediaWiki interface of a Wiktionary edition for the links of a
// page and keeps their titles, sorted.
class Wiki : public QObject
{
    Q_OBJECT

public:
    explicit Wiki(QObject *parent = nullptr);
    ~Wiki() override;

    // The titles found by the last query.
    QStringList results() const;

    QUrl apiUrl() const;
    void setApiUrl(const QUrl &url);
    int maxItems() const;
    void setMaxItems(int maxItems);
    int language() const;
    void setLanguage(int language);

    // The address of an edition's site, "%1" standing for the edition
    // prefix; "http://%1.wiktionary.org" unless replaced. Queries go to
    // "<site>/w/api.php".
    QString siteTemplate() const;
    void setSiteTemplate(const QString &siteTemplate);

    // Reads a query answer: the "title" of every "pl" element, sorted. False
    // on a document that is not well formed (the titles read before the
    // fault stay, unsorted).
    bool processSearchResult(QIODevice *device);

    // A query answer is not read past this many titles.
    static constexpr int MaxTitles = 100000;

signals:
    void finished(bool success);

public slots:
    void search(const QString &searchTerm);

private slots:
    void finished(QNetworkReply *reply);

private:
    WikiPrivate *const d;
};

#endif
