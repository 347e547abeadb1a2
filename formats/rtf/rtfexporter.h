#ifndef ZUVO_FORMATS_RTF_RTFEXPORTER_H
#define ZUVO_FORMATS_RTF_RTFEXPORTER_H

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QIODevice;
class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFragment;

// Writes one document to one RTF file with a font table, a colour table and
// the font, colours, size, weight, slant and underline of every run. The
// constructor does all the work. The file is replaced only when it has been
// written completely; a file that cannot be written stays as it was.
class RtfExporter : public QObject
{
public:
    RtfExporter(QTextDocument *document, QString fileName);

    // True when the file was written.
    bool isSaved() const { return saved; }

private:
    void init();
    void processBlock(const QTextBlock &block);
    void processFragment(const QTextFragment &fragment);
    void processCharFormat(const QTextCharFormat &format);
    int colorNumber(const QColor &color);

    QIODevice *device = nullptr;
    QByteArray body;
    QTextDocument *document;
    QStringList fonts;
    QList<QColor> colors;
    bool writeOk = false;
    bool saved = false;
};

#endif
