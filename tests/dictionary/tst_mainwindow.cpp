// The look-up window driven through its widgets: lookups, history, nearby-word
// links, settings at start and at the end, the Kannada interface, and the two
// dialogs of the Help menu. The fixture dictionary (fixtures/lookup.tsv) lies
// in dct/ beside the test program, as the bundled one lies beside the program.
#include <QtTest>

#include <QAction>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "dctfixture.h"
#include "dictinfo.h"
#include "dictionary.h"
#include "mainwindow.h"
#include "makersite.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "ts.h"
#include "unicodelineedit.h"
#include "urlrecorder.h"
#include "vavovaruvidedurovid.h"

using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

const QString Hint = QStringLiteral("Use \" F11\" key to toggle between %1 & English");
const QString NotFound = QStringLiteral("Word not found. Sorry!");
const QString NoText = QStringLiteral("You have not entered any text");

// The fixture's words.
const QString House = QStringLiteral("ಮನೆ");
const QString Tree = QStringLiteral("ಮರ");
const QString Flower = QStringLiteral("ಹೂವು");
const QString Kannada = QStringLiteral("ಕನ್ನಡ");
const QString Moment = QStringLiteral("ಕ್\u200Dಷಣ");

// The window with handles on the widgets a user touches.
struct Window
{
    MainWindow w;
    UnicodeLineEdit *box = w.findChild<UnicodeLineEdit *>(QStringLiteral("wordLineEdit"));
    QTextBrowser *browser = w.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    QToolButton *search = w.findChild<QToolButton *>(QStringLiteral("searchButton"));
    QToolButton *back = w.findChild<QToolButton *>(QStringLiteral("backwardButton"));
    QToolButton *forward = w.findChild<QToolButton *>(QStringLiteral("forwardButton"));

    QAction *action(const char *name) { return w.findChild<QAction *>(QLatin1String(name)); }
    QString status() { return w.statusBar()->currentMessage(); }

    bool show()
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }
    // Types the text as it stands (no transliteration) and presses Return.
    void enter(const QString &text)
    {
        box->setPlainText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // Clicks the browser's link whose text is the word; false when none shows it.
    bool clickLink(const QString &word)
    {
        QTextDocument *doc = browser->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (!f.charFormat().isAnchor() || f.text() != word)
                    continue;
                QTextCursor c(doc);
                c.setPosition(f.position() + f.length() / 2);
                browser->ensureCursorVisible();
                const QPoint at = browser->cursorRect(c).center();
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
                return true;
            }
        }
        return false;
    }
    QStringList links()
    {
        QStringList out;
        QTextDocument *doc = browser->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isAnchor())
                    out << it.fragment().text();
        return out;
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lookups_data();
    void lookups();
    void bundledDictionary();
    void entryWithoutTag();
    void wordLinks_data();
    void wordLinks();
    void languageMenu();
    void settingsAtStart_data();
    void settingsAtStart();
    void settingsWrittenAtEnd();
    void localizeKannada();
    void noDictionary();
    void informationDialog();
    void dictInfoStates_data();
    void dictInfoStates();
    void aboutDialog();

private:
    std::unique_ptr<TempEnv> m_env;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
    QVERIFY(
        QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/dct/lookup.dct")));
}

void TestMainWindow::init()
{
    // Fresh settings and working folder for every test function.
    m_env = std::make_unique<TempEnv>();
    QVERIFY(m_env->isValid());
    Dictionary::setDictFolder(QString());
}

void TestMainWindow::cleanup()
{
    Dictionary::setDictFolder(QString());
    m_env.reset();
}

// Each step: "=word" types the word and presses Return, "?word" types it and
// clicks the search button, "<" and ">" press Back and Forward, "@word"
// clicks the nearby-word link showing that word.
void TestMainWindow::lookups_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shows"); // in the browser's text
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<bool>("backOn");
    QTest::addColumn<bool>("forwardOn");

    const QString hint = Hint.arg(QStringLiteral("Kannada"));
    const QString a = House, b = Tree, c = Flower, d = Kannada;

    QTest::newRow("hit") << QStringList { "=" + a } << QStringLiteral("house") << hint
                         << QStringList { a } << false << false;
    QTest::newRow("hit by the button") << QStringList { "?" + b } << QStringLiteral("tree") << hint
                                       << QStringList { b } << false << false;
    QTest::newRow("trimmed") << QStringList { "=  " + a + "  " } << QStringLiteral("house") << hint
                             << QStringList { a } << false << false;
    QTest::newRow("miss") << QStringList { "=zq" } << QStringLiteral("zq#1") << NotFound
                          << QStringList { "zq" } << false << false;
    QTest::newRow("miss escaped") << QStringList { "=<b>zq</b>" } << QStringLiteral("<b>zq</b>")
                                  << NotFound << QStringList { "<b>zq</b>" } << false << false;
    QTest::newRow("miss with %2") << QStringList { "=ab%2cd%1" } << QStringLiteral("ab%2cd%1")
                                  << NotFound << QStringList { "ab%2cd%1" } << false << false;
    QTest::newRow("link click") << QStringList { "=zq", "@zq#1" } << QStringLiteral("hash word")
                                << hint << QStringList { "zq", "zq#1" } << true << false;
    QTest::newRow("link with %") << QStringList { "=zq", "@zq%2" } << QStringLiteral("percent")
                                 << hint << QStringList { "zq", "zq%2" } << true << false;
    QTest::newRow("empty") << QStringList { "=" } << QString() << NoText << QStringList {} << false
                           << false;
    QTest::newRow("blank") << QStringList { "=   " } << QString() << NoText << QStringList {}
                           << false << false;
    QTest::newRow("blank after a word")
        << QStringList { "=" + a, "?\t " } << QStringLiteral("house") << NoText << QStringList { a }
        << false << false;
    QTest::newRow("same twice") << QStringList { "=" + a, "=" + a } << QStringLiteral("house")
                                << hint << QStringList { a } << false << false;
    QTest::newRow("a b a") << QStringList { "=" + a, "=" + b, "=" + a } << QStringLiteral("house")
                           << hint << QStringList { a, b, a } << true << false;
    QTest::newRow("back") << QStringList { "=" + a, "=" + b, "=" + c, "<" }
                          << QStringLiteral("tree") << hint << QStringList { a, b, c } << true
                          << true;
    QTest::newRow("back to the start")
        << QStringList { "=" + a, "=" + b, "=" + c, "<", "<" } << QStringLiteral("house") << hint
        << QStringList { a, b, c } << false << true;
    QTest::newRow("back back forward")
        << QStringList { "=" + a, "=" + b, "=" + c, "<", "<", ">" } << QStringLiteral("tree")
        << hint << QStringList { a, b, c } << true << true;
    QTest::newRow("forward to the end")
        << QStringList { "=" + a, "=" + b, "=" + c, "<", "<", ">", ">" } << QStringLiteral("flower")
        << hint << QStringList { a, b, c } << true << false;
    // A new word after going back is appended at the end and leaves Forward on.
    QTest::newRow("new word after back")
        << QStringList { "=" + a, "=" + b, "=" + c, "<", "=" + d } << QStringLiteral("Kannada")
        << hint << QStringList { a, b, c, d } << true << true;
    QTest::newRow("forward past the end")
        << QStringList { "=" + a, "=" + b, "=" + c, "<", "=" + d, ">" } << QStringLiteral("Kannada")
        << hint << QStringList { a, b, c, d } << true << false;
    QTest::newRow("back over a repeat")
        << QStringList { "=" + a, "=" + b, "=" + a, "<" } << QStringLiteral("tree") << hint
        << QStringList { a, b, a } << true << true;
    QTest::newRow("back to the first of a repeat")
        << QStringList { "=" + a, "=" + b, "=" + a, "<", "<" } << QStringLiteral("house") << hint
        << QStringList { a, b, a } << false << true;
    QTest::newRow("forward to the second of a repeat")
        << QStringList { "=" + a, "=" + b, "=" + a, "<", "<", ">", ">" } << QStringLiteral("house")
        << hint << QStringList { a, b, a } << true << false;
    QTest::newRow("back after a link")
        << QStringList { "=zq", "@zq a", "<" } << QStringLiteral("zq#1") << NotFound
        << QStringList { "zq", "zq a" } << false << true;
}

void TestMainWindow::lookups()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, shows);
    QFETCH(QString, status);
    QFETCH(QStringList, history);
    QFETCH(bool, backOn);
    QFETCH(bool, forwardOn);

    MessageBoxWatcher watcher;
    ZuvoTest::UrlRecorder urls;
    Window win;
    QVERIFY(win.show());
    QVERIFY(!win.back->isEnabled());
    QVERIFY(!win.forward->isEnabled());

    for (const QString &step : steps) {
        const QChar kind = step.at(0);
        const QString word = step.mid(1);
        if (kind == u'=') {
            win.enter(word);
        } else if (kind == u'?') {
            win.box->setPlainText(word);
            QTest::mouseClick(win.search, Qt::LeftButton);
        } else if (kind == u'<') {
            QTest::mouseClick(win.back, Qt::LeftButton);
        } else if (kind == u'>') {
            QTest::mouseClick(win.forward, Qt::LeftButton);
        } else if (kind == u'@') {
            QVERIFY2(win.clickLink(word), qPrintable(win.links().join(u' ')));
        }
    }

    if (shows.isEmpty())
        QCOMPARE(win.browser->toPlainText(), QString());
    else
        QVERIFY2(win.browser->toPlainText().contains(shows),
                 qPrintable(win.browser->toPlainText()));
    QCOMPARE(win.status(), status);
    QCOMPARE(win.w.history(), history);
    QCOMPARE(win.back->isEnabled(), backOn);
    QCOMPARE(win.forward->isEnabled(), forwardOn);
    // Word links only look words up: nothing reaches the desktop's browser.
    QVERIFY(urls.urls().isEmpty());
    QVERIFY(watcher.seen().isEmpty());
}

void TestMainWindow::bundledDictionary()
{
    // The bundled database alone in a folder, as in dct/ beside the program.
    QVERIFY(QDir().mkpath(m_env->filePath(QStringLiteral("bundled"))));
    QVERIFY(QFile::copy(QStringLiteral(BUNDLED_DCT),
                        m_env->filePath(QStringLiteral("bundled/kannada.dct"))));
    Dictionary::setDictFolder(m_env->filePath(QStringLiteral("bundled")));
    MessageBoxWatcher watcher;
    Window win;
    // Typed as a user types it: Latin keys under Phonetic, then Return.
    QVERIFY(win.show());
    win.box->setFocus();
    QTest::keyClicks(win.box, QStringLiteral("tAyi"));
    QCOMPARE(win.box->text(), QStringLiteral("ತಾಯಿ"));
    QTest::keyClick(win.box, Qt::Key_Return);
    QVERIFY2(win.browser->toPlainText().contains(QStringLiteral("mother")),
             qPrintable(win.browser->toPlainText()));
    // The head word is the dark-blue heading above the meaning.
    QVERIFY(win.browser->toHtml().contains(QStringLiteral("#00008b")));
    QVERIFY(watcher.seen().isEmpty());
    // The completer knows the bundled words.
    QVERIFY(win.box->completer());
    QVERIFY(win.box->completer()->model()->rowCount() > 100);
}

// An entry without any "<" is found but shows nothing; the word is recorded.
void TestMainWindow::entryWithoutTag()
{
    DctWriter::Content content;
    content.info = { QStringLiteral("2"), QStringLiteral("2024-01-01"), QStringLiteral("Kannada") };
    content.rows = { { ZuvoTest::compressed(QString()),
                       ZuvoTest::compressed(QStringLiteral("ಮನೆ<p>house</p>\nಮರ")) } };
    content.allWords = ZuvoTest::compressed(QStringLiteral("ಮನೆ\nಮರ"));
    QVERIFY(ZuvoTest::writeRawDct(m_env->filePath(QStringLiteral("raw/raw.dct")), content));
    Dictionary::setDictFolder(m_env->filePath(QStringLiteral("raw")));

    MessageBoxWatcher watcher;
    Window win;
    win.enter(Tree);
    QCOMPARE(win.browser->toPlainText(), QString());
    QCOMPARE(win.status(), Hint.arg(QStringLiteral("Kannada")));
    QCOMPARE(win.w.history(), QStringList { Tree });
}

// Link URLs as the browser hands them over: the word after the prefix is
// percent-decoded; links of any other site are ignored.
void TestMainWindow::wordLinks_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("word"); // empty: ignored

    const QString prefix = MakerSite::wordLinkPrefix();
    auto link = [&](const QString &w) {
        return prefix + QString::fromLatin1(QUrl::toPercentEncoding(w));
    };
    QTest::newRow("Kannada") << link(House) << House;
    QTest::newRow("Kannada with a joiner") << link(Moment) << Moment;
    QTest::newRow("zero-width non-joiner")
        << link(QStringLiteral("ಕ\u200Cಷ")) << QStringLiteral("ಕ\u200Cಷ");
    QTest::newRow("hash") << link(QStringLiteral("zq#1")) << QStringLiteral("zq#1");
    QTest::newRow("percent") << link(QStringLiteral("zq%2")) << QStringLiteral("zq%2");
    QTest::newRow("slash and query") << link(QStringLiteral("zq/x?y")) << QStringLiteral("zq/x?y");
    QTest::newRow("dots") << link(QStringLiteral("zq..")) << QStringLiteral("zq..");
    QTest::newRow("space") << link(QStringLiteral("zq a")) << QStringLiteral("zq a");
    QTest::newRow("other site") << QStringLiteral("https://other.example.net/word/zq") << QString();
    QTest::newRow("prefix in another case") << link(House).toUpper() << QString();
    QTest::newRow("relative") << QStringLiteral("word/zq") << QString();
}

void TestMainWindow::wordLinks()
{
    QFETCH(QString, url);
    QFETCH(QString, word);

    MessageBoxWatcher watcher;
    ZuvoTest::UrlRecorder urls;
    Window win;
    // The browser parses the link as it parses an anchor's href.
    emit win.browser->anchorClicked(QUrl(url));
    if (word.isEmpty()) {
        QCOMPARE(win.box->text(), QString());
        QCOMPARE(win.w.history(), QStringList());
    } else {
        QCOMPARE(win.box->text(), word);
        QCOMPARE(win.w.history(), QStringList { word });
    }
    QVERIFY(urls.urls().isEmpty());
}

void TestMainWindow::languageMenu()
{
    MessageBoxWatcher watcher;
    Window win;
    QCOMPARE(win.status(), Hint.arg(QStringLiteral("Kannada")));
    win.action("actionTelugu")->trigger();
    QCOMPARE(win.status(), Hint.arg(QStringLiteral("Telugu")));
    QCOMPARE(win.box->language(), 1);
    QVERIFY(!win.action("actionKannada")->isChecked());
    // The dictionary stays the Kannada one.
    win.enter(House);
    QVERIFY(win.browser->toPlainText().contains(QStringLiteral("house")));

    win.action("actionTransliteration")->trigger();
    QCOMPARE(win.box->keyboard(), 3);
    QCOMPARE(win.box->language(), 1);
    QVERIFY(!win.action("actionPhonetic")->isChecked());
}

void TestMainWindow::settingsAtStart_data()
{
    QTest::addColumn<QVariant>("keyboard"); // invalid: not stored
    QTest::addColumn<QVariant>("localize");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("checkedLayout");
    QTest::addColumn<bool>("localized");

    QTest::newRow("nothing stored") << QVariant() << QVariant() << 0 << "actionPhonetic" << false;
    QTest::newRow("keyboard 0") << QVariant(0) << QVariant(false) << 0 << "actionPhonetic" << false;
    QTest::newRow("keyboard 1") << QVariant(1) << QVariant() << 1 << "actionKP_Rao" << false;
    QTest::newRow("keyboard 2") << QVariant(2) << QVariant() << 2 << "actionPhonetic_2" << false;
    QTest::newRow("keyboard 3") << QVariant(3) << QVariant() << 3 << "actionTransliteration"
                                << false;
    QTest::newRow("keyboard 4") << QVariant(4) << QVariant() << 0 << "actionPhonetic" << false;
    QTest::newRow("keyboard -1") << QVariant(-1) << QVariant() << 0 << "actionPhonetic" << false;
    QTest::newRow("keyboard huge")
        << QVariant(2147483647) << QVariant() << 0 << "actionPhonetic" << false;
    QTest::newRow("keyboard text")
        << QVariant(QStringLiteral("two")) << QVariant() << 0 << "actionPhonetic" << false;
    QTest::newRow("Localize on") << QVariant(1) << QVariant(true) << 1 << "actionKP_Rao" << true;
}

void TestMainWindow::settingsAtStart()
{
    QFETCH(QVariant, keyboard);
    QFETCH(QVariant, localize);
    QFETCH(int, layout);
    QFETCH(QString, checkedLayout);
    QFETCH(bool, localized);

    {
        QSettings input(Ts::ORG_NAME, Ts::APP_NAME);
        if (keyboard.isValid())
            input.setValue(QStringLiteral("InputSettings/keyboard"), keyboard);
        QSettings geometry(Ts::ORG_NAME, Ts::DCT_NAME);
        if (localize.isValid())
            geometry.setValue(QStringLiteral("Geometry/Localize"), localize);
    }

    MessageBoxWatcher watcher;
    Window win;
    QCOMPARE(win.w.size(), QSize(500, 400));
    QCOMPARE(win.w.pos(), QPoint(200, 200));
    QCOMPARE(win.w.maximumSize(), QSize(700, 500));
    QVERIFY(!(win.w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(win.w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(win.w.windowTitle(), QStringLiteral("ZaviDodaz"));

    QVERIFY(win.action("actionKannada")->isChecked());
    QVERIFY(win.action(qPrintable(checkedLayout))->isChecked());
    QCOMPARE(win.box->language(), 0);
    QCOMPARE(win.box->keyboard(), layout);
    QCOMPARE(win.action("actionLocalize_Kannada")->isChecked(), localized);
    const QFont font = QApplication::font();
    QCOMPARE(font.family(), localized ? QStringLiteral("Tunga") : QStringLiteral("MS Shell Dlg 2"));
    QCOMPARE(font.pointSize(), localized ? 9 : 8);
    QCOMPARE(win.status(), Hint.arg(QStringLiteral("Kannada")));
    QVERIFY(!win.back->isEnabled());
    QVERIFY(!win.forward->isEnabled());
    QCOMPARE(win.browser->font().family(), QStringLiteral("Tunga"));
    QVERIFY(watcher.seen().isEmpty());
}

void TestMainWindow::settingsWrittenAtEnd()
{
    {
        MessageBoxWatcher watcher;
        Window win;
        win.w.resize(600, 450);
        win.w.move(40, 50);
        win.action("actionPhonetic_2")->trigger();
        win.action("actionLocalize_Kannada")->trigger();
    }
    {
        QSettings geometry(Ts::ORG_NAME, Ts::DCT_NAME);
        QCOMPARE(geometry.value(QStringLiteral("Geometry/size")).toSize(), QSize(600, 450));
        QCOMPARE(geometry.value(QStringLiteral("Geometry/pos")).toPoint(), QPoint(40, 50));
        QCOMPARE(geometry.value(QStringLiteral("Geometry/Localize")).toBool(), true);
        QSettings input(Ts::ORG_NAME, Ts::APP_NAME);
        QCOMPARE(input.value(QStringLiteral("InputSettings/keyboard")).toInt(), 2);
    }
    // The next start comes back the same way.
    MessageBoxWatcher watcher;
    Window win;
    QCOMPARE(win.w.size(), QSize(600, 450));
    QCOMPARE(win.w.pos(), QPoint(40, 50));
    QCOMPARE(win.box->keyboard(), 2);
    QVERIFY(win.action("actionLocalize_Kannada")->isChecked());
}

void TestMainWindow::localizeKannada()
{
    // The translation is read from the current folder.
    QVERIFY(QFile::copy(QStringLiteral(DICTIONARY_QM), m_env->filePath("dudadidoz_iv.qm")));

    MessageBoxWatcher watcher;
    Window win;
    QMenu *language = win.w.findChild<QMenu *>(QStringLiteral("menuLanguage"));
    QCOMPARE(language->title(), QStringLiteral("Language"));

    win.action("actionLocalize_Kannada")->trigger();
    QCOMPARE(language->title(), QStringLiteral("ಭಾಷೆ"));
    QCOMPARE(win.action("actionLocalize_Kannada")->text(), QStringLiteral("ಸ್ಥಳೀಕರಣ - ಕನ್ನಡ"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("Tunga"));
    QCOMPARE(QApplication::font().pointSize(), 9);

    // The translator leaves with the call: dialogs opened afterwards are English.
    watcher.setDialogHandler([](QDialog *dialog) {
        auto *group = dialog->findChild<QGroupBox *>(QStringLiteral("groupBox"));
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Data Infomration"));
        dialog->accept();
    });
    win.action("actionInfo")->trigger();
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("ZaviDodaz") });

    win.action("actionLocalize_Kannada")->trigger();
    QCOMPARE(language->title(), QStringLiteral("Language"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("MS Shell Dlg 2"));
    QCOMPARE(QApplication::font().pointSize(), 8);
}

void TestMainWindow::noDictionary()
{
    Dictionary::setDictFolder(m_env->filePath(QStringLiteral("none")));
    MessageBoxWatcher watcher;
    Window win;
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("ZaviDodaz") });
    QVERIFY2(watcher.texts().value(0).startsWith(QStringLiteral("Dictionary is not found!! <br/>")),
             qPrintable(watcher.texts().value(0)));
    QVERIFY(watcher.texts().value(0).contains(MakerSite::contactPage()));
    // The window still works: no completions, and a look-up finds nothing
    // and offers no nearby words.
    QVERIFY(!win.box->completer() || win.box->completer()->model()->rowCount() == 0);
    win.enter(House);
    QVERIFY(!win.browser->toPlainText().contains(QStringLiteral("house")));
    QVERIFY(win.links().isEmpty());

    // Information without a dictionary: only the failure message.
    bool checked = false;
    watcher.setDialogHandler([&](QDialog *dialog) {
        QVERIFY(dialog->findChild<QGroupBox *>(QStringLiteral("groupBox"))->isHidden());
        QVERIFY(!dialog->findChild<QLabel *>(QStringLiteral("failureMessageLabel"))->isHidden());
        checked = true;
        dialog->accept();
    });
    win.action("actionInfo")->trigger();
    QVERIFY(checked);
}

void TestMainWindow::informationDialog()
{
    MessageBoxWatcher watcher;
    Window win;
    QStringList values;
    bool failureHidden = false;
    watcher.setDialogHandler([&](QDialog *dialog) {
        QCOMPARE(dialog->metaObject()->className(), "DictInfo");
        QCOMPARE(dialog->parentWidget(), &win.w);
        for (const char *name : { "wordcountLabel", "creationDateLabel", "languageNameLabel" })
            values << dialog->findChild<QLabel *>(QLatin1String(name))->text();
        failureHidden =
            dialog->findChild<QLabel *>(QStringLiteral("failureMessageLabel"))->isHidden();
        // Escape reaches reject().
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    win.action("actionInfo")->trigger();
    QCOMPARE(values,
             (QStringList { QStringLiteral("10"), QStringLiteral("2024-02-03"),
                            QStringLiteral("Kannada") }));
    QVERIFY(failureHidden);
}

void TestMainWindow::dictInfoStates_data()
{
    QTest::addColumn<bool>("call");
    QTest::addColumn<QStringList>("data"); // wordcount, creationdate, languageName
    QTest::addColumn<bool>("groupShown");
    QTest::addColumn<bool>("failureShown");
    QTest::addColumn<QStringList>("shown"); // languageName, creationdate, wordcount labels

    QTest::newRow("filled") << true << QStringList { "42", "2024-01-01", "Kannada" } << true
                            << false << QStringList { "Kannada", "2024-01-01", "42" };
    QTest::newRow("language only") << true << QStringList { "", "", "Kannada" } << true << false
                                   << QStringList { "Kannada", "", "" };
    QTest::newRow("no language") << true << QStringList { "", "", "" } << false << true
                                 << QStringList { "", "", "" };
    QTest::newRow("not filled") << false << QStringList {} << true << true
                                << QStringList { "x", "x", "x" };
    // Database text is shown as it is, never as markup.
    QTest::newRow("markup in the data")
        << true << QStringList { "<b>1</b>", "d", "<i>K</i>" } << true << false
        << QStringList { "<i>K</i>", "d", "<b>1</b>" };
}

void TestMainWindow::dictInfoStates()
{
    QFETCH(bool, call);
    QFETCH(QStringList, data);
    QFETCH(bool, groupShown);
    QFETCH(bool, failureShown);
    QFETCH(QStringList, shown);

    DictInfo info;
    if (call)
        info.updateData(data.at(0), data.at(1), data.at(2));
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QCOMPARE(info.windowTitle(), QStringLiteral("ZaviDodaz"));
    QVERIFY(info.windowFlags() & Qt::Tool);
    QCOMPARE(info.findChild<QGroupBox *>(QStringLiteral("groupBox"))->isVisible(), groupShown);
    auto *failure = info.findChild<QLabel *>(QStringLiteral("failureMessageLabel"));
    QCOMPARE(failure->isVisible(), failureShown);
    QVERIFY(failure->text().contains(MakerSite::contactPage()));
    QVERIFY(failure->text().contains(MakerSite::forumPage()));
    QStringList labels;
    for (const char *name : { "languageNameLabel", "creationDateLabel", "wordcountLabel" }) {
        auto *label = info.findChild<QLabel *>(QLatin1String(name));
        labels << label->text();
        QVERIFY(label->textFormat() != Qt::RichText || !call);
        QCOMPARE(label->font().bold(), true);
        QCOMPARE(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 127));
    }
    QCOMPARE(labels, shown);
    // The fixed-size layout fits the dialog to what it shows.
    QCOMPARE(info.size(), info.sizeHint());
    QTest::keyClick(&info, Qt::Key_Escape);
    QCOMPARE(info.result(), int(QDialog::Rejected));
}

void TestMainWindow::aboutDialog()
{
    MessageBoxWatcher watcher;
    Window win;
    QSize shownSize;
    QPixmap picture;
    watcher.setDialogHandler([&](QDialog *dialog) {
        QCOMPARE(dialog->metaObject()->className(), "VavovAruvIdedurovid");
        shownSize = dialog->size();
        picture = dialog->findChild<QLabel *>(QStringLiteral("label"))->pixmap();
        auto *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    win.action("actionAbout")->trigger();
    QCOMPARE(watcher.titles(), QStringList { QStringLiteral("ZaviDodaz") });
    QVERIFY2(shownSize.width() <= 239 && shownSize.height() <= 300,
             qPrintable(QStringLiteral("%1 x %2").arg(shownSize.width()).arg(shownSize.height())));
    QCOMPARE(picture.size(), QSize(128, 128));

    VavovAruvIdedurovid about;
    QCOMPARE(about.maximumSize(), QSize(239, 300));
    // What it shows fits into that size with the fonts of this machine.
    QVERIFY(about.minimumSizeHint().width() <= 239);
    QVERIFY(about.minimumSizeHint().height() <= 300);
    about.resize(800, 800);
    QVERIFY(about.width() <= 239 && about.height() <= 300);
    auto *layout = about.findChild<QVBoxLayout *>(QStringLiteral("verticalLayout"));
    QCOMPARE(layout->itemAt(0)->alignment(), Qt::AlignHCenter);
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("label_5"))->text(),
             QStringLiteral("Version 2.0"));
    QVERIFY(
        about.findChild<QLabel *>(QStringLiteral("label_3"))->text().contains(MakerSite::base()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
