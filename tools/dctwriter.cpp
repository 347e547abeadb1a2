#include "dctwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace DctWriter {

namespace {

std::atomic<int> connectionCounter { 0 };

bool run(QSqlQuery &query, const QString &statement, QString *error)
{
    if (query.exec(statement))
        return true;
    *error = statement + QStringLiteral(": ") + query.lastError().text();
    return false;
}

bool fill(QSqlDatabase &db, const Content &content, QString *error)
{
    QSqlQuery query(db);
    if (!run(query, QStringLiteral("BEGIN"), error))
        return false;
    if (content.hasDictTable) {
        if (!run(query, QStringLiteral("CREATE TABLE Dict (word BLOB, data BLOB)"), error))
            return false;
        if (!query.prepare(
                QStringLiteral("INSERT INTO Dict (rowid, word, data) VALUES (?, ?, ?)"))) {
            *error = query.lastError().text();
            return false;
        }
        for (qsizetype i = 0; i < content.rows.size(); ++i) {
            query.bindValue(0, qint64(i + 1));
            query.bindValue(1, content.rows.at(i).word);
            query.bindValue(2, content.rows.at(i).data);
            if (!query.exec()) {
                *error = query.lastError().text();
                return false;
            }
        }
    }
    if (content.hasInfoTable) {
        if (!run(query,
                 QStringLiteral("CREATE TABLE DictInfo (wordcount INTEGER, creationdate TEXT, "
                                "languageName TEXT)"),
                 error))
            return false;
        if (content.hasInfoRow) {
            query.prepare(QStringLiteral("INSERT INTO DictInfo VALUES (?, ?, ?)"));
            query.bindValue(0, content.info.wordcount);
            query.bindValue(1, content.info.creationdate);
            query.bindValue(2, content.info.languageName);
            if (!query.exec()) {
                *error = query.lastError().text();
                return false;
            }
        }
    }
    if (content.hasAllWordsTable) {
        if (!run(query, QStringLiteral("CREATE TABLE AllUnicodeWords (word BLOB)"), error))
            return false;
        if (content.hasAllWordsRow) {
            query.prepare(QStringLiteral("INSERT INTO AllUnicodeWords VALUES (?)"));
            query.bindValue(0, content.allWords);
            if (!query.exec()) {
                *error = query.lastError().text();
                return false;
            }
        }
    }
    return run(query, QStringLiteral("COMMIT"), error);
}

} // namespace

QByteArray compressText(const QString &text)
{
    return qCompress(text.toUtf8());
}

QString checkEntry(const Entry &entry)
{
    const QString &w = entry.headword;
    if (w.isEmpty())
        return QStringLiteral("empty headword");
    if (w != w.trimmed())
        return QStringLiteral("white space around the headword");
    for (QChar c : w) {
        if (c == u'<' || c == u'\n' || c == u'\r' || c == u'\t')
            return QStringLiteral("headword holds '<', a tab or a line break");
    }
    if (!entry.meaning.startsWith(u'<'))
        return QStringLiteral("meaning does not start with an HTML tag");
    if (entry.meaning.contains(u'\n') || entry.meaning.contains(u'\r'))
        return QStringLiteral("meaning holds a line break");
    return QString();
}

QList<Row> blockRows(QList<Entry> entries, int blockSize)
{
    blockSize = qMax(1, blockSize);
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.headword < b.headword; });
    QList<Row> rows;
    QString previousLast; // the empty string: sorts first, never found
    for (qsizetype start = 0; start < entries.size(); start += blockSize) {
        const qsizetype end = qMin<qsizetype>(start + blockSize, entries.size());
        QStringList lines;
        for (qsizetype i = start; i < end; ++i)
            lines.append(entries.at(i).headword + entries.at(i).meaning);
        rows.append({ compressText(previousLast), compressText(lines.join(u'\n')) });
        previousLast = entries.at(end - 1).headword;
    }
    return rows;
}

bool write(const QString &path, const Content &content, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    const QString name = QStringLiteral("dctwriter-%1").arg(connectionCounter.fetch_add(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temp);
        if (!db.open())
            *error = db.lastError().text();
        else
            ok = fill(db, content, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (ok &&
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) !=
            0) {
        *error = QStringLiteral("cannot replace ") + path;
        ok = false;
    }
    if (!ok)
        QFile::remove(temp);
    return ok;
}

bool writeDictionary(const QString &path, const QList<Entry> &entries, const QString &languageName,
                     const QString &creationDate, int blockSize, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    QStringList headwords;
    for (const Entry &e : entries) {
        const QString why = checkEntry(e);
        if (!why.isEmpty()) {
            *error = e.headword + QStringLiteral(": ") + why;
            return false;
        }
        headwords.append(e.headword);
    }
    std::sort(headwords.begin(), headwords.end());
    const auto repeated = std::adjacent_find(headwords.cbegin(), headwords.cend());
    if (repeated != headwords.cend()) {
        *error = QStringLiteral("repeated headword: ") + *repeated;
        return false;
    }
    Content content;
    content.rows = blockRows(entries, blockSize);
    content.info = { QString::number(entries.size()), creationDate, languageName };
    content.allWords = compressText(headwords.join(u'\n'));
    return write(path, content, error);
}

} // namespace DctWriter
