#include "rtfimporter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

enum ResultCode {
    ecOK = 0,
    ecStackUnderflow = 1,
    ecStackOverflow = 2,
    ecUnmatchedBrace = 3,
    ecBadTable = 5,
    ecAssertion = 6,
    ecEndOfFile = 7,
    ecTextLimit = 8,
};

enum DestinationState { rdsNorm = 0, rdsSkip = 1 };
enum InputState { risNorm = 0, risBin = 1, risHex = 2 };

enum Kind { kwdChar, kwdDest, kwdProp, kwdSpec };

enum Property {
    propBold,
    propUnderline,
    propItalic,
    propLeftIndent,
    propRightIndent,
    propFirstIndent,
    propColumns,
    propBreakKind,
    propPageNumberX,
    propPageNumberY,
    propPageNumberFormat,
    propJustification,
    propPaperWidth,
    propPaperHeight,
    propMarginLeft,
    propMarginRight,
    propMarginTop,
    propMarginBottom,
    propFirstPage,
    propFacingPages,
    propLandscape,
    // Resets of a whole record; no control word of the table selects them.
    propResetParagraph,
    propResetCharacter,
    propResetSection,
};

enum Special { specBin, specHex, specSkipDest };

// Characters whose code is the control word's own business.
constexpr int kCharUnicode = -1;
constexpr int kCharLine = -2;

struct Keyword
{
    const char *word;
    int defaultValue;
    bool useDefault;
    Kind kind;
    int index;
};

const Keyword kKeywords[] = {
    { "b", 1, false, kwdProp, propBold },
    { "ul", 1, false, kwdProp, propUnderline },
    { "i", 1, false, kwdProp, propItalic },
    { "li", 0, false, kwdProp, propLeftIndent },
    { "ri", 0, false, kwdProp, propRightIndent },
    { "fi", 0, false, kwdProp, propFirstIndent },
    { "cols", 1, false, kwdProp, propColumns },
    { "sbknone", 0, true, kwdProp, propBreakKind },
    { "sbkcol", 1, true, kwdProp, propBreakKind },
    { "sbkeven", 2, true, kwdProp, propBreakKind },
    { "sbkodd", 3, true, kwdProp, propBreakKind },
    { "sbkpage", 4, true, kwdProp, propBreakKind },
    { "pgnx", 0, false, kwdProp, propPageNumberX },
    { "pgny", 0, false, kwdProp, propPageNumberY },
    { "pgndec", 0, true, kwdProp, propPageNumberFormat },
    { "pgnucrm", 1, true, kwdProp, propPageNumberFormat },
    { "pgnlcrm", 2, true, kwdProp, propPageNumberFormat },
    { "pgnucltr", 3, true, kwdProp, propPageNumberFormat },
    { "pgnlcltr", 4, true, kwdProp, propPageNumberFormat },
    { "qc", 2, true, kwdProp, propJustification },
    { "ql", 0, true, kwdProp, propJustification },
    { "qr", 1, true, kwdProp, propJustification },
    { "qj", 3, true, kwdProp, propJustification },
    { "paperw", 12240, false, kwdProp, propPaperWidth },
    { "paperh", 15480, false, kwdProp, propPaperHeight },
    { "margl", 1800, false, kwdProp, propMarginLeft },
    { "margr", 1800, false, kwdProp, propMarginRight },
    { "margt", 1440, false, kwdProp, propMarginTop },
    { "margb", 1440, false, kwdProp, propMarginBottom },
    { "pgnstart", 1, true, kwdProp, propFirstPage },
    { "facingp", 1, true, kwdProp, propFacingPages },
    { "landscape", 1, true, kwdProp, propLandscape },
    { "bin", 0, false, kwdSpec, specBin },
    { "*", 0, false, kwdSpec, specSkipDest },
    { "'", 0, false, kwdSpec, specHex },
    { "author", 0, false, kwdDest, 0 },
    { "buptim", 0, false, kwdDest, 0 },
    { "colortbl", 0, false, kwdDest, 0 },
    { "comment", 0, false, kwdDest, 0 },
    { "creatim", 0, false, kwdDest, 0 },
    { "doccomm", 0, false, kwdDest, 0 },
    { "fonttbl", 0, false, kwdDest, 0 },
    { "footer", 0, false, kwdDest, 0 },
    { "footerf", 0, false, kwdDest, 0 },
    { "footerl", 0, false, kwdDest, 0 },
    { "footerr", 0, false, kwdDest, 0 },
    { "footnote", 0, false, kwdDest, 0 },
    { "ftncn", 0, false, kwdDest, 0 },
    { "ftnsep", 0, false, kwdDest, 0 },
    { "ftnsepc", 0, false, kwdDest, 0 },
    { "header", 0, false, kwdDest, 0 },
    { "headerf", 0, false, kwdDest, 0 },
    { "headerl", 0, false, kwdDest, 0 },
    { "headerr", 0, false, kwdDest, 0 },
    { "info", 0, false, kwdDest, 0 },
    { "keywords", 0, false, kwdDest, 0 },
    { "operator", 0, false, kwdDest, 0 },
    { "pict", 0, false, kwdDest, 0 },
    { "printim", 0, false, kwdDest, 0 },
    { "private1", 0, false, kwdDest, 0 },
    { "revtim", 0, false, kwdDest, 0 },
    { "rxe", 0, false, kwdDest, 0 },
    { "stylesheet", 0, false, kwdDest, 0 },
    { "subject", 0, false, kwdDest, 0 },
    { "tc", 0, false, kwdDest, 0 },
    { "title", 0, false, kwdDest, 0 },
    { "txe", 0, false, kwdDest, 0 },
    { "xe", 0, false, kwdDest, 0 },
    { "par", 0, false, kwdChar, 13 },
    { "line", 0, false, kwdChar, kCharLine },
    { "tab", 0, false, kwdChar, 9 },
    { "zwj", 0, false, kwdChar, 0x200D },
    { "zwnj", 0, false, kwdChar, 0x200C },
    { "ldblquote", 0, false, kwdChar, 0x201C },
    { "lquote", 0, false, kwdChar, 0x2018 },
    { "ltrmark", 0, false, kwdChar, 0x200E },
    { "rdblquote", 0, false, kwdChar, 0x22 },
    { "{", 0, false, kwdChar, '{' },
    { "}", 0, false, kwdChar, '}' },
    { "\\", 0, false, kwdChar, '\\' },
    { "u", 0, false, kwdChar, kCharUnicode },
};

// The table sorted by word, for an exact look-up in logarithmic time.
const std::vector<const Keyword *> &sortedKeywords()
{
    static const std::vector<const Keyword *> sorted = [] {
        std::vector<const Keyword *> list;
        for (const Keyword &keyword : kKeywords)
            list.push_back(&keyword);
        std::sort(list.begin(), list.end(), [](const Keyword *a, const Keyword *b) {
            return std::strcmp(a->word, b->word) < 0;
        });
        return list;
    }();
    return sorted;
}

const Keyword *findKeyword(const char *word)
{
    const auto &sorted = sortedKeywords();
    const auto it = std::lower_bound(
        sorted.begin(), sorted.end(), word,
        [](const Keyword *keyword, const char *w) { return std::strcmp(keyword->word, w) < 0; });
    if (it == sorted.end() || std::strcmp((*it)->word, word) != 0)
        return nullptr;
    return *it;
}

bool isAsciiLetter(int ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

bool isDigit(int ch)
{
    return ch >= '0' && ch <= '9';
}

int hexValue(int ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// Letters of a control word and digits of a parameter that are kept; the rest of a longer
// word or number is read and dropped.
constexpr int kMaxWordLength = 29;
constexpr int kMaxDigits = 19;

} // namespace

RtfImporter::RtfImporter()
    : QObject(nullptr)
{
}

RtfImporter::RtfImporter(const QString &fileName, QObject *parent)
    : QObject(parent)
    , m_fileName(fileName)
{
}

RtfImporter::RtfImporter(QTextDocument *document, const QString &fileName)
    : QObject(nullptr)
    , m_fileName(fileName)
{
    Q_UNUSED(document);
}

RtfImporter::~RtfImporter()
{
    if (m_file)
        std::fclose(m_file);
}

QString RtfImporter::plainText() const
{
    return m_text;
}

int RtfImporter::parseRtf()
{
    // Only a regular file has an end: a device or a pipe could feed the parse for ever.
    if (m_fileName.isEmpty() || !QFileInfo(m_fileName).isFile())
        return 0;
    m_file = std::fopen(QFile::encodeName(m_fileName).constData(), "r");
    if (!m_file)
        return 0;
    m_buffer.resize(65536);
    m_bufferPos = m_bufferLen = 0;
    m_pushbackCount = 0;
    const int code = ecRtfParse();
    if (code != ecOK)
        qDebug("RtfImporter: %s: parse ended with code %d", qPrintable(m_fileName), code);
    std::fclose(m_file);
    m_file = nullptr;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    return 0;
}

int RtfImporter::readByte()
{
    if (m_pushbackCount > 0)
        return m_pushback[--m_pushbackCount];
    if (m_bufferPos == m_bufferLen) {
        m_bufferLen = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        m_bufferPos = 0;
        if (m_bufferLen == 0)
            return EOF;
    }
    return static_cast<unsigned char>(m_buffer[m_bufferPos++]);
}

void RtfImporter::unreadByte(int ch)
{
    if (ch != EOF && m_pushbackCount < int(sizeof m_pushback / sizeof m_pushback[0]))
        m_pushback[m_pushbackCount++] = ch;
}

int RtfImporter::ecRtfParse()
{
    int ch;
    while ((ch = readByte()) != EOF) {
        int code = ecOK;
        if (m_inputState == risBin) {
            code = ecParseChar(ch);
        } else if (m_inputState == risHex) {
            // Only hex digits belong to the escape: anything else ends it, emits nothing and
            // is read again as what it is (a brace, a control word, text).
            m_inputState = risNorm;
            const int high = hexValue(ch);
            if (high < 0) {
                unreadByte(ch);
                continue;
            }
            const int next = readByte();
            const int low = hexValue(next);
            if (low < 0) {
                unreadByte(next);
                continue;
            }
            code = ecParseChar(high * 16 + low);
        } else if (m_inputState == risNorm) {
            switch (ch) {
            case '{':
                code = ecPushRtfState();
                break;
            case '}':
                code = ecPopRtfState();
                break;
            case '\\':
                code = ecParseRtfKeyword();
                break;
            case '\r':
            case '\n':
                // Line breaks in the file only wrap its lines; they are not text.
                break;
            default:
                code = ecParseChar(ch);
                break;
            }
        } else {
            code = ecAssertion;
        }
        if (code != ecOK)
            return code;
    }
    return m_depth > 0 ? ecUnmatchedBrace : ecOK;
}

int RtfImporter::ecPushRtfState()
{
    if (m_depth >= kMaxDepth)
        return ecStackOverflow;
    m_saved.push_back({ m_chp, m_pap, m_sep, m_dop, m_destinationState, m_inputState });
    ++m_depth;
    m_inputState = risNorm;
    return ecOK;
}

int RtfImporter::ecPopRtfState()
{
    if (m_saved.empty())
        return ecStackUnderflow;
    const SaveRecord &record = m_saved.back();
    m_chp = record.chp;
    m_pap = record.pap;
    m_sep = record.sep;
    m_dop = record.dop;
    m_destinationState = record.destinationState;
    m_inputState = record.inputState;
    m_saved.pop_back();
    --m_depth;
    return ecOK;
}

int RtfImporter::ecParseRtfKeyword()
{
    int ch = readByte();
    if (ch == EOF)
        return ecEndOfFile;

    char word[kMaxWordLength + 1];
    if (!isAsciiLetter(ch)) {
        // A control symbol: one character, no parameter, no delimiter.
        word[0] = char(ch);
        word[1] = 0;
        return ecTranslateKeyword(word, 0, false);
    }

    int length = 0;
    while (isAsciiLetter(ch)) {
        if (length < kMaxWordLength)
            word[length++] = char(ch);
        ch = readByte();
    }
    word[length] = 0;
    if (ch == EOF)
        return ecEndOfFile;

    bool negative = false;
    if (ch == '-') {
        negative = true;
        ch = readByte();
        if (ch == EOF)
            return ecEndOfFile;
    }

    bool hasParameter = false;
    bool outOfRange = false;
    long long digits = 0;
    int digitCount = 0;
    while (isDigit(ch)) {
        hasParameter = true;
        if (digitCount < kMaxDigits && !outOfRange) {
            digits = digits * 10 + (ch - '0');
            // An int holds at most 2147483647, or its negation less one.
            if (digits > (negative ? 2147483648LL : 2147483647LL))
                outOfRange = true;
        }
        ++digitCount;
        ch = readByte();
    }
    if (ch == EOF)
        return ecEndOfFile;

    int parameter = 0;
    if (hasParameter) {
        if (outOfRange || digitCount > kMaxDigits)
            digits = 0;
        m_lastParameter = long(digits);
        parameter = negative ? int(-digits) : int(digits);
    }

    // The delimiter: a blank belongs to the word; after "par" so does a line break. Anything
    // else is read again by the main loop.
    const bool isPar = std::strcmp(word, "par") == 0;
    if (!(ch == ' ' || (isPar && (ch == '\r' || ch == '\n'))))
        unreadByte(ch);

    if (m_depth == 1)
        m_destinationState = rdsNorm;

    return ecTranslateKeyword(word, parameter, hasParameter);
}

void RtfImporter::skipUnicodeFallback()
{
    // One character stands in for the Unicode one for readers that know no "u": a byte or a
    // hex escape. Braces and other control words are structure and are left alone.
    int ch = readByte();
    while (ch == '\r' || ch == '\n')
        ch = readByte();
    if (ch == EOF)
        return;
    if (ch == '{' || ch == '}') {
        unreadByte(ch);
        return;
    }
    if (ch != '\\')
        return;
    const int next = readByte();
    if (next != '\'') {
        unreadByte(next);
        unreadByte(ch);
        return;
    }
    for (int i = 0; i < 2; ++i) {
        const int digit = readByte();
        if (hexValue(digit) < 0) {
            unreadByte(digit);
            return;
        }
    }
}

int RtfImporter::ecTranslateKeyword(const char *word, int parameter, bool hasParameter)
{
    const Keyword *keyword = findKeyword(word);
    if (!keyword) {
        if (m_skipUnlistedDestination)
            m_destinationState = rdsSkip;
        m_skipUnlistedDestination = false;
        return ecOK;
    }
    m_skipUnlistedDestination = false;

    switch (keyword->kind) {
    case kwdChar:
        if (keyword->index == kCharUnicode) {
            skipUnicodeFallback();
            if (!hasParameter || m_destinationState != rdsNorm)
                return ecOK;
            // Writers give code points above 32767 as negative numbers.
            return ecPrintChar(parameter < 0 ? (parameter & 0xFFFF) : parameter);
        }
        if (keyword->index == kCharLine)
            return m_destinationState == rdsNorm ? ecPrintChar(10) : ecOK;
        return ecParseChar(keyword->index);
    case kwdDest:
        m_destinationState = rdsSkip;
        return ecOK;
    case kwdProp:
        if (m_destinationState == rdsSkip)
            return ecOK;
        return ecApplyPropChange(keyword->index,
                                 (keyword->useDefault || !hasParameter) ? keyword->defaultValue
                                                                        : parameter);
    case kwdSpec:
        return ecParseSpecialKeyword(keyword->index, parameter, hasParameter);
    }
    return ecBadTable;
}

int RtfImporter::ecParseSpecialKeyword(int action, int parameter, bool hasParameter)
{
    switch (action) {
    case specBin:
        // A count of raw bytes follows, in a skipped destination too. The count is the
        // number's digits, without a sign; without a number no byte is raw (the count of an
        // earlier word must not swallow the text that follows).
        Q_UNUSED(parameter);
        if (hasParameter && m_lastParameter > 0) {
            m_rawByteCount = int(std::min<long>(m_lastParameter, INT_MAX));
            m_inputState = risBin;
        }
        return ecOK;
    case specHex:
        m_inputState = risHex;
        return ecOK;
    case specSkipDest:
        if (m_destinationState != rdsSkip)
            m_skipUnlistedDestination = true;
        return ecOK;
    }
    return ecBadTable;
}

int RtfImporter::ecApplyPropChange(int property, int value)
{
    const unsigned char byte = static_cast<unsigned char>(value & 0xFF);
    switch (property) {
    case propBold:
        m_chp.bold = byte;
        break;
    case propUnderline:
        m_chp.underline = byte;
        break;
    case propItalic:
        m_chp.italic = byte;
        break;
    case propLeftIndent:
        m_pap.leftIndent = value;
        break;
    case propRightIndent:
        m_pap.rightIndent = value;
        break;
    case propFirstIndent:
        m_pap.firstIndent = value;
        break;
    case propJustification:
        m_pap.justification = byte;
        break;
    case propColumns:
        m_sep.columns = value;
        break;
    case propBreakKind:
        m_sep.breakKind = byte;
        break;
    case propPageNumberX:
        m_sep.pageNumberX = value;
        break;
    case propPageNumberY:
        m_sep.pageNumberY = value;
        break;
    case propPageNumberFormat:
        m_sep.pageNumberFormat = byte;
        break;
    case propPaperWidth:
        m_dop.paperWidth = value;
        break;
    case propPaperHeight:
        m_dop.paperHeight = value;
        break;
    case propMarginLeft:
        m_dop.marginLeft = value;
        break;
    case propMarginRight:
        m_dop.marginRight = value;
        break;
    case propMarginTop:
        m_dop.marginTop = value;
        break;
    case propMarginBottom:
        m_dop.marginBottom = value;
        break;
    case propFirstPage:
        m_dop.firstPage = value;
        break;
    case propFacingPages:
        m_dop.facingPages = byte;
        break;
    case propLandscape:
        m_dop.landscape = byte;
        break;
    case propResetParagraph:
    case propResetCharacter:
    case propResetSection:
        return ecParseSpecialProperty(property);
    default:
        return ecBadTable;
    }
    return ecOK;
}

int RtfImporter::ecParseSpecialProperty(int property)
{
    switch (property) {
    case propResetParagraph:
        m_pap = ParaProps();
        return ecOK;
    case propResetCharacter:
        m_chp = CharProps();
        return ecOK;
    case propResetSection:
        m_sep = SectionProps();
        return ecOK;
    }
    return ecBadTable;
}

int RtfImporter::ecChangeDest(int destination)
{
    Q_UNUSED(destination);
    m_destinationState = rdsSkip;
    return ecOK;
}

int RtfImporter::ecEndGroupAction(int destination)
{
    Q_UNUSED(destination);
    return ecOK;
}

int RtfImporter::ecParseChar(int ch)
{
    if (m_inputState == risBin && --m_rawByteCount <= 0)
        m_inputState = risNorm;
    if (m_destinationState == rdsSkip)
        return ecOK;
    return ecPrintChar(ch);
}

int RtfImporter::ecPrintChar(int value)
{
    if (m_text.size() >= kMaxTextLength)
        return ecTextLimit;
    if (value > 255)
        m_text.append(QChar(char16_t(value & 0xFFFF)));
    else if (value == 13 || value == 10)
        m_text.append(QLatin1String("\r\n"));
    else
        m_text.append(QChar(char16_t(value & 0xFF)));
    return ecOK;
}
