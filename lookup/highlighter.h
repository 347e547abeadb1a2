#ifndef ZUVO_LOOKUP_HIGHLIGHTER_H
#define ZUVO_LOOKUP_HIGHLIGHTER_H

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QTextBlock;
class QTextEdit;
class QTimer;
class Utils;

// Underlines, in one editor's document, every word that the spelling test
// reports as misspelt. A word is a run of letters, combining marks, digits,
// "_", ZWNJ and ZWJ, so that a word of Indic text (vowel signs, the virama,
// the joiners the typing engine writes) is checked whole.
//
// Each block keeps its misspelt words, checked again whenever the block
// changes. In the editor's own document the underlines are painted over the
// editor's text rather than set as formats of the block's layout: every
// format range cuts a paragraph into separate runs for text shaping, so a
// long paragraph with many unknown words took about a third longer to lay
// out on every key typed in it. Painting them costs the visible words only.
// In a document the editor does not show (the highlighter moved onto another
// one) the words get the misspelling format as layout formats instead.
//
// In the editor's own document a change of more than a few thousand words at
// once (a file's text set, a long paste) is checked in short slices from the
// event loop, the blocks in view first, so that the window repaints and
// takes keys meanwhile; a word typed is marked as soon as it ends.
class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    // Works on the editor's document, and on the one the editor is given
    // when that document is replaced; deleted with the editor. The spell
    // checker is not owned; checking starts on.
    Highlighter(Utils *spellChecker, QTextEdit *editor);
    ~Highlighter() override;

    // Stores the flag only: the caller re-highlights.
    void setSpellCheckAsYouType(bool on);
    bool spellCheckAsYouType() const;

    // Checks the whole document again. It hides the base class's function
    // (which is not virtual) with one that stays fast on long documents in a
    // shown editor: call it through a Highlighter pointer. In the editor's
    // own document a long text is checked in short slices from the event
    // loop, the blocks in view first; each block keeps its marks until it
    // is checked again.
    void rehighlight();
    // Checks the block now. Hides the base class's function likewise.
    void rehighlightBlock(const QTextBlock &block);
    // Works on the document from now on; hides the base class's function
    // likewise.
    void setDocument(QTextDocument *document);

    // A misspelt word of a block: its start and length in the block's text.
    struct Misspelling
    {
        int start;
        int length;
        bool operator==(const Misspelling &other) const
        {
            return start == other.start && length == other.length;
        }
    };
    // The misspelt words of the block as last checked, in text order.
    static QList<Misspelling> misspellings(const QTextBlock &block);

protected:
    void highlightBlock(const QString &text) override;

private:
    bool paintsOverEditor() const;
    // The misspelt words of a block's text, in text order.
    QList<Misspelling> findMisspellings(const QString &text) const;
    void letBaseFollow(bool on);
    void noteChange(int from, int removed, int added);
    bool deferred() const;
    void leavePending(const QTextBlock &block, const QString &text);
    void checkBlock(const QTextBlock &block);
    // Keeps a block's misspelt words, with a repaint when the marks of a
    // block in view changed.
    void keepMisspellings(const QTextBlock &block, const QString &text, QList<Misspelling> words,
                          bool shown);
    void queue(int position);
    void checkSlice();
    void followEditorDocument();
    void scheduleRepaint();

    QTextCharFormat m_misspellingFormat;
    Utils *m_spellChecker;
    bool m_checking = true;
    QPointer<QTextEdit> m_editor;
    bool m_repaintPending = false;

    // The checks left for the event loop: the blocks marked pending, all at
    // or after the scan position (-1: none), which follows the edits. (A
    // text cursor would follow them too, but moving one lays the document
    // out up to it.)
    int m_scan = -1;
    // The first slice of a pass checks the blocks in view first.
    bool m_viewFirst = false;
    QTimer *m_sliceTimer = nullptr;
    // Whether the base class checks the blocks of each change (it does not
    // in the editor's own document).
    bool m_baseFollows = false;
    // A whole-document pass too long to check at once, while the base class
    // goes over its blocks: they are left pending.
    bool m_bulkAll = false;
    // Set while blocks are checked on purpose (a slice, rehighlightBlock).
    bool m_checkNow = false;
    // While a slice runs: the text positions in view, where a block whose
    // marks changed needs a repaint.
    int m_shownFrom = -1;
    int m_shownTo = -1;
};

#endif
