// Tables, frames (text boxes and pictures) and images of an OpenDocument body.
#include "OOReader.h"

#include "FoColorName.h"
#include "odflog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QTextTableCellFormat>
#include <QTextTableFormat>

namespace {

constexpr double PlaceholderWidth = 99.9999;

int decimalOf(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

bool isRowGroup(const QString &tag)
{
    return tag == QLatin1String("table:table-header-rows") ||
        tag == QLatin1String("table:table-rows") || tag == QLatin1String("table:table-row-group");
}

bool isColumnGroup(const QString &tag)
{
    return tag == QLatin1String("table:table-header-columns") ||
        tag == QLatin1String("table:table-columns") ||
        tag == QLatin1String("table:table-column-group");
}

// Lengths of a frame as the format stores them.
double frameLength(const QString &text)
{
    return clampLength(Unit(text));
}

} // namespace

// ---------------------------------------------------------------- tables

QTextFrameFormat OOReader::FrameFormat(QString styleName)
{
    const StyleInfo &info = css2[styleName];
    if (info.used)
        return info.format.toFrameFormat();
    QTextFrameFormat format;
    format.setWidth(QTextLength(QTextLength::FixedLength, -1.0));
    return format;
}

void OOReader::collectColumns(const QDomElement &parent, QList<QTextLength> &widths, int depth)
{
    if (depth > MaxNestingDepth)
        return;
    for (QDomElement c = parent.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (isColumnGroup(tag)) {
            collectColumns(c, widths, depth + 1);
            continue;
        }
        if (tag != QLatin1String("table:table-column"))
            continue;
        QTextLength width(QTextLength::PercentageLength, PlaceholderWidth);
        const QString style = c.attribute(QStringLiteral("table:style-name"));
        if (!style.isEmpty()) {
            width = FrameFormat(style).width();
            if (width.rawValue() < 1.0)
                width = QTextLength(QTextLength::PercentageLength, PlaceholderWidth);
        }
        const int repeat =
            qMax(1, decimalOf(c.attribute(QStringLiteral("table:number-columns-repeated"))));
        for (int i = 0; i < repeat && widths.size() < MaxTableColumns; ++i)
            widths.append(width);
    }
}

void OOReader::collectRows(const QDomElement &parent, QList<QDomElement> &rows, int depth)
{
    if (depth > MaxNestingDepth)
        return;
    for (QDomElement r = parent.firstChildElement(); !r.isNull() && rows.size() < MaxTableRows;
         r = r.nextSiblingElement()) {
        const QString tag = r.tagName();
        if (tag == QLatin1String("table:table-row"))
            rows.append(r);
        else if (isRowGroup(tag))
            collectRows(r, rows, depth + 1);
    }
}

bool OOReader::convertTable(QTextCursor &cursor, QDomElement table, int, bool moveToEnd)
{
    if (nesting > MaxNestingDepth)
        return false;
    const QString styleName =
        table.attribute(QStringLiteral("table:style-name"), QStringLiteral("default"));

    QList<QTextLength> widths;
    collectColumns(table, widths, 0);
    QList<QDomElement> rows;
    collectRows(table, rows, 0);
    if (widths.isEmpty()) {
        // No column declarations: the widest row tells how many columns the
        // cells need, so that their text is kept.
        int cells = 0;
        for (const QDomElement &row : std::as_const(rows)) {
            int n = 0;
            for (QDomElement c = row.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                if (c.tagName() == QLatin1String("table:table-cell") ||
                    c.tagName() == QLatin1String("table:covered-table-cell"))
                    ++n;
            cells = qMax(cells, n);
        }
        cells = qMin(cells, int(MaxTableColumns));
        for (int i = 0; i < cells; ++i)
            widths.append(QTextLength(QTextLength::PercentageLength, PlaceholderWidth));
    }
    if (widths.isEmpty())
        return false;
    const int columns = widths.size();
    for (QTextLength &w : widths) {
        if (w.type() == QTextLength::PercentageLength && w.rawValue() == PlaceholderWidth)
            w = QTextLength(QTextLength::PercentageLength, 100 / columns);
    }

    // Every import has a budget of cells, so that a few bytes of repeated
    // columns cannot ask for an absurd grid.
    qint64 rowCount = rows.size();
    if (rowCount * columns > cellBudget) {
        rowCount = cellBudget / columns;
        qCWarning(lcOdf) << "### table cut to" << rowCount << "rows of" << columns << "columns";
        rows = rows.mid(0, int(rowCount));
    }
    cellBudget -= rowCount * columns;

    if (rows.isEmpty()) {
        startBlock(cursor);
        blockFree = false;
        return true;
    }
    // The table goes right after the paragraph the cursor ends: a block
    // inserted for it first would stand before it as an empty paragraph
    // the file does not hold, one more each time the file is opened and
    // saved. (An untouched first block of its container stays before it,
    // as a table cannot begin a container.)
    blockFree = false;
    cursor.beginEditBlock();

    QTextTableFormat format;
    const StyleInfo &info = css2[styleName];
    if (info.used && info.format.isTableFormat()) {
        format = info.format.toTableFormat();
    } else {
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    }
    format.setColumnWidthConstraints(widths);

    QTextTable *textTable = cursor.insertTable(int(rowCount), columns, format);
    ++nesting;
    for (int row = 0; row < rows.size(); ++row) {
        int column = -1;
        for (QDomElement c = rows.at(row).firstChildElement(); !c.isNull();
             c = c.nextSiblingElement()) {
            const QString tag = c.tagName();
            if (tag == QLatin1String("table:covered-table-cell")) {
                ++column;
                continue;
            }
            if (tag != QLatin1String("table:table-cell"))
                continue;
            ++column;
            if (column >= columns) {
                qCDebug(lcOdf) << "!!!! not valid cell at->  row:" << row << " column:" << column;
                continue;
            }
            const int rowSpan =
                qMax(0, decimalOf(c.attribute(QStringLiteral("table:number-rows-spanned"))));
            const int columnSpan =
                qMax(0, decimalOf(c.attribute(QStringLiteral("table:number-columns-spanned"))));
            // A cell may span rows and columns at once.
            if (columnSpan > 1 || rowSpan > 1)
                textTable->mergeCells(row, column, qMax(1, qMin(rowSpan, int(rows.size()) - row)),
                                      qMax(1, qMin(columnSpan, columns - column)));
            QTextTableCell cell = textTable->cellAt(row, column);
            if (!cell.isValid()) {
                qCDebug(lcOdf) << "!!!! not valid cell at->  row:" << row << " column:" << column;
                continue;
            }
            const StyleInfo &cellStyle =
                css2[c.attribute(QStringLiteral("table:style-name"), QStringLiteral("default"))];
            if (cellStyle.used && cellStyle.format.isTableCellFormat()) {
                QTextCharFormat cellFormat = cell.format();
                cellFormat.merge(cellStyle.format.toTableCellFormat());
                cell.setFormat(cellFormat);
            }
            QTextCursor cellCursor = cell.firstCursorPosition();
            convertCellTable(c, cellCursor, blockCurrent);
        }
    }
    --nesting;
    cursor.endEditBlock();

    // Whatever follows the table goes after it, in the block Qt keeps there.
    cursor.setPosition(textTable->lastPosition() + 1);
    if (moveToEnd)
        cursor.movePosition(QTextCursor::End);
    blockFree = true;
    return true;
}

bool OOReader::convertCellTable(QDomElement cell, QTextCursor &cursor, int)
{
    const bool wasFree = blockFree;
    blockFree = true; // the cell's first block is there, empty
    cursor.beginEditBlock();
    convertContainer(cell, cursor, false);
    cursor.endEditBlock();
    blockFree = wasFree;
    return true;
}

// ---------------------------------------------------------------- frames

bool OOReader::convertFrame(QTextCursor &cursor, QDomElement frame, QTextCharFormat format,
                            bool flag)
{
    if (frame.isNull())
        return false;
    if (nesting > MaxNestingDepth)
        return false;
    const QString styleName = frame.attribute(QStringLiteral("draw:style-name"));
    const double width = frameLength(frame.attribute(QStringLiteral("svg:width")));
    const double height = frameLength(frame.attribute(QStringLiteral("svg:height")));

    QTextFrameFormat frameFormat;
    const StyleInfo &info = css2[styleName];
    if (info.used && info.format.isFrameFormat())
        frameFormat = info.format.toFrameFormat();
    frameFormat.setWidth(QTextLength(QTextLength::FixedLength, width));
    frameFormat.setHeight(QTextLength(QTextLength::FixedLength, height));

    if (!frame.firstChildElement(QStringLiteral("draw:image")).isNull())
        return convertImage(cursor, frame, format, flag);
    const QDomElement box = frame.firstChildElement(QStringLiteral("draw:text-box"));
    if (box.isNull())
        return false;

    QTextCursor at(cursor);
    QTextFrame *textFrame = at.insertFrame(frameFormat);
    QTextCursor inside = textFrame->firstCursorPosition();
    ++nesting;
    iterateElements(box, inside, 0);
    --nesting;
    // The text after the box goes after it (at the end of the document when
    // the box stands in the body).
    cursor.setPosition(textFrame->lastPosition() + 1);
    return true;
}

// ---------------------------------------------------------------- images

QByteArray OOReader::archivePicture(const QString &link) const
{
    QString path = link;
    while (path.startsWith(QLatin1String("./")))
        path = path.mid(2);
    return archive.value(path);
}

QImage OOReader::loadLocalImage(const QString &path) const
{
    // Only regular files of a sane size: a link may name a device, a pipe or
    // a huge file.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() >= MaxLocalImageSize)
        return QImage();
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray bytes = file.read(MaxLocalImageSize);
    return QImage::fromData(bytes);
}

bool OOReader::convertImage(QTextCursor &cursor, QDomElement frame, QTextCharFormat, bool)
{
    if (frame.isNull() || frame.tagName() != QLatin1String("draw:frame"))
        return false;
    const QDomElement image = frame.firstChildElement(QStringLiteral("draw:image"));
    if (image.isNull())
        return false;

    ++imageCount;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString imagename = QStringLiteral("%1-%2%3-graphic-frame")
                                  .arg(now.toSecsSinceEpoch())
                                  .arg(now.toString(QStringLiteral("zzz")))
                                  .arg(imageCount);

    const QString styleName = frame.attribute(QStringLiteral("draw:style-name"));
    const QString link = image.attribute(QStringLiteral("xlink:href"));
    const QUrl url(link);
    if (css2[styleName].styleXml.isEmpty() && !noStylesFile)
        // The picture is kept all the same: it is the user's.
        qCDebug(lcOdf) << "### Image name style not load " << styleName;

    QImage picture;
    const QString scheme = url.scheme().toLower();
    if (link.startsWith(QLatin1String("Pictures/"))) {
        picture = QImage::fromData(archivePicture(link));
    } else if (scheme == QLatin1String("file")) {
        picture = loadLocalImage(url.toLocalFile());
    } else if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        fetchRemoteImage(imagename, url);
    } else if (scheme.isEmpty() && !link.isEmpty()) {
        // A relative link: a member of the container, or a file relative to
        // the document (the container counting as a folder).
        const QByteArray member = archivePicture(link);
        if (!member.isEmpty())
            picture = QImage::fromData(member);
        else if (!filePath.isEmpty())
            picture = loadLocalImage(
                QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath() + QLatin1Char('/'))
                    .resolved(url)
                    .toLocalFile());
    }
    if (!picture.isNull())
        document->addResource(QTextDocument::ImageResource, QUrl(imagename), picture);

    QTextImageFormat format;
    format.setName(imagename);
    const double height = frameLength(frame.attribute(QStringLiteral("svg:height")));
    const double width = frameLength(frame.attribute(QStringLiteral("svg:width")));
    if (height > 0)
        format.setHeight(height);
    if (width > 0)
        format.setWidth(width);
    format.setToolTip(imagename);
    cursor.insertImage(format);
    return true;
}
