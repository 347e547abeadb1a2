#ifndef ZUVO_FORMATS_ODF_OOFORMAT_H
#define ZUVO_FORMATS_ODF_OOFORMAT_H

#include <QObject>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

class QTextDocument;
class FopColor;

// Base of the OpenDocument reader: the document an import fills and the colour
// table its formats are read with.
class OOFormat : public QObject
{
    Q_OBJECT
public:
    OOFormat();
    ~OOFormat() override;

    // The identity of a file path: 40 lower-case hexadecimal digits.
    QString hashGenerator(QString path) const;

    QTextDocument *document;
    FopColor *colorTable;
};

// The formats every style of the import starts from.
QTextCharFormat DefaultCharFormats(bool noStylesFile, QTextCharFormat format);
QTextBlockFormat DefaultMargin(QTextBlockFormat format);
QTextCharFormat PreFormatChar(QTextCharFormat format);

#endif
