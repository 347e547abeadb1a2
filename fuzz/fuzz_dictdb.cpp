// Dictionary databases with hostile values: the input becomes the values of
// a database in the dictionary layout (headwords, blocks, the word list, the
// information row), which is then bound and read through every operation.
// Each value is also inflated on its own and, when the guard accepts it,
// compared with what qUncompress makes of it.
//
// Input: a mode byte, then fields separated by 0xFF bytes: the word to look
// up, the word-list value, the language name, then (headword, block) pairs.
// Mode bit 0 compresses the text fields properly; without it they are stored
// as they are (damaged or hostile compressed values).
#include "compression.h"
#include "dctwriter.h"
#include "dictionary.h"
#include "sqlcipherdriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <sanitizer/lsan_interface.h>

namespace {

QTemporaryDir *folder = nullptr;

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
    static QCoreApplication app(*argc, *argv);
    // Every failed statement writes a diagnostic line; thousands a second
    // only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // The driver registration lives as long as the process, as in the programs.
    __lsan_disable();
    registerSqlCipherDriver();
    __lsan_enable();
    folder = new QTemporaryDir;
    QDir(folder->path()).mkpath(QStringLiteral("dct"));
    Dictionary::setDictFolder(folder->filePath(QStringLiteral("dct")) + u'/');
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

    const QString word = QString::fromUtf8(fields.value(0));
    DctWriter::Content content;
    content.allWords = value(fields.value(1), compress);
    content.info = { QStringLiteral("1"), QStringLiteral("fuzz"),
                     fields.size() > 2 ? QString::fromUtf8(fields.at(2))
                                       : QStringLiteral("Kannada") };
    for (qsizetype i = 3; i + 1 < fields.size(); i += 2)
        content.rows.append({ value(fields.at(i), compress), value(fields.at(i + 1), compress) });

    const QString path = folder->filePath(QStringLiteral("dct/fuzz.dct"));
    if (!DctWriter::write(path, content, nullptr))
        return 0;

    Dictionary d;
    d.isDictAvailable(0);
    QString meaning;
    d.findMeaningOf(word, meaning);
    d.dictInfo();
    d.allUnicodeWords();
    d.nearByWords(word);
    d.parseDictFor(word, QString::fromUtf8(guardedUncompress(content.allWords)));
    return 0;
}
