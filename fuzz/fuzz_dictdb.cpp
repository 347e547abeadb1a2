// Dictionary databases with hostile values: the input becomes the values of
// a database in the dictionary layout (headwords, blocks, the word list, the
// information row), which is then bound and read through every operation.
// Each value is also inflated on its own and, when the guard accepts it,
// compared with what qUncompress makes of it.
//
// Input: a mode byte, then fields separated by 0xFF bytes: the word to look
// up, the word-list value, the language name, then (headword, block) pairs.
// Mode bits:
//   0  compress the text fields properly; without it they are stored as they
//      are (damaged or hostile compressed values)
//   1  leave out the Dict table      2  leave out the DictInfo table
//   3  leave out the DictInfo row    4  leave out the AllUnicodeWords table
//   5  leave out the AllUnicodeWords row
//   6  store the language name field; without it the database is a Kannada
//      one, so that every other input is bound and read through
//   7  look up the first headword instead of the word field
#include "compression.h"
#include "dctwriter.h"
#include "dictionary.h"
#include "fuzzdatabase.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray value(const QByteArray &field, bool compress)
{
    return compress ? qCompress(field) : field;
}

void checkAgainstQt(const QByteArray &v)
{
    const QByteArray guarded = guardedUncompress(v);
    if (guarded.isEmpty() || v.size() < 4)
        return;
    // Only values the guard accepted, with a modest prefix: qUncompress
    // allocates whatever the prefix claims.
    if (qFromBigEndian<quint32>(v.constData()) > (16u << 20))
        return;
    if (qUncompress(v) != guarded)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzDatabase::start(argc, argv);
    FuzzDatabase::useDictFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 64 * 1024)
        return 0;
    const bool compress = data[0] & 1;
    const QList<QByteArray> fields =
        QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)).split('\xFF');

    for (const QByteArray &f : fields)
        checkAgainstQt(f);

    const uint8_t mode = data[0];
    DctWriter::Content content;
    content.hasDictTable = !(mode & 0x02);
    content.hasInfoTable = !(mode & 0x04);
    content.hasInfoRow = !(mode & 0x08);
    content.hasAllWordsTable = !(mode & 0x10);
    content.hasAllWordsRow = !(mode & 0x20);
    content.allWords = value(fields.value(1), compress);
    content.info = { QStringLiteral("1"), QStringLiteral("fuzz"),
                     (mode & 0x40) ? QString::fromUtf8(fields.value(2))
                                   : QStringLiteral("Kannada") };
    for (qsizetype i = 3; i + 1 < fields.size(); i += 2)
        content.rows.append({ value(fields.at(i), compress), value(fields.at(i + 1), compress) });
    const QString word = QString::fromUtf8((mode & 0x80) ? fields.value(3) : fields.value(0));

    // A file of a new name each time: the reader keeps what it read per file,
    // keyed on the file's identity, size and time, and a file replaced within
    // the same clock tick (its inode reused) could be served from what the
    // previous input left.
    static quint64 serial = 0;
    static QString previous;
    if (!previous.isEmpty())
        QFile::remove(previous);
    const QString path =
        FuzzDatabase::folder().filePath(QStringLiteral("dct/input-%1.dct").arg(serial++));
    previous = path;
    if (!DctWriter::write(path, content, nullptr))
        return 0;

    Dictionary d;
    for (int language = 0; language < 9 && !d.available; ++language)
        d.isDictAvailable(language);
    QString meaning;
    d.findMeaningOf(word, meaning);
    d.dictInfo();
    d.allUnicodeWords();
    d.nearByWords(word);
    d.parseDictFor(word, QString::fromUtf8(guardedUncompress(content.allWords)));
    return 0;
}
