// One keystroke in the tab editor while a long Kannada document is open: the
// word's conversion, its replacement in the document, the spelling
// highlighter's pass over the block and the layout. Typed at the end of one
// long paragraph, and at the end of a document of many short paragraphs.

#include <benchmark/benchmark.h>

#include "sqlcipherdriver.h"
#include "unicodekaeditor.h"
#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const QStringList latinWords =
    QStringLiteral("kannaDa mane baraha sahaaya taayi kelasa oMdu hesaru shaale huDuga")
        .split(QLatin1Char(' '));

QString kannadaText(int words, int wordsPerParagraph)
{
    ZuvoScriptConverter converter;
    QStringList converted;
    for (const QString &w : latinWords)
        converted << converter.ansiToUnicode(w, 0, 0);
    QString text;
    text.reserve(words * 8);
    for (int i = 0; i < words; ++i) {
        text += converted.at(i % converted.size());
        text += (i + 1) % wordsPerParagraph == 0 ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return text;
}

void sendKey(QWidget *w, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void typeInto(benchmark::State &state, int words, int wordsPerParagraph, bool spellCheck = true)
{
    QTemporaryDir dir; // the word file is looked for in the current directory
    QDir::setCurrent(dir.path());
    Utils utils;
    utils.loadUnicodeWords();
    UnicodeKaEditor editor(&utils, 0, 0, nullptr);
    editor.setSpellCheckAsYouType(spellCheck);
    editor.resize(800, 600);
    editor.setPlainText(kannadaText(words, wordsPerParagraph));
    editor.show();
    editor.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();

    QList<QPair<int, QString>> keys;
    for (const QString &word : latinWords) {
        for (QChar c : word)
            keys.append({ Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c) });
        keys.append({ Qt::Key_Backspace, QStringLiteral("\b") });
        keys.append({ Qt::Key_Space, QStringLiteral(" ") });
    }
    qsizetype next = 0;
    QList<double> times;
    times.reserve(qsizetype(state.max_iterations));
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        sendKey(&editor, keys.at(next).first, keys.at(next).second);
        QCoreApplication::processEvents();
        times.append(t.nsecsElapsed() / 1e6);
        next = (next + 1) % keys.size();
    }
    std::sort(times.begin(), times.end());
    state.counters["document_words"] = words;
    if (!times.isEmpty()) {
        state.counters["median_ms"] = times.at(times.size() / 2);
        state.counters["p99_ms"] = times.at(times.size() * 99 / 100);
        state.counters["slowest_ms"] = times.back();
    }
}

void BM_KeystrokeLongParagraph(benchmark::State &state)
{
    typeInto(state, 5000, 1000000);
}

// The same without underlining: the share of the spelling pass.
void BM_KeystrokeLongParagraphNoSpelling(benchmark::State &state)
{
    typeInto(state, 5000, 1000000, false);
}

void BM_KeystrokeLongDocument(benchmark::State &state)
{
    typeInto(state, 100000, 12);
}

} // namespace

BENCHMARK(BM_KeystrokeLongParagraph)->Unit(benchmark::kMillisecond)->Iterations(500);
BENCHMARK(BM_KeystrokeLongParagraphNoSpelling)->Unit(benchmark::kMillisecond)->Iterations(500);
BENCHMARK(BM_KeystrokeLongDocument)->Unit(benchmark::kMillisecond)->Iterations(500);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
