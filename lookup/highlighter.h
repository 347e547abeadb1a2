#ifndef HIGHLIGHTER_H
#define HIGHLIGHTER_H

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QTextEdit;
class Utils;

// Underlines, in one editor's document, every word that the spelling test
// reports as misspelt. A word is a run of letters, combining marks, digits,
// "_", ZWNJ and ZWJ, so that a word of Indic text (vowel signs, the virama,
// the joiners the typing engine writes) is checked whole.
class Highlighter : public QSyntaxHighlighter
{
public:
    // Works on the editor's document and is deleted with the editor. The
    // spell checker is not owned; checking starts on.
    Highlighter(Utils *spellChecker, QTextEdit *editor);
    ~Highlighter() override;

    // Stores the flag only: the caller re-highlights.
    void setSpellCheckAsYouType(bool on);
    bool spellCheckAsYouType() const;

    // Formats the whole document again. It hides the base class's function
    // (which is not virtual) with one that stays fast on long documents in a
    // shown editor: call it through a Highlighter pointer.
    void rehighlight();

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_misspellingFormat;
    Utils *m_spellChecker;
    bool m_checking = true;
};

#endif
