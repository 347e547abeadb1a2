#include "dctfixture.h"
#include "dictionary.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringListModel>
#include <QtTest/QtTest>

using ZuvoTest::DctEntries;

namespace {

const QString Unchanged = QStringLiteral("(unchanged)");

// Seven entries in three blocks of three: [ಅಕ್ಕ ಆನೆ ಕಾಡು] [ಕೈ ನದಿ ಮನೆ] [ಹಾಲು].
// The Dict headwords are then "", ಕಾಡು and ಮನೆ.
DctEntries blockEntries()
{
    return {
        { QStringLiteral("ಮನೆ"), QStringLiteral("<p>house</p>") },
        { QStringLiteral("ಅಕ್ಕ"), QStringLiteral("<p>elder sister</p>") },
        { QStringLiteral("ಹಾಲು"), QStringLiteral("<p>milk</p>") },
        { QStringLiteral("ಕಾಡು"), QStringLiteral("<p>forest</p>") },
        { QStringLiteral("ನದಿ"), QStringLiteral("<p>river</p>") },
        { QStringLiteral("ಆನೆ"), QStringLiteral("<p>elephant</p>") },
        { QStringLiteral("ಕೈ"), QStringLiteral("<p>hand</p>") },
    };
}

DctWriter::Row row(const QString &word, const QString &data)
{
    return { ZuvoTest::compressed(word), ZuvoTest::compressed(data) };
}

DctWriter::Content rawContent(const QList<DctWriter::Row> &rows, const QString &allWords,
                              const QString &language = QStringLiteral("Kannada"))
{
    DctWriter::Content content;
    content.rows = rows;
    content.info = { QString::number(rows.size()), QStringLiteral("raw"), language };
    content.allWords = ZuvoTest::compressed(allWords);
    return content;
}

// Names and sizes of everything in a folder, to see that reading changed nothing.
QStringList listing(const QString &folder)
{
    QStringList out;
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos)
        out.append(info.fileName() + u' ' + QString::number(info.size()));
    return out;
}

QString dctPath(const ZuvoTest::TempEnv &env, const QString &name)
{
    return env.filePath(QStringLiteral("dct/") + name);
}

// A folder of its own for each test, searched instead of the one beside the
// test program.
class DctFolder
{
public:
    explicit DctFolder(const ZuvoTest::TempEnv &env)
    {
        QDir(env.path()).mkpath(QStringLiteral("dct"));
        Dictionary::setDictFolder(env.filePath(QStringLiteral("dct")) + u'/');
    }
    ~DctFolder() { Dictionary::setDictFolder(QString()); }
    DctFolder(const DctFolder &) = delete;
    DctFolder &operator=(const DctFolder &) = delete;
};

} // namespace

class TestDictionary : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void driverName();
    void bindingOrder();
    void noMatchKeepsBinding();
    void openFailureIsShown();
    void lookups_data();
    void lookups();
    void tableOrderPositions_data();
    void tableOrderPositions();
    void caseInsensitiveLine();
    void parseDictFor_data();
    void parseDictFor();
    void damagedValues_data();
    void damagedValues();
    void dictInfo();
    void allUnicodeWordsKeepsEmptyParts();
    void nearByWords();
    void nearByWordsWithSuggestions();
    void unbound();
    void readOnly();
    void changedFileIsReadAgain();
    void unicodeWordsModel();
    void sharedCompleter();
    void execQuery();
};

void TestDictionary::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
    QVERIFY(QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLCIPHER")));
}

void TestDictionary::driverName()
{
    auto *plugin = qobject_cast<QSQLCipherDriverPlugin *>(qt_plugin_instance_qsqlcipher());
    QVERIFY(plugin);
    QCOMPARE(qt_plugin_instance_qsqlcipher(), plugin);
    QCOMPARE(plugin->keys(), QStringList { QStringLiteral("QSQLCIPHER") });
    QCOMPARE(plugin->create(QStringLiteral("qsqlcipher")), nullptr);
    QCOMPARE(plugin->create(QStringLiteral("QSQLITE")), nullptr);
    QSqlDriver *driver = plugin->create(QStringLiteral("QSQLCIPHER"));
    QVERIFY(driver);
    QVERIFY(!driver->parent());
    delete driver;
    // Registering again changes nothing.
    QVERIFY(registerSqlCipherDriver());
}

void TestDictionary::bindingOrder()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    const DctEntries one { { QStringLiteral("ಮನೆ"), QStringLiteral("<p>house</p>") } };
    // Sorted with case: "Zed" < "apple" < "b..." ; without case: apple < b < Zed.
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral(".aaa-hidden.dct")), one,
                               QStringLiteral("Kannada"), 16, QStringLiteral("hidden")));
    QVERIFY(env.writeFile(QStringLiteral("dct/aa-junk.dct"), "not a database at all\n"));
    QVERIFY(env.writeFile(QStringLiteral("dct/ab-empty.dct"), QByteArray()));
    QVERIFY(QDir(env.path()).mkpath(QStringLiteral("dct/ac-folder.dct")));
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("ac-folder.dct/inner.dct")), one,
                               QStringLiteral("Kannada"), 16, QStringLiteral("inner")));
    DctWriter::Content noRow = rawContent({ row(QString(), QStringLiteral("x")) }, QString());
    noRow.hasInfoRow = false;
    QVERIFY(ZuvoTest::writeRawDct(dctPath(env, QStringLiteral("ad-norow.dct")), noRow));
    DctWriter::Content noTable = noRow;
    noTable.hasInfoTable = false;
    QVERIFY(ZuvoTest::writeRawDct(dctPath(env, QStringLiteral("ae-notable.dct")), noTable));
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("af-telugu.dct")), one,
                               QStringLiteral("Telugu"), 16, QStringLiteral("telugu")));
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("apple.dct")), one,
                               QStringLiteral("KANNADA"), 16, QStringLiteral("apple")));
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("Zed.dct")), one,
                               QStringLiteral("kannada"), 16, QStringLiteral("zed")));
    const QStringList before = listing(env.filePath(QStringLiteral("dct")));

    Dictionary d;
    QVERIFY(!d.available);
    QVERIFY(d.isDictAvailable(0));
    QVERIFY(d.available);
    QCOMPARE(d.databasePath(),
             QFileInfo(dctPath(env, QStringLiteral("apple.dct"))).absoluteFilePath());
    QCOMPARE(d.languageName(), QStringLiteral("Kannada"));
    QCOMPARE(d.dictInfo().value(1), QStringLiteral("apple"));

    QVERIFY(d.isDictAvailable(1));
    QCOMPARE(d.dictInfo(), QStringList({ "1", "telugu", "Telugu" }));

    // Nothing in the folder was written, not even a journal.
    QCOMPARE(listing(env.filePath(QStringLiteral("dct"))), before);
    QCOMPARE(env.readFile(QStringLiteral("dct/aa-junk.dct")),
             QByteArray("not a database at all\n"));
}

void TestDictionary::noMatchKeepsBinding()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), blockEntries()));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    const QString path = d.databasePath();
    for (int language : { 2, 9, 10, -1 }) {
        QVERIFY(!d.isDictAvailable(language));
        QVERIFY(!d.available);
        QCOMPARE(d.databasePath(), path);
        QCOMPARE(d.languageName(), QStringLiteral("Kannada"));
    }
    // The old binding still reads.
    QString meaning;
    QVERIFY(d.findMeaningOf(QStringLiteral("ನದಿ"), meaning));
    QCOMPARE(meaning, QStringLiteral("ನದಿ<p>river</p>"));

    // No folder at all.
    Dictionary::setDictFolder(env.filePath(QStringLiteral("missing/")));
    Dictionary fresh;
    QVERIFY(!fresh.isDictAvailable(0));
    QVERIFY(fresh.databasePath().isEmpty());
}

void TestDictionary::openFailureIsShown()
{
    // SQLite opens no path longer than 512 bytes: every file of this folder
    // fails to open, each with a box of its own, and the scan goes on.
    ZuvoTest::TempEnv env;
    const QString deep = env.filePath(QString(200, u'd') + u'/' + QString(200, u'e') + u'/' +
                                      QString(200, u'f') + QStringLiteral("/dct/"));
    QVERIFY(QDir().mkpath(deep));
    const DctEntries one { { QStringLiteral("ಮನೆ"), QStringLiteral("<p>house</p>") } };
    for (const QString &name : { QStringLiteral("a.dct"), QStringLiteral("b.dct") }) {
        QVERIFY(ZuvoTest::writeDct(env.filePath(name), one));
        QVERIFY(QFile::rename(env.filePath(name), deep + name));
    }
    Dictionary::setDictFolder(deep);
    ZuvoTest::MessageBoxWatcher watcher;
    Dictionary d;
    const bool found = d.isDictAvailable(0);
    Dictionary::setDictFolder(QString());
    QVERIFY(!found);
    QVERIFY(!d.available);
    QCOMPARE(watcher.titles(), QStringList({ "Dict", "Dict" }));
    QVERIFY(!watcher.texts().constFirst().isEmpty());
}

void TestDictionary::lookups_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("meaning");
    QTest::newRow("first entry") << "ಅಕ್ಕ"
                                 << "ಅಕ್ಕ<p>elder sister</p>";
    QTest::newRow("inside a block") << "ಆನೆ"
                                    << "ಆನೆ<p>elephant</p>";
    QTest::newRow("headword ending block 1") << "ಕಾಡು"
                                             << "ಕಾಡು<p>forest</p>";
    QTest::newRow("first of block 2") << "ಕೈ"
                                      << "ಕೈ<p>hand</p>";
    QTest::newRow("headword ending block 2") << "ಮನೆ"
                                             << "ಮನೆ<p>house</p>";
    QTest::newRow("last block") << "ಹಾಲು"
                                << "ಹಾಲು<p>milk</p>";
    // Unknown words read a block without their line: the meaning is emptied.
    QTest::newRow("unknown inside a block") << "ಕೋತಿ"
                                            << "";
    QTest::newRow("unknown after every word") << "ಹೂ"
                                              << "";
    QTest::newRow("latin word") << "house"
                                << "";
    // The empty word is the headword at position 0: no block is read.
    QTest::newRow("position 0") << "" << Unchanged;
    QTest::newRow("blank around a word") << " ಮನೆ"
                                         << "";
}

void TestDictionary::lookups()
{
    QFETCH(QString, word);
    QFETCH(QString, meaning);
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), blockEntries(),
                               QStringLiteral("Kannada"), 3));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    // Twice: the second lookup answers from what the first one read.
    for (int pass = 0; pass < 2; ++pass) {
        QString result = Unchanged;
        QVERIFY(d.findMeaningOf(word, result));
        QCOMPARE(result, meaning);
    }
}

void TestDictionary::tableOrderPositions_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("meaning");
    // Dict headwords in table order: "aa", "zz", "aa" again, " bb " (trimmed),
    // so the list is [aa, zz, bb]; sorted it is [aa, bb, zz].
    QTest::newRow("headword at position 0") << "aa" << Unchanged;
    QTest::newRow("sorts before every headword") << "a" << Unchanged;
    QTest::newRow("headword, table position 1") << "zz"
                                                << "zz<p>row 1</p>";
    QTest::newRow("trimmed headword after a repeat") << "bb"
                                                     << "bb<p>row 2</p>";
    QTest::newRow("between, sorted position 1") << "ab"
                                                << "ab<p>row 1</p>";
    QTest::newRow("between, sorted position 2") << "bc"
                                                << "bc<p>row 2</p>";
    QTest::newRow("after all, sorted position 3") << "zzz"
                                                  << "zzz<p>row 3</p>";
    QTest::newRow("case decides the position") << "BC" << Unchanged;
}

void TestDictionary::tableOrderPositions()
{
    QFETCH(QString, word);
    QFETCH(QString, meaning);
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    const QList<DctWriter::Row> rows {
        row(QStringLiteral("aa"), QStringLiteral("zz<p>row 1</p>\nab<p>row 1</p>")),
        row(QStringLiteral("zz"), QStringLiteral("bb<p>row 2</p>\nbc<p>row 2</p>")),
        row(QStringLiteral("aa"), QStringLiteral("zzz<p>row 3</p>")),
        row(QStringLiteral(" bb "), QStringLiteral("aa<p>row 4</p>")),
    };
    QVERIFY(ZuvoTest::writeRawDct(dctPath(env, QStringLiteral("raw.dct")),
                                  rawContent(rows, QStringLiteral("aa\nzz\nbb"))));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    for (int pass = 0; pass < 2; ++pass) {
        QString result = Unchanged;
        QVERIFY(d.findMeaningOf(word, result));
        QCOMPARE(result, meaning);
    }
}

void TestDictionary::caseInsensitiveLine()
{
    // One block: whatever position a word gets, the line test ignores case.
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("en.dct")),
                               { { QStringLiteral("mango"), QStringLiteral("<p>ಮಾವು</p>") },
                                 { QStringLiteral("tea"), QStringLiteral("<p>ಚಹಾ</p>") } },
                               QStringLiteral("English")));
    Dictionary d;
    QVERIFY(d.isDictAvailable(9));
    for (const QString &word : { QStringLiteral("MANGO"), QStringLiteral("Mango") }) {
        QString meaning;
        QVERIFY(d.findMeaningOf(word, meaning));
        QCOMPARE(meaning, QStringLiteral("mango<p>ಮಾವು</p>"));
    }
}

void TestDictionary::parseDictFor_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("line");
    const QString block =
        QStringLiteral("mango<p>a</p>\n\nplain line\ntea<p>b<i>c</i></p>\ntea<p>2</p>");
    QTest::newRow("head in small letters") << "MANGO" << block << "mango<p>a</p>";
    QTest::newRow("first of two lines") << "tea" << block << "tea<p>b<i>c</i></p>";
    QTest::newRow("line without <, whole line") << "Plain Line" << block << "plain line";
    QTest::newRow("line without <, part of it") << "plain" << block << "";
    QTest::newRow("empty word meets empty line") << "" << block << "";
    QTest::newRow("empty head") << ""
                                << "<p>x</p>\nb<p>y</p>"
                                << "<p>x</p>";
    QTest::newRow("no such line") << "ಮನೆ" << block << "";
    QTest::newRow("empty block") << "a"
                                 << ""
                                 << "";
    QTest::newRow("only line feeds") << "a" << QString(100000, u'\n') << "";
}

void TestDictionary::parseDictFor()
{
    QFETCH(QString, word);
    QFETCH(QString, block);
    QFETCH(QString, line);
    Dictionary d;
    QCOMPARE(d.parseDictFor(word, block), line);
}

void TestDictionary::damagedValues_data()
{
    QTest::addColumn<QString>("column"); // "data", "word" or "all"
    QTest::addColumn<QByteArray>("value");
    const struct
    {
        const char *name;
        QByteArray value;
    } bad[] = {
        { "damaged stream", ZuvoTest::corruptCompressed() },
        { "claims 4 GiB", ZuvoTest::withClaimedSize(0xFFFFFFFFu) },
        { "claims 1 MiB from 9 bytes", ZuvoTest::withClaimedSize(1u << 20) },
        { "truncated", ZuvoTest::compressed(QStringLiteral("ಮನೆ<p>house</p>")).left(8) },
        { "three bytes", QByteArray("\0\0\1", 3) },
        { "plain text", QStringLiteral("ಮನೆ<p>house</p>").toUtf8() },
        { "empty", QByteArrayLiteral("") },
    };
    for (const char *column : { "data", "word", "all" }) {
        for (const auto &b : bad)
            QTest::addRow("%s: %s", column, b.name) << QString::fromLatin1(column) << b.value;
    }
}

void TestDictionary::damagedValues()
{
    QFETCH(QString, column);
    QFETCH(QByteArray, value);
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QList<DctWriter::Row> rows {
        row(QString(), QStringLiteral("ಕಾಡು<p>forest</p>")),
        row(QStringLiteral("ಕಾಡು"), QStringLiteral("ಮನೆ<p>house</p>")),
    };
    DctWriter::Content content = rawContent(rows, QStringLiteral("ಕಾಡು\nಮನೆ"));
    if (column == u"data")
        content.rows[1].data = value;
    else if (column == u"word")
        content.rows[1].word = value;
    else
        content.allWords = value;
    QVERIFY(ZuvoTest::writeRawDct(dctPath(env, QStringLiteral("bad.dct")), content));

    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QString meaning = Unchanged;
    QVERIFY(d.findMeaningOf(QStringLiteral("ಮನೆ"), meaning));
    QString forest = Unchanged;
    QVERIFY(d.findMeaningOf(QStringLiteral("ಕಾಡು"), forest));
    if (column == u"data") {
        // The block reads as empty text: no line for the word.
        QCOMPARE(meaning, QString());
        QCOMPARE(forest, QStringLiteral("ಕಾಡು<p>forest</p>"));
    } else if (column == u"word") {
        // The unreadable headword is the empty text, a repeat of the first one:
        // the list is [""], ಮನೆ and ಕಾಡು sort to position 1.
        QCOMPARE(meaning, QString());
        QCOMPARE(forest, QStringLiteral("ಕಾಡು<p>forest</p>"));
    } else {
        QCOMPARE(meaning, QStringLiteral("ಮನೆ<p>house</p>"));
    }
    const QStringList all = d.allUnicodeWords();
    const QStringList near = d.nearByWords(QStringLiteral("ಮನ"));
    if (column == u"all") {
        // Unreadable is empty text, which splits into one empty word.
        QCOMPARE(all, QStringList { QString() });
        QCOMPARE(near, QStringList());
    } else {
        QCOMPARE(all, QStringList({ "ಕಾಡು", "ಮನೆ" }));
        QCOMPARE(near, QStringList { QStringLiteral("ಮನೆ") });
    }
}

void TestDictionary::dictInfo()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), blockEntries(),
                               QStringLiteral("Kannada"), 3, QStringLiteral("2024-05-06")));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QCOMPARE(d.dictInfo(), QStringList({ "7", "2024-05-06", "Kannada" }));
    QCOMPARE(d.allUnicodeWords(), QStringList({ "ಅಕ್ಕ", "ಆನೆ", "ಕಾಡು", "ಕೈ", "ನದಿ", "ಮನೆ", "ಹಾಲು" }));
}

void TestDictionary::allUnicodeWordsKeepsEmptyParts()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QByteArray withNul = QStringLiteral("a\n\nb\n").toUtf8() + QByteArray("\0c\nd", 4);
    DctWriter::Content content = rawContent({ row(QString(), QStringLiteral("x")) }, QString());
    content.allWords = qCompress(withNul);
    QVERIFY(ZuvoTest::writeRawDct(dctPath(env, QStringLiteral("kn.dct")), content));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    // Up to the NUL, split at every line feed, nothing dropped or trimmed.
    QCOMPARE(d.allUnicodeWords(), QStringList({ "a", "", "b", "" }));
}

namespace {

// Twelve headwords hold ಮನೆ; in stored (sorted) order:
// ಅರಮನೆ ತವರುಮನೆ ಮನೆ ಮನೆಕೆಲಸ ಮನೆಗಳು ಮನೆಗೆ ಮನೆತನ ಮನೆಮಂದಿ ಮನೆಯ ಮನೆಯಲ್ಲಿ ಮನೆಯವರು ಹೊಸಮನೆ
DctEntries nearEntries()
{
    DctEntries entries;
    for (const char *w : { "ಕಾಡು", "ಕಡುಗೆಂಪು", "ಮನೆ", "ಮನೆಗೆ", "ಮನೆಯ", "ಅರಮನೆ", "ಮನೆತನ", "ಮನೆಮಂದಿ", "ಹೊಸಮನೆ",
                           "ಮನೆಕೆಲಸ", "ಮನೆಯವರು", "ತವರುಮನೆ", "ಮನೆಗಳು", "ಮನೆಯಲ್ಲಿ" })
        entries.append({ QString::fromUtf8(w), QStringLiteral("<p>x</p>") });
    return entries;
}

} // namespace

void TestDictionary::nearByWords()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), nearEntries()));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    // Without init: only headwords holding the word, in stored order, at most 10.
    QCOMPARE(d.nearByWords(QStringLiteral("ಮನೆ")),
             QStringList({ "ಅರಮನೆ", "ತವರುಮನೆ", "ಮನೆ", "ಮನೆಕೆಲಸ", "ಮನೆಗಳು", "ಮನೆಗೆ", "ಮನೆತನ", "ಮನೆಮಂದಿ", "ಮನೆಯ",
                           "ಮನೆಯಲ್ಲಿ" }));
    QCOMPARE(d.nearByWords(QStringLiteral("ಕಾಡು")), QStringList { QStringLiteral("ಕಾಡು") });
    QCOMPARE(d.nearByWords(QStringLiteral("ಕಡು")), QStringList { QStringLiteral("ಕಡುಗೆಂಪು") });
    QCOMPARE(d.nearByWords(QStringLiteral("ಹುಲಿ")), QStringList());
}

void TestDictionary::nearByWordsWithSuggestions()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), nearEntries()));
    // The user's words join the model ahead of the headwords.
    QVERIFY(Utils::writeToUnicodeFile({ QStringLiteral("ಕಡುಬು") }, QStringLiteral("usr.dct")));

    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    d.init();
    d.init(); // once only
    // Suggestions first: the AA-sign edit, then known words holding the word
    // within two letters (ಕಡುಗೆಂಪು is five longer); then the headwords.
    QCOMPARE(d.nearByWords(QStringLiteral("ಕಡು")), QStringList({ "ಕಾಡು", "ಕಡುಬು", "ಕಡುಗೆಂಪು" }));

    // Five suggestions (known words of up to five letters holding ಮನೆ) and the
    // first five headwords make ten; two of those repeat, so eight remain
    // although more headwords hold the word.
    QCOMPARE(d.nearByWords(QStringLiteral("ಮನೆ")),
             QStringList({ "ಅರಮನೆ", "ಮನೆ", "ಮನೆಗೆ", "ಮನೆತನ", "ಮನೆಯ", "ತವರುಮನೆ", "ಮನೆಕೆಲಸ", "ಮನೆಗಳು" }));
}

void TestDictionary::unbound()
{
    ZuvoTest::TempEnv env;
    Dictionary d;
    QVERIFY(!d.available);
    QString meaning = Unchanged;
    QVERIFY(d.findMeaningOf(QStringLiteral("ಮನೆ"), meaning));
    QCOMPARE(meaning, Unchanged);
    QCOMPARE(d.dictInfo(), QStringList());
    QCOMPARE(d.allUnicodeWords(), QStringList());
    QCOMPARE(d.nearByWords(QStringLiteral("ಮನೆ")), QStringList());
    QVERIFY(!QFileInfo::exists(env.filePath(QStringLiteral("dct"))));
}

void TestDictionary::readOnly()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    const QString path = dctPath(env, QStringLiteral("kn.dct"));
    QVERIFY(ZuvoTest::writeDct(path, blockEntries()));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QString meaning;
    QVERIFY(d.findMeaningOf(QStringLiteral("ಮನೆ"), meaning));

    // A bound file that went away is not made again by the next lookup.
    QVERIFY(QFile::remove(path));
    meaning = Unchanged;
    QVERIFY(!d.findMeaningOf(QStringLiteral("ಮನೆ"), meaning));
    QCOMPARE(meaning, Unchanged);
    QCOMPARE(d.dictInfo(), QStringList());
    QCOMPARE(d.allUnicodeWords(), QStringList());
    QCOMPARE(d.nearByWords(QStringLiteral("ಮನೆ")), QStringList());
    QCOMPARE(listing(env.filePath(QStringLiteral("dct"))), QStringList());
}

void TestDictionary::changedFileIsReadAgain()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    const QString path = dctPath(env, QStringLiteral("kn.dct"));
    QVERIFY(ZuvoTest::writeDct(path, blockEntries(), QStringLiteral("Kannada"), 3));
    Dictionary d;
    QVERIFY(d.isDictAvailable(0));
    QString meaning;
    QVERIFY(d.findMeaningOf(QStringLiteral("ನದಿ"), meaning));
    QCOMPARE(meaning, QStringLiteral("ನದಿ<p>river</p>"));
    QCOMPARE(d.allUnicodeWords().size(), 7);

    // Replaced by a new file: other blocks, other words.
    DctEntries entries = blockEntries();
    entries.append({ QStringLiteral("ಅ"), QStringLiteral("<p>the first letter</p>") });
    entries[4].second = QStringLiteral("<p>stream</p>");
    QVERIFY(ZuvoTest::writeDct(path, entries, QStringLiteral("Kannada"), 2));
    QVERIFY(d.findMeaningOf(QStringLiteral("ನದಿ"), meaning));
    QCOMPARE(meaning, QStringLiteral("ನದಿ<p>stream</p>"));
    QCOMPARE(d.allUnicodeWords().size(), 8);

    // Changed in place, same size; the clock may not have moved between the
    // two writes, so the test moves the modification time itself.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.prepare(QStringLiteral("UPDATE AllUnicodeWords SET word = ?")));
        query.bindValue(0, ZuvoTest::compressed(QStringLiteral("ಒಂದು")));
        QVERIFY(query.exec());
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                             QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(d.allUnicodeWords(), QStringList { QStringLiteral("ಒಂದು") });
}

void TestDictionary::unicodeWordsModel()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), blockEntries()));
    QVERIFY(Utils::writeToUnicodeFile({ QStringLiteral("ಮನೆ"), QStringLiteral("zz") },
                                      QStringLiteral("usr.dct")));
    Utils u;
    QStringListModel *first = u.unicodeWords(0);
    QVERIFY(first);
    QCOMPARE(u.wordModel(), first);
    QCOMPARE(first->stringList(),
             QStringList({ "ಮನೆ", "zz", "ಅಕ್ಕ", "ಆನೆ", "ಕಾಡು", "ಕೈ", "ನದಿ", "ಹಾಲು" }));
    QVERIFY(!u.isMisSpelled(QStringLiteral("ಹಾಲು")));

    // Always a new model; the old one stays usable for whoever shows it.
    QStringListModel *second = u.unicodeWords(4); // no Hindi dictionary
    QVERIFY(second != first);
    QCOMPARE(u.wordModel(), second);
    QCOMPARE(second->stringList(), QStringList({ "ಮನೆ", "zz" }));
    QVERIFY(u.isMisSpelled(QStringLiteral("ಹಾಲು")));
    QCOMPARE(first->rowCount(), 8);
}

void TestDictionary::sharedCompleter()
{
    ZuvoTest::TempEnv env;
    DctFolder folder(env);
    QVERIFY(ZuvoTest::writeDct(dctPath(env, QStringLiteral("kn.dct")), blockEntries()));
    QVERIFY(Utils::writeToUnicodeFile({ QStringLiteral("zz") }, QStringLiteral("usr.dct")));
    Utils u;
    QPointer<QCompleter> completer = u.zuvoCompleter();
    QVERIFY(completer);
    QCOMPARE(completer->parent(), &u);
    QCOMPARE(completer->model(), u.wordModel());
    QCOMPARE(completer->modelSorting(), QCompleter::UnsortedModel);
    QCOMPARE(completer->caseSensitivity(), Qt::CaseInsensitive);
    QVERIFY(!completer->wrapAround());
    QCOMPARE(completer->completionMode(), QCompleter::PopupCompletion);
    QCOMPARE(completer->popup()->font().family(), QStringLiteral("Tunga"));
    QCOMPARE(completer->popup()->font().pointSize(), 11);
    QCOMPARE(u.wordModel()->rowCount(), 8);

    // The second call reads nothing again.
    QVERIFY(Utils::appendWordToUnicodeFile(QStringLiteral("yy"), QStringLiteral("usr.dct")));
    QCOMPARE(u.zuvoCompleter(), completer.data());
    QCOMPARE(u.wordModel()->rowCount(), 8);
    QVERIFY(u.isMisSpelled(QStringLiteral("yy")));
    QVERIFY(u.addToDictionary(QStringLiteral("ww"), completer));
    QVERIFY(!u.isMisSpelled(QStringLiteral("ww")));
    QCOMPARE(u.wordModel()->stringList().constLast(), QStringLiteral("ww"));
}

void TestDictionary::execQuery()
{
    ZuvoTest::TempEnv env;
    Dictionary d;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLCIPHER"), QStringLiteral("q"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    {
        QSqlQuery query(db);
        QTest::ignoreMessage(QtDebugMsg, "Error : Query text is empty");
        QVERIFY(!d.execQuery(query, QString(), true));
        QVERIFY(d.execQuery(query, QStringLiteral("PRAGMA key = 'd19e07ab3c5f2e8846b0';"), true));
        QVERIFY(d.execQuery(query, QStringLiteral("SELECT 7"), false));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 7);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^SELECT x FROM nowhere "));
        QVERIFY(!d.execQuery(query, QStringLiteral("SELECT x FROM nowhere"), true));
        QVERIFY(!query.isActive());
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("q"));
}

QTEST_MAIN(TestDictionary)
#include "tst_dictionary.moc"
