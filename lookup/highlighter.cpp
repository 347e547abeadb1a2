#include "highlighter.h"

#include "utils.h"

#include <QTextEdit>

namespace {

constexpr char16_t ZWNJ = 0x200C;
constexpr char16_t ZWJ = 0x200D;

bool isWordChar(char32_t c)
{
    return c == u'_' || c == ZWNJ || c == ZWJ || QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

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
    : QSyntaxHighlighter(static_cast<QObject *>(editor))
    , m_spellChecker(spellChecker)
{
    m_misspellingFormat.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_misspellingFormat.setProperty(QTextFormat::TextUnderlineColor, QColor(Qt::red));
    if (editor)
        setDocument(editor->document());
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

void Highlighter::highlightBlock(const QString &text)
{
    if (!m_checking || !m_spellChecker)
        return;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        int len = 0;
        if (!isWordChar(codePointAt(text, i, &len))) {
            i += len;
            continue;
        }
        const qsizetype start = i;
        bool hasLetter = false;
        while (i < n) {
            const char32_t c = codePointAt(text, i, &len);
            if (!isWordChar(c))
                break;
            hasLetter = hasLetter || QChar::isLetter(c);
            i += len;
        }
        const qsizetype length = i - start;
        // Passed over: one-character words, numbers, and words written
        // directly after a backslash (escapes, not words).
        if (length < 2 || !hasLetter || (start > 0 && text.at(start - 1) == u'\\'))
            continue;
        if (m_spellChecker->isMisSpelled(text.mid(start, length)))
            setFormat(int(start), int(length), m_misspellingFormat);
    }
}
