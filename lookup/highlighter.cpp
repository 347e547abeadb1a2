#include "highlighter.h"

#include "utils.h"

#include <QPlainTextDocumentLayout>
#include <QTextDocument>
#include <QTextEdit>

namespace {

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

} // namespace

Highlighter::Highlighter(Utils *spellChecker, QTextEdit *editor)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr))
    , m_spellChecker(spellChecker)
{
    m_misspellingFormat.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_misspellingFormat.setProperty(QTextFormat::TextUnderlineColor, QColor(Qt::red));
    setParent(editor);
    if (editor) {
        // Attaching to a document schedules a first pass of the whole text
        // through the base class. Ours is queued before it, runs first and
        // leaves the base class nothing pending, so the first pass is the
        // fast one too.
        QMetaObject::invokeMethod(this, &Highlighter::rehighlight, Qt::QueuedConnection);
        setDocument(editor->document());
    }
}

Highlighter::~Highlighter() = default;

void Highlighter::setSpellCheckAsYouType(bool on)
{
    m_checking = on;
}

bool Highlighter::spellCheckAsYouType() const
{
    return m_checking;
}

void Highlighter::rehighlight()
{
    QTextDocument *doc = document();
    if (!doc)
        return;
    // A plain-text layout re-lays out only the block that changed.
    if (qobject_cast<QPlainTextDocumentLayout *>(doc->documentLayout())) {
        QSyntaxHighlighter::rehighlight();
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

void Highlighter::highlightBlock(const QString &text)
{
    if (!m_checking || !m_spellChecker)
        return;
    const qsizetype n = text.size();
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
        // Passed over: one-character words, and words written directly after
        // a backslash (escapes, not words).
        if (length < 2 || (start > 0 && text.at(start - 1) == u'\\'))
            continue;
        // Each run is tested and marked where it stands, so a word is never
        // found inside a longer one and no pattern is built from user text.
        if (m_spellChecker->isMisSpelled(text.mid(start, length)))
            setFormat(int(start), int(length), m_misspellingFormat);
    }
}
