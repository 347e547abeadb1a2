#ifndef ZUVO_LOOKUP_MISSPELLINGPAINTER_H
#define ZUVO_LOOKUP_MISSPELLINGPAINTER_H

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QPointer>

#include <functional>

class QPainter;
class QRect;
class QRectF;
class QTextBlock;
class QTextEdit;

// Paints the misspelt words of an editor's document as wavy underlines over
// the text the editor drew, from the words each block keeps of its last
// check (Highlighter::misspellings): only the words in view cost anything,
// and the layout of the text is never cut into runs by formats.
class MisspellingPainter : public QObject
{
    Q_OBJECT

public:
    // Watches the editor's viewport; paints while `paints` says so (while the
    // highlighter works on the editor's own document).
    MisspellingPainter(QTextEdit *editor, const QColor &color, std::function<bool()> paints,
                       QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintMisspellings(QPainter &painter, const QRect &rect);
    void paintBlock(QPainter &painter, const QTextBlock &block, const QRectF &area);
    const QPixmap &waveTile(qreal amplitude, qreal penWidth, qreal ratio);

    QPointer<QTextEdit> m_editor;
    QColor m_color;
    std::function<bool()> m_paints;
    bool m_inPaint = false;
    QHash<QString, QPixmap> m_waveTiles;
};

#endif
