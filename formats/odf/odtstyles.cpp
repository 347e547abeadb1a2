#include "odtstyles.h"

#include "odfxmlwriter.h"

#include <QBrush>
#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>

#include <cmath>

namespace {

// Office suites know ten list levels.
constexpr int ListLevels = 10;

QString weightValue(int weight)
{
    if (weight == QFont::Normal)
        return QStringLiteral("normal");
    if (weight == QFont::Bold)
        return QStringLiteral("bold");
    // The numeric weights are the hundreds from 100 to 900.
    const int hundreds = qBound(1, (weight + 50) / 100, 9);
    return QString::number(hundreds * 100);
}

QString underlineValue(QTextCharFormat::UnderlineStyle style)
{
    switch (style) {
    case QTextCharFormat::NoUnderline:
        return QString();
    case QTextCharFormat::DashUnderline:
        return QStringLiteral("dash");
    case QTextCharFormat::DotLine:
        return QStringLiteral("dotted");
    case QTextCharFormat::DashDotLine:
        return QStringLiteral("dot-dash");
    case QTextCharFormat::DashDotDotLine:
        return QStringLiteral("dot-dot-dash");
    case QTextCharFormat::WaveUnderline:
    case QTextCharFormat::SpellCheckUnderline:
        return QStringLiteral("wave");
    case QTextCharFormat::SingleUnderline:
    default:
        return QStringLiteral("solid");
    }
}

bool hasColour(const QBrush &brush)
{
    return brush.style() != Qt::NoBrush;
}

// The number format and bullet of a list, as the list styles name them.
struct ListKind
{
    bool bullet;
    QString value; // the bullet character or the number format
};

ListKind listKind(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle:
        return { true, QString(QChar(0x25CB)) };
    case QTextListFormat::ListSquare:
        return { true, QString(QChar(0x25A0)) };
    case QTextListFormat::ListDecimal:
        return { false, QStringLiteral("1") };
    case QTextListFormat::ListLowerAlpha:
        return { false, QStringLiteral("a") };
    case QTextListFormat::ListUpperAlpha:
        return { false, QStringLiteral("A") };
    case QTextListFormat::ListLowerRoman:
        return { false, QStringLiteral("i") };
    case QTextListFormat::ListUpperRoman:
        return { false, QStringLiteral("I") };
    // Bullets "None": the items stand indented as a list, with no label.
    case QTextListFormat::ListStyleUndefined:
        return { false, QString() };
    case QTextListFormat::ListDisc:
    default:
        return { true, QString(QChar(0x25CF)) };
    }
}

QString numberSuffix(const QTextListFormat &format)
{
    // A list format made without a suffix of its own numbers "1." as Qt
    // draws it.
    return format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                             : QStringLiteral(".");
}

} // namespace

OdtStyles::OdtStyles(const QTextDocument &document)
{
    const QFont font = document.defaultFont();
    m_defaultFamily = font.families().value(0, font.family());
    if (m_defaultFamily.isEmpty())
        m_defaultFamily = QStringLiteral("Sans");
    m_defaultPointSize = font.pointSizeF() > 0 ? font.pointSizeF()
        : font.pixelSize() > 0                 ? font.pixelSize() * 0.75
                                               : 12.0;
    m_indentWidth = document.indentWidth();
    fontFace(m_defaultFamily);
}

QString OdtStyles::length(double pixels)
{
    if (!std::isfinite(pixels))
        pixels = 0;
    pixels = qBound(-1e6, pixels, 1e6);
    QString text = QString::number(pixels, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text + QStringLiteral("px");
}

QString OdtStyles::colour(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

QString OdtStyles::familyValue(const QString &family)
{
    if (!family.contains(QLatin1Char(' ')) && !family.contains(QLatin1Char(',')))
        return family;
    const QChar quote = family.contains(QLatin1Char('\'')) ? QLatin1Char('"') : QLatin1Char('\'');
    return quote + family + quote;
}

QString OdtStyles::fontFace(const QString &family)
{
    if (!m_fontFaces.contains(family))
        m_fontFaces.append(family);
    return family;
}

OdtStyles::Properties OdtStyles::textProperties(const QTextCharFormat &format)
{
    Properties p;
    p.element = "style:text-properties";
    auto &a = p.attributes;

    QString family = format.fontFamilies().toStringList().value(0);
    if (family.isEmpty())
        family = m_defaultFamily;
    const QString face = fontFace(family);
    double size = m_defaultPointSize;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        size = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize) &&
             format.intProperty(QTextFormat::FontPixelSize) > 0)
        size = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    QString sizeText = QString::number(size, 'f', 2);
    while (sizeText.endsWith(QLatin1Char('0')))
        sizeText.chop(1);
    if (sizeText.endsWith(QLatin1Char('.')))
        sizeText.chop(1);
    sizeText += QStringLiteral("pt");
    const QString weight = weightValue(
        format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : int(QFont::Normal));
    const QString style = format.fontItalic() ? QStringLiteral("italic") : QStringLiteral("normal");

    // Western, Asian and complex scripts alike: office suites set Kannada
    // in the complex-script font, weight and size.
    for (const QString &suffix :
         { QString(), QStringLiteral("-asian"), QStringLiteral("-complex") }) {
        a.append({ QStringLiteral("style:font-name") + suffix, face });
        a.append({ (suffix.isEmpty() ? QStringLiteral("fo:font-size")
                                     : QStringLiteral("style:font-size") + suffix),
                   sizeText });
        a.append({ (suffix.isEmpty() ? QStringLiteral("fo:font-weight")
                                     : QStringLiteral("style:font-weight") + suffix),
                   weight });
        a.append({ (suffix.isEmpty() ? QStringLiteral("fo:font-style")
                                     : QStringLiteral("style:font-style") + suffix),
                   style });
    }

    const QString underline = underlineValue(format.underlineStyle());
    if (!underline.isEmpty()) {
        a.append({ QStringLiteral("style:text-underline-style"), underline });
        a.append({ QStringLiteral("style:text-underline-type"), QStringLiteral("single") });
        a.append({ QStringLiteral("style:text-underline-width"), QStringLiteral("auto") });
        a.append({ QStringLiteral("style:text-underline-color"),
                   format.underlineColor().isValid() ? colour(format.underlineColor())
                                                     : QStringLiteral("font-color") });
    }
    if (format.fontStrikeOut()) {
        a.append({ QStringLiteral("style:text-line-through-style"), QStringLiteral("solid") });
        a.append({ QStringLiteral("style:text-line-through-type"), QStringLiteral("single") });
    }
    if (format.fontOverline()) {
        a.append({ QStringLiteral("style:text-overline-style"), QStringLiteral("solid") });
        a.append({ QStringLiteral("style:text-overline-width"), QStringLiteral("auto") });
        a.append({ QStringLiteral("style:text-overline-color"), QStringLiteral("font-color") });
    }
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        a.append({ QStringLiteral("style:text-position"), QStringLiteral("super 58%") });
        break;
    case QTextCharFormat::AlignSubScript:
        a.append({ QStringLiteral("style:text-position"), QStringLiteral("sub 58%") });
        break;
    default:
        break;
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush) && hasColour(format.foreground()))
        a.append({ QStringLiteral("fo:color"), colour(format.foreground().color()) });
    if (format.hasProperty(QTextFormat::BackgroundBrush) && hasColour(format.background()))
        a.append({ QStringLiteral("fo:background-color"), colour(format.background().color()) });
    return p;
}

QString OdtStyles::add(const QString &family, const QString &prefix, const QString &parent,
                       const QList<Properties> &properties)
{
    QString key = family + QChar(0x1F) + parent;
    for (const Properties &p : properties) {
        key += QChar(0x1E) + QLatin1String(p.element);
        for (const auto &a : p.attributes)
            key += QChar(0x1F) + a.first + QLatin1Char('=') + a.second;
    }
    const auto found = m_byKey.constFind(key);
    if (found != m_byKey.constEnd())
        return *found;
    const QString name = prefix + QString::number(++m_counters[prefix]);
    m_byKey.insert(key, name);
    m_styles.append({ name, family, parent, properties });
    return name;
}

QString OdtStyles::textStyle(const QTextCharFormat &format)
{
    return add(QStringLiteral("text"), QStringLiteral("T"), QString(), { textProperties(format) });
}

QString OdtStyles::paragraphStyle(const QTextBlockFormat &format, const QTextCharFormat *blockChars,
                                  bool inList)
{
    Properties p;
    p.element = "style:paragraph-properties";
    auto &a = p.attributes;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    const bool absolute = format.alignment() & Qt::AlignAbsolute;
    if (align & Qt::AlignHCenter)
        a.append({ QStringLiteral("fo:text-align"), QStringLiteral("center") });
    else if (align & Qt::AlignJustify)
        a.append({ QStringLiteral("fo:text-align"), QStringLiteral("justify") });
    else if (align & Qt::AlignRight)
        a.append({ QStringLiteral("fo:text-align"),
                   absolute ? QStringLiteral("right") : QStringLiteral("end") });
    else if (align & Qt::AlignLeft)
        a.append({ QStringLiteral("fo:text-align"),
                   absolute ? QStringLiteral("left") : QStringLiteral("start") });

    if (!inList) {
        const double left = format.leftMargin() + format.indent() * m_indentWidth;
        if (left != 0)
            a.append({ QStringLiteral("fo:margin-left"), length(left) });
        if (format.textIndent() != 0)
            a.append({ QStringLiteral("fo:text-indent"), length(format.textIndent()) });
    }
    if (format.rightMargin() != 0)
        a.append({ QStringLiteral("fo:margin-right"), length(format.rightMargin()) });
    a.append({ QStringLiteral("fo:margin-top"), length(format.topMargin()) });
    a.append({ QStringLiteral("fo:margin-bottom"), length(format.bottomMargin()) });

    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        a.append({ QStringLiteral("fo:line-height"),
                   QString::number(qBound(1.0, format.lineHeight(), 10000.0), 'f', 0) +
                       QLatin1Char('%') });
        break;
    case QTextBlockFormat::FixedHeight:
        a.append({ QStringLiteral("fo:line-height"), length(format.lineHeight()) });
        break;
    case QTextBlockFormat::MinimumHeight:
        a.append({ QStringLiteral("style:line-height-at-least"), length(format.lineHeight()) });
        break;
    case QTextBlockFormat::LineDistanceHeight:
        a.append({ QStringLiteral("style:line-spacing"), length(format.lineHeight()) });
        break;
    default:
        break;
    }
    const QTextFormat::PageBreakFlags breaks = format.pageBreakPolicy();
    if (breaks & QTextFormat::PageBreak_AlwaysBefore)
        a.append({ QStringLiteral("fo:break-before"), QStringLiteral("page") });
    if (breaks & QTextFormat::PageBreak_AlwaysAfter)
        a.append({ QStringLiteral("fo:break-after"), QStringLiteral("page") });
    if (format.hasProperty(QTextFormat::BackgroundBrush) && hasColour(format.background()))
        a.append({ QStringLiteral("fo:background-color"), colour(format.background().color()) });

    QList<Properties> properties { p };
    if (blockChars)
        properties.append(textProperties(*blockChars));
    return add(QStringLiteral("paragraph"), QStringLiteral("P"), QStringLiteral("Standard"),
               properties);
}

QString OdtStyles::tableStyle(const Properties &table)
{
    return add(QStringLiteral("table"), QStringLiteral("Tb"), QString(), { table });
}

QString OdtStyles::columnStyle(const Properties &column)
{
    return add(QStringLiteral("table-column"), QStringLiteral("co"), QString(), { column });
}

QString OdtStyles::cellStyle(const Properties &cell)
{
    return add(QStringLiteral("table-cell"), QStringLiteral("ce"), QString(), { cell });
}

QString OdtStyles::graphicStyle(const Properties &graphic)
{
    return add(QStringLiteral("graphic"), QStringLiteral("fr"), QString(), { graphic });
}

QString OdtStyles::listStyle(const QTextListFormat &format)
{
    const ListKind kind = listKind(format.style());
    const QString key = QString::number(kind.bullet) + kind.value + QChar(0x1F) +
        format.numberPrefix() + QChar(0x1F) + numberSuffix(format);
    const auto found = m_listByKey.constFind(key);
    if (found != m_listByKey.constEnd())
        return *found;
    const QString name = QStringLiteral("L") + QString::number(m_lists.size() + 1);
    m_listByKey.insert(key, name);
    m_lists.append({ name, format });
    return name;
}

void OdtStyles::writeFontFaces(OdfXmlWriter &out) const
{
    out.writeStartElement("office:font-face-decls");
    for (const QString &family : m_fontFaces) {
        out.writeEmptyElement("style:font-face");
        out.writeAttribute("style:name", family);
        out.writeAttribute("svg:font-family", familyValue(family));
    }
    out.writeEndElement();
}

void OdtStyles::writeAutomaticStyles(OdfXmlWriter &out) const
{
    out.writeStartElement("office:automatic-styles");
    for (const Style &style : m_styles) {
        out.writeStartElement("style:style");
        out.writeAttribute("style:name", style.name);
        out.writeAttribute("style:family", style.family);
        if (!style.parent.isEmpty())
            out.writeAttribute("style:parent-style-name", style.parent);
        for (const Properties &p : style.properties) {
            out.writeEmptyElement(p.element);
            for (const auto &a : p.attributes)
                out.writeAttribute(a.first, a.second);
        }
        out.writeEndElement();
    }
    for (const auto &list : m_lists) {
        const QTextListFormat &format = list.second;
        const ListKind kind = listKind(format.style());
        out.writeStartElement("text:list-style");
        out.writeAttribute("style:name", list.first);
        // Every level alike: a list nested in another keeps its own kind at
        // whatever depth it stands.
        for (int level = 1; level <= ListLevels; ++level) {
            if (kind.bullet) {
                out.writeStartElement("text:list-level-style-bullet");
                out.writeAttribute("text:level", QString::number(level));
                out.writeAttribute("text:bullet-char", kind.value);
            } else {
                out.writeStartElement("text:list-level-style-number");
                out.writeAttribute("text:level", QString::number(level));
                if (!kind.value.isEmpty() && !format.numberPrefix().isEmpty())
                    out.writeAttribute("style:num-prefix", format.numberPrefix());
                if (!kind.value.isEmpty() && !numberSuffix(format).isEmpty())
                    out.writeAttribute("style:num-suffix", numberSuffix(format));
                out.writeAttribute("style:num-format", kind.value);
            }
            out.writeStartElement("style:list-level-properties");
            out.writeAttribute("text:list-level-position-and-space-mode",
                               QStringLiteral("label-alignment"));
            out.writeEmptyElement("style:list-level-label-alignment");
            const double margin = level * m_indentWidth;
            out.writeAttribute("text:label-followed-by", QStringLiteral("listtab"));
            out.writeAttribute("text:list-tab-stop-position", length(margin));
            out.writeAttribute("fo:text-indent", length(-m_indentWidth / 2));
            out.writeAttribute("fo:margin-left", length(margin));
            out.writeEndElement(); // list-level-properties
            out.writeEndElement(); // level style
        }
        out.writeEndElement();
    }
    out.writeEndElement();
}
