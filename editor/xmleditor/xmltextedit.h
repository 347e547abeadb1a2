#ifndef ZUVO_EDITOR_XMLEDITOR_XMLTEXTEDIT_H
#define ZUVO_EDITOR_XMLEDITOR_XMLTEXTEDIT_H

#include <QDomDocument>
#include <QTextEdit>

class QContextMenuEvent;
class QMenu;
class XmlHighlighter;

// A plain-text editor for XML sources: a line-number margin, zoom with
// Ctrl+"+" and Ctrl+"-", and a syntax check that re-indents valid text.
class XMLTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit XMLTextEdit(QWidget *parent = nullptr);

    bool Conform();
    QDomDocument xml_document();
    QMenu *createOwnStandardContextMenu();

public slots:
    void setPlainText(const QString &text);
    void Syntaxcheck();

protected:
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void paintLineNumbers();

    XmlHighlighter *highlight;
};

#endif
