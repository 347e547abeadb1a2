#ifndef ZUVO_EDITOR_XMLEDITOR_XMLHIGHLIGHTER_H
#define ZUVO_EDITOR_XMLEDITOR_XMLHIGHLIGHTER_H

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QTextEdit;

// Colours XML source line by line: a small state machine over tags,
// attributes and comments. Block state 1 marks a line that ends inside a tag,
// 0 a line that ends inside a comment.
class XmlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    enum HighlightType {
        SyntaxChar,
        ElementName,
        Comment,
        AttributeName,
        AttributeValue,
        Error,
        Other,
    };

    explicit XmlHighlighter(QTextEdit *parent);
    explicit XmlHighlighter(QTextDocument *parent);
    explicit XmlHighlighter(QObject *parent);

    void setHighlightFormat(HighlightType type, QTextCharFormat format);
    void setHighlightColor(HighlightType type, QColor color, bool foreground = true);

protected:
    void highlightBlock(const QString &text) override;

private:
    enum ParseState {
        NoState,
        ExpectElementNameOrSlash,
        ExpectElementName,
        ExpectAttributeOrEndOfElement,
        ExpectEqual,
        ExpectAttributeValue,
    };
    enum BlockState { InComment = 0, InElement = 1 };

    void init();
    // Formats the name or the single character at pos; returns the position after it.
    int processDefaultText(int pos, const QString &text);

    QTextCharFormat fmtSyntaxChar;
    QTextCharFormat fmtElementName;
    QTextCharFormat fmtComment;
    QTextCharFormat fmtAttributeName;
    QTextCharFormat fmtAttributeValue;
    QTextCharFormat fmtError;
    QTextCharFormat fmtOther;

    int state = NoState;
};

#endif
