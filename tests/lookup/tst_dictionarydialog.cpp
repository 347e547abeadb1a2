#include "dctfixture.h"
#include "dictionary.h"
#include "findchild.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "ts.h"
#include "unicodelineedit.h"
#include "utils.h"
#include "zavidodazdialog.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

namespace {

const QString Mane = QStringLiteral("ಮನೆ");
const QString Kadu = QStringLiteral("ಕಾಡು");
const QString Ane = QStringLiteral("ಆನೆ");
const QString Hint = QStringLiteral("Use \" F11\" key to toggle between Kannada & English");

ZuvoTest::DctEntries entries()
{
    return {
        { Mane, QStringLiteral("<p>house <b>noun</b></p>") },
        { QStringLiteral("ಮನೆಗೆ"), QStringLiteral("<p>to the house</p>") },
        { QStringLiteral("ಹೊಸಮನೆ"), QStringLiteral("<p>new house</p>") },
        { Kadu, QStringLiteral("<p>forest</p>") },
        { Ane, QStringLiteral("<p>elephant</p>") },
        { QStringLiteral("ಹಾಲು"), QStringLiteral("<p>milk</p>") },
        // Headwords with the characters a link address treats specially.
        { QStringLiteral("zzA"), QStringLiteral("<p>a</p>") },
        { QStringLiteral("zz%41"), QStringLiteral("<p>percent</p>") },
        { QStringLiteral("zz a"), QStringLiteral("<p>blank</p>") },
        { QStringLiteral("zz#7"), QStringLiteral("<p>number sign</p>") },
        { QStringLiteral("zz&q"), QStringLiteral("<p>ampersand</p>") },
        { QStringLiteral("zz?x=1"), QStringLiteral("<p>query</p>") },
        { QStringLiteral("zz+"), QStringLiteral("<p>plus</p>") },
        { QStringLiteral("zzಕ\u200Dಮ"), QStringLiteral("<p>joiner</p>") },
    };
}

// The paragraphs the browser shows.
QStringList paragraphs(const QTextBrowser *browser)
{
    QStringList out;
    for (QTextBlock b = browser->document()->firstBlock(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

QStringList links(const QTextBrowser *browser)
{
    QStringList out;
    for (QTextBlock b = browser->document()->firstBlock(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isAnchor())
                out << it.fragment().charFormat().anchorHref();
        }
    }
    return out;
}

} // namespace

class TestDictionaryDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void form();
    void noDictionary();
    void foundWord();
    void missingWord();
    void wordLink_data();
    void wordLink();
    void clickedHeadwordLink_data();
    void clickedHeadwordLink();
    void history();
    void sameWordTwice();
    void emptyWordBox();
    void blankWord();
    void searchMe_data();
    void searchMe();
    void hintOnFocusChange();
    void statusTimers();
    void closeKeepsHistory();
    void geometry();

private:
    template<typename T> T *child(const char *name) { return ZuvoTest::child<T>(dialog, name); }
    QTextBrowser *browser() { return child<QTextBrowser>("textBrowser"); }
    UnicodeLineEdit *wordBox() { return child<UnicodeLineEdit>("wordLineEdit"); }
    QString status() { return child<QLabel>("statusBar")->text(); }
    bool backEnabled() { return child<QToolButton>("backwardButton")->isEnabled(); }
    bool forwardEnabled() { return child<QToolButton>("forwardButton")->isEnabled(); }
    void back() { child<QToolButton>("backwardButton")->click(); }
    void forward() { child<QToolButton>("forwardButton")->click(); }
    void lookUp(const QString &word)
    {
        wordBox()->setText(word);
        child<QToolButton>("searchButton")->click();
    }
    // The headword the browser shows (found words) or the word in red.
    QString shown()
    {
        const QStringList p = paragraphs(browser());
        return p.isEmpty() ? QString() : QString(p.first()).remove(QChar(0xa0)).trimmed();
    }

    ZuvoTest::TempEnv *env = nullptr;
    ZaviDodazDialog *dialog = nullptr;
};

void TestDictionaryDialog::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
}

void TestDictionaryDialog::init()
{
    env = new ZuvoTest::TempEnv;
    QVERIFY(ZuvoTest::writeDct(env->filePath(QStringLiteral("dct/kn.dct")), entries()));
    Dictionary::setDictFolder(env->filePath(QStringLiteral("dct")) + u'/');
    dialog = new ZaviDodazDialog;
    dialog->setLanguageAndKeyboard(0, 0);
}

void TestDictionaryDialog::cleanup()
{
    delete dialog;
    dialog = nullptr;
    Dictionary::setDictFolder(QString());
    delete env;
}

void TestDictionaryDialog::form()
{
    QCOMPARE(dialog->objectName(), QStringLiteral("ZaviDodazDialog"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("ZaviDodaz"));
    QVERIFY(dialog->isSizeGripEnabled());
    QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowTitleHint));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!browser()->openLinks());
    QCOMPARE(child<QToolButton>("searchButton")->toolTip(), QStringLiteral("search"));
    for (const char *button : { "searchButton", "backwardButton", "forwardButton" }) {
        QToolButton *b = child<QToolButton>(button);
        QCOMPARE(b->iconSize(), QSize(22, 22));
        QVERIFY2(!b->icon().pixmap(22, 22).isNull(), button);
    }
    QCOMPARE(child<QPushButton>("pushButton")->text(), QStringLiteral("Close"));
    QCOMPARE(wordBox()->minimumHeight(), 28);
    QCOMPARE(wordBox()->maximumHeight(), 28);
    QVERIFY(wordBox()->tabChangesFocus());
    QVERIFY(!backEnabled());
    QVERIFY(!forwardEnabled());
    QVERIFY(wordBox()->isEnabled());
    QVERIFY(browser()->isEnabled());
    QCOMPARE(status(), Hint);
}

void TestDictionaryDialog::noDictionary()
{
    ZuvoTest::MessageBoxWatcher watcher;
    dialog->setLanguageAndKeyboard(1, 0); // no database holds this language
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("ZaviDodaz") });
    QVERIFY(watcher.texts().first().startsWith(
        QStringLiteral("Dictionary is not found for <b>%1</b>! <br/>Check here => <a href=")
            .arg(Utils::languageName(1))));
    QVERIFY(!wordBox()->isEnabled());
    QVERIFY(!browser()->isEnabled());
    QCOMPARE(status(),
             QStringLiteral("Use \" F11\" key to toggle between %1 & English")
                 .arg(Utils::languageName(1)));

    // A language that has one enables the lookup again.
    dialog->setLanguageAndKeyboard(0, 2);
    QCOMPARE(watcher.seen().size(), 1);
    QVERIFY(wordBox()->isEnabled());
    QVERIFY(browser()->isEnabled());
    QCOMPARE(wordBox()->keyboard(), 2);
    QCOMPARE(browser()->font().family(), Utils::languageDefaultFont(0));
    QCOMPARE(browser()->font().pointSize(), 11);
}

void TestDictionaryDialog::foundWord()
{
    lookUp(Mane);
    QTextDocument *doc = browser()->document();
    const QTextBlock heading = doc->firstBlock();
    QCOMPARE(heading.blockFormat().headingLevel(), 2);
    QCOMPARE(shown(), Mane);
    QCOMPARE(heading.begin().fragment().charFormat().foreground().color(), QColor("darkblue"));
    // The rest of the line is rendered as HTML.
    QCOMPARE(paragraphs(browser()).mid(1), QStringList { QStringLiteral("house noun") });
    QVERIFY(browser()->toHtml().contains(QStringLiteral("font-weight")));
    QVERIFY(status() != QStringLiteral("Word not found. Sorry!"));
}

void TestDictionaryDialog::missingWord()
{
    lookUp(QStringLiteral("ಮನ"));
    QCOMPARE(status(), QStringLiteral("Word not found. Sorry!"));
    const QTextBlock first = browser()->document()->firstBlock();
    QCOMPARE(shown(), QStringLiteral("ಮನ"));
    const QTextCharFormat red = first.begin().fragment().charFormat();
    QCOMPARE(red.foreground().color(), QColor(Qt::red));
    QVERIFY(red.fontItalic());
    QCOMPARE(red.fontWeight(), int(QFont::Bold));
    Dictionary dictionary;
    QVERIFY(dictionary.isDictAvailable(0));
    const QStringList near = dictionary.nearByWords(QStringLiteral("ಮನ"));
    QVERIFY(!near.isEmpty());
    QStringList expected;
    for (const QString &w : near)
        expected << QStringLiteral("kosha-word:") + QString::fromLatin1(QUrl::toPercentEncoding(w));
    QCOMPARE(links(browser()), expected);
    QCOMPARE(paragraphs(browser()).size(), near.size() + 1);

    // A word that looks like mark-up is shown as typed.
    lookUp(QStringLiteral("<b>x</b>"));
    QCOMPARE(shown(), QStringLiteral("<b>x</b>"));
}

// clang-format off
void TestDictionaryDialog::wordLink_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected"); // shown word, or empty when nothing happens
    QTest::newRow("word link") << QStringLiteral("kosha-word:") + Mane << Mane;
    QTest::newRow("percent-encoded") << QString::fromLatin1(QUrl(QStringLiteral("kosha-word:") + Kadu).toEncoded()) << Kadu;
    QTest::newRow("other scheme") << QStringLiteral("https://example.org/") << QString();
    QTest::newRow("prefix inside") << QStringLiteral("https://example.org/kosha-word:") + Mane << QString();
}
// clang-format on

void TestDictionaryDialog::wordLink()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    lookUp(Ane);
    emit browser()->anchorClicked(QUrl(url));
    if (expected.isEmpty()) {
        QCOMPARE(shown(), Ane);
        QVERIFY(!backEnabled());
    } else {
        QCOMPARE(shown(), expected);
        QCOMPARE(wordBox()->text(), expected);
        QVERIFY(backEnabled()); // recorded after Ane
    }
}

void TestDictionaryDialog::clickedHeadwordLink_data()
{
    QTest::addColumn<QString>("headword");
    for (const char *w : { "zz%41", "zz a", "zz#7", "zz&q", "zz?x=1", "zz+", "zzA" })
        QTest::newRow(w) << QString::fromUtf8(w);
    QTest::newRow("joiner") << QStringLiteral("zzಕ\u200Dಮ");
}

void TestDictionaryDialog::clickedHeadwordLink()
{
    // A near-by headword clicked with the mouse looks up exactly that word.
    QFETCH(QString, headword);
    QVERIFY(ZuvoTest::showActive(dialog));
    lookUp(QStringLiteral("zz"));
    QCOMPARE(status(), QStringLiteral("Word not found. Sorry!"));
    QTextFragment link;
    for (QTextBlock b = browser()->document()->firstBlock(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isAnchor() && it.fragment().text() == headword)
                link = it.fragment();
        }
    }
    QVERIFY(link.isValid());
    QTextCursor c(browser()->document());
    c.setPosition(link.position() + 1);
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, browser()->cursorRect(c).center());
    QCOMPARE(wordBox()->text(), headword);
    QCOMPARE(shown(), headword);
    QVERIFY(backEnabled()); // recorded after "zz"
}

void TestDictionaryDialog::history()
{
    const QString a = Mane, b = Kadu, c = QStringLiteral("ಮನ"), d = Ane;
    lookUp(a);
    QVERIFY(!backEnabled());
    lookUp(b);
    lookUp(c);
    QVERIFY(backEnabled());
    QVERIFY(!forwardEnabled());

    back();
    QCOMPARE(shown(), b);
    QCOMPARE(wordBox()->text(), b);
    QVERIFY(backEnabled());
    QVERIFY(forwardEnabled());
    back();
    QCOMPARE(shown(), a);
    QVERIFY(!backEnabled());
    QVERIFY(forwardEnabled());
    forward();
    QCOMPARE(shown(), b);
    forward();
    QCOMPARE(shown(), c);
    QVERIFY(!forwardEnabled());

    // Going back then looking up appends at the end: back steps from there.
    back();
    back();
    lookUp(d);
    QVERIFY(backEnabled());
    back();
    QCOMPARE(shown(), c);
    back();
    QCOMPARE(shown(), b);
}

void TestDictionaryDialog::sameWordTwice()
{
    lookUp(Mane);
    lookUp(Mane);
    QVERIFY(!backEnabled());
    lookUp(Kadu);
    back();
    QCOMPARE(shown(), Mane);
    QVERIFY(!backEnabled());
}

void TestDictionaryDialog::emptyWordBox()
{
    lookUp(Mane);
    lookUp(Kadu);
    const QString html = browser()->toHtml();
    lookUp(QString());
    QCOMPARE(status(), QStringLiteral("You have not entered any word!"));
    QCOMPARE(browser()->toHtml(), html);
    back();
    QCOMPARE(shown(), Mane); // the history still ends with Kadu
}

void TestDictionaryDialog::blankWord()
{
    lookUp(Mane);
    wordBox()->setPlainText(QStringLiteral("   "));
    child<QToolButton>("searchButton")->click();
    // Looked up as the empty word, which is no headword (and is part of every
    // one, so the near-by links are simply the first headwords).
    QCOMPARE(status(), QStringLiteral("Word not found. Sorry!"));
    QCOMPARE(shown(), QString());
    QVERIFY(!browser()->toPlainText().contains(Mane + QStringLiteral("house")));
    back();
    QCOMPARE(shown(), Mane);
}

void TestDictionaryDialog::searchMe_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");
    QTest::newRow("word") << Mane << Mane;
    QTest::newRow("padded") << QStringLiteral("  %1 \n").arg(Kadu) << Kadu;
    QTest::newRow("blank") << QStringLiteral(" \t ") << QString();
}

void TestDictionaryDialog::searchMe()
{
    QFETCH(QString, word);
    QFETCH(QString, expected);
    dialog->searchMe(word);
    QCOMPARE(wordBox()->text(), expected);
    QCOMPARE(shown(), expected);
    QCOMPARE(status(), Hint);
}

void TestDictionaryDialog::hintOnFocusChange()
{
    lookUp(QString());
    QVERIFY(status() != Hint);
    emit wordBox()->focusChanged(true);
    QCOMPARE(status(), Hint);
    lookUp(QString());
    emit wordBox()->focusChanged(false);
    QCOMPARE(status(), Hint);
}

void TestDictionaryDialog::statusTimers()
{
    // Every message starts a timer of its own; none is stopped, so the first
    // one's 6 s clear a message that came 3 s later.
    QTRY_VERIFY_WITH_TIMEOUT(status().isEmpty(), 7000); // the hint of construction
    lookUp(QString());
    QTest::qWait(3000);
    lookUp(QStringLiteral("ಮನ"));
    QCOMPARE(status(), QStringLiteral("Word not found. Sorry!"));
    QTest::qWait(2000);
    QCOMPARE(status(), QStringLiteral("Word not found. Sorry!"));
    QTRY_VERIFY_WITH_TIMEOUT(status().isEmpty(), 2000);
}

void TestDictionaryDialog::closeKeepsHistory()
{
    dialog->show();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->focusWidget(), wordBox());
    lookUp(Mane);
    lookUp(Kadu);
    child<QPushButton>("pushButton")->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    dialog->show();
    back();
    QCOMPARE(shown(), Mane);
}

void TestDictionaryDialog::geometry()
{
    {
        QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
        QVERIFY(!settings.contains(QStringLiteral("Geometry/size")));
    }
    QCOMPARE(dialog->size(), QSize(400, 300));
    QCOMPARE(dialog->pos(), QPoint(200, 200));
    dialog->resize(450, 320);
    dialog->move(30, 40);
    delete dialog;
    dialog = nullptr;
    {
        QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
        QCOMPARE(settings.value(QStringLiteral("Geometry/size")).toSize(), QSize(450, 320));
        QCOMPARE(settings.value(QStringLiteral("Geometry/pos")).toPoint(), QPoint(30, 40));
        // The stand-alone dictionary program writes the same keys.
        settings.setValue(QStringLiteral("Geometry/size"), QSize(420, 310));
    }
    dialog = new ZaviDodazDialog;
    QCOMPARE(dialog->size(), QSize(420, 310));
    QCOMPARE(dialog->pos(), QPoint(30, 40));
}

QTEST_MAIN(TestDictionaryDialog)
#include "tst_dictionarydialog.moc"
