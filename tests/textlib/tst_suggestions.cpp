#include "testenv.h"
#include "utils.h"

#include <QStringListModel>
#include <QtTest/QtTest>

class TestSuggestions : public QObject
{
    Q_OBJECT
private slots:
    void suggestions_data();
    void suggestions();
    void noModel();
};

void TestSuggestions::suggestions_data()
{
    QTest::addColumn<QStringList>("model");
    QTest::addColumn<QStringList>("ignored");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("expected");

    // ಕನ: virama, anusvara, visarga, RA-virama, AA sign and KA->KHA candidates
    // come back latest first, then known words holding the word within two
    // letters (ಕನಸು, +2); ಕನ್ನಡ (+3) is dropped, ಕನಃ keeps its candidate place.
    QTest::newRow("order of the passes")
        << QStringList { "ಕನಸು", "ಕನ್ನಡ", "ಮನೆ", "ಕ್ನ", "ಕಂನ", "ಕನಃ", "ಕರ್ನ", "ಕಾನ", "ಖನ" }
        << QStringList() << QStringLiteral("ಕನ")
        << QStringList { "ಖನ", "ಕಾನ", "ಕರ್ನ", "ಕನಃ", "ಕಂನ", "ಕ್ನ", "ಕನಸು" };
    // AA sign removed, a short vowel sign made long, TA made THA, visarga.
    QTest::newRow("vowel signs and aspirates")
        << QStringList { "ಮತು", "ಮಾತೂ", "ಮಾಥು", "ಮಾತುಃ", "ಮಾತ" } << QStringList()
        << QStringLiteral("ಮಾತು") << QStringList { "ಮಾಥು", "ಮಾತೂ", "ಮತು", "ಮಾತುಃ" };
    QTest::newRow("long signs made short") << QStringList { "ಕಿ", "ಕು", "ಕೆ", "ಕೊ" } << QStringList()
                                           << QStringLiteral("ಕೀಕೂಕೇಕೋ") << QStringList();
    QTest::newRow("each long sign") << QStringList { "ಕಿಕೂಕೇಕೋ", "ಕೀಕುಕೇಕೋ", "ಕೀಕೂಕೆಕೋ", "ಕೀಕೂಕೇಕೊ" }
                                    << QStringList() << QStringLiteral("ಕೀಕೂಕೇಕೋ")
                                    << QStringList { "ಕೀಕೂಕೇಕೊ", "ಕೀಕೂಕೆಕೋ", "ಕೀಕುಕೇಕೋ", "ಕಿಕೂಕೇಕೋ" };
    QTest::newRow("virama removed")
        << QStringList { "ಅಕಕ" } << QStringList() << QStringLiteral("ಅಕ್ಕ") << QStringList { "ಅಕಕ" };
    // SHA tries SSA then SA; SSA and SA try their own partner only.
    QTest::newRow("sibilants") << QStringList { "ಷಶಿ", "ಸಶಿ", "ಶಷಿ", "ಶಸಿ" } << QStringList()
                               << QStringLiteral("ಶಶಿ") << QStringList { "ಶಸಿ", "ಶಷಿ", "ಸಶಿ", "ಷಶಿ" };
    QTest::newRow("SA to SSA only")
        << QStringList { "ಷ", "ಶ" } << QStringList() << QStringLiteral("ಸ") << QStringList { "ಷ" };
    // One letter: visarga and the independent-vowel swap; ಅಮ್ಮ is 3 longer.
    QTest::newRow("one letter") << QStringList { "ಅಮ್ಮ", "ಅಪ್", "ಅಃ", "ಆ" } << QStringList()
                                << QStringLiteral("ಅ") << QStringList { "ಆ", "ಅಃ", "ಅಪ್" };
    // Edits before the first letter would come latest first; these come in
    // model order, as known words holding the word.
    QTest::newRow("first letter never removed or preceded")
        << QStringList { "ನ", "್ಕನ", "ಂಕನ", "ಾಕನ" } << QStringList() << QStringLiteral("ಕನ")
        << QStringList { "್ಕನ", "ಂಕನ", "ಾಕನ" };
    // The empty word: the lone visarga, then every known word of up to 2 letters.
    QTest::newRow("empty word") << QStringList { "ಮನೆ", "ಅ", "ಕೈ", "ಃ", "ಕಾಡು" } << QStringList()
                                << QString() << QStringList { "ಃ", "ಅ", "ಕೈ" };
    QTest::newRow("ignored candidate accepted") << QStringList { "ಮನೆ" } << QStringList { "ಖನ" }
                                                << QStringLiteral("ಕನ") << QStringList { "ಖನ" };
    QTest::newRow("latin word gets kannada edits")
        << QStringList { "aಾb", "ab", "abc" } << QStringList() << QStringLiteral("ab")
        << QStringList { "aಾb", "ab", "abc" };

    // Twenty KAs: nineteen virama insertions are known. The last fifteen found
    // (positions 19 down to 5) win; positions 1-4 and the known word are lost.
    const QString ka(20, QChar(0x0C95));
    QStringList model;
    for (int i = 1; i < 20; ++i)
        model.append(QString(ka).insert(i, QChar(0x0CCD)));
    model.append(ka + QChar(0x0C95));
    QStringList expected;
    for (int i = 19; i >= 5; --i)
        expected.append(QString(ka).insert(i, QChar(0x0CCD)));
    QTest::newRow("cap of 15") << model << QStringList() << ka << expected;

    QStringList known;
    for (int i = 0; i < 20; ++i)
        known.append(QStringLiteral("ಮನೆ") + QChar(0x0C95 + i / 10) + QString::number(i % 10));
    QTest::newRow("known words capped too")
        << known << QStringList() << QStringLiteral("ಮನೆ") << known.mid(0, 15);
}

void TestSuggestions::suggestions()
{
    QFETCH(QStringList, model);
    QFETCH(QStringList, ignored);
    QFETCH(QString, word);
    QFETCH(QStringList, expected);
    ZuvoTest::TempEnv env;
    QVERIFY(Utils::writeToUnicodeFile(model, QStringLiteral("usr.dct")));
    Utils u;
    u.loadUnicodeWords();
    QCOMPARE(u.wordModel()->stringList(), model);
    for (const QString &w : ignored)
        u.appendIgnoredList(w);
    QCOMPARE(u.suggestions(word), expected);
}

void TestSuggestions::noModel()
{
    Utils u;
    u.appendIgnoredList(QStringLiteral("ಖನ"));
    QCOMPARE(u.suggestions(QStringLiteral("ಕನ")), QStringList());
    QCOMPARE(u.suggestions(QString()), QStringList());
}

QTEST_MAIN(TestSuggestions)
#include "tst_suggestions.moc"
