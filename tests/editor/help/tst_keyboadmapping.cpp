#include "keyboadmapping.h"

#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest/QTest>

namespace {

struct Tile
{
    QString keys; // the key label, e.g. "A/aa"
    QString letter; // the letter label
    QFont letterFont;
    int row = -1;
    int column = -1;
};

QList<Tile> tilesOf(KeyboadMapping &chart, int page)
{
    QList<Tile> tiles;
    auto *stack = chart.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    if (!stack || page >= stack->count())
        return tiles;
    QWidget *pageWidget = stack->widget(page);
    auto *grid = qobject_cast<QGridLayout *>(pageWidget->layout());
    if (!grid)
        return tiles;
    for (int i = 0; i < grid->count(); ++i) {
        auto *frame = qobject_cast<QFrame *>(grid->itemAt(i)->widget());
        if (!frame)
            continue;
        const QList<QLabel *> labels = frame->findChildren<QLabel *>();
        if (labels.size() != 2)
            continue;
        Tile tile;
        tile.keys = labels.at(0)->text();
        tile.letter = labels.at(1)->text();
        tile.letterFont = labels.at(1)->font();
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(i, &tile.row, &tile.column, &rowSpan, &columnSpan);
        tiles << tile;
    }
    return tiles;
}

QString convert(const QString &keys, int language, int keyboard)
{
    ZuvoScriptConverter converter;
    return converter.ansiToUnicode(keys, language, keyboard);
}

} // namespace

class TestKeyboadMapping : public QObject
{
    Q_OBJECT

private slots:
    void opensOnLayoutPage_data();
    void opensOnLayoutPage();
    void radioButtonsSwitchPages();
    void everyTileTypesItsLetter_data();
    void everyTileTypesItsLetter();
    void fixedLetters_data();
    void fixedLetters();
    void keysTypingOneLetterShareATile();
    void hindiShowsOm();
    void letterFontFollowsLanguage_data();
    void letterFontFollowsLanguage();
    void anyKeyCloses_data();
    void anyKeyCloses();
};

void TestKeyboadMapping::opensOnLayoutPage_data()
{
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<int>("page");
    QTest::newRow("phonetic") << 0 << 0;
    QTest::newRow("nudi") << 1 << 1;
    QTest::newRow("phonetic-2") << 2 << 0;
    QTest::newRow("transliteration") << 3 << 0;
}

void TestKeyboadMapping::opensOnLayoutPage()
{
    QFETCH(int, keyboard);
    QFETCH(int, page);
    KeyboadMapping chart(Language::Kannada, keyboard, nullptr);
    QCOMPARE(chart.windowTitle(), QStringLiteral("Zuvo - Keyboard Layout"));
    auto *stack = chart.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QVERIFY(stack);
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->currentIndex(), page);
    auto *phonetic = chart.findChild<QRadioButton *>(QStringLiteral("phoneticRadio"));
    auto *nudi = chart.findChild<QRadioButton *>(QStringLiteral("nudiRadio"));
    QVERIFY(phonetic && nudi);
    QCOMPARE(phonetic->isChecked(), page == 0);
    QCOMPARE(nudi->isChecked(), page == 1);
}

void TestKeyboadMapping::radioButtonsSwitchPages()
{
    KeyboadMapping chart(Language::Kannada, 0, nullptr);
    chart.show();
    auto *stack = chart.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    auto *phonetic = chart.findChild<QRadioButton *>(QStringLiteral("phoneticRadio"));
    auto *nudi = chart.findChild<QRadioButton *>(QStringLiteral("nudiRadio"));
    QVERIFY(stack && phonetic && nudi);
    nudi->click();
    QCOMPARE(stack->currentIndex(), 1);
    phonetic->click();
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(stack->count(), 2);
}

void TestKeyboadMapping::everyTileTypesItsLetter_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    for (int language = Language::Kannada; language <= Language::Tamil; ++language) {
        for (int page = 0; page < 2; ++page)
            QTest::addRow("%s %s", qPrintable(Utils::languageName(language)),
                          page ? "nudi" : "phonetic")
                << language << page;
    }
}

// The chart must never show a key that types something else: each key of
// each tile, typed alone, gives the tile's letter (invisible characters and
// the reph key, which types nothing alone, are checked after a consonant).
void TestKeyboadMapping::everyTileTypesItsLetter()
{
    QFETCH(int, language);
    QFETCH(int, page);
    const int keyboard = page; // page 0 phonetic, page 1 Nudi
    KeyboadMapping chart(language, keyboard, nullptr);
    const QList<Tile> tiles = tilesOf(chart, page);
    QVERIFY(!tiles.isEmpty());
    const QString consonant = convert(QStringLiteral("k"), language, keyboard);
    for (const Tile &tile : tiles) {
        QVERIFY2(!tile.letter.isEmpty(), qPrintable(tile.keys));
        const QStringList keys = tile.keys.split(QLatin1Char('/'));
        for (const QString &key : keys) {
            const QString typed = convert(key, language, keyboard);
            const QString afterConsonant = convert(QStringLiteral("k") + key, language, keyboard);
            const QString what = QStringLiteral("%1 -> %2").arg(key, tile.letter);
            if (tile.letter == QLatin1String("ZWNJ"))
                QVERIFY2(afterConsonant.contains(QChar(0x200C)), qPrintable(what));
            else if (tile.letter == QLatin1String("ZWJ"))
                QVERIFY2(afterConsonant.contains(QChar(0x200D)), qPrintable(what));
            else if (page == 1 && key == QLatin1String("F"))
                QCOMPARE(afterConsonant, tile.letter + consonant);
            else
                QVERIFY2(typed == tile.letter,
                         qPrintable(what + QStringLiteral(" but types ") + typed));
        }
    }
}

void TestKeyboadMapping::fixedLetters_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("letter");
    // Phonetic: a consonant is shown with its virama, a vowel key alone is
    // the independent vowel.
    QTest::newRow("kannada phonetic k")
        << int(Language::Kannada) << 0 << "k" << QString::fromUtf8("ಕ್");
    QTest::newRow("kannada phonetic aa")
        << int(Language::Kannada) << 0 << "aa" << QString::fromUtf8("ಆ");
    QTest::newRow("kannada phonetic Sh")
        << int(Language::Kannada) << 0 << "Sh" << QString::fromUtf8("ಷ್");
    QTest::newRow("kannada phonetic M")
        << int(Language::Kannada) << 0 << "M" << QString::fromUtf8("ಂ");
    QTest::newRow("telugu phonetic th")
        << int(Language::Telugu) << 0 << "th" << QString::fromUtf8("థ్");
    QTest::newRow("tamil phonetic n") << int(Language::Tamil) << 0 << "n" << QString::fromUtf8("ன்");
    // Nudi: consonants carry their vowel; q and x are the retroflex T and ssa.
    QTest::newRow("kannada nudi q") << int(Language::Kannada) << 1 << "q" << QString::fromUtf8("ಟ");
    QTest::newRow("kannada nudi x") << int(Language::Kannada) << 1 << "x" << QString::fromUtf8("ಷ");
    QTest::newRow("kannada nudi V") << int(Language::Kannada) << 1 << "V" << QString::fromUtf8("ಔ");
    QTest::newRow("kannada nudi Y") << int(Language::Kannada) << 1 << "Y" << QString::fromUtf8("ಐ");
    QTest::newRow("hindi nudi W") << int(Language::Hindi) << 1 << "W" << QString::fromUtf8("ढ");
}

// A few letters as the layouts define them, independent of the engine the
// chart is drawn from: a wrong letter in the engine's tables shows here.
void TestKeyboadMapping::fixedLetters()
{
    QFETCH(int, language);
    QFETCH(int, page);
    QFETCH(QString, key);
    QFETCH(QString, letter);
    KeyboadMapping chart(language, page, nullptr);
    QString shown;
    for (const Tile &tile : tilesOf(chart, page)) {
        if (tile.keys.split(QLatin1Char('/')).contains(key))
            shown = tile.letter;
    }
    QCOMPARE(shown, letter);
}

void TestKeyboadMapping::keysTypingOneLetterShareATile()
{
    KeyboadMapping chart(Language::Kannada, 0, nullptr);
    const QList<Tile> tiles = tilesOf(chart, 0);
    QStringList keyLabels;
    for (const Tile &tile : tiles)
        keyLabels << tile.keys;
    // The newest key comes first.
    QVERIFY2(keyLabels.contains(QStringLiteral("A/aa")), qPrintable(keyLabels.join(' ')));
    QVERIFY2(keyLabels.contains(QStringLiteral("ou/au")), qPrintable(keyLabels.join(' ')));
    QVERIFY(keyLabels.contains(QStringLiteral("a")));
    // No two tiles in a row show the same letter.
    for (qsizetype i = 1; i < tiles.size(); ++i)
        QVERIFY2(tiles.at(i).letter != tiles.at(i - 1).letter, qPrintable(tiles.at(i).keys));
}

void TestKeyboadMapping::hindiShowsOm()
{
    for (int page = 0; page < 2; ++page) {
        KeyboadMapping hindi(Language::Hindi, page, nullptr);
        KeyboadMapping kannada(Language::Kannada, page, nullptr);
        bool hindiOm = false;
        int hindiLastRow = 0;
        int kannadaLastRow = 0;
        for (const Tile &tile : tilesOf(hindi, page)) {
            hindiOm = hindiOm || tile.keys.split('/').contains(QStringLiteral("OM"));
            hindiLastRow += tile.row == 8;
        }
        for (const Tile &tile : tilesOf(kannada, page)) {
            QVERIFY(!tile.keys.split('/').contains(QStringLiteral("OM")));
            kannadaLastRow += tile.row == 8;
        }
        QVERIFY2(hindiOm, page ? "nudi" : "phonetic");
        QVERIFY(hindiLastRow <= (page ? 5 : 3));
        QVERIFY(kannadaLastRow <= (page ? 4 : 2));
    }
}

void TestKeyboadMapping::letterFontFollowsLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("kannada") << int(Language::Kannada) << 12;
    QTest::newRow("malayalam") << int(Language::Malayalam) << 15;
    QTest::newRow("bengali") << int(Language::Bengali) << 17;
    QTest::newRow("tamil") << int(Language::Tamil) << 12;
}

void TestKeyboadMapping::letterFontFollowsLanguage()
{
    QFETCH(int, language);
    QFETCH(int, pointSize);
    KeyboadMapping chart(language, 0, nullptr);
    const QList<Tile> tiles = tilesOf(chart, 0);
    QVERIFY(!tiles.isEmpty());
    const QFont font = tiles.first().letterFont;
    QCOMPARE(font.family(), Utils::languageDefaultFont(language));
    QCOMPARE(font.pointSize(), pointSize);
    QVERIFY(font.bold());
}

void TestKeyboadMapping::anyKeyCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("digit") << int(Qt::Key_5);
    QTest::newRow("space") << int(Qt::Key_Space);
}

void TestKeyboadMapping::anyKeyCloses()
{
    QFETCH(int, key);
    KeyboadMapping chart(Language::Kannada, 0, nullptr);
    chart.show();
    QVERIFY(chart.isVisible());
    QTest::keyClick(&chart, Qt::Key(key));
    QVERIFY(!chart.isVisible());
}

QTEST_MAIN(TestKeyboadMapping)
#include "tst_keyboadmapping.moc"
