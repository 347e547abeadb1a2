// Kannada words for the benchmarks: the spelling word list of aspell when it is
// installed, else (or on top of it) distinct made-up words of Kannada syllables.
#ifndef ZUVO_BENCH_BENCHWORDS_H
#define ZUVO_BENCH_BENCHWORDS_H

#include <QStringList>

namespace BenchWords {

// `aspell -d kn dump master`, trimmed, without empty lines or repeats; empty
// when aspell or its Kannada list is missing. Read once per process.
const QStringList &aspellKannadaWords();

// `count` distinct words of two to five syllables (consonant, sometimes a
// conjunct, mostly a vowel sign), none of them in `avoid`; the same for the
// same seed on every run.
QStringList madeUpKannadaWords(qsizetype count, const QStringList &avoid = {}, quint32 seed = 7);

// `count` distinct words that the typing engine makes from two to four Latin
// syllables of the phonetic layout, so that they hold the vowel signs,
// viramas and conjuncts of typed text; the same for the same seed.
QStringList typedKannadaWords(qsizetype count, quint32 seed = 19);

} // namespace BenchWords

#endif // ZUVO_BENCH_BENCHWORDS_H
