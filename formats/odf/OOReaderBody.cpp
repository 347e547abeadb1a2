// The body of an OpenDocument text: paragraphs and headings, spans, links,
// spaces, tabs, line breaks and lists, written into the reader's document.
#include "OOReader.h"

#include "odflog.h"

#include <QBrush>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextListFormat>

namespace {

const QChar NoBreakSpace(0x00A0);
const QChar LineSeparator(0x2028);
const QChar Tabulator(0x0009);

// Where a link without a target of its own points.
const QString DefaultLinkTarget;

bool isParagraph(const QString &tag)
{
    return tag == QLatin1String("text:p") || tag == QLatin1String("text:h");
}

// Indexes hold their entries, already laid out as paragraphs, in their body.
bool isIndex(const QString &tag)
{
    return tag == QLatin1String("text:table-of-content") ||
        tag == QLatin1String("text:illustration-index") ||
        tag == QLatin1String("text:alphabetical-index") ||
        tag == QLatin1String("text:table-index") || tag == QLatin1String("text:object-index") ||
        tag == QLatin1String("text:user-index") || tag == QLatin1String("text:bibliography");
}

// Inline elements whose text is not shown in the document: comments, the
// descriptions of pictures and shapes, embedded objects.
bool showsNoText(const QString &tag)
{
    return tag == QLatin1String("office:annotation") ||
        tag == QLatin1String("office:annotation-end") || tag == QLatin1String("svg:title") ||
        tag == QLatin1String("svg:desc") || tag == QLatin1String("draw:object") ||
        tag == QLatin1String("draw:object-ole") || tag == QLatin1String("text:tracked-changes") ||
        tag == QLatin1String("office:forms");
}

bool startsFrameOrCell(const QTextCursor &cursor)
{
    return cursor.blockCharFormat().objectIndex() != -1;
}

QTextCharFormat withLink(QTextCharFormat format, const QDomElement &link)
{
    const QString href = link.attribute(QStringLiteral("xlink:href"), DefaultLinkTarget);
    format.setAnchor(true);
    format.setAnchorHref(href);
    format.setForeground(QBrush(QColor(QStringLiteral("#dc0000"))));
    format.setToolTip(href);
    return format;
}

// A "text:s" stands for this many spaces.
int spaceCount(const QDomElement &element)
{
    bool ok = false;
    const int count = element.attribute(QStringLiteral("text:c")).trimmed().toInt(&ok);
    if (!ok || count < 1)
        return 1;
    return qMin(count, int(OOReader::MaxSpaceCount));
}

// Elements that stand for characters of the text.
bool isCharacterElement(const QString &tag)
{
    return tag == QLatin1String("text:s") || tag == QLatin1String("text:tab") ||
        tag == QLatin1String("text:line-break") || tag == QLatin1String("draw:frame");
}

// The text of an element and everything inside it, without building a copy
// of all of it: an empty paragraph is the question. Spaces, tabs, line
// breaks and pictures are text: a paragraph of a tab alone is no empty one.
bool hasText(const QDomNode &node, int depth = 0)
{
    if (depth > OOReader::MaxNestingDepth)
        return false;
    for (QDomNode n = node.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isText() || n.isCDATASection()) {
            if (!n.nodeValue().isEmpty())
                return true;
        } else if (n.isElement() &&
                   (isCharacterElement(n.toElement().tagName()) || hasText(n, depth + 1))) {
            return true;
        }
    }
    return false;
}

} // namespace

QString ootrimmed(QString text, QString transform)
{
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    if (transform == QLatin1String("uppercase")) {
        text = text.toUpper();
    } else if (transform == QLatin1String("capitalize")) {
        if (!text.isEmpty())
            text = text.left(1).toUpper() + text.mid(1).toLower();
    } else if (transform == QLatin1String("lowercase")) {
        text = text.toLower();
    }
    if (text.isEmpty())
        return text;
    auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == NoBreakSpace || c == QChar(0);
    };
    const bool leading = blank(text.front());
    const bool trailing = blank(text.back());
    QString result = text.simplified();
    if (leading)
        result.prepend(NoBreakSpace);
    if (trailing)
        result.append(NoBreakSpace);
    return result;
}

// ---------------------------------------------------------------- containers

void OOReader::startBlock(QTextCursor &cursor)
{
    if (blockFree)
        blockFree = false;
    else
        cursor.insertBlock();
}

void OOReader::convertContainer(const QDomElement &container, QTextCursor &cursor, bool topLevel)
{
    if (nesting > MaxNestingDepth)
        return;
    ++nesting;
    for (QDomElement e = container.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        convertContainerChild(e, cursor, topLevel);
    --nesting;
}

void OOReader::convertContainerChild(const QDomElement &e, QTextCursor &cursor, bool topLevel)
{
    const QString tag = e.tagName();
    if (isParagraph(tag)) {
        ++blockCurrent;
        const bool fill = blockFree;
        blockFree = false;
        convertBlock(cursor, e, fill ? 0 : 1);
        emit statusRead(blockCurrent, blockTotal);
    } else if (tag == QLatin1String("text:list")) {
        convertList(cursor, e, blockCurrent, 1, QStringLiteral("deafult"));
        if (topLevel)
            qCDebug(lcOdf) << "### list root Nr.---" << blockCurrent << blockTotal;
        ++blockCurrent;
        emit statusRead(blockCurrent, blockTotal);
    } else if (tag == QLatin1String("table:table")) {
        convertTable(cursor, e, blockCurrent, topLevel);
    } else if (tag == QLatin1String("draw:frame")) {
        // A frame anchored to the page stands beside the paragraphs; its
        // text box or picture is the user's all the same.
        startBlock(cursor);
        if (convertFrame(cursor, e, DefaultCharFormats(noStylesFile, QTextCharFormat()), false) &&
            e.firstChildElement(QStringLiteral("draw:image")).isNull())
            blockFree = true; // the block after a text box is empty
    } else if (tag == QLatin1String("text:section") || tag == QLatin1String("text:index-title") ||
               tag == QLatin1String("text:numbered-paragraph")) {
        // Containers of their own whose text belongs to the body: a section,
        // the title of an index, a paragraph numbered outside a list (its
        // "text:number" is the label, which is left to the paragraph).
        convertContainer(e, cursor, topLevel);
    } else if (isIndex(tag)) {
        // A table of contents or another index: the entries as they were
        // last laid out, paragraphs like any other.
        convertContainer(e.firstChildElement(QStringLiteral("text:index-body")), cursor, topLevel);
    } else if (tag.startsWith(QLatin1String("draw:")) && !showsNoText(tag)) {
        // A shape anchored to the page: the paragraphs written in it.
        convertContainer(e, cursor, topLevel);
    }
    // Anything else (sequence and field declarations, tracked changes,
    // forms and soft page breaks) carries no text of the body.
}

bool OOReader::iterateElements(QDomElement container, QTextCursor &cursor, int)
{
    const bool wasFree = blockFree;
    blockFree = true; // the first block of a new frame is empty
    convertContainer(container, cursor, false);
    blockFree = wasFree;
    return true;
}

// ---------------------------------------------------------------- paragraphs

bool OOReader::convertBlock(QTextCursor &cursor, QDomElement paragraph, int newBlock)
{
    const QString name =
        paragraph.attribute(QStringLiteral("text:style-name"), QStringLiteral("default"));
    const QTextBlockFormat block = paraFormatCss2(name, QTextBlockFormat(), false).first;
    QTextCharFormat chars = paraFormatCss2(name, QTextBlockFormat(), false).second;
    const QTextCharFormat outerStated = statedChars;
    const StyleInfo &style = css2[name];
    statedChars = style.used ? style.statedCharFormat : QTextCharFormat();

    if (newBlock != 0)
        cursor.insertBlock();
    cursor.beginEditBlock();
    cursor.setBlockFormat(block);
    // White space at the start of the paragraph is dropped; a text box in
    // the paragraph has paragraphs of its own.
    const bool outerAfterWhiteSpace = afterWhiteSpace;
    afterWhiteSpace = true;
    // The paragraph style's character format is the block's own too: an
    // empty bold paragraph stays bold. (Not in the first block of a table
    // cell or a frame, whose character format is the cell's or frame's own,
    // with the cell's spans.)
    if (!statedChars.properties().isEmpty() && !startsFrameOrCell(cursor))
        cursor.setBlockCharFormat(chars);
    cursor.setCharFormat(chars);

    ++nesting;
    for (QDomNode n = paragraph.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement()) {
            const QDomElement e = n.toElement();
            const QString tag = e.tagName();
            if (tag == QLatin1String("text:span")) {
                convertFragment(cursor, e, chars, false);
            } else if (tag == QLatin1String("text:a")) {
                convertFragment(cursor, e, withLink(chars, e), false);
            } else if (tag == QLatin1String("text:line-break")) {
                cursor.insertText(QString(LineSeparator));
                afterWhiteSpace = false;
            } else if (tag == QLatin1String("text:tab")) {
                cursor.insertText(QString(Tabulator));
                afterWhiteSpace = false;
            } else if (tag == QLatin1String("text:s")) {
                convertSpaceTag(cursor, e, chars, false);
            } else if (tag == QLatin1String("draw:frame")) {
                convertFrame(cursor, e, chars, false);
                afterWhiteSpace = false;
            } else if (tag != QLatin1String("text:soft-page-break")) {
                convertOtherInline(cursor, e, chars);
            }
            // "text:soft-page-break" marks where a page happened to end when the
            // file was written; it is no break of the text.
        } else if (n.isCDATASection()) {
            const QString html =
                QStringLiteral("<pre>") + n.nodeValue().toHtmlEscaped() + QStringLiteral("</pre>");
            const QTextCharFormat pre = PreFormatChar(QTextCharFormat());
            cursor.setCharFormat(pre);
            cursor.insertFragment(QTextDocumentFragment::fromHtml(html));
            cursor.setCharFormat(pre);
        } else if (n.isText()) {
            insertTextLine(cursor, n.nodeValue(), chars);
        }
    }
    --nesting;

    if (!hasText(paragraph))
        cursor.insertText(QString(NoBreakSpace));
    cursor.mergeCharFormat(chars);
    cursor.endEditBlock();
    statedChars = outerStated;
    afterWhiteSpace = outerAfterWhiteSpace;
    return true;
}

bool OOReader::convertFragment(QTextCursor &cursor, QDomElement element, QTextCharFormat format,
                               bool flag)
{
    if (element.isNull())
        return false;
    if (nesting > MaxNestingDepth)
        return true;
    QTextCharFormat running = DefaultCharFormats(noStylesFile, QTextCharFormat());
    running.merge(format);
    cursor.setCharFormat(running);
    const QTextCharFormat outerStated = statedChars;
    if (element.tagName() == QLatin1String("text:span")) {
        const QString name =
            element.attribute(QStringLiteral("text:style-name"), QStringLiteral("default"));
        running.merge(charFormatCss2(name, format, flag));
        // What the paragraph and the spans around state stays where this
        // span's style says nothing of its own.
        const StyleInfo &style = css2[name];
        if (style.used)
            statedChars.merge(style.statedCharFormat);
        running.merge(statedChars);
        cursor.setCharFormat(running);
        // An empty span is no character: a space there would part the letters
        // on both sides of it.
    }
    ++nesting;
    for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement()) {
            const QDomElement e = n.toElement();
            const QString tag = e.tagName();
            if (tag == QLatin1String("text:line-break")) {
                cursor.insertText(QString(LineSeparator));
                afterWhiteSpace = false;
            } else if (tag == QLatin1String("text:tab")) {
                cursor.insertText(QString(Tabulator), running);
                afterWhiteSpace = false;
            } else if (tag == QLatin1String("text:span")) {
                convertFragment(cursor, e, running, flag);
            } else if (tag == QLatin1String("draw:frame")) {
                // A picture, or a text box anchored to a character of the run.
                convertFrame(cursor, e, format, flag);
                afterWhiteSpace = false;
            } else if (tag == QLatin1String("text:s")) {
                convertSpaceTag(cursor, e, format, flag);
            } else if (tag == QLatin1String("text:a")) {
                convertFragment(cursor, e, withLink(running, e), flag);
            } else if (tag != QLatin1String("text:soft-page-break")) {
                convertOtherInline(cursor, e, running);
            }
        } else if (n.isText() && !n.isCDATASection()) {
            insertTextLine(cursor, n.nodeValue(), running);
        }
    }
    --nesting;
    statedChars = outerStated;
    return true;
}

void OOReader::convertOtherInline(QTextCursor &cursor, const QDomElement &element,
                                  const QTextCharFormat &format)
{
    if (nesting > MaxNestingDepth)
        return;
    const QString tag = element.tagName();
    if (showsNoText(tag))
        return;
    // Fields set to show nothing, and hidden text whose condition holds.
    if (element.attribute(QStringLiteral("text:display")) == QLatin1String("none"))
        return;
    if (tag == QLatin1String("text:hidden-text") &&
        element.attribute(QStringLiteral("text:is-hidden")) == QLatin1String("true"))
        return;
    if (tag == QLatin1String("text:note")) {
        convertNote(cursor, element, format);
        return;
    }
    if (tag == QLatin1String("text:ruby")) {
        // The base, then its reading in brackets.
        convertFragment(cursor, element.firstChildElement(QStringLiteral("text:ruby-base")), format,
                        false);
        const QString reading =
            element.firstChildElement(QStringLiteral("text:ruby-text")).text().trimmed();
        if (!reading.isEmpty()) {
            cursor.insertText(QLatin1Char('(') + reading + QLatin1Char(')'), format);
            afterWhiteSpace = false;
        }
        return;
    }
    if (tag == QLatin1String("text:number")) {
        // The label of a numbered heading, apart from the heading's text.
        const QString label = element.text().trimmed();
        if (!label.isEmpty()) {
            cursor.insertText(label + QLatin1Char(' '), format);
            afterWhiteSpace = true;
        }
        return;
    }
    if (!element.firstChildElement(QStringLiteral("text:p")).isNull() ||
        !element.firstChildElement(QStringLiteral("text:h")).isNull()) {
        // A shape in the text: its paragraphs each on a line of their own,
        // apart from the text before and after it.
        ++nesting;
        for (QDomElement p = element.firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
            if (!isParagraph(p.tagName()))
                continue;
            if (cursor.positionInBlock() > 0)
                cursor.insertText(QString(LineSeparator), format);
            afterWhiteSpace = true; // each of the shape's paragraphs starts afresh
            convertFragment(cursor, p, format, false);
        }
        --nesting;
        if (!element.nextSibling().isNull()) {
            cursor.insertText(QString(LineSeparator), format);
            afterWhiteSpace = false;
        }
        return;
    }
    // A field, a reference, a bookmark, an index mark, metadata: what it
    // shows is the text inside it, in the format around it.
    convertFragment(cursor, element, format, false);
}

void OOReader::convertNote(QTextCursor &cursor, const QDomElement &note,
                           const QTextCharFormat &format)
{
    const QDomElement citation = note.firstChildElement(QStringLiteral("text:note-citation"));
    QString mark = citation.text().trimmed();
    if (mark.isEmpty())
        mark = citation.attribute(QStringLiteral("text:label"));
    QTextCharFormat markFormat = format;
    markFormat.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (!mark.isEmpty()) {
        cursor.insertText(mark, markFormat);
        afterWhiteSpace = false;
    }

    // Notes hold no notes; one that does is read without them.
    const QDomElement body = note.firstChildElement(QStringLiteral("text:note-body"));
    if (body.isNull() || inNote)
        return;
    const bool first = notes == nullptr;
    if (first)
        notes = new QTextDocument();
    QTextCursor at(notes);
    at.movePosition(QTextCursor::End);
    if (!first)
        at.insertBlock();
    const int start = at.position();

    const bool wasFree = blockFree;
    const QTextCharFormat outerStated = statedChars;
    blockFree = true; // the note's first paragraph fills its block
    statedChars = QTextCharFormat();
    inNote = true;
    convertContainer(body, at, false);
    inNote = false;
    statedChars = outerStated;
    blockFree = wasFree;

    // Each note begins with the mark its citation shows.
    if (!mark.isEmpty()) {
        QTextCursor head(notes);
        head.setPosition(start);
        const QTextCharFormat text = head.charFormat();
        QTextCharFormat raised = text;
        raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        head.insertText(mark, raised);
        head.insertText(QStringLiteral(" "), text);
    }
}

void OOReader::appendNotes(QTextCursor &cursor)
{
    if (notes == nullptr)
        return;
    if (!notes->isEmpty()) {
        cursor.movePosition(QTextCursor::End);
        if (!blockFree)
            cursor.insertBlock(DefaultMargin(QTextBlockFormat()),
                               DefaultCharFormats(noStylesFile, QTextCharFormat()));
        blockFree = false;
        cursor.insertFragment(QTextDocumentFragment(notes));
    }
    delete notes;
    notes = nullptr;
}

bool OOReader::convertSpaceTag(QTextCursor &cursor, QDomElement element, QTextCharFormat format,
                               bool)
{
    if (element.isNull() || element.tagName() != QLatin1String("text:s"))
        return false;
    // Spaces, as the element stands for: no-break spaces would change the
    // text (a search for two spaces, a text file saved from it).
    cursor.insertText(QString(spaceCount(element), QLatin1Char(' ')), format);
    // The spaces it stands for are characters: white space after it stays.
    afterWhiteSpace = false;
    return true;
}

void OOReader::insertTextLine(QTextCursor &cursor, const QString &text,
                              const QTextCharFormat &format)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r')) {
            if (!afterWhiteSpace)
                out += QLatin1Char(' ');
            afterWhiteSpace = true;
        } else {
            out += c;
            afterWhiteSpace = false;
        }
    }
    if (!out.isEmpty())
        cursor.insertText(out, format);
}

// ---------------------------------------------------------------- styles

QPair<QTextBlockFormat, QTextCharFormat> OOReader::paraFormatCss2(QString styleName,
                                                                  QTextBlockFormat base, bool)
{
    QTextBlockFormat block = DefaultMargin(QTextBlockFormat());
    block.merge(base);
    QTextCharFormat chars = DefaultCharFormats(noStylesFile, QTextCharFormat());
    const StyleInfo &info = css2[styleName];
    if (info.used) {
        chars.merge(info.charFormat);
        block.merge(info.format.toBlockFormat());
    }
    return qMakePair(block, chars);
}

QTextCharFormat OOReader::charFormatCss2(QString styleName, QTextCharFormat base, bool)
{
    QTextCharFormat result = DefaultCharFormats(noStylesFile, QTextCharFormat());
    result.merge(base);
    const StyleInfo &info = css2[styleName];
    if (info.used && base.isCharFormat())
        result.merge(info.charFormat);
    return result;
}

// ---------------------------------------------------------------- lists

bool OOReader::convertList(QTextCursor &cursor, QDomElement list, int number, int depth,
                           QString styleName)
{
    qCDebug(lcOdf) << "### convertList begin " << number << " name " << styleName << " l." << depth;
    if (depth > MaxNestingDepth || nesting > MaxNestingDepth)
        return false;
    if (depth == 1)
        styleName = list.attribute(QStringLiteral("text:style-name"));

    // A list whose style cannot be found still holds the user's text: it is
    // drawn with discs rather than left out.
    QTextListFormat format;
    bool usable = !styleName.isEmpty();
    if (!usable) {
        qCDebug(lcOdf) << "### No valid name on QTextListFormat name " << styleName;
    } else {
        const StyleInfo &info = css2[styleName];
        usable = info.used && info.format.isListFormat();
        if (usable)
            format = info.format.toListFormat();
        else
            qCDebug(lcOdf) << "### No valid QTextListFormat name  on css2 list " << styleName;
    }
    if (!usable || format.style() == QTextListFormat::ListStyleUndefined)
        format.setStyle(QTextListFormat::ListDisc);
    // The level's own kind, prefix and suffix, where the style gives them.
    const auto levels = listLevels.constFind(styleName);
    if (levels != listLevels.constEnd() && levels->contains(depth))
        format = levels->value(depth);
    format.setIndent(depth);

    // A list that goes on where another one stopped counts on from there.
    QTextList *textList = nullptr;
    if (depth == 1) {
        const QString from = list.attribute(QStringLiteral("text:continue-list"));
        if (!from.isEmpty())
            textList = listsById.value(from);
        else if (list.attribute(QStringLiteral("text:continue-numbering")) == QLatin1String("true"))
            textList = lastList;
    }

    ++nesting;
    for (QDomElement item = list.firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        const QString tag = item.tagName();
        if (tag == QLatin1String("text:list-item") || tag == QLatin1String("text:list-header"))
            convertListItem(cursor, item, depth, styleName, format, textList);
    }
    --nesting;
    if (depth == 1 && textList) {
        lastList = textList;
        const QString id = list.attribute(QStringLiteral("xml:id"));
        if (!id.isEmpty() && listsById.size() < MaxTableRows)
            listsById.insert(id, textList);
    }
    return usable;
}

void OOReader::convertListItem(QTextCursor &cursor, const QDomElement &item, int depth,
                               const QString &styleName, const QTextListFormat &format,
                               QTextList *&list)
{
    // Every child in document order: an item's own paragraphs are blocks of
    // this list, a list inside it is one level deeper.
    for (QDomElement child = item.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        if (isParagraph(tag)) {
            startBlock(cursor);
            cursor.setBlockFormat(DefaultMargin(QTextBlockFormat()));
            cursor.setCharFormat(DefaultCharFormats(noStylesFile, QTextCharFormat()));
            ++blockCurrent;
            convertBlock(cursor, child, 0);
            if (list == nullptr)
                list = cursor.createList(format);
            else
                list->add(cursor.block());
        } else if (tag == QLatin1String("text:list")) {
            convertList(cursor, child, blockCurrent, depth + 1, styleName);
        } else if (tag == QLatin1String("table:table")) {
            convertTable(cursor, child, blockCurrent, false);
        }
    }
}
