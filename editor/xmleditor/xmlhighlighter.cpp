#include "xmlhighlighter.h"

#include <QRegularExpression>
#include <QTextEdit>

static const QColor DEFAULT_SYNTAX_CHAR = Qt::blue;
static const QColor DEFAULT_ELEMENT_NAME = Qt::darkRed;
static const QColor DEFAULT_COMMENT = Qt::darkGreen;
static const QColor DEFAULT_ATTRIBUTE_NAME = Qt::red;
static const QColor DEFAULT_ATTRIBUTE_VALUE = Qt::darkGreen;
static const QColor DEFAULT_ERROR = Qt::darkMagenta;
static const QColor DEFAULT_OTHER = Qt::black;

static const QRegularExpression EXPR_COMMENT(QStringLiteral("<!--[^-]*-([^-][^-]*-)*->"));
static const QRegularExpression EXPR_COMMENT_BEGIN(QStringLiteral("<!--"));
static const QRegularExpression EXPR_COMMENT_END(QStringLiteral("[^-]*-([^-][^-]*-)*->"));
static const QRegularExpression EXPR_ATTRIBUTE_VALUE(QStringLiteral("\"[^<\"]*\"|'[^<']*'"));
static const QRegularExpression
    EXPR_NAME(QStringLiteral("([A-Za-z_:]|[^\\x00-\\x7F])([A-Za-z0-9_:.-]|[^\\x00-\\x7F])*"));

// A match that starts exactly at pos, or none.
static QRegularExpressionMatch matchAt(const QRegularExpression &expression, const QString &text,
                                       int pos)
{
    return expression.match(text, pos, QRegularExpression::NormalMatch,
                            QRegularExpression::AnchorAtOffsetMatchOption);
}

XmlHighlighter::XmlHighlighter(QTextEdit *parent)
    : QSyntaxHighlighter(parent->document())
{
    init();
}

XmlHighlighter::XmlHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    init();
}

XmlHighlighter::XmlHighlighter(QObject *parent)
    : QSyntaxHighlighter(parent)
{
    init();
}

void XmlHighlighter::init()
{
    fmtSyntaxChar.setForeground(DEFAULT_SYNTAX_CHAR);
    fmtElementName.setForeground(DEFAULT_ELEMENT_NAME);
    fmtComment.setForeground(DEFAULT_COMMENT);
    fmtAttributeName.setForeground(DEFAULT_ATTRIBUTE_NAME);
    fmtAttributeValue.setForeground(DEFAULT_ATTRIBUTE_VALUE);
    fmtError.setForeground(DEFAULT_ERROR);
    fmtOther.setForeground(DEFAULT_OTHER);
}

void XmlHighlighter::setHighlightFormat(HighlightType type, QTextCharFormat format)
{
    switch (type) {
    case SyntaxChar:
        fmtSyntaxChar = format;
        break;
    case ElementName:
        fmtElementName = format;
        break;
    case Comment:
        fmtComment = format;
        break;
    case AttributeName:
        fmtAttributeName = format;
        break;
    case AttributeValue:
        fmtAttributeValue = format;
        break;
    case Error:
        fmtError = format;
        break;
    case Other:
        fmtOther = format;
        break;
    }
    rehighlight();
}

void XmlHighlighter::setHighlightColor(HighlightType type, QColor color, bool foreground)
{
    QTextCharFormat format;
    if (foreground)
        format.setForeground(QBrush(color, Qt::SolidPattern));
    else
        format.setBackground(QBrush(color, Qt::SolidPattern));
    setHighlightFormat(type, format);
}

void XmlHighlighter::highlightBlock(const QString &text)
{
    const int length = int(text.length());
    const int previous = previousBlockState();
    state = previous == InElement ? ExpectAttributeOrEndOfElement : NoState;
    // A line that continues a tag is already one level deep, so that the
    // tag's closing ">" is not taken for a stray one.
    int depth = previous == InElement ? 1 : 0;
    int pos = 0;

    if (previous == InComment) {
        const QRegularExpressionMatch end = EXPR_COMMENT_END.match(text, 0);
        if (!end.hasMatch()) {
            setFormat(0, length, fmtComment);
            setCurrentBlockState(InComment);
            return;
        }
        const int endPos = int(end.capturedEnd());
        setFormat(0, endPos - 3, fmtComment);
        setFormat(endPos - 3, 3, fmtSyntaxChar);
        pos = endPos;
    }

    while (pos < length) {
        const QChar ch = text.at(pos);
        if (ch == QLatin1Char('<')) {
            if (depth == 0) {
                setFormat(pos, 1, fmtSyntaxChar);
                state = ExpectElementNameOrSlash;
            } else {
                setFormat(pos, 1, fmtError);
            }
            ++depth;
            ++pos;
        } else if (ch == QLatin1Char('>')) {
            setFormat(pos, 1, depth == 1 ? fmtSyntaxChar : fmtError);
            --depth;
            state = NoState;
            ++pos;
        } else if (ch == QLatin1Char('/')) {
            if (state == ExpectElementNameOrSlash) {
                state = ExpectElementName;
                setFormat(pos, 1, fmtSyntaxChar);
                ++pos;
            } else if (state == ExpectAttributeOrEndOfElement) {
                setFormat(pos, 1, fmtSyntaxChar);
                ++pos;
            } else {
                pos = processDefaultText(pos, text);
            }
        } else if (ch == QLatin1Char('=')) {
            if (state == ExpectEqual) {
                state = ExpectAttributeValue;
                setFormat(pos, 1, fmtOther);
                ++pos;
            } else {
                pos = processDefaultText(pos, text);
            }
        } else if ((ch == QLatin1Char('"') || ch == QLatin1Char('\'')) &&
                   state == ExpectAttributeValue) {
            const QRegularExpressionMatch value = matchAt(EXPR_ATTRIBUTE_VALUE, text, pos);
            if (value.hasMatch()) {
                const int n = int(value.capturedLength());
                setFormat(pos, 1, fmtOther);
                setFormat(pos + 1, n - 2, fmtAttributeValue);
                setFormat(pos + n - 1, 1, fmtOther);
                state = ExpectAttributeOrEndOfElement;
                pos += n;
            } else {
                pos = processDefaultText(pos, text);
            }
        } else if (ch == QLatin1Char('!') && state == ExpectElementNameOrSlash && pos > 0) {
            const int start = pos - 1;
            const QRegularExpressionMatch comment = matchAt(EXPR_COMMENT, text, start);
            if (comment.hasMatch()) {
                const int n = int(comment.capturedLength());
                setFormat(start, 4, fmtSyntaxChar);
                setFormat(start + 4, n - 7, fmtComment);
                setFormat(start + n - 3, 3, fmtSyntaxChar);
                state = NoState;
                --depth;
                pos = start + n;
            } else if (matchAt(EXPR_COMMENT_BEGIN, text, start).hasMatch()) {
                setFormat(pos, 3, fmtSyntaxChar);
                setFormat(pos + 3, length - pos - 3, fmtComment);
                setCurrentBlockState(InComment);
                return;
            } else {
                pos = processDefaultText(pos, text);
            }
        } else {
            pos = processDefaultText(pos, text);
        }
    }

    // Every line states how it ends: a line that kept the state of an earlier
    // edit would make the next line continue a comment or tag that is gone.
    setCurrentBlockState(state == ExpectAttributeOrEndOfElement ? InElement : -1);
}

int XmlHighlighter::processDefaultText(int pos, const QString &text)
{
    if (state == ExpectElementNameOrSlash || state == ExpectElementName ||
        state == ExpectAttributeOrEndOfElement) {
        const QRegularExpressionMatch name = matchAt(EXPR_NAME, text, pos);
        if (name.hasMatch()) {
            const int n = int(name.capturedLength());
            if (state == ExpectAttributeOrEndOfElement) {
                setFormat(pos, n, fmtAttributeName);
                state = ExpectEqual;
            } else {
                setFormat(pos, n, fmtElementName);
                state = ExpectAttributeOrEndOfElement;
            }
            return pos + n;
        }
    }
    setFormat(pos, 1, fmtOther);
    return pos + 1;
}
