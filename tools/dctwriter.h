#ifndef ZUVO_TOOLS_DCTWRITER_H
#define ZUVO_TOOLS_DCTWRITER_H

#include <QByteArray>
#include <QList>
#include <QString>

// Writes dictionary databases in the layout the Dictionary class reads.
namespace DctWriter {

// One dictionary entry. The meaning is HTML that starts with a tag, so that
// the stored line "headword" + meaning has the headword before its first "<".
struct Entry
{
    QString headword;
    QString meaning;
};

// The DictInfo row, stored as given.
struct Info
{
    QString wordcount;
    QString creationdate;
    QString languageName;
};

// One Dict row, its values stored byte for byte (usually compressText()).
struct Row
{
    QByteArray word;
    QByteArray data;
};

// A whole database; tables or rows can be left out to build damaged files.
struct Content
{
    QList<Row> rows;
    bool hasDictTable = true;
    bool hasInfoTable = true;
    bool hasInfoRow = true;
    Info info;
    bool hasAllWordsTable = true;
    bool hasAllWordsRow = true;
    QByteArray allWords;
};

// Qt's compression format of the text's UTF-8 bytes.
QByteArray compressText(const QString &text);

// Why an entry cannot be stored, or an empty string.
QString checkEntry(const Entry &entry);

// Entries sorted by UTF-16 code units (as the reader sorts), blockSize per
// row. Row k holds the entries that sort after the headword of row k (the
// last entry of block k-1) up to the last entry of block k; row 1's headword
// is the empty string, which sorts before every word and is never found.
QList<Row> blockRows(QList<Entry> entries, int blockSize);

// Writes the content to path through a temporary file that replaces path only
// when complete. On failure returns false with the reason in *error.
bool write(const QString &path, const Content &content, QString *error);

// The usual database: checked, sorted, blocked entries, the DictInfo row
// (word count = number of entries), and every headword in AllUnicodeWords.
// Fails on an invalid or repeated headword.
bool writeDictionary(const QString &path, const QList<Entry> &entries, const QString &languageName,
                     const QString &creationDate, int blockSize, QString *error);

constexpr int DefaultBlockSize = 16;

} // namespace DctWriter

#endif
