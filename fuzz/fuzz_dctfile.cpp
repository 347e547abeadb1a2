// A dictionary database file as it lies in the dct folder: the input is the
// whole file (seeds are dictionaries the dictionary builder made, small ones
// and damaged ones), read through every Dictionary operation the programs use.
//
// The language is the first one whose name the file holds, so that a mutated
// language name still leads to the rest of the file. Each input is a file of
// a new name: the reader keeps what it read per file, keyed on the file's
// identity, size and time, and a file rewritten in place within the same
// clock tick could otherwise be served from what the previous input left.
#include "dictionary.h"
#include "fuzzdatabase.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Languages 0 to 8 have dictionaries of their own; 9 (English) has none.
constexpr int LanguageCount = 9;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzDatabase::start(argc, argv);
    FuzzDatabase::useDictFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static quint64 serial = 0;
    static QString previous;
    if (!previous.isEmpty())
        QFile::remove(previous);
    const QString path =
        FuzzDatabase::folder().filePath(QStringLiteral("dct/input-%1.dct").arg(serial++));
    previous = path;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    Dictionary d;
    for (int language = 0; language < LanguageCount && !d.available; ++language)
        d.isDictAvailable(language);
    if (!d.available)
        return 0;

    const QStringList info = d.dictInfo();
    if (!info.isEmpty() && info.size() != 3)
        std::abort();
    const QStringList words = d.allUnicodeWords();
    // Words of the file itself (so that lookups reach its rows), then a word
    // it does not hold.
    QStringList probes = words.mid(0, 3);
    if (!words.isEmpty())
        probes << words.last();
    probes << QStringLiteral("zzzz");
    for (const QString &word : std::as_const(probes)) {
        QString meaning;
        d.findMeaningOf(word, meaning);
        // What the look-up window offers for a word it did not find.
        if (meaning.isEmpty() && d.nearByWords(word).size() > 10)
            std::abort();
    }
    return 0;
}
