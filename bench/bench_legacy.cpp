// The import of a "nudi" file as the editor runs it: RTF text extraction, Nudi glyph bytes
// to romanisation, romanisation to Unicode Kannada, over a file of 1 MB. Also each step
// alone, so that a slow step shows. Each figure has a floor measured in the same run, and a
// summary line per figure with the ratio is printed after the run:
//  - the chain and the RTF extraction against the office suite converting the same file to
//    text, its start-up (a one-line file to text) measured apart and the ratio printed with
//    and without it;
//  - the two conversions against plain QHash lookups of the same table over the same input.
// Ours and the plain lookups alternate within each iteration; the figures are medians.
//
// The file is made of words of glyph runs drawn from the font's own table, with subjoined
// forms and rephs, written half as hex escapes and half as raw bytes, in paragraphs.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>

#include "ansitounicode.h"
#include "benchfigures.h"
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

// ---------------------------------------------------------------- figures

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

// The medians of the run; Google Benchmark may run a function more than once to find its
// iteration count, and the last run stands.
double chainSeconds = -1;
double extractionSeconds = -1;
double nudiSeconds = -1;
double nudiFloorSeconds = -1;
double ansiSeconds = -1;
double ansiFloorSeconds = -1;
double suiteSeconds = -1;
double suiteStartSeconds = -1;
QString suiteNote;

// ---------------------------------------------------------------- plain lookups

// The font's table in a QHash (the glyph bytes of a key packed into one number), matched
// greedily, longest key first, byte by byte over the same extracted text: the plain way Qt
// offers to do the table part of the step. It leaves out what the step adds: moving the
// romanisation of subjoined consonants and the reph back into their syllable, and the
// line and word split.
class PlainGlyphLookup
{
public:
    PlainGlyphLookup()
    {
        for (const NudiKey &key : kNudiKeys) {
            m_table.insert(pack(key.bytes, key.length), QString::fromLatin1(key.value));
            m_longest = std::max(m_longest, int(key.length));
        }
        for (const NudiReorder &r : kNudiReorder)
            m_table.insert(pack(&r.byte, 1), QString::fromLatin1(r.value));
    }

    QString convert(const QString &text) const
    {
        QString out;
        out.reserve(text.size() * 2);
        const qsizetype n = text.size();
        unsigned char bytes[8];
        for (qsizetype i = 0; i < n;) {
            const int avail = int(std::min<qsizetype>(m_longest, n - i));
            int have = 0;
            while (have < avail && text.at(i + have).unicode() < 0x100) {
                bytes[have] = static_cast<unsigned char>(text.at(i + have).unicode());
                ++have;
            }
            int length = have;
            for (; length > 0; --length) {
                const auto hit = m_table.constFind(pack(bytes, length));
                if (hit != m_table.cend()) {
                    out += *hit;
                    break;
                }
            }
            if (length == 0) {
                out += text.at(i);
                length = 1;
            }
            i += length;
        }
        return out;
    }

private:
    static quint64 pack(const unsigned char *bytes, int length)
    {
        quint64 key = quint64(length);
        for (int k = 0; k < length; ++k)
            key = key << 8 | bytes[k];
        return key;
    }

    QHash<quint64, QString> m_table;
    int m_longest = 1;
};

// Every syllable the glyph table writes, with what the converter makes of it alone, in a
// QHash, matched greedily, longest first, over the same romanised text: the closest plain
// Qt doing the mapping per syllable. A cluster the table does not hold falls apart into
// its consonants (each with its virama) and the syllable after them, which is what the
// converter writes for it too. It leaves out the converter's parse of vowels and clusters
// and its line and word split.
class PlainSyllableLookup
{
public:
    PlainSyllableLookup()
    {
        AnsiToUnicode converter;
        const auto add = [&](const char *value) {
            const QString syllable = QString::fromLatin1(value);
            if (syllable.size() > 4)
                return;
            m_table.insert(pack(syllable, 0, syllable.size()), converter.unicodeForAnsi(syllable));
            m_longest = std::max(m_longest, int(syllable.size()));
        };
        for (const NudiKey &key : kNudiKeys)
            add(key.value);
        for (const NudiReorder &r : kNudiReorder)
            add(r.value);
    }

    QString convert(const QString &text) const
    {
        QString out;
        out.reserve(text.size());
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n;) {
            qsizetype length = std::min<qsizetype>(m_longest, n - i);
            for (; length > 0; --length) {
                const auto hit = m_table.constFind(pack(text, i, length));
                if (hit != m_table.cend()) {
                    out += *hit;
                    break;
                }
            }
            if (length == 0) {
                out += text.at(i);
                length = 1;
            }
            i += length;
        }
        return out;
    }

private:
    // Up to four letters, sixteen bits each: no syllable of the table is longer.
    static quint64 pack(const QString &text, qsizetype at, qsizetype length)
    {
        quint64 key = 0;
        for (qsizetype k = 0; k < length; ++k)
            key = key << 16 | text.at(at + k).unicode();
        return key;
    }

    QHash<quint64, QString> m_table;
    int m_longest = 1;
};

// ---------------------------------------------------------------- ours

void BM_NudiImportChain(benchmark::State &state)
{
    const QString path = fixture().path;
    QList<double> ours;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QString unicode = importNudiFile(path);
        benchmark::DoNotOptimize(unicode.constData());
        ours.append(timer.nsecsElapsed() / 1e9);
        if (unicode.isEmpty())
            state.SkipWithError("empty result");
    }
    setBytes(state);
    chainSeconds = median(ours);
}

void BM_RtfExtraction(benchmark::State &state)
{
    const QString path = fixture().path;
    QList<double> ours;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        RtfImporter importer(path, nullptr);
        importer.parseRtf();
        benchmark::DoNotOptimize(importer.plainText().constData());
        ours.append(timer.nsecsElapsed() / 1e9);
    }
    setBytes(state);
    extractionSeconds = median(ours);
}

void BM_NudiToAnsi(benchmark::State &state)
{
    const QString text = fixture().text;
    const PlainGlyphLookup plain;
    QList<double> ours;
    QList<double> floor;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QString roman = NudiToAnsi().processNudiText(text);
        benchmark::DoNotOptimize(roman.constData());
        ours.append(timer.nsecsElapsed() / 1e9);

        state.PauseTiming();
        timer.start();
        const QString plainRoman = plain.convert(text);
        benchmark::DoNotOptimize(plainRoman.constData());
        floor.append(timer.nsecsElapsed() / 1e9);
        state.ResumeTiming();
    }
    setBytes(state);
    nudiSeconds = median(ours);
    nudiFloorSeconds = median(floor);
    state.counters["floor_ms"] = nudiFloorSeconds * 1e3;
}

void BM_AnsiToUnicode(benchmark::State &state)
{
    const QString roman = fixture().roman;
    const PlainSyllableLookup plain;
    QList<double> ours;
    QList<double> floor;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QString unicode = AnsiToUnicode().processAnsiString(roman);
        benchmark::DoNotOptimize(unicode.constData());
        ours.append(timer.nsecsElapsed() / 1e9);

        state.PauseTiming();
        timer.start();
        const QString plainUnicode = plain.convert(roman);
        benchmark::DoNotOptimize(plainUnicode.constData());
        floor.append(timer.nsecsElapsed() / 1e9);
        state.ResumeTiming();
    }
    setBytes(state);
    ansiSeconds = median(ours);
    ansiFloorSeconds = median(floor);
    state.counters["floor_ms"] = ansiFloorSeconds * 1e3;
}

// ---------------------------------------------------------------- the office suite

// The office suite converting an RTF file to text, with a private profile; the seconds it
// took, or a negative number.
double officeToText(const QString &soffice, const QString &input, const QString &outDir)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(
        soffice,
        { QStringLiteral("-env:UserInstallation=") +
              QUrl::fromLocalFile(fixture().dir.filePath(QStringLiteral("profile"))).toString(),
          QStringLiteral("--headless"), QStringLiteral("--convert-to"),
          QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), outDir, input });
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

// The office suite is the peer program a user has for such a file: it reads the same RTF
// into its text, the work of our extraction step; it knows nothing of the font, so the
// text it writes is still glyph bytes, and the two conversions of the chain have no part
// in it. Its start-up is measured on a one-line RTF in the same run.
void BM_OfficeToText(benchmark::State &state)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        suiteNote = QStringLiteral("note: soffice is not installed: no office suite floor");
        state.SkipWithError("soffice is not installed");
        return;
    }
    Fixture &f = fixture();
    // The suite chooses its filter by the name; the same bytes under ".rtf".
    const QString rtf = f.dir.filePath(QStringLiteral("bench.rtf"));
    const QString oneLine = f.dir.filePath(QStringLiteral("oneline.rtf"));
    QFile::remove(rtf);
    QFile one(oneLine);
    if (!QFile::copy(f.path, rtf) || !one.open(QIODevice::WriteOnly) ||
        one.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 One line of text.\\par}\n") < 0) {
        state.SkipWithError("cannot write the files for the office suite");
        return;
    }
    one.close();
    // A first run makes the profile, which no later run pays for.
    officeToText(soffice, oneLine, f.dir.filePath(QStringLiteral("warm")));
    BenchFigures::timePeer(
        state, [&] { return officeToText(soffice, rtf, f.dir.filePath(QStringLiteral("text"))); },
        [&] { return officeToText(soffice, oneLine, f.dir.filePath(QStringLiteral("oneline"))); },
        "the office suite did not convert the file to text", &suiteSeconds, &suiteStartSeconds);
}

} // namespace

BENCHMARK(BM_NudiImportChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfExtraction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NudiToAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnsiToUnicode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfficeToText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

namespace {

// A figure against the office suite, with and without its start-up.
void printAgainstSuite(const char *what, double ours)
{
    if (ours < 0)
        return;
    if (suiteSeconds < 0) {
        std::printf(
            "%s: ours %s; %s\n", what, qPrintable(duration(ours)),
            qPrintable(suiteNote.isEmpty() ? QStringLiteral("no office suite floor") : suiteNote));
        return;
    }
    const double suiteWork = suiteSeconds - suiteStartSeconds;
    std::printf("%s: ours %s, floor %s (the office suite, RTF to text), ratio %s; "
                "without its start-up %s the floor is %s, ratio %s (no goal set)\n",
                what, qPrintable(duration(ours)), qPrintable(duration(suiteSeconds)),
                qPrintable(ratio(ours, suiteSeconds)), qPrintable(duration(suiteStartSeconds)),
                qPrintable(suiteWork > 0 ? duration(suiteWork) : QStringLiteral("?")),
                qPrintable(suiteWork > 0 ? ratio(ours, suiteWork) : QStringLiteral("?")));
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double mb = QFileInfo(fixture().path).size() / 1048576.0;
    if (suiteStartSeconds > 0)
        std::printf("office suite start-up (a one-line RTF to text): %s\n",
                    qPrintable(duration(suiteStartSeconds)));
    printAgainstSuite(qPrintable(QStringLiteral("\"nudi\" import chain, %1 MB (RTF, "
                                                "romanisation, Unicode)")
                                     .arg(mb, 0, 'f', 2)),
                      chainSeconds);
    printAgainstSuite(qPrintable(QStringLiteral("RTF text extraction, %1 MB").arg(mb, 0, 'f', 2)),
                      extractionSeconds);
    if (nudiSeconds > 0)
        std::printf("glyph bytes to romanisation: ours %s, floor %s (greedy QHash lookups of "
                    "the glyph table over the same text), ratio %s (no goal set)\n",
                    qPrintable(duration(nudiSeconds)), qPrintable(duration(nudiFloorSeconds)),
                    qPrintable(ratio(nudiSeconds, nudiFloorSeconds)));
    if (ansiSeconds > 0)
        std::printf("romanisation to Unicode: ours %s, floor %s (greedy QHash lookups per "
                    "syllable over the same text), ratio %s (no goal set)\n",
                    qPrintable(duration(ansiSeconds)), qPrintable(duration(ansiFloorSeconds)),
                    qPrintable(ratio(ansiSeconds, ansiFloorSeconds)));
    return 0;
}
