#include "dictionary.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"

#include <QFile>
#include <QStringListModel>
#include <QtTest/QtTest>

// The Kannada dictionary that the build puts into dct/ beside every program,
// read from there exactly as the programs read it.
class TestBundledDct : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyEntryIsFound();
    void lookups_data();
    void lookups();
    void nearByWords();
    void completerWords();

private:
    QList<QPair<QString, QString>> m_entries; // from the source text
};

void TestBundledDct::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
    QFile source(QStringLiteral(ZUVO_BUNDLED_SOURCE));
    QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(source.fileName()));
    const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        QVERIFY2(tab > 0, qPrintable(line));
        m_entries.append({ line.left(tab), line.mid(tab + 1) });
    }
    QVERIFY(m_entries.size() >= 300);
}

void TestBundledDct::everyEntryIsFound()
{
    ZuvoTest::TempEnv env;
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QCOMPARE(d.databasePath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/dct/kannada.dct"));
    const QStringList info = d.dictInfo();
    QCOMPARE(info.size(), 3);
    QCOMPARE(info.at(0), QString::number(m_entries.size()));
    QCOMPARE(info.at(2), QStringLiteral("Kannada"));

    QStringList headwords;
    for (const auto &e : std::as_const(m_entries)) {
        headwords.append(e.first);
        QString meaning;
        QVERIFY(d.findMeaningOf(e.first, meaning));
        QVERIFY2(meaning == e.first + e.second, qPrintable(e.first));
    }
    std::sort(headwords.begin(), headwords.end());
    QCOMPARE(d.allUnicodeWords(), headwords);
}

void TestBundledDct::lookups_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("contains");
    QTest::newRow("house") << "ಮನೆ"
                           << "house";
    QTest::newRow("mother") << "ತಾಯಿ"
                            << "mother";
    QTest::newRow("water") << "ನೀರು"
                           << "water";
    QTest::newRow("Kannada") << "ಕನ್ನಡ"
                             << "Kannada";
    QTest::newRow("not a word") << "ಮನೆಮನೆಮನೆ"
                                << "";
}

void TestBundledDct::lookups()
{
    QFETCH(QString, word);
    QFETCH(QString, contains);
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QString meaning;
    QVERIFY(d.findMeaningOf(word, meaning));
    if (contains.isEmpty()) {
        QCOMPARE(meaning, QString());
    } else {
        QVERIFY2(meaning.startsWith(word + u'<'), qPrintable(meaning));
        QVERIFY2(meaning.contains(contains), qPrintable(meaning));
    }
}

void TestBundledDct::nearByWords()
{
    ZuvoTest::TempEnv env;
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    d.init();
    // A long vowel sign typed short: the suggestion is the dictionary's word.
    const QStringList near = d.nearByWords(QStringLiteral("ನಿರು"));
    QVERIFY2(near.contains(QStringLiteral("ನೀರು")), qPrintable(near.join(u' ')));
}

void TestBundledDct::completerWords()
{
    ZuvoTest::TempEnv env;
    Utils u;
    QStringListModel *model = u.unicodeWords(0);
    QCOMPARE(model->rowCount(), m_entries.size());
    QVERIFY(!u.isMisSpelled(QStringLiteral("ಮನೆ")));
}

QTEST_MAIN(TestBundledDct)
#include "tst_bundleddct.moc"
