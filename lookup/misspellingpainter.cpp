#include "misspellingpainter.h"

#include "highlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Blocks from this length on keep their glyphs once underlines are painted in
// them; shaping a short one again costs next to nothing.
constexpr int longBlock = 1000;

} // namespace

MisspellingPainter::MisspellingPainter(QTextEdit *editor, const QColor &color,
                                       std::function<bool()> paints, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_color(color)
    , m_paints(std::move(paints))
{
    if (editor)
        editor->viewport()->installEventFilter(this);
}

bool MisspellingPainter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || m_inPaint || !m_editor ||
        watched != m_editor->viewport() || !m_paints())
        return false;
    // The editor paints its text first; the underlines go over it.
    m_inPaint = true;
    QCoreApplication::sendEvent(watched, event);
    m_inPaint = false;
    QPainter painter(m_editor->viewport());
    paintMisspellings(painter, static_cast<QPaintEvent *>(event)->rect());
    return true;
}

void MisspellingPainter::paintMisspellings(QPainter &painter, const QRect &rect)
{
    QTextDocument *doc = m_editor->document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    // The editor's own offsets: its text is drawn in document coordinates
    // shifted by the scroll bars.
    const QScrollBar *h = m_editor->horizontalScrollBar();
    const int dx = m_editor->isRightToLeft() ? h->maximum() - h->value() : h->value();
    const int dy = m_editor->verticalScrollBar()->value();
    const QRectF area = QRectF(rect).translated(dx, dy);
    painter.translate(-dx, -dy);
    painter.setClipRect(area);

    QTextBlock block;
    if (doc->rootFrame()->childFrames().isEmpty()) {
        // Blocks one below the other: the first one reaching into the area
        // is found among those laid out already. (The layout's hit test
        // would lay out one more step of a document not laid out whole
        // yet, at every paint.)
        int lo = 0;
        int hi = doc->blockCount() - 1;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            const QTextLayout *line = doc->findBlockByNumber(mid).layout();
            if (line && line->lineCount() > 0 &&
                line->position().y() + line->boundingRect().bottom() < area.top())
                lo = mid + 1;
            else
                hi = mid;
        }
        block = doc->findBlockByNumber(lo);
    } else {
        const int hit = layout->hitTest(area.topLeft(), Qt::FuzzyHit);
        block = doc->findBlock(std::max(0, hit));
        if (!block.isValid())
            block = doc->firstBlock();
        // Blocks side by side (table cells) may start above the hit one.
        while (block.previous().isValid() &&
               layout->blockBoundingRect(block.previous()).bottom() >= area.top())
            block = block.previous();
    }
    for (; block.isValid(); block = block.next()) {
        // A block not laid out yet is not shown yet either; asking for its
        // place would lay it out now.
        if (block.isVisible() && block.layout()->lineCount() == 0)
            break;
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.top() > area.bottom())
            break;
        if (block.isVisible() && bounds.bottom() >= area.top())
            paintBlock(painter, block, area);
    }
}

void MisspellingPainter::paintBlock(QPainter &painter, const QTextBlock &block, const QRectF &area)
{
    const QList<Highlighter::Misspelling> words = Highlighter::misspellings(block);
    QTextLayout *textLayout = block.layout();
    if (words.isEmpty() || !textLayout || textLayout->lineCount() == 0)
        return;
    // The positions of the words come from the glyphs of the block's lines,
    // which a layout drops after laying out and drawing unless asked to
    // keep them: a long paragraph's were shaped again for every paint.
    if (block.length() >= longBlock)
        textLayout->setCacheEnabled(true);
    // Line positions are relative to the block's top left, as for the cursor.
    const QPointF origin =
        m_editor->document()->documentLayout()->blockBoundingRect(block).topLeft();

    // The block's runs of one format, for the metrics of the words' fonts.
    struct Run
    {
        int end;
        QFont font;
    };
    QList<Run> runs;
    const QFont base = m_editor->document()->defaultFont();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid())
            runs.append({ fragment.position() - block.position() + fragment.length(),
                          fragment.charFormat().font().resolve(base) });
    }
    const auto fontAt = [&runs, &base](int position) {
        for (const Run &run : runs) {
            if (position < run.end)
                return run.font;
        }
        return runs.isEmpty() ? base : runs.constLast().font;
    };

    const qreal ratio = painter.device()->devicePixelRatioF();

    // The first line that reaches into the area; lines go down the block.
    int first = 0;
    for (int lo = 0, hi = textLayout->lineCount() - 1; lo <= hi;) {
        const int mid = (lo + hi) / 2;
        const QTextLine line = textLayout->lineAt(mid);
        if (origin.y() + line.y() + line.height() < area.top()) {
            lo = mid + 1;
            first = lo;
        } else {
            hi = mid - 1;
        }
    }
    for (int l = first; l < textLayout->lineCount(); ++l) {
        const QTextLine line = textLayout->lineAt(l);
        if (origin.y() + line.y() > area.bottom())
            break;
        const int lineStart = line.textStart();
        const int lineEnd = lineStart + line.textLength();
        auto w = std::lower_bound(
            words.cbegin(), words.cend(), lineStart,
            [](const Highlighter::Misspelling &m, int pos) { return m.start + m.length <= pos; });
        for (; w != words.cend() && w->start < lineEnd; ++w) {
            const int from = std::max(w->start, lineStart);
            const int to = std::min(w->start + w->length, lineEnd);
            qreal x1 = line.cursorToX(from);
            qreal x2 = line.cursorToX(to);
            if (x1 > x2)
                std::swap(x1, x2);
            const QFontMetricsF metrics(fontAt(from), m_editor->viewport());
            const qreal baseline = origin.y() + line.y() + line.ascent();
            const qreal left = origin.x() + x1;
            const qreal width = x2 - x1;
            const qreal penWidth = std::max<qreal>(1, metrics.lineWidth());
            // Below the baseline, within the descent, as the platform draws
            // the wave of a spelling underline in a text format.
            const qreal room = std::max<qreal>(1, metrics.descent() - 1);
            const qreal amplitude =
                std::max<qreal>(1, std::min(std::max(metrics.underlinePos(), penWidth), room / 2));
            const QPixmap &tile = waveTile(amplitude, penWidth, ratio);
            const qreal tileWidth = tile.width() / ratio;
            const qreal height = std::min<qreal>(tile.height() / ratio, std::floor(room));
            painter.drawTiledPixmap(QRectF(left, baseline + 1, width, height), tile,
                                    QPointF(std::fmod(left, tileWidth), 0));
        }
    }
}

// A strip of whole wave periods in the underline colour, drawn once per size.
const QPixmap &MisspellingPainter::waveTile(qreal amplitude, qreal penWidth, qreal ratio)
{
    const QColor color = m_color;
    const QString key =
        QStringLiteral("%1/%2/%3/%4").arg(amplitude).arg(penWidth).arg(ratio).arg(color.rgba());
    auto it = m_waveTiles.find(key);
    if (it != m_waveTiles.end())
        return *it;
    const qreal radius = std::floor(amplitude * 2) / 2;
    const qreal halfPeriod = std::max<qreal>(2, amplitude * 1.618);
    const qreal width = std::ceil(32 / (2 * halfPeriod)) * 2 * halfPeriod;
    QPixmap tile(QSize(int(std::ceil(width * ratio)), int(std::ceil(radius * 2 * ratio))));
    tile.setDevicePixelRatio(ratio);
    tile.fill(Qt::transparent);
    QPainterPath path;
    qreal x = 0;
    qreal y = radius;
    while (x < width) {
        x += halfPeriod;
        y = -y;
        path.quadTo(x - halfPeriod / 2, y, x, 0);
    }
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, std::min(penWidth, 0.8 * radius));
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.translate(0, radius);
    p.drawPath(path);
    p.end();
    return *m_waveTiles.insert(key, tile);
}
