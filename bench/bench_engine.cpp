// Transliteration engine: whole-word conversion as the editors do it after
// every key, and script-to-script conversion of a large Kannada text, each
// against a floor measured in the same run:
//  - a conversion after a key against what a plain QTextEdit takes for that
//    key (real key events, from the press to the end of the repaint), so the
//    ratio says how much the engine adds to a key; and against greedy
//    longest-match lookups of the same tokens in a QHash, the closest plain
//    code doing the table part of the work;
//  - script to script against the naive remap of each letter by the offset
//    between the two Unicode blocks.
// The floors run between the engine's iterations, outside its timing, so the
// load of the machine falls on both alike; the figures are medians. No goals
// are set for these figures. Run it on xcb (scripts/with-xvfb) for X11 keys
// and repaints.
//
// The words come from the Kannada spelling word list when aspell has it
// (romanised back for each keyboard), else from a syllable generator.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHash>
#include <QStringList>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "benchfigures.h"
#include "benchwords.h"
#include "zuvoscriptconverter.h"

namespace {

QStringList kannadaWords()
{
    static const QStringList words = [] {
        const QStringList &list = BenchWords::aspellKannadaWords();
        return list.size() < 10000 ? BenchWords::madeUpKannadaWords(20000) : list;
    }();
    return words;
}

// Romanises Kannada text for a keyboard, close to what a typist would press.
QString romanise(const QString &word, int keyboard)
{
    static const QHash<int, const char *> phoneticConsonants = {
        { 0x15, "k" },  { 0x16, "kh" }, { 0x17, "g" },  { 0x18, "gh" }, { 0x19, "Jz" },
        { 0x1A, "c" },  { 0x1B, "C" },  { 0x1C, "j" },  { 0x1D, "jh" }, { 0x1E, "jz" },
        { 0x1F, "T" },  { 0x20, "Th" }, { 0x21, "D" },  { 0x22, "Dh" }, { 0x23, "N" },
        { 0x24, "t" },  { 0x25, "th" }, { 0x26, "d" },  { 0x27, "dh" }, { 0x28, "n" },
        { 0x2A, "p" },  { 0x2B, "ph" }, { 0x2C, "b" },  { 0x2D, "bh" }, { 0x2E, "m" },
        { 0x2F, "y" },  { 0x30, "r" },  { 0x31, "rz" }, { 0x32, "l" },  { 0x33, "L" },
        { 0x34, "Lz" }, { 0x35, "v" },  { 0x36, "sh" }, { 0x37, "Sh" }, { 0x38, "s" },
        { 0x39, "h" }
    };
    static const QHash<int, const char *> nudiConsonants = {
        { 0x15, "k" },  { 0x16, "K" }, { 0x17, "g" }, { 0x18, "G" },  { 0x19, "Z" }, { 0x1A, "c" },
        { 0x1B, "C" },  { 0x1C, "j" }, { 0x1D, "J" }, { 0x1E, "z" },  { 0x1F, "q" }, { 0x20, "Q" },
        { 0x21, "w" },  { 0x22, "W" }, { 0x23, "N" }, { 0x24, "t" },  { 0x25, "T" }, { 0x26, "d" },
        { 0x27, "D" },  { 0x28, "n" }, { 0x2A, "p" }, { 0x2B, "P" },  { 0x2C, "b" }, { 0x2D, "B" },
        { 0x2E, "m" },  { 0x2F, "y" }, { 0x30, "r" }, { 0x31, "rz" }, { 0x32, "l" }, { 0x33, "L" },
        { 0x34, "Lz" }, { 0x35, "v" }, { 0x36, "S" }, { 0x37, "x" },  { 0x38, "s" }, { 0x39, "h" }
    };
    static const QHash<int, const char *> phoneticVowels = {
        { 0x05, "a" },  { 0x06, "aa" }, { 0x07, "i" }, { 0x08, "I" },  { 0x09, "u" }, { 0x0A, "U" },
        { 0x0B, "R" },  { 0x0E, "e" },  { 0x0F, "E" }, { 0x10, "ai" }, { 0x12, "o" }, { 0x13, "O" },
        { 0x14, "au" }, { 0x3E, "aa" }, { 0x3F, "i" }, { 0x40, "I" },  { 0x41, "u" }, { 0x42, "U" },
        { 0x43, "R" },  { 0x46, "e" },  { 0x47, "E" }, { 0x48, "ai" }, { 0x4A, "o" }, { 0x4B, "O" },
        { 0x4C, "au" }, { 0x02, "M" },  { 0x03, "H" }
    };
    static const QHash<int, const char *> nudiVowels = {
        { 0x05, "a" }, { 0x06, "A" }, { 0x07, "i" }, { 0x08, "I" }, { 0x09, "u" }, { 0x0A, "U" },
        { 0x0B, "R" }, { 0x0E, "e" }, { 0x0F, "E" }, { 0x10, "Y" }, { 0x12, "o" }, { 0x13, "O" },
        { 0x14, "V" }, { 0x3E, "a" }, { 0x3F, "i" }, { 0x40, "I" }, { 0x41, "u" }, { 0x42, "U" },
        { 0x43, "R" }, { 0x46, "e" }, { 0x47, "E" }, { 0x48, "Y" }, { 0x4A, "o" }, { 0x4B, "O" },
        { 0x4C, "V" }, { 0x02, "M" }, { 0x03, "H" }
    };
    const auto &consonants = keyboard == 1 ? nudiConsonants : phoneticConsonants;
    const auto &vowels = keyboard == 1 ? nudiVowels : phoneticVowels;
    QString out;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const int off = word.at(i).unicode() - 0x0C80;
        const int next = i + 1 < word.size() ? word.at(i + 1).unicode() - 0x0C80 : -1;
        if (const char *c = consonants.value(off)) {
            out += QLatin1String(c);
            const bool signFollows = next >= 0x3E && next <= 0x4C;
            if (keyboard == 0 && next != 0x4D && !signFollows)
                out += QLatin1Char('a');
        } else if (off == 0x4D) {
            if (keyboard != 0)
                out += QLatin1Char('f');
        } else if (const char *v = vowels.value(off)) {
            out += QLatin1String(v);
        } else if (off >= 0x66 && off <= 0x6F) {
            out += QChar(u'0' + (off - 0x66));
        }
    }
    return out;
}

QStringList englishWords()
{
    static const char *const common[] = {
        "the",      "water",   "house",     "language",  "colour",   "keyboard", "document",
        "open",     "close",   "file",      "copy",      "paste",    "search",   "replace",
        "start",    "find",    "time",      "phone",     "train",    "project",  "paper",
        "cinema",   "email",   "mobile",    "india",     "english",  "hand",     "morning",
        "evening",  "sunday",  "monday",    "bangalore", "mysore",   "temple",   "river",
        "mountain", "school",  "college",   "teacher",   "student",  "market",   "office",
        "window",   "table",   "number",    "computer",  "internet", "program",  "account",
        "welcome",  "thanks",  "please",    "simple",    "sample",   "member",   "summer",
        "winter",   "central", "different", "important"
    };
    QStringList list;
    for (const char *w : common)
        list << QString::fromLatin1(w);
    return list;
}

QStringList wordsFor(int keyboard)
{
    static QHash<int, QStringList> cache;
    if (cache.contains(keyboard))
        return cache.value(keyboard);
    QStringList list;
    const QStringList kannada = kannadaWords();
    const int romanKeyboard = keyboard == 3 ? 0 : keyboard;
    for (int i = 0; i < 10000; ++i)
        list << romanise(kannada.at((i * 7919) % kannada.size()), romanKeyboard);
    if (keyboard == 3) {
        // English words typed in Latin, mixed with romanised Kannada words.
        const QStringList english = englishWords();
        for (int i = 0; i < list.size(); i += 2)
            list[i] = english.at((i / 2) % english.size());
    }
    cache.insert(keyboard, list);
    return list;
}

// ---------------------------------------------------------------- figures

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

// The summary line of each figure; Google Benchmark runs a function more than
// once to find its iteration count, and the last run's line stands.
QStringList summaryOrder;
QHash<QString, QString> summary;

void report(const QString &figure, const QString &line)
{
    if (!summary.contains(figure))
        summaryOrder << figure;
    summary.insert(figure, line);
}

const char *const keyboardNames[] = { "Phonetic", "Nudi", "Phonetic2", "Transliteration" };

// ---------------------------------------------------------------- plain keys

// Counts the paints of an editor's viewport.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A plain QTextEdit in a shown window, typed into with key events delivered
// through the window system interface, like keys from the X server. It
// converts nothing: what it takes for a key is what the user waits for
// without the engine.
class PlainTyping
{
public:
    bool ready() const { return m_ready; }

    // Made on first use; gone with destroy(), before the application object.
    static PlainTyping &instance()
    {
        if (!s_instance)
            s_instance.reset(new PlainTyping);
        return *s_instance;
    }
    static void destroy() { s_instance.reset(); }

    // Types the word's keys, timing each from its press to the end of the
    // repaint it causes (seconds, into times), then a space, not timed.
    void typeWord(const QString &word, QList<double> &times)
    {
        if (!m_ready)
            return;
        if (m_edit->document()->characterCount() > 300) {
            // A fresh short line, as a user typing a sentence has.
            m_edit->clear();
            settle(10);
        }
        for (QChar c : word) {
            Qt::Key key = Qt::Key_unknown;
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            const char16_t u = c.toLower().unicode();
            if (u >= u'a' && u <= u'z') {
                key = Qt::Key(Qt::Key_A + (u - u'a'));
                if (c.isUpper())
                    modifiers = Qt::ShiftModifier;
            } else if (u >= u'0' && u <= u'9') {
                key = Qt::Key(Qt::Key_0 + (u - u'0'));
            }
            times.append(typeKey(key, QString(c), modifiers));
        }
        typeKey(Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier);
    }

private:
    PlainTyping()
    {
        auto *layout = new QHBoxLayout(&m_window);
        m_edit = new QTextEdit;
        m_edit->setFixedSize(620, 300);
        layout->addWidget(m_edit);
        m_edit->viewport()->installEventFilter(&m_counter);
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window)) {
            std::printf("note: the plain editor's window was not shown; no key floor\n");
            return;
        }
        m_window.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_window))
            std::printf("note: the window is not active; keys go to its focus widget\n");
        m_edit->setFocus();
        settle(200);
        m_ready = true;
    }

    double typeKey(Qt::Key key, const QString &text, Qt::KeyboardModifiers modifiers)
    {
        QWindow *window = m_window.windowHandle();
        const int before = m_counter.paints;
        QElapsedTimer timer;
        timer.start();
        QTest::sendKeyEvent(QTest::Click, window, key, text, modifiers);
        while (m_counter.paints == before && timer.elapsed() < 2000)
            QCoreApplication::processEvents();
        return timer.nsecsElapsed() / 1e9;
    }

    static std::unique_ptr<PlainTyping> s_instance;
    QWidget m_window;
    QTextEdit *m_edit = nullptr;
    PaintCounter m_counter;
    bool m_ready = false;
};
std::unique_ptr<PlainTyping> PlainTyping::s_instance;

// ---------------------------------------------------------------- plain lookups

// The keyboard's tokens in a QHash (one or two Latin letters as the key, the
// engine's own output for the token alone as the value), matched greedily,
// longest first. It leaves out what the engine adds to the lookups: the
// vowel signs and viramas that depend on the letter before, the joiners, and
// for the Transliteration keyboard the English respelling before them.
class PlainLookup
{
public:
    explicit PlainLookup(int keyboard)
    {
        ZuvoScriptConverter converter;
        const int tokenKeyboard = keyboard == Keyboard::Transliteration ? 0 : keyboard;
        QStringList tokens = tokenKeyboard == Keyboard::Nudi ? converter.nudiAksharamale()
                                                             : converter.phoneticAksharamale();
        for (char d = '0'; d <= '9'; ++d)
            tokens << QString(QLatin1Char(d));
        for (const QString &token : tokens)
            m_table.insert(keyOf(token, 0, token.size()),
                           converter.ansiToUnicode(token, 0, tokenKeyboard));
    }

    QString convert(const QString &text) const
    {
        QString out;
        out.reserve(text.size() * 2);
        const qsizetype n = text.size();
        qsizetype i = 0;
        while (i < n) {
            if (i + 1 < n) {
                const auto two = m_table.constFind(keyOf(text, i, 2));
                if (two != m_table.cend()) {
                    out += *two;
                    i += 2;
                    continue;
                }
            }
            const auto one = m_table.constFind(keyOf(text, i, 1));
            if (one != m_table.cend())
                out += *one;
            else
                out += text.at(i);
            ++i;
        }
        return out;
    }

private:
    static quint32 keyOf(const QString &text, qsizetype at, qsizetype length)
    {
        quint32 key = text.at(at).unicode();
        if (length > 1)
            key = key << 16 | text.at(at + 1).unicode();
        return key;
    }

    QHash<quint32, QString> m_table;
};

// ---------------------------------------------------------------- typing

void BM_ansiToUnicodeWord(benchmark::State &state)
{
    const int keyboard = int(state.range(0));
    const QStringList words = wordsFor(keyboard);
    const PlainLookup lookup(keyboard);
    PlainTyping &typing = PlainTyping::instance();
    QList<double> ours;
    QList<double> lookups;
    QList<double> keys;
    int typed = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &w : words) {
            // A fresh converter per word, as the typing widgets use it.
            ZuvoScriptConverter converter;
            QString out = converter.ansiToUnicode(w, 0, keyboard);
            benchmark::DoNotOptimize(out);
        }
        ours.append(timer.nsecsElapsed() / 1e9 / double(words.size()));

        state.PauseTiming();
        timer.start();
        for (const QString &w : words) {
            QString out = lookup.convert(w);
            benchmark::DoNotOptimize(out);
        }
        lookups.append(timer.nsecsElapsed() / 1e9 / double(words.size()));
        // A word of the same list every iteration, its keys one by one.
        typing.typeWord(words.at((typed++ * 37) % words.size()), keys);
        state.ResumeTiming();
    }
    state.counters["s_per_word"] = benchmark::Counter(
        double(words.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(QStringLiteral("%1 words").arg(words.size()).toStdString());

    const double oursMedian = median(ours);
    const double keyMedian = median(keys);
    const double lookupMedian = median(lookups);
    state.counters["floor_key_ms"] = keyMedian * 1e3;
    report(
        QStringLiteral("word %1").arg(keyboard),
        QStringLiteral("whole-word conversion after a key, %1 keyboard: ours %2 a word, "
                       "floor %3 a key (a plain QTextEdit given the same keys, press to "
                       "repaint, %4 keys), ratio %5 (no goal set); closer floor %6 a word "
                       "(greedy QHash lookups of the same tokens), ratio %7")
            .arg(QLatin1String(keyboardNames[keyboard]), duration(oursMedian), duration(keyMedian))
            .arg(keys.size())
            .arg(ratio(oursMedian, keyMedian), duration(lookupMedian),
                 ratio(oursMedian, lookupMedian)));
}
BENCHMARK(BM_ansiToUnicodeWord)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Each key retypes the whole word so far: the cost of typing every word key by key.
void BM_ansiToUnicodeKeystrokes(benchmark::State &state)
{
    const QStringList words = wordsFor(0);
    const PlainLookup lookup(0);
    PlainTyping &typing = PlainTyping::instance();
    qint64 keys = 0;
    for (const QString &w : words)
        keys += w.size();
    QList<double> ours;
    QList<double> lookups;
    QList<double> plainKeys;
    int typed = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &w : words) {
            for (qsizetype n = 1; n <= w.size(); ++n) {
                ZuvoScriptConverter converter;
                benchmark::DoNotOptimize(converter.ansiToUnicode(w.left(n), 0, 0));
            }
        }
        ours.append(timer.nsecsElapsed() / 1e9 / double(keys));

        state.PauseTiming();
        timer.start();
        for (const QString &w : words) {
            for (qsizetype n = 1; n <= w.size(); ++n)
                benchmark::DoNotOptimize(lookup.convert(w.left(n)));
        }
        lookups.append(timer.nsecsElapsed() / 1e9 / double(keys));
        for (int k = 0; k < 8; ++k)
            typing.typeWord(words.at((typed++ * 37) % words.size()), plainKeys);
        state.ResumeTiming();
    }
    state.counters["s_per_key"] = benchmark::Counter(
        double(keys), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);

    const double oursMedian = median(ours);
    const double keyMedian = median(plainKeys);
    const double lookupMedian = median(lookups);
    state.counters["floor_key_ms"] = keyMedian * 1e3;
    report(QStringLiteral("keys"),
           QStringLiteral("keystroke sequences, Phonetic keyboard (each key converts the "
                          "word so far): ours %1 a key, floor %2 a key (a plain QTextEdit "
                          "given the same keys, press to repaint, %3 keys), ratio %4 (no goal "
                          "set); closer floor %5 a key (greedy QHash lookups of the same "
                          "tokens), ratio %6")
               .arg(duration(oursMedian), duration(keyMedian))
               .arg(plainKeys.size())
               .arg(ratio(oursMedian, keyMedian), duration(lookupMedian),
                    ratio(oursMedian, lookupMedian)));
}
BENCHMARK(BM_ansiToUnicodeKeystrokes)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- scripts

QString kannadaText()
{
    static QString text = [] {
        const QStringList words = kannadaWords();
        QString t;
        qsizetype bytes = 0;
        int i = 0;
        while (bytes < 1024 * 1024) {
            const QString &w = words.at((i * 104729) % words.size());
            t += w;
            t += (++i % 12) ? QLatin1Char(' ') : QLatin1Char('\n');
            bytes += w.toUtf8().size() + 1;
        }
        return t;
    }();
    return text;
}

// What a naive converter does: every letter of the source block moved by the
// offset between the two blocks. It leaves out the Latin parts, the digits
// and the letters the target script lacks, which the engine handles.
QString remap(const QString &text, char16_t from, char16_t to)
{
    QString out = text;
    QChar *d = out.data();
    for (qsizetype i = 0, n = out.size(); i < n; ++i) {
        const char16_t u = d[i].unicode();
        if (u >= from && u < from + 0x80)
            d[i] = QChar(char16_t(u - from + to));
    }
    return out;
}

const char *const languageNames[] = { "Kannada",  "Telugu",  "Malayalam", "Oriya", "Hindi",
                                      "Gujarati", "Bengali", "Gurmukhi",  "Tamil" };

void BM_unicodeToUnicode1MB(benchmark::State &state)
{
    const QString text = kannadaText();
    const qint64 bytes = text.toUtf8().size();
    const int language = int(state.range(0));
    const char16_t from = char16_t(ZuvoScriptConverter().unicodeOffset(Language::Kannada));
    const char16_t to = char16_t(ZuvoScriptConverter().unicodeOffset(language));
    QList<double> ours;
    QList<double> floor;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        ZuvoScriptConverter converter;
        benchmark::DoNotOptimize(converter.unicodeToUnicode(text, language, 0));
        ours.append(timer.nsecsElapsed() / 1e9);

        state.PauseTiming();
        timer.start();
        benchmark::DoNotOptimize(remap(text, from, to));
        floor.append(timer.nsecsElapsed() / 1e9);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel("UTF-8 bytes of input");

    const double oursMedian = median(ours);
    const double floorMedian = median(floor);
    report(QStringLiteral("script %1").arg(language),
           QStringLiteral("Kannada to %1, %2 MB in one call: ours %3, floor %4 (each letter "
                          "moved by the offset between the blocks), ratio %5 (no goal set)")
               .arg(QLatin1String(languageNames[language]))
               .arg(bytes / 1048576.0, 0, 'f', 2)
               .arg(duration(oursMedian), duration(floorMedian), ratio(oursMedian, floorMedian)));
}
BENCHMARK(BM_unicodeToUnicode1MB)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The script converter goes word by word (a converter per word) and rejoins.
// The floor splits and rejoins the same way and remaps each word, so that the
// ratio is what the engine costs per word, not the split.
void BM_unicodeToUnicodeWordByWord(benchmark::State &state)
{
    const QString text = kannadaText();
    const qint64 bytes = text.toUtf8().size();
    const QStringList lines = text.split(QLatin1Char('\n'));
    const char16_t from = char16_t(ZuvoScriptConverter().unicodeOffset(Language::Kannada));
    const char16_t to = char16_t(ZuvoScriptConverter().unicodeOffset(Language::Telugu));
    QList<double> ours;
    QList<double> floor;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QStringList outLines;
        for (const QString &line : lines) {
            QStringList out;
            for (const QString &w : line.split(QLatin1Char(' '))) {
                ZuvoScriptConverter converter;
                out << converter.unicodeToUnicode(w, 1, 0);
            }
            outLines << out.join(QLatin1Char(' '));
        }
        benchmark::DoNotOptimize(outLines);
        ours.append(timer.nsecsElapsed() / 1e9);

        state.PauseTiming();
        timer.start();
        QStringList plainLines;
        for (const QString &line : lines) {
            QStringList out;
            for (const QString &w : line.split(QLatin1Char(' ')))
                out << remap(w, from, to);
            plainLines << out.join(QLatin1Char(' '));
        }
        benchmark::DoNotOptimize(plainLines);
        floor.append(timer.nsecsElapsed() / 1e9);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);

    const double oursMedian = median(ours);
    const double floorMedian = median(floor);
    report(QStringLiteral("words"),
           QStringLiteral("Kannada to Telugu, %1 MB word by word: ours %2, floor %3 (the same "
                          "split and join, each word's letters moved by the offset between "
                          "the blocks), ratio %4 (no goal set)")
               .arg(bytes / 1048576.0, 0, 'f', 2)
               .arg(duration(oursMedian), duration(floorMedian), ratio(oursMedian, floorMedian)));
}
BENCHMARK(BM_unicodeToUnicodeWordByWord)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        std::printf("note: platform %s; run under scripts/with-xvfb for X11 keys and repaints\n",
                    qPrintable(QGuiApplication::platformName()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PlainTyping::destroy();
    for (const QString &figure : std::as_const(summaryOrder))
        std::printf("%s\n", qPrintable(summary.value(figure)));
    return 0;
}
