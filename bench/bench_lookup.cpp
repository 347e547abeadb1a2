// Spelling highlighter over a large Kannada document, and a keystroke in the
// transliterating box with a large completer. Prints one figure per line.
//
// Words come from the Kannada word list of aspell when it is installed
// (`aspell -d kn dump master`), topped up with made-up words to 60,000.

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
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int ModelWords = 60000;
constexpr int DocumentWords = 200000;

QStringList aspellWords()
{
    QProcess p;
    p.start(QStringLiteral("aspell"), { "-d", "kn", "dump", "master" });
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QStringList words;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        const QString w = line.trimmed();
        if (!w.isEmpty())
            words << w;
    }
    return words;
}

QString madeUpWord(QRandomGenerator &rng)
{
    static const char16_t consonants[] = { 0x0C95, 0x0C97, 0x0C9A, 0x0C9C, 0x0CA4, 0x0CA6,
                                           0x0CA8, 0x0CAA, 0x0CAC, 0x0CAE, 0x0CAF, 0x0CB0,
                                           0x0CB2, 0x0CB5, 0x0CB8, 0x0CB9 };
    static const char16_t signs[] = { 0, 0x0CBE, 0x0CBF, 0x0CC0, 0x0CC1, 0x0CC6, 0x0CCA, 0x0CCD };
    QString w;
    const int syllables = 2 + int(rng.bounded(4));
    for (int i = 0; i < syllables; ++i) {
        w.append(QChar(consonants[rng.bounded(int(std::size(consonants)))]));
        const char16_t s = signs[rng.bounded(int(std::size(signs)))];
        if (s)
            w.append(QChar(s));
    }
    return w;
}

QStringList modelWords(bool *fromAspell)
{
    QStringList words = aspellWords();
    *fromAspell = !words.isEmpty();
    words.removeDuplicates();
    if (words.size() > ModelWords)
        words.resize(ModelWords);
    QRandomGenerator rng(7);
    while (words.size() < ModelWords) {
        words << madeUpWord(rng);
        if (words.size() == ModelWords)
            words.removeDuplicates();
    }
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

struct Figures
{
    double min = 0, median = 0, max = 0, mean = 0;
};

Figures figures(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    Figures f;
    f.min = ms.front();
    f.max = ms.back();
    f.median = ms.at(ms.size() / 2);
    for (double v : ms)
        f.mean += v;
    f.mean /= ms.size();
    return f;
}

void benchRehighlight(const QStringList &words)
{
    Utils utils;
    {
        QTemporaryDir dir;
        const QString old = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile f(QStringLiteral("usr.dct"));
        if (!f.open(QIODevice::WriteOnly) || f.write(words.join(u'\n').toUtf8()) < 0)
            return;
        f.close();
        utils.loadUnicodeWords();
        QDir::setCurrent(old);
    }
    QTextEdit edit;
    edit.resize(900, 700);
    edit.show();
    edit.setPlainText(document(words));
    auto *highlighter = new Highlighter(&utils, &edit);
    QCoreApplication::processEvents();

    QList<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        highlighter->rehighlight();
        runs << t.nsecsElapsed() / 1e6;
    }
    const Figures f = figures(runs);
    std::printf("rehighlight %d words, %d-word model: median %.1f ms, min %.1f ms, max %.1f ms "
                "(goal 500 ms)\n",
                DocumentWords, int(words.size()), f.median, f.min, f.max);
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

void benchKeystroke(const QStringList &words)
{
    UnicodeLineEdit box;
    box.setCompleter(words);
    box.resize(400, 24);
    box.show();
    box.activateWindow();
    box.setFocus();
    QCoreApplication::processEvents();

    // Latin words whose prefixes match many completer entries.
    const QStringList typed { "kannaDa", "ka", "mane", "baraha", "sahaaya", "taayi", "kelasa" };
    QList<double> runs;
    int popupShown = 0;
    for (int round = 0; round < 40; ++round) {
        for (const QString &word : typed) {
            box.setText(QString());
            for (QChar c : word) {
                QElapsedTimer t;
                t.start();
                sendKey(&box, Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c));
                QCoreApplication::processEvents();
                runs << t.nsecsElapsed() / 1e6;
                popupShown += box.completer()->popup()->isVisible() ? 1 : 0;
            }
            QElapsedTimer t;
            t.start();
            sendKey(&box, Qt::Key_Backspace, QStringLiteral("\b"));
            QCoreApplication::processEvents();
            runs << t.nsecsElapsed() / 1e6;
            box.completer()->popup()->hide();
        }
    }
    const Figures f = figures(runs);
    std::printf("keystroke, %d-word completer: mean %.3f ms, median %.3f ms, max %.3f ms over %d "
                "keys, popup open after %d (goal 2 ms)\n",
                int(words.size()), f.mean, f.median, f.max, int(runs.size()), popupShown);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool fromAspell = false;
    const QStringList words = modelWords(&fromAspell);
    std::printf("words: %d (%s)\n", int(words.size()),
                fromAspell ? "aspell kn list, topped up" : "made up");
    benchRehighlight(words);
    benchKeystroke(words);
    return 0;
}
