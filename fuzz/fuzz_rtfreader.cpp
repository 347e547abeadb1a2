// The RTF tokenizer and reader on arbitrary bytes: the input is the file. What
// was read is written back with the writer, which then sees documents no
// editor would make.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rtf/reader.h"
#include "rtf/writer.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);

    QTextDocument document;
    RTF::Reader reader;
    const bool ok = reader.read(&device, QTextCursor(&document));
    // The result and the error text say the same thing.
    if (ok == reader.hasError() || ok != reader.errorString().isEmpty())
        abort();

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    RTF::Writer writer(reader.codePage().isEmpty() ? QByteArray("UTF-8") : reader.codePage());
    if (!writer.write(&out, &document, true))
        abort();

    // What the writer makes is always well-formed RTF.
    QByteArray written = out.data();
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    QTextDocument copy;
    RTF::Reader second;
    if (!second.read(&again, QTextCursor(&copy)))
        abort();
    return 0;
}
