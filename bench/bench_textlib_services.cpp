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
// Each figure has a floor: plain Qt code doing the same work on the same
// input (the comment above each says why it is the fair one and what it
// leaves out). Each iteration calls ours and the floor once, in turns (which
// goes first changes every iteration), and times each alone; the time the
// benchmark reports is ours. The summary after the run gives the medians of
// both and their ratio.
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
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringListModel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
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

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

// The times of ours and the floor of a figure, for the summary after the run.
struct Figure
{
    Figure(const QString &what, const QString &floorIs, const QString &goal)
        : what(what)
        , floorIs(floorIs)
        , goal(goal)
    {
    }

    QString what;
    QString floorIs;
    QString goal;
    QList<double> ours;
    QList<double> floor;
    double oursFound = -1; // suggestions found per word, where that counts
    double floorFound = -1;
};

QList<Figure> &figures()
{
    static QList<Figure> list;
    return list;
}

using BenchFigures::duration;
using BenchFigures::median;
using BenchFigures::ratio;

// Each iteration runs ours and the floor once, in turns, each timed alone
// (`prepare`, when there is one, runs untimed before each); the benchmark's
// time is ours. Both are given the iteration's number.
Figure &inTurns(benchmark::State &state, Figure figure, const std::function<void(qsizetype)> &ours,
                const std::function<void(qsizetype)> &floor,
                const std::function<void()> &prepare = {})
{
    qsizetype i = 0;
    for (auto _ : state) {
        double ms[2] = { 0, 0 };
        for (int turn = 0; turn < 2; ++turn) {
            const int side = (turn == 0) == (i % 2 == 0) ? 0 : 1;
            if (prepare)
                prepare();
            QElapsedTimer timer;
            timer.start();
            (side == 0 ? ours : floor)(i);
            ms[side] = timer.nsecsElapsed() / 1e6;
        }
        figure.ours << ms[0];
        figure.floor << ms[1];
        state.SetIterationTime(ms[0] / 1e3);
        ++i;
    }
    state.counters["floor_ms"] = median(figure.floor);
    state.counters["ratio"] = ratio(median(figure.ours), median(figure.floor)).toDouble();
    // The library runs a benchmark a few times to find how many iterations
    // to time: the last run counts.
    QList<Figure> &all = figures();
    for (Figure &f : all) {
        if (f.what == figure.what) {
            f = std::move(figure);
            return f;
        }
    }
    all.append(std::move(figure));
    return all.last();
}

// The floors' database: a plain connection through the programs' driver,
// read-only, as the programs open every database (the key statement they
// send after opening is one statement more).
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

// The floor of a lookup: a connection kept open and the headwords read once
// (ours keeps them too), then per word one plain QSqlQuery of its block,
// inflated and searched for the word's line. It leaves out the connection
// ours opens per call and the check that the file is unchanged.
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
    PlainConnection connection;
    const QStringList heads = plainHeadwords(connection.db());
    qsizetype found = 0;
    qsizetype floorFound = 0;
    inTurns(
        state,
        { QStringLiteral("findMeaningOf, a lookup after the first"),
          QStringLiteral("plain QSqlQuery of the word's block on an open connection"),
          QStringLiteral("at most 5 ms") },
        [&](qsizetype i) {
            meaning.clear();
            d.findMeaningOf(f.probes.at(i % f.probes.size()), meaning);
            found += meaning.isEmpty() ? 0 : 1;
        },
        [&](qsizetype i) {
            const QString plain =
                plainMeaning(connection.db(), heads, f.probes.at(i % f.probes.size()));
            floorFound += plain.isEmpty() ? 0 : 1;
        });
    if (found != qsizetype(state.iterations()) || floorFound != found)
        state.SkipWithError("a headword was not found");
}

// The floor of a first lookup: the file opened anew, every headword read (a
// word's row cannot be known without them), then the same block query. It
// leaves out the index ours builds for the lookups after.
void BM_findMeaningOf_first(benchmark::State &state)
{
    const Fixture &f = fixture();
    Dictionary d;
    d.isDictAvailable(0);
    inTurns(
        state,
        { QStringLiteral("findMeaningOf, a first lookup (the file changed)"),
          QStringLiteral("file opened anew, headwords read, plain QSqlQuery of the block"),
          QStringLiteral("none; the cost without the caches") },
        [&](qsizetype i) {
            QString meaning;
            d.findMeaningOf(f.probes.at(i % f.probes.size()), meaning);
            benchmark::DoNotOptimize(meaning);
        },
        [&](qsizetype i) {
            PlainConnection connection;
            const QStringList heads = plainHeadwords(connection.db());
            benchmark::DoNotOptimize(
                plainMeaning(connection.db(), heads, f.probes.at(i % f.probes.size())));
        },
        touchDatabase);
}

// The letters and signs of the Kannada block that a typo may bring in.
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

// The known words one edit away, the plain way: every letter deleted, every
// two neighbours swapped, every letter replaced by and a letter put in at
// every place with each Kannada letter and sign, each candidate looked up in
// the set.
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

// The dictionary's words the plain way: the word list read by one plain
// query, inflated and split.
QStringList plainAllWords(QSqlDatabase &db)
{
    QSqlQuery query(db);
    QStringList words;
    if (query.exec(QStringLiteral("SELECT word FROM AllUnicodeWords")) && query.next())
        words = uncompressedText(query.value(0)).split(u'\n');
    return words;
}

// The floor of the nearby words: the dictionary's words read once by a plain
// query into a list and a set (ours keeps them too), then per word the known
// words one edit away and the words that contain it, at most ten. It leaves
// out the connection ours opens per call to see that the file is unchanged;
// its edits are more than ours tries (every letter at every place) but it
// does not fill up with words containing the misspelt one before the
// dictionary's own such words, as ours does.
void BM_nearByWords(benchmark::State &state)
{
    const Fixture &f = fixture();
    Dictionary d;
    d.isDictAvailable(0);
    d.init(); // the whole list joins the word model
    PlainConnection connection;
    const QStringList all = plainAllWords(connection.db());
    const QSet<QString> known(all.cbegin(), all.cend());
    qsizetype found = 0;
    qsizetype floorFound = 0;
    Figure &figure = inTurns(
        state,
        { QStringLiteral("nearByWords per word"),
          QStringLiteral("words one edit away in a QSet, then the words containing it, of a "
                         "list read once by a plain QSqlQuery"),
          QStringLiteral("at most 10 ms") },
        [&](qsizetype i) { found += d.nearByWords(f.misspelt.at(i % f.misspelt.size())).size(); },
        [&](qsizetype i) {
            const QString &word = f.misspelt.at(i % f.misspelt.size());
            QStringList near = plainSuggestions(known, word).mid(0, 10);
            for (const QString &w : all) {
                if (near.size() >= 10)
                    break;
                if (w.contains(word) && !near.contains(w))
                    near.append(w);
            }
            floorFound += near.size();
        });
    const double n = double(qMax<qint64>(1, state.iterations()));
    figure.oursFound = double(found) / n;
    figure.floorFound = double(floorFound) / n;
    state.counters["found"] = figure.oursFound;
    state.counters["floor_found"] = figure.floorFound;
}

// The floor of the suggestions: a plain suggester of every word one edit
// away over the Kannada letters and signs, checked against a QSet of the same
// dictionary words. It tries far more candidates than ours (which tries the
// confusions of Kannada typing), but does not rank its finds or fill up with
// the known words that contain the misspelt one, as ours does: the numbers
// of words each finds are printed, since the two do not find the same words.
void suggestionsOf(benchmark::State &state, const QStringList &words, const QString &what)
{
    Utils u;
    u.unicodeWords(0);
    static const QSet<QString> known(fixture().words.cbegin(), fixture().words.cend());
    qsizetype found = 0;
    qsizetype floorFound = 0;
    Figure &figure = inTurns(
        state,
        { what, QStringLiteral("plain edit-distance-1 suggester against a QSet"),
          QStringLiteral("at most 10 ms") },
        [&](qsizetype i) { found += u.suggestions(words.at(i % words.size())).size(); },
        [&](qsizetype i) {
            floorFound += plainSuggestions(known, words.at(i % words.size())).size();
        });
    const double n = double(qMax<qint64>(1, state.iterations()));
    figure.oursFound = double(found) / n;
    figure.floorFound = double(floorFound) / n;
    state.counters["found"] = figure.oursFound;
    state.counters["floor_found"] = figure.floorFound;
}

// The typist's confusions: a vowel sign dropped or a virama put in.
void BM_suggestions(benchmark::State &state)
{
    suggestionsOf(state, fixture().misspelt,
                  QStringLiteral("suggestions per word, a typist's confusion"));
}

void BM_suggestions_arbitraryTypos(benchmark::State &state)
{
    suggestionsOf(state, fixture().typos,
                  QStringLiteral("suggestions per word, an arbitrary single-letter typo"));
}

// Every word of the database into a model, the plain way.
qsizetype plainFill(QSqlDatabase &db)
{
    QStringListModel model(plainAllWords(db));
    return model.rowCount();
}

// The floor of the completer's fill: a connection kept open and the plain
// fill at each call. Ours keeps the list between calls instead, but opens the
// files of the dct folder at each call to find the language's and to see that
// it is unchanged, and merges the user's word file (there is none here) into
// the list, dropping repeats, which the floor leaves out.
void BM_unicodeWords(benchmark::State &state)
{
    {
        Utils warm;
        warm.unicodeWords(0);
    }
    PlainConnection connection;
    qsizetype wrong = 0;
    inTurns(
        state,
        { QStringLiteral("unicodeWords(0), the completer's fill"),
          QStringLiteral("plain QSqlQuery of the word list into a QStringListModel, on an open "
                         "connection"),
          QStringLiteral("at most 150 ms") },
        [&](qsizetype) {
            Utils u;
            QStringListModel *model = u.unicodeWords(0);
            benchmark::DoNotOptimize(model);
            wrong += model->rowCount() != fixture().words.size() ? 1 : 0;
        },
        [&](qsizetype) { wrong += plainFill(connection.db()) != fixture().words.size() ? 1 : 0; });
    if (wrong > 0)
        state.SkipWithError("wrong word count");
}

// The floor of a first fill: the file opened anew at each call too.
void BM_unicodeWords_first(benchmark::State &state)
{
    inTurns(
        state,
        { QStringLiteral("unicodeWords(0), a first fill (the file changed)"),
          QStringLiteral("file opened anew, plain QSqlQuery of the word list into a "
                         "QStringListModel"),
          QStringLiteral("none; the cost without the caches") },
        [](qsizetype) {
            Utils u;
            benchmark::DoNotOptimize(u.unicodeWords(0));
        },
        [](qsizetype) {
            PlainConnection connection;
            benchmark::DoNotOptimize(plainFill(connection.db()));
        },
        touchDatabase);
}

void printSummary()
{
    for (const Figure &f : figures()) {
        const double ours = median(f.ours);
        const double floor = median(f.floor);
        QString floorIs = f.floorIs;
        if (f.oursFound >= 0)
            floorIs += QStringLiteral("; it finds %1 words a word, ours %2")
                           .arg(f.floorFound, 0, 'f', 2)
                           .arg(f.oursFound, 0, 'f', 2);
        std::printf("%s: ours %s, floor %s (%s), ratio %s (goal: %s)\n", qPrintable(f.what),
                    qPrintable(duration(ours / 1e3)), qPrintable(duration(floor / 1e3)),
                    qPrintable(floorIs), qPrintable(ratio(ours, floor)), qPrintable(f.goal));
    }
}

} // namespace

BENCHMARK(BM_findMeaningOf)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_findMeaningOf_first)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_nearByWords)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_suggestions)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_suggestions_arbitraryTypos)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_unicodeWords)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_unicodeWords_first)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

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
    printSummary();
    Dictionary::setDictFolder(QString());
    fixture().dir.reset();
    return 0;
}
