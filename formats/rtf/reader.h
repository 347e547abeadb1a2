#ifndef ZUVO_FORMATS_RTF_READER_H
#define ZUVO_FORMATS_RTF_READER_H

#include "rtf/tokenizer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStack>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QIODevice;
class QTextCodec;
class QTextDecoder;
class QTextDocument;

namespace RTF {

// The codec of a Windows code page number (932 Shift-JIS, 950 Big5, 10000
// Apple Roman, 65001 UTF-8, otherwise "CP" and the number), or null. When name
// is given it receives "CP" and the number. Codecs that are not a superset of
// ASCII (UTF-16, UTF-32) are refused: RTF text bytes are always ASCII-based.
QTextCodec *codecForCodePage(int codePage, QByteArray *name = nullptr);

// Reads an RTF file into a rich-text document through a text cursor: text,
// paragraph ends, bold, italic, underline, strike-out, super- and subscript,
// font families and sizes, alignment, indent, direction and the code pages of
// the document and of its fonts. Table cells, also of nested tables, become tab-separated text,
// each row a paragraph. Footnotes and endnotes keep their number at the citation and their text as
// paragraphs at the end of what was read. Fields show their result. Headers, footers and everything
// else are skipped.
class Reader
{
public:
    Reader();
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    // Reads the whole document from the open device and inserts it at the
    // cursor as one undoable edit. True when no error was recorded; on an
    // error what was read before it stays in the document.
    bool read(QIODevice *device, const QTextCursor &cursor);
    bool hasError() const;
    QString errorString() const;
    // "CP" and the number of the document code page.
    QByteArray codePage() const;

private:
    struct State
    {
        QTextBlockFormat blockFormat;
        QTextCharFormat charFormat;
        bool skipControlWords = false;
        bool skipText = false;
        int skipCount = 1;
        int activeFont = 0;
        // Right after "\*": the next control word may name a destination
        // the reader knows, which it then reads instead of skipping.
        bool starred = false;
        // Inside a field instruction: the text is collected, not inserted.
        bool instruction = false;
        // Inside the font table: text is the name of the font being defined.
        bool fontTable = false;
    };

    // A field being read: its group depth, its instruction and how much text
    // had been inserted when it began (to tell whether its result had any).
    struct Field
    {
        int depth = 0;
        QString instruction;
        qint64 insertedBefore = 0;
    };

    enum NoteKind { Footnote = 0, Endnote = 1 };
    enum NumberFormat { Arabic, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, Symbols };

    static void fillFunctions();
    void reset();

    void insertSymbol(int value);
    void insertHexSymbol(int value);
    void insertUnicodeSymbol(int value);
    void insertCellEnd(int value);
    void setSkipCharacters(int value);
    void endBlock(int value);
    void resetBlockFormatting(int value);
    void resetTextFormatting(int value);
    void setBlockAlignment(int value);
    void setBlockIndent(int value);
    void setBlockDirection(int value);
    void setTextBold(int value);
    void setTextItalic(int value);
    void setTextStrikeOut(int value);
    void setTextUnderline(int value);
    void setTextVerticalAlignment(int value);
    void setCodepage(int value);
    void selectFont(int value);
    void setFont(int value);
    void setFontSize(int value);
    void beginFontTable(int value);
    void readDestination(int value);
    void setFontCodepage(int value);
    void setFontCharset(int value);
    void ignoreGroup(int value);
    void ignoreText(int value);
    void ignoreStarred(int value);
    void beginField(int value);
    void beginFieldInstruction(int value);
    void beginNote(int value);
    void setEndnote(int value);
    void insertNoteNumber(int value);
    void setFootnoteFormat(int value);
    void setEndnoteFormat(int value);
    void setFootnoteStart(int value);
    void setEndnoteStart(int value);

    void addToFontName(const QString &text);
    // Says once per code page (a charset as its negative) that no codec reads it.
    void reportMissingCodec(int codePage);
    void pushState();
    void popState();
    void setCodec(QTextCodec *codec);
    void insertBytes(const QByteArray &bytes);
    void insertText(const QString &text);
    void flushText();
    void endField();
    void endNote();
    QString takeNoteNumber();
    void appendNotes();

    Tokenizer tokenizer;
    bool blockStarted;
    QStack<State> states;
    State state;
    QTextBlockFormat defaultBlockFormat;
    QTextCodec *codec;
    QTextDecoder *decoder;
    QTextCodec *defaultCodec;
    // Codec per font number, null where the font has none. A hash, because
    // font numbers come from the file (\f2147483647, \f-1).
    QHash<int, QTextCodec *> fontCodecs;
    // The family of each font the font table names, and the fonts whose name
    // is complete.
    QHash<int, QString> fontNames;
    QSet<int> namedFonts;
    QSet<int> reportedCodePages;
    QByteArray codePageName;
    QString errorText;
    QTextCursor cursor;
    // Text decoded but not yet inserted: one insertion per run instead of one
    // per character keeps large files fast. Flushed before any change of
    // format or paragraph.
    QString pendingText;
    // Groups opened beyond the nesting limit: they are only counted.
    int excessDepth;
    // Characters inserted so far (into the document or the notes).
    qint64 inserted;
    QList<Field> fields;

    // Notes are read into a document of their own and added at the end.
    // While one is read, `cursor` writes there and `mainCursor` waits at the
    // citation.
    QTextDocument *notes;
    QTextCursor mainCursor;
    bool mainBlockStarted;
    bool inNote;
    int noteDepth;
    NoteKind noteKind;
    QString noteNumber; // the number of the note being read, once known
    bool afterNoteMark; // the note's own mark was the last thing inserted
    int noteCount[2];
    int noteStart[2];
    NumberFormat noteFormat[2];
    // A citation mark was met in the text: its number is inserted there when
    // the note that follows it tells whether it is a footnote or an endnote.
    bool citationPending;
    QTextCharFormat citationFormat;
};

} // namespace RTF

#endif
