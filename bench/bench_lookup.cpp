// Spelling highlighter over a large Kannada document in a shown editor, and a
// keystroke in the transliterating box with a large completer, each against a
// floor of plain Qt widgets doing the same work in the same run.
//
// Goals: re-highlight at most 500 ms, keystroke at most 2 ms.
//
// Words come from the Kannada word list of aspell when it is installed
// (`aspell -d kn dump master`), topped up with made-up words to 60,000.

#include <benchmark/benchmark.h>

#include "benchwords.h"
#include "guistallprobe.h"
#include "highlighter.h"
#include "unicodelineedit.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSet>
#include <QStringListModel>
#include <QSyntaxHighlighter>
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

// The floor of a re-highlight: the plain way Qt offers to underline unknown
// words, a QSyntaxHighlighter that splits each block into words as ours does
// (letters, digits, marks, ZWJ/ZWNJ and '_' are word characters; one-letter
// runs are passed over), looks each up in a QSet of the same model words and
// sets an underline format on the unknown ones. It checks the whole document
// in one go, so its longest stall is the whole pass. Most of that pass is not
// the check: every block's new formats make the shown editor's layout walk
// the blocks again, so a pass over many blocks grows with their square (over
// a minute for this document). Ours paints its marks over the text instead.
// What the floor leaves out is the slicing that keeps ours responsive, and
// the ignore list and escapes, which cost nothing here.
class PlainSpellHighlighter : public QSyntaxHighlighter
{
public:
    explicit PlainSpellHighlighter(const QSet<QString> &words)
        : QSyntaxHighlighter(static_cast<QObject *>(nullptr))
        , m_words(words)
    {
        m_unknown.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        m_unknown.setUnderlineColor(Qt::red);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        const auto isWordChar = [](char32_t c) {
            return c == u'_' || c == 0x200C || c == 0x200D || QChar::isLetterOrNumber(c) ||
                QChar::isMark(c);
        };
        const qsizetype n = text.size();
        qsizetype i = 0;
        while (i < n) {
            if (!isWordChar(text.at(i).unicode())) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < n && isWordChar(text.at(i).unicode()))
                ++i;
            if (i - start >= 2 && !m_words.contains(text.mid(start, i - start)))
                setFormat(int(start), int(i - start), m_unknown);
        }
    }

private:
    const QSet<QString> &m_words;
    QTextCharFormat m_unknown;
};

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Figures of both, for the summary after the run.
struct Rehighlight
{
    double oursMs = -1, floorMs = -1, oursStallMs = -1, floorStallMs = -1;
} rehighlightResult;

struct Keystroke
{
    double ours[3] = { -1, -1, -1 }; // median, p99, slowest
    double floor[3] = { -1, -1, -1 };
    double oursPopup = 0, floorPopup = 0;
} keystrokeResult;

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
    const QString text = document(modelWords());
    QTextEdit edit;
    edit.resize(900, 700);
    edit.setPlainText(text);
    edit.show();
    auto *highlighter = new Highlighter(&utils, &edit);

    // The floor's editor beside ours, shown too, with the same document.
    const QSet<QString> known(modelWords().cbegin(), modelWords().cend());
    QTextEdit plain;
    plain.resize(900, 700);
    plain.move(edit.x() + 40, edit.y() + 40);
    plain.setPlainText(text);
    plain.show();
    PlainSpellHighlighter plainHighlighter(known);

    // The documents are laid out and ours checked whole before the passes
    // timed.
    settle(2000);
    for (QTextEdit *e : { &edit, &plain })
        e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum() / 2);
    settle(300);

    // A long document is checked in slices from the event loop: the pass
    // lasts until the last slice is done, and the window waits at most the
    // longest slice.
    QList<double> longest;
    QList<double> oursTimes;
    // The highlighter's timer of the slices is active while some are left.
    auto *slices = highlighter->findChild<QTimer *>();
    int round = 0;
    for (auto _ : state) {
        GuiStallProbe probe;
        probe.start();
        QElapsedTimer clock;
        clock.start();
        highlighter->rehighlight();
        while (slices && slices->isActive())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        oursTimes << clock.nsecsElapsed() / 1e6;
        // The gap the pass itself began with counts too.
        QCoreApplication::processEvents();
        longest << probe.longestGapMs();
        // The floor's pass, timed the same way, once between ours: it takes
        // over a minute (see PlainSpellHighlighter), more would not fit the
        // time of the program. Attaching the highlighter is its pass over
        // the whole document, as switching spell checking on is.
        if (round++ == 1) {
            settle(200);
            state.PauseTiming();
            GuiStallProbe floorProbe;
            floorProbe.start();
            plainHighlighter.setDocument(plain.document());
            // Formats set change the layout, which the editor may finish
            // from the event loop: the pass lasts until the window is idle.
            floorProbe.runUntilIdle(200, 20, 600000);
            rehighlightResult.floorMs = floorProbe.elapsedMs();
            rehighlightResult.floorStallMs = floorProbe.longestGapMs();
            state.ResumeTiming();
            settle(200);
        }
    }
    // Detaching clears the formats of every block, another pass as long:
    // the text goes first.
    plain.clear();
    plainHighlighter.setDocument(nullptr);
    std::sort(longest.begin(), longest.end());
    state.counters["longest_stall_ms"] = longest.value(longest.size() / 2);
    state.counters["floor_ms"] = rehighlightResult.floorMs;
    state.counters["floor_longest_stall_ms"] = rehighlightResult.floorStallMs;
    state.counters["doc_words"] = DocumentWords;
    state.counters["model_words"] = double(modelWords().size());
    state.counters["blocks"] = edit.document()->blockCount();
    rehighlightResult.oursMs = median(oursTimes);
    rehighlightResult.oursStallMs = median(longest);
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

// The floor of a keystroke: a plain QLineEdit with a QCompleter over a
// QStringListModel of the same words, popup completion, case-sensitive
// prefix. It has no transliteration, so the same Latin keys would match no
// Kannada word and its popup would never open: it is given instead the
// Kannada letters of the same words, one per key, each word ended by a
// Backspace, so that its prefixes match the entries ours shows for the same
// words. What it leaves out is the typing engine's work on each key.
struct PlainBox
{
    QLineEdit edit;
    QStringListModel model;
    QCompleter completer;

    explicit PlainBox(const QStringList &words)
        : model(words)
        , completer(&model)
    {
        completer.setCaseSensitivity(Qt::CaseSensitive);
        completer.setCompletionMode(QCompleter::PopupCompletion);
        edit.setCompleter(&completer);
    }
};

QList<double> sortedTimes(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times;
}

// One key in the box, with the events it posts handled: Latin words whose
// prefixes match many completer entries, each ended by a Backspace. After
// each word the plain box types the same word (not counted in the time of
// the benchmark), so that both take turns under the same load.
void BM_Keystroke(benchmark::State &state)
{
    UnicodeLineEdit box;
    box.setCompleter(modelWords());
    box.resize(400, 24);
    box.show();
    PlainBox plain(modelWords());
    plain.edit.resize(400, 24);
    plain.edit.move(box.x(), box.y() + 300);
    plain.edit.show();
    box.activateWindow();
    box.setFocus();
    QCoreApplication::processEvents();

    ZuvoScriptConverter converter;
    QList<QPair<int, QString>> keys;
    QList<QList<QPair<int, QString>>> plainWords;
    for (const char *latin : { "kannaDa", "ka", "mane", "baraha", "sahaaya", "taayi", "kelasa" }) {
        const QString word = QLatin1String(latin);
        for (QChar c : word)
            keys.append({ Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c) });
        keys.append({ Qt::Key_Backspace, QStringLiteral("\b") });
        keys.append({ 0, QString() }); // new word: box emptied, popup closed (not timed)
        QList<QPair<int, QString>> plainKeys;
        for (QChar c : converter.ansiToUnicode(word, 0, 0))
            plainKeys.append({ Qt::Key_unknown, QString(c) });
        plainKeys.append({ Qt::Key_Backspace, QStringLiteral("\b") });
        plainWords.append(plainKeys);
    }
    qsizetype next = 0;
    qsizetype word = 0;
    QList<double> times;
    times.reserve(qsizetype(state.max_iterations));
    QList<double> plainTimes;
    qint64 popupOpen = 0;
    qint64 timed = 0;
    qint64 plainPopupOpen = 0;
    const auto typePlainWord = [&](const QList<QPair<int, QString>> &plainKeys) {
        plain.edit.activateWindow();
        plain.edit.setFocus();
        QCoreApplication::processEvents();
        for (const auto &key : plainKeys) {
            QElapsedTimer t;
            t.start();
            sendKey(&plain.edit, key.first, key.second);
            QCoreApplication::processEvents();
            plainTimes.append(t.nsecsElapsed() / 1e6);
            plainPopupOpen += plain.completer.popup()->isVisible() ? 1 : 0;
        }
        plain.completer.popup()->hide();
        plain.edit.setText(QString());
        box.activateWindow();
        box.setFocus();
        QCoreApplication::processEvents();
    };
    for (auto _ : state) {
        if (keys.at(next).first == 0) {
            state.PauseTiming();
            box.completer()->popup()->hide();
            box.setText(QString());
            QCoreApplication::processEvents();
            typePlainWord(plainWords.at(word));
            word = (word + 1) % plainWords.size();
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
        keystrokeResult.ours[0] = times.at(times.size() / 2);
        keystrokeResult.ours[1] = times.at(times.size() * 99 / 100);
        keystrokeResult.ours[2] = times.back();
    }
    const QList<double> floor = sortedTimes(plainTimes);
    if (!floor.isEmpty()) {
        state.counters["floor_median_ms"] = floor.at(floor.size() / 2);
        state.counters["floor_p99_ms"] = floor.at(floor.size() * 99 / 100);
        state.counters["floor_slowest_ms"] = floor.back();
        keystrokeResult.floor[0] = floor.at(floor.size() / 2);
        keystrokeResult.floor[1] = floor.at(floor.size() * 99 / 100);
        keystrokeResult.floor[2] = floor.back();
    }
    state.counters["popup_open_share"] = timed ? double(popupOpen) / double(timed) : 0;
    state.counters["floor_popup_open_share"] =
        plainTimes.isEmpty() ? 0 : double(plainPopupOpen) / double(plainTimes.size());
    keystrokeResult.oursPopup = timed ? double(popupOpen) / double(timed) : 0;
    keystrokeResult.floorPopup =
        plainTimes.isEmpty() ? 0 : double(plainPopupOpen) / double(plainTimes.size());
}

double ratio(double ours, double floor)
{
    return floor > 0 ? ours / floor : 0;
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
    const Rehighlight &r = rehighlightResult;
    if (r.oursMs >= 0 && r.floorMs >= 0) {
        std::printf("re-highlight of %d words in a shown editor: ours %.1f ms, floor %.1f ms "
                    "(plain QSyntaxHighlighter, QSet lookups, underline formats), ratio %.4f "
                    "(goal: at most 500 ms)\n",
                    DocumentWords, r.oursMs, r.floorMs, ratio(r.oursMs, r.floorMs));
        std::printf("longest GUI stall during the re-highlight: ours %.1f ms, floor %.1f ms "
                    "(the same plain highlighter), ratio %.4f\n",
                    r.oursStallMs, r.floorStallMs, ratio(r.oursStallMs, r.floorStallMs));
    }
    const Keystroke &k = keystrokeResult;
    const char *names[3] = { "median", "p99", "slowest" };
    for (int i = 0; i < 3 && k.ours[0] >= 0 && k.floor[0] >= 0; ++i) {
        std::printf("keystroke with a %d-word completer, %s: ours %.3f ms, floor %.3f ms (plain "
                    "QLineEdit and QCompleter, popup open %.0f%% of keys, ours %.0f%%), "
                    "ratio %.2f (goal: at most 2 ms)\n",
                    ModelWords, names[i], k.ours[i], k.floor[i], k.floorPopup * 100,
                    k.oursPopup * 100, ratio(k.ours[i], k.floor[i]));
    }
    return 0;
}
