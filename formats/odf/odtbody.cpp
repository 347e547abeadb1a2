#include "odtbody.h"

#include "odfxmlwriter.h"
#include "odtstyles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace {

// Office suites know ten list levels.
constexpr int ListLevels = 10;

// Pictures whose bytes the package keeps as they are; any other picture is
// stored as PNG.
struct KeptFormat
{
    const char *format;
    const char *suffix;
    const char *mediaType;
};
constexpr KeptFormat keptFormats[] = {
    { "png", "png", "image/png" },
    { "jpeg", "jpg", "image/jpeg" },
    { "gif", "gif", "image/gif" },
    { "bmp", "bmp", "image/bmp" },
};

bool isNotXmlCharacter(char16_t u)
{
    // Tab, line feed and carriage return are the only controls XML holds;
    // U+FFFE and U+FFFF are no characters at all.
    return (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) || u == 0xFFFE || u == 0xFFFF;
}

QString borderValue(double width, QTextFrameFormat::BorderStyle style, const QBrush &brush)
{
    if (width <= 0 || style == QTextFrameFormat::BorderStyle_None)
        return QStringLiteral("none");
    QString kind;
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted:
        kind = QStringLiteral("dotted");
        break;
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash:
        kind = QStringLiteral("dashed");
        break;
    case QTextFrameFormat::BorderStyle_Double:
        kind = QStringLiteral("double");
        break;
    case QTextFrameFormat::BorderStyle_Groove:
        kind = QStringLiteral("groove");
        break;
    case QTextFrameFormat::BorderStyle_Ridge:
        kind = QStringLiteral("ridge");
        break;
    default:
        // Solid, and the one-pixel inset and outset Qt draws tables with
        // by default, which look solid.
        kind = QStringLiteral("solid");
        break;
    }
    // Qt draws a border without a brush of its own in dark grey.
    const QColor colour = brush.style() != Qt::NoBrush ? brush.color() : QColor(Qt::darkGray);
    return OdtStyles::length(width) + QLatin1Char(' ') + kind + QLatin1Char(' ') +
        OdtStyles::colour(colour);
}

bool hasColour(const QTextFormat &format, QTextFormat::Property property)
{
    return format.hasProperty(property) && format.brushProperty(property).style() != Qt::NoBrush;
}

// A length of a frame or table against the width it stands in.
double widthIn(const QTextLength &length, double available)
{
    switch (length.type()) {
    case QTextLength::FixedLength:
        return length.rawValue() > 0 ? length.rawValue() : available;
    case QTextLength::PercentageLength:
        return available * qBound(0.0, length.rawValue(), 100.0) / 100.0;
    default:
        return available;
    }
}

} // namespace

OdtBody::OdtBody(const QTextDocument &document, OdtStyles &styles, OdfXmlWriter &out,
                 const std::function<bool()> &progress)
    : m_document(document)
    , m_styles(styles)
    , m_out(out)
    , m_progress(progress)
    , m_textWidth(OdtStyles::textAreaWidth())
{
}

bool OdtBody::write()
{
    m_out.writeStartElement("office:text");
    writeContainer(m_document.rootFrame()->begin(), m_textWidth);
    m_out.writeEndElement();
    return m_error.isEmpty();
}

void OdtBody::tick()
{
    if (m_progress && !m_progress() && m_error.isEmpty())
        m_error = QStringLiteral("writing was stopped");
}

// ---------------------------------------------------------------- containers

void OdtBody::writeContainer(QTextFrame::iterator it, double available)
{
    // Once writing has failed or been stopped, the document is not touched
    // again: the handler that stopped it may have seen it go.
    QList<OpenList> open;
    for (; !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            closeListsTo(open, 0);
            if (auto *table = qobject_cast<QTextTable *>(child))
                writeTable(table, available);
            else
                writeTextBox(child, available);
        } else if (const QTextBlock block = it.currentBlock(); block.isValid()) {
            if (QTextList *list = block.textList()) {
                enterList(open, list);
                writeParagraph(block, true);
            } else {
                closeListsTo(open, 0);
                writeParagraph(block, false);
            }
            tick();
        }
        if (!m_error.isEmpty())
            return;
    }
    closeListsTo(open, 0);
}

// ---------------------------------------------------------------- lists

void OdtBody::closeListsTo(QList<OpenList> &open, int size)
{
    while (open.size() > size) {
        m_out.writeEndElement(); // text:list-item
        m_out.writeEndElement(); // text:list
        open.removeLast();
    }
}

void OdtBody::openListElement(QTextList *list, const QString &style)
{
    m_out.writeStartElement("text:list");
    if (list) {
        // A list that goes on after other text continues its numbering
        // from its first part.
        const auto first = m_listIds.constFind(list);
        if (first != m_listIds.constEnd()) {
            m_out.writeAttribute("text:continue-numbering", QStringLiteral("true"));
            m_out.writeAttribute("text:continue-list", *first);
        } else {
            const QString id = QStringLiteral("list") + QString::number(m_listIds.size() + 1);
            m_listIds.insert(list, id);
            m_out.writeAttribute("xml:id", id);
        }
    }
    m_out.writeAttribute("text:style-name", style);
}

// Every paragraph of a list is an item of its own. A list stands inside the
// open item of a list less indented; a list indented deeper than the one
// around it by more than one level stands in items that hold nothing else.
void OdtBody::enterList(QList<OpenList> &open, QTextList *list)
{
    for (int i = open.size() - 1; i >= 0; --i) {
        if (open.at(i).list == list) {
            closeListsTo(open, i + 1);
            m_out.writeEndElement(); // the previous item
            m_out.writeStartElement("text:list-item");
            return;
        }
    }
    const int level = qBound(1, list->format().indent(), ListLevels);
    while (!open.isEmpty() && open.last().level >= level)
        closeListsTo(open, open.size() - 1);
    const QString style = m_styles.listStyle(list->format());
    for (int l = open.isEmpty() ? 1 : open.last().level + 1; l < level; ++l) {
        openListElement(nullptr, style);
        m_out.writeStartElement("text:list-item");
        open.append({ nullptr, l });
    }
    openListElement(list, style);
    m_out.writeStartElement("text:list-item");
    open.append({ list, level });
}

// ---------------------------------------------------------------- paragraphs

void OdtBody::writeParagraph(const QTextBlock &block, bool inList)
{
    const bool empty = block.length() <= 1;
    const quint64 key = (quint64(uint(block.blockFormatIndex())) << 32) |
        (quint64(uint(empty ? block.charFormatIndex() + 1 : 0)) << 1) | quint64(inList);
    QString &style = m_paragraphStyles[qint64(key)];
    const QTextBlockFormat format = block.blockFormat();
    if (style.isEmpty()) {
        // An empty paragraph shows the format of the block itself.
        const QTextCharFormat chars = block.charFormat();
        style = m_styles.paragraphStyle(format, empty ? &chars : nullptr, inList);
    }
    const int heading = qBound(0, format.headingLevel(), ListLevels);
    m_out.writeStartElement(heading > 0 ? "text:h" : "text:p");
    m_out.writeAttribute("text:style-name", style);
    if (heading > 0)
        m_out.writeAttribute("text:outline-level", QString::number(heading));
    m_afterLetter = false;
    writeRuns(block);
    m_out.writeEndElement();
}

void OdtBody::writeRuns(const QTextBlock &block)
{
    bool linkOpen = false;
    QString link;
    bool spanOpen = false;
    QString span;
    const auto closeSpan = [&] {
        if (spanOpen)
            m_out.writeEndElement();
        spanOpen = false;
    };
    // A link is opened with the first thing it holds: no empty links.
    QString href;
    const auto openLink = [&] {
        if (linkOpen && href != link) {
            closeSpan();
            m_out.writeEndElement();
            linkOpen = false;
        }
        if (!href.isEmpty() && !linkOpen) {
            closeSpan();
            m_out.writeStartElement("text:a");
            m_out.writeAttribute("xlink:type", QStringLiteral("simple"));
            m_out.writeAttribute("xlink:href", href);
            linkOpen = true;
            link = href;
        }
    };
    for (QTextBlock::iterator it = block.begin(); !it.atEnd() && m_error.isEmpty(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        href = format.isAnchor() ? format.anchorHref() : QString();
        // A span holds what XML can hold of its text, or is not written.
        const auto writeSpan = [&](const QString &part) {
            const QString text = writable(part);
            if (text.isEmpty())
                return;
            openLink();
            QString &style = m_textStyles[fragment.charFormatIndex()];
            if (style.isEmpty())
                style = m_styles.textStyle(format);
            if (!spanOpen || style != span) {
                closeSpan();
                m_out.writeStartElement("text:span");
                m_out.writeAttribute("text:style-name", style);
                spanOpen = true;
                span = style;
            }
            writeText(text);
        };
        const QString text = fragment.text();
        if (!format.isImageFormat()) {
            writeSpan(text);
            continue;
        }
        // Equal pictures side by side are one fragment of several
        // characters: each is a picture of its own. Text typed in the
        // picture's format is text all the same.
        qsizetype from = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i < text.size() && text.at(i) != QChar::ObjectReplacementCharacter)
                continue;
            if (i > from)
                writeSpan(text.mid(from, i - from));
            from = i + 1;
            if (i < text.size()) {
                openLink();
                closeSpan();
                writeImage(format.toImageFormat());
            }
        }
    }
    closeSpan();
    if (linkOpen)
        m_out.writeEndElement();
}

void OdtBody::writeSpaces(int count)
{
    m_out.writeEmptyElement("text:s");
    if (count > 1)
        m_out.writeAttribute("text:c", QString::number(count));
}

QString OdtBody::writable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == u'\n' || u == 0x0B || u == 0x0C) {
            out += QChar::LineSeparator;
        } else if (u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1 ||
                   u == QChar::ParagraphSeparator || u == u'\r' || isNotXmlCharacter(u)) {
            // Frame marks and objects stand for what the document holds
            // elsewhere; controls and non-characters cannot be written.
            continue;
        } else if (QChar::isHighSurrogate(u)) {
            if (i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                out += text.at(i);
                out += text.at(++i);
            }
        } else if (!QChar::isLowSurrogate(u)) {
            out += QChar(u);
        }
    }
    return out;
}

void OdtBody::writeText(const QString &text)
{
    QString pending;
    const auto flush = [&] {
        if (!pending.isEmpty())
            m_out.writeCharacters(pending);
        pending.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ')) {
            qsizetype run = 1;
            while (i + run < n && text.at(i + run) == QLatin1Char(' '))
                ++run;
            i += run - 1;
            // One blank after a letter is read as it is; every other one
            // would be dropped by a reader that collapses white space.
            if (m_afterLetter) {
                pending += QLatin1Char(' ');
                --run;
            }
            if (run > 0) {
                flush();
                writeSpaces(int(qMin<qsizetype>(run, INT_MAX)));
            }
            m_afterLetter = false;
        } else if (c == QLatin1Char('\t')) {
            flush();
            m_out.writeEmptyElement("text:tab");
            m_afterLetter = false;
        } else if (c == QChar::LineSeparator) {
            flush();
            m_out.writeEmptyElement("text:line-break");
            m_afterLetter = false;
        } else {
            pending += c;
            m_afterLetter = true;
        }
    }
    flush();
}

// ---------------------------------------------------------------- pictures

QString OdtBody::pictureLink(const QTextImageFormat &format, QSizeF *size)
{
    const QString name = format.name();
    if (name.isEmpty())
        return QString();
    QSizeF natural;
    QString href;
    const auto stored = m_pictureByName.constFind(name);
    if (stored != m_pictureByName.constEnd()) {
        href = *stored;
        natural = m_pictureSizes.value(name);
    } else {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(name));
        if (!resource.isValid()) {
            // Not held by the document: linked to where it is.
            const QUrl url(name);
            if (QFileInfo(name).isAbsolute())
                href = QUrl::fromLocalFile(name).toString(QUrl::FullyEncoded);
            else if (url.scheme().size() > 1)
                href = url.toString(QUrl::FullyEncoded);
            else
                href = QStringLiteral("../") + url.toString(QUrl::FullyEncoded);
        } else {
            QImage image;
            QByteArray bytes;
            QByteArray kind;
            if (resource.userType() == QMetaType::QByteArray) {
                bytes = resource.toByteArray();
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::ReadOnly);
                QImageReader reader(&buffer);
                kind = reader.format();
                image = reader.read();
            } else if (resource.userType() == QMetaType::QPixmap) {
                image = resource.value<QPixmap>().toImage();
            } else {
                image = resource.value<QImage>();
            }
            if (image.isNull()) {
                m_error = QStringLiteral("a picture of the document cannot be encoded");
                return QString();
            }
            Picture picture;
            const QString number = QString::number(m_pictures.size() + 1);
            for (const KeptFormat &kept : keptFormats) {
                if (!bytes.isEmpty() && kind == kept.format) {
                    picture.bytes = bytes;
                    picture.path = QStringLiteral("Pictures/") + number + QLatin1Char('.') +
                        QLatin1String(kept.suffix);
                    picture.mediaType = QLatin1String(kept.mediaType);
                }
            }
            if (picture.bytes.isEmpty()) {
                QBuffer buffer(&picture.bytes);
                buffer.open(QIODevice::WriteOnly);
                if (!image.save(&buffer, "PNG") || picture.bytes.isEmpty()) {
                    m_error = QStringLiteral("a picture of the document cannot be encoded");
                    return QString();
                }
                picture.path = QStringLiteral("Pictures/") + number + QStringLiteral(".png");
                picture.mediaType = QStringLiteral("image/png");
            }
            href = picture.path;
            natural = image.size();
            m_pictures.append(picture);
        }
        m_pictureByName.insert(name, href);
        m_pictureSizes.insert(name, natural);
    }

    // The size the document shows it at; one side given keeps the
    // picture's proportions.
    double width = format.hasProperty(QTextFormat::ImageWidth) ? format.width() : 0;
    double height = format.hasProperty(QTextFormat::ImageHeight) ? format.height() : 0;
    if (width <= 0 && height > 0 && natural.height() > 0)
        width = height * natural.width() / natural.height();
    if (height <= 0 && width > 0 && natural.width() > 0)
        height = width * natural.height() / natural.width();
    if (width <= 0 || height <= 0) {
        width = natural.width();
        height = natural.height();
    }
    *size = QSizeF(width, height);
    return href;
}

void OdtBody::writeImage(const QTextImageFormat &format)
{
    QSizeF size;
    const QString href = pictureLink(format, &size);
    if (href.isEmpty())
        return;
    if (m_imageStyle.isEmpty()) {
        OdtStyles::Properties p;
        p.element = "style:graphic-properties";
        p.attributes = {
            { QStringLiteral("style:vertical-pos"), QStringLiteral("top") },
            { QStringLiteral("style:vertical-rel"), QStringLiteral("baseline") },
            { QStringLiteral("fo:padding"), QStringLiteral("0px") },
            { QStringLiteral("fo:border"), QStringLiteral("none") },
        };
        m_imageStyle = m_styles.graphicStyle(p);
    }
    // Every frame has a name of its own: office suites show one of two
    // frames of the same name.
    m_out.writeStartElement("draw:frame");
    m_out.writeAttribute("draw:style-name", m_imageStyle);
    m_out.writeAttribute("draw:name", QStringLiteral("Image") + QString::number(++m_images));
    m_out.writeAttribute("text:anchor-type", QStringLiteral("as-char"));
    if (size.width() > 0 && size.height() > 0) {
        m_out.writeAttribute("svg:width", OdtStyles::length(size.width()));
        m_out.writeAttribute("svg:height", OdtStyles::length(size.height()));
    }
    m_out.writeAttribute("draw:z-index", QStringLiteral("0"));
    m_out.writeEmptyElement("draw:image");
    m_out.writeAttribute("xlink:href", href);
    m_out.writeAttribute("xlink:type", QStringLiteral("simple"));
    m_out.writeAttribute("xlink:show", QStringLiteral("embed"));
    m_out.writeAttribute("xlink:actuate", QStringLiteral("onLoad"));
    m_out.writeEndElement();
    m_afterLetter = false;
}

// ---------------------------------------------------------------- tables

void OdtBody::writeTable(QTextTable *table, double available)
{
    const QTextTableFormat format = table->format();
    const int rows = table->rows();
    const int columns = table->columns();
    if (rows < 1 || columns < 1)
        return;

    const QTextLength width = format.width();
    const double tableWidth = widthIn(width, available);
    OdtStyles::Properties tp;
    tp.element = "style:table-properties";
    tp.attributes.append({ QStringLiteral("style:width"), OdtStyles::length(tableWidth) });
    if (width.type() == QTextLength::PercentageLength)
        tp.attributes.append(
            { QStringLiteral("style:rel-width"),
              QString::number(qBound(1, qRound(width.rawValue()), 100)) + QLatin1Char('%') });
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    const bool full = width.type() == QTextLength::VariableLength ||
        (width.type() == QTextLength::PercentageLength && width.rawValue() >= 100);
    tp.attributes.append({ QStringLiteral("table:align"),
                           full                           ? QStringLiteral("margins")
                               : align & Qt::AlignHCenter ? QStringLiteral("center")
                               : align & Qt::AlignRight   ? QStringLiteral("right")
                                                          : QStringLiteral("left") });
    if (format.topMargin() > 0)
        tp.attributes.append(
            { QStringLiteral("fo:margin-top"), OdtStyles::length(format.topMargin()) });
    if (format.bottomMargin() > 0)
        tp.attributes.append(
            { QStringLiteral("fo:margin-bottom"), OdtStyles::length(format.bottomMargin()) });
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        tp.attributes.append({ QStringLiteral("fo:break-before"), QStringLiteral("page") });
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
        tp.attributes.append({ QStringLiteral("fo:break-after"), QStringLiteral("page") });
    if (hasColour(format, QTextFormat::BackgroundBrush))
        tp.attributes.append({ QStringLiteral("fo:background-color"),
                               OdtStyles::colour(format.background().color()) });

    // Column widths as the table asks for them: fixed, a share of the
    // table, or an equal part of what is left.
    QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<double> widths(columns, -1);
    double taken = 0;
    int open = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength l = constraints.value(c);
        if (l.type() == QTextLength::FixedLength && l.rawValue() > 0)
            widths[c] = l.rawValue();
        else if (l.type() == QTextLength::PercentageLength && l.rawValue() > 0)
            widths[c] = tableWidth * qMin(l.rawValue(), 100.0) / 100.0;
        if (widths[c] >= 0)
            taken += widths[c];
        else
            ++open;
    }
    const double share =
        open > 0 ? qMax(tableWidth - taken, tableWidth / columns) / open : tableWidth / columns;
    for (double &w : widths) {
        if (w < 0)
            w = share;
        w = qMax(w, 1.0);
    }

    m_out.writeStartElement("table:table");
    m_out.writeAttribute("table:name", QStringLiteral("Table") + QString::number(++m_tables));
    m_out.writeAttribute("table:style-name", m_styles.tableStyle(tp));
    for (int c = 0; c < columns;) {
        OdtStyles::Properties cp;
        cp.element = "style:table-column-properties";
        cp.attributes = { { QStringLiteral("style:column-width"), OdtStyles::length(widths[c]) },
                          { QStringLiteral("style:rel-column-width"),
                            QString::number(qMax(1, qRound(widths[c] * 100))) +
                                QLatin1Char('*') } };
        const QString style = m_styles.columnStyle(cp);
        int repeat = 1;
        while (c + repeat < columns && widths[c + repeat] == widths[c])
            ++repeat;
        m_out.writeEmptyElement("table:table-column");
        m_out.writeAttribute("table:style-name", style);
        if (repeat > 1)
            m_out.writeAttribute("table:number-columns-repeated", QString::number(repeat));
        c += repeat;
    }

    const QString tableBorder =
        borderValue(format.border(), format.borderStyle(), format.borderBrush());
    const int headerRows = qBound(0, format.headerRowCount(), rows);
    for (int r = 0; r < rows; ++r) {
        if (r == 0 && headerRows > 0)
            m_out.writeStartElement("table:table-header-rows");
        m_out.writeStartElement("table:table-row");
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (!cell.isValid() || cell.row() != r || cell.column() != c) {
                m_out.writeEmptyElement("table:covered-table-cell");
                continue;
            }
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            OdtStyles::Properties p;
            p.element = "style:table-cell-properties";
            const struct
            {
                QTextFormat::Property padding;
                QTextFormat::Property border;
                QTextFormat::Property style;
                QTextFormat::Property brush;
                const char *side;
            } sides[] = {
                { QTextFormat::TableCellLeftPadding, QTextFormat::TableCellLeftBorder,
                  QTextFormat::TableCellLeftBorderStyle, QTextFormat::TableCellLeftBorderBrush,
                  "left" },
                { QTextFormat::TableCellRightPadding, QTextFormat::TableCellRightBorder,
                  QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorderBrush,
                  "right" },
                { QTextFormat::TableCellTopPadding, QTextFormat::TableCellTopBorder,
                  QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellTopBorderBrush,
                  "top" },
                { QTextFormat::TableCellBottomPadding, QTextFormat::TableCellBottomBorder,
                  QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorderBrush,
                  "bottom" },
            };
            double horizontalPadding = 0;
            for (const auto &side : sides) {
                const double padding = cf.hasProperty(side.padding)
                    ? cf.doubleProperty(side.padding)
                    : format.cellPadding();
                if (side.padding == QTextFormat::TableCellLeftPadding ||
                    side.padding == QTextFormat::TableCellRightPadding)
                    horizontalPadding += padding;
                p.attributes.append({ QStringLiteral("fo:padding-") + QLatin1String(side.side),
                                      OdtStyles::length(padding) });
                QString border = tableBorder;
                if (cf.hasProperty(side.border))
                    border =
                        borderValue(cf.doubleProperty(side.border),
                                    cf.hasProperty(side.style)
                                        ? QTextFrameFormat::BorderStyle(cf.intProperty(side.style))
                                        : format.borderStyle(),
                                    cf.hasProperty(side.brush) ? cf.brushProperty(side.brush)
                                                               : format.borderBrush());
                p.attributes.append(
                    { QStringLiteral("fo:border-") + QLatin1String(side.side), border });
            }
            if (hasColour(cf, QTextFormat::BackgroundBrush))
                p.attributes.append({ QStringLiteral("fo:background-color"),
                                      OdtStyles::colour(cf.background().color()) });
            switch (cf.verticalAlignment()) {
            case QTextCharFormat::AlignTop:
                p.attributes.append(
                    { QStringLiteral("style:vertical-align"), QStringLiteral("top") });
                break;
            case QTextCharFormat::AlignMiddle:
                p.attributes.append(
                    { QStringLiteral("style:vertical-align"), QStringLiteral("middle") });
                break;
            case QTextCharFormat::AlignBottom:
                p.attributes.append(
                    { QStringLiteral("style:vertical-align"), QStringLiteral("bottom") });
                break;
            default:
                break;
            }
            m_out.writeStartElement("table:table-cell");
            m_out.writeAttribute("table:style-name", m_styles.cellStyle(p));
            if (cell.columnSpan() > 1)
                m_out.writeAttribute("table:number-columns-spanned",
                                     QString::number(cell.columnSpan()));
            if (cell.rowSpan() > 1)
                m_out.writeAttribute("table:number-rows-spanned", QString::number(cell.rowSpan()));
            double cellWidth = 0;
            for (int k = c; k < qMin(columns, c + cell.columnSpan()); ++k)
                cellWidth += widths[k];
            writeContainer(cell.begin(), qMax(1.0, cellWidth - horizontalPadding));
            if (!m_error.isEmpty())
                return;
            m_out.writeEndElement();
        }
        m_out.writeEndElement(); // table:table-row
        if (r == headerRows - 1)
            m_out.writeEndElement(); // table:table-header-rows
    }
    m_out.writeEndElement();
}

// ---------------------------------------------------------------- frames

// A frame of text that is no table: a text box in a paragraph of its own.
void OdtBody::writeTextBox(QTextFrame *frame, double available)
{
    const QTextFrameFormat format = frame->frameFormat();
    const double width = widthIn(format.width(), available);
    OdtStyles::Properties p;
    p.element = "style:graphic-properties";
    p.attributes = {
        { QStringLiteral("style:wrap"), QStringLiteral("none") },
        { QStringLiteral("style:vertical-pos"), QStringLiteral("top") },
        { QStringLiteral("style:vertical-rel"), QStringLiteral("paragraph") },
        { QStringLiteral("style:horizontal-pos"),
          format.position() == QTextFrameFormat::FloatRight ? QStringLiteral("right")
                                                            : QStringLiteral("left") },
        { QStringLiteral("style:horizontal-rel"), QStringLiteral("paragraph") },
        { QStringLiteral("fo:padding"), OdtStyles::length(qMax(0.0, format.padding())) },
        { QStringLiteral("fo:border"),
          borderValue(format.border(), format.borderStyle(), format.borderBrush()) },
    };
    if (hasColour(format, QTextFormat::BackgroundBrush))
        p.attributes.append({ QStringLiteral("fo:background-color"),
                              OdtStyles::colour(format.background().color()) });
    m_out.writeStartElement("text:p");
    m_out.writeAttribute("text:style-name",
                         m_styles.paragraphStyle(QTextBlockFormat(), nullptr, false));
    m_out.writeStartElement("draw:frame");
    m_out.writeAttribute("draw:style-name", m_styles.graphicStyle(p));
    m_out.writeAttribute("draw:name", QStringLiteral("Frame") + QString::number(++m_frames));
    m_out.writeAttribute("text:anchor-type", QStringLiteral("paragraph"));
    m_out.writeAttribute("svg:width", OdtStyles::length(width));
    const QTextLength height = format.height();
    if (height.type() == QTextLength::FixedLength && height.rawValue() > 0)
        m_out.writeAttribute("svg:height", OdtStyles::length(height.rawValue()));
    m_out.writeAttribute("draw:z-index", QStringLiteral("0"));
    m_out.writeStartElement("draw:text-box");
    if (height.type() != QTextLength::FixedLength || height.rawValue() <= 0)
        m_out.writeAttribute("fo:min-height", QStringLiteral("1px"));
    writeContainer(frame->begin(), qMax(1.0, width - 2 * qMax(0.0, format.padding())));
    m_out.writeEndElement(); // draw:text-box
    m_out.writeEndElement(); // draw:frame
    m_out.writeEndElement(); // text:p
    m_afterLetter = false;
}
