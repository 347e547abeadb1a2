// The whole "nudi" import: the input is the file's bytes. The text extraction reads a
// file, so each input is written to one file of this process first.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

#include "ansitounicode.h"
#include "nudiimport.h"
#include "nuditoansi.h"

namespace {

// The text extraction reports damaged files on the debug output; at fuzzing speed that is
// only noise.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = QDir::temp().filePath(
        QStringLiteral("fuzz_nudiimport_%1.nudi").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    const QString unicode = importNudiFile(path);

    // The two conversions also take text that no RTF file gives them: every character of
    // the input as one glyph byte, and the same bytes read as romanisation.
    const QString bytes =
        QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString roman = NudiToAnsi().processNudiText(bytes);
    const QString direct = AnsiToUnicode().processAnsiString(bytes);
    if (roman.isEmpty() || direct.isEmpty())
        __builtin_trap(); // every line of either result ends with "\n"
    (void)unicode;
    return 0;
}
