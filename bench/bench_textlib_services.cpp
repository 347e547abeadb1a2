// Dictionary lookups, nearby words, spelling suggestions and the completer's
// word list over a large Kannada dictionary: every word of the Kannada
// spelling word list (aspell's, about 59,000 words) with a generated meaning.
//
// Targets: findMeaningOf at most 5 ms per lookup after the first,
// nearByWords and suggestions at most 10 ms per word with the whole list in
// the word model, unicodeWords(0) (the completer's fill) at most 150 ms.
// Suggestions are timed for the confusions a typist makes that the generator
// knows (a vowel sign dropped, a virama put in) and for arbitrary
// single-letter typos (a letter deleted, inserted, substituted, or two
// letters transposed), which its edits mostly cannot undo.
// The "first" figures make each call re-read the file (its modification time
// moves), so they show the cost without the caches.
//
// Each figure has a floor measured in the same run, plain Qt code doing the
// same work (see the comment above each floor); the summary after the run
// gives the medians of both and their ratio.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringListModel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "benchfigures.h"
#include "benchwords.h"
#include "dctwriter.h"
#include "dictionary.h"
#include "sqlcipherdriver.h"
#include "utils.h"

namespace {

struct Fixture
{
    std::unique_ptr<QTemporaryDir> dir;
    QString database;
    QStringList words; // the dictionary's headwords, in list order
    QStringList probes; // headwords spread over the whole list
    QStringList misspelt; // probes with one letter changed, mostly unknown
    QStringList typos; // probes with an arbitrary single-letter typo
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The time of each call, per figure and side, for the medians of the summary.
QMap<QString, QList<double>> &callTimes()
{
    static QMap<QString, QList<double>> times;
    return times;
}

QMap<QString, double> &foundPerWord()
{
    static QMap<QString, double> found;
    return found;
}

using BenchFigures::median;

// Runs the call, adds its time to the figure's list and returns its result.
template<typename F> auto timed(const char *figure, F &&call)
{
    QElapsedTimer timer;
    timer.start();
    auto result = call();
    callTimes()[QLatin1String(figure)].append(timer.nsecsElapsed() / 1e6);
    return result;
}

// aspell's list without the words the dictionary format cannot hold.
QStringList aspellWords()
{
    QStringList words;
    for (const QString &w : BenchWords::aspellKannadaWords()) {
        if (DctWriter::checkEntry({ w, QStringLiteral("<p>x</p>") }).isEmpty())
            words.append(w);
    }
    return words;
}

// The word with its last vowel sign dropped or, failing that, a virama put in.
QString misspell(const QString &word)
{
    for (qsizetype i = word.size() - 1; i > 0; --i) {
        const char16_t c = word.at(i).unicode();
        if (c >= 0x0CBE && c <= 0x0CCC)
            return QString(word).remove(i, 1);
    }
    return QString(word).insert(1, QChar(0x0CCD));
}

// One arbitrary single-letter typo of the word, of the kind given (0 delete,
// 1 insert, 2 substitute, 3 transpose), with Kannada letters and signs.
QString typo(const QString &word, int kind, QRandomGenerator &rng)
{
    const auto letter = [&rng] {
        return QChar(char16_t(rng.bounded(2) ? 0x0C95 + rng.bounded(0x24) // KA to HA
                                             : 0x0CBE + rng.bounded(0x0E))); // vowel signs
    };
    const int n = int(word.size());
    for (int attempt = 0; attempt < 20; ++attempt) {
        QString t = word;
        switch (kind) {
        case 0:
            if (n < 2)
                continue;
            t.remove(rng.bounded(n), 1);
            break;
        case 1:
            t.insert(rng.bounded(n + 1), letter());
            break;
        case 2:
            t[rng.bounded(n)] = letter();
            break;
        default: {
            if (n < 2)
                continue;
            const int i = rng.bounded(n - 1);
            std::swap(t[i], t[i + 1]);
            break;
        }
        }
        if (t != word)
            return t;
    }
    return word + letter();
}

bool setUp()
{
    Fixture &f = fixture();
    f.words = aspellWords();
    if (f.words.size() < 10000) {
        std::printf("NOTE: aspell's Kannada word list is missing (aspell-kn; scripts/install-deps "
                    "--test installs it); the figures below are for generated words\n");
        f.words = BenchWords::madeUpKannadaWords(59000);
    }
    f.dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(f.dir->path()); // an empty working folder: no usr.dct
    QDir(f.dir->path()).mkpath(QStringLiteral("dct"));
    f.database = f.dir->filePath(QStringLiteral("dct/kannada.dct"));

    QList<DctWriter::Entry> entries;
    entries.reserve(f.words.size());
    for (qsizetype i = 0; i < f.words.size(); ++i) {
        entries.append({ f.words.at(i),
                         QStringLiteral("<p><i>n.</i> meaning number %1 of the word <b>%2</b></p>")
                             .arg(i)
                             .arg(f.words.at(i)) });
    }
    QString error;
    if (!DctWriter::writeDictionary(f.database, entries, QStringLiteral("Kannada"),
                                    QStringLiteral("2025-01-01"), DctWriter::DefaultBlockSize,
                                    &error)) {
        std::fprintf(stderr, "bench_textlib_services: %s\n", qPrintable(error));
        return false;
    }
    Dictionary::setDictFolder(f.dir->filePath(QStringLiteral("dct")) + u'/');
    const qsizetype step = f.words.size() / 200;
    QRandomGenerator rng(23);
    for (qsizetype i = step / 2; i < f.words.size(); i += step) {
        f.probes.append(f.words.at(i));
        f.misspelt.append(misspell(f.words.at(i)));
        f.typos.append(typo(f.words.at(i), int(f.typos.size() % 4), rng));
    }
    std::printf("dictionary: %lld words, %lld bytes\n", qlonglong(f.words.size()),
                qlonglong(QFileInfo(f.database).size()));
    return true;
}

// Moves the database's modification time, so that every cache is stale.
void touchDatabase()
{
    static qint64 seconds = 0;
    QFile file(fixture().database);
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(QDateTime::currentDateTime().addSecs(++seconds),
                         QFileDevice::FileModificationTime);
    }
}

void BM_findMeaningOf(benchmark::State &state)
{
    const Fixture &f = fixture();
    Dictionary d;
    if (!d.isDictAvailable(0)) {
        state.SkipWithError("no dictionary");
        return;
    }
    QString meaning;
    d.findMeaningOf(f.probes.constFirst(), meaning); // the first lookup reads the headwords
    qsizetype i = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        meaning.clear();
        const QString &word = f.probes.at(i++ % f.probes.size());
        timed("findMeaningOf ours", [&] { return d.findMeaningOf(word, meaning); });
        found += meaning.isEmpty() ? 0 : 1;
    }
    if (found != qsizetype(state.iterations()))
        state.SkipWithError("a headword was not found");
}

void BM_findMeaningOf_first(benchmark::State &state)
{
    const Fixture &f = fixture();
    Dictionary d;
    d.isDictAvailable(0);
    qsizetype i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        touchDatabase();
        state.ResumeTiming();
        QString meaning;
        const QString &word = f.probes.at(i++ % f.probes.size());
        timed("findMeaningOf first ours", [&] { return d.findMeaningOf(word, meaning); });
        benchmark::DoNotOptimize(meaning);
    }
}

// The floors' database: a plain connection through the programs' driver,
// read-only, with the key statement sent, as every database is opened.
class PlainConnection
{
public:
    PlainConnection()
        : m_name(QStringLiteral("floor-%1").arg(++s_count))
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLCIPHER"), m_name);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.setDatabaseName(fixture().database);
        if (m_db.open())
            QSqlQuery(m_db).exec(QStringLiteral("PRAGMA key = 'd19e07ab3c5f2e8846b0';"));
    }
    ~PlainConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    PlainConnection(const PlainConnection &) = delete;
    PlainConnection &operator=(const PlainConnection &) = delete;

    QSqlDatabase &db() { return m_db; }

private:
    static inline int s_count = 0;
    QString m_name;
    QSqlDatabase m_db;
};

QString uncompressedText(const QVariant &value)
{
    return QString::fromUtf8(qUncompress(value.toByteArray()));
}

// Every Dict headword, in table order (which is sorted).
QStringList plainHeadwords(QSqlDatabase &db)
{
    QStringList heads;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT word FROM Dict"));
    while (query.next())
        heads.append(uncompressedText(query.value(0)).trimmed());
    return heads;
}

// One word's meaning the plain way: the row is the word's place among the
// sorted headwords; its block is inflated and the word's line taken.
QString plainMeaning(QSqlDatabase &db, const QStringList &heads, const QString &word)
{
    const qsizetype row = std::lower_bound(heads.cbegin(), heads.cend(), word) - heads.cbegin();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT data FROM Dict WHERE rowid = ?"));
    query.addBindValue(row);
    if (!query.exec() || !query.next())
        return QString();
    const QString block = uncompressedText(query.value(0));
    for (QStringView line : QStringView(block).tokenize(u'\n')) {
        const qsizetype lt = line.indexOf(u'<');
        if ((lt < 0 ? line : line.left(lt)).compare(word, Qt::CaseInsensitive) == 0)
            return line.toString();
    }
    return QString();
}

// Floor of a lookup: a connection kept open and the headwords read once (ours
// keeps them too), then per word one plain QSqlQuery of its block, inflated
// and searched for the word's line. It leaves out the connection ours opens
// per call and the check that the file is unchanged.
void BM_findMeaningOf_floor(benchmark::State &state)
{
    const Fixture &f = fixture();
    PlainConnection connection;
    const QStringList heads = plainHeadwords(connection.db());
    qsizetype i = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const QString &word = f.probes.at(i++ % f.probes.size());
        const QString meaning = timed("findMeaningOf floor",
                                      [&] { return plainMeaning(connection.db(), heads, word); });
        found += meaning.isEmpty() ? 0 : 1;
    }
    if (found != qsizetype(state.iterations()))
        state.SkipWithError("the floor did not find a headword");
}

// Floor of a first lookup: the file opened anew, every headword read (the
// row of a word cannot be known without them), then the same block query.
// It leaves out the index ours builds for the lookups after.
void BM_findMeaningOf_first_floor(benchmark::State &state)
{
    const Fixture &f = fixture();
    qsizetype i = 0;
    for (auto _ : state) {
        const QString &word = f.probes.at(i++ % f.probes.size());
        const QString meaning = timed("findMeaningOf first floor", [&] {
            PlainConnection connection;
            const QStringList heads = plainHeadwords(connection.db());
            return plainMeaning(connection.db(), heads, word);
        });
        benchmark::DoNotOptimize(meaning);
    }
}

// The letters and signs of the Kannada block a typo may bring in.
const QList<QChar> &kannadaLetters()
{
    static const QList<QChar> letters = [] {
        QList<QChar> l;
        for (char16_t c = 0x0C80; c <= 0x0CFF; ++c) {
            const QChar ch(c);
            if (ch.category() != QChar::Other_NotAssigned && !ch.isDigit())
                l.append(ch);
        }
        return l;
    }();
    return letters;
}

// The known words one edit away: every letter deleted, every two neighbours
// swapped, every letter replaced and a letter put in at every place, each
// candidate looked up in the set.
QStringList plainSuggestions(const QSet<QString> &known, const QString &word)
{
    QStringList found;
    QSet<QString> seen;
    const auto tryCandidate = [&](const QString &candidate) {
        if (candidate != word && known.contains(candidate) && !seen.contains(candidate)) {
            seen.insert(candidate);
            found.append(candidate);
        }
    };
    const qsizetype n = word.size();
    for (qsizetype i = 0; i < n; ++i)
        tryCandidate(QString(word).remove(i, 1));
    for (qsizetype i = 0; i + 1 < n; ++i) {
        QString t = word;
        std::swap(t[i], t[i + 1]);
        tryCandidate(t);
    }
    for (QChar c : kannadaLetters()) {
        for (qsizetype i = 0; i < n; ++i) {
            QString t = word;
            t[i] = c;
            tryCandidate(t);
        }
        for (qsizetype i = 0; i <= n; ++i)
            tryCandidate(QString(word).insert(i, c));
    }
    return found;
}

const QSet<QString> &knownWords()
{
    static const QSet<QString> known(fixture().words.cbegin(), fixture().words.cend());
    return known;
}

void BM_nearByWords(benchmark::State &state)
{
    const Fixture &f = fixture();
    Dictionary d;
    d.isDictAvailable(0);
    d.init(); // the whole list joins the word model
    qsizetype i = 0;
    for (auto _ : state) {
        const QString &word = f.misspelt.at(i++ % f.misspelt.size());
        const QStringList near = timed("nearByWords ours", [&] { return d.nearByWords(word); });
        benchmark::DoNotOptimize(near);
    }
}

// Floor of the nearby words: the dictionary's words read once by a plain
// query into a list and a set (ours keeps them too), then per word the known
// words one edit away and the words that contain it, at most ten. It leaves
// out the connection ours opens per call to see that the file is unchanged,
// and does more candidates than ours' edits (every letter at every place).
void BM_nearByWords_floor(benchmark::State &state)
{
    const Fixture &f = fixture();
    PlainConnection connection;
    QSqlQuery query(connection.db());
    QStringList all;
    if (query.exec(QStringLiteral("SELECT word FROM AllUnicodeWords")) && query.next())
        all = uncompressedText(query.value(0)).split(u'\n');
    const QSet<QString> known(all.cbegin(), all.cend());
    qsizetype i = 0;
    for (auto _ : state) {
        const QString &word = f.misspelt.at(i++ % f.misspelt.size());
        const QStringList near = timed("nearByWords floor", [&] {
            QStringList n = plainSuggestions(known, word).mid(0, 10);
            for (const QString &w : all) {
                if (n.size() >= 10)
                    break;
                if (w.contains(word) && !n.contains(w))
                    n.append(w);
            }
            return n;
        });
        benchmark::DoNotOptimize(near);
    }
}

void suggestionsOf(benchmark::State &state, const QStringList &words, const char *figure)
{
    Utils u;
    u.unicodeWords(0);
    qsizetype i = 0;
    qsizetype total = 0;
    for (auto _ : state) {
        const QString &word = words.at(i++ % words.size());
        const QStringList s = timed(figure, [&] { return u.suggestions(word); });
        total += s.size();
    }
    const double found = double(total) / double(qMax<qint64>(1, state.iterations()));
    state.counters["found"] = benchmark::Counter(found);
    foundPerWord()[QLatin1String(figure)] = found;
}

// Floor of the suggestions: a plain suggester of every word one edit away
// over the Kannada letters and signs, checked against a QSet of the same
// dictionary words. It does not rank its finds or add the words that contain
// the misspelt one, as ours does; the counts of both are printed, since the
// two do not find the same words.
void plainSuggestionsOf(benchmark::State &state, const QStringList &words, const char *figure)
{
    const QSet<QString> &known = knownWords();
    qsizetype i = 0;
    qsizetype total = 0;
    for (auto _ : state) {
        const QString &word = words.at(i++ % words.size());
        const QStringList s = timed(figure, [&] { return plainSuggestions(known, word); });
        total += s.size();
    }
    const double found = double(total) / double(qMax<qint64>(1, state.iterations()));
    state.counters["found"] = benchmark::Counter(found);
    foundPerWord()[QLatin1String(figure)] = found;
}

// The typist's confusions: a vowel sign dropped or a virama put in.
void BM_suggestions(benchmark::State &state)
{
    suggestionsOf(state, fixture().misspelt, "suggestions ours");
}

void BM_suggestions_floor(benchmark::State &state)
{
    plainSuggestionsOf(state, fixture().misspelt, "suggestions floor");
}

void BM_suggestions_arbitraryTypos(benchmark::State &state)
{
    suggestionsOf(state, fixture().typos, "suggestions typos ours");
}

void BM_suggestions_arbitraryTypos_floor(benchmark::State &state)
{
    plainSuggestionsOf(state, fixture().typos, "suggestions typos floor");
}

void BM_unicodeWords(benchmark::State &state)
{
    {
        Utils warm;
        warm.unicodeWords(0);
    }
    for (auto _ : state) {
        Utils u;
        QStringListModel *model = timed("unicodeWords ours", [&] { return u.unicodeWords(0); });
        benchmark::DoNotOptimize(model);
        if (model->rowCount() != fixture().words.size())
            state.SkipWithError("wrong word count");
    }
}

void BM_unicodeWords_first(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        touchDatabase();
        state.ResumeTiming();
        Utils u;
        benchmark::DoNotOptimize(
            timed("unicodeWords first ours", [&] { return u.unicodeWords(0); }));
    }
}

// Every word of the database into a model, the plain way: one query of the
// word list, inflated and split into a QStringList for a QStringListModel.
qsizetype plainFill(QSqlDatabase &db)
{
    QSqlQuery query(db);
    QStringList words;
    if (query.exec(QStringLiteral("SELECT word FROM AllUnicodeWords")) && query.next())
        words = uncompressedText(query.value(0)).split(u'\n');
    QStringListModel model(words);
    return model.rowCount();
}

// Floor of the completer's fill: a connection kept open and the plain fill
// each call. Ours keeps the list between calls instead, but opens the files
// of the dct folder each call to find the language's and to see that the
// file is unchanged; it also merges the user's word file.
void BM_unicodeWords_floor(benchmark::State &state)
{
    PlainConnection connection;
    for (auto _ : state) {
        const qsizetype rows =
            timed("unicodeWords floor", [&] { return plainFill(connection.db()); });
        if (rows != fixture().words.size())
            state.SkipWithError("wrong word count");
    }
}

// Floor of a first fill: the file opened anew each call too.
void BM_unicodeWords_first_floor(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(timed("unicodeWords first floor", [&] {
            PlainConnection connection;
            return plainFill(connection.db());
        }));
    }
}

// Ours and floor of a figure: the medians of their calls and the ratio.
void printSummary(const char *what, const char *key, const char *floorIs, const char *goal)
{
    const double ours = median(callTimes().value(QLatin1String(key) + QLatin1String(" ours")));
    const double floor = median(callTimes().value(QLatin1String(key) + QLatin1String(" floor")));
    if (ours < 0 || floor < 0)
        return;
    QString found;
    const auto &counts = foundPerWord();
    if (counts.contains(QLatin1String(key) + QLatin1String(" ours")))
        found = QStringLiteral(", found %1 a word against %2")
                    .arg(counts.value(QLatin1String(key) + QLatin1String(" ours")), 0, 'f', 2)
                    .arg(counts.value(QLatin1String(key) + QLatin1String(" floor")), 0, 'f', 2);
    std::printf("%s: ours %.3f ms, floor %.3f ms (%s%s), ratio %.2f (goal: %s)\n", what, ours,
                floor, floorIs, qPrintable(found), floor > 0 ? ours / floor : 0.0, goal);
}

} // namespace

BENCHMARK(BM_findMeaningOf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_findMeaningOf_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_findMeaningOf_first)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_findMeaningOf_first_floor)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_nearByWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_nearByWords_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_suggestions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_suggestions_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_suggestions_arbitraryTypos)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_suggestions_arbitraryTypos_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_unicodeWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_unicodeWords_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_unicodeWords_first)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_unicodeWords_first_floor)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // unicodeWords shows the wait cursor
    registerSqlCipherDriver();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!setUp())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary("findMeaningOf, a lookup after the first", "findMeaningOf",
                 "plain QSqlQuery of the block on an open connection", "at most 5 ms");
    printSummary("findMeaningOf, first lookup (file changed)", "findMeaningOf first",
                 "file opened anew, headwords read, plain QSqlQuery of the block",
                 "none; shows the cost without the caches");
    printSummary("nearByWords per word", "nearByWords",
                 "words one edit away in a QSet and the words containing it", "at most 10 ms");
    printSummary("suggestions per word, a typist's confusion", "suggestions",
                 "plain edit-distance-1 suggester against a QSet", "at most 10 ms");
    printSummary("suggestions per word, an arbitrary single-letter typo", "suggestions typos",
                 "plain edit-distance-1 suggester against a QSet", "at most 10 ms");
    printSummary("unicodeWords(0), the completer's fill", "unicodeWords",
                 "plain QSqlQuery of the word list into a QStringListModel, open connection",
                 "at most 150 ms");
    printSummary("unicodeWords(0), first fill (file changed)", "unicodeWords first",
                 "file opened anew, plain QSqlQuery of the word list into a QStringListModel",
                 "none; shows the cost without the caches");
    Dictionary::setDictFolder(QString());
    fixture().dir.reset();
    return 0;
}
