// What the user waits for in the tab controller, against a plain QTextEdit
// doing the same work in the same run (the floor), with the GUI-stall probe
// (a 1 ms heartbeat in the GUI thread):
// - opening 100,000 words of plain text through TabWidget::editFile into a
//   shown editor, until the text is shown and the GUI is idle; the floor is
//   QTextEdit::setPlainText of the same text. Goal: the longest stall and the
//   sum of the stalls over 50 ms at most 1.1 times the floor's.
// - exporting 50 pages to PDF through the PDF command, from the settings
//   dialog's OK to the dialog that offers the written file; the floor prints
//   the same document with the same settings. Goal: no stall over 100 ms, and
//   the same pages (pdfinfo) with the Latin words in the text layer
//   (pdftotext).
// Run it on xcb (scripts/with-xvfb).
#include <benchmark/benchmark.h>

#include "benchwords.h"
#include "findandreplacedialog.h"
#include "guistallprobe.h"
#include "guiwaits.h"
#include "mainwindow.h"
#include "openpdfdialog.h"
#include "printersettingsdialog.h"
#include "sqlcipherdriver.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QStringList latinWords =
    QStringLiteral("the quick brown fox jumps over lazy dog language writing letters script "
                   "reader kingdom poetry")
        .split(u' ');

struct Words
{
    QStringList kannada;
    QStringList known; // most of the Kannada words; no Latin word is known
};

const Words &words()
{
    static const Words w = [] {
        Words made;
        made.kannada = BenchWords::typedKannadaWords(3000, 29);
        QRandomGenerator rng(29);
        for (const QString &word : made.kannada) {
            if (rng.bounded(4) != 0)
                made.known << word;
        }
        return made;
    }();
    return w;
}

// `count` words, one Latin word in eight, in lines (paragraphs) of
// wordsPerLine words.
QString text(int count, int wordsPerLine)
{
    const Words &w = words();
    QRandomGenerator rng { quint32(count) };
    QString out;
    out.reserve(count * 8);
    for (int i = 0; i < count; ++i) {
        out += rng.bounded(8) == 0 ? latinWords.at(rng.bounded(int(latinWords.size())))
                                   : w.kannada.at(rng.bounded(int(w.kannada.size())));
        out += (i + 1) % wordsPerLine == 0 ? u'\n' : u' ';
    }
    return out;
}

QTemporaryDir &work()
{
    static QTemporaryDir dir;
    return dir;
}

using GuiWaits::median;
using GuiWaits::settle;

// --- opening plain text ------------------------------------------------------

void BM_OpenPlainText(benchmark::State &state)
{
    const QString path = work().filePath(QStringLiteral("long.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text(100000, 15).toUtf8()) < 0) {
            state.SkipWithError("cannot write the text file");
            return;
        }
    }
    const auto floor = [path](QTextEdit *edit) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return;
        QTextStream stream(&file);
        edit->setPlainText(stream.readAll());
    };
    GuiWaits::openSeries(state, path, 1000, words().known, floor)
        .report(state, QStringLiteral("opening 100,000 words of plain text in the editor"));
}

// --- PDF export ----------------------------------------------------------------

struct Export
{
    double longestMs = 0;
    double over100Ms = 0;
    double over50Ms = 0;
    double exportMs = -1; // from the settings' OK to the written file offered
    int pages = -1;
    bool latinText = false;
};

QList<Export> oursExports;
QList<Export> floorExports;

// The medians of the exports so far: [0] ours, [1] the floor's.
struct ExportMedians
{
    double longest[2];
    double over100[2];
    double took[2];
};

ExportMedians exportMedians()
{
    ExportMedians m {};
    for (int side = 0; side < 2; ++side) {
        QList<double> longest, over100, took;
        for (const Export &e : side == 0 ? oursExports : floorExports) {
            longest << e.longestMs;
            over100 << e.over100Ms;
            took << e.exportMs;
        }
        m.longest[side] = median(longest);
        m.over100[side] = median(over100);
        m.took[side] = median(took);
    }
    return m;
}

int pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), { pdf });
    if (!p.waitForFinished(60000))
        return -1;
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QString found = pages.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1);
    return found.isEmpty() ? -1 : found.toInt();
}

bool hasLatinText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    if (!p.waitForFinished(60000))
        return false;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    return out.contains(QStringLiteral("quick")) && out.contains(QStringLiteral("kingdom"));
}

void checkFile(Export &e, const QString &pdf)
{
    e.pages = pdfPages(pdf);
    e.latinText = hasLatinText(pdf);
}

// The export through the tab controller's PDF command: the settings dialog is
// given the file name and accepted, the dialog offering the file is closed.
Export exportInProgram(const QString &document, const QString &pdf)
{
    auto window = std::make_unique<MainWindow>();
    window->setWindowState(Qt::WindowNoState);
    window->resize(1200, 900);
    window->initLoad({ QString() });
    TabWidget *tabs = window->tabController();
    tabs->slotLoadCompleter();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return {};
    UnicodeKaEditor *editor = tabs->currentEditor();
    editor->setPlainText(document);
    settle(1500);

    GuiStallProbe probe;
    double accepted = -1;
    double offered = -1;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *settings = qobject_cast<PrinterSettingsDialog *>(modal)) {
            settings->setFilename(pdf);
            accepted = probe.nowMs();
            settings->accept();
        } else if (auto *open = qobject_cast<OpenPdfDialog *>(modal)) {
            if (offered < 0)
                offered = probe.nowMs();
            open->reject();
        }
    });
    answer.start();
    probe.start();
    QTimer::singleShot(0, tabs, &TabWidget::slotExportToPdf);
    probe.runUntilIdle();
    answer.stop();
    Export e;
    e.longestMs = probe.longestGapMs();
    e.over100Ms = probe.sumOfGapsOverMs(100);
    e.over50Ms = probe.sumOfGapsOverMs(50);
    e.exportMs = accepted >= 0 && offered >= 0 ? offered - accepted : -1;
    window.reset();
    settle(100);
    checkFile(e, pdf);
    return e;
}

// The floor: a plain QTextEdit's document printed to PDF with the settings
// the PDF command takes from its dialog's defaults.
Export exportInPlainEdit(const QString &document, const QString &pdf)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QTextEdit;
    edit->setFixedSize(GuiWaits::editorSize());
    GuiWaits::styleLikeEditor(edit);
    layout->addWidget(edit);
    edit->setPlainText(document);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    settle(1500);

    GuiStallProbe probe;
    const double took = probe.timeWork([&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        PrinterSettingsDialog settings(nullptr);
        printer.setOutputFileName(pdf);
        settings.applyPageLayout(printer);
        edit->document()->print(&printer);
    });
    Export e;
    e.longestMs = probe.longestGapMs();
    e.over100Ms = probe.sumOfGapsOverMs(100);
    e.over50Ms = probe.sumOfGapsOverMs(50);
    e.exportMs = took;
    checkFile(e, pdf);
    return e;
}

// The words that fill 50 pages with the PDF command's settings.
int wordsFor50Pages()
{
    static const int count = [] {
        int n = 20000;
        const QString pdf = work().filePath(QStringLiteral("calibrate.pdf"));
        for (int attempt = 0; attempt < 8; ++attempt) {
            const int pages = exportInPlainEdit(text(n, 60), pdf).pages;
            if (pages <= 0 || pages == 50)
                break;
            // A page holds some 400 words: step past the page boundary.
            n = int(qint64(n) * 50 / pages) + (pages > 50 ? -150 : 150);
        }
        return n;
    }();
    return count;
}

void BM_ExportPdf50Pages(benchmark::State &state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        state.SkipWithError("pdfinfo is not installed (poppler-utils)");
        return;
    }
    const QString document = text(wordsFor50Pages(), 60);
    int round = 0;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (round % 2 == 0))
                oursExports << exportInProgram(document,
                                               work().filePath(QStringLiteral("ours.pdf")));
            else
                floorExports << exportInPlainEdit(document,
                                                  work().filePath(QStringLiteral("floor.pdf")));
        }
        ++round;
    }
    const ExportMedians m = exportMedians();
    state.counters["ours_longest_stall_ms"] = m.longest[0];
    state.counters["ours_stalls_over_100ms_ms"] = m.over100[0];
    state.counters["ours_export_ms"] = m.took[0];
    state.counters["floor_longest_stall_ms"] = m.longest[1];
    state.counters["floor_export_ms"] = m.took[1];
    state.counters["ratio_longest_stall"] = m.longest[1] > 0 ? m.longest[0] / m.longest[1] : 0;
}

void printExportSummary()
{
    if (oursExports.isEmpty() || floorExports.isEmpty())
        return;
    const ExportMedians m = exportMedians();
    const Export &o = oursExports.constLast();
    const Export &f = floorExports.constLast();
    std::printf("exporting %d pages to PDF: longest stall %.0f ms (floor %.0f ms, ratio %.2f; "
                "goal: none over 100 ms); stalls over 100 ms %.0f ms in all (floor %.0f ms); "
                "export %.0f ms (floor %.0f ms); pages %d (floor %d); Latin words in the text "
                "layer: %s (floor %s)\n",
                f.pages, m.longest[0], m.longest[1],
                m.longest[1] > 0 ? m.longest[0] / m.longest[1] : 0.0, m.over100[0], m.over100[1],
                m.took[0], m.took[1], o.pages, f.pages, o.latinText ? "yes" : "no",
                f.latinText ? "yes" : "no");
}

} // namespace

BENCHMARK(BM_OpenPlainText)->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(BM_ExportPdf50Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "default.debug=false");
    GuiWaits::usePrivateFolders();
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        std::printf("note: platform %s; run under scripts/with-xvfb for X11 repaints\n",
                    qPrintable(QGuiApplication::platformName()));
    registerSqlCipherDriver();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    GuiWaits::printSummary();
    printExportSummary();
    return 0;
}
