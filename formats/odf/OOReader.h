#ifndef ZUVO_FORMATS_ODF_OOREADER_H
#define ZUVO_FORMATS_ODF_OOREADER_H

#include "OOFormat.h"

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QFont>
#include <QMap>
#include <QString>
#include <QTextFormat>
#include <QUrl>

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QTextList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

class QTextCursor;
class QTextDocument;
class QThread;
class QTextFrameFormat;
class QTextListFormat;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// The OpenDocument text reader: turns one "odt" file into `document`. It
// lives in an import thread of its own (made there, or moved there after it
// was made), runs read() there and reports by signals only; ready() ends
// every import.
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
        // Of charFormat, what the style itself states: it goes over the
        // formats of the paragraph and spans around a span of this style,
        // where the rest of charFormat (the defaults) goes under them.
        QTextCharFormat statedCharFormat;
    };

    OOReader(QString path, WIDGEDEST dest = EditorDestination, QObject *parent = nullptr);
    ~OOReader() override;

    // The document read, handed over whole to the thread `to` and no longer
    // the reader's (null when there is none), instead of a copy made there.
    // Called from another thread once ready() was sent, it waits while the
    // reader's own thread, idle in its event loop, moves the document: only
    // the thread an object lives in can.
    QTextDocument *handOverDocument(QThread *to);

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

    // ---- body: paragraphs, spans, links, spaces, line breaks, lists
    bool iterateElements(QDomElement container, QTextCursor &cursor, int);
    bool convertBlock(QTextCursor &cursor, QDomElement paragraph, int newBlock);
    bool convertFragment(QTextCursor &cursor, QDomElement element, QTextCharFormat format,
                         bool flag);
    bool convertSpaceTag(QTextCursor &cursor, QDomElement element, QTextCharFormat format,
                         bool flag);
    // Inserts a text node of a paragraph with its white space collapsed as
    // the format says: each run of spaces, tabs and line ends is one space,
    // and none at all at the start of the paragraph or after another one.
    void insertTextLine(QTextCursor &cursor, const QString &text, const QTextCharFormat &format);
    bool convertList(QTextCursor &cursor, QDomElement list, int, int depth, QString styleName);
    QPair<QTextBlockFormat, QTextCharFormat> paraFormatCss2(QString styleName,
                                                            QTextBlockFormat base, bool);
    QTextCharFormat charFormatCss2(QString styleName, QTextCharFormat base, bool);

    // ---- tables, frames and images
    bool convertTable(QTextCursor &cursor, QDomElement table, int, bool moveToEnd);
    bool convertCellTable(QDomElement cell, QTextCursor &cursor, int);
    QTextFrameFormat FrameFormat(QString styleName);
    bool convertFrame(QTextCursor &cursor, QDomElement frame, QTextCharFormat format, bool flag);
    bool convertImage(QTextCursor &cursor, QDomElement frame, QTextCharFormat format, bool flag);

    // Bounds on what one import builds from outside input.
    static constexpr int MaxSpaceCount = 1000; // characters of one "text:s"
    static constexpr int MaxTableColumns = 1024;
    static constexpr int MaxTableRows = 100000;
    static constexpr qint64 MaxTableCells = 500000; // all tables of one import together
    static constexpr int MaxNestingDepth = 256; // XML elements, lists, tables and frames
    // The streams of a document (content, styles and the like) are XML of a
    // few megabytes; one that inflates beyond this is refused, long before
    // its conversion could take the memory of the machine. Pictures keep
    // the archive reader's own, larger bound.
    static constexpr qint64 MaxXmlMemberSize = qint64(32) << 20;
    static constexpr qint64 MaxLocalImageSize = qint64(64) << 20;
    static constexpr qint64 MaxRemoteImageSize = qint64(20) << 20;
    static constexpr int MaxParallelFetches = 4;

    QString filePath;
    int styleNameCount;
    int blockTotal;
    int blockCurrent;
    QMap<QString, StyleInfo> css2;
    // The format of each level of each list style, as its level element says.
    QHash<QString, QMap<int, QTextListFormat>> listLevels;
    QMap<QString, QByteArray> archive;
    QMap<QString, QDomElement> fontFaces;
    int fontFaceCount;
    QFont standardFont;
    QString lastFileHash;
    QDomDocument contentDom;
    bool bodyRead;
    bool noStylesFile;
    int imageCount;

    // Remote pictures: the time one transfer may stall and the time all of them
    // together may take, in milliseconds.
    int fetchTransferTimeout;
    int fetchDeadline;

public slots:
    void reset();
    void read();

signals:
    void statusRead(int current, int total);
    void setError(QString message);
    void ready();

private slots:
    void ReadBody();
    void in_image(QString imagename, QImage image);

private:
    friend struct OOReaderProbe; // tests and the fuzzer drive the private steps
    void openStreams(QMap<QString, QByteArray> members);
    void refuseTooLarge();
    // The children of a body, text box, section or cell, in document order.
    void convertContainer(const QDomElement &container, QTextCursor &cursor, bool topLevel);
    // One of them.
    void convertContainerChild(const QDomElement &child, QTextCursor &cursor, bool topLevel);
    // An inline element the conversion has no rule of its own for: what it
    // shows (a field's value, a note's citation and body, a ruby's base and
    // reading), in the format given.
    void convertOtherInline(QTextCursor &cursor, const QDomElement &element,
                            const QTextCharFormat &format);
    void convertNote(QTextCursor &cursor, const QDomElement &note, const QTextCharFormat &format);
    // The notes, after everything else of the document.
    void appendNotes(QTextCursor &cursor);
    void convertListItem(QTextCursor &cursor, const QDomElement &item, int depth,
                         const QString &styleName, const QTextListFormat &format, QTextList *&list);
    // A new block at the cursor, or the block the cursor is in while it is still
    // the untouched first block of its container.
    void startBlock(QTextCursor &cursor);
    void collectRows(const QDomElement &parent, QList<QDomElement> &rows, int depth);
    void collectColumns(const QDomElement &parent, QList<QTextLength> &widths, int depth);
    QImage loadLocalImage(const QString &path) const;
    QByteArray archivePicture(const QString &link) const;

    // Remote pictures and the end of an import.
    void fetchRemoteImage(const QString &imagename, const QUrl &url);
    void startQueuedFetches();
    void fetchFinished(QNetworkReply *reply);
    void abortFetches();
    void finishImport();
    void replaceDocument();

    bool blockFree;
    int nesting;
    // The last list of the body, and the lists by their "xml:id": a list may
    // say that it goes on counting where one of them stopped.
    QPointer<QTextList> lastList;
    QHash<QString, QPointer<QTextList>> listsById;
    // The text inserted last in the paragraph being read ended in white space
    // (or nothing was inserted yet): white space that follows is dropped.
    bool afterWhiteSpace = true;
    // The character formats that the paragraph and spans around the text
    // being converted state themselves.
    QTextCharFormat statedChars;
    // The bodies of notes, converted where they are cited and added at the
    // end of the document.
    QTextDocument *notes;
    bool inNote;
    qint64 cellBudget;
    bool readyEmitted;
    bool bodyDone;
    QNetworkAccessManager *network;
    QTimer *deadlineTimer;
    QList<QPair<QString, QUrl>> fetchQueue;
    struct Fetch
    {
        QString imagename;
        QByteArray body;
        bool overCap = false;
    };
    QHash<QNetworkReply *, Fetch> fetches;

    void registerFontFaces(const QDomElement &decls, int depth);
    void storeFormat(const QString &name, const QTextFormat &format);
    void storeCharFormat(const QString &name, const QDomElement &textProperties);
};

// A standalone copy of an element: attribute names lower-cased, child elements
// copied deeply, other child nodes dropped.
QByteArray CatDomElement(QDomElement element);

// The text of a text node with entities resolved, case transformed and white
// space simplified; a leading or trailing blank becomes one no-break space.
QString ootrimmed(QString text, QString transform);

// Every member of a ZIP archive of non-zero size, by its path in the archive.
// XML members ("*.xml") are bounded by OOReader::MaxXmlMemberSize; members
// left out for their size are listed in tooLarge when it is given.
QMap<QString, QByteArray> unzipstream(QString path);
QMap<QString, QByteArray> unzipstream(QString path, QStringList *tooLarge);

// A frame format with a thin blue solid border.
QTextFrameFormat DefaultFrameFormat();

// An XML document with a read-write memory buffer the content passes through.
class ReadWriteBuf : public QDomDocument
{
public:
    explicit ReadWriteBuf(QString text = QString());
    ~ReadWriteBuf();
    ReadWriteBuf(const ReadWriteBuf &) = delete;
    ReadWriteBuf &operator=(const ReadWriteBuf &) = delete;

    QBuffer *buffer;
};

// Copies the element starts and texts of an XML stream into a writer.
class ChildImport
{
public:
    explicit ChildImport(QIODevice *device);
    void copyDeep(QIODevice *device, QXmlStreamWriter &writer);

private:
    QXmlStreamReader reader;
};

// Lengths and font sizes the import accepts; what lies outside is clamped.
double clampLength(double points);
double clampFontSize(double points);

#endif
