// Transliteration engine: whole-word conversion as the editors do it after
// every key, and script-to-script conversion of a large Kannada text.
//
// The words come from the Kannada spelling word list when aspell has it
// (romanised back for each keyboard), else from a syllable generator.
#include <benchmark/benchmark.h>

#include <QHash>
#include <QStringList>

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

void BM_ansiToUnicodeWord(benchmark::State &state)
{
    const int keyboard = int(state.range(0));
    const QStringList words = wordsFor(keyboard);
    for (auto _ : state) {
        for (const QString &w : words) {
            // A fresh converter per word, as the typing widgets use it.
            ZuvoScriptConverter converter;
            QString out = converter.ansiToUnicode(w, 0, keyboard);
            benchmark::DoNotOptimize(out);
        }
    }
    state.counters["s_per_word"] = benchmark::Counter(
        double(words.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(QStringLiteral("%1 words").arg(words.size()).toStdString());
}
BENCHMARK(BM_ansiToUnicodeWord)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Each key retypes the whole word so far: the cost of typing every word key by key.
void BM_ansiToUnicodeKeystrokes(benchmark::State &state)
{
    const QStringList words = wordsFor(0);
    qint64 keys = 0;
    for (auto _ : state) {
        for (const QString &w : words) {
            for (qsizetype n = 1; n <= w.size(); ++n) {
                ZuvoScriptConverter converter;
                benchmark::DoNotOptimize(converter.ansiToUnicode(w.left(n), 0, 0));
            }
        }
    }
    for (const QString &w : words)
        keys += w.size();
    state.counters["s_per_key"] = benchmark::Counter(
        double(keys), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ansiToUnicodeKeystrokes)->Unit(benchmark::kMillisecond);

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

void BM_unicodeToUnicode1MB(benchmark::State &state)
{
    const QString text = kannadaText();
    const qint64 bytes = text.toUtf8().size();
    for (auto _ : state) {
        ZuvoScriptConverter converter;
        benchmark::DoNotOptimize(converter.unicodeToUnicode(text, int(state.range(0)), 0));
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel("UTF-8 bytes of input");
}
BENCHMARK(BM_unicodeToUnicode1MB)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The script converter goes word by word (a converter per word) and rejoins.
void BM_unicodeToUnicodeWordByWord(benchmark::State &state)
{
    const QString text = kannadaText();
    const qint64 bytes = text.toUtf8().size();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (auto _ : state) {
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
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_unicodeToUnicodeWordByWord)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
