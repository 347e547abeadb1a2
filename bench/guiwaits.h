// The program's own open path, timed the way the user waits for it: a file
// opened through the main window's tab controller (TabWidget::editFile) into
// a shown editor, until the document is shown and the GUI is idle, with the
// GUI-stall probe beating all along; and the floor, a plain QTextEdit in a
// shown window given the same document in the same run.
#ifndef ZUVO_BENCH_GUIWAITS_H
#define ZUVO_BENCH_GUIWAITS_H

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class QTextEdit;
class QWidget;

namespace benchmark {
class State;
}

namespace GuiWaits {

struct Figures
{
    double shownMs = -1; // from the request to the document shown
    double longestMs = 0; // the longest GUI stall
    double over50Ms = 0; // the sum of the stalls over 50 ms
    double idleMs = 0; // from the request to the GUI idle again
};

// Runs the event loop for that long.
void settle(int ms);

// The middle one of the values (-1 for none).
double median(QList<double> values);

// The font, document margin and frame of the program's editor for a Kannada
// document, given to a plain QTextEdit so that both lay out alike.
void styleLikeEditor(QTextEdit *edit);

// A private settings folder and working folder for the main window; call it
// before the application object is made.
void usePrivateFolders();

// The editor's area in the main window used by openInProgram, for the floor's
// window to match.
QSize editorSize();

// Opens the file with TabWidget::editFile in a fresh, shown main window whose
// word model holds `knownWords`, and waits until a viewport of an editor
// holding at least minCharacters is painted and the GUI is idle.
Figures openInProgram(const QString &path, int minCharacters, const QStringList &knownWords);

// The floor: `show` runs in the GUI thread (from the event loop) and gives the
// document to a plain QTextEdit shown in a window of editorSize().
Figures showInPlainEdit(const std::function<void(QTextEdit *)> &show, int minCharacters);

// Both, in turns (the order changes every iteration), for the medians.
struct Series
{
    QList<Figures> ours;
    QList<Figures> floor;
    QList<double> libraryMs; // the library call alone, where there is one

    // Sets the counters and remembers a line for printSummary().
    void report(benchmark::State &state, const QString &what) const;
};

// Opens the file in the program and shows the floor, in turns (which goes
// first changes every iteration), for each iteration of the benchmark; then
// times `library` (the library call alone) once, when there is one.
// `prepareFloor`, when there is one, runs before each turn of the floor,
// untimed.
Series openSeries(benchmark::State &state, const QString &path, int minCharacters,
                  const QStringList &knownWords, const std::function<void(QTextEdit *)> &floor,
                  const std::function<void()> &library = {},
                  const std::function<void()> &prepareFloor = {});

// The lines of every report() so far: each figure with its floor and ratio.
void printSummary();

} // namespace GuiWaits

#endif // ZUVO_BENCH_GUIWAITS_H
