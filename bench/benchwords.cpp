#include "benchwords.h"

#include "zuvoscriptconverter.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

namespace BenchWords {

const QStringList &aspellKannadaWords()
{
    static const QStringList words = [] {
        QProcess p;
        p.start(QStringLiteral("aspell"),
                { QStringLiteral("-d"), QStringLiteral("kn"), QStringLiteral("dump"),
                  QStringLiteral("master") });
        QStringList list;
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return list;
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
        for (const QString &line : lines) {
            const QString w = line.trimmed();
            if (!w.isEmpty())
                list << w;
        }
        list.removeDuplicates();
        return list;
    }();
    return words;
}

QStringList madeUpKannadaWords(qsizetype count, const QStringList &avoid, quint32 seed)
{
    QSet<QString> seen(avoid.cbegin(), avoid.cend());
    QStringList words;
    QRandomGenerator rng(seed);
    while (words.size() < count) {
        QString w;
        const int syllables = rng.bounded(2, 6);
        for (int s = 0; s < syllables; ++s) {
            w.append(QChar(char16_t(0x0C95 + rng.bounded(0x24))));
            if (rng.bounded(5) == 0) {
                w.append(QChar(char16_t(0x0CCD)));
                w.append(QChar(char16_t(0x0C95 + rng.bounded(0x24))));
            }
            if (rng.bounded(3))
                w.append(QChar(char16_t(0x0CBE + rng.bounded(0x0E))));
        }
        if (!seen.contains(w)) {
            seen.insert(w);
            words << w;
        }
    }
    return words;
}

QStringList typedKannadaWords(qsizetype count, quint32 seed)
{
    const QStringList consonants =
        QStringLiteral("k g c j T D N t d n p b m y r l v s h L kk tt nn ll mm sh").split(u' ');
    const QStringList vowels = QStringLiteral("a a a aa i ii u e ee o oo ai").split(u' ');
    ZuvoScriptConverter converter;
    QRandomGenerator rng(seed);
    QSet<QString> seen;
    QStringList words;
    while (words.size() < count) {
        QString latin;
        const int syllables = int(rng.bounded(2, 5));
        for (int i = 0; i < syllables; ++i)
            latin += consonants.at(rng.bounded(int(consonants.size()))) +
                vowels.at(rng.bounded(int(vowels.size())));
        const QString word = converter.ansiToUnicode(latin, 0, 0);
        if (!seen.contains(word)) {
            seen.insert(word);
            words << word;
        }
    }
    return words;
}

} // namespace BenchWords
