// The import of a "nudi" file as the editor runs it: RTF text extraction, Nudi glyph bytes
// to romanisation, romanisation to Unicode Kannada, over a file of 1 MB. Also each step
// alone, so that a slow step shows.
//
// The file is made of words of glyph runs drawn from the font's own table, with subjoined
// forms and rephs, written half as hex escapes and half as raw bytes, in paragraphs.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "ansitounicode.h"
#include "nudiimport.h"
#include "nuditable.h"
#include "nuditoansi.h"
#include "rtfimporter.h"

namespace {

constexpr qsizetype kFileSize = 1 << 20;

QByteArray nudiWord(QRandomGenerator &rng)
{
    QByteArray word;
    const int syllables = rng.bounded(1, 5);
    for (int s = 0; s < syllables; ++s) {
        const NudiKey &key = kNudiKeys[rng.bounded(15, kNudiKeyCount)];
        word.append(reinterpret_cast<const char *>(key.bytes), key.length);
        const int extra = rng.bounded(10);
        if (extra == 0)
            word.append(char(kNudiReorder[rng.bounded(35)].byte)); // a subjoined consonant
        else if (extra == 1)
            word.append('\xF0'); // the reph
    }
    return word;
}

QByteArray nudiFile()
{
    QRandomGenerator rng(5);
    QByteArray rtf("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Nudi Akshara;}}"
                   "{\\colortbl ;\\red0\\green0\\blue0;}{\\info{\\title bench}}\r\n"
                   "\\viewkind4\\uc1\\pard\\f0\\fs28 ");
    bool escaped = true;
    int words = 0;
    while (rtf.size() < kFileSize - 16) {
        const QByteArray word = nudiWord(rng);
        for (char b : word) {
            const unsigned char u = static_cast<unsigned char>(b);
            // Braces and backslashes are structure; they are always escaped.
            if (escaped || u == '{' || u == '}' || u == '\\')
                rtf.append("\\'").append(QByteArray::number(u, 16).rightJustified(2, '0'));
            else
                rtf.append(b);
        }
        if (++words % 12 == 0) {
            rtf.append("\\par\r\n");
            escaped = !escaped;
        } else {
            rtf.append(' ');
        }
    }
    rtf.append("\\par\r\n}");
    return rtf;
}

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    QString text; // extracted
    QString roman; // romanised
    Fixture()
    {
        path = dir.filePath(QStringLiteral("bench.nudi"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(nudiFile());
        file.close();
        RtfImporter importer(path, nullptr);
        importer.parseRtf();
        text = importer.plainText();
        roman = NudiToAnsi().processNudiText(text);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void setBytes(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(fixture().path).size());
}

void BM_NudiImportChain(benchmark::State &state)
{
    const QString path = fixture().path;
    for (auto _ : state) {
        const QString unicode = importNudiFile(path);
        benchmark::DoNotOptimize(unicode.constData());
        if (unicode.isEmpty())
            state.SkipWithError("empty result");
    }
    setBytes(state);
}

void BM_RtfExtraction(benchmark::State &state)
{
    const QString path = fixture().path;
    for (auto _ : state) {
        RtfImporter importer(path, nullptr);
        importer.parseRtf();
        benchmark::DoNotOptimize(importer.plainText().constData());
    }
    setBytes(state);
}

void BM_NudiToAnsi(benchmark::State &state)
{
    const QString text = fixture().text;
    for (auto _ : state) {
        const QString roman = NudiToAnsi().processNudiText(text);
        benchmark::DoNotOptimize(roman.constData());
    }
    setBytes(state);
}

void BM_AnsiToUnicode(benchmark::State &state)
{
    const QString roman = fixture().roman;
    for (auto _ : state) {
        const QString unicode = AnsiToUnicode().processAnsiString(roman);
        benchmark::DoNotOptimize(unicode.constData());
    }
    setBytes(state);
}

} // namespace

BENCHMARK(BM_NudiImportChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfExtraction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NudiToAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnsiToUnicode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
