#ifndef ZUVO_OOREADER_H
#define ZUVO_OOREADER_H

#include "OOFormat.h"

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QFont>
#include <QMap>
#include <QString>
#include <QTextFormat>

// The OpenDocument text reader: turns one "odt" file into `document`. It is
// created in the GUI thread, moved to an import thread of its own, runs read()
// there and reports by signals only; ready() ends every import.
class OOReader : public OOFormat
{
    Q_OBJECT
public:
    // Where the import goes; the reader does not act on it.
    enum WIDGEDEST { NoDestination = 0, DocumentDestination = 1, EditorDestination = 2 };

    // One style of the registry.
    struct StyleInfo
    {
        StyleInfo();
        StyleInfo(const StyleInfo &other);
        StyleInfo &operator=(const StyleInfo &other);
        ~StyleInfo();

        QString name;
        QTextFormat format; // block, frame, list, table, column or cell format
        QTextCharFormat charFormat; // character format
        QByteArray styleXml; // copy of a "graphic" style element
        bool used; // the name occurs in a stream
    };

    OOReader(QString path, WIDGEDEST dest = EditorDestination, QObject *parent = nullptr);
    ~OOReader() override;

    // ---- style registry
    void styleNameSetup(QByteArray xml, QString attributeName);
    void registerFontDoc(const QDomElement &decls);
    void convertStyleNameRoot(const QDomElement &root);
    void TextCharFormatPaint(QString name, QDomElement textProperties);
    void TextBlockFormatPaint(QString name, QDomElement paragraphProperties);
    void FrameImageFormatPaint(QString name, QDomElement style);
    void UnknowFormatPaint(QString name, QString family, QDomElement style);
    void TextListFormatPaint(QString name, QDomElement listStyle);

    // ---- character and paragraph properties
    QTextCharFormat TextCharFormFromDom(QDomElement properties, QTextCharFormat base);
    QTextBlockFormat TextBlockFormFromDom(QDomElement properties, QTextBlockFormat base);
    static Qt::Alignment TagAlignElement(QDomElement element);

    QString filePath;
    int styleNameCount;
    int blockTotal;
    int blockCurrent;
    QMap<QString, StyleInfo> css2;
    QMap<QString, QByteArray> archive;
    QMap<QString, QDomElement> fontFaces;
    int fontFaceCount;
    QFont standardFont;
    QString lastFileHash;
    QDomDocument contentDom;
    bool bodyRead;
    bool noStylesFile;
    int imageCount;

public slots:
    void reset();
    void read();

signals:
    void statusRead(int current, int total);
    void setError(QString message);
    void ready();

private:
    void registerFontFaces(const QDomElement &decls, int depth);
    void storeFormat(const QString &name, const QTextFormat &format);
    void storeCharFormat(const QString &name, const QTextCharFormat &format);
};

// A standalone copy of an element: attribute names lower-cased, child elements
// copied deeply, other child nodes dropped.
QByteArray CatDomElement(QDomElement element);

// Lengths and font sizes the import accepts; what lies outside is clamped.
double clampLength(double points);
double clampFontSize(double points);

#endif
