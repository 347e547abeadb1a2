// A list store file as the editor finds it in "dat": the input is the whole
// file, opened as the find and replace history ("./dat/history.dat") and as
// the user's word list ("./dat/usrdic.dat") through the classes the editor
// uses. Whatever the file holds:
// - a list reads as a null text (no store, no table, no row) or as a text
//   without a NUL;
// - a write that reports success is what the next read gives back, and a
//   write that fails leaves the previous text in place.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzzdatabase.h"
#include "history.h"
#include "userdict.h"

namespace {

bool writeInput(const QString &name, const uint8_t *data, size_t size)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

void checkText(const QString &text)
{
    if (!text.isNull() && text.contains(QChar(u'\0')))
        std::abort();
}

// Reads a list, writes it back with one more entry, and reads it again.
template<typename Read, typename Write> void roundTrip(Read read, Write write)
{
    const QString before = read();
    checkText(before);
    const QString changed = before + QStringLiteral("\nfuzz \u0C95");
    const bool written = write(changed);
    const QString after = read();
    checkText(after);
    if (written ? after != changed : after != before)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzDatabase::start(argc, argv);
    // The stores name their files relative to the current folder.
    QDir::setCurrent(FuzzDatabase::folder().path());
    QDir().mkpath(QStringLiteral("dat"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A journal a damaged file left behind would be played into the next one.
    for (const QString &name : QDir(QStringLiteral("dat")).entryList(QDir::Files))
        QFile::remove(QStringLiteral("dat/") + name);
    if (!writeInput(QStringLiteral("dat/history.dat"), data, size) ||
        !writeInput(QStringLiteral("dat/usrdic.dat"), data, size))
        return 0;
    for (const QString &table : { QStringLiteral("Find"), QStringLiteral("Replace") }) {
        History history;
        roundTrip([&] { return history.readHistory(table); },
                  [&](const QString &text) { return history.writeHistory(table, text); });
    }
    UserDict words;
    roundTrip(
        [&] { return words.read(QStringLiteral("UnicodeWords")); },
        [&](const QString &text) { return words.write(text, QStringLiteral("UnicodeWords")); });
    return 0;
}
