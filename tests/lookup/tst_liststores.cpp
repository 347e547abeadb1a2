#include "history.h"
#include "sqlcipherdriver.h"
#include "testenv.h"
#include "userdict.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Words = QStringLiteral("UnicodeWords");

// Raw access to a store file, beside the store objects.
class RawDb
{
public:
    explicit RawDb(const QString &path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~RawDb()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    int rows(const QString &table)
    {
        QSqlQuery q(m_db);
        return q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table)) && q.next()
            ? q.value(0).toInt()
            : -1;
    }
    bool hasTable(const QString &table)
    {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=?"));
        q.addBindValue(table);
        return q.exec() && q.next();
    }
    bool replaceValue(const QString &table, const QVariant &value)
    {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("DELETE FROM %1").arg(table)))
            return false;
        q.prepare(QStringLiteral("INSERT INTO %1 (data) VALUES (?)").arg(table));
        q.addBindValue(value);
        return q.exec();
    }

private:
    QString m_name = QStringLiteral("raw");
    QSqlDatabase m_db;
};

// Files may not grow past `bytes` while it lives (root ignores permissions,
// not this limit); the writes that would grow them fail.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

// Text that compresses badly: random Kannada letters and signs.
QString noisyKannada(int length)
{
    QString s;
    s.reserve(length);
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < length; ++i)
        s.append(QChar(char16_t(0x0C85 + rng->bounded(0x50))));
    return s;
}

QByteArray prefixed(quint32 claimed, const QByteArray &stream)
{
    QByteArray out(4, '\0');
    qToBigEndian(claimed, out.data());
    return out + stream;
}

} // namespace

class TestListStores : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void newStoreReadsNull();
    void rewriteKeepsOneRow();
    void swappedArgumentsFail();
    void hostileNames();
    void hostileValue_data();
    void hostileValue();
    void failedWriteKeepsOldList();
    void storesMakeTheirFolder();
    void storeThatCannotOpen_data();
    void storeThatCannotOpen();
    void storesSideBySide();

private:
    ZuvoTest::TempEnv *m_env = nullptr;
};

void TestListStores::initTestCase()
{
    QVERIFY(registerSqlCipherDriver());
}

void TestListStores::init()
{
    m_env = new ZuvoTest::TempEnv;
    QVERIFY(m_env->isValid());
    QVERIFY(QDir().mkpath(QStringLiteral("dat")));
}

void TestListStores::cleanup()
{
    delete m_env;
    m_env = nullptr;
}

void TestListStores::roundTrip_data()
{
    QTest::addColumn<bool>("history");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("entries");

    const QStringList kannada { QStringLiteral("ಕನ್ನಡ"), QString(),
                                QStringLiteral("ಕರ್‍ಮ"), QStringLiteral("ಮೊದಲ\nಸಾಲು"),
                                QString() };
    QTest::newRow("user words") << false << Words << kannada;
    QTest::newRow("find history") << true << "Find" << kannada;
    QTest::newRow("replace history, one empty entry") << true << "Replace" << QStringList { "" };
    QTest::newRow("latin and symbols")
        << true << "Find" << QStringList { "a'b", "\"q\"", "x\\y", "%1", "\t " };
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << QStringLiteral("ಪದ%1").arg(i);
    QTest::newRow("many words") << false << Words << many;
}

// A list joined with line feeds reads back as the same text, so splitting it
// again (keeping empty parts) gives the entries back.
void TestListStores::roundTrip()
{
    QFETCH(bool, history);
    QFETCH(QString, table);
    QFETCH(QStringList, entries);
    const QString text = entries.join(u'\n');

    if (history) {
        QVERIFY(History().writeHistory(table, text));
        const QString back = History().readHistory(table);
        QVERIFY(!back.isNull());
        QCOMPARE(back, text);
    } else {
        QVERIFY(UserDict().write(text, table));
        const QString back = UserDict().read(table);
        QVERIFY(!back.isNull());
        QCOMPARE(back, text);
    }
}

void TestListStores::newStoreReadsNull()
{
    QVERIFY(History().readHistory(QStringLiteral("Find")).isNull());
    QVERIFY(History().readHistory(QStringLiteral("Replace")).isNull());
    QVERIFY(UserDict().read(Words).isNull());
    // Both tables were made on first open, with no row.
    RawDb raw(QStringLiteral("dat/history.dat"));
    QVERIFY(raw.hasTable(QStringLiteral("Find")));
    QCOMPARE(raw.rows(QStringLiteral("Replace")), 0);
}

void TestListStores::rewriteKeepsOneRow()
{
    QVERIFY(UserDict().write(QStringLiteral("ಒಂದು"), Words));
    QVERIFY(UserDict().write(QStringLiteral("ಎರಡು"), Words));
    QCOMPARE(UserDict().read(Words), QStringLiteral("ಎರಡು"));
    RawDb raw(QStringLiteral("dat/usrdic.dat"));
    QCOMPARE(raw.rows(Words), 1);
}

void TestListStores::swappedArgumentsFail()
{
    QVERIFY(UserDict().write(QStringLiteral("ಹಳೆಯ"), Words));
    QVERIFY(!UserDict().write(Words, QStringLiteral("ಹೊಸ ಪಟ್ಟಿ")));
    QVERIFY(!UserDict().write(Words, QStringLiteral("Missing")));
    QCOMPARE(UserDict().read(Words), QStringLiteral("ಹಳೆಯ"));
    RawDb raw(QStringLiteral("dat/usrdic.dat"));
    QVERIFY(!raw.hasTable(QStringLiteral("Missing")));
}

// Table names go into statements: anything but a plain name is no table.
void TestListStores::hostileNames()
{
    QVERIFY(History().writeHistory(QStringLiteral("Replace"), QStringLiteral("keep")));
    const QStringList names {
        "Find; DROP TABLE Replace", "Replace'--", "Find Replace", "", "sqlite_master", "1Find"
    };
    for (const QString &name : names) {
        QVERIFY2(!History().writeHistory(name, QStringLiteral("x")), qPrintable(name));
        QVERIFY2(History().readHistory(name).isNull(), qPrintable(name));
    }
    QCOMPARE(History().readHistory(QStringLiteral("Replace")), QStringLiteral("keep"));
}

void TestListStores::hostileValue_data()
{
    QTest::addColumn<QVariant>("value");

    const QByteArray stream = qCompress(QByteArrayLiteral("ಕನ್ನಡ")).mid(4);
    QTest::newRow("four gigabytes claimed") << QVariant(prefixed(0xFFFFFFFFu, stream));
    QTest::newRow("a gigabyte from a few bytes") << QVariant(prefixed(1u << 30, stream));
    QTest::newRow("prefix only") << QVariant(QByteArray("\x7f\xff\xff\xff", 4));
    QTest::newRow("truncated stream") << QVariant(qCompress(QByteArray(100000, 'a')).left(40));
    QTest::newRow("garbage") << QVariant(QByteArray("\x00\x00\x00\x10not zlib at all", 19));
    QTest::newRow("plain text") << QVariant(QStringLiteral("ಕನ್ನಡ"));
    QTest::newRow("null") << QVariant();
}

// A damaged or hostile value reads as empty text: no crash, no huge
// allocation, and the store stays usable.
void TestListStores::hostileValue()
{
    QFETCH(QVariant, value);
    QVERIFY(UserDict().write(QStringLiteral("x"), Words));
    {
        RawDb raw(QStringLiteral("dat/usrdic.dat"));
        QVERIFY(raw.replaceValue(Words, value));
    }
    const QString back = UserDict().read(Words);
    QVERIFY(back.isEmpty());
    QVERIFY(UserDict().write(QStringLiteral("ಸರಿ"), Words));
    QCOMPARE(UserDict().read(Words), QStringLiteral("ಸರಿ"));
}

// A rewrite that fails part-way (here the file may not grow, so the commit
// cannot write the new pages) is rolled back: the old list stays and the
// failure is reported.
void TestListStores::failedWriteKeepsOldList()
{
    const QString old = QStringLiteral("ಹಳೆಯ\nಪಟ್ಟಿ");
    QVERIFY(UserDict().write(old, Words));
    QVERIFY(History().writeHistory(QStringLiteral("Find"), old));
    const QString big = noisyKannada(400000);
    {
        const qint64 size = qMax(QFileInfo(QStringLiteral("dat/usrdic.dat")).size(),
                                 QFileInfo(QStringLiteral("dat/history.dat")).size());
        FileSizeLimit limit(rlim_t(qMax<qint64>(size, 64 * 1024)));
        UserDict store;
        QVERIFY(!store.write(big, Words));
        QCOMPARE(store.read(Words), old);
        History history;
        QVERIFY(!history.writeHistory(QStringLiteral("Find"), big));
    }
    QCOMPARE(UserDict().read(Words), old);
    QCOMPARE(History().readHistory(QStringLiteral("Find")), old);
    // Without the limit the same write goes through.
    QVERIFY(UserDict().write(big, Words));
    QCOMPARE(UserDict().read(Words), big);
}

void TestListStores::storeThatCannotOpen_data()
{
    QTest::addColumn<QStringList>("obstacles");
    QTest::newRow("folders in the files' place")
        << QStringList { "dat/usrdic.dat", "dat/history.dat" };
}

void TestListStores::storeThatCannotOpen()
{
    QFETCH(QStringList, obstacles);
    QVERIFY(QDir(QStringLiteral("dat")).removeRecursively());
    for (const QString &path : obstacles)
        QVERIFY(QDir().mkpath(path));
    UserDict store;
    QVERIFY(store.read(Words).isNull());
    QVERIFY(!store.write(QStringLiteral("ಪದ"), Words));
    History history;
    QVERIFY(history.readHistory(QStringLiteral("Find")).isNull());
    QVERIFY(!history.writeHistory(QStringLiteral("Find"), QStringLiteral("ಪದ")));
}

// A program started in a folder of its user's keeps its lists there: the
// folder "dat" is made where the stores are opened, not beside the program.
void TestListStores::storesMakeTheirFolder()
{
    QVERIFY(QDir(QStringLiteral("dat")).removeRecursively());
    QVERIFY(QDir::currentPath() != QCoreApplication::applicationDirPath());
    QVERIFY(UserDict().write(QStringLiteral("ಪದ"), Words));
    QVERIFY(History().writeHistory(QStringLiteral("Find"), QStringLiteral("ಹುಡುಕು")));
    QCOMPARE(UserDict().read(Words), QStringLiteral("ಪದ"));
    QCOMPARE(History().readHistory(QStringLiteral("Find")), QStringLiteral("ಹುಡುಕು"));
    QVERIFY(QFileInfo::exists(QStringLiteral("dat/usrdic.dat")));
    QVERIFY(QFileInfo::exists(QStringLiteral("dat/history.dat")));
}

// Each store has a connection of its own: two alive at once both work, and a
// default connection made meanwhile by someone else does not close them.
void TestListStores::storesSideBySide()
{
    History history;
    UserDict words;
    QSqlDatabase::addDatabase(QStringLiteral("QSQLCIPHER"));
    QVERIFY(history.writeHistory(QStringLiteral("Find"), QStringLiteral("ಹುಡುಕು")));
    QVERIFY(words.write(QStringLiteral("ಪದ"), Words));
    QCOMPARE(history.readHistory(QStringLiteral("Find")), QStringLiteral("ಹುಡುಕು"));
    QCOMPARE(words.read(Words), QStringLiteral("ಪದ"));
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

QTEST_GUILESS_MAIN(TestListStores)
#include "tst_liststores.moc"
