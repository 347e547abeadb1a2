// Spelling highlighter over a large Kannada document in a shown editor, and a
// keystroke in the transliterating box with a large completer.
//
// Words come from the Kannada word list of aspell when it is installed
// (`aspell -d kn dump master`), topped up with made-up words to 60,000.

#include <benchmark/benchmark.h>

#include "benchwords.h"
#include "guistallprobe.h"
#include "highlighter.h"
#include "unicodelineedit.h"
#include "utils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int ModelWords = 60000;
constexpr int DocumentWords = 200000;

QStringList makeModelWords()
{
    QStringList words = BenchWords::aspellKannadaWords();
    std::printf("model words: %s\n", words.isEmpty() ? "made up" : "aspell kn list, topped up");
    if (words.size() > ModelWords)
        words.resize(ModelWords);
    words += BenchWords::madeUpKannadaWords(ModelWords - words.size(), words);
    return words;
}

const QStringList &modelWords()
{
    static const QStringList words = makeModelWords();
    return words;
}

// Lines of about a dozen words with punctuation; one word in ten misspelt.
QString document(const QStringList &words)
{
    QRandomGenerator rng(11);
    QString doc;
    doc.reserve(DocumentWords * 10);
    for (int i = 0; i < DocumentWords; ++i) {
        QString w = words.at(int(rng.bounded(qsizetype(words.size()))));
        if (rng.bounded(10) == 0)
            w.insert(w.size() / 2, QChar(0x0CCD));
        doc += w;
        if (i % 12 == 11)
            doc += QStringLiteral(".\n");
        else if (i % 5 == 4)
            doc += QStringLiteral(", ");
        else
            doc += u' ';
    }
    return doc;
}

// One Utils with the model, as the editor's highlighters share it.
Utils &spellChecker()
{
    static Utils *utils = [] {
        auto *u = new Utils;
        QTemporaryDir dir;
        const QString old = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile f(QStringLiteral("usr.dct"));
        if (f.open(QIODevice::WriteOnly))
            f.write(modelWords().join(u'\n').toUtf8());
        f.close();
        u->loadUnicodeWords();
        QDir::setCurrent(old);
        return u;
    }();
    return *utils;
}

// Re-highlighting the whole document, as switching spell checking on does,
// in a shown editor scrolled to the middle: the time until the whole
// document is checked, and the longest time the window waits meanwhile.
void BM_Rehighlight(benchmark::State &state)
{
    Utils &utils = spellChecker();
    if (!utils.wordModel() || utils.wordModel()->rowCount() != ModelWords) {
        state.SkipWithError("word model not made");
        return;
    }
    QTextEdit edit;
    edit.resize(900, 700);
    edit.setPlainText(document(modelWords()));
    edit.show();
    auto *highlighter = new Highlighter(&utils, &edit);
    // The document is laid out and checked whole before the passes timed.
    const auto settle = [](int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    settle(2000);
    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum() / 2);
    settle(300);

    // A long document is checked in slices from the event loop: the pass
    // lasts until the last slice is done, and the window waits at most the
    // longest slice.
    QList<double> longest;
    // The highlighter's timer of the slices is active while some are left.
    auto *slices = highlighter->findChild<QTimer *>();
    for (auto _ : state) {
        GuiStallProbe probe;
        probe.start();
        QElapsedTimer clock;
        clock.start();
        highlighter->rehighlight();
        while (slices && slices->isActive())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        // The gap the pass itself began with counts too.
        QCoreApplication::processEvents();
        longest << probe.longestGapMs();
    }
    std::sort(longest.begin(), longest.end());
    state.counters["longest_stall_ms"] = longest.value(longest.size() / 2);
    state.counters["doc_words"] = DocumentWords;
    state.counters["model_words"] = double(modelWords().size());
    state.counters["blocks"] = edit.document()->blockCount();
}

// Keys go where Qt routes them: to the open completer popup, which hands
// them on to the box, else to the box.
void sendKey(QWidget *box, int key, const QString &text)
{
    QWidget *target = box;
    if (QWidget *popup = QApplication::activePopupWidget())
        target = popup->focusWidget() ? popup->focusWidget() : popup;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// One key in the box, with the events it posts handled: Latin words whose
// prefixes match many completer entries, each ended by a Backspace.
void BM_Keystroke(benchmark::State &state)
{
    UnicodeLineEdit box;
    box.setCompleter(modelWords());
    box.resize(400, 24);
    box.show();
    box.activateWindow();
    box.setFocus();
    QCoreApplication::processEvents();

    QList<QPair<int, QString>> keys;
    for (const char *latin : { "kannaDa", "ka", "mane", "baraha", "sahaaya", "taayi", "kelasa" }) {
        const QString word = QLatin1String(latin);
        for (QChar c : word)
            keys.append({ Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c) });
        keys.append({ Qt::Key_Backspace, QStringLiteral("\b") });
        keys.append({ 0, QString() }); // new word: box emptied, popup closed (not timed)
    }
    qsizetype next = 0;
    QList<double> times;
    times.reserve(qsizetype(state.max_iterations));
    qint64 popupOpen = 0;
    qint64 timed = 0;
    for (auto _ : state) {
        if (keys.at(next).first == 0) {
            state.PauseTiming();
            box.completer()->popup()->hide();
            box.setText(QString());
            QCoreApplication::processEvents();
            next = (next + 1) % keys.size();
            state.ResumeTiming();
        }
        QElapsedTimer t;
        t.start();
        sendKey(&box, keys.at(next).first, keys.at(next).second);
        QCoreApplication::processEvents();
        times.append(t.nsecsElapsed() / 1e6);
        ++timed;
        popupOpen += box.completer()->popup()->isVisible() ? 1 : 0;
        next = (next + 1) % keys.size();
    }
    state.counters["completer_words"] = double(modelWords().size());
    std::sort(times.begin(), times.end());
    if (!times.isEmpty()) {
        state.counters["median_ms"] = times.at(times.size() / 2);
        state.counters["p99_ms"] = times.at(times.size() * 99 / 100);
        state.counters["slowest_ms"] = times.back();
    }
    state.counters["popup_open_share"] = timed ? double(popupOpen) / double(timed) : 0;
}

} // namespace

BENCHMARK(BM_Rehighlight)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond)->Iterations(2000);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("goals: re-highlight at most 500 ms, keystroke at most 2 ms\n");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
