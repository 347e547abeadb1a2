// Spelling highlighter over a large Kannada document in a shown editor, and a
// keystroke in the transliterating box with a large completer, each against a
// floor of plain Qt widgets doing the same work in the same run.
//
// Goals: re-highlight at most 500 ms, keystroke at most 2 ms.
//
// Words come from the Kannada word list of aspell when it is installed
// (`aspell -d kn dump master`), topped up with made-up words to 60,000.

#include <benchmark/benchmark.h>

#include "benchfigures.h"
#include "benchwords.h"
#include "guistallprobe.h"
#include "highlighter.h"
#include "unicodelineedit.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
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

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The lines printed after the run: each figure with its floor and ratio.
QStringList &summary()
{
    static QStringList lines;
    return lines;
}

// The floor's highlighter: the plain way Qt offers to underline unknown
// words, a QSyntaxHighlighter that sets a spelling-underline format on each
// word of a block that a QSet of the model's words does not hold. Words are
// split as ours splits them: runs of letters, digits, marks, "_" and the two
// joiners, one-character runs and runs right after a backslash passed over
// (the document holds characters of the Basic Multilingual Plane only, so
// code units will do).
class PlainSpellHighlighter : public QSyntaxHighlighter
{
public:
    PlainSpellHighlighter(const QSet<QString> *words, QTextDocument *document)
        : QSyntaxHighlighter(document)
        , m_words(words)
    {
        m_unknown.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        m_unknown.setUnderlineColor(Qt::red);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        const auto isWordChar = [](QChar c) {
            return c.isLetterOrNumber() || c.isMark() || c == u'_' || c == QChar(0x200C) ||
                c == QChar(0x200D);
        };
        const qsizetype n = text.size();
        qsizetype i = 0;
        while (i < n) {
            if (!isWordChar(text.at(i))) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < n && isWordChar(text.at(i)))
                ++i;
            if (i - start < 2 || (start > 0 && text.at(start - 1) == u'\\'))
                continue;
            if (!m_words->contains(text.mid(start, i - start)))
                setFormat(int(start), int(i - start), m_unknown);
        }
    }

private:
    const QSet<QString> *m_words;
    QTextCharFormat m_unknown;
};

// Re-highlighting the whole document, as switching spell checking on does,
// in a shown editor scrolled to the middle: the time until the whole
// document is checked, and the longest time the window waits meanwhile.
//
// The floor is the plain highlighter above on a plain QTextEdit shown beside
// ours with the same document, scrolled alike, timed the same way in the same
// run: the same splitting and lookups, with the marks set the way plain Qt
// sets them, as formats of the blocks. It checks the whole document in one
// go, so its longest stall is the whole pass; most of that pass is not the
// check but the layout: each block's new formats make the shown editor's
// layout walk the document again, so the pass grows with the square of the
// blocks (over a minute here). That is why it runs once while ours runs
// five times. The floor leaves out the slicing that keeps ours responsive,
// and the ignore list, which is empty here.
//
// As that floor says nothing of how close ours comes to the work itself, a
// second floor times the same plain highlighter on a copy of the document
// that no editor shows (no layout, so only the check and the formats), in
// turns with ours.
void BM_Rehighlight(benchmark::State &state)
{
    Utils &utils = spellChecker();
    if (!utils.wordModel() || utils.wordModel()->rowCount() != ModelWords) {
        state.SkipWithError("word model not made");
        return;
    }
    const QString text = document(modelWords());
    const QSet<QString> known(modelWords().cbegin(), modelWords().cend());

    QTextEdit edit;
    edit.resize(900, 700);
    edit.setPlainText(text);
    edit.show();
    auto *highlighter = new Highlighter(&utils, &edit);

    QTextEdit plain;
    plain.resize(900, 700);
    plain.move(edit.x() + 40, edit.y() + 40);
    plain.setPlainText(text);
    plain.show();
    auto *plainHighlighter = new PlainSpellHighlighter(&known, plain.document());
    // Its first pass, due when it is given the document, would take as long
    // as a timed one: it is done now with the layout switched off (a null
    // page size), which is then laid out once, as after loading.
    {
        QTextDocument *doc = plain.document();
        const QSizeF page = doc->pageSize();
        doc->setPageSize(QSizeF(0, 0));
        plainHighlighter->rehighlight();
        doc->setPageSize(page);
    }

    QTextDocument unshown;
    unshown.setPlainText(text);
    auto *unshownHighlighter = new PlainSpellHighlighter(&known, &unshown);

    // The documents are laid out and checked whole before the passes timed:
    // asking for the last block's place lays out the rest at once, so that
    // no editor's lazy layout runs in the event loop of another's pass.
    settle(2000);
    for (QTextEdit *e : { &edit, &plain }) {
        QTextDocument *doc = e->document();
        doc->documentLayout()->blockBoundingRect(doc->lastBlock());
        e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum() / 2);
    }
    settle(300);

    // A long document is checked in slices from the event loop: the pass
    // lasts until the last slice is done, and the window waits at most the
    // longest slice.
    // The highlighter's timer of the slices is active while some are left.
    auto *slices = highlighter->findChild<QTimer *>();
    enum Side { Ours, Shown, Unshown };
    QList<double> times[3];
    QList<double> longest[3];
    const auto pass = [&](Side side) {
        GuiStallProbe probe;
        probe.start();
        QElapsedTimer clock;
        clock.start();
        if (side == Ours) {
            highlighter->rehighlight();
            while (slices && slices->isActive())
                QCoreApplication::processEvents(QEventLoop::AllEvents |
                                                QEventLoop::WaitForMoreEvents);
        } else {
            (side == Shown ? plainHighlighter : unshownHighlighter)->rehighlight();
        }
        times[side] << clock.nsecsElapsed() / 1e6;
        // The gap the pass itself began with counts too.
        QCoreApplication::processEvents();
        longest[side] << probe.longestGapMs();
        settle(50);
    };
    int round = 0;
    for (auto _ : state) {
        // The long floor once, in the middle of the run.
        if (round == int(state.max_iterations / 2))
            pass(Shown);
        pass(round % 2 ? Unshown : Ours);
        pass(round % 2 ? Ours : Unshown);
        state.SetIterationTime(times[Ours].constLast() / 1e3);
        ++round;
    }
    state.counters["longest_stall_ms"] = median(longest[Ours]);
    state.counters["floor_ms"] = median(times[Shown]);
    state.counters["floor_unshown_ms"] = median(times[Unshown]);
    state.counters["doc_words"] = DocumentWords;
    state.counters["model_words"] = double(modelWords().size());
    state.counters["blocks"] = edit.document()->blockCount();

    const QString what =
        QStringLiteral("whole re-highlight of %1 words in a shown editor").arg(DocumentWords);
    const auto line = [&](const QString &figure, const QList<double> *values, Side floor,
                          const QString &floorIs, const QString &goal) {
        const double ours = median(values[Ours]);
        const double other = median(values[floor]);
        summary() << QStringLiteral("%1: ours %2, floor %3 (%4), ratio %5 (goal: %6)")
                         .arg(figure, duration(ours / 1e3), duration(other / 1e3), floorIs,
                              ratio(ours, other), goal);
    };
    const QString shownFloor = QStringLiteral(
        "plain QSyntaxHighlighter setting underline formats from a QSet, on a plain shown "
        "QTextEdit, one pass");
    const QString unshownFloor = QStringLiteral(
        "the same plain highlighter on the document not shown: check and formats, no layout");
    line(what, times, Shown, shownFloor, QStringLiteral("at most 500 ms"));
    line(what, times, Unshown, unshownFloor, QStringLiteral("at most 500 ms"));
    line(QStringLiteral("longest GUI stall of that re-highlight"), longest, Shown, shownFloor,
         QStringLiteral("none set"));
    line(QStringLiteral("longest GUI stall of that re-highlight"), longest, Unshown, unshownFloor,
         QStringLiteral("none set"));
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
// prefix, its list told that its rows are of one height. It cannot turn
// Latin keys into Kannada: the same Latin keys would match no word and its
// popup would never open. So each key of the same sequence reaches it as the
// one plain edit that gives it the text ours shows after that key: the part
// of its text that changes is selected beforehand (not timed), and a key
// carrying the new Kannada letters as its text types over the selection, as
// a key of a Kannada keyboard layout would (where the text only shrinks, a
// Backspace deletes the selection). Its completer then filters the same
// prefixes as ours. It leaves out the typing engine's conversion of the word
// at each key. Ours also hides its popup when the text typed is a word
// already, which a plain completer does not: both shares of keys with the
// popup open are printed.
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
        // Rows of one height, as ours tells its list too: else the list
        // measures every match as the popup opens, some 60 ms for a letter
        // matching thousands of words.
        if (auto *list = qobject_cast<QListView *>(completer.popup()))
            list->setUniformItemSizes(true);
    }
};

struct Key
{
    int key; // 0: a new word (the boxes emptied, the popups closed; not timed)
    QString text;
    QString shown; // what ours shows after the key
};

// The figures of one side: median, p99 and slowest key, and the share of keys
// after which the popup was open.
struct KeyFigures
{
    double median = -1;
    double p99 = -1;
    double slowest = -1;
    double popupShare = 0;
};

KeyFigures keyFigures(QList<double> times, qint64 popupOpen)
{
    KeyFigures f;
    if (times.isEmpty())
        return f;
    std::sort(times.begin(), times.end());
    f.median = times.at(times.size() / 2);
    f.p99 = times.at(times.size() * 99 / 100);
    f.slowest = times.back();
    f.popupShare = double(popupOpen) / double(times.size());
    return f;
}

// One key in the box, with the events it posts handled: Latin words whose
// prefixes match many completer entries, each ended by a Backspace. After
// each word of ours the plain box is given the same word (not counted in the
// time of the benchmark), so that both take turns under the same load.
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

    // The box's default keyboard converts the whole word again at each key.
    ZuvoScriptConverter converter;
    QList<Key> keys;
    for (const char *latin : { "kannaDa", "ka", "mane", "baraha", "sahaaya", "taayi", "kelasa" }) {
        const QString word = QLatin1String(latin);
        for (qsizetype i = 0; i < word.size(); ++i) {
            const QChar c = word.at(i);
            keys.append({ Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c),
                          converter.ansiToUnicode(word.left(i + 1), 0, 0) });
        }
        keys.append({ Qt::Key_Backspace, QStringLiteral("\b"),
                      converter.ansiToUnicode(word.chopped(1), 0, 0) });
        keys.append({ 0, QString(), QString() });
    }

    QList<double> times;
    times.reserve(qsizetype(state.max_iterations));
    QList<double> plainTimes;
    qint64 popupOpen = 0;
    qint64 plainPopupOpen = 0;
    qint64 shownDiffers = 0;
    const auto typePlainWord = [&](qsizetype from, qsizetype to) {
        plain.edit.activateWindow();
        plain.edit.setFocus();
        QCoreApplication::processEvents();
        for (qsizetype k = from; k < to; ++k) {
            const QString before = plain.edit.text();
            const QString &after = keys.at(k).shown;
            qsizetype common = 0;
            while (common < before.size() && common < after.size() &&
                   before.at(common) == after.at(common))
                ++common;
            plain.edit.setSelection(int(common), int(before.size() - common));
            const QString typed = after.mid(common);
            QElapsedTimer t;
            t.start();
            if (typed.isEmpty())
                sendKey(&plain.edit, Qt::Key_Backspace, QStringLiteral("\b"));
            else
                sendKey(&plain.edit, Qt::Key_unknown, typed);
            QCoreApplication::processEvents();
            plainTimes.append(t.nsecsElapsed() / 1e6);
            plainPopupOpen += plain.completer.popup()->isVisible() ? 1 : 0;
            shownDiffers += plain.edit.text() == after ? 0 : 1;
        }
        plain.completer.popup()->hide();
        plain.edit.setText(QString());
        box.activateWindow();
        box.setFocus();
        QCoreApplication::processEvents();
    };
    qsizetype next = 0;
    qsizetype wordStart = 0;
    for (auto _ : state) {
        if (keys.at(next).key == 0) {
            state.PauseTiming();
            box.completer()->popup()->hide();
            box.setText(QString());
            QCoreApplication::processEvents();
            typePlainWord(wordStart, next);
            next = (next + 1) % keys.size();
            wordStart = next;
            state.ResumeTiming();
        }
        QElapsedTimer t;
        t.start();
        sendKey(&box, keys.at(next).key, keys.at(next).text);
        QCoreApplication::processEvents();
        times.append(t.nsecsElapsed() / 1e6);
        popupOpen += box.completer()->popup()->isVisible() ? 1 : 0;
        shownDiffers += box.text() == keys.at(next).shown ? 0 : 1;
        next = (next + 1) % keys.size();
    }
    const KeyFigures ours = keyFigures(times, popupOpen);
    const KeyFigures floor = keyFigures(plainTimes, plainPopupOpen);
    state.counters["completer_words"] = double(modelWords().size());
    state.counters["median_ms"] = ours.median;
    state.counters["p99_ms"] = ours.p99;
    state.counters["slowest_ms"] = ours.slowest;
    state.counters["popup_open_share"] = ours.popupShare;
    state.counters["floor_median_ms"] = floor.median;
    state.counters["floor_p99_ms"] = floor.p99;
    state.counters["floor_slowest_ms"] = floor.slowest;
    state.counters["floor_popup_open_share"] = floor.popupShare;
    // Both boxes must have shown the texts the floor was built on.
    if (shownDiffers > 0)
        state.SkipWithError("a box did not show the text expected after a key");

    const QString floorIs =
        QStringLiteral("plain QLineEdit and QCompleter given the same texts, popup open after "
                       "%1% of its keys, ours after %2%")
            .arg(floor.popupShare * 100, 0, 'f', 0)
            .arg(ours.popupShare * 100, 0, 'f', 0);
    const auto line = [&](const char *which, double o, double f) {
        summary() << QStringLiteral("keystroke with a %1-word completer, %2: ours %3, floor %4 "
                                    "(%5), ratio %6 (goal: at most 2 ms)")
                         .arg(QString::number(ModelWords), QLatin1String(which), duration(o / 1e3),
                              duration(f / 1e3), floorIs, ratio(o, f));
    };
    line("median", ours.median, floor.median);
    line("p99", ours.p99, floor.p99);
    line("slowest", ours.slowest, floor.slowest);
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
    for (const QString &line : summary())
        std::printf("%s\n", qPrintable(line));
    return 0;
}
