// Reading ZIP archives with the most entries an end record can count (65,535):
// opening one and finding a member must stay well under two seconds, and
// reading every member must not cost a directory scan per member. Also the
// colour table that every OpenDocument import builds once, and the scan of
// the style names.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>

#include "FoColorName.h"
#include "GZip.h"
#include "OOReader.h"

namespace {

constexpr int kEntries = 65535;

QString memberName(int i)
{
    return QStringLiteral("Pictures/%1.png").arg(i, 5, 10, QLatin1Char('0'));
}

// An archive in memory; every other member deflated.
const QByteArray &manyEntries()
{
    static const QByteArray archive = [] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CZIP::QZipWriter writer(&buffer);
        writer.setCompressionPolicy(CZIP::QZipWriter::AutoCompress);
        const QByteArray longer = QByteArray("member contents ").repeated(8);
        for (int i = 0; i < kEntries; ++i)
            writer.addFile(memberName(i), i % 2 ? longer : QByteArray::number(i));
        writer.close();
        return buffer.data();
    }();
    return archive;
}

// Open, list, and find the last member: what the import does before it reads.
void BM_ZipOpenManyEntries(benchmark::State &state)
{
    QByteArray data = manyEntries();
    for (auto _ : state) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        CZIP::QZipReader reader(&buffer);
        benchmark::DoNotOptimize(reader.fileInfoList());
        benchmark::DoNotOptimize(reader.fileData(memberName(kEntries - 1)));
    }
    state.counters["entries"] = kEntries;
}
BENCHMARK(BM_ZipOpenManyEntries)->Unit(benchmark::kMillisecond);

// Open and read every member by its name.
void BM_ZipReadEveryMember(benchmark::State &state)
{
    QByteArray data = manyEntries();
    for (auto _ : state) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        CZIP::QZipReader reader(&buffer);
        qint64 total = 0;
        for (const CZIP::QZipReader::FileInfo &info : reader.fileInfoList())
            total += reader.fileData(info.filePath).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ZipReadEveryMember)->Unit(benchmark::kMillisecond);

// The six style-name scans of an import (three over content.xml, three over
// styles.xml) over a content stream of 1 MB: paragraphs and spans naming a few
// hundred styles.
QByteArray contentStream()
{
    QByteArray xml("<office:document-content><office:body><office:text>");
    int i = 0;
    while (xml.size() < (1 << 20)) {
        xml += "<text:p text:style-name=\"P" + QByteArray::number(i % 300) +
            "\">words <text:span text:style-name=\"T" + QByteArray::number(i % 50) +
            "\">more</text:span></text:p>";
        ++i;
    }
    return xml + "</office:text></office:body></office:document-content>";
}

void BM_StyleNameScan(benchmark::State &state)
{
    const QByteArray xml = contentStream();
    for (auto _ : state) {
        OOReader reader { QString() };
        for (int stream = 0; stream < 2; ++stream) {
            for (const char *attr : { "text:style-name", "table:style-name", "draw:style-name" })
                reader.styleNameSetup(xml, QLatin1String(attr));
        }
        benchmark::DoNotOptimize(reader.styleNameCount);
    }
    state.SetBytesProcessed(state.iterations() * xml.size() * 6);
}
BENCHMARK(BM_StyleNameScan)->Unit(benchmark::kMillisecond);

// The colour table of one import.
void BM_FopColorTable(benchmark::State &state)
{
    for (auto _ : state) {
        FopColor table;
        benchmark::DoNotOptimize(table.foColor(QStringLiteral("navy")));
    }
}
BENCHMARK(BM_FopColorTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
