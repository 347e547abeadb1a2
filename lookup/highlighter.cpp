#include "highlighter.h"

#include "misspellingpainter.h"
#include "utils.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace {

// A change or pass over more characters than this is checked in slices from
// the event loop: some 100,000 words checked at once held the window for
// tens of milliseconds more after their text was set. Fewer are checked at
// once, in a few milliseconds.
constexpr int checkAtOnce = 20000;

// The time one slice of checks may take before the event loop goes on.
constexpr qint64 sliceNs = 8 * 1000 * 1000;

char32_t codePointAt(const QString &s, qsizetype i, int *len)
{
    const QChar high = s.at(i);
    if (high.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        *len = 2;
        return QChar::surrogateToUcs4(high, s.at(i + 1));
    }
    *len = 1;
    return high.unicode();
}

// What a block keeps of its last check: the misspelt words, and the text
// they were found in (by hash), which tells a re-check of unchanged text
// (the word list changed: nothing else repaints the block) from an edit
// (the edit lays the block out and repaints it anyway).
class BlockMisspellings : public QTextBlockUserData
{
public:
    QList<Highlighter::Misspelling> words;
    size_t textHash = 0;
    // Left for a later slice; the words are those of the last check, kept
    // while the text is the same. (A block that was never checked has no
    // record at all: new text is left so without one.)
    bool pending = false;
};

bool isPending(const QTextBlock &block)
{
    const auto *data = dynamic_cast<const BlockMisspellings *>(block.userData());
    return !data || data->pending;
}

} // namespace

Highlighter::Highlighter(Utils *spellChecker, QTextEdit *editor)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr))
    , m_spellChecker(spellChecker)
    , m_editor(editor)
{
    m_misspellingFormat.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_misspellingFormat.setProperty(QTextFormat::TextUnderlineColor, QColor(Qt::red));
    setParent(editor);
    m_sliceTimer = new QTimer(this);
    m_sliceTimer->setSingleShot(true);
    m_sliceTimer->setInterval(0);
    connect(m_sliceTimer, &QTimer::timeout, this, &Highlighter::checkSlice);
    if (editor) {
        // Attaching to a document schedules a first pass of the whole text
        // through the base class. Ours is queued before it, runs first and
        // leaves the base class nothing pending, so the first pass is the
        // fast one too.
        QMetaObject::invokeMethod(this, &Highlighter::rehighlight, Qt::QueuedConnection);
        setDocument(editor->document());
        connect(editor->document(), &QObject::destroyed, this, &Highlighter::followEditorDocument,
                Qt::QueuedConnection);
        // The underlines go over the editor's text; the painter reads each
        // block's misspelt words as they were last checked.
        new MisspellingPainter(
            editor, m_misspellingFormat.underlineColor(), [this] { return paintsOverEditor(); },
            this);
    }
}

Highlighter::~Highlighter()
{
    // The base class's destructor clears the document's formats, which
    // reports a change: this part of the object is gone by then.
    if (QTextDocument *doc = document())
        disconnect(doc, &QTextDocument::contentsChange, this, &Highlighter::noteChange);
}

void Highlighter::setSpellCheckAsYouType(bool on)
{
    m_checking = on;
}

bool Highlighter::spellCheckAsYouType() const
{
    return m_checking;
}

bool Highlighter::paintsOverEditor() const
{
    return m_editor && document() && m_editor->document() == document();
}

// The editor was given a new document and its old one went (an imported
// file is installed so): the new one is checked like the first. A
// highlighter moved onto another document on purpose stays there.
void Highlighter::followEditorDocument()
{
    if (!m_editor || document())
        return;
    QTextDocument *doc = m_editor->document();
    setDocument(doc);
    connect(doc, &QObject::destroyed, this, &Highlighter::followEditorDocument,
            Qt::QueuedConnection);
}

void Highlighter::setDocument(QTextDocument *doc)
{
    if (QTextDocument *old = document())
        disconnect(old, &QTextDocument::contentsChange, this, &Highlighter::noteChange);
    m_scan = -1;
    m_sliceTimer->stop();
    QSyntaxHighlighter::setDocument(doc);
    m_baseFollows = doc != nullptr;
    if (doc) {
        connect(doc, &QTextDocument::contentsChange, this, &Highlighter::noteChange);
        if (paintsOverEditor())
            letBaseFollow(false);
    }
}

// The base class goes over every block a change touched and sets up formats
// for each of its characters, which painted marks do without: in the
// editor's own document the changes are followed here instead. The base
// class's slot is private: its name is the only way to reach it.
void Highlighter::letBaseFollow(bool on)
{
    QTextDocument *doc = document();
    if (!doc || on == m_baseFollows)
        return;
    if (on) {
        m_baseFollows = connect(doc, SIGNAL(contentsChange(int, int, int)), this,
                                SLOT(_q_reformatBlocks(int, int, int)));
    } else if (disconnect(doc, SIGNAL(contentsChange(int, int, int)), this,
                          SLOT(_q_reformatBlocks(int, int, int)))) {
        m_baseFollows = false;
    }
}

void Highlighter::noteChange(int from, int removed, int added)
{
    // The scan position stays on its character, or goes to the change that
    // took that character away.
    if (m_scan > from)
        m_scan = from + removed <= m_scan ? m_scan + added - removed : from;
    if (m_baseFollows)
        return;
    // The blocks the change touched, as the base class counts them: with a
    // removal, the block after it too.
    QTextDocument *doc = document();
    QTextBlock block = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + added + (removed > 0 ? 1 : 0));
    const int end = last.isValid() ? last.position() + last.length() : doc->characterCount();
    if (!paintsOverEditor()) {
        // The editor shows another document now: this one gets its marks as
        // layout formats again, through the base class.
        letBaseFollow(true);
        const bool was = m_checkNow;
        m_checkNow = true;
        for (; block.isValid() && block.position() < end; block = block.next())
            QSyntaxHighlighter::rehighlightBlock(block);
        m_checkNow = was;
        return;
    }
    // A long change is checked in slices; a word typed is marked as soon
    // as it ends.
    const bool later = added > checkAtOnce;
    for (; block.isValid() && block.position() < end; block = block.next()) {
        if (later)
            leavePending(block, block.text());
        else
            checkBlock(block);
    }
    if (later)
        queue(from);
}

// Only the editor's own document is checked in slices: its marks are painted,
// so checking a block later costs no layout.
bool Highlighter::deferred() const
{
    return m_bulkAll && !m_checkNow && paintsOverEditor();
}

void Highlighter::leavePending(const QTextBlock &block, const QString &text)
{
    if (auto *data = dynamic_cast<BlockMisspellings *>(block.userData())) {
        const size_t hash = qHash(text);
        if (data->textHash != hash)
            data->words.clear();
        data->textHash = hash;
        data->pending = true;
    }
}

void Highlighter::checkBlock(const QTextBlock &block)
{
    const QString text = block.text();
    const bool shown = m_shownTo < 0 ||
        (block.position() <= m_shownTo && block.position() + block.length() >= m_shownFrom);
    keepMisspellings(block, text, findMisspellings(text), shown);
}

void Highlighter::keepMisspellings(const QTextBlock &block, const QString &text,
                                   QList<Misspelling> words, bool shown)
{
    auto *data = dynamic_cast<BlockMisspellings *>(block.userData());
    const bool fresh = !data;
    if (fresh) {
        data = new BlockMisspellings;
        QTextBlock(block).setUserData(data);
    }
    const size_t hash = qHash(text);
    // An edit repaints its block anyway. A block checked for the first time,
    // or again with the same text (the word list changed), needs a repaint
    // when its painted marks changed and it is in view.
    if (paintsOverEditor() && shown && data->words != words && (fresh || data->textHash == hash))
        scheduleRepaint();
    data->words = std::move(words);
    data->textHash = hash;
    data->pending = false;
}

void Highlighter::rehighlightBlock(const QTextBlock &block)
{
    const bool was = m_checkNow;
    m_checkNow = true;
    QSyntaxHighlighter::rehighlightBlock(block);
    m_checkNow = was;
}

void Highlighter::queue(int position)
{
    if (m_scan < 0)
        m_viewFirst = true;
    if (m_scan < 0 || position < m_scan)
        m_scan = position;
    if (!m_sliceTimer->isActive())
        m_sliceTimer->start();
}

void Highlighter::checkSlice()
{
    QTextDocument *doc = document();
    if (!doc || m_scan < 0) {
        m_scan = -1;
        return;
    }
    QElapsedTimer clock;
    clock.start();
    m_checkNow = true;
    // The words of a pending block are found here rather than through the
    // base class: its way to a block moves a text cursor there, which lays
    // the document out up to that block at once, in ever larger steps. Only
    // a block in view needs a repaint for its marks; the others are painted
    // with them when they come into view.
    const auto check = [this](const QTextBlock &block) {
        if (paintsOverEditor())
            checkBlock(block);
        else
            QSyntaxHighlighter::rehighlightBlock(block);
    };
    // The blocks in view first: that is where the user looks.
    m_shownFrom = m_shownTo = -1;
    // Finding them takes the layout's hit test, which lays out one more
    // step of a document not laid out whole yet: once per pass. Later
    // slices come after in a few milliseconds anyway.
    if (m_viewFirst && paintsOverEditor() && m_editor->isVisible()) {
        const QRect view = m_editor->viewport()->rect();
        m_shownFrom = m_editor->cursorForPosition(view.topLeft()).block().position();
        const QTextBlock last = m_editor->cursorForPosition(view.bottomRight()).block();
        m_shownTo = last.position() + last.length();
        for (QTextBlock b = doc->findBlock(m_shownFrom); b.isValid() && b.position() <= m_shownTo;
             b = b.next()) {
            if (isPending(b))
                check(b);
        }
    }
    m_viewFirst = false;
    // Then the rest in text order, for as long as a slice lasts.
    QTextBlock b = doc->findBlock(m_scan);
    while (b.isValid() && clock.nsecsElapsed() < sliceNs) {
        if (isPending(b))
            check(b);
        b = b.next();
    }
    m_checkNow = false;
    m_shownFrom = m_shownTo = -1;
    if (b.isValid()) {
        m_scan = b.position();
        m_sliceTimer->start();
    } else {
        m_scan = -1;
    }
}

void Highlighter::rehighlight()
{
    QTextDocument *doc = document();
    if (!doc)
        return;
    // Painted underlines and a plain-text layout (which re-lays out only the
    // block that changed) take no layout walk.
    if (paintsOverEditor() || qobject_cast<QPlainTextDocumentLayout *>(doc->documentLayout())) {
        m_bulkAll = doc->characterCount() > checkAtOnce;
        QSyntaxHighlighter::rehighlight();
        m_bulkAll = false;
        return;
    }
    // The rich-text layout of a shown editor re-lays out each block the
    // moment its formats change, walking the document from its start every
    // time: a full pass over 200,000 words took about a minute. With a null
    // page size the layout only forgets the blocks' lines; putting the page
    // size back then lays the document out once, lazily, as after loading.
    // The scroll position is not touched.
    const QSizeF page = doc->pageSize();
    doc->setPageSize(QSizeF(0, 0));
    QSyntaxHighlighter::rehighlight();
    doc->setPageSize(page);
}

QList<Highlighter::Misspelling> Highlighter::misspellings(const QTextBlock &block)
{
    const auto *data = dynamic_cast<const BlockMisspellings *>(block.userData());
    return data ? data->words : QList<Misspelling>();
}

QList<Highlighter::Misspelling> Highlighter::findMisspellings(const QString &text) const
{
    QList<Misspelling> words;
    const qsizetype n = m_checking && m_spellChecker ? text.size() : 0;
    qsizetype i = 0;
    while (i < n) {
        int len = 0;
        if (!Utils::isWordChar(codePointAt(text, i, &len))) {
            i += len;
            continue;
        }
        const qsizetype start = i;
        while (i < n && Utils::isWordChar(codePointAt(text, i, &len)))
            i += len;
        const qsizetype length = i - start;
        // Passed over: one-character words, words written directly after a
        // backslash (escapes, not words), and numbers.
        if (length < 2 || (start > 0 && text.at(start - 1) == u'\\') ||
            !Utils::isSpellingWord(QStringView(text).mid(start, length)))
            continue;
        // Each run is tested and marked where it stands, so a word is never
        // found inside a longer one and no pattern is built from user text.
        if (m_spellChecker->isMisSpelled(text.mid(start, length)))
            words.append({ int(start), int(length) });
    }
    return words;
}

void Highlighter::highlightBlock(const QString &text)
{
    if (deferred()) {
        const QTextBlock block = currentBlock();
        leavePending(block, text);
        queue(block.position());
        return;
    }

    QList<Misspelling> words = findMisspellings(text);
    if (!paintsOverEditor()) {
        for (const Misspelling &w : words)
            setFormat(w.start, w.length, m_misspellingFormat);
    }
    keepMisspellings(currentBlock(), text, std::move(words), true);
}

// Once for any number of blocks checked again.
void Highlighter::scheduleRepaint()
{
    if (m_repaintPending || !m_editor)
        return;
    m_repaintPending = true;
    QTimer::singleShot(0, this, [this] {
        m_repaintPending = false;
        if (m_editor)
            m_editor->viewport()->update();
    });
}
