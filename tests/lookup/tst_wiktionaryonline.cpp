#include "findchild.h"
#include "httpserver.h"
#include "mediawiki.h"
#include "unicodelineedit.h"
#include "wiktionaryonline.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using ZuvoTest::HttpServer;

namespace {

const int Kannada = 0;
const int English = 9;

QString siteOf(const HttpServer &server)
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(server.port()) + QStringLiteral("%1");
}

// The words asked for, decoded, from request targets "/<edition>/wiki/<word>?...".
QStringList askedWords(const HttpServer &server)
{
    QStringList words;
    for (const QByteArray &target : server.requests()) {
        QByteArray path = target.left(target.indexOf('?'));
        const int at = path.indexOf("/wiki/");
        words << QUrl::fromPercentEncoding(path.mid(at + 6));
    }
    return words;
}

} // namespace

class TestWiktionaryOnline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void request_data();
    void request();
    void defaults();
    void reply_data();
    void reply();
    void refusedConnection();

    void history_data();
    void history();
    void typedWordSentAsTyped();
    void links_data();
    void links();
    void failureShowsEmptyPage();
    void closingDeletesWindow();

private:
    // Runs one step on the window and waits for the fetch it starts, if any.
    bool fetches(WiktionaryOnline *window, const std::function<void()> &action);

    HttpServer server;
};

void TestWiktionaryOnline::initTestCase()
{
    QVERIFY(server.listen());
    HttpServer::Response page;
    page.contentType = "text/html; charset=utf-8";
    page.body = "<p>page</p>";
    for (const char *word : { "A", "B", "C" })
        server.route(QByteArray("/en/wiki/") + word, page);
}

void TestWiktionaryOnline::request_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QByteArray>("target");

    QTest::newRow("english") << English << "cat" << QByteArray("/en/wiki/cat?action=render");
    QTest::newRow("kannada") << Kannada << QStringLiteral("ಪದ")
                             << QByteArray("/kn/wiki/%E0%B2%AA%E0%B2%A6?action=render");
    QTest::newRow("tamil") << 8 << "x" << QByteArray("/ta/wiki/x?action=render");
    QTest::newRow("unknown language reads english")
        << 42 << "x" << QByteArray("/en/wiki/x?action=render");
    QTest::newRow("blanks kept") << English << " a b "
                                 << QByteArray("/en/wiki/%20a%20b%20?action=render");
    QTest::newRow("query and fragment characters stay in the word")
        << English << "a?b#c%d" << QByteArray("/en/wiki/a%3Fb%23c%25d?action=render");
}

void TestWiktionaryOnline::request()
{
    QFETCH(int, language);
    QFETCH(QString, word);
    QFETCH(QByteArray, target);

    MediaWiki client;
    client.setSiteTemplate(siteOf(server));
    client.setLanguage(language);
    QSignalSpy done(&client, qOverload<bool>(&MediaWiki::finished));
    const int before = server.requests().size();
    client.search(word);
    QVERIFY(done.wait());
    QCOMPARE(server.requests().size(), before + 1);
    QCOMPARE(server.requests().last(), target);
    QCOMPARE(client.language(), language);
}

void TestWiktionaryOnline::defaults()
{
    MediaWiki client;
    QCOMPARE(client.language(), English);
    QCOMPARE(client.apiUrl(), QUrl(QStringLiteral("http://en.wiktionary.org/w/api.php")));
    QCOMPARE(client.siteUrl(Kannada), QUrl(QStringLiteral("http://kn.wiktionary.org")));
    QCOMPARE(client.siteUrl(English), QUrl(QStringLiteral("http://en.wiktionary.org")));
    client.setApiUrl(QUrl(QStringLiteral("http://example.org/api")));
    QCOMPARE(client.apiUrl(), QUrl(QStringLiteral("http://example.org/api")));

    // An empty word sends nothing and reports nothing.
    QSignalSpy done(&client, qOverload<bool>(&MediaWiki::finished));
    client.search(QString());
    QVERIFY(!done.wait(100));
}

void TestWiktionaryOnline::reply_data()
{
    QTest::addColumn<HttpServer::Response>("response");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("result");

    HttpServer::Response ok;
    ok.body = QStringLiteral("<p>ಕನ್ನಡ</p>").toUtf8();
    QTest::newRow("page") << ok << true << QStringLiteral("<p>ಕನ್ನಡ</p>");

    HttpServer::Response nul;
    nul.body = QByteArray("<p>up to", 9) + QByteArray(1, '\0') + "hidden";
    QTest::newRow("nul byte ends the page") << nul << true << QStringLiteral("<p>up to");

    HttpServer::Response missing;
    missing.status = 404;
    missing.reason = "Not Found";
    missing.body = "no such entry";
    QTest::newRow("http error") << missing << false << QString();

    HttpServer::Response huge;
    huge.body = QByteArray(MediaWiki::MaxPageBytes + 1, 'x');
    QTest::newRow("oversized") << huge << false << QString();
    huge.chunked = true; // no length announced
    QTest::newRow("oversized, chunked") << huge << false << QString();
}

void TestWiktionaryOnline::reply()
{
    QFETCH(HttpServer::Response, response);
    QFETCH(bool, success);
    QFETCH(QString, result);

    const QByteArray path =
        "/en/wiki/reply-" + QByteArray(QTest::currentDataTag()).toPercentEncoding();
    server.route(path, response);
    MediaWiki client;
    client.setSiteTemplate(siteOf(server));
    QSignalSpy done(&client, qOverload<bool>(&MediaWiki::finished));
    client.search(QStringLiteral("reply-") + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(done.wait(20000));
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.first().first().toBool(), success);
    QCOMPARE(client.result(), result);
}

void TestWiktionaryOnline::refusedConnection()
{
    quint16 closedPort = 0;
    {
        HttpServer gone;
        QVERIFY(gone.listen());
        closedPort = gone.port();
    }
    MediaWiki client;
    client.setSiteTemplate(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort) +
                           QStringLiteral("%1"));
    QSignalSpy done(&client, qOverload<bool>(&MediaWiki::finished));
    client.search(QStringLiteral("word"));
    QVERIFY(done.wait());
    QCOMPARE(done.first().first().toBool(), false);
    QCOMPARE(client.result(), QString());
}

bool TestWiktionaryOnline::fetches(WiktionaryOnline *window, const std::function<void()> &action)
{
    auto *client = window->findChild<MediaWiki *>();
    QSignalSpy done(client, qOverload<bool>(&MediaWiki::finished));
    const int before = server.requests().size();
    action();
    if (server.requests().size() == before && !done.wait(300))
        return false;
    if (done.isEmpty())
        done.wait();
    return server.requests().size() > before;
}

void TestWiktionaryOnline::history_data()
{
    // Steps: "A" looks up a word through search(); "<" is Back, ">" Forward.
    // Expected per step: the word fetched ("-" for none), then the states
    // of Back and Forward ("10" = Back enabled, Forward disabled).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("same word twice is one entry")
        << QStringList { "A", "A", "<" } << QStringList { "A 10", "A 10", "- 01" };
    QTest::newRow("first lookup: back and forward fetch nothing")
        << QStringList { "A", "<", ">" } << QStringList { "A 10", "- 01", "- 10" };
    QTest::newRow("A B C, back back forward")
        << QStringList { "A", "B", "C", "<", "<", ">" }
        << QStringList { "A 10", "B 10", "C 10", "B 11", "A 01", "B 11" };
    QTest::newRow("A B A: back twice lands on the first A, forward finds nothing")
        << QStringList { "A", "B", "A", "<", "<", ">" }
        << QStringList { "A 10", "B 10", "A 10", "B 11", "A 01", "- 10" };
    QTest::newRow("a word after stepping back is appended, forward kept")
        << QStringList { "A", "B", "<", "C", "<", "<" }
        << QStringList { "A 10", "B 10", "A 01", "C 11", "B 11", "A 01" };
    QTest::newRow("search after an empty step is not recorded")
        << QStringList { "A", "<", ">", "C", "<" }
        << QStringList { "A 10", "- 01", "- 10", "C 10", "A 01" };
}

void TestWiktionaryOnline::history()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    QPointer<WiktionaryOnline> window = new WiktionaryOnline(nullptr);
    window->findChild<MediaWiki *>()->setSiteTemplate(siteOf(server));
    window->setLanguageAndKeyboard(English, 0);
    auto *back = ZuvoTest::child<QToolButton>(window, "backwardButton");
    auto *forward = ZuvoTest::child<QToolButton>(window, "forwardButton");
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    for (int i = 0; i < steps.size(); ++i) {
        const QString step = steps.at(i);
        const int before = server.requests().size();
        bool fetched = fetches(window, [&] {
            if (step == QLatin1String("<"))
                back->click();
            else if (step == QLatin1String(">"))
                forward->click();
            else
                window->search(step);
        });
        const QString got = (fetched ? askedWords(server).value(before) : QStringLiteral("-")) +
            QLatin1Char(' ') + QLatin1Char(back->isEnabled() ? '1' : '0') +
            QLatin1Char(forward->isEnabled() ? '1' : '0');
        QVERIFY2(got == expected.at(i),
                 qPrintable(QStringLiteral("step %1 (%2): got %3, expected %4")
                                .arg(i)
                                .arg(step, got, expected.at(i))));
    }
    delete window;
}

void TestWiktionaryOnline::typedWordSentAsTyped()
{
    WiktionaryOnline *window = new WiktionaryOnline(nullptr);
    window->findChild<MediaWiki *>()->setSiteTemplate(siteOf(server));
    window->setLanguageAndKeyboard(English, 0);
    auto *box = ZuvoTest::child<UnicodeLineEdit>(window, "plainTextEdit");

    const int before = server.requests().size();
    QVERIFY(fetches(window, [&] {
        box->insertPlainText(QStringLiteral(" A "));
        ZuvoTest::child<QToolButton>(window, "toolButton")->click();
    }));
    QCOMPARE(askedWords(server).value(before), QStringLiteral(" A "));
    QCOMPARE(box->textCursor().selectedText(), QStringLiteral(" A ")); // next key replaces it

    QVERIFY(fetches(window, [&] { window->search(QStringLiteral("  A \t B ")); }));
    QCOMPARE(askedWords(server).value(before + 1), QStringLiteral("A B"));
    QCOMPARE(box->text(), QStringLiteral("A B"));

    // Return with an empty box does nothing.
    box->clear();
    QVERIFY(!fetches(window, [&] { QTest::keyClick(box, Qt::Key_Return); }));
    delete window;
}

void TestWiktionaryOnline::links_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("link"); // "%site" is the server's "//127.0.0.1:<port>"
    QTest::addColumn<QString>("word"); // empty: ignored

    QTest::newRow("entry of the edition") << English << "%site/en/wiki/B"
                                          << "B";
    QTest::newRow("kannada entry")
        << Kannada << QStringLiteral("%site/kn/wiki/ಪದ") << QStringLiteral("ಪದ");
    QTest::newRow("entry section") << English << "%site/en/wiki/B#Noun"
                                   << "B";
    QTest::newRow("letter case differs") << English << "%site/en/WIKI/B"
                                         << "";
    QTest::newRow("other edition") << English << "%site/kn/wiki/B"
                                   << "";
    QTest::newRow("other site") << English << "http://example.org/wiki/B"
                                << "";
    QTest::newRow("in-page link") << English << "#top"
                                  << "";
    QTest::newRow("relative link") << English << "/wiki/B"
                                   << "";
}

void TestWiktionaryOnline::links()
{
    QFETCH(int, language);
    QFETCH(QString, link);
    QFETCH(QString, word);

    WiktionaryOnline *window = new WiktionaryOnline(nullptr);
    window->findChild<MediaWiki *>()->setSiteTemplate(siteOf(server));
    window->setLanguageAndKeyboard(language, 0);
    link.replace(QStringLiteral("%site"), QStringLiteral("//127.0.0.1:%1").arg(server.port()));
    auto *browser = ZuvoTest::child<QTextBrowser>(window, "textBrowser");
    QVERIFY(!browser->openLinks());

    const int before = server.requests().size();
    const bool fetched = fetches(window, [&] { emit browser->anchorClicked(QUrl(link)); });
    QCOMPARE(fetched, !word.isEmpty());
    if (fetched) {
        QCOMPARE(askedWords(server).value(before), word);
        QCOMPARE(ZuvoTest::child<UnicodeLineEdit>(window, "plainTextEdit")->text(), word);
        QVERIFY(ZuvoTest::child<QToolButton>(window, "backwardButton")->isEnabled()); // recorded
    }
    delete window;
}

void TestWiktionaryOnline::failureShowsEmptyPage()
{
    WiktionaryOnline *window = new WiktionaryOnline(nullptr);
    window->findChild<MediaWiki *>()->setSiteTemplate(siteOf(server));
    window->setLanguageAndKeyboard(English, 0);
    window->show();
    auto *busy = ZuvoTest::child<QProgressBar>(window, "progressBar");
    auto *browser = ZuvoTest::child<QTextBrowser>(window, "textBrowser");
    QVERIFY(!busy->isVisible());

    QVERIFY(fetches(window, [&] {
        window->search(QStringLiteral("A"));
        QVERIFY(busy->isVisible());
    }));
    QVERIFY(!busy->isVisible());
    QCOMPARE(browser->toPlainText(), QStringLiteral("page"));

    QVERIFY(fetches(window, [&] { window->search(QStringLiteral("no-such-entry")); }));
    QVERIFY(!busy->isVisible());
    QCOMPARE(browser->toPlainText(), QString());
    delete window;
}

void TestWiktionaryOnline::closingDeletesWindow()
{
    QPointer<WiktionaryOnline> window = new WiktionaryOnline(nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("WiktionaryOnline"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Wiktionary Meaning (Online)..."));
    QVERIFY(window->windowFlags() & Qt::Tool);
    QVERIFY(!ZuvoTest::child<QToolButton>(window, "toolButton")->icon().isNull());
    window->show();
    // A reply still open when the window goes dies with it.
    window->findChild<MediaWiki *>()->setSiteTemplate(siteOf(server));
    HttpServer::Response slow;
    slow.delayMs = 300;
    server.route("/en/wiki/slow", slow);
    window->search(QStringLiteral("slow"));
    ZuvoTest::child<QDialogButtonBox>(window, "buttonBox")
        ->button(QDialogButtonBox::Close)
        ->click();
    QTRY_VERIFY(window.isNull());
    // The reply's time comes with nobody left to take it.
    QTRY_COMPARE(server.delayedPending(), 0);
}

QTEST_MAIN(TestWiktionaryOnline)
#include "tst_wiktionaryonline.moc"
