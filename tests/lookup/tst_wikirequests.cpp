// The Wiktionary clients against the real addresses of the editions: a
// loopback server stands in as the application's HTTP proxy, so every request
// keeps its real host and path.

#include "findchild.h"
#include "httpserver.h"
#include "mediawiki.h"
#include "searchwidget.h"
#include "testenv.h"
#include "unicodelineedit.h"
#include "wiki.h"
#include "wiktionaryonline.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using ZuvoTest::HttpServer;

namespace {

const int Kannada = 0;
const int English = 9;

HttpServer::Response page(const QByteArray &body, int delayMs = 0)
{
    HttpServer::Response r;
    r.contentType = "text/html; charset=utf-8";
    r.body = body;
    r.delayMs = delayMs;
    return r;
}

// A request target as the proxy receives it, "http://host/path?query".
QUrl targetUrl(const QByteArray &target)
{
    return QUrl::fromEncoded(target, QUrl::StrictMode);
}

// Clicks the link with the given address in a shown browser, as a user does.
bool clickLink(QTextBrowser *browser, const QString &href)
{
    for (QTextBlock b = browser->document()->firstBlock(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().anchorHref() != href || f.length() < 2)
                continue;
            QTextCursor c(browser->document());
            c.setPosition(f.position() + f.length() / 2);
            const QPoint at = browser->cursorRect(c).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

} // namespace

class TestWikiRequests : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void onlyLatestRequestShown_data();
    void onlyLatestRequestShown();
    void followedLinks_data();
    void followedLinks();
    void silentServerTimesOut();

private:
    HttpServer server;
};

void TestWikiRequests::initTestCase()
{
    QVERIFY(server.listen());
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server.port()));
}

void TestWikiRequests::cleanupTestCase()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void TestWikiRequests::onlyLatestRequestShown_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<int>("firstDelay"); // ms before the server answers
    QTest::addColumn<int>("secondDelay");

    for (const char *client : { "WiktionaryOnline", "SearchWidget", "Wiki" }) {
        QTest::addRow("%s: slow, then fast", client) << client << 500 << 0;
        QTest::addRow("%s: fast, then slow", client) << client << 150 << 500;
    }
}

void TestWikiRequests::onlyLatestRequestShown()
{
    // A word looked up while the page of the one before is still on its way:
    // only the page of the latest word is shown, whichever arrives first, and
    // the busy bar runs until it is there.
    QFETCH(QString, client);
    QFETCH(int, firstDelay);
    QFETCH(int, secondDelay);

    QString tag = QString::fromLatin1(QTest::currentDataTag());
    for (QChar &c : tag) {
        if (!c.isLetterOrNumber())
            c = u'-';
    }
    const QString first = QStringLiteral("first-") + tag;
    const QString second = QStringLiteral("second-") + tag;
    const auto pageUrl = [](const QString &word) {
        QUrl url(QStringLiteral("http://en.wiktionary.org"));
        url.setPath(QStringLiteral("/wiki/") + word);
        return url.toEncoded();
    };
    const auto queryUrl = [](const QString &word) {
        return QByteArray("http://en.wiktionary.org/w/api.php?action=query&titles=") +
            QUrl::toPercentEncoding(word) + "&prop=links&format=xml";
    };
    server.route(pageUrl(first), page("<p>" + first.toUtf8() + "</p>", firstDelay));
    server.route(pageUrl(second), page("<p>" + second.toUtf8() + "</p>", secondDelay));
    server.route(queryUrl(first),
                 page("<api><pl title=\"" + first.toUtf8() + "\"/></api>", firstDelay));
    server.route(queryUrl(second),
                 page("<api><pl title=\"" + second.toUtf8() + "\"/></api>", secondDelay));

    std::unique_ptr<QObject> owner;
    QObject *emitter = nullptr;
    std::function<void(const QString &)> search;
    std::function<QString()> shown;
    QProgressBar *busy = nullptr;
    if (client == QLatin1String("Wiki")) {
        auto *wiki = new Wiki;
        owner.reset(wiki);
        emitter = wiki;
        search = [wiki](const QString &w) { wiki->search(w); };
        shown = [wiki] { return wiki->results().join(QLatin1Char(',')); };
    } else {
        QDialog *window = nullptr;
        if (client == QLatin1String("WiktionaryOnline")) {
            auto *w = new WiktionaryOnline(nullptr);
            w->setLanguageAndKeyboard(English, 0);
            search = [w](const QString &word) { w->search(word); };
            window = w;
        } else {
            auto *w = new SearchWidget(nullptr);
            w->setLanguageAndKeyboard(English, 0);
            search = [w](const QString &word) { w->search(word); };
            window = w;
        }
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        owner.reset(window);
        window->show();
        emitter = window->findChild<MediaWiki *>();
        busy = window->findChild<QProgressBar *>();
        QTextBrowser *browser = window->findChild<QTextBrowser *>();
        shown = [browser] { return browser->toPlainText(); };
    }
    QSignalSpy done(emitter, SIGNAL(finished(bool)));

    const int before = server.requests().size();
    search(first);
    // The first request is on its way when the second word is looked up.
    QTRY_COMPARE(server.requests().size(), before + 1);
    search(second);
    QTRY_COMPARE(server.requests().size(), before + 2);
    QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty(), 5000);
    QCOMPARE(shown(), second);
    QCOMPARE(done.first().first().toBool(), true);
    if (busy)
        QVERIFY(!busy->isVisible());

    // The abandoned reply never comes in later.
    QVERIFY(!done.wait(firstDelay + 200));
    QCOMPARE(done.size(), 1);
    QCOMPARE(shown(), second);
}

void TestWikiRequests::followedLinks_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("word"); // the entry asked for; empty: the link is ignored

    const QString kn = QStringLiteral("//kn.wiktionary.org/wiki/");
    const QString en = QStringLiteral("//en.wiktionary.org/wiki/");
    // clang-format off
    QTest::newRow("apostrophe") << English << en + "don%27t" << "don't";
    QTest::newRow("question mark") << English << en + "why%3F" << "why?";
    QTest::newRow("number sign") << English << en + "C%23" << "C#";
    QTest::newRow("percent sign") << English << en + "100%25" << "100%";
    QTest::newRow("ampersand") << English << en + "R%26D" << "R&D";
    QTest::newRow("plus sign kept") << English << en + "C++" << "C++";
    QTest::newRow("section of an entry") << English << en + "cat#Noun" << "cat";
    QTest::newRow("kannada, encoded") << Kannada << kn + "%E0%B2%AA%E0%B2%A6" << "ಪದ";
    QTest::newRow("kannada") << Kannada << kn + "ಪದ" << "ಪದ";
    QTest::newRow("zwj, encoded")
        << Kannada << kn + "%E0%B2%95%E0%B2%B0%E0%B3%8D%E2%80%8D%E0%B2%AE" << "ಕರ್\u200Dಮ";
    QTest::newRow("kannada with apostrophe") << Kannada << kn + "%E0%B2%AA%E0%B2%A6%27" << "ಪದ'";
    QTest::newRow("other edition") << Kannada << en + "cat" << "";
    // clang-format on
}

void TestWikiRequests::followedLinks()
{
    QFETCH(int, language);
    QFETCH(QString, href);
    QFETCH(QString, word);

    const QString edition = language == English ? QStringLiteral("en") : QStringLiteral("kn");
    const QByteArray start = "http://" + edition.toLatin1() + ".wiktionary.org/wiki/start";
    server.route(start,
                 page("<p><a href=\"" + href.toHtmlEscaped().toUtf8() + "\">the link</a></p>"));

    WiktionaryOnline window(nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setLanguageAndKeyboard(language, 0);
    QVERIFY(ZuvoTest::showActive(&window));
    QSignalSpy done(window.findChild<MediaWiki *>(), qOverload<bool>(&MediaWiki::finished));
    window.search(QStringLiteral("start"));
    QVERIFY(done.wait());
    auto *browser = ZuvoTest::child<QTextBrowser>(&window, "textBrowser");

    const int before = server.requests().size();
    QVERIFY(clickLink(browser, href));
    if (word.isEmpty()) {
        QVERIFY(!done.wait(300));
        QCOMPARE(server.requests().size(), before);
        return;
    }
    QVERIFY(done.wait());
    QCOMPARE(server.requests().size(), before + 1);
    const QUrl asked = targetUrl(server.requests().last());
    QCOMPARE(asked.host(), edition + QStringLiteral(".wiktionary.org"));
    QCOMPARE(asked.path(QUrl::FullyDecoded), QStringLiteral("/wiki/") + word);
    QCOMPARE(asked.query(), QStringLiteral("action=render"));
    QCOMPARE(ZuvoTest::child<UnicodeLineEdit>(&window, "plainTextEdit")->text(), word);
}

void TestWikiRequests::silentServerTimesOut()
{
    // The one test that waits for the real time-out: a server that takes the
    // requests and never answers. Both clients give up, and the window shows
    // an empty page with the busy bar hidden.
    HttpServer::Response silent;
    silent.silent = true;
    server.route("http://en.wiktionary.org/wiki/silent", silent);
    server.route("http://en.wiktionary.org/w/api.php?action=query&titles=silent&prop=links"
                 "&format=xml",
                 silent);

    WiktionaryOnline window(nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setLanguageAndKeyboard(English, 0);
    window.show();
    auto *busy = ZuvoTest::child<QProgressBar>(&window, "progressBar");
    QSignalSpy pageDone(window.findChild<MediaWiki *>(), qOverload<bool>(&MediaWiki::finished));
    Wiki wiki;
    QSignalSpy linksDone(&wiki, qOverload<bool>(&Wiki::finished));

    QElapsedTimer clock;
    clock.start();
    window.search(QStringLiteral("silent"));
    wiki.search(QStringLiteral("silent"));
    QVERIFY(busy->isVisible());
    // Given up after 15 s without a byte, not after 30.
    QTRY_VERIFY_WITH_TIMEOUT(pageDone.size() == 1 && linksDone.size() == 1, 25000);
    QVERIFY2(clock.elapsed() >= 14000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(pageDone.first().first().toBool(), false);
    QCOMPARE(linksDone.first().first().toBool(), false);
    QVERIFY(!busy->isVisible());
    QCOMPARE(ZuvoTest::child<QTextBrowser>(&window, "textBrowser")->toPlainText(), QString());
    QCOMPARE(window.findChild<MediaWiki *>()->result(), QString());
}

QTEST_MAIN(TestWikiRequests)
#include "tst_wikirequests.moc"
