#ifndef ZUVO_LEGACY_RTFIMPORTER_H
#define ZUVO_LEGACY_RTFIMPORTER_H

#include <QObject>
#include <QString>

#include <cstdio>
#include <vector>

class QTextDocument;

// Extracts the plain text of an RTF file, one character per text byte (ISO 8859-1), for the
// import of "nudi" files, whose text bytes are glyph codes of the Nudi font. Destinations
// that hold no body text (font table, style sheet, pictures, headers, notes, document
// information ...) are skipped; formatting is tracked per group but not applied.
class RtfImporter : public QObject
{
public:
    RtfImporter();
    RtfImporter(const QString &fileName, QObject *parent);
    RtfImporter(QTextDocument *document, const QString &fileName);
    ~RtfImporter() override;

    // Reads the file and appends its text; returns 0, also when the file does not open.
    int parseRtf();
    QString plainText() const;

    // Upper bounds that keep hostile files from exhausting memory: group nesting, and the
    // length of the extracted text (the parse ends there, keeping what it has).
    static constexpr int kMaxDepth = 1000;
    static constexpr qsizetype kMaxTextLength = qsizetype(1) << 25;

private:
    struct CharProps
    {
        unsigned char bold = 0;
        unsigned char underline = 0;
        unsigned char italic = 0;
    };
    struct ParaProps
    {
        int leftIndent = 0;
        int rightIndent = 0;
        int firstIndent = 0;
        unsigned char justification = 0;
    };
    struct SectionProps
    {
        int columns = 0;
        unsigned char breakKind = 0;
        int pageNumberX = 0;
        int pageNumberY = 0;
        unsigned char pageNumberFormat = 0;
    };
    struct DocProps
    {
        int paperWidth = 0;
        int paperHeight = 0;
        int marginLeft = 0;
        int marginTop = 0;
        int marginRight = 0;
        int marginBottom = 0;
        int firstPage = 0;
        unsigned char facingPages = 0;
        unsigned char landscape = 0;
    };
    struct SaveRecord
    {
        CharProps chp;
        ParaProps pap;
        SectionProps sep;
        DocProps dop;
        int destinationState;
        int inputState;
    };

    int ecRtfParse();
    int ecParseRtfKeyword();
    int ecTranslateKeyword(const char *word, int parameter, bool hasParameter);
    int ecParseChar(int ch);
    int ecPrintChar(int value);
    int ecPushRtfState();
    int ecPopRtfState();
    int ecParseSpecialKeyword(int action, int parameter, bool hasParameter);
    int ecApplyPropChange(int property, int value);
    int ecParseSpecialProperty(int property);
    int ecChangeDest(int destination);
    int ecEndGroupAction(int destination);

    int readByte();
    void unreadByte(int ch);
    void skipUnicodeFallback();

    int m_depth = 0;
    int m_destinationState = 1;
    int m_inputState = 0;
    CharProps m_chp;
    ParaProps m_pap;
    SectionProps m_sep;
    DocProps m_dop;
    std::vector<SaveRecord> m_saved; // the most recent last
    int m_rawByteCount = 0;
    long m_lastParameter = 0;
    bool m_skipUnlistedDestination = false;
    FILE *m_file = nullptr;
    QString m_fileName;
    QString m_text;

    // Read buffer over the file, and bytes put back for reading again.
    std::vector<char> m_buffer;
    size_t m_bufferPos = 0;
    size_t m_bufferLen = 0;
    int m_pushback[4];
    int m_pushbackCount = 0;
};

#endif
