// Reading a 10 MB RTF file made by the office suite into a QTextDocument, and
// writing that document back as RTF; for comparison the suite's own
// conversion of the same file to text, with the ratio of the two reads.
//
// The file is the suite's RTF of a flat OpenDocument text made here:
// paragraphs of Kannada and English with bold, italic and underlined runs,
// some indented or centred. Goals on the reference machine: read at most
// 1.5 s, write at most 0.5 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include <cstdio>
#include <memory>

#include "benchmemory.h"
#include "guiwaits.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace {

constexpr qint64 kTargetSize = 10 * 1000 * 1000;

struct Fixture
{
    std::unique_ptr<QTemporaryDir> dir;
    QString soffice;
    QString rtfPath;
    QByteArray rtf;
    QString error;
};

QByteArray paragraph(int n)
{
    static const char *const kannada[] = {
        "ಕನ್ನಡ ನಾಡು ನುಡಿ ಸಂಸ್ಕೃತಿಯ ಬಗ್ಗೆ ಬರೆದ ಲೇಖನ",
        "ಶ್ರೀ ಕ್ಷೇತ್ರದ ಇತಿಹಾಸ ಮತ್ತು ಅಕ್ಷರಗಳ ಸೊಬಗು",
        "ಬೆಂಗಳೂರು ಮೈಸೂರು ಮಂಗಳೂರು ಹುಬ್ಬಳ್ಳಿ ಧಾರವಾಡ",
    };
    static const char *const english[] = {
        "The quick brown fox jumps over the lazy dog",
        "Rich text with several runs in one paragraph",
        "Numbers 1234567890 and punctuation, too.",
    };
    QByteArray style = "P0";
    if (n % 7 == 3)
        style = "P1";
    else if (n % 11 == 5)
        style = "P2";
    QByteArray p = "<text:p text:style-name=\"" + style + "\">";
    p += kannada[n % 3];
    p += " <text:span text:style-name=\"B\">";
    p += english[n % 3];
    p += "</text:span> ";
    p += kannada[(n + 1) % 3];
    p += " <text:span text:style-name=\"I\">";
    p += kannada[(n + 2) % 3];
    p += "</text:span> <text:span text:style-name=\"U\">";
    p += english[(n + 1) % 3];
    p += "</text:span> ";
    p += english[(n + 2) % 3];
    p += "</text:p>\n";
    return p;
}

QByteArray flatDocument(int paragraphs)
{
    QByteArray doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.text\">\n"
        "<office:automatic-styles>\n"
        "<style:style style:name=\"P0\" style:family=\"paragraph\"/>\n"
        "<style:style style:name=\"P1\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:margin-left=\"1.058cm\"/></style:style>\n"
        "<style:style style:name=\"P2\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"center\"/></style:style>\n"
        "<style:style style:name=\"B\" style:family=\"text\"><style:text-properties "
        "fo:font-weight=\"bold\"/></style:style>\n"
        "<style:style style:name=\"I\" style:family=\"text\"><style:text-properties "
        "fo:font-style=\"italic\"/></style:style>\n"
        "<style:style style:name=\"U\" style:family=\"text\"><style:text-properties "
        "style:text-underline-style=\"solid\" style:text-underline-width=\"auto\" "
        "style:text-underline-color=\"font-color\"/></style:style>\n"
        "</office:automatic-styles>\n<office:body><office:text>\n";
    for (int n = 0; n < paragraphs; ++n)
        doc += paragraph(n);
    doc += "</office:text></office:body></office:document>\n";
    return doc;
}

// Runs the suite's converter; the seconds it took, or a negative number.
double convert(const Fixture &f, const QString &input, const QString &filter, const QString &outDir)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(f.soffice,
                  { QStringLiteral("-env:UserInstallation=") +
                        QUrl::fromLocalFile(f.dir->filePath(QStringLiteral("profile"))).toString(),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                    QStringLiteral("--outdir"), outDir, input });
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

Fixture &fixture()
{
    static Fixture made = [] {
        Fixture f;
        f.dir = std::make_unique<QTemporaryDir>();
        f.soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (f.soffice.isEmpty()) {
            f.error = QStringLiteral("soffice is not installed: no office-made file to read");
            return f;
        }
        // One paragraph gives about 1.3 kB of the suite's RTF; the first
        // conversion calibrates the count.
        int paragraphs = 7500;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QString source = f.dir->filePath(QStringLiteral("big.fodt"));
            QFile out(source);
            if (!out.open(QIODevice::WriteOnly) || out.write(flatDocument(paragraphs)) < 0) {
                f.error = QStringLiteral("cannot write the source document");
                return f;
            }
            out.close();
            if (convert(f, source, QStringLiteral("rtf"), f.dir->path()) < 0) {
                f.error = QStringLiteral("the suite did not convert the source to RTF");
                return f;
            }
            f.rtfPath = f.dir->filePath(QStringLiteral("big.rtf"));
            const qint64 size = QFileInfo(f.rtfPath).size();
            if (size >= kTargetSize && size < kTargetSize * 11 / 10)
                break;
            paragraphs = int(qint64(paragraphs) * (kTargetSize * 21 / 20) / qMax<qint64>(size, 1));
        }
        QFile in(f.rtfPath);
        if (in.open(QIODevice::ReadOnly))
            f.rtf = in.readAll();
        std::printf("office-made RTF: %.2f MB\n", f.rtf.size() / 1e6);
        return f;
    }();
    return made;
}

double readSeconds = -1;
double writeSeconds = -1;
double suiteSeconds = -1;
double suiteStartSeconds = -1;

void read(QTextDocument &doc)
{
    QBuffer device(&fixture().rtf);
    device.open(QIODevice::ReadOnly);
    RTF::Reader reader;
    if (!reader.read(&device, QTextCursor(&doc)))
        std::fprintf(stderr, "read error: %s\n", qPrintable(reader.errorString()));
}

void BM_ReadOfficeRtf(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    double total = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<QTextDocument>();
        QElapsedTimer timer;
        timer.start();
        read(*doc);
        total += timer.nsecsElapsed() / 1e9;
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    readSeconds = total / double(state.iterations());
    state.SetBytesProcessed(qint64(state.iterations()) * f.rtf.size());
}

void BM_WriteRtf(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    QTextDocument doc;
    read(doc);
    RTF::Writer writer("UTF-8");
    qint64 bytes = 0;
    double total = 0;
    for (auto _ : state) {
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        QElapsedTimer timer;
        timer.start();
        writer.write(&device, &doc, true);
        total += timer.nsecsElapsed() / 1e9;
        bytes = device.size();
    }
    writeSeconds = total / double(state.iterations());
    state.counters["written_MB"] = bytes / 1e6;
}

void BM_OfficeToText(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const double seconds = convert(f, f.rtfPath, QStringLiteral("txt:Text (encoded):UTF8"),
                                       f.dir->filePath(QStringLiteral("text")));
        if (seconds < 0) {
            state.SkipWithError("the suite did not convert the file to text");
            return;
        }
        total += seconds;
        state.SetIterationTime(seconds);
    }
    suiteSeconds = total / double(state.iterations());
}

// The suite converting a one-line RTF file to text: its start-up, the part of
// its time that is no work on the document.
void BM_OfficeStartUp(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    const QString oneLine = f.dir->filePath(QStringLiteral("oneline.rtf"));
    QFile out(oneLine);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 One line of text.\\par}\n") < 0) {
        state.SkipWithError("cannot write the one-line file");
        return;
    }
    out.close();
    double total = 0;
    for (auto _ : state) {
        const double seconds = convert(f, oneLine, QStringLiteral("txt:Text (encoded):UTF8"),
                                       f.dir->filePath(QStringLiteral("oneline")));
        if (seconds < 0) {
            state.SkipWithError("the suite did not convert the one-line file");
            return;
        }
        total += seconds;
        state.SetIterationTime(seconds);
    }
    suiteStartSeconds = total / double(state.iterations());
}

// The source of the RTF to open: the paragraphs of the large file with five
// more English sentences each, which gives the suite's 300 pages in some
// 3.5 MB (its RTF spells each Kannada letter as an escape of many bytes).
QByteArray flatPagesDocument(int paragraphs)
{
    static const char *const english[] = {
        " The quick brown fox jumps over the lazy dog.",
        " Rich text with several runs in one paragraph.",
        " Numbers 1234567890 and punctuation, too.",
    };
    QByteArray body;
    for (int n = 0; n < paragraphs; ++n) {
        QByteArray p = paragraph(n);
        QByteArray more;
        for (int k = 0; k < 5; ++k)
            more += english[(n + k) % 3];
        p.insert(p.lastIndexOf("</text:p>"), more);
        body += p;
    }
    QByteArray doc = flatDocument(0);
    doc.insert(doc.lastIndexOf("</office:text>"), body);
    return doc;
}

// The pages of the suite's PDF of the file, or -1.
int suitePages(const Fixture &f, const QString &source)
{
    if (convert(f, source, QStringLiteral("pdf"), f.dir->path()) < 0)
        return -1;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"),
               { f.dir->filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".pdf")) });
    if (!info.waitForFinished(60000))
        return -1;
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QString found = pages.match(QString::fromUtf8(info.readAllStandardOutput())).captured(1);
    return found.isEmpty() ? -1 : found.toInt();
}

// A 300-page office-made RTF (3.4 to 3.9 MB), for opening in the editor.
Fixture &pagesFixture()
{
    static Fixture made = [] {
        Fixture f;
        f.dir = std::make_unique<QTemporaryDir>();
        f.soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (f.soffice.isEmpty()) {
            f.error = QStringLiteral("soffice is not installed: no office-made file to open");
            return f;
        }
        // About 6.8 paragraphs make a page; the first count is checked
        // against the suite's own pages once.
        int paragraphs = 2060;
        int pages = -1;
        const QString source = f.dir->filePath(QStringLiteral("pages.fodt"));
        for (int attempt = 0; attempt < 2; ++attempt) {
            QFile out(source);
            if (!out.open(QIODevice::WriteOnly) || out.write(flatPagesDocument(paragraphs)) < 0) {
                f.error = QStringLiteral("cannot write the source document");
                return f;
            }
            out.close();
            pages = suitePages(f, source);
            if (pages <= 0 || (pages >= 290 && pages <= 310))
                break;
            paragraphs = paragraphs * 300 / pages;
        }
        if (convert(f, source, QStringLiteral("rtf"), f.dir->path()) < 0) {
            f.error = QStringLiteral("the suite did not convert the source to RTF");
            return f;
        }
        f.rtfPath = f.dir->filePath(QStringLiteral("pages.rtf"));
        std::printf("office-made RTF to open: %d pages (the suite's PDF), %.2f MB\n", pages,
                    QFileInfo(f.rtfPath).size() / 1e6);
        return f;
    }();
    return made;
}

// The words of the RTF that the word model knows: all but two Kannada and
// two English ones.
QStringList knownRtfWords()
{
    return QStringLiteral("ಕನ್ನಡ ನಾಡು ನುಡಿ ಸಂಸ್ಕೃತಿಯ ಬಗ್ಗೆ ಬರೆದ ಶ್ರೀ ಕ್ಷೇತ್ರದ ಇತಿಹಾಸ ಮತ್ತು "
                          "ಅಕ್ಷರಗಳ ಬೆಂಗಳೂರು ಮೈಸೂರು ಮಂಗಳೂರು ಹುಬ್ಬಳ್ಳಿ The brown fox jumps over "
                          "the lazy dog Rich text with several runs in one paragraph Numbers "
                          "and too")
        .split(u' ');
}

// Opening the 300-page RTF through the program's own open path into a shown
// editor, until it is shown and the GUI is idle, against the floor: the same
// file parsed into a detached document and given to a plain QTextEdit. The
// library call alone (the reader into a detached document) is timed too.
void BM_OpenRtfInEditor(benchmark::State &state)
{
    Fixture &f = pagesFixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    const QString path = f.rtfPath;
    const auto floor = [path](QTextEdit *edit) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        auto *doc = new QTextDocument(edit);
        doc->setDefaultFont(edit->document()->defaultFont());
        doc->setDocumentMargin(edit->document()->documentMargin());
        RTF::Reader reader;
        reader.read(&file, QTextCursor(doc));
        edit->setDocument(doc);
    };
    const auto library = [path] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QTextDocument doc;
        RTF::Reader reader;
        reader.read(&file, QTextCursor(&doc));
    };
    GuiWaits::openSeries(state, path, 1000, knownRtfWords(), floor, library)
        .report(state, QStringLiteral("opening a 300-page RTF in the editor"));
}

} // namespace

// ---------------------------------------------------------------- memory
//
// What reading the office-made file takes of the machine's memory, against
// its size: the high-water mark of resident memory (reset before the read)
// above what the process held before it, per MB of RTF.
namespace {

void BM_ReadOfficeRtfMemory(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(qPrintable(f.error));
        return;
    }
    for (auto _ : state) {
        const qint64 before = BenchMemory::resident("VmRSS");
        BenchMemory::resetPeak();
        {
            QTextDocument doc;
            read(doc);
            benchmark::DoNotOptimize(doc.blockCount());
        }
        const double rise = (BenchMemory::resident("VmHWM") - before) / 1048576.0;
        const double mb = f.rtf.size() / 1048576.0;
        state.counters["peak_rise_MB"] = rise;
        state.counters["peak_MB_per_MB"] = rise / mb;
        std::printf("read of %.1f MiB of RTF: peak memory %.0f MB above the %.0f MB before, %.1f "
                    "MB per MB of RTF\n",
                    mb, rise, before / 1048576.0, rise / mb);
    }
}

} // namespace

BENCHMARK(BM_ReadOfficeRtfMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadOfficeRtf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OfficeToText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_OfficeStartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_OpenRtfInEditor)->Unit(benchmark::kMillisecond)->Iterations(9);

int main(int argc, char **argv)
{
    // The editor is opened on the platform given (xcb under scripts/with-xvfb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "default.debug=false");
    GuiWaits::usePrivateFolders();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (readSeconds > 0)
        std::printf("read: %.3f s (goal 1.5 s)\n", readSeconds);
    if (writeSeconds > 0)
        std::printf("write: %.3f s (goal 0.5 s)\n", writeSeconds);
    if (readSeconds > 0 && suiteSeconds > 0)
        std::printf("office suite to text: %.3f s; our read takes %.2f times its time\n",
                    suiteSeconds, readSeconds / suiteSeconds);
    if (readSeconds > 0 && suiteSeconds > suiteStartSeconds && suiteStartSeconds > 0)
        std::printf("office suite start-up (a one-line file to text): %.3f s; without it the "
                    "suite's work takes %.3f s and our read %.2f times that\n",
                    suiteStartSeconds, suiteSeconds - suiteStartSeconds,
                    readSeconds / (suiteSeconds - suiteStartSeconds));
    GuiWaits::printSummary();
    return 0;
}
