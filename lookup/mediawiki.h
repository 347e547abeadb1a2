#ifndef ZUVO_LOOKUP_MEDIAWIKI_H
#define ZUVO_LOOKUP_MEDIAWIKI_H

#include <QObject>
#include <QString>
#include <QUrl>

#include "wikirequest.h"

class MediaWikiPrivate;
class QNetworkReply;

// Fetches the rendered page of one word from the Wiktionary edition of its
// language and reports it with finished(bool). Only the latest search is
// reported: a new search abandons the one still running.
class MediaWiki : public QObject
{
    Q_OBJECT

public:
    explicit MediaWiki(QObject *parent = nullptr);
    ~MediaWiki() override;

    // Text of the last page fetched; empty after a failure.
    QString result() const;

    QUrl apiUrl() const;
    void setApiUrl(const QUrl &url);

    int language() const;
    void setLanguage(int language);

    // The address of an edition's site, "%1" standing for the edition
    // prefix; "http://%1.wiktionary.org" unless replaced (a test server, a
    // mirror). Pages are read from "<site>/wiki/<word>".
    QString siteTemplate() const;
    void setSiteTemplate(const QString &siteTemplate);
    // The site of the language's edition.
    QUrl siteUrl(int language) const;

    // The Wiktionary edition of a language: "en" for English, otherwise the
    // language's own prefix.
    static QString editionPrefix(int language);

    // Pages larger than this are not taken: the reply is abandoned and
    // reported as a failure.
    static constexpr qint64 MaxPageBytes = WikiRequest::MaxReplyBytes;

signals:
    void finished(bool success);

public slots:
    void search(const QString &searchTerm);

private slots:
    void finished(QNetworkReply *reply);

private:
    MediaWikiPrivate *const d;
};

#endif
