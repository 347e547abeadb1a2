#ifndef ZUVO_FORMATS_ODF_ODTBODY_H
#define ZUVO_FORMATS_ODF_ODTBODY_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QTextFrame>

#include <functional>

class OdtStyles;
class QTextBlock;
class QTextDocument;
class QTextImageFormat;
class QTextList;
class QTextTable;
class OdfXmlWriter;

// The body of an OpenDocument text written from a document as it holds it:
// the root frame's blocks, tables and frames in order; every cell with all
// its paragraphs, lists and tables, to any depth; lists nested by their
// indent and continued where the same list goes on; runs with their
// formats, links, pictures, tabs, line breaks and spaces.
//
// White space is written so that a reader that collapses it as the format
// says (a run of blanks is one, a paragraph's leading blanks are dropped)
// reads the text back exactly: nothing is indented inside a paragraph, and
// every blank a collapsing reader would drop is a "text:s".
class OdtBody
{
public:
    // A picture the package must store.
    struct Picture
    {
        QString path; // "Pictures/…"
        QString mediaType;
        QByteArray bytes;
    };

    // progress is called after every paragraph; when it returns false the
    // writing stops, without touching the document again.
    OdtBody(const QTextDocument &document, OdtStyles &styles, OdfXmlWriter &out,
            const std::function<bool()> &progress);

    // Writes "office:text" and what it holds; false, with errorString(),
    // when a picture cannot be stored or the writing was stopped.
    bool write();
    QString errorString() const { return m_error; }
    const QList<Picture> &pictures() const { return m_pictures; }

private:
    // A list element open in the container being written.
    struct OpenList
    {
        QTextList *list; // null for a level that only carries a deeper list
        int level;
    };

    // The blocks and frames from the iterator to its end; `available` is
    // the width they stand in, for tables and frames sized by a share.
    void writeContainer(QTextFrame::iterator it, double available);
    void closeListsTo(QList<OpenList> &open, int size);
    void enterList(QList<OpenList> &open, QTextList *list);
    void openListElement(QTextList *list, const QString &style);
    void writeParagraph(const QTextBlock &block, bool inList);
    void writeRuns(const QTextBlock &block);
    // The text without what XML cannot hold, line ends as line breaks.
    static QString writable(const QString &text);
    // Text as writable() gives it.
    void writeText(const QString &text);
    void writeSpaces(int count);
    void writeImage(const QTextImageFormat &format);
    void writeTable(QTextTable *table, double available);
    void writeTextBox(QTextFrame *frame, double available);
    // The href of a picture, storing it in the package when the document
    // holds it; empty when it can be neither stored nor linked.
    QString pictureLink(const QTextImageFormat &format, QSizeF *size);
    void tick();

    const QTextDocument &m_document;
    OdtStyles &m_styles;
    OdfXmlWriter &m_out;
    std::function<bool()> m_progress;
    QString m_error;

    // Of the paragraph being written: whether the last thing written was a
    // character that is not a blank (a blank after it is kept as it is).
    bool m_afterLetter = false;

    QHash<int, QString> m_textStyles; // char format index -> style
    QHash<qint64, QString> m_paragraphStyles; // block and char format indexes -> style
    QHash<QTextList *, QString> m_listIds; // the first element of each list
    QHash<QString, QString> m_pictureByName; // image name -> member path or link
    QHash<QString, QSizeF> m_pictureSizes; // image name -> the picture's own size
    QList<Picture> m_pictures;
    QString m_imageStyle;
    int m_images = 0;
    int m_frames = 0;
    int m_tables = 0;
    double m_textWidth;
};

#endif
