#include "reader.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTextDocument>
#include <QTextFragment>

namespace {

struct Function
{
    void (RTF::Reader::*handler)(int);
    int defaultArgument;
};

// The control words the reader understands, shared by all readers.
QHash<QByteArray, Function> &functions()
{
    static QHash<QByteArray, Function> table;
    return table;
}

// Deeper groups are only counted, so that hostile nesting cannot grow the
// state stack without bound.
const int MaxGroupDepth = 4096;
// Fonts beyond this count get no code page of their own.
const int MaxFonts = 32768;
// Decoded text is inserted in pieces of at most about this many characters.
const int MaxPendingText = 1 << 16;
// A field instruction is kept only this far: it is read for what it shows
// when its field has no result.
const int MaxInstruction = 4096;
// Numbering of notes starts at most here.
const int MaxNoteStart = 100000;
// A font's name is kept this far.
const int MaxFontName = 256;
// "\fs" is in half points; larger sizes are no sizes of text.
const int MaxFontHalfPoints = 3276;

// Destinations that a reader knowing them reads even when they are marked
// "\*" (ignorable by readers that do not).
bool isStarredDestination(const QByteArray &word)
{
    return word == "footnote" || word == "fldinst" || word == "nesttableprops" || word == "ud";
}

bool isBreak(const QByteArray &word)
{
    return word == "sect" || word == "page" || word == "column";
}

QString romanNumber(int n, bool upper)
{
    static const struct
    {
        int value;
        const char *digits;
    } table[] = { { 1000, "m" }, { 900, "cm" }, { 500, "d" }, { 400, "cd" }, { 100, "c" },
                  { 90, "xc" },  { 50, "l" },   { 40, "xl" }, { 10, "x" },   { 9, "ix" },
                  { 5, "v" },    { 4, "iv" },   { 1, "i" } };
    QString out;
    for (const auto &t : table) {
        while (n >= t.value) {
            out += QLatin1String(t.digits);
            n -= t.value;
        }
    }
    return upper ? out.toUpper() : out;
}

// A field that shows a phonetic guide ("EQ \o\al(\s\up 11(ruby),base)")
// carries its text only in the instruction: what it shows, the base with the
// guide after it in brackets, or empty for any other instruction.
QString shownByInstruction(const QString &instruction)
{
    static const QRegularExpression eq(QStringLiteral("^\\s*EQ\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ruby(
        QStringLiteral("\\\\s\\s*\\\\up\\s*-?\\d*\\s*\\(([^()]*)\\)\\s*,\\s*([^()]*)\\)"));
    if (!eq.match(instruction).hasMatch())
        return QString();
    const QRegularExpressionMatch m = ruby.match(instruction);
    if (!m.hasMatch())
        return QString();
    const QString base = m.captured(2).trimmed();
    const QString guide = m.captured(1).trimmed();
    if (guide.isEmpty())
        return base;
    return base + QLatin1Char('(') + guide + QLatin1Char(')');
}

// The codec name of a font's "\fcharset"; null for character sets that name
// no code page (symbol fonts and the like).
const char *codecNameForCharset(int charset)
{
    switch (charset) {
    case 0:
    case 1:
        return "CP1252";
    case 77:
        return "Apple Roman";
    // The Mac character sets, as far as the toolkit has their codecs: the
    // double-byte ones are the same encodings as on Windows.
    case 78:
        return "Shift-JIS";
    case 79:
        return "EUC-KR";
    case 80:
        return "GB2312";
    case 81:
        return "Big5";
    case 82:
        return "Johab";
    case 83:
        return "ISO-8859-8";
    case 84:
        return "ISO-8859-6";
    case 85:
        return "x-mac-greek";
    case 86:
        return "x-mac-turkish";
    case 87:
        return "TIS-620";
    case 88:
        return "x-mac-centraleurroman";
    case 89:
        return "x-mac-cyrillic";
    case 128:
        return "Shift-JIS";
    case 129:
        return "eucKR";
    case 130:
        return "Johab";
    case 134:
        return "GB2312";
    case 136:
        return "Big5-HKSCS";
    case 161:
        return "CP1253";
    case 162:
        return "CP1254";
    case 163:
        return "CP1258";
    case 177:
        return "CP1255";
    case 178:
        return "CP1256";
    case 186:
        return "CP1257";
    case 204:
        return "CP1251";
    case 222:
        return "CP874";
    case 238:
        return "CP1250";
    case 255:
        return "CP850";
    default:
        return nullptr;
    }
}

// Mac OS Icelandic: Mac OS Roman but for six letters. The toolkit has no
// codec of it, and Mac Roman alone would turn "þ" and "ð" into ligatures.
class MacIcelandicCodec : public QTextCodec
{
public:
    MacIcelandicCodec()
    {
        QTextCodec *roman = QTextCodec::codecForName("Apple Roman");
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            m_table[byte] = roman ? roman->toUnicode(&c, 1).at(0) : QChar(byte);
        }
        const struct
        {
            unsigned char byte;
            char16_t letter;
        } icelandic[] = { { 0xA0, 0x00DD }, { 0xDC, 0x00D0 }, { 0xDD, 0x00F0 },
                          { 0xDE, 0x00DE }, { 0xDF, 0x00FE }, { 0xE0, 0x00FD } };
        for (const auto &i : icelandic)
            m_table[i.byte] = QChar(i.letter);
        for (int byte = 0; byte < 256; ++byte)
            m_bytes.insert(m_table[byte].unicode(), char(byte));
    }
    QByteArray name() const override { return QByteArrayLiteral("x-zuvo-mac-icelandic"); }
    int mibEnum() const override { return -10079; }

protected:
    QString convertToUnicode(const char *in, int length, ConverterState *) const override
    {
        QString out(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i)
            out[i] = m_table[uchar(in[i])];
        return out;
    }
    QByteArray convertFromUnicode(const QChar *in, int length, ConverterState *state) const override
    {
        QByteArray out(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i) {
            const auto it = m_bytes.constFind(in[i].unicode());
            if (it != m_bytes.constEnd()) {
                out[i] = it.value();
            } else {
                out[i] = '?';
                if (state)
                    ++state->invalidChars;
            }
        }
        return out;
    }

private:
    QChar m_table[256];
    QHash<char16_t, char> m_bytes;
};

QTextCodec *macIcelandic()
{
    // Codecs belong to the toolkit's list of codecs once made.
    static QTextCodec *codec = new MacIcelandicCodec;
    return codec;
}

bool isAsciiBased(const QTextCodec *codec)
{
    switch (codec->mibEnum()) {
    case 1013: // UTF-16BE
    case 1014: // UTF-16LE
    case 1015: // UTF-16
    case 1017: // UTF-32
    case 1018: // UTF-32BE
    case 1019: // UTF-32LE
        return false;
    default:
        return true;
    }
}

QString notSupported()
{
    return QCoreApplication::translate("Reader", "Not a supported RTF file.");
}

} // namespace

namespace RTF {

QTextCodec *codecForCodePage(int codePage, QByteArray *name)
{
    if (name)
        *name = "CP" + QByteArray::number(codePage);
    if (codePage <= 0)
        return nullptr;
    QByteArray codecName;
    switch (codePage) {
    case 708:
        codecName = "ISO-8859-6";
        break;
    case 932:
        codecName = "Shift-JIS";
        break;
    case 950:
        codecName = "Big5";
        break;
    case 1361:
        codecName = "Johab";
        break;
    // The Mac code pages, each by the nearest codec the toolkit has: the
    // double-byte ones are the encodings of the same name on Windows, the
    // Arabic and Hebrew ones have their letters where ISO 8859 has them.
    case 10000:
        codecName = "Apple Roman";
        break;
    case 10001:
        codecName = "Shift-JIS";
        break;
    case 10002:
        codecName = "Big5";
        break;
    case 10003:
        codecName = "EUC-KR";
        break;
    case 10004:
        codecName = "ISO-8859-6";
        break;
    case 10005:
        codecName = "ISO-8859-8";
        break;
    case 10006:
        codecName = "x-mac-greek";
        break;
    case 10007:
        codecName = "x-mac-cyrillic";
        break;
    case 10008:
        codecName = "GB2312";
        break;
    case 10017:
        codecName = "x-mac-ukraine";
        break;
    case 10021:
        codecName = "TIS-620";
        break;
    case 10029:
        codecName = "x-mac-centraleurroman";
        break;
    case 10079:
        return macIcelandic();
    case 10081:
        codecName = "x-mac-turkish";
        break;
    case 28591:
        codecName = "ISO-8859-1";
        break;
    // ISCII, the Indian scripts' own 8-bit code pages.
    case 57002:
        codecName = "iscii-dev";
        break;
    case 57003:
    case 57006:
        codecName = "iscii-bng";
        break;
    case 57004:
        codecName = "iscii-tml";
        break;
    case 57005:
        codecName = "iscii-tlg";
        break;
    case 57007:
        codecName = "iscii-ori";
        break;
    case 57008:
        codecName = "iscii-knd";
        break;
    case 57009:
        codecName = "iscii-mlm";
        break;
    case 57010:
        codecName = "iscii-gjr";
        break;
    case 57011:
        codecName = "iscii-pnj";
        break;
    case 65001:
        codecName = "UTF-8";
        break;
    default:
        codecName = "CP" + QByteArray::number(codePage);
        break;
    }
    QTextCodec *codec = QTextCodec::codecForName(codecName);
    // Some code pages are known only by their Windows name (20866 KOI8-R,
    // 28595 ISO 8859-5, 54936 GB18030).
    if (!codec && codecName.startsWith("CP"))
        codec = QTextCodec::codecForName("windows-" + QByteArray::number(codePage));
    if (codec && !isAsciiBased(codec))
        return nullptr;
    return codec;
}

void Reader::fillFunctions()
{
    QHash<QByteArray, Function> &f = functions();
    const auto add = [&f](const char *word, void (Reader::*handler)(int), int defaultArgument) {
        f.insert(QByteArray(word), Function { handler, defaultArgument });
    };
    add("\\", &Reader::insertSymbol, 0x005C);
    add("_", &Reader::insertSymbol, 0x2011);
    add("{", &Reader::insertSymbol, 0x007B);
    add("|", &Reader::insertSymbol, 0x00B7);
    add("}", &Reader::insertSymbol, 0x007D);
    add("~", &Reader::insertSymbol, 0x00A0);
    add("-", &Reader::insertSymbol, 0x00AD);
    add("bullet", &Reader::insertSymbol, 0x2022);
    add("emdash", &Reader::insertSymbol, 0x2014);
    add("emspace", &Reader::insertSymbol, 0x2003);
    add("endash", &Reader::insertSymbol, 0x2013);
    add("enspace", &Reader::insertSymbol, 0x2002);
    add("ldblquote", &Reader::insertSymbol, 0x201C);
    add("lquote", &Reader::insertSymbol, 0x2018);
    add("line", &Reader::insertSymbol, 0x2028);
    add("ltrmark", &Reader::insertSymbol, 0x200E);
    add("qmspace", &Reader::insertSymbol, 0x2004);
    add("rdblquote", &Reader::insertSymbol, 0x201D);
    add("rquote", &Reader::insertSymbol, 0x2019);
    add("rtlmark", &Reader::insertSymbol, 0x200F);
    add("tab", &Reader::insertSymbol, 0x0009);
    add("zwj", &Reader::insertSymbol, 0x200D);
    add("zwnj", &Reader::insertSymbol, 0x200C);
    add("'", &Reader::insertHexSymbol, 0);
    add("u", &Reader::insertUnicodeSymbol, 0);
    add("uc", &Reader::setSkipCharacters, 0);
    add("par", &Reader::endBlock, 0);
    add("\n", &Reader::endBlock, 0);
    add("\r", &Reader::endBlock, 0);
    // Table cells become tab-separated text, each row a paragraph; so do the
    // cells and rows of nested tables.
    add("cell", &Reader::insertCellEnd, 0);
    add("row", &Reader::endBlock, 0);
    add("nestcell", &Reader::insertCellEnd, 0);
    add("nestrow", &Reader::endBlock, 0);
    // The row properties of a nested table end with its "\nestrow".
    add("nesttableprops", &Reader::ignoreText, 0);
    // Section, page and column breaks end the paragraph.
    add("sect", &Reader::endBlock, 0);
    add("page", &Reader::endBlock, 0);
    add("column", &Reader::endBlock, 0);
    // Fields show their result; the instruction is no text of the document.
    add("field", &Reader::beginField, 0);
    add("fldinst", &Reader::beginFieldInstruction, 0);
    // Notes, their marks and how they are numbered.
    add("footnote", &Reader::beginNote, 0);
    add("ftnalt", &Reader::setEndnote, 0);
    add("chftn", &Reader::insertNoteNumber, 0);
    const struct
    {
        const char *suffix;
        NumberFormat format;
    } numbering[] = { { "ar", Arabic },      { "alc", LowerAlpha }, { "auc", UpperAlpha },
                      { "rlc", LowerRoman }, { "ruc", UpperRoman }, { "chi", Symbols } };
    for (const auto &n : numbering) {
        for (const char *prefix : { "ftnn", "sftnn" })
            f.insert(QByteArray(prefix) + n.suffix,
                     Function { &Reader::setFootnoteFormat, n.format });
        for (const char *prefix : { "aftnn", "saftnn" })
            f.insert(QByteArray(prefix) + n.suffix,
                     Function { &Reader::setEndnoteFormat, n.format });
    }
    add("ftnstart", &Reader::setFootnoteStart, 1);
    add("sftnstart", &Reader::setFootnoteStart, 1);
    add("aftnstart", &Reader::setEndnoteStart, 1);
    add("saftnstart", &Reader::setEndnoteStart, 1);
    add("pard", &Reader::resetBlockFormatting, 0);
    add("plain", &Reader::resetTextFormatting, 0);
    add("qc", &Reader::setBlockAlignment, int(Qt::AlignHCenter));
    add("qj", &Reader::setBlockAlignment, int(Qt::AlignJustify));
    add("ql", &Reader::setBlockAlignment, int(Qt::AlignLeft | Qt::AlignAbsolute));
    add("qr", &Reader::setBlockAlignment, int(Qt::AlignRight | Qt::AlignAbsolute));
    add("li", &Reader::setBlockIndent, 0);
    add("ltrpar", &Reader::setBlockDirection, 0);
    add("rtlpar", &Reader::setBlockDirection, 1);
    add("b", &Reader::setTextBold, 1);
    add("i", &Reader::setTextItalic, 1);
    add("strike", &Reader::setTextStrikeOut, 1);
    add("striked", &Reader::setTextStrikeOut, 1);
    for (const char *word : { "ul", "uld", "uldash", "uldashd", "uldb", "ulth", "ulw", "ulwave",
                              "ulhwave", "ululdbwave" })
        add(word, &Reader::setTextUnderline, 1);
    add("ulnone", &Reader::setTextUnderline, 0);
    add("sub", &Reader::setTextVerticalAlignment, 2);
    add("super", &Reader::setTextVerticalAlignment, 1);
    add("nosupersub", &Reader::setTextVerticalAlignment, 0);
    add("ansicpg", &Reader::setCodepage, 0);
    add("ansi", &Reader::setCodepage, 1252);
    add("mac", &Reader::setCodepage, 10000);
    add("pc", &Reader::setCodepage, 850);
    add("pca", &Reader::setCodepage, 850);
    add("deff", &Reader::selectFont, 0);
    add("f", &Reader::setFont, 0);
    add("fs", &Reader::setFontSize, 24);
    add("cpg", &Reader::setFontCodepage, 0);
    add("fcharset", &Reader::setFontCharset, 0);
    add("fonttbl", &Reader::beginFontTable, 0);
    // A character given in Unicode beside its ANSI form: the ANSI group is
    // skipped, the "\ud" destination read.
    add("upr", &Reader::ignoreText, 0);
    add("ud", &Reader::readDestination, 0);
    // Destinations that hold no document text (pictures, embedded objects,
    // tables of styles, lists, revisions and the like) are skipped whole.
    // So are headers and footers, the separators of notes, index and table
    // of contents entries, and the text a nested table offers to readers
    // that do not know nested tables.
    for (const char *word : { "filetbl",     "colortbl",
                              "stylesheet",  "info",
                              "pict",        "nonshppict",
                              "object",      "objdata",
                              "themedata",   "colorschememapping",
                              "datastore",   "latentstyles",
                              "listtable",   "listoverridetable",
                              "revtbl",      "rsidtbl",
                              "xmlnstbl",    "pgdsctbl",
                              "generator",   "header",
                              "headerl",     "headerr",
                              "headerf",     "footer",
                              "footerl",     "footerr",
                              "footerf",     "ftnsep",
                              "ftnsepc",     "ftncn",
                              "aftnsep",     "aftnsepc",
                              "aftncn",      "xe",
                              "tc",          "tcn",
                              "nonesttables" })
        add(word, &Reader::ignoreGroup, 0);
    add("*", &Reader::ignoreStarred, 0);
}

Reader::Reader()
    : blockStarted(true)
    , codec(nullptr)
    , decoder(nullptr)
    , defaultCodec(nullptr)
    , excessDepth(0)
    , inserted(0)
    , notes(nullptr)
    , mainBlockStarted(true)
    , inNote(false)
    , noteDepth(0)
    , noteKind(Footnote)
    , afterNoteMark(false)
    , noteCount { 0, 0 }
    , noteStart { 1, 1 }
    , noteFormat { Arabic, Arabic }
    , citationPending(false)
{
    static const bool filled = (fillFunctions(), true);
    Q_UNUSED(filled);
    reset();
}

Reader::~Reader()
{
    delete decoder;
    delete notes;
}

void Reader::reset()
{
    delete decoder;
    decoder = nullptr;
    codec = nullptr;
    defaultCodec = nullptr;
    codePageName.clear();
    blockStarted = true;
    states.clear();
    state = State();
    excessDepth = 0;
    fontCodecs.clear();
    fontNames.clear();
    namedFonts.clear();
    reportedCodePages.clear();
    pendingText.clear();
    errorText.clear();
    inserted = 0;
    fields.clear();
    delete notes;
    notes = nullptr;
    mainCursor = QTextCursor();
    mainBlockStarted = true;
    inNote = false;
    noteDepth = 0;
    noteKind = Footnote;
    noteNumber.clear();
    afterNoteMark = false;
    for (int kind : { Footnote, Endnote }) {
        noteCount[kind] = 0;
        noteStart[kind] = 1;
        noteFormat[kind] = Arabic;
    }
    citationPending = false;
    citationFormat = QTextCharFormat();
    setCodepage(1252);
}

bool Reader::read(QIODevice *device, const QTextCursor &textCursor)
{
    // A reader used twice starts each read as a new one would.
    reset();
    defaultBlockFormat = textCursor.blockFormat();
    state.blockFormat = defaultBlockFormat;
    cursor = textCursor;
    cursor.beginEditBlock();
    try {
        tokenizer.setDevice(device);
        setBlockDirection(0);

        tokenizer.readNext();
        if (tokenizer.type != StartGroupToken)
            throw notSupported();
        pushState();
        tokenizer.readNext();
        // Version 1, and the "\rtf" without a number or with 0 that libraries
        // and older Mac writers put there.
        if (tokenizer.type != ControlWordToken || tokenizer.text != "rtf" ||
            (tokenizer.hasValue && tokenizer.value != 0 && tokenizer.value != 1))
            throw notSupported();

        const QHash<QByteArray, Function> &table = functions();
        bool groupStart = false;
        while (!states.isEmpty() && tokenizer.hasNext()) {
            tokenizer.readNext();
            // "\*" marks a destination only as the first thing in a group;
            // elsewhere (some writers put it before character styles) it is
            // no mark at all, and the text after it is read.
            const bool atGroupStart = groupStart;
            groupStart = tokenizer.type == StartGroupToken;
            if (tokenizer.type == EndGroupToken) {
                popState();
                continue;
            }
            if (tokenizer.type == ControlWordToken && tokenizer.text == "*" && !atGroupStart)
                continue;
            // A section, page or column break right after a paragraph end
            // adds no empty paragraph.
            const bool breakAfterEnd = !blockStarted && tokenizer.type == ControlWordToken &&
                !state.skipControlWords && isBreak(tokenizer.text);
            if (!blockStarted && !breakAfterEnd) {
                flushText();
                cursor.insertBlock(state.blockFormat);
                blockStarted = true;
            }
            switch (tokenizer.type) {
            case StartGroupToken:
                state.starred = false;
                pushState();
                break;
            case ControlWordToken: {
                const auto it = table.constFind(tokenizer.text);
                if (state.starred) {
                    // The word after "\*" names the destination: one the
                    // reader knows is read, any other stays skipped.
                    state.starred = false;
                    if (it == table.constEnd() || !isStarredDestination(tokenizer.text))
                        break;
                    state.skipControlWords = false;
                    state.skipText = false;
                } else if (state.skipControlWords) {
                    break;
                }
                if (it == table.constEnd())
                    break;
                (this->*(it->handler))(tokenizer.hasValue ? tokenizer.value : it->defaultArgument);
                break;
            }
            default:
                state.starred = false;
                if (!state.skipText || state.fontTable)
                    insertBytes(tokenizer.text);
                break;
            }
        }
    } catch (const QString &message) {
        errorText = message;
    }
    flushText();
    appendNotes();
    cursor.endEditBlock();
    return errorText.isEmpty();
}

bool Reader::hasError() const
{
    return !errorText.isEmpty();
}

QString Reader::errorString() const
{
    return errorText;
}

QByteArray Reader::codePage() const
{
    return codePageName;
}

void Reader::insertText(const QString &text)
{
    if (state.fontTable) {
        // Inside a destination of the font table (a font's other name, its
        // panose number) the text is no name.
        if (!state.skipControlWords)
            addToFontName(text);
        return;
    }
    if (state.instruction) {
        if (!fields.isEmpty() && fields.last().instruction.size() < MaxInstruction)
            fields.last().instruction += text.left(MaxInstruction);
        return;
    }
    // The mark at the start of a note stays apart from the note's first word.
    if (afterNoteMark && !text.isEmpty()) {
        afterNoteMark = false;
        if (!text.front().isSpace())
            pendingText += QLatin1Char(' ');
    }
    // Code 0 is no character of a document.
    if (text.contains(QChar(0)))
        pendingText += QString(text).remove(QChar(0));
    else
        pendingText += text;
    if (pendingText.size() >= MaxPendingText)
        flushText();
}

void Reader::insertBytes(const QByteArray &bytes)
{
    insertText(decoder ? decoder->toUnicode(bytes) : QString::fromLatin1(bytes));
}

void Reader::flushText()
{
    if (pendingText.isEmpty())
        return;
    // Text between a citation mark and its note: the mark belonged to no note.
    if (!inNote)
        citationPending = false;
    cursor.insertText(pendingText);
    inserted += pendingText.size();
    pendingText.clear();
}

void Reader::insertSymbol(int value)
{
    if (state.skipText && !state.fontTable)
        return;
    insertText(QString(QChar(char16_t(value & 0xFFFF))));
}

void Reader::insertHexSymbol(int)
{
    // The decoder keeps a lead byte of a double-byte code page until the
    // escape that completes the character.
    if (!state.skipText || state.fontTable)
        insertBytes(tokenizer.hex);
}

void Reader::insertUnicodeSymbol(int value)
{
    insertSymbol(value);
    int n = state.skipCount;
    while (n > 0) {
        tokenizer.readNext();
        switch (tokenizer.type) {
        case TextToken:
            if (tokenizer.text.size() <= n) {
                n -= tokenizer.text.size();
            } else {
                if (!state.skipText)
                    insertBytes(tokenizer.text.mid(n));
                n = 0;
            }
            break;
        case ControlWordToken:
            --n;
            break;
        case StartGroupToken:
            pushState();
            n = 0;
            break;
        default:
            popState();
            n = 0;
            break;
        }
    }
}

void Reader::insertCellEnd(int)
{
    insertSymbol('\t');
}

void Reader::setSkipCharacters(int value)
{
    state.skipCount = value;
}

void Reader::endBlock(int)
{
    blockStarted = false;
}

void Reader::resetBlockFormatting(int)
{
    flushText();
    state.blockFormat = defaultBlockFormat;
    cursor.setBlockFormat(state.blockFormat);
}

void Reader::resetTextFormatting(int)
{
    flushText();
    state.charFormat = QTextCharFormat();
    cursor.setCharFormat(state.charFormat);
}

void Reader::setBlockAlignment(int value)
{
    flushText();
    state.blockFormat.setAlignment(Qt::Alignment(value));
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setBlockIndent(int value)
{
    // "\li" is in twips; one indent level is 600 twips (40 px at 96 dpi).
    // Files written before used 15 twips per level; their small values are
    // read the old way.
    int level = (value <= 150 && value % 15 == 0) ? value / 15 : value / 600;
    if (level < 0)
        level = 0;
    flushText();
    state.blockFormat.setIndent(level);
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setBlockDirection(int value)
{
    flushText();
    state.blockFormat.setLayoutDirection(value != 0 ? Qt::RightToLeft : Qt::LeftToRight);
    if (!state.blockFormat.hasProperty(QTextFormat::BlockAlignment))
        state.blockFormat.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (state.blockFormat.alignment() & Qt::AlignLeft)
        state.blockFormat.setAlignment(state.blockFormat.alignment() | Qt::AlignAbsolute);
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setTextBold(int value)
{
    flushText();
    state.charFormat.setFontWeight(value != 0 ? QFont::Bold : QFont::Normal);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextItalic(int value)
{
    flushText();
    state.charFormat.setFontItalic(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextStrikeOut(int value)
{
    flushText();
    state.charFormat.setFontStrikeOut(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextUnderline(int value)
{
    flushText();
    state.charFormat.setFontUnderline(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextVerticalAlignment(int value)
{
    QTextCharFormat::VerticalAlignment alignment = QTextCharFormat::AlignNormal;
    if (value == 1)
        alignment = QTextCharFormat::AlignSuperScript;
    else if (value == 2)
        alignment = QTextCharFormat::AlignSubScript;
    flushText();
    state.charFormat.setVerticalAlignment(alignment);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setCodepage(int value)
{
    QByteArray name;
    QTextCodec *c = codecForCodePage(value, &name);
    if (!c) {
        reportMissingCodec(value);
        return;
    }
    defaultCodec = c;
    codePageName = name;
    setCodec(c);
}

void Reader::selectFont(int value)
{
    state.activeFont = value;
    QTextCodec *fontCodec = nullptr;
    const auto it = fontCodecs.constFind(value);
    if (it != fontCodecs.constEnd())
        fontCodec = it.value();
    else if (fontCodecs.size() < MaxFonts)
        fontCodecs.insert(value, nullptr);
    setCodec(fontCodec ? fontCodec : defaultCodec);
}

void Reader::setFont(int value)
{
    selectFont(value);
    if (state.fontTable)
        return;
    // The text takes the font's family where the font table names it.
    const QString family = fontNames.value(value).trimmed();
    if (family.isEmpty())
        return;
    flushText();
    state.charFormat.setFontFamilies(QStringList { family });
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setFontSize(int value)
{
    if (value <= 0 || value > MaxFontHalfPoints)
        return;
    flushText();
    state.charFormat.setFontPointSize(value / 2.0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::beginFontTable(int)
{
    state.fontTable = true;
    state.skipText = true;
}

void Reader::addToFontName(const QString &text)
{
    const int font = state.activeFont;
    if (namedFonts.contains(font) || !fontCodecs.contains(font))
        return;
    QString &name = fontNames[font];
    const qsizetype end = text.indexOf(QLatin1Char(';'));
    name += text.left(end < 0 ? text.size() : end);
    if (name.size() > MaxFontName)
        name.truncate(MaxFontName);
    // The name ends at its semicolon: what follows in the group is none of it.
    if (end >= 0)
        namedFonts.insert(font);
}

void Reader::readDestination(int) { }

void Reader::reportMissingCodec(int codePage)
{
    if (reportedCodePages.contains(codePage) || reportedCodePages.size() >= MaxFonts)
        return;
    reportedCodePages.insert(codePage);
    qWarning("RTF: no codec for code page %d; its text is read in the document's code page",
             codePage);
}

void Reader::setFontCodepage(int value)
{
    const auto it = fontCodecs.find(state.activeFont);
    if (it != fontCodecs.end()) {
        if (QTextCodec *c = codecForCodePage(value)) {
            it.value() = c;
            setCodec(c);
        } else {
            reportMissingCodec(value);
        }
    }
    if (state.fontTable)
        return;
    state.skipControlWords = true;
    state.skipText = true;
}

void Reader::setFontCharset(int value)
{
    const auto it = fontCodecs.find(state.activeFont);
    if (it == fontCodecs.end()) {
        if (!state.fontTable)
            state.skipText = true;
        return;
    }
    if (it.value()) {
        setCodec(it.value());
        if (!state.fontTable)
            state.skipText = true;
        return;
    }
    const char *name = codecNameForCharset(value);
    if (!name)
        return;
    if (QTextCodec *c = QTextCodec::codecForName(name)) {
        it.value() = c;
        setCodec(c);
    } else {
        reportMissingCodec(-value);
    }
    if (!state.fontTable)
        state.skipText = true;
}

void Reader::ignoreGroup(int)
{
    state.skipControlWords = true;
    state.skipText = true;
}

void Reader::ignoreText(int)
{
    state.skipText = true;
}

void Reader::ignoreStarred(int)
{
    ignoreGroup(0);
    state.starred = true;
}

void Reader::beginField(int)
{
    // One field a group level: a run of "\field" words cannot grow the list.
    if (!fields.isEmpty() && fields.last().depth == states.size())
        return;
    flushText();
    Field field;
    field.depth = states.size();
    field.insertedBefore = inserted;
    fields.append(field);
}

void Reader::beginFieldInstruction(int)
{
    flushText();
    state.instruction = true;
}

void Reader::endField()
{
    const Field field = fields.takeLast();
    flushText();
    // A field whose result is empty may still show text of its instruction.
    if (inserted == field.insertedBefore) {
        const QString shown = shownByInstruction(field.instruction);
        if (!shown.isEmpty())
            insertText(shown);
    }
}

void Reader::beginNote(int)
{
    // Notes do not nest: a note inside a note is left out.
    if (inNote) {
        ignoreGroup(0);
        return;
    }
    flushText();
    inNote = true;
    noteDepth = states.size();
    noteKind = Footnote;
    noteNumber.clear();
    mainCursor = cursor;
    mainBlockStarted = blockStarted;
    // The first note fills the first block of the notes, every later one
    // starts a block of its own.
    blockStarted = notes == nullptr;
    if (notes == nullptr)
        notes = new QTextDocument();
    cursor = QTextCursor(notes);
    cursor.movePosition(QTextCursor::End);
    cursor.setCharFormat(state.charFormat);
}

void Reader::setEndnote(int)
{
    if (inNote)
        noteKind = Endnote;
}

QString Reader::takeNoteNumber()
{
    if (!noteNumber.isEmpty())
        return noteNumber;
    const int n = noteStart[noteKind] + noteCount[noteKind]++;
    switch (noteFormat[noteKind]) {
    case LowerAlpha:
    case UpperAlpha: {
        // a ... z, then aa ... zz and so on, as far as that stays short.
        const int repeat = (n - 1) / 26 + 1;
        if (n < 1 || repeat > 10) {
            noteNumber = QString::number(n);
            break;
        }
        const char base = noteFormat[noteKind] == LowerAlpha ? 'a' : 'A';
        noteNumber = QString(repeat, QLatin1Char(char(base + (n - 1) % 26)));
        break;
    }
    case LowerRoman:
    case UpperRoman:
        noteNumber = n >= 1 && n < 4000 ? romanNumber(n, noteFormat[noteKind] == UpperRoman)
                                        : QString::number(n);
        break;
    case Symbols: {
        static const char16_t symbols[] = { u'*', u'\u2020', u'\u2021', u'\u00A7' };
        const int repeat = (n - 1) / 4 + 1;
        if (n < 1 || repeat > 10) {
            noteNumber = QString::number(n);
            break;
        }
        noteNumber = QString(repeat, QChar(symbols[(n - 1) % 4]));
        break;
    }
    case Arabic:
        noteNumber = QString::number(n);
        break;
    }
    if (citationPending) {
        citationPending = false;
        mainCursor.insertText(noteNumber, citationFormat);
        inserted += noteNumber.size();
    }
    return noteNumber;
}

void Reader::insertNoteNumber(int)
{
    if (state.skipText)
        return;
    if (inNote) {
        insertText(takeNoteNumber());
        afterNoteMark = true;
        return;
    }
    // The number is known once the note after the mark tells its kind.
    flushText();
    citationPending = true;
    citationFormat = cursor.charFormat();
}

void Reader::endNote()
{
    flushText();
    // A note whose text has no mark of its own still numbers its citation.
    takeNoteNumber();
    cursor = mainCursor;
    mainCursor = QTextCursor();
    blockStarted = mainBlockStarted;
    inNote = false;
    afterNoteMark = false;
}

void Reader::appendNotes()
{
    if (inNote)
        endNote();
    if (notes == nullptr || notes->isEmpty()) {
        delete notes;
        notes = nullptr;
        return;
    }
    flushText();
    for (QTextBlock block = notes->begin(); block.isValid(); block = block.next()) {
        cursor.insertBlock(block.blockFormat(), block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            cursor.insertText(it.fragment().text(), it.fragment().charFormat());
    }
    delete notes;
    notes = nullptr;
}

void Reader::setFootnoteFormat(int value)
{
    noteFormat[Footnote] = NumberFormat(qBound(int(Arabic), value, int(Symbols)));
}

void Reader::setEndnoteFormat(int value)
{
    noteFormat[Endnote] = NumberFormat(qBound(int(Arabic), value, int(Symbols)));
}

void Reader::setFootnoteStart(int value)
{
    noteStart[Footnote] = qBound(0, value, MaxNoteStart);
}

void Reader::setEndnoteStart(int value)
{
    noteStart[Endnote] = qBound(0, value, MaxNoteStart);
}

void Reader::pushState()
{
    if (states.size() >= MaxGroupDepth) {
        ++excessDepth;
        return;
    }
    states.push(state);
}

void Reader::popState()
{
    if (excessDepth > 0) {
        --excessDepth;
        return;
    }
    if (states.isEmpty())
        return;
    flushText();
    state = states.pop();
    cursor.setCharFormat(state.charFormat);
    selectFont(state.activeFont);
    while (!fields.isEmpty() && states.size() < fields.last().depth)
        endField();
    if (inNote && states.size() < noteDepth) {
        endNote();
        cursor.setCharFormat(state.charFormat);
    }
}

void Reader::setCodec(QTextCodec *newCodec)
{
    if (newCodec == codec)
        return;
    codec = newCodec;
    if (newCodec) {
        delete decoder;
        decoder = newCodec->makeDecoder();
    }
}

} // namespace RTF
