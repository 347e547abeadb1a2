// Reading ZIP archives with the most entries an end record can count (65,535):
// opening one and finding a member must stay well under two seconds, and
// reading every member must not cost a directory scan per member. Also the
// colour table that every OpenDocument import builds once, and the scan of
// the style names.
//
// Each figure has a floor measured in the same run, and a summary line per
// figure with the ratio is printed after the run:
//  - the archive figures against unzip doing the same on the same archive
//    written to a file, its start-up (the same commands on a one-entry
//    archive) measured in the same run and printed apart, the ratio printed
//    with and without it;
//  - the style-name scan against a plain QXmlStreamReader pass collecting the
//    same attribute values;
//  - the colour table against QColor::fromString over the same names.
// Ours and the plain Qt floors alternate within each iteration; medians.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "FoColorName.h"
#include "GZip.h"
#include "OOReader.h"
#include "benchfigures.h"

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

// ---------------------------------------------------------------- figures

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

double secondsSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// The medians of the run; Google Benchmark may run a function more than once
// to find its iteration count, and the last run stands.
double openSeconds = -1;
double readAllSeconds = -1;
double scanSeconds = -1;
double scanFloorSeconds = -1;
double colourSeconds = -1;
double colourFloorSeconds = -1;
double unzipFind = -1;
double unzipFindStart = -1;
double unzipReadAll = -1;
double unzipReadAllStart = -1;
QString unzipNote;
QString scanNote;

// ---------------------------------------------------------------- ours

// Open, list, and find the last member: what the import does before it reads.
void BM_ZipOpenManyEntries(benchmark::State &state)
{
    QByteArray data = manyEntries();
    QList<double> ours;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        CZIP::QZipReader reader(&buffer);
        benchmark::DoNotOptimize(reader.fileInfoList());
        benchmark::DoNotOptimize(reader.fileData(memberName(kEntries - 1)));
        ours.append(secondsSince(timer));
    }
    state.counters["entries"] = kEntries;
    openSeconds = median(ours);
}
BENCHMARK(BM_ZipOpenManyEntries)->Unit(benchmark::kMillisecond);

// Open and read every member by its name.
void BM_ZipReadEveryMember(benchmark::State &state)
{
    QByteArray data = manyEntries();
    QList<double> ours;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        CZIP::QZipReader reader(&buffer);
        qint64 total = 0;
        for (const CZIP::QZipReader::FileInfo &info : reader.fileInfoList())
            total += reader.fileData(info.filePath).size();
        benchmark::DoNotOptimize(total);
        ours.append(secondsSince(timer));
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    readAllSeconds = median(ours);
}
BENCHMARK(BM_ZipReadEveryMember)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- unzip

// unzip is the program a user has for the same work on an archive: "-Z1" lists
// the names, "-p" inflates members to standard output (thrown away here). It
// reads the archive from a file, which the page cache holds after the first
// run; ours reads it from memory. Its start-up is the same commands on an
// archive of one entry, in the same run.
struct UnzipFiles
{
    std::unique_ptr<QTemporaryDir> dir;
    QString unzip;
    QString many;
    QString one;
    QString error;
};

const UnzipFiles &unzipFiles()
{
    static const UnzipFiles files = [] {
        UnzipFiles f;
        f.unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        if (f.unzip.isEmpty()) {
            f.error = QStringLiteral("unzip is not installed: no floor for the archive figures");
            return f;
        }
        f.dir = std::make_unique<QTemporaryDir>();
        f.many = f.dir->filePath(QStringLiteral("many.zip"));
        f.one = f.dir->filePath(QStringLiteral("one.zip"));
        QFile many(f.many);
        QFile one(f.one);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            CZIP::QZipWriter writer(&buffer);
            writer.addFile(memberName(0), QByteArray("0"));
            writer.close();
        }
        if (!many.open(QIODevice::WriteOnly) || many.write(manyEntries()) < 0 || !many.flush() ||
            !one.open(QIODevice::WriteOnly) || one.write(buffer.data()) < 0 || !one.flush())
            f.error = QStringLiteral("cannot write the archives for unzip");
        return f;
    }();
    return files;
}

// Runs unzip with the arguments, its output thrown away; the seconds it took,
// or a negative number when it failed.
double runUnzip(const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(unzipFiles().unzip, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return secondsSince(timer);
}

// The list and the last member, as BM_ZipOpenManyEntries; arguments from the
// archive path and the member's name.
double unzipFindLast(const QString &archive, const QString &member)
{
    const double list = runUnzip({ QStringLiteral("-Z1"), archive });
    const double find = runUnzip({ QStringLiteral("-p"), archive, member });
    return list < 0 || find < 0 ? -1 : list + find;
}

void BM_UnzipOpenManyEntries(benchmark::State &state)
{
    const UnzipFiles &f = unzipFiles();
    if (!f.error.isEmpty()) {
        unzipNote = QStringLiteral("note: ") + f.error;
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    BenchFigures::timePeer(
        state, [&] { return unzipFindLast(f.many, memberName(kEntries - 1)); },
        [&] { return unzipFindLast(f.one, memberName(0)); }, "unzip failed", &unzipFind,
        &unzipFindStart);
}
BENCHMARK(BM_UnzipOpenManyEntries)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

void BM_UnzipReadEveryMember(benchmark::State &state)
{
    const UnzipFiles &f = unzipFiles();
    if (!f.error.isEmpty()) {
        unzipNote = QStringLiteral("note: ") + f.error;
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    BenchFigures::timePeer(
        state,
        [&] {
            return runUnzip({ QStringLiteral("-p"), f.many });
        },
        [&] {
            return runUnzip({ QStringLiteral("-p"), f.one });
        },
        "unzip failed", &unzipReadAll, &unzipReadAllStart);
}
BENCHMARK(BM_UnzipReadEveryMember)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

// ---------------------------------------------------------------- style names

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

const char *const kStyleAttributes[] = { "text:style-name", "table:style-name", "draw:style-name" };

// A plain QXmlStreamReader pass for each of the same six scans, collecting the
// values of the attribute into a set: the plain way Qt offers to find the
// names. Namespace processing is off, as the attributes are matched by their
// prefixed names; the stream is checked as XML, which our byte scan does not.
int plainStyleNames(const QByteArray &xml, QString *error)
{
    QSet<QString> names;
    for (int stream = 0; stream < 2; ++stream) {
        for (const char *attribute : kStyleAttributes) {
            const QLatin1String name(attribute);
            QXmlStreamReader reader(xml);
            reader.setNamespaceProcessing(false);
            while (!reader.atEnd()) {
                if (reader.readNext() != QXmlStreamReader::StartElement)
                    continue;
                for (const QXmlStreamAttribute &a : reader.attributes()) {
                    if (a.qualifiedName() == name)
                        names.insert(a.value().toString());
                }
            }
            if (reader.hasError() && error)
                *error = reader.errorString();
        }
    }
    return int(names.size());
}

void BM_StyleNameScan(benchmark::State &state)
{
    const QByteArray xml = contentStream();
    QList<double> ours;
    QList<double> floor;
    int ourCount = 0;
    int plainCount = 0;
    QString error;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        OOReader reader { QString() };
        for (int stream = 0; stream < 2; ++stream) {
            for (const char *attr : kStyleAttributes)
                reader.styleNameSetup(xml, QLatin1String(attr));
        }
        benchmark::DoNotOptimize(reader.styleNameCount);
        ours.append(secondsSince(timer));
        ourCount = reader.styleNameCount;

        state.PauseTiming();
        timer.start();
        plainCount = plainStyleNames(xml, &error);
        floor.append(secondsSince(timer));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * xml.size() * 6);
    scanSeconds = median(ours);
    scanFloorSeconds = median(floor);
    state.counters["floor_ms"] = scanFloorSeconds * 1e3;
    scanNote = ourCount == plainCount
        ? QStringLiteral("both find %1 names").arg(ourCount)
        : QStringLiteral("ours finds %1 names, the floor %2").arg(ourCount).arg(plainCount);
    if (!error.isEmpty())
        scanNote += QStringLiteral("; the floor's reader: ") + error;
}
BENCHMARK(BM_StyleNameScan)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- colours

// The colour table of one import.
// Its floor is QColor::fromString over the same names, the table's own list:
// what Qt does to turn each name into a colour, without a table kept for
// later lookups.
void BM_FopColorTable(benchmark::State &state)
{
    const QStringList names = FopColor().colorNameList();
    QList<double> ours;
    QList<double> floor;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        FopColor table;
        benchmark::DoNotOptimize(table.foColor(QStringLiteral("navy")));
        ours.append(secondsSince(timer));

        state.PauseTiming();
        timer.start();
        for (const QString &name : names) {
            const QColor colour = QColor::fromString(name);
            benchmark::DoNotOptimize(colour);
        }
        floor.append(secondsSince(timer));
        state.ResumeTiming();
    }
    state.counters["names"] = double(names.size());
    colourSeconds = median(ours);
    colourFloorSeconds = median(floor);
}
BENCHMARK(BM_FopColorTable)->Unit(benchmark::kMicrosecond);

// A figure against unzip, with and without its start-up.
void printAgainstUnzip(const QString &what, double ours, double peer, double start,
                       const QString &peerWhat, const QString &goal)
{
    if (ours < 0)
        return;
    if (peer < 0) {
        std::printf("%s: ours %s; %s\n", qPrintable(what), qPrintable(duration(ours)),
                    qPrintable(unzipNote.isEmpty() ? QStringLiteral("no unzip floor") : unzipNote));
        return;
    }
    const double work = peer - start;
    std::printf("%s: ours %s, floor %s (%s), ratio %s; without its start-up %s the floor is %s, "
                "ratio %s (goal: %s)\n",
                qPrintable(what), qPrintable(duration(ours)), qPrintable(duration(peer)),
                qPrintable(peerWhat), qPrintable(ratio(ours, peer)), qPrintable(duration(start)),
                qPrintable(work > 0 ? duration(work) : QStringLiteral("?")),
                qPrintable(work > 0 ? ratio(ours, work) : QStringLiteral("?")), qPrintable(goal));
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (unzipFindStart > 0)
        std::printf("unzip start-up (the same commands on a one-entry archive): %s to list and "
                    "find, %s to read all\n",
                    qPrintable(duration(unzipFindStart)), qPrintable(duration(unzipReadAllStart)));
    printAgainstUnzip(QStringLiteral("open, list and find the last of %1 entries").arg(kEntries),
                      openSeconds, unzipFind, unzipFindStart,
                      QStringLiteral("unzip -Z1, then unzip -p of the member"),
                      QStringLiteral("well under 2 s"));
    printAgainstUnzip(QStringLiteral("read every member of %1").arg(kEntries), readAllSeconds,
                      unzipReadAll, unzipReadAllStart, QStringLiteral("unzip -p of the archive"),
                      QStringLiteral("no directory scan per member"));
    if (scanSeconds > 0)
        std::printf("style-name scans, six over 1 MB: ours %s, floor %s (a QXmlStreamReader "
                    "pass for each, collecting the same attribute values), ratio %s (%s; no "
                    "goal set)\n",
                    qPrintable(duration(scanSeconds)), qPrintable(duration(scanFloorSeconds)),
                    qPrintable(ratio(scanSeconds, scanFloorSeconds)), qPrintable(scanNote));
    if (colourSeconds > 0)
        std::printf("colour table of an import: ours %s, floor %s (QColor::fromString over the "
                    "same names), ratio %s (no goal set)\n",
                    qPrintable(duration(colourSeconds)), qPrintable(duration(colourFloorSeconds)),
                    qPrintable(ratio(colourSeconds, colourFloorSeconds)));
    return 0;
}
