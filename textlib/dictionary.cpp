#include "dictionary.h"

#include "compression.h"
#include "sqlcipherdriver.h"
#include "utils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMessageBox>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringTokenizer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <sys/stat.h>

namespace {

const QString KeyStatement = QStringLiteral("PRAGMA key = 'd19e07ab3c5f2e8846b0';");
const QString LanguageStatement = QStringLiteral("SELECT languageName from DictInfo;");
const QString InfoStatement =
    QStringLiteral("SELECT wordcount, creationdate, languageName from DictInfo;");
const QString HeadwordsStatement = QStringLiteral("SELECT word from Dict;");
const QString BlockStatement = QStringLiteral("SELECT data FROM Dict WHERE rowid='%1'");
const QString AllWordsStatement = QStringLiteral("SELECT word from AllUnicodeWords;");

constexpr qsizetype MaxNearByWords = 10;
// Lines a word list may hold: the largest real dictionaries have a few hundred
// thousand words; a damaged value of line feeds must not make a list of
// hundreds of millions of strings.
constexpr qsizetype MaxListWords = 4000000;
// What a list of Dict headwords may hold in all: a real dictionary is a few
// megabytes, a damaged one must not exhaust memory.
constexpr qint64 MaxHeadwordBytes = MaxUncompressedSize;

QString &dictFolderOverride()
{
    static QString folder;
    return folder;
}

// The text of a compressed column: UTF-8 up to the first NUL byte; empty when
// the value cannot be uncompressed.
QString blobText(const QVariant &value)
{
    QByteArray bytes = guardedUncompress(value.toByteArray());
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

// One read-only connection of our own per operation, removed when it ends.
// Queries made on it must end before it does.
class DctConnection
{
public:
    explicit DctConnection(const QString &path)
        : m_name(QStringLiteral("zuvo-dct-%1").arg(s_counter.fetch_add(1)))
    {
        registerSqlCipherDriver();
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLCIPHER"), m_name);
        // Read-only: a lookup never creates or changes a file in dct.
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.setDatabaseName(path);
    }
    ~DctConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    DctConnection(const DctConnection &) = delete;
    DctConnection &operator=(const DctConnection &) = delete;

    QSqlDatabase &db() { return m_db; }

private:
    static std::atomic<quint64> s_counter;
    QString m_name;
    QSqlDatabase m_db;
};
std::atomic<quint64> DctConnection::s_counter { 0 };

// Identity and version of a database file; invalid when it cannot be read.
struct FileStamp
{
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeNs = 0;

    bool operator==(const FileStamp &o) const
    {
        return valid && o.valid && device == o.device && inode == o.inode && size == o.size &&
            mtimeNs == o.mtimeNs;
    }
};

FileStamp stampOf(const QString &path)
{
    FileStamp stamp;
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.valid = true;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

// A few recent results per database file, valid while the file is unchanged.
template<typename T> class FileCache
{
public:
    std::shared_ptr<const T> find(const QString &path, const FileStamp &stamp)
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.constFind(path);
        if (it == m_entries.cend() || !(it->first == stamp))
            return nullptr;
        return it->second;
    }
    void insert(const QString &path, const FileStamp &stamp, std::shared_ptr<const T> value)
    {
        if (!stamp.valid)
            return;
        QMutexLocker lock(&m_mutex);
        if (m_entries.size() >= MaxFiles && !m_entries.contains(path))
            m_entries.clear();
        m_entries.insert(path, { stamp, std::move(value) });
    }

private:
    static constexpr qsizetype MaxFiles = 8;
    QMutex m_mutex;
    QHash<QString, std::pair<FileStamp, std::shared_ptr<const T>>> m_entries;
};

// The Dict headwords in table order (trimmed, repeats removed), where each
// stands, and the same words sorted by UTF-16 code units.
struct HeadwordIndex
{
    QStringList headwords;
    QHash<QString, qsizetype> position;
    QStringList sorted;

    // The position of the word in the headword list, or, when it is none of
    // them, its position in the sorted list once it is put in.
    qsizetype indexOf(const QString &word) const
    {
        const auto it = position.constFind(word);
        if (it != position.cend())
            return *it;
        return std::lower_bound(sorted.cbegin(), sorted.cend(), word) - sorted.cbegin();
    }
};

FileCache<HeadwordIndex> &headwordCache()
{
    static FileCache<HeadwordIndex> cache;
    return cache;
}

FileCache<QStringList> &wordListCache()
{
    static FileCache<QStringList> cache;
    return cache;
}

void showOpenFailure(const QString &text)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QMessageBox::information(nullptr, QCoreApplication::translate("Dictionary", "Dict"), text,
                                 QMessageBox::Ok);
    else
        qWarning().noquote() << "Dict:" << text;
}

} // namespace

Dictionary::Dictionary()
    : available(false)
{
}

Dictionary::~Dictionary()
{
    delete m_utils;
}

QString Dictionary::dictFolder()
{
    const QString &folder = dictFolderOverride();
    if (!folder.isEmpty())
        return folder;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/dct/");
}

void Dictionary::setDictFolder(const QString &folder)
{
    dictFolderOverride() = folder;
}

bool Dictionary::execQuery(QSqlQuery &query, const QString &statement, bool clear)
{
    if (statement.isEmpty()) {
        qDebug() << "Error : Query text is empty";
        return false;
    }
    const bool ok = query.exec(statement);
    if (!ok)
        qDebug().noquote() << statement << query.lastError().text();
    if (clear)
        query.clear();
    return ok;
}

bool Dictionary::isDictAvailable(int language)
{
    const QString name = Utils::languageName(language);
    available = false;
    const QFileInfoList files =
        QDir(dictFolder())
            .entryInfoList(QDir::Files, QDir::SortFlags(QDir::Name | QDir::IgnoreCase));
    if (files.isEmpty())
        return false;

    DctConnection connection { QString() };
    QSqlDatabase &db = connection.db();
    for (const QFileInfo &file : files) {
        const QString path = file.absoluteFilePath();
        db.setDatabaseName(path);
        if (!db.open()) {
            showOpenFailure(db.lastError().text());
            continue;
        }
        bool matches = false;
        {
            QSqlQuery query(db);
            if (execQuery(query, KeyStatement, true) &&
                execQuery(query, LanguageStatement, false) && query.next()) {
                matches =
                    QString::compare(query.value(0).toString(), name, Qt::CaseInsensitive) == 0;
            }
            query.finish();
            query.clear();
        }
        db.close();
        if (matches) {
            m_databasePath = path;
            m_languageName = name;
            available = true;
            break;
        }
    }
    return available;
}

void Dictionary::init()
{
    if (m_utils)
        return;
    m_utils = new Utils(nullptr);
    m_utils->loadUnicodeWords();
    m_utils->updateStringModel(allUnicodeWords());
}

bool Dictionary::findMeaningOf(const QString &word, QString &meaning)
{
    // Taken before reading, so that a file changed meanwhile is read again.
    const FileStamp stamp = stampOf(m_databasePath);
    DctConnection connection(m_databasePath);
    if (!connection.db().open())
        return false;
    QSqlQuery query(connection.db());
    execQuery(query, KeyStatement, true);

    std::shared_ptr<const HeadwordIndex> index = headwordCache().find(m_databasePath, stamp);
    if (!index) {
        auto fresh = std::make_shared<HeadwordIndex>();
        query.setForwardOnly(true);
        const bool read = execQuery(query, HeadwordsStatement, false);
        qint64 bytes = 0;
        while (read && query.next()) {
            const QString headword = blobText(query.value(0)).trimmed();
            bytes += headword.size() * qint64(sizeof(QChar)) + qint64(sizeof(QString));
            if (bytes > MaxHeadwordBytes) {
                qWarning() << "Dictionary: headword list too large in" << m_databasePath;
                break;
            }
            fresh->headwords.append(headword);
        }
        query.clear();
        fresh->headwords.removeDuplicates();
        fresh->position.reserve(fresh->headwords.size());
        for (qsizetype i = 0; i < fresh->headwords.size(); ++i)
            fresh->position.insert(fresh->headwords.at(i), i);
        fresh->sorted = fresh->headwords;
        std::sort(fresh->sorted.begin(), fresh->sorted.end());
        if (read && bytes <= MaxHeadwordBytes)
            headwordCache().insert(m_databasePath, stamp, fresh);
        index = fresh;
    }

    const qsizetype i = index->indexOf(word);
    if (i >= 1) {
        if (execQuery(query, BlockStatement.arg(i), false) && query.next())
            meaning = parseDictFor(word, blobText(query.value(0)));
        query.finish();
        query.clear();
    }
    return true;
}

QString Dictionary::parseDictFor(const QString &word, const QString &block)
{
    // Lines one at a time: a block of nothing but line feeds must not make a
    // list of millions of views.
    for (QStringView line : QStringView(block).tokenize(u'\n')) {
        const qsizetype lt = line.indexOf(u'<');
        const QStringView head = lt < 0 ? line : line.left(lt);
        if (head.compare(word, Qt::CaseInsensitive) == 0)
            return line.toString();
    }
    return QString();
}

QStringList Dictionary::dictInfo()
{
    DctConnection connection(m_databasePath);
    if (!connection.db().open())
        return QStringList();
    QSqlQuery query(connection.db());
    execQuery(query, KeyStatement, true);
    QStringList info;
    if (execQuery(query, InfoStatement, false) && query.next()) {
        for (int column = 0; column < 3; ++column)
            info.append(query.value(column).toString());
    }
    query.clear();
    query.finish();
    return info;
}

namespace {

// The AllUnicodeWords text split into lines (empty lines kept); null when
// the database does not open. Cached per file.
std::shared_ptr<const QStringList> readAllWords(Dictionary &dictionary, const QString &path)
{
    const FileStamp stamp = stampOf(path);
    DctConnection connection(path);
    if (!connection.db().open())
        return nullptr;
    if (auto cached = wordListCache().find(path, stamp))
        return cached;
    QSqlQuery query(connection.db());
    dictionary.execQuery(query, KeyStatement, true);
    auto words = std::make_shared<QStringList>();
    const bool read = dictionary.execQuery(query, AllWordsStatement, false);
    if (read && query.next()) {
        QString text = blobText(query.value(0));
        // Too many lines is read as an unreadable value: empty text.
        if (text.count(u'\n') >= MaxListWords) {
            qWarning() << "Dictionary: word list too long in" << path;
            text.clear();
        }
        // Empty parts are kept: empty text is one empty word.
        *words = text.split(QLatin1Char('\n'));
    }
    query.clear();
    query.finish();
    if (read)
        wordListCache().insert(path, stamp, words);
    return words;
}

} // namespace

QStringList Dictionary::allUnicodeWords()
{
    const auto words = readAllWords(*this, m_databasePath);
    return words ? *words : QStringList();
}

QStringList Dictionary::nearByWords(const QString &word)
{
    QStringList near = m_utils ? m_utils->suggestions(word) : QStringList();
    const auto headwords = readAllWords(*this, m_databasePath);
    if (!headwords)
        return QStringList();
    for (const QString &headword : *headwords) {
        if (near.size() >= MaxNearByWords)
            break;
        if (headword.contains(word))
            near.append(headword);
    }
    // Cut first, then drop repeats: fewer than ten may remain.
    near = near.mid(0, MaxNearByWords);
    near.removeDuplicates();
    return near;
}
