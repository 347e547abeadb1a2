// The style registry of the OpenDocument reader and the conversion of text and
// paragraph properties into character and block formats.
#include "OOReader.h"

#include "FoColorName.h"
#include "odflog.h"

#include <QBrush>
#include <QDomNamedNodeMap>
#include <QTextFrameFormat>
#include <QTextListFormat>
#include <QTextTableCellFormat>
#include <QTextTableFormat>

#include <algorithm>
#include <cmath>

namespace {

// The DOM yields attributes in a different order on every run; the import must
// not depend on it, so attributes are visited in name order.
QList<QDomAttr> sortedAttributes(const QDomElement &element)
{
    QList<QDomAttr> list;
    const QDomNamedNodeMap map = element.attributes();
    list.reserve(map.count());
    for (int i = 0; i < map.count(); ++i)
        list.append(map.item(i).toAttr());
    std::sort(list.begin(), list.end(),
              [](const QDomAttr &a, const QDomAttr &b) { return a.name() < b.name(); });
    return list;
}

// Font families are often written quoted ('Liberation Sans'); one pair goes.
QString unquotedFamily(const QString &family)
{
    if (family.size() >= 2) {
        const QChar first = family.front();
        if ((first == QLatin1Char('\'') || first == QLatin1Char('"')) && family.back() == first)
            return family.mid(1, family.size() - 2);
    }
    return family;
}

// A font size: a percentage is relative to what the text has, so it sets none.
double fontSizeOf(const QString &value)
{
    if (value.trimmed().endsWith(QLatin1Char('%')))
        return -1.0;
    return Unit(value);
}

double readDecimal(QString text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

constexpr int MaxFontFaceDepth = 64;

// Of a character format made from text properties, what the properties state
// themselves: the conversion gives every format a colour, the document's
// font and a weight, which must not hide the formats of the text around a
// span whose style says nothing about them.
QTextCharFormat statedOnly(QTextCharFormat format, const QDomElement &properties)
{
    bool colour = false, font = false, size = false, weight = false, italic = false;
    bool underline = false, overline = false, strikeOut = false, spacing = false;
    const QDomNamedNodeMap map = properties.attributes();
    for (int i = 0; i < map.count(); ++i) {
        const QDomAttr a = map.item(i).toAttr();
        const QString name = a.name().toLower();
        const QString value = a.value().toLower();
        colour = colour || name == QLatin1String("fo:color") ||
            name == QLatin1String("fo:external-destination") ||
            name == QLatin1String("fo:internal-destination");
        font = font || name == QLatin1String("style:font-name");
        size = size || name.contains(QLatin1String("font-size"));
        weight = weight || name.contains(QLatin1String("font-weight")) ||
            value.contains(QLatin1String("bold"));
        italic = italic || name.contains(QLatin1String("font-style")) ||
            value.contains(QLatin1String("italic")) || value.contains(QLatin1String("oblique"));
        underline = underline || name.startsWith(QLatin1String("style:text-underline")) ||
            value.contains(QLatin1String("underline"));
        overline = overline || name.startsWith(QLatin1String("style:text-overline")) ||
            value.contains(QLatin1String("overline"));
        strikeOut = strikeOut || name.startsWith(QLatin1String("style:text-line-through")) ||
            value.contains(QLatin1String("line-through"));
        spacing = spacing || name == QLatin1String("style:text-scale") ||
            name == QLatin1String("fo:letter-spacing");
    }
    const auto clear = [&format](std::initializer_list<QTextFormat::Property> properties) {
        for (QTextFormat::Property p : properties)
            format.clearProperty(p);
    };
    if (!colour)
        clear({ QTextFormat::ForegroundBrush });
    if (!font)
        clear({ QTextFormat::FontFamilies, QTextFormat::FontFamily, QTextFormat::FontFixedPitch,
                QTextFormat::FontStyleHint, QTextFormat::FontStretch, QTextFormat::FontKerning,
                QTextFormat::FontCapitalization, QTextFormat::FontWordSpacing,
                QTextFormat::FontHintingPreference, QTextFormat::FontStyleName });
    if (!size)
        clear({ QTextFormat::FontPointSize, QTextFormat::FontPixelSize,
                QTextFormat::FontSizeAdjustment });
    if (!weight)
        clear({ QTextFormat::FontWeight });
    if (!italic)
        clear({ QTextFormat::FontItalic });
    if (!underline)
        clear({ QTextFormat::FontUnderline, QTextFormat::TextUnderlineStyle });
    if (!overline)
        clear({ QTextFormat::FontOverline });
    if (!strikeOut)
        clear({ QTextFormat::FontStrikeOut });
    if (!spacing)
        clear({ QTextFormat::FontLetterSpacing, QTextFormat::FontLetterSpacingType });
    // The rendering strategy is the defaults', not the style's.
    clear({ QTextFormat::FontStyleStrategy });
    return format;
}

} // namespace

QByteArray CatDomElement(QDomElement element)
{
    if (element.isNull())
        return QByteArray();
    QDomDocument doc;
    QDomElement copy = doc.createElement(element.tagName());
    const QDomNamedNodeMap map = element.attributes();
    for (int i = 0; i < map.count(); ++i) {
        const QDomAttr a = map.item(i).toAttr();
        copy.setAttribute(a.name().toLower(), a.value());
    }
    doc.appendChild(copy);
    for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            copy.appendChild(doc.importNode(n, true));
    }
    return doc.toByteArray(1);
}

// ---------------------------------------------------------------- name scan

void OOReader::styleNameSetup(QByteArray xml, QString attributeName)
{
    // The bytes are searched as they are, up to the first NUL byte: the
    // attribute names and quotes are ASCII, and decoding a whole stream to
    // text first would cost twice its size. Only the names found are decoded.
    const qsizetype nul = xml.indexOf('\0');
    const qsizetype size = nul >= 0 ? nul : xml.size();
    const char *data = xml.constData();
    const QByteArray prefix = (attributeName + QLatin1Char('=')).toLatin1().toLower();
    auto isQuote = [](char c) { return c == '"' || c == '\''; };
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto find = [&](qsizetype from) -> qsizetype {
        const qsizetype last = size - prefix.size();
        for (qsizetype i = from; i <= last; ++i) {
            if (lower(data[i]) != prefix.at(0))
                continue;
            qsizetype k = 1;
            while (k < prefix.size() && lower(data[i + k]) == prefix.at(k))
                ++k;
            if (k == prefix.size())
                return i;
        }
        return -1;
    };

    // The attribute name in any case, "=", a quote of either kind, the name, and
    // the first quote of either kind after it. Once no quote follows an
    // opening one, no later match can exist, so the scan ends there instead
    // of trying every further occurrence up to the end of the stream.
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = find(from);
        if (at < 0)
            return;
        const qsizetype open = at + prefix.size();
        if (open >= size)
            return;
        if (!isQuote(data[open])) {
            from = at + 1;
            continue;
        }
        qsizetype close = open + 1;
        while (close < size && !isQuote(data[close]))
            ++close;
        if (close >= size)
            return;
        const QString name = QString::fromUtf8(data + open + 1, close - open - 1);
        from = close + 1;

        StyleInfo &info = css2[name];
        if (info.used)
            continue;
        info.used = true;
        info.name = name;
        ++styleNameCount;
    }
}

// ---------------------------------------------------------------- font faces

void OOReader::registerFontDoc(const QDomElement &decls)
{
    if (decls.isNull())
        return;
    qCDebug(lcOdf) << "### registerFontDoc  standardFont.name  -> " << standardFont.defaultFamily();
    qCDebug(lcOdf) << "### registerFontDoc  standardFont.name  -> " << standardFont.family();
    qCDebug(lcOdf) << "### registerFontDoc  standardFont.name  -> " << standardFont.toString();
    registerFontFaces(decls, 0);
}

void OOReader::registerFontFaces(const QDomElement &decls, int depth)
{
    if (decls.isNull() || depth > MaxFontFaceDepth)
        return;
    for (QDomElement face = decls.firstChildElement(); !face.isNull();
         face = face.nextSiblingElement()) {
        if (face.tagName() != QLatin1String("style:font-face"))
            continue;
        const QString name = face.attribute(QStringLiteral("style:name"));
        if (!name.isEmpty()) {
            ++fontFaceCount;
            if (fontFaceCount == 1) {
                QFont f;
                f.setFamilies(QStringList {
                    unquotedFamily(face.attribute(QStringLiteral("svg:font-family"))) });
                f.setPointSize(10);
                f.setWeight(QFont::Normal);
                f.setItalic(false);
                standardFont = f;
            }
            fontFaces.insert(name, face);
        }
        registerFontFaces(face.firstChildElement(), depth + 1);
    }
}

// ---------------------------------------------------------------- automatic styles

void OOReader::convertStyleNameRoot(const QDomElement &root)
{
    if (root.isNull())
        return;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("style:style")) {
            const QString name = e.attribute(QStringLiteral("style:name"));
            const QString family = e.attribute(QStringLiteral("style:family"));
            qCDebug(lcOdf) << "### forType ......" << family;
            if (family == QLatin1String("text"))
                TextCharFormatPaint(name,
                                    e.firstChildElement(QStringLiteral("style:text-properties")));
            else if (family == QLatin1String("paragraph")) {
                const QDomElement paragraph =
                    e.firstChildElement(QStringLiteral("style:paragraph-properties"));
                TextBlockFormatPaint(name, paragraph);
                // A paragraph bold or italic as a whole has a style with text
                // properties only, or with them before its paragraph
                // properties: they are its paragraphs' character format all
                // the same.
                const QDomElement text =
                    e.firstChildElement(QStringLiteral("style:text-properties"));
                if (!name.isEmpty() && !text.isNull() &&
                    (paragraph.isNull() ||
                     paragraph.nextSiblingElement(QStringLiteral("style:text-properties")) != text))
                    storeCharFormat(name, text);
            } else if (family == QLatin1String("graphic"))
                FrameImageFormatPaint(name, e);
            else
                UnknowFormatPaint(name, family, e);
        } else if (tag == QLatin1String("text:list-style")) {
            TextListFormatPaint(e.attribute(QStringLiteral("style:name")), e);
        }
    }
}

void OOReader::storeFormat(const QString &name, const QTextFormat &format)
{
    StyleInfo &info = css2[name];
    if (info.used)
        info.format = format;
}

void OOReader::storeCharFormat(const QString &name, const QDomElement &textProperties)
{
    StyleInfo &info = css2[name];
    if (!info.used)
        return;
    info.charFormat =
        TextCharFormFromDom(textProperties, DefaultCharFormats(noStylesFile, QTextCharFormat()));
    info.statedCharFormat = statedOnly(info.charFormat, textProperties);
}

void OOReader::TextCharFormatPaint(QString name, QDomElement textProperties)
{
    if (name.isEmpty())
        return;
    storeCharFormat(name, textProperties);
}

void OOReader::TextBlockFormatPaint(QString name, QDomElement paragraphProperties)
{
    if (name.isEmpty())
        return;
    storeFormat(name, TextBlockFormFromDom(paragraphProperties, DefaultMargin(QTextBlockFormat())));
    const QDomElement text =
        paragraphProperties.nextSiblingElement(QStringLiteral("style:text-properties"));
    if (!text.isNull())
        storeCharFormat(name, text);
}

void OOReader::FrameImageFormatPaint(QString name, QDomElement style)
{
    const QDomElement props = style.firstChildElement(QStringLiteral("style:graphic-properties"));
    if (props.isNull())
        return;

    QColor background = colorTable->foColor(props.attribute(QStringLiteral("fo:background-color")),
                                            FopColor::Transparent);
    const int t = props.attribute(QStringLiteral("style:background-transparency"))
                      .remove(QLatin1Char('%'))
                      .toInt();
    // A colour that is fully transparent (no colour given) stays so.
    if (background.alpha() != 0) {
        if (t >= 1 && t <= 100)
            background.setAlpha(int(255.0 - t * 2.555555));
        else
            background.setAlpha(255);
    }

    QTextFrameFormat frame;
    frame.setProperty(QTextFormat::FramePadding,
                      clampLength(qMax(Unit(QStringLiteral("2mm")),
                                       Unit(props.attribute(QStringLiteral("fo:padding"))))));
    const QStringList border = props.attribute(QStringLiteral("fo:border")).split(QLatin1Char(' '));
    if (border.size() == 3) {
        frame.setProperty(QTextFormat::FrameBorder, clampLength(qMax(0.0, Unit(border.at(0)))));
        frame.setProperty(QTextFormat::FrameBorderBrush,
                          QBrush(colorTable->foColor(border.at(2), FopColor::Black)));
        frame.setProperty(QTextFormat::FrameBorderStyle, QTextFrameFormat::BorderStyle_Solid);
    }
    frame.setProperty(QTextFormat::BackgroundBrush, QBrush(background));

    StyleInfo &info = css2[name];
    if (info.used) {
        info.format = frame;
        info.styleXml = CatDomElement(style);
    }
}

void OOReader::TextListFormatPaint(QString name, QDomElement listStyle)
{
    if (listStyle.tagName() != QLatin1String("text:list-style") || name.isEmpty())
        return;
    const QDomElement number =
        listStyle.firstChildElement(QStringLiteral("text:list-level-style-number"));
    const QDomElement bullet =
        listStyle.firstChildElement(QStringLiteral("text:list-level-style-bullet"));
    QChar c = QLatin1Char('z');
    if (!bullet.isNull()) {
        const QString chars =
            bullet.attribute(QStringLiteral("text:bullet-char"), QStringLiteral("z"));
        if (!chars.isEmpty())
            c = chars.at(0);
    }
    const QString numFormat = number.attribute(QStringLiteral("style:num-format"));

    QTextListFormat::Style style = QTextListFormat::ListSquare;
    if (!number.isNull() && bullet.isNull() && numFormat == QLatin1String("1"))
        style = QTextListFormat::ListDecimal;
    else if (!number.isNull() && bullet.isNull() && numFormat == QLatin1String("a"))
        style = QTextListFormat::ListLowerAlpha;
    else if (!number.isNull() && bullet.isNull() && numFormat == QLatin1String("A"))
        style = QTextListFormat::ListUpperAlpha;
    else if (c == QChar(0x25CB))
        style = QTextListFormat::ListCircle;
    else if (c == QChar(0x25CF))
        style = QTextListFormat::ListDisc;

    QTextListFormat list;
    list.setStyle(style);
    // The list conversion gives the indent; the style carries its kind only.
    list.clearProperty(QTextFormat::ListIndent);
    storeFormat(name, list);

    // Each level as its own element says, with the text before and after
    // its number ("(1)", "a.").
    QMap<int, QTextListFormat> &levels = listLevels[name];
    int count = 0;
    for (QDomElement level = listStyle.firstChildElement(); !level.isNull() && count < 10;
         level = level.nextSiblingElement(), ++count) {
        const QString tag = level.tagName();
        const bool numbered = tag == QLatin1String("text:list-level-style-number");
        if (!numbered && tag != QLatin1String("text:list-level-style-bullet"))
            continue;
        bool ok = false;
        const int depth = level.attribute(QStringLiteral("text:level")).toInt(&ok);
        if (!ok || depth < 1 || depth > 10)
            continue;
        QTextListFormat format;
        if (numbered) {
            static const QHash<QString, QTextListFormat::Style> kinds {
                { QStringLiteral("1"), QTextListFormat::ListDecimal },
                { QStringLiteral("a"), QTextListFormat::ListLowerAlpha },
                { QStringLiteral("A"), QTextListFormat::ListUpperAlpha },
                { QStringLiteral("i"), QTextListFormat::ListLowerRoman },
                { QStringLiteral("I"), QTextListFormat::ListUpperRoman },
            };
            // An empty number format labels nothing: the list's items stand
            // without a number.
            const QString kind = level.attribute(QStringLiteral("style:num-format"));
            format.setStyle(kind.isEmpty() ? QTextListFormat::ListStyleUndefined
                                           : kinds.value(kind, QTextListFormat::ListDecimal));
            format.setNumberPrefix(level.attribute(QStringLiteral("style:num-prefix")));
            format.setNumberSuffix(level.attribute(QStringLiteral("style:num-suffix")));
        } else {
            const QString chars = level.attribute(QStringLiteral("text:bullet-char"));
            const QChar bulletChar = chars.isEmpty() ? QChar() : chars.at(0);
            format.setStyle(bulletChar == QChar(0x25CB)       ? QTextListFormat::ListCircle
                                : bulletChar == QChar(0x25CF) ? QTextListFormat::ListDisc
                                                              : QTextListFormat::ListSquare);
        }
        levels.insert(depth, format);
    }
}

void OOReader::UnknowFormatPaint(QString name, QString family, QDomElement style)
{
    if (family == QLatin1String("table-column")) {
        const QDomElement props =
            style.firstChildElement(QStringLiteral("style:table-column-properties"));
        const double width =
            clampLength(Unit(props.attribute(QStringLiteral("style:column-width"))));
        qCDebug(lcOdf) << "### style:table-column-properties  widthwidthwidthwidthwidthwidth  "
                       << width;
        if (width > 0) {
            QTextFrameFormat f;
            f.setProperty(QTextFormat::FrameWidth, QTextLength(QTextLength::FixedLength, width));
            storeFormat(name, f);
        }
    } else if (family == QLatin1String("table")) {
        const QDomElement props = style.firstChildElement(QStringLiteral("style:table-properties"));
        QTextTableFormat f;
        // A table without a width of its own spans the text area.
        const double width = clampLength(Unit(props.attribute(QStringLiteral("style:width"))));
        if (width > 0)
            f.setProperty(QTextFormat::FrameWidth, QTextLength(QTextLength::FixedLength, width));
        else
            f.setProperty(QTextFormat::FrameWidth, QTextLength(QTextLength::PercentageLength, 100));
        f.setProperty(QTextFormat::BlockAlignment, int(TagAlignElement(props)));
        f.setProperty(QTextFormat::TableCellPadding, 0.0);
        f.setProperty(QTextFormat::TableCellSpacing, 0.0);
        f.setProperty(QTextFormat::FrameBorder, 0.2);
        f.setProperty(
            QTextFormat::BackgroundBrush,
            QBrush(colorTable->foColor(props.attribute(QStringLiteral("fo:background-color")),
                                       FopColor::Transparent)));
        storeFormat(name, f);
    } else if (family == QLatin1String("table-cell")) {
        const QDomElement props =
            style.firstChildElement(QStringLiteral("style:table-cell-properties"));
        QTextTableCellFormat f;
        const double all = Unit(props.attribute(QStringLiteral("fo:padding")));
        const struct
        {
            const char *attribute;
            QTextFormat::Property property;
        } sides[] = {
            { "fo:padding-bottom", QTextFormat::TableCellBottomPadding },
            { "fo:padding-right", QTextFormat::TableCellRightPadding },
            { "fo:padding-top", QTextFormat::TableCellTopPadding },
            { "fo:padding-left", QTextFormat::TableCellLeftPadding },
        };
        for (const auto &side : sides) {
            const double p = qMax(Unit(props.attribute(QLatin1String(side.attribute))), all);
            // -1 means no padding was given: the cell keeps the table's.
            if (p >= 0)
                f.setProperty(side.property, clampLength(p));
        }
        f.setProperty(
            QTextFormat::BackgroundBrush,
            QBrush(colorTable->foColor(props.attribute(QStringLiteral("fo:background-color")),
                                       FopColor::Transparent)));
        storeFormat(name, f);
    }
}

// ---------------------------------------------------------------- properties

QTextCharFormat OOReader::TextCharFormFromDom(QDomElement properties, QTextCharFormat base)
{
    QTextCharFormat format = base;
    format.setForeground(QBrush(Qt::black));

    const QString fontName = properties.attribute(QStringLiteral("style:font-name"));
    if (fontName.isEmpty()) {
        format.setFont(standardFont);
    } else {
        const QDomElement face = fontFaces[fontName];
        const QString family = unquotedFamily(face.attribute(QStringLiteral("svg:font-family")));
        // Only what the face names is applied: its family and pitch. The size
        // and the weight come from the style itself or from the text around it.
        QFont userfont;
        userfont.setFamilies(family.isEmpty() ? QStringList() : QStringList { family });
        userfont.setItalic(false);
        format.setProperty(QTextFormat::FontFixedPitch,
                           face.attribute(QStringLiteral("style:font-pitch")) ==
                               QLatin1String("fixed"));
        format.setFont(userfont, QTextCharFormat::FontPropertiesSpecifiedOnly);
        format.setFontFamilies(family.isEmpty() ? QStringList() : QStringList { family });
    }
    // A font brings its own rendering strategy; the one the default formats ask
    // for (antialiased) stays.
    if (base.hasProperty(QTextFormat::FontStyleStrategy))
        format.setProperty(QTextFormat::FontStyleStrategy,
                           base.property(QTextFormat::FontStyleStrategy));

    bool bold = false;
    const QList<QDomAttr> attributes = sortedAttributes(properties);
    for (const QDomAttr &a : attributes) {
        const QString N = a.name().toLower();
        const QString R = a.value();
        const QString V = R.toLower();
        if (N == QLatin1String("fo:background-color"))
            format.setBackground(QBrush(colorTable->foColor(R, FopColor::Transparent)));
        if (N == QLatin1String("fo:baseline-shift") || N == QLatin1String("style:text-position")) {
            // "super", "sub", or a percentage: above 0 raises, below 0 lowers.
            const QString first = V.trimmed().section(QLatin1Char(' '), 0, 0);
            QTextCharFormat::VerticalAlignment align = QTextCharFormat::AlignNormal;
            if (first.startsWith(QLatin1String("super")))
                align = QTextCharFormat::AlignSuperScript;
            else if (first.startsWith(QLatin1String("sub")))
                align = QTextCharFormat::AlignSubScript;
            else {
                const double shift = readDecimal(QString(first).remove(QLatin1Char('%')));
                if (shift > 0)
                    align = QTextCharFormat::AlignSuperScript;
                else if (shift < 0)
                    align = QTextCharFormat::AlignSubScript;
            }
            format.setVerticalAlignment(align);
        }
        if (N == QLatin1String("fo:color"))
            format.setForeground(QBrush(colorTable->foColor(R, FopColor::Black)));
        if (N == QLatin1String("fo:external-destination") ||
            N == QLatin1String("fo:internal-destination")) {
            format.setAnchorHref(R);
            format.setAnchor(true);
            format.setForeground(QBrush(QColor(QStringLiteral("#dc0000"))));
        }
        if (V.contains(QLatin1String("bold")))
            bold = true;
        if (V.contains(QLatin1String("italic")))
            format.setFontItalic(true);
        if (V.contains(QLatin1String("underline")))
            format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        if (V.contains(QLatin1String("oblique")))
            format.setFontItalic(true);
        if (V.contains(QLatin1String("overline")))
            format.setFontOverline(true);
        if (V.contains(QLatin1String("line-through")))
            format.setFontStrikeOut(true);
        // Current files name the line in the attribute ("solid", "double"...)
        // rather than in the value.
        const bool drawn = !V.isEmpty() && V != QLatin1String("none");
        if (drawn &&
            (N == QLatin1String("style:text-line-through-style") ||
             N == QLatin1String("style:text-line-through-type")))
            format.setFontStrikeOut(true);
        if (drawn &&
            (N == QLatin1String("style:text-overline-style") ||
             N == QLatin1String("style:text-overline-type")))
            format.setFontOverline(true);
    }

    // The complex-script size is the one Kannada text is set in; files write it
    // with its namespace, a few older ones without.
    const double complex =
        qMax(fontSizeOf(properties.attribute(QStringLiteral("style:font-size-complex"))),
             fontSizeOf(properties.attribute(QStringLiteral("font-size-complex"))));
    const double size =
        qMax(complex, fontSizeOf(properties.attribute(QStringLiteral("fo:font-size"))));
    if (size > 2.0)
        format.setFontPointSize(clampFontSize(size));

    if (properties.attribute(QStringLiteral("style:text-underline-type")) ==
            QLatin1String("single") ||
        properties.attribute(QStringLiteral("style:text-underline-style")) ==
            QLatin1String("solid") ||
        properties.attribute(QStringLiteral("style:text-underline-width")) == QLatin1String("auto"))
        format.setUnderlineStyle(QTextCharFormat::SingleUnderline);

    const QString scale = properties.attribute(QStringLiteral("style:text-scale"));
    const QString spacing = properties.attribute(QStringLiteral("fo:letter-spacing"));
    if (!scale.isEmpty() || !spacing.isEmpty()) {
        QString larger = qMax(scale, spacing);
        const double value = readDecimal(larger.remove(QLatin1Char('%')));
        if (value != 0)
            format.setFontLetterSpacing(qBound(-100000.0, value, 100000.0));
    }

    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);

    const double letterSpacing = format.doubleProperty(QTextFormat::FontLetterSpacing);
    if (std::isfinite(letterSpacing) && std::trunc(letterSpacing) == 99.0)
        format.setFontLetterSpacing(100.0);
    return format;
}

QTextBlockFormat OOReader::TextBlockFormFromDom(QDomElement properties, QTextBlockFormat base)
{
    QTextBlockFormat format = base;
    const QList<QDomAttr> attributes = sortedAttributes(properties);
    for (const QDomAttr &a : attributes) {
        const QString N = a.name().toLower();
        const QString R = a.value();
        const QString V = R.trimmed().toLower();
        // Only a page (or column) break breaks; "auto" is the absence of one.
        const bool breaks = V == QLatin1String("page") || V == QLatin1String("column");
        if (N == QLatin1String("fo:break-before") && breaks)
            format.setPageBreakPolicy(format.pageBreakPolicy() |
                                      QTextFormat::PageBreak_AlwaysBefore);
        if (N == QLatin1String("fo:break-after") && breaks)
            format.setPageBreakPolicy(format.pageBreakPolicy() |
                                      QTextFormat::PageBreak_AlwaysAfter);
        if (N == QLatin1String("fo:background-color"))
            format.setBackground(QBrush(colorTable->foColor(R, FopColor::Transparent)));
        if (N == QLatin1String("fo:space-after") || N == QLatin1String("fo:margin-bottom"))
            format.setBottomMargin(clampLength(Unit(R)));
        if (N == QLatin1String("fo:space-start") || N == QLatin1String("fo:margin-right"))
            format.setRightMargin(clampLength(Unit(R)));
        if (N == QLatin1String("fo:space-end") || N == QLatin1String("fo:margin-left"))
            format.setLeftMargin(clampLength(Unit(R)));
        if (N.contains(QLatin1String("fo:start-indent"))) {
            format.setLeftMargin(clampLength(format.leftMargin() + Unit(R)));
            format.setTextIndent(clampLength(Unit(R)));
        }
    }
    format.setAlignment(TagAlignElement(properties));
    return format;
}

Qt::Alignment OOReader::TagAlignElement(QDomElement element)
{
    const QString textAlign = element.attribute(QStringLiteral("fo:text-align"));
    const QString other = qMax(element.attribute(QStringLiteral("table:align")),
                               element.attribute(QStringLiteral("fo:align")));
    const QString h = (other.isEmpty() ? textAlign : other).simplified().toLower();

    if (element.attribute(QStringLiteral("fo:vertical-align")) == QLatin1String("middle") ||
        element.attribute(QStringLiteral("fo:display-align")) == QLatin1String("center"))
        return Qt::AlignVCenter;
    if (h.isEmpty())
        return Qt::AlignLeft;
    if (h == QLatin1String("center"))
        return Qt::AlignCenter;
    if (h == QLatin1String("right") || h == QLatin1String("end"))
        return Qt::AlignRight;
    if (h == QLatin1String("justify"))
        return Qt::AlignJustify;
    if (h == QLatin1String("inherit") || h == QLatin1String("inside"))
        return Qt::AlignAbsolute;
    return Qt::AlignLeft;
}
