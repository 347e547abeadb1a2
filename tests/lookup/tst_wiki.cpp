#include "httpserver.h"
#include "mediawiki.h"
#include "messageboxwatcher.h"
#include "searchwidget.h"
#include "unicodelineedit.h"
#include "wiki.h"

#include <QBuffer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

using ZuvoTest::HttpServer;

namespace {

QString siteOf(const HttpServer &server)
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(server.port()) + QStringLiteral("%1");
}

} // namespace

class TestWiki : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void processSearchResult_data();
    void processSearchResult();
    void titleCountIsBounded();
    void query_data();
    void query();
    void replies_data();
    void replies();

    void searchWidget();
    void searchWidgetLinkOnlyInforms();

private:
    HttpServer server;
};

void TestWiki::initTestCase()
{
    QVERIFY(server.listen());
}

void TestWiki::defaults()
{
    Wiki wiki;
    QCOMPARE(wiki.apiUrl(), QUrl(QStringLiteral("http://en.wiktionary.org/w/api.php")));
    QCOMPARE(wiki.maxItems(), 10);
    QCOMPARE(wiki.language(), 9);
    QCOMPARE(wiki.siteTemplate(), QStringLiteral("http://%1.wiktionary.org"));
    wiki.setMaxItems(3);
    wiki.setLanguage(0);
    QCOMPARE(wiki.maxItems(), 3);
    QCOMPARE(wiki.language(), 0);

    QSignalSpy done(&wiki, qOverload<bool>(&Wiki::finished));
    wiki.search(QString());
    QVERIFY(!done.wait(100));
}

void TestWiki::processSearchResult_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("links, sorted by code unit")
        << QByteArray("<?xml version=\"1.0\"?><api><query><pages><page title=\"x\"><links>"
                      "<pl ns=\"0\" title=\"beta\"/><pl ns=\"0\" title=\"Zeta\"/>"
                      "<pl title=\"ಕನ್ನಡ\"/><pl ns=\"0\" title=\"alpha\"/>"
                      "</links></page></pages></query></api>")
        << true << QStringList { "Zeta", "alpha", "beta", "ಕನ್ನಡ" };
    QTest::newRow("no links") << QByteArray("<api><query/></api>") << true << QStringList();
    QTest::newRow("other elements ignored, missing title empty")
        << QByteArray("<api><p title=\"no\"/><pl/><plx title=\"no\"/></api>") << true
        << QStringList { "" };
    QTest::newRow("malformed keeps titles read, unsorted")
        << QByteArray("<api><pl title=\"b\"/><pl title=\"a\"/><oops></api>") << false
        << QStringList { "b", "a" };
    QTest::newRow("truncated") << QByteArray("<api><pl title=\"a\"/>") << false
                               << QStringList { "a" };
    QTest::newRow("empty") << QByteArray() << false << QStringList();
    QTest::newRow("not xml") << QByteArray("{\"query\": {}}") << false << QStringList();
    QByteArray bomb = "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxxxxxxxxxxxx\">"
                      "<!ENTITY y \"&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;\">"
                      "<!ENTITY z \"&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;\">"
                      "<!ENTITY w \"&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;\">]>"
                      "<api><pl title=\"&w;&w;&w;&w;&w;&w;&w;&w;&w;&w;\"/></api>";
    QTest::newRow("entity expansion refused") << bomb << false << QStringList();
}

void TestWiki::processSearchResult()
{
    QFETCH(QByteArray, xml);
    QFETCH(bool, ok);
    QFETCH(QStringList, titles);

    Wiki wiki;
    QBuffer buffer(&xml);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(wiki.processSearchResult(&buffer), ok);
    QCOMPARE(wiki.results(), titles);
}

void TestWiki::titleCountIsBounded()
{
    QByteArray xml = "<api>";
    for (int i = 0; i <= Wiki::MaxTitles; ++i)
        xml += "<pl title=\"t\"/>";
    xml += "</api>";
    Wiki wiki;
    QBuffer buffer(&xml);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(!wiki.processSearchResult(&buffer));
    QCOMPARE(wiki.results().size(), Wiki::MaxTitles);
}

void TestWiki::query_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QByteArray>("target");

    QTest::newRow("english") << 9 << "cat"
                             << QByteArray(
                                    "/en/w/api.php?action=query&titles=cat&prop=links&format=xml");
    QTest::newRow("kannada") << 0 << QStringLiteral("ಪದ")
                             << QByteArray("/kn/w/api.php?action=query&titles=%E0%B2%AA%E0%B2%A6"
                                           "&prop=links&format=xml");
    QTest::newRow("delimiters stay in the term")
        << 9 << "a+b&c=d%e f"
        << QByteArray(
               "/en/w/api.php?action=query&titles=a%2Bb%26c%3Dd%25e%20f&prop=links&format=xml");
}

void TestWiki::query()
{
    QFETCH(int, language);
    QFETCH(QString, term);
    QFETCH(QByteArray, target);

    Wiki wiki;
    wiki.setSiteTemplate(siteOf(server));
    wiki.setLanguage(language);
    QSignalSpy done(&wiki, qOverload<bool>(&Wiki::finished));
    wiki.search(term);
    QVERIFY(done.wait());
    QCOMPARE(server.requests().last(), target);
}

void TestWiki::replies_data()
{
    QTest::addColumn<HttpServer::Response>("response");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QStringList>("titles");

    HttpServer::Response ok;
    ok.contentType = "text/xml";
    ok.body = "<api><pl title=\"b\"/><pl title=\"a\"/></api>";
    QTest::newRow("links") << ok << true << QStringList { "a", "b" };

    HttpServer::Response error;
    error.status = 500;
    error.reason = "Internal Server Error";
    error.body = ok.body;
    QTest::newRow("http error") << error << false << QStringList();

    HttpServer::Response malformed;
    malformed.body = "<api><pl title=\"b\"/>";
    QTest::newRow("malformed") << malformed << false << QStringList { "b" };

    HttpServer::Response huge;
    huge.body = "<api>" + QByteArray(MediaWiki::MaxPageBytes, ' ') + "</api>";
    QTest::newRow("oversized") << huge << false << QStringList();
}

void TestWiki::replies()
{
    QFETCH(HttpServer::Response, response);
    QFETCH(bool, success);
    QFETCH(QStringList, titles);

    server.route("/en/w/api.php", response);
    Wiki wiki;
    wiki.setSiteTemplate(siteOf(server));
    QSignalSpy done(&wiki, qOverload<bool>(&Wiki::finished));
    wiki.search(QStringLiteral("page"));
    QVERIFY(done.wait(20000));
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.first().first().toBool(), success);
    QCOMPARE(wiki.results(), titles);
}

void TestWiki::searchWidget()
{
    HttpServer::Response page;
    page.body = "<p>entry</p>";
    server.route("/kn/wiki/A%20B", page);

    SearchWidget widget(nullptr);
    QCOMPARE(widget.windowTitle(), QStringLiteral("Zuvo - Wiktionary (Online)..."));
    QCOMPARE(widget.minimumSize(), QSize(400, 200));
    auto *client = widget.findChild<MediaWiki *>();
    auto *box = widget.findChild<UnicodeLineEdit *>();
    auto *browser = widget.findChild<QTextBrowser *>();
    auto *busy = widget.findChild<QProgressBar *>();
    QVERIFY(client && box && browser && busy);
    QVERIFY(!browser->openLinks());
    client->setSiteTemplate(siteOf(server));
    widget.setLanguageAndKeyboard(0, 0);
    QCOMPARE(client->language(), 0);
    QCOMPARE(box->language(), 0);
    QCOMPARE(browser->font().pointSize(), 11);
    widget.show();
    QVERIFY(!busy->isVisible());

    // A box of blanks sends nothing.
    QSignalSpy done(client, qOverload<bool>(&MediaWiki::finished));
    const int before = server.requests().size();
    box->insertPlainText(QStringLiteral("   "));
    widget.go();
    QVERIFY(!done.wait(200));
    QCOMPARE(server.requests().size(), before);

    widget.search(QStringLiteral("  A   B "));
    QVERIFY(busy->isVisible());
    QVERIFY(done.wait());
    QCOMPARE(server.requests().last(), QByteArray("/kn/wiki/A%20B?action=render"));
    QVERIFY(!busy->isVisible());
    QCOMPARE(browser->toPlainText(), QStringLiteral("entry"));

    // A failure leaves the page empty.
    widget.search(QStringLiteral("missing"));
    QVERIFY(done.wait());
    QVERIFY(!busy->isVisible());
    QCOMPARE(browser->toPlainText(), QString());
    widget.addWordToWiktionary(); // does nothing
    QCOMPARE(server.requests().size(), before + 2);
}

void TestWiki::searchWidgetLinkOnlyInforms()
{
    SearchWidget widget(nullptr);
    auto *client = widget.findChild<MediaWiki *>();
    client->setSiteTemplate(siteOf(server));
    QSignalSpy done(client, qOverload<bool>(&MediaWiki::finished));
    ZuvoTest::MessageBoxWatcher watcher;
    const int before = server.requests().size();
    emit widget.findChild<QTextBrowser *>()->anchorClicked(
        QUrl(QStringLiteral("//en.wiktionary.org/wiki/x")));
    QCOMPARE(watcher.titles(), QStringList { "Zuvo - Wiktionary (Online)...)" });
    QVERIFY(!done.wait(200));
    QCOMPARE(server.requests().size(), before);
}

QTEST_MAIN(TestWiki)
#include "tst_wiki.moc"
