#ifndef ZUVO_FORMATS_ODF_ODTSTYLES_H
#define ZUVO_FORMATS_ODF_ODTSTYLES_H

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTextListFormat>

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class OdfXmlWriter;

// The automatic styles and font faces of an OpenDocument text being
// written. Every style is a set of properties; equal sets share one style,
// so a document of many runs in a few formats holds a few styles. Lengths
// are the document's own units, written as pixels ("px", 1/96 inch), which
// office suites and our reader take as they are.
class OdtStyles
{
public:
    // One properties element of a style ("style:text-properties") and its
    // attributes in the order they are written.
    struct Properties
    {
        const char *element = "";
        QList<QPair<QString, QString>> attributes;
    };

    explicit OdtStyles(const QTextDocument &document);

    // The page every document is written on: A4 with margins of 2 cm, as
    // the editor prints it; the text area's width in pixels.
    static constexpr double PageWidthMm = 210;
    static constexpr double PageHeightMm = 297;
    static constexpr double PageMarginMm = 20;
    static constexpr double textAreaWidth() { return (PageWidthMm - 2 * PageMarginMm) / 25.4 * 96; }

    // The document's default font: family and size of every run that names
    // none of its own.
    QString defaultFamily() const { return m_defaultFamily; }
    double defaultPointSize() const { return m_defaultPointSize; }

    // The style of a run.
    QString textStyle(const QTextCharFormat &format);
    // The style of a paragraph; blockChars, when given, is the character
    // format an empty paragraph shows. List paragraphs take their indent
    // from the list.
    QString paragraphStyle(const QTextBlockFormat &format, const QTextCharFormat *blockChars,
                           bool inList);
    // Styles of tables, their columns and cells, frames and lists; the
    // properties are made by the caller.
    QString tableStyle(const Properties &table);
    QString columnStyle(const Properties &column);
    QString cellStyle(const Properties &cell);
    QString graphicStyle(const Properties &graphic);
    QString listStyle(const QTextListFormat &format);

    // The attributes that give a run its format; the western, Asian and
    // complex-script properties alike.
    Properties textProperties(const QTextCharFormat &format);

    // Names a font face for the family and returns its name.
    QString fontFace(const QString &family);

    void writeFontFaces(OdfXmlWriter &out) const;
    void writeAutomaticStyles(OdfXmlWriter &out) const;

    // A length in the document's units as a value of an attribute, and a
    // colour.
    static QString length(double pixels);
    static QString colour(const QColor &colour);
    // A family as a font-family value: quoted when it holds a space or comma.
    static QString familyValue(const QString &family);

private:
    struct Style
    {
        QString name;
        QString family;
        QString parent;
        QList<Properties> properties;
    };
    QString add(const QString &family, const QString &prefix, const QString &parent,
                const QList<Properties> &properties);

    QString m_defaultFamily;
    double m_defaultPointSize;
    double m_indentWidth;
    QHash<QString, QString> m_byKey; // the properties written out -> style name
    QHash<QString, int> m_counters; // name prefix -> styles of it so far
    QList<Style> m_styles;
    QHash<QString, QString> m_listByKey;
    QList<QPair<QString, QTextListFormat>> m_lists;
    QStringList m_fontFaces; // in the order named; the default family first
};

#endif
